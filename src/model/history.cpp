#include "model/history.h"

#include <limits>

namespace tesselo {

void History::Begin(const TileGrid& grid, std::int32_t before)
{
    start = grid;
    movesBefore = before;
    steps.clear();
    position = 0;
    active = true;
}

void History::Clear()
{
    start = TileGrid();
    movesBefore = 0;
    steps.clear();
    position = 0;
    active = false;
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
    }
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
