#pragma once

#include "solver/phase_tables.h"
#include "solver/plan.h"
#include "solver/position.h"

#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>

namespace tesselo::solver {

class OptimalSearch;
class PatternBound;
class PhasedSolver;

// The way back from any position of the four grids the game plays.
//
// - 2 x 3 and 3 x 3: complete distance tables, built on first use.
// - 3 x 4: the optimal search over pattern tables of 2 x 3 and 3 x 2
//   blocks (under a megabyte, built on first use in a tenth of a second).
// - 4 x 6: the phased solve, then the optimal search over windows of ten
//   slides near the end, and over the whole once at most kExactBelow
//   slides are left, which makes the plan proven optimal. That is with the
//   large phase tables (given, and built). Without them, the quick tables
//   this class builds itself on first need (a tenth of a second) give
//   plans some four slides longer, with less searching (exact from nine
//   slides).
//
// A Solver may be used from several threads at once.
class Solver {
public:
    // A 4 x 6 plan of at most this many slides is searched exactly (with
    // the large tables).
    static constexpr int kExactBelow = 11;
    // The same without them: the quick tables bound the search less well.
    static constexpr int kQuickExactBelow = 9;

    Solver();
    // `large` must be built; it is kept alive as long as this solver.
    explicit Solver(std::shared_ptr<const PhaseTables> large);
    ~Solver();
    Solver(const Solver&) = delete;
    Solver& operator=(const Solver&) = delete;

    static bool Supports(int rows, int columns);
    // Whether the 4 x 6 plans come from the large tables.
    bool HasLargeTables() const { return large != nullptr; }

    // A plan for `position`; nullopt when `stop` was requested first, or
    // for a grid this solver does not play or a position no slides solve.
    std::optional<Plan> Solve(const Position& position, std::stop_token stop = {}) const;

    // A shortest plan for `position`, when one of at most `atMost` slides
    // exists; nullopt otherwise, when `stop` was requested first, or for a
    // grid this solver does not play. On 4 x 6 an exact search whose cost
    // grows steeply with the length found: meant for the rest of a plan
    // known to be no longer than kExactBelow (kQuickExactBelow without the
    // large tables).
    std::optional<Plan> Shortest(const Position& position, int atMost, std::stop_token stop = {}) const;

    // Whether `position` is solved within `moves` slides; exact on every
    // grid. On 2 x 3 and 3 x 3 a table look-up; elsewhere a depth-first
    // search whose cost grows about 25-fold a move on 4 x 6, so meant for
    // two or three.
    static bool IsWithin(const Position& position, int moves);

private:
    struct Grid4x6;
    const Grid4x6& Large4x6() const;
    std::optional<Plan> Solve4x6(const CompactPosition& position, std::stop_token stop) const;

    std::shared_ptr<const PhaseTables> large;
    mutable std::once_flag grid4x6Once;
    mutable std::unique_ptr<Grid4x6> grid4x6;
};

} // namespace tesselo::solver
