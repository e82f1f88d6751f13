#include "positions/slide_set.h"

#include "positions/line_wrap.h"
#include "positions/per_grid.h"

namespace tesselo::solver {

SlideSet::SlideSet(int rows, int columns) : rows(rows), columns(columns)
{
    for (int axis = 0; axis < 2; ++axis) {
        const bool row = axis == 0;
        const int lines = row ? rows : columns;
        const int length = row ? columns : rows;
        for (int line = 0; line < lines; ++line)
            for (int amount = -(length - 1) / 2; amount <= length / 2; ++amount) {
                if (amount == 0)
                    continue;
                Entry e;
                e.slide = Slide{row ? Axis::Row : Axis::Column, std::int8_t(line), std::int8_t(amount)};
                e.line = std::uint8_t(row ? line : rows + line);
                for (int cell = 0; cell < rows * columns; ++cell)
                    e.to[std::size_t(cell)] = std::uint8_t(cell);
                for (int i = 0; i < length; ++i) {
                    const int target = WrapIndex(i + amount, length);
                    const int from = row ? line * columns + i : i * columns + line;
                    const int to = row ? line * columns + target : target * columns + line;
                    e.to[std::size_t(from)] = std::uint8_t(to);
                    e.cells |= std::uint64_t(1) << from;
                }
                entries.push_back(e);
            }
    }
    for (Entry& e : entries)
        e.inverse = std::uint8_t(IndexOf(InverseSlide(e.slide, e.slide.axis == Axis::Row ? columns : rows)));
}

int SlideSet::IndexOf(const Slide& slide) const
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].slide == slide)
            return int(i);
    return -1;
}

const SlideSet& SlideSet::For(int rows, int columns)
{
    return PerGrid<SlideSet>(rows, columns);
}

} // namespace tesselo::solver
