// The grids of 13 to 16 cells with their bound tables: every plan is
// shortest, which a meet-in-the-middle search written apart from the
// solver confirms; and the tables are what the game keeps of them.

#include "positions/slide_set.h"
#include "solver/solver.h"
#include "tables/bound_tables.h"
#include "tables/soundness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <unordered_map>
#include <unordered_set>

using namespace tesselo::solver;

namespace {

// A position of up to 16 cells, four bits a cell.
using Key = std::uint64_t;

Key KeyOf(const Position& p)
{
    Key key = 0;
    for (int cell = 0; cell < p.CellCount(); ++cell)
        key |= Key(p.Home(cell)) << (4 * cell);
    return key;
}

// Where each slide takes each cell, as plain arrays.
struct Moves {
    int cells = 0;
    std::vector<std::array<std::uint8_t, 16>> to;

    Moves(int rows, int columns) : cells(rows * columns)
    {
        for (int axis = 0; axis < 2; ++axis) {
            const int lines = axis == 0 ? rows : columns;
            const int length = axis == 0 ? columns : rows;
            for (int line = 0; line < lines; ++line)
                for (int amount = 1; amount < length; ++amount) {
                    std::array<std::uint8_t, 16> where{};
                    for (int cell = 0; cell < cells; ++cell) {
                        int r = cell / columns;
                        int c = cell % columns;
                        if (axis == 0 && r == line)
                            c = (c + amount) % columns;
                        if (axis == 1 && c == line)
                            r = (r + amount) % rows;
                        where[std::size_t(cell)] = std::uint8_t(r * columns + c);
                    }
                    to.push_back(where);
                }
        }
    }
    Key After(Key key, std::size_t move) const
    {
        Key moved = 0;
        for (int cell = 0; cell < cells; ++cell)
            moved |= (key >> (4 * cell) & 15) << (4 * to[move][std::size_t(cell)]);
        return moved;
    }
};

// Every position within `radius` slides of `centre`, with its distance: a
// plain breadth-first search over every slide by every amount, sharing
// nothing with the solver but the notion of a slide.
std::unordered_map<Key, int> Ball(const Moves& moves, Key centre, int radius)
{
    std::unordered_map<Key, int> ball{{centre, 0}};
    std::vector<Key> frontier{centre};
    for (int d = 1; d <= radius; ++d) {
        std::vector<Key> next;
        for (const Key key : frontier)
            for (std::size_t m = 0; m < moves.to.size(); ++m) {
                const Key moved = moves.After(key, m);
                if (ball.emplace(moved, d).second)
                    next.push_back(moved);
            }
        frontier = std::move(next);
    }
    return ball;
}

// Whether some way of at most `moves` slides solves `p`, for at most 5 + 5
// slides: every position within 5 of solved is on record, and the search
// from `p` goes as far as the rest needs. Every way of n slides passes
// through a position at most 5 from solved and n - 5 from p.
bool WithinByMeeting(const Moves& slides, const std::unordered_map<Key, int>& nearSolved, const Position& p, int moves)
{
    const int radius = std::max(0, moves - 5);
    for (const auto& [key, d] : Ball(slides, KeyOf(p), radius)) {
        const auto there = nearSolved.find(key);
        if (there != nearSolved.end() && d + there->second <= moves)
            return true;
    }
    return false;
}

// A walk of `length` random slides from solved, never one line twice
// running (which would be one slide).
Position Walk(int rows, int columns, int length, std::mt19937& random)
{
    const SlideSet& slides = SlideSet::For(rows, columns);
    Position p = Position::Solved(rows, columns);
    for (int i = 0, previous = -1; i < length; ++i) {
        int m = int(random() % unsigned(slides.Count()));
        while (previous >= 0 && slides.Line(m) == slides.Line(previous))
            m = int(random() % unsigned(slides.Count()));
        p.Apply(slides.At(m));
        previous = m;
    }
    return p;
}

std::shared_ptr<const BoundTables> Built(std::unique_ptr<BoundTables> tables)
{
    tables->Build();
    return tables;
}

void ExpectShortest(const Solver& solver, const Moves& moves, const std::unordered_map<Key, int>& nearSolved,
                    const Position& p, std::map<int, int>* lengths = nullptr)
{
    const auto plan = solver.Solve(p);
    ASSERT_TRUE(plan);
    EXPECT_TRUE(plan->optimal);
    EXPECT_TRUE(BringsHome(p, *plan));
    if (plan->Length() > 0) {
        EXPECT_FALSE(WithinByMeeting(moves, nearSolved, p, plan->Length() - 1)) << plan->Length() << " slides";
    }
    if (lengths)
        ++(*lengths)[plan->Length()];
}

} // namespace

