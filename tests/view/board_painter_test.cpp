#include "model/tile_grid.h"
#include "pictures/board_bitmap.h"
#include "view/board_painter.h"
#include "view/painter_target.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tesselo;

namespace {

// Every pixel says where it came from.
QImage Coordinates(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x & 0xff, y & 0xff, ((x >> 8) << 4) | (y >> 8)));
    return img;
}

constexpr QRgb kUntouched = 0xffff00ffu;

// Records every call; can be told to fail one copy.
class RecordingTarget : public PaintTarget {
public:
    bool Copy(const QImage&, const QRect& source, QPoint to) override
    {
        ++copies;
        if (copies == failAt)
            return false;
        log.push_back("copy " + std::to_string(source.x()) + "," + std::to_string(source.y()) + " " +
                      std::to_string(source.width()) + "x" + std::to_string(source.height()) + " to " +
                      std::to_string(to.x()) + "," + std::to_string(to.y()));
        return true;
    }
    void Line(QPoint from, QPoint to, QRgb colour) override
    {
        log.push_back(std::string(colour == kSelectionColour ? "frame " : "line ") + std::to_string(from.x()) +
                      "," + std::to_string(from.y()) + " " + std::to_string(to.x()) + "," + std::to_string(to.y()));
    }
    std::vector<std::string> Lines(const char* kind) const
    {
        std::vector<std::string> out;
        for (const auto& l : log)
            if (l.rfind(kind, 0) == 0)
                out.push_back(l);
        return out;
    }
    std::vector<std::string> log;
    int copies = 0;
    int failAt = -1;
};

struct Board {
    Board(int w, int h, int rows, int columns)
    {
        grid.Resize(rows, columns);
        board.grid = &grid;
        board.picture = Coordinates(w, h);
    }
    void Homes(const std::vector<std::pair<int, int>>& homes)
    {
        for (std::size_t i = 0; i < homes.size(); ++i) {
            grid.cells[i]->homeRow = homes[i].first;
            grid.cells[i]->homeColumn = homes[i].second;
        }
    }
    template <typename Paint>
    QImage Render(Paint paint) const
    {
        QImage canvas(board.picture.size(), QImage::Format_RGB32);
        canvas.fill(kUntouched);
        QPainter painter(&canvas);
        PainterTarget target(painter);
        EXPECT_TRUE(paint(target));
        painter.end();
        return canvas;
    }
    QImage Rest() const { return Render([&](PaintTarget& t) { return DrawBoard(t, board); }); }
    QImage Row(int dx) const { return Render([&](PaintTarget& t) { return DrawRowDrag(t, board, dx); }); }
    QImage Column(int dy) const { return Render([&](PaintTarget& t) { return DrawColumnDrag(t, board, dy); }); }

    TileGrid grid;
    BoardBitmap board;
};

// The board as the player should see it with the selected column pushed
// down by dy, worked out pixel by pixel from the tile permutation alone.
QImage ColumnReference(const Board& b, int dy)
{
    const QImage& pic = b.board.picture;
    const TileGrid& g = b.grid;
    const int cw = pic.width() / g.columnCount, ch = pic.height() / g.rowCount;
    const int bw = cw * g.columnCount, bh = ch * g.rowCount, xr = bw - 1, yb = bh - 1;
    QImage out(pic.size(), QImage::Format_RGB32);
    out.fill(kUntouched);
    const auto mod = [](int v, int m) { return ((v % m) + m) % m; };
    for (int y = 0; y < bh; ++y)
        for (int x = 0; x < bw; ++x) {
            const int c = x / cw;
            const int sy = c == g.selectedColumn ? mod(y - dy, bh) : y;
            const int r = sy / ch;
            const Tile& t = g.At(r, c);
            out.setPixel(x, y, pic.pixel(t.homeColumn * cw + x - c * cw, t.homeRow * ch + sy - r * ch));
        }
    const auto dot = [&](int x, int y, QRgb colour) {
        if (x >= 0 && y >= 0 && x < out.width() && y < out.height())
            out.setPixel(x, y, colour);
    };
    const int left = g.selectedColumn * cw, right = std::min(left + cw, xr);
    const int top = g.selectedRow * ch, bottom = std::min(top + ch, yb);
    const auto wrap = [&](int v) { return v < 0 ? v + bh : (v > yb ? v - bh : v); };
    // Horizontal separators: in place beside the column, moved within it.
    std::vector<int> ys;
    for (int i = 0; i < g.rowCount; ++i)
        ys.push_back(i * ch);
    ys.push_back(yb);
    for (int y : ys) {
        const int moved = wrap(y + dy);
        for (int x = 0; x <= xr; ++x)
            dot(x, x >= left && x < right ? moved : y, kGridColour);
    }
    for (int j = 0; j <= g.columnCount; ++j)
        for (int y = 0; y <= yb; ++y)
            dot(j == g.columnCount ? xr : j * cw, y, kGridColour);
    // The frame: a rectangle, or two brackets across the top and bottom edges.
    const int st = wrap(top + dy), sb = wrap(bottom + dy);
    if (sb > st) {
        for (int x = left; x <= right; ++x) {
            dot(x, st, kSelectionColour);
            dot(x, sb, kSelectionColour);
        }
        for (int y = st; y <= sb; ++y) {
            dot(left, y, kSelectionColour);
            dot(right, y, kSelectionColour);
        }
    } else {
        for (int x = left; x <= right; ++x) {
            dot(x, sb, kSelectionColour);
            dot(x, st, kSelectionColour);
        }
        for (int y = 0; y <= sb; ++y) {
            dot(left, y, kSelectionColour);
            dot(right, y, kSelectionColour);
        }
        for (int y = st; y <= yb; ++y) {
            dot(left, y, kSelectionColour);
            dot(right, y, kSelectionColour);
        }
    }
    return out;
}

