#include "app/window/pause_keeper.h"

#include "app/input/board_actions.h"
#include "app/window/c_tesselo_dlg.h"
#include "model/game.h"

#include <QEvent>
#include <QWindow>

namespace tesselo {

void PauseKeeper::AddActions(BoardActions& actions)
{
    actions.Add(BoardAction{tr("Pause"), {QKeySequence(Qt::Key_P)}, [this] { return window.TheGame().CanPause(); },
                            [this] { Toggle(); }, true});
}

void PauseKeeper::Toggle()
{
    // A drag ends before the board is covered; a replay ends first too.
    window.StopBoard();
    window.TheGame().SetPaused(!window.TheGame().IsPaused());
}

bool PauseKeeper::ResumeOnClick()
{
    if (!window.TheGame().IsPaused())
        return false;
    window.TheGame().SetPaused(false);
    return true;
}

void PauseKeeper::Watch(QWindow* handle)
{
    if (!handle || handle == watched)
        return;
    watched = handle;
    handle->installEventFilter(this);
    connect(handle, &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
        if (state == Qt::WindowMinimized)
            PauseAway();
    });
}

bool PauseKeeper::eventFilter(QObject* object, QEvent* event)
{
    // Qt marks the window unexposed before it sends the event.
    if (object == watched && event->type() == QEvent::Expose && !watched->isExposed())
        PauseAway();
    return false;
}

void PauseKeeper::PauseAway()
{
    Game& game = window.TheGame();
    if (game.IsPaused() || !game.CanPause())
        return;
    window.StopBoard();
    game.SetPaused(true);
}

} // namespace tesselo
