#include "model/game.h"
#include "solver/solver.h"
#include "support/game_fixture.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <random>
#include <set>

using namespace tesselo;
using tesselo::testing::GameFixture;
using Calls = GameFixture::Calls;

namespace {

std::vector<int> Row(const Game& game, int r)
{
    std::vector<int> out;
    for (int c = 0; c < game.View().puzzle.grid.columnCount; ++c)
        out.push_back(game.View().puzzle.grid.At(r, c).homeColumn);
    return out;
}

TileGrid Scramble(int rows, int columns, std::uint32_t seed)
{
    TileGrid grid;
    grid.Resize(rows, columns);
    grid.Shuffle(seed);
    return grid;
}

// Whether some one or two moves solve `grid`: every move of every line
// tried, apart from the solver.
bool WithinTwoMoves(const TileGrid& grid)
{
    std::vector<Move> moves;
    for (int r = 0; r < grid.rowCount; ++r)
        for (int a = 1; a < grid.columnCount; ++a)
            moves.push_back(Move{MoveAxis::Row, r, a});
    for (int c = 0; c < grid.columnCount; ++c)
        for (int a = 1; a < grid.rowCount; ++a)
            moves.push_back(Move{MoveAxis::Column, c, a});
    if (grid.IsSolved())
        return true;
    for (const Move& first : moves) {
        TileGrid one = grid;
        one.Apply(first);
        if (one.IsSolved())
            return true;
        for (const Move& second : moves) {
            TileGrid two = one;
            two.Apply(second);
            if (two.IsSolved())
                return true;
        }
    }
    return false;
}

} // namespace

TEST_F(GameFixture, ConstructionDefaults)
{
    EXPECT_EQ(game->View().puzzle.grid.rowCount, 2);
    EXPECT_EQ(game->View().puzzle.grid.columnCount, 3);
    EXPECT_TRUE(game->View().puzzle.grid.IsSolved());
    EXPECT_EQ(game->BoardPixels(), QSize(640, 480)); // the built-in picture's board
    EXPECT_EQ(game->View().puzzle.state, Idle);
    EXPECT_TRUE(game->View().style.IsStrategy());
    EXPECT_EQ(game->View().volume, 100);
    EXPECT_FALSE(game->View().stopwatch.resumePending || game->View().gesture.dragging);
}

TEST_F(GameFixture, NewGameStartsOnlyFromRestAndNeverSolved)
{
    Wait(777);
    Start(4, 6);
    EXPECT_EQ(game->View().puzzle.moves, 0);
    EXPECT_FALSE(game->View().puzzle.grid.IsSolved());
    EXPECT_EQ(game->View().stopwatch.clockStart, monotonic);
    // Announced once each: the new size, then the new game, with its cue.
    EXPECT_EQ(listener.Take(), (Calls{"resized", "new game", "newgame sound"}));

    std::vector<std::pair<int, int>> before;
    for (auto& t : game->View().puzzle.grid.cells)
        before.emplace_back(t.homeRow, t.homeColumn);
    Edit().puzzle.moves = 5;
    fileTime += 12345;
    game->NewGame();
    EXPECT_EQ(game->View().puzzle.moves, 5);
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(game->View().puzzle.grid.cells[i].homeColumn, before[i].second);
}

TEST_F(GameFixture, SeedComesFromTheClockAndSkipsStartsNearSolved)
{
    // A seed whose scramble of the 2 x 3 grid comes out within two moves of
    // solved (about one in twenty does).
    std::uint32_t nearSeed = 0;
    while (!WithinTwoMoves(Scramble(2, 3, nearSeed)))
        ++nearSeed;
    ASSERT_LT(nearSeed, 0x7FFFu);
    // Low 32 bits of the file time, modulo 32767, give the seed.
    fileTime = (std::uint64_t(7) << 32) + 0x7FFF * 3 + nearSeed;
    game->NewGame();
    // Each try starts from the home order, so the seed played names the
    // start alone, and every seed passed over was too near.
    ASSERT_TRUE(game->View().puzzle.facts.seed);
    const std::uint32_t kept = *game->View().puzzle.facts.seed;
    ASSERT_GT(kept, nearSeed);
    for (std::uint32_t s = nearSeed; s < kept; ++s)
        EXPECT_TRUE(WithinTwoMoves(Scramble(2, 3, s))) << s;
    EXPECT_TRUE(game->View().puzzle.grid.SameCells(Scramble(2, 3, kept)));
    EXPECT_FALSE(WithinTwoMoves(game->View().puzzle.grid));
}

