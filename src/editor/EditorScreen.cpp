#include "editor/EditorScreen.h"

#include "core/EntityManager.h"
#include "core/Factory.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/InputManager.h"
#include "core/LogRecord.h"
#include "editor/ConfirmUnsaved.h"
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

Graphics::View& GetView() { return Graphics::GraphicsManager::GetInstance().GetView(); }

// Steps an index through `count` entries, wrapping at both ends: 0 previous, 1 next.
unsigned Wrap(unsigned index, unsigned count, int32_t direction) {
    if (count == 0) return 0;
    return direction == 0 ? (index + count - 1) % count : (index + 1) % count;
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
    // The reloaded level began under the editor; the play screen takes it up on leaving.
    mChanged = true;
    RefreshPanel();
}

bool EditorScreen::Save() {
    const Logic::Level* level = GetLevel();
    if (!level || !Logic::LevelFile::SaveLevel(*level)) return false;
    mHistory.SetModified(false);
    return true;
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
    if (spawn) mSpawnBefore = *spawn;
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
        } else if (Logic::SpawnInfo* spawn = SpawnAt(mouse)) {
            Select(kModeDrag, spawn);
        } else {
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
        if (!(undo ? mHistory.Undo() : mHistory.Redo())) return;
        NoteChange();
        RefreshPanel();
        VELMORA_LOG("EDITOR") << (undo ? "Undo" : "Redo") << ": " << mHistory.GetPosition() << " of "
                              << mHistory.GetStepCount() << " step(s) applied";
    } else if (ctrl && input.IsKeyPressed(SDLK_s)) {
        Save();
    } else if (!ctrl && input.IsKeyPressed(SDLK_c)) {
        SetMode(kModeCreateSpawn);
    } else if (!ctrl && input.IsKeyPressed(SDLK_DELETE)) {
        SetMode(kModeDelete);
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
    mSelectedSpawn->mPosition = mouse;
    mHistory.SetModified(true);
}

void EditorScreen::RunOrient(const Vector2& mouse) {
    if (!mSelectedSpawn || !InputManager::GetInstance().IsButtonDown(SDL_BUTTON_RIGHT)) {
        FinishSpawnEdit();
        return;
    }
    const Vector2 facing = mouse - mSelectedSpawn->mPosition;
    // Pointing at the spawn's own centre gives no direction: the facing stays as it was.
    if (facing.LengthSquared() > 0.0) mSelectedSpawn->mDirection = facing.Normalized();
    mHistory.SetModified(true);
}

void EditorScreen::FinishSpawnEdit() {
    if (mSelectedSpawn) {
        mHistory.RecordSpawnChange(*mSelectedSpawn, mSpawnBefore);
        if (mSelectedSpawn->mPosition != mSpawnBefore.mPosition ||
            mSelectedSpawn->mDirection != mSpawnBefore.mDirection) {
            NoteChange();
            const Vector2& at = mSelectedSpawn->mPosition;
            VELMORA_LOG("EDITOR") << (mMode == kModeDrag ? "Moved" : "Turned") << " spawn `"
                                  << mSelectedSpawn->mArchetype << "` at (" << at.x << ", " << at.y << ")";
        }
    }
    SetMode(kModeIdle);
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
    if (mHistory.AddSpawn(spawn)) {
        NoteChange();
        VELMORA_LOG("EDITOR") << "Created spawn `" << spawn.mArchetype << "` at (" << mouse.x << ", " << mouse.y << ")";
    }
    SetMode(kModeIdle);
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
    MessageRenderEdit edit(&renderer);
    EntityManager::GetInstance().SendToAll(edit);
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
    for (const auto& spawn : level->GetSpawnList()) {
        const bool selected = spawn.get() == mSelectedSpawn;
        const uint32_t color = selected ? kSelectedColor : kSpawnColor;
        const Vector2& at = spawn->mPosition;
        debug.DrawCircle(at.x, at.y, kSpawnRadius, color);
        const Vector2 facing = spawn->mDirection.LengthSquared() > 0.0 ? spawn->mDirection.Normalized() : Vector2();
        // A batch holds kSpawnLines / 2 lines; the circles and names still show past that.
        if (lines.GetRoom() >= 2) {
            lines.AddLine(at.x, at.y, at.x + facing.x * kSpawnRadius, at.y + facing.y * kSpawnRadius, color);
        }
        if (font) font->Draw(renderer, spawn->mArchetype, at.x, at.y + kSpawnRadius, 1, kSpawnLayer + 1, color);
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
