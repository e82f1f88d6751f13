#pragma once

#include "model/grid_size.h"
#include "model/move.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tesselo {

// One piece of the picture, named by the cell it belongs in.
struct Tile {
    std::int32_t homeRow = 0;
    std::int32_t homeColumn = 0;
    bool operator==(const Tile&) const = default;
};

// The board as data: which piece shows in which cell, and the selected row
// and column. Tiles are held by value, so a grid is cheap to copy and to
// compare; moves only permute the cells, and a tile's home never changes
// except when a stored grid is read back.
class TileGrid {
public:
    void Resize(std::int32_t rows, std::int32_t columns);
    void Clear();
    bool ShiftRow(std::int32_t targetColumn);
    bool ShiftColumn(std::int32_t targetRow);
    // Slides the move's line; the selection stays where it is. False, with
    // nothing changed, for a line outside the grid or an amount that comes
    // round to where it started.
    bool Apply(const Move& move);
    Selection Selected() const { return {selectedRow, selectedColumn}; }
    void Select(Selection s)
    {
        selectedRow = s.row;
        selectedColumn = s.column;
    }
    // Same size and every cell the same; the selection is not compared.
    bool SameCells(const TileGrid& other) const
    {
        return rowCount == other.rowCount && columnCount == other.columnCount && cells == other.cells;
    }
    bool IsSolved() const;
    // Scrambles the grid from its present order with the random numbers of
    // `seed` (glibc's rand(), so every seed keeps the scramble it always
    // gave): the same draw at every size, for as many steps as the size
    // takes (GridSize::ScrambleSteps).
    void Shuffle(std::uint32_t seed);

    // The byte form used inside the saved game. StoreTo needs RecordSize()
    // bytes; it returns the bytes written, or 0 when the buffer is too small.
    std::size_t StoreTo(std::uint8_t* out, std::size_t capacity) const;
    // Reads a stored grid only when the whole record is sound: a playable
    // size (GridSize::IsValid), the full record in the buffer, every home exactly once, the
    // selection inside the grid. Returns the bytes consumed, or 0 with the
    // grid untouched.
    std::size_t LoadFrom(const std::uint8_t* in, std::size_t length);
    // The same checks without touching any grid; the saved-game reader uses
    // it to vet a whole file before applying any part of it.
    static std::size_t CheckRecord(const std::uint8_t* in, std::size_t length);

    std::size_t RecordSize() const { return RecordSize(rowCount, columnCount); }
    static std::size_t RecordSize(std::int32_t rows, std::int32_t columns);
    GridSize Size() const { return {rowCount, columnCount}; }

    const Tile& At(std::int32_t row, std::int32_t column) const
    {
        return cells[static_cast<std::size_t>(row * columnCount + column)];
    }

    std::int32_t rowCount = 0;
    std::int32_t columnCount = 0;
    std::vector<Tile> cells; // row-major
    std::int32_t selectedRow = 0;
    std::int32_t selectedColumn = 0;
};

} // namespace tesselo
