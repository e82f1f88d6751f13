#include "model/game.h"

#include "model/clock_text.h"
#include "positions/line_wrap.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace tesselo {

Game::Game(GameClocks clocks)
    : parts{Puzzle(), DragGesture(), Stopwatch(std::move(clocks.monotonic))},
      fileTime(clocks.wall ? std::move(clocks.wall) : SystemFileTime)
{
    play.grid.Resize(kNovice.rows, kNovice.columns);
}

void Game::NewGame()
{
    if (play.state == Playing)
        return;
    StartSeeded(static_cast<std::uint32_t>(fileTime()) % 0x7FFF);
}

void Game::NewOrReset()
{
    // A paused "Blind" game waits: its one way out in play is its end.
    if (parts.style.IsBlind() && play.state == Playing)
        DeclareEnd();
    else if (play.state == Playing)
        ResetGame();
    else
        NewGame();
}

bool Game::DeclareEnd()
{
    if (!CanDeclareEnd())
        return false;
    drag.Cancel();
    // The time of the end is the time of the word, not of the last tick.
    ShowRunningTime();
    if (play.CheckSolved()) {
        AnnounceWin();
        return true;
    }
    // The game is over as it stands: at rest, its board shown, its moves
    // kept with the result; no undo brings back a game abandoned before it.
    play.state = Idle;
    play.abandoned.reset();
    ClockMayHaveChanged();
    Announce(StateChanged{PlayState::DidNotFinish});
    return true;
}

void Game::StartSeeded(std::uint32_t seed)
{
    Scramble(seed);
    AnnounceWithClock(NewPosition{PositionCause::NewGame});
}

void Game::Scramble(std::uint32_t seed)
{
    drag.Cancel();
    play.StartScrambled(seed);
    watch.Read();
    watch.Start();
}

void Game::StartNamed(const GameId& id, const QDate& daily)
{
    drag.Cancel();
    // The game in play goes as a reset takes it, and stays the one undo
    // can bring back while the new game has no move to take back.
    std::optional<Puzzle::Abandoned> kept;
    if (play.state == Playing) {
        ShowRunningTime();
        play.Reset(watch.elapsed, watch.Running());
        kept = std::exchange(play.abandoned, std::nullopt);
    }
    // An ID is read only with a size the game plays; one made by hand that
    // is not starts at the current size rather than at no size at all.
    const GridSize size = id.size.IsValid() ? id.size : play.grid.Size();
    play.grid.Resize(size.rows, size.columns);
    Scramble(id.seed);
    play.facts.daily = daily;
    play.abandoned = std::move(kept);
    AnnounceWithClock(NewPosition{PositionCause::Named});
}

bool Game::StartRace(const TileGrid& start, std::int64_t winId)
{
    if (!start.Size().IsValid() || start.IsSolved())
        return false;
    drag.Cancel();
    std::optional<Puzzle::Abandoned> kept;
    if (play.state == Playing) {
        ShowRunningTime();
        play.Reset(watch.elapsed, watch.Running());
        kept = std::exchange(play.abandoned, std::nullopt);
    }
    GameFacts known;
    known.raceWin = winId;
    play.Start(start, std::move(known));
    watch.Read();
    watch.Start();
    play.abandoned = std::move(kept);
    AnnounceWithClock(NewPosition{PositionCause::Named});
    return true;
}

std::int32_t Game::TimeInPlay()
{
    watch.Read();
    return watch.Running();
}

void Game::StampMove()
{
    watch.Read();
    play.history.Stamp(watch.Running());
}

void Game::StartDaily()
{
    const QDate today = TodayUtc();
    StartNamed(GameId{play.grid.Size(), DailySeed(today)}, today);
}

bool Game::SetPaused(bool paused)
{
    if (paused && !CanPause())
        return false;
    // A paused board takes no gesture: one open now springs back.
    drag.Cancel();
    play.facts.paused = paused;
    ClockMayHaveChanged();
    return true;
}

