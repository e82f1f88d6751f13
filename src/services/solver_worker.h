#pragma once

#include "positions/plan.h"
#include "positions/position.h"
#include "solver/solver.h"
#include "tables/bound_tables.h"
#include "tables/phase_tables.h"
#include "tables/table_set.h"

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
// answers requests, and builds the tables kept between runs in steps
// between them (or reads them from the cache folder), answering without
// them until they are ready. Two kinds are kept: the large 4 x 6 tables,
// and the bound tables of the one grid of 13 to 16 cells played last
// (another such grid's replace them, so that at most one set is held).
class SolverWorker : public QObject {
    Q_OBJECT
public:
    struct Options {
        // Where the tables are kept between runs.
        QString cacheFolder;
        // The large tables to build; the game's are PhaseTables::Large().
        std::function<std::unique_ptr<solver::PhaseTables>()> largeTables;
        // Work between two looks at the queue of requests (about 20 ms for
        // the default, see PatternTable::BuildSome).
        std::uint64_t buildStep = 0;
        // The bound tables of a grid of 13 to 16 cells, given no taller
        // than wide; the game's are BoundTables::For.
        std::function<std::unique_ptr<solver::BoundTables>(int rows, int columns)> boundTables =
            &solver::BoundTables::For;
    };
    struct Answer {
        solver::Plan plan;
        // Whether the plan came from the grid's kept tables.
        bool keptTables = false;
    };
    using Deliver = std::function<void(const Answer&)>;
    using TablesReady = std::function<void(bool loaded)>;
    using TablesLost = std::function<void()>;
    // For the bound tables: the grid (no taller than wide) they serve.
    using BoundsReady = std::function<void(int rows, int columns, bool loaded)>;
    using BoundsLost = std::function<void(int rows, int columns)>;

    explicit SolverWorker(Options options);
    ~SolverWorker() override;

    // Reads the kept large tables, or begins building them; `ready` is
    // called on this thread once they are in use, with whether they were
    // read, and `lost` when they are given up (below).
    void Start(TablesReady ready, TablesLost lost = {});
    // The same for the bound tables of a grid of 13 to 16 cells (either
    // way round), which replace those of any other grid; nothing when that
    // grid's are in use or on their way already.
    void StartBounds(int rows, int columns, BoundsReady ready, BoundsLost lost = {});
    // Solves `position` unless `stop` is requested first (with `atMost`,
    // only by a shortest plan that long at most); `deliver` gets the plan,
    // never an empty answer for a stopped or impossible search, and never
    // a plan that does not bring the board home. Tables that give such a
    // plan, or none for a position that has one, are damaged however well
    // they were checked: they are set aside and built again, the solver
    // without them answering meanwhile. Should the new ones fail too, the
    // fault is not in a file, and the solver without them answers for good.
    void Solve(const solver::Position& position, std::optional<int> atMost, std::stop_token stop,
               const Deliver& deliver);
    // The solver the answers come from now, with the kept tables in use.
    // Safe from any thread, and kept alive by whoever holds it, should the
    // tables be set aside meanwhile.
    std::shared_ptr<const solver::Solver> Current() const;
    // Ends the building at its next step.
    void Finish() { finishing = true; }

    // Where the large tables are kept, and the file's name.
    QString CachePath() const;
    static QString CacheFileName();
    // The same for the bound tables of a grid (no taller than wide).
    static QString BoundsFileName(int rows, int columns);
    // Tables kept at `path` by an earlier run, when sound; nullptr for no
    // file, and for a damaged one (`damaged` says which).
    template <class Tables>
    static std::unique_ptr<Tables> ReadKept(const QString& path, std::unique_ptr<Tables> tables, bool* damaged = nullptr)
    {
        return ReadInto(path, *tables, damaged) ? std::move(tables) : nullptr;
    }
    static bool ReadInto(const QString& path, solver::TableSet& tables, bool* damaged = nullptr);
    // Keeps built tables at `path`, making its folder; false when that
    // cannot be done (the tables are then built again on the next run).
    static bool Keep(const QString& path, const solver::TableSet& tables);
    // Moves damaged tables at `path` out of the way as "<name>.damaged",
    // for a look. A cache is not the player's data: only the latest
    // damaged copy is kept, replacing any before it.
    static void SetDamagedAside(const QString& path);

private:
    // One kind of kept tables: where they are kept, how they are made, and
    // what became of them.
    struct Kept {
        int rows = 0;
        int columns = 0;
        QString path;
        std::function<std::unique_ptr<solver::TableSet>()> make;
        std::function<void(bool loaded)> ready;
        std::function<void()> lost;
        std::unique_ptr<solver::TableSet> building;
        std::shared_ptr<const solver::TableSet> inUse;
        // Given up this run: a second time means the fault is not in the
        // file, and building again would only fail again.
        int distrusted = 0;
        bool started = false;
    };

    void Begin(Kept& kept);
    void BeginBuilding(Kept& kept);
    void BuildStep();
    void Use(Kept& kept, std::unique_ptr<solver::TableSet> tables, bool loaded);
    // The tables of `kept` gave a wrong answer.
    void Distrust(Kept& kept);
    // The solver with the tables in use now, for Current().
    void Refresh();
    Kept* KeptFor(int rows, int columns);

    Options options;
    Kept large;
    Kept bounds;
    std::shared_ptr<const solver::Solver> current = std::make_shared<const solver::Solver>();
    // Guards `current` against Current() from other threads.
    mutable std::mutex shared;
    // Whether a building step is queued.
    bool stepping = false;
    std::atomic<bool> finishing = false;
};

} // namespace tesselo
