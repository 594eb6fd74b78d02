#include "ai/ChaseBehavior.h"

#include "ai/AiHost.h"
#include "ai/ChaseMessages.h"
#include "ai/ComponentGhost.h"
#include "ai/ComponentPerception.h"
#include "ai/DelayBehavior.h"
#include "ai/EmoteBehavior.h"
#include "ai/FollowBehavior.h"
#include "ai/MoveBehavior.h"
#include "ai/PerceptionMessages.h"
#include "ai/TurnBehavior.h"
#include "core/Entity.h"
#include "core/Game.h"
#include "core/ValueCursor.h"
#include "graphics/ComponentTransform.h"

namespace Velmora::Ai {

void ChaseBehavior::Deserialize(ValueCursor& cursor) { cursor >> mReactionTime >> mSearchPause; }

void ChaseBehavior::SetFlags(uint32_t mask) {
    Behavior::SetFlags(mask);
    uint32_t excluded = 0;
    if (mask & kFlagReacting) excluded |= kFlagSpotted;
    if (mask & kFlagPursue) excluded |= kFlagReacting | kFlagLastKnown | kFlagFollowPath;
    if (mask & (kFlagPlanPath | kFlagFollowPath)) excluded |= kFlagPursue;
    if (mask & kFlagLastKnown) excluded |= kFlagPursue | kFlagPlanPath;
    mBehaviorFlags &= ~excluded;
}

void ChaseBehavior::ClearFlags(uint32_t mask) {
    const bool oneState = mask != 0 && (mask & (mask - 1)) == 0 && (mask & kStateFlags) == mask;
    if (oneState) Behavior::ClearFlags(mask);
}

void ChaseBehavior::HandleMessage(Message& message) {
    if (const auto* visible = MessageCast<MessageEntityVisible>(message)) {
        const Graphics::ComponentTransform* transform = GetTransform();
        if (mTarget != 0 && visible->mId == mTarget) {
            SetFlags(kFlagVisible);
            const Entity* target = FindLiveEntity(mTarget);
            const auto* seen = target ? target->GetComponent<Graphics::ComponentTransform>() : nullptr;
            if (HasFlags(kFlagLastKnown) && transform && seen &&
                !IsSegmentBlocked(transform->mPosition, seen->mPosition)) {
                RemoveLanes(kLanesMoveAndTurn);
                SetFlags(kFlagPursue);
            }
            return;
        }
        const Entity* player = GetAiHost().GetPlayer();
        if (mTarget != 0 || !player || visible->mId != static_cast<uint32_t>(player->GetId())) return;
        RemoveLanes(kLanesMoveAndTurn);
        mTarget = visible->mId;
        SetFlags(kFlagVisible);
        SetFlags(kFlagSpotted);
        SetBlocking(true);
    } else if (const auto* hidden = MessageCast<MessageEntityHidden>(message)) {
        if (mTarget != 0 && hidden->mId == mTarget) ClearFlags(kFlagVisible);
    }
}

bool ChaseBehavior::Update(double dt) {
    const Graphics::ComponentTransform* transform = GetTransform();
    if (mTarget == 0 || !transform) return false;
    const Vector2 position = transform->mPosition;
    if (HasFlags(kFlagVisible)) {
        const Entity* target = FindLiveEntity(mTarget);
        if (const auto* seen = target ? target->GetComponent<Graphics::ComponentTransform>() : nullptr) {
            mLastKnownPosition = seen->mPosition;
            mLastKnownFacing = seen->mDirection;
            mSearched = false;
        }
    }
    if (React(dt)) return false;
    if (HasFlags(kFlagFollowPath) && !HasFlags(kFlagVisible)) SetFlags(kFlagPursue);
    if (HasFlags(kFlagLastKnown)) ClearFlags(kFlagLastKnown);
    if (HasFlags(kFlagPursue)) Pursue(position);
    if (HasFlags(kFlagPlanPath)) PlanPath(position);
    if ((mBehaviorFlags & kStateFlags) == 0) Stop();
    return false;
}

// The sighting and the reaction before the chase; true while they take the step.
bool ChaseBehavior::React(double dt) {
    if (HasFlags(kFlagSpotted)) {
        InsertInFront(new EmoteBehavior(mEntity, kLaneBehavior, "exclamation"));
        if (ComponentPerception* perception = GetPerception()) perception->UseAlertSet();
        mReactionTimer = 0.0;
        SetFlags(kFlagReacting);
        return true;
    }
    if (!HasFlags(kFlagReacting)) return false;
    if (mReactionTimer < mReactionTime) {
        if (HasFlags(kFlagVisible)) {
            RemoveLanes(kLaneFacing);
            const Graphics::ComponentTransform* transform = GetTransform();
            const Vector2 toTarget = transform ? (mLastKnownPosition - transform->mPosition).Normalized() : Vector2();
            InsertInFront(new TurnBehavior(mEntity, kLaneFacing | kLaneBehavior, toTarget));
        }
    } else {
        ChaseStart start;
        Announce(start);
        SetFlags(kFlagPursue);
    }
    mReactionTimer += dt;
    return true;
}

void ChaseBehavior::Pursue(const Vector2& position) {
    if (IsSegmentBlocked(position, mLastKnownPosition)) {
        SetFlags(kFlagPlanPath);
        return;
    }
    RemoveLanes(kLanesMoveAndTurn);
    if (HasFlags(kFlagVisible)) {
        InsertInFront(new FollowBehavior(mEntity, mTarget));
        return;
    }
    const ComponentGhost* ghost = GetGhost();
    const double speed = ghost ? ghost->mMoveSpeed : 0.0;
    InsertInFront(new MoveBehavior(mEntity, kLaneMovement | kLaneBehavior, speed, mLastKnownPosition));
    InsertInFront(new TurnBehavior(mEntity, kLaneFacing | kLaneBehavior, mLastKnownFacing));
    SetFlags(kFlagLastKnown);
}

void ChaseBehavior::PlanPath(const Vector2& position) {
    const std::vector<Vector2> path = FindPathTo(mLastKnownPosition);
    // Already standing at the end of the only route there, with the place itself still out of
    // a straight walk (a cell guards may not enter): searching again would loop for ever.
    const bool arrived = !path.empty() && DistanceSquared(position, path.back()) <= kArriveDistanceSquared;
    if (path.empty() || (arrived && mSearched)) {
        ClearFlags(kFlagPlanPath);
        ClearFlags(kFlagFollowPath);
        return;
    }
    const ComponentGhost* ghost = GetGhost();
    const double speed = ghost ? ghost->mMoveSpeed : 0.0;
    RemoveLanes(kLanesMoveAndTurn);
    InsertPathMoves(path, speed);
    InsertInFront(new MoveBehavior(mEntity, kLaneMovement | kLaneBehavior, speed, path.back()));
    InsertInFront(new TurnBehavior(mEntity, kLaneFacing | kLaneBehavior, mLastKnownFacing));
    InsertInFront(new DelayBehavior(mEntity, kLaneFacing | kLaneBehavior, mSearchPause));
    SetFlags(kFlagFollowPath);
    mSearched = true;
}

void ChaseBehavior::Stop() {
    if (ComponentPerception* perception = GetPerception()) perception->UseNormalSet();
    SetBlocking(false);
    mTarget = 0;
    ChaseStop stop;
    Announce(stop);
}

void ChaseBehavior::Announce(Message& message) {
    if (Entity* entity = GetEntity()) entity->HandleMessage(message);
    Game::GetInstance().SendMessage(message);
}

} // namespace Velmora::Ai
