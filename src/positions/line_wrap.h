#pragma once

#include <cstdint>

namespace tesselo {

// Where `index` lands on a line of `length` cells that wraps round, as the
// board's rows and columns do: any whole number, below zero or past the
// end, comes back into 0 .. length - 1. In 64 bits, so that an index made
// from the most negative amount cannot overflow. `length` is above zero.
constexpr int WrapIndex(std::int64_t index, int length)
{
    const std::int64_t r = index % length;
    return static_cast<int>(r < 0 ? r + length : r);
}

} // namespace tesselo
