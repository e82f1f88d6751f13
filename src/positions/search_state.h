#pragma once

#include "positions/position.h"
#include "positions/slide_set.h"

#include <array>
#include <bit>
#include <cstdint>

namespace tesselo::solver {

// A position as a search holds it: the home of each cell's piece and,
// kept alongside, the cell of each piece, so that a pattern table can be
// read for the position and for its inverse without a scan.
struct SearchState {
    std::array<std::uint8_t, CompactPosition::kMaxCells> home{};
    std::array<std::uint8_t, CompactPosition::kMaxCells> cellOf{};

    static SearchState Of(const CompactPosition& position)
    {
        SearchState s;
        for (int cell = 0; cell < position.CellCount(); ++cell) {
            s.home[std::size_t(cell)] = std::uint8_t(position.Home(cell));
            s.cellOf[std::size_t(position.Home(cell))] = std::uint8_t(cell);
        }
        return s;
    }

    // The state after slide `slide` of `slides`.
    SearchState After(const SlideSet& slides, int slide) const
    {
        SearchState s = *this;
        const SlideSet::CellMap& to = slides.Destination(slide);
        for (std::uint64_t line = slides.LineCells(slide); line != 0; line &= line - 1) {
            const int from = std::countr_zero(line);
            const std::uint8_t piece = home[std::size_t(from)];
            s.home[to[std::size_t(from)]] = piece;
            s.cellOf[piece] = to[std::size_t(from)];
        }
        return s;
    }

    bool IsSolved(int cells) const
    {
        for (int cell = 0; cell < cells; ++cell)
            if (home[std::size_t(cell)] != cell)
                return false;
        return true;
    }
};

} // namespace tesselo::solver
