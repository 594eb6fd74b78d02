// Arbitrary bytes as XML: the typed values of the root element are read as a guard's perception
// data (angles, ranges, radii, colour; any of them missing, mistyped, huge, negative or not
// finite). The guard then looks at two bodies round it for a few steps in a small room with a
// wall, rebuilds its outlines and draws its cone; nothing may crash, the fixed alpha must hold,
// and every outline point must be finite whenever the current values are (short of overflow).

#include "ai/ComponentPerception.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/FrameMessages.h"
#include "core/ValueCursor.h"
#include "fuzz/FuzzValues.h"
#include "game/LogicManager.h"
#include "graphics/ComponentTransform.h"
#include "graphics/RenderMessages.h"
#include "graphics/Renderer.h"
#include "physics/ComponentBody.h"
#include "physics/PhysicsManager.h"
#include "world/Level.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

using namespace Velmora;

namespace {

// A 6 × 6 room of floor with one cell that blocks sight: no catalogue is loaded, so every id
// reads as floor, and the ray casts' grid is set directly instead.
void UseRoom() {
    static std::vector<TileFlags> sFlags(36, 0);
    static const bool ready = [] {
        auto level = std::make_unique<Logic::Level>();
        level->SetCells(6, 6, std::vector<int32_t>(36, 0));
        Logic::LogicManager::GetInstance().SetLevel(std::move(level));
        sFlags[2 * 6 + 3] = kTileBlocksVision;
        Physics::PhysicsManager::GetInstance().BuildCollisionMap(6, 6, sFlags);
        return true;
    }();
    (void)ready;
}

Entity* SpawnBody(int id, Vector2 position, Vector2 facing) {
    auto* entity = new Entity(id);
    auto* transform = new Graphics::ComponentTransform(entity);
    transform->mPosition = position;
    transform->mDirection = facing;
    entity->AddComponent(transform);
    entity->AddComponent(new Physics::ComponentBody(entity));
    entity->Spawn(nullptr);
    return entity;
}

bool Finite(const Vector2& v) { return std::isfinite(v.x) && std::isfinite(v.y); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ValueList values;
    if (!Tests::ReadRootValues(data, size, values)) return 0;
    UseRoom();

    static int sNextId = 5000;
    Entity* guard = new Entity(++sNextId);
    auto* eyes = new Ai::ComponentPerception(guard);
    ValueCursor cursor(values);
    eyes->Load(cursor);
    if ((eyes->mConeColor >> 24) != Ai::ComponentPerception::kConeAlpha) std::abort();
    auto* transform = new Graphics::ComponentTransform(guard);
    transform->mPosition = {40, 70};
    transform->mDirection = {1, 0.25};
    guard->AddComponent(transform);
    guard->AddComponent(eyes);
    guard->Spawn(nullptr);
    Entity* ahead = SpawnBody(++sNextId, {150, 90}, {0, 1});
    Entity* behind = SpawnBody(++sNextId, {20, 60}, {0, 1});

    Graphics::Renderer renderer([](const Graphics::Batch&) {});
    for (int step = 0; step < 4; ++step) {
        MessageUpdateLogic tick(1.0 / 60.0);
        guard->HandleMessage(tick);
        if (step == 2) eyes->UseAlertSet();
        Graphics::MessageRender render(&renderer);
        guard->HandleMessage(render);
        const bool finite = std::isfinite(eyes->mCurrentFieldOfView) && std::abs(eyes->mCurrentSightRange) < 1e300;
        for (const Vector2& point : eyes->mConePoints) {
            if (finite && !Finite(point)) std::abort();
        }
    }
    renderer.Clear();
    guard->Destroy();
    ahead->Destroy();
    behind->Destroy();
    EntityManager::GetInstance().DestroyPending();
    return 0;
}
