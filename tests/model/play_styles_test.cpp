#include "model/game.h"
#include "model/game_setup.h"
#include "support/game_fixture.h"

#include <gtest/gtest.h>

using namespace tesselo;
using tesselo::testing::GameFixture;
using Calls = GameFixture::Calls;

namespace {

HistoryStep Slide(MoveAxis axis, int line, int amount)
{
    return HistoryStep{Move{axis, line, amount}, {}, {}};
}

constexpr MoveAxis R = MoveAxis::Row;
constexpr MoveAxis C = MoveAxis::Column;

// On 3 rows by 4 columns: a row is 4 cells long, a column 3.
TEST(NetLength, MergesALinesSlidesInARowAndTakesOutWhatReturnsAsAStack)
{
    const struct {
        const char* what;
        std::vector<HistoryStep> played;
        int net;
    } cases[] = {
        {"nothing played", {}, 0},
        {"a slide by three cells is one move", {Slide(R, 0, 3)}, 1},
        {"two slides of a row merge", {Slide(R, 1, 1), Slide(R, 1, 1)}, 1},
        {"a row slid back is taken out", {Slide(R, 1, 1), Slide(R, 1, -1)}, 0},
        {"slides round the whole row are taken out", {Slide(R, 0, 1), Slide(R, 0, 1), Slide(R, 0, 1), Slide(R, 0, 1)}, 0},
        {"a column's whole length likewise", {Slide(C, 2, 2), Slide(C, 2, 1)}, 0},
        {"what stood around a return merges in turn",
         {Slide(R, 0, 1), Slide(C, 0, 1), Slide(C, 0, -1), Slide(R, 0, 1)},
         1},
        {"and returns in turn", {Slide(R, 0, 1), Slide(C, 0, 1), Slide(C, 0, -1), Slide(R, 0, -1)}, 0},
        {"parallel lines are not reordered", {Slide(R, 0, 1), Slide(R, 1, 1), Slide(R, 0, -1)}, 3},
        {"a row and a column of the same index are apart", {Slide(R, 1, 1), Slide(C, 1, 1)}, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NetLength(c.played, 3, 4), c.net) << c.what;
}

// A game in play on 3 x 4, its row 1 one cell right of home with the frame
// on it, in the style asked: three more slides to the right complete it.
struct StyleGame : GameFixture {
    void Stage(Style style)
    {
        game->SetStyle(style);
        Start(3, 4);
        GameSetup setup = Edit();
        setup.grid.Resize(3, 4);
        setup.grid.Apply(Move{R, 1, 1});
        setup.grid.Select({1, 1});
        setup.puzzle.moves = 0;
        setup.puzzle.history.Begin(setup.grid, 0);
        listener.Take();
    }
    void Right(int times)
    {
        for (int i = 0; i < times; ++i)
            game->ShiftRowRight();
    }
};

TEST_F(StyleGame, FewestMovesKeepsTheNetLengthOfASolveThatWanderedAndUndid)
{
    Stage(Style::FewestMoves);
    game->ShiftColumnDown();
    game->ShiftColumnUp(); // back where it was: no move in the net
    game->ShiftColumnDown();
    ASSERT_TRUE(game->Undo()); // taken back as played
    Right(3);
    ASSERT_EQ(game->View().puzzle.state, Solved);
    const GameResult won = game->ResultOfWin(QString());
    EXPECT_EQ(won.moves, 5); // the counter as ever
    EXPECT_EQ(won.netMoves, 1);
    EXPECT_EQ(won.Score(), 1);
    EXPECT_TRUE(won.IsValid());
}

TEST_F(StyleGame, BlindHidesFromTheFirstMoveAndWinsOnlyWhenTheEndIsDeclared)
{
    Stage(Style::Blind);
    EXPECT_FALSE(game->HidesBoard());
    EXPECT_FALSE(game->CanAssist());
    Right(3); // the picture is whole, and nothing shows it
    EXPECT_TRUE(game->HidesBoard());
    EXPECT_EQ(game->View().puzzle.state, Playing);
    EXPECT_EQ(listener.wins, 0);
    EXPECT_FALSE(game->SetPaused(true) && game->DeclareEnd()); // not while paused
    ASSERT_TRUE(game->SetPaused(false));
    Wait(2500);
    game->NewOrReset(); // "Done"
    EXPECT_EQ(game->View().puzzle.state, Solved);
    EXPECT_EQ(listener.wins, 1);
    EXPECT_FALSE(game->HidesBoard());
    const GameResult won = game->ResultOfWin(QString());
    EXPECT_FALSE(won.dnf);
    EXPECT_EQ(won.milliseconds, 2500);
}

TEST_F(StyleGame, BlindDeclaredOnAPictureNotWholeIsADnfWithItsTimeAndMoves)
{
    Stage(Style::Blind);
    Right(2);
    Wait(1200);
    game->ShiftColumnDown();
    ASSERT_TRUE(game->DeclareEnd());
    EXPECT_EQ(listener.Take().back(), "dnf");
    EXPECT_EQ(game->View().puzzle.state, Idle);
    EXPECT_FALSE(game->HidesBoard());
    EXPECT_FALSE(game->CanUndo());
    const GameResult dnf = game->ResultOfWin(QString());
    EXPECT_TRUE(dnf.dnf);
    EXPECT_EQ(dnf.moves, 3);
    EXPECT_EQ(dnf.milliseconds, 1200);
    EXPECT_EQ(dnf.Score(), GameResult::kDnfScore);
    EXPECT_FALSE(game->DeclareEnd()); // once only
}

TEST_F(StyleGame, LeavingBlindOnAWholePictureWinsIt)
{
    Stage(Style::Blind);
    Right(3);
    game->SetStyle(Style::Speed);
    EXPECT_EQ(game->View().puzzle.state, Solved);
    EXPECT_EQ(listener.wins, 1);
}

// The saved game's byte knows two styles: the game's own stays when it plays
// like the saved one, and gives way when it does not.
TEST_F(StyleGame, AResumedGameKeepsItsStyleWhenTheByteAgrees)
{
    const struct {
        Style playing, saved, resumed;
    } cases[] = {
        {Style::FewestMoves, Style::Strategy, Style::FewestMoves},
        {Style::Blind, Style::Speed, Style::Blind},
        {Style::Blind, Style::Strategy, Style::Strategy},
        {Style::FewestMoves, Style::Speed, Style::Speed},
        {Style::Speed, Style::Strategy, Style::Strategy},
    };
    for (const auto& c : cases) {
        Stage(c.saved);
        const PlayRecord record = game->Record();
        game->SetStyle(c.playing);
        ASSERT_TRUE(game->Resume(record));
        EXPECT_EQ(game->View().style, c.resumed) << c.playing.Key() << " over " << c.saved.Key();
    }
}

} // namespace
