#include "painter_scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>

using namespace tesselo;
using namespace tesselo::test;

namespace {

int Mod(std::int64_t v, int m)
{
    return static_cast<int>(((v % m) + m) % m);
}

// The board as the player should see it with the selected row pushed right
// by dx, worked out pixel by pixel from the tile permutation: the row is a
// ring as wide as the board, its grid lines and frame ride along with it.
QImage RowReference(const QImage& pic, const TileGrid& g, int dx)
{
    const int cw = pic.width() / g.columnCount, ch = pic.height() / g.rowCount;
    const int bw = cw * g.columnCount, bh = ch * g.rowCount, xr = bw - 1, yb = bh - 1;
    QImage out(pic.size(), QImage::Format_RGB32);
    out.fill(kUntouched);
    for (int y = 0; y < bh; ++y) {
        const int r = y / ch;
        for (int x = 0; x < bw; ++x) {
            const int sx = r == g.selectedRow ? Mod(std::int64_t(x) - dx, bw) : x;
            const Tile& t = g.At(r, sx / cw);
            out.setPixel(x, y, pic.pixel(t.homeColumn * cw + sx % cw, t.homeRow * ch + y % ch));
        }
    }
    const int top = g.selectedRow * ch, bottom = std::min(top + ch, yb);
    const int left = g.selectedColumn * cw, right = std::min(left + cw, xr);
    const auto shifted = [&](int x) { return Mod(std::int64_t(x) + dx, bw); };
    for (int i = 0; i <= g.rowCount; ++i) {
        const int y = i == g.rowCount ? yb : i * ch;
        for (int x = 0; x < bw; ++x)
            out.setPixel(x, y, kGridColour);
    }
    for (int j = 0; j <= g.columnCount; ++j) {
        const int x = j == g.columnCount ? xr : j * cw;
        for (int y = 0; y < bh; ++y)
            out.setPixel(y >= top && y < bottom ? shifted(x) : x, y, kGridColour);
    }
    for (int x = left; x <= right; ++x) {
        out.setPixel(shifted(x), top, kSelectionColour);
        out.setPixel(shifted(x), bottom, kSelectionColour);
    }
    for (int y = top; y <= bottom; ++y) {
        out.setPixel(shifted(left), y, kSelectionColour);
        out.setPixel(shifted(right), y, kSelectionColour);
    }
    return out;
}

QImage Transposed(const QImage& img)
{
    QImage out(img.height(), img.width(), QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            out.setPixel(y, x, img.pixel(x, y));
    return out;
}

// A column drag is a row drag of the board mirrored about its diagonal.
QImage ColumnReference(const QImage& pic, const TileGrid& g, int dy)
{
    TileGrid t;
    t.Resize(g.columnCount, g.rowCount);
    for (int i = 0; i < g.rowCount; ++i)
        for (int j = 0; j < g.columnCount; ++j) {
            Tile& mirrored = t.cells[static_cast<std::size_t>(j * g.rowCount + i)];
            mirrored.homeRow = g.At(i, j).homeColumn;
            mirrored.homeColumn = g.At(i, j).homeRow;
        }
    t.selectedRow = g.selectedColumn;
    t.selectedColumn = g.selectedRow;
    return Transposed(RowReference(Transposed(pic), t, dy));
}

} // namespace

TEST(BoardDrag, WorkedRowDragExamplePixelForPixel)
{
    Scene s(640, 480, 2, 3);
    s.Homes({{0, 0}, {0, 1}, {0, 2}, {1, 1}, {1, 2}, {1, 0}});
    s.Select(1, 2);
    const Rendering r = Render(s, Paint::Row, 50);
    ASSERT_TRUE(r.result);
    EXPECT_EQ(Differences(r.image, RowReference(s.board.picture, s.grid, 50)), 0);

    // The figures the reference stands on: column 2 (home (1, 0)) in two
    // parts of 163 and 50 pixels, separators at 50 and 263, the frame's
    // sides at 49 and 476, and the untouched strip at x 639.
    // Pixels on a grid line or the frame show the pen, so the runs checked
    // start one pixel in and stop short of the right-hand line at 638.
    const QImage& pic = s.board.picture;
    for (int x = 1; x < 162; ++x)
        ASSERT_EQ(r.image.pixel(476 + x, 300), pic.pixel(x, 300)) << x;
    for (int x = 1; x < 49; ++x)
        ASSERT_EQ(r.image.pixel(x, 300), pic.pixel(163 + x, 300)) << x;
    EXPECT_EQ(r.image.pixel(50, 300), kGridColour);
    EXPECT_EQ(r.image.pixel(263, 300), kGridColour);
    EXPECT_EQ(r.image.pixel(49, 300), kSelectionColour);
    EXPECT_EQ(r.image.pixel(476, 300), kSelectionColour);
    EXPECT_EQ(r.image.pixel(0, 479), kSelectionColour);  // bracket ending at -1
    EXPECT_EQ(r.image.pixel(638, 479), kSelectionColour); // bracket ending at 639
    EXPECT_EQ(r.image.pixel(639, 300), kUntouched);
}

TEST(BoardDrag, EveryRowOffsetShowsTheRowRotated)
{
    // 243 x 130 in 4 x 6 leaves strips of 3 and 2 pixels that no drag paints.
    Scene s(243, 130, 4, 6);
    s.grid.Shuffle(41);
    ASSERT_FALSE(s.grid.IsSolved());
    for (const auto& [row, column] : {std::pair{0, 0}, {3, 5}, {2, 3}}) {
        s.Select(row, column);
        for (int dx = -240; dx <= 240; ++dx) {
            const Rendering r = Render(s, Paint::Row, dx);
            ASSERT_TRUE(r.result);
            ASSERT_EQ(Differences(r.image, RowReference(s.board.picture, s.grid, dx)), 0)
                << "cell " << row << "," << column << " dx " << dx;
        }
    }
}

TEST(BoardDrag, EveryColumnOffsetShowsTheColumnRotated)
{
    // Wider than tall and taller than wide, each with uneven strips.
    for (const auto& [w, h] : {std::pair{243, 130}, {130, 243}}) {
        Scene s(w, h, 4, 6);
        s.grid.Shuffle(7);
        ASSERT_FALSE(s.grid.IsSolved());
        const int bh = h / 4 * 4;
        for (const auto& [row, column] : {std::pair{0, 0}, {3, 5}, {1, 4}}) {
            s.Select(row, column);
            for (int dy = -bh; dy <= bh; ++dy) {
                const Rendering r = Render(s, Paint::Column, dy);
                ASSERT_TRUE(r.result);
                ASSERT_EQ(Differences(r.image, ColumnReference(s.board.picture, s.grid, dy)), 0)
                    << w << "x" << h << " cell " << row << "," << column << " dy " << dy;
            }
        }
    }
}

TEST(BoardDrag, AFailedCopyKeepsWhatWasDrawnAndDrawsNothingAfter)
{
    Scene s(640, 480, 3, 4);
    s.grid.Shuffle(12);
    s.Select(1, 2);
    // Offsets at which a piece of the dragged line straddles the edge, so
    // the failing copy is at some point the second part of a split piece.
    for (const auto& [how, offset] : {std::pair{Paint::Row, 100}, {Paint::Column, -50}}) {
        const Rendering whole = Render(s, how, offset);
        ASSERT_TRUE(whole.result);
        std::vector<PaintOp> copies;
        for (const PaintOp& op : whole.ops)
            if (op.copy)
                copies.push_back(op);
        ASSERT_EQ(copies.size(), 13u); // 12 cells, one of them in two parts
        for (std::size_t k = 1; k <= copies.size(); ++k) {
            const Rendering r = Render(s, how, offset, static_cast<int>(k));
            EXPECT_FALSE(r.result) << k;
            ASSERT_EQ(r.ops.size(), k - 1) << k;
            for (const PaintOp& op : r.ops)
                EXPECT_TRUE(op.copy) << "no line after a failed copy, k " << k;

            // Exactly the copies before the failure are on the canvas.
            QImage expected(s.board.picture.size(), QImage::Format_RGB32);
            expected.fill(kUntouched);
            QPainter painter(&expected);
            PainterTarget target(painter);
            for (std::size_t i = 0; i + 1 < k; ++i)
                ASSERT_TRUE(target.Copy(s.board.picture, copies[i].source, copies[i].to));
            painter.end();
            ASSERT_EQ(Differences(r.image, expected), 0) << k;
        }
    }
}

TEST(BoardDrag, OffsetsBeyondOneWrapLeaveTheDraggedLineUnpainted)
{
    // The window keeps gestures on the board, so these never arrive in
    // play; when they do, pieces fall off the board instead of bringing in
    // their neighbours, and nothing overflows.
    Scene s(640, 480, 2, 3);
    s.Homes({{1, 2}, {0, 1}, {0, 2}, {1, 1}, {0, 0}, {1, 0}});
    s.Select(0, 1);
    const QImage rest = Render(s, Paint::Rest).image;
    for (const std::int32_t d : {2 * 639 + 10, 3 * 639, INT32_MAX, -2 * 639 - 10, INT32_MIN}) {
        const Rendering row = Render(s, Paint::Row, d);
        ASSERT_TRUE(row.result) << d;
        for (const PaintOp& op : row.ops) {
            if (op.copy) {
                EXPECT_TRUE(op.source.width() >= 0 && op.source.width() <= 213 && op.source.height() == 240) << d;
            }
        }
        // Within row 0 only the unshifted top grid line is painted; below
        // it all is as at rest.
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 639; ++x) {
                // At y 240 the grid line shows where the frame's bottom
                // lies at rest.
                const QRgb want = y == 0 || y == 240 ? kGridColour : y < 240 ? kUntouched : rest.pixel(x, y);
                ASSERT_EQ(row.image.pixel(x, y), want) << "dx " << d << " at " << x << "," << y;
            }

        const Rendering column = Render(s, Paint::Column, d);
        ASSERT_TRUE(column.result) << d;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 639; ++x) {
                const QRgb want =
                    x == 213 || x == 426 ? kGridColour : x > 213 && x < 426 ? kUntouched : rest.pixel(x, y);
                ASSERT_EQ(column.image.pixel(x, y), want) << "dy " << d << " at " << x << "," << y;
            }
    }
}
