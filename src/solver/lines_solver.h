#pragma once

#include "positions/board.h"
#include "positions/slide.h"

#include <cstdint>
#include <stop_token>
#include <vector>

namespace tesselo::solver {

// The last few rows and columns of a grid whose other cells are all home
// (up to four lines: two rows and two columns at most), solved by slides
// of those lines alone, wherever they lie.
//
// As with the rings (RingSolver), a beam search judges each arrangement
// against a total turn of each line fixed at the start: a cell is right if
// its piece is the one that those turns still to come bring home. A turn of
// a line keeps each of its pieces right or wrong and only changes which
// pieces sit where other lines cross it, so every turn of a line is scored
// at once from what it moves through the crossings. Where the block's last
// lines cost about 1.7 slides a piece, the last two rows and columns solved
// together cost about 1.2.
class LinesSolver {
public:
    // Solves the cells of the rows in `rows` and the columns in `columns`
    // (one bit a line) of `board` and appends the slides to `plan`, the
    // best found by a beam of `width` partial solutions against each of the
    // `anchorsTried` sets of final turns that put most pieces right to
    // begin with. False, with `board` and `plan` as they were, when a cell
    // outside those lines is not home, there are more than four lines or
    // too many cells, nothing was found, or `stop` was requested.
    static bool Solve(Board& board, std::uint32_t rows, std::uint32_t columns, std::vector<Slide>& plan,
                      std::stop_token stop = {}, int width = 100, int anchorsTried = 1);
};

} // namespace tesselo::solver
