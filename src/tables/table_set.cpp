#include "tables/table_set.h"

#include "tables/soundness.h"

#include <algorithm>
#include <cstring>
#include <random>

namespace tesselo::solver {

namespace {

// Entries of each table looked at on loading, beyond the solved pattern
// and its neighbours: under a millisecond, and enough to find a table
// much of which is wrong (zeroed, shifted, another table's bytes).
constexpr int kProbes = 256;

std::uint64_t GetU64(const std::uint8_t* in)
{
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = v << 8 | in[i];
    return v;
}

} // namespace

TableSet::TableSet(int rows, int columns, const std::array<std::uint8_t, 8>& magic, std::uint32_t version,
                   std::vector<std::uint8_t> description)
    : rows(rows), columns(columns), magic(magic), version(version), description(std::move(description))
{
}

TableSet::~TableSet() = default;

void TableSet::Add(PatternTable::Pattern pattern)
{
    tables.push_back(std::make_unique<PatternTable>(std::move(pattern)));
}

// A 64-bit checksum, eight bytes a step: enough to tell a damaged or
// truncated file from a sound one, fast over tens of megabytes.
std::uint64_t TableSet::Checksum(std::span<const std::uint8_t> bytes)
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

bool TableSet::Built() const
{
    for (const auto& table : tables)
        if (!table->Built())
            return false;
    return true;
}

bool TableSet::BuildSome(std::uint64_t budget)
{
    for (const auto& table : tables)
        if (!table->Built())
            return table->BuildSome(budget) && Built();
    return true;
}

void TableSet::Build()
{
    for (const auto& table : tables)
        table->Build();
}

std::uint64_t TableSet::Entries() const
{
    std::uint64_t entries = 0;
    for (const auto& table : tables)
        entries += table->Size();
    return entries;
}

std::size_t TableSet::HeaderSize() const
{
    return magic.size() + 4 + description.size() + 8;
}

std::size_t TableSet::SavedSize() const
{
    std::size_t size = HeaderSize() + 8;
    for (const auto& table : tables)
        size += table->ByteSize();
    return size;
}

std::vector<std::uint8_t> TableSet::Save() const
{
    if (!Built())
        return {};
    std::vector<std::uint8_t> out(SavedSize());
    std::uint8_t* at = out.data();
    const auto put = [&](std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            *at++ = std::uint8_t(value >> (8 * i));
    };
    at = std::copy(magic.begin(), magic.end(), at);
    put(version, 4);
    at = std::copy(description.begin(), description.end(), at);
    put(out.size(), 8);
    for (const auto& table : tables)
        at = std::copy(table->Bytes().begin(), table->Bytes().end(), at);
    put(Checksum(std::span(out).first(out.size() - 8)), 8);
    return out;
}

bool TableSet::Load(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != SavedSize() || !std::equal(magic.begin(), magic.end(), bytes.begin()))
        return false;
    std::size_t at = magic.size();
    const std::uint32_t saved = std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
                                std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24;
    at += 4;
    if (saved != version || !std::equal(description.begin(), description.end(), bytes.begin() + long(at)))
        return false;
    at += description.size();
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
