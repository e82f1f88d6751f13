#include "app/dialogs/c_help_dlg.h"
#include "app/dialogs/c_option_dlg.h"
#include "app/dialogs/c_records_dlg.h"
#include "app/dialogs/c_splash_dlg.h"
#include "app/window_fixture.h"
#include "model/game_setup.h"
#include "support/temp_cwd.h"
#include "view/board_accessible.h"
#include "view/c_puzzle_image.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

using namespace tesselo;
using namespace tesselo::testing;

namespace {

// Every cell's name, along the rows, as a screen reader finds them.
QStringList Names(QAccessibleTableInterface* table)
{
    QStringList names;
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c)
            names << table->cellAt(r, c)->text(QAccessible::Name);
    return names;
}

} // namespace

// The board is a table to assistive technology: a cell a place, named by
// the number of the tile it holds and described by where it belongs; a
// move renames the cells of its line, the selected cell is the focused
// one, and the counter is one labelled value.
TEST(Accessibility, TheBoardReadsAsATableOfTileNumbers)
{
    TempCwd cwd;
    Window w;
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(&w.dlg.Board());
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->role(), QAccessible::Table);
    EXPECT_FALSE(board->text(QAccessible::Name).isEmpty());
    QAccessibleTableInterface* table = board->tableInterface();
    ASSERT_NE(table, nullptr);

    w.game.ChangeSize(kExpert);
    ASSERT_EQ(table->rowCount(), 3);
    ASSERT_EQ(table->columnCount(), 4);
    EXPECT_EQ(board->childCount(), 12);
    EXPECT_EQ(Names(table), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}));
    EXPECT_EQ(table->cellAt(1, 2)->text(QAccessible::Description), "belongs at row 2, column 3");
    EXPECT_EQ(table->cellAt(3, 0), nullptr);

    w.dlg.OnBnClickedNewGame();
    GameSetup(w.game).grid.Resize(3, 4); // whole again, in play
    GameSetup(w.game).grid.Select({1, 0});
    w.game.ShiftRowRight(); // row 2 one cell right: 8 5 6 7
    EXPECT_EQ(Names(table), (QStringList{"1", "2", "3", "4", "8", "5", "6", "7", "9", "10", "11", "12"}));
    EXPECT_EQ(table->cellAt(1, 0)->text(QAccessible::Description), "belongs at row 2, column 4");
    const QAccessibleInterface* focused = board->focusChild();
    ASSERT_NE(focused, nullptr);
    const Selection at = w.game.View().puzzle.grid.Selected();
    EXPECT_EQ(board->indexOfChild(focused), at.row * 4 + at.column);
    EXPECT_TRUE(const_cast<QAccessibleInterface*>(focused)->state().selected);
    EXPECT_EQ(table->selectedCellCount(), 1);
    EXPECT_EQ(w.dlg.Bar().counterValue->accessibleName(), "Moves: 1");

    // A grid of another size is a table of that size.
    w.game.ChangeSize({5, 7});
    EXPECT_EQ(table->rowCount(), 5);
    EXPECT_EQ(Names(table).size(), 35);
    EXPECT_EQ(Names(table).last(), "35");
}

