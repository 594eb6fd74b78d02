// Arbitrary bytes as XML: the root element's typed values read as a guard's ghost data (behaviour
// names and parameters, read by the real behaviours) and spawn data (waypoint names). Reading ends
// at the data's end or just past an "EndBehaviors" and builds at most one behaviour per name; the
// guard, beside a player in a small room, then lives through ticks, sound waves, sightings and
// the end of its level.

#include "ai/ComponentGhost.h"
#include "ai/PerceptionMessages.h"
#include "core/EntityManager.h"
#include "core/FrameMessages.h"
#include "core/ValueCursor.h"
#include "fuzz/FuzzSupport.h"
#include "game/ComponentPlayer.h"
#include "world/LevelMessages.h"
#include "world/SoundwaveMessages.h"

using namespace Velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ValueList values;
    if (!Tests::ReadRootValues(data, size, values)) return 0;
    Tests::UseRoom();

    static int sNextId = 1000;
    Entity* player = Tests::MakeBody(++sNextId, {100, 100}, {1, 0});
    player->AddComponent(new Logic::ComponentPlayer(player)); // so that chases and alarms take it
    player->Spawn(nullptr);
    Entity* guard = Tests::MakeBody(++sNextId, {60, 60}, {0, 1});
    auto* ghost = new Ai::ComponentGhost(guard);
    ValueCursor cursor(values);
    ghost->Load(cursor);
    const size_t stop = cursor.GetIndex();
    const bool afterEnd =
        stop > 0 && values[stop - 1].Is(ValueType::String) && values[stop - 1].GetString() == "EndBehaviors";
    if (!cursor.IsAtEnd() && !afterEnd) std::abort();
    size_t names = 0;
    for (const Value& value : values) names += value.Is(ValueType::String) ? 1 : 0;
    if (ghost->mActions.GetCount() > names) std::abort();
    guard->AddComponent(ghost);
    guard->Spawn(&values);
    if (ghost->mWaypointNames.size() != values.size()) std::abort();

    Logic::MessageBeginLevel begin;
    guard->HandleMessage(begin);
    const uint32_t other = static_cast<uint32_t>(player->GetId());
    for (int step = 0; step < 8; ++step) {
        MessageUpdateLogic tick(0.25);
        guard->HandleMessage(tick);
        Logic::MessageSoundwaveCollision wave(3.0 * step - 9.0, 4.0, step % 2 ? Logic::kSound : Logic::kWhite);
        guard->HandleMessage(wave);
        Ai::MessageEntityVisible visible(other);
        Ai::MessageEntityHidden hidden(other);
        if (step % 3 == 0) guard->HandleMessage(visible);
        if (step % 3 == 2) guard->HandleMessage(hidden);
    }
    Logic::MessageEndLevel end;
    EntityManager::GetInstance().SendToAll(end);
    player->Destroy();
    EntityManager::GetInstance().DestroyPending();
    return 0;
}
