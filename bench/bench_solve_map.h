#pragma once

namespace tesselo::bench {

// The map of a long solve: time to its first point and to its last.
void RegisterSolveMapCases(bool tiny);

} // namespace tesselo::bench
