// Arbitrary bytes as data/misc/preload.xml through the preload list reader (parsing only: nothing
// is loaded). Whatever it accepts must be a list of known kinds within the entry limit, and
// reading the same bytes again must give the same list.

#include "fuzz/FuzzSupport.h"
#include "screens/PreloadList.h"

#include <vector>

using namespace Velmora;
using Logic::PreloadEntry;
using Logic::PreloadList;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Nothing in reading a list may be fatal.
    [[maybe_unused]] static const bool quiet = Tests::QuietLog([] { std::abort(); });
    std::vector<PreloadEntry> entries = {{Logic::PreloadKind::kSample, "stale", "stale"}};
    const bool read = PreloadList::Parse(Tests::Text(data, size), "fuzz.xml", entries);
    if (!read && !entries.empty()) std::abort(); // a failed read leaves nothing to load
    if (entries.size() > PreloadList::kMaxEntries) std::abort();
    std::vector<PreloadEntry> again;
    if (PreloadList::Parse(Tests::Text(data, size), "fuzz.xml", again) != read || again.size() != entries.size()) {
        std::abort();
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        if (std::string(PreloadList::KindName(entries[i].mKind)).empty()) std::abort();
        const PreloadEntry& a = entries[i];
        const PreloadEntry& b = again[i];
        if (a.mKind != b.mKind || a.mPath != b.mPath || a.mMessage != b.mMessage) std::abort();
    }
    return 0;
}
