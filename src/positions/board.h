#pragma once

#include "positions/line_wrap.h"
#include "positions/position.h"
#include "positions/slide.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tesselo::solver {

// A position as the solver for large grids works on it: the piece in each
// cell and, kept alongside, the cell of each piece, so that finding a piece
// takes no scan.
struct Board {
    int rows = 0;
    int columns = 0;
    using Cell = Position::Cell;
    std::array<Cell, Position::kMaxCells> piece{}; // the home of the piece in each cell
    std::array<Cell, Position::kMaxCells> cell{};  // the cell of each piece

    static Board Of(const Position& position)
    {
        Board board;
        board.rows = position.Rows();
        board.columns = position.Columns();
        for (int c = 0; c < position.CellCount(); ++c) {
            board.piece[std::size_t(c)] = Cell(position.Home(c));
            board.cell[std::size_t(position.Home(c))] = Cell(c);
        }
        return board;
    }

    int Length(Axis axis) const { return axis == Axis::Row ? columns : rows; }
    int At(Axis axis, int line, int index) const
    {
        return axis == Axis::Row ? line * columns + index : index * columns + line;
    }
    // Slides one line by any amount (taken round the line).
    void Apply(Axis axis, int line, int amount)
    {
        const int length = Length(axis);
        std::array<Cell, 128> held;
        for (int i = 0; i < length; ++i)
            held[std::size_t(i)] = piece[std::size_t(At(axis, line, i))];
        for (int i = 0; i < length; ++i) {
            const int to = At(axis, line, WrapIndex(i + amount, length));
            piece[std::size_t(to)] = held[std::size_t(i)];
            cell[held[std::size_t(i)]] = Cell(to);
        }
    }
    void Apply(const Slide& slide) { Apply(slide.axis, slide.line, slide.amount); }
    bool IsSolved() const
    {
        for (int c = 0; c < rows * columns; ++c)
            if (piece[std::size_t(c)] != c)
                return false;
        return true;
    }
};

// Appends `slide` to `plan`, merged with an earlier slide of the same line
// when only slides of parallel lines (which it commutes with) come between;
// a slide that comes round to nothing disappears.
void AppendMerged(std::vector<Slide>& plan, Slide slide, int rows, int columns);

} // namespace tesselo::solver