TEST_F(GameFixture, NoNewGameStartsWithinTwoMovesOfSolved)
{
    // The game asks the solver how near a scramble is; a size it does not
    // answer for yet is only kept from starting solved.
    for (const GridSize size : {kNovice, kPro, kExpert, kGenius, GridSize{2, 2}, GridSize{2, 5}, GridSize{4, 3},
                                GridSize{5, 7}}) {
        if (!solver::Solver::Supports(size.rows, size.columns))
            continue;
        game->ChangeSize(size);
        for (std::uint32_t seed = 0; seed < 200; ++seed) {
            game->StartSeeded(seed);
            ASSERT_TRUE(game->View().puzzle.facts.seed);
            EXPECT_FALSE(WithinTwoMoves(game->View().puzzle.grid)) << size.Name() << " seed " << seed;
            EXPECT_TRUE(
                game->View().puzzle.grid.SameCells(Scramble(size.rows, size.columns, *game->View().puzzle.facts.seed)));
            game->ResetGame();
        }
    }
}

TEST_F(GameFixture, TrackDragChoosesAnAxisOnceOneDirectionLeadsByFive)
{
    Start(3, 4);
    game->BeginDrag(100, 100);
    EXPECT_TRUE(game->View().gesture.dragging);
    EXPECT_EQ(game->View().puzzle.grid.selectedRow, 0);
    EXPECT_EQ(game->View().puzzle.grid.selectedColumn, 0);
    game->TrackDrag(105, 101);
    EXPECT_EQ(game->View().gesture.dragAxis, None);
    EXPECT_EQ(game->View().gesture.dragDeltaX, 5);
    game->TrackDrag(94, 101); // (-6, 1)
    EXPECT_EQ(game->View().gesture.dragAxis, Horizontal);
    game->TrackDrag(100, 300);
    EXPECT_EQ(game->View().gesture.dragAxis, Horizontal);
    EXPECT_EQ(game->View().gesture.dragDeltaY, 200); // offsets always follow the pointer

    game->BeginDrag(170, 330);
    EXPECT_EQ(game->View().puzzle.grid.selectedRow, 2);
    EXPECT_EQ(game->View().puzzle.grid.selectedColumn, 1);
    game->TrackDrag(171, 336);
    EXPECT_EQ(game->View().gesture.dragAxis, Vertical);

    // A press a little outside the board selects the nearest cell.
    game->BeginDrag(-3, 485);
    EXPECT_EQ(game->View().puzzle.grid.selectedRow, 2);
    EXPECT_EQ(game->View().puzzle.grid.selectedColumn, 0);
}

