#include "records/records.h"
#include "services/records_keeper.h"
#include "support/temp_cwd.h"

#include <QTest>

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace tesselo;
using tesselo::testing::TempCwd;

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

// While another connection holds the records' write lock, a win is in the
// pending file long before the database gives up waiting for the lock (the
// moment a kill would otherwise lose it), and goes into the database once,
// and out of the pending file, when the lock is gone.
TEST(RecordsKeeper, AWinIsFiledBeforeAnyWaitOnTheDatabase)
{
    TempCwd cwd;
    {
        Records first;
        ASSERT_TRUE(first.Add(ProWin(30, 0)));
    }
    RecordsKeeper keeper;
    ASSERT_TRUE(QTest::qWaitFor([&] { return keeper.IsIdle(); }, 5000));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(Records::kFileName, &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

    keeper.Keep(ProWin(25, 1));
    const PendingWins pending(PendingWins::Beside(QString::fromLatin1(Records::kFileName)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return pending.Read().size() == 1; }, Records::kBusyTimeoutMs / 3));

    ASSERT_EQ(sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
    ASSERT_TRUE(QTest::qWaitFor([&] { return keeper.IsIdle(); }, 4 * Records::kBusyTimeoutMs));
    EXPECT_EQ(keeper.Unwritten(), 0u);
    EXPECT_TRUE(pending.Read().empty());
    EXPECT_FALSE(QFile::exists(pending.Path()));
    EXPECT_EQ(keeper.Current().CountAll(), 2);
}
