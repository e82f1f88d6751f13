// The search over a plan's windows: what it gives back ends where the plan
// ended and is never longer, and a stretch that does nothing is taken out.

#include "positions/board.h"
#include "solver/block_solver.h"
#include "solver/plan_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

using namespace tesselo::solver;

namespace {

Position Shuffled(int rows, int columns, std::mt19937& random)
{
    std::vector<int> homes(std::size_t(rows * columns));
    for (;;) {
        std::iota(homes.begin(), homes.end(), 0);
        std::shuffle(homes.begin(), homes.end(), random);
        const Position p = *Position::FromHomes(rows, columns, homes);
        if (p.IsSolvable())
            return p;
    }
}

Board Played(Board board, const std::vector<Slide>& slides)
{
    for (const Slide& slide : slides)
        board.Apply(slide);
    return board;
}

struct Grid {
    int rows;
    int columns;
    int longest;
};

TEST(PlanWindows, NeverLongerAndStillSolves)
{
    const Grid grids[] = {{3, 7, 6}, {5, 8, 5}, {8, 8, 5}, {7, 12, 4}, {12, 5, 5}, {20, 20, 5}, {2, 11, 6}};
    std::mt19937 random(7);
    for (const Grid& g : grids) {
        for (int k = 0; k < 3; ++k) {
            const Position p = Shuffled(g.rows, g.columns, random);
            const auto plan = BlockSolver::Solve(p, 1);
            ASSERT_TRUE(plan) << g.rows << "x" << g.columns;
            const auto shorter = ShortenWindows(Board::Of(p), *plan, g.longest);
            EXPECT_LE(shorter.size(), plan->size()) << g.rows << "x" << g.columns;
            EXPECT_TRUE(Played(Board::Of(p), shorter).IsSolved()) << g.rows << "x" << g.columns << " #" << k;
        }
    }
}

// On two rows, both rows slid one way, a column, both slid back is the
// column beside it slid alone: that and the column beside it slid (a
// column of two turned once is its own undoing) do nothing, in six slides
// that merging the plan leaves as they are (a column stands between each
// row's two slides) and that move four lines. Put in a plan anywhere (its
// slides around may merge with the rows'), also a plan that does not
// solve (a window keeps where it ends, whatever that is): a window of six
// takes out all but what merging added, one of five cannot see it whole.
TEST(PlanWindows, TakesOutADetour)
{
    struct Case {
        int columns;
        int longest;
        int at;          // where in the plan the detour goes
        bool solves;     // whether the plan around it solves the position
        int shortenedBy; // at least
    };
    const Case cases[] = {
        {5, 6, 0, true, 6}, {9, 6, 3, true, 5}, {20, 6, 7, true, 5}, {9, 6, 2, false, 5}, {9, 5, 1, true, 0},
    };
    std::mt19937 random(11);
    for (const Case& c : cases) {
        const Position p = Shuffled(2, c.columns, random);
        auto plan = *BlockSolver::Solve(p, 1);
        if (!c.solves)
            plan.resize(plan.size() / 2);
        ASSERT_GE(int(plan.size()), c.at);
        const std::vector<Slide> detour = {{Axis::Row, 0, 1},  {Axis::Row, 1, 1},  {Axis::Column, 2, 1},
                                           {Axis::Row, 0, -1}, {Axis::Row, 1, -1}, {Axis::Column, 1, 1}};
        std::vector<Slide> padded(plan.begin(), plan.begin() + c.at);
        padded.insert(padded.end(), detour.begin(), detour.end());
        padded.insert(padded.end(), plan.begin() + c.at, plan.end());
        const Board end = Played(Board::Of(p), padded);
        ASSERT_EQ(end.piece, Played(Board::Of(p), plan).piece);
        const auto shorter = ShortenWindows(Board::Of(p), padded, c.longest);
        EXPECT_LE(int(shorter.size()), int(padded.size()) - c.shortenedBy) << c.columns << " at " << c.at;
        EXPECT_EQ(Played(Board::Of(p), shorter).piece, end.piece) << c.columns << " at " << c.at;
    }
}

TEST(PlanWindows, EmptyAndShortPlans)
{
    std::mt19937 random(3);
    const Position p = Shuffled(4, 9, random);
    EXPECT_TRUE(ShortenWindows(Board::Of(p), {}, 5).empty());
    const std::vector<Slide> two = {{Axis::Row, 1, 2}, {Axis::Column, 3, -1}};
    EXPECT_EQ(ShortenWindows(Board::Of(p), two, 5), two);
    // A slide and its undoing, parallel slides between: nothing is left.
    const std::vector<Slide> undone = {{Axis::Row, 1, 2}, {Axis::Row, 2, 1}, {Axis::Row, 1, -2}, {Axis::Row, 2, -1}};
    EXPECT_TRUE(ShortenWindows(Board::Of(p), undone, 3).empty());
}

} // namespace
