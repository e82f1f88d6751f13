#pragma once

#include "positions/board.h"
#include "positions/slide.h"

#include <stop_token>
#include <vector>

namespace tesselo::solver {

// The last row and the last column of a grid whose other cells are all
// home: two rings that share the corner cell, each turned by a slide of its
// line, and no other slide leaves the rest alone.
//
// Seen from the rings, each slide leaves the order of its own ring as it
// was and only changes which piece sits in the corner, so the other ring
// has one piece replaced: every slide can put one piece where it belongs,
// and a good solution takes little more than one slide a piece. A beam
// search looks for one: each ring's order is judged against a turn of it
// fixed at the start (rather than whichever turn fits best as it goes),
// which keeps the search from settling on arrangements that look nearly
// right but are one cell off round the corner, among the farthest there
// are; and the fixed turns match the parity of what is to be undone, as a
// turn of a ring of even length is an odd arrangement. Should the beam find
// nothing, three-cycles made of the two rings' commutators finish the
// rings, longer but certain.
class RingSolver {
public:
    enum class Method { Search, ThreeCycles };
    // Solves the rings of `board` (rows and columns at least 2) and
    // appends the slides to `plan`; false, with `board` left part way,
    // when `stop` was requested first or the board was not solved but for
    // the rings (or not solvable). `ThreeCycles` goes straight to the
    // certain way.
    static bool Solve(Board& board, std::vector<Slide>& plan, std::stop_token stop = {},
                      Method method = Method::Search);
};

} // namespace tesselo::solver
