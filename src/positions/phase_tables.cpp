#include "positions/phase_tables.h"

#include "positions/soundness.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <random>

namespace tesselo::solver {

namespace {

constexpr std::array<std::uint8_t, 8> kMagic = {'T', 'e', 's', 's', 'P', 'h', 'a', 's'};

// Entries of each table looked at on loading, beyond the solved pattern
// and its neighbours: under a millisecond, and enough to find a table
// much of which is wrong (zeroed, shifted, another table's bytes).
constexpr int kProbes = 256;

std::uint32_t BlockCells(int columns, PhaseTables::Block block)
{
    std::uint32_t cells = 0;
    for (int r = 0; r < block.rows; ++r)
        for (int c = 0; c < block.columns; ++c)
            cells |= 1u << (r * columns + c);
    return cells;
}

std::uint64_t GetU64(const std::uint8_t* in)
{
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = v << 8 | in[i];
    return v;
}

} // namespace

// A 64-bit checksum, eight bytes a step: enough to tell a damaged or
// truncated file from a sound one, fast over tens of megabytes.
std::uint64_t PhaseTables::Checksum(std::span<const std::uint8_t> bytes)
{
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ bytes.size();
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + at, 8);
        h = (h ^ word) * 0x100000001B3ull;
        h ^= h >> 29;
    }
    for (; at < bytes.size(); ++at)
        h = (h ^ bytes[at]) * 0x100000001B3ull;
    return h ^ (h >> 32);
}

PhaseTables::PhaseTables(int rows, int columns, std::vector<Block> b) : rows(rows), columns(columns), blocks(std::move(b))
{
    std::uint32_t fixed = 0;
    for (const Block& block : blocks) {
        const std::uint32_t cells = BlockCells(columns, block);
        PatternTable::Pattern pattern{rows, columns, fixed, {}};
        for (int cell = 0; cell < rows * columns; ++cell)
            if ((cells & ~fixed) >> cell & 1u)
                pattern.pieces.push_back(std::uint8_t(cell));
        tables.push_back(std::make_unique<PatternTable>(std::move(pattern)));
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

bool PhaseTables::Built() const
{
    for (const auto& table : tables)
        if (!table->Built())
            return false;
    return true;
}

bool PhaseTables::BuildSome(std::uint64_t budget)
{
    for (const auto& table : tables)
        if (!table->Built())
            return table->BuildSome(budget) && Built();
    return true;
}

void PhaseTables::Build()
{
    for (const auto& table : tables)
        table->Build();
}

std::uint64_t PhaseTables::Entries() const
{
    std::uint64_t entries = 0;
    for (const auto& table : tables)
        entries += table->Size();
    return entries;
}

std::size_t PhaseTables::SavedSize() const
{
    std::size_t size = kMagic.size() + 4 + 3 + 2 * blocks.size() + 8 + 8;
    for (const auto& table : tables)
        size += table->ByteSize();
    return size;
}

std::vector<std::uint8_t> PhaseTables::Save() const
{
    if (!Built())
        return {};
    std::vector<std::uint8_t> out(SavedSize());
    std::uint8_t* at = out.data();
    const auto put = [&](std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            *at++ = std::uint8_t(value >> (8 * i));
    };
    at = std::copy(kMagic.begin(), kMagic.end(), at);
    put(kFormatVersion, 4);
    put(std::uint64_t(rows), 1);
    put(std::uint64_t(columns), 1);
    put(blocks.size(), 1);
    for (const Block& block : blocks) {
        put(std::uint64_t(block.rows), 1);
        put(std::uint64_t(block.columns), 1);
    }
    put(out.size(), 8);
    for (const auto& table : tables)
        at = std::copy(table->Bytes().begin(), table->Bytes().end(), at);
    put(Checksum(std::span(out).first(out.size() - 8)), 8);
    return out;
}

bool PhaseTables::Load(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != SavedSize() || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        return false;
    std::size_t at = kMagic.size();
    const std::uint32_t version = std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
                                  std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24;
    at += 4;
    if (version != kFormatVersion || bytes[at] != rows || bytes[at + 1] != columns || bytes[at + 2] != blocks.size())
        return false;
    at += 3;
    for (const Block& block : blocks) {
        if (bytes[at] != block.rows || bytes[at + 1] != block.columns)
            return false;
        at += 2;
    }
    if (GetU64(bytes.data() + at) != SavedSize())
        return false;
    at += 8;
    const std::size_t body = bytes.size() - 8;
    if (GetU64(bytes.data() + body) != Checksum(bytes.first(body)))
        return false;
    // Every table checks its own part; only when all agree are they taken.
    // The probes are drawn afresh each time, so that damage one load
    // misses another may find.
    std::random_device entropy;
    std::vector<std::unique_ptr<PatternTable>> loaded;
    for (const auto& table : tables) {
        auto copy = std::make_unique<PatternTable>(table->Definition());
        if (!copy->Adopt(bytes.subspan(at, table->ByteSize())) ||
            !LooksSound(*copy, kProbes, std::uint64_t(entropy()) << 32 | entropy()))
            return false;
        at += table->ByteSize();
        loaded.push_back(std::move(copy));
    }
    tables = std::move(loaded);
    return true;
}

} // namespace tesselo::solver
