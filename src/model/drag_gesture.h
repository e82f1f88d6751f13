#pragma once

#include "model/move.h"
#include "model/tile_grid.h"

#include <cstdint>
#include <optional>

namespace tesselo {

enum DragAxis : std::int32_t { None = 0, Horizontal = 1, Vertical = 2 };

// A move a gesture or a key makes: the slide, and where the selection
// stands after it (on the moved tile).
struct PlannedMove {
    Move move;
    Selection after;
};

// The open drag of a row or column, from the press to the release, in
// board pixels. It changes no grid: at the release it yields the move it
// snapped to, or nothing.
class DragGesture {
public:
    void Begin(std::int32_t x, std::int32_t y);
    // Follows the pointer; the axis is chosen once one direction leads the
    // other by more than 4 pixels, and then kept.
    void Track(std::int32_t x, std::int32_t y);
    // Closes the gesture at (x, y), rounding to the nearest whole number of
    // cells (halves away from zero). Nothing when no axis was chosen, the
    // cells have no size, or the line comes back where it was.
    std::optional<PlannedMove> End(std::int32_t x, std::int32_t y, std::int32_t cellWidth,
                                   std::int32_t cellHeight, const TileGrid& grid);
    // The line at rest again: no axis, no offset. The gesture may still be
    // open (a release ends it).
    void Settle();
    // Abandons the gesture: the line springs back and nothing moves.
    void Cancel();

    std::int32_t dragAnchorY = 0;
    std::int32_t dragAnchorX = 0;
    std::int32_t dragDeltaX = 0;
    std::int32_t dragDeltaY = 0;
    DragAxis dragAxis = None;
    bool dragging = false;
};

} // namespace tesselo
