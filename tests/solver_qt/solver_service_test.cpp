#include "solver/slide_set.h"
#include "solver_qt/solver_service.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tesselo;
using solver::Position;

namespace {

// Stands in for the large tables: the quick phases, built in a blink.
std::unique_ptr<solver::PhaseTables> SmallTables()
{
    return solver::PhaseTables::Quick();
}

SolverService::Options Options(const QString& folder, std::uint64_t step = 1'000'000)
{
    return SolverService::Options{folder, &SmallTables, step};
}

Position Scrambled(int rows, int columns, std::initializer_list<int> slides)
{
    const solver::SlideSet& set = solver::SlideSet::For(rows, columns);
    Position p = Position::Solved(rows, columns);
    for (const int m : slides)
        p.Apply(set.At(m));
    return p;
}

bool Solves(Position p, const solver::Plan& plan)
{
    for (const auto& slide : plan.slides)
        p.Apply(slide);
    return p.IsSolved();
}

} // namespace

TEST(SolverService, OnlyTheLatestRequestIsAnswered)
{
    QTemporaryDir cache;
    SolverService service(Options(cache.path()));
    QSignalSpy answers(&service, &SolverService::PlanReady);
    // The farthest 3 x 4 position takes seconds: it is given up for the
    // next request, whose answer comes alone.
    const Position mirrored = *Position::FromHomes(3, 4, std::vector<int>{3, 2, 1, 0, 7, 6, 5, 4, 11, 10, 9, 8});
    const Position near = Scrambled(2, 3, {0, 5});
    service.Request(mirrored, 1);
    service.Request(near, 2);
    ASSERT_TRUE(answers.wait(20000));
    QTest::qWait(300);
    ASSERT_EQ(answers.size(), 1);
    EXPECT_EQ(answers[0][0].value<quint64>(), 2u);
    const auto plan = answers[0][1].value<solver::Plan>();
    EXPECT_TRUE(plan.optimal);
    EXPECT_TRUE(Solves(near, plan));

    // An answer made stale by Cancel is dropped too.
    service.Request(near, 3);
    service.Cancel();
    QTest::qWait(300);
    EXPECT_EQ(answers.size(), 1);
}

TEST(SolverService, BuildsKeepsAndRereadsTheLargeTables)
{
    QTemporaryDir cache;
    const QString file = cache.path() + QLatin1Char('/') + SolverWorker::CacheFileName();
    const Position board = Scrambled(4, 6, {3, 20, 33});
    {
        // Small steps, so that a request finds the building under way and
        // is answered from the quick tables in between.
        SolverService service(Options(cache.path(), 20'000));
        QSignalSpy answers(&service, &SolverService::PlanReady);
        QSignalSpy ready(&service, &SolverService::LargeTablesReady);
        service.Request(board, 7);
        ASSERT_TRUE(answers.wait(20000));
        EXPECT_FALSE(answers[0][2].toBool());
        EXPECT_TRUE(ready.isEmpty());
        ASSERT_TRUE(ready.wait(60000));
        EXPECT_FALSE(ready[0][0].toBool());
        EXPECT_TRUE(service.HasLargeTables());
        service.Request(board, 8);
        ASSERT_TRUE(answers.wait(20000));
        EXPECT_TRUE(answers[1][2].toBool());
        EXPECT_TRUE(Solves(board, answers[1][1].value<solver::Plan>()));
    }
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ(QFile(file).size(), qint64(SmallTables()->SavedSize()));

    SolverService again(Options(cache.path()));
    QSignalSpy ready(&again, &SolverService::LargeTablesReady);
    again.StartLargeTables();
    ASSERT_TRUE(ready.wait(20000));
    EXPECT_TRUE(ready[0][0].toBool());
}

TEST(SolverService, DamagedKeptTablesAreSetAsideAndBuiltAgain)
{
    QTemporaryDir cache;
    const QString file = cache.path() + QLatin1Char('/') + SolverWorker::CacheFileName();
    auto tables = SmallTables();
    tables->Build();
    std::vector<std::uint8_t> bytes = tables->Save();
    bytes[bytes.size() / 2] ^= 1;
    const QByteArray damaged(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(damaged), damaged.size());
    }
    SolverService service(Options(cache.path()));
    QSignalSpy ready(&service, &SolverService::LargeTablesReady);
    service.StartLargeTables();
    ASSERT_TRUE(ready.wait(60000));
    EXPECT_FALSE(ready[0][0].toBool());

    QFile aside(file + QStringLiteral(".damaged"));
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), damaged);
    QFile rebuilt(file);
    ASSERT_TRUE(rebuilt.open(QIODevice::ReadOnly));
    const QByteArray sound = rebuilt.readAll();
    auto check = SmallTables();
    EXPECT_TRUE(check->Load(std::span(reinterpret_cast<const std::uint8_t*>(sound.constData()), std::size_t(sound.size()))));
}

// The large tables wait for the first 4 x 6 request; the exact rest of a
// plan is answered only within its limit.
TEST(SolverService, LargeTablesWaitForTheirGridAndShortestKeepsItsLimit)
{
    QTemporaryDir cache;
    SolverService service(Options(cache.path()));
    QSignalSpy answers(&service, &SolverService::PlanReady);
    QSignalSpy ready(&service, &SolverService::LargeTablesReady);
    const Position near = Scrambled(3, 4, {0, 9, 4});
    service.RequestShortest(near, 3, 1);
    ASSERT_TRUE(answers.wait(20000));
    const auto plan = answers[0][1].value<solver::Plan>();
    EXPECT_TRUE(plan.optimal);
    EXPECT_TRUE(Solves(near, plan));
    service.RequestShortest(near, plan.Length() - 1, 2);
    QTest::qWait(300);
    EXPECT_EQ(answers.size(), 1);
    EXPECT_TRUE(ready.isEmpty());
    EXPECT_FALSE(QFile::exists(cache.path() + QLatin1Char('/') + SolverWorker::CacheFileName()));

    const Position genius = Scrambled(4, 6, {3, 20, 33});
    service.RequestShortest(genius, 3, 3);
    ASSERT_TRUE(answers.wait(20000));
    EXPECT_EQ(answers[1][0].value<quint64>(), 3u);
    EXPECT_TRUE(Solves(genius, answers[1][1].value<solver::Plan>()));
    EXPECT_TRUE(ready.wait(60000));
}
