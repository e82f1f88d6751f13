#pragma once

#include "app/window/board_replay.h"
#include "app/window/hint_presenter.h"
#include "app/input/pad_mapping.h"
#include "services/solver_service.h"

#include <QCoreApplication>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QKeyEvent;

namespace tesselo {

class BoardActions;
class CSolveMapDlg;
class CTesseloDlg;
class Game;

// What the board does beyond the player's own moves: undo and redo, the
// solver's hint and solve, the replay of the last game won and the Records
// window (from which a kept win replays). It owns the replay and the hint;
// each command ends whatever the board was doing first.
class BoardCommands {
    Q_DECLARE_TR_FUNCTIONS(tesselo::CTesseloDlg)
public:
    explicit BoardCommands(CTesseloDlg& window);
    // Made when the window opens: the replay and the solver's thread.
    void Open(SolverService::Options solver);
    void AddActions(BoardActions& actions);

    void Undo();
    void Redo();
    void ReplaySolve();
    void Records();
    // "Solve Map" of the game just won, or of a kept win with its moves.
    void SolveMap();
    void MapKept(const GameResult& won);
    // "Save Replay as Animation…" of the game just won, or of a kept win
    // with its moves, over `parent`: on the win's own picture when the
    // folder still holds it, numbers on the tiles as the player set them.
    void SaveLastSolveAnimation();
    void SaveAnimation(const GameResult& won, QWidget* parent);
    // Where the animation goes; by default the player is asked. Tests
    // answer it.
    std::function<QString(const QString& suggested)> askAnimationFile;
    void Hint();
    void Solve();
    // A game controller's command, as its keys would do it on the keyboard.
    void Pad(PadCommand command);
    // A key pressed in the window: false when it is none of the board's.
    bool Key(const QKeyEvent& key);
    // A key or a click while the board is busy: a replay ends, a hint goes,
    // a solve stops. True when that was all the input did.
    bool Interrupt();
    // A command or a window takes over: the same, and nothing more.
    void Stop();
    bool IsReplaying() const { return replay && replay->IsRunning(); }

    BoardReplay& Replays() { return *replay; }
    // The Solve Map window open, if any.
    CSolveMapDlg* OpenMap() const;
    HintPresenter& Hints() { return *hints; }

private:
    void ShowMap(const TileGrid& start, const std::vector<HistoryStep>& steps, std::optional<std::int32_t> par);

    CTesseloDlg& window;
    std::unique_ptr<BoardReplay> replay;
    std::unique_ptr<HintPresenter> hints;
    QPointer<CSolveMapDlg> map;
};

} // namespace tesselo
