#pragma once

#include "positions/position.h"
#include "positions/slide.h"

#include <optional>
#include <stop_token>
#include <vector>

namespace tesselo::solver {

// A plan for a grid of any size from 2 x 2 to 20 x 20, made the way large
// grids are solved by hand: a block grows from the top left corner, a
// column and a row in turn so that it stays about square, until only the
// last row and column are left, which the rings solve (RingSolver), or the
// last two rows and columns, which are solved together (LinesSolver).
//
// The line being added to the block is filled piece by piece, each with
// the shortest sequence of slides (found by a small exact search) that
// puts it in place and leaves the block alone: only rows and columns
// outside the block move, and the line itself may turn freely until it is
// full, its pieces kept in order, which makes most pieces cost one or two
// slides. Not shortest (on 16 x 16 some twice what counting the move
// sequences of each length shows the mean distance must at least be), but
// quick: the position is solved through many of its images (turned,
// mirrored, moved round, inverted) and the shortest plan kept. Given the
// time, a beam carries several partial solutions from piece to piece,
// each piece put in by each of its shortest ways, and each line may be any
// of the free rows (or columns) that look cheapest, and, where the free
// rows and columns are as many, a row or a column: the beam keeps
// whichever cost least. The block's rows and columns then lie anywhere
// round the torus; only slides of the others move pieces.
class BlockSolver {
public:
    // How hard a plan is worked at.
    struct Effort {
        // Images of the position solved up to the rings; the shortest few
        // of them go on to the rings.
        int variants = 128;
        // Partial solutions carried from one piece to the next (a beam),
        // and the shortest ways looked at for each piece; with one of each,
        // the piece that goes in with the fewest slides each time.
        int width = 1;
        int ways = 1;
        // How many of the free rows (or columns) each line may be, those
        // whose pieces look cheapest to put in first; with one, the next
        // beside the block.
        int choices = 1;
        // Whether, where the free rows and columns are even, a line may be
        // a row or a column (with more than one choice).
        bool eitherAxis = false;
        // The longest stretch of the finished plan searched for a shorter
        // way between its ends (ShortenWindows); 0 for none.
        int window = 0;
        // The partial solutions of the beam that solves the last two rows
        // and columns together; 0 to leave only the last row and column,
        // for the rings. And the sets of final turns of those lines it is
        // tried against (LinesSolver).
        int endWidth = 0;
        int endAnchors = 1;
        // Whether, of partial solutions as long, the beam keeps first
        // those whose next line looks cheapest.
        bool lookAhead = false;
    };
    // As much as keeps the time to a plan within a fifth of a second up to
    // 10 x 10, two seconds to 16 x 16 and three beyond.
    static Effort EffortFor(int rows, int columns);
    // How many images a plan for a grid of this size is worth at one
    // partial solution a piece.
    static int VariantsFor(int rows, int columns);
    // A plan that solves `position` (2 to 20 rows and columns), the
    // shortest found; nullopt when `stop` was requested first or the
    // position is not solvable.
    static std::optional<std::vector<Slide>> Solve(const Position& position, const Effort& effort,
                                                   std::stop_token stop = {});
    static std::optional<std::vector<Slide>> Solve(const Position& position, int variants, std::stop_token stop = {})
    {
        return Solve(position, Effort{variants, 1, 1, 1, false}, std::move(stop));
    }
};

} // namespace tesselo::solver
