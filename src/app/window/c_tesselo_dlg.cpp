#include "app/window/c_tesselo_dlg.h"

#include "app/dialogs/c_help_dlg.h"
#include "app/dialogs/c_option_dlg.h"
#include "app/dialogs/c_records_dlg.h"
#include "app/dialogs/dialog_units.h"
#include "app/window/player_messages.h"
#include "model/game.h"
#include "records/result_text.h"
#include "saved/saved_game_store.h"
#include "view/c_puzzle_image.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTouchEvent>
#include <QWindow>

#include <utility>

#include <algorithm>

namespace tesselo {

namespace {

// The window as designed, in dialog units; the layout replaces the control
// positions as soon as the window opens.
constexpr int kTemplateWidth = 450;
constexpr int kTemplateHeight = 284;

} // namespace

CTesseloDlg::CTesseloDlg(Game& g, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      game(g), picture(g, GamePicture::FirstPicture::WhenLoaded), bar(this),
      input(g, *this, [this] { return barHeight; })
{
    setWindowTitle(QStringLiteral("Tesselo"));
    setWindowIcon(QIcon(QStringLiteral(":/tesselo/icon.png")));
    setSizeGripEnabled(false);
    setMinimumSize(window_layout::MinimumClient(game.View().puzzle.grid.rowCount, game.View().puzzle.grid.columnCount));
    // The keys come here, whatever was clicked last.
    setFocusPolicy(Qt::StrongFocus);
    // So do the touches: the board lets the pointer through to the window,
    // where a drag is followed, and Qt aims a touch where it aims a press.
    setAttribute(Qt::WA_AcceptTouchEvents);

    boardControl = new CPuzzleImage(this);
    boardControl->setObjectName(QStringLiteral("boardControl"));
    boardControl->hide();

    connect(bar.newGame, &QPushButton::clicked, this, &CTesseloDlg::OnBnClickedNewGame);
    connect(bar.options, &QPushButton::clicked, this, &CTesseloDlg::OnBnClickedOptions);
    connect(bar.help, &QPushButton::clicked, this, &CTesseloDlg::OnBnClickedHelp);
    commands.AddActions(actions);
    pause.AddActions(actions);
    sharing.AddActions(actions);
    race.AddActions(actions);
    // A controller acts on the game in view, not on one behind another
    // window or under a dialog of its own.
    connect(&controller, &GameController::Command, this, [this](PadCommand command) {
        if (isActiveWindow())
            OnPadCommand(command);
    });
    actions.Add(BoardAction{tr("Numbers on Tiles"), {QKeySequence(Qt::Key_N)}, {}, [this] { ToggleNumbers(); }, true,
                            [this] { return settings.Current().numbersOnTiles; }});

    const DialogUnits du(font());
    resize(du.X(kTemplateWidth), du.Y(kTemplateHeight));
    // A desktop session about to end asks first: the game in play is saved
    // then, whether or not the session goes on to end.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { SaveNow(); });
    // The records answer once the win is written, never in the middle of
    // the move that won.
    connect(&records, &RecordsKeeper::WinKept, this, [this](bool newBest) {
        if (newBest)
            setWindowTitle(tr("Tesselo - New record!"));
    });
    connect(&records, &RecordsKeeper::WinNotKept, this, &CTesseloDlg::TellWinNotKept);
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
    settings.Load();
    // The saved game's byte knows only "Strategy" and "Speed": the style
    // itself is the settings', and stays when the game plays like it.
    game.SetStyle(settings.Current().style);
    boardControl->SetAnimated(settings.Current().animateMoves);
    boardControl->SetNumbers(settings.Current().numbersOnTiles);
    commands.Open(SolverOptions());
    // Everyone who follows the game hears its first position: the saved
    // game is opened once they listen. A resumed "Speed" game starts its
    // clock then.
    records.Follow(game, &picture);
    connect(&game, &Game::Changed, this, &CTesseloDlg::OnGameChanged);
    boardControl->Show(&game, &picture);
    // The window is sized around the board the saved game asks for; asked
    // before the picture is prepared, it lets the one preparation be the
    // one shown.
    QSize wanted;
    opening = true;
    SavedGameStore().Open(game, picture, [this, &wanted](QSize board) {
        wanted = board;
        const TileGrid& grid = game.View().puzzle.grid;
        return window_layout::BoardAround(board, grid.rowCount, grid.columnCount, ScreenRoom());
    });
    opening = false;
    race.ResumeSaved();
    sound.ApplyVolume(game.View().volume);
    sound.SetClock(game.ClockTicks());
    SizeAroundBoard(wanted);
    bar.Layout(buttonWidth, barHeight);
    boardControl->setGeometry(0, barHeight, picture.Board().CellWidth() * game.View().puzzle.grid.columnCount,
                              picture.Board().CellHeight() * game.View().puzzle.grid.rowCount);
    boardControl->show();
    boardControl->raise();
    // A saved game's time runs on from the window's opening, and a game
    // started before takes its start from this reading rather than from a
    // clock that was never read.
    game.Tick();
    ShowCounter();
    open = true;
    FollowClock();
    setFocus();
}

QSize CTesseloDlg::ScreenRoom() const
{
    if (const QScreen* s = screen())
        return s->availableGeometry().size() - QSize(16, 48);
    return QSize();
}

void CTesseloDlg::SizeAroundBoard(QSize board)
{
    const int rows = game.View().puzzle.grid.rowCount;
    const int columns = game.View().puzzle.grid.columnCount;
    const QSize fitted = window_layout::FitToScreen(window_layout::WholeCells(board, rows, columns), ScreenRoom());
    buttonWidth = window_layout::ButtonWidth(fitted.width());
    barHeight = window_layout::BarHeight(buttonWidth);
    const QSize client = window_layout::ClientAround(board, rows, columns, ScreenRoom());
    if (client != size()) {
        resize(client);
        if (!isVisible())
            OnSize(client.width(), client.height()); // a hidden window gets its size event later
    }
}

void CTesseloDlg::KeepCellsLarge(int clientWidth)
{
    // A window smaller than the new least size grows to it, and its size
    // event makes the board again.
    const TileGrid& grid = game.View().puzzle.grid;
    const QSize least = window_layout::MinimumClient(grid.rowCount, grid.columnCount, clientWidth);
    if (least != minimumSize())
        setMinimumSize(least);
}

void CTesseloDlg::OnSize(int cx, int cy)
{
    handledSize = QSize(cx, cy);
    KeepCellsLarge(cx);
    buttonWidth = window_layout::ButtonWidth(cx);
    barHeight = window_layout::BarHeight(buttonWidth);
    bar.Layout(buttonWidth, barHeight);
    // A window shorter than its bar has no board rather than a negative one.
    const int boardHeight = std::max(cy - barHeight, 0);
    picture.SetBoardSize(cx, boardHeight, devicePixelRatioF());
    if (commands.IsReplaying())
        commands.Replays().Resize();
    boardControl->setGeometry(0, barHeight, cx, boardHeight);
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
    // Opening the window repeats the size it was given while hidden.
    if (event->size() != handledSize)
        OnSize(event->size().width(), event->size().height());
}

void CTesseloDlg::OnGameChanged(const GameChange& change)
{
    // Opening the saved game is no change of the player's: it sounds nothing.
    if (const std::optional<Cue> cue = CueOf(change, game.View().style.IsStrategy()); cue && !opening)
        sound.PlayCue(*cue);
    if (const auto* state = std::get_if<StateChanged>(&change); state && !opening)
        AnnounceState(state->to);
    if (const auto* clock = std::get_if<ClockChanged>(&change)) {
        sound.SetClock(clock->ticking);
        FollowClock();
    }
    if (const auto* position = std::get_if<NewPosition>(&change)) {
        if (position->cause == PositionCause::NewGame || position->cause == PositionCause::Named)
            setWindowTitle(QStringLiteral("Tesselo"));
        // Any new position may come at another grid size.
        KeepCellsLarge(width());
        // The Options offer the last custom grid played under "Custom",
        // however it came (an ID, a saved game, the Options themselves);
        // an undo that brings back an abandoned game chooses nothing.
        const GridSize size = game.View().puzzle.grid.Size();
        if (position->cause != PositionCause::Restored && size.IsValid() && !size.Level() &&
            size != settings.Current().customSize) {
            SettingsFile::Values chosen = settings.Current();
            chosen.customSize = size;
            KeepSettings(chosen);
        }
    }
    // The pointer and the frame change nothing the bar shows.
    if (!std::holds_alternative<GestureChanged>(change) && !std::holds_alternative<SelectionMoved>(change))
        ShowCounter();
}

void CTesseloDlg::AnnounceState(PlayState state)
{
    const auto& view = game.View();
    if (state == PlayState::Won && view.style.IsFewestMoves()) {
        // The result is the solution's length, against the shortest known.
        const GameResult won = game.ResultOfWin(QString());
        const QString over = OverShortestText(won.netMoves, won.par, won.parIsOptimal);
        const QString solved = tr("Solved in %n move(s)", nullptr, won.netMoves);
        bar.Announce(over.isEmpty() ? solved : tr("%1, %2").arg(solved, over));
    } else if (state == PlayState::Won) {
        bar.Announce(view.style.IsStrategy() ? tr("Solved in %n move(s)", nullptr, view.puzzle.moves)
                                             : tr("Solved in %1").arg(game.CounterText()));
    } else if (state == PlayState::DidNotFinish) {
        //: A "Blind" game declared over on a picture not whole
        bar.Announce(tr("Did not finish (DNF) in %1").arg(game.CounterText()));
    }
    if (state == PlayState::Paused)
        bar.Announce(tr("Paused"));
    else if (state == PlayState::Resumed)
        bar.Announce(tr("Resumed"));
}

void CTesseloDlg::ShowCounter()
{
    const auto& view = game.View();
    const bool playing = view.puzzle.state == Playing;
    bar.Show(game.CounterText(), view.style.IsStrategy(),
             !playing                 ? GameBar::FirstButton::NewGame
             : view.style.IsBlind()   ? GameBar::FirstButton::Done
                                      : GameBar::FirstButton::ResetGame);
}

void CTesseloDlg::FollowClock()
{
    if (!open || !game.ClockTicks()) {
        clockTimer.stop();
        return;
    }
    // The counter shows tenths: wake just after the next one turns (a
    // millisecond late rather than early, which would show the same
    // tenth and wake again at once).
    const int intoTenth = game.View().stopwatch.elapsed % 100;
    clockTimer.start(100 - intoTenth + 1, Qt::PreciseTimer, this);
}

void CTesseloDlg::TellWinNotKept(const Records::Failure& failure)
{
    tesselo::TellWinNotKept(this, failure.Message());
}

void CTesseloDlg::TellNoWayHome()
{
    tesselo::TellNoWayHome(this);
}

void CTesseloDlg::TellSettingsNotKept(const QString& reason)
{
    tesselo::TellSettingsNotKept(this, reason);
}

void CTesseloDlg::KeepSettings(const SettingsFile::Values& chosen)
{
    // A setting that cannot be kept still holds until the game ends.
    QString why;
    if (!settings.Change(chosen, &why) && !std::exchange(settingsFailureTold, true))
        TellSettingsNotKept(why);
}

bool CTesseloDlg::OfferCloseLosingWins(const Records::Failure& failure, std::size_t count)
{
    return AskCloseLosingWins(this, count, failure.file, failure.reason);
}

void CTesseloDlg::StopBoard()
{
    input.EndGesture();
    commands.Stop();
}

SolverService::Options CTesseloDlg::SolverOptions() const
{
    return SolverService::DefaultOptions();
}

std::unique_ptr<QMenu> CTesseloDlg::MakeBoardMenu()
{
    return actions.Menu(this);
}

void CTesseloDlg::RunBoardMenu(QMenu& menu, QPoint globalPos)
{
    menu.exec(globalPos);
}

void CTesseloDlg::contextMenuEvent(QContextMenuEvent* event)
{
    // Not over the bar. A right click during a drag ends it and opens the
    // menu; one during a replay only ends the replay.
    if (event->pos().y() < barHeight)
        return;
    const bool replaying = commands.IsReplaying();
    StopBoard();
    if (replaying)
        return;
    std::unique_ptr<QMenu> menu = MakeBoardMenu();
    RunBoardMenu(*menu, event->globalPos());
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
    options.PresetFrom(game, picture, settings.Current());
    if (RunOptionDialog(options) == QDialog::Accepted) {
        SettingsFile::Values chosen = settings.Current();
        options.ApplyTo(game, picture, chosen);
        sound.ApplyVolume(game.View().volume);
        KeepSettings(chosen);
        boardControl->SetAnimated(chosen.animateMoves);
        boardControl->SetNumbers(chosen.numbersOnTiles);
    }
}

void CTesseloDlg::ToggleNumbers()
{
    // Only the picture changes: a drag, a glide or a hint goes on.
    SettingsFile::Values chosen = settings.Current();
    chosen.numbersOnTiles = !chosen.numbersOnTiles;
    KeepSettings(chosen);
    boardControl->SetNumbers(chosen.numbersOnTiles);
}

int CTesseloDlg::RunRecordsDialog(CRecordsDlg& dialog)
{
    return dialog.exec();
}

int CTesseloDlg::RunOptionDialog(COptionDlg& options)
{
    return options.exec();
}

void CTesseloDlg::OnBnClickedHelp()
{
    StopBoard();
    RunHelpDialog();
}

void CTesseloDlg::RunHelpDialog()
{
    CHelpDlg help(this);
    help.exec();
}

void CTesseloDlg::OnTimer(int id)
{
    if (id == 0 || id != TimerId())
        return;
    game.Tick();
    // The moves are shown as they change; a time, as it runs.
    ShowCounter();
    FollowClock();
}

void CTesseloDlg::timerEvent(QTimerEvent* event)
{
    OnTimer(event->timerId());
}

bool CTesseloDlg::OfferCloseWithoutSaving(const QString& reason)
{
    return AskCloseWithoutSaving(this, reason);
}

bool CTesseloDlg::SaveNow(QString* why)
{
    // Before the window opens nothing was read that could be saved; after
    // its close, the close has saved already. Wins still waiting get a
    // try; those that fail wait in the pending file.
    const bool saved = !open || SaveWhole(why);
    records.Flush();
    return saved;
}

bool CTesseloDlg::SaveWhole(QString* why)
{
    return SavedGameStore().Save(game, picture, why);
}

bool CTesseloDlg::OnClose()
{
    QString reason;
    if (!SaveWhole(&reason) && !OfferCloseWithoutSaving(reason))
        return false;
    // Wins that could not be written yet get a last try.
    if (const std::optional<RecordsKeeper::AtRiskWins> lost = records.Flush();
        lost && !OfferCloseLosingWins(lost->failure, lost->count))
        return false;
    open = false;
    clockTimer.stop();
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
    const BoardAction* action = actions.ForKey(*key);
    // A setting of the board's looks leaves whatever the board is doing
    // alone: a replay, a hint, a drag go on, shown the new way.
    if (action && action->checked) {
        action->run();
        return;
    }
    if (commands.Interrupt())
        return;
    // Each of these ends an open drag first (StopBoard).
    if (action) {
        action->run();
        return;
    }
    if (input.Arrow(*key))
        return;
    switch (key->key()) {
    // The first button from the keyboard, as when it had the focus.
    case Qt::Key_Space: OnBnClickedNewGame(); break;
    // The dialog keyboard of other windows does not apply here.
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // In "Blind" the player says here that the picture is whole.
        if (game.CanDeclareEnd())
            OnBnClickedNewGame();
        break;
    case Qt::Key_Escape: break;
    default: key->ignore(); break;
    }
}

void CTesseloDlg::OnPadCommand(PadCommand command)
{
    // As a key: a press while the board is busy only ends what it does.
    if (command == PadCommand::None || commands.Interrupt())
        return;
    switch (command) {
    case PadCommand::SelectUp: game.SelectUp(); break;
    case PadCommand::SelectDown: game.SelectDown(); break;
    case PadCommand::SelectLeft: game.SelectLeft(); break;
    case PadCommand::SelectRight: game.SelectRight(); break;
    case PadCommand::SlideUp: game.ShiftColumnUp(); break;
    case PadCommand::SlideDown: game.ShiftColumnDown(); break;
    case PadCommand::SlideLeft: game.ShiftRowLeft(); break;
    case PadCommand::SlideRight: game.ShiftRowRight(); break;
    case PadCommand::Undo: commands.Undo(); break;
    case PadCommand::Redo: commands.Redo(); break;
    case PadCommand::Hint: commands.Hint(); break;
    case PadCommand::Pause: pause.Toggle(); break;
    case PadCommand::NewGame: OnBnClickedNewGame(); break;
    case PadCommand::Numbers: ToggleNumbers(); break;
    case PadCommand::None: break;
    }
}

bool CTesseloDlg::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel: return Touch(static_cast<QTouchEvent&>(*event));
    default: return QDialog::event(event);
    }
}

bool CTesseloDlg::Touch(QTouchEvent& touch)
{
    if (touch.type() == QEvent::TouchBegin) {
        if (touch.points().isEmpty() || touch.points().front().position().y() < barHeight) {
            touch.ignore();
            return false;
        }
        // Taken, the touch makes no mouse events of Qt's besides.
        touch.accept();
        input.TouchBegin(touch, !commands.Interrupt() && !pause.ResumeOnClick());
        return true;
    }
    touch.accept();
    input.Touch(touch);
    return true;
}

void CTesseloDlg::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && event->position().y() >= barHeight && !commands.Interrupt() &&
        !pause.ResumeOnClick())
        input.Press(*event);
}

void CTesseloDlg::mouseMoveEvent(QMouseEvent* event)
{
    input.Move(*event);
}

void CTesseloDlg::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        input.Release(*event);
}

} // namespace tesselo
