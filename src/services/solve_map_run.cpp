#include "services/solve_map_run.h"

#include "model/grid_position.h"
#include "solver/solver.h"

namespace tesselo {

SolveMapRun::SolveMapRun(std::shared_ptr<const solver::Solver> s, const TileGrid& startGrid,
                         const std::vector<HistoryStep>& steps, QObject* parent)
    : QObject(parent), solver(std::move(s))
{
    const auto position = PositionOf(startGrid);
    if (!position || !solver)
        return;
    start = *position;
    TileGrid at = startGrid;
    for (const HistoryStep& step : steps) {
        // A move that leaves the board as it was (a full turn) is still a
        // move the player counted: it stays, as a slide that changes
        // nothing.
        const auto slide = SlideOf(step.move, at);
        slides.push_back(slide ? *slide
                               : solver::Slide{step.move.axis == MoveAxis::Row ? solver::Axis::Row : solver::Axis::Column,
                                               std::int8_t(step.move.line), 0});
        step.RedoOn(at);
    }
    mappable = true;
}

SolveMapRun::~SolveMapRun()
{
    // The thread is stopped and joined before the signals' receiver goes:
    // whatever it posted meanwhile dies with this object's events.
    thread = {};
}

void SolveMapRun::Start()
{
    if (!mappable || thread.joinable())
        return;
    thread = std::jthread([this](std::stop_token stop) {
        solver::SolveMapper mapper(*solver, start, slides);
        while (const auto point = mapper.Next(stop))
            QMetaObject::invokeMethod(this, [this, p = *point] { emit PointReady(p); }, Qt::QueuedConnection);
        if (stop.stop_requested())
            return;
        const bool complete = mapper.Mapped() == mapper.PointCount();
        QMetaObject::invokeMethod(this, [this, complete] { emit Finished(complete); }, Qt::QueuedConnection);
    });
}

} // namespace tesselo
