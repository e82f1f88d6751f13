// Feeds arbitrary bytes to the saved-game reader, and every grid it
// accepts to the solver; bytes the reader refuses name a grid from a table
// of sizes (the first byte) and an arrangement drawn from the rest, so that
// every kind of grid the solver plays is met whatever the reader accepts.
// Property: a plan exactly when the arrangement can be solved, made of the
// grid's slides, solving it; proven shortest up to 12 cells, and as long as
// the distance table says up to ten.

#include "fuzz_support.h"

#include "model/game.h"
#include "model/grid_position.h"
#include "saved/saved_game_format.h"
#include "solver/block_solver.h"
#include "solver/solver.h"
#include "tables/distance_table.h"

#include <cstddef>
#include <cstdint>
#include <numeric>
#include <vector>

using namespace tesselo;
using tesselo::fuzz::Require;

namespace {

const solver::Solver* theSolver = nullptr;

// Every way the solver works: the tables, the exact searches (tall ones as
// their transposes), the phased 4 x 6, the block solver with and without
// the exact rest, the rings of every shape.
const std::pair<int, int> kSizes[] = {
    {2, 2}, {2, 3}, {3, 2}, {2, 4}, {4, 2}, {3, 3}, {2, 5}, {5, 2},  {2, 6},   {6, 2},   {3, 4},   {4, 3},
    {4, 4}, {3, 5}, {5, 3}, {2, 9}, {4, 6}, {6, 4}, {3, 8}, {5, 5},  {5, 7},   {2, 16},  {16, 2},  {3, 16},
    {8, 8}, {7, 9}, {9, 7}, {10, 10}, {12, 13}, {16, 16},
};

// Beyond this many cells a run of the full solver, which solves many images
// of the position (and beyond 6 x 6 carries several partial solutions
// through each), takes too long for a fuzzer under the sanitizers: one
// image checks the same code.
constexpr int kFullSolveCells = 36;

solver::Position Drawn(int rows, int columns, const std::uint8_t* data, std::size_t size)
{
    std::vector<int> homes(std::size_t(rows * columns));
    std::iota(homes.begin(), homes.end(), 0);
    for (std::size_t i = homes.size() - 1, at = 0; i > 0; --i, ++at)
        std::swap(homes[i], homes[at < size ? data[at] % (i + 1) : 0]);
    return *solver::Position::FromHomes(rows, columns, homes);
}

void Check(const solver::Position& position)
{
    const int cells = position.CellCount();
    std::optional<solver::Plan> plan;
    if (cells <= kFullSolveCells) {
        plan = theSolver->Solve(position);
    } else if (auto slides = solver::BlockSolver::Solve(position, 1)) {
        plan = solver::Plan{*slides, false};
    }
    Require(plan.has_value() == position.IsSolvable(), "a plan exactly for the arrangements that can be solved");
    if (!plan)
        return;
    solver::Position at = position;
    for (const solver::Slide& slide : plan->slides) {
        Require(at.Allows(slide), "only the grid's slides");
        at.Apply(slide);
    }
    Require(at.IsSolved(), "the plan solves the grid");
    Require(plan->optimal || cells > solver::Solver::kExactCells, "proven shortest up to 12 cells");
    if (cells <= solver::DistanceTable::kMaxCells) {
        // The solver's table is that of the wide grid.
        const solver::Position wide = position.Rows() > position.Columns() ? solver::Transposed(position) : position;
        Require(plan->Length() == solver::DistanceTable::For(wide.Rows(), wide.Columns()).Distance(wide),
                "the distance the table gives");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Built once: the tables (the quick 4 x 6 ones, the distance tables,
    // the exact searches' bounds) are made on first use, outside any one
    // input's time.
    static const solver::Solver solver;
    theSolver = &solver;
    for (const auto& [rows, columns] : kSizes)
        if (rows * columns <= solver::Solver::kSearchedCells)
            Require(solver.Shortest(solver::Position::Solved(rows, columns), 0).has_value(), "the tables");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    if (const std::optional<SavedGame> saved = SavedGameFormat::Decode(data, size)) {
        const TileGrid& grid = saved->play.grid;
        const auto position = PositionOf(grid);
        Require(position.has_value(), "every accepted grid in the solver's terms");
        Check(*position);
        return 0;
    }
    const auto& [rows, columns] = kSizes[data[0] % std::size(kSizes)];
    Check(Drawn(rows, columns, data + 1, size - 1));
    return 0;
}
