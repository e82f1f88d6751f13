#include "solver/solver.h"

#include "solver/distance_table.h"
#include "solver/optimal_search.h"
#include "solver/pattern_bound.h"
#include "solver/phased_solver.h"
#include "solver/slide_set.h"

#include <utility>

namespace tesselo::solver {

namespace {

// How hard the 4 x 6 plans are worked at. The phased plan is shortened
// by searching windows of kWindow slides for a shorter way between their
// ends, `windows` of them from the end, overlapping by half, and a plan of
// at most `exactBelow` slides is searched exactly. With the quick tables
// the bound is weaker and each search dearer, so they do less.
constexpr int kWindow = 10;
struct Effort {
    PhasedSolver::Options phased;
    int windows = 0;
    int exactBelow = 0;
};
constexpr Effort kLargeEffort{{8, 32, false, true}, 4, Solver::kExactBelow};
constexpr Effort kQuickEffort{{4, 8, false, true}, 0, Solver::kQuickExactBelow};

// The 3 x 4 bound: every 2 x 3 and 3 x 2 block, through the symmetries.
struct Grid3x4 {
    PatternTable wide{{3, 4, 0, {0, 1, 2, 4, 5, 6}}};
    PatternTable tall{{3, 4, 0, {0, 1, 4, 5, 8, 9}}};
    PatternBound bound;
    OptimalSearch search;

    Grid3x4() : bound(Built(SlideSet::For(3, 4))), search(SlideSet::For(3, 4), &bound) {}
    PatternBound Built(const SlideSet& slides)
    {
        wide.Build();
        tall.Build();
        return PatternBound(slides, {&wide, &tall});
    }
};

const Grid3x4& ThreeByFour()
{
    static const Grid3x4 grid;
    return grid;
}

std::shared_ptr<const PhaseTables> QuickTables()
{
    static const std::shared_ptr<const PhaseTables> tables = [] {
        std::shared_ptr<PhaseTables> t = PhaseTables::Quick();
        t->Build();
        return t;
    }();
    return tables;
}

std::vector<Slide> SlidesOf(const SlideSet& set, const std::vector<int>& numbers)
{
    std::vector<Slide> out;
    out.reserve(numbers.size());
    for (const int m : numbers)
        out.push_back(set.At(m));
    return out;
}

CompactPosition After(CompactPosition position, const SlideSet& set, const std::vector<int>& numbers, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        position.Apply(set.At(numbers[i]));
    return position;
}

// The position whose solutions lead from `from` to `to`.
CompactPosition Between(const CompactPosition& from, const CompactPosition& to)
{
    const CompactPosition back = to.Inverse();
    std::vector<int> homes(std::size_t(from.CellCount()));
    for (int cell = 0; cell < from.CellCount(); ++cell)
        homes[std::size_t(cell)] = back.Home(from.Home(cell));
    return *CompactPosition::FromHomes(from.Rows(), from.Columns(), homes);
}

} // namespace

struct Solver::Grid4x6 {
    std::shared_ptr<const PhaseTables> tables;
    Effort effort;
    PhasedSolver phased;
    PatternBound bound;
    OptimalSearch search;

