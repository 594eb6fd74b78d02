#include "editor/EditorScreen.h"

#include "core/EntityManager.h"
#include "core/Factory.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/InputManager.h"
#include "core/LogRecord.h"
#include "editor/ConfirmUnsaved.h"
#include "editor/SpawnData.h"
#include "game/ComponentTriggerZone.h"
#include "game/LogicManager.h"
#include "graphics/Batch.h"
#include "graphics/DebugDrawManager.h"
#include "graphics/FontManager.h"
#include "graphics/GraphicsManager.h"
#include "graphics/MessageRenderEdit.h"
#include "graphics/RenderMessages.h"
#include "graphics/Renderer.h"
#include "world/Level.h"
#include "world/LevelFile.h"
#include "world/LevelMessages.h"
#include "world/TileManager.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

namespace Velmora::Editor {

namespace {

constexpr double kCellScale = 0.03125; // 1 / tile size
constexpr const char* kLabelFont = "default";
constexpr double kZoneHalfSize = 48.0; // a new zone's square round the click
constexpr const char* kWaypointStem = "wp";

Graphics::View& GetView() { return Graphics::GraphicsManager::GetInstance().GetView(); }

// Steps an index through `count` entries, wrapping at both ends: 0 previous, 1 next.
unsigned Wrap(unsigned index, unsigned count, int32_t direction) {
    if (count == 0) return 0;
    return direction == 0 ? (index + count - 1) % count : (index + 1) % count;
}

Vector2 Snap(const Vector2& point, double grid) {
    return {std::round(point.x / grid) * grid, std::round(point.y / grid) * grid};
}

std::string Describe(const Logic::SpawnInfo& spawn) {
    return spawn.mName.empty() ? spawn.mArchetype : spawn.mArchetype + " `" + spawn.mName + "`";
}

std::string RouteText(const Logic::SpawnInfo& guard) {
    const std::vector<std::string> names = SpawnData::GetRoute(guard);
    if (names.empty()) return "none";
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) text += (i == 0 ? "" : " > ") + names[i];
    return text;
}

} // namespace

EditorScreen::EditorScreen(Game& game) : mGame(game) {}

EditorScreen::~EditorScreen() = default;

void EditorScreen::Initialize() {
    ++Logic::LogicManager::GetInstance().mMenuScreenCount;
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    Graphics::View& view = graphics.GetView();
    view.SetWindowSize(graphics.GetWidth(), graphics.GetHeight());
    view.SetZoom(kZoom);
    view.SetPosition(view.mCenterX, view.mCenterY);
    for (const Archetype* archetype : Factory::GetInstance().GetArchetypes()) {
        if (archetype->mEditable) mArchetypes.push_back(archetype->mName);
    }
    mHistory.Attach(GetLevel());
    EditorPanelActions actions;
    actions.mExit = [this] { RequestLeave(); };
    actions.mReload = [this] { Reload(); };
    actions.mSave = [this] { Save(); };
    actions.mCreateSpawn = [this] { SetMode(kModeCreateSpawn); };
    actions.mDelete = [this] { SetMode(kModeDelete); };
    actions.mStepArchetype = [this](int32_t direction) { StepArchetype(direction); };
    actions.mStepTile = [this](int32_t direction) { StepTile(direction); };
    actions.mStepWidth = [this](int32_t direction) { StepSize(direction == 0 ? -1 : 1, 0); };
    actions.mStepHeight = [this](int32_t direction) { StepSize(0, direction == 0 ? -1 : 1); };
    actions.mAddToRoute = [this] { AddToRoute(); };
    actions.mClearRoute = [this] { ClearRoute(); };
    actions.mStepZone = [this](int32_t direction) { StepZone(direction); };
    mPanel.Build(std::move(actions), graphics.GetWidth(), graphics.GetHeight());
    RefreshPanel();
    VELMORA_LOG("EDITOR") << "Editor opened";
}

void EditorScreen::Deinitialize() { --Logic::LogicManager::GetInstance().mMenuScreenCount; }

Logic::Level* EditorScreen::GetLevel() const { return Logic::LogicManager::GetInstance().GetLevel(); }

