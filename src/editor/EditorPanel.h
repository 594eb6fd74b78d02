#pragma once

#include "editor/SpawnData.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Interface {
class WHBox;
class WLabel;
class WSelector;
class Widget;
class WidgetRoot;
} // namespace Velmora::Interface

namespace Velmora::Logic {
struct Tile;
}

namespace Velmora::Editor {

/// What the panel's controls do; the selectors' steps get 0 (previous) or 1 (next).
struct EditorPanelActions {
    std::function<void()> mExit;
    std::function<void()> mReload;
    std::function<void()> mSave;
    std::function<void()> mCreateSpawn;
    std::function<void()> mDelete;
    std::function<void(int32_t)> mStepArchetype;
    std::function<void(int32_t)> mStepTile;
    std::function<void(int32_t)> mStepWidth;
    std::function<void(int32_t)> mStepHeight;
    std::function<void()> mAddToRoute;
    std::function<void()> mClearRoute;
    std::function<void(int32_t)> mStepZone;
};

/// What the panel's second row says about the picked spawn.
struct EditorPick {
    bool mPicked = false;                ///< a spawn is picked
    SpawnKind mKind = SpawnKind::kOther; ///< which controls it gets
    std::string mTitle;                  ///< archetype and name
    std::string mRoute;                  ///< a guard's route, as text
    int32_t mZoneId = 0;                 ///< a zone's id
};

/// The editor's row of controls along the top of the window, all text in "menu_small": "Exit
/// Editor", "Reload File", "Save Changes", a column of the mode label, "Create Spawn" and the
/// archetype selector, "DELETE!", the tile selector (swatch and name), and a column of
/// "Dimensions (X,Y)" over the width and height selectors. Under it a second row shows the
/// picked spawn (a guard gets "Add to Route" and "Clear Route", a zone its id selector) and the
/// last save's outcome. Buttons and selectors have the menus' look.
class EditorPanel {
public:
    static constexpr int kLayer = 5000; ///< boxes; text on the layer above
    static constexpr int kMargin = 10;  ///< pixels from the window's left and top edges

    EditorPanel();
    ~EditorPanel();
    EditorPanel(const EditorPanel&) = delete;
    EditorPanel& operator=(const EditorPanel&) = delete;

    /// Builds the controls for a window of the given size; the actions run from HandleInput.
    void Build(EditorPanelActions actions, int windowWidth, int windowHeight);
    /// Keeps the row at the top-left of a window of that size.
    void Arrange(int windowWidth, int windowHeight);
    /// The frame's input; true when the panel used it.
    bool HandleInput();
    /// Runs the widgets' animations.
    void Update(double dt);
    /// Draws the panel into the overlay pass.
    void Render(Graphics::Renderer& renderer);
    /// True when the window point (pixels, origin bottom-left) lies on one of the rows.
    bool Contains(double x, double y) const;

    /// Shows the mode's label.
    void ShowMode(const char* label);
    /// Shows an archetype name ("(none)" for an empty one).
    void ShowArchetype(const std::string& name);
    /// Shows a tile's swatch and name (nothing for null).
    void ShowTile(const Logic::Tile* tile);
    /// Shows the level's size.
    void ShowSize(int width, int height);
    /// Shows the picked spawn and its controls (rebuilt only when the kind of pick changes).
    void ShowPick(const EditorPick& pick);
    /// Shows a line of news, such as the outcome of a save; a warning stands out in amber.
    void ShowStatus(const std::string& text, bool warning = false);

    /// The mode label's text (empty before Build).
    std::string GetModeText() const;
    /// The status line's text (empty before Build).
    std::string GetStatusText() const;
    /// The widget tree (null before Build).
    Interface::WidgetRoot* GetRoot() const { return mRoot.get(); }

private:
    void AddButton(Interface::WHBox& box, const char* text, std::function<void()> action) const;
    Interface::WSelector* AddSelector(Interface::Widget& box, std::function<void(int32_t)> step) const;
    void BuildSpawnColumn(Interface::WHBox& row);
    void BuildSizeColumn(Interface::WHBox& row);
    void BuildPickControls(const EditorPick& pick);

    EditorPanelActions mActions;
    std::unique_ptr<Interface::WidgetRoot> mRoot;
    Interface::WHBox* mRow = nullptr;
    Interface::WLabel* mModeLabel = nullptr;
    Interface::WSelector* mArchetypeSelector = nullptr;
    Interface::WSelector* mTileSelector = nullptr;
    Interface::WSelector* mWidthSelector = nullptr;
    Interface::WSelector* mHeightSelector = nullptr;
    Interface::WHBox* mInfoRow = nullptr;
    Interface::WHBox* mPickBox = nullptr;
    Interface::WLabel* mPickTitle = nullptr;
    Interface::WLabel* mRouteLabel = nullptr;
    Interface::WSelector* mZoneSelector = nullptr;
    Interface::WLabel* mStatusLabel = nullptr;
    bool mShownPicked = false;
    SpawnKind mShownKind = SpawnKind::kOther;
};

} // namespace Velmora::Editor
