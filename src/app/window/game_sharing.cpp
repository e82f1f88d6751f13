#include "app/window/game_sharing.h"

#include "app/window/board_actions.h"
#include "app/window/c_tesselo_dlg.h"
#include "model/game.h"
#include "model/game_id.h"

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
    actions.Add(BoardAction{tr("Paste Game ID"), {QKeySequence(Qt::CTRL | Qt::Key_V)}, {}, [this] { PasteId(); }});
    actions.Add(BoardAction{tr("Daily Puzzle"), {QKeySequence(Qt::CTRL | Qt::Key_D)}, {}, [this] { StartDaily(); }});
}

void GameSharing::CopyId()
{
    window.StopBoard();
    if (const std::optional<GameId> id = GameId::Of(window.TheGame().View().puzzle))
        QGuiApplication::clipboard()->setText(id->ToString());
}

void GameSharing::PasteId()
{
    window.StopBoard();
    const std::optional<GameId> id = GameId::Parse(QGuiApplication::clipboard()->text());
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
