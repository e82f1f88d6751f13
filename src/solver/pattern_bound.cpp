#include "solver/pattern_bound.h"

#include "positions/symmetries.h"

#include <algorithm>
#include <set>

namespace tesselo::solver {

PatternBound::PatternBound(const SlideSet& slides, std::vector<const PatternTable*> tables)
{
    const Symmetries symmetries(slides);
    for (const PatternTable* table : tables) {
        const auto& pieces = table->Definition().pieces;
        // Symmetries that make the same set of pieces read the same
        // distance; one reading each is enough.
        std::set<std::uint32_t> sets;
        for (int s = 0; s < symmetries.Count(); ++s) {
            Reading r;
            r.table = table;
            r.pieces = int(pieces.size());
            r.cell = symmetries.Forward(s);
            std::uint32_t set = 0;
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                r.piece[i] = symmetries.Backward(s)[pieces[i]];
                set |= 1u << r.piece[i];
            }
            if (!sets.insert(set).second)
                continue;
            readings.push_back(r);
            r.inverse = true;
            readings.push_back(r);
        }
    }
}

int PatternBound::Bound(const SearchState& state, int enough, int* first) const
{
    int best = 0;
    std::uint8_t cells[CompactPosition::kMaxCells];
    const int count = int(readings.size());
    const int start = first ? *first : 0;
    for (int k = 0; k < count; ++k) {
        const int index = start + k < count ? start + k : start + k - count;
        const Reading& r = readings[std::size_t(index)];
        // Of the position relabelled by g: the piece g(p) sits at g(cell
        // of p). Of its inverse, the roles of cell and home swap.
        const auto& where = r.inverse ? state.home : state.cellOf;
        for (int i = 0; i < r.pieces; ++i)
            cells[i] = r.cell[where[r.piece[std::size_t(i)]]];
        const int d = r.table->Distance(cells);
        if (d > best) {
            best = d;
            if (best > enough) {
                if (first)
                    *first = index;
                return best;
            }
        }
    }
    return best;
}

} // namespace tesselo::solver