void Game::HoldForPause()
{
    if (parts.style.IsStrategy())
        play.facts.paused = false;
    const bool hold = play.facts.paused && CanPause();
    if (hold == watch.IsHeld(Stopwatch::Pause))
        return;
    // Read at the change itself, so the time stands from the very moment
    // of the pause and not from the last tick.
    watch.Read();
    watch.SetHold(Stopwatch::Pause, hold);
}

void Game::ResetGame()
{
    drag.Cancel();
    ShowRunningTime();
    play.Reset(watch.elapsed, watch.Running());
    watch.elapsed = 0;
    AnnounceWithClock(NewPosition{PositionCause::Reset});
}

void Game::BeginDrag(std::int32_t x, std::int32_t y)
{
    if (!TakesInput())
        return;
    drag.Begin(x, y);
    const Cell cell = CellAt(boardPixels, play.grid, y, x);
    const Selection from = play.grid.Selected();
    const Selection to{cell.row, cell.column};
    play.Select(to);
    if (to != from)
        Announce(SelectionMoved{from, to, false});
}

void Game::TrackDrag(std::int32_t x, std::int32_t y)
{
    if (play.state != Playing || !drag.dragging)
        return;
    const DragAxis axis = drag.dragAxis;
    const std::int32_t offset = drag.Offset();
    drag.Track(x, y);
    const std::int32_t now = drag.Offset();
    if (drag.dragAxis != axis || now != offset)
        Announce(GestureChanged{GestureChanged::Step::Followed, drag.dragAxis, now});
}

void Game::EndDrag(std::int32_t x, std::int32_t y)
{
    if (!drag.dragging)
        return;
    // A gesture whose game ended meanwhile closes without a move.
    if (play.state != Playing) {
        drag.Cancel();
        return;
    }
    const DragAxis axis = drag.dragAxis;
    const std::int32_t released = drag.OffsetAt(x, y);
    const std::optional<PlannedMove> planned =
        drag.End(x, y, CellWidth(boardPixels, play.grid), CellHeight(boardPixels, play.grid), play.grid);
    if (planned && Make(*planned, MoveSource::Drag, released))
        return;
    // The line goes back from where it was let go.
    drag.Settle();
    Announce(GestureChanged{GestureChanged::Step::Released, axis, released});
}

void Game::CancelDrag()
{
    if (!drag.dragging) {
        drag.Cancel();
        return;
    }
    const DragAxis axis = drag.dragAxis;
    const std::int32_t offset = drag.Offset();
    drag.Cancel();
    Announce(GestureChanged{GestureChanged::Step::Cancelled, axis, offset});
}

void Game::KeyShift(MoveAxis axis, std::int32_t by)
{
    if (!TakesMoves())
        return;
    // The move is the cell the key slides the line by, either way, so that
    // it is shown sliding the way the key points (on a line of two cells
    // both ways end alike); the selection wraps with the moved tile.
    const Selection at = play.grid.Selected();
    const bool row = axis == MoveAxis::Row;
    const std::int32_t count = row ? play.grid.columnCount : play.grid.rowCount;
    const std::int32_t from = row ? at.column : at.row;
    const std::int32_t to = WrapIndex(from + by, count);
    const Selection after = row ? Selection{at.row, to} : Selection{to, at.column};
    Make(PlannedMove{Move{axis, row ? at.row : at.column, by}, after}, MoveSource::Key);
}

bool Game::Make(const PlannedMove& planned, MoveSource by, std::int32_t releasedAt)
{
    const Selection before = play.grid.Selected();
    if (!play.Make(planned))
        return false;
    StampMove();
    if (parts.style.IsBlind())
        play.facts.blindfolded = true;
    FinishMove(MoveMade{HistoryStep{planned.move, before, planned.after}, by, releasedAt, MoveWins()});
    return true;
}

bool Game::CanUndo() const
{
    return !drag.dragging && !IsPaused() && play.CanUndo();
}

bool Game::CanRedo() const
{
    return !drag.dragging && !IsPaused() && play.CanRedo();
}

