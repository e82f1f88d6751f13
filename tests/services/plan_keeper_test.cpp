#include "model/game.h"
#include "model/game_setup.h"
#include "model/grid_position.h"
#include "services/plan_keeper.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace tesselo;

namespace {

// A game at `rows` x `columns` in play, its seed fixed, with a keeper whose
// "large" tables are the quick ones, and whose bound tables (of the grids
// of 13 to 16 cells) are of six pieces, built in a blink.
struct Kept {
    Kept(int rows, int columns)
    {
        game.ChangeSize({rows, columns});
        game.StartSeeded(4242);
        keeper = std::make_unique<PlanKeeper>(
            game, SolverService::Options{cache.path(), &solver::PhaseTables::Quick, 1'000'000, [](int r, int c) {
                                             std::vector<std::uint8_t> block{0, 1, 2};
                                             for (int i = 0; i < 3; ++i)
                                                 block.push_back(std::uint8_t(c + i));
                                             return std::make_unique<solver::BoundTables>(
                                                 r, c, std::vector<std::vector<std::uint8_t>>{block});
                                         }});
    }
    bool ParKnown()
    {
        // Generous: a 16 x 16 plan under the sanitizers, beside other tests,
        // takes well over the seconds it takes in a plain build.
        return QTest::qWaitFor([&] { return game.View().puzzle.facts.par.has_value(); }, 120000);
    }

    QTemporaryDir cache;
    Game game{GameClocks{[] { return std::uint64_t(133000000000000000ULL); }}};
    std::unique_ptr<PlanKeeper> keeper;
};

} // namespace

// The plan follows the game's own changes: a hinted move made takes it
// down by one, a move elsewhere or an undo leaves it, and the next hint
// comes with a new plan for the board as it is. Each move shown counts once.
TEST(PlanKeeper, KeepsThePlanInStepWithTheGamesChanges)
{
    Kept k(3, 3);
    ASSERT_TRUE(k.ParKnown());
    EXPECT_TRUE(k.game.View().puzzle.facts.parIsOptimal);
    QSignalSpy hints(k.keeper.get(), &PlanKeeper::HintShown);
    k.keeper->Hint();
    ASSERT_EQ(hints.size(), 1) << "the plan of the par serves the first hint at once";
    const int par = *k.game.View().puzzle.facts.par;
    EXPECT_EQ(k.keeper->Plan().Remaining().Length(), par);
    k.keeper->Hint();
    EXPECT_EQ(k.game.View().puzzle.facts.assisted, 1) << "the same move shown twice counts once";

    ASSERT_TRUE(k.game.MakeMove(hints.last()[0].value<Move>()));
    EXPECT_EQ(k.keeper->Plan().Remaining().Length(), par - 1);
    EXPECT_EQ(k.keeper->Plan().Current(), PositionOf(k.game.View().puzzle.grid));
    const solver::Slide next = *k.keeper->Plan().Next();
    const Move across = MoveOf(next).axis == MoveAxis::Row ? Move{MoveAxis::Column, 0, 1} : Move{MoveAxis::Row, 0, 1};
    ASSERT_TRUE(k.game.MakeMove(across));
    EXPECT_FALSE(k.keeper->Plan().Active());

    k.keeper->Hint();
    EXPECT_TRUE(k.keeper->IsWaiting());
    ASSERT_TRUE(QTest::qWaitFor([&] { return hints.size() == 3; }, 20000));
    EXPECT_EQ(k.keeper->Plan().Current(), PositionOf(k.game.View().puzzle.grid));
    EXPECT_FALSE(k.keeper->IsWaiting());
    EXPECT_EQ(k.game.View().puzzle.facts.assisted, 2);
    ASSERT_TRUE(k.game.Undo());
    EXPECT_FALSE(k.keeper->Plan().Active());
    // Nothing is asked for a board no one waits on: the solver answers in
    // turn, so the next hint asked for is the next to come, and it is for
    // the board as it is.
    k.keeper->Hint();
    ASSERT_TRUE(QTest::qWaitFor([&] { return hints.size() >= 4; }, 20000));
    EXPECT_EQ(hints.size(), 4);
    EXPECT_EQ(k.keeper->Plan().Current(), PositionOf(k.game.View().puzzle.grid));
    EXPECT_EQ(hints.last()[0].value<Move>(), MoveOf(*k.keeper->Plan().Next()));
}