int Differences(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

} // namespace

TEST(BoardPainter, WorkedRowDragExample)
{
    Board b(640, 480, 2, 3);
    b.Homes({{0, 0}, {0, 1}, {0, 2}, {1, 1}, {1, 2}, {1, 0}});
    b.grid.selectedRow = 1;
    b.grid.selectedColumn = 2;
    RecordingTarget t;
    ASSERT_TRUE(DrawRowDrag(t, b.board, 50));
    const std::vector<std::string> copies = {
        "copy 0,0 213x240 to 0,0",       "copy 213,0 213x240 to 213,0",   "copy 426,0 213x240 to 426,0",
        "copy 213,240 213x240 to 50,240", "copy 426,240 213x240 to 263,240", "copy 0,240 163x240 to 476,240",
        "copy 163,240 50x240 to 0,240",
    };
    EXPECT_EQ(t.Lines("copy"), copies);
    // The separators within the dragged row stand at 50, 263, 476 and 49.
    std::vector<std::string> inRow;
    for (const auto& l : t.Lines("line"))
        if (l.find(",240 ") != std::string::npos && l.find(",479") != std::string::npos)
            inRow.push_back(l);
    EXPECT_EQ(inRow, (std::vector<std::string>{"line 50,240 50,479", "line 263,240 263,479",
                                               "line 476,240 476,479", "line 49,240 49,479"}));
    EXPECT_EQ(t.Lines("frame"), (std::vector<std::string>{
                                    "frame 0,240 49,240", "frame 49,240 49,479", "frame 49,479 -1,479",
                                    "frame 638,240 476,240", "frame 476,240 476,479", "frame 476,479 639,479"}));
    // Grid after the last copy, frame after the last grid line.
    EXPECT_EQ(t.log.size(), 7u + 3u + 12u + 6u);
    EXPECT_EQ(t.log[7].rfind("line", 0), 0u);
    EXPECT_EQ(t.log[t.log.size() - 7].rfind("line", 0), 0u);

    // And on pixels: the two parts of column 2 and the yellow brackets.
    const QImage img = b.Row(50);
    EXPECT_EQ(img.pixel(476 + 10, 300), b.board.picture.pixel(10, 300));
    EXPECT_EQ(img.pixel(10, 300), b.board.picture.pixel(163 + 10, 300));
    EXPECT_EQ(img.pixel(20, 240), kSelectionColour);
    EXPECT_EQ(img.pixel(49, 300), kSelectionColour);
    EXPECT_EQ(img.pixel(0, 479), kSelectionColour);
    EXPECT_EQ(img.pixel(600, 240), kSelectionColour);
    EXPECT_EQ(img.pixel(638, 479), kSelectionColour);
    EXPECT_EQ(img.pixel(263, 300), kGridColour);
}

TEST(BoardPainter, InOrderBoardIsOneCopyOfTheWholePicture)
{
    Board b(640, 480, 2, 3);
    for (const auto& [r, c] : {std::pair{0, 0}, {1, 2}, {1, 1}}) {
        b.grid.selectedRow = r;
        b.grid.selectedColumn = c;
        RecordingTarget t;
        ASSERT_TRUE(DrawBoard(t, b.board));
        EXPECT_EQ(t.log, std::vector<std::string>{"copy 0,0 640x480 to 0,0"});
    }
    EXPECT_EQ(b.Rest(), b.board.picture);
}

