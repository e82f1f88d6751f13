#pragma once

#include "positions/search_state.h"
#include "positions/slide_set.h"
#include "tables/pattern_table.h"

#include <vector>

namespace tesselo::solver {

// A lower bound on the distance of a position from solved, from pattern
// tables built with no fixed cells: each table read for every set of
// pieces a symmetry of the board makes of its own set, for the position
// and for its inverse, and the largest taken. Each reading is a true
// distance for some pieces, so the largest never overestimates.
//
// The tables are far larger than the processor's caches, so a reading
// mostly waits for memory: readings are taken a few at a time, each
// entry asked for before the first is looked at, and a search that has
// several positions to bound does the same across them (Entry, Fetch,
// Value).
class PatternBound {
public:
    PatternBound(const SlideSet& slides, std::vector<const PatternTable*> tables);

    // The bound, or as soon as one reading exceeds `enough`, that reading.
    // `first` is the reading to start with, and on return the one that
    // exceeded: siblings in a search tend to be cut by the same reading.
    int Bound(const SearchState& state, int enough, int* first = nullptr) const;
    // The number of readings a full bound takes.
    int Readings() const { return int(readings.size()); }
    // How many readings are best taken together: one at a time when the
    // tables fit in the processor's cache, where asking ahead only costs.
    int Batch() const { return batch; }

    // One reading of `state` in steps: the table entry it looks at, that
    // entry asked for ahead, and its value.
    std::uint64_t Entry(int reading, const SearchState& state) const
    {
        const Reading& r = readings[std::size_t(reading)];
        // Of the position relabelled by g: the piece g(p) sits at g(cell
        // of p). Of its inverse, the roles of cell and home swap.
        const auto& where = r.inverse ? state.home : state.cellOf;
        std::uint8_t cells[CompactPosition::kMaxCells];
        for (int i = 0; i < r.pieces; ++i)
            cells[i] = r.cell[where[r.piece[std::size_t(i)]]];
        return r.table->Index(cells);
    }
    void Fetch(int reading, std::uint64_t entry) const { readings[std::size_t(reading)].table->Fetch(entry); }
    int Value(int reading, std::uint64_t entry) const
    {
        return readings[std::size_t(reading)].table->DistanceAt(entry);
    }

private:
    struct Reading {
        const PatternTable* table = nullptr;
        bool inverse = false;
        std::array<std::uint8_t, CompactPosition::kMaxCells> piece{}; // the pieces to look at, relabelled back
        std::array<std::uint8_t, CompactPosition::kMaxCells> cell{};  // where the symmetry takes a cell
        int pieces = 0;
    };
    std::vector<Reading> readings;
    int batch = 1;
};

} // namespace tesselo::solver
