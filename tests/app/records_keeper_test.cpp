#include "app/c_records_dlg.h"
#include "app/records_keeper.h"
#include "support/temp_cwd.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProgressBar>
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
        results.append(ProWin(20 + i % 50, i).ToJson());
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