// A solve makes the plan's moves, the first at once and then one every
// 300 ms, as moves of the game counted as help, until the game is won; an
// interruption stops it where it is.
TEST(PlanKeeper, ASolveMakesThePlansMovesUntilTheWinOrAnInterruption)
{
    for (const bool interrupted : {false, true}) {
        SCOPED_TRACE(interrupted ? "interrupted" : "to the end");
        Kept k(2, 3);
        ASSERT_TRUE(k.ParKnown());
        ASSERT_GE(*k.game.View().puzzle.facts.par, 2);
        k.keeper->Solve();
        EXPECT_TRUE(k.keeper->IsSolving());
        EXPECT_EQ(k.game.View().puzzle.moves, 1);
        if (interrupted) {
            EXPECT_TRUE(k.keeper->Interrupt());
            QTest::qWait(2 * PlanKeeper::kSolveStepMs);
            EXPECT_EQ(k.game.View().puzzle.moves, 1);
            EXPECT_FALSE(k.keeper->Interrupt()) << "nothing left to stop";
            continue;
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return k.game.View().puzzle.state == Solved; }, 10000));
        EXPECT_FALSE(k.keeper->IsSolving());
        EXPECT_EQ(k.game.View().puzzle.moves, *k.game.View().puzzle.facts.par);
        EXPECT_EQ(k.game.View().puzzle.facts.assisted, k.game.View().puzzle.moves);
    }
}

// Par, hint and the rest of the plan at sizes no level has: the tiniest,
// an odd one, and the largest, where the plan is no longer proven
// shortest. A hinted move takes the plan down by one; on a grid of up to
// 24 cells the rest of the plan is searched exactly once it is short.
TEST(PlanKeeper, WorksAtEverySize)
{
    for (const auto& [rows, columns] : {std::pair{2, 2}, {4, 4}, {5, 7}, {16, 16}}) {
        SCOPED_TRACE(std::to_string(rows) + " x " + std::to_string(columns));
        Kept k(rows, columns);
        ASSERT_TRUE(k.ParKnown());
        EXPECT_EQ(k.game.View().puzzle.facts.parIsOptimal, rows * columns <= solver::Solver::kExactCells);
        QSignalSpy hints(k.keeper.get(), &PlanKeeper::HintShown);
        k.keeper->Hint();
        ASSERT_EQ(hints.size(), 1);
        const int rest = k.keeper->Plan().Remaining().Length();
        ASSERT_TRUE(k.game.MakeMove(hints.last()[0].value<Move>()));
        EXPECT_EQ(k.keeper->Plan().Remaining().Length(), rest - 1);
        EXPECT_EQ(k.keeper->Plan().Current(), PositionOf(k.game.View().puzzle.grid));
        if (rows * columns > solver::Solver::kSearchedCells || rows * columns <= solver::Solver::kExactCells)
            continue;
        // Along the plan to within reach of the exact search.
        const int below = solver::Solver::ExactRestBelow(rows, columns, false);
        while (k.keeper->Plan().Remaining().Length() > below)
            ASSERT_TRUE(k.game.MakeMove(MoveOf(*k.keeper->Plan().Next())));
        EXPECT_TRUE(QTest::qWaitFor([&] { return k.keeper->Plan().Remaining().optimal; }, 120000));
        EXPECT_LE(k.keeper->Plan().Remaining().Length(), below);
    }
}

// A board no slides can solve (two pieces swapped on 3 x 3, which only a
// saved game made by hand holds) has no plan to wait for: a hint or a solve
// says so at once and leaves nobody waiting.
TEST(PlanKeeper, ABoardNoSlidesSolveIsSaidAtOnce)
{
    Kept k(3, 3);
    TileGrid& grid = GameSetup(k.game).grid;
    grid.Resize(3, 3);
    std::swap(grid.cells[0], grid.cells[1]);
    QSignalSpy none(k.keeper.get(), &PlanKeeper::NoWayHome);
    QSignalSpy waiting(k.keeper.get(), &PlanKeeper::WaitingChanged);
    k.keeper->Hint();
    k.keeper->Solve();
    EXPECT_EQ(none.size(), 2);
    EXPECT_FALSE(k.keeper->IsWaiting());
    EXPECT_FALSE(k.keeper->IsSolving());
    for (const QList<QVariant>& told : waiting)
        EXPECT_FALSE(told[0].toBool());
}

// On 4 x 4 the block plan stands in as par and hint until the grid's
// bound tables are ready; then the par is asked for again and is the
// shortest, and so is the plan the hints follow.
TEST(PlanKeeper, TheParOfFourByFourBecomesShortestWithItsTables)
{
    Kept k(4, 4);
    ASSERT_TRUE(k.ParKnown());
    const int stood = *k.game.View().puzzle.facts.par;
    EXPECT_TRUE(QTest::qWaitFor([&] { return k.game.View().puzzle.facts.parIsOptimal; }, 60000));
    EXPECT_LE(*k.game.View().puzzle.facts.par, stood);
    EXPECT_TRUE(k.keeper->Service().HasTablesFor(4, 4));
    QSignalSpy hints(k.keeper.get(), &PlanKeeper::HintShown);
    k.keeper->Hint();
    ASSERT_TRUE(hints.size() == 1 || hints.wait(20000));
    EXPECT_TRUE(k.keeper->Plan().Remaining().optimal);
    EXPECT_EQ(k.keeper->Plan().Remaining().Length(), *k.game.View().puzzle.facts.par);
}
