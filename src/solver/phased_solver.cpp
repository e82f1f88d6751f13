#include "solver/phased_solver.h"

#include "positions/board.h"
#include "solver/ring_solver.h"

#include <algorithm>

namespace tesselo::solver {

PhasedSolver::PhasedSolver(const PhaseTables& tables) : PhasedSolver(tables, Options()) {}

PhasedSolver::PhasedSolver(const PhaseTables& tables, Options options)
    : tables(tables), options(options), slides(SlideSet::For(tables.Rows(), tables.Columns())),
      symmetries(slides)
{
    if (!RingsLeft())
        return;
    const int rows = tables.Rows();
    const int columns = tables.Columns();
    std::uint64_t block = 0;
    std::vector<std::uint8_t> row;
    std::vector<std::uint8_t> column;
    for (int cell = 0; cell < rows * columns; ++cell) {
        if (cell / columns < rows - 1 && cell % columns < columns - 1)
            block |= std::uint64_t(1) << cell;
        else if (cell / columns == rows - 1)
            row.push_back(std::uint8_t(cell));
        else
            column.push_back(std::uint8_t(cell));
    }
    for (auto& pieces : {row, column}) {
        ringTables.push_back(std::make_unique<PatternTable>(PatternTable::Pattern{rows, columns, block, pieces}));
        ringTables.back()->Build();
    }
}

bool PhasedSolver::RingsLeft() const
{
    const PhaseTables::Block last = tables.Blocks().back();
    return last.rows == tables.Rows() - 1 && last.columns == tables.Columns() - 1;
}

int PhasedSolver::RingsEstimate(const SearchState& state) const
{
    int most = 0;
    for (const auto& table : ringTables)
        most = std::max(most, table->Distance(state));
    return most;
}

std::optional<std::vector<int>> PhasedSolver::Rings(const SearchState& state, std::stop_token stop) const
{
    const int cells = tables.Rows() * tables.Columns();
    std::vector<int> homes(state.home.begin(), state.home.begin() + cells);
    Board board = Board::Of(*Position::FromHomes(tables.Rows(), tables.Columns(), homes));
    std::vector<Slide> turns;
    if (!RingSolver::Solve(board, turns, std::move(stop)))
        return std::nullopt;
    std::vector<int> out;
    for (const Slide& turn : turns)
        out.push_back(slides.IndexOf(turn));
    return out;
}

void PhasedSolver::Enumerate(int phase, Partial& at, int remaining, int previous, std::vector<Partial>& ends) const
{
    if (remaining == 0) {
        ends.push_back(at);
        return;
    }
    const PatternTable& table = tables.Phase(phase);
    const SearchState from = at.state;
    // A slide that moves none of the phase's pieces leaves its distance as
    // it was, and so is on no shortest way.
    std::uint64_t occupied = 0;
    for (const std::uint8_t piece : table.Definition().pieces)
        occupied |= std::uint64_t(1) << from.cellOf[piece];
    for (const int m : table.Slides()) {
        if (!slides.MayFollow(previous, m) || !(slides.LineCells(m) & occupied))
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

std::vector<PhasedSolver::Partial> PhasedSolver::SolveImage(const SearchState& image) const
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
            return {};
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
            else if (RingsLeft())
                p.score += RingsEstimate(p.state);
        }
        std::stable_sort(next.begin(), next.end(), [](const Partial& a, const Partial& b) { return a.score < b.score; });
        if (int(next.size()) > options.beamWidth)
            next.resize(std::size_t(options.beamWidth));
        beam = std::move(next);
    }
    return beam;
}

std::optional<std::vector<int>> PhasedSolver::Solve(const CompactPosition& position, std::stop_token stop) const
{
    if (position.Rows() != tables.Rows() || position.Columns() != tables.Columns())
        return std::nullopt;
    const bool rings = RingsLeft();
    // The partial solutions left for the rings, with their image.
    struct Unfinished {
        Partial partial;
        int symmetry = 0;
        bool inverse = false;
    };
    std::vector<Unfinished> unfinished;
    std::optional<std::vector<int>> best;
    // A solution of an image, as a solution of the position.
    const auto keep = [&](const std::vector<int>& found, int symmetry, bool inverse) {
        if (best && found.size() >= best->size())
            return;
        std::vector<int> solution;
        for (const int m : found)
            solution.push_back(symmetries.SlideBack(symmetry, m));
        if (inverse) {
            // The inverse solved by a, b, c is solved by c', b', a'.
            std::reverse(solution.begin(), solution.end());
            for (int& m : solution)
                m = slides.Inverse(m);
        }
        best = std::move(solution);
    };
    for (int inverse = 0; inverse < (options.inverse ? 2 : 1); ++inverse) {
        const CompactPosition start = inverse ? position.Inverse() : position;
        for (int s = 0; s < symmetries.Count(); ++s) {
            if (!options.mirrors && s >= position.CellCount())
                break;
            if (stop.stop_requested())
                return std::nullopt;
            std::vector<Partial> ends = SolveImage(SearchState::Of(symmetries.Relabel(start, s)));
            if (ends.empty())
                continue;
            if (!rings) {
                keep(ends.front().slides, s, inverse != 0);
                continue;
            }
            for (Partial& end : ends)
                unfinished.push_back(Unfinished{std::move(end), s, inverse != 0});
        }
    }
    if (!rings)
        return best;
    std::stable_sort(unfinished.begin(), unfinished.end(),
                     [](const Unfinished& a, const Unfinished& b) { return a.partial.score < b.partial.score; });
    for (std::size_t i = 0; i < unfinished.size() && i < std::size_t(options.ringsTried); ++i) {
        const Unfinished& u = unfinished[i];
        const auto turns = Rings(u.partial.state, stop);
        if (stop.stop_requested())
            return std::nullopt;
        if (!turns)
            continue;
        std::vector<int> found = u.partial.slides;
        found.insert(found.end(), turns->begin(), turns->end());
        keep(found, u.symmetry, u.inverse);
    }
    return best;
}

} // namespace tesselo::solver
