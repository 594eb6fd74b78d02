#include "ai/ComponentGhost.h"

#include "core/Entity.h"
#include "core/FrameMessages.h"
#include "core/LogRecord.h"
#include "core/ValueCursor.h"
#include "graphics/ComponentTransform.h"
#include "world/LevelMessages.h"

namespace Velmora::Ai {

namespace {

const char* const kEndBehaviors = "EndBehaviors";

using BehaviorCreator = std::unique_ptr<Behavior> (*)(uint32_t entity);

struct BehaviorEntry {
    const char* mName;
    BehaviorCreator mCreate;  // null while the behaviour's class is not part of the game yet
};

// The names archetype data may use. The guard behaviours put their creators here.
const BehaviorEntry kBehaviors[] = {
    {"BehaviorAlarm", nullptr}, {"BehaviorChase", nullptr},  {"BehaviorGuard", nullptr},
    {"BehaviorPan", nullptr},   {"BehaviorPatrol", nullptr}, {"BehaviorListen", nullptr},
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
        if (name == entry.mName) return entry.mCreate ? entry.mCreate(entity) : nullptr;
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
        mActions.HandleMessage(message);
    }
}

void ComponentGhost::Initialize() {
    mTransform = mOwner->GetComponent<Graphics::ComponentTransform>();
    mBody = mOwner->GetComponent("ComponentBody");
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
