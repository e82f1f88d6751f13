#pragma once

#include "positions/pattern_table.h"
#include "positions/search_state.h"
#include "positions/slide_set.h"

#include <vector>

namespace tesselo::solver {

// A lower bound on the distance of a position from solved, from pattern
// tables built with no fixed cells: each table read for every set of
// pieces a symmetry of the board makes of its own set, for the position
// and for its inverse, and the largest taken. Each reading is a true
// distance for some pieces, so the largest never overestimates.
class PatternBound {
public:
    PatternBound(const SlideSet& slides, std::vector<const PatternTable*> tables);

    // The bound, or as soon as one reading exceeds `enough`, that reading.
    // `first` is the reading to start with, and on return the one that
    // exceeded: siblings in a search tend to be cut by the same reading.
    int Bound(const SearchState& state, int enough, int* first = nullptr) const;
    // The number of readings a full bound takes.
    int Readings() const { return int(readings.size()); }

private:
    struct Reading {
        const PatternTable* table = nullptr;
        bool inverse = false;
        std::array<std::uint8_t, CompactPosition::kMaxCells> piece{}; // the pieces to look at, relabelled back
        std::array<std::uint8_t, CompactPosition::kMaxCells> cell{};  // where the symmetry takes a cell
        int pieces = 0;
    };
    std::vector<Reading> readings;
};

} // namespace tesselo::solver
