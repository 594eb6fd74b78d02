#include "ai/ComponentEmote.h"

#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/FrameMessages.h"
#include "core/ValueCursor.h"
#include "graphics/ComponentTransform.h"
#include "world/LevelMessages.h"

#include <string>

namespace Velmora::Ai {

void ComponentEmote::Initialize() { mTransform = mOwner->GetComponent<Graphics::ComponentTransform>(); }

void ComponentEmote::Load(ValueCursor& cursor) {
    std::string sample;
    cursor >> mLifetime >> mOffset.x >> mOffset.y >> sample;
    mSample = sample.empty() ? nullptr : Audio::AudioManager::GetInstance().LoadSample(sample);
}

void ComponentEmote::HandleMessage(Message& message) {
    if (message.Is<MessageUpdateLogic>()) {
        if (mFollowed != 0) Follow();
    } else if (message.Is<Logic::MessageEndLevel>()) {
        mOwner->Destroy();
    }
}

void ComponentEmote::Attach(uint32_t entity) {
    mFollowed = entity;
    Follow();
    Audio::AudioManager::GetInstance().PlaySampleHandle(mSample);
}

void ComponentEmote::Follow() {
    const Entity* followed = EntityManager::GetInstance().FindById(static_cast<int>(mFollowed));
    const auto* target = followed ? followed->GetComponent<Graphics::ComponentTransform>() : nullptr;
    if (!target || !mTransform) return;
    mTransform->mPosition = target->mPosition + mOffset;
}

} // namespace Velmora::Ai
