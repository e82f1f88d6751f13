#include "view/board_painter.h"

#include "model/tile_grid.h"
#include "pictures/board_bitmap.h"
#include "view/board_cache.h"
#include "view/number_plates.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <vector>

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

using Pieces = std::vector<PaintTarget::Piece>;

// The cell at (row, column), in its place.
void AddCell(Pieces& pieces, const TileGrid& grid, const Geometry& g, std::int32_t row, std::int32_t column)
{
    const QPoint s = SourceCorner(grid, g, row, column);
    pieces.push_back({QRect(s.x(), s.y(), g.cw, g.ch), QPoint(column * g.cw, row * g.ch)});
}

// The plates for this grid and its cells, or null when there are none to
// draw.
const NumberPlates* ReadyPlates(NumberPlates* numbers, const BoardBitmap& board, const TileGrid& grid,
                                const Geometry& g)
{
    if (!numbers ||
        !numbers->Prepare(grid.rowCount, grid.columnCount, QSize(g.cw, g.ch), board.picture.devicePixelRatio()))
        return nullptr;
    return numbers;
}

QRect PlateOf(const NumberPlates& plates, const TileGrid& grid, std::int32_t row, std::int32_t column)
{
    const Tile& t = grid.At(row, column);
    return plates.Plate(t.homeRow, t.homeColumn);
}

// The plates of the cells outside line `skip` of the given axis (-1: none
// skipped), each in its cell's corner.
void AddPlates(Pieces& pieces, const NumberPlates& plates, const TileGrid& grid, const Geometry& g,
               std::int32_t skipRow, std::int32_t skipColumn)
{
    for (std::int32_t i = 0; i < grid.rowCount; ++i)
        for (std::int32_t j = 0; j < grid.columnCount; ++j)
            if (i != skipRow && j != skipColumn)
                pieces.push_back({PlateOf(plates, grid, i, j), QPoint(j * g.cw, i * g.ch) + NumberPlates::kInset});
}

// `source` into the row of board pixels from `y` down, its left edge at
// `x`, wrapped once: a piece running off the right edge comes back in at
// the left. A piece starting beyond the right edge is not split: its first
// part would have a negative width and the second would take in its
// neighbours.
void AddAlongRow(Pieces& pieces, const QRect& source, const Geometry& g, std::int64_t x, std::int32_t y)
{
    x = g.WrapX(x);
    if (x <= g.xr && x + source.width() > g.xr) {
        const std::int32_t w1 = g.bw - static_cast<std::int32_t>(x);
        const std::int32_t w2 = source.width() - w1;
        pieces.push_back({QRect(source.x(), source.y(), w1, source.height()), QPoint(Near(x), y)});
        pieces.push_back({QRect(source.x() + w1, source.y(), w2, source.height()), QPoint(0, y)});
        return;
    }
    pieces.push_back({source, QPoint(Near(x), y)});
}