void EditorScreen::HandleMessage(Message& message) {
    if (auto* update = MessageCast<MessageUpdateLoop>(message)) {
        Update(update->mDt);
    } else if (const auto* world = MessageCast<Graphics::MessageRenderWorld>(message)) {
        if (world->mRenderer) RenderWorld(*world->mRenderer);
    } else if (const auto* overlay = MessageCast<Graphics::MessageRenderOverlay>(message)) {
        if (overlay->mRenderer) mPanel.Render(*overlay->mRenderer);
    } else if (message.Is<Logic::MessageBeginLevel>()) {
        if (mLeaving && mBelow) mBelow->HandleMessage(message);
    }
}

// ---- Leaving, saving, reloading ----

void EditorScreen::RequestLeave() {
    if (mLeaving) return;
    // A spawn or corner still held counts as let go, so its change is asked about and kept.
    if (mMode == kModeDrag || mMode == kModeOrient || mMode == kModeCorner) FinishSpawnEdit();
    if (mHistory.IsModified()) {
        VELMORA_LOG("EDITOR") << "Unsaved changes: asking before leaving";
        mGame.PushScreen(new ConfirmUnsaved(mGame, [this] { Leave(); }));
    } else {
        Leave();
    }
}

void EditorScreen::Leave() {
    if (mLeaving) return;
    mLeaving = true;
    mHistory.EndStroke();
    mSelectedSpawn = nullptr;
    Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    if (mChanged && logic.GetLevel()) {
        // Every entity ends and the level begins again from the edited spawn list; beginning
        // resets the cells, which rebuilds the collision map and the guards' graph.
        VELMORA_LOG("EDITOR") << "Restarting level `" << logic.GetLevel()->GetName() << "` with the edits";
        logic.RestartLevel();
    }
    VELMORA_LOG("EDITOR") << "Editor closed";
    mGame.RemoveScreen(this);
}

void EditorScreen::Reload() {
    Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    if (!logic.GetLevel()) return;
    VELMORA_LOG("EDITOR") << "Reloading level `" << logic.GetLevel()->GetName() << "`";
    SetMode(kModeIdle);
    // The old level goes away with its spawns: nothing may point into it any more.
    mHistory.Attach(nullptr);
    logic.ReloadLevel();
    mHistory.Attach(GetLevel());
    mPicked = kNoPick;
    // The reloaded level began under the editor; the play screen takes it up on leaving.
    mChanged = true;
    RefreshPanel();
}

bool EditorScreen::Save() {
    const Logic::Level* level = GetLevel();
    if (!level) return false;
    std::string reason;
    if (!Logic::LevelFile::SaveLevel(*level, &reason)) {
        mPanel.ShowStatus("NOT SAVED (" + reason + "): the edits are kept", true);
        return false;
    }
    mHistory.SetModified(false);
    mPanel.ShowStatus("Saved " + level->GetName());
    return true;
}

// ---- The picked spawn ----

Logic::SpawnInfo* EditorScreen::GetPicked() const {
    const Logic::Level* level = GetLevel();
    if (!level || mPicked >= level->GetSpawnList().size()) return nullptr;
    return level->GetSpawnList()[mPicked].get();
}

void EditorScreen::Pick(const Logic::SpawnInfo* spawn) {
    const Logic::Level* level = GetLevel();
    mPicked = spawn && level ? level->FindSpawn(spawn) : kNoPick;
    RefreshPanel();
}

void EditorScreen::AddToRoute() {
    const Logic::SpawnInfo* guard = GetPicked();
    if (guard && SpawnData::KindOf(guard->mArchetype) == SpawnKind::kGuard) SetMode(kModeRoute);
}

void EditorScreen::ClearRoute() {
    ChangePicked([](Logic::SpawnInfo& guard) { SpawnData::SetRoute(guard, {}); }, "Cleared the route of");
}

void EditorScreen::StepZone(int32_t direction) {
    ChangePicked(
        [direction](Logic::SpawnInfo& zone) {
            SpawnData::Zone data = SpawnData::GetZone(zone);
            data.mId = std::max(0, data.mId + (direction == 0 ? -1 : 1));
            SpawnData::SetZone(zone, data);
        },
        "Renumbered");
}

