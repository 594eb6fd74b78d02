// Arbitrary bytes as XML: the typed values of the root element are read as a gun pickup's data.
// The pickup must read exactly its two values, keep a gun type of 0 … 3 and a respawn delay
// that is a finite number of at least 0, and its cooldown must run down to 0 within the delay
// after being taken, fading its sprite from invisible to whole without leaving 0 … 1.

#include "core/EntityManager.h"
#include "core/FrameMessages.h"
#include "core/ValueCursor.h"
#include "fuzz/FuzzSupport.h"
#include "game/ComponentGunPickup.h"
#include "graphics/ComponentSprite.h"

#include <algorithm>
#include <cmath>

using namespace Velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ValueList values;
    if (!Tests::ReadRootValues(data, size, values)) return 0;
    EntityManager manager;
    Entity entity(1, &manager);
    auto* sprite = new Graphics::ComponentSprite(&entity);
    auto* pickup = new Logic::ComponentGunPickup(&entity);
    entity.AddComponent(sprite);
    entity.AddComponent(pickup);
    ValueCursor cursor(values);
    pickup->Load(cursor);
    if (cursor.GetIndex() != std::min<size_t>(values.size(), 2)) std::abort();
    if (pickup->mGunType < Logic::kGunNone || pickup->mGunType > Logic::kShockGun) std::abort();
    if (!std::isfinite(pickup->mRespawnDelay) || pickup->mRespawnDelay < 0.0) std::abort();
    pickup->Initialize();

    // Taken (as the touch does), then run down in steps of a quarter second.
    const double delay = std::min(pickup->mRespawnDelay, 1e4);
    pickup->mCooldown = delay;
    sprite->mAlpha = 0.0;
    for (int i = 0; i < static_cast<int>(delay / 0.25) + 2; ++i) {
        MessageUpdateLogic tick(0.25);
        pickup->HandleMessage(tick);
        if (!(sprite->mAlpha >= 0.0 && sprite->mAlpha <= 1.0)) std::abort();
    }
    if (pickup->mCooldown != 0.0 || !pickup->IsTakeable()) std::abort();
    if (pickup->mRespawnDelay > 0.0 && sprite->mAlpha != 1.0) std::abort();
    return 0;
}
