#pragma once

#include "model/move.h"
#include "model/tile_grid.h"

#include <QSize>

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

// A cell of the board, by its row and column.
struct Cell {
    std::int32_t row = 0;
    std::int32_t column = 0;
};

// The board cut into the grid's cells, in board pixels: a board `board`
// pixels large has cells of its width and height divided by the counts,
// rounded down, and the strip beyond the last whole cell belongs to none.
std::int32_t CellWidth(QSize board, const TileGrid& grid);
std::int32_t CellHeight(QSize board, const TileGrid& grid);
// The cell under (x, y), brought inside the grid; cells of no size (a
// minimised window) put every point in cell (0, 0).
Cell CellAt(QSize board, const TileGrid& grid, std::int32_t y, std::int32_t x);

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
    // How far the line is slid along the chosen axis, in board pixels
    // (none without an axis); OffsetAt, with the pointer at (x, y).
    std::int32_t Offset() const;
    std::int32_t OffsetAt(std::int32_t x, std::int32_t y) const;

    std::int32_t dragAnchorY = 0;
    std::int32_t dragAnchorX = 0;
    std::int32_t dragDeltaX = 0;
    std::int32_t dragDeltaY = 0;
    DragAxis dragAxis = None;
    bool dragging = false;
};

} // namespace tesselo
