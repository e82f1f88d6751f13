#include "app/c_tesselo_dlg.h"

#include "app/c_help_dlg.h"
#include "app/c_option_dlg.h"
#include "app/c_records_dlg.h"
#include "app/dialog_units.h"
#include "app/player_messages.h"
#include "app/termination_hold.h"
#include "model/game.h"
#include "model/levels.h"
#include "view/c_puzzle_image.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace tesselo {

namespace {

// The window as designed, in dialog units; the layout replaces the control
// positions as soon as the window opens.
constexpr int kTemplateWidth = 450;
constexpr int kTemplateHeight = 284;

} // namespace

CTesseloDlg::CTesseloDlg(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      bar(this)
{
    setWindowTitle(QStringLiteral("Tesselo"));
    setWindowIcon(QIcon(QStringLiteral(":/tesselo/icon.png")));
    setSizeGripEnabled(false);
    setMinimumSize(kMinClientWidth, kMinClientHeight);
    // Every pointer move repaints, with or without a button held.
    setMouseTracking(true);

    newGameButton = bar.newGame;
    optionsButton = bar.options;
    counterLabel = bar.counterLabel;
    counterValue = bar.counterValue;
    helpButton = bar.help;

    boardControl = new CPuzzleImage(this);
    boardControl->setObjectName(QStringLiteral("boardControl"));
    boardControl->hide();

    connect(newGameButton, &QPushButton::clicked, this, &CTesseloDlg::OnBnClickedNewGame);
    connect(optionsButton, &QPushButton::clicked, this, &CTesseloDlg::OnBnClickedOptions);
    connect(helpButton, &QPushButton::clicked, this, &CTesseloDlg::OnBnClickedHelp);
    AddBoardActions();

    const DialogUnits du(font());
    resize(du.X(kTemplateWidth), du.Y(kTemplateHeight));
    // Keys reach the focused button first; the game sees them before it.
    qApp->installEventFilter(this);
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

CTesseloDlg::~CTesseloDlg()
{
    qApp->removeEventFilter(this);
}

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
    replay = std::make_unique<BoardReplay>(*game, *boardControl);
    connect(replay.get(), &BoardReplay::MoveMade, this, [this] { sound.Play(SoundEffects::Move); });
    assistant = std::make_unique<Assistant>(*game, *boardControl, SolverOptions());
    // The window is sized around the board the saved game asks for; asked
    // before the picture is prepared, it lets the one preparation be the
    // one shown.
    QSize wanted;
    game->LoadSavedGame([this, &wanted](QSize board) {
        wanted = board;
        return BoardAround(board);
    });
    // Only a game in play resumes; anything else opens as the whole picture.
    if (game->state != Playing)
        game->ResetGame();
    sound.ApplyVolume(game->volume);
    // From here the game reports to the window: a resumed "Speed" game
    // starts its clock now.
    game->SetOwner(this);
    boardControl->game = game;
    SizeAroundBoard(wanted);
    LayoutBar();
    boardControl->setGeometry(0, barHeight, game->board.CellWidth() * game->grid.columnCount,
                              game->board.CellHeight() * game->grid.rowCount);
    boardControl->show();
    boardControl->raise();
    boardCreated = true;
    // A game started before the first tick takes its start from this
    // reading rather than from a clock that was never read.
    game->ReadClock();
    timerId = startTimer(50, Qt::PreciseTimer);
    newGameButton->setFocus();
}

QSize CTesseloDlg::ScreenRoom() const
{
    if (const QScreen* s = screen())
        return s->availableGeometry().size() - QSize(16, 48);
    return QSize();
}

QSize CTesseloDlg::BoardAround(QSize board) const
{
    return window_layout::BoardAround(board, game->grid.rowCount, game->grid.columnCount, ScreenRoom());
}

void CTesseloDlg::SizeAroundBoard(QSize board)
{
    const int rows = game->grid.rowCount;
    const int columns = game->grid.columnCount;
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

void CTesseloDlg::LayoutBar()
{
    bar.Layout(buttonWidth, barHeight);
}

void CTesseloDlg::OnSize(int cx, int cy)
{
    handledSize = QSize(cx, cy);
    buttonWidth = window_layout::ButtonWidth(cx);
    barHeight = window_layout::BarHeight(buttonWidth);
    LayoutBar();
    // A window shorter than its bar has no board rather than a negative one.
    const int boardHeight = std::max(cy - barHeight, 0);
    if (game) {
        game->SetBoardSize(cx, boardHeight, devicePixelRatioF());
        if (replay)
            replay->Resize();
    }
    if (boardCreated)
        boardControl->setGeometry(0, barHeight, cx, boardHeight);
    RepaintBoard();
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

void CTesseloDlg::RepaintBoard()
{
    update();
    if (boardControl)
        boardControl->update();
}

void CTesseloDlg::PlayCue(Cue cue)
{
    sound.PlayCue(cue);
}

void CTesseloDlg::ClockSound(bool ticking)
{
    sound.SetClock(ticking);
}

void CTesseloDlg::GameWon()
{
    records.Keep(game->ResultOfWin());
}

void CTesseloDlg::TellWinNotKept(const Records::Failure& failure)
{
    tesselo::TellWinNotKept(this, failure.Message());
}

bool CTesseloDlg::OfferCloseLosingWins(const Records::Failure& failure, std::size_t count)
{
    return AskCloseLosingWins(this, count, failure.file, failure.reason);
}

void CTesseloDlg::EndGesture()
{
    game->CancelDrag();
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    RepaintBoard();
}

void CTesseloDlg::StopBoard()
{
    EndGesture();
    if (replay)
        replay->Stop();
    if (assistant)
        assistant->Stop();
}

void CTesseloDlg::OnRecords()
{
    StopBoard();
    CRecordsDlg dialog(records, Records::LevelOf(game->grid.rowCount, game->grid.columnCount),
                       QString::fromLatin1(StyleKey(game->strategyStyle)), this);
    if (RunRecordsDialog(dialog) == QDialog::Accepted && dialog.chosen)
        replay->StartKept(*dialog.chosen);
}

int CTesseloDlg::RunRecordsDialog(CRecordsDlg& dialog)
{
    return dialog.exec();
}

void CTesseloDlg::OnReplaySolve()
{
    StopBoard();
    replay->StartLastSolve();
}

void CTesseloDlg::OnHint()
{
    StopBoard();
    assistant->Hint();
}

void CTesseloDlg::OnSolve()
{
    StopBoard();
    assistant->Solve();
}

SolverService::Options CTesseloDlg::SolverOptions() const
{
    return SolverService::DefaultOptions();
}

void CTesseloDlg::OnUndo()
{
    StopBoard();
    game->Undo();
    RepaintBoard();
}

void CTesseloDlg::OnRedo()
{
    StopBoard();
    game->Redo();
    RepaintBoard();
}

void CTesseloDlg::AddBoardActions()
{
    const auto add = [this](const char* text, QList<QKeySequence> keys, std::function<bool()> applies,
                            void (CTesseloDlg::*slot)(), bool startsGroup = false) {
        actions.Add(BoardAction{tr(text), std::move(keys), std::move(applies),
                                [this, slot] { (this->*slot)(); }, startsGroup});
    };
    add(QT_TR_NOOP("Undo"), {QKeySequence(Qt::CTRL | Qt::Key_Z)}, [this] { return game->CanUndo(); },
        &CTesseloDlg::OnUndo);
    add(QT_TR_NOOP("Redo"), {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        [this] { return game->CanRedo(); }, &CTesseloDlg::OnRedo);
    add(QT_TR_NOOP("Replay Solve"), {QKeySequence(Qt::CTRL | Qt::Key_P)},
        [this] { return game->state == Solved && game->history.IsActive(); }, &CTesseloDlg::OnReplaySolve, true);
    add(QT_TR_NOOP("Records"), {QKeySequence(Qt::CTRL | Qt::Key_R)}, {}, &CTesseloDlg::OnRecords);
    const auto inPlay = [this] { return game->state == Playing && !game->IsPaused(); };
    actions.Add(BoardAction{tr("Hint"), {QKeySequence(Qt::Key_H)}, inPlay, [this] { OnHint(); }, true});
    actions.Add(BoardAction{tr("Solve"), {QKeySequence(Qt::SHIFT | Qt::Key_H)}, inPlay, [this] { OnSolve(); }});
    pause.AddActions(actions);
    sharing.AddActions(actions);
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
    const bool replaying = IsReplaying();
    StopBoard();
    if (replaying)
        return;
    std::unique_ptr<QMenu> menu = MakeBoardMenu();
    RunBoardMenu(*menu, event->globalPos());
}

void CTesseloDlg::OnBnClickedNewGame()
{
    StopBoard();
    if (game->state != Playing) {
        game->NewGame();
        StartedNewGame();
    } else {
        game->ResetGame();
        sound.Play(SoundEffects::Reset);
    }
    RepaintBoard();
}

void CTesseloDlg::StartedNewGame()
{
    setWindowTitle(QStringLiteral("Tesselo"));
    records.NewGameStarted();
    if (game->strategyStyle)
        sound.Play(SoundEffects::NewGame);
    RepaintBoard();
}

void CTesseloDlg::OnBnClickedOptions()
{
    StopBoard();
    COptionDlg options(this);
    options.PresetFrom(*game);
    if (RunOptionDialog(options) == QDialog::Accepted) {
        options.ApplyTo(*game);
        sound.ApplyVolume(game->volume);
    }
    RepaintBoard();
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
    if (id != timerId)
        return;
    game->Tick();
    if (assistant)
        assistant->Sync();
    bar.Show(game->CounterText(), game->strategyStyle, game->state == Playing);
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
    // The timer runs exactly while the window is open: before, nothing was
    // read that could be saved; after, the close has saved already. Wins
    // still waiting get a try; those that fail wait in the pending file.
    const bool saved = timerId == 0 || SaveWhole(why);
    records.Flush();
    return saved;
}

bool CTesseloDlg::SaveWhole(QString* why)
{
    const TerminationHold hold;
    return game->SaveGame(why);
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
    if (timerId) {
        killTimer(timerId);
        timerId = 0;
    }
    sound.Close();
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
    // A Shift released in another window never reaches this one; forget it
    // rather than leave the arrows stuck moving the selection. A drag ends
    // with the focus: its release may never come back here.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        shiftDown = false;
        if (game)
            EndGesture();
    }
    QDialog::changeEvent(event);
}

bool CTesseloDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    return HandleKey(static_cast<QKeyEvent*>(event));
}

bool CTesseloDlg::HandleKey(QKeyEvent* key)
{
    if (key->type() == QEvent::KeyRelease) {
        if (key->key() == Qt::Key_Shift)
            shiftDown = false;
        return false;
    }
    // During a replay a key only ends it; nothing reaches the game.
    if (IsReplaying()) {
        replay->Stop();
        return true;
    }
    // A key takes a hint away, and only stops a solve.
    if (assistant && assistant->Interrupt()) {
        shiftDown = shiftDown || key->key() == Qt::Key_Shift;
        return true;
    }
    // Each of these ends an open drag first (EndGesture).
    if (const BoardAction* action = actions.ForKey(*key)) {
        action->run();
        return true;
    }
    switch (key->key()) {
    case Qt::Key_Shift:
        shiftDown = true;
        return false;
    case Qt::Key_Left:
        shiftDown ? game->SelectLeft() : game->ShiftRowLeft();
        break;
    case Qt::Key_Right:
        shiftDown ? game->SelectRight() : game->ShiftRowRight();
        break;
    case Qt::Key_Up:
        shiftDown ? game->SelectUp() : game->ShiftColumnUp();
        break;
    case Qt::Key_Down:
        shiftDown ? game->SelectDown() : game->ShiftColumnDown();
        break;
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true; // the dialog keyboard of other windows does not apply here
    default:
        return false;
    }
    RepaintBoard();
    return true;
}

QPoint CTesseloDlg::ClampToBoard(QPoint point) const
{
    const int right = game->board.CellWidth() * game->grid.columnCount;
    const int top = barHeight;
    const int bottom = top + game->board.CellHeight() * game->grid.rowCount;
    return QPoint(std::clamp(point.x(), 0, std::max(right, 0)), std::clamp(point.y(), top, std::max(bottom, top)));
}

void CTesseloDlg::OnLButtonDown(QPoint point)
{
    if (point.y() < barHeight)
        return;
    if (IsReplaying()) {
        replay->Stop();
        return;
    }
    if (assistant && assistant->Interrupt())
        return;
    if (pause.ResumeOnClick())
        return;
    game->BeginDrag(point.x(), point.y() - barHeight);
    grabMouse();
    RepaintBoard();
}

void CTesseloDlg::OnMouseMove(Qt::MouseButtons buttons, QPoint point)
{
    if (buttons & Qt::LeftButton) {
        const QPoint p = ClampToBoard(point);
        game->TrackDrag(p.x(), p.y() - barHeight);
    }
    RepaintBoard();
}

void CTesseloDlg::OnLButtonUp(QPoint point)
{
    // A release closes the gesture even when it never chose an axis: a
    // plain click must not leave the arrow keys refused until a later drag.
    if (game->dragging) {
        const QPoint p = ClampToBoard(point);
        game->EndDrag(p.x(), p.y() - barHeight);
    }
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    RepaintBoard();
}

void CTesseloDlg::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(event->position().toPoint());
}

void CTesseloDlg::mouseMoveEvent(QMouseEvent* event)
{
    OnMouseMove(event->buttons(), event->position().toPoint());
}

void CTesseloDlg::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(event->position().toPoint());
}

} // namespace tesselo
