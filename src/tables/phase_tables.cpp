#include "tables/phase_tables.h"

namespace tesselo::solver {

namespace {

constexpr std::array<std::uint8_t, 8> kMagic = {'T', 'e', 's', 's', 'P', 'h', 'a', 's'};

std::uint64_t BlockCells(int columns, PhaseTables::Block block)
{
    std::uint64_t cells = 0;
    for (int r = 0; r < block.rows; ++r)
        for (int c = 0; c < block.columns; ++c)
            cells |= std::uint64_t(1) << (r * columns + c);
    return cells;
}

// The header names the grid and the blocks.
std::vector<std::uint8_t> Description(int rows, int columns, const std::vector<PhaseTables::Block>& blocks)
{
    std::vector<std::uint8_t> description{std::uint8_t(rows), std::uint8_t(columns), std::uint8_t(blocks.size())};
    for (const PhaseTables::Block& block : blocks) {
        description.push_back(std::uint8_t(block.rows));
        description.push_back(std::uint8_t(block.columns));
    }
    return description;
}

} // namespace

PhaseTables::PhaseTables(int rows, int columns, std::vector<Block> b)
    : TableSet(rows, columns, kMagic, kFormatVersion, Description(rows, columns, b)), blocks(std::move(b))
{
    std::uint64_t fixed = 0;
    for (const Block& block : blocks) {
        const std::uint64_t cells = BlockCells(columns, block);
        PatternTable::Pattern pattern{rows, columns, fixed, {}};
        for (int cell = 0; cell < rows * columns; ++cell)
            if ((cells & ~fixed) >> cell & 1u)
                pattern.pieces.push_back(std::uint8_t(cell));
        Add(std::move(pattern));
        fixed = cells;
    }
}

std::unique_ptr<PhaseTables> PhaseTables::Large()
{
    return std::make_unique<PhaseTables>(4, 6, std::vector<Block>{{2, 3}, {3, 4}, {3, 5}, {4, 6}});
}

std::unique_ptr<PhaseTables> PhaseTables::Quick()
{
    return std::make_unique<PhaseTables>(4, 6, std::vector<Block>{{2, 2}, {2, 3}, {3, 3}, {3, 4}, {3, 5}, {4, 6}});
}

} // namespace tesselo::solver
