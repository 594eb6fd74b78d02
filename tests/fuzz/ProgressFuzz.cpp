// Arbitrary bytes as a progress file. Every entry kept has plain names and values in range, and
// the kept entries write out and read back unchanged.

#include "core/UserFiles.h"
#include "fuzz/FuzzSupport.h"
#include "game/ProgressStore.h"

using namespace Velmora;
using namespace Velmora::Logic;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ProgressStore::Levels levels;
    std::string why;
    if (!ProgressStore::Parse(std::string(Tests::Text(data, size)), levels, why)) return 0;
    if (levels.size() > ProgressStore::kMaxEntries) std::abort();
    for (const auto& [key, progress] : levels) {
        if (!IsPlainFileStem(key.first) || !IsPlainFileStem(key.second)) std::abort();
        if (!(progress.mBestTime >= 0.0 && progress.mBestTime <= ProgressStore::kMaxTime)) std::abort();
        if (progress.mBestMedal < Medal::kNone || progress.mBestMedal > Medal::kGold) std::abort();
    }
    ProgressStore::Levels again;
    if (!ProgressStore::Parse(ProgressStore::Serialize(levels), again, why) || again != levels) std::abort();
    return 0;
}
