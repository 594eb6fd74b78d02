#pragma once

#include "core/GameScreen.h"
#include "core/Vector2.h"
#include "editor/EditHistory.h"
#include "editor/EditorMode.h"
#include "editor/EditorPanel.h"
#include "editor/EditorTrail.h"
#include "world/SpawnInfo.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace Velmora {
class Game;
}

namespace Velmora::Graphics {
class Batch;
class Renderer;
} // namespace Velmora::Graphics

namespace Velmora::Logic {
class Level;
}

namespace Velmora::Editor {

/// The level editor, pushed over the play screen with F1. While it is up the game logic stands
/// still (the play screen below gets no frames) and the whole map is shown with a free camera
/// (25 tile rows high; left Ctrl + left drag pans, the wheel zooms about the pointer). The mouse
/// paints the selected tile (left), picks a tile from the map (right), drags spawns (left on a
/// spawn), turns them (right on a spawn); the panel creates and deletes spawns, picks tiles and
/// archetypes, resizes the map, saves and reloads the file. A spawn clicked, dragged or created
/// stays picked: a guard's patrol route is built with "Add to Route" (then clicks on waypoints)
/// and "Clear Route", a trigger zone is resized by its corner handles and numbered with the id
/// selector. Routes are drawn from each guard through its waypoints, zones as their rectangles.
/// Ctrl+Z and Ctrl+Y undo and redo every
/// change; Ctrl+S saves, C and Delete enter the spawn-creating and deleting modes. Leaving (F1 or "Exit Editor",
/// through "Are you sure?" when there are unsaved changes) plays the edited level from its start when anything changed,
/// and nothing otherwise. Counts as a menu screen while open.
class EditorScreen : public GameScreen {
public:
    static constexpr double kZoom = 25.0;        ///< tile rows shown when the editor opens
    static constexpr double kMinZoom = 4.0;      ///< the closest the wheel zooms in
    static constexpr double kMaxZoom = 400.0;    ///< the farthest it zooms out
    static constexpr double kWheelFactor = 1.25; ///< zoom change per wheel step
    static constexpr double kSpawnRadius = 16.0; ///< a spawn's circle and pick distance
    static constexpr double kTrailSeconds = 0.6; ///< how long a left cell's outline lingers
    static constexpr double kHandleRadius = 8.0; ///< a zone corner handle's half size and pick distance
    static constexpr double kZoneSnap = 16.0;    ///< zone corners snap to this grid (world units)
    static constexpr uint32_t kSpawnColor = 0xFFFFFF00;
    static constexpr uint32_t kSelectedColor = 0xFFFFFFFF;
    static constexpr uint32_t kHoverColor = 0xFF0000FF;
    static constexpr uint32_t kBackdropColor = 0xFF000000;
    static constexpr uint32_t kRouteColor = 0xFF30A0FF;  ///< 0xAABBGGRR: orange
    static constexpr uint32_t kHandleColor = 0xFFFFFFFF; ///< the picked zone's corner handles
    static constexpr int kSpawnLayer = 100;
    static constexpr unsigned kSpawnLines = 1024;
    static constexpr size_t kNoPick = static_cast<size_t>(-1);

    /// An editor on `game`'s stack, editing the logic manager's current level.
    explicit EditorScreen(Game& game);
    ~EditorScreen() override;
    EditorScreen(const EditorScreen&) = delete;
    EditorScreen& operator=(const EditorScreen&) = delete;

    /// Counts itself as a menu screen, sets the 25-row view round the camera's centre, collects
    /// the editable archetypes and builds the panel.
    void Initialize() override;
    /// Takes back its menu-screen count.
    void Deinitialize() override;
    /// MessageUpdateLoop: the panel's input, then (unless the panel used it) the mouse and
    /// keys, then the panel's animations. MessageRenderWorld: the map, spawns and markers.
    /// MessageRenderOverlay: the panel. While leaving, MessageBeginLevel goes on to the play
    /// screen below, so it starts the restarted level as its own.
    void HandleMessage(Message& message) override;

