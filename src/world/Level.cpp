#include "world/Level.h"

#include "core/Random.h"
#include "debug/PerformanceManager.h"
#include "graphics/Renderer.h"
#include "physics/PhysicsManager.h"
#include "world/LevelListener.h"
#include "world/TileManager.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace Velmora::Logic {

namespace {

constexpr const char* kShatterSoundNames[3] = {"SFX/Level/ShatterGlass0.ogg", "SFX/Level/ShatterGlass1.ogg",
                                               "SFX/Level/ShatterGlass2.ogg"};

// Visits the connected cells from (x, y) in the order of a depth-first recursion into
// (x−1, y), (x+1, y), (x, y−1), (x, y+1), testing each cell when the recursion would enter it,
// but with an explicit stack: a pane or a door as large as the whole grid cannot overflow the
// call stack. `accept` says whether a cell joins (and must change the cell so that it is not
// accepted twice); `visit` applies the change.
template <class Accept, class Visit>
void VisitConnected(int x, int y, Accept accept, Visit visit) {
    std::vector<std::pair<int, int>> pending{{x, y}};
    while (!pending.empty()) {
        const auto [cx, cy] = pending.back();
        pending.pop_back();
        if (!accept(cx, cy)) continue;
        visit(cx, cy);
        // Pushed in reverse, so (x−1, y) is entered first, as the recursion does.
        pending.emplace_back(cx, cy + 1);
        pending.emplace_back(cx, cy - 1);
        pending.emplace_back(cx + 1, cy);
        pending.emplace_back(cx - 1, cy);
    }
}

LevelListener* sListener = nullptr;

} // namespace

void Level::SetListener(LevelListener* listener) { sListener = listener; }

Level::~Level() { Physics::PhysicsManager::GetInstance().ReleaseGrid(mCellFlags.data()); }

Level::Level(const TileManager* tiles)
    : mTiles(tiles ? *tiles : TileManager::GetInstance()),
      mTileFrames(1),
      mLiveCells(1, kTileFloor),
      mStoredCells(1, kTileFloor),
      mCellFlags(1, mTiles.GetFlags(kTileFloor)) {
    Audio::AudioManager& audio = Audio::AudioManager::GetInstance();
    for (size_t i = 0; i < mShatterSounds.size(); ++i) mShatterSounds[i] = audio.LoadSample(kShatterSoundNames[i]);
}

bool Level::IsValidSize(long long width, long long height) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return false;
    return width * height <= kMaxCells;
}

bool Level::SetCells(int width, int height, const std::vector<int32_t>& cells) {
    if (!IsValidSize(width, height)) return false;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    mWidth = width;
    mHeight = height;
    mStoredCells.assign(count, kTileFloor);
    std::copy_n(cells.begin(), std::min(count, cells.size()), mStoredCells.begin());
    ResetCells();
    return true;
}

void Level::ResetCells() {
    mLiveCells = mStoredCells;
    mCellFlags.resize(mLiveCells.size());
    for (size_t i = 0; i < mLiveCells.size(); ++i) mCellFlags[i] = mTiles.GetFlags(mLiveCells[i]);
    mTileFrames.assign(mLiveCells.size(), TileFrame());
    for (int y = 0; y < mHeight; ++y) {
        for (int x = 0; x < mWidth; ++x) UpdateTileFrame(x, y);
    }
    RebuildMaps();
}

