#pragma once

#include <QCoreApplication>
#include <QString>

#include <functional>

namespace tesselo {

class BoardActions;
class CTesseloDlg;

// Games players share: Ctrl+C copies the ID of the game in play to the
// clipboard, Ctrl+V starts the game an ID on the clipboard names, Ctrl+D
// starts today's daily puzzle. A game in play is abandoned as a reset
// abandons it: Ctrl+Z right after brings it back. Solves too: after a win
// Ctrl+Shift+C copies its replay code (ReplayCode), "Save Replay as
// Animation…" writes it as a GIF or WebP (BoardCommands), and Ctrl+V with
// a code on the clipboard plays it as a kept win's replay plays, the game
// in play left as it is.
class GameSharing {
    Q_DECLARE_TR_FUNCTIONS(tesselo::GameSharing)
public:
    explicit GameSharing(CTesseloDlg& window);

    void AddActions(BoardActions& actions);
    void CopyId();
    void CopyReplay();
    // After a daily puzzle, its result as a short line to share
    // (DailyResultText): no spoiler of the solve.
    void CopyResult();
    // A replay code on the clipboard is played; anything else is read as
    // a game ID.
    void PasteId();
    void StartDaily();

    // How a short message reaches the player (a message box); tests
    // replace it.
    std::function<void(const QString&)> tell;

private:
    CTesseloDlg& window;
};

} // namespace tesselo
