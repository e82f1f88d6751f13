#include "positions/slide_set.h"
#include "solver/solve_map.h"
#include "solver/solver.h"
#include "tables/distance_table.h"

#include <gtest/gtest.h>

#include <random>

using namespace tesselo::solver;

namespace {

// A walk of random slides, some of them single cells of a longer slide as
// the arrow keys play, some full turns that change nothing.
std::vector<Slide> Wander(int rows, int columns, int count, std::mt19937& random)
{
    const SlideSet& set = SlideSet::For(rows, columns);
    std::vector<Slide> moves;
    for (int i = 0; i < count; ++i)
        moves.push_back(set.At(int(random() % unsigned(set.Count()))));
    moves.push_back(Slide{Axis::Row, 0, 0});
    return moves;
}

// The same on any grid (the slide sets hold grids of up to 24 cells).
std::vector<Slide> WanderAnyGrid(int rows, int columns, int count, std::mt19937& random)
{
    std::vector<Slide> moves;
    for (int i = 0; i < count; ++i) {
        const bool row = random() % 2 == 0;
        const int length = row ? columns : rows;
        moves.push_back(Slide{row ? Axis::Row : Axis::Column, std::int8_t(random() % unsigned(row ? rows : columns)),
                              std::int8_t(1 + random() % unsigned(length - 1))});
    }
    return moves;
}

std::vector<MapPoint> MapAll(SolveMapper& mapper)
{
    std::vector<MapPoint> points;
    while (auto point = mapper.Next())
        points.push_back(*point);
    return points;
}

} // namespace

// On the grids with complete tables every point is the table's distance,
// whatever way the player went, and each point's next slide is a first
// step of a shortest way.
TEST(SolveMap, ExactGridsGiveTheTablesDistanceAtEveryMove)
{
    const Solver solver;
    std::mt19937 random(5);
    for (const auto& [rows, columns] : {std::pair{2, 3}, std::pair{3, 3}}) {
        SCOPED_TRACE(testing::Message() << rows << "x" << columns);
        const DistanceTable& table = DistanceTable::For(rows, columns);
        Position start = Position::Solved(rows, columns);
        for (const Slide& s : Wander(rows, columns, 12, random))
            start.Apply(s);
        const std::vector<Slide> moves = Wander(rows, columns, 20, random);
        SolveMapper mapper(solver, start, moves);
        const std::vector<MapPoint> points = MapAll(mapper);
        ASSERT_EQ(int(points.size()), mapper.PointCount());
        Position at = start;
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (i > 0)
                at.Apply(moves[i - 1]);
            EXPECT_EQ(points[i].distance, table.Distance(at)) << "point " << i;
            EXPECT_TRUE(points[i].exact);
            if (points[i].next) {
                Position ahead = at;
                ahead.Apply(*points[i].next);
                EXPECT_EQ(table.Distance(ahead), points[i].distance - 1);
            }
        }
    }
}

// An arrow key plays a slide of two cells as two moves: the first leaves a
// plan no longer known to be shortest, and on a grid answered exactly the
// map searches again rather than give an upper bound.
TEST(SolveMap, ASlideFollowedInPartStaysExact)
{
    const Solver solver;
    Position start = Position::Solved(3, 4);
    const std::vector<Slide> back = {{Axis::Row, 0, 2}, {Axis::Column, 1, 1}, {Axis::Row, 2, 2}};
    for (auto it = back.rbegin(); it != back.rend(); ++it)
        start.Apply(InverseSlide(*it, start.LineLength(it->axis)));
    std::vector<Slide> moves;
    for (const Slide& s : back)
        for (int cell = 0; cell < std::abs(s.amount); ++cell)
            moves.push_back({s.axis, s.line, std::int8_t(s.amount > 0 ? 1 : -1)});
    SolveMapper mapper(solver, start, moves);
    Position at = start;
    for (int i = 0; auto point = mapper.Next(); ++i) {
        if (i > 0)
            at.Apply(moves[std::size_t(i - 1)]);
        EXPECT_TRUE(point->exact) << "point " << i;
        EXPECT_EQ(point->distance, solver.Solve(at)->Length()) << "point " << i;
    }
    EXPECT_EQ(mapper.Mapped(), int(moves.size()) + 1);
}

