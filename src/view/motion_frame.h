#pragma once

#include "model/drag_gesture.h"
#include "model/move.h"
#include "model/tile_grid.h"

#include <QPoint>

#include <cstdint>

namespace tesselo {

// What the board shows at one moment between two boards at rest: a grid
// whose selected line is slid `offset` board pixels along `axis`, as a drag
// shows it; or, with no axis, the grid at rest with its selection frame
// `frameOffset` pixels away from the selected cell, on its way there.
struct MotionFrame {
    TileGrid grid;
    DragAxis axis = None;
    std::int32_t offset = 0;
    QPoint frameOffset;
};

// `grid` with the line of `move` slid by `cells` cells (any fraction) of
// the given size, `framed` being the cell its frame stood on as the slide
// began: the frame goes along on the moving line. The one arithmetic of a
// line in motion, whoever moved it.
inline MotionFrame SlideFrame(const TileGrid& grid, Selection framed, const Move& move, double cells,
                              std::int32_t cellWidth, std::int32_t cellHeight)
{
    MotionFrame frame;
    frame.grid = grid;
    frame.grid.Select(framed);
    const bool row = move.axis == MoveAxis::Row;
    if (row)
        frame.grid.selectedRow = move.line;
    else
        frame.grid.selectedColumn = move.line;
    frame.axis = row ? Horizontal : Vertical;
    const double along = cells * (row ? cellWidth : cellHeight);
    frame.offset = static_cast<std::int32_t>(along < 0 ? along - 0.5 : along + 0.5);
    return frame;
}

} // namespace tesselo
