#pragma once

#include "core/Component.h"
#include "core/TComponent.h"

namespace Velmora::Graphics {
class ComponentTransform;
}

namespace Velmora::Logic {

/// A noise generator: every period it sends out a white-noise wave (kind 2) from its position
/// along its facing. The first wave comes on the first logic update; an update longer than the
/// period still makes one wave and carries the rest over. Reads no data; needs a transform.
class ComponentGenerator : public Component, public TComponent<ComponentGenerator> {
    VELMORA_COMPONENT(ComponentGenerator)
public:
    explicit ComponentGenerator(Entity* owner) : Component(owner) {}

    /// MessageEndLevel destroys the entity; MessageUpdateLogic runs the timer.
    void HandleMessage(Message& message) override;
    /// Binds the entity's transform.
    void Initialize() override;

    Graphics::ComponentTransform* mTransform = nullptr; ///< bound in Initialize; not owned
    double mWaveSpread = 360.0;                         ///< degrees
    double mWaveStrength = 5.0;                         ///< the wave's strength (energy = Lifetime × strength)
    double mPeriod = 1.5;                               ///< seconds between waves
    double mTimer = 1.5;                                ///< seconds gathered towards the next wave

private:
    void Update(double dt);
};

} // namespace Velmora::Logic
