#include "ai/ComponentGhost.h"

#include "ai/AiHost.h"
#include "ai/AlarmBehavior.h"
#include "ai/ChaseBehavior.h"
#include "ai/GuardBehavior.h"
#include "ai/ListenBehavior.h"
#include "ai/MoveBehavior.h"
#include "ai/PanBehavior.h"
#include "ai/PatrolBehavior.h"
#include "physics/ComponentBody.h"

#include "core/Entity.h"
#include "core/FrameMessages.h"
#include "core/LogRecord.h"
#include "core/ValueCursor.h"
#include "graphics/ComponentTransform.h"
#include "graphics/DebugDrawManager.h"
#include "graphics/RenderMessages.h"
#include "world/LevelMessages.h"

namespace Velmora::Ai {

namespace {

const char* const kEndBehaviors = "EndBehaviors";
constexpr uint32_t kPlanColor = 0xFF40FF40u;  // green
constexpr double kPlanMarkRadius = 4.0;

using BehaviorCreator = std::unique_ptr<Behavior> (*)(uint32_t entity);

struct BehaviorEntry {
    const char* mName;
    BehaviorCreator mCreate;
};

template <class T>
std::unique_ptr<Behavior> Make(uint32_t entity) {
    return std::make_unique<T>(entity);
}

// The names archetype data may use.
const BehaviorEntry kBehaviors[] = {
    {"BehaviorAlarm", Make<AlarmBehavior>}, {"BehaviorChase", Make<ChaseBehavior>},
    {"BehaviorGuard", Make<GuardBehavior>}, {"BehaviorPan", Make<PanBehavior>},
    {"BehaviorPatrol", Make<PatrolBehavior>}, {"BehaviorListen", Make<ListenBehavior>},
};

// Moves the cursor past the list's end marker (or to the end of the data).
void SkipBehaviorList(ValueCursor& cursor) {
    while (!cursor.IsAtEnd()) {
        std::string value;
        cursor >> value;
        if (value == kEndBehaviors) return;
    }
}

} // namespace

ComponentGhost::ComponentGhost(Entity* owner) : Component(owner) {}

ComponentGhost::BehaviorFactory& ComponentGhost::Factory() {
    static BehaviorFactory factory;
    return factory;
}

void ComponentGhost::SetBehaviorFactory(BehaviorFactory factory) { Factory() = std::move(factory); }

std::unique_ptr<Behavior> ComponentGhost::CreateBehavior(const std::string& name, uint32_t entity) {
    for (const BehaviorEntry& entry : kBehaviors) {
        if (name == entry.mName) return entry.mCreate(entity);
    }
    return nullptr;
}

void ComponentGhost::HandleMessage(Message& message) {
    if (const auto* tick = MessageCast<MessageUpdateLogic>(message)) {
        mActions.Update(tick->mDt);
    } else if (message.Is<Logic::MessageSpawned>()) {
        return;
    } else if (message.Is<Logic::MessageEndLevel>()) {
        mOwner->Destroy();
    } else {
        if (message.Is<Graphics::MessageRender>() && GetAiHost().IsDebugOn(AiHost::kDebugBehaviors)) DrawPlan();
        mActions.HandleMessage(message);
    }
}

void ComponentGhost::DrawPlan() const {
    if (!mTransform) return;
    Graphics::DebugDrawManager& draw = Graphics::DebugDrawManager::GetInstance();
    Vector2 from = mTransform->mPosition;
    for (const Action* action = mActions.GetHead(); action; action = action->GetNext()) {
        const auto* move = dynamic_cast<const MoveBehavior*>(action);
        if (!move) continue;
        draw.DrawLine(from.x, from.y, move->mTarget.x, move->mTarget.y, kPlanColor);
        draw.DrawCircle(move->mTarget.x, move->mTarget.y, kPlanMarkRadius, kPlanColor);
        from = move->mTarget;
    }
}

void ComponentGhost::Initialize() {
    mTransform = mOwner->GetComponent<Graphics::ComponentTransform>();
    mBody = mOwner->GetComponent<Physics::ComponentBody>();
}

void ComponentGhost::Load(ValueCursor& cursor) {
    std::string ignored;
    cursor >> mCatchesPlayer >> mMoveSpeed >> mTurnSpeed >> ignored;
    LoadBehaviors(cursor);
}

void ComponentGhost::LoadBehaviors(ValueCursor& cursor) {
    const uint32_t entity = static_cast<uint32_t>(mOwner->GetId());
    while (!cursor.IsAtEnd()) {
        std::string name;  // fresh each time: a value that is not a string leaves it empty
        cursor >> name;
        if (name == kEndBehaviors) return;
        std::unique_ptr<Behavior> behavior = Factory() ? Factory()(name, entity) : CreateBehavior(name, entity);
        if (!behavior) {
            VELMORA_LOG("CORE") << "Unknown behavior `" << name
                                << "` in ghost data; the rest of the behavior list is ignored";
            SkipBehaviorList(cursor);
            return;
        }
        behavior->Deserialize(cursor);
        mActions.PushBack(behavior.release());
    }
    VELMORA_LOG("CORE") << "Ghost data ends without `" << kEndBehaviors << "`";
}

void ComponentGhost::LoadInstance(ValueCursor& cursor) {
    while (!cursor.IsAtEnd()) {
        std::string name;
        cursor >> name;
        mWaypointNames.push_back(name);
    }
}

void ComponentGhost::Deinitialize() { mActions.Clear(); }

} // namespace Velmora::Ai
