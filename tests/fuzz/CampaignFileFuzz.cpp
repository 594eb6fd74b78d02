// Arbitrary bytes as a campaign file through the campaign reader, from a file (as the game
// reads it) and from text. Both must agree whenever the bytes hold no NUL (text parsing stops at
// the first one), and no level name may contain a byte the file did not.

#include "world/CampaignFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using namespace Velmora;

namespace {

const std::string& FilePath() {
    static const std::string* path = [] {
        char pattern[] = "/tmp/velmora-campaign-fuzz-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        static const std::string root = pattern;
        std::atexit([] { std::filesystem::remove_all(root); });
        return new std::string(root + "/campaign.xml");
    }();
    return *path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = FilePath();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
    const std::vector<std::string> fromFile = Logic::CampaignFile::ReadLevelNames(path);
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> fromText = Logic::CampaignFile::ParseLevelNames(text);
    if (std::memchr(data, 0, size) == nullptr && size > 0 && fromFile != fromText) std::abort();
    for (const std::string& name : fromFile) {
        if (name.size() > size) std::abort();
    }
    return 0;
}
