#pragma once

#include "positions/plan.h"
#include "positions/position.h"
#include "services/solver_worker.h"

#include <QMetaType>
#include <QObject>
#include <QThread>

#include <memory>
#include <optional>
#include <stop_token>

namespace tesselo {

// The solver off the window's thread. Requests name the board they are
// for by a key the caller changes whenever the board changes; answers
// come back as queued signals on the caller's thread, and only for the
// latest request: a newer request stops the search for an older one, and
// an older answer already on its way is dropped.
//
// The thread also builds the large 4 x 6 tables once (some seconds), keeps
// them in the cache folder, and reads them from there on later runs,
// checked; a damaged file is set aside and the tables built again, as are
// tables whose plan turns out wrong (every plan is tried on its board
// before it is sent: see SolverWorker::Solve). That begins with the first
// 4 x 6 or 6 x 4 request (or StartLargeTables), so a player who never plays that
// grid never pays for them. Until they are ready, 4 x 6 plans come from
// the quick tables.
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
    // Makes every request so far stale.
    void Cancel();
    bool HasLargeTables() const { return largeReady; }
    // The solver the answers come from now, for work on a thread of the
    // caller's own (see SolverWorker::Current).
    std::shared_ptr<const solver::Solver> CurrentSolver() const { return worker->Current(); }

signals:
    void PlanReady(quint64 key, const tesselo::solver::Plan& plan, bool largeTables);
    // The large tables are in use, read from the cache (`loaded`) or built.
    void LargeTablesReady(bool loaded);

private:
    void Deliver(quint64 key, const solver::Plan& plan, bool largeTables);
    void Ask(const solver::Position& position, std::optional<int> atMost, quint64 key);

    QThread thread;
    std::unique_ptr<SolverWorker> worker;
    std::stop_source current;
    quint64 latest = 0;
    bool waiting = false;
    bool largeReady = false;
    bool largeStarted = false;
};

} // namespace tesselo

Q_DECLARE_METATYPE(tesselo::solver::Plan)
