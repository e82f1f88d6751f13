#include "bench_solver.h"

#include "solver/distance_table.h"
#include "solver/pattern_table.h"
#include "solver/phase_tables.h"
#include "solver/solver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
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

// One iteration solves the whole set; the counters give the mean time a
// position (processor time, as for the other cases) and the mean length.
void SolveSet(benchmark::State& state, const Solver& solver, const std::vector<Position>& positions)
{
    std::uint64_t slides = 0;
    std::uint64_t solved = 0;
    for (auto _ : state) {
        for (const Position& p : positions) {
            const auto plan = solver.Solve(p);
            if (!plan) {
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
}

} // namespace tesselo::bench
