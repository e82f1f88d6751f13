#pragma once

#include "positions/position.h"
#include "positions/search_state.h"
#include "positions/slide_set.h"
#include "solver/pattern_bound.h"
#include "solver/sequence_filter.h"

#include <cstdint>
#include <stop_token>
#include <vector>

namespace tesselo::solver {

// Iterative deepening A*: depth-first searches under a rising limit on
// moves made plus the lower bound of what remains, so the first solution
// found is a shortest one. Without a bound it is a plain depth-limited
// search, which is all a check of two or three moves needs.
//
// The slides tried after one another keep to `filter` when given (else
// to SlideSet::MayFollow). The children of a position are bounded
// together, a few readings of each at a time, so that the table entries
// of all of them are on their way from memory at once.
class OptimalSearch {
public:
    enum class Outcome { Found, NoneWithinLimit, Stopped };
    struct Result {
        Outcome outcome = Outcome::NoneWithinLimit;
        std::vector<int> slides; // numbers of the SlideSet, when found
        std::uint64_t nodes = 0;
    };

    OptimalSearch(const SlideSet& slides, const PatternBound* bound, const SequenceFilter* filter = nullptr);

    // A shortest solution of at most `limit` slides. `stop` is looked at
    // every few thousand positions.
    Result Solve(const CompactPosition& position, int limit, std::stop_token stop = {}) const;

private:
    struct Run;
    const SlideSet& slides;
    const PatternBound* bound;
    const SequenceFilter* filter;
};

} // namespace tesselo::solver
