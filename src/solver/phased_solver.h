#pragma once

#include "positions/phase_tables.h"
#include "positions/position.h"
#include "positions/search_state.h"
#include "positions/slide_set.h"
#include "positions/symmetries.h"

#include <optional>
#include <stop_token>
#include <vector>

namespace tesselo::solver {

// A solution of a grid too large for an exact search, block by block:
// each phase takes a shortest way its table knows, several of them are
// carried into the next phase, and the whole is tried on every symmetric
// image of the position and of its inverse, keeping the shortest. Short,
// but not proven shortest.
class PhasedSolver {
public:
    struct Options {
        // Partial solutions carried from one phase into the next.
        int beamWidth = 8;
        // Ends of one phase looked at from one partial solution.
        int endsPerState = 32;
        // Whether the mirror images are tried, and the inverse position.
        bool mirrors = true;
        bool inverse = true;
    };

    explicit PhasedSolver(const PhaseTables& tables);
    PhasedSolver(const PhaseTables& tables, Options options);

    // Numbers of SlideSet::For(rows, columns); nullopt when stopped, or
    // for a position of another size.
    std::optional<std::vector<int>> Solve(const CompactPosition& position, std::stop_token stop = {}) const;

private:
    struct Partial {
        SearchState state;
        std::vector<int> slides;
        int score = 0;
    };
    // The best the phases find for one image; empty when none is found.
    std::optional<std::vector<int>> SolveImage(const SearchState& image) const;
    // The ends of shortest ways through `phase` from `at`, with `remaining`
    // slides to go, the last made `previous`.
    void Enumerate(int phase, Partial& at, int remaining, int previous, std::vector<Partial>& ends) const;

    const PhaseTables& tables;
    Options options;
    const SlideSet& slides;
    Symmetries symmetries;
};

} // namespace tesselo::solver
