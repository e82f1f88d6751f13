#pragma once

#include "tables/table_set.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tesselo::solver {

// The tables that bound the distance of every position of a grid of 13 to
// 16 cells from below, for the exact search of that grid (see
// PatternBound): each a pattern of seven pieces, read through every
// symmetry of the board and for the inverse position.
//
// Seven pieces are as many as a table of at most a few tens of megabytes
// holds (16 x 15 x ... x 10 arrangements, four bits each), built in
// seconds. On 4 x 4 a 2 x 3 block and the piece below its corner bounds a
// random position by 9 on the whole where it needs 11 or 12; on the grids
// of two rows, seven pieces of one row bound better than any block.
class BoundTables : public TableSet {
public:
    // The version of the saved form; a change of layout raises it.
    static constexpr std::uint32_t kFormatVersion = 1;

    // Tables of the given patterns (the homes of their pieces) on a grid
    // of `rows` x `columns`, no taller than wide.
    BoundTables(int rows, int columns, const std::vector<std::vector<std::uint8_t>>& patterns);
    // The game's tables for a grid of 13 to 16 cells, given no taller than
    // wide (a tall grid is solved as its transpose): 4 x 4 29 MB, 2 x 8
    // 29 MB, 3 x 5 16 MB, 2 x 7 9 MB.
    static std::unique_ptr<BoundTables> For(int rows, int columns);
    // Whether a grid (either way round) is one these tables serve.
    static bool Cover(int rows, int columns);
};

} // namespace tesselo::solver
