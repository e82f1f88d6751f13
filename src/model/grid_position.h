#pragma once

#include "model/move.h"
#include "model/tile_grid.h"
#include "positions/position.h"
#include "positions/slide.h"

#include <optional>

namespace tesselo {

// The model's board and moves in the solver's terms, and back.

// The arrangement of `grid`'s pieces; nullopt for a grid the solver cannot
// hold (more than 24 cells, or a home outside the grid or twice).
std::optional<solver::Position> PositionOf(const TileGrid& grid);

inline Move MoveOf(const solver::Slide& slide)
{
    return Move{slide.axis == solver::Axis::Row ? MoveAxis::Row : MoveAxis::Column, slide.line, slide.amount};
}

// The move as the solver numbers it, its amount brought into the solver's
// range; nullopt for a move that leaves `grid` as it was or is not on it.
std::optional<solver::Slide> SlideOf(const Move& move, const TileGrid& grid);

} // namespace tesselo
