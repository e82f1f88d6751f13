#include "positions/notation.h"
#include "positions/slide_set.h"
#include "positions/symmetries.h"
#include "solver/solver.h"
#include "tables/distance_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <unordered_map>

using namespace tesselo::solver;

namespace {

Position Shuffled(int rows, int columns, std::mt19937& random)
{
    for (;;) {
        std::vector<int> homes(std::size_t(rows * columns));
        std::iota(homes.begin(), homes.end(), 0);
        std::shuffle(homes.begin(), homes.end(), random);
        const Position p = *Position::FromHomes(rows, columns, homes);
        if (p.IsSolvable())
            return p;
    }
}

Position Scrambled(int rows, int columns, int slides, std::mt19937& random)
{
    const SlideSet& set = SlideSet::For(rows, columns);
    Position p = Position::Solved(rows, columns);
    for (int i = 0; i < slides; ++i)
        p.Apply(set.At(int(random() % unsigned(set.Count()))));
    return p;
}

// The plan is made of the grid's slides and ends solved.
void ExpectSolves(const Position& start, const Plan& plan)
{
    Position p = start;
    for (const Slide& slide : plan.slides) {
        ASSERT_TRUE(p.Allows(slide)) << ToNotation(slide);
        p.Apply(slide);
    }
    EXPECT_TRUE(p.IsSolved()) << ToNotation(plan.slides);
}

std::uint64_t Key(const Position& p)
{
    std::uint64_t key = 0;
    for (int cell = 0; cell < p.CellCount(); ++cell)
        key = key << 4 | std::uint64_t(p.Home(cell));
    return key;
}

// Every position within `radius` slides of `centre`, with its distance
// from it: a breadth-first search written apart from the solver's.
std::unordered_map<std::uint64_t, int> Ball(const Position& centre, int radius, std::vector<std::vector<Position>>* layers = nullptr)
{
    const SlideSet& set = SlideSet::For(centre.Rows(), centre.Columns());
    std::unordered_map<std::uint64_t, int> ball{{Key(centre), 0}};
    std::vector<Position> frontier{centre};
    for (int d = 1; d <= radius; ++d) {
        std::vector<Position> next;
        for (const Position& p : frontier)
            for (int m = 0; m < set.Count(); ++m) {
                Position q = p;
                q.Apply(set.At(m));
                if (ball.emplace(Key(q), d).second)
                    next.push_back(q);
            }
        if (layers)
            layers->push_back(frontier);
        frontier = std::move(next);
    }
    if (layers)
        layers->push_back(frontier);
    return ball;
}

// Every 3 x 4 position within five slides of solved.
const std::unordered_map<std::uint64_t, int>& SolvedBall()
{
    static const auto ball = Ball(Position::Solved(3, 4), 5);
    return ball;
}

// The exact distance of `p` when it is at most 9 (a ball of four around it
// meets the ball of five around solved); -1 when it is more.
int MeetInTheMiddle(const Position& p)
{
    int best = -1;
    for (const auto& [key, d] : Ball(p, 4)) {
        // A position's distance to p and from solved, in either direction,
        // as every slide's inverse is a slide.
        const auto there = SolvedBall().find(key);
        if (there != SolvedBall().end() && (best < 0 || d + there->second < best))
            best = d + there->second;
    }
    return best;
}

// The board seen through one of its symmetries: a far position, as every
// piece is out of place in the same way.
Position Relabelled(int symmetry)
{
    const Symmetries symmetries(SlideSet::For(3, 4));
    std::vector<int> homes(12);
    for (int cell = 0; cell < 12; ++cell)
        homes[std::size_t(cell)] = symmetries.Forward(symmetry)[std::size_t(cell)];
    return *Position::FromHomes(3, 4, homes);
}

void ExpectDistance(const Solver& solver, const Position& p, int distance)
{
    const auto plan = solver.Solve(p);
    ASSERT_TRUE(plan);
    EXPECT_TRUE(plan->optimal);
    EXPECT_EQ(plan->Length(), distance);
    ExpectSolves(p, *plan);
    EXPECT_EQ(MeetInTheMiddle(p), distance <= 9 ? distance : -1);
}

} // namespace

TEST(Solver, SmallGridsSolveShortestFromTheTables)
{
    const Solver solver;
    std::mt19937 random(11);
    for (const auto& [rows, columns] : {std::pair{2, 3}, {3, 3}})
        for (int i = 0; i < 100; ++i) {
            const Position p = Shuffled(rows, columns, random);
            const auto plan = solver.Solve(p);
            ASSERT_TRUE(plan);
            EXPECT_TRUE(plan->optimal);
            EXPECT_EQ(plan->Length(), DistanceTable::For(rows, columns).Distance(p));
            ExpectSolves(p, *plan);
        }
}

