#include "solver/position.h"

namespace tesselo::solver {

Position Position::Solved(int rows, int columns)
{
    Position p;
    if (rows < 1 || columns < 1 || rows * columns > kMaxCells)
        return p;
    p.rows = static_cast<std::int8_t>(rows);
    p.columns = static_cast<std::int8_t>(columns);
    for (int i = 0; i < rows * columns; ++i)
        p.homes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    return p;
}

std::optional<Position> Position::FromHomes(int rows, int columns, std::span<const int> homes)
{
    if (rows < 1 || columns < 1 || rows * columns > kMaxCells || homes.size() != std::size_t(rows * columns))
        return std::nullopt;
    Position p = Solved(rows, columns);
    std::uint32_t seen = 0;
    for (std::size_t i = 0; i < homes.size(); ++i) {
        const int home = homes[i];
        if (home < 0 || home >= rows * columns || (seen >> home & 1u))
            return std::nullopt;
        seen |= 1u << home;
        p.homes[i] = static_cast<std::uint8_t>(home);
    }
    return p;
}

bool Position::IsSolved() const
{
    for (int i = 0; i < CellCount(); ++i)
        if (homes[static_cast<std::size_t>(i)] != i)
            return false;
    return true;
}

Position Position::Inverse() const
{
    Position p = *this;
    for (int i = 0; i < CellCount(); ++i)
        p.homes[homes[static_cast<std::size_t>(i)]] = static_cast<std::uint8_t>(i);
    return p;
}

bool Position::IsEven() const
{
    // Parity from the cycle count: n minus the number of cycles transpositions.
    std::uint32_t seen = 0;
    int transpositions = 0;
    for (int i = 0; i < CellCount(); ++i) {
        if (seen >> i & 1u)
            continue;
        for (int j = i; !(seen >> j & 1u); j = homes[static_cast<std::size_t>(j)]) {
            seen |= 1u << j;
            ++transpositions;
        }
        --transpositions;
    }
    return transpositions % 2 == 0;
}

bool Position::IsSolvable() const
{
    if (rows == 1 || columns == 1) {
        // One line: only its rotations.
        const int n = CellCount();
        for (int i = 0; i < n; ++i)
            if ((homes[static_cast<std::size_t>(i)] - homes[0] - i + 2 * n) % n != 0)
                return false;
        return true;
    }
    // A slide of a line of even length is an odd permutation, and with one
    // at hand every arrangement can be reached.
    return rows % 2 == 0 || columns % 2 == 0 || IsEven();
}

bool Position::Allows(const Slide& slide) const
{
    const int lines = slide.axis == Axis::Row ? rows : columns;
    const int length = LineLength(slide.axis);
    return slide.line >= 0 && slide.line < lines && slide.amount != 0 &&
           NormalisedAmount(slide.amount, length) == slide.amount;
}

void Position::Apply(const Slide& slide)
{
    if (!Allows(slide))
        return;
    const int length = LineLength(slide.axis);
    const auto cell = [&](int i) {
        return static_cast<std::size_t>(slide.axis == Axis::Row ? slide.line * columns + i : i * columns + slide.line);
    };
    std::array<std::uint8_t, kMaxCells> line{};
    for (int i = 0; i < length; ++i)
        line[static_cast<std::size_t>(i)] = homes[cell(i)];
    for (int i = 0; i < length; ++i)
        homes[cell(((i + slide.amount) % length + length) % length)] = line[static_cast<std::size_t>(i)];
}

} // namespace tesselo::solver
