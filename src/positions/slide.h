#pragma once

#include <cstdint>

namespace tesselo::solver {

enum class Axis : std::uint8_t { Row, Column };

// One move of the puzzle: a whole row or column slid cyclically. Lines are
// numbered from 0, rows from the top and columns from the left. The amount
// is in cells, positive to the right (a row) or down (a column), and kept
// in (-length/2, length/2], so that each distinct move has exactly one
// form and a tie (half the line) is written positive.
struct Slide {
    Axis axis = Axis::Row;
    std::int8_t line = 0;
    std::int8_t amount = 0;

    bool operator==(const Slide&) const = default;
};

// `amount` brought into (-length/2, length/2]; 0 for a slide that comes
// round to where it started. The arithmetic is 64-bit, so any int works.
int NormalisedAmount(std::int64_t amount, int length);

// The slide that undoes `slide` on a line of `length` cells.
Slide InverseSlide(const Slide& slide, int length);

} // namespace tesselo::solver
