#pragma once

#include "model/history.h"
#include "model/tile_grid.h"

#include <cstddef>
#include <cstdint>
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

} // namespace tesselo
