#include "ai/TurnBehavior.h"

#include "ai/ComponentGhost.h"
#include "graphics/ComponentTransform.h"

#include <cmath>
#include <numbers>

namespace Velmora::Ai {

TurnBehavior::TurnBehavior(uint32_t entity, uint32_t lanes, const Vector2& direction)
    : Behavior(entity, lanes, true), mDirection(direction) {}

bool TurnBehavior::Update(double dt) {
    Graphics::ComponentTransform* transform = GetTransform();
    const ComponentGhost* ghost = GetGhost();
    if (!transform || !ghost || mDirection == Vector2()) return true;
    Vector2& facing = transform->mDirection;
    if (facing == Vector2()) {
        facing = mDirection;
        return true;
    }
    constexpr double kPi = std::numbers::pi;
    double diff = std::atan2(mDirection.y, mDirection.x) - std::atan2(facing.y, facing.x);
    // Into (−π, π]: an exact half turn, whichever way it was measured, goes the positive way.
    if (diff > kPi) diff -= 2.0 * kPi;
    if (diff <= -kPi) diff += 2.0 * kPi;
    const double step = std::copysign(ghost->mTurnSpeed * dt, diff);
    if (std::abs(diff) <= std::abs(step)) {
        facing = mDirection;
        return true;
    }
    facing = facing.Rotated(step).Normalized();
    return false;
}

} // namespace Velmora::Ai
