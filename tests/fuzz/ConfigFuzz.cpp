// Arbitrary bytes as config.xml through the configuration reader, as the program reads it first
// thing at start-up: it must accept or refuse the file without crashing, whatever its nesting.
#include "core/Config.h"
#include "fuzz/FuzzSupport.h"

#include <string.h>

using namespace Velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Nothing in reading the file may be fatal.
    [[maybe_unused]] static const bool quiet = Tests::QuietLog([] { std::abort(); });
    static const std::string path = Tests::ScratchFolder("config") + "/config.xml";
    const bool accepted = LoadConfigFile(Tests::WriteInput(path, data, size));
    // A file the reader accepts holds a <config> element.
    if (accepted && memmem(data, size, "config", 6) == nullptr) std::abort();
    return 0;
}
