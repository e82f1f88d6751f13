#include "services/solver_service.h"

#include <QDir>
#include <QStandardPaths>

#include <algorithm>
#include <utility>

namespace tesselo {

namespace {

// A step of about 20 ms of building: the longest a request waits for the
// building to let it through.
constexpr std::uint64_t kBuildStep = 8'000'000;

} // namespace

SolverService::Options SolverService::DefaultOptions()
{
    return Options{DefaultCacheFolder(), &solver::PhaseTables::Large, kBuildStep, &solver::BoundTables::For};
}

QString SolverService::DefaultCacheFolder()
{
    // The XDG rules: a relative XDG_CACHE_HOME is to be ignored.
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || QDir::isRelativePath(cache))
        cache = QDir::homePath() + QStringLiteral("/.cache");
    return cache + QStringLiteral("/tesselo");
}

SolverService::SolverService(QObject* parent) : SolverService(DefaultOptions(), parent) {}

SolverService::SolverService(Options options, QObject* parent)
    : QObject(parent), worker(std::make_unique<SolverWorker>(std::move(options)))
{
    thread.setObjectName(QStringLiteral("Solver"));
    worker->moveToThread(&thread);
    thread.start(QThread::LowPriority);
}

void SolverService::StartLargeTables()
{
    if (std::exchange(largeStarted, true))
        return;
    SolverWorker* w = worker.get();
    QMetaObject::invokeMethod(
        w,
        [this, w] {
            w->Start(
                [this](bool loaded) {
                    QMetaObject::invokeMethod(
                        this,
                        [this, loaded] {
                            largeReady = true;
                            emit LargeTablesReady(loaded);
                        },
                        Qt::QueuedConnection);
                },
                [this] { QMetaObject::invokeMethod(this, [this] { largeReady = false; }, Qt::QueuedConnection); });
        },
        Qt::QueuedConnection);
}

void SolverService::StartTables(int rows, int columns)
{
    if (solver::Solver::UsesPhaseTables(rows, columns)) {
        StartLargeTables();
        return;
    }
    if (!solver::Solver::UsesBoundTables(rows, columns))
        return;
    const std::pair grid{std::min(rows, columns), std::max(rows, columns)};
    if (boundsStarted == grid)
        return;
    boundsStarted = grid;
    boundsReady = false;
    SolverWorker* w = worker.get();
    QMetaObject::invokeMethod(
        w,
        [this, w, grid] {
            w->StartBounds(
                grid.first, grid.second,
                [this](int r, int c, bool loaded) {
                    QMetaObject::invokeMethod(
                        this,
                        [this, r, c, loaded] {
                            // Tables of a grid left meanwhile are not this one's.
                            if (boundsStarted != std::pair{r, c})
                                return;
                            boundsReady = true;
                            emit BoundTablesReady(r, c, loaded);
                        },
                        Qt::QueuedConnection);
                },
                [this](int r, int c) {
                    QMetaObject::invokeMethod(
                        this,
                        [this, r, c] {
                            if (boundsStarted == std::pair{r, c})
                                boundsReady = false;
                        },
                        Qt::QueuedConnection);
                });
        },
        Qt::QueuedConnection);
}

bool SolverService::HasTablesFor(int rows, int columns) const
{
    if (solver::Solver::UsesPhaseTables(rows, columns))
        return largeReady;
    return boundsReady && boundsStarted == std::pair{std::min(rows, columns), std::max(rows, columns)};
}

SolverService::~SolverService()
{
    current.request_stop();
    worker->Finish();
    thread.quit();
    thread.wait();
}

void SolverService::Request(const solver::Position& position, quint64 key)
{
    Ask(position, std::nullopt, key);
}

void SolverService::RequestShortest(const solver::Position& position, int atMost, quint64 key)
{
    Ask(position, atMost, key);
}

void SolverService::Ask(const solver::Position& position, std::optional<int> atMost, quint64 key)
{
    StartTables(position.Rows(), position.Columns());
    current.request_stop();
    current = std::stop_source();
    latest = key;
    waiting = true;
    SolverWorker* w = worker.get();
    QMetaObject::invokeMethod(
        w,
        [this, w, position, atMost, key, stop = current.get_token()] {
            if (stop.stop_requested())
                return;
            w->Solve(position, atMost, stop, [this, key](const SolverWorker::Answer& answer) {
                QMetaObject::invokeMethod(
                    this, [this, key, answer] { Deliver(key, answer.plan, answer.keptTables); },
                    Qt::QueuedConnection);
            });
        },
        Qt::QueuedConnection);
}

void SolverService::Cancel()
{
    current.request_stop();
    waiting = false;
}

void SolverService::Deliver(quint64 key, const solver::Plan& plan, bool keptTables)
{
    if (!waiting || key != latest)
        return;
    waiting = false;
    emit PlanReady(key, plan, keptTables);
}

} // namespace tesselo
