#pragma once

#include "positions/plan.h"
#include "positions/position.h"
#include "tables/bound_tables.h"
#include "tables/phase_tables.h"

#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>

namespace tesselo::solver {

class OptimalSearch;
class PatternBound;
class PhasedSolver;

// The way back from any position of a grid of 2 to 20 rows and columns. A
// grid and its transpose are the same puzzle: a grid taller than wide is
// solved as its transpose.
//
// - Up to 12 cells, plans are proven shortest. Up to ten cells (2 x 2 to
//   2 x 5, 3 x 3): complete distance tables, built on first use. 3 x 4
//   and 2 x 6: the optimal search over pattern tables of 2 x 3 and 3 x 2
//   blocks (on 2 x 6, of 2 x 3 blocks and whole rows; under a megabyte
//   each, built on first use in a tenth of a second).
// - 13 to 16 cells (4 x 4, 2 x 8, 3 x 5, 2 x 7): the optimal search over
//   the grid's bound tables (BoundTables), when given and built, so every
//   plan is proven shortest: on 4 x 4 some 50 ms a position, a few tenths
//   of a second for the farthest. Without them, as the grids below.
// - 4 x 6: the phased solve, then the optimal search over windows of ten
//   slides near the end, and over the whole once at most kExactBelow
//   slides are left, which makes the plan proven optimal. That is with the
//   large phase tables (given, and built). Without them, the quick tables
//   this class builds itself on first need (a tenth of a second) give
//   plans some four slides longer, with less searching (exact from nine
//   slides).
// - 5 x 5 and 6 x 6: a solve by phases as on 4 x 6, with tables this
//   class builds itself on first use (a third of a second on 5 x 5, a
//   second and a half on 6 x 6): some 24 and 42 slides.
// - Every other grid: the block solver's plan (BlockSolver), within a
//   small factor of shortest. Up to 24 cells the optimal search, bounded
//   by a table of every 2 x 2 block, then makes a plan of at most
//   kSmallExactBelow slides proven shortest; beyond, no exact search is
//   quick enough to be of use.
//
// A Solver may be used from several threads at once.
class Solver {
public:
    // A 4 x 6 plan of at most this many slides is searched exactly (with
    // the large tables).
    static constexpr int kExactBelow = 11;
    // The same without them: the quick tables bound the search less well.
    static constexpr int kQuickExactBelow = 9;
    // The same on the other grids of 13 to 24 cells.
    static constexpr int kSmallExactBelow = 9;
    // Grids of up to this many cells are solved exactly.
    static constexpr int kExactCells = 12;
    // Grids of up to this many cells have an exact search for the rest of
    // a plan.
    static constexpr int kSearchedCells = 24;

    Solver();
    // `large` must be built; it is kept alive as long as this solver.
    explicit Solver(std::shared_ptr<const PhaseTables> large);
    // The same, and the bound tables of one grid of 13 to 16 cells (built),
    // with which its plans are shortest; either may be null.
    Solver(std::shared_ptr<const PhaseTables> large, std::shared_ptr<const BoundTables> bounds);
    ~Solver();
    Solver(const Solver&) = delete;
    Solver& operator=(const Solver&) = delete;

    // 2 to 20 rows and 2 to 20 columns.
    static bool Supports(int rows, int columns);
    // Whether the plans of this grid come from the phase tables, large
    // when given: 4 x 6, and 6 x 4 as its transpose.
    static bool UsesPhaseTables(int rows, int columns);
    // Whether the 4 x 6 plans come from the large tables.
    bool HasLargeTables() const { return large != nullptr; }
    // Whether the plans of this grid are shortest once its bound tables are
    // given (4 x 4, 2 x 8, 3 x 5, 2 x 7 and their transposes), and whether
    // this solver has them.
    static bool UsesBoundTables(int rows, int columns);
    bool HasBoundTables(int rows, int columns) const;
    // Whether the plans of this grid get better with tables kept between
    // runs (phase or bound tables), and whether this solver has them.
    static bool UsesKeptTables(int rows, int columns);
    bool HasKeptTables(int rows, int columns) const;
    // The length from which the rest of a plan is worth searching exactly
    // (Shortest), with or without the grid's kept tables; 0 where every
    // plan is already shortest or no exact search is quick enough.
    static int ExactRestBelow(int rows, int columns, bool keptTables);

    // A plan for `position`; nullopt when `stop` was requested first, or
    // for a grid this solver does not play or a position no slides solve.
    std::optional<Plan> Solve(const Position& position, std::stop_token stop = {}) const;

    // A shortest plan for `position`, when one of at most `atMost` slides
    // exists; nullopt otherwise, when `stop` was requested first, or for a
    // grid this solver does not play or of more than kSearchedCells cells.
    // Above 12 cells an exact search whose cost grows steeply with the
    // length found: meant for the rest of a plan known to be no longer than
    // ExactRestBelow.
    std::optional<Plan> Shortest(const Position& position, int atMost, std::stop_token stop = {}) const;

    // Whether `position` is solved within `moves` slides; exact on every
    // grid. Up to ten cells a table look-up; elsewhere a depth-first
    // search whose cost grows about 25-fold a move on 4 x 6 and 500-fold
    // on 16 x 16, so meant for two or three (two on the largest grids).
    static bool IsWithin(const Position& position, int moves);

private:
    struct Grid4x6;
    struct ExactGrid;
    const Grid4x6& Large4x6() const;
    std::optional<Plan> Solve4x6(const CompactPosition& position, std::stop_token stop) const;
    std::optional<Plan> SolveAsIs(const Position& position, std::stop_token stop) const;
    static std::optional<Plan> ByBlocks(const Position& position, std::stop_token stop);
    static std::optional<Plan> SolveByPhases(const Position& position, std::stop_token stop);
    std::optional<Plan> ShortestAsIs(const Position& position, int atMost, std::stop_token stop) const;

    std::shared_ptr<const PhaseTables> large;
    std::unique_ptr<const ExactGrid> exact;
    mutable std::once_flag grid4x6Once;
    mutable std::unique_ptr<Grid4x6> grid4x6;
};

} // namespace tesselo::solver
