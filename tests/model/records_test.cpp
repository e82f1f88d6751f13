#include "model/records.h"
#include "support/temp_cwd.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tesselo;
using tesselo::testing::TempCwd;

namespace {

GameResult Win(const char* level, const char* style, int moves, qint64 ms, int minute = 0)
{
    GameResult r;
    r.level = QString::fromLatin1(level);
    r.style = QString::fromLatin1(style);
    r.moves = moves;
    r.milliseconds = ms;
    r.finished = QDateTime(QDate(2026, 12, 8), QTime(10, minute), Qt::UTC);
    r.picture = QStringLiteral("harbour.jpg");
    r.start.Resize(2, 3);
    r.start.Apply(Move{MoveAxis::Row, 0, 1});
    r.steps = {HistoryStep{Move{MoveAxis::Row, 0, -1}, {0, 1}, {0, 0}}};
    return r;
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList AsideFiles()
{
    return QDir(".").entryList({QStringLiteral("tesselo-records.json.*")}, QDir::Files);
}

} // namespace

TEST(Records, KeepsEveryWinAndSumsUpEachLevelAndStyle)
{
    TempCwd cwd;
    Records records;
    ASSERT_TRUE(records.Load());
    EXPECT_TRUE(records.IsNewBest(Win("Pro", "Speed", 30, 9000))); // the first win of a kind is a best
    const int times[] = {9000, 7000, 8000, 20000, 6000, 7500};
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(records.Add(Win("Pro", "Speed", 30 + i, times[i], i)));
    ASSERT_TRUE(records.Add(Win("Pro", "Strategy", 12, 99999)));

    Records reread;
    ASSERT_TRUE(reread.Load());
    const Records::Summary speed = reread.Summarize("Pro", "Speed");
    EXPECT_EQ(speed.won, 6);
    ASSERT_TRUE(speed.best);
    EXPECT_EQ(speed.best->milliseconds, 6000);
    // The last five are 7000 8000 20000 6000 7500; without the best and
    // the worst: (7000 + 8000 + 7500) / 3.
    ASSERT_TRUE(speed.averageOf5);
    EXPECT_DOUBLE_EQ(*speed.averageOf5, 7500.0);
    EXPECT_FALSE(speed.averageOf12);
    EXPECT_EQ(reread.Summarize("Pro", "Strategy").best->moves, 12);
    EXPECT_EQ(reread.Summarize("Genius", "Speed").won, 0);
    // Fewer moves beats a "Strategy" best; a tie does not.
    EXPECT_TRUE(reread.IsNewBest(Win("Pro", "Strategy", 11, 1)));
    EXPECT_FALSE(reread.IsNewBest(Win("Pro", "Strategy", 12, 1)));
    EXPECT_FALSE(reread.IsNewBest(Win("Pro", "Speed", 1, 6000)));

    // The replay's part comes back whole.
    const GameResult back = reread.Results("Pro", "Strategy").front();
    EXPECT_TRUE(back.start.SameCells(Win("Pro", "Strategy", 0, 0).start));
    EXPECT_EQ(back.steps, Win("Pro", "Strategy", 0, 0).steps);
    EXPECT_EQ(back.picture, "harbour.jpg");
    EXPECT_EQ(back.finished, QDateTime(QDate(2026, 12, 8), QTime(10, 0), Qt::UTC));
}

TEST(Records, ADamagedFileIsSetAsideAndANewOneBegun)
{
    for (const QByteArray& damage : {QByteArray("not json at all"), QByteArray("{\"version\": 2, \"results\": []}"),
                                     QByteArray("{\"version\": 1, \"results\": {}}"), QByteArray("[1, 2]")}) {
        TempCwd cwd;
        cwd.Text(Records::kFileName, damage);
        Records records;
        QString aside;
        EXPECT_TRUE(records.Load(&aside));
        ASSERT_EQ(AsideFiles().size(), 1) << damage.constData();
        EXPECT_EQ(aside, "tesselo-records.json.damaged");
        EXPECT_EQ(ReadAll(aside), damage);
        ASSERT_TRUE(records.Add(Win("Novice", "Strategy", 5, 100)));
        Records reread;
        ASSERT_TRUE(reread.Load());
        EXPECT_EQ(reread.Summarize("Novice", "Strategy").won, 1);
        EXPECT_EQ(ReadAll(aside), damage);
    }

    // Clearing asks the same: the old file is kept under another name.
    TempCwd cwd;
    Records records;
    ASSERT_TRUE(records.Add(Win("Novice", "Strategy", 5, 100)));
    const QByteArray before = ReadAll(Records::kFileName);
    QString aside;
    ASSERT_TRUE(records.Clear(&aside));
    EXPECT_EQ(aside, "tesselo-records.json.cleared");
    EXPECT_EQ(ReadAll(aside), before);
    EXPECT_EQ(records.Summarize("Novice", "Strategy").won, 0);
}

TEST(Records, UnknownFieldsAreKeptAndBadResultsIgnoredForTheBests)
{
    TempCwd cwd;
    QJsonObject extra = Records::ToJson(Win("Expert", "Speed", 40, 5000));
    extra["mood"] = QStringLiteral("elated");
    QJsonObject negative = Records::ToJson(Win("Expert", "Speed", -3, 1000));
    QJsonObject unknown = Records::ToJson(Win("Expert", "Speed", 3, 10));
    unknown["level"] = QStringLiteral("Legend");
    const QJsonArray results{extra, negative, unknown, 17};
    cwd.Text(Records::kFileName,
             QJsonDocument(QJsonObject{{"version", 1}, {"results", results}, {"by", "a newer game"}}).toJson());

    Records records;
    ASSERT_TRUE(records.Load());
    const Records::Summary s = records.Summarize("Expert", "Speed");
    EXPECT_EQ(s.won, 1);
    EXPECT_EQ(s.best->milliseconds, 5000);
    ASSERT_TRUE(records.Add(Win("Expert", "Speed", 35, 4000)));

    const QJsonObject written = QJsonDocument::fromJson(ReadAll(Records::kFileName)).object();
    EXPECT_EQ(written["by"].toString(), "a newer game");
    const QJsonArray kept = written["results"].toArray();
    ASSERT_EQ(kept.size(), 5);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(kept[i], results[i]) << i;
    EXPECT_TRUE(AsideFiles().isEmpty());
}

TEST(Records, AWriteThatFailsLeavesTheOldFileWhole)
{
    TempCwd cwd;
    {
        Records records;
        ASSERT_TRUE(records.Add(Win("Genius", "Speed", 80, 60000)));
    }
    const QByteArray before = ReadAll(Records::kFileName);
    // A child whose files may not grow past a few hundred bytes: its write
    // of the records fails part way, as on a full disk.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{200, 200};
        setrlimit(RLIMIT_FSIZE, &small);
        Records records;
        QString error;
        const bool added = records.Add(Win("Genius", "Speed", 70, 50000), &error);
        _exit(!added && !error.isEmpty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadAll(Records::kFileName), before);
    EXPECT_EQ(QDir(".").entryList(QDir::Files).size(), 1); // no side file left behind
}
