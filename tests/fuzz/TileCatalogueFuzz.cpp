// Arbitrary bytes as data/misc/tiles.xml through the catalogue reader. Every fault in the file is
// fatal; the fatal handler throws and the throw is caught here. Whatever loads must be a
// catalogue of consecutive ids whose lookups stay in range.

#include "fuzz/FuzzSupport.h"
#include "world/TileManager.h"

using namespace Velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    [[maybe_unused]] static const bool quiet = Tests::QuietLog(Tests::FuzzFatalThrows);
    static const std::string path = Tests::ScratchFolder("tiles") + "/tiles.xml";
    Logic::TileManager tiles;
    int requests = 0;
    try {
        tiles.LoadCatalogue(Tests::WriteInput(path, data, size), [&requests](const std::string&) {
            ++requests;
            return nullptr;
        });
    } catch (const Tests::FuzzFatal&) {
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
