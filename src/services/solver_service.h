#pragma once

#include "positions/plan.h"
#include "positions/position.h"
#include "services/solver_worker.h"

#include <QMetaType>
#include <QObject>
#include <QThread>

#include <memory>
#include <optional>
#include <utility>
#include <stop_token>

namespace tesselo {

// The solver off the window's thread. Requests name the board they are
// for by a key the caller changes whenever the board changes; answers
// come back as queued signals on the caller's thread, and only for the
// latest request: a newer request stops the search for an older one, and
// an older answer already on its way is dropped.
//
// The thread also builds the tables kept between runs once (some
// seconds): the large 4 x 6 tables, and the bound tables of a grid of 13
// to 16 cells, with which its plans are shortest. It keeps them in the
// cache folder, and reads them from there on later runs, checked; a
// damaged file is set aside and the tables built again, as are tables
// whose plan turns out wrong (every plan is tried on its board before it
// is sent: see SolverWorker::Solve). That begins with the first request
// for a grid that uses them (or StartTables), so a player who never plays
// that grid never pays for them. Until they are ready, 4 x 6 plans come
// from the quick tables and the others from the block solver.
class SolverService : public QObject {
    Q_OBJECT
public:
    using Options = SolverWorker::Options;

    // The game's settings: the large tables, kept in DefaultCacheFolder().
    explicit SolverService(QObject* parent = nullptr);
    explicit SolverService(Options options, QObject* parent = nullptr);
    // Stops any search and the building, and waits for the thread.
    ~SolverService() override;

    static Options DefaultOptions();
    // $XDG_CACHE_HOME/tesselo, by default ~/.cache/tesselo.
    static QString DefaultCacheFolder();

    void Request(const solver::Position& position, quint64 key);
    // As Request, but answered only by a shortest plan of at most `atMost`
    // slides (see Solver::Shortest): the exact rest of a plan.
    void RequestShortest(const solver::Position& position, int atMost, quint64 key);
    // Reads or builds the large tables, if not begun yet.
    void StartLargeTables();
    // Reads or builds the tables the grid's plans get better with, if any
    // and if not begun yet (bound tables replace another grid's).
    void StartTables(int rows, int columns);
    // Makes every request so far stale.
    void Cancel();
    bool HasLargeTables() const { return largeReady; }
    // Whether the plans of this grid come from its kept tables now.
    bool HasTablesFor(int rows, int columns) const;
    // The solver the answers come from now, for work on a thread of the
    // caller's own (see SolverWorker::Current).
    std::shared_ptr<const solver::Solver> CurrentSolver() const { return worker->Current(); }

signals:
    // `keptTables`: the plan came from the grid's kept tables.
    void PlanReady(quint64 key, const tesselo::solver::Plan& plan, bool keptTables);
    // The large tables are in use, read from the cache (`loaded`) or built.
    void LargeTablesReady(bool loaded);
    // The same for the bound tables of a grid, given no taller than wide.
    void BoundTablesReady(int rows, int columns, bool loaded);

private:
    void Deliver(quint64 key, const solver::Plan& plan, bool keptTables);
    void Ask(const solver::Position& position, std::optional<int> atMost, quint64 key);

    QThread thread;
    std::unique_ptr<SolverWorker> worker;
    std::stop_source current;
    quint64 latest = 0;
    bool waiting = false;
    bool largeReady = false;
    bool largeStarted = false;
    // The grid (no taller than wide) whose bound tables were asked for
    // last, and whether they are in use.
    std::optional<std::pair<int, int>> boundsStarted;
    bool boundsReady = false;
};

} // namespace tesselo

Q_DECLARE_METATYPE(tesselo::solver::Plan)