TEST_F(GameFixture, EndDragSnapsToTheNearestCellAndWraps)
{
    Start(3, 4); // cell width 160
    const auto drag = [&](int fromX, int dx) {
        game->BeginDrag(fromX, 10);
        game->TrackDrag(fromX + (dx > 0 ? 10 : -10), 10);
        game->EndDrag(fromX + dx, 10);
    };
    listener.Take();
    const auto row0 = Row(*game, 0);
    const auto rotated = [&](int by) {
        std::vector<int> r(4);
        for (int i = 0; i < 4; ++i)
            r[std::size_t(((i + by) % 4 + 4) % 4)] = row0[std::size_t(i)];
        return r;
    };

    drag(10, 79);
    EXPECT_EQ(Row(*game, 0), row0);
    EXPECT_EQ(game->View().puzzle.moves, 0);
    // The press selects the cell it is on; the line goes back from the
    // release, with its cue.
    EXPECT_EQ(listener.Take(), (Calls{"selected", "followed", "released", "nomove"}));
    EXPECT_FALSE(game->View().gesture.dragging);
    EXPECT_EQ(game->View().gesture.dragAxis, None);
    EXPECT_EQ(game->View().gesture.dragDeltaX, 0);

    drag(10, 80);
    EXPECT_EQ(Row(*game, 0), rotated(1));
    EXPECT_EQ(game->View().puzzle.grid.selectedColumn, 1);
    drag(170, -80);
    EXPECT_EQ(Row(*game, 0), row0);
    EXPECT_EQ(game->View().puzzle.grid.selectedColumn, 0);
    drag(10, -80); // wraps past the left edge
    EXPECT_EQ(Row(*game, 0), rotated(-1));
    EXPECT_EQ(game->View().puzzle.grid.selectedColumn, 3);
    drag(490, 149); // (149 + 80) / 160 = 1, and 3 + 1 wraps to 0
    EXPECT_EQ(game->View().puzzle.grid.selectedColumn, 0);
    drag(10, 400); // (400 + 80) / 160 = 3
    EXPECT_EQ(game->View().puzzle.grid.selectedColumn, 3);
    EXPECT_EQ(game->View().puzzle.moves, 5);
    const Calls dragMove{"followed", "moved", "move"};
    Calls five;
    for (int i = 0; i < 5; ++i)
        five.insert(five.end(), dragMove.begin(), dragMove.end());
    EXPECT_EQ(listener.Take(), five);

    // The counter stops at its largest value; a move there is still a move.
    Edit().puzzle.moves = std::numeric_limits<std::int32_t>::max();
    drag(10, 80);
    game->ShiftRowRight();
    EXPECT_EQ(game->View().puzzle.moves, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(listener.Take(), (Calls{"selected", "followed", "moved", "move", "moved", "move"}));
}

TEST_F(GameFixture, VerticalDragsMoveTheSelectedColumn)
{
    Start(3, 4); // cell height 160
    const int before = game->View().puzzle.grid.At(0, 2).homeRow;
    game->BeginDrag(330, 20);
    game->TrackDrag(330, 40);
    game->EndDrag(330, 20 + 240); // exactly a cell and a half rounds away
    EXPECT_EQ(game->View().puzzle.grid.selectedRow, 2);
    EXPECT_EQ(game->View().puzzle.grid.At(2, 2).homeRow, before);
    EXPECT_EQ(game->View().puzzle.moves, 1);
}

TEST_F(GameFixture, KeysShiftOneCellAndCountEveryPress)
{
    Start(4, 6);
    listener.Take();
    Edit().grid.Select({0, 0});
    const int moved = game->View().puzzle.grid.At(0, 0).homeColumn;
    game->ShiftRowLeft(); // from column 0 to 5
    EXPECT_EQ(game->View().puzzle.grid.selectedColumn, 5);
    EXPECT_EQ(game->View().puzzle.grid.At(0, 5).homeColumn, moved);
    game->ShiftRowRight();
    EXPECT_EQ(game->View().puzzle.grid.selectedColumn, 0);
    game->ShiftColumnUp();
    EXPECT_EQ(game->View().puzzle.grid.selectedRow, 3);
    game->ShiftColumnDown();
    EXPECT_EQ(game->View().puzzle.grid.selectedRow, 0);
    EXPECT_EQ(game->View().puzzle.moves, 4);
    EXPECT_EQ(listener.Take(), (Calls{"moved", "move", "moved", "move", "moved", "move", "moved", "move"}));

    game->SelectLeft();
    EXPECT_EQ(game->View().puzzle.grid.selectedColumn, 5);
    game->SelectUp();
    EXPECT_EQ(game->View().puzzle.grid.selectedRow, 3);
    game->SelectRight();
    game->SelectDown();
    EXPECT_EQ(game->View().puzzle.grid.selectedColumn, 0);
    EXPECT_EQ(game->View().puzzle.grid.selectedRow, 0);
    EXPECT_EQ(game->View().puzzle.moves, 4);
    EXPECT_EQ(listener.Take(), Calls(4, "selected")); // no cue: a selection move is no move

    // Keys wait while a gesture is open, even one that never ended.
    game->BeginDrag(5, 5);
    game->ShiftRowLeft();
    game->SelectDown();
    EXPECT_EQ(game->View().puzzle.moves, 4);
    EXPECT_EQ(game->View().puzzle.grid.selectedRow, 0);
}

TEST_F(GameFixture, CompletingThePictureWinsAndFreezesTheGame)
{
    // A game in play one slide of row 1 away from home.
    const auto stage = [&](std::int32_t by) {
        game->ResetGame();
        game->NewGame();
        TileGrid& grid = Edit().grid;
        grid.Resize(2, 3);
        grid.Select({1, 0});
        grid.ShiftRow(by);
        listener.Take();
    };
    stage(1);
    // The wall clock set back 10 s meanwhile changes nothing the records keep.
    Wait(2500);
    fileTime -= 10ULL * 10000000ULL;
    game->ShiftRowLeft();
    EXPECT_EQ(game->View().puzzle.state, Solved);
    EXPECT_EQ(listener.Take(), (Calls{"moved", "won", "win"}));
    EXPECT_EQ(game->ResultOfWin({}).milliseconds, 2500);
    EXPECT_EQ(game->View().puzzle.moves, 1);
    game->ShiftRowLeft();
    game->BeginDrag(10, 10);
    EXPECT_FALSE(game->View().gesture.dragging);
    EXPECT_EQ(game->View().puzzle.moves, 1);

    // In style "Speed" the clock stops at the win and moves are silent.
    game->SetStrategyStyle(false);
    stage(2);
    game->ShiftRowLeft();
    EXPECT_EQ(game->View().puzzle.state, Playing);
    EXPECT_EQ(listener.Take(), Calls{"moved"}); // no cue in "Speed"
    Wait(1234);
    game->ShiftRowLeft();
    EXPECT_EQ(listener.Take(), (Calls{"moved", "stopclock", "won", "win"}));
    EXPECT_EQ(game->View().stopwatch.elapsed, 1234) << "the time at the winning move, not at the last counter update";

    // Without a listener the win is still seen.
    listener.Stop();
    stage(1);
    game->ShiftRowLeft();
    EXPECT_EQ(game->View().puzzle.state, Solved);
}

// The window's timer rests unless a "Speed" clock is shown running: the
// game reads its clock whenever it needs the time, so the clock moves here
// and nothing ticks.
TEST_F(GameFixture, TheTimeIsReadWhenWantedWithoutATick)
{
    for (const bool strategy : {true, false}) {
        SCOPED_TRACE(strategy ? "Strategy" : "Speed");
        game->SetStrategyStyle(strategy);
        game->ResetGame();
        game->NewGame();
        TileGrid& grid = Edit().grid;
        grid.Resize(2, 3);
        grid.Select({1, 0});
        grid.ShiftRow(1);
        monotonic += 2345;
        game->ShiftRowLeft();
        ASSERT_EQ(game->View().puzzle.state, Solved);
        EXPECT_EQ(game->ResultOfWin({}).milliseconds, 2345);
    }
    // A reset and its undo: the time stood from the reset to the undo.
    Start(2, 3);
    monotonic += 1500;
    EXPECT_EQ(game->CounterText(), "0:00:01.5");
    game->ResetGame();
    monotonic += 10000;
    ASSERT_TRUE(game->Undo());
    monotonic += 500;
    EXPECT_EQ(game->CounterText(), "0:00:02.0");
}

TEST_F(GameFixture, ResetAndDifficultyChangesKeepTheSelection)
{
    Start(3, 3);
    Edit().grid.Select({2, 0});
    Edit().puzzle.moves = 9;
    Edit().stopwatch.elapsed = 1000;
    game->ResetGame();
    EXPECT_EQ(game->View().puzzle.state, Idle);
    EXPECT_TRUE(game->View().puzzle.grid.IsSolved());
    EXPECT_EQ(game->View().puzzle.grid.selectedRow, 2);
    EXPECT_EQ(game->View().puzzle.moves, 0);
    EXPECT_EQ(game->View().stopwatch.elapsed, 0);
}

TEST_F(GameFixture, CounterTexts)
{
    Edit().puzzle.moves = 17;
    EXPECT_EQ(game->CounterText(), "17");
    game->SetStrategyStyle(false);
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "0:00:00.0"},       {1449, "0:00:01.4"},      {1450, "0:00:01.5"},
        {1549, "0:00:01.5"},    {1950, "0:00:02.0"},      {59999, "0:01:00.0"},
        {3600000, "1:00:00.0"}, {3723456, "1:02:03.5"},   {-5000, "0:00:00.0"},
        {2147483647, "596:31:23.6"},
    };
    for (const auto& [ms, text] : cases) {
        Edit().stopwatch.elapsed = ms;
        EXPECT_EQ(game->CounterText(), text) << ms;
    }
    // While playing the stopwatch follows the monotonic clock alone: the
    // wall clock stepped back or forward by an hour changes nothing.
    Start(2, 3);
    Wait(1512);
    fileTime -= 3600ULL * 10000000ULL;
    Wait(0);
    EXPECT_EQ(game->CounterText(), "0:00:01.5");
    fileTime += 2 * 3600ULL * 10000000ULL;
    Wait(488);
    EXPECT_EQ(game->CounterText(), "0:00:02.0");
    EXPECT_EQ(game->View().stopwatch.elapsed, 2000);
    // A clock source that steps back after all is not followed backwards.
    monotonic -= 3600000;
    Wait(0);
    EXPECT_EQ(game->CounterText(), "0:00:02.0");
    // Left running for 60 days, ticking hourly: it stops at its largest
    // value and never wraps.
    game->ResetGame();
    game->NewGame();
    for (int hour = 1; hour <= 24 * 60; ++hour) {
        Wait(3600000);
        const QString text = game->CounterText();
        ASSERT_EQ(game->View().stopwatch.elapsed, std::min<std::int64_t>(hour * 3600000LL, Game::kMaxElapsed)) << hour;
        ASSERT_EQ(text, hour < 100 ? QString::asprintf("%d:00:00.0", hour) : QString("99:59:59.9")) << hour;
    }
}

