#include "ai/ListenBehavior.h"

#include "ai/DelayBehavior.h"
#include "ai/EmoteBehavior.h"
#include "ai/TurnBehavior.h"
#include "core/ValueCursor.h"
#include "world/SoundwaveMessages.h"

#include <algorithm>

namespace Velmora::Ai {

namespace {

// Most pushes gathered at once: a crowd of waves still makes one reaction, without the list
// growing with them.
constexpr size_t kMaxPushes = 1024;
// Timers add up steps of 1/60 s, which fall a hair short of 0.1 after six of them.
constexpr double kTimerSlack = 1e-9;

} // namespace

void ListenBehavior::Deserialize(ValueCursor& cursor) { cursor >> mReactionPause; }

void ListenBehavior::HandleMessage(Message& message) {
    const auto* wave = MessageCast<Logic::MessageSoundwaveCollision>(message);
    if (!wave) return;
    if (wave->mKind == Logic::kWhite) mMaskTimer = kMaskTime;
    if (wave->mKind != Logic::kSound || HasFlags(kFlagReacting)) return;
    const Vector2 push(wave->mForceX, wave->mForceY);
    if (mMaskTimer > 0.0 && push.Length() < kMaskedEnergy) return;
    if (mPushes.size() < kMaxPushes) mPushes.push_back(push);
}

bool ListenBehavior::Update(double dt) {
    mMaskTimer = std::max(0.0, mMaskTimer - dt);
    if (HasFlags(kFlagReacting)) {
        SetBlocking(false);
        ClearFlags(kFlagReacting);
    }
    if (mPushes.empty()) return false;
    mGatherTimer += dt;
    if (mGatherTimer + kTimerSlack >= kGatherTime) React();
    return false;
}

void ListenBehavior::React() {
    mGatherTimer = 0.0;
    Vector2 sum;
    for (const Vector2& push : mPushes) sum -= push;
    mPushes.clear();
    RemoveLanes(kLanesMoveAndTurn);
    InsertInFront(new EmoteBehavior(mEntity, kLaneEmote, "question"));
    InsertInFront(new DelayBehavior(mEntity, kLaneFacing | kLaneBehavior, mReactionPause));
    InsertInFront(new TurnBehavior(mEntity, kLaneFacing | kLaneBehavior, sum.Normalized()));
    SetFlags(kFlagReacting);
    SetBlocking(true);
}

} // namespace Velmora::Ai
