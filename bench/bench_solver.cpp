#include "bench_solver.h"

#include "positions/distance_table.h"
#include "positions/pattern_table.h"
#include "positions/phase_tables.h"
#include "positions/soundness.h"
#include "solver/solver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
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

// The targets of the grids no level has: the mean length of a plan for a
// random position, and the mean processor time to make it.
struct Target {
    int rows;
    int columns;
    int positions;
    double length;
    double milliseconds;
};
constexpr Target kTargets[] = {
    {4, 4, 100, 20, 200}, {5, 5, 100, 44, 200}, {6, 6, 100, 65, 200},
    {8, 8, 100, 118, 200}, {10, 10, 100, 189, 200}, {16, 16, 20, 500, 2000},
};

// What each set measured, for the summary after the run.
struct Measured {
    double length = 0;
    double milliseconds = 0;
};
std::map<std::string, Measured>& Results()
{
    static std::map<std::string, Measured> results;
    return results;
}

double ProcessorMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// One iteration solves the whole set; the counters give the mean time a
// position (processor time, as for the other cases) and the mean length.
// A plan that does not solve its position is no measurement.
void SolveSet(benchmark::State& state, const Solver& solver, const std::vector<Position>& positions,
              const std::string& name = {})
{
    std::uint64_t slides = 0;
    std::uint64_t solved = 0;
    double milliseconds = 0;
    for (auto _ : state) {
        for (const Position& p : positions) {
            const double start = ProcessorMilliseconds();
            const auto plan = solver.Solve(p);
            milliseconds += ProcessorMilliseconds() - start;
            if (!plan || !BringsHome(p, *plan)) {
                state.SkipWithError("no plan");
                return;
            }
            slides += std::uint64_t(plan->Length());
            ++solved;
        }
    }
    state.counters["positions"] = double(positions.size());
    state.counters["mean_length"] = double(slides) / double(solved);
    state.counters["per_position"] =
        benchmark::Counter(double(solved), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    if (!name.empty())
        Results()[name] = Measured{double(slides) / double(solved), milliseconds / double(solved)};
}

std::string NameOf(const Target& target)
{
    return "BM_Solve" + std::to_string(target.rows) + "x" + std::to_string(target.columns);
}

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
    if (!tiny)
        benchmark::RegisterBenchmark("BM_BuildLargeTables4x6", [](benchmark::State& state) {
            for (auto _ : state) {
                const auto tables = PhaseTables::Large();
                tables->Build();
                benchmark::DoNotOptimize(tables->Entries());
            }
        })->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(1);

    // The sets take seconds each: one run, its means already over many
    // positions. The tables are built (once) before the timing starts.
    for (const auto& [rows, columns] : {std::pair{2, 3}, {3, 3}, {3, 4}}) {
        const std::string name = "BM_Solve" + std::to_string(rows) + "x" + std::to_string(columns);
        benchmark::RegisterBenchmark(name.c_str(), [rows, columns, small](benchmark::State& state) {
            static const Solver solver;
            const auto positions = RandomPositions(rows, columns, small);
            solver.Solve(positions.front());
            SolveSet(state, solver, positions);
        })->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1);
    }
    benchmark::RegisterBenchmark("BM_Solve4x6", [tiny, large](benchmark::State& state) {
        const Solver solver = tiny ? Solver() : Solver(LargeTables());
        const auto positions = RandomPositions(4, 6, large);
        solver.Solve(positions.front());
        SolveSet(state, solver, positions);
    })->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1);

    // The other sizes: the block solver's plans (with the exact rest up to
    // 24 cells, its bound built before the timing starts).
    for (const Target& target : kTargets) {
        const int count = tiny ? 1 : target.positions;
        benchmark::RegisterBenchmark(NameOf(target).c_str(), [target, count](benchmark::State& state) {
            static const Solver solver;
            const auto positions = RandomPositions(target.rows, target.columns, count);
            solver.Solve(Position::Solved(target.rows, target.columns));
            solver.Shortest(positions.front(), 1);
            SolveSet(state, solver, positions, NameOf(target));
        })->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1);
    }
}

void PrintSolverTargets()
{
    std::printf("\nPlans for random positions of the grids no level has (mean over each set):\n");
    for (const Target& target : kTargets) {
        const std::string name = NameOf(target);
        const auto it = Results().find(name);
        if (it == Results().end()) {
            std::printf("  %-14s    n/a\n", name.c_str());
            continue;
        }
        const Measured& m = it->second;
        const bool met = m.length <= target.length && m.milliseconds <= target.milliseconds;
        std::printf("  %-14s length %7.2f (target <= %.0f)  time %8.2f ms (target <= %.0f ms)  %s\n", name.c_str(),
                    m.length, target.length, m.milliseconds, target.milliseconds, met ? "met" : "NOT MET");
    }
}

} // namespace tesselo::bench
