#pragma once

namespace tesselo::bench {

// The solver: the build of each table, and the mean solve time and length
// over fixed sets of random positions of each grid (1000 each for 2 x 3,
// 3 x 3 and 3 x 4, 100 for 4 x 6 with the large tables; 100 each for 4 x 4,
// 5 x 5, 6 x 6, 8 x 8 and 10 x 10, 20 for 16 x 16). `tiny` keeps every case
// to a few positions (one for the grids no level has) and the 4 x 6 case to
// the quick tables.
void RegisterSolverCases(bool tiny);
// After the run: the mean length and time of each grid no level has,
// against its targets.
void PrintSolverTargets();

} // namespace tesselo::bench
