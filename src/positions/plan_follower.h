#pragma once

#include "positions/plan.h"
#include "positions/position.h"

#include <optional>

namespace tesselo::solver {

// Keeps a plan in step with the board, so that each hint the player
// follows takes the plan down by exactly one slide, and the plan is made
// anew only when the player leaves it.
//
// Kept to the plan: its next slide; a part of it (an arrow key slides one
// cell a press), which leaves the rest of that slide next; or a slide of
// another line in the run of parallel lines at the plan's head, since such
// slides may come in any order.
class PlanFollower {
public:
    // Follows `plan` from `start`; a plan that does not solve `start` is
    // not taken.
    bool Adopt(const Position& start, Plan plan);
    void Drop() { active = false; }

    // Whether there is a plan for the board as last seen.
    bool Active() const { return active; }
    const Plan& Remaining() const { return plan; }
    const Position& Current() const { return current; }
    // The slide to hint; none without a plan or when solved.
    std::optional<Slide> Next() const;

    // The player made `slide`, and the board shows `now`. True when that
    // kept to the plan (which is then the rest of it); false when it left
    // the plan, or the board is not where the plan said, and the plan is
    // dropped.
    bool Played(const Slide& slide, const Position& now);

private:
    Position current;
    Plan plan;
    bool active = false;
};

} // namespace tesselo::solver
