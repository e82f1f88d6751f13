#include "solver_qt/solver_worker.h"

#include "model/safe_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tesselo {

SolverWorker::SolverWorker(Options o) : options(std::move(o)) {}

SolverWorker::~SolverWorker() = default;

QString SolverWorker::CacheFileName()
{
    return QStringLiteral("phase-tables-4x6-v%1.bin").arg(solver::PhaseTables::kFormatVersion);
}

QString SolverWorker::CachePath() const
{
    return options.cacheFolder + QLatin1Char('/') + CacheFileName();
}

void SolverWorker::Start(TablesReady r)
{
    ready = std::move(r);
    bool damaged = false;
    if (auto kept = ReadKept(CachePath(), options.largeTables(), &damaged)) {
        Use(std::move(kept), true);
        return;
    }
    // Kept for a look, and out of the way of the new tables.
    if (damaged)
        SetFileAside(CachePath());
    building = options.largeTables();
    QMetaObject::invokeMethod(this, &SolverWorker::BuildStep, Qt::QueuedConnection);
}

std::unique_ptr<solver::PhaseTables> SolverWorker::ReadKept(const QString& path,
                                                          std::unique_ptr<solver::PhaseTables> tables, bool* damaged)
{
    const QFileInfo info(path);
    if (damaged)
        *damaged = info.exists() || info.isSymLink();
    if (!info.exists() && !info.isSymLink())
        return nullptr;
    // Only a regular file of exactly the right length is read at all; the
    // tables check the rest (format, version, blocks, checksum).
    if (!info.isFile() || info.size() != qint64(tables->SavedSize()))
        return nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const QByteArray bytes = file.readAll();
    if (!tables->Load(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()))))
        return nullptr;
    if (damaged)
        *damaged = false;
    return tables;
}

void SolverWorker::BuildStep()
{
    if (finishing || !building)
        return;
    if (!building->BuildSome(options.buildStep)) {
        QMetaObject::invokeMethod(this, &SolverWorker::BuildStep, Qt::QueuedConnection);
        return;
    }
    Keep(*building);
    Use(std::move(building), false);
}

void SolverWorker::Keep(const solver::PhaseTables& tables) const
{
    // A cache: when it cannot be written the tables are built again on the
    // next run, and nothing else is lost.
    if (!QDir().mkpath(options.cacheFolder))
        return;
    const std::vector<std::uint8_t> bytes = tables.Save();
    WriteFileAtomically(CachePath(), QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
}

void SolverWorker::Use(std::unique_ptr<solver::PhaseTables> tables, bool loaded)
{
    large = std::make_unique<solver::Solver>(std::shared_ptr<const solver::PhaseTables>(std::move(tables)));
    if (ready)
        ready(loaded);
}

void SolverWorker::Solve(const solver::Position& position, std::optional<int> atMost, std::stop_token stop,
                         const Deliver& deliver)
{
    const bool useLarge = large && position.Rows() == 4 && position.Columns() == 6;
    const solver::Solver& solver = useLarge ? *large : quick;
    auto plan = atMost ? solver.Shortest(position, *atMost, std::move(stop)) : solver.Solve(position, std::move(stop));
    if (plan)
        deliver(Answer{std::move(*plan), useLarge});
}

} // namespace tesselo
