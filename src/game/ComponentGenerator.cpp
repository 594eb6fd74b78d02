#include "game/ComponentGenerator.h"

#include "core/Entity.h"
#include "core/FrameMessages.h"
#include "graphics/ComponentTransform.h"
#include "world/LevelMessages.h"
#include "game/LogicManager.h"
#include "world/SoundwaveKind.h"

namespace Velmora::Logic {

void ComponentGenerator::HandleMessage(Message& message) {
    if (message.Is<MessageEndLevel>()) {
        mOwner->Destroy();
    } else if (const auto* update = MessageCast<MessageUpdateLogic>(message)) {
        Update(update->mDt);
    }
}

void ComponentGenerator::Initialize() { mTransform = mOwner->GetComponent<Graphics::ComponentTransform>(); }

void ComponentGenerator::Update(double dt) {
    mTimer += dt;
    if (mTimer < mPeriod || !mTransform) return;
    mTimer -= mPeriod;
    LogicManager::GetInstance().CreateSoundwave(kWhite, mTransform->mPosition, mWaveStrength, mTransform->mDirection,
                                                mWaveSpread);
}

} // namespace Velmora::Logic