TEST_F(GameFixture, WallClockReadsHundredsOfNanosecondsSince1601)
{
    const std::uint64_t now = SystemFileTime();
    // 2020-01-01 and 2100-01-01 in 100 ns since 1601.
    EXPECT_GT(now, 132223104000000000ULL);
    EXPECT_LT(now, 157469184000000000ULL);
}

TEST_F(GameFixture, CellsWithoutPixelsMoveNothing)
{
    Start(4, 6);
    game->SetBoardPixels(QSize(0, 0)); // a minimised window's board
    ASSERT_EQ(CellWidth(game->BoardPixels(), game->View().puzzle.grid), 0);
    std::vector<int> before;
    for (auto& t : game->View().puzzle.grid.cells)
        before.push_back(t.homeRow * 10 + t.homeColumn);
    for (const auto& [dx, dy] : {std::pair{300, 0}, std::pair{0, 300}}) {
        game->BeginDrag(0, 0);
        game->TrackDrag(dx, dy);
        game->EndDrag(dx, dy);
    }
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(game->View().puzzle.grid.cells[i].homeRow * 10 + game->View().puzzle.grid.cells[i].homeColumn,
                  before[i]);
    EXPECT_EQ(game->View().puzzle.moves, 0);
}

// Random gestures, keys, new games and resets: after every step the grid is
// a permutation, the selection inside it, and the counters consistent.
TEST_F(GameFixture, RandomPlayKeepsEveryInvariant)
{
    std::mt19937 rng(20261208);
    const std::pair<int, int> sizes[] = {{2, 3}, {3, 3}, {3, 4}, {4, 6}, {2, 2}, {5, 7}};
    listener.Stop();
    for (int step = 0; step < 1000000; ++step) {
        const int action = int(rng() % 16);
        const int x = int(rng() % 700) - 30, y = int(rng() % 540) - 30;
        const int movesBefore = game->View().puzzle.moves;
        const GameState stateBefore = game->View().puzzle.state;
        switch (action) {
        case 0: game->NewGame(); break;
        case 1: if (rng() % 50 == 0) game->ResetGame(); break;
        case 2: {
            if (game->View().puzzle.state != Playing) {
                const auto [r, c] = sizes[rng() % std::size(sizes)];
                game->ChangeSize({r, c});
            }
            break;
        }
        case 3: game->BeginDrag(x, y); break;
        case 4: case 5: game->TrackDrag(std::clamp(x, 0, 639), std::clamp(y, 0, 479)); break;
        case 6: game->EndDrag(std::clamp(x, 0, 639), std::clamp(y, 0, 479)); break;
        case 7: game->ShiftRowLeft(); break;
        case 8: game->ShiftRowRight(); break;
        case 9: game->ShiftColumnUp(); break;
        case 10: game->ShiftColumnDown(); break;
        case 11: game->SelectLeft(); break;
        case 12: game->SelectRight(); break;
        case 13: game->SelectUp(); break;
        case 14: game->SelectDown(); break;
        default: game->SetStrategyStyle(!game->View().style.IsStrategy()); break;
        }
        const TileGrid& g = game->View().puzzle.grid;
        ASSERT_TRUE(g.Size().IsValid());
        std::set<int> homes;
        for (const auto& t : g.cells)
            homes.insert(t.homeRow * 100 + t.homeColumn);
        ASSERT_EQ(homes.size(), g.cells.size());
        ASSERT_EQ(*homes.rbegin(), (g.rowCount - 1) * 100 + g.columnCount - 1);
        ASSERT_GE(g.selectedRow, 0);
        ASSERT_LT(g.selectedRow, g.rowCount);
        ASSERT_GE(g.selectedColumn, 0);
        ASSERT_LT(g.selectedColumn, g.columnCount);
        ASSERT_GE(game->View().puzzle.moves, 0);
        if (game->View().puzzle.state == Playing) {
            ASSERT_FALSE(g.IsSolved()) << step;
            ASSERT_LE(game->View().puzzle.moves - (stateBefore == Playing ? movesBefore : 0), 1);
        } else {
            ASSERT_TRUE(g.IsSolved()) << step;
        }
    }
}

