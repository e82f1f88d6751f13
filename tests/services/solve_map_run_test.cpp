#include "model/game.h"
#include "model/grid_position.h"
#include "services/solve_map_run.h"
#include "solver/solver.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace tesselo;

namespace {

struct Played {
    explicit Played(int rows, int columns)
    {
        game.ChangeSize({rows, columns});
        game.StartSeeded(777);
    }
    Game game{GameClocks{[] { return std::uint64_t(133000000000000000ULL); }}};
};

} // namespace

// The points come on the caller's thread, in order, one a move and the
// start's; the last of a won game is 0 from solved.
TEST(SolveMapRun, SendsEveryPointOfAWonGameInOrder)
{
    Played played(3, 3);
    Game& game = played.game;
    const auto solver = std::make_shared<const solver::Solver>();
    const TileGrid start = game.View().puzzle.history.start;
    // Away and back, then the solver's way home.
    game.MakeMove(Move{MoveAxis::Row, 0, 1});
    game.MakeMove(Move{MoveAxis::Row, 0, -1});
    const solver::Plan home = *solver->Solve(*PositionOf(game.View().puzzle.grid));
    for (const auto& slide : home.slides)
        game.MakeMove(MoveOf(slide));
    ASSERT_TRUE(game.CanReplaySolve());

    SolveMapRun run(solver, start, game.View().puzzle.history.Played());
    ASSERT_TRUE(run.IsMappable());
    std::vector<solver::MapPoint> points;
    QObject::connect(&run, &SolveMapRun::PointReady, [&](const solver::MapPoint& p) { points.push_back(p); });
    QSignalSpy finished(&run, &SolveMapRun::Finished);
    run.Start();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_TRUE(finished.front().front().toBool());
    ASSERT_EQ(int(points.size()), run.PointCount());
    EXPECT_EQ(points[2].distance, points[0].distance);
    for (std::size_t i = 2; i + 1 < points.size(); ++i)
        EXPECT_EQ(points[i + 1].distance, points[i].distance - 1) << "point " << i + 1;
    EXPECT_EQ(points.back().distance, 0);
}

// A window closed while the map is still being worked out takes the work
// with it, at once and safely.
TEST(SolveMapRun, GoesAwayInTheMiddleOfItsWork)
{
    Played played(4, 6);
    std::vector<HistoryStep> steps;
    for (int i = 0; i < 200; ++i)
        steps.push_back(HistoryStep{Move{i % 2 ? MoveAxis::Row : MoveAxis::Column, i % 4, 1}, {}, {}});
    auto run =
        std::make_unique<SolveMapRun>(std::make_shared<const solver::Solver>(), played.game.View().puzzle.grid, steps);
    int points = 0;
    QObject::connect(run.get(), &SolveMapRun::PointReady, [&] { ++points; });
    run->Start();
    QTest::qWait(20);
    run.reset();
    QTest::qWait(20);
    EXPECT_LT(points, 201);
}
