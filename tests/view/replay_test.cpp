#include "model/game.h"
#include "view/replay.h"

#include <gtest/gtest.h>

using namespace tesselo;

TEST(Replay, ShowsTheStartThenEachMoveSlidThenTheEnd)
{
    // A game whose history holds three moves, the last one undone: the
    // solve is the two moves played.
    Game game([] { return std::uint64_t(133000000000000000ULL); });
    game.ChangeLevel(3, 4);
    game.NewGame();
    const TileGrid start = game.grid;
    game.ShiftRowRight();
    game.SelectDown();
    game.ShiftColumnUp();
    const TileGrid end = game.grid;
    game.ShiftRowLeft();
    game.Undo();
    ASSERT_EQ(game.history.steps.size(), 3u);
    const std::vector<HistoryStep> played = game.history.Played();
    ASSERT_EQ(played.size(), 2u);

    const Replay replay(game.history.start, played);
    EXPECT_EQ(replay.Duration(), 1000 + 2 * 600 + 1000);
    const auto at = [&](std::int64_t ms) { return replay.FrameAt(ms, 160, 120); };

    for (const std::int64_t ms : {0, 999}) {
        const ReplayFrame f = at(ms);
        EXPECT_EQ(f.axis, None);
        EXPECT_TRUE(f.grid.SameCells(start));
        EXPECT_EQ(f.grid.Selected(), start.Selected());
        EXPECT_EQ(f.movesDone, 0u);
    }
    // The first move, one cell to the right, slides over its row.
    const Move first = played[0].move;
    ASSERT_EQ(first.axis, MoveAxis::Row);
    for (const auto& [ms, offset] : {std::pair{1000, 0}, {1150, 80 * first.amount}, {1299, 159 * first.amount}}) {
        const ReplayFrame f = at(ms);
        EXPECT_EQ(f.axis, Horizontal) << ms;
        EXPECT_EQ(f.offset, offset) << ms;
        EXPECT_EQ(f.grid.selectedRow, first.line);
        EXPECT_TRUE(f.grid.SameCells(start)); // the move is made only when the slide ends
    }
    ReplayFrame rest = at(1300);
    EXPECT_EQ(rest.axis, None);
    EXPECT_EQ(rest.movesDone, 1u);
    EXPECT_EQ(rest.grid.Selected(), played[0].after);
    // The second move is a column's: its offset is in cell heights.
    const ReplayFrame slide = at(1750);
    EXPECT_EQ(slide.axis, Vertical);
    EXPECT_EQ(slide.offset, 60 * played[1].move.amount);
    EXPECT_EQ(slide.grid.selectedColumn, played[1].move.line);
    EXPECT_TRUE(slide.grid.SameCells(rest.grid));

    // Asked again from the start (a replay starts over), the frames repeat.
    EXPECT_TRUE(at(10).grid.SameCells(start));
    const ReplayFrame last = at(2200);
    EXPECT_TRUE(last.grid.SameCells(end));
    EXPECT_EQ(last.movesDone, 2u);
    EXPECT_FALSE(last.over);
    EXPECT_TRUE(at(3200).over);
}
