#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Velmora::Editor {

/// Outlines of cells the pointer has just left, fading out over their lifetime, so a quick
/// sweep over the map leaves a short trail. Drawn through the debug-draw manager.
class EditorTrail {
public:
    /// Adds the outline of cell (x, y) for `seconds`.
    void Add(int x, int y, double seconds);
    /// Ages the outlines by dt seconds and drops the expired ones.
    void Update(double dt);
    /// Queues every outline for this frame in `color`, fading with age.
    void Draw(uint32_t color) const;
    /// Outlines not yet expired.
    size_t GetCount() const { return mCells.size(); }

    /// Queues the four sides of cell (x, y) as debug lines (fade 0 opaque … 1 gone).
    static void Outline(int x, int y, uint32_t color, double fade);

private:
    struct Cell {
        int mX = 0;
        int mY = 0;
        double mLeft = 0.0;     // seconds to live
        double mLifetime = 0.0; // seconds it was given
    };
    std::vector<Cell> mCells;
};

} // namespace Velmora::Editor
