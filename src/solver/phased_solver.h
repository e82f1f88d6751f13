#pragma once

#include "positions/position.h"
#include "positions/search_state.h"
#include "positions/slide_set.h"
#include "positions/symmetries.h"
#include "tables/phase_tables.h"

#include <memory>
#include <optional>
#include <stop_token>
#include <vector>

namespace tesselo::solver {

// A solution of a grid too large for an exact search, block by block:
// each phase takes a shortest way its table knows, several of them are
// carried into the next phase, and the whole is tried on every symmetric
// image of the position and of its inverse, keeping the shortest. Short,
// but not proven shortest.
//
// Tables may stop at the block of all but the last row and column, where
// the last phase would need a table of every arrangement of the two rings
// (11! on 6 x 6): the ring solver then finishes the best partial
// solutions of all the images (it comes within a few hundredths of a
// slide of the table's distance on the rings of 6 x 6).
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
        // Where the tables stop short of the rings: how many of the best
        // partial solutions the ring solver finishes.
        int ringsTried = 8;
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
    // The partial solutions of one image at the end of the last phase, the
    // best first; none when no way through is found.
    std::vector<Partial> SolveImage(const SearchState& image) const;
    // Whether the tables stop at the block of all but the rings.
    bool RingsLeft() const;
    // The slides the ring solver finishes `partial` with; nullopt when it
    // cannot.
    std::optional<std::vector<int>> Rings(const SearchState& state, std::stop_token stop) const;
    // A lower bound on the rings' slides, for ranking: the larger of the
    // last row's and the last column's exact distances.
    int RingsEstimate(const SearchState& state) const;
    // The ends of shortest ways through `phase` from `at`, with `remaining`
    // slides to go, the last made `previous`.
    void Enumerate(int phase, Partial& at, int remaining, int previous, std::vector<Partial>& ends) const;

    const PhaseTables& tables;
    Options options;
    // Where the rings are left: tables of the last row's pieces and of the
    // last column's (a few hundred thousand entries), for RingsEstimate.
    std::vector<std::unique_ptr<PatternTable>> ringTables;
    const SlideSet& slides;
    Symmetries symmetries;
};

} // namespace tesselo::solver