// A solve that keeps to its plans needs one search in all, even where
// searching is dear; leaving the plan costs one search more.
TEST(SolveMap, AFollowedPlanIsSearchedOnce)
{
    const Solver solver;
    std::mt19937 random(9);
    Position start = Position::Solved(4, 6);
    for (const Slide& s : Wander(4, 6, 30, random))
        start.Apply(s);
    const Plan plan = *solver.Solve(start);
    std::vector<Slide> moves = plan.slides;
    SolveMapper followed(solver, start, moves);
    const std::vector<MapPoint> points = MapAll(followed);
    ASSERT_EQ(points.size(), moves.size() + 1);
    EXPECT_EQ(followed.Searches(), 1);
    for (std::size_t i = 0; i < points.size(); ++i)
        EXPECT_EQ(points[i].distance, plan.Length() - int(i));

    // One slide off the way, and back: two more searches at most.
    const Slide away = SlideSet::For(4, 6).At(3);
    moves.insert(moves.begin() + 2, {away, InverseSlide(away, 6)});
    SolveMapper strayed(solver, start, moves);
    const auto strayedPoints = MapAll(strayed);
    EXPECT_EQ(strayedPoints.back().distance, 0);
    EXPECT_LE(strayed.Searches(), 3);
}

TEST(SolveMap, MovesAreJudgedFromTheirTwoPoints)
{
    const std::vector<MapPoint> points = {{5, true, {}}, {4, true, {}}, {5, true, {}}, {5, false, {}},
                                          {4, false, {}}, {3, true, {}}};
    const std::vector<MoveVerdict> verdicts = JudgeMoves(points);
    const bool away[] = {false, true, false, false, false};
    const bool shortest[] = {true, false, false, false, false};
    ASSERT_EQ(verdicts.size(), 5u);
    for (std::size_t i = 0; i < verdicts.size(); ++i) {
        EXPECT_EQ(verdicts[i].away, away[i]) << i;
        EXPECT_EQ(verdicts[i].shortest, shortest[i]) << i;
    }
}

TEST(SolveMap, StopsWhenAskedAndOnAnUnsolvablePosition)
{
    const Solver solver;
    std::stop_source stop;
    stop.request_stop();
    SolveMapper asked(solver, Position::Solved(3, 3), {});
    EXPECT_FALSE(asked.Next(stop.get_token()));
    // Two pieces swapped on 3 x 3: odd, out of reach of any slide.
    const int homes[] = {1, 0, 2, 3, 4, 5, 6, 7, 8};
    SolveMapper odd(solver, *Position::FromHomes(3, 3, homes), {});
    EXPECT_FALSE(odd.Next());
    EXPECT_EQ(odd.Mapped(), 0);
}

// Beyond the grids searched exactly, a move off the plan costs the map one
// slide of bound rather than a search: the distance after a move is never
// more than one over the distance before, a plan is searched only every
// few moves off it, and the solve still ends at 0.
TEST(SolveMap, LargeGridsBoundAMoveOffThePlanAndSearchOnlyNowAndThen)
{
    const Solver solver;
    std::mt19937 random(17);
    for (const auto& [rows, columns] : {std::pair{5, 5}, std::pair{8, 8}}) {
        SCOPED_TRACE(testing::Message() << rows << "x" << columns);
        Position start = Position::Solved(rows, columns);
        for (const Slide& s : WanderAnyGrid(rows, columns, 40, random))
            start.Apply(s);
        std::vector<Slide> moves = WanderAnyGrid(rows, columns, 100, random);
        Position end = start;
        for (const Slide& s : moves)
            end.Apply(s);
        const std::vector<Slide> home = solver.Solve(end)->slides;
        moves.insert(moves.end(), home.begin(), home.end());

        SolveMapper mapper(solver, start, moves);
        const std::vector<MapPoint> points = MapAll(mapper);
        ASSERT_EQ(int(points.size()), mapper.PointCount());
        EXPECT_LE(mapper.Searches(), 1 + mapper.PointCount() / SolveMapper::BoundedMoves(rows * columns));
        EXPECT_EQ(points.back().distance, 0);
        for (std::size_t i = 1; i < points.size(); ++i) {
            EXPECT_LE(points[i].distance, points[i - 1].distance + 1) << "point " << i;
            EXPECT_FALSE(points[i].exact);
        }
    }
}
