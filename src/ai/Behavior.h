#pragma once

#include "core/Action.h"
#include "core/Vector2.h"

#include <cstdint>
#include <vector>

namespace Velmora {
class Entity;
class ValueCursor;
} // namespace Velmora

namespace Velmora::Graphics {
class ComponentTransform;
}

namespace Velmora::Physics {
class ComponentBody;
}

namespace Velmora::Ai {

class ComponentGhost;
class ComponentPerception;

/// Lane of the listen behaviour's question mark: it shares no lane with anything, so it neither
/// waits nor holds anybody up.
constexpr uint32_t kLaneEmote = 0x20;
/// Movement and turning together: what every re-plan clears first.
constexpr uint32_t kLanesMoveAndTurn = kLaneMovement | kLaneFacing;

/// A guard behaviour: an action in its ghost component's list that knows the entity it belongs
/// to. Behaviours read from archetype data run on the behaviour lane and do not block; the
/// short-lived primitives that behaviours create (move, turn, delay, emote) pick their own lanes
/// and usually block, so that they hold up the behaviour that inserted them in front of itself.
///
/// A behaviour reaches its entity, and through it the transform, body, perception and ghost
/// component, by looking mEntity up in the entity manager each time (the entity may be gone).
class Behavior : public Action {
public:
    /// Squared distance (world units²) within which a move counts as arrived.
    static constexpr double kArriveDistanceSquared = 5.0;

    /// A behaviour of the entity with that id, on the given lanes.
    explicit Behavior(uint32_t entity, uint32_t lanes = kLaneBehavior, bool blocking = false);

    /// Reads the behaviour's parameters from the archetype data, leaving the cursor on the next
    /// behaviour's name. Reads nothing by default.
    virtual void Deserialize(ValueCursor&) {}
    /// mBehaviorFlags |= mask.
    virtual void SetFlags(uint32_t mask) { mBehaviorFlags |= mask; }
    /// mBehaviorFlags &= ~mask.
    virtual void ClearFlags(uint32_t mask) { mBehaviorFlags &= ~mask; }
    /// True when any bit of the mask is set in mBehaviorFlags.
    virtual bool HasFlags(uint32_t mask) const { return (mBehaviorFlags & mask) != 0; }

    /// The owning entity, or null once it has been destroyed.
    Entity* GetEntity() const;
    /// The owning entity's ghost component, or null.
    ComponentGhost* GetGhost() const;
    /// The owning entity's transform, or null.
    Graphics::ComponentTransform* GetTransform() const;
    /// The owning entity's body, or null.
    Physics::ComponentBody* GetBody() const;
    /// The owning entity's perception, or null.
    ComponentPerception* GetPerception() const;

    /// True when a guard walking from a to b would meet a cell that blocks guards.
    static bool IsSegmentBlocked(const Vector2& a, const Vector2& b);
    /// The live (not destroyed) entity of an id, or null.
    static Entity* FindLiveEntity(uint32_t id);

    uint32_t mEntity;              ///< id of the owning entity
    uint32_t mBehaviorFlags = 0;   ///< the behaviour's own flag bits

protected:
    /// Links an action (which the list then owns) directly in front of this behaviour in the
    /// ghost's list; deletes it when there is no ghost. Several inserts run in insertion order.
    void InsertInFront(Action* action);
    /// Removes every action of the ghost's list on a lane of the mask.
    void RemoveLanes(uint32_t mask);
    /// Sets or clears the blocking bit.
    void SetBlocking(bool blocking);
    /// Turns a path into straight moves in front of this behaviour: a move to the point before
    /// each point that cannot be walked to in a straight line from the last corner. Returns the
    /// number of moves inserted.
    int InsertPathMoves(const std::vector<Vector2>& path, double speed);
    /// The guard's path to a point over the level's graph; empty without a graph or a route.
    std::vector<Vector2> FindPathTo(const Vector2& goal) const;
    /// Sets the body's velocity (no body: nothing).
    void SetVelocity(const Vector2& velocity) const;
};

} // namespace Velmora::Ai
