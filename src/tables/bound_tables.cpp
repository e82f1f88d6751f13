#include "tables/bound_tables.h"

#include <algorithm>

namespace tesselo::solver {

namespace {

constexpr std::array<std::uint8_t, 8> kMagic = {'T', 'e', 's', 's', 'B', 'n', 'd', 's'};

// The header names the grid and every table's pieces.
std::vector<std::uint8_t> Description(int rows, int columns, const std::vector<std::vector<std::uint8_t>>& patterns)
{
    std::vector<std::uint8_t> description{std::uint8_t(rows), std::uint8_t(columns), std::uint8_t(patterns.size())};
    for (const auto& pieces : patterns) {
        description.push_back(std::uint8_t(pieces.size()));
        description.insert(description.end(), pieces.begin(), pieces.end());
    }
    return description;
}

} // namespace

BoundTables::BoundTables(int rows, int columns, const std::vector<std::vector<std::uint8_t>>& patterns)
    : TableSet(rows, columns, kMagic, kFormatVersion, Description(rows, columns, patterns))
{
    for (const auto& pieces : patterns)
        Add(PatternTable::Pattern{rows, columns, 0, pieces});
}

bool BoundTables::Cover(int rows, int columns)
{
    return std::min(rows, columns) >= 2 && rows * columns >= 13 && rows * columns <= 16;
}

std::unique_ptr<BoundTables> BoundTables::For(int rows, int columns)
{
    if (!Cover(rows, columns) || rows > columns)
        return nullptr;
    // Measured against the other shapes of seven pieces (the mean bound over
    // random positions, then the time of the search): on 4 x 4 a 2 x 3
    // block and one piece below it; on 3 x 5 a 2 x 4 block but its corner;
    // on two rows, a row but its last piece.
    std::vector<std::uint8_t> pieces;
    if (rows == 4)
        pieces = {0, 1, 2, 4, 5, 6, 8};
    else if (rows == 3)
        pieces = {0, 1, 2, 3, 5, 6, 7};
    else
        pieces = {0, 1, 2, 3, 4, 5, 6};
    return std::make_unique<BoundTables>(rows, columns, std::vector<std::vector<std::uint8_t>>{pieces});
}

} // namespace tesselo::solver
