#include "painter_scene.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace tesselo;
using namespace tesselo::test;

namespace {

// Where the plate of cell (row, column) lies on the board: its corner,
// carried `offset` pixels along with its line when that line slides.
QPoint PlateAt(const Scene& s, Paint how, int offset, int row, int column)
{
    const int cw = s.board.CellWidth(), ch = s.board.CellHeight();
    QPoint at = QPoint(column * cw, row * ch) + NumberPlates::kInset;
    if (how == Paint::Row && row == s.grid.selectedRow)
        at.rx() += offset;
    if (how == Paint::Column && column == s.grid.selectedColumn)
        at.ry() += offset;
    return at;
}

// The pixels of cell (row, column)'s plate that differ from its tile's own
// plate, each wrapped round the board as its line wraps.
int PlateDifferences(const QImage& image, const Scene& s, const NumberPlates& plates, Paint how, int offset, int row,
                     int column)
{
    const Tile& t = s.grid.At(row, column);
    const QRect plate = plates.Plate(t.homeRow, t.homeColumn);
    const QPoint at = PlateAt(s, how, offset, row, column);
    const int bw = s.board.CellWidth() * s.grid.columnCount, bh = s.board.CellHeight() * s.grid.rowCount;
    int n = 0;
    for (int v = 0; v < plate.height(); ++v)
        for (int u = 0; u < plate.width(); ++u)
            n += image.pixel(((at.x() + u) % bw + bw) % bw, ((at.y() + v) % bh + bh) % bh) !=
                 plates.Picture().pixel(plate.x() + u, plate.y() + v);
    return n;
}

} // namespace

// Each tile's plate sits in its cell's corner at rest and goes along with
// its tile in a drag or a glide, wrapping round the edge with it; nothing
// but the plates differs from the board painted without them.
TEST(NumberPlates, FollowTheirTilesAtRestAndInEveryDrag)
{
    Scene s(640, 480, 3, 4);
    s.grid.Shuffle(21);
    s.Select(1, 2);
    NumberPlates plates;
    for (const auto& [how, offset] : {std::pair{Paint::Rest, 0}, {Paint::Row, 50}, {Paint::Row, -130},
                                      {Paint::Row, 600}, {Paint::Column, 70}, {Paint::Column, -200}}) {
        const std::string where = std::to_string(int(how)) + " by " + std::to_string(offset);
        const Rendering with = Render(s, how, offset, -1, false, &plates);
        ASSERT_TRUE(with.result) << where;
        int area = 0;
        for (int i = 0; i < s.grid.rowCount; ++i)
            for (int j = 0; j < s.grid.columnCount; ++j) {
                EXPECT_EQ(PlateDifferences(with.image, s, plates, how, offset, i, j), 0) << where << " " << i << j;
                const Tile& t = s.grid.At(i, j);
                area += plates.Plate(t.homeRow, t.homeColumn).width() * plates.Plate(t.homeRow, t.homeColumn).height();
            }
        const int changed = Differences(with.image, Render(s, how, offset).image);
        EXPECT_GT(changed, 0) << where;
        EXPECT_LE(changed, area) << where;
    }
    EXPECT_EQ(plates.Drawings(), 1) << "the plates were drawn again for the same board";
}

// Every number has a plate of its own, a dark one under light text, made
// to the cell's measure; too small a cell has none rather than an
// unreadable one.
TEST(NumberPlates, ALegiblePlateForEveryNumberScaledToTheCell)
{
    const struct {
        int rows, columns;
        QSize cell;
        bool fits;
    } cases[] = {
        {2, 3, {640, 540}, true}, {4, 6, {120, 67}, true}, {16, 16, {120, 67}, true},
        {16, 16, {24, 24}, true}, {16, 2, {300, 24}, true}, {16, 16, {12, 40}, false},
        {2, 2, {8, 8}, false},
    };
    int previousHeight = 1 << 20;
    for (const auto& c : cases) {
        const std::string where = std::to_string(c.rows) + "x" + std::to_string(c.columns) + " in " +
                                  std::to_string(c.cell.width()) + "x" + std::to_string(c.cell.height());
        NumberPlates plates;
        ASSERT_EQ(plates.Prepare(c.rows, c.columns, c.cell, 1.0), c.fits) << where;
        if (!c.fits) {
            EXPECT_TRUE(plates.Plate(0, 0).isEmpty()) << where;
            continue;
        }
        std::set<QByteArray> seen;
        for (int r = 0; r < c.rows; ++r)
            for (int k = 0; k < c.columns; ++k) {
                const QRect plate = plates.Plate(r, k);
                EXPECT_LE(plate.width(), c.cell.width() - 2) << where;
                EXPECT_LE(plate.height(), c.cell.height() - 2) << where;
                const QImage pixels = plates.Picture().copy(plate);
                int dark = 0, light = 0;
                for (int y = 0; y < pixels.height(); ++y)
                    for (int x = 0; x < pixels.width(); ++x) {
                        dark += qGray(pixels.pixel(x, y)) < 48;
                        light += qGray(pixels.pixel(x, y)) > 200;
                    }
                EXPECT_GT(dark, light) << where;
                EXPECT_GT(light, 0) << where;
                seen.insert(QByteArray(reinterpret_cast<const char*>(pixels.constBits()), pixels.sizeInBytes()) +
                            QByteArray::number(plate.width()));
            }
        EXPECT_EQ(seen.size(), std::size_t(c.rows * c.columns)) << where << ": two numbers look alike";
        // Cells shorter each way down the table, plates no taller.
        EXPECT_LE(plates.Plate(0, 0).height(), previousHeight) << where;
        previousHeight = plates.Plate(0, 0).height();
    }
    EXPECT_EQ(NumberPlates::TextSizeFor({24, 24}), NumberPlates::kMinText);
    EXPECT_EQ(NumberPlates::TextSizeFor({2000, 1000}), NumberPlates::kMaxText);
}

// Plates are drawn once per grid, text size and density: a board a pixel
// larger keeps them, another grid or screen has them drawn again, at the
// screen's own pixels.
TEST(NumberPlates, DrawnAgainOnlyForAnotherGridTextOrScreen)
{
    NumberPlates plates;
    const struct {
        int rows, columns;
        QSize cell;
        qreal ratio;
        int drawings;
    } steps[] = {
        {16, 16, {120, 67}, 1.0, 1}, {16, 16, {120, 67}, 1.0, 1}, {16, 16, {121, 67}, 1.0, 1},
        {16, 16, {120, 100}, 1.0, 2}, {16, 15, {120, 100}, 1.0, 3}, {16, 15, {120, 100}, 2.0, 4},
        {16, 15, {120, 100}, 1.0, 5},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(plates.Prepare(step.rows, step.columns, step.cell, step.ratio));
        EXPECT_EQ(plates.Drawings(), step.drawings) << step.cell.width() << "x" << step.cell.height();
        EXPECT_EQ(plates.Picture().devicePixelRatio(), step.ratio);
        EXPECT_GE(plates.Picture().width(), qRound(plates.Plate(0, step.columns - 1).right() * step.ratio));
    }
}