// The same down a column, wrapping round the bottom edge to the top.
void AddAlongColumn(Pieces& pieces, const QRect& source, const Geometry& g, std::int32_t x, std::int64_t y)
{
    y = g.WrapY(y);
    if (y <= g.yb && y + source.height() > g.yb) {
        const std::int32_t h1 = g.bh - static_cast<std::int32_t>(y);
        const std::int32_t h2 = source.height() - h1;
        pieces.push_back({QRect(source.x(), source.y(), source.width(), h1), QPoint(x, Near(y))});
        pieces.push_back({QRect(source.x(), source.y() + h1, source.width(), h2), QPoint(x, 0)});
        return;
    }
    pieces.push_back({source, QPoint(x, Near(y))});
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
bool DrawAtRest(PaintTarget& target, const BoardBitmap& board, const TileGrid& grid, QPoint frame,
                NumberPlates* numbers, BoardCache* rest)
{
    Geometry g;
    if (!MakeGeometry(board, &grid, &g))
        return false;
    const NumberPlates* plates = ReadyPlates(numbers, board, grid, g);
    Pieces pieces;
    if (grid.IsSolved()) {
        // The picture whole, with no lines; its numbers, in order, over it.
        if (!target.Copy(board.picture, QRect(0, 0, g.w, g.h), QPoint(0, 0)))
            return false;
        if (plates)
            AddPlates(pieces, *plates, grid, g, -1, -1);
        return !plates || target.CopyAll(plates->Picture(), pieces);
    }
    if (rest && rest->Update(board, grid, plates, g.cw, g.ch)) {
        // Cells and plates, kept.
        if (!target.Copy(rest->Picture(), QRect(0, 0, g.bw, g.bh), QPoint(0, 0)))
            return false;
    } else {
        pieces.reserve(grid.cells.size());
        for (std::int32_t i = 0; i < grid.rowCount; ++i)
            for (std::int32_t j = 0; j < grid.columnCount; ++j)
                AddCell(pieces, grid, g, i, j);
        if (!target.CopyAll(board.picture, pieces))
            return false;
        if (plates) {
            pieces.clear();
            AddPlates(pieces, *plates, grid, g, -1, -1);
            if (!target.CopyAll(plates->Picture(), pieces))
                return false;
        }
    }
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

// Everything but line `line` of a row (or, `row` false, a column) drag: from
// the board kept at rest, when there is one, in the parts before and after
// the line; else cell by cell, with their plates.
bool DrawStill(PaintTarget& target, const BoardBitmap& board, const TileGrid& grid, const Geometry& g, bool row,
               std::int32_t line, const NumberPlates* plates, BoardCache* rest)
{
    const std::int32_t lines = row ? grid.rowCount : grid.columnCount;
    if (line >= 0 && line < lines && rest && rest->Update(board, grid, plates, g.cw, g.ch)) {
        const QImage& kept = rest->Picture();
        const QRect before = row ? QRect(0, 0, g.bw, line * g.ch) : QRect(0, 0, line * g.cw, g.bh);
        const QRect after = row ? QRect(0, (line + 1) * g.ch, g.bw, g.bh - (line + 1) * g.ch)
                                : QRect((line + 1) * g.cw, 0, g.bw - (line + 1) * g.cw, g.bh);
        return target.CopyAll(kept, std::array{PaintTarget::Piece{before, before.topLeft()},
                                               PaintTarget::Piece{after, after.topLeft()}});
    }
    Pieces pieces;
    pieces.reserve(grid.cells.size());
    for (std::int32_t i = 0; i < grid.rowCount; ++i)
        for (std::int32_t j = 0; j < grid.columnCount; ++j)
            if ((row ? i : j) != line)
                AddCell(pieces, grid, g, i, j);
    if (!target.CopyAll(board.picture, pieces))
        return false;
    if (!plates)
        return true;
    pieces.clear();
    AddPlates(pieces, *plates, grid, g, row ? line : -1, row ? -1 : line);
    return target.CopyAll(plates->Picture(), pieces);
}

bool DrawRow(PaintTarget& target, const BoardBitmap& board, const TileGrid& grid, std::int32_t dx,
             NumberPlates* numbers, BoardCache* rest)
{
    Geometry g;
    if (!MakeGeometry(board, &grid, &g))
        return false;
    const std::int32_t sel = grid.selectedRow;
    const NumberPlates* plates = ReadyPlates(numbers, board, grid, g);
    if (!DrawStill(target, board, grid, g, true, sel, plates, rest))
        return false;
    // The moving row, its plates going along with their pieces.
    if (sel >= 0 && sel < grid.rowCount) {
        Pieces pieces;
        for (std::int32_t j = 0; j < grid.columnCount; ++j) {
            const QPoint s = SourceCorner(grid, g, sel, j);
            AddAlongRow(pieces, QRect(s.x(), s.y(), g.cw, g.ch), g, std::int64_t(j) * g.cw + dx, sel * g.ch);
        }
        if (!target.CopyAll(board.picture, pieces))
            return false;
        if (plates) {
            pieces.clear();
            for (std::int32_t j = 0; j < grid.columnCount; ++j)
                AddAlongRow(pieces, PlateOf(*plates, grid, sel, j), g,
                            g.WrapX(std::int64_t(j) * g.cw + dx) + NumberPlates::kInset.x(),
                            sel * g.ch + NumberPlates::kInset.y());
            if (!target.CopyAll(plates->Picture(), pieces))
                return false;
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

bool DrawColumn(PaintTarget& target, const BoardBitmap& board, const TileGrid& grid, std::int32_t dy,
                NumberPlates* numbers, BoardCache* rest)
{
    Geometry g;
    if (!MakeGeometry(board, &grid, &g))
        return false;
    const std::int32_t sel = grid.selectedColumn;
    const NumberPlates* plates = ReadyPlates(numbers, board, grid, g);
    if (!DrawStill(target, board, grid, g, false, sel, plates, rest))
        return false;
    if (sel >= 0 && sel < grid.columnCount) {
        Pieces pieces;
        for (std::int32_t i = 0; i < grid.rowCount; ++i) {
            const QPoint s = SourceCorner(grid, g, i, sel);
            AddAlongColumn(pieces, QRect(s.x(), s.y(), g.cw, g.ch), g, sel * g.cw, std::int64_t(i) * g.ch + dy);
        }
        if (!target.CopyAll(board.picture, pieces))
            return false;
        if (plates) {
            pieces.clear();
            for (std::int32_t i = 0; i < grid.rowCount; ++i)
                AddAlongColumn(pieces, PlateOf(*plates, grid, i, sel), g, sel * g.cw + NumberPlates::kInset.x(),
                               g.WrapY(std::int64_t(i) * g.ch + dy) + NumberPlates::kInset.y());
            if (!target.CopyAll(plates->Picture(), pieces))
                return false;
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

bool DrawBoard(PaintTarget& target, const BoardBitmap& board, NumberPlates* numbers, BoardCache* rest)
{
    return board.grid && DrawAtRest(target, board, *board.grid, QPoint(), numbers, rest);
}

bool DrawRowDrag(PaintTarget& target, const BoardBitmap& board, std::int32_t dx, NumberPlates* numbers,
                 BoardCache* rest)
{
    return board.grid && DrawRow(target, board, *board.grid, dx, numbers, rest);
}

bool DrawColumnDrag(PaintTarget& target, const BoardBitmap& board, std::int32_t dy, NumberPlates* numbers,
                    BoardCache* rest)
{
    return board.grid && DrawColumn(target, board, *board.grid, dy, numbers, rest);
}

bool DrawMotion(PaintTarget& target, const BoardBitmap& board, const MotionFrame& frame, NumberPlates* numbers,
                BoardCache* rest)
{
    switch (frame.axis) {
    case Horizontal: return DrawRow(target, board, frame.grid, frame.offset, numbers, rest);
    case Vertical: return DrawColumn(target, board, frame.grid, frame.offset, numbers, rest);
    case None:
    default: return DrawAtRest(target, board, frame.grid, frame.frameOffset, numbers, rest);
    }
}

} // namespace tesselo
