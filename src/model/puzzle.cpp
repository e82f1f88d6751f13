#include "model/puzzle.h"

#include <limits>
#include <utility>

namespace tesselo {

void Puzzle::Start(const TileGrid& scrambled, GameFacts known)
{
    grid = scrambled;
    moves = 0;
    state = Playing;
    history.Begin(grid, 0);
    facts = std::move(known);
    abandoned.reset();
}

void Puzzle::Resume(const TileGrid& saved, GameState savedState, std::int32_t savedMoves)
{
    grid = saved;
    state = savedState;
    moves = savedMoves;
    // A game resumed without its history can be undone back to here.
    history.Begin(grid, moves);
    facts = GameFacts();
    abandoned.reset();
}

bool Puzzle::AdoptHistory(History kept, const GameFacts& known)
{
    if (state != Playing || !kept.Leads(grid, moves))
        return false;
    if (known.seed && kept.movesBefore == 0) {
        TileGrid scrambled;
        scrambled.Resize(kept.start.rowCount, kept.start.columnCount);
        scrambled.Shuffle(*known.seed);
        if (!scrambled.SameCells(kept.start))
            return false;
    }
    history = std::move(kept);
    facts = known;
    return true;
}

bool Puzzle::Make(const PlannedMove& planned)
{
    if (state != Playing)
        return false;
    const Selection before = grid.Selected();
    if (!grid.Apply(planned.move))
        return false;
    grid.Select(planned.after);
    CountMove();
    history.Record(HistoryStep{planned.move, before, planned.after});
    return true;
}

bool Puzzle::CheckSolved()
{
    if (!grid.IsSolved())
        return false;
    state = Solved;
    return true;
}

void Puzzle::CountMove()
{
    if (moves < std::numeric_limits<std::int32_t>::max())
        ++moves;
}

bool Puzzle::CanUndo() const
{
    return (state == Playing && history.CanUndo()) || Restores();
}

bool Puzzle::Restores() const
{
    return abandoned && (state == Idle || (state == Playing && !history.CanUndo()));
}

bool Puzzle::CanRedo() const
{
    return state == Playing && history.CanRedo();
}

Puzzle::UndoKind Puzzle::Undo()
{
    if (Restores()) {
        Abandoned game = std::move(*abandoned);
        abandoned.reset();
        grid = std::move(game.grid);
        moves = game.moves;
        history = std::move(game.history);
        facts = std::move(game.facts);
        state = Playing;
        return UndoKind::Restored;
    }
    if (state != Playing)
        return UndoKind::Nothing;
    const HistoryStep* step = history.StepBack();
    if (!step)
        return UndoKind::Nothing;
    step->UndoOn(grid);
    --moves;
    return UndoKind::Move;
}

bool Puzzle::Redo()
{
    if (state != Playing)
        return false;
    const HistoryStep* step = history.StepForward();
    if (!step)
        return false;
    step->RedoOn(grid);
    CountMove();
    return true;
}

void Puzzle::Reset(std::int32_t elapsed, std::int32_t running)
{
    if (state == Playing)
        abandoned = Abandoned{grid, moves, std::move(history), std::move(facts), elapsed, running};
    history.Clear();
    facts = GameFacts();
    grid.Resize(grid.rowCount, grid.columnCount);
    moves = 0;
    state = Idle;
}

void Puzzle::Resize(std::int32_t rows, std::int32_t columns)
{
    if (state == Playing)
        Reset(0, 0);
    // A finished game's moves are of the old size; an abandoned game keeps
    // its own grid.
    history.Clear();
    grid.Resize(rows, columns);
}

void Puzzle::EndHistory()
{
    history.Clear();
    abandoned.reset();
}

} // namespace tesselo
