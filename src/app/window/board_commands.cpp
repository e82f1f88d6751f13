#include "app/window/board_commands.h"

#include "app/dialogs/animation_saver.h"
#include "app/dialogs/c_records_dlg.h"
#include "app/dialogs/c_solve_map_dlg.h"
#include "app/input/board_actions.h"
#include "app/window/c_tesselo_dlg.h"
#include "model/game.h"
#include "model/wall_clock.h"
#include "pictures/board_bitmap.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QKeyEvent>
#include <QThreadPool>

#include <optional>

namespace tesselo {

BoardCommands::BoardCommands(CTesseloDlg& w) : window(w) {}

void BoardCommands::Open(SolverService::Options solver)
{
    replay = std::make_unique<BoardReplay>(window.TheGame(), window.Picture(), window.Board());
    hints = std::make_unique<HintPresenter>(window.TheGame(), window.Board(), std::move(solver));
    QObject::connect(hints.get(), &HintPresenter::NoWayHome, &window, [this] {
        window.Prompts().Ask(&window, Prompt{Prompt::Kind::NoWayHome});
    });
}

void BoardCommands::AddActions(BoardActions& actions)
{
    Game& game = window.TheGame();
    const auto add = [&](const char* text, QList<QKeySequence> keys, std::function<bool()> applies,
                         void (BoardCommands::*command)(), bool startsGroup = false) {
        actions.Add(BoardAction{tr(text), std::move(keys), std::move(applies),
                                [this, command] { (this->*command)(); }, startsGroup});
    };
    add(QT_TR_NOOP("Undo"), {QKeySequence(Qt::CTRL | Qt::Key_Z)}, [&game] { return game.CanUndo(); },
        &BoardCommands::Undo);
    add(QT_TR_NOOP("Redo"), {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        [&game] { return game.CanRedo(); }, &BoardCommands::Redo);
    add(QT_TR_NOOP("Replay Solve"), {QKeySequence(Qt::CTRL | Qt::Key_P)}, [&game] { return game.CanReplaySolve(); },
        &BoardCommands::ReplaySolve, true);
    add(QT_TR_NOOP("Solve Map"), {QKeySequence(Qt::Key_M)}, [&game] { return game.CanReplaySolve(); },
        &BoardCommands::SolveMap);
    add(QT_TR_NOOP("Records"), {QKeySequence(Qt::CTRL | Qt::Key_R)}, {}, &BoardCommands::Records);
    const auto assists = [&game] { return game.CanAssist(); };
    add(QT_TR_NOOP("Hint"), {QKeySequence(Qt::Key_H)}, assists, &BoardCommands::Hint, true);
    add(QT_TR_NOOP("Solve"), {QKeySequence(Qt::SHIFT | Qt::Key_H)}, assists, &BoardCommands::Solve);
}

void BoardCommands::Undo()
{
    window.StopBoard();
    window.TheGame().Undo();
}

void BoardCommands::Redo()
{
    window.StopBoard();
    window.TheGame().Redo();
}

void BoardCommands::ReplaySolve()
{
    window.StopBoard();
    replay->StartLastSolve();
}

void BoardCommands::Records()
{
    window.StopBoard();
    const Game& game = window.TheGame();
    CRecordsDlg dialog(window.Kept(), game.View().puzzle.grid.Size(), game.View().style,
                       DayClock(game.Wall()), &window);
    // Acted on once the window has closed.
    std::optional<GameResult> chosen;
    bool map = false;
    std::optional<std::int64_t> raced;
    QObject::connect(&dialog, &CRecordsDlg::RaceChosen, [&](const GameResult& win, qint64 id) {
        chosen = win;
        raced = id;
    });
    QObject::connect(&dialog, &CRecordsDlg::ReplayChosen, [&](const GameResult& win) { chosen = win; });
    QObject::connect(&dialog, &CRecordsDlg::AnimationChosen,
                     [&](const GameResult& win) { SaveAnimation(win, &dialog); });
    QObject::connect(&dialog, &CRecordsDlg::MapChosen, [&](const GameResult& win) {
        chosen = win;
        map = true;
    });
    if (window.Prompts().Run(dialog) != QDialog::Accepted || !chosen)
        return;
    if (raced)
        window.Races().Race(*raced, *chosen);
    else if (map)
        MapKept(*chosen);
    else
        replay->StartKept(*chosen);
}

void BoardCommands::SaveLastSolveAnimation()
{
    const Game& game = window.TheGame();
    if (!game.CanReplaySolve())
        return;
    window.StopBoard();
    GameResult won = game.ResultOfWin(window.Picture().KeptName());
    won.start = game.View().puzzle.history.start;
    won.steps = game.View().puzzle.history.Played();
    SaveAnimation(won, &window);
}

void BoardCommands::SaveAnimation(const GameResult& won, QWidget* parent)
{
    if (!won.IsReplayable())
        return;
    ReplayExport::Job job;
    job.start = won.start;
    job.steps = won.steps;
    job.picturePath = window.Picture().PathOfKept(won.picture);
    job.proportions = QSize(window.Picture().Folder().width, window.Picture().Folder().height);
    job.numbers = window.Settings().Current().numbersOnTiles;
    AnimationSaver saver(parent);
    if (askAnimationFile)
        saver.askFile = askAnimationFile;
    const QDateTime finished = won.finished.isValid() ? won.finished : QDateTime::currentDateTimeUtc();
    const QString when = finished.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HHmm"));
    saver.Save(job, QStringLiteral("Tesselo %1 %2 %3").arg(won.LevelKey(), won.StyleKey(), when));
}

void BoardCommands::SolveMap()
{
    const Game& game = window.TheGame();
    if (!game.CanReplaySolve())
        return;
    window.StopBoard();
    ShowMap(game.View().puzzle.history.start, game.View().puzzle.history.Played(), game.View().puzzle.facts.par);
}

void BoardCommands::MapKept(const GameResult& won)
{
    ShowMap(won.start, won.steps, won.par);
    // On its own picture when the folder still holds it, as its replay is:
    // decoded off the window's thread at the board's size, the board's
    // picture shown meanwhile, and kept when the file no longer decodes.
    // (QFileInfo would not find a name that is not UTF-8.)
    const GamePicture& shown = window.Picture();
    const QString path = shown.PathOfKept(won.picture);
    if (path.isEmpty())
        return;
    const int width = shown.Folder().width, height = shown.Folder().height;
    const qreal ratio = shown.Folder().ratio;
    QThreadPool::globalInstance()->start([dialog = map, path, width, height, ratio]() mutable {
        BoardBitmap own;
        if (!own.LoadScaled(path, width, height, ratio))
            return;
        QMetaObject::invokeMethod(qApp, [dialog = std::move(dialog), picture = std::move(own.picture)]() mutable {
            if (dialog)
                dialog->ShowPicture(std::move(picture));
        });
    });
}

void BoardCommands::ShowMap(const TileGrid& start, const std::vector<HistoryStep>& steps,
                            std::optional<std::int32_t> par)
{
    // One map at a time: a new one takes the place of the last.
    if (map)
        map->close();
    auto* dialog =
        new CSolveMapDlg(hints->Plans().Service().CurrentSolver(), start, steps, window.Picture().Board().picture,
                         par ? std::optional<int>(*par) : std::nullopt, &window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    map = dialog;
    dialog->show();
}

CSolveMapDlg* BoardCommands::OpenMap() const
{
    return map;
}

void BoardCommands::Hint()
{
    window.StopBoard();
    hints->Hint();
}

void BoardCommands::Solve()
{
    window.StopBoard();
    hints->Solve();
}

bool BoardCommands::Interrupt()
{
    // During a replay an input only ends it; nothing reaches the game. An
    // input takes a hint away, and only stops a solve.
    if (IsReplaying()) {
        replay->Stop();
        return true;
    }
    return hints && hints->Interrupt();
}

void BoardCommands::Stop()
{
    if (replay)
        replay->Stop();
    if (hints)
        hints->Interrupt();
}

void BoardCommands::Pad(PadCommand command)
{
    // As a key: a press while the board is busy only ends what it does.
    if (command == PadCommand::None || Interrupt())
        return;
    Game& game = window.TheGame();
    switch (command) {
    case PadCommand::SelectUp: game.SelectUp(); break;
    case PadCommand::SelectDown: game.SelectDown(); break;
    case PadCommand::SelectLeft: game.SelectLeft(); break;
    case PadCommand::SelectRight: game.SelectRight(); break;
    case PadCommand::SlideUp: game.ShiftColumnUp(); break;
    case PadCommand::SlideDown: game.ShiftColumnDown(); break;
    case PadCommand::SlideLeft: game.ShiftRowLeft(); break;
    case PadCommand::SlideRight: game.ShiftRowRight(); break;
    case PadCommand::Undo: Undo(); break;
    case PadCommand::Redo: Redo(); break;
    case PadCommand::Hint: Hint(); break;
    case PadCommand::Pause: window.pause.Toggle(); break;
    case PadCommand::NewGame: window.OnBnClickedNewGame(); break;
    case PadCommand::Numbers: window.ToggleNumbers(); break;
    case PadCommand::None: break;
    }
}

bool BoardCommands::Key(const QKeyEvent& key)
{
    const BoardAction* action = window.actions.ForKey(key);
    // A setting of the board's looks leaves whatever the board is doing
    // alone: a replay, a hint, a drag go on, shown the new way.
    if (action && action->checked) {
        action->run();
        return true;
    }
    if (Interrupt())
        return true;
    // Each of these ends an open drag first (StopBoard).
    if (action) {
        action->run();
        return true;
    }
    if (window.input.Arrow(key))
        return true;
    switch (key.key()) {
    // The first button from the keyboard, as when it had the focus.
    case Qt::Key_Space: window.OnBnClickedNewGame(); return true;
    // The dialog keyboard of other windows does not apply here.
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // In "Blind" the player says here that the picture is whole.
        if (window.TheGame().CanDeclareEnd())
            window.OnBnClickedNewGame();
        return true;
    case Qt::Key_Escape: return true;
    default: return false;
    }
}

} // namespace tesselo
