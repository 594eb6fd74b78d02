#include "ai/VisibilityRegistry.h"

namespace Velmora::Ai {

bool VisibilityRegistry::AddVisible(uint32_t seer, uint32_t seen) { return mVisible[seer].insert(seen).second; }

bool VisibilityRegistry::RemoveVisible(uint32_t seer, uint32_t seen) {
    const auto it = mVisible.find(seer);
    return it != mVisible.end() && it->second.erase(seen) != 0;
}

std::set<uint32_t> VisibilityRegistry::GetVisible(uint32_t seer) const {
    const auto it = mVisible.find(seer);
    return it != mVisible.end() ? it->second : std::set<uint32_t>();
}

const std::set<uint32_t>* VisibilityRegistry::FindVisible(uint32_t seer) const {
    const auto it = mVisible.find(seer);
    return it != mVisible.end() ? &it->second : nullptr;
}

} // namespace Velmora::Ai
