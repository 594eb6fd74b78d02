#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>

namespace Velmora::Ai {

/// Who sees whom: for each seeing entity (by id) the ids of the entities it currently sees.
/// Perception fills and empties it and sends its visibility messages on the changes it reports;
/// it is the only memory of who sees whom. Owned by the logic manager.
class VisibilityRegistry {
public:
    /// Records that `seer` sees `seen`. True only when the pair was not recorded yet.
    bool AddVisible(uint32_t seer, uint32_t seen);
    /// Forgets that `seer` sees `seen`. True only when the pair was recorded.
    bool RemoveVisible(uint32_t seer, uint32_t seen);
    /// A copy of the ids `seer` sees, in ascending order; empty for a seer never recorded.
    std::set<uint32_t> GetVisible(uint32_t seer) const;
    /// The ids `seer` sees, without copying; null for a seer never recorded. Valid until the
    /// registry changes.
    const std::set<uint32_t>* FindVisible(uint32_t seer) const;
    /// Forgets everything (a level ends, the system shuts down).
    void Clear() { mVisible.clear(); }
    /// Number of seers with at least one entry ever recorded and not cleared.
    size_t GetSeerCount() const { return mVisible.size(); }

private:
    std::map<uint32_t, std::set<uint32_t>> mVisible;
};

} // namespace Velmora::Ai
