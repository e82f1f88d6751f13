#pragma once

#include "tables/pattern_table.h"
#include "tables/table_set.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tesselo::solver {

// The tables of a solve by phases: blocks that grow from the top left
// corner, each phase putting home the pieces of one block that the block
// before lacks, with slides that leave that block alone. One table a
// phase, exact within its slides.
class PhaseTables : public TableSet {
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

    const std::vector<Block>& Blocks() const { return blocks; }
    int Phases() const { return Count(); }
    const PatternTable& Phase(int phase) const { return Table(phase); }
    // The first phase's table, which fixes nothing and so bounds the whole
    // distance from below.
    const PatternTable& Unrestricted() const { return Table(0); }

private:
    std::vector<Block> blocks;
};

} // namespace tesselo::solver
