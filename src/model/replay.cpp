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

GhostPace::GhostPace(std::vector<HistoryStep> moves, const std::vector<std::int32_t>& times, std::int64_t totalMs)
    : steps(std::move(moves))
{
    const std::size_t n = steps.size();
    due.resize(n);
    pacedByMoves = n > 0 && times.size() == n;
    std::int64_t last = 0;
    for (std::size_t i = 0; i < n; ++i) {
        // Evenly: the last move at the win's time, the first one step in.
        const std::int64_t at = pacedByMoves ? std::int64_t(times[i])
                                             : std::max<std::int64_t>(totalMs, 0) * std::int64_t(i + 1) /
                                                   std::int64_t(n);
        last = std::max(last, at);
        due[i] = last;
    }
}

std::size_t GhostPace::MovesDueAt(std::int64_t ms) const
{
    return std::size_t(std::upper_bound(due.begin(), due.end(), ms) - due.begin());
}

std::optional<std::int64_t> GhostPace::DueTime(std::size_t i) const
{
    return i < due.size() ? std::optional<std::int64_t>(due[i]) : std::nullopt;
}

RaceOutcome JudgeRace(Style style, std::int64_t playerScore, std::int64_t ghostScore)
{
    RaceOutcome out;
    out.inTime = style.IsSpeed();
    out.lead = playerScore < ghostScore   ? RaceOutcome::Lead::Player
               : playerScore > ghostScore ? RaceOutcome::Lead::Ghost
                                          : RaceOutcome::Lead::Even;
    out.margin = playerScore < ghostScore ? ghostScore - playerScore : playerScore - ghostScore;
    return out;
}

} // namespace tesselo
