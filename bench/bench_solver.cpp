#include "bench_solver.h"

#include "solver/solver.h"
#include "tables/bound_tables.h"
#include "tables/distance_table.h"
#include "tables/pattern_table.h"
#include "tables/phase_tables.h"
#include "tables/soundness.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace tesselo::bench {

namespace {

using namespace tesselo::solver;

// The same positions on every run: shuffles from a fixed seed, the
// unsolvable ones (odd arrangements of 3 x 3) left out.
std::vector<Position> RandomPositions(int rows, int columns, int count)
{
    std::mt19937 random(20240 + rows * 10 + columns);
    std::vector<Position> positions;
    std::vector<int> homes(std::size_t(rows * columns));
    while (int(positions.size()) < count) {
        std::iota(homes.begin(), homes.end(), 0);
        std::shuffle(homes.begin(), homes.end(), random);
        const Position p = *Position::FromHomes(rows, columns, homes);
        if (p.IsSolvable())
            positions.push_back(p);
    }
    return positions;
}

std::shared_ptr<const PhaseTables> LargeTables()
{
    static const std::shared_ptr<const PhaseTables> tables = [] {
        std::shared_ptr<PhaseTables> t = PhaseTables::Large();
        t->Build();
        return t;
    }();
    return tables;
}

std::shared_ptr<const BoundTables> Bounds(int rows, int columns)
{
    static std::map<std::pair<int, int>, std::shared_ptr<const BoundTables>> built;
    auto& tables = built[{rows, columns}];
    if (!tables) {
        std::shared_ptr<BoundTables> t = BoundTables::For(rows, columns);
        t->Build();
        tables = t;
    }
    return tables;
}

// A lower bound on the mean distance of a random position from counting:
// every position at distance k is reached by a sequence of k slides in
// which slides of parallel lines (which commute) come in order of their
// lines, so there are no more of them than such sequences; the mean is at
// least that of the positions put as near as the counts allow. In long
// double, as 16 x 16 has 256! positions.
double CountingBound(int rows, int columns)
{
    long double positions = 1;
    for (int i = 2; i <= rows * columns; ++i)
        positions *= i;
    if (rows % 2 != 0 && columns % 2 != 0)
        positions /= 2;
    // Lines 0..rows-1 are the rows, each slid by columns - 1 amounts; then
    // the columns. Sequences ending with a slide of each line:
    const int lines = rows + columns;
    const auto amounts = [&](int line) { return line < rows ? columns - 1 : rows - 1; };
    std::vector<long double> ending(std::size_t(lines), 0.0L);
    for (int line = 0; line < lines; ++line)
        ending[std::size_t(line)] = amounts(line);
    long double remaining = positions - 1;
    long double total = 0;
    for (int k = 1; remaining > 0; ++k) {
        const long double sequences = std::accumulate(ending.begin(), ending.end(), 0.0L);
        const long double here = std::min(sequences, remaining);
        total += here * k;
        remaining -= here;
        std::vector<long double> next(std::size_t(lines), 0);
        for (int a = 0; a < lines; ++a)
            for (int b = 0; b < lines; ++b) {
                const bool sameAxis = (a < rows) == (b < rows);
                if (!sameAxis || b > a)
                    next[std::size_t(b)] += ending[std::size_t(a)] * amounts(b);
            }
        ending = std::move(next);
    }
    return double(total / positions);
}

double ProcessorMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// What each set measured, for the summary after the run.
struct Measured {
    int positions = 0;
    double length = 0;
    double milliseconds = 0;
    double medianMilliseconds = 0;
    double slowestMilliseconds = 0;
    // The position of the longest plan (the first of them), and of the
    // plan that took longest to make.
    int longest = 0;
    Position farthest;
    Position slowest;
    int slowestLength = 0;
    double bound = 0;
    // Whether every plan was required to be proven shortest.
    bool shortest = false;
};
std::map<std::string, Measured>& Results()
{
    static std::map<std::string, Measured> results;
    return results;
}

// One iteration solves the whole set; the counters give the mean time a
// position (processor time, as for the other cases) and the mean length.
// A plan that does not solve its position is no measurement, nor one not
// proven shortest where every plan must be.
void SolveSet(benchmark::State& state, const Solver& solver, const std::vector<Position>& positions,
              const std::string& name = {}, bool shortest = false)
{
    std::vector<double> times;
    Measured m;
    std::uint64_t slides = 0;
    for (auto _ : state) {
        for (const Position& p : positions) {
            const double start = ProcessorMilliseconds();
            const auto plan = solver.Solve(p);
            const double spent = ProcessorMilliseconds() - start;
            if (!plan || !BringsHome(p, *plan) || (shortest && !plan->optimal)) {
                state.SkipWithError(plan ? "a plan that is not what it should be" : "no plan");
                return;
            }
            if (times.empty() || spent > *std::max_element(times.begin(), times.end())) {
                m.slowest = p;
                m.slowestLength = plan->Length();
            }
            times.push_back(spent);
            slides += std::uint64_t(plan->Length());
            if (plan->Length() > m.longest) {
                m.longest = plan->Length();
                m.farthest = p;
            }
        }
    }
    const double solved = double(times.size());
    state.counters["positions"] = double(positions.size());
    state.counters["mean_length"] = double(slides) / solved;
    state.counters["per_position"] =
        benchmark::Counter(solved, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    if (name.empty())
        return;
    m.positions = int(positions.size());
    m.length = double(slides) / solved;
    m.milliseconds = std::accumulate(times.begin(), times.end(), 0.0) / solved;
    std::sort(times.begin(), times.end());
    m.medianMilliseconds = times[times.size() / 2];
    m.slowestMilliseconds = times.back();
    m.bound = CountingBound(positions.front().Rows(), positions.front().Columns());
    m.shortest = shortest;
    Results()[name] = m;
}

// A position as the home of the piece in each cell, row by row.
std::string Homes(const Position& p)
{
    std::string text;
    for (int cell = 0; cell < p.CellCount(); ++cell)
        text += (cell == 0 ? "" : cell % p.Columns() == 0 ? " / " : " ") + std::to_string(p.Home(cell));
    return text;
}

std::string NameOf(int rows, int columns)
{
    return "BM_Solve" + std::to_string(rows) + "x" + std::to_string(columns);
}

// The targets of the grids no level has: the mean length of a plan for a
// random position, and the mean processor time to make it. The grids of
// 13 to 16 cells are solved exactly with their bound tables; the median
// and the slowest time of 4 x 4 have targets of their own.
struct Target {
    int rows;
    int columns;
    int positions;
    double length; // 0: every plan shortest
    double milliseconds;
};
constexpr Target kTargets[] = {
    {4, 4, 1000, 0, 200},   {2, 8, 50, 0, 0},           {3, 5, 200, 0, 0},          {2, 7, 200, 0, 0},
    {5, 5, 100, 26, 200},   {6, 6, 100, 42, 200},       {8, 8, 100, 85, 200},       {10, 10, 100, 140, 200},
    {16, 16, 20, 385, 2000}, {20, 20, 10, 800, 3000},
};
constexpr double kSlowest4x4 = 5000;

} // namespace

void RegisterSolverCases(bool tiny)
{
    const int small = tiny ? 10 : 1000;
    const int large = tiny ? 2 : 100;

    benchmark::RegisterBenchmark("BM_BuildTable2x3", [](benchmark::State& state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(DistanceTable(2, 3).CountsByDistance().size());
    });
    benchmark::RegisterBenchmark("BM_BuildTable3x3", [](benchmark::State& state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(DistanceTable(3, 3).CountsByDistance().size());
    });
    benchmark::RegisterBenchmark("BM_BuildBound3x4", [](benchmark::State& state) {
        for (auto _ : state) {
            PatternTable wide({3, 4, 0, {0, 1, 2, 4, 5, 6}});
            PatternTable tall({3, 4, 0, {0, 1, 4, 5, 8, 9}});
            wide.Build();
            tall.Build();
            benchmark::DoNotOptimize(wide.Bytes().data());
            benchmark::DoNotOptimize(tall.Bytes().data());
        }
    });
    benchmark::RegisterBenchmark("BM_BuildQuickTables4x6", [](benchmark::State& state) {
        for (auto _ : state) {
            const auto tables = PhaseTables::Quick();
            tables->Build();
            benchmark::DoNotOptimize(tables->Entries());
        }
    })->Unit(benchmark::kMillisecond);
    if (!tiny) {
        benchmark::RegisterBenchmark("BM_BuildLargeTables4x6", [](benchmark::State& state) {
            for (auto _ : state) {
                const auto tables = PhaseTables::Large();
                tables->Build();
                benchmark::DoNotOptimize(tables->Entries());
            }
        })->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(1);
        // The bound tables of the grids solved exactly: built once on one
        // core (the game builds them in steps between requests), at most a
        // minute and 128 MB each.
        for (const auto& [rows, columns] : {std::pair{4, 4}, {2, 8}, {3, 5}, {2, 7}}) {
            const std::string name = "BM_BuildBoundTables" + std::to_string(rows) + "x" + std::to_string(columns);
            benchmark::RegisterBenchmark(name.c_str(), [rows, columns](benchmark::State& state) {
                for (auto _ : state) {
                    const auto tables = BoundTables::For(rows, columns);
                    tables->Build();
                    state.counters["megabytes"] = double(tables->SavedSize()) / double(1 << 20);
                }
            })->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(1);
        }
    }

    // The sets take seconds each: one run, its means already over many
    // positions. The tables are built (once) before the timing starts.
    for (const auto& [rows, columns] : {std::pair{2, 3}, {3, 3}, {3, 4}}) {
        benchmark::RegisterBenchmark(NameOf(rows, columns).c_str(), [rows, columns, small](benchmark::State& state) {
            static const Solver solver;
            const auto positions = RandomPositions(rows, columns, small);
            solver.Solve(positions.front());
            SolveSet(state, solver, positions, NameOf(rows, columns), true);
        })->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1);
    }
    benchmark::RegisterBenchmark("BM_Solve4x6", [tiny, large](benchmark::State& state) {
        const Solver solver = tiny ? Solver() : Solver(LargeTables());
        const auto positions = RandomPositions(4, 6, large);
        solver.Solve(positions.front());
        SolveSet(state, solver, positions, "BM_Solve4x6");
    })->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1);

    // The other sizes: exact with the bound tables up to 16 cells (in a
    // tiny run, the block plan that stands in for them), then the block
    // solver's plans (with the exact rest up to 24 cells, its bound built
    // before the timing starts).
    for (const Target& target : kTargets) {
        const bool bound = target.length == 0 && !tiny;
        if (tiny && target.length == 0 && !(target.rows == 4 && target.columns == 4))
            continue;
        const int count = tiny ? 1 : target.positions;
        benchmark::RegisterBenchmark(NameOf(target.rows, target.columns).c_str(), [target, count, bound](benchmark::State& state) {
            const Solver solver(nullptr, bound ? Bounds(target.rows, target.columns) : nullptr);
            const auto positions = RandomPositions(target.rows, target.columns, count);
            solver.Solve(Position::Solved(target.rows, target.columns));
            solver.Shortest(positions.front(), 1);
            SolveSet(state, solver, positions, NameOf(target.rows, target.columns), bound);
        })->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1);
    }
}

