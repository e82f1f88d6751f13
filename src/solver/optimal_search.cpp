#include "solver/optimal_search.h"

#include <algorithm>
#include <utility>

namespace tesselo::solver {

namespace {

constexpr int kNoSolution = 1000;

} // namespace

struct OptimalSearch::Run {
    const SlideSet& slides;
    const PatternBound* bound;
    std::stop_token stop;
    int cells = 0;
    int limit = 0;
    std::uint64_t nodes = 0;
    bool stopped = false;
    std::vector<int> path;

    int Estimate(const SearchState& s, int enough, int* first = nullptr) const
    {
        if (bound)
            return bound->Bound(s, enough, first);
        return s.IsSolved(cells) ? 0 : 1;
    }

    // The smallest total above the limit met, or 0 when solved.
    int Search(const SearchState& s, int depth, int previous)
    {
        if (s.IsSolved(cells))
            return 0;
        if ((++nodes & 4095) == 0 && stop.stop_requested())
            stopped = true;
        if (stopped)
            return kNoSolution;
        int next = kNoSolution;
        int first = 0;
        for (int m = 0; m < slides.Count(); ++m) {
            if (!slides.MayFollow(previous, m))
                continue;
            const SearchState child = s.After(slides, m);
            const int room = limit - depth - 1;
            const int h = Estimate(child, room, &first);
            if (h > room) {
                next = std::min(next, depth + 1 + h);
                continue;
            }
            path.push_back(m);
            const int found = Search(child, depth + 1, m);
            if (found == 0)
                return 0;
            path.pop_back();
            next = std::min(next, found);
            if (stopped)
                return kNoSolution;
        }
        return next;
    }
};

OptimalSearch::OptimalSearch(const SlideSet& slides, const PatternBound* bound) : slides(slides), bound(bound) {}

OptimalSearch::Result OptimalSearch::Solve(const CompactPosition& position, int limit, std::stop_token stop) const
{
    Result result;
    Run run{slides, bound, std::move(stop), position.CellCount(), 0, 0, false, {}};
    const SearchState start = SearchState::Of(position);
    run.limit = run.Estimate(start, limit);
    while (run.limit <= limit) {
        const int next = run.Search(start, 0, -1);
        result.nodes = run.nodes;
        if (run.stopped) {
            result.outcome = Outcome::Stopped;
            return result;
        }
        if (next == 0) {
            result.outcome = Outcome::Found;
            result.slides = run.path;
            return result;
        }
        run.limit = next;
    }
    return result;
}

} // namespace tesselo::solver
