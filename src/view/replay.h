#pragma once

#include "model/game.h"
#include "model/history.h"

#include <cstdint>
#include <vector>

namespace tesselo {

// What the board shows at one moment of a replay: a grid, and the line of
// its selection slid by `offset` pixels along `axis`, as a drag shows it.
struct ReplayFrame {
    TileGrid grid;
    DragAxis axis = None;
    std::int32_t offset = 0;
    // How many moves of the solve are complete in this frame.
    std::size_t movesDone = 0;
    // The last move is made and the end has been shown long enough.
    bool over = false;
};

// A solve played back as a timeline: the start at rest, then each move
// slid over its line and left at rest, then the end. Pure arithmetic on
// the time since the replay began; the window's timer only asks for the
// frame of the moment and paints it with the drag painters.
class Replay {
public:
    static constexpr std::int64_t kStartRest = 1000;
    static constexpr std::int64_t kSlide = 300;
    static constexpr std::int64_t kRest = 300;
    static constexpr std::int64_t kEndRest = 1000;

    Replay() = default;
    Replay(TileGrid start, std::vector<HistoryStep> steps);

    // The frame at `ms` since the start, for cells of the given size (the
    // board may be resized while the replay runs).
    ReplayFrame FrameAt(std::int64_t ms, std::int32_t cellWidth, std::int32_t cellHeight) const;
    std::int64_t Duration() const;
    std::size_t MoveCount() const { return steps.size(); }
    bool IsEmpty() const { return start.rowCount == 0; }

private:
    // The grid after `done` moves; kept from the last call, since a replay
    // asks for its frames in order.
    const TileGrid& GridAfter(std::size_t done) const;

    TileGrid start;
    std::vector<HistoryStep> steps;
    mutable TileGrid cached;
    mutable std::size_t cachedDone = 0;
};

} // namespace tesselo
