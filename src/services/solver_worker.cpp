#include "services/solver_worker.h"

#include "files/safe_file.h"
#include "positions/soundness.h"

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

void SolverWorker::Start(TablesReady r, TablesLost l)
{
    ready = std::move(r);
    lost = std::move(l);
    bool damaged = false;
    if (auto kept = ReadKept(CachePath(), options.largeTables(), &damaged)) {
        Use(std::move(kept), true);
        return;
    }
    if (damaged)
        SetDamagedAside(CachePath());
    BeginBuilding();
}

void SolverWorker::BeginBuilding()
{
    building = options.largeTables();
    QMetaObject::invokeMethod(this, &SolverWorker::BuildStep, Qt::QueuedConnection);
}

void SolverWorker::SetDamagedAside(const QString& path)
{
    // Earlier copies, under this name or the numbered ones of earlier
    // versions, go first: each is tens of megabytes.
    const QFileInfo info(path);
    QDir folder = info.dir();
    const QString aside = info.fileName() + QStringLiteral(".damaged");
    for (const QString& old : folder.entryList({aside, aside + QStringLiteral("-*")}, QDir::Files | QDir::System | QDir::Hidden))
        if (old == aside || old.mid(aside.size() + 1).toUInt() > 1)
            folder.remove(old);
    // Should the rename fail, the new tables are written over the old.
    QFile::rename(path, folder.filePath(aside));
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
    Keep(CachePath(), *building);
    Use(std::move(building), false);
}

bool SolverWorker::Keep(const QString& path, const solver::PhaseTables& tables)
{
    // A cache: when it cannot be written the tables are built again on the
    // next run, and nothing else is lost.
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    const std::vector<std::uint8_t> bytes = tables.Save();
    return WriteFileAtomically(path, QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
}

void SolverWorker::Use(std::unique_ptr<solver::PhaseTables> tables, bool loaded)
{
    {
        const std::lock_guard lock(shared);
        large = std::make_shared<const solver::Solver>(std::shared_ptr<const solver::PhaseTables>(std::move(tables)));
    }
    if (ready)
        ready(loaded);
}

void SolverWorker::Distrust()
{
    {
        const std::lock_guard lock(shared);
        large.reset();
    }
    if (lost)
        lost();
    if (++distrusted > 1)
        return;
    SetDamagedAside(CachePath());
    BeginBuilding();
}

std::shared_ptr<const solver::Solver> SolverWorker::Current() const
{
    const std::lock_guard lock(shared);
    return large ? large : quick;
}

void SolverWorker::Solve(const solver::Position& position, std::optional<int> atMost, std::stop_token stop,
                         const Deliver& deliver)
{
    const auto ask = [&](const solver::Solver& solver) {
        return atMost ? solver.Shortest(position, *atMost, stop) : solver.Solve(position, stop);
    };
    if (large && solver::Solver::UsesPhaseTables(position.Rows(), position.Columns())) {
        auto plan = ask(*large);
        if (plan && solver::BringsHome(position, *plan)) {
            deliver(Answer{std::move(*plan), true});
            return;
        }
        // No plan is an answer only for a search stopped, or one held to
        // a length.
        if (!plan && (stop.stop_requested() || atMost || !position.IsSolvable()))
            return;
        Distrust();
    }
    auto plan = ask(*quick);
    if (plan && solver::BringsHome(position, *plan))
        deliver(Answer{std::move(*plan), false});
}

} // namespace tesselo
