#pragma once

#include "positions/plan_follower.h"
#include "positions/position.h"
#include "positions/slide.h"

#include <optional>
#include <stop_token>
#include <vector>

namespace tesselo::solver {

class Solver;

// One position of a solve as the map shows it: how far it was from solved,
// and the first slide of the way the solver knows from there.
struct MapPoint {
    // Slides to solved: exact when `exact`, else the length of the best
    // plan known, an upper bound.
    int distance = 0;
    bool exact = false;
    // The next slide of that way; none once solved.
    std::optional<Slide> next;
    bool operator==(const MapPoint&) const = default;
};

// Works out, move by move, how far a played solve was from solved. A plan
// is searched for the start; each later position is served by the plan on
// hand as long as the player keeps to it (each move kept to it one slide
// less), and a new plan is searched only where the player left it. On the
// grids the solver answers exactly, a plan no longer known to be shortest
// (a slide followed only in part) is searched again, so every distance
// there is exact.
//
// On the grids beyond Solver::kSearchedCells, where a plan costs
// milliseconds to a tenth of a second and a player's own way leaves the
// solver's at most moves, a move off the plan is answered by the move
// taken back and the plan on hand: one slide more at most, an upper bound
// as every distance there is. A plan is searched afresh only every
// BoundedMoves such moves (more between searches the dearer they are), and
// the bound kept where the search finds nothing shorter: a 2,000-move
// solve of 16 x 16 maps in seconds.
class SolveMapper {
public:
    SolveMapper(const Solver& solver, Position start, std::vector<Slide> moves);

    // The point after the next move (the start's first), or nothing once
    // every move is mapped, when `stop` was asked for, or when no plan could
    // be found (a position no slides solve).
    std::optional<MapPoint> Next(std::stop_token stop = {});
    // Points given so far: the start and the moves after it.
    int Mapped() const { return mapped; }
    int PointCount() const { return int(moves.size()) + 1; }
    // Plans searched so far, for the benchmark and the tests.
    int Searches() const { return searches; }

    // Moves off the plan between two searches on a grid of `cells`; 1
    // where every such move is searched.
    static int BoundedMoves(int cells);

private:
    bool Search(std::stop_token stop);
    // The plan on hand after `move` left it: `move` taken back, then the
    // plan as it was, merged where the two slide the same line.
    bool Bound(const Plan& before, const Slide& move);

    const Solver& solver;
    Position at;
    std::vector<Slide> moves;
    PlanFollower follower;
    int mapped = 0;
    int searches = 0;
    bool failed = false;
    int searchEvery = 1;  // BoundedMoves of this grid
    int boundedMoves = 0; // moves off the plan since the last search
};

// Whether each move took the board further from solved, and whether it was
// a step of a shortest way (one slide nearer, both positions exact), from
// the points of a map: one entry a move, for the moves whose two points are
// known.
struct MoveVerdict {
    bool away = false;
    bool shortest = false;
};
std::vector<MoveVerdict> JudgeMoves(const std::vector<MapPoint>& points);

} // namespace tesselo::solver
