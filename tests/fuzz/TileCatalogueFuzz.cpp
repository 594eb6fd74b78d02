// Arbitrary bytes as data/misc/tiles.xml through the catalogue reader. Every fault in the file is
// fatal; the fatal handler throws and the throw is caught here. Whatever loads must be a
// catalogue of consecutive ids whose lookups stay in range.

#include "core/LogRecord.h"
#include "world/TileManager.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace Velmora;

namespace {

struct FuzzFatal {};

const std::string& CataloguePath() {
    static const std::string path = [] {
        char pattern[] = "/tmp/velmora-tiles-fuzz-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        static const std::string root = pattern;
        std::atexit([] { std::filesystem::remove_all(root); });
        LogRecord::SetCriticalHandler([](const std::string&) {});
        LogRecord::SetFatalHandler([] { throw FuzzFatal(); });
        return root + "/tiles.xml";
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = CataloguePath();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);

    Logic::TileManager tiles;
    int requests = 0;
    try {
        tiles.LoadCatalogue(path, [&requests](const std::string&) {
            ++requests;
            return nullptr;
        });
    } catch (const FuzzFatal&) {
        // A rejected file; the tiles read before the fault stay and must be sound too.
    }
    if (requests < tiles.GetTileCount()) std::abort();
    for (int id = 0; id < tiles.GetTileCount(); ++id) {
        if (!tiles.GetTile(id) || tiles.GetTile(id)->mId != id) std::abort();
        if (tiles.GetFlags(id) & ~0x1Fu) std::abort();
    }
    if (tiles.GetTile(tiles.GetTileCount()) || tiles.GetTile(-1)) std::abort();
    return 0;
}
