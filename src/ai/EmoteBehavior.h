#pragma once

#include "ai/Behavior.h"

#include <string>

namespace Velmora::Ai {

/// Shows an emote over the guard: on start it builds an entity of the named archetype, stands it
/// upright and attaches its ComponentEmote to the guard (which plays the emote's sound). Finished
/// once it has run for the emote's lifetime; the emote entity is destroyed with the behaviour.
/// Does not block.
class EmoteBehavior : public Behavior {
public:
    /// An emote of archetype `archetype` ("exclamation", "question") on the given lanes.
    EmoteBehavior(uint32_t entity, uint32_t lanes, std::string archetype)
        : Behavior(entity, lanes, false), mArchetype(std::move(archetype)) {}
    /// Destroys the emote entity if it still exists.
    ~EmoteBehavior() override;

    /// Builds and attaches the emote.
    void OnStart() override;
    bool Update(double dt) override;

    std::string mArchetype; ///< the emote's archetype name
    uint32_t mEmote = 0;    ///< id of the emote entity; 0 until built
};

} // namespace Velmora::Ai
