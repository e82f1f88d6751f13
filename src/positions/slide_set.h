#pragma once

#include "positions/position.h"
#include "positions/slide.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tesselo::solver {

// Every distinct slide of one grid size, numbered, with where each slide
// takes the piece of every cell: what a search applies and compares many
// times over.
class SlideSet {
public:
    using CellMap = std::array<std::uint8_t, CompactPosition::kMaxCells>;

    SlideSet(int rows, int columns);
    // The set of one grid size, made once and shared by every thread.
    static const SlideSet& For(int rows, int columns);

    int Rows() const { return rows; }
    int Columns() const { return columns; }
    int Count() const { return static_cast<int>(entries.size()); }
    const Slide& At(int index) const { return entries[std::size_t(index)].slide; }
    // The number of `slide`, or -1 when the grid has no such slide.
    int IndexOf(const Slide& slide) const;
    // The cell the piece in `cell` moves to.
    const CellMap& Destination(int index) const { return entries[std::size_t(index)].to; }
    // Rows are lines 0..rows-1, columns rows..rows+columns-1.
    int Line(int index) const { return entries[std::size_t(index)].line; }
    std::uint64_t LineCells(int index) const { return entries[std::size_t(index)].cells; }
    int Inverse(int index) const { return entries[std::size_t(index)].inverse; }
    // Whether `next` may come straight after `previous` (-1: nothing before)
    // in a search that sees each sequence in one order only: slides of
    // different rows commute, as do slides of different columns, so a run of
    // one axis is taken in increasing line order, and a line never twice
    // running (two slides of one line are one slide).
    bool MayFollow(int previous, int next) const
    {
        if (previous < 0)
            return true;
        const int a = Line(previous);
        const int b = Line(next);
        const bool sameAxis = (a < rows) == (b < rows);
        return sameAxis ? b > a : true;
    }

private:
    struct Entry {
        Slide slide;
        std::uint8_t line = 0;
        std::uint8_t inverse = 0;
        std::uint64_t cells = 0;
        CellMap to{};
    };
    int rows;
    int columns;
    std::vector<Entry> entries;
};

} // namespace tesselo::solver
