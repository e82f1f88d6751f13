#include "view/replay.h"

namespace tesselo {

Replay::Replay(TileGrid from, std::vector<HistoryStep> moves)
    : start(std::move(from)), steps(std::move(moves)), cached(start)
{
}

std::int64_t Replay::Duration() const
{
    return kStartRest + std::int64_t(steps.size()) * (kSlide + kRest) + kEndRest;
}

const TileGrid& Replay::GridAfter(std::size_t done) const
{
    if (done < cachedDone) {
        cached = start;
        cachedDone = 0;
    }
    for (; cachedDone < done && cachedDone < steps.size(); ++cachedDone)
        steps[cachedDone].RedoOn(cached);
    return cached;
}

ReplayFrame Replay::FrameAt(std::int64_t ms, std::int32_t cellWidth, std::int32_t cellHeight) const
{
    ReplayFrame frame;
    if (ms < kStartRest) {
        frame.grid = GridAfter(0);
        return frame;
    }
    const std::int64_t into = ms - kStartRest;
    const auto step = std::size_t(into / (kSlide + kRest));
    const std::int64_t phase = into % (kSlide + kRest);
    if (step >= steps.size()) {
        frame.grid = GridAfter(steps.size());
        frame.movesDone = steps.size();
        frame.over = ms >= Duration();
        return frame;
    }
    frame.grid = GridAfter(step);
    frame.movesDone = step;
    const HistoryStep& s = steps[step];
    if (phase >= kSlide) {
        s.RedoOn(frame.grid);
        frame.movesDone = step + 1;
        return frame;
    }
    // The line slides as the player's drag slid it: the selection on the
    // moved line, the offset growing to the whole move.
    frame.grid.Select(s.before);
    const bool row = s.move.axis == MoveAxis::Row;
    if (row)
        frame.grid.selectedRow = s.move.line;
    else
        frame.grid.selectedColumn = s.move.line;
    frame.axis = row ? Horizontal : Vertical;
    const std::int64_t whole = std::int64_t(s.move.amount) * (row ? cellWidth : cellHeight);
    frame.offset = static_cast<std::int32_t>(whole * phase / kSlide);
    return frame;
}

} // namespace tesselo