void EditorScreen::ChangePicked(const std::function<void(Logic::SpawnInfo&)>& change, const char* what) {
    Logic::SpawnInfo* spawn = GetPicked();
    if (!spawn) return;
    const Logic::SpawnInfo before = *spawn;
    change(*spawn);
    if (mHistory.RecordSpawnChange(*spawn, before)) {
        NoteChange();
        VELMORA_LOG("EDITOR") << what << " " << Describe(*spawn);
    }
    RefreshPanel();
}

// ---- Panel ----

void EditorScreen::SetMode(EditorMode mode) {
    if (mMode == kModePaint) {
        if (const size_t cells = mHistory.EndStroke()) {
            const Logic::Tile* tile = Logic::TileManager::GetInstance().GetTile(static_cast<int>(mTileIndex));
            VELMORA_LOG("EDITOR") << "Painted " << cells << " cell(s) with tile `" << (tile ? tile->mName : "?") << "`";
        }
    }
    mSelectedSpawn = nullptr;
    mMode = mode;
    mPanel.ShowMode(ModeLabel(mode));
}

void EditorScreen::StepArchetype(int32_t direction) {
    mArchetypeIndex = Wrap(mArchetypeIndex, static_cast<unsigned>(mArchetypes.size()), direction);
    RefreshPanel();
}

void EditorScreen::StepTile(int32_t direction) {
    const int count = Logic::TileManager::GetInstance().GetTileCount();
    mTileIndex = Wrap(mTileIndex, static_cast<unsigned>(std::max(count, 0)), direction);
    RefreshPanel();
}

void EditorScreen::StepSize(int32_t widthStep, int32_t heightStep) {
    const Logic::Level* level = GetLevel();
    if (!level) return;
    const int width = std::max(1, level->GetWidth() + widthStep);
    const int height = std::max(1, level->GetHeight() + heightStep);
    if (mHistory.Resize(width, height)) {
        NoteChange();
        VELMORA_LOG("EDITOR") << "Resized level to " << width << " x " << height;
    }
    RefreshPanel();
}

void EditorScreen::RefreshPanel() {
    mPanel.ShowArchetype(mArchetypes.empty() ? std::string() : mArchetypes[mArchetypeIndex % mArchetypes.size()]);
    mPanel.ShowTile(Logic::TileManager::GetInstance().GetTile(static_cast<int>(mTileIndex)));
    if (const Logic::Level* level = GetLevel()) mPanel.ShowSize(level->GetWidth(), level->GetHeight());
    EditorPick pick;
    if (const Logic::SpawnInfo* spawn = GetPicked()) {
        pick.mPicked = true;
        pick.mKind = SpawnData::KindOf(spawn->mArchetype);
        pick.mTitle = Describe(*spawn);
        if (pick.mKind == SpawnKind::kGuard) pick.mRoute = "Route: " + RouteText(*spawn);
        if (pick.mKind == SpawnKind::kZone) pick.mZoneId = SpawnData::GetZone(*spawn).mId;
    }
    mPanel.ShowPick(pick);
}

void EditorScreen::NoteChange() { mChanged = true; }

// ---- Frame ----

void EditorScreen::Update(double dt) {
    const Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    mPanel.Arrange(graphics.GetWidth(), graphics.GetHeight());
    const bool used = mPanel.HandleInput();
    if (!used && !mLeaving) RunModes();
    mPanel.Update(dt);
    mTrail.Update(dt);
}

Vector2 EditorScreen::MouseWorld() const {
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    const Graphics::View& view = graphics.GetView();
    const InputManager::Point mouse = InputManager::GetInstance().GetMousePosition();
    const double width = std::max(1, graphics.GetWidth());
    const double height = std::max(1, graphics.GetHeight());
    return {view.mLeft + (view.mRight - view.mLeft) * mouse.x / width,
            view.mBottom + (view.mTop - view.mBottom) * mouse.y / height};
}

void EditorScreen::UpdateHover(const Vector2& mouse) {
    const Logic::Level* level = GetLevel();
    const double x = std::trunc(mouse.x * kCellScale);
    const double y = std::trunc(mouse.y * kCellScale);
    const bool inside = level && x >= 0.0 && y >= 0.0 && x < level->GetWidth() && y < level->GetHeight();
    const int hoverX = inside ? static_cast<int>(x) : -1;
    const int hoverY = inside ? static_cast<int>(y) : -1;
    if (mMode == kModeIdle && mHoverX >= 0 && (hoverX != mHoverX || hoverY != mHoverY)) {
        mTrail.Add(mHoverX, mHoverY, kTrailSeconds);
    }
    mHoverX = hoverX;
    mHoverY = hoverY;
}

