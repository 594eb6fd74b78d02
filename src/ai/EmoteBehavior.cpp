#include "ai/EmoteBehavior.h"

#include "ai/ComponentEmote.h"
#include "core/Entity.h"
#include "core/Factory.h"
#include "core/LogRecord.h"
#include "graphics/ComponentTransform.h"

namespace Velmora::Ai {

EmoteBehavior::~EmoteBehavior() {
    if (Entity* emote = mEmote != 0 ? FindLiveEntity(mEmote) : nullptr) emote->Destroy();
}

void EmoteBehavior::OnStart() {
    Entity* emote = Factory::GetInstance().Create(mArchetype, nullptr);
    if (!emote) return;
    mEmote = static_cast<uint32_t>(emote->GetId());
    VELMORA_LOG("AI") << "Guard " << mEntity << " shows `" << mArchetype << "`";
    if (auto* transform = emote->GetComponent<Graphics::ComponentTransform>())
        transform->mDirection = Vector2(0.0, 1.0);
    if (auto* component = emote->GetComponent<ComponentEmote>()) component->Attach(mEntity);
}

bool EmoteBehavior::Update(double) {
    const Entity* emote = mEmote != 0 ? FindLiveEntity(mEmote) : nullptr;
    const auto* component = emote ? emote->GetComponent<ComponentEmote>() : nullptr;
    return !component || mElapsed >= component->mLifetime;
}

} // namespace Velmora::Ai
