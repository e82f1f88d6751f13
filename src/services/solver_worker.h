#pragma once

#include "positions/phase_tables.h"
#include "positions/plan.h"
#include "positions/position.h"
#include "solver/solver.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>

namespace tesselo {

// The solver's side of SolverService, living on the service's thread:
// answers requests, and builds the large 4 x 6 tables in steps between
// them (or reads them from the cache folder), answering from the quick
// tables until they are ready.
class SolverWorker : public QObject {
    Q_OBJECT
public:
    struct Options {
        // Where the large tables are kept between runs.
        QString cacheFolder;
        // The tables to build; the game's are PhaseTables::Large().
        std::function<std::unique_ptr<solver::PhaseTables>()> largeTables;
        // Work between two looks at the queue of requests (about 20 ms for
        // the default, see PatternTable::BuildSome).
        std::uint64_t buildStep = 0;
    };
    struct Answer {
        solver::Plan plan;
        bool largeTables = false;
    };
    using Deliver = std::function<void(const Answer&)>;
    using TablesReady = std::function<void(bool loaded)>;
    using TablesLost = std::function<void()>;

    explicit SolverWorker(Options options);
    ~SolverWorker() override;

    // Reads the kept tables, or begins building them; `ready` is called
    // on this thread once they are in use, with whether they were read,
    // and `lost` when they are given up (below).
    void Start(TablesReady ready, TablesLost lost = {});
    // Solves `position` unless `stop` is requested first (with `atMost`,
    // only by a shortest plan that long at most); `deliver` gets the plan,
    // never an empty answer for a stopped or impossible search, and never
    // a plan that does not bring the board home. Tables that give such a
    // plan, or none for a 4 x 6 board (every one has a plan), are damaged
    // however well they were checked: they are set aside and built again,
    // the quick tables answering meanwhile. Should the new ones fail too,
    // the fault is not in a file, and the quick tables answer for good.
    void Solve(const solver::Position& position, std::optional<int> atMost, std::stop_token stop,
               const Deliver& deliver);
    // The solver the answers come from now: the large tables' once they
    // are in use, else the quick one. Safe from any thread, and kept alive
    // by whoever holds it, should the tables be set aside meanwhile.
    std::shared_ptr<const solver::Solver> Current() const;
    // Ends the building at its next step.
    void Finish() { finishing = true; }

    QString CachePath() const;
    static QString CacheFileName();
    // Tables kept at `path` by an earlier run, when sound; nullptr for no
    // file, and for a damaged one (`damaged` says which).
    static std::unique_ptr<solver::PhaseTables> ReadKept(const QString& path, std::unique_ptr<solver::PhaseTables> tables,
                                                        bool* damaged = nullptr);
    // Keeps built tables at `path`, making its folder; false when that
    // cannot be done (the tables are then built again on the next run).
    static bool Keep(const QString& path, const solver::PhaseTables& tables);
    // Moves damaged tables at `path` out of the way as "<name>.damaged",
    // for a look. A cache is not the player's data: only the latest
    // damaged copy is kept, replacing any before it.
    static void SetDamagedAside(const QString& path);

private:
    void BeginBuilding();
    void BuildStep();
    void Use(std::unique_ptr<solver::PhaseTables> tables, bool loaded);
    // The large tables gave a wrong answer.
    void Distrust();

    Options options;
    TablesReady ready;
    TablesLost lost;
    std::shared_ptr<const solver::Solver> quick = std::make_shared<const solver::Solver>();
    std::shared_ptr<const solver::Solver> large;
    // Guards `large` against Current() from other threads.
    mutable std::mutex shared;
    std::unique_ptr<solver::PhaseTables> building;
    // Tables given up this run: a second time means the fault is not in
    // the file, and building again would only fail again.
    int distrusted = 0;
    std::atomic<bool> finishing = false;
};

} // namespace tesselo
