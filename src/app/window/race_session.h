#pragma once

#include "model/game_change.h"
#include "model/game_result.h"
#include "model/replay.h"
#include "model/tile_grid.h"
#include "view/ghost_board.h"

#include <QBasicTimer>
#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace tesselo {

class BoardActions;
class CTesseloDlg;

// A race against a kept win: a new game from that win's start, and its
// solve played as a ghost beside the player's, on a small board of its own
// over a corner of the player's. The ghost keeps to the game's own clock
// (the stopwatch, standing while the game is paused or waits for a
// replay), so it never runs ahead of a game that stands; its moves are due
// at the times they were made where the win kept them, else evenly over
// the win's time. One timer, set for the ghost's next move, runs while a
// race does and at no other time. The race ends with the game: a win tells
// who was ahead and by how much, in time for the styles of the clock and
// in moves for the others, and is kept marked a race (never a best).
class RaceSession : public QObject {
    Q_OBJECT
public:
    explicit RaceSession(CTesseloDlg& window);
    ~RaceSession() override;

    // "Race Your Best": the best of the grid and style in play, when it was
    // kept with its moves.
    void AddActions(BoardActions& actions);
    void RaceBest();
    // Starts a race against the win kept under `id`. False, with nothing
    // changed, when that win cannot be raced (GameResult::CanBeRaced) or
    // the game cannot start from its start.
    bool Race(std::int64_t id, const GameResult& win);
    // The saved game just opened is a race (its facts say which win): the
    // ghost comes back where the game's clock stands, once the win is read.
    // A win no longer kept leaves it a plain game that is still a race.
    void ResumeSaved();
    void Stop();

    bool IsRunning() const { return running; }
    const TileGrid& GhostGrid() const { return ghost; }
    std::size_t GhostMoves() const { return done; }
    // The timer that wakes for the ghost's next move, while one is due; else 0.
    int TimerId() const { return timer.isActive() ? timer.timerId() : 0; }
    // What the last race's end said; empty before any.
    const QString& Outcome() const { return outcome; }
    // The ghost's board, while a race is shown.
    GhostBoard* View() const { return view; }
    // Makes the ghost's moves due by the game's clock now, and sets the
    // timer for the next: what the timer does; tests call it directly.
    void CatchUp();

    // Tells the player a thing the race cannot do; tests answer it.
    std::function<void(const QString&)> tell;

    // The outcome as the player reads it.
    static QString OutcomeText(const RaceOutcome& outcome);

signals:
    // The race ended on a win (or a DNF), with what it said.
    void Ended(const QString& outcome);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void OnGameChanged(const GameChange& change);
    // Sets the ghost on its way from `win`, at the game's clock.
    void Begin(std::int64_t id, const GameResult& win);
    void Arm();
    void Show();
    void Finish(const QString& text);

    CTesseloDlg& window;
    GhostPace pace;
    GameResult against;
    std::int64_t raceId = 0;
    TileGrid ghost;
    std::size_t done = 0;
    std::optional<Move> last;
    bool running = false;
    bool starting = false;
    QString outcome;
    QBasicTimer timer;
    QPointer<GhostBoard> view;
};

} // namespace tesselo
