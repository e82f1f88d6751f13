#include "model/puzzle.h"

#include "model/grid_position.h"
#include "solver/solver.h"

#include <limits>
#include <utility>

namespace tesselo {

namespace {

// Whether `grid` is solved within fewer moves than a new game starts from.
// A grid the solver does not hold is only refused when solved.
bool NearlySolved(const TileGrid& grid)
{
    if (const std::optional<solver::Position> position = PositionOf(grid))
        return solver::Solver::IsWithin(*position, Puzzle::kLeastStartDistance - 1);
    return grid.IsSolved();
}

} // namespace

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

void Puzzle::StartScrambled(std::uint32_t seed)
{
    // Every try starts from the home order, so that the seed alone names
    // the start.
    TileGrid scrambled = grid;
    for (;; ++seed) {
        scrambled.Resize(scrambled.rowCount, scrambled.columnCount);
        scrambled.Shuffle(seed);
        if (!NearlySolved(scrambled))
            break;
    }
    GameFacts known;
    known.seed = seed;
    Start(scrambled, std::move(known));
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

void Puzzle::SetPar(std::int32_t length, bool optimal)
{
    if (state != Playing || length < 0)
        return;
    // The scramble undone is a way home too, one slide a step: a plan
    // longer than that (the large grids' plans are not shortest) is no par.
    if (facts.seed) {
        const std::int32_t undone = grid.Size().ScrambleSteps(*facts.seed);
        if (length > undone) {
            length = undone;
            optimal = false;
        }
    }
    facts.par = length;
    facts.parIsOptimal = optimal;
}

void Puzzle::CountAssisted(std::int32_t count)
{
    if (state != Playing || count <= 0)
        return;
    facts.assisted = facts.assisted > std::numeric_limits<std::int32_t>::max() - count
                         ? std::numeric_limits<std::int32_t>::max()
                         : facts.assisted + count;
}

} // namespace tesselo
