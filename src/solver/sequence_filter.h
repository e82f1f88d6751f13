#pragma once

#include "positions/slide_set.h"

#include <cstdint>
#include <vector>

namespace tesselo::solver {

// Which slide may come next in a search that should reach each position
// by as few sequences of slides as it can. Slides of parallel lines
// commute, which SlideSet::MayFollow already takes into account; but on
// some grids many more short sequences do what another does (on 2 x 8,
// two slides of the whole board one way followed by a swap of a column
// are the swap of another column followed by the same two slides), and
// a search that tries them all meets the same positions over and over.
//
// The short identities are found by going through every sequence of up
// to a few slides from solved, in order of length and then of the slides'
// numbers: a sequence that ends where an earlier one ended is redundant.
// An automaton over those sequences (Aho and Corasick's) then refuses
// any slide that would end one. A search that keeps to the automaton
// still finds a shortest solution: of the shortest solutions, the first
// in that order contains no redundant stretch, since putting the earlier
// sequence in its place would make one earlier still.
class SequenceFilter {
public:
    // The automaton's state before any slide.
    static constexpr int kStart = 0;

    // From the identities of up to `longest` slides, going no further in
    // length once the sequences of one length kept exceed `budget`. Beyond
    // 25 cells, only slides of parallel lines out of order and of one line
    // twice running are refused (SlideSet::MayFollow).
    SequenceFilter(const SlideSet& slides, int longest, std::size_t budget);
    // The game's filter of one grid size (identities of up to five slides,
    // a few megabytes at most), made on first use and kept; safe to call
    // from any thread.
    SequenceFilter(int rows, int columns);
    static const SequenceFilter& For(int rows, int columns);

    // The state after `slide` from `state`, or -1 when a sequence ending
    // so need not be tried.
    int Next(int state, int slide) const { return next[std::size_t(state) * std::size_t(moves) + std::size_t(slide)]; }
    // The length of the longest identity taken into account, and the
    // number of states.
    int Longest() const { return longest; }
    int States() const { return int(next.size() / std::size_t(moves)); }
    // How many sequences of each length the automaton lets through, from
    // 0 (one, the empty sequence) up to `length`; for the tests and the
    // benchmark, which compare them with the positions at that distance.
    std::vector<std::uint64_t> Sequences(int length) const;

private:
    int moves = 0;
    int longest = 0;
    std::vector<std::int32_t> next;
};

} // namespace tesselo::solver
