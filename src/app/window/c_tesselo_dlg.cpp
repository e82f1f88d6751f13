#include "app/window/c_tesselo_dlg.h"

#include "app/dialogs/c_help_dlg.h"
#include "app/dialogs/c_option_dlg.h"
#include "app/dialogs/c_records_dlg.h"
#include "app/dialogs/dialog_units.h"
#include "app/window/game_listeners.h"
#include "model/game.h"
#include "saved/saved_game_store.h"
#include "view/c_puzzle_image.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QWindow>

namespace tesselo {

CTesseloDlg::CTesseloDlg(Game& g, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      game(g), picture(g, GamePicture::FirstPicture::WhenLoaded), bar(this),
      input(g, *this, [this] { return sizer.BarHeight(); })
{
    setWindowTitle(QStringLiteral("Tesselo"));
    setWindowIcon(QIcon(QStringLiteral(":/tesselo/icon.png")));
    setSizeGripEnabled(false);
    setMinimumSize(window_layout::MinimumClient(game.View().puzzle.grid.rowCount, game.View().puzzle.grid.columnCount));
    // The keys come here (through the board), whatever was clicked last.
    setFocusPolicy(Qt::StrongFocus);
    // So do the touches: the board lets the pointer through to the window,
    // where a drag is followed, and Qt aims a touch where it aims a press.
    setAttribute(Qt::WA_AcceptTouchEvents);

    boardControl = new CPuzzleImage(this);
    boardControl->setObjectName(QStringLiteral("boardControl"));
    boardControl->hide();
    sizer.SetBoard(boardControl);
    // The board holds the window's focus, clicked or not; its keys come on here.
    setFocusProxy(boardControl);

    connect(bar.newGame, &QPushButton::clicked, this, &CTesseloDlg::OnBnClickedNewGame);
    connect(bar.options, &QPushButton::clicked, this, &CTesseloDlg::OnBnClickedOptions);
    connect(bar.help, &QPushButton::clicked, this, &CTesseloDlg::OnBnClickedHelp);
    commands.AddActions(actions);
    pause.AddActions(actions);
    sharing.AddActions(actions);
    race.AddActions(actions);
    // A controller acts on the game in view, not on one behind another
    // window or under a dialog of its own; it is not even read then.
    controller.Follow(this);
    connect(&controller, &GameController::Command, this, [this](PadCommand command) {
        if (isActiveWindow())
            OnPadCommand(command);
    });
    actions.Add(BoardAction{tr("Numbers on Tiles"), {QKeySequence(Qt::Key_N)}, {}, [this] { ToggleNumbers(); }, true,
                            [this] { return settings.Current().numbersOnTiles; }});

    // The window as designed, in dialog units, until the layout places it.
    const DialogUnits du(font());
    resize(du.X(450), du.Y(284));
    // A session about to end asks first: the game in play is saved then.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { SaveNow(); });
    // The records answer once the win is written, never amid the winning move.
    connect(&records, &RecordsKeeper::WinKept, this, [this](bool newBest) {
        if (newBest)
            setWindowTitle(tr("Tesselo - New record!"));
    });
}

CTesseloDlg::~CTesseloDlg() = default;

int CTesseloDlg::DoModal()
{
    // The window gets its first size while it is made, before it opens.
    OnSize(width(), height());
    OnInitDialog();
    return exec();
}

void CTesseloDlg::OnInitDialog()
{
    sound.InitSound();
    controller.Start();
    settings.Load(*boardControl);
    commands.Open(solverOptions);
    // Everyone who follows the game hears its first position: the saved
    // game is opened once they listen. A resumed "Speed" game starts its
    // clock then.
    ConnectListeners(*this);
    // Sized around the board the saved game asks for, asked before the
    // picture is prepared, so that the one preparation is the one shown.
    QSize wanted;
    SavedGameStore().Open(game, picture, [this, &wanted](QSize board) {
        wanted = board;
        const TileGrid& grid = game.View().puzzle.grid;
        return window_layout::BoardAround(board, grid.rowCount, grid.columnCount, sizer.ScreenRoom());
    });
    race.ResumeSaved();
    sizer.AroundBoard(wanted);
    sizer.PlaceBoard();
    boardControl->show();
    boardControl->raise();
    // A saved game's time runs on from the window's opening; a game started
    // before takes its start from this reading, not from a clock never read.
    game.Tick();
    open = true;
    counter.Open();
    setFocus();
}

void CTesseloDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // A window moved to a screen of another pixel density has its board
    // made again for that screen.
    if (!watchingScreen && windowHandle()) {
        watchingScreen = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [this] { OnSize(width(), height()); });
        pause.Watch(windowHandle());
    }
}

void CTesseloDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    sizer.Resized(event->size());
}

void CTesseloDlg::OnNewPosition(const NewPosition& position)
{
    if (position.cause == PositionCause::NewGame || position.cause == PositionCause::Named)
        setWindowTitle(QStringLiteral("Tesselo"));
    // Any new position may come at another grid size.
    sizer.KeepCellsLarge(width());
    settings.FollowPosition(position);
}

void CTesseloDlg::StopBoard()
{
    input.EndGesture();
    commands.Stop();
}

std::unique_ptr<QMenu> CTesseloDlg::MakeBoardMenu()
{
    return actions.Menu(this);
}

void CTesseloDlg::contextMenuEvent(QContextMenuEvent* event)
{
    // Not over the bar. A right click during a drag ends it and opens the
    // menu; one during a replay only ends the replay.
    if (event->pos().y() < sizer.BarHeight())
        return;
    const bool replaying = commands.IsReplaying();
    StopBoard();
    if (replaying)
        return;
    std::unique_ptr<QMenu> menu = MakeBoardMenu();
    Prompts().Run(*menu, event->globalPos());
}

void CTesseloDlg::OnBnClickedNewGame()
{
    StopBoard();
    game.NewOrReset();
}

void CTesseloDlg::OnBnClickedOptions()
{
    StopBoard();
    COptionDlg options(this);
    options.Preset(settings.Shown());
    if (Prompts().Run(options) == QDialog::Accepted)
        settings.Take(options.Chosen());
}

void CTesseloDlg::OnBnClickedHelp()
{
    StopBoard();
    CHelpDlg help(this);
    Prompts().Run(help);
}

bool CTesseloDlg::SaveNow(QString* why)
{
    // Before the window opens nothing was read that could be saved; after
    // its close, the close has saved already. Wins still waiting get a
    // try; those that fail wait in the pending file.
    const bool saved = !open || SavedGameStore().Save(game, picture, why);
    records.Flush();
    return saved;
}

bool CTesseloDlg::OnClose()
{
    QString reason;
    if (!SavedGameStore().Save(game, picture, &reason) &&
        !Prompts().Ask(this, Prompt{Prompt::Kind::SaveFailed, reason}))
        return false;
    // Wins that could not be written yet get a last try.
    if (const std::optional<RecordsKeeper::AtRiskWins> lost = records.Flush();
        lost && !Prompts().Ask(this, Prompt{Prompt::Kind::WinsAtRisk, lost->failure.reason, lost->failure.file,
                                            lost->count}))
        return false;
    open = false;
    counter.Close();
    sound.Close();
    controller.Stop();
    bar.font.reset();
    return true;
}

void CTesseloDlg::closeEvent(QCloseEvent* event)
{
    StopBoard();
    if (!OnClose()) {
        event->ignore();
        return;
    }
    event->accept();
    done(QDialog::Rejected);
}

void CTesseloDlg::changeEvent(QEvent* event)
{
    // A drag ends with the focus: its release may never come back here.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        input.EndGesture();
    QDialog::changeEvent(event);
}

void CTesseloDlg::keyPressEvent(QKeyEvent* key)
{
    if (!commands.Key(*key))
        key->ignore();
}

bool CTesseloDlg::event(QEvent* event)
{
    // A press while the board is busy only ends what it does.
    return input.Take(*event, [this] { return commands.Interrupt() || pause.ResumeOnClick(); }) ||
           QDialog::event(event);
}

} // namespace tesselo
