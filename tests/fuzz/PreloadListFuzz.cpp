// Arbitrary bytes as data/misc/preload.xml through the preload list reader (parsing only: nothing
// is loaded). Whatever it accepts must be a list of known kinds within the entry limit, and
// reading the same bytes again must give the same list.

#include "core/LogRecord.h"
#include "screens/PreloadList.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace Velmora;

namespace {

bool Quiet() {
    LogRecord::SetCriticalHandler([](const std::string&) {});
    LogRecord::SetFatalHandler([] { std::abort(); }); // nothing in reading a list may be fatal
    return true;
}

bool SameEntries(const std::vector<Logic::PreloadEntry>& a, const std::vector<Logic::PreloadEntry>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].mKind != b[i].mKind || a[i].mPath != b[i].mPath || a[i].mMessage != b[i].mMessage) return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = Quiet();
    (void)quiet;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<Logic::PreloadEntry> entries = {{Logic::PreloadKind::kSample, "stale", "stale"}};
    const bool read = Logic::PreloadList::Parse(text, "fuzz.xml", entries);
    if (!read && !entries.empty()) std::abort(); // a failed read leaves nothing to load
    if (entries.size() > Logic::PreloadList::kMaxEntries) std::abort();
    for (const Logic::PreloadEntry& entry : entries) {
        if (std::string(Logic::PreloadList::KindName(entry.mKind)).empty()) std::abort();
    }
    std::vector<Logic::PreloadEntry> again;
    if (Logic::PreloadList::Parse(text, "fuzz.xml", again) != read || !SameEntries(entries, again)) std::abort();
    return 0;
}
