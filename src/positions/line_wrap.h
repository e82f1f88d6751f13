#pragma once

namespace tesselo {

// Where `index` lands on a line of `length` cells that wraps round, as the
// board's rows and columns do: any whole number, below zero or past the
// end, comes back into 0 .. length - 1. The arithmetic is in the index's
// own type: a caller whose sum could overflow an int (an amount read from
// a file) passes a 64-bit one. `length` is above zero.
template <typename Index> constexpr int WrapIndex(Index index, int length)
{
    const Index r = index % length;
    return static_cast<int>(r < 0 ? r + length : r);
}

} // namespace tesselo
