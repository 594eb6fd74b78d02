#include "editor/EditorTrail.h"

#include "core/TileGrid.h"
#include "graphics/DebugDrawManager.h"

#include <algorithm>

namespace Velmora::Editor {

void EditorTrail::Add(int x, int y, double seconds) {
    if (seconds > 0.0) mCells.push_back({x, y, seconds, seconds});
}

void EditorTrail::Update(double dt) {
    for (Cell& cell : mCells) cell.mLeft -= dt;
    std::erase_if(mCells, [](const Cell& cell) { return cell.mLeft <= 0.0; });
}

void EditorTrail::Draw(uint32_t color) const {
    for (const Cell& cell : mCells) Outline(cell.mX, cell.mY, color, 1.0 - cell.mLeft / cell.mLifetime);
}

void EditorTrail::Outline(int x, int y, uint32_t color, double fade) {
    Graphics::DebugDrawManager& debug = Graphics::DebugDrawManager::GetInstance();
    const double size = kTileSize;
    const double left = size * x;
    const double bottom = size * y;
    debug.DrawLine(left, bottom, left + size, bottom, color, fade);
    debug.DrawLine(left + size, bottom, left + size, bottom + size, color, fade);
    debug.DrawLine(left + size, bottom + size, left, bottom + size, color, fade);
    debug.DrawLine(left, bottom + size, left, bottom, color, fade);
}

} // namespace Velmora::Editor
