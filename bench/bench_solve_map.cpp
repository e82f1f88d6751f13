#include "bench_solve_map.h"

#include "positions/slide_set.h"
#include "solver/solve_map.h"
#include "solver/solver.h"
#include "tables/phase_tables.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>

namespace tesselo::bench {

namespace {

using namespace tesselo::solver;
using Clock = std::chrono::steady_clock;

// A long Genius solve as a player makes one: the way the solver knows,
// left for one slide elsewhere every tenth move, until `moves` are made,
// then followed home.
struct LongSolve {
    Position start;
    std::vector<Slide> moves;
};

LongSolve MakeLongSolve(const Solver& solver, int moves)
{
    std::mt19937 random(4242);
    const SlideSet& set = SlideSet::For(4, 6);
    LongSolve solve;
    solve.start = Position::Solved(4, 6);
    for (int i = 0; i < 60; ++i)
        solve.start.Apply(set.At(int(random() % unsigned(set.Count()))));
    Position at = solve.start;
    std::vector<Slide> plan;
    while (int(solve.moves.size()) < moves || !at.IsSolved()) {
        const bool stray = int(solve.moves.size()) < moves && solve.moves.size() % 10 == 9;
        if (stray || plan.empty()) {
            if (stray) {
                const Slide away = set.At(int(random() % unsigned(set.Count())));
                solve.moves.push_back(away);
                at.Apply(away);
            }
            plan = solver.Solve(at)->slides;
            std::reverse(plan.begin(), plan.end());
            continue;
        }
        solve.moves.push_back(plan.back());
        at.Apply(plan.back());
        plan.pop_back();
        if (at.IsSolved() && int(solve.moves.size()) < moves) {
            // Home too soon: wander off and keep going.
            const Slide away = set.At(int(random() % unsigned(set.Count())));
            solve.moves.push_back(away);
            at.Apply(away);
            plan.clear();
        }
    }
    return solve;
}

// A player's own way on 16 x 16, which keeps to no plan of the solver's:
// `moves` random slides from a scramble, then home by the solver's plan.
LongSolve MakeWanderingSolve(const Solver& solver, int moves)
{
    std::mt19937 random(2026);
    const auto any = [&random] {
        const bool row = random() % 2 == 0;
        return Slide{row ? Axis::Row : Axis::Column, std::int8_t(random() % 16u), std::int8_t(1 + random() % 15u)};
    };
    LongSolve solve;
    solve.start = Position::Solved(16, 16);
    for (int i = 0; i < 96; ++i)
        solve.start.Apply(any());
    Position at = solve.start;
    for (int i = 0; i < moves; ++i) {
        solve.moves.push_back(any());
        at.Apply(solve.moves.back());
    }
    const std::vector<Slide> home = solver.Solve(at)->slides;
    solve.moves.insert(solve.moves.end(), home.begin(), home.end());
    return solve;
}

} // namespace

void RegisterSolveMapCases(bool tiny)
{
    // The map of a 2,000-move solve of 16 x 16 by the player's own way (a
    // move off the plan at nearly every move): complete, in real time.
    benchmark::RegisterBenchmark("BM_SolveMap16x16Wandering", [tiny](benchmark::State& state) {
        const Solver solver;
        const LongSolve solve = MakeWanderingSolve(solver, tiny ? 60 : 2000);
        double all = 0;
        int searches = 0;
        for (auto _ : state) {
            const auto began = Clock::now();
            SolveMapper mapper(solver, solve.start, solve.moves);
            int points = 0;
            while (mapper.Next())
                ++points;
            all += std::chrono::duration<double, std::milli>(Clock::now() - began).count();
            searches = mapper.Searches();
            if (points != mapper.PointCount()) {
                state.SkipWithError("the map was not complete");
                return;
            }
        }
        state.counters["moves"] = double(solve.moves.size());
        state.counters["complete_ms"] = all / double(state.iterations());
        state.counters["searches"] = searches;
    })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

    // The map of a 200-move Genius solve: the time to its first point (one
    // search) and to its last, in real time, with the game's large tables
    // (the quick ones in the tiny run).
    benchmark::RegisterBenchmark("BM_SolveMapGenius200", [tiny](benchmark::State& state) {
        static const std::shared_ptr<const Solver> solver = [tiny] {
            if (tiny)
                return std::make_shared<const Solver>();
            std::shared_ptr<PhaseTables> tables = PhaseTables::Large();
            tables->Build();
            return std::make_shared<const Solver>(std::shared_ptr<const PhaseTables>(std::move(tables)));
        }();
        const LongSolve solve = MakeLongSolve(*solver, tiny ? 20 : 200);
        double first = 0;
        double all = 0;
        int searches = 0;
        for (auto _ : state) {
            const auto began = Clock::now();
            SolveMapper mapper(*solver, solve.start, solve.moves);
            int points = 0;
            while (mapper.Next()) {
                if (++points == 1)
                    first += std::chrono::duration<double, std::milli>(Clock::now() - began).count();
            }
            all += std::chrono::duration<double, std::milli>(Clock::now() - began).count();
            searches = mapper.Searches();
            if (points != mapper.PointCount()) {
                state.SkipWithError("the map was not complete");
                return;
            }
        }
        const double n = double(state.iterations());
        state.counters["moves"] = double(solve.moves.size());
        state.counters["first_ms"] = first / n;
        state.counters["complete_ms"] = all / n;
        state.counters["searches"] = searches;
    })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(tiny ? 1 : 3);
}

} // namespace tesselo::bench
