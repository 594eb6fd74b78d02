#pragma once

#include "core/Vector2.h"

namespace Velmora::Logic {

class Level;

/// What a level reports while its live cells change, to the game that plays it (which lives in
/// a layer above the level and registers itself with Level::SetListener).
class LevelListener {
public:
    virtual ~LevelListener() = default;
    /// One cell of glass broke; `centre` is the cell's centre in world units.
    virtual void OnCellShattered(const Vector2& centre) = 0;
    /// A whole pane finished breaking; the level's maps are already rebuilt.
    virtual void OnPaneShattered() = 0;
    /// One door cell opened; `corner` is the cell's lower-left corner in world units.
    virtual void OnDoorCellOpened(const Vector2& corner) = 0;
    /// The level rebuilt the collision map and its navigation graph from its live cells.
    virtual void OnMapsRebuilt(Level& level) = 0;
};

} // namespace Velmora::Logic
