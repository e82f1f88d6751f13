#include "app/window/game_sharing.h"

#include "app/input/board_actions.h"
#include "app/window/board_commands.h"
#include "app/window/c_tesselo_dlg.h"
#include "model/game.h"
#include "model/game_id.h"
#include "records/replay_code.h"
#include "records/result_text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>

namespace tesselo {

GameSharing::GameSharing(CTesseloDlg& window)
    : tell([&window](const QString& text) { QMessageBox::information(&window, QStringLiteral("Tesselo"), text); }),
      window(window)
{
}

void GameSharing::AddActions(BoardActions& actions)
{
    actions.Add(BoardAction{tr("Copy Game ID"), {QKeySequence(Qt::CTRL | Qt::Key_C)},
                            [this] { return GameId::Of(window.TheGame().View().puzzle).has_value(); },
                            [this] { CopyId(); }, true});
    actions.Add(BoardAction{tr("Copy Replay"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
                            [this] { return window.TheGame().CanReplaySolve(); }, [this] { CopyReplay(); }, true});
    actions.Add(BoardAction{tr("Save Replay as Animation…"),
                            {},
                            [this] { return window.TheGame().CanReplaySolve(); },
                            [this] { window.Commands().SaveLastSolveAnimation(); }});
    actions.Add(BoardAction{tr("Paste Game ID or Replay"), {QKeySequence(Qt::CTRL | Qt::Key_V)}, {},
                            [this] { PasteId(); }});
    actions.Add(BoardAction{tr("Daily Puzzle"), {QKeySequence(Qt::CTRL | Qt::Key_D)}, {}, [this] { StartDaily(); }});
    actions.Add(BoardAction{tr("Copy Result"),
                            {},
                            [this] {
                                const Puzzle& p = window.TheGame().View().puzzle;
                                return p.state == Solved && p.facts.daily.isValid();
                            },
                            [this] { CopyResult(); }});
}

void GameSharing::CopyId()
{
    window.StopBoard();
    if (const std::optional<GameId> id = GameId::Of(window.TheGame().View().puzzle))
        QGuiApplication::clipboard()->setText(id->ToString());
}

void GameSharing::CopyReplay()
{
    window.StopBoard();
    const Game& game = window.TheGame();
    if (!game.CanReplaySolve())
        return;
    const Puzzle& won = game.View().puzzle;
    QGuiApplication::clipboard()->setText(ReplayCode::Write(game.View().style,
                                                            won.history.start, won.history.Played(),
                                                            GameId::Of(won)));
}

void GameSharing::CopyResult()
{
    window.StopBoard();
    const Game& game = window.TheGame();
    const Puzzle& won = game.View().puzzle;
    if (won.state != Solved || !won.facts.daily.isValid())
        return;
    const GameResult result = game.ResultOfWin(QString());
    QGuiApplication::clipboard()->setText(DailyResultText(won.facts.daily, won.grid.Size(), won.moves,
                                                          result.par, result.milliseconds, result.assisted > 0));
}

void GameSharing::PasteId()
{
    window.StopBoard();
    const QString text = QGuiApplication::clipboard()->text();
    if (ReplayCode::LooksLikeOne(text)) {
        QString why;
        if (const std::optional<ReplayCode> code = ReplayCode::Read(text, &why))
            window.Commands().Replays().Start(code->start, code->steps, QString(), code->style.IsStrategy());
        else
            tell(why);
        return;
    }
    const std::optional<GameId> id = GameId::Parse(text);
    if (!id) {
        tell(tr("The clipboard holds no game ID. A game ID names a grid and a number, such as %1 or %2.")
                 .arg(QStringLiteral("Expert-2718281828"), QStringLiteral("5x7-2718281828")));
        return;
    }
    window.TheGame().StartNamed(*id);
}

void GameSharing::StartDaily()
{
    window.StopBoard();
    window.TheGame().StartDaily();
}

} // namespace tesselo
