#include "model/game.h"
#include "model/replay.h"
#include "view/motion_frame.h"

#include <gtest/gtest.h>

using namespace tesselo;

TEST(Replay, ShowsTheStartThenAMoveEveryStepThenTheEnd)
{
    // A game whose history holds three moves, the last one undone: the
    // solve is the two moves played.
    Game game([] { return std::uint64_t(133000000000000000ULL); });
    game.ChangeSize({3, 4});
    game.NewGame();
    const TileGrid start = game.View().puzzle.grid;
    game.ShiftRowRight();
    game.SelectDown();
    game.ShiftColumnUp();
    const TileGrid end = game.View().puzzle.grid;
    game.ShiftRowLeft();
    game.Undo();
    ASSERT_EQ(game.View().puzzle.history.steps.size(), 3u);
    const std::vector<HistoryStep> played = game.View().puzzle.history.Played();
    ASSERT_EQ(played.size(), 2u);

    const Replay replay(game.View().puzzle.history.start, played);
    EXPECT_EQ(replay.Duration(), 1000 + 2 * 600 + 1000);
    EXPECT_TRUE(replay.Start().SameCells(start));
    for (const auto& [ms, done] : {std::pair{0, 0}, {999, 0}, {1000, 1}, {1599, 1}, {1600, 2}, {3200, 2}, {-5, 0}})
        EXPECT_EQ(replay.MovesDueAt(ms), std::size_t(done)) << ms;

    // The first move, one cell to the right, slides over its row as it
    // glides: the frame on the moved line, the offset a share of the move.
    const Move first = played[0].move;
    ASSERT_EQ(first.axis, MoveAxis::Row);
    for (const auto& [share, offset] : {std::pair{0.0, 0}, {0.5, 80 * first.amount}, {0.99, 158 * first.amount}}) {
        const MotionFrame f = SlideFrame(replay.Start(), played[0].before, first, share * first.amount, 160, 120);
        EXPECT_EQ(f.axis, Horizontal) << share;
        EXPECT_EQ(f.offset, offset) << share;
        EXPECT_EQ(f.grid.selectedRow, first.line);
        EXPECT_TRUE(f.grid.SameCells(start)); // the frame shows the board before the move
    }
    TileGrid rest = replay.Start();
    replay.Step(0).RedoOn(rest);
    EXPECT_EQ(rest.Selected(), played[0].after);
    // The second move is a column's: its offset is in cell heights.
    const MotionFrame slide = SlideFrame(rest, played[1].before, played[1].move, 0.5 * played[1].move.amount, 160, 120);
    EXPECT_EQ(slide.axis, Vertical);
    EXPECT_EQ(slide.offset, 60 * played[1].move.amount);
    EXPECT_EQ(slide.grid.selectedColumn, played[1].move.line);
    EXPECT_TRUE(slide.grid.SameCells(rest));

    // The moves due, made from the start, end where the solve ended.
    replay.Step(1).RedoOn(rest);
    EXPECT_TRUE(rest.SameCells(end));
}
