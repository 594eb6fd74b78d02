#include "ai/ListenBehavior.h"

#include "ai/DelayBehavior.h"
#include "ai/EmoteBehavior.h"
#include "ai/TurnBehavior.h"
#include "core/ValueCursor.h"
#include "world/SoundwaveMessages.h"

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
    if (!wave || wave->mKind != Logic::kSound || HasFlags(kFlagReacting)) return;
    if (mPushes.size() < kMaxPushes) mPushes.emplace_back(wave->mForceX, wave->mForceY);
}

bool ListenBehavior::Update(double dt) {
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
