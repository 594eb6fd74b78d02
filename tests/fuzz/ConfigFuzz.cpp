// Arbitrary bytes as config.xml through the configuration reader, as the program reads it first
// thing at start-up: it must accept or refuse the file without crashing, whatever its nesting.
#include "core/Config.h"
#include "core/LogRecord.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string.h>
#include <filesystem>
#include <string>

using namespace Velmora;

namespace {

const std::string& ConfigPath() {
    static const std::string path = [] {
        char pattern[] = "/tmp/velmora-config-fuzz-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        static const std::string root = pattern;
        std::atexit([] { std::filesystem::remove_all(root); });
        LogRecord::SetCriticalHandler([](const std::string&) {});
        LogRecord::SetFatalHandler([] { std::abort(); });  // nothing in reading the file may be fatal
        return root + "/config.xml";
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = ConfigPath();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
    const bool accepted = LoadConfigFile(path);
    // A file the reader accepts holds a <config> element.
    if (accepted && memmem(data, size, "config", 6) == nullptr) std::abort();
    return 0;
}
