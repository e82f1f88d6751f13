#include "app/c_tesselo_dlg.h"

#include "app/c_help_dlg.h"
#include "app/c_option_dlg.h"
#include "app/c_records_dlg.h"
#include "app/dialog_units.h"
#include "app/termination_hold.h"
#include "model/game.h"
#include "view/c_puzzle_image.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
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

void SetTextIfDifferent(QLabel* label, const QString& text)
{
    if (label->text().compare(text, Qt::CaseInsensitive) != 0)
        label->setText(text);
}

void SetTextIfDifferent(QPushButton* button, const QString& text)
{
    if (button->text().compare(text, Qt::CaseInsensitive) != 0)
        button->setText(text);
}

} // namespace

CTesseloDlg::CTesseloDlg(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Tesselo"));
    setWindowIcon(QIcon(QStringLiteral(":/tesselo/icon.png")));
    setSizeGripEnabled(false);
    setMinimumSize(kMinClientWidth, kMinClientHeight);
    // Every pointer move repaints, with or without a button held.
    setMouseTracking(true);

    const DialogUnits du(font());
    newGameButton = new QPushButton(QStringLiteral("New Game"), this);
    newGameButton->setObjectName(QStringLiteral("newGameButton"));
    newGameButton->setGeometry(du.Rect(0, 1, 50, 14));
    optionsButton = new QPushButton(QStringLiteral("Options"), this);
    optionsButton->setObjectName(QStringLiteral("optionsButton"));
    optionsButton->setGeometry(du.Rect(65, 1, 50, 14));
    counterLabel = new QLabel(QStringLiteral("Moves:"), this);
    counterLabel->setObjectName(QStringLiteral("counterLabel"));
    counterLabel->setGeometry(du.Rect(122, 1, 94, 14));
    counterLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    counterLabel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    counterLabel->setLineWidth(2);
    counterValue = new QLabel(this);
    counterValue->setObjectName(QStringLiteral("counterValue"));
    counterValue->setGeometry(du.Rect(162, 3, 48, 10));
    counterValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    counterValue->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    helpButton = new QPushButton(QStringLiteral("Help"), this);
    helpButton->setObjectName(QStringLiteral("helpButton"));
    helpButton->setGeometry(du.Rect(228, 1, 50, 14));
    for (QPushButton* b : {newGameButton, optionsButton, helpButton}) {
        // Enter does nothing in this window; no button is a default one.
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::StrongFocus);
    }
    // The counter value sits inside the label and above it.
    counterValue->raise();

    boardControl = new CPuzzleImage(this);
    boardControl->setObjectName(QStringLiteral("boardControl"));
    boardControl->hide();

    connect(newGameButton, &QPushButton::clicked, this, &CTesseloDlg::OnBnClickedNewGame);
    connect(optionsButton, &QPushButton::clicked, this, &CTesseloDlg::OnBnClickedOptions);
    connect(helpButton, &QPushButton::clicked, this, &CTesseloDlg::OnBnClickedHelp);
    connect(&replay, &ReplayPlayer::FrameChanged, boardControl, qOverload<>(&QWidget::update));
    connect(&replay, &ReplayPlayer::MoveMade, this, [this] { sound.Play(SoundEffects::Move); });
    connect(&replay, &ReplayPlayer::Finished, this, &CTesseloDlg::OnReplayFinished);

    resize(du.X(kTemplateWidth), du.Y(kTemplateHeight));
    // Keys reach the focused button first; the game sees them before it.
    qApp->installEventFilter(this);
    // A desktop session about to end asks first: the game in play is saved
    // then, whether or not the session goes on to end.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { SaveNow(); });
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
    game->pictures.ratio = devicePixelRatioF();
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
    game->owner = this;
    sound.ApplyVolume(game->volume);
    if (game->state == Playing && !game->strategyStyle)
        sound.StartClock();
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
    game->clockNow = game->ReadClock();
    timerId = startTimer(50, Qt::PreciseTimer);
    newGameButton->setFocus();
}

