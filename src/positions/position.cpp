#include "positions/position.h"

#include "positions/line_wrap.h"

#include <bitset>
#include <vector>

namespace tesselo::solver {

template <int Capacity>
BasicPosition<Capacity> BasicPosition<Capacity>::Solved(int rows, int columns)
{
    BasicPosition p;
    if (rows < 1 || columns < 1 || rows > 127 || columns > 127 || rows * columns > kMaxCells)
        return p;
    p.rows = static_cast<std::int8_t>(rows);
    p.columns = static_cast<std::int8_t>(columns);
    for (int i = 0; i < rows * columns; ++i)
        p.homes[static_cast<std::size_t>(i)] = static_cast<Cell>(i);
    return p;
}

template <int Capacity>
std::optional<BasicPosition<Capacity>> BasicPosition<Capacity>::FromHomes(int rows, int columns,
                                                                          std::span<const int> homes)
{
    if (rows < 1 || columns < 1 || rows > 127 || columns > 127 || rows * columns > kMaxCells ||
        homes.size() != std::size_t(rows * columns))
        return std::nullopt;
    BasicPosition p = Solved(rows, columns);
    std::bitset<Capacity> seen;
    for (std::size_t i = 0; i < homes.size(); ++i) {
        const int home = homes[i];
        if (home < 0 || home >= rows * columns || seen[std::size_t(home)])
            return std::nullopt;
        seen[std::size_t(home)] = true;
        p.homes[i] = static_cast<Cell>(home);
    }
    return p;
}

template <int Capacity>
bool BasicPosition<Capacity>::IsSolved() const
{
    for (int i = 0; i < CellCount(); ++i)
        if (homes[static_cast<std::size_t>(i)] != i)
            return false;
    return true;
}

template <int Capacity>
BasicPosition<Capacity> BasicPosition<Capacity>::Inverse() const
{
    BasicPosition p = *this;
    for (int i = 0; i < CellCount(); ++i)
        p.homes[homes[static_cast<std::size_t>(i)]] = static_cast<Cell>(i);
    return p;
}

template <int Capacity>
bool BasicPosition<Capacity>::IsEven() const
{
    // Parity from the cycle count: n minus the number of cycles transpositions.
    std::bitset<Capacity> seen;
    int transpositions = 0;
    for (int i = 0; i < CellCount(); ++i) {
        if (seen[std::size_t(i)])
            continue;
        for (int j = i; !seen[std::size_t(j)]; j = homes[static_cast<std::size_t>(j)]) {
            seen[std::size_t(j)] = true;
            ++transpositions;
        }
        --transpositions;
    }
    return transpositions % 2 == 0;
}

template <int Capacity>
bool BasicPosition<Capacity>::IsSolvable() const
{
    if (rows == 1 || columns == 1) {
        // One line: only its rotations.
        const int n = CellCount();
        for (int i = 0; i < n; ++i)
            if (WrapIndex(homes[static_cast<std::size_t>(i)] - homes[0] - i, n) != 0)
                return false;
        return true;
    }
    // A slide of a line of even length is an odd permutation, and with one
    // at hand every arrangement can be reached.
    return rows % 2 == 0 || columns % 2 == 0 || IsEven();
}

template <int Capacity>
bool BasicPosition<Capacity>::Allows(const Slide& slide) const
{
    const int lines = slide.axis == Axis::Row ? rows : columns;
    const int length = LineLength(slide.axis);
    return slide.line >= 0 && slide.line < lines && slide.amount != 0 &&
           NormalisedAmount(slide.amount, length) == slide.amount;
}

template <int Capacity>
void BasicPosition<Capacity>::Apply(const Slide& slide)
{
    if (!Allows(slide))
        return;
    const int length = LineLength(slide.axis);
    const auto cell = [&](int i) {
        return static_cast<std::size_t>(slide.axis == Axis::Row ? slide.line * columns + i : i * columns + slide.line);
    };
    // A line is at most 127 cells (rows and columns fit in a byte), and no
    // more than the grid holds.
    std::array<Cell, (Capacity < 128 ? Capacity : 128)> line;
    for (int i = 0; i < length; ++i)
        line[static_cast<std::size_t>(i)] = homes[cell(i)];
    for (int i = 0; i < length; ++i)
        homes[cell(WrapIndex(i + slide.amount, length))] = line[static_cast<std::size_t>(i)];
}

template class BasicPosition<kMaxSide * kMaxSide>;
template class BasicPosition<36>;

Position Transposed(const Position& position)
{
    if (position.CellCount() == 0)
        return position;
    const int rows = position.Rows();
    const int columns = position.Columns();
    std::vector<int> homes(std::size_t(position.CellCount()));
    for (int cell = 0; cell < position.CellCount(); ++cell) {
        const int home = position.Home(cell);
        homes[std::size_t(cell % columns * rows + cell / columns)] = home % columns * rows + home / columns;
    }
    return *Position::FromHomes(columns, rows, homes);
}

Slide Transposed(const Slide& slide)
{
    // Right along a row of one is down along the column it becomes.
    return Slide{slide.axis == Axis::Row ? Axis::Column : Axis::Row, slide.line, slide.amount};
}

} // namespace tesselo::solver
