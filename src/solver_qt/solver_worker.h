#pragma once

#include "solver/phase_tables.h"
#include "solver/plan.h"
#include "solver/position.h"
#include "solver/solver.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
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

    explicit SolverWorker(Options options);
    ~SolverWorker() override;

    // Reads the kept tables, or begins building them; `ready` is called
    // on this thread once they are in use, with whether they were read.
    void Start(TablesReady ready);
    // Solves `position` unless `stop` is requested first (with `atMost`,
    // only by a shortest plan that long at most); `deliver` gets the plan,
    // never an empty answer for a stopped or impossible search.
    void Solve(const solver::Position& position, std::optional<int> atMost, std::stop_token stop,
               const Deliver& deliver);
    // Ends the building at its next step.
    void Finish() { finishing = true; }

    QString CachePath() const;
    static QString CacheFileName();
    // Tables kept at `path` by an earlier run, when sound; nullptr for no
    // file, and for a damaged one (`damaged` says which).
    static std::unique_ptr<solver::PhaseTables> ReadKept(const QString& path, std::unique_ptr<solver::PhaseTables> tables,
                                                        bool* damaged = nullptr);

private:
    void BuildStep();
    void Use(std::unique_ptr<solver::PhaseTables> tables, bool loaded);
    void Keep(const solver::PhaseTables& tables) const;

    Options options;
    TablesReady ready;
    solver::Solver quick;
    std::unique_ptr<solver::Solver> large;
    std::unique_ptr<solver::PhaseTables> building;
    std::atomic<bool> finishing = false;
};

} // namespace tesselo
