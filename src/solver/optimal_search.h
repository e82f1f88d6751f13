#pragma once

#include "positions/position.h"
#include "positions/search_state.h"
#include "positions/slide_set.h"
#include "solver/pattern_bound.h"

#include <cstdint>
#include <stop_token>
#include <vector>

namespace tesselo::solver {

// Iterative deepening A*: depth-first searches under a rising limit on
// moves made plus the lower bound of what remains, so the first solution
// found is a shortest one. Without a bound it is a plain depth-limited
// search, which is all a check of two or three moves needs.
class OptimalSearch {
public:
    enum class Outcome { Found, NoneWithinLimit, Stopped };
    struct Result {
        Outcome outcome = Outcome::NoneWithinLimit;
        std::vector<int> slides; // numbers of the SlideSet, when found
        std::uint64_t nodes = 0;
    };

    OptimalSearch(const SlideSet& slides, const PatternBound* bound);

    // A shortest solution of at most `limit` slides. `stop` is looked at
    // every few thousand positions.
    Result Solve(const CompactPosition& position, int limit, std::stop_token stop = {}) const;

private:
    struct Run;
    const SlideSet& slides;
    const PatternBound* bound;
};

} // namespace tesselo::solver
