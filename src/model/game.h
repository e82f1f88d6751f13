#pragma once

#include "model/drag_gesture.h"
#include "model/game_change.h"
#include "model/game_facts.h"
#include "model/game_id.h"
#include "model/game_result.h"
#include "model/history.h"
#include "model/puzzle.h"
#include "model/stopwatch.h"
#include "model/tile_grid.h"
#include "model/wall_clock.h"

#include <QObject>
#include <QSize>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tesselo {

// The wall clock for seeds and dates, and a monotonic clock for the
// stopwatch. Tests give their own.
struct GameClocks {
    WallClock wall;
    Stopwatch::Clock monotonic = Stopwatch::Steady;
};

// Everything a game is at a moment, by concern: the puzzle (grid, state of
// play, counter, history, facts), the open drag, the stopwatch and the two
// settings the saved game keeps. The game changes them only through its
// operations; everyone else reads them through Game::View().
struct GameParts {
    Puzzle puzzle;
    DragGesture gesture;
    Stopwatch stopwatch;
    Style style = Style::Strategy;
    std::int32_t volume = 100;
    // The solver's hint on the board, if one shows.
    std::optional<Move> hint = std::nullopt;
};

// The game as the saved game keeps it: the state of play with its counter
// and the time shown, the settings, the grid with its selection, and where
// the last drag began.
struct PlayRecord {
    std::int32_t dragAnchorY = 0;
    std::int32_t dragAnchorX = 0;
    DragAxis dragAxis = None;
    GameState state = Idle;
    std::int32_t elapsed = 0;
    std::int32_t moves = 0;
    std::int32_t volume = 100;
    bool strategyStyle = true;
    TileGrid grid;

    // Values a game can hold: a playable grid in an arrangement slides can
    // reach, a known axis and state, a volume in range, a counter not below
    // zero and a time the stopwatch can show. Anything else was never
    // written by a game.
    bool IsSound() const;
};

// The puzzle for the whole run: the state of play, counters and the open
// gesture. Knows nothing of windows, pictures or files: every change it
// makes is announced once, after it happened, as a value (Changed), and
// whoever shows the game, keeps its picture or saves it follows that one
// stream and reads the game through View().
class Game : public QObject {
    Q_OBJECT
    GameParts parts;
    // The parts by their short names, for the rules below.
    Puzzle& play = parts.puzzle;
    DragGesture& drag = parts.gesture;
    Stopwatch& watch = parts.stopwatch;
    friend struct GameSetup;

public:
    static constexpr std::int32_t kMaxElapsed = Stopwatch::kMaxElapsed;
    // A new game starts at least this many moves from solved.
    static constexpr int kLeastStartDistance = Puzzle::kLeastStartDistance;
    // The board the built-in picture fills before any other is shown.
    static constexpr QSize kFirstBoard{640, 480};

    explicit Game(GameClocks clocks);
    explicit Game(WallClock wall = SystemFileTime) : Game(GameClocks{std::move(wall)}) {}
    ~Game() override = default;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Everything the game is, to read.
    const GameParts& View() const { return parts; }