Logic::SpawnInfo* EditorScreen::SpawnAt(const Vector2& point) const {
    const Logic::Level* level = GetLevel();
    if (!level) return nullptr;
    for (const auto& spawn : level->GetSpawnList()) {
        if ((spawn->mPosition - point).Length() < kSpawnRadius) return spawn.get();
    }
    return nullptr;
}

void EditorScreen::Select(EditorMode mode, Logic::SpawnInfo* spawn) {
    SetMode(mode);
    mSelectedSpawn = spawn;
    mPress = MouseWorld();
    mMoved = false;
    if (spawn) mSpawnBefore = *spawn;
    Pick(spawn);
}

// ---- Mode machine ----

void EditorScreen::RunModes() {
    const InputManager& input = InputManager::GetInstance();
    const Vector2 mouse = MouseWorld();
    UpdateHover(mouse);
    if (input.IsKeyPressed(SDLK_F1)) {
        RequestLeave();
        return;
    }
    ZoomWithWheel();
    switch (mMode) {
        case kModeIdle:
            RunIdle(mouse);
            break;
        case kModePan:
            RunPan(mouse);
            break;
        case kModePaint:
            RunPaint();
            break;
        case kModeTilePicker:
            RunTilePicker();
            break;
        case kModeDrag:
            RunDrag(mouse);
            break;
        case kModeOrient:
            RunOrient(mouse);
            break;
        case kModeCreateSpawn:
            RunCreateSpawn(mouse);
            break;
        case kModeDelete:
            RunDelete(mouse);
            break;
        case kModeRoute:
            RunRoute(mouse);
            break;
        case kModeCorner:
            RunCorner(mouse);
            break;
    }
}

void EditorScreen::RunIdle(const Vector2& mouse) {
    const InputManager& input = InputManager::GetInstance();
    const InputManager::Point pointer = input.GetMousePosition();
    // A press that began on the panel is the panel's, however long the button stays down.
    const bool onPanel = mPanel.Contains(pointer.x, pointer.y);
    const bool ctrl = input.IsKeyDown(SDLK_LCTRL);
    if (input.IsButtonDown(SDL_BUTTON_LEFT) && !onPanel) {
        if (ctrl) {
            SetMode(kModePan);
            mPanGrab = mouse;
        } else if (GrabCorner(mouse)) {
            return;
        } else if (Logic::SpawnInfo* spawn = SpawnAt(mouse)) {
            Select(kModeDrag, spawn);
        } else {
            Pick(nullptr);
            SetMode(kModePaint);
            mHistory.BeginStroke();
            RunPaint();
        }
    } else if (input.IsButtonDown(SDL_BUTTON_RIGHT) && !onPanel) {
        if (Logic::SpawnInfo* spawn = SpawnAt(mouse)) {
            Select(kModeOrient, spawn);
        } else {
            SetMode(kModeTilePicker);
            RunTilePicker();
        }
    } else {
        RunIdleKeys(ctrl);
    }
}

void EditorScreen::RunIdleKeys(bool ctrl) {
    const InputManager& input = InputManager::GetInstance();
    if (ctrl && (input.IsKeyPressed(SDLK_z) || input.IsKeyPressed(SDLK_y))) {
        const bool undo = input.IsKeyPressed(SDLK_z);
        const Logic::SpawnInfo* picked = GetPicked();
        if (!(undo ? mHistory.Undo() : mHistory.Redo())) return;
        NoteChange();
        // The picked entry follows its spawn when entries before it came or went. A changed
        // spawn is replaced by a copy at the same place, which keeps the index; a spawn taken
        // away leaves the pick past the end (none) or on its neighbour.
        const size_t at = picked ? GetLevel()->FindSpawn(picked) : kNoPick;
        if (at < GetLevel()->GetSpawnList().size()) mPicked = at;
        RefreshPanel();
        VELMORA_LOG("EDITOR") << (undo ? "Undo" : "Redo") << ": " << mHistory.GetPosition() << " of "
                              << mHistory.GetStepCount() << " step(s) applied";
    } else if (ctrl && input.IsKeyPressed(SDLK_s)) {
        Save();
    } else if (!ctrl && (input.IsKeyPressed(SDLK_c) || input.IsKeyPressed(SDLK_DELETE))) {
        // A click in the same frame as the key paints instead (the button is looked at first):
        // the log tells when the tool is ready.
        SetMode(input.IsKeyPressed(SDLK_c) ? kModeCreateSpawn : kModeDelete);
        VELMORA_LOG("EDITOR") << "Tool: " << ModeLabel(mMode);
    } else if (input.IsKeyPressed(SDLK_ESCAPE)) {
        Pick(nullptr);
    }
}

