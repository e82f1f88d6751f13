#pragma once

#include "positions/pattern_table.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace tesselo::solver {

// The tables of a solve by phases: blocks that grow from the top left
// corner, each phase putting home the pieces of one block that the block
// before lacks, with slides that leave that block alone. One table a
// phase, exact within its slides.
class PhaseTables {
public:
    // The version of the saved form; a change of layout raises it.
    static constexpr std::uint32_t kFormatVersion = 1;

    struct Block {
        int rows = 0;
        int columns = 0;
        bool operator==(const Block&) const = default;
    };

    // Blocks in the order built, each inside the next, the last the whole
    // grid.
    PhaseTables(int rows, int columns, std::vector<Block> blocks);
    // For the 4 x 6 grid: 2 x 3, 3 x 4, 3 x 5, then the rest. The first
    // table has 97 million entries (48 MB) and takes seconds to build.
    static std::unique_ptr<PhaseTables> Large();
    // Smaller steps, tables of a few hundred thousand entries built in a
    // blink, for a plan while the large ones are not ready: 2 x 2, 2 x 3,
    // 3 x 3, 3 x 4, 3 x 5, then the rest.
    static std::unique_ptr<PhaseTables> Quick();

    int Rows() const { return rows; }
    int Columns() const { return columns; }
    const std::vector<Block>& Blocks() const { return blocks; }
    int Phases() const { return int(tables.size()); }
    const PatternTable& Phase(int phase) const { return *tables[std::size_t(phase)]; }
    // The first phase's table, which fixes nothing and so bounds the whole
    // distance from below.
    const PatternTable& Unrestricted() const { return *tables.front(); }

    bool Built() const;
    // Goes on building for about `budget` units of work (see
    // PatternTable::BuildSome). Returns Built().
    bool BuildSome(std::uint64_t budget);
    void Build();
    std::uint64_t Entries() const;

    // The built tables as one block of bytes: a header naming the format,
    // its version, the grid and the blocks, the length, then the entries
    // and a checksum of everything before it.
    std::vector<std::uint8_t> Save() const;
    // Takes tables saved by Save for the same grid and blocks. Anything
    // else (another format or version, other blocks, a wrong length, a
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

private:
    int rows;
    int columns;
    std::vector<Block> blocks;
    std::vector<std::unique_ptr<PatternTable>> tables;
};

} // namespace tesselo::solver
