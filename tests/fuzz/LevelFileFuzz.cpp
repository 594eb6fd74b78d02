// Arbitrary bytes as a level file through the level reader, without textures, GL or a sound
// device. A level that loads is shattered, has a door opened and closed, is drawn into batches
// that are never sent to GL, and is written and read back: the second reading must give the
// same grid, the same number of spawns and the same triggers (events, rules and callback
// sources; each callback compiled in the script manager's state, never run).

#include "fuzz/FuzzSupport.h"
#include "graphics/Renderer.h"
#include "world/Level.h"
#include "world/LevelFile.h"
#include "world/TileManager.h"
#include "world/TriggerFile.h"

#include <fstream>

using namespace Velmora;

namespace {

// A catalogue with the fixed tiles the level code knows: floor, stone, glass, shattered glass,
// metal (another group), the exit, the fences and both doors.
const char* const kTiles = R"(<tiles>
<tile id='0'><name>Floor</name><texture>a</texture></tile>
<tile id='1'><name>Stone</name><group>1</group><flags blkplayer='1' blkenemy='1' blkvision='1' blksound='1'/><texture>a</texture></tile>
<tile id='2'><name>Glass</name><group>2</group><flags blkplayer='1' blkenemy='1' blksound='1' shatters='1'/><texture>a</texture></tile>
<tile id='3'><name>Carpet</name><texture>a</texture></tile>
<tile id='4'><name>Shattered</name><texture>a</texture></tile>
<tile id='5'><name>Metal</name><group>3</group><flags blkplayer='1' blkenemy='1' blkvision='1' blksound='1'/><texture>a</texture></tile>
<tile id='6'><name>F</name><texture>a</texture></tile>
<tile id='7'><name>F</name><texture>a</texture></tile>
<tile id='8'><name>Exit</name><texture>a</texture></tile>
<tile id='9'><name>Fence</name><flags blkplayer='1'/><texture>a</texture></tile>
<tile id='10'><name>Barrier</name><flags blkenemy='1'/><texture>a</texture></tile>
<tile id='11'><name>Door</name><flags blkplayer='1' blkenemy='1' blkvision='1' blksound='1'/><texture>a</texture></tile>
<tile id='12'><name>Open</name><texture>a</texture></tile>
</tiles>)";

struct Setup {
    std::string mLevelPath;
    std::string mCopyPath;
    Logic::TileManager mTiles;
};

Setup& GetSetup() {
    static Setup* setup = [] {
        const std::string& root = Tests::ScratchFolder("level");
        Tests::QuietLog();
        auto* made = new Setup{root + "/fuzz.xml", root + "/copy.xml", {}};
        std::ofstream(root + "/tiles.xml") << kTiles;
        made->mTiles.LoadCatalogue(root + "/tiles.xml", nullptr);
        if (made->mTiles.GetTileCount() != 13) std::abort();
        return made;
    }();
    return *setup;
}

bool SameTriggers(const Logic::TriggerList& a, const Logic::TriggerList& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].mEvent != b[i].mEvent || a[i].mRules != b[i].mRules || a[i].mSource != b[i].mSource) return false;
        if (!b[i].mCallback.IsValid()) return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Setup& setup = GetSetup();
    Tests::WriteInput(setup.mLevelPath, data, size);
    const std::unique_ptr<Logic::Level> level = Logic::LevelFile::ReadLevel(setup.mLevelPath, "fuzz", &setup.mTiles);
    if (!level) return 0;
    const int w = level->GetWidth(), h = level->GetHeight();
    const std::vector<int32_t> stored = level->GetStoredCells();
    const size_t spawns = level->GetSpawnList().size();
    level->ShatterTile(w / 2, h / 2);
    level->OpenDoor(0, 0);
    level->OpenDoor(w - 1, h - 1);
    level->CloseDoor(w - 1, h - 1);
    Graphics::Renderer renderer([](const Graphics::Batch&) {});
    level->Render(renderer, -50.0, -50.0, 400.0, 300.0);
    {
        std::ofstream out(setup.mCopyPath, std::ios::binary);
        Logic::LevelFile::WriteLevel(*level, out);
    }
    const std::unique_ptr<Logic::Level> copy = Logic::LevelFile::ReadLevel(setup.mCopyPath, "fuzz", &setup.mTiles);
    if (!copy || copy->GetWidth() != w || copy->GetHeight() != h) std::abort();
    if (copy->GetStoredCells() != stored || copy->GetSpawnList().size() != spawns) std::abort();
    if (!SameTriggers(level->GetTriggers(), copy->GetTriggers())) std::abort();
    return 0;
}
