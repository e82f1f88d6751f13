#include "solver/solve_map.h"

#include "solver/solver.h"

namespace tesselo::solver {

SolveMapper::SolveMapper(const Solver& s, Position start, std::vector<Slide> m)
    : solver(s), at(start), moves(std::move(m))
{
}

bool SolveMapper::Search(std::stop_token stop)
{
    ++searches;
    std::optional<Plan> plan = solver.Solve(at, std::move(stop));
    return plan && follower.Adopt(at, std::move(*plan));
}

std::optional<MapPoint> SolveMapper::Next(std::stop_token stop)
{
    if (failed || mapped >= PointCount() || stop.stop_requested())
        return std::nullopt;
    if (mapped > 0) {
        const Slide& move = moves[std::size_t(mapped - 1)];
        // A move the grid does not allow (a full turn of its line, say)
        // changes nothing, and the plan on hand still serves.
        if (at.Allows(move)) {
            const bool wasShortest = follower.Active() && follower.Remaining().optimal;
            at.Apply(move);
            if (!follower.Played(move, at) || (wasShortest && !follower.Remaining().optimal))
                follower.Drop();
        }
    }
    if (!follower.Active() && !Search(stop)) {
        failed = !stop.stop_requested();
        return std::nullopt;
    }
    ++mapped;
    const Plan& plan = follower.Remaining();
    return MapPoint{plan.Length(), plan.optimal, follower.Next()};
}

std::vector<MoveVerdict> JudgeMoves(const std::vector<MapPoint>& points)
{
    std::vector<MoveVerdict> verdicts;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const MapPoint& before = points[i - 1];
        const MapPoint& after = points[i];
        verdicts.push_back({after.distance > before.distance,
                            before.exact && after.exact && after.distance == before.distance - 1});
    }
    return verdicts;
}

} // namespace tesselo::solver