void EditorScreen::RunPan(const Vector2& mouse) {
    const InputManager& input = InputManager::GetInstance();
    if (!input.IsButtonDown(SDL_BUTTON_LEFT) || !input.IsKeyDown(SDLK_LCTRL)) {
        SetMode(kModeIdle);
        return;
    }
    // The grabbed world point stays under the pointer.
    Graphics::View& view = GetView();
    view.SetPosition(view.mCenterX + mPanGrab.x - mouse.x, view.mCenterY + mPanGrab.y - mouse.y);
}

void EditorScreen::RunPaint() {
    if (!InputManager::GetInstance().IsButtonDown(SDL_BUTTON_LEFT)) {
        SetMode(kModeIdle);
        return;
    }
    if (mHoverX >= 0 && mHistory.SetTile(mHoverX, mHoverY, mTileIndex, true)) NoteChange();
}

void EditorScreen::RunTilePicker() {
    if (!InputManager::GetInstance().IsButtonDown(SDL_BUTTON_RIGHT)) {
        SetMode(kModeIdle);
        return;
    }
    const Logic::Level* level = GetLevel();
    if (mHoverX < 0 || !level) return;
    const auto tile = static_cast<unsigned>(std::max(0, level->GetStoredCell(mHoverX, mHoverY)));
    if (tile == mTileIndex) return;
    mTileIndex = tile;
    RefreshPanel();
}

void EditorScreen::RunDrag(const Vector2& mouse) {
    if (!mSelectedSpawn || !InputManager::GetInstance().IsButtonDown(SDL_BUTTON_LEFT)) {
        FinishSpawnEdit();
        return;
    }
    // Until the mouse moves this is a click, which only picks the spawn.
    mMoved = mMoved || mouse != mPress;
    if (!mMoved) return;
    // The spawn keeps its offset from the pointer, so grabbing it off-centre does not make it jump.
    const Vector2 shift = mouse - mPress;
    mSelectedSpawn->mPosition = mSpawnBefore.mPosition + shift;
    // A zone's rectangle travels with it.
    if (!mSpawnBefore.mData.empty() && SpawnData::KindOf(mSpawnBefore.mArchetype) == SpawnKind::kZone) {
        SpawnData::Zone zone = SpawnData::GetZone(mSpawnBefore);
        for (Vector2& corner : zone.mCorners) corner = corner + shift;
        SpawnData::SetZone(*mSelectedSpawn, zone);
    }
}

void EditorScreen::RunOrient(const Vector2& mouse) {
    if (!mSelectedSpawn || !InputManager::GetInstance().IsButtonDown(SDL_BUTTON_RIGHT)) {
        FinishSpawnEdit();
        return;
    }
    mMoved = mMoved || mouse != mPress;
    if (!mMoved) return;
    const Vector2 facing = mouse - mSelectedSpawn->mPosition;
    // Pointing at the spawn's own centre gives no direction: the facing stays as it was.
    if (facing.LengthSquared() > 0.0) mSelectedSpawn->mDirection = facing.Normalized();
}

bool EditorScreen::GrabCorner(const Vector2& mouse) {
    Logic::SpawnInfo* zone = GetPicked();
    if (!zone || zone->mData.empty() || SpawnData::KindOf(zone->mArchetype) != SpawnKind::kZone) return false;
    const SpawnData::Zone data = SpawnData::GetZone(*zone);
    const double reach = kHandleRadius * GetView().mZoom / kZoom;
    for (int corner = 0; corner < 2; ++corner) {
        const Vector2 away = data.mCorners[corner] - mouse;
        if (std::abs(away.x) > reach || std::abs(away.y) > reach) continue;
        Select(kModeCorner, zone);
        mCorner = corner;
        return true;
    }
    return false;
}

