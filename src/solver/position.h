#pragma once

#include "solver/slide.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace tesselo::solver {

// An arrangement of the pieces: for each cell, in row-major order, the
// index of the cell its piece belongs in. Up to 24 cells; a value type,
// cheap to copy and compare.
class Position {
public:
    static constexpr int kMaxCells = 24;

    Position() = default;
    static Position Solved(int rows, int columns);
    // Only a grid of 1..24 cells whose homes name every cell exactly once.
    static std::optional<Position> FromHomes(int rows, int columns, std::span<const int> homes);

    int Rows() const { return rows; }
    int Columns() const { return columns; }
    int CellCount() const { return rows * columns; }
    int Home(int cell) const { return homes[static_cast<std::size_t>(cell)]; }
    bool IsSolved() const;
    // The same position with the roles of cell and home exchanged: where the
    // piece of each cell is now. It is exactly as far from solved, since the
    // inverse of each move is a move.
    Position Inverse() const;
    // Whether the pieces form an even permutation. Every slide of a line of
    // odd length keeps this, so on a grid whose rows and columns are all of
    // odd length only the even arrangements can be solved.
    bool IsEven() const;
    // Whether some sequence of slides solves it (for a grid of at least 2 x 2
    // the parity above is the only bar).
    bool IsSolvable() const;

    // Whether `slide` is a slide of this grid in its normalised form.
    bool Allows(const Slide& slide) const;
    // Slides one line; a slide the grid does not allow changes nothing.
    void Apply(const Slide& slide);
    int LineLength(Axis axis) const { return axis == Axis::Row ? columns : rows; }

    const std::array<std::uint8_t, kMaxCells>& Homes() const { return homes; }
    bool operator==(const Position&) const = default;

private:
    std::int8_t rows = 0;
    std::int8_t columns = 0;
    std::array<std::uint8_t, kMaxCells> homes{};
};

} // namespace tesselo::solver
