#include "solver/pattern_bound.h"

#include "positions/symmetries.h"

#include <algorithm>
#include <set>

namespace tesselo::solver {

namespace {

// Readings asked for together: enough to keep memory busy, few enough
// that a reading that cuts early saves most of the others. Tables of up
// to a few megabytes stay in the processor's cache, and are read one
// reading at a time.
constexpr int kBatch = 8;
constexpr std::size_t kCachedBytes = std::size_t(2) << 20;

} // namespace

PatternBound::PatternBound(const SlideSet& slides, std::vector<const PatternTable*> tables)
{
    const Symmetries symmetries(slides);
    std::size_t bytes = 0;
    for (const PatternTable* table : tables)
        bytes += table->ByteSize();
    batch = bytes > kCachedBytes ? kBatch : 1;
    for (const PatternTable* table : tables) {
        const auto& pieces = table->Definition().pieces;
        // Symmetries that make the same set of pieces read the same
        // distance; one reading each is enough.
        std::set<std::uint64_t> sets;
        for (int s = 0; s < symmetries.Count(); ++s) {
            Reading r;
            r.table = table;
            r.pieces = int(pieces.size());
            r.cell = symmetries.Forward(s);
            std::uint64_t set = 0;
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                r.piece[i] = symmetries.Backward(s)[pieces[i]];
                set |= std::uint64_t(1) << r.piece[i];
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
    const int count = int(readings.size());
    const int start = first ? *first : 0;
    if (batch == 1) {
        for (int k = 0; k < count; ++k) {
            const int index = start + k < count ? start + k : start + k - count;
            const int d = Value(index, Entry(index, state));
            if (d <= best)
                continue;
            best = d;
            if (best > enough) {
                if (first)
                    *first = index;
                return best;
            }
        }
        return best;
    }
    std::uint64_t entries[kBatch];
    for (int done = 0; done < count; done += batch) {
        const int size = std::min(batch, count - done);
        const auto at = [&](int j) {
            const int k = start + done + j;
            return k < count ? k : k - count;
        };
        for (int j = 0; j < size; ++j) {
            entries[j] = Entry(at(j), state);
            Fetch(at(j), entries[j]);
        }
        for (int j = 0; j < size; ++j) {
            const int d = Value(at(j), entries[j]);
            if (d <= best)
                continue;
            best = d;
            if (best > enough) {
                if (first)
                    *first = at(j);
                return best;
            }
        }
    }
    return best;
}

} // namespace tesselo::solver
