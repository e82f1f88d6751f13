#include "solver/solve_map.h"

#include "solver/block_solver.h"
#include "solver/solver.h"
#include "tables/soundness.h"

namespace tesselo::solver {

SolveMapper::SolveMapper(const Solver& s, Position start, std::vector<Slide> m)
    : solver(s), at(start), moves(std::move(m)), searchEvery(BoundedMoves(start.Rows() * start.Columns()))
{
}

int SolveMapper::BoundedMoves(int cells)
{
    // Roughly as the block solver's plans cost: a few milliseconds up to
    // 64 cells, tens up to 144, a tenth of a second and more beyond.
    if (cells <= Solver::kSearchedCells)
        return 1;
    if (cells <= 64)
        return 4;
    if (cells <= 144)
        return 16;
    return 40;
}

bool SolveMapper::Search(std::stop_token stop)
{
    ++searches;
    boundedMoves = 0;
    std::optional<Plan> plan;
    if (searches > 1 && searchEvery > 1) {
        // A fresh plan now and then only has to beat the bound on hand: the
        // block solver's quick plans, some ten times cheaper than its best
        // on the largest grids, and followed only once played through.
        const int variants = BlockSolver::VariantsFor(at.Rows(), at.Columns());
        if (auto slides = BlockSolver::Solve(at, variants / 2, stop)) {
            Plan quick{std::move(*slides), false};
            if (BringsHome(at, quick))
                plan = std::move(quick);
        }
    } else {
        plan = solver.Solve(at, std::move(stop));
    }
    return plan && follower.Adopt(at, std::move(*plan));
}

bool SolveMapper::Bound(const Plan& before, const Slide& move)
{
    Plan bound;
    if (at.IsSolved())
        return follower.Adopt(at, std::move(bound));
    const Slide back = InverseSlide(move, at.LineLength(move.axis));
    bound.slides.reserve(before.slides.size() + 1);
    if (!before.slides.empty() && before.slides.front().axis == back.axis && before.slides.front().line == back.line) {
        const int merged = NormalisedAmount(back.amount + before.slides.front().amount, at.LineLength(back.axis));
        if (merged != 0)
            bound.slides.push_back(Slide{back.axis, back.line, std::int8_t(merged)});
        bound.slides.insert(bound.slides.end(), before.slides.begin() + 1, before.slides.end());
    } else {
        bound.slides.push_back(back);
        bound.slides.insert(bound.slides.end(), before.slides.begin(), before.slides.end());
    }
    return follower.Adopt(at, std::move(bound));
}

std::optional<MapPoint> SolveMapper::Next(std::stop_token stop)
{
    if (failed || mapped >= PointCount() || stop.stop_requested())
        return std::nullopt;
    bool searchDue = false;
    if (mapped > 0) {
        const Slide& move = moves[std::size_t(mapped - 1)];
        // A move the grid does not allow (a full turn of its line, say)
        // changes nothing, and the plan on hand still serves.
        if (at.Allows(move)) {
            const bool wasShortest = follower.Active() && follower.Remaining().optimal;
            std::optional<Plan> before;
            if (searchEvery > 1 && follower.Active())
                before = follower.Remaining();
            at.Apply(move);
            if (!follower.Played(move, at) || (wasShortest && !follower.Remaining().optimal)) {
                follower.Drop();
                if (before && Bound(*before, move))
                    searchDue = ++boundedMoves >= searchEvery && !at.IsSolved();
            }
        }
    }
    if (searchDue) {
        // Searched afresh now and then; the bound stands where the search
        // finds nothing shorter.
        Plan bound = follower.Remaining();
        if (!Search(stop) && stop.stop_requested())
            return std::nullopt;
        if (!follower.Active() || follower.Remaining().Length() > bound.Length())
            follower.Adopt(at, std::move(bound));
    } else if (!follower.Active() && !Search(stop)) {
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
