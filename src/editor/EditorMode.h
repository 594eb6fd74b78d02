#pragma once

namespace Velmora::Editor {

/// What the editor's mouse does now; the panel's mode label names it.
enum EditorMode {
    kModeIdle = 0,        ///< waiting: a press picks the next mode
    kModePan = 1,         ///< left button with left Ctrl: the map follows the mouse
    kModePaint = 2,       ///< left button: the hovered cell takes the selected tile
    kModeTilePicker = 3,  ///< right button: the selected tile becomes the hovered cell's
    kModeDrag = 4,        ///< left button on a spawn: it follows the mouse
    kModeOrient = 5,      ///< right button on a spawn: it faces the mouse
    kModeCreateSpawn = 6, ///< a click places a spawn of the selected archetype
    kModeDelete = 7,      ///< a click on a spawn removes it
    kModeRoute = 8,       ///< a click on a waypoint adds it to the picked guard's route
    kModeCorner = 9,      ///< left button on a corner of the picked zone: the corner follows the mouse
};

/// The label shown for a mode: "IDLE", "PAN", "PAINT", "TILE PICKER", "DRAG", "ORIENT",
/// "CREATE_SPAWN", "DELETE", "ADD TO ROUTE", "ZONE CORNER"; "???" for any other value.
constexpr const char* ModeLabel(int mode) {
    constexpr const char* kLabels[] = {"IDLE",   "PAN",          "PAINT",  "TILE PICKER",  "DRAG",
                                       "ORIENT", "CREATE_SPAWN", "DELETE", "ADD TO ROUTE", "ZONE CORNER"};
    constexpr int kCount = sizeof(kLabels) / sizeof(kLabels[0]);
    return mode >= 0 && mode < kCount ? kLabels[mode] : "???";
}

} // namespace Velmora::Editor
