#include "ai/AlarmBehavior.h"

#include "ai/AiHost.h"
#include "ai/DelayBehavior.h"
#include "ai/EffectBehavior.h"
#include "ai/EmoteBehavior.h"
#include "ai/PerceptionMessages.h"
#include "ai/SampleBehavior.h"
#include "core/Entity.h"
#include "core/ValueCursor.h"
#include "graphics/ComponentTransform.h"

#include <string>

namespace Velmora::Ai {

void AlarmBehavior::Deserialize(ValueCursor& cursor) {
    std::string sample;
    cursor >> mStrength >> mPeriod >> sample;
    mSample = sample.empty() ? nullptr : Audio::AudioManager::GetInstance().LoadSample(sample);
}

void AlarmBehavior::HandleMessage(Message& message) {
    if (const auto* visible = MessageCast<MessageEntityVisible>(message)) {
        const Entity* player = GetAiHost().GetPlayer();
        if (mTarget != 0 || !player || visible->mId != static_cast<uint32_t>(player->GetId())) return;
        mTarget = visible->mId;
        SetFlags(kFlagSpotted);
        SetBlocking(true);
    } else if (const auto* hidden = MessageCast<MessageEntityHidden>(message)) {
        if (mTarget == 0 || hidden->mId != mTarget) return;
        SetBlocking(false);
        mTarget = 0;
    }
}

bool AlarmBehavior::Update(double) {
    const Graphics::ComponentTransform* transform = GetTransform();
    if (mTarget == 0 || !transform) return false;
    if (HasFlags(kFlagSpotted)) {
        InsertInFront(new EmoteBehavior(mEntity, kLaneAlarm, "exclamation"));
        InsertInFront(new DelayBehavior(mEntity, kLaneAlarm, mPeriod));
        ClearFlags(kFlagSpotted);
    }
    InsertInFront(new SampleBehavior(mEntity, kLaneAlarm, mSample));
    InsertInFront(new EffectBehavior(mEntity, kLaneAlarm, transform->mPosition, mStrength));
    InsertInFront(new DelayBehavior(mEntity, kLaneAlarm, mPeriod));
    return false;
}

} // namespace Velmora::Ai
