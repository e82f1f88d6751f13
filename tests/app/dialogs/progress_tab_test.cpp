#include "app/dialogs/c_records_dlg.h"
#include "app/dialogs/kind_wins_page.h"
#include "charts/progress_panel.h"
#include "charts/trend_chart.h"
#include "services/records_keeper.h"
#include "support/temp_cwd.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace tesselo;
using namespace tesselo::testing;

namespace {

GameResult Win(Style style, int moves, int hour, bool withMoves, GridSize size = kExpert)
{
    GameResult r;
    r.size = size;
    r.style = style;
    r.moves = moves;
    r.milliseconds = 1000 * moves;
    r.finished = QDateTime(QDate(2026, 4, 1), QTime(0, 0), Qt::UTC).addSecs(3600LL * hour);
    if (withMoves) {
        r.start.Resize(size.rows, size.columns);
        r.start.Apply(Move{MoveAxis::Row, 0, 1});
        r.steps = {HistoryStep{Move{MoveAxis::Row, 0, -1}, {0, 1}, {0, 0}}};
    }
    return r;
}

} // namespace

// The Progress tab sits between the wins of the kind and the daily
// puzzles, Ctrl+Tab away from the first; it reads every win of the kind on
// the records' worker, follows the kind chosen above it, and a click on a
// dot kept with its moves replays that win as the table's Replay does.
TEST(ProgressTab, ChartsTheChosenKindReadOnTheWorkerAndReplaysAClickedWin)
{
    TempCwd cwd;
    {
        Records records;
        std::vector<GameResult> wins;
        for (int i = 0; i < 20; ++i)
            wins.push_back(Win(Style::Strategy, 30 + i % 7, 5 * i, i == 4));
        wins.push_back(Win(Style::Speed, 40, 3, false));
        // A size no level has, won last.
        for (int i = 0; i < 3; ++i)
            wins.push_back(Win(Style::Strategy, 3 + i, 200 + i, false, {2, 2}));
        ASSERT_TRUE(records.AddAll(wins));
    }
    RecordsKeeper keeper;
    CRecordsDlg dialog(keeper, kExpert, Style::Strategy);
    std::optional<GameResult> chosen;
    QObject::connect(&dialog, &CRecordsDlg::ReplayChosen, [&](const GameResult& win) { chosen = win; });
    dialog.resize(900, 800);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.IsReady(); }, 20000));
    QStringList tabs;
    for (int i = 0; i < dialog.lists->count(); ++i)
        tabs << dialog.lists->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"Grid and Style", "Progress", "Daily Puzzles"}));
    // Nothing is read for the charts until they are on show.
    EXPECT_FALSE(dialog.progressTab->Series());

    dialog.kindPage->wins->setFocus();
    QTest::keyClick(dialog.kindPage->wins, Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_EQ(dialog.lists->currentWidget(), dialog.progressTab);
    EXPECT_FALSE(dialog.replayButton->isEnabled()); // a click on a dot replays here
    // The read is the worker's: its answer comes through the event loop.
    EXPECT_FALSE(dialog.progressTab->Series());
    EXPECT_EQ(dialog.progressTab->note->text(), "Reading the wins…");
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.progressTab->Series() != nullptr; }, 20000));
    const ProgressSeries& strategy = *dialog.progressTab->Series();
    EXPECT_EQ(strategy.size, kExpert);
    EXPECT_EQ(strategy.style, Style::Strategy);
    ASSERT_EQ(strategy.wins.size(), 20u);
    EXPECT_FALSE(dialog.progressTab->showRate->isVisibleTo(&dialog));
    EXPECT_GE(strategy.queryMs, 0);

    // Another kind while the tab is on show: read again. The table's own
    // reads wait for the worker meanwhile.
    dialog.SelectKind(kExpert, Style::Speed);
    dialog.Refresh();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.progressTab->Series()->style == Style::Speed; }, 20000));
    EXPECT_EQ(dialog.progressTab->Series()->wins.size(), 1u);
    EXPECT_TRUE(dialog.progressTab->showRate->isVisibleTo(&dialog));
    dialog.SelectKind(kExpert, Style::Strategy);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.progressTab->Series()->style == Style::Strategy; }, 20000));

    // Another size in the grid chooser, as the player picks it: its own
    // wins, in the style chosen; then back to the level.
    const auto chooseSize = [&](GridSize size) {
        const int at = dialog.sizes->findData(QString::fromStdString(size.Name()));
        ASSERT_GE(at, 0) << size.Name();
        dialog.sizes->setCurrentIndex(at);
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.progressTab->Series()->size == size; }, 20000)) << size.Name();
    };
    chooseSize({2, 2});
    EXPECT_EQ(dialog.progressTab->Series()->style, Style::Strategy);
    ASSERT_EQ(dialog.progressTab->Series()->wins.size(), 3u);
    EXPECT_EQ(dialog.progressTab->Series()->wins.front().moves, 3);
    chooseSize(kExpert);
    EXPECT_EQ(dialog.progressTab->Series()->wins.size(), 20u);

    TrendChart* trend = dialog.progressTab->trend;
    ASSERT_TRUE(QTest::qWaitFor([&] { return trend->isVisible() && trend->PlotArea().width() > 100; }, 5000));
    // A win kept without its moves: nothing. The fifth: replayed.
    QTest::mouseClick(trend, Qt::LeftButton, {}, trend->PointOf(3).toPoint());
    EXPECT_FALSE(chosen);
    QTest::mouseClick(trend, Qt::LeftButton, {}, trend->PointOf(4).toPoint());
    ASSERT_TRUE(chosen);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(chosen->moves, 34);
    EXPECT_EQ(chosen->steps.size(), 1u);
}
