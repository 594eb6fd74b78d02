// Arbitrary bytes as XML: the typed values of the root element are read as a guard's ghost
// data (behaviour names and their parameters, read by the real behaviours) and as its spawn data
// (waypoint names). The reading must end (at the end of the data or just past an
// "EndBehaviors") and build at most one behaviour per name read; then the guard, spawned with a
// body beside a player in a small room, must live through logic ticks, sound waves, sightings
// and the end of its level without trouble.

#include "ai/ComponentGhost.h"
#include "ai/PerceptionMessages.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/FrameMessages.h"
#include "core/ValueCursor.h"
#include "fuzz/FuzzValues.h"
#include "game/ComponentPlayer.h"
#include "game/LogicManager.h"
#include "graphics/ComponentTransform.h"
#include "physics/ComponentBody.h"
#include "world/Level.h"
#include "world/LevelMessages.h"
#include "world/SoundwaveMessages.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

using namespace Velmora;

namespace {

size_t CountStrings(const ValueList& values) {
    size_t count = 0;
    for (const Value& value : values) count += value.Is(ValueType::String) ? 1 : 0;
    return count;
}

// A 6 × 6 room of floor (no catalogue is loaded, so every id reads as open floor).
void UseRoom() {
    static const bool ready = [] {
        auto level = std::make_unique<Logic::Level>();
        level->SetCells(6, 6, std::vector<int32_t>(36, 0));
        Logic::LogicManager::GetInstance().SetLevel(std::move(level));
        return true;
    }();
    (void)ready;
}

Entity* SpawnBody(int id, Vector2 position) {
    auto* entity = new Entity(id);
    auto* transform = new Graphics::ComponentTransform(entity);
    transform->mPosition = position;
    transform->mDirection = {1, 0};
    entity->AddComponent(transform);
    entity->AddComponent(new Physics::ComponentBody(entity));
    entity->AddComponent(new Logic::ComponentPlayer(entity)); // so that chases and alarms take it
    entity->Spawn(nullptr);
    return entity;
}

void Exercise(Entity& guard, uint32_t other) {
    Logic::MessageBeginLevel begin;
    guard.HandleMessage(begin);
    for (int step = 0; step < 8; ++step) {
        MessageUpdateLogic tick(0.25);
        guard.HandleMessage(tick);
        Logic::MessageSoundwaveCollision wave(3.0 * step - 9.0, 4.0, step % 2 ? Logic::kSound : Logic::kWhite);
        guard.HandleMessage(wave);
        Ai::MessageEntityVisible visible(other);
        Ai::MessageEntityHidden hidden(other);
        if (step % 3 == 0) guard.HandleMessage(visible);
        if (step % 3 == 2) guard.HandleMessage(hidden);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ValueList values;
    if (!Tests::ReadRootValues(data, size, values)) return 0;
    UseRoom();

    static int sNextId = 1000;
    Entity* player = SpawnBody(++sNextId, {100, 100});
    Entity* guard = new Entity(++sNextId);
    auto* ghost = new Ai::ComponentGhost(guard);
    ValueCursor cursor(values);
    ghost->Load(cursor);
    const size_t stop = cursor.GetIndex();
    const bool afterEnd =
        stop > 0 && values[stop - 1].Is(ValueType::String) && values[stop - 1].GetString() == "EndBehaviors";
    if (!cursor.IsAtEnd() && !afterEnd) std::abort();
    if (ghost->mActions.GetCount() > CountStrings(values)) std::abort();
    auto* transform = new Graphics::ComponentTransform(guard);
    transform->mPosition = {60, 60};
    transform->mDirection = {0, 1};
    guard->AddComponent(transform);
    guard->AddComponent(new Physics::ComponentBody(guard));
    guard->AddComponent(ghost);
    guard->Spawn(&values);
    if (ghost->mWaypointNames.size() != values.size()) std::abort();
    Exercise(*guard, static_cast<uint32_t>(player->GetId()));

    Logic::MessageEndLevel end;
    EntityManager::GetInstance().SendToAll(end);
    player->Destroy();
    EntityManager::GetInstance().DestroyPending();
    return 0;
}
