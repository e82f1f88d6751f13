#pragma once

#include "model/history.h"
#include "model/tile_grid.h"

#include <cstdint>
#include <random>
#include <vector>

namespace tesselo::testing {

// A solve of `moves` moves on a rows x columns grid: random slides away
// from the whole picture, then the same slides taken back, so the last
// move lands on the whole picture. Each move's frame stands on its line.
struct Solve {
    TileGrid start;
    std::vector<HistoryStep> steps;
};

inline Solve MakeSolve(std::int32_t rows, std::int32_t columns, int moves, std::uint32_t seed)
{
    std::mt19937 random(seed);
    TileGrid grid;
    grid.Resize(rows, columns);
    std::vector<Move> away;
    for (int i = 0; i < moves; ++i) {
        const bool row = random() % 2 == 0;
        const std::int32_t length = row ? columns : rows;
        std::int32_t amount = std::int32_t(random() % std::uint32_t(length - 1)) + 1;
        if (random() % 2 == 0)
            amount = -amount;
        away.push_back(Move{row ? MoveAxis::Row : MoveAxis::Column,
                            std::int32_t(random() % std::uint32_t(row ? rows : columns)), amount});
    }
    for (const Move& m : away)
        grid.Apply(m);
    Solve solve;
    solve.start = grid;
    for (auto m = away.rbegin(); m != away.rend(); ++m) {
        const Move back = m->Inverse();
        const Selection at = back.axis == MoveAxis::Row ? Selection{back.line, 0} : Selection{0, back.line};
        solve.steps.push_back(HistoryStep{back, at, at});
    }
    return solve;
}

} // namespace tesselo::testing