QSize CTesseloDlg::FitToScreen(QSize board) const
{
    // A board saved on a larger screen is brought down to this one, keeping
    // its proportions, so the window never opens partly off screen.
    if (const QScreen* s = screen()) {
        const QSize room = s->availableGeometry().size() - QSize(16, 48);
        const int barFor = board.width() / 15;
        if (board.width() > room.width() || board.height() + barFor > room.height()) {
            const double k = std::min(double(room.width()) / std::max(board.width(), 1),
                                      double(room.height()) / std::max(board.height() + barFor, 1));
            board = QSize(int(board.width() * k), int(board.height() * k));
        }
    }
    return board;
}

QSize CTesseloDlg::WholeCells(QSize board) const
{
    if (board.width() <= 0 || board.height() <= 0)
        return QSize(0, 0); // a picture of no size has no cells
    const int columns = std::max(game->grid.columnCount, 1);
    const int rows = std::max(game->grid.rowCount, 1);
    return QSize(board.width() / columns * columns, board.height() / rows * rows);
}

QSize CTesseloDlg::ClientAround(QSize board) const
{
    const QSize fitted = FitToScreen(WholeCells(board));
    return QSize(std::max(fitted.width(), kMinClientWidth),
                 std::max(fitted.width() / 5 / 3 + fitted.height(), kMinClientHeight));
}

QSize CTesseloDlg::BoardAround(QSize board) const
{
    const QSize client = ClientAround(board);
    return QSize(client.width(), std::max(client.height() - client.width() / 5 / 3, 0));
}

void CTesseloDlg::SizeAroundBoard(QSize board)
{
    buttonWidth = FitToScreen(WholeCells(board)).width() / 5;
    barHeight = buttonWidth / 3;
    const QSize client = ClientAround(board);
    if (client != size()) {
        resize(client);
        if (!isVisible())
            OnSize(client.width(), client.height()); // a hidden window gets its size event later
    }
}

void CTesseloDlg::LayoutBar()
{
    const int w = buttonWidth;
    const int h = barHeight;
    newGameButton->setGeometry(0, 0, w, h);
    optionsButton->setGeometry(w, 0, w, h);
    counterLabel->setGeometry(2 * w, 0, 2 * w, h);
    counterValue->setGeometry(3 * w, 2, w - 2, h - 4);
    helpButton->setGeometry(4 * w, 0, w, h);
    FitBarFont();
    if (barFont) {
        for (QWidget* c : std::initializer_list<QWidget*>{newGameButton, optionsButton, counterLabel,
                                                          counterValue, helpButton})
            c->setFont(*barFont);
    }
}

void CTesseloDlg::FitBarFont()
{
    barFont.reset();
    const int limit = (4 * buttonWidth) / 5;
    QFont trial(QStringLiteral("Times New Roman"));
    trial.setWeight(QFont::Bold);
    const std::pair<int, qreal> screen{newGameButton->logicalDpiY(), newGameButton->devicePixelRatioF()};
    if (screen != widthsScreen) {
        newGameWidths.fill(-1);
        widthsScreen = screen;
    }
    int h = 6;
    for (; h <= 99; ++h) {
        int& width = newGameWidths[std::size_t(h)];
        if (width < 0) {
            trial.setPixelSize(h);
            width = QFontMetrics(trial, newGameButton).horizontalAdvance(QStringLiteral("New Game"));
        }
        if (width > limit)
            break;
    }
    trial.setPixelSize(h - 1); // 99 when even that height fits
    barFont = std::make_unique<QFont>(trial);
}

