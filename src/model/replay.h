#pragma once

#include "model/grid_size.h"
#include "model/history.h"
#include "model/tile_grid.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tesselo {

// A solve played back as a timeline: the start at rest, then a move every
// kStep, then the end at rest. Pure arithmetic on the time since the replay
// began: whoever plays it makes the moves due on a board of its own, and
// the board shows them gliding as it shows the game's.
class Replay {
public:
    static constexpr std::int64_t kStartRest = 1000;
    static constexpr std::int64_t kStep = 600;
    static constexpr std::int64_t kEndRest = 1000;

    Replay() = default;
    Replay(TileGrid start, std::vector<HistoryStep> steps);

    // How many moves have been made `ms` after the start.
    std::size_t MovesDueAt(std::int64_t ms) const;
    std::int64_t Duration() const;
    std::size_t MoveCount() const { return steps.size(); }
    bool IsEmpty() const { return start.rowCount == 0; }
    const TileGrid& Start() const { return start; }
    const HistoryStep& Step(std::size_t i) const { return steps[i]; }

private:
    TileGrid start;
    std::vector<HistoryStep> steps;
};

// A kept solve raced: its moves due by the time of the game in play, each at
// the time it was made where the times of its moves were kept, else spread
// evenly over the win's time, the last at the win's time. Pure arithmetic:
// the race asks what is due when the game's clock says so.
class GhostPace {
public:
    GhostPace() = default;
    // `times`, when one a step, are taken as kept (made never to go back);
    // anything else paces evenly over `totalMs`.
    GhostPace(std::vector<HistoryStep> steps, const std::vector<std::int32_t>& times, std::int64_t totalMs);

    std::size_t MovesDueAt(std::int64_t ms) const;
    // When move `i` (from 0) is due; none past the last.
    std::optional<std::int64_t> DueTime(std::size_t i) const;
    // When the ghost's last move is made: its finish.
    std::int64_t FinishTime() const { return due.empty() ? 0 : due.back(); }
    bool IsPacedByMoves() const { return pacedByMoves; }
    std::size_t MoveCount() const { return steps.size(); }
    const HistoryStep& Step(std::size_t i) const { return steps[i]; }

private:
    std::vector<HistoryStep> steps;
    std::vector<std::int64_t> due;
    bool pacedByMoves = false;
};

// Who was ahead at a race's end, and by how much: time in the styles of
// the clock, moves (the score kept: net moves in "Fewest Moves") in the
// others. `margin` is never negative.
struct RaceOutcome {
    enum class Lead { Player, Ghost, Even };
    Lead lead = Lead::Even;
    std::int64_t margin = 0;
    bool inTime = false;
};
RaceOutcome JudgeRace(Style style, std::int64_t playerScore, std::int64_t ghostScore);

} // namespace tesselo
