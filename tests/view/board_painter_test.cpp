#include "painter_scene.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tesselo;
using namespace tesselo::test;

// The calls of the worked row-drag example and their order; the pixels of
// the same example are compared whole in the drag tests.
TEST(BoardPainter, WorkedRowDragExampleCalls)
{
    Scene s(640, 480, 2, 3);
    s.Homes({{0, 0}, {0, 1}, {0, 2}, {1, 1}, {1, 2}, {1, 0}});
    s.Select(1, 2);
    const Rendering r = Render(s, Paint::Row, 50);
    ASSERT_TRUE(r.result);
    const std::vector<std::string> copies = {
        "copy 0,0 213x240 to 0,0",       "copy 213,0 213x240 to 213,0",   "copy 426,0 213x240 to 426,0",
        "copy 213,240 213x240 to 50,240", "copy 426,240 213x240 to 263,240", "copy 0,240 163x240 to 476,240",
        "copy 163,240 50x240 to 0,240",
    };
    EXPECT_EQ(Calls(r.ops, "copy"), copies);
    // The separators within the dragged row stand at 50, 263, 476 and 49.
    std::vector<std::string> inRow;
    for (const auto& l : Calls(r.ops, "line"))
        if (l.find(",240 ") != std::string::npos && l.find(",479") != std::string::npos)
            inRow.push_back(l);
    EXPECT_EQ(inRow, (std::vector<std::string>{"line 50,240 50,479", "line 263,240 263,479",
                                               "line 476,240 476,479", "line 49,240 49,479"}));
    EXPECT_EQ(Calls(r.ops, "frame"), (std::vector<std::string>{
                                         "frame 0,240 49,240", "frame 49,240 49,479", "frame 49,479 -1,479",
                                         "frame 638,240 476,240", "frame 476,240 476,479", "frame 476,479 639,479"}));
    // Grid after the last copy, frame after the last grid line.
    ASSERT_EQ(r.ops.size(), 7u + 3u + 12u + 6u);
    EXPECT_FALSE(r.ops[7].copy);
    EXPECT_EQ(Describe(r.ops[r.ops.size() - 7]).rfind("line", 0), 0u);
}

TEST(BoardPainter, InOrderBoardIsOneCopyOfTheWholePicture)
{
    Scene s(640, 480, 2, 3);
    for (const auto& [r, c] : {std::pair{0, 0}, {1, 2}, {1, 1}}) {
        s.Select(r, c);
        const Rendering rest = Render(s, Paint::Rest);
        ASSERT_TRUE(rest.result);
        ASSERT_EQ(rest.ops.size(), 1u);
        EXPECT_EQ(Describe(rest.ops[0]), "copy 0,0 640x480 to 0,0");
        EXPECT_EQ(rest.image, s.board.picture);
    }
}

TEST(BoardPainter, StripBeyondTheLastWholeCellIsLeftAlone)
{
    Scene s(640, 480, 2, 3);
    s.Homes({{1, 2}, {0, 1}, {0, 2}, {1, 1}, {0, 0}, {1, 0}});
    s.Select(0, 0);
    const QImage img = Render(s, Paint::Rest).image;
    for (int y = 0; y < 480; ++y) {
        ASSERT_EQ(img.pixel(639, y), kUntouched) << y;
        ASSERT_EQ(img.pixel(638, y), kGridColour) << y;
    }
    // Cell (0, 0) shows the piece whose home is (1, 2).
    EXPECT_EQ(img.pixel(100, 100), s.board.picture.pixel(426 + 100, 240 + 100));
    EXPECT_EQ(img.pixel(213, 5), kSelectionColour); // the frame's right side, on the grid line
}

TEST(BoardPainter, WholeBoardOffsetsLookLikeTheBoardAtRest)
{
    Scene s(640, 480, 3, 4);
    s.grid.Shuffle(77);
    ASSERT_FALSE(s.grid.IsSolved());
    for (const auto& [r, c] : {std::pair{1, 2}, {2, 3}, {0, 0}}) {
        s.Select(r, c);
        const QImage rest = Render(s, Paint::Rest).image;
        for (int d : {0, 640, -640})
            EXPECT_EQ(Differences(Render(s, Paint::Row, d).image, rest), 0) << "dx " << d;
        for (int d : {0, 480, -480})
            EXPECT_EQ(Differences(Render(s, Paint::Column, d).image, rest), 0) << "dy " << d;
    }
}

TEST(BoardPainter, FrameOfTheLastCellLiesOnTheBoardEdge)
{
    Scene s(640, 480, 3, 4);
    s.grid.Shuffle(5);
    s.Select(2, 3);
    EXPECT_EQ(Calls(Render(s, Paint::Rest).ops, "frame"),
              (std::vector<std::string>{"frame 480,320 639,320", "frame 639,320 639,479", "frame 639,479 480,479",
                                        "frame 480,479 480,320"}));
}

TEST(BoardPainter, DragByOneCellShowsTheLastCellWholeAtTheLeft)
{
    Scene s(640, 480, 3, 4);
    s.grid.Shuffle(9);
    s.Select(1, 0);
    const Rendering r = Render(s, Paint::Row, 160);
    const Tile& last = s.grid.At(1, 3);
    for (int x = 1; x < 160; x += 13)
        EXPECT_EQ(r.image.pixel(x, 200), s.board.picture.pixel(last.homeColumn * 160 + x, last.homeRow * 160 + 40));
    // The third piece ends exactly at the right edge, so its second part is
    // empty; the last one comes in whole at the left. The moving row is
    // copied after the cells that stay.
    const Tile& third = s.grid.At(1, 2);
    const std::vector<std::string> copies = Calls(r.ops, "copy");
    ASSERT_EQ(copies.size(), 8u + 5u);
    EXPECT_EQ(copies[11], "copy " + std::to_string(third.homeColumn * 160 + 160) + "," +
                             std::to_string(third.homeRow * 160) + " 0x160 to 0,160");
    EXPECT_EQ(copies[12], "copy " + std::to_string(last.homeColumn * 160) + "," + std::to_string(last.homeRow * 160) +
                             " 160x160 to 0,160");
}

TEST(BoardPainter, AFailedCopyAtRestStopsThePainting)
{
    Scene s(640, 480, 2, 3);
    s.grid.Shuffle(3);
    for (int k = 1; k <= 6; ++k) {
        const Rendering r = Render(s, Paint::Rest, 0, k);
        EXPECT_FALSE(r.result);
        EXPECT_EQ(r.ops.size(), static_cast<std::size_t>(k - 1)) << "no line after a failed copy, k " << k;
    }

    // Without a picture, or with a grid that does not match its counts,
    // nothing at all is drawn.
    Scene empty(640, 480, 2, 3);
    empty.board.picture = QImage();
    Scene torn(640, 480, 2, 3);
    torn.grid.cells.pop_back();
    for (Scene* broken : {&empty, &torn}) {
        for (Paint how : {Paint::Rest, Paint::Row, Paint::Column}) {
            RecordingTarget none;
            const bool drawn = how == Paint::Rest  ? DrawBoard(none, broken->board)
                               : how == Paint::Row ? DrawRowDrag(none, broken->board, 3)
                                                   : DrawColumnDrag(none, broken->board, 3);
            EXPECT_FALSE(drawn);
            EXPECT_TRUE(none.ops.empty());
        }
    }
}