void EditorScreen::RunCorner(const Vector2& mouse) {
    if (!mSelectedSpawn || !InputManager::GetInstance().IsButtonDown(SDL_BUTTON_LEFT)) {
        FinishSpawnEdit();
        return;
    }
    mMoved = mMoved || mouse != mPress;
    if (!mMoved) return;
    SpawnData::Zone zone = SpawnData::GetZone(*mSelectedSpawn);
    zone.mCorners[mCorner] = Snap(mouse, kZoneSnap);
    SpawnData::SetZone(*mSelectedSpawn, zone);
}

void EditorScreen::FinishSpawnEdit() {
    if (mSelectedSpawn && mHistory.RecordSpawnChange(*mSelectedSpawn, mSpawnBefore)) {
        NoteChange();
        const Vector2& at = mSelectedSpawn->mPosition;
        const char* what = mMode == kModeDrag ? "Moved" : mMode == kModeOrient ? "Turned" : "Resized";
        VELMORA_LOG("EDITOR") << what << " spawn `" << mSelectedSpawn->mArchetype << "` at (" << at.x << ", " << at.y
                              << ")";
    }
    SetMode(kModeIdle);
    RefreshPanel();
}

void EditorScreen::RunRoute(const Vector2& mouse) {
    const InputManager& input = InputManager::GetInstance();
    Logic::SpawnInfo* guard = GetPicked();
    if (input.IsButtonDown(SDL_BUTTON_RIGHT) || input.IsKeyDown(SDLK_ESCAPE) || !guard) {
        SetMode(kModeIdle);
        return;
    }
    if (!input.IsButtonPressed(SDL_BUTTON_LEFT)) return;
    const Logic::Level* level = GetLevel();
    Logic::SpawnInfo* point = nullptr;
    std::vector<std::string> names;
    for (const auto& spawn : level->GetSpawnList()) {
        names.push_back(spawn->mName);
        if (!point && (spawn->mPosition - mouse).Length() < kSpawnRadius &&
            SpawnData::KindOf(spawn->mArchetype) == SpawnKind::kWaypoint) {
            point = spawn.get();
        }
    }
    if (!point) return;
    // A guard finds its waypoints by name: one without a name gets one, in the same step.
    mHistory.BeginStroke();
    if (point->mName.empty()) {
        const Logic::SpawnInfo before = *point;
        point->mName = SpawnData::FreeName(kWaypointStem, names);
        mHistory.RecordSpawnChange(*point, before);
    }
    const Logic::SpawnInfo before = *guard;
    std::vector<std::string> route = SpawnData::GetRoute(*guard);
    route.push_back(point->mName);
    SpawnData::SetRoute(*guard, route);
    mHistory.RecordSpawnChange(*guard, before);
    mHistory.EndStroke();
    NoteChange();
    VELMORA_LOG("EDITOR") << "Route of " << Describe(*guard) << ": " << RouteText(*guard);
    RefreshPanel();
}

void EditorScreen::RunCreateSpawn(const Vector2& mouse) {
    const InputManager& input = InputManager::GetInstance();
    if (input.IsButtonDown(SDL_BUTTON_RIGHT) || input.IsKeyDown(SDLK_ESCAPE)) {
        SetMode(kModeIdle);
        return;
    }
    if (!input.IsButtonPressed(SDL_BUTTON_LEFT) || mHoverX < 0 || mArchetypes.empty()) return;
    Logic::SpawnInfo spawn;
    spawn.mArchetype = mArchetypes[mArchetypeIndex % mArchetypes.size()];
    spawn.mPosition = mouse;
    PrepareSpawn(spawn);
    const Logic::SpawnInfo* created = mHistory.AddSpawn(spawn);
    if (created) {
        NoteChange();
        VELMORA_LOG("EDITOR") << "Created spawn `" << spawn.mArchetype << "` at (" << mouse.x << ", " << mouse.y << ")";
    }
    SetMode(kModeIdle);
    Pick(created);
}

