#include "app/window/hint_presenter.h"
#include "app/window_fixture.h"
#include "model/game_id.h"
#include "model/game_setup.h"
#include "saved/history_file.h"
#include "support/temp_cwd.h"
#include "view/c_puzzle_image.h"

#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace tesselo;
using namespace tesselo::testing;

namespace {

bool MenuEntryEnabled(Window& w, const QString& text)
{
    const std::unique_ptr<QMenu> menu = w.dlg.MakeBoardMenu();
    for (const QAction* a : menu->actions())
        if (a->text() == text)
            return a->isEnabled();
    ADD_FAILURE() << "no entry " << text.toStdString();
    return false;
}

void Key(Window& w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    w.Key(key, modifiers);
}

} // namespace

// Ctrl+C in one folder, Ctrl+V in a fresh one: the same start, at the
// level the ID names, and the same ID to pass on.
TEST(GameSharing, AnIdCopiedInOneFolderStartsTheSameGameInAFreshOne)
{
    QString id;
    std::vector<int> start;
    {
        TempCwd cwd;
        Window w;
        w.game.ChangeSize({3, 4});
        EXPECT_FALSE(MenuEntryEnabled(w, "Copy Game ID")) << "no game, no ID";
        w.dlg.OnBnClickedNewGame();
        start = w.Homes();
        Key(w, Qt::Key_Right);
        EXPECT_TRUE(MenuEntryEnabled(w, "Copy Game ID"));
        Key(w, Qt::Key_C, Qt::ControlModifier);
        id = QGuiApplication::clipboard()->text();
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^Expert-[0-9]+$")).match(id).hasMatch()) << id.toStdString();
    }
    TempCwd fresh;
    Window w;
    ASSERT_EQ(w.game.View().puzzle.grid.rowCount, 2);
    Key(w, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(w.game.View().puzzle.state, Playing);
    EXPECT_EQ(w.game.View().puzzle.grid.rowCount, 3);
    EXPECT_EQ(w.game.View().puzzle.grid.columnCount, 4);
    EXPECT_EQ(w.Homes(), start);
    QGuiApplication::clipboard()->clear();
    Key(w, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), id);
}

// Anything but an ID on the clipboard: one short message, and the game in
// play goes on untouched.
TEST(GameSharing, AnythingButAnIdChangesNothing)
{
    TempCwd cwd;
    Window w;
    std::vector<QString> told;
    w.dlg.Sharing().tell = [&](const QString& text) { told.push_back(text); };
    w.dlg.OnBnClickedNewGame();
    Key(w, Qt::Key_Right);
    const auto played = w.Homes();
    for (const char* text : {"", "Expert 12", "Expert-99999999999", "https://example.org/Expert-12"}) {
        QGuiApplication::clipboard()->setText(QString::fromLatin1(text));
        Key(w, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(w.Homes(), played) << text;
        EXPECT_EQ(w.game.View().puzzle.moves, 1) << text;
        EXPECT_TRUE(w.game.CanUndo()) << text;
    }
    EXPECT_EQ(told.size(), 4u);
}

// A game resumed from a save whose history is gone has no ID: the menu
// entry is greyed and Ctrl+C leaves the clipboard alone.
TEST(GameSharing, AGameResumedWithoutItsHistoryHasNoId)
{
    TempCwd cwd;
    {
        Game g;
        g.NewGame();
        ASSERT_TRUE(SaveGame(g));
    }
    ASSERT_TRUE(QFile::remove(QString::fromLatin1(HistoryFile::kFileName)));
    Window w;
    ASSERT_EQ(w.game.View().puzzle.state, Playing);
    EXPECT_FALSE(MenuEntryEnabled(w, "Copy Game ID"));
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    Key(w, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
}

// P covers a "Speed" board and stands its time; arrows and drags do
// nothing; a click on the board goes on and moves nothing. Minimised or
// hidden, the window pauses the game by itself. In "Strategy" P does
// nothing.
TEST(PauseKeeper, PausesOnPOnMinimiseOrHideAndGoesOnAtPOrAClick)
{
    const std::pair<const char*, std::function<void(Window&)>> ways[] = {
        {"P", [](Window& w) { Key(w, Qt::Key_P); }},
        {"minimised", [](Window& w) { w.dlg.showMinimized(); }},
        {"hidden", [](Window& w) { w.dlg.hide(); }},
    };
    for (const auto& [name, pause] : ways) {
        SCOPED_TRACE(name);
        TempCwd cwd;
        Window w;
        w.game.SetStrategyStyle(false);
        w.dlg.OnBnClickedNewGame();
        Key(w, Qt::Key_Left);
        pause(w);
        QCoreApplication::processEvents();
        ASSERT_TRUE(w.game.IsPaused());
        EXPECT_FALSE(w.game.ClockTicks());
        w.dlg.showNormal();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.dlg));
        const auto before = w.Homes();
        Key(w, Qt::Key_Right);
        Key(w, Qt::Key_Z, Qt::ControlModifier);
        Key(w, Qt::Key_H);
        EXPECT_FALSE(w.dlg.Board().Hint());
        Key(w, Qt::Key_H, Qt::ShiftModifier);
        QTest::qWait(2 * PlanKeeper::kSolveStepMs);
        EXPECT_EQ(w.Homes(), before);
        EXPECT_EQ(w.game.View().puzzle.facts.assisted, 0);
        EXPECT_TRUE(w.game.IsPaused());
        if (name == std::string("P"))
            Key(w, Qt::Key_P);
        else // its press goes on, and the rest of the drag moves nothing
            w.Drag(QPoint(30, w.dlg.BarHeight() + 30), QPoint(200, w.dlg.BarHeight() + 30));
        EXPECT_FALSE(w.game.IsPaused());
        EXPECT_EQ(w.Homes(), before);
        Key(w, Qt::Key_Right);
        EXPECT_NE(w.Homes(), before);
    }
    TempCwd cwd;
    Window w;
    w.dlg.OnBnClickedNewGame();
    EXPECT_FALSE(MenuEntryEnabled(w, "Pause"));
    Key(w, Qt::Key_P);
    w.dlg.showMinimized();
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.game.IsPaused());
}
