#include "app/dialogs/c_records_dlg.h"
#include "model/game.h"
#include "records/result_json.h"
#include "services/records_keeper.h"
#include "support/temp_cwd.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QProgressBar>
#include <QSemaphore>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using namespace tesselo;
using namespace tesselo::testing;

namespace {

GameResult ProWin(int moves, int second)
{
    GameResult r;
    r.size = kPro;
    r.style = Style::Strategy;
    r.moves = moves;
    r.milliseconds = 1000 * moves;
    r.finished = QDateTime(QDate(2026, 5, 1), QTime(0, 0), Qt::UTC).addSecs(second);
    return r;
}

} // namespace

// The records open and import off the window's thread. The window hears how
// the import goes; a win made meanwhile waits, is written after it, and is
// judged against every imported win (before the import it would have been
// a best: the records were empty); the Records window shows the progress,
// then the records with that win among them.
TEST(RecordsKeeper, AWinMadeDuringTheImportIsWrittenAndJudgedAfterIt)
{
    TempCwd cwd;
    constexpr int kImported = 1000;
    QJsonArray results;
    for (int i = 0; i < kImported; ++i)
        results.append(ResultToJson(ProWin(20 + i % 50, i)));
    cwd.Text(Records::kJsonFileName, QJsonDocument(QJsonObject{{"version", 1}, {"results", results}}).toJson());

    RecordsKeeper keeper;
    std::vector<std::pair<int, int>> progress;
    std::vector<bool> verdicts;
    QObject::connect(&keeper, &RecordsKeeper::Importing, [&](int done, int total) { progress.emplace_back(done, total); });
    QObject::connect(&keeper, &RecordsKeeper::WinKept, [&](bool newBest) { verdicts.push_back(newBest); });
    CRecordsDlg dialog(keeper, kPro, Style::Strategy);
    EXPECT_FALSE(dialog.IsReady());
    EXPECT_FALSE(dialog.summary->isVisibleTo(&dialog));
    EXPECT_TRUE(dialog.progress->isVisibleTo(&dialog));
    keeper.Keep(ProWin(25, kImported));

    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.IsReady(); }, 20000));
    EXPECT_FALSE(dialog.progress->isVisibleTo(&dialog));
    EXPECT_TRUE(dialog.summary->isVisibleTo(&dialog));
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), std::make_pair(kImported, kImported));
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(dialog.progress->maximum(), kImported);
    EXPECT_EQ(verdicts, std::vector<bool>{false});
    const int row = dialog.summary->currentRow();
    EXPECT_EQ(dialog.summary->item(row, 4)->text(), QString::number(kImported + 1));
    EXPECT_EQ(keeper.Unwritten(), 0u);
    EXPECT_TRUE(QFile::exists(QStringLiteral("tesselo-records.json.imported")));
}

// The charts read on a connection and a thread of their own. The kind in
// play is read ahead once the records are open (they open at start when
// there are any), after each win of it and after each change of it, so a
// look at it reads nothing whole; another kind is read whole at its first
// look. A window read meanwhile never waits for a chart read in progress.
TEST(RecordsKeeper, TheChartsReadAheadAndNeverHoldTheWindow)
{
    TempCwd cwd;
    {
        Records records;
        std::vector<GameResult> wins;
        for (int i = 0; i < 30; ++i)
            wins.push_back(ProWin(20 + i % 9, i));
        GameResult speed = ProWin(40, 100);
        speed.size = kExpert;
        speed.style = Style::Speed;
        wins.push_back(speed);
        ASSERT_TRUE(records.AddAll(wins));
    }
    Game game;
    game.ChangeSize(kPro);
    game.SetStrategyStyle(true);
    RecordsKeeper keeper;
    keeper.Follow(game);
    ASSERT_TRUE(QTest::qWaitFor([&] { return keeper.IsIdle(); }, 20000)); // opened without a look

    // A look at a kind as the Progress tab makes it: the wins it found,
    // and whether it read every win of the kind to find them.
    const auto look = [&](GridSize size, Style style) {
        std::pair<std::size_t, bool> seen;
        bool done = false;
        QObject context;
        keeper.Read(
            [&](Records& from) {
                const int before = from.WholeReads();
                const auto series = from.ProgressOf(size, style, QDate::currentDate(), QTimeZone::systemTimeZone(),
                                                    QLocale().firstDayOfWeek());
                seen = {series ? series->wins.size() : 0, from.WholeReads() > before};
            },
            &context, [&] { done = true; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 20000));
        return seen;
    };
    EXPECT_EQ(look(kPro, Style::Strategy), std::make_pair(std::size_t(30), false));
    EXPECT_EQ(look(kExpert, Style::Speed), std::make_pair(std::size_t(1), true));

    bool kept = false;
    QObject::connect(&keeper, &RecordsKeeper::WinKept, [&] { kept = true; });
    keeper.Keep(ProWin(19, 200));
    ASSERT_TRUE(QTest::qWaitFor([&] { return kept && keeper.IsIdle(); }, 20000));
    EXPECT_EQ(look(kPro, Style::Strategy), std::make_pair(std::size_t(31), false));
    game.SetStrategyStyle(false);
    EXPECT_EQ(look(kPro, Style::Speed), std::make_pair(std::size_t(0), false));

    // A chart read held up: the window reads the records all the same. Were
    // it to wait, the read would give up first and say so.
    QSemaphore gate;
    bool gaveUp = false, done = false;
    QObject context;
    keeper.Read([&](Records&) { gaveUp = !gate.tryAcquire(1, 10000); }, &context, [&] { done = true; });
    keeper.WaitForWorker();
    EXPECT_EQ(keeper.Current().Summarize(kPro, Style::Strategy).won, 31);
    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 20000));
    EXPECT_FALSE(gaveUp);
}
