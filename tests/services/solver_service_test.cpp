#include "positions/slide_set.h"
#include "services/solver_service.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>

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
    for (const int m : slides) {
        EXPECT_LT(m, set.Count()) << "no slide of this grid";
        if (m < set.Count())
            p.Apply(set.At(m));
    }
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

QByteArray Bytes(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    ASSERT_EQ(out.write(bytes), bytes.size());
}

QByteArray Read(const QString& path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

// Damage a checksum finds, and damage summed again that only a look at
// the entries finds: either way the file is set aside, replacing any
// copy set aside before (each is tens of megabytes), and the tables are
// built again.
TEST(SolverService, DamagedKeptTablesAreSetAsideAndBuiltAgain)
{
    auto tables = SmallTables();
    tables->Build();
    const std::vector<std::uint8_t> sound = tables->Save();
    std::vector<std::uint8_t> flipped = sound;
    flipped[flipped.size() / 2] ^= 1;
    std::vector<std::uint8_t> zeroed = sound;
    const std::size_t body = zeroed.size() - 8;
    std::fill(zeroed.begin() + long(body - tables->Entries() / 2), zeroed.begin() + long(body), 0);
    const std::uint64_t sum = solver::PhaseTables::Checksum(std::span(zeroed).first(body));
    for (int i = 0; i < 8; ++i)
        zeroed[body + std::size_t(i)] = std::uint8_t(sum >> (8 * i));

    for (const auto& damaged : {Bytes(flipped), Bytes(zeroed)}) {
        QTemporaryDir cache;
        const QString file = cache.path() + QLatin1Char('/') + SolverWorker::CacheFileName();
        Write(file, damaged);
        for (const char* older : {".damaged", ".damaged-2", ".damaged-999"})
            Write(file + QLatin1String(older), "an older copy");
        Write(cache.path() + QStringLiteral("/other.damaged-2"), "not the tables'");

        SolverService service(Options(cache.path()));
        QSignalSpy ready(&service, &SolverService::LargeTablesReady);
        service.StartLargeTables();
        ASSERT_TRUE(ready.wait(60000));
        EXPECT_FALSE(ready[0][0].toBool());

        EXPECT_EQ(Read(file + QStringLiteral(".damaged")), damaged);
        EXPECT_EQ(QDir(cache.path()).entryList(QDir::Files),
                  (QStringList{"other.damaged-2", SolverWorker::CacheFileName(), SolverWorker::CacheFileName() + ".damaged"}));
        EXPECT_EQ(Read(file), Bytes(sound));
    }
}

// Tables with a sound file and a sound checksum can still be wrong (here
// they stop short of the whole grid): their first wrong plan is never
// sent; the quick tables answer while they are set aside and built again.
TEST(SolverService, TablesThatGiveAWrongPlanAreSetAsideAndBuiltAgain)
{
    QTemporaryDir cache;
    const QString file = cache.path() + QLatin1Char('/') + SolverWorker::CacheFileName();
    std::atomic<bool> wrongTables = true;
    SolverService::Options options = Options(cache.path());
    options.largeTables = [&wrongTables]() -> std::unique_ptr<solver::PhaseTables> {
        if (wrongTables)
            return std::make_unique<solver::PhaseTables>(4, 6, std::vector<solver::PhaseTables::Block>{{2, 2}, {2, 3}, {3, 3}});
        return SmallTables();
    };
    SolverService service(options);
    QSignalSpy answers(&service, &SolverService::PlanReady);
    QSignalSpy ready(&service, &SolverService::LargeTablesReady);
    service.StartLargeTables();
    ASSERT_TRUE(ready.wait(60000));
    const QByteArray wrong = Read(file);
    ASSERT_FALSE(wrong.isEmpty());
    wrongTables = false;

    // Far enough from home that no exact search ends the plan.
    const Position board = *Position::FromHomes(4, 6, std::vector<int>{23, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13,
                                                                       14, 15, 16, 17, 18, 19, 20, 21, 22, 0});
    service.Request(board, 1);
    ASSERT_TRUE(answers.wait(20000));
    EXPECT_FALSE(answers[0][2].toBool()) << "the wrong tables answered";
    EXPECT_TRUE(Solves(board, answers[0][1].value<solver::Plan>()));
    EXPECT_FALSE(service.HasLargeTables());
    EXPECT_EQ(Read(file + QStringLiteral(".damaged")), wrong);

    ASSERT_TRUE(ready.size() == 2 || ready.wait(60000));
    EXPECT_TRUE(service.HasLargeTables());
    service.Request(board, 2);
    ASSERT_TRUE(answers.wait(20000));
    EXPECT_TRUE(answers[1][2].toBool());
    EXPECT_TRUE(Solves(board, answers[1][1].value<solver::Plan>()));
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

// The bound tables of a grid of 13 to 16 cells wait for its first
// request, which the block plan answers while they are built; then every
// plan is shortest. They are kept for the next run, and the tables of the
// next such grid played replace them.
TEST(SolverService, BoundTablesServeTheirGridFromItsFirstRequestOn)
{
    QTemporaryDir cache;
    SolverService::Options options = Options(cache.path(), 20'000);
    // Five pieces: a weak bound, built in a blink, enough for boards a few
    // slides from home.
    options.boundTables = [](int rows, int columns) {
        return std::make_unique<solver::BoundTables>(rows, columns, std::vector<std::vector<std::uint8_t>>{{0, 1, 2, 4, 5}});
    };
    const QString file = cache.path() + QLatin1Char('/') + SolverWorker::BoundsFileName(4, 4);
    const Position board = Scrambled(4, 4, {0, 13, 22, 9, 5});
    {
        SolverService service(options);
        QSignalSpy answers(&service, &SolverService::PlanReady);
        QSignalSpy ready(&service, &SolverService::BoundTablesReady);
        service.Request(board, 1);
        ASSERT_TRUE(answers.wait(20000));
        EXPECT_FALSE(answers[0][2].toBool());
        EXPECT_TRUE(Solves(board, answers[0][1].value<solver::Plan>()));
        ASSERT_TRUE(ready.wait(60000));
        EXPECT_EQ(ready[0][0].toInt(), 4);
        EXPECT_EQ(ready[0][1].toInt(), 4);
        EXPECT_FALSE(ready[0][2].toBool());
        EXPECT_TRUE(service.HasTablesFor(4, 4));
        EXPECT_FALSE(service.HasLargeTables());
        service.Request(board, 2);
        ASSERT_TRUE(answers.wait(20000));
        EXPECT_TRUE(answers[1][2].toBool());
        const auto plan = answers[1][1].value<solver::Plan>();
        EXPECT_TRUE(plan.optimal);
        EXPECT_TRUE(Solves(board, plan));
        EXPECT_LE(plan.Length(), 5);
    }
    ASSERT_TRUE(QFile::exists(file));

    SolverService again(options);
    QSignalSpy answers(&again, &SolverService::PlanReady);
    QSignalSpy ready(&again, &SolverService::BoundTablesReady);
    again.StartTables(4, 4);
    ASSERT_TRUE(ready.wait(20000));
    EXPECT_TRUE(ready[0][2].toBool());
    EXPECT_TRUE(again.HasTablesFor(4, 4));

    // A tall grid is served by the tables of its transpose, which take the
    // place of the 4 x 4 ones.
    const Position tall = Scrambled(8, 2, {0, 9, 3});
    again.Request(tall, 3);
    ASSERT_TRUE(ready.wait(60000));
    EXPECT_EQ(ready[1][0].toInt(), 2);
    EXPECT_EQ(ready[1][1].toInt(), 8);
    EXPECT_TRUE(again.HasTablesFor(8, 2));
    EXPECT_TRUE(again.HasTablesFor(2, 8));
    EXPECT_FALSE(again.HasTablesFor(4, 4));
    EXPECT_FALSE(again.CurrentSolver()->HasBoundTables(4, 4));
    again.Request(tall, 4);
    ASSERT_TRUE(answers.wait(20000));
    const auto plan = answers.back()[1].value<solver::Plan>();
    EXPECT_TRUE(answers.back()[2].toBool());
    EXPECT_TRUE(plan.optimal);
    EXPECT_TRUE(Solves(tall, plan));
    EXPECT_TRUE(QFile::exists(cache.path() + QLatin1Char('/') + SolverWorker::BoundsFileName(2, 8)));
}
