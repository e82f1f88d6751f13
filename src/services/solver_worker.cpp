#include "services/solver_worker.h"

#include "files/safe_file.h"
#include "tables/soundness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace tesselo {

SolverWorker::SolverWorker(Options o) : options(std::move(o))
{
    large.rows = 4;
    large.columns = 6;
    large.path = CachePath();
    large.make = [this] { return std::unique_ptr<solver::TableSet>(options.largeTables()); };
}

SolverWorker::~SolverWorker() = default;

QString SolverWorker::CacheFileName()
{
    return QStringLiteral("phase-tables-4x6-v%1.bin").arg(solver::PhaseTables::kFormatVersion);
}

QString SolverWorker::BoundsFileName(int rows, int columns)
{
    return QStringLiteral("bound-tables-%1x%2-v%3.bin").arg(rows).arg(columns).arg(solver::BoundTables::kFormatVersion);
}

QString SolverWorker::CachePath() const
{
    return options.cacheFolder + QLatin1Char('/') + CacheFileName();
}

void SolverWorker::Start(TablesReady r, TablesLost l)
{
    large.ready = std::move(r);
    large.lost = std::move(l);
    if (std::exchange(large.started, true))
        return;
    Begin(large);
}

void SolverWorker::StartBounds(int rows, int columns, BoundsReady r, BoundsLost l)
{
    if (!solver::BoundTables::Cover(rows, columns))
        return;
    const int wideRows = std::min(rows, columns);
    const int wideColumns = std::max(rows, columns);
    if (bounds.started && bounds.rows == wideRows && bounds.columns == wideColumns)
        return;
    // Another grid's tables are let go: one set at a time is held.
    if (bounds.inUse) {
        bounds.inUse.reset();
        Refresh();
        if (bounds.lost)
            bounds.lost();
    }
    bounds = Kept();
    bounds.rows = wideRows;
    bounds.columns = wideColumns;
    bounds.path = options.cacheFolder + QLatin1Char('/') + BoundsFileName(wideRows, wideColumns);
    bounds.make = [this, wideRows, wideColumns] {
        return std::unique_ptr<solver::TableSet>(options.boundTables(wideRows, wideColumns));
    };
    bounds.ready = [r = std::move(r), wideRows, wideColumns](bool loaded) {
        if (r)
            r(wideRows, wideColumns, loaded);
    };
    bounds.lost = [l = std::move(l), wideRows, wideColumns] {
        if (l)
            l(wideRows, wideColumns);
    };
    bounds.started = true;
    Begin(bounds);
}

void SolverWorker::Begin(Kept& kept)
{
    bool damaged = false;
    if (std::unique_ptr<solver::TableSet> tables = kept.make(); tables && ReadInto(kept.path, *tables, &damaged)) {
        Use(kept, std::move(tables), true);
        return;
    }
    if (damaged)
        SetDamagedAside(kept.path);
    BeginBuilding(kept);
}

void SolverWorker::BeginBuilding(Kept& kept)
{
    kept.building = kept.make();
    if (!kept.building || std::exchange(stepping, true))
        return;
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

bool SolverWorker::ReadInto(const QString& path, solver::TableSet& tables, bool* damaged)
{
    const QFileInfo info(path);
    if (damaged)
        *damaged = info.exists() || info.isSymLink();
    if (!info.exists() && !info.isSymLink())
        return false;
    // Only a regular file of exactly the right length is read at all; the
    // tables check the rest (format, version, grid, checksum, probes).
    if (!info.isFile() || info.size() != qint64(tables.SavedSize()))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (!tables.Load(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()))))
        return false;
    if (damaged)
        *damaged = false;
    return true;
}

void SolverWorker::BuildStep()
{
    stepping = false;
    if (finishing)
        return;
    // The grid played last first: a player who left Genius for 4 x 4 waits
    // for the 4 x 4 tables.
    Kept* kept = bounds.building ? &bounds : large.building ? &large : nullptr;
    if (!kept)
        return;
    if (kept->building->BuildSome(options.buildStep)) {
        Keep(kept->path, *kept->building);
        Use(*kept, std::move(kept->building), false);
    }
    if ((bounds.building || large.building) && !std::exchange(stepping, true))
        QMetaObject::invokeMethod(this, &SolverWorker::BuildStep, Qt::QueuedConnection);
}

bool SolverWorker::Keep(const QString& path, const solver::TableSet& tables)
{
    // A cache: when it cannot be written the tables are built again on the
    // next run, and nothing else is lost.
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    const std::vector<std::uint8_t> bytes = tables.Save();
    return WriteFileAtomically(path, QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
}

void SolverWorker::Use(Kept& kept, std::unique_ptr<solver::TableSet> tables, bool loaded)
{
    kept.inUse = std::shared_ptr<const solver::TableSet>(std::move(tables));
    Refresh();
    if (kept.ready)
        kept.ready(loaded);
}

void SolverWorker::Refresh()
{
    auto solver = std::make_shared<const solver::Solver>(
        std::dynamic_pointer_cast<const solver::PhaseTables>(large.inUse),
        std::dynamic_pointer_cast<const solver::BoundTables>(bounds.inUse));
    const std::lock_guard lock(shared);
    current = std::move(solver);
}

void SolverWorker::Distrust(Kept& kept)
{
    kept.inUse.reset();
    Refresh();
    if (kept.lost)
        kept.lost();
    if (++kept.distrusted > 1)
        return;
    SetDamagedAside(kept.path);
    BeginBuilding(kept);
}

SolverWorker::Kept* SolverWorker::KeptFor(int rows, int columns)
{
    if (solver::Solver::UsesPhaseTables(rows, columns))
        return &large;
    if (bounds.started && std::min(rows, columns) == bounds.rows && std::max(rows, columns) == bounds.columns)
        return &bounds;
    return nullptr;
}

std::shared_ptr<const solver::Solver> SolverWorker::Current() const
{
    const std::lock_guard lock(shared);
    return current;
}

void SolverWorker::Solve(const solver::Position& position, std::optional<int> atMost, std::stop_token stop,
                         const Deliver& deliver)
{
    const auto ask = [&](const solver::Solver& solver) {
        return atMost ? solver.Shortest(position, *atMost, stop) : solver.Solve(position, stop);
    };
    std::shared_ptr<const solver::Solver> solver = Current();
    Kept* kept = KeptFor(position.Rows(), position.Columns());
    if (kept && kept->inUse && solver->HasKeptTables(position.Rows(), position.Columns())) {
        auto plan = ask(*solver);
        if (plan && solver::BringsHome(position, *plan)) {
            deliver(Answer{std::move(*plan), true});
            return;
        }
        // No plan is an answer only for a search stopped, or one held to
        // a length.
        if (!plan && (stop.stop_requested() || atMost || !position.IsSolvable()))
            return;
        Distrust(*kept);
        solver = Current();
    }
    auto plan = ask(*solver);
    if (plan && solver::BringsHome(position, *plan))
        deliver(Answer{std::move(*plan), false});
}

} // namespace tesselo
