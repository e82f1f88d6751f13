#include "solver/optimal_search.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tesselo::solver {

namespace {

constexpr int kNoSolution = 1000;
// No grid of up to 36 cells has more slides (6 x 6 has 60).
constexpr int kMostSlides = 64;
// Readings taken of each child in a round at most, after the first
// round's one: eight entries of each of some twenty children on their way
// at once keep memory busy without crowding each other out.
constexpr int kRoundReadings = 8;

} // namespace

struct OptimalSearch::Run {
    const SlideSet& slides;
    const PatternBound* bound;
    const SequenceFilter* filter;
    std::stop_token stop;
    int cells = 0;
    int limit = 0;
    std::uint64_t nodes = 0;
    bool stopped = false;
    // The reading that last cut a child: the next children are likely cut
    // by it too, so it is read first.
    int first = 0;
    std::vector<int> path;

    int Estimate(const SearchState& s, int enough)
    {
        if (bound)
            return bound->Bound(s, enough, &first);
        return s.IsSolved(cells) ? 0 : 1;
    }

    struct Children {
        std::array<SearchState, kMostSlides> state;
        std::array<int, kMostSlides> slide;
        std::array<int, kMostSlides> filterState;
        int count = 0;
    };

    void Generate(const SearchState& s, int previous, int filterState, Children& children) const
    {
        children.count = 0;
        for (int m = 0; m < slides.Count(); ++m) {
            int after = 0;
            if (filter) {
                after = filter->Next(filterState, m);
                if (after < 0)
                    continue;
            } else if (!slides.MayFollow(previous, m)) {
                continue;
            }
            const int c = children.count++;
            children.state[std::size_t(c)] = s.After(slides, m);
            children.slide[std::size_t(c)] = m;
            children.filterState[std::size_t(c)] = after;
        }
    }

    // Leaves in `alive` (the first `count` entries) the children whose
    // bound is within `room`; `next` gets the least total above the limit
    // among the others.
    int Prune(const Children& children, std::array<int, kMostSlides>& alive, int count, int room, int depth,
              int& next)
    {
        const int readings = bound->Readings();
        const int start = first;
        std::array<std::array<std::uint64_t, kRoundReadings>, kMostSlides> entries;
        for (int done = 0; done < readings && count > 0;) {
            // One reading of each first: most children are cut by it.
            const int batch = std::min(done == 0 ? 1 : std::min(bound->Batch(), kRoundReadings), readings - done);
            const auto at = [&](int j) {
                const int k = start + done + j;
                return k < readings ? k : k - readings;
            };
            for (int a = 0; a < count; ++a)
                for (int j = 0; j < batch; ++j) {
                    const std::uint64_t entry =
                        bound->Entry(at(j), children.state[std::size_t(alive[std::size_t(a)])]);
                    entries[std::size_t(a)][std::size_t(j)] = entry;
                    bound->Fetch(at(j), entry);
                }
            int kept = 0;
            for (int a = 0; a < count; ++a) {
                int worst = 0;
                int which = 0;
                for (int j = 0; j < batch; ++j) {
                    const int h = bound->Value(at(j), entries[std::size_t(a)][std::size_t(j)]);
                    if (h > worst) {
                        worst = h;
                        which = at(j);
                    }
                }
                if (worst > room) {
                    next = std::min(next, depth + 1 + worst);
                    first = which;
                } else {
                    alive[std::size_t(kept++)] = alive[std::size_t(a)];
                }
            }
            count = kept;
            done += batch;
        }
        return count;
    }

    // The smallest total above the limit met, or 0 when solved.
    int Search(const SearchState& s, int depth, int previous, int filterState)
    {
        if (s.IsSolved(cells))
            return 0;
        if ((++nodes & 4095) == 0 && stop.stop_requested())
            stopped = true;
        if (stopped)
            return kNoSolution;
        Children children;
        Generate(s, previous, filterState, children);
        std::array<int, kMostSlides> alive;
        for (int c = 0; c < children.count; ++c)
            alive[std::size_t(c)] = c;
        int next = kNoSolution;
        const int count = Prune(children, alive, children.count, limit - depth - 1, depth, next);
        for (int a = 0; a < count; ++a) {
            const auto c = std::size_t(alive[std::size_t(a)]);
            path.push_back(children.slide[c]);
            const int found = Search(children.state[c], depth + 1, children.slide[c], children.filterState[c]);
            if (found == 0)
                return 0;
            path.pop_back();
            next = std::min(next, found);
            if (stopped)
                return kNoSolution;
        }
        return next;
    }

    // The same a child at a time, each bounded as it comes: where the
    // tables sit in the processor's cache there is nothing to wait for.
    int SearchEach(const SearchState& s, int depth, int previous, int filterState)
    {
        if (s.IsSolved(cells))
            return 0;
        if ((++nodes & 4095) == 0 && stop.stop_requested())
            stopped = true;
        if (stopped)
            return kNoSolution;
        int next = kNoSolution;
        const int room = limit - depth - 1;
        // Here siblings share the reading that cut the last of them.
        int cut = 0;
        for (int m = 0; m < slides.Count(); ++m) {
            int after = 0;
            if (filter) {
                after = filter->Next(filterState, m);
                if (after < 0)
                    continue;
            } else if (!slides.MayFollow(previous, m)) {
                continue;
            }
            const SearchState child = s.After(slides, m);
            const int h = bound ? bound->Bound(child, room, &cut) : Estimate(child, room);
            if (h > room) {
                next = std::min(next, depth + 1 + h);
                continue;
            }
            path.push_back(m);
            const int found = SearchEach(child, depth + 1, m, after);
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

OptimalSearch::OptimalSearch(const SlideSet& slides, const PatternBound* bound, const SequenceFilter* filter)
    : slides(slides), bound(bound), filter(filter)
{
}

OptimalSearch::Result OptimalSearch::Solve(const CompactPosition& position, int limit, std::stop_token stop) const
{
    Result result;
    Run run{slides, bound, filter, std::move(stop), position.CellCount(), 0, 0, false, 0, {}};
    const SearchState start = SearchState::Of(position);
    run.limit = run.Estimate(start, limit);
    while (run.limit <= limit) {
        const int next = !bound || bound->Batch() == 1 ? run.SearchEach(start, 0, -1, SequenceFilter::kStart)
                                                        : run.Search(start, 0, -1, SequenceFilter::kStart);
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
