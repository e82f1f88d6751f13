#pragma once

#include "model/move.h"
#include "model/tile_grid.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tesselo {

// One move as the game made it, with the selection just before and just
// after: undo puts back the first, redo the second.
struct HistoryStep {
    Move move;
    Selection before;
    Selection after;

    // Plays the step on `grid` (slide and selection), or takes it back.
    void RedoOn(TileGrid& grid) const
    {
        grid.Apply(move);
        grid.Select(after);
    }
    void UndoOn(TileGrid& grid) const
    {
        grid.Apply(move.Inverse());
        grid.Select(before);
    }
    bool operator==(const HistoryStep&) const = default;
};

// The moves of one game from a known start: a list and a position in it.
// Everything before the position has been played; everything after it has
// been undone and may be redone. Undo, redo, the saved history, the records
// and the replay all read this one list.
class History {
public:
    // More than any player makes in one game; bounds what a damaged file
    // can make the game replay. The oldest moves give way beyond it.
    static constexpr std::size_t kMaxSteps = 100000;

    // Starts afresh at `grid` (cells and selection), counting `movesBefore`
    // moves already made before this start.
    void Begin(const TileGrid& grid, std::int32_t movesBefore);
    // No history at all: nothing to undo, redo or replay.
    void Clear();
    bool IsActive() const { return active; }

    // Adds a move at the position; the moves that could have been redone
    // are dropped.
    void Record(const HistoryStep& step);
    // The game's stopwatch, in ms, when the step just made (or redone) was
    // made: a race paces its ghost by these. Kept only while every step
    // before it has its time; a history read from a file has none, and a
    // game that goes on from it keeps none.
    void Stamp(std::int32_t ms);
    // The times of the moves played, one a step and never going back, or
    // none when they are not all known.
    std::vector<std::int32_t> PlayedTimes() const;
    bool CanUndo() const { return active && position > 0; }
    bool CanRedo() const { return active && position < steps.size(); }
    // Each steps the position and returns the step to undo or redo; null,
    // with nothing changed, when there is none.
    const HistoryStep* StepBack();
    const HistoryStep* StepForward();

    // The move counter this history stands for.
    std::int32_t MoveCount() const { return movesBefore + static_cast<std::int32_t>(position); }
    // What was actually played: the moves up to the position.
    std::vector<HistoryStep> Played() const;
    // The start replayed up to `upTo` steps, cells and selection.
    TileGrid GridAt(std::size_t upTo) const;
    // A history read from a file belongs to a saved game only when it leads
    // to exactly that game's cells and move count.
    bool Leads(const TileGrid& grid, std::int32_t moves) const;
    // Every step fits the start grid: lines and selections inside it, each
    // amount shorter than its line and not zero, a position within the list.
    bool IsConsistent() const;

    TileGrid start;
    std::int32_t movesBefore = 0;
    std::vector<HistoryStep> steps;
    std::size_t position = 0;
    // The stamps of the first steps, while `timed`.
    std::vector<std::int32_t> times;

private:
    bool active = false;
    bool timed = false;
};

// The length of a solution as it stands, in the solver's measure: a slide of
// a line by any number of cells is one move, and the slides are reduced as a
// stack: slides of the same line one after another merge into one, and one
// that brings the line back to where it was is taken out, so that what stood
// before it may merge in turn. On a grid of `rows` by `columns`.
std::int32_t NetLength(const std::vector<HistoryStep>& played, std::int32_t rows, std::int32_t columns);

} // namespace tesselo