void EditorScreen::PrepareSpawn(Logic::SpawnInfo& spawn) const {
    const SpawnKind kind = SpawnData::KindOf(spawn.mArchetype);
    if (kind != SpawnKind::kWaypoint && kind != SpawnKind::kZone) return;
    std::vector<std::string> names;
    int32_t lastZone = 0;
    for (const auto& other : GetLevel()->GetSpawnList()) {
        names.push_back(other->mName);
        if (SpawnData::KindOf(other->mArchetype) == SpawnKind::kZone) {
            lastZone = std::max(lastZone, SpawnData::GetZone(*other).mId);
        }
    }
    if (kind == SpawnKind::kWaypoint) {
        // Guards find waypoints by name, so a new one gets a name nothing else has.
        spawn.mName = SpawnData::FreeName(kWaypointStem, names);
    } else {
        const Vector2 centre = Snap(spawn.mPosition, kZoneSnap);
        const Vector2 half(kZoneHalfSize, kZoneHalfSize);
        SpawnData::SetZone(spawn, {lastZone + 1, {centre - half, centre + half}});
    }
}

void EditorScreen::RunDelete(const Vector2& mouse) {
    const InputManager& input = InputManager::GetInstance();
    if (input.IsButtonDown(SDL_BUTTON_RIGHT) || input.IsKeyDown(SDLK_ESCAPE)) {
        SetMode(kModeIdle);
        return;
    }
    if (!input.IsButtonPressed(SDL_BUTTON_LEFT)) return;
    Logic::SpawnInfo* spawn = SpawnAt(mouse);
    if (!spawn) return;
    const std::string archetype = spawn->mArchetype;
    if (!mHistory.RemoveSpawn(spawn)) return;
    NoteChange();
    Pick(nullptr);
    VELMORA_LOG("EDITOR") << "Deleted spawn `" << archetype << "`";
}

void EditorScreen::ZoomWithWheel() {
    const InputManager& input = InputManager::GetInstance();
    const bool in = input.IsButtonPressed(SDL_BUTTON_WHEELUP);
    const bool out = input.IsButtonPressed(SDL_BUTTON_WHEELDOWN);
    if (in == out) return;
    Graphics::View& view = GetView();
    const Vector2 before = MouseWorld();
    view.SetZoom(std::clamp(in ? view.mZoom / kWheelFactor : view.mZoom * kWheelFactor, kMinZoom, kMaxZoom));
    // The world point under the pointer stays there.
    const Vector2 after = MouseWorld();
    view.SetPosition(view.mCenterX + before.x - after.x, view.mCenterY + before.y - after.y);
}

// ---- Drawing ----

void EditorScreen::RenderWorld(Graphics::Renderer& renderer) {
    const Graphics::View& view = GetView();
    // The smallest capacity, so the backdrop sorts before the tiles of the same layer.
    renderer.GetBatch(Graphics::kPrimitiveQuads, nullptr, Logic::Level::kLayer, 4, Graphics::kBlendAlpha)
        .AddRect(view.mLeft, view.mRight, view.mBottom, view.mTop, kBackdropColor);
    if (const Logic::Level* level = GetLevel()) {
        level->Render(renderer, view.mLeft, view.mBottom, view.mRight, view.mTop);
    }
    // Zones and waypoints mark themselves while they stand as the spawn list says; once spawns
    // are edited they lag behind until the level begins again, and the spawn list is drawn.
    if (!mHistory.AreSpawnsEdited()) {
        MessageRenderEdit edit(&renderer);
        EntityManager::GetInstance().SendToAll(edit);
    }
    DrawSpawns(renderer);
    DrawHover(renderer);
    mTrail.Draw(kHoverColor);
}

