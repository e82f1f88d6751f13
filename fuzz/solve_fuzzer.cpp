// Feeds arbitrary bytes to the saved-game reader, and every grid it
// accepts to the solver. Property: the plan is made of the grid's slides
// and solves it; on 2 x 3, 3 x 3 and 3 x 4 it is proven shortest, and on
// the first two as long as the distance table says. The game never asks
// the solver about a grid the reader refused, so refused inputs end here.

#include "fuzz_support.h"

#include "model/game.h"
#include "model/grid_position.h"
#include "solver/distance_table.h"
#include "solver/solver.h"

#include <cstddef>
#include <cstdint>

using namespace tesselo;
using tesselo::fuzz::Require;

namespace {

const solver::Solver* theSolver = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Built once: the quick 4 x 6 tables and the 3 x 4 bound are made on
    // first use, outside any one input's time.
    static const solver::Solver solver;
    theSolver = &solver;
    Require(solver.Solve(solver::Position::Solved(4, 6)).has_value(), "the 4 x 6 tables");
    Require(solver.Solve(solver::Position::Solved(3, 4)).has_value(), "the 3 x 4 tables");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (Game::CheckRecord(data, size) != size || size == 0)
        return 0;
    TileGrid grid;
    Require(grid.LoadFrom(data + Game::kHeaderSize, size - Game::kHeaderSize) != 0, "the grid of an accepted game");
    // The reader takes every grid of 2 to 16 rows and columns; the solver
    // is asked only about the sizes it says it answers for.
    if (!solver::Solver::Supports(grid.rowCount, grid.columnCount))
        return 0;
    const auto position = PositionOf(grid);
    Require(position.has_value(), "every accepted grid in the solver's terms");
    const auto plan = theSolver->Solve(*position);
    Require(plan.has_value(), "a plan for every accepted grid");

    solver::Position at = *position;
    for (const solver::Slide& slide : plan->slides) {
        Require(at.Allows(slide), "only the grid's slides");
        at.Apply(slide);
    }
    Require(at.IsSolved(), "the plan solves the grid");
    const bool exact = grid.rowCount < 4;
    Require(plan->optimal || !exact, "proven shortest below 4 x 6");
    if (position->CellCount() <= solver::DistanceTable::kMaxCells)
        Require(plan->Length() == solver::DistanceTable::For(grid.rowCount, grid.columnCount).Distance(*position),
                "the distance the table gives");
    return 0;
}