void CTesseloDlg::OnSize(int cx, int cy)
{
    handledSize = QSize(cx, cy);
    buttonWidth = cx / 5;
    barHeight = buttonWidth / 3;
    LayoutBar();
    // A window shorter than its bar has no board rather than a negative one.
    const int boardHeight = std::max(cy - barHeight, 0);
    if (game) {
        game->pictures.width = std::max(cx, 0);
        game->pictures.height = boardHeight;
        game->pictures.ratio = devicePixelRatioF();
        // Before the saved game is read the picture waits: the size that
        // reading gives it is the one the window shows.
        if (!game->picturePending)
            game->pictures.ShowCurrent();
        if (replay.IsRunning())
            replay.Prepare(game->board, game->pictures.width, game->pictures.height, game->pictures.ratio);
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
    switch (cue) {
    case Cue::Win: sound.Play(SoundEffects::Win); break;
    case Cue::Move: sound.Play(SoundEffects::Move); break;
    case Cue::NoMove: sound.Play(SoundEffects::NoMove); break;
    }
}

void CTesseloDlg::StopClockSound()
{
    sound.StopClock();
}

void CTesseloDlg::StartClockSound()
{
    sound.StartClock();
}

void CTesseloDlg::GameWon()
{
    // Kept at once, not at the close: a win survives a crash a second later.
    const GameResult result = game->ResultOfWin();
    records.Open();
    const bool best = records.IsNewBest(result);
    records.Add(result);
    if (best)
        setWindowTitle(QStringLiteral("Tesselo - New record!"));
}

void CTesseloDlg::OnRecords()
{
    StopReplay();
    records.Open();
    CRecordsDlg dialog(records, Records::LevelOf(game->grid.rowCount, game->grid.columnCount),
                       QString::fromLatin1(game->strategyStyle ? "Strategy" : "Speed"), this);
    if (RunRecordsDialog(dialog) != QDialog::Accepted || !dialog.chosen)
        return;
    const GameResult& won = *dialog.chosen;
    // Its own picture when the folder still holds it, else the board's: the
    // replay falls back by itself on a file that does not load. (QFileInfo
    // would not find a name that is not UTF-8.)
    const QString picture = won.picture.isEmpty() ? QString() : game->pictures.folder + won.picture;
    StartReplay(won.start, won.steps, picture, won.style == QLatin1String("Strategy"));
}

int CTesseloDlg::RunRecordsDialog(CRecordsDlg& dialog)
{
    return dialog.exec();
}

void CTesseloDlg::OnReplaySolve()
{
    if (game->state != Solved || !game->history.IsActive())
        return;
    StartReplay(game->history.start, game->history.Played(), QString(), game->strategyStyle);
}

void CTesseloDlg::StartReplay(const TileGrid& start, const std::vector<HistoryStep>& steps,
                              const QString& picturePath, bool cues)
{
    StopReplay();
    if (!TileGrid::IsDifficultySize(start.rowCount, start.columnCount))
        return;
    // The game in play waits, its clock silent, until the replay is over.
    if (game->state == Playing && !game->strategyStyle) {
        sound.StopClock();
        clockPausedForReplay = true;
    }
    replay.Start(Replay(start, steps), picturePath, cues);
    replay.Prepare(game->board, game->pictures.width, game->pictures.height, game->pictures.ratio);
    boardControl->replayBoard = &replay.board;
    boardControl->replayFrame = &replay.Frame();
    RepaintBoard();
}

void CTesseloDlg::StopReplay()
{
    replay.Stop();
}

void CTesseloDlg::OnReplayFinished()
{
    boardControl->replayFrame = nullptr;
    boardControl->replayBoard = nullptr;
    if (clockPausedForReplay) {
        clockPausedForReplay = false;
        if (game->state == Playing && !game->strategyStyle)
            sound.StartClock();
    }
    RepaintBoard();
}

void CTesseloDlg::OnUndo()
{
    game->Undo();
    RepaintBoard();
}

void CTesseloDlg::OnRedo()
{
    game->Redo();
    RepaintBoard();
}

std::unique_ptr<QMenu> CTesseloDlg::MakeBoardMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    const auto add = [&](const QString& text, const QKeySequence& keys, bool enabled, void (CTesseloDlg::*slot)()) {
        QAction* action = menu->addAction(text, this, slot);
        action->setShortcut(keys);
        // The keys work from the board itself; the menu only shows them.
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setShortcutVisibleInContextMenu(true);
        action->setEnabled(enabled);
        return action;
    };
    add(QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), game->CanUndo(), &CTesseloDlg::OnUndo);
    add(QStringLiteral("Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y), game->CanRedo(), &CTesseloDlg::OnRedo);
    menu->addSeparator();
    add(QStringLiteral("Replay Solve"), QKeySequence(Qt::CTRL | Qt::Key_P),
        game->state == Solved && game->history.IsActive(), &CTesseloDlg::OnReplaySolve);
    add(QStringLiteral("Records"), QKeySequence(Qt::CTRL | Qt::Key_R), true, &CTesseloDlg::OnRecords);
    return menu;
}

void CTesseloDlg::RunBoardMenu(QMenu& menu, QPoint globalPos)
{
    menu.exec(globalPos);
}

void CTesseloDlg::contextMenuEvent(QContextMenuEvent* event)
{
    // Not over the bar, and not in the middle of a drag. A click during a
    // replay only ends it.
    if (event->pos().y() < barHeight || game->dragging || QWidget::mouseGrabber() == this)
        return;
    if (replay.IsRunning()) {
        StopReplay();
        return;
    }
    std::unique_ptr<QMenu> menu = MakeBoardMenu();
    RunBoardMenu(*menu, event->globalPos());
}

void CTesseloDlg::OnBnClickedNewGame()
{
    StopReplay();
    if (game->state != Playing) {
        setWindowTitle(QStringLiteral("Tesselo"));
        game->NewGame();
        if (game->strategyStyle)
            sound.Play(SoundEffects::NewGame);
        else
            sound.StartClock();
    } else {
        game->ResetGame();
        if (!game->strategyStyle)
            sound.StopClock();
        sound.Play(SoundEffects::Reset);
    }
    RepaintBoard();
}

void CTesseloDlg::OnBnClickedOptions()
{
    StopReplay();
    COptionDlg options(this);
    const int presetDifficulty = COptionDlg::DifficultyOf(game->grid.rowCount, game->grid.columnCount);
    options.difficulty = presetDifficulty;
    options.folder = game->pictures.folder;
    options.style = game->strategyStyle ? 0 : 1;
    options.volume = game->volume;
    const QString previousFolder = options.folder;
    options.OnInitDialog();
    if (RunOptionDialog(options) == QDialog::Accepted)
        ApplyOptions(options, presetDifficulty, previousFolder);
    RepaintBoard();
}

void CTesseloDlg::ApplyOptions(const COptionDlg& options, int presetDifficulty, const QString& previousFolder)
{
    const bool wasPlaying = game->state == Playing;
    if (options.difficulty != presetDifficulty) {
        const QSize level = COptionDlg::LevelSize(options.difficulty);
        game->grid.Resize(level.height(), level.width());
        if (game->state == Playing)
            game->ResetGame();
        // Neither the old moves nor an abandoned game fit the new grid.
        game->EndHistory();
    }
    if (!COptionDlg::SameFolder(options.folder, previousFolder))
        game->pictures.SetFolder(options.folder);
    const bool wasSpeed = !game->strategyStyle;
    game->strategyStyle = options.style == 0;
    if (options.volume != game->volume) {
        game->volume = options.volume;
        sound.ApplyVolume(game->volume);
    }
    // The clock ticks exactly while a "Speed" game runs: an abandoned game
    // or a switch to "Strategy" stops it, a switch to "Speed" mid-game
    // starts it.
    const bool speedNow = !game->strategyStyle && game->state == Playing;
    const bool speedBefore = wasSpeed && wasPlaying;
    if (speedBefore && !speedNow)
        sound.StopClock();
    else if (!speedBefore && speedNow)
        sound.StartClock();
}

int CTesseloDlg::RunOptionDialog(COptionDlg& options)
{
    return options.exec();
}

void CTesseloDlg::OnBnClickedHelp()
{
    StopReplay();
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
    const std::uint32_t previous = game->clockNow;
    game->clockNow = game->ReadClock();
    // The time a replay takes is not the game's: its stopwatch stands.
    if (replay.IsRunning() && game->state == Playing)
        game->clockStart += game->clockNow - previous;
    if (game->resumePending) {
        if (game->state == Playing)
            game->clockStart = game->clockNow - static_cast<std::uint32_t>(game->elapsed);
        game->resumePending = false;
    }
    counterValue->setText(game->CounterText());
    SetTextIfDifferent(counterLabel, game->strategyStyle ? QStringLiteral("Moves:") : QStringLiteral("Time:"));
    SetTextIfDifferent(newGameButton,
                       game->state == Playing ? QStringLiteral("Reset Game") : QStringLiteral("New Game"));
}

void CTesseloDlg::timerEvent(QTimerEvent* event)
{
    OnTimer(event->timerId());
}

bool CTesseloDlg::OfferCloseWithoutSaving(const QString& reason)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tesselo"),
                    QStringLiteral("The game could not be saved to \"tesselo.dat\"."), QMessageBox::NoButton, this);
    box.setInformativeText(reason + QStringLiteral("\n\nClose the window again to retry, or close without saving."));
    QPushButton* keep = box.addButton(QStringLiteral("Keep Playing"), QMessageBox::RejectRole);
    QPushButton* quit = box.addButton(QStringLiteral("Close Without Saving"), QMessageBox::DestructiveRole);
    box.setDefaultButton(keep);
    box.exec();
    return box.clickedButton() == quit;
}