// The board holds the keyboard focus, and hands it to the selected cell:
// Shift and an arrow move the focused cell while (and only while) the board
// holds the focus, and the keys still reach the window's game. (The focus
// events themselves reach AT-SPI only where a screen reader listens:
// e2e.screen_reader hears them.)
TEST(Accessibility, TheBoardHoldsTheFocusAndTheSelectedCellFollowsShiftAndArrows)
{
    TempCwd cwd;
    Window w;
    w.dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.dlg));
    CPuzzleImage& board = w.dlg.Board();
    EXPECT_EQ(QApplication::focusWidget(), &board);
    // A click on the window (on its counter, which takes no focus) leaves
    // the focus on the board.
    QTest::mouseClick(&w.dlg, Qt::LeftButton, {}, QPoint(w.dlg.width() / 2, w.dlg.BarHeight() / 2));
    EXPECT_EQ(QApplication::focusWidget(), &board);

    w.dlg.OnBnClickedNewGame();
    GameSetup(w.game).grid.Resize(3, 4);
    GameSetup(w.game).grid.Select({0, 1});
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&board);
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->state().focused);
    const auto homes = w.Homes();
    const struct {
        Qt::Key key;
        Selection to;
    } steps[] = {
        {Qt::Key_Down, {1, 1}}, {Qt::Key_Right, {1, 2}}, {Qt::Key_Down, {2, 2}},
        {Qt::Key_Down, {0, 2}}, // around the edge, as the frame goes
        {Qt::Key_Left, {0, 1}}, {Qt::Key_Up, {2, 1}},
    };
    for (const auto& step : steps) {
        const Selection from = w.game.View().puzzle.grid.Selected();
        w.Key(step.key, Qt::ShiftModifier);
        ASSERT_EQ(w.game.View().puzzle.grid.Selected(), step.to) << step.key;
        QAccessibleInterface* focused = FocusedCell(&board);
        ASSERT_NE(focused, nullptr) << step.key;
        EXPECT_EQ(focused, table->focusChild());
        EXPECT_EQ(table->indexOfChild(focused), step.to.row * 4 + step.to.column) << step.key;
        EXPECT_TRUE(focused->state().focused) << step.key;
        EXPECT_FALSE(table->tableInterface()->cellAt(from.row, from.column)->state().focused) << step.key;
    }
    EXPECT_EQ(w.Homes(), homes) << "Shift and an arrow moved tiles";
    // Plain arrows still slide.
    w.Key(Qt::Key_Right);
    EXPECT_NE(w.Homes(), homes);

    // Without the focus the board hands none on; given it back, it does.
    board.clearFocus();
    EXPECT_FALSE(table->state().focused);
    EXPECT_EQ(FocusedCell(&board), nullptr);
    EXPECT_FALSE(table->focusChild()->state().focused);
    w.dlg.setFocus();
    EXPECT_EQ(QApplication::focusWidget(), &board);
    ASSERT_NE(FocusedCell(&board), nullptr);
    EXPECT_TRUE(FocusedCell(&board)->state().focused);
}

// A win and a pause are said as a status whose name changes: never only a
// change of colour or picture.
TEST(Accessibility, AWinAndAPauseAreSaid)
{
    TempCwd cwd;
    Window w;
    w.dlg.OnBnClickedNewGame();
    GameSetup(w.game).grid.Resize(2, 3);
    GameSetup(w.game).grid.Select({1, 0});
    GameSetup(w.game).grid.ShiftRow(1);
    w.game.ShiftRowLeft();
    ASSERT_EQ(w.game.View().puzzle.state, Solved);
    EXPECT_TRUE(w.dlg.Bar().status->accessibleName().contains("Solved"))
        << w.dlg.Bar().status->accessibleName().toStdString();
    // A notification, said as it shows wherever the focus is.
    QAccessibleInterface* status = QAccessible::queryAccessibleInterface(w.dlg.Bar().status);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->role(), QAccessible::Notification);
    EXPECT_EQ(status->text(QAccessible::Name), w.dlg.Bar().status->accessibleName());
    EXPECT_TRUE(w.dlg.Bar().status->isVisible());
    w.game.SetStrategyStyle(false);
    w.dlg.OnBnClickedNewGame();
    ASSERT_TRUE(w.game.SetPaused(true));
    EXPECT_EQ(w.dlg.Bar().status->accessibleName(), "Paused");
    ASSERT_TRUE(w.game.SetPaused(false));
    EXPECT_EQ(w.dlg.Bar().status->accessibleName(), "Resumed");
}

namespace {

// The controls of `window` a screen reader would reach without a name.
QStringList Nameless(QWidget* window)
{
    QStringList nameless;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || (w->focusPolicy() == Qt::NoFocus && !qobject_cast<QAbstractButton*>(w)))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->role() == QAccessible::Client || a->role() == QAccessible::Pane ||
            a->role() == QAccessible::ScrollBar || a->role() == QAccessible::Separator)
            continue;
        if (a->text(QAccessible::Name).trimmed().isEmpty())
            nameless << QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
    }
    return nameless;
}

} // namespace

// Every control a player reaches by keyboard in the opening window, the
// main window, Options, Help and the Records window has a name a screen
// reader can say.
TEST(Accessibility, EveryControlHasAName)
{
    TempCwd cwd;
    CSplashDlg splash;
    splash.show();
    EXPECT_EQ(Nameless(&splash), QStringList()) << "opening window";
    Window w;
    EXPECT_EQ(Nameless(&w.dlg), QStringList()) << "main window";
    COptionDlg options(&w.dlg);
    options.Preset(w.dlg.Options().Shown());
    options.show();
    EXPECT_EQ(Nameless(&options), QStringList()) << "Options";
    CHelpDlg help(&w.dlg);
    help.show();
    EXPECT_EQ(Nameless(&help), QStringList()) << "Help";
    Records records;
    CRecordsDlg kept(records, kNovice, Style::Strategy);
    kept.show();
    EXPECT_EQ(Nameless(&kept), QStringList()) << "Records";
}
