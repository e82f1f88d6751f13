#include "solver/solver.h"

#include "positions/board.h"
#include "positions/per_grid.h"
#include "positions/slide_set.h"
#include "solver/block_solver.h"
#include "solver/optimal_search.h"
#include "solver/pattern_bound.h"
#include "solver/phased_solver.h"
#include "solver/sequence_filter.h"
#include "tables/distance_table.h"
#include "tables/soundness.h"

#include <algorithm>
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

// No position of a grid of up to 16 cells is this far from solved (the
// farthest of 2 x 8 are some 18 slides away): a search that finds nothing
// within it was misled by its tables.
constexpr int kMostExactSlides = 40;

// The 3 x 4 bound: every 2 x 3 and 3 x 2 block, through the symmetries.
struct Grid3x4 {
    PatternTable wide{{3, 4, 0, {0, 1, 2, 4, 5, 6}}};
    PatternTable tall{{3, 4, 0, {0, 1, 4, 5, 8, 9}}};
    PatternBound bound;
    OptimalSearch search;

    Grid3x4() : bound(Built(SlideSet::For(3, 4))), search(SlideSet::For(3, 4), &bound, &SequenceFilter::For(3, 4)) {}
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

// The 2 x 6 bound: every 2 x 3 block and each whole row, through the
// symmetries.
struct Grid2x6 {
    PatternTable block{{2, 6, 0, {0, 1, 2, 6, 7, 8}}};
    PatternTable row{{2, 6, 0, {0, 1, 2, 3, 4, 5}}};
    PatternBound bound;
    OptimalSearch search;

    Grid2x6() : bound(Built(SlideSet::For(2, 6))), search(SlideSet::For(2, 6), &bound, &SequenceFilter::For(2, 6)) {}
    PatternBound Built(const SlideSet& slides)
    {
        block.Build();
        row.Build();
        return PatternBound(slides, {&block, &row});
    }
};

const Grid2x6& TwoBySix()
{
    static const Grid2x6 grid;
    return grid;
}

// The other grids of 13 to 24 cells: a bound from every 2 x 2 block (at
// most a quarter of a million entries, built in a blink), good enough for
// the exact search of a plan's last few slides.
struct SmallGrid {
    PatternTable block;
    PatternBound bound;
    OptimalSearch search;

    SmallGrid(int rows, int columns)
        : block({rows, columns, 0, {0, 1, std::uint8_t(columns), std::uint8_t(columns + 1)}}),
          bound(Built(SlideSet::For(rows, columns))), search(SlideSet::For(rows, columns), &bound)
    {
    }
    PatternBound Built(const SlideSet& slides)
    {
        block.Build();
        return PatternBound(slides, {&block});
    }
};

// The square grids of 5 x 5 and 6 x 6 by phases with exact tables, as
// 4 x 6, carried through every image of the position: on 5 x 5 a block
// grown 2 x 2, 3 x 3, 3 x 4, 4 x 4, then the last row and column (three
// million entries in all, built on first use in a third of a second),
// some 24 slides where the block solver takes 31; on 6 x 6 the same to
// 5 x 5 by 4 x 5, the rings then by the ring solver, as a table of them
// would hold 11! entries (26 million entries, built on first use in a
// second and a half), some 42 slides where the block solver takes 50.
struct PhasedGrid {
    PhaseTables tables;
    PhasedSolver phased;

