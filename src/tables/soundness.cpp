#include "tables/soundness.h"

#include "positions/slide_set.h"

#include <algorithm>
#include <random>
#include <vector>

namespace tesselo::solver {

bool BringsHome(Position position, const Plan& plan)
{
    for (const Slide& slide : plan.slides) {
        if (!position.Allows(slide))
            return false;
        position.Apply(slide);
    }
    return position.IsSolved();
}

namespace {

// Whether the entry with the pieces at `cells` agrees with its neighbours.
bool AgreesWithNeighbours(const PatternTable& table, const SlideSet& set, const std::vector<std::uint8_t>& cells)
{
    const PatternTable::Pattern& pattern = table.Definition();
    const int d = table.Distance(cells.data());
    if ((d == 0) != (cells == pattern.pieces))
        return false;
    // The search that built the table stops at the last distance four bits
    // hold; what lies further reads as unreached.
    constexpr int kLast = PatternTable::kUnreached - 1;
    bool closer = d == 0;
    std::vector<std::uint8_t> next(cells.size());
    for (const int m : table.Slides()) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            next[i] = set.Destination(m)[cells[i]];
        const int n = table.Distance(next.data());
        if (d == PatternTable::kUnreached || n == PatternTable::kUnreached) {
            if (std::min(d, n) < kLast)
                return false;
            closer = closer || d == PatternTable::kUnreached;
            continue;
        }
        if (n < d - 1 || n > d + 1)
            return false;
        closer = closer || n == d - 1;
    }
    return closer;
}

} // namespace

bool LooksSound(const PatternTable& table, int probes, std::uint64_t seed)
{
    const PatternTable::Pattern& pattern = table.Definition();
    const SlideSet& set = SlideSet::For(pattern.rows, pattern.columns);
    std::vector<std::uint8_t> freeCells;
    for (int cell = 0; cell < pattern.rows * pattern.columns; ++cell)
        if (!(pattern.fixedCells >> cell & 1u))
            freeCells.push_back(std::uint8_t(cell));

    // Home and one slide from it, where damage would spoil every plan's end.
    if (!AgreesWithNeighbours(table, set, pattern.pieces))
        return false;
    std::vector<std::uint8_t> cells(pattern.pieces.size());
    for (const int m : table.Slides()) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            cells[i] = set.Destination(m)[pattern.pieces[i]];
        if (!AgreesWithNeighbours(table, set, cells))
            return false;
    }
    std::mt19937_64 random(seed);
    for (int probe = 0; probe < probes; ++probe) {
        std::shuffle(freeCells.begin(), freeCells.end(), random);
        std::copy_n(freeCells.begin(), cells.size(), cells.begin());
        if (!AgreesWithNeighbours(table, set, cells))
            return false;
    }
    return true;
}

} // namespace tesselo::solver