    void NewGame();
    // The first button: "New Game" at rest, "Reset Game" in play.
    // In "Blind" the button reads "Done" in play and ends the game instead.
    void NewOrReset();
    // The game the seed names at the current level, scrambled from the
    // home order; what NewGame does after choosing a seed. A seed whose
    // scramble is within reach of solved (closer than kLeastStartDistance)
    // gives way to the next one, and the seed kept is the one played.
    void StartSeeded(std::uint32_t seed);
    void ResetGame();
    // Starts the game an ID names, at its size: a game in play is
    // abandoned as a reset abandons it, and one undo right after brings it
    // back at its own level. `daily` names the day when it is that day's
    // puzzle.
    void StartNamed(const GameId& id, const QDate& daily = {});
    // Today's daily puzzle at the current size: every size has one, from
    // the one seed of the day.
    void StartDaily();
    // A race against the win kept under `winId`: a new game from that win's
    // start (cells and selection), abandoned-game undo as StartNamed. Its
    // win is marked a race (its start was known). A grid the game cannot
    // play changes nothing and answers false.
    bool StartRace(const TileGrid& start, std::int64_t winId);
    // The win a game in play races, if it is a race.
    std::optional<std::int64_t> RaceOf() const { return play.state == Playing ? play.facts.raceWin : std::nullopt; }
    // The stopwatch read now: the time a game in play has run, standing
    // while it is paused or waits for a replay. A race's ghost keeps to it.
    std::int32_t TimeInPlay();
    // The day whose daily puzzle is played now, by the game's wall clock.
    QDate TodayUtc() const { return DailyPuzzleDay(fileTime); }
    // The wall clock the game reads, for the windows that count days by it.
    const WallClock& Wall() const { return fileTime; }
    // Whether play may be put aside: a "Speed" game in play ("Strategy"
    // has no clock to stop).
    bool CanPause() const { return parts.style.IsSpeed() && play.state == Playing; }
    // A "Speed" game in play put aside: its stopwatch stands, its clock is
    // silent, and no move, undo or redo is taken until it goes on. Returns
    // whether the game is now as asked.
    bool SetPaused(bool paused);
    bool IsPaused() const { return watch.IsHeld(Stopwatch::Pause); }
    // Whether the board takes the player's hand: a game in play and in
    // view. A press may then open a gesture and the solver may help.
    bool TakesInput() const { return play.state == Playing && !IsPaused(); }
    // Whether a move may be made now: input taken and no gesture open.
    bool TakesMoves() const { return TakesInput() && !drag.dragging; }
    // The board's size in board pixels, which the drags are measured on.
    void SetBoardPixels(QSize board) { boardPixels = board; }
    QSize BoardPixels() const { return boardPixels; }
    void BeginDrag(std::int32_t x, std::int32_t y);
    void TrackDrag(std::int32_t x, std::int32_t y);
    void EndDrag(std::int32_t x, std::int32_t y);
    // Ends an open gesture without a move: the line springs back. Whatever
    // takes the player elsewhere (a button, a window, a key, the window
    // losing focus) calls it first.
    void CancelDrag();
    // The arrow keys: the selected row or column slid one cell, or with
    // Shift the selection stepped one cell, wrapping round the edge.
    void ShiftRowLeft() { KeyShift(MoveAxis::Row, -1); }
    void ShiftRowRight() { KeyShift(MoveAxis::Row, 1); }
    void ShiftColumnUp() { KeyShift(MoveAxis::Column, -1); }
    void ShiftColumnDown() { KeyShift(MoveAxis::Column, 1); }
    void SelectLeft() { StepSelection(0, -1); }
    void SelectRight() { StepSelection(0, 1); }
    void SelectUp() { StepSelection(-1, 0); }
    void SelectDown() { StepSelection(1, 0); }
    const QString& CounterText();

    // Takes the last move back, or, right after a reset, brings the
    // abandoned game back in play. Returns whether anything changed.
    bool Undo();
    // Makes the last undone move again; a redo that completes the picture
    // wins as a move does.
    bool Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    // The game just won can be watched again, as it was played.
    bool CanReplaySolve() const { return play.state == Solved && play.history.IsActive(); }
    // A game in play and in view: the solver may hint or solve.
    // Never in "Blind" before its end is declared.
    bool CanAssist() const { return TakesInput() && !parts.style.IsBlind(); }
    // "Blind": from the first move until the end is declared, every cell
    // is drawn alike and no tile shows its number or its name.
    bool HidesBoard() const { return parts.style.IsBlind() && play.state == Playing && play.facts.blindfolded; }
    // "Blind": the player says the picture is whole (Enter, or "Done"). It
    // shows again, and is a win if it is whole and a DNF if not, with the
    // time and moves as they stand. False, with nothing changed, in any
    // other style, outside play or while paused.
    bool CanDeclareEnd() const { return parts.style.IsBlind() && TakesMoves(); }
    bool DeclareEnd();
    // Ends the history and forgets an abandoned game.
    void EndHistory() { play.EndHistory(); }

    // A whole slide made for the player (a solve): made, counted, recorded
    // and won as the player's own moves are, with the selection carried
    // along the moved line. False when it moves nothing, or outside play.
    bool MakeMove(const Move& move);
    // What the solver knows of the game in play (Puzzle::SetPar).
    void SetPar(std::int32_t length, bool optimal);
    // Moves the player was shown (a hint) or had made (a solve).
    void CountAssisted(std::int32_t count);
    // A move the solver hints at, shown until taken off (std::nullopt);
    // whoever shows the board hears it as a change.
    void ShowHint(const std::optional<Move>& move);

