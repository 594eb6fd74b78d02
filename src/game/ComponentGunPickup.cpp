#include "game/ComponentGunPickup.h"

#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/LogRecord.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/ValueCursor.h"
#include "graphics/ComponentSprite.h"
#include "game/ComponentPlayer.h"
#include "world/LevelMessages.h"
#include "game/LogicManager.h"
#include "game/PickupMessages.h"
#include "physics/BodyMessages.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace Velmora::Logic {

void ComponentGunPickup::HandleMessage(Message& message) {
    if (message.Is<MessageEndLevel>()) {
        mOwner->Destroy();
    } else if (const auto* update = MessageCast<MessageUpdateLogic>(message)) {
        Update(update->mDt);
    } else if (const auto* collision = MessageCast<Physics::MessageBodyCollision>(message)) {
        Touch(*collision);
    }
}

void ComponentGunPickup::Initialize() { mSprite = mOwner->GetComponent<Graphics::ComponentSprite>(); }

void ComponentGunPickup::Load(ValueCursor& cursor) {
    std::string name;
    cursor >> name;
    ParseGunType(name, mGunType);
    cursor >> mRespawnDelay;
    // A delay that is not a finite positive number would leave the cooldown stuck (NaN never
    // runs down) or mean nothing; it counts as no delay.
    if (!std::isfinite(mRespawnDelay) || mRespawnDelay < 0.0) mRespawnDelay = 0.0;
}

void ComponentGunPickup::Update(double dt) {
    if (mCooldown <= 0.0) return;
    mCooldown = std::min(std::max(mCooldown - dt, 0.0), mRespawnDelay);
    if (mCooldown <= kFadeTime) SetAlpha(1.0 - 2.0 * mCooldown);
}

void ComponentGunPickup::Touch(const Physics::MessageBodyCollision& collision) {
    if (!IsTakeable()) return;
    const int otherId = collision.mFirstId == mOwner->GetId() ? collision.mSecondId : collision.mFirstId;
    const Entity* other = EntityManager::GetInstance().FindById(otherId);
    if (!other || !other->GetComponent<ComponentPlayer>()) return;
    VELMORA_LOG("LOGIC") << "The player picked up gun type " << static_cast<int>(mGunType);
    MessageGotGunPickup got(mGunType);
    Game::GetInstance().SendMessage(got);
    LogicManager::GetInstance().FireTriggerEvent(kEventGunPickup);
    mCooldown = mRespawnDelay;
    SetAlpha(0.0);
}

void ComponentGunPickup::SetAlpha(double alpha) {
    if (mSprite) mSprite->mAlpha = alpha;
}

} // namespace Velmora::Logic
