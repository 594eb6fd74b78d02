#pragma once

#include "ai/Behavior.h"
#include "core/ActionList.h"
#include "core/Component.h"
#include "core/TComponent.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Velmora::Graphics {
class ComponentTransform;
}

namespace Velmora::Physics {
class ComponentBody;
}

namespace Velmora::Ai {

/// A guard's mind: the action list of its behaviours, built from the archetype data, run once
/// per logic tick and handed every other message of the entity.
///
/// Archetype data, in order: catches the player (integer, non-zero true), move speed (world
/// units per second), turn speed (radians per second), one string that is ignored, then any
/// number of behaviour entries — a behaviour name followed by that behaviour's own parameters —
/// ended by the string "EndBehaviors". Data order is list order. A name CreateBehavior does not
/// know ends the list with a log line on "CORE": its parameters cannot be told apart from the
/// next name, so the loader skips everything up to "EndBehaviors" and the archetype's other
/// components still load. Spawn data: waypoint names (every value read as a string).
///
/// Messages: MessageUpdateLogic runs the list for one tick; Logic::MessageSpawned is ignored;
/// Logic::MessageEndLevel destroys the entity (deferred) and goes no further; every other
/// message is dispatched to the list. While the "Debug/Behaviors" switch is on, each
/// Graphics::MessageRender also draws the moves the guard has planned.
class ComponentGhost : public Component, public TComponent<ComponentGhost> {
    VELMORA_COMPONENT(ComponentGhost)
public:
    /// Makes a behaviour for an entity id; stands in for CreateBehavior while loading.
    using BehaviorFactory = std::function<std::unique_ptr<Behavior>(const std::string& name, uint32_t entity)>;

    /// An empty ghost of the owner: no behaviours, speeds 0, catches nobody.
    explicit ComponentGhost(Entity* owner);

    /// Runs the list on logic ticks, destroys the entity at the end of the level, dispatches
    /// the rest to the list.
    void HandleMessage(Message& message) override;
    /// Caches the entity's transform and body components.
    void Initialize() override;
    /// Reads the archetype data (see the class comment) and builds the behaviours.
    void Load(ValueCursor& cursor) override;
    /// Appends every spawn value, read as a string, to mWaypointNames.
    void LoadInstance(ValueCursor& cursor) override;
    /// Deletes every action of the list.
    void Deinitialize() override;

    /// A new behaviour for the name, given the entity id, or null for a name that is not one of
    /// "BehaviorAlarm", "BehaviorChase", "BehaviorGuard", "BehaviorPan", "BehaviorPatrol",
    /// "BehaviorListen" (compared exactly).
    static std::unique_ptr<Behavior> CreateBehavior(const std::string& name, uint32_t entity);
    /// Replaces CreateBehavior for the loading of archetype data (tests); null restores it.
    static void SetBehaviorFactory(BehaviorFactory factory);

    Graphics::ComponentTransform* mTransform = nullptr;  ///< the entity's transform, cached in Initialize
    Physics::ComponentBody* mBody = nullptr;  ///< the entity's body, cached in Initialize
    double mMoveSpeed = 0.0;          ///< world units per second, for movement actions
    double mTurnSpeed = 0.0;          ///< radians per second, for turning actions
    bool mCatchesPlayer = false;      ///< touching this entity loses the level
    std::vector<std::string> mWaypointNames;  ///< patrol route, from the spawn data
    ActionList mActions;              ///< the behaviours and their primitives; owned

private:
    void LoadBehaviors(ValueCursor& cursor);
    void DrawPlan() const;
    static BehaviorFactory& Factory();
};

} // namespace Velmora::Ai
