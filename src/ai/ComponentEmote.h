#pragma once

#include "audio/AudioManager.h"
#include "core/Component.h"
#include "core/TComponent.h"
#include "core/Vector2.h"

#include <cstdint>

namespace Velmora::Graphics {
class ComponentTransform;
}

namespace Velmora::Ai {

/// An icon over a guard ("!" or "?") that keeps a fixed offset from the entity it follows and
/// plays its sound when attached. Made and ended by EmoteBehavior; also ends with the level.
///
/// Archetype data, in order: lifetime (seconds), offset x, offset y (world units), sound name
/// (empty for none).
class ComponentEmote : public Component, public TComponent<ComponentEmote> {
    VELMORA_COMPONENT(ComponentEmote)
public:
    /// An emote that follows nobody, with no sound and no lifetime.
    explicit ComponentEmote(Entity* owner) : Component(owner) {}

    /// MessageUpdateLogic: follows; Logic::MessageEndLevel: destroys its entity.
    void HandleMessage(Message& message) override;
    /// Caches the owner's transform.
    void Initialize() override;
    /// Reads the four values (see the class comment).
    void Load(ValueCursor& cursor) override;

    /// Follows the entity of that id from now on: moves to it at once and plays the sound.
    void Attach(uint32_t entity);
    /// Moves to the followed entity's position plus the offset; stays put when it is gone.
    void Follow();

    Graphics::ComponentTransform* mTransform = nullptr; ///< cached in Initialize; not owned
    Audio::SoundHandle mSample = nullptr;               ///< played on Attach; null for none
    uint32_t mFollowed = 0;                             ///< entity id; 0 for none
    Vector2 mOffset;                                    ///< from the followed entity's position, world units
    double mLifetime = 0.0;                             ///< seconds its behaviour keeps it
};

} // namespace Velmora::Ai