    Grid4x6(std::shared_ptr<const PhaseTables> t, const Effort& e)
        : tables(std::move(t)), effort(e), phased(*tables, effort.phased),
          bound(SlideSet::For(4, 6), {&tables->Unrestricted()}), search(SlideSet::For(4, 6), &bound)
    {
    }
};

Solver::Solver() = default;

Solver::Solver(std::shared_ptr<const PhaseTables> large) : large(std::move(large)) {}

Solver::~Solver() = default;

bool Solver::Supports(int rows, int columns)
{
    return (rows == 2 && columns == 3) || (rows == 3 && columns == 3) || (rows == 3 && columns == 4) ||
           (rows == 4 && columns == 6);
}

const Solver::Grid4x6& Solver::Large4x6() const
{
    std::call_once(grid4x6Once, [this] {
        grid4x6 = large ? std::make_unique<Grid4x6>(large, kLargeEffort) : std::make_unique<Grid4x6>(QuickTables(), kQuickEffort);
    });
    return *grid4x6;
}

std::optional<Plan> Solver::Solve(const Position& wide, std::stop_token stop) const
{
    const int rows = wide.Rows();
    const int columns = wide.Columns();
    if (!Supports(rows, columns) || !wide.IsSolvable())
        return std::nullopt;
    if (stop.stop_requested())
        return std::nullopt;
    const CompactPosition position = *CompactPosition::From(wide);
    if (rows * columns <= DistanceTable::kMaxCells) {
        const DistanceTable& table = DistanceTable::For(rows, columns);
        Plan plan{{}, true};
        for (CompactPosition at = position; !at.IsSolved();) {
            const Slide next = table.OptimalSlides(at).front();
            plan.slides.push_back(next);
            at.Apply(next);
        }
        return plan;
    }
    if (rows == 3) {
        const auto found = ThreeByFour().search.Solve(position, 20, std::move(stop));
        if (found.outcome != OptimalSearch::Outcome::Found)
            return std::nullopt;
        return Plan{SlidesOf(SlideSet::For(3, 4), found.slides), true};
    }
    return Solve4x6(position, std::move(stop));
}

std::optional<Plan> Solver::Solve4x6(const CompactPosition& position, std::stop_token stop) const
{
    const Grid4x6& grid = Large4x6();
    const SlideSet& set = SlideSet::For(4, 6);
    auto found = grid.phased.Solve(position, stop);
    if (!found)
        return std::nullopt;
    std::vector<int> plan = std::move(*found);

    // Windows from the end, where the last phases' restricted slides leave
    // the most to gain.
    for (int w = 0; w < grid.effort.windows; ++w) {
        const int end = int(plan.size()) - w * kWindow / 2;
        const int begin = end - kWindow;
        if (begin < 0)
            break;
        const CompactPosition from = After(position, set, plan, std::size_t(begin));
        const CompactPosition to = After(from, set, std::vector<int>(plan.begin() + begin, plan.end()), std::size_t(kWindow));
        const auto shorter = grid.search.Solve(Between(from, to), kWindow - 1, stop);
        if (shorter.outcome == OptimalSearch::Outcome::Stopped)
            return std::nullopt;
        if (shorter.outcome == OptimalSearch::Outcome::Found) {
            std::vector<int> spliced(plan.begin(), plan.begin() + begin);
            spliced.insert(spliced.end(), shorter.slides.begin(), shorter.slides.end());
            spliced.insert(spliced.end(), plan.begin() + end, plan.end());
            plan = std::move(spliced);
        }
    }

    Plan result{SlidesOf(set, plan), false};
    if (result.Length() <= grid.effort.exactBelow && result.Length() > 0) {
        const auto exact = grid.search.Solve(position, result.Length() - 1, std::move(stop));
        if (exact.outcome == OptimalSearch::Outcome::Stopped)
            return std::nullopt;
        if (exact.outcome == OptimalSearch::Outcome::Found)
            result.slides = SlidesOf(set, exact.slides);
        result.optimal = true;
    }
    if (result.Length() == 0)
        result.optimal = true;
    return result;
}

std::optional<Plan> Solver::Shortest(const Position& wide, int atMost, std::stop_token stop) const
{
    if (wide.Rows() != 4 || wide.Columns() != 6) {
        // Every plan of the smaller grids is a shortest one.
        std::optional<Plan> plan = Solve(wide, std::move(stop));
        if (plan && plan->Length() > atMost)
            return std::nullopt;
        return plan;
    }
    const CompactPosition position = *CompactPosition::From(wide);
    if (!position.IsSolvable() || atMost < 0 || stop.stop_requested())
        return std::nullopt;
    const auto found = Large4x6().search.Solve(position, atMost, std::move(stop));
    if (found.outcome != OptimalSearch::Outcome::Found)
        return std::nullopt;
    return Plan{SlidesOf(SlideSet::For(4, 6), found.slides), true};
}

bool Solver::IsWithin(const Position& wide, int moves)
{
    if (wide.IsSolved())
        return moves >= 0;
    if (moves <= 0 || !Supports(wide.Rows(), wide.Columns()) || !wide.IsSolvable())
        return false;
    const CompactPosition position = *CompactPosition::From(wide);
    if (position.CellCount() <= DistanceTable::kMaxCells) {
        const int d = DistanceTable::For(position.Rows(), position.Columns()).Distance(position);
        return d != DistanceTable::kUnreachable && d <= moves;
    }
    const OptimalSearch search(SlideSet::For(position.Rows(), position.Columns()), nullptr);
    return search.Solve(position, moves).outcome == OptimalSearch::Outcome::Found;
}

} // namespace tesselo::solver