    PhasedGrid(int size, std::vector<PhaseTables::Block> blocks, PhasedSolver::Options options)
        : tables(size, size, std::move(blocks)), phased(Built(tables), options)
    {
    }
    static const PhaseTables& Built(PhaseTables& tables)
    {
        tables.Build();
        return tables;
    }
};

const PhasedGrid& Phased(int size)
{
    if (size == 5) {
        static const PhasedGrid grid(5, {{2, 2}, {3, 3}, {3, 4}, {4, 4}, {5, 5}}, PhasedSolver::Options{8, 16, true, true});
        return grid;
    }
    static const PhasedGrid grid(6, {{2, 2}, {3, 3}, {3, 4}, {4, 4}, {4, 5}, {5, 5}},
                                 PhasedSolver::Options{3, 8, true, true, 8});
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

std::optional<Plan> TransposedPlan(std::optional<Plan> plan)
{
    if (plan)
        for (Slide& slide : plan->slides)
            slide = Transposed(slide);
    return plan;
}

// Whether some `moves` slides or fewer solve `board`: a depth-first search
// over the slides of lines that hold a piece out of place. That is exact
// for up to two slides (a first slide of a line already in place must be
// undone by the second), so deeper it tries every slide.
bool WithinBySearch(Board& board, int moves, int previousLine)
{
    if (board.IsSolved())
        return true;
    if (moves == 0)
        return false;
    const int lines = board.rows + board.columns;
    for (int l = 0; l < lines; ++l) {
        if (l == previousLine)
            continue;
        const Axis axis = l < board.rows ? Axis::Row : Axis::Column;
        const int line = l < board.rows ? l : l - board.rows;
        const int length = board.Length(axis);
        if (moves <= 2) {
            bool misplaced = false;
            for (int i = 0; i < length && !misplaced; ++i)
                misplaced = board.piece[std::size_t(board.At(axis, line, i))] != board.At(axis, line, i);
            if (!misplaced)
                continue;
        }
        for (int amount = 1; amount < length; ++amount) {
            board.Apply(axis, line, amount);
            const bool found = WithinBySearch(board, moves - 1, l);
            board.Apply(axis, line, -amount);
            if (found)
                return true;
        }
    }
    return false;
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

// A grid of 13 to 16 cells with its bound tables: every plan the optimal
// search over them.
struct Solver::ExactGrid {
    std::shared_ptr<const BoundTables> tables;
    PatternBound bound;
    OptimalSearch search;

    explicit ExactGrid(std::shared_ptr<const BoundTables> t)
        : tables(std::move(t)), bound(SlideSet::For(tables->Rows(), tables->Columns()), Readings(*tables)),
          search(SlideSet::For(tables->Rows(), tables->Columns()), &bound,
                 &SequenceFilter::For(tables->Rows(), tables->Columns()))
    {
    }
    static std::vector<const PatternTable*> Readings(const BoundTables& tables)
    {
        std::vector<const PatternTable*> each;
        for (int i = 0; i < tables.Count(); ++i)
            each.push_back(&tables.Table(i));
        return each;
    }
};

Solver::Solver() = default;

Solver::Solver(std::shared_ptr<const PhaseTables> large) : large(std::move(large)) {}

Solver::Solver(std::shared_ptr<const PhaseTables> large, std::shared_ptr<const BoundTables> bounds)
    : large(std::move(large)), exact(bounds ? std::make_unique<const ExactGrid>(std::move(bounds)) : nullptr)
{
}

Solver::~Solver() = default;

bool Solver::Supports(int rows, int columns)
{
    return rows >= 2 && rows <= kMaxSide && columns >= 2 && columns <= kMaxSide;
}

bool Solver::UsesPhaseTables(int rows, int columns)
{
    return (rows == 4 && columns == 6) || (rows == 6 && columns == 4);
}

bool Solver::UsesBoundTables(int rows, int columns)
{
    return BoundTables::Cover(rows, columns);
}

bool Solver::HasBoundTables(int rows, int columns) const
{
    if (!exact)
        return false;
    const int wideRows = std::min(rows, columns);
    const int wideColumns = std::max(rows, columns);
    return exact->tables->Rows() == wideRows && exact->tables->Columns() == wideColumns;
}

bool Solver::UsesKeptTables(int rows, int columns)
{
    return UsesPhaseTables(rows, columns) || UsesBoundTables(rows, columns);
}

bool Solver::HasKeptTables(int rows, int columns) const
{
    return UsesPhaseTables(rows, columns) ? HasLargeTables() : HasBoundTables(rows, columns);
}

int Solver::ExactRestBelow(int rows, int columns, bool keptTables)
{
    if (!Supports(rows, columns) || rows * columns <= kExactCells || rows * columns > kSearchedCells)
        return 0;
    if (UsesPhaseTables(rows, columns))
        return keptTables ? kExactBelow : kQuickExactBelow;
    if (UsesBoundTables(rows, columns) && keptTables)
        return 0;
    return kSmallExactBelow;
}

const Solver::Grid4x6& Solver::Large4x6() const
{
    std::call_once(grid4x6Once, [this] {
        grid4x6 = large ? std::make_unique<Grid4x6>(large, kLargeEffort) : std::make_unique<Grid4x6>(QuickTables(), kQuickEffort);
    });
    return *grid4x6;
}

std::optional<Plan> Solver::Solve(const Position& position, std::stop_token stop) const
{
    if (!Supports(position.Rows(), position.Columns()) || !position.IsSolvable() || stop.stop_requested())
        return std::nullopt;
    if (position.Rows() > position.Columns())
        return TransposedPlan(SolveAsIs(Transposed(position), std::move(stop)));
    return SolveAsIs(position, std::move(stop));
}

std::optional<Plan> Solver::SolveAsIs(const Position& wide, std::stop_token stop) const
{
    const int rows = wide.Rows();
    const int columns = wide.Columns();
    if (rows == columns && (rows == 5 || rows == 6))
        return SolveByPhases(wide, std::move(stop));
    if (rows * columns > kSearchedCells)
        return ByBlocks(wide, std::move(stop));
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
    if (rows * columns == kExactCells) {
        const OptimalSearch& search = rows == 3 ? ThreeByFour().search : TwoBySix().search;
        const auto found = search.Solve(position, 30, std::move(stop));
        if (found.outcome != OptimalSearch::Outcome::Found)
            return std::nullopt;
        return Plan{SlidesOf(SlideSet::For(rows, columns), found.slides), true};
    }
    if (rows == 4 && columns == 6)
        return Solve4x6(position, std::move(stop));
    if (HasBoundTables(rows, columns))
        return ShortestAsIs(wide, kMostExactSlides, std::move(stop));
    std::optional<Plan> byBlocks = ByBlocks(wide, stop);
    if (!byBlocks)
        return std::nullopt;
    Plan plan = std::move(*byBlocks);
    if (plan.Length() <= kSmallExactBelow) {
        // Short enough for the exact search to prove it shortest, or find
        // the shorter way.
        if (auto exact = ShortestAsIs(wide, plan.Length(), std::move(stop)))
            return exact;
        if (stop.stop_requested())
            return std::nullopt;
    }
    return plan;
}

std::optional<Plan> Solver::ByBlocks(const Position& position, std::stop_token stop)
{
    auto slides = BlockSolver::Solve(position, BlockSolver::EffortFor(position.Rows(), position.Columns()),
                                     std::move(stop));
    if (!slides)
        return std::nullopt;
    const bool none = slides->empty();
    Plan plan{std::move(*slides), none};
    // The block solver's plans are played through before they are given
    // out (the others' are made by playing them).
    if (!BringsHome(position, plan))
        return std::nullopt;
    return plan;
}

std::optional<Plan> Solver::SolveByPhases(const Position& wide, std::stop_token stop)
{
    const auto found = Phased(wide.Rows()).phased.Solve(*CompactPosition::From(wide), std::move(stop));
    if (!found)
        return std::nullopt;
    Plan plan{SlidesOf(SlideSet::For(wide.Rows(), wide.Columns()), *found), found->empty()};
    // Made from tables built in this run, but played through all the same,
    // as the block solver's are.
    if (!BringsHome(wide, plan))
        return std::nullopt;
    return plan;
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

std::optional<Plan> Solver::Shortest(const Position& position, int atMost, std::stop_token stop) const
{
    if (!Supports(position.Rows(), position.Columns()) || !position.IsSolvable() || atMost < 0 ||
        position.CellCount() > kSearchedCells || stop.stop_requested())
        return std::nullopt;
    if (position.Rows() > position.Columns())
        return TransposedPlan(ShortestAsIs(Transposed(position), atMost, std::move(stop)));
    return ShortestAsIs(position, atMost, std::move(stop));
}

std::optional<Plan> Solver::ShortestAsIs(const Position& wide, int atMost, std::stop_token stop) const
{
    const int rows = wide.Rows();
    const int columns = wide.Columns();
    if (rows * columns <= kExactCells) {
        // Every plan of these grids is a shortest one.
        std::optional<Plan> plan = SolveAsIs(wide, std::move(stop));
        if (plan && plan->Length() > atMost)
            return std::nullopt;
        return plan;
    }
    const CompactPosition position = *CompactPosition::From(wide);
    const OptimalSearch& search = rows == 4 && columns == 6    ? Large4x6().search
                                  : HasBoundTables(rows, columns) ? exact->search
                                                                  : PerGrid<SmallGrid>(rows, columns).search;
    const auto found = search.Solve(position, atMost, std::move(stop));
    if (found.outcome != OptimalSearch::Outcome::Found)
        return std::nullopt;
    return Plan{SlidesOf(SlideSet::For(rows, columns), found.slides), true};
}

bool Solver::IsWithin(const Position& wide, int moves)
{
    if (wide.IsSolved())
        return moves >= 0;
    if (moves <= 0 || !Supports(wide.Rows(), wide.Columns()) || !wide.IsSolvable())
        return false;
    if (wide.CellCount() > kSearchedCells) {
        Board board = Board::Of(wide);
        return WithinBySearch(board, moves, -1);
    }
    const CompactPosition position = *CompactPosition::From(wide);
    if (position.CellCount() <= DistanceTable::kMaxCells) {
        const int d = DistanceTable::For(position.Rows(), position.Columns()).Distance(position);
        return d != DistanceTable::kUnreachable && d <= moves;
    }
    const OptimalSearch search(SlideSet::For(position.Rows(), position.Columns()), nullptr);
    return search.Solve(position, moves).outcome == OptimalSearch::Outcome::Found;
}

} // namespace tesselo::solver
