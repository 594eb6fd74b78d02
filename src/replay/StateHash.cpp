#include "replay/StateHash.h"

#include "core/Entity.h"
#include "core/EntityManager.h"
#include "game/LogicManager.h"
#include "graphics/ComponentTransform.h"
#include "physics/ComponentBody.h"
#include "world/Level.h"

#include <bit>
#include <cstdio>

namespace Velmora::Replay {

void Hasher::Bytes(const void* data, size_t count) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < count; ++i) mHash = (mHash ^ bytes[i]) * 1099511628211ull;
}

void Hasher::Double(double value) {
    // +0 and -0 compare equal and mean the same place; hash them alike.
    const uint64_t bits = value == 0.0 ? 0 : std::bit_cast<uint64_t>(value);
    Int(static_cast<int64_t>(bits));
}

void Hasher::Int(int64_t value) {
    unsigned char bytes[8];
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<unsigned char>(static_cast<uint64_t>(value) >> (8 * i));
    Bytes(bytes, sizeof bytes);
}

void Hasher::Text(std::string_view text) {
    Int(static_cast<int64_t>(text.size()));
    Bytes(text.data(), text.size());
}

namespace {

void HashBodies(Hasher& hash) {
    for (const Entity* entity = EntityManager::GetInstance().GetFirst(); entity; entity = entity->GetNext()) {
        if (entity->IsDestroyed() || !entity->GetComponent<Physics::ComponentBody>()) continue;
        const auto* transform = entity->GetComponent<Graphics::ComponentTransform>();
        if (!transform) continue;
        hash.Double(transform->mPosition.x);
        hash.Double(transform->mPosition.y);
        hash.Double(transform->mDirection.x);
        hash.Double(transform->mDirection.y);
    }
}

void HashCounters(Hasher& hash, const Logic::GameCounters& counters) {
    for (const int value : {counters.mSeen, counters.mShatter, counters.mTicks, counters.mSteps, counters.mShots,
                            counters.mShockwaves, counters.mMacGuffin}) {
        hash.Int(value);
    }
    hash.Double(counters.mPlayTime);
}

} // namespace

uint64_t StateHash(RunResult result) {
    Hasher hash;
    HashBodies(hash);
    Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    if (const Logic::Level* level = logic.GetLevel()) {
        hash.Int(level->GetWidth());
        hash.Int(level->GetHeight());
        for (const int32_t cell : level->GetLiveCells()) hash.Int(cell);
    }
    HashCounters(hash, logic.GetLevelCounters());
    hash.Int(static_cast<int>(result));
    return hash.Get();
}

std::string HashText(uint64_t hash) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

} // namespace Velmora::Replay