    /// F1 and "Exit Editor": asks first when there are unsaved changes, else leaves.
    void RequestLeave();
    /// Leaves: when anything changed, every entity ends and the edited level begins again
    /// (respawned from the edited spawn list, collision map and guards' graph rebuilt).
    void Leave();
    /// "Reload File": reads the level file again, dropping every change and the undo steps.
    void Reload();
    /// "Save Changes": writes the level; unsaved changes are then none. A save that fails keeps
    /// the edits (and the old file) and says why on the panel.
    bool Save();
    /// "Add to Route": with a guard picked, the mode in which clicked waypoints join its route.
    void AddToRoute();
    /// "Clear Route": the picked guard patrols nowhere.
    void ClearRoute();
    /// The zone id selector: the picked zone's id − 1 (not below 0) or + 1.
    void StepZone(int32_t direction);
    /// Enters a mode: the selection is cleared and the label shows the mode.
    void SetMode(EditorMode mode);
    /// The panel's selectors.
    void StepArchetype(int32_t direction);
    void StepTile(int32_t direction);
    void StepSize(int32_t widthStep, int32_t heightStep);

    /// The mouse position in world units for the current view.
    Vector2 MouseWorld() const;

    EditorMode GetMode() const { return mMode; }
    const EditHistory& GetHistory() const { return mHistory; }
    EditHistory& GetHistory() { return mHistory; }
    const std::vector<std::string>& GetArchetypes() const { return mArchetypes; }
    const EditorPanel& GetPanel() const { return mPanel; }
    /// The picked spawn (owned by the level), or null.
    Logic::SpawnInfo* GetPicked() const;
    bool IsLeaving() const { return mLeaving; }
    /// Whether leaving now would restart the level.
    bool HasChanges() const { return mChanged; }

    unsigned mArchetypeIndex = 0; ///< the archetype new spawns get
    unsigned mTileIndex = 0;      ///< the tile painting lays
    int mHoverX = -1;             ///< hovered cell; −1, −1 off the map
    int mHoverY = -1;
    Logic::SpawnInfo* mSelectedSpawn = nullptr; ///< dragged or turned; owned by the level

private:
    void Update(double dt);
    void RunModes();
    void UpdateHover(const Vector2& mouse);
    void RunIdle(const Vector2& mouse);
    void RunIdleKeys(bool ctrl);
    void RunPan(const Vector2& mouse);
    void RunPaint();
    void RunTilePicker();
    void RunDrag(const Vector2& mouse);
    void RunOrient(const Vector2& mouse);
    void RunCreateSpawn(const Vector2& mouse);
    void RunDelete(const Vector2& mouse);
    void RunRoute(const Vector2& mouse);
    void RunCorner(const Vector2& mouse);
    bool GrabCorner(const Vector2& mouse);
    void FinishSpawnEdit();
    void Pick(const Logic::SpawnInfo* spawn);
    void ChangePicked(const std::function<void(Logic::SpawnInfo&)>& change, const char* what);
    void PrepareSpawn(Logic::SpawnInfo& spawn) const;
    void ZoomWithWheel();
    void Select(EditorMode mode, Logic::SpawnInfo* spawn);
    Logic::SpawnInfo* SpawnAt(const Vector2& point) const;
    Logic::Level* GetLevel() const;
    void NoteChange();
    void RefreshPanel();
    void RenderWorld(Graphics::Renderer& renderer);
    void DrawSpawns(Graphics::Renderer& renderer) const;
    void DrawHover(Graphics::Renderer& renderer) const;
    void DrawMarkers(Graphics::Renderer& renderer, const Logic::SpawnInfo& spawn, Graphics::Batch& lines) const;
    void DrawZone(Graphics::Renderer& renderer, const Logic::SpawnInfo& spawn, Graphics::Batch& lines) const;
    void DrawRoute(const Logic::SpawnInfo& guard, Graphics::Batch& lines) const;

    Game& mGame;
    EditorMode mMode = kModeIdle;
    EditorPanel mPanel;
    EditHistory mHistory;
    std::vector<std::string> mArchetypes;
    Logic::SpawnInfo mSpawnBefore; // the selected spawn as it was when the drag or turn began
    EditorTrail mTrail;            // outlines of the cells just left
    Vector2 mPanGrab;              // the world point held under the mouse while panning
    Vector2 mPress;                // where the mouse was when a spawn or corner was grabbed
    bool mMoved = false;           // the mouse has left mPress since: a plain click changes nothing
    size_t mPicked = kNoPick;      // index of the picked spawn in the level's list
    int mCorner = 0;               // the zone corner being dragged
    bool mChanged = false;         // anything changed since the editor opened: leaving restarts
    bool mLeaving = false;
};

} // namespace Velmora::Editor
