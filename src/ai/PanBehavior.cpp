#include "ai/PanBehavior.h"

#include "ai/DelayBehavior.h"
#include "ai/TurnBehavior.h"
#include "core/ValueCursor.h"
#include "graphics/ComponentTransform.h"

#include <numbers>

namespace Velmora::Ai {

void PanBehavior::Deserialize(ValueCursor& cursor) {
    cursor >> mAngle >> mPause;
    mAngle *= std::numbers::pi / 180.0;
}

bool PanBehavior::Update(double) {
    const Graphics::ComponentTransform* transform = GetTransform();
    if (!transform) return false;
    const Vector2 target = transform->mDirection.Rotated(mAngle);
    mAngle = -mAngle;
    InsertInFront(new DelayBehavior(mEntity, kLaneFacing | kLaneBehavior, mPause));
    InsertInFront(new TurnBehavior(mEntity, kLaneFacing | kLaneBehavior, target));
    return false;
}

} // namespace Velmora::Ai
