#pragma once

namespace tesselo::bench {

// The solver: the build of each table, and the mean solve time and length
// over fixed sets of random positions of each grid (1000 each for 2 x 3,
// 3 x 3 and 3 x 4, 100 for 4 x 6 with the large tables). `tiny` keeps every
// case to a few positions and the 4 x 6 case to the quick tables.
void RegisterSolverCases(bool tiny);

} // namespace tesselo::bench