void EditorScreen::DrawSpawns(Graphics::Renderer& renderer) const {
    const Logic::Level* level = GetLevel();
    if (!level) return;
    Graphics::DebugDrawManager& debug = Graphics::DebugDrawManager::GetInstance();
    Graphics::Batch& lines =
        renderer.GetBatch(Graphics::kPrimitiveLines, nullptr, kSpawnLayer, kSpawnLines, Graphics::kBlendAlpha);
    const Graphics::Font* font = Graphics::FontManager::GetInstance().GetFont(kLabelFont);
    const Logic::SpawnInfo* picked = GetPicked();
    for (const auto& spawn : level->GetSpawnList()) {
        DrawMarkers(renderer, *spawn, lines);
        const bool selected = spawn.get() == mSelectedSpawn || spawn.get() == picked;
        const uint32_t color = selected ? kSelectedColor : kSpawnColor;
        const Vector2& at = spawn->mPosition;
        debug.DrawCircle(at.x, at.y, kSpawnRadius, color);
        const Vector2 facing = spawn->mDirection.LengthSquared() > 0.0 ? spawn->mDirection.Normalized() : Vector2();
        // A batch holds kSpawnLines / 2 lines; the circles and names still show past that.
        if (lines.GetRoom() >= 2) {
            lines.AddLine(at.x, at.y, at.x + facing.x * kSpawnRadius, at.y + facing.y * kSpawnRadius, color);
        }
        if (font) font->Draw(renderer, Describe(*spawn), at.x, at.y + kSpawnRadius, 1, kSpawnLayer + 1, color);
    }
}

void EditorScreen::DrawMarkers(Graphics::Renderer& renderer, const Logic::SpawnInfo& spawn,
                               Graphics::Batch& lines) const {
    switch (SpawnData::KindOf(spawn.mArchetype)) {
        case SpawnKind::kGuard:
            DrawRoute(spawn, lines);
            break;
        case SpawnKind::kZone:
            DrawZone(renderer, spawn, lines);
            break;
        default:
            break;
    }
}

void EditorScreen::DrawRoute(const Logic::SpawnInfo& guard, Graphics::Batch& lines) const {
    const Logic::Level* level = GetLevel();
    // Names that match no waypoint are skipped, as the patrol skips them.
    std::vector<Vector2> stops{guard.mPosition};
    for (const std::string& name : SpawnData::GetRoute(guard)) {
        for (const auto& spawn : level->GetSpawnList()) {
            if (name.empty() || spawn->mName != name) continue;
            stops.push_back(spawn->mPosition);
            break;
        }
    }
    // After the last waypoint the patrol starts again from the first.
    if (stops.size() > 2) stops.push_back(stops[1]);
    for (size_t i = 1; i < stops.size() && lines.GetRoom() >= 2; ++i) {
        lines.AddLine(stops[i - 1].x, stops[i - 1].y, stops[i].x, stops[i].y, kRouteColor);
    }
}

void EditorScreen::DrawZone(Graphics::Renderer& renderer, const Logic::SpawnInfo& spawn, Graphics::Batch& lines) const {
    const SpawnData::Zone zone = SpawnData::GetZone(spawn);
    if (mHistory.AreSpawnsEdited()) {
        Logic::ComponentTriggerZone::DrawOutline(renderer, zone.mCorners[0], zone.mCorners[1], zone.mId);
    }
    if (&spawn != GetPicked()) return;
    const double half = kHandleRadius * GetView().mZoom / kZoom;
    for (const Vector2& corner : zone.mCorners) {
        if (lines.GetRoom() < 8) break;
        lines.AddLine(corner.x - half, corner.y - half, corner.x + half, corner.y - half, kHandleColor);
        lines.AddLine(corner.x + half, corner.y - half, corner.x + half, corner.y + half, kHandleColor);
        lines.AddLine(corner.x + half, corner.y + half, corner.x - half, corner.y + half, kHandleColor);
        lines.AddLine(corner.x - half, corner.y + half, corner.x - half, corner.y - half, kHandleColor);
    }
}

void EditorScreen::DrawHover(Graphics::Renderer& renderer) const {
    const Logic::Level* level = GetLevel();
    if (!level || mHoverX < 0 || mSelectedSpawn || (mMode != kModeIdle && mMode != kModePaint)) return;
    EditorTrail::Outline(mHoverX, mHoverY, kHoverColor, 0.0);
    const Logic::Tile* tile = level->GetTiles().GetTile(level->GetStoredCell(mHoverX, mHoverY));
    const std::string text =
        (tile ? tile->mName : std::string("?")) + " [" + std::to_string(mHoverX) + "," + std::to_string(mHoverY) + "]";
    const Graphics::Font* font = Graphics::FontManager::GetInstance().GetFont(kLabelFont);
    const double size = kTileSize;
    if (font) font->Draw(renderer, text, size * mHoverX, size * (mHoverY + 1) + 2.0, 0, kSpawnLayer + 1, kHoverColor);
}

} // namespace Velmora::Editor