bool Level::ResizeLevel(int width, int height) {
    if (!IsValidSize(width, height)) return false;
    std::vector<int32_t> cells(static_cast<size_t>(width) * static_cast<size_t>(height), kTileFloor);
    const int keepWidth = std::min(width, mWidth);
    const int keepHeight = std::min(height, mHeight);
    for (int y = 0; y < keepHeight; ++y) {
        for (int x = 0; x < keepWidth; ++x) {
            cells[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                mStoredCells[Index(x, y)];
        }
    }
    mWidth = width;
    mHeight = height;
    mStoredCells = std::move(cells);
    ResetCells();
    return true;
}

void Level::SetStoredCell(int x, int y, int id) {
    if (IsInside(x, y)) mStoredCells[Index(x, y)] = id;
}

void Level::PaintCell(int x, int y, int id) {
    if (!IsInside(x, y)) return;
    mStoredCells[Index(x, y)] = id;
    SetLiveCell(x, y, id);
    UpdateFramesAround(x, y);
}

void Level::SetLiveCell(int x, int y, int id) {
    const size_t index = Index(x, y);
    mLiveCells[index] = id;
    mCellFlags[index] = mTiles.GetFlags(id);
}

const Tile* Level::GetCellTile(int x, int y) const {
    return IsInside(x, y) ? mTiles.GetTile(mLiveCells[Index(x, y)]) : nullptr;
}

bool Level::WorldToCell(double x, double y, int& cellX, int& cellY) const {
    // Compared as doubles first: a huge or NaN coordinate must not reach the integer conversion.
    const double cx = std::trunc(x / kTileSize);
    const double cy = std::trunc(y / kTileSize);
    if (!(cx >= 0.0 && cx < mWidth && cy >= 0.0 && cy < mHeight)) return false;
    cellX = static_cast<int>(cx);
    cellY = static_cast<int>(cy);
    return true;
}

int Level::GetTileIdAt(double x, double y) const {
    int cx = 0, cy = 0;
    return WorldToCell(x, y, cx, cy) ? mLiveCells[Index(cx, cy)] : kTileFloor;
}

const Tile* Level::GetTileAt(double x, double y) const { return mTiles.GetTile(GetTileIdAt(x, y)); }

const Level::TileFrame& Level::GetTileFrame(int x, int y) const {
    static const TileFrame kWhole;
    return IsInside(x, y) ? mTileFrames[Index(x, y)] : kWhole;
}

void Level::UpdateTileFrame(int x, int y) {
    if (!IsInside(x, y)) return;
    TileFrame& frame = mTileFrames[Index(x, y)];
    const int group = mTiles.GetGroup(GetLiveCell(x, y));
    if (group == 0) {
        frame = TileFrame();
        return;
    }
    auto same = [&](int nx, int ny) { return IsInside(nx, ny) && mTiles.GetGroup(GetLiveCell(nx, ny)) == group; };
    const int mask =
        (same(x + 1, y) ? 1 : 0) | (same(x, y - 1) ? 2 : 0) | (same(x - 1, y) ? 4 : 0) | (same(x, y + 1) ? 8 : 0);
    const int column = mask % 4;
    const int row = mask / 4;
    // A 4 × 4 sheet of variants, each inset by 1/128 so filtering never bleeds into a neighbour.
    frame.mLeft = 0.25 * column + 0.0078125;
    frame.mTop = 0.25 * row + 0.0078125;
    frame.mRight = 0.25 * column + 0.2421875;
    frame.mBottom = 0.25 * row + 0.2421875;
}

void Level::UpdateFramesAround(int x, int y) {
    UpdateTileFrame(x, y);
    UpdateTileFrame(x - 1, y);
    UpdateTileFrame(x + 1, y);
    UpdateTileFrame(x, y - 1);
    UpdateTileFrame(x, y + 1);
}

SpawnInfo* Level::AddSpawn(std::unique_ptr<SpawnInfo> spawn) {
    if (!spawn) return nullptr;
    mSpawnList.push_back(std::move(spawn));
    return mSpawnList.back().get();
}

SpawnInfo* Level::InsertSpawn(size_t index, std::unique_ptr<SpawnInfo> spawn) {
    if (!spawn) return nullptr;
    const size_t at = std::min(index, mSpawnList.size());
    return mSpawnList.insert(mSpawnList.begin() + static_cast<std::ptrdiff_t>(at), std::move(spawn))->get();
}

size_t Level::FindSpawn(const SpawnInfo* spawn) const {
    size_t index = 0;
    while (index < mSpawnList.size() && mSpawnList[index].get() != spawn) ++index;
    return index;
}

bool Level::RemoveSpawn(const SpawnInfo* spawn) {
    const auto it = std::find_if(mSpawnList.begin(), mSpawnList.end(),
                                 [spawn](const std::unique_ptr<SpawnInfo>& entry) { return entry.get() == spawn; });
    if (it == mSpawnList.end()) return false;
    mSpawnList.erase(it);
    return true;
}

bool Level::ShatterTile(int x, int y) {
    bool shattered = false;
    VisitConnected(
        x, y, [this](int cx, int cy) { return (GetCellFlags(cx, cy) & kTileShatters) != 0; },
        [&](int cx, int cy) {
            ShatterCell(cx, cy);
            shattered = true;
        });
    if (shattered) FinishPaneShattered();
    return shattered;
}

void Level::ShatterCell(int x, int y) {
    SetLiveCell(x, y, kTileShatteredGlass);
    UpdateFramesAround(x, y);
    // Each broken cell is heard (guards listen for the wave), seen and played.
    const Vector2 centre(kTileSize * x + 0.5 * kTileSize, kTileSize * y + 0.5 * kTileSize);
    if (sListener) sListener->OnCellShattered(centre);
    const int pick = GetRandom().Below(static_cast<int>(mShatterSounds.size()));
    Audio::AudioManager::GetInstance().PlaySampleHandle(mShatterSounds[static_cast<size_t>(pick)]);
}

void Level::FinishPaneShattered() {
    // Once per hit, however many cells broke. The maps first, so that whatever the shatter
    // event sets off already finds the way through the broken pane.
    RebuildMaps();
    if (sListener) sListener->OnPaneShattered();
}

bool Level::OpenDoor(int x, int y) {
    bool opened = false;
    VisitConnected(
        x, y, [this](int cx, int cy) { return IsInside(cx, cy) && GetLiveCell(cx, cy) == kTileClosedDoor; },
        [&](int cx, int cy) {
            OpenDoorCell(cx, cy);
            opened = true;
        });
    if (opened) RebuildMaps();
    return opened;
}

void Level::OpenDoorCell(int x, int y) {
    SetLiveCell(x, y, kTileOpenDoor);
    if (sListener) sListener->OnDoorCellOpened(Vector2(kTileSize * x, kTileSize * y));
    UpdateFramesAround(x, y);
}

bool Level::CloseDoor(int x, int y) {
    bool closed = false;
    VisitConnected(
        x, y, [this](int cx, int cy) { return IsInside(cx, cy) && GetLiveCell(cx, cy) == kTileOpenDoor; },
        [&](int cx, int cy) {
            SetLiveCell(cx, cy, kTileClosedDoor);
            UpdateFramesAround(cx, cy);
            closed = true;
        });
    if (closed) RebuildMaps();
    return closed;
}

void Level::RebuildMaps() {
    Physics::PhysicsManager::GetInstance().BuildCollisionMap(mWidth, mHeight, mCellFlags);
    mNavigation.Build(mWidth, mHeight, mCellFlags);
    if (sListener) sListener->OnMapsRebuilt(*this);
}

void Level::Render(Graphics::Renderer& renderer, double left, double bottom, double right, double top) const {
    static const int sTimer = Debug::PerformanceManager::GetInstance().RegisterTimer("Level Rendering");
    Debug::ScopedTimer timer(sTimer);
    // Clamped as doubles, so a view far outside the grid (or not yet placed) cannot overflow.
    const auto cell = [](double cells, int size) {
        return static_cast<int>(std::clamp(cells, 0.0, static_cast<double>(size)));
    };
    if (!(left <= right && bottom <= top)) return;
    const int x0 = cell(std::floor(left / kTileSize), mWidth), x1 = cell(std::ceil(right / kTileSize), mWidth);
    const int y0 = cell(std::floor(bottom / kTileSize), mHeight), y1 = cell(std::ceil(top / kTileSize), mHeight);
    std::vector<Graphics::Batch*> batches(static_cast<size_t>(mTiles.GetTileCount()), nullptr);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const int id = mLiveCells[Index(x, y)];
            const Tile* tile = mTiles.GetTile(id);
            if (!tile) continue;
            Graphics::Batch*& batch = batches[static_cast<size_t>(id)];
            if (!batch) {
                batch = &renderer.GetBatch(Graphics::kPrimitiveQuads, tile->mTexture, kLayer, kBatchQuads * 4,
                                           Graphics::kBlendAlpha);
            }
            if (batch->GetRoom() < 4) renderer.Flush();
            const TileFrame& frame = mTileFrames[Index(x, y)];
            const double cellX = kTileSize * x;
            const double cellY = kTileSize * y;
            batch->AddTexturedRect(cellX, cellX + kTileSize, cellY, cellY + kTileSize, frame.mLeft, frame.mTop,
                                   frame.mRight, frame.mBottom, tile->mColor.GetPacked());
        }
    }
    // The debug overlays (trigger zones, navigation graph, spawn points) are drawn here through
    // the debug-draw manager, each when its switch is on, once those parts exist.
}

} // namespace Velmora::Logic
