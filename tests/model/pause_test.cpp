#include "model/game.h"
#include "support/game_fixture.h"

#include <gtest/gtest.h>

using namespace tesselo;
using tesselo::testing::GameFixture;
using tesselo::testing::LoadSavedGame;
using tesselo::testing::SaveGame;
using Calls = GameFixture::Calls;

namespace {

struct SpeedGame : GameFixture {
    SpeedGame()
    {
        game->SetStrategyStyle(false);
        Start(3, 4);
        listener.Take();
    }
};

} // namespace

// The stopwatch stands from the moment of the pause, not from the tick
// before it, and goes on from there; the clock falls silent meanwhile and
// no move, drag, undo or redo is taken.
TEST_F(SpeedGame, PauseStandsTheStopwatchSilencesTheClockAndTakesNoMove)
{
    game->ShiftRowLeft();
    Wait(1000);
    monotonic += 30; // between two ticks
    ASSERT_TRUE(game->SetPaused(true));
    EXPECT_TRUE(game->IsPaused());
    EXPECT_EQ(listener.Take(), (Calls{"moved", "paused", "stopclock"}));
    Wait(60000);
    EXPECT_EQ(game->View().stopwatch.Running(), 1030);
    EXPECT_EQ(game->CounterText(), "0:00:01.0");

    const TileGrid before = game->View().puzzle.grid;
    game->ShiftRowRight();
    game->ShiftColumnDown();
    game->BeginDrag(100, 100);
    EXPECT_FALSE(game->View().gesture.dragging);
    EXPECT_FALSE(game->CanUndo());
    EXPECT_FALSE(game->Undo());
    EXPECT_EQ(game->View().puzzle.moves, 1);
    EXPECT_EQ(game->View().puzzle.grid.cells, before.cells);

    ASSERT_TRUE(game->SetPaused(false));
    EXPECT_EQ(listener.Take(), (Calls{"resumed", "startclock"}));
    Wait(500);
    EXPECT_EQ(game->View().stopwatch.Running(), 1530);
    EXPECT_TRUE(game->Undo());
}

TEST_F(SpeedGame, OnlyASpeedGameInPlayPausesAndStrategyEndsAPause)
{
    game->BeginDrag(100, 100);
    game->TrackDrag(160, 100);
    ASSERT_TRUE(game->SetPaused(true));
    EXPECT_FALSE(game->View().gesture.dragging) << "a drag ends at the pause";

    // Options turning the style to "Strategy" end the pause for good.
    game->SetStrategyStyle(true);
    EXPECT_FALSE(game->IsPaused());
    EXPECT_FALSE(game->View().puzzle.facts.paused);
    EXPECT_FALSE(game->SetPaused(true));
    game->SetStrategyStyle(false);
    EXPECT_FALSE(game->IsPaused());
    EXPECT_TRUE(game->ClockTicks());

    game->ResetGame();
    EXPECT_FALSE(game->SetPaused(true)) << "no game in play";
    EXPECT_FALSE(game->IsPaused());
}

// A paused game reset and brought back by undo, or closed and opened again,
// comes back paused with its time to the millisecond.
TEST_F(SpeedGame, APausedGameComesBackPausedWithItsTime)
{
    game->ShiftRowLeft();
    Wait(1234);
    monotonic += 7;
    ASSERT_TRUE(game->SetPaused(true));
    Wait(5000);

    game->ResetGame();
    EXPECT_FALSE(game->IsPaused());
    EXPECT_FALSE(game->View().stopwatch.IsHeld());
    Wait(5000);
    ASSERT_TRUE(game->Undo());
    EXPECT_TRUE(game->IsPaused());
    Wait(5000);
    EXPECT_EQ(game->View().stopwatch.Running(), 1241);

    ASSERT_TRUE(SaveGame(*game));
    Reopen();
    LoadSavedGame(*game);
    ASSERT_EQ(game->View().puzzle.state, Playing);
    EXPECT_EQ(game->View().puzzle.moves, 1);
    EXPECT_TRUE(game->IsPaused());
    EXPECT_FALSE(game->ClockTicks());
    Wait(50);
    Wait(90000);
    EXPECT_EQ(game->View().stopwatch.Running(), 1241);
    EXPECT_EQ(game->CounterText(), "0:00:01.2");
    ASSERT_TRUE(game->SetPaused(false));
    Wait(1000);
    EXPECT_EQ(game->View().stopwatch.Running(), 2241);
    EXPECT_FALSE(game->View().puzzle.facts.paused);
}
