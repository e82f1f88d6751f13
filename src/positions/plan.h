#pragma once

#include "positions/slide.h"

#include <vector>

namespace tesselo::solver {

// A way from a position to solved: its slides in order, and whether no
// shorter way exists (proven, not merely likely).
struct Plan {
    std::vector<Slide> slides;
    bool optimal = false;

    int Length() const { return int(slides.size()); }
    bool operator==(const Plan&) const = default;
};

} // namespace tesselo::solver
