#pragma once

#include "positions/board.h"
#include "positions/slide.h"

#include <cstdint>
#include <stop_token>
#include <vector>

namespace tesselo::solver {

// The last few rows and columns of a grid whose other cells are all home,
// solved by slides of those lines only: a beam search over their turns.
class LinesSolver {
public:
    // Solves the cells of the rows in `rows` and the columns in `columns`
    // (bit masks) of `board`, every other cell home, and appends the slides
    // to `plan`; false when `stop` was requested or nothing was found
    // within the beam.
    static bool Solve(Board& board, std::uint32_t rows, std::uint32_t columns, std::vector<Slide>& plan,
                      std::stop_token stop = {}, int width = 100, int anchorsTried = 1);
};

} // namespace tesselo::solver
