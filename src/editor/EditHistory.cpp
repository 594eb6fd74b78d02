#include "editor/EditHistory.h"

#include "world/Level.h"

#include <memory>
#include <utility>

namespace Velmora::Editor {

void EditHistory::Attach(Logic::Level* level) {
    mLevel = level;
    mSteps.clear();
    mPosition = 0;
    mStroke.reset();
    mModified = false;
    mSpawnsEdited = false;
}

bool EditHistory::SetTile(int x, int y, uint32_t tile, bool record) {
    if (!mLevel || !mLevel->IsInside(x, y)) return false;
    const auto old = static_cast<uint32_t>(mLevel->GetStoredCell(x, y));
    if (old == tile) return false;
    if (record) {
        const CellChange change{x, y, old, tile};
        if (mStroke) {
            mStroke->mCells.push_back(change);
        } else {
            Step step;
            step.mCells.push_back(change);
            Push(std::move(step));
        }
    }
    mLevel->PaintCell(x, y, static_cast<int>(tile));
    mModified = true;
    return true;
}

void EditHistory::BeginStroke() {
    if (!mStroke) mStroke.emplace();
}

size_t EditHistory::EndStroke() {
    if (!mStroke) return 0;
    Step step = std::move(*mStroke);
    mStroke.reset();
    const size_t count = step.mCells.size();
    if (count > 0 || !step.mSpawns.empty()) Push(std::move(step));
    return count;
}

bool EditHistory::Resize(int width, int height) {
    if (!mLevel || !Logic::Level::IsValidSize(width, height)) return false;
    if (width == mLevel->GetWidth() && height == mLevel->GetHeight()) return false;
    ResizeChange change{mLevel->GetWidth(), mLevel->GetHeight(), mLevel->GetStoredCells(), width, height};
    if (!mLevel->ResizeLevel(width, height)) return false;
    Step step;
    step.mResize = std::move(change);
    Push(std::move(step));
    mModified = true;
    return true;
}

Logic::SpawnInfo* EditHistory::AddSpawn(const Logic::SpawnInfo& spawn) {
    if (!mLevel) return nullptr;
    Step step;
    step.mSpawns.push_back(SpawnChange{mLevel->GetSpawnList().size(), std::nullopt, spawn});
    Push(std::move(step));
    mModified = true;
    mSpawnsEdited = true;
    return mLevel->AddSpawn(std::make_unique<Logic::SpawnInfo>(spawn));
}

bool EditHistory::RemoveSpawn(const Logic::SpawnInfo* spawn) {
    if (!mLevel || !spawn) return false;
    const size_t index = mLevel->FindSpawn(spawn);
    if (index >= mLevel->GetSpawnList().size()) return false;
    Step step;
    step.mSpawns.push_back(SpawnChange{index, *spawn, std::nullopt});
    Push(std::move(step));
    mModified = true;
    mSpawnsEdited = true;
    return mLevel->RemoveSpawn(spawn);
}

bool EditHistory::RecordSpawnChange(const Logic::SpawnInfo& spawn, const Logic::SpawnInfo& before) {
    if (!mLevel) return false;
    const size_t index = mLevel->FindSpawn(&spawn);
    if (index >= mLevel->GetSpawnList().size()) return false;
    if (spawn.mArchetype == before.mArchetype && spawn.mName == before.mName && spawn.mPosition == before.mPosition &&
        spawn.mDirection == before.mDirection && spawn.mData == before.mData) {
        return false;
    }
    const SpawnChange change{index, before, spawn};
    if (mStroke) {
        mStroke->mSpawns.push_back(change);
    } else {
        Step step;
        step.mSpawns.push_back(change);
        Push(std::move(step));
    }
    mModified = true;
    mSpawnsEdited = true;
    return true;
}

bool EditHistory::Undo() {
    if (!mLevel || mPosition == 0) return false;
    --mPosition;
    Apply(mSteps[mPosition], false);
    return true;
}

bool EditHistory::Redo() {
    if (!mLevel || mPosition >= mSteps.size()) return false;
    Apply(mSteps[mPosition], true);
    ++mPosition;
    return true;
}

void EditHistory::Push(Step step) {
    mSteps.resize(mPosition);
    mSteps.push_back(std::move(step));
    mPosition = mSteps.size();
}

void EditHistory::Apply(const Step& step, bool forward) {
    ApplyCells(step, forward);
    if (step.mResize) ApplyResize(*step.mResize, forward);
    // Backwards when undoing: later changes may stand on the places earlier ones made.
    const size_t count = step.mSpawns.size();
    for (size_t i = 0; i < count; ++i) ApplySpawn(step.mSpawns[forward ? i : count - 1 - i], forward);
    mModified = true;
}

void EditHistory::ApplyCells(const Step& step, bool forward) {
    // Backwards when undoing: a stroke that crossed a cell twice ends on its first old tile.
    const size_t count = step.mCells.size();
    for (size_t i = 0; i < count; ++i) {
        const CellChange& change = step.mCells[forward ? i : count - 1 - i];
        SetTile(change.mX, change.mY, forward ? change.mNew : change.mOld, false);
    }
}

void EditHistory::ApplyResize(const ResizeChange& resize, bool forward) {
    if (forward) {
        mLevel->ResizeLevel(resize.mNewWidth, resize.mNewHeight);
    } else {
        mLevel->SetCells(resize.mOldWidth, resize.mOldHeight, resize.mOldCells);
    }
}

void EditHistory::ApplySpawn(const SpawnChange& change, bool forward) {
    const std::optional<Logic::SpawnInfo>& from = forward ? change.mBefore : change.mAfter;
    const std::optional<Logic::SpawnInfo>& to = forward ? change.mAfter : change.mBefore;
    const auto& list = mLevel->GetSpawnList();
    mSpawnsEdited = true;
    if (from && change.mIndex < list.size()) mLevel->RemoveSpawn(list[change.mIndex].get());
    if (to) mLevel->InsertSpawn(change.mIndex, std::make_unique<Logic::SpawnInfo>(*to));
}

} // namespace Velmora::Editor
