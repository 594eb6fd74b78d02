// Arbitrary bytes as a campaign file through the campaign reader, from a file (as the game
// reads it) and from text. Both must agree whenever the bytes hold no NUL (text parsing stops at
// the first one), and no level name may contain a byte the file did not.

#include "fuzz/FuzzSupport.h"
#include "world/CampaignFile.h"

#include <cstring>
#include <vector>

using namespace Velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = Tests::ScratchFolder("campaign") + "/campaign.xml";
    const std::vector<std::string> fromFile = Logic::CampaignFile::ReadLevelNames(Tests::WriteInput(path, data, size));
    const std::vector<std::string> fromText =
        Logic::CampaignFile::ParseLevelNames(std::string(Tests::Text(data, size)));
    if (std::memchr(data, 0, size) == nullptr && size > 0 && fromFile != fromText) std::abort();
    for (const std::string& name : fromFile) {
        if (name.size() > size) std::abort();
    }
    return 0;
}