// With the game's 4 x 4 tables: a hundred scrambles whose plan is at most
// ten slides, and none has a shorter way. The tables take seconds to build.
TEST(ExactGrids, FourByFourPlansAreShortest)
{
    const Solver solver(nullptr, Built(BoundTables::For(4, 4)));
    ASSERT_TRUE(solver.HasBoundTables(4, 4));
    const Moves moves(4, 4);
    const auto nearSolved = Ball(moves, KeyOf(Position::Solved(4, 4)), 5);
    std::mt19937 random(48);
    std::map<int, int> lengths;
    for (int tried = 0, kept = 0; kept < 100; ++tried) {
        ASSERT_LT(tried, 1000);
        const Position p = Walk(4, 4, 9 + int(random() % 4), random);
        const auto plan = solver.Solve(p);
        ASSERT_TRUE(plan);
        if (plan->Length() > 10)
            continue;
        ExpectShortest(solver, moves, nearSolved, p, &lengths);
        ++kept;
    }
    // Scrambles of many lengths up to ten, most of them long.
    EXPECT_GE(lengths[10] + lengths[9], 50);
    EXPECT_GE(lengths.size(), 5u);
}

// Every grid of 13 to 16 cells, either way round, with tables of six
// pieces (a weaker bound, built in a blink): the search stays exact
// whatever bound it is given, tall grids through their transposes.
TEST(ExactGrids, EveryGridSolvesShortestThroughItsTables)
{
    const struct {
        int rows;
        int columns;
        std::vector<std::uint8_t> pieces;
    } grids[] = {
        {2, 7, {0, 1, 2, 3, 4, 5}},
        {3, 5, {0, 1, 2, 5, 6, 7}},
        {2, 8, {0, 1, 2, 3, 4, 5}},
        {4, 4, {0, 1, 2, 4, 5, 6}},
    };
    std::mt19937 random(13);
    for (const auto& grid : grids) {
        const auto tables = Built(std::make_unique<BoundTables>(grid.rows, grid.columns,
                                                               std::vector<std::vector<std::uint8_t>>{grid.pieces}));
        const Solver solver(nullptr, tables);
        for (const auto& [rows, columns] : {std::pair{grid.rows, grid.columns}, {grid.columns, grid.rows}}) {
            SCOPED_TRACE(std::to_string(rows) + " x " + std::to_string(columns));
            EXPECT_TRUE(Solver::UsesBoundTables(rows, columns));
            EXPECT_TRUE(solver.HasBoundTables(rows, columns));
            EXPECT_EQ(Solver::ExactRestBelow(rows, columns, true), 0);
            const Moves moves(rows, columns);
            const auto nearSolved = Ball(moves, KeyOf(Position::Solved(rows, columns)), 5);
            for (int i = 0; i < 6; ++i)
                ExpectShortest(solver, moves, nearSolved, Walk(rows, columns, 4 + i, random));
            // Shortest holds to its limit on these grids too.
            const Position p = Walk(rows, columns, 7, random);
            const int length = solver.Solve(p)->Length();
            ASSERT_TRUE(solver.Shortest(p, length));
            EXPECT_EQ(solver.Shortest(p, length)->Length(), length);
            EXPECT_EQ(solver.Shortest(p, length - 1), std::nullopt);
        }
    }
}

// The game's tables for each grid: seven pieces, within the memory the
// game allows them; tables of one grid serve no other, and a solver
// without them still answers, with the block plan.
TEST(ExactGrids, TheGamesTablesFitAndServeTheirGridAlone)
{
    constexpr std::size_t kMostBytes = std::size_t(128) << 20;
    for (const auto& [rows, columns] : {std::pair{4, 4}, {2, 8}, {3, 5}, {2, 7}}) {
        SCOPED_TRACE(std::to_string(rows) + " x " + std::to_string(columns));
        const auto tables = BoundTables::For(rows, columns);
        ASSERT_TRUE(tables);
        if (rows != columns) {
            EXPECT_EQ(BoundTables::For(columns, rows), nullptr) << "given no taller than wide";
        }
        EXPECT_LE(tables->SavedSize(), kMostBytes);
        for (int i = 0; i < tables->Count(); ++i)
            EXPECT_EQ(tables->Table(i).Definition().pieces.size(), 7u);
    }
    for (const auto& [rows, columns] : {std::pair{3, 4}, {2, 6}, {4, 5}, {2, 9}, {3, 6}, {4, 6}})
        EXPECT_FALSE(Solver::UsesBoundTables(rows, columns)) << rows << " x " << columns;

    const auto tables = Built(std::make_unique<BoundTables>(2, 7, std::vector<std::vector<std::uint8_t>>{{0, 1, 2, 7, 8}}));
    const Solver solver(nullptr, tables);
    EXPECT_FALSE(solver.HasBoundTables(2, 8));
    EXPECT_FALSE(solver.HasBoundTables(4, 4));
    std::mt19937 random(3);
    const Position p = Walk(4, 4, 30, random);
    const auto plan = solver.Solve(p);
    ASSERT_TRUE(plan);
    EXPECT_TRUE(BringsHome(p, *plan));
    EXPECT_GT(Solver::ExactRestBelow(4, 4, false), 0);
}
