#include "app/assistant.h"

#include "model/game.h"
#include "model/grid_position.h"
#include "solver/solver.h"
#include "view/c_puzzle_image.h"

namespace tesselo {

namespace {

bool IsLargeGrid(const solver::Position& position)
{
    return position.Rows() == 4 && position.Columns() == 6;
}

} // namespace

Assistant::Assistant(Game& g, CPuzzleImage& b, SolverService::Options options)
    : game(g), board(b), service(std::make_unique<SolverService>(std::move(options)))
{
    hintTimer.setSingleShot(true);
    connect(&hintTimer, &QTimer::timeout, this, &Assistant::HideHint);
    connect(&solveTimer, &QTimer::timeout, this, &Assistant::Step);
    connect(service.get(), &SolverService::PlanReady, this, &Assistant::OnPlan);
    // Plans and par found before the large tables were ready are asked for
    // again with them.
    connect(service.get(), &SolverService::LargeTablesReady, this, &Assistant::Sync);
}

Assistant::~Assistant()
{
    board.SetHint(std::nullopt);
}

bool Assistant::IsWaiting() const
{
    return (hintWanted || solving) && !follower.Active();
}

std::optional<solver::Position> Assistant::Start() const
{
    // Only a history that reaches back to the scramble knows the start.
    const History& history = game.history;
    if (game.state != Playing || !history.IsActive() || history.movesBefore != 0)
        return std::nullopt;
    return PositionOf(history.start);
}

bool Assistant::ParWanted(const solver::Position& start) const
{
    const GameFacts& facts = game.facts;
    if (!facts.par)
        return true;
    return !facts.parIsOptimal && IsLargeGrid(start) && service->HasLargeTables() && largeParFor != start;
}

std::optional<Assistant::Request> Assistant::Wanted(const solver::Position& now) const
{
    // The player waits for this one.
    if (IsWaiting())
        return Request{Ask::Plan, now};
    if (const std::optional<solver::Position> start = Start(); start && ParWanted(*start))
        return Request{Ask::Par, *start};
    if (!follower.Active())
        return std::nullopt;
    const solver::Plan& rest = follower.Remaining();
    if (!planAtBest && service->HasLargeTables())
        return Request{Ask::Plan, now};
    // Near the end the exact rest is within reach: asked once, since the
    // answer is a shortest plan.
    const int exactBelow = IsLargeGrid(now) && !service->HasLargeTables() ? solver::Solver::kQuickExactBelow
                                                                          : solver::Solver::kExactBelow;
    if (!rest.optimal && rest.Length() <= exactBelow)
        return Request{Ask::Rest, now, rest.Length()};
    return std::nullopt;
}

std::optional<solver::Position> Assistant::Now() const
{
    if (game.state != Playing)
        return std::nullopt;
    const std::optional<solver::Position> now = PositionOf(game.grid);
    if (!now || !solver::Solver::Supports(now->Rows(), now->Columns()))
        return std::nullopt;
    return now;
}

void Assistant::Sync()
{
    const std::optional<solver::Position> now = Now();
    if (!now) {
        Forget();
        return;
    }
    if (follower.Active() && follower.Current() != *now)
        Follow(*now);
    if (hintAt && *hintAt != *now)
        HideHint();
    ShowWaiting();

    const std::optional<Request> want = Wanted(*now);
    if (!want) {
        if (pending)
            service->Cancel();
        pending.reset();
        return;
    }
    // A whole plan asked for the par serves a hint for the same board as
    // well: the search under way goes on.
    const auto whole = [](const Request& r) { return r.ask != Ask::Rest; };
    if (pending && whole(*pending) == whole(*want) && pending->position == want->position &&
        pending->atMost == want->atMost)
        return;
    // A new key makes the answer to any earlier request stale.
    pending = want;
    pending->key = ++lastKey;
    if (want->ask == Ask::Rest)
        service->RequestShortest(want->position, want->atMost, pending->key);
    else
        service->Request(want->position, pending->key);
}

void Assistant::Follow(const solver::Position& now)
{
    // The moves made since the last look, one by one: each must keep to
    // the plan. An undo, or a history that is not the one followed, leaves
    // it.
    const History& history = game.history;
    bool kept = history.IsActive() && history.position >= followedSteps && history.position <= history.steps.size();
    for (std::size_t i = followedSteps; kept && i < history.position; ++i) {
        const std::optional<solver::Slide> slide = SlideOf(history.steps[i].move, game.grid);
        solver::Position next = follower.Current();
        kept = slide.has_value();
        if (kept) {
            next.Apply(*slide);
            kept = follower.Played(*slide, next);
        }
        if (kept && sinceStart)
            ++*sinceStart;
    }
    if (!kept || follower.Current() != now) {
        follower.Drop();
        sinceStart.reset();
        planAtBest = false;
    }
    followedSteps = history.position;
}

void Assistant::OnPlan(quint64 key, const solver::Plan& plan, bool largeTables)
{
    if (!pending || key != pending->key)
        return;
    const Request done = *pending;
    pending.reset();
    if (const std::optional<solver::Position> start = Start(); start && done.position == *start) {
        if (largeTables)
            largeParFor = *start;
        TakePar(plan.Length(), plan.optimal);
    }
    const std::optional<solver::Position> now = Now();
    if (now && follower.Active() && follower.Current() != *now)
        Follow(*now);
    if (now && done.position == *now)
        Adopt(*now, plan, largeTables);
    if (hintWanted && follower.Active())
        ShowNext();
    if (solving && follower.Active() && !solveTimer.isActive()) {
        Step();
        if (solving)
            solveTimer.start(kSolveStepMs);
    }
    Sync();
}

void Assistant::Adopt(const solver::Position& at, const solver::Plan& plan, bool largeTables)
{
    const bool atBest = largeTables || !IsLargeGrid(at);
    const bool wasActive = follower.Active();
    const solver::Plan& rest = follower.Remaining();
    const bool better = !wasActive || plan.Length() < rest.Length() ||
                        (plan.Length() == rest.Length() && plan.optimal && !rest.optimal);
    if (!better) {
        planAtBest = planAtBest || atBest;
        return;
    }
    if (!follower.Adopt(at, plan))
        return;
    planAtBest = atBest;
    followedSteps = game.history.position;
    // A plan from the start is a way from the start; a better rest of a
    // plan followed from the start makes a shorter way from it.
    if (const std::optional<solver::Position> start = Start(); start && at == *start)
        sinceStart = 0;
    else if (!wasActive)
        sinceStart.reset();
    if (sinceStart)
        TakePar(*sinceStart + plan.Length(), *sinceStart == 0 && plan.optimal);
}

void Assistant::TakePar(std::int32_t length, bool optimal)
{
    const GameFacts& facts = game.facts;
    if (!facts.par || length < *facts.par || (length == *facts.par && optimal && !facts.parIsOptimal))
        game.SetPar(length, optimal);
}

void Assistant::Count(const solver::Slide& slide)
{
    const std::pair shown{follower.Current(), slide};
    if (counted == shown)
        return;
    counted = shown;
    game.CountAssisted(1);
}

void Assistant::Hint()
{
    // A paused board shows nothing, so it is shown no move either.
    if (game.IsPaused())
        return;
    Sync();
    if (!Now())
        return;
    if (follower.Active()) {
        ShowNext();
        return;
    }
    hintWanted = true;
    ShowWaiting();
    Sync();
}

void Assistant::ShowNext()
{
    hintWanted = false;
    ShowWaiting();
    const std::optional<solver::Slide> next = follower.Next();
    if (!next)
        return;
    Count(*next);
    board.SetHint(MoveOf(*next));
    hintAt = follower.Current();
    hintTimer.start(kHintMs);
}

void Assistant::HideHint()
{
    hintTimer.stop();
    hintAt.reset();
    board.SetHint(std::nullopt);
}

void Assistant::Solve()
{
    if (game.IsPaused())
        return;
    Sync();
    if (!Now())
        return;
    solving = true;
    ShowWaiting();
    if (follower.Active()) {
        Step();
        if (solving)
            solveTimer.start(kSolveStepMs);
    } else {
        // The first move comes with the plan.
        Sync();
    }
}

void Assistant::Step()
{
    Sync();
    // Without a plan the solve waits for it.
    if (!solving || !follower.Active())
        return;
    const std::optional<solver::Slide> next = follower.Next();
    if (!next) {
        EndSolve();
        return;
    }
    // Counted first: the move that wins is in the win's count.
    Count(*next);
    if (!game.MakeMove(MoveOf(*next))) {
        EndSolve();
        return;
    }
    Sync();
}

void Assistant::EndSolve()
{
    solving = false;
    solveTimer.stop();
    ShowWaiting();
}

void Assistant::ShowWaiting()
{
    // Only a change is shown: Sync runs at every tick of the window's timer.
    const bool waiting = IsWaiting();
    if (waiting == waitingShown)
        return;
    waitingShown = waiting;
    if (waiting)
        board.window()->setCursor(Qt::BusyCursor);
    else
        board.window()->unsetCursor();
}

bool Assistant::Interrupt()
{
    HideHint();
    hintWanted = false;
    const bool wasSolving = solving;
    EndSolve();
    return wasSolving;
}

void Assistant::Forget()
{
    Interrupt();
    follower.Drop();
    sinceStart.reset();
    planAtBest = false;
    counted.reset();
    if (pending)
        service->Cancel();
    pending.reset();
}

} // namespace tesselo
