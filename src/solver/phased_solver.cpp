#include "solver/phased_solver.h"

#include <algorithm>

namespace tesselo::solver {

PhasedSolver::PhasedSolver(const PhaseTables& tables) : PhasedSolver(tables, Options()) {}

PhasedSolver::PhasedSolver(const PhaseTables& tables, Options options)
    : tables(tables), options(options), slides(SlideSet::For(tables.Rows(), tables.Columns())),
      symmetries(slides)
{
}

void PhasedSolver::Enumerate(int phase, Partial& at, int remaining, int previous, std::vector<Partial>& ends) const
{
    if (remaining == 0) {
        ends.push_back(at);
        return;
    }
    const PatternTable& table = tables.Phase(phase);
    const SearchState from = at.state;
    for (const int m : table.Slides()) {
        if (!slides.MayFollow(previous, m))
            continue;
        at.state = from.After(slides, m);
        if (table.Distance(at.state) != remaining - 1)
            continue;
        at.slides.push_back(m);
        Enumerate(phase, at, remaining - 1, m, ends);
        at.slides.pop_back();
        if (int(ends.size()) >= options.endsPerState)
            break;
    }
    at.state = from;
}

std::optional<std::vector<int>> PhasedSolver::SolveImage(const SearchState& image) const
{
    std::vector<Partial> beam{Partial{image, {}, 0}};
    for (int phase = 0; phase < tables.Phases(); ++phase) {
        std::vector<Partial> next;
        for (Partial& partial : beam) {
            const int d = tables.Phase(phase).Distance(partial.state);
            if (d >= PatternTable::kUnreached)
                continue;
            // A phase starts afresh: the rule that orders slides of parallel
            // lines may not reach back into the last phase, whose end
            // reordering would change.
            std::vector<Partial> ends;
            Enumerate(phase, partial, d, -1, ends);
            next.insert(next.end(), ends.begin(), ends.end());
        }
        if (next.empty())
            return std::nullopt;
        // The same position reached two ways is one partial solution.
        std::sort(next.begin(), next.end(), [](const Partial& a, const Partial& b) {
            return a.state.home != b.state.home ? a.state.home < b.state.home : a.slides.size() < b.slides.size();
        });
        next.erase(std::unique(next.begin(), next.end(),
                               [](const Partial& a, const Partial& b) { return a.state.home == b.state.home; }),
                   next.end());
        // Scored by the slides so far and what the next phase will need.
        for (Partial& p : next) {
            p.score = int(p.slides.size());
            if (phase + 1 < tables.Phases())
                p.score += tables.Phase(phase + 1).Distance(p.state);
        }
        std::stable_sort(next.begin(), next.end(), [](const Partial& a, const Partial& b) { return a.score < b.score; });
        if (int(next.size()) > options.beamWidth)
            next.resize(std::size_t(options.beamWidth));
        beam = std::move(next);
    }
    return beam.front().slides;
}

std::optional<std::vector<int>> PhasedSolver::Solve(const CompactPosition& position, std::stop_token stop) const
{
    if (position.Rows() != tables.Rows() || position.Columns() != tables.Columns())
        return std::nullopt;
    std::optional<std::vector<int>> best;
    for (int inverse = 0; inverse < (options.inverse ? 2 : 1); ++inverse) {
        const CompactPosition start = inverse ? position.Inverse() : position;
        for (int s = 0; s < symmetries.Count(); ++s) {
            if (!options.mirrors && s >= position.CellCount())
                break;
            if (stop.stop_requested())
                return std::nullopt;
            const auto found = SolveImage(SearchState::Of(symmetries.Relabel(start, s)));
            if (!found || (best && found->size() >= best->size()))
                continue;
            std::vector<int> solution;
            for (const int m : *found)
                solution.push_back(symmetries.SlideBack(s, m));
            if (inverse) {
                // The inverse solved by a, b, c is solved by c', b', a'.
                std::reverse(solution.begin(), solution.end());
                for (int& m : solution)
                    m = slides.Inverse(m);
            }
            best = std::move(solution);
        }
    }
    return best;
}

} // namespace tesselo::solver
