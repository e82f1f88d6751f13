#include "model/grid_position.h"

#include <vector>

namespace tesselo {

std::optional<solver::Position> PositionOf(const TileGrid& grid)
{
    const std::int32_t rows = grid.rowCount;
    const std::int32_t columns = grid.columnCount;
    if (rows < 1 || columns < 1 || rows * columns > solver::Position::kMaxCells ||
        grid.cells.size() != std::size_t(rows * columns))
        return std::nullopt;
    std::vector<int> homes;
    for (const Tile& tile : grid.cells) {
        if (tile.homeRow < 0 || tile.homeRow >= rows || tile.homeColumn < 0 || tile.homeColumn >= columns)
            return std::nullopt;
        homes.push_back(tile.homeRow * columns + tile.homeColumn);
    }
    return solver::Position::FromHomes(rows, columns, homes);
}

std::optional<solver::Slide> SlideOf(const Move& move, const TileGrid& grid)
{
    const bool row = move.axis == MoveAxis::Row;
    const std::int32_t lines = row ? grid.rowCount : grid.columnCount;
    const std::int32_t length = row ? grid.columnCount : grid.rowCount;
    const int amount = solver::NormalisedAmount(move.amount, length);
    if (move.line < 0 || move.line >= lines || amount == 0 || lines > 127)
        return std::nullopt;
    return solver::Slide{row ? solver::Axis::Row : solver::Axis::Column, std::int8_t(move.line), std::int8_t(amount)};
}

} // namespace tesselo