TEST(Solver, RefusesWhatCannotBeSolved)
{
    const Solver solver;
    const int oddOn3x3[] = {1, 0, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_FALSE(solver.Solve(*Position::FromHomes(3, 3, oddOn3x3)));
    EXPECT_FALSE(solver.Solve(Position::Solved(1, 4)));
    EXPECT_FALSE(solver.Solve(Position::Solved(21, 2)));
    std::stop_source stop;
    stop.request_stop();
    EXPECT_FALSE(solver.Solve(Position::Solved(3, 4), stop.get_token()));
}

// On 3 x 4 the optimal search must give the distance a plain
// breadth-first search finds: exactly within nine slides, and more than
// nine where the searches from both ends do not meet.
TEST(Solver, ThreeByFourAgreesWithBreadthFirstSearch)
{
    const Solver solver;
    std::vector<std::vector<Position>> layers;
    Ball(Position::Solved(3, 4), 5, &layers);
    std::mt19937 random(13);
    for (int d = 0; d <= 5; ++d)
        for (int i = 0; i < 8; ++i)
            ExpectDistance(solver, layers[std::size_t(d)][random() % layers[std::size_t(d)].size()], d);
    for (int i = 0; i < 6; ++i) {
        const Position p = i < 3 ? Scrambled(3, 4, 8, random) : Shuffled(3, 4, random);
        const auto plan = solver.Solve(p);
        ASSERT_TRUE(plan);
        ExpectDistance(solver, p, plan->Length());
    }
}

// Mirrored top to bottom, the board is 12 slides from solved; turned half
// round and moved one column, 11; mirrored and moved, 10.
TEST(Solver, ThreeByFourDeepPositions)
{
    const Solver solver;
    for (const auto& [symmetry, distance] : {std::pair{13, 12}, {36, 11}, {24, 10}})
        ExpectDistance(solver, Relabelled(symmetry), distance);
}

// Mirrored left to right, it is one of the two positions farthest from
// solved, 13 slides, which takes the search a second or more.
TEST(Solver, ThreeByFourFarthestPosition)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "seconds of search, many times that under the sanitizers: left to the normal build";
#endif
    ExpectDistance(Solver(), Relabelled(12), 13);
}

TEST(Solver, FourBySixPlansSolveAndShortOnesAreShortest)
{
    const Solver solver;
    std::mt19937 random(17);
    for (int i = 0; i < 3; ++i) {
        const Position p = Shuffled(4, 6, random);
        const auto plan = solver.Solve(p);
        ASSERT_TRUE(plan);
        ExpectSolves(p, *plan);
        EXPECT_LT(plan->Length(), 40);
    }
    for (const int scramble : {0, 1, 3, 6}) {
        const Position p = Scrambled(4, 6, scramble, random);
        const auto plan = solver.Solve(p);
        ASSERT_TRUE(plan);
        ExpectSolves(p, *plan);
        EXPECT_TRUE(plan->optimal);
        EXPECT_LE(plan->Length(), scramble);
        EXPECT_TRUE(Solver::IsWithin(p, plan->Length()));
        EXPECT_FALSE(plan->Length() > 0 && Solver::IsWithin(p, plan->Length() - 1));
    }
}

TEST(Solver, IsWithinAgreesWithTheDistances)
{
    std::mt19937 random(19);
    for (int i = 0; i < 200; ++i) {
        const Position p = Shuffled(3, 3, random);
        const int d = DistanceTable::For(3, 3).Distance(p);
        for (int n = 0; n <= 3; ++n)
            EXPECT_EQ(Solver::IsWithin(p, n), d <= n);
    }
    std::vector<std::vector<Position>> layers;
    Ball(Position::Solved(3, 4), 3, &layers);
    for (int d = 0; d <= 3; ++d)
        for (int n = 0; n <= 3; ++n)
            EXPECT_EQ(Solver::IsWithin(layers[std::size_t(d)][random() % layers[std::size_t(d)].size()], n), d <= n);
    EXPECT_FALSE(Solver::IsWithin(Shuffled(4, 6, random), 2));
    EXPECT_FALSE(Solver::IsWithin(Position::Solved(4, 6), -1));
}

// The exact rest of a plan: as long as a breadth-first search says, and
// nothing when the limit is below that.
TEST(Solver, ShortestFindsTheExactRestWithinItsLimit)
{
    const Solver solver;
    std::mt19937 random(23);
    std::vector<std::vector<Position>> layers;
    Ball(Position::Solved(4, 6), 3, &layers);
    for (int d = 0; d <= 3; ++d) {
        const Position p = layers[std::size_t(d)][random() % layers[std::size_t(d)].size()];
        const auto exact = solver.Shortest(p, 3);
        ASSERT_TRUE(exact) << d;
        ExpectSolves(p, *exact);
        EXPECT_EQ(exact->Length(), d);
        EXPECT_TRUE(exact->optimal);
        EXPECT_EQ(solver.Shortest(p, d - 1), std::nullopt) << d;
    }
    const Position deeper = Scrambled(4, 6, 7, random);
    const auto plan = solver.Solve(deeper);
    ASSERT_TRUE(plan);
    const auto exact = solver.Shortest(deeper, plan->Length());
    ASSERT_TRUE(exact);
    ExpectSolves(deeper, *exact);
    EXPECT_LE(exact->Length(), std::min(plan->Length(), 7));
    EXPECT_EQ(solver.Shortest(deeper, exact->Length() - 1), std::nullopt);

    // The smaller grids answer from their own exact solvers.
    const Position pro = Shuffled(3, 3, random);
    const int d = DistanceTable::For(3, 3).Distance(pro);
    ASSERT_TRUE(solver.Shortest(pro, d));
    EXPECT_EQ(solver.Shortest(pro, d)->Length(), d);
    EXPECT_EQ(solver.Shortest(pro, d - 1), std::nullopt);
}
