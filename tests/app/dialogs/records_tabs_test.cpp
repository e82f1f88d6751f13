#include "app/dialogs/c_records_dlg.h"
#include "app/dialogs/daily_wins_page.h"
#include "app/dialogs/kind_wins_page.h"
#include "charts/progress_panel.h"
#include "support/temp_cwd.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace tesselo;
using namespace tesselo::testing;

namespace {

GameResult Win(QDateTime finished)
{
    GameResult r;
    r.size = kExpert;
    r.style = Style::Strategy;
    r.moves = 40;
    r.milliseconds = 40000;
    r.finished = finished;
    return r;
}

} // namespace

// Ctrl+Tab and Ctrl+Page Down turn to the next tab, Ctrl+Shift+Tab (which
// X sends as Backtab) and Ctrl+Page Up to the one before, round at the
// ends, one tab a press, wherever the focus is in the window: where the
// window puts it, the summary, the grid chooser, or a list within a tab.
TEST(RecordsTabs, TheKeysTurnTheTabsWhereverTheFocusIs)
{
    TempCwd cwd;
    Records records;
    ASSERT_TRUE(records.Add(Win(QDateTime(QDate(2026, 3, 14), QTime(9, 0), Qt::UTC))));
    CRecordsDlg dialog(records, kExpert, Style::Strategy);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QWidget* first = QApplication::focusWidget(); // where the window puts the focus
    ASSERT_TRUE(first && dialog.isAncestorOf(first));

    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int by;
    } keys[] = {{Qt::Key_Tab, Qt::ControlModifier, 1},
                {Qt::Key_PageDown, Qt::ControlModifier, 1},
                {Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, -1},
                {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, -1},
                {Qt::Key_PageUp, Qt::ControlModifier, -1}};
    const struct {
        QWidget* focus;
        int tab; // the tab on show as the key is pressed
    } places[] = {{first, 0}, {dialog.summary, 0}, {dialog.summary, 2}, {dialog.sizes, 1}, {dialog.kindPage->wins, 0},
                  {dialog.dailyPage->daily, 2}};
    for (const auto& place : places)
        for (const auto& k : keys) {
            dialog.lists->setCurrentIndex(place.tab);
            place.focus->setFocus();
            ASSERT_EQ(QApplication::focusWidget(), place.focus);
            QTest::keyClick(place.focus, k.key, k.modifiers);
            EXPECT_EQ(dialog.lists->currentIndex(), (place.tab + k.by + 3) % 3)
                << place.focus->metaObject()->className() << " on tab " << place.tab << ", "
                << QKeySequence(k.key | k.modifiers).toString().toStdString();
        }
}

// The window counts its days by the clock it is handed: the daily
// puzzles' streak ends on the UTC date, the charts' days on the player's
// own date, a day behind it in New York after midnight UTC.
TEST(RecordsTabs, TheDaysAreTheClocksAndTheChartsAreLocal)
{
    TempCwd cwd;
    Records records;
    GameResult daily = Win(QDateTime(QDate(2026, 4, 1), QTime(20, 0), Qt::UTC));
    daily.daily = QDate(2026, 4, 1);
    ASSERT_TRUE(records.Add(daily));
    const QDateTime now(QDate(2026, 4, 2), QTime(1, 0), Qt::UTC);
    CRecordsDlg dialog(records, kExpert, Style::Strategy,
                       DayClock([&] { return FileTimeOf(now); }, QTimeZone(QByteArrayLiteral("America/New_York"))));
    // Won yesterday, UTC: today's puzzle, still to be won, breaks nothing.
    EXPECT_EQ(dialog.dailyPage->streakLabel->text(), "Current streak (days): 1");
    dialog.lists->setCurrentWidget(dialog.progressTab);
    ASSERT_TRUE(dialog.progressTab->Series());
    const Activity& days = dialog.progressTab->Series()->activity;
    ASSERT_FALSE(days.wins.empty());
    EXPECT_EQ(days.firstDay.addDays(qint64(days.wins.size()) - 1), QDate(2026, 4, 1));
    EXPECT_EQ(days.wins.back(), 1); // the win at 4 pm in New York
    EXPECT_EQ(days.streak, 1);
}
