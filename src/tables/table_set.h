#pragma once

#include "tables/pattern_table.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace tesselo::solver {

// Pattern tables of one grid kept together between runs: built in steps,
// between a thread's other work, saved as one block of bytes and read
// back checked. The phase tables of 4 x 6 and the bound tables of the
// grids solved exactly are two kinds, told apart by the header.
class TableSet {
public:
    virtual ~TableSet();
    TableSet(const TableSet&) = delete;
    TableSet& operator=(const TableSet&) = delete;

    int Rows() const { return rows; }
    int Columns() const { return columns; }
    int Count() const { return int(tables.size()); }
    const PatternTable& Table(int index) const { return *tables[std::size_t(index)]; }

    bool Built() const;
    // Goes on building for about `budget` units of work (see
    // PatternTable::BuildSome). Returns Built().
    bool BuildSome(std::uint64_t budget);
    void Build();
    std::uint64_t Entries() const;

    // The built tables as one block of bytes: a header naming the kind,
    // its version and what the tables are, the length, then the entries
    // and a checksum of everything before it.
    std::vector<std::uint8_t> Save() const;
    // Takes tables saved by Save for the same kind and tables. Anything
    // else (another kind or version, other tables, a wrong length, a
    // checksum that does not match, an impossible entry) is refused with
    // nothing changed. A checksum finds only accidents, so each table is
    // probed as well (see LooksSound): tables written wrong and summed
    // again are refused too, unless the damage is too sparse for a few
    // hundred probes to meet.
    bool Load(std::span<const std::uint8_t> bytes);
    // The length Save produces.
    std::size_t SavedSize() const;
    // What Save puts in the last eight bytes, of everything before them.
    static std::uint64_t Checksum(std::span<const std::uint8_t> bytes);

protected:
    // `magic` names the kind, `version` its layout, and `description` (the
    // header's rest) the grid and the tables, so that tables saved for
    // others are refused.
    TableSet(int rows, int columns, const std::array<std::uint8_t, 8>& magic, std::uint32_t version,
             std::vector<std::uint8_t> description);
    void Add(PatternTable::Pattern pattern);

private:
    std::size_t HeaderSize() const;

    int rows;
    int columns;
    std::array<std::uint8_t, 8> magic;
    std::uint32_t version;
    std::vector<std::uint8_t> description;
    std::vector<std::unique_ptr<PatternTable>> tables;
};

} // namespace tesselo::solver
