#pragma once

#include <QCoreApplication>
#include <QObject>

class QWindow;

namespace tesselo {

class BoardActions;
class CTesseloDlg;

// The pause of a "Speed" game, as the window drives it: P pauses and goes
// on, a click on the covered board goes on, and the game pauses by itself
// when its window is minimised or no longer exposed, so that a time never
// runs on while the player cannot see the board.
class PauseKeeper : public QObject {
    Q_OBJECT
public:
    explicit PauseKeeper(CTesseloDlg& window) : window(window) {}

    void AddActions(BoardActions& actions);
    // P: pauses a "Speed" game in play, or lets a paused one go on.
    void Toggle();
    // A click on the board of a paused game lets it go on and does nothing
    // else; returns whether it was taken so.
    bool ResumeOnClick();
    // Follows the window once it is shown: minimised or hidden, it pauses.
    void Watch(QWindow* handle);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PauseAway();

    CTesseloDlg& window;
    QWindow* watched = nullptr;
};

} // namespace tesselo
