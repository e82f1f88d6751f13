#pragma once

#include "positions/plan.h"
#include "positions/position.h"
#include "tables/pattern_table.h"

#include <cstdint>

namespace tesselo::solver {

// What a checksum cannot tell: tables damaged and saved again, or written
// by something else, read back sound. These look at what must hold of any
// answer and of any table, whatever their bytes.

// Whether `plan` takes `position` to solved, every slide one of its grid.
bool BringsHome(Position position, const Plan& plan);

// A few `probes` of a built table at entries drawn from `seed`, and at the
// solved pattern's neighbours: the solved pattern alone is at distance 0,
// an entry and each of its neighbours differ by at most one slide, and an
// entry some slides from home has a neighbour one slide closer. A table
// that fails one is damaged; one that passes them all may still be, in
// entries no probe met.
bool LooksSound(const PatternTable& table, int probes, std::uint64_t seed);

} // namespace tesselo::solver