bool CTesseloDlg::SaveNow(QString* why)
{
    // The timer runs exactly while the window is open: before, nothing was
    // read that could be saved; after, the close has saved already.
    const TerminationHold hold;
    return timerId == 0 || game->SaveGame(why);
}

bool CTesseloDlg::OnClose()
{
    QString reason;
    bool saved = false;
    {
        const TerminationHold hold;
        saved = game->SaveGame(&reason);
    }
    if (!saved && !OfferCloseWithoutSaving(reason))
        return false;
    if (timerId) {
        killTimer(timerId);
        timerId = 0;
    }
    sound.Close();
    barFont.reset();
    return true;
}

void CTesseloDlg::closeEvent(QCloseEvent* event)
{
    StopReplay();
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
    // rather than leave the arrows stuck moving the selection.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        shiftDown = false;
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
    if (replay.IsRunning()) {
        StopReplay();
        return true;
    }
    const Qt::KeyboardModifiers mods = key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier |
                                                          Qt::AltModifier | Qt::MetaModifier);
    if (mods == Qt::ControlModifier && key->key() == Qt::Key_Z) {
        OnUndo();
        return true;
    }
    if ((mods == Qt::ControlModifier && key->key() == Qt::Key_Y) ||
        (mods == (Qt::ControlModifier | Qt::ShiftModifier) && key->key() == Qt::Key_Z)) {
        OnRedo();
        return true;
    }
    if (mods == Qt::ControlModifier && key->key() == Qt::Key_R) {
        OnRecords();
        return true;
    }
    if (mods == Qt::ControlModifier && key->key() == Qt::Key_P) {
        OnReplaySolve();
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
    return QPoint(std::min(std::max(point.x(), 0), right), std::min(std::max(point.y(), top), bottom));
}

void CTesseloDlg::OnLButtonDown(QPoint point)
{
    if (point.y() < barHeight)
        return;
    if (replay.IsRunning()) {
        StopReplay();
        return;
    }
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
