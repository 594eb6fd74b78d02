// Arbitrary bytes as config.xml through the configuration reader, as the program reads it first
// thing at start-up: it must accept or refuse the file without crashing, whatever its nesting.
#include "core/Config.h"
#include "core/LogRecord.h"
#include "fuzz/ScratchFile.h"

#include <string.h>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace Velmora;

namespace {

const std::string& ConfigPath() {
    static const std::string path = [] {
        LogRecord::SetCriticalHandler([](const std::string&) {});
        LogRecord::SetFatalHandler([] { std::abort(); }); // nothing in reading the file may be fatal
        return Tests::ScratchFolder("config") + "/config.xml";
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = ConfigPath();
    Tests::WriteInput(path, data, size);
    const bool accepted = LoadConfigFile(path);
    // A file the reader accepts holds a <config> element.
    if (accepted && memmem(data, size, "config", 6) == nullptr) std::abort();
    return 0;
}