// A solve's moves are the game's own: counted, recorded, undone and won as
// the player's are; the win carries what the solver said and how much it
// helped.
TEST_F(GameFixture, MovesMadeForThePlayerAreMovesAndTheWinKeepsWhatHelped)
{
    TileGrid start;
    start.Resize(2, 3);
    start.Apply(Move{MoveAxis::Row, 0, 1});
    start.Apply(Move{MoveAxis::Column, 2, 1});
    start.Select({1, 0});
    Edit().puzzle.Start(start, GameFacts{});
    game->SetPar(2, true);
    game->CountAssisted(1);

    EXPECT_FALSE(game->MakeMove(Move{MoveAxis::Column, 2, 2})); // a full turn of the column
    ASSERT_TRUE(game->MakeMove(Move{MoveAxis::Column, 2, -1}));
    EXPECT_EQ(game->View().puzzle.moves, 1);
    EXPECT_EQ(game->View().puzzle.grid.Selected(), (Selection{0, 2}));
    ASSERT_TRUE(game->Undo());
    EXPECT_TRUE(game->View().puzzle.grid.SameCells(start));
    EXPECT_EQ(game->View().puzzle.grid.Selected(), (Selection{1, 0}));
    ASSERT_TRUE(game->Redo());
    ASSERT_TRUE(game->MakeMove(Move{MoveAxis::Row, 0, -1}));
    EXPECT_EQ(game->View().puzzle.state, Solved);
    EXPECT_EQ(listener.wins, 1);

    const GameResult won = game->ResultOfWin({});
    EXPECT_EQ(won.par, 2);
    EXPECT_TRUE(won.parIsOptimal);
    EXPECT_EQ(won.assisted, 1);
    EXPECT_EQ(won.steps.size(), 2u);
    // Outside play nothing more is made or counted.
    EXPECT_FALSE(game->MakeMove(Move{MoveAxis::Row, 1, 1}));
    game->CountAssisted(3);
    EXPECT_EQ(game->View().puzzle.facts.assisted, 1);
}

// The scramble undone is a way home: no par shown is longer, and a par cut
// to it is not called shortest.
TEST_F(GameFixture, ParIsNeverLongerThanTheScrambleUndone)
{
    game->ChangeSize({5, 7});
    game->StartSeeded(31);
    const std::int32_t undone = GridSize{5, 7}.ScrambleSteps(31);
    game->SetPar(undone + 40, true);
    EXPECT_EQ(game->View().puzzle.facts.par, undone);
    EXPECT_FALSE(game->View().puzzle.facts.parIsOptimal);
    game->SetPar(undone - 1, true);
    EXPECT_EQ(game->View().puzzle.facts.par, undone - 1);
    EXPECT_TRUE(game->View().puzzle.facts.parIsOptimal);
}