bool Game::Undo()
{
    if (!CanUndo())
        return false;
    const std::optional<Puzzle::Abandoned>& reset = play.abandoned;
    const bool restoring = play.Restores();
    const std::int32_t shown = restoring ? reset->elapsed : 0;
    const std::int32_t running = restoring ? reset->running : 0;
    if (play.Undo() == Puzzle::UndoKind::Nothing)
        return false;
    if (restoring) {
        // The stopwatch goes on from where it stood when the game was reset.
        watch.Read();
        watch.ContinueAt(running);
        watch.elapsed = shown;
        AnnounceWithClock(NewPosition{PositionCause::Restored});
    } else {
        AnnounceWithClock(MoveTakenBack{play.history.steps[play.history.position]});
    }
    return true;
}

bool Game::Redo()
{
    if (!CanRedo() || !play.Redo())
        return false;
    StampMove();
    FinishMove(MoveMade{play.history.steps[play.history.position - 1], MoveSource::Redo, 0, MoveWins()});
    return true;
}

bool Game::MakeMove(const Move& move)
{
    if (!TakesMoves())
        return false;
    // The selection goes where the move takes the cell where the selected
    // row or column crosses the moved line, so the frame shows which line
    // moved.
    const Selection at = play.grid.Selected();
    const bool row = move.axis == MoveAxis::Row;
    const std::int32_t length = row ? play.grid.columnCount : play.grid.rowCount;
    if (length <= 0)
        return false;
    const std::int32_t from = row ? at.column : at.row;
    const std::int32_t to = WrapIndex(std::int64_t(from) + move.amount, length);
    const Selection after = row ? Selection{move.line, to} : Selection{to, move.line};
    return Make(PlannedMove{move, after}, MoveSource::Solve);
}

void Game::StepSelection(std::int32_t down, std::int32_t right)
{
    const Selection s = play.grid.Selected();
    KeySelect({WrapIndex(s.row + down, play.grid.rowCount), WrapIndex(s.column + right, play.grid.columnCount)});
}

void Game::KeySelect(Selection to)
{
    const Selection from = play.grid.Selected();
    if (!TakesMoves() || to == from)
        return;
    play.Select(to);
    Announce(SelectionMoved{from, to, true});
}

const QString& Game::CounterText()
{
    if (parts.style.IsStrategy()) {
        counterText = QString::asprintf("%d", play.moves);
        return counterText;
    }
    ShowRunningTime();
    counterText = ClockText(watch.elapsed);
    return counterText;
}

void Game::ShowRunningTime()
{
    // The time is read when it is wanted, not left from the last tick. A
    // resumed game's stopwatch counts from its first tick.
    watch.Read();
    if (parts.style.IsSpeed() && play.state == Playing && !watch.resumePending)
        watch.elapsed = watch.Running();
}

void Game::SuspendForReplay(bool replaying)
{
    watch.SetHold(Stopwatch::Replay, replaying);
    ClockMayHaveChanged();
}

void Game::ClockMayHaveChanged()
{
    HoldForPause();
    if (IsPaused() != pausedTold) {
        pausedTold = IsPaused();
        Announce(StateChanged{pausedTold ? PlayState::Paused : PlayState::Resumed});
    }
    const bool ticks = ClockTicks();
    if (ticks != clockTicked) {
        clockTicked = ticks;
        Announce(ClockChanged{ticks});
    }
}

void Game::AnnounceWithClock(const GameChange& change)
{
    Announce(change);
    ClockMayHaveChanged();
}

void Game::Announce(const GameChange& change)
{
    toAnnounce.push_back(change);
    if (announcing)
        return;
    announcing = true;
    for (std::size_t i = 0; i < toAnnounce.size(); ++i) {
        const GameChange next = toAnnounce[i];
        emit Changed(next);
    }
    toAnnounce.clear();
    announcing = false;
}

GameResult Game::ResultOfWin(const QString& picture) const
{
    return GameResult::OfWin(play, watch, parts.style, UtcNow(fileTime), picture);
}

void Game::FinishMove(const MoveMade& made)
{
    drag.Settle();
    if (made.wins) {
        // The time of the win is the time at the move, not at the last tick.
        ShowRunningTime();
        play.CheckSolved();
    }
    Announce(made);
    if (made.wins)
        AnnounceWin();
}

void Game::AnnounceWin()
{
    ClockMayHaveChanged();
    Announce(StateChanged{PlayState::Won});
}

} // namespace tesselo
