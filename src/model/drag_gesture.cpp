#include "model/drag_gesture.h"

#include <algorithm>
#include <limits>

namespace tesselo {

namespace {

std::int64_t Abs64(std::int64_t v) { return v < 0 ? -v : v; }

// Rounds a drag to whole cells, halves away from zero, and names the line
// it lands on, wrapping once past either end; -1 or `count` when even that
// leaves the line (points outside the board are the caller's error).
std::int32_t SnapTarget(std::int64_t d, std::int32_t cell, std::int32_t selected, std::int32_t count,
                        std::int32_t* snapped)
{
    if (d > 0)
        d += cell / 2;
    else
        d -= cell / 2;
    *snapped = static_cast<std::int32_t>(d);
    std::int64_t t = d / cell + selected;
    if (t < 0)
        t += count;
    if (t >= count)
        t -= count;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(t, -1, count));
}

// A drag's offset along its axis, in board pixels (none without an axis).
std::int32_t Along(DragAxis axis, std::int64_t dx, std::int64_t dy)
{
    const std::int64_t v = axis == Horizontal ? dx : axis == Vertical ? dy : 0;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

} // namespace

std::int32_t CellWidth(QSize board, const TileGrid& grid)
{
    return grid.columnCount > 0 ? board.width() / grid.columnCount : 0;
}

std::int32_t CellHeight(QSize board, const TileGrid& grid)
{
    return grid.rowCount > 0 ? board.height() / grid.rowCount : 0;
}

Cell CellAt(QSize board, const TileGrid& grid, std::int32_t y, std::int32_t x)
{
    const std::int32_t cw = CellWidth(board, grid);
    const std::int32_t ch = CellHeight(board, grid);
    Cell cell;
    cell.row = ch > 0 ? std::clamp(y / ch, 0, std::max(grid.rowCount - 1, 0)) : 0;
    cell.column = cw > 0 ? std::clamp(x / cw, 0, std::max(grid.columnCount - 1, 0)) : 0;
    return cell;
}

void DragGesture::Begin(std::int32_t x, std::int32_t y)
{
    dragAnchorX = x;
    dragAnchorY = y;
    dragDeltaX = 0;
    dragDeltaY = 0;
    dragAxis = None;
    dragging = true;
}

void DragGesture::Track(std::int32_t x, std::int32_t y)
{
    if (!dragging)
        return;
    const std::int64_t dx = std::int64_t(x) - dragAnchorX;
    const std::int64_t dy = std::int64_t(y) - dragAnchorY;
    dragDeltaX = static_cast<std::int32_t>(dx);
    dragDeltaY = static_cast<std::int32_t>(dy);
    if (dragAxis == None) {
        if (Abs64(dx) - Abs64(dy) > 4)
            dragAxis = Horizontal;
        else if (Abs64(dy) - Abs64(dx) > 4)
            dragAxis = Vertical;
    }
}

std::optional<PlannedMove> DragGesture::End(std::int32_t x, std::int32_t y, std::int32_t cellWidth,
                                            std::int32_t cellHeight, const TileGrid& grid)
{
    if (!dragging)
        return std::nullopt;
    dragging = false;
    const Selection at = grid.Selected();
    // A board too small to hold a pixel per cell (a minimised window) has
    // no cells to move by.
    if (dragAxis == Horizontal && cellWidth > 0) {
        const std::int32_t t =
            SnapTarget(std::int64_t(x) - dragAnchorX, cellWidth, at.column, grid.columnCount, &dragDeltaX);
        if (t >= 0 && t < grid.columnCount && t != at.column)
            return PlannedMove{Move{MoveAxis::Row, at.row, t - at.column}, Selection{at.row, t}};
    } else if (dragAxis == Vertical && cellHeight > 0) {
        const std::int32_t t =
            SnapTarget(std::int64_t(y) - dragAnchorY, cellHeight, at.row, grid.rowCount, &dragDeltaY);
        if (t >= 0 && t < grid.rowCount && t != at.row)
            return PlannedMove{Move{MoveAxis::Column, at.column, t - at.row}, Selection{t, at.column}};
    }
    return std::nullopt;
}

void DragGesture::Settle()
{
    dragAxis = None;
    dragDeltaX = 0;
    dragDeltaY = 0;
}

void DragGesture::Cancel()
{
    Settle();
    dragging = false;
}

std::int32_t DragGesture::Offset() const
{
    return Along(dragAxis, dragDeltaX, dragDeltaY);
}

std::int32_t DragGesture::OffsetAt(std::int32_t x, std::int32_t y) const
{
    return Along(dragAxis, std::int64_t(x) - dragAnchorX, std::int64_t(y) - dragAnchorY);
}

} // namespace tesselo
