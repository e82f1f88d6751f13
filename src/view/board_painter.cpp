#include "view/board_painter.h"

#include "model/tile_grid.h"
#include "pictures/board_bitmap.h"

#include <algorithm>
#include <initializer_list>

namespace tesselo {

namespace {

// The board's geometry, worked out afresh for every paint from the picture
// and the grid as they are now.
struct Geometry {
    std::int32_t w, h;   // picture
    std::int32_t cw, ch; // cell
    std::int32_t bw, bh; // board: whole cells only
    std::int32_t xr, yb; // last board column and row
    std::int32_t left, top, right, bottom; // frame of the selected cell

    // One wrap at most: positions from -BW to 2BW - 1 land on the board, and
    // anything further out is drawn where it falls, off the board. Worked in
    // 64 bits so that no offset, however wild, can overflow.
    std::int64_t WrapX(std::int64_t v) const
    {
        if (v < 0)
            v += bw;
        if (v > xr)
            v -= bw;
        return v;
    }
    std::int64_t WrapY(std::int64_t v) const
    {
        if (v < 0)
            v += bh;
        if (v > yb)
            v -= bh;
        return v;
    }
};

// A wrapped position as a drawing coordinate. Positions the wrap could not
// bring onto the board are pulled in to a fixed distance outside it: what
// lands on the board stays the same, and the target never sees coordinates
// whose sums could overflow. Comparisons are made on the unclamped values.
constexpr std::int64_t kFarOff = std::int64_t(1) << 24;

int Near(std::int64_t v)
{
    return static_cast<int>(std::clamp(v, -kFarOff, kFarOff));
}

bool MakeGeometry(const BoardBitmap& board, const TileGrid* grid, Geometry* g)
{
    if (board.picture.isNull() || !grid || grid->rowCount <= 0 || grid->columnCount <= 0 ||
        grid->cells.size() != static_cast<std::size_t>(grid->rowCount) * static_cast<std::size_t>(grid->columnCount))
        return false;
    const QSize size = board.Size();
    g->w = size.width();
    g->h = size.height();
    g->cw = g->w / grid->columnCount;
    g->ch = g->h / grid->rowCount;
    g->bw = grid->columnCount * g->cw;
    g->bh = grid->rowCount * g->ch;
    g->xr = g->bw - 1;
    g->yb = g->bh - 1;
    g->left = grid->selectedColumn * g->cw;
    g->top = grid->selectedRow * g->ch;
    g->right = std::min(g->left + g->cw, g->xr);
    g->bottom = std::min(g->top + g->ch, g->yb);
    return true;
}

void Outline(PaintTarget& target, std::initializer_list<QPoint> points, QRgb colour)
{
    const QPoint* previous = nullptr;
    for (const QPoint& p : points) {
        if (previous)
            target.Line(*previous, p, colour);
        previous = &p;
    }
}

QPoint SourceCorner(const TileGrid& grid, const Geometry& g, std::int32_t row, std::int32_t column)
{
    const Tile& t = grid.At(row, column);
    return QPoint(t.homeColumn * g.cw, t.homeRow * g.ch);
}

bool CopyCell(PaintTarget& target, const BoardBitmap& board, const TileGrid& grid, const Geometry& g,
              std::int32_t row, std::int32_t column)
{
    const QPoint s = SourceCorner(grid, g, row, column);
    return target.Copy(board.picture, QRect(s.x(), s.y(), g.cw, g.ch), QPoint(column * g.cw, row * g.ch));
}

void HorizontalGridLines(PaintTarget& target, const TileGrid& grid, const Geometry& g)
{
    for (std::int32_t i = 0; i < grid.rowCount; ++i)
        target.Line(QPoint(0, i * g.ch), QPoint(g.xr + 1, i * g.ch), kGridColour);
    target.Line(QPoint(0, g.yb), QPoint(g.xr + 1, g.yb), kGridColour);
}

void VerticalGridLines(PaintTarget& target, const TileGrid& grid, const Geometry& g)
{
    for (std::int32_t j = 0; j < grid.columnCount; ++j)
        target.Line(QPoint(j * g.cw, 0), QPoint(j * g.cw, g.yb + 1), kGridColour);
    target.Line(QPoint(g.xr, 0), QPoint(g.xr, g.yb + 1), kGridColour);
}

void Frame(PaintTarget& target, std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
{
    Outline(target, {QPoint(l, t), QPoint(r, t), QPoint(r, b), QPoint(l, b), QPoint(l, t)}, kSelectionColour);
}

// The frame of the selected cell moved `dx` pixels along its row, wrapping
// round the side edges.
void FrameAlongRow(PaintTarget& target, const Geometry& g, std::int32_t dx)
{
    const std::int64_t wrappedLeft = g.WrapX(std::int64_t(g.left) + dx);
    const std::int64_t wrappedRight = g.WrapX(std::int64_t(g.right) + dx);
    const int sl = Near(wrappedLeft);
    const int sr = Near(wrappedRight);
    if (wrappedRight > wrappedLeft) {
        Frame(target, sl, g.top, sr, g.bottom);
    } else {
        // The frame straddles the side edges: two brackets, open outwards.
        Outline(target, {QPoint(0, g.top), QPoint(sr, g.top), QPoint(sr, g.bottom), QPoint(-1, g.bottom)},
                kSelectionColour);
        Outline(target,
                {QPoint(g.xr, g.top), QPoint(sl, g.top), QPoint(sl, g.bottom), QPoint(g.xr + 1, g.bottom)},
                kSelectionColour);
    }
}

// The same along its column, wrapping round the top and bottom edges.
void FrameAlongColumn(PaintTarget& target, const Geometry& g, std::int32_t dy)
{
    const std::int64_t wrappedTop = g.WrapY(std::int64_t(g.top) + dy);
    const std::int64_t wrappedBottom = g.WrapY(std::int64_t(g.bottom) + dy);
    const int st = Near(wrappedTop);
    const int sb = Near(wrappedBottom);
    if (wrappedBottom > wrappedTop) {
        Frame(target, g.left, st, g.right, sb);
    } else {
        Outline(target, {QPoint(g.left, 0), QPoint(g.left, sb), QPoint(g.right, sb), QPoint(g.right, -1)},
                kSelectionColour);
        Outline(target,
                {QPoint(g.left, g.yb), QPoint(g.left, st), QPoint(g.right, st), QPoint(g.right, g.yb + 1)},
                kSelectionColour);
    }
}

// The board at rest, its frame moved `frame` pixels along a row or a column
// (a selection on its way to its cell).
bool DrawAtRest(PaintTarget& target, const BoardBitmap& board, const TileGrid& grid, QPoint frame)
{
    Geometry g;
    if (!MakeGeometry(board, &grid, &g))
        return false;
    if (grid.IsSolved())
        return target.Copy(board.picture, QRect(0, 0, g.w, g.h), QPoint(0, 0));
    for (std::int32_t i = 0; i < grid.rowCount; ++i)
        for (std::int32_t j = 0; j < grid.columnCount; ++j)
            if (!CopyCell(target, board, grid, g, i, j))
                return false;
    HorizontalGridLines(target, grid, g);
    VerticalGridLines(target, grid, g);
    if (frame.x() != 0)
        FrameAlongRow(target, g, frame.x());
    else if (frame.y() != 0)
        FrameAlongColumn(target, g, frame.y());
    else
        Frame(target, g.left, g.top, g.right, g.bottom);
    return true;
}

bool DrawRow(PaintTarget& target, const BoardBitmap& board, const TileGrid& grid, std::int32_t dx)
{
    Geometry g;
    if (!MakeGeometry(board, &grid, &g))
        return false;
    const std::int32_t sel = grid.selectedRow;
    for (std::int32_t i = 0; i < grid.rowCount; ++i) {
        for (std::int32_t j = 0; j < grid.columnCount; ++j) {
            if (i != sel) {
                if (!CopyCell(target, board, grid, g, i, j))
                    return false;
                continue;
            }
            const QPoint s = SourceCorner(grid, g, i, j);
            const std::int32_t y = i * g.ch;
            const std::int64_t x = g.WrapX(std::int64_t(j) * g.cw + dx);
            // A piece starting beyond the right edge is not split: its first
            // part would have a negative width and the second would take in
            // its neighbours.
            if (x <= g.xr && x + g.cw > g.xr) {
                // The piece runs off the right edge and comes back in at the left.
                const std::int32_t w1 = g.bw - static_cast<std::int32_t>(x);
                const std::int32_t w2 = g.cw - w1;
                if (!target.Copy(board.picture, QRect(s.x(), s.y(), w1, g.ch), QPoint(Near(x), y)) ||
                    !target.Copy(board.picture, QRect(s.x() + w1, s.y(), w2, g.ch), QPoint(0, y)))
                    return false;
            } else if (!target.Copy(board.picture, QRect(s.x(), s.y(), g.cw, g.ch), QPoint(Near(x), y))) {
                return false;
            }
        }
    }
    HorizontalGridLines(target, grid, g);
    // Separators move with the dragged row and stay put above and below it.
    const auto separator = [&](std::int32_t x) {
        const int t = Near(g.WrapX(std::int64_t(x) + dx));
        target.Line(QPoint(x, 0), QPoint(x, g.top), kGridColour);
        target.Line(QPoint(t, g.top), QPoint(t, g.bottom), kGridColour);
        target.Line(QPoint(x, g.bottom), QPoint(x, g.yb + 1), kGridColour);
    };
    for (std::int32_t j = 0; j < grid.columnCount; ++j)
        separator(j * g.cw);
    separator(g.xr);
    FrameAlongRow(target, g, dx);
    return true;
}

bool DrawColumn(PaintTarget& target, const BoardBitmap& board, const TileGrid& grid, std::int32_t dy)
{
    Geometry g;
    if (!MakeGeometry(board, &grid, &g))
        return false;
    const std::int32_t sel = grid.selectedColumn;
    for (std::int32_t j = 0; j < grid.columnCount; ++j) {
        for (std::int32_t i = 0; i < grid.rowCount; ++i) {
            if (j != sel) {
                if (!CopyCell(target, board, grid, g, i, j))
                    return false;
                continue;
            }
            const QPoint s = SourceCorner(grid, g, i, j);
            const std::int32_t x = j * g.cw;
            const std::int64_t y = g.WrapY(std::int64_t(i) * g.ch + dy);
            if (y <= g.yb && y + g.ch > g.yb) {
                const std::int32_t h1 = g.bh - static_cast<std::int32_t>(y);
                const std::int32_t h2 = g.ch - h1;
                if (!target.Copy(board.picture, QRect(s.x(), s.y(), g.cw, h1), QPoint(x, Near(y))) ||
                    !target.Copy(board.picture, QRect(s.x(), s.y() + h1, g.cw, h2), QPoint(x, 0)))
                    return false;
            } else if (!target.Copy(board.picture, QRect(s.x(), s.y(), g.cw, g.ch), QPoint(x, Near(y)))) {
                return false;
            }
        }
    }
    const auto separator = [&](std::int32_t y) {
        const int t = Near(g.WrapY(std::int64_t(y) + dy));
        target.Line(QPoint(0, y), QPoint(g.left, y), kGridColour);
        target.Line(QPoint(g.left, t), QPoint(g.right, t), kGridColour);
        target.Line(QPoint(g.right, y), QPoint(g.xr + 1, y), kGridColour);
    };
    for (std::int32_t i = 0; i < grid.rowCount; ++i)
        separator(i * g.ch);
    separator(g.yb);
    VerticalGridLines(target, grid, g);
    FrameAlongColumn(target, g, dy);
    return true;
}

} // namespace

bool DrawBoard(PaintTarget& target, const BoardBitmap& board)
{
    return board.grid && DrawAtRest(target, board, *board.grid, QPoint());
}

bool DrawRowDrag(PaintTarget& target, const BoardBitmap& board, std::int32_t dx)
{
    return board.grid && DrawRow(target, board, *board.grid, dx);
}

bool DrawColumnDrag(PaintTarget& target, const BoardBitmap& board, std::int32_t dy)
{
    return board.grid && DrawColumn(target, board, *board.grid, dy);
}

bool DrawMotion(PaintTarget& target, const BoardBitmap& board, const MotionFrame& frame)
{
    switch (frame.axis) {
    case Horizontal: return DrawRow(target, board, frame.grid, frame.offset);
    case Vertical: return DrawColumn(target, board, frame.grid, frame.offset);
    case None:
    default: return DrawAtRest(target, board, frame.grid, frame.frameOffset);
    }
}

} // namespace tesselo
