#pragma once

#include "positions/slide.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <type_traits>

namespace tesselo::solver {

// An arrangement of the pieces: for each cell, in row-major order, the
// index of the cell its piece belongs in. A value type, cheap to copy and
// compare, holding up to `Capacity` cells: the searches built for grids of
// up to 36 cells copy positions millions of times and keep the small one,
// the rest of the program holds any grid the game plays.
// The longest row or column of any grid the game plays.
inline constexpr int kMaxSide = 20;

template <int Capacity>
class BasicPosition {
public:
    static constexpr int kMaxCells = Capacity;
    // A cell's number: a byte while it is enough, since the searches copy
    // small positions millions of times.
    using Cell = std::conditional_t<(Capacity <= 256), std::uint8_t, std::uint16_t>;

    BasicPosition() = default;
    static BasicPosition Solved(int rows, int columns);
    // Only a grid of 1..kMaxCells cells whose homes name every cell exactly
    // once.
    static std::optional<BasicPosition> FromHomes(int rows, int columns, std::span<const int> homes);
    // The same arrangement in another capacity; nullopt when it does not fit.
    template <int Other>
    static std::optional<BasicPosition> From(const BasicPosition<Other>& other)
    {
        if (other.CellCount() > kMaxCells)
            return std::nullopt;
        BasicPosition p;
        p.rows = std::int8_t(other.Rows());
        p.columns = std::int8_t(other.Columns());
        for (int cell = 0; cell < other.CellCount(); ++cell)
            p.homes[std::size_t(cell)] = Cell(other.Home(cell));
        return p;
    }

    int Rows() const { return rows; }
    int Columns() const { return columns; }
    int CellCount() const { return rows * columns; }
    int Home(int cell) const { return homes[static_cast<std::size_t>(cell)]; }
    bool IsSolved() const;
    // The same position with the roles of cell and home exchanged: where the
    // piece of each cell is now. It is exactly as far from solved, since the
    // inverse of each move is a move.
    BasicPosition Inverse() const;
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

    const std::array<Cell, Capacity>& Homes() const { return homes; }
    bool operator==(const BasicPosition&) const = default;

private:
    std::int8_t rows = 0;
    std::int8_t columns = 0;
    std::array<Cell, Capacity> homes{};
};

// Any grid the game plays: up to 20 x 20.
using Position = BasicPosition<kMaxSide * kMaxSide>;
// The grids of up to 36 cells (6 x 6), which the tables, the phases and
// the exact searches serve.
using CompactPosition = BasicPosition<36>;

extern template class BasicPosition<kMaxSide * kMaxSide>;
extern template class BasicPosition<36>;

// The grid seen with rows as columns: the same puzzle, solved by the same
// slides with rows and columns exchanged.
Position Transposed(const Position& position);
Slide Transposed(const Slide& slide);

} // namespace tesselo::solver
