#include "model/replay.h"

#include <algorithm>

namespace tesselo {

Replay::Replay(TileGrid from, std::vector<HistoryStep> moves) : start(std::move(from)), steps(std::move(moves)) {}

std::int64_t Replay::Duration() const
{
    return kStartRest + std::int64_t(steps.size()) * kStep + kEndRest;
}

std::size_t Replay::MovesDueAt(std::int64_t ms) const
{
    if (ms < kStartRest)
        return 0;
    return std::min(std::size_t((ms - kStartRest) / kStep) + 1, steps.size());
}

} // namespace tesselo
