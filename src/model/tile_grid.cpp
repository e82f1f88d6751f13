#include "model/tile_grid.h"

#include "files/byte_io.h"
#include "model/scramble_random.h"
#include "positions/line_wrap.h"

namespace tesselo {

void TileGrid::Resize(std::int32_t rows, std::int32_t columns)
{
    Clear();
    rowCount = rows;
    columnCount = columns;
    cells.reserve(static_cast<std::size_t>(rows * columns));
    for (std::int32_t r = 0; r < rows; ++r)
        for (std::int32_t c = 0; c < columns; ++c)
            cells.push_back(Tile{r, c});
    if (selectedRow >= rows || selectedColumn >= columns) {
        selectedRow = 0;
        selectedColumn = 0;
    }
}

void TileGrid::Clear()
{
    cells.clear();
    rowCount = 0;
    columnCount = 0;
}

bool TileGrid::Apply(const Move& move)
{
    const bool row = move.axis == MoveAxis::Row;
    const std::int32_t lines = row ? rowCount : columnCount;
    const std::int32_t length = row ? columnCount : rowCount;
    if (move.line < 0 || move.line >= lines || length <= 0)
        return false;
    // In 64 bits: the negation of the most negative amount must not overflow.
    const std::int32_t k = WrapIndex(std::int64_t(move.amount), length);
    if (k == 0)
        return false;
    const auto index = [&](std::int32_t i) {
        return static_cast<std::size_t>(row ? move.line * columnCount + i : i * columnCount + move.line);
    };
    std::vector<Tile> moved(static_cast<std::size_t>(length));
    for (std::int32_t i = 0; i < length; ++i)
        moved[static_cast<std::size_t>(WrapIndex(i + k, length))] = cells[index(i)];
    for (std::int32_t i = 0; i < length; ++i)
        cells[index(i)] = moved[static_cast<std::size_t>(i)];
    return true;
}

bool TileGrid::ShiftRow(std::int32_t target)
{
    // A target off the row would index outside it; there is nothing to move.
    if (target == selectedColumn || target < 0 || target >= columnCount)
        return false;
    Apply(Move{MoveAxis::Row, selectedRow, target - selectedColumn});
    selectedColumn = target;
    return true;
}

bool TileGrid::ShiftColumn(std::int32_t target)
{
    if (target == selectedRow || target < 0 || target >= rowCount)
        return false;
    Apply(Move{MoveAxis::Column, selectedColumn, target - selectedRow});
    selectedRow = target;
    return true;
}

bool TileGrid::IsSolved() const
{
    for (std::int32_t r = 0; r < rowCount; ++r)
        for (std::int32_t c = 0; c < columnCount; ++c) {
            const Tile& t = At(r, c);
            if (t.homeRow != r || t.homeColumn != c)
                return false;
        }
    return true;
}

void TileGrid::Shuffle(std::uint32_t seed)
{
    ScrambleRandom random(seed);
    const std::int32_t r = rowCount;
    const std::int32_t k = columnCount;
    const std::int32_t steps = Size().ScrambleSteps(seed);
    std::int32_t previous = 0;
    for (std::int32_t step = 0; step < steps; ++step) {
        std::int32_t line;
        do
            line = random.Next() % (r + k);
        while (line == previous);
        if (line < r) {
            selectedRow = line;
            selectedColumn = 0;
            ShiftRow(random.Next() % (k - 1) + 1);
        } else {
            selectedRow = 0;
            selectedColumn = line - r;
            ShiftColumn(random.Next() % (r - 1) + 1);
        }
        previous = line;
    }
}

std::size_t TileGrid::RecordSize(std::int32_t rows, std::int32_t columns)
{
    return 16 + 8 * static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
}

std::size_t TileGrid::StoreTo(std::uint8_t* out, std::size_t capacity) const
{
    const std::size_t size = RecordSize();
    if (capacity < size)
        return 0;
    PutInt32(out, rowCount);
    PutInt32(out + 4, columnCount);
    std::uint8_t* at = out + 8;
    for (const Tile& tile : cells) {
        PutInt32(at, tile.homeRow);
        PutInt32(at + 4, tile.homeColumn);
        at += 8;
    }
    PutInt32(at, selectedRow);
    PutInt32(at + 4, selectedColumn);
    return size;
}

std::size_t TileGrid::CheckRecord(const std::uint8_t* in, std::size_t length)
{
    if (length < 8)
        return 0;
    const std::int32_t rows = GetInt32(in);
    const std::int32_t columns = GetInt32(in + 4);
    if (!GridSize{rows, columns}.IsValid())
        return 0;
    const std::size_t size = RecordSize(rows, columns);
    if (length < size)
        return 0;
    std::vector<bool> seen(static_cast<std::size_t>(rows * columns), false);
    const std::uint8_t* at = in + 8;
    for (std::int32_t i = 0; i < rows * columns; ++i, at += 8) {
        const std::int32_t hr = GetInt32(at);
        const std::int32_t hc = GetInt32(at + 4);
        if (hr < 0 || hr >= rows || hc < 0 || hc >= columns)
            return 0;
        const auto index = static_cast<std::size_t>(hr * columns + hc);
        if (seen[index])
            return 0;
        seen[index] = true;
    }
    const std::int32_t sr = GetInt32(at);
    const std::int32_t sc = GetInt32(at + 4);
    if (sr < 0 || sr >= rows || sc < 0 || sc >= columns)
        return 0;
    return size;
}

std::size_t TileGrid::LoadFrom(const std::uint8_t* in, std::size_t length)
{
    const std::size_t size = CheckRecord(in, length);
    if (size == 0)
        return 0;
    Resize(GetInt32(in), GetInt32(in + 4));
    const std::uint8_t* at = in + 8;
    for (Tile& tile : cells) {
        tile.homeRow = GetInt32(at);
        tile.homeColumn = GetInt32(at + 4);
        at += 8;
    }
    selectedRow = GetInt32(at);
    selectedColumn = GetInt32(at + 4);
    return size;
}

} // namespace tesselo
