// Arbitrary bytes as a player's settings file. Whatever the reader keeps stays within its bounds,
// reads as numbers only within the range asked for, and writes back as a file that reads again
// to the same keys.

#include "core/Settings.h"
#include "fuzz/FuzzSupport.h"

using namespace Velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Settings::Keys keys;
    std::string why;
    if (!Settings::Parse(std::string(Tests::Text(data, size)), keys, why)) return 0;
    if (keys.size() > Settings::kMaxKeys) std::abort();
    Settings settings;
    for (const auto& [key, value] : keys) {
        if (key.size() > Settings::kMaxTextLength || value.size() > Settings::kMaxTextLength) std::abort();
        for (const char c : value) {
            if (c < 0x20 || c > 0x7e) std::abort();
        }
        settings.Set(key, value);
        const double number = settings.GetDouble(key, 0.5, 0.0, 1.0);
        const int integer = settings.GetInt(key, 800, 800, 16384);
        if (!(number >= 0.0 && number <= 1.0) || integer < 800 || integer > 16384) std::abort();
    }
    Settings::Keys again;
    if (!Settings::Parse(Settings::Serialize(keys), again, why) || again != keys) std::abort();
    return 0;
}
