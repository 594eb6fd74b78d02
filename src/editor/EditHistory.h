#pragma once

#include "world/SpawnInfo.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace Velmora::Logic {
class Level;
}

namespace Velmora::Editor {

/// The editor's changes to one level, with undo and redo. Every change goes through here so it
/// can be taken back: painting (a whole stroke of cells is one step), resizing, and creating,
/// moving, orienting, deleting or setting the values of spawns. Recording a new step drops the steps that were undone,
/// as any editor does: redoing them after a different change would rebuild a state that never
/// existed. Not owned data: the level must outlive the history or be detached first.
class EditHistory {
public:
    /// One painted cell.
    struct CellChange {
        int32_t mX = 0;
        int32_t mY = 0;
        uint32_t mOld = 0; ///< tile id before
        uint32_t mNew = 0; ///< tile id after
    };
    /// A size change, with the stored cells before it (a shrink loses the cells cut off).
    struct ResizeChange {
        int mOldWidth = 1;
        int mOldHeight = 1;
        std::vector<int32_t> mOldCells;
        int mNewWidth = 1;
        int mNewHeight = 1;
    };
    /// A spawn entry at a place in the list: created (no before), deleted (no after) or changed.
    struct SpawnChange {
        size_t mIndex = 0;
        std::optional<Logic::SpawnInfo> mBefore;
        std::optional<Logic::SpawnInfo> mAfter;
    };
    /// One undo step: the cells of one stroke, or one resize, or the spawn changes made together.
    struct Step {
        std::vector<CellChange> mCells;
        std::optional<ResizeChange> mResize;
        std::vector<SpawnChange> mSpawns;
    };

    /// Works on `level` (may be null: every change is then refused); forgets every step.
    void Attach(Logic::Level* level);
    /// The level being edited, or null.
    Logic::Level* GetLevel() const { return mLevel; }

    /// Sets a cell to `tile` (both grids, frames of the cell and its neighbours). Nothing when
    /// the cell already holds it or lies outside the grid. With `record`, the change joins the
    /// open stroke or, without one, becomes a step of its own. True when the cell changed.
    bool SetTile(int x, int y, uint32_t tile, bool record);
    /// Opens a stroke: the cells painted and spawns changed until EndStroke make one step.
    void BeginStroke();
    /// Closes the stroke and returns how many cell changes it made; a stroke that changed
    /// nothing records nothing.
    size_t EndStroke();
    /// Resizes the level (Level::ResizeLevel) as one step. False, nothing recorded, for a size
    /// the level refuses or the size it already has.
    bool Resize(int width, int height);
    /// Appends a copy of `spawn` to the spawn list as one step; returns the new entry.
    Logic::SpawnInfo* AddSpawn(const Logic::SpawnInfo& spawn);
    /// Removes an entry of the spawn list as one step. False when it is not in the list.
    bool RemoveSpawn(const Logic::SpawnInfo* spawn);
    /// Records that `spawn` (still in the list) was changed from `before`, joining the open
    /// stroke if there is one. Nothing, and false, when no field differs.
    bool RecordSpawnChange(const Logic::SpawnInfo& spawn, const Logic::SpawnInfo& before);

    /// Takes back the step before the position. False at position 0.
    bool Undo();
    /// Applies the step at the position again. False at the end of the list.
    bool Redo();

    /// Steps before it can be undone.
    size_t GetPosition() const { return mPosition; }
    /// Steps kept (undone ones included until a new step drops them).
    size_t GetStepCount() const { return mSteps.size(); }
    /// The level was changed since it was attached or last marked saved.
    /// True once a spawn was added, removed or changed (undo and redo included) since Attach: the
    /// level's live entities no longer stand as the spawn list says until the level begins again.
    bool AreSpawnsEdited() const { return mSpawnsEdited; }
    bool IsModified() const { return mModified; }
    /// Sets or clears the unsaved-changes flag (a save clears it; a spawn dragged sets it).
    void SetModified(bool modified) { mModified = modified; }

private:
    void Push(Step step);
    void ApplyCells(const Step& step, bool forward);
    void ApplyResize(const ResizeChange& resize, bool forward);
    void ApplySpawn(const SpawnChange& change, bool forward);
    void Apply(const Step& step, bool forward);

    Logic::Level* mLevel = nullptr; // not owned
    std::vector<Step> mSteps;
    size_t mPosition = 0;
    std::optional<Step> mStroke; // open while a stroke paints
    bool mModified = false;
    bool mSpawnsEdited = false;
};

} // namespace Velmora::Editor
