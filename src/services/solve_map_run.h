#pragma once

#include "model/history.h"
#include "model/tile_grid.h"
#include "solver/solve_map.h"

#include <QMetaType>
#include <QObject>

#include <memory>
#include <thread>
#include <vector>

namespace tesselo {

namespace solver {
class Solver;
}

// The map of one played solve, worked out on a thread of its own with the
// solver it is given, its points sent to the caller's thread as they come:
// the first within a search, the rest as fast as the plans allow (a solve
// that keeps to its plans needs one search in all).
class SolveMapRun : public QObject {
    Q_OBJECT
public:
    // The solve from `start` through `steps`, as the history keeps it.
    SolveMapRun(std::shared_ptr<const solver::Solver> solver, const TileGrid& start,
                const std::vector<HistoryStep>& steps, QObject* parent = nullptr);
    // Stops the work and waits for its thread.
    ~SolveMapRun() override;

    // False when the board is not one the solver holds; nothing is sent
    // then.
    bool IsMappable() const { return mappable; }
    int PointCount() const { return int(slides.size()) + 1; }
    void Start();

signals:
    // The next point, in order from the start's.
    void PointReady(const tesselo::solver::MapPoint& point);
    // Every point was sent (`complete`), or no plan was found for the
    // next one.
    void Finished(bool complete);

private:
    std::shared_ptr<const solver::Solver> solver;
    solver::Position start;
    std::vector<solver::Slide> slides;
    bool mappable = false;
    std::jthread thread;
};

} // namespace tesselo

Q_DECLARE_METATYPE(tesselo::solver::MapPoint)