    // Reads the stopwatch's clock: the window's timer while a "Speed"
    // clock runs, and the window as it opens, where a saved game's time
    // runs on from. The game reads the clock itself whenever it needs the
    // time (a move, a win, a reset, a save), so nothing need tick between.
    void Tick() { watch.Tick(); }
    // While a solve is replayed on the board the game waits: its stopwatch
    // stands and its clock is silent.
    void SuspendForReplay(bool replaying);
    // The one rule for the ticking clock sound: a "Speed" game in play
    // whose stopwatch runs. Every change of it is announced.
    bool ClockTicks() const { return parts.style.IsSpeed() && play.state == Playing && !watch.IsHeld(); }

    // Settings, as the options dialog changes them.
    // A grid of `size`, in home order: a game in play is abandoned as a
    // reset abandons it, and one undo right after brings it back at its own
    // size. Any size the game plays (2..20 either way) is taken; another
    // changes nothing.
    void ChangeSize(GridSize size);
    // A size chosen in the options: a change only when it is another size
    // than the grid's (5 x 7 to 6 x 8 is one though "Custom" stays chosen;
    // "Custom" set to the size in play is none).
    void ChooseSize(GridSize size)
    {
        if (size != play.grid.Size())
            ChangeSize(size);
    }
    void SetStyle(Style style);
    void SetStrategyStyle(bool strategyStyle) { SetStyle(Style::FromStrategy(strategyStyle)); }
    // Brought within Volume::kSilent .. Volume::kFull.
    void SetVolume(std::int32_t volume);

    // The game just won, as the records keep it, played on the picture
    // named `picture` (empty for the built-in one).
    GameResult ResultOfWin(const QString& picture) const;

    // The game as the saved game keeps it, the time shown read up to now.
    PlayRecord Record();
    // A saved game read back: its state of play, counter, time and settings
    // in place of the game's, the stopwatch going on from the saved time at
    // the first tick. A record no game could hold changes nothing. The
    // record's style byte knows only "Strategy" and "Speed": the game's own
    // style stays when it plays like the one saved ("Fewest Moves" is kept
    // as "Strategy", "Blind" as "Speed").
    bool Resume(const PlayRecord& saved);
    // The moves and facts of the saved game in play, kept beside it; taken
    // only when they lead to the position resumed.
    void AdoptHistory(History kept, const GameFacts& known);

signals:
    // A change, after it happened: listeners read the game as it stands
    // after it. A change made while listeners hear of another is announced
    // once they all have, so that every listener hears every change in the
    // order it was made.
    void Changed(const tesselo::GameChange& change);

private:
    void KeyShift(MoveAxis axis, std::int32_t by);
    // The time of the move just made or redone, kept in the history.
    void StampMove();
    void KeySelect(Selection to);
    void StepSelection(std::int32_t down, std::int32_t right);
    // A new scramble from `seed` in play, not yet announced.
    void Scramble(std::uint32_t seed);
    // Makes a planned move, and announces it and what follows from it: the
    // win, and the cue and the clock that go with them.
    bool Make(const PlannedMove& planned, MoveSource by, std::int32_t releasedAt = 0);
    // After a move made, redone or refused: the win, if it is one.
    void FinishMove(const MoveMade& made);
    // Whether the picture whole after a move wins now: never in "Blind",
    // where only the player's word ends the game.
    bool MoveWins() const { return play.grid.IsSolved() && !parts.style.IsBlind(); }
    // The win, after the change that made it.
    void AnnounceWin();
    void Announce(const GameChange& change);
    // A change of position, then whatever it did to the clock and the pause.
    void AnnounceWithClock(const GameChange& change);
    void ClockMayHaveChanged();
    // The pause follows the game's facts: held exactly while a "Speed" game
    // in play is marked paused.
    void HoldForPause();
    // The time a "Speed" game's counter shows, read up to now.
    void ShowRunningTime();

    WallClock fileTime;
    QString counterText;
    QSize boardPixels = kFirstBoard;
    // What the listeners last heard of the clock and the pause.
    bool clockTicked = false;
    bool pausedTold = false;
    // Changes made while the listeners hear of an earlier one, in order.
    std::vector<GameChange> toAnnounce;
    bool announcing = false;
};

} // namespace tesselo