void PrintSolverTargets()
{
    std::printf("\nPlans for random positions, one core (mean length against the counting bound; processor time a "
                "plan):\n");
    std::printf("  %-14s %9s %8s %7s %6s %6s %9s %9s %10s\n", "", "positions", "length", "longest", "bound", "ratio",
                "mean ms", "median ms", "slowest ms");
    const auto row = [](const std::string& name) {
        const auto it = Results().find(name);
        if (it == Results().end()) {
            std::printf("  %-14s    n/a\n", name.c_str());
            return;
        }
        const Measured& m = it->second;
        std::printf("  %-14s %9d %8.2f %7d %6.1f %6.2f %9.2f %9.2f %10.1f\n", name.c_str(), m.positions, m.length,
                    m.longest, m.bound, m.length / m.bound, m.milliseconds, m.medianMilliseconds,
                    m.slowestMilliseconds);
    };
    for (const char* level : {"BM_Solve2x3", "BM_Solve3x3", "BM_Solve3x4", "BM_Solve4x6"})
        row(level);
    for (const Target& target : kTargets)
        row(NameOf(target.rows, target.columns));

    std::printf("\nTargets:\n");
    for (const Target& target : kTargets) {
        const std::string name = NameOf(target.rows, target.columns);
        const auto it = Results().find(name);
        if (it == Results().end()) {
            std::printf("  %-14s    n/a\n", name.c_str());
            continue;
        }
        const Measured& m = it->second;
        if (target.length > 0) {
            const bool met = m.length <= target.length && m.milliseconds <= target.milliseconds;
            std::printf("  %-14s length %7.2f (target <= %.0f)  time %8.2f ms (target <= %.0f ms)  %s\n", name.c_str(),
                        m.length, target.length, m.milliseconds, target.milliseconds, met ? "met" : "NOT MET");
        } else if (target.milliseconds > 0) {
            const bool met =
                m.shortest && m.medianMilliseconds <= target.milliseconds && m.slowestMilliseconds <= kSlowest4x4;
            std::printf("  %-14s length %7.2f (%s)  median %.1f ms (target <= %.0f ms)  slowest %.0f ms (target <= "
                        "%.0f ms)  %s\n",
                        name.c_str(), m.length, m.shortest ? "every plan shortest" : "block plans, without tables",
                        m.medianMilliseconds, target.milliseconds, m.slowestMilliseconds, kSlowest4x4,
                        met ? "met" : "NOT MET");
            std::printf("  %-14s the farthest found: %s, %d slides\n", "", Homes(m.farthest).c_str(), m.longest);
            std::printf("  %-14s the slowest: %s, %d slides\n", "", Homes(m.slowest).c_str(), m.slowestLength);
        } else {
            std::printf("  %-14s length %7.2f (every plan shortest)  mean %.1f ms  slowest %.0f ms  (no target)\n",
                        name.c_str(), m.length, m.milliseconds, m.slowestMilliseconds);
        }
    }
}

} // namespace tesselo::bench
