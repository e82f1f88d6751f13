#include "positions/plan_follower.h"

namespace tesselo::solver {

bool PlanFollower::Adopt(const Position& start, Plan p)
{
    Position end = start;
    for (const Slide& slide : p.slides) {
        if (!end.Allows(slide)) {
            active = false;
            return false;
        }
        end.Apply(slide);
    }
    active = end.IsSolved();
    if (active) {
        current = start;
        plan = std::move(p);
    }
    return active;
}

std::optional<Slide> PlanFollower::Next() const
{
    if (!active || plan.slides.empty())
        return std::nullopt;
    return plan.slides.front();
}

bool PlanFollower::Played(const Slide& slide, const Position& now)
{
    if (!active)
        return false;
    Position expected = current;
    expected.Apply(slide);
    active = expected == now && current.Allows(slide);
    if (!active)
        return false;

    // The slide of the same line in the run of parallel lines at the head
    // of the plan.
    auto& slides = plan.slides;
    std::size_t match = 0;
    while (match < slides.size() && slides[match].axis == slides.front().axis &&
           !(slides[match].axis == slide.axis && slides[match].line == slide.line))
        ++match;
    if (match == slides.size() || slides[match].axis != slides.front().axis) {
        active = false;
        return false;
    }
    const int rest = NormalisedAmount(slides[match].amount - slide.amount, now.LineLength(slide.axis));
    if (rest == 0) {
        slides.erase(slides.begin() + std::ptrdiff_t(match));
    } else {
        // Part of a slide, or the line slid the other way: the plan is as
        // long as before from a position one slide on, so no longer known
        // to be shortest.
        slides[match].amount = std::int8_t(rest);
        plan.optimal = false;
    }
    current = now;
    return true;
}

} // namespace tesselo::solver
