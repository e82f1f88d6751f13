#pragma once

#include "model/game_change.h"

#include <QBasicTimer>
#include <QObject>

namespace tesselo {

class CTesseloDlg;
class Game;
class GameBar;

// Connects everyone in the window who follows the game to its stream, before
// the saved game opens, so that each hears the first position: the sound
// (and a replay's moves, by the same cue rule), the board, the records, and
// the window's title, least size and last custom grid.
void ConnectListeners(CTesseloDlg& window);

// The bar follows the game's changes: its counter shows the moves or the
// time, its first button the state of play, and a win, a pause and a resume
// are said to a screen reader. The shown time's refresh rule lives here:
// while a "Speed" clock runs, and only then, a timer wakes the bar as the
// shown tenth of a second turns; nothing wakes it while nothing changes.
class BarFollower : public QObject {
    Q_OBJECT
public:
    BarFollower(Game& game, GameBar& bar);

    // The saved game is open and the window shows: from now on the clock
    // runs its timer and a change of play is said (opening one is not).
    void Open();
    // The window closes: no more timer.
    void Close();
    // The timer that shows a running "Speed" clock, while it runs; else 0.
    int TimerId() const { return clockTimer.isActive() ? clockTimer.timerId() : 0; }
    // What the timer does when it wakes (tests call it with TimerId()).
    void OnTimer(int id);
    void ShowCounter();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void OnGameChanged(const GameChange& change);
    void Announce(PlayState state);
    void FollowClock();

    Game& game;
    GameBar& bar;
    QBasicTimer clockTimer;
    bool open = false;
};

} // namespace tesselo
