#include "model/history.h"

#include <algorithm>
#include <limits>

namespace tesselo {

void History::Begin(const TileGrid& grid, std::int32_t before)
{
    start = grid;
    movesBefore = before;
    steps.clear();
    position = 0;
    active = true;
    times.clear();
    timed = true;
}

void History::Clear()
{
    start = TileGrid();
    movesBefore = 0;
    steps.clear();
    position = 0;
    active = false;
    times.clear();
    timed = false;
}

void History::Record(const HistoryStep& step)
{
    if (!active)
        return;
    steps.resize(position);
    steps.push_back(step);
    ++position;
    if (steps.size() > kMaxSteps) {
        // Forget the oldest move by making its result the start; the move
        // counter stays what it was.
        steps.front().RedoOn(start);
        steps.erase(steps.begin());
        --position;
        ++movesBefore;
        if (!times.empty())
            times.erase(times.begin());
    }
}

void History::Stamp(std::int32_t ms)
{
    if (!timed || position == 0)
        return;
    if (times.size() < position - 1) {
        // A step without its time: the pace of this game is not known.
        timed = false;
        times.clear();
        return;
    }
    times.resize(position - 1);
    times.push_back(ms);
}

std::vector<std::int32_t> History::PlayedTimes() const
{
    if (!timed || times.size() < position)
        return {};
    std::vector<std::int32_t> out(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(position));
    // A move redone keeps the time it was first made at only until the
    // redo stamps it; a clock read never goes back, but a game brought
    // back by undoing its reset runs on from its own time.
    for (std::size_t i = 1; i < out.size(); ++i)
        out[i] = std::max(out[i], out[i - 1]);
    return out;
}

const HistoryStep* History::StepBack()
{
    if (!CanUndo())
        return nullptr;
    --position;
    return &steps[position];
}

const HistoryStep* History::StepForward()
{
    if (!CanRedo())
        return nullptr;
    return &steps[position++];
}

std::vector<HistoryStep> History::Played() const
{
    return {steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(position)};
}

TileGrid History::GridAt(std::size_t upTo) const
{
    TileGrid grid = start;
    for (std::size_t i = 0; i < upTo && i < steps.size(); ++i)
        steps[i].RedoOn(grid);
    return grid;
}

bool History::Leads(const TileGrid& grid, std::int32_t moves) const
{
    return active && std::int64_t(movesBefore) + std::int64_t(position) == moves &&
           GridAt(position).SameCells(grid);
}

bool History::IsConsistent() const
{
    if (!start.Size().IsValid() || position > steps.size() ||
        steps.size() > kMaxSteps || movesBefore < 0 ||
        std::int64_t(movesBefore) + std::int64_t(steps.size()) > std::numeric_limits<std::int32_t>::max())
        return false;
    const auto inside = [&](Selection s) {
        return s.row >= 0 && s.row < start.rowCount && s.column >= 0 && s.column < start.columnCount;
    };
    if (!inside(start.Selected()))
        return false;
    for (const HistoryStep& step : steps) {
        const bool row = step.move.axis == MoveAxis::Row;
        const std::int32_t lines = row ? start.rowCount : start.columnCount;
        const std::int32_t length = row ? start.columnCount : start.rowCount;
        if (step.move.line < 0 || step.move.line >= lines || step.move.amount <= -length ||
            step.move.amount >= length || step.move.amount == 0 ||
            !inside(step.before) || !inside(step.after))
            return false;
    }
    return true;
}

std::int32_t NetLength(const std::vector<HistoryStep>& played, std::int32_t rows, std::int32_t columns)
{
    std::vector<Move> net;
    for (const HistoryStep& step : played) {
        const std::int32_t length = step.move.axis == MoveAxis::Row ? columns : rows;
        if (length <= 0)
            continue;
        Move move = step.move;
        if (!net.empty() && net.back().axis == move.axis && net.back().line == move.line) {
            move.amount += net.back().amount;
            net.pop_back();
        }
        move.amount %= length;
        if (move.amount != 0)
            net.push_back(move);
    }
    return static_cast<std::int32_t>(net.size());
}

} // namespace tesselo
