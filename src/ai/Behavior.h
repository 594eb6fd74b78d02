#pragma once

#include "core/Action.h"

#include <cstdint>

namespace Velmora {
class Entity;
class ValueCursor;
} // namespace Velmora

namespace Velmora::Ai {

class ComponentGhost;

/// A guard behaviour: an action in its ghost component's list that knows the entity it belongs
/// to. Behaviours read from archetype data run on the behaviour lane and do not block; the
/// short-lived primitives that behaviours create (move, turn, delay, emote) pick their own lanes
/// and usually block, so that they hold up the behaviour that inserted them in front of itself.
///
/// A behaviour reaches its entity, and through it the transform, body, perception and ghost
/// component, by looking mEntity up in the entity manager each time (the entity may be gone).
class Behavior : public Action {
public:
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

    /// The owning entity, or null once it has been deleted.
    Entity* GetEntity() const;
    /// The owning entity's ghost component, or null.
    ComponentGhost* GetGhost() const;

    uint32_t mEntity;              ///< id of the owning entity
    uint32_t mBehaviorFlags = 0;   ///< the behaviour's own flag bits
};

} // namespace Velmora::Ai
