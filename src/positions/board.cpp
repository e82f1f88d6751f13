#include "positions/board.h"

namespace tesselo::solver {

void AppendMerged(std::vector<Slide>& plan, Slide slide, int rows, int columns)
{
    const int length = slide.axis == Axis::Row ? columns : rows;
    slide.amount = std::int8_t(NormalisedAmount(slide.amount, length));
    if (slide.amount == 0)
        return;
    for (auto at = plan.rbegin(); at != plan.rend() && at->axis == slide.axis; ++at) {
        if (at->line != slide.line)
            continue;
        at->amount = std::int8_t(NormalisedAmount(at->amount + slide.amount, length));
        if (at->amount == 0)
            plan.erase(std::next(at).base());
        return;
    }
    plan.push_back(slide);
}

} // namespace tesselo::solver