TEST(BoardPainter, StripBeyondTheLastWholeCellIsLeftAlone)
{
    Board b(640, 480, 2, 3);
    b.Homes({{1, 2}, {0, 1}, {0, 2}, {1, 1}, {0, 0}, {1, 0}});
    b.grid.selectedRow = 0;
    b.grid.selectedColumn = 0;
    const QImage img = b.Rest();
    for (int y = 0; y < 480; ++y) {
        ASSERT_EQ(img.pixel(639, y), kUntouched) << y;
        ASSERT_EQ(img.pixel(638, y), kGridColour) << y;
    }
    // Cell (0, 0) shows the piece whose home is (1, 2).
    EXPECT_EQ(img.pixel(100, 100), b.board.picture.pixel(426 + 100, 240 + 100));
    EXPECT_EQ(img.pixel(213, 5), kSelectionColour); // the frame's right side, on the grid line
}

TEST(BoardPainter, WholeBoardOffsetsLookLikeTheBoardAtRest)
{
    Board b(640, 480, 3, 4);
    b.grid.Shuffle(77);
    ASSERT_FALSE(b.grid.IsSolved());
    for (const auto& [r, c] : {std::pair{1, 2}, {2, 3}, {0, 0}}) {
        b.grid.selectedRow = r;
        b.grid.selectedColumn = c;
        const QImage rest = b.Rest();
        for (int d : {0, 640, -640})
            EXPECT_EQ(Differences(b.Row(d), rest), 0) << "dx " << d;
        for (int d : {0, 480, -480})
            EXPECT_EQ(Differences(b.Column(d), rest), 0) << "dy " << d;
    }
}

TEST(BoardPainter, FrameOfTheLastCellLiesOnTheBoardEdge)
{
    Board b(640, 480, 3, 4);
    b.grid.Shuffle(5);
    b.grid.selectedRow = 2;
    b.grid.selectedColumn = 3;
    RecordingTarget t;
    DrawBoard(t, b.board);
    EXPECT_EQ(t.Lines("frame"), (std::vector<std::string>{"frame 480,320 639,320", "frame 639,320 639,479",
                                                          "frame 639,479 480,479", "frame 480,479 480,320"}));
}

TEST(BoardPainter, DragByOneCellShowsTheLastCellWholeAtTheLeft)
{
    Board b(640, 480, 3, 4);
    b.grid.Shuffle(9);
    b.grid.selectedRow = 1;
    b.grid.selectedColumn = 0;
    const QImage img = b.Row(160);
    const Tile& last = b.grid.At(1, 3);
    for (int x = 1; x < 160; x += 13)
        EXPECT_EQ(img.pixel(x, 200), b.board.picture.pixel(last.homeColumn * 160 + x, last.homeRow * 160 + 40));
    RecordingTarget t;
    DrawRowDrag(t, b.board, 160);
    // The third piece ends exactly at the right edge, so its second part is
    // empty; the last one comes in whole at the left.
    const Tile& third = b.grid.At(1, 2);
    EXPECT_EQ(t.Lines("copy")[7], "copy " + std::to_string(third.homeColumn * 160 + 160) + "," +
                                      std::to_string(third.homeRow * 160) + " 0x160 to 0,160");
    EXPECT_EQ(t.Lines("copy")[8], "copy " + std::to_string(last.homeColumn * 160) + "," +
                                      std::to_string(last.homeRow * 160) + " 160x160 to 0,160");
}

TEST(BoardPainter, ColumnDragAtEveryOffsetMatchesTheTilePermutation)
{
    Board b(640, 480, 3, 4); // wider than tall
    b.grid.Shuffle(2026);
    b.grid.selectedRow = 2;
    b.grid.selectedColumn = 1;
    for (int dy = -480; dy <= 480; ++dy)
        ASSERT_EQ(Differences(b.Column(dy), ColumnReference(b, dy)), 0) << "dy " << dy;
}

TEST(BoardPainter, AFailedCopyStopsThePainting)
{
    Board b(640, 480, 2, 3);
    b.grid.Shuffle(3);
    for (int k = 1; k <= 6; ++k) {
        RecordingTarget t;
        t.failAt = k;
        EXPECT_FALSE(DrawBoard(t, b.board));
        EXPECT_EQ(t.copies, k);
        EXPECT_TRUE(t.Lines("line").empty());
        EXPECT_TRUE(t.Lines("frame").empty());
    }
    RecordingTarget t;
    t.failAt = 7; // the second part of a straddling piece
    b.grid.selectedRow = 0;
    EXPECT_FALSE(DrawRowDrag(t, b.board, 100));
    EXPECT_TRUE(t.Lines("line").empty());

    BoardBitmap empty;
    empty.picture = QImage();
    empty.grid = &b.grid;
    RecordingTarget none;
    EXPECT_FALSE(DrawBoard(none, empty));
    EXPECT_FALSE(DrawColumnDrag(none, empty, 3));
    EXPECT_TRUE(none.log.empty());
}
