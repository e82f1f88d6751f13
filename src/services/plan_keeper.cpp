#include "services/plan_keeper.h"

#include "model/game.h"
#include "model/grid_position.h"
#include "solver/solver.h"

namespace tesselo {

namespace {

// The grids whose plans get shorter once their kept tables are ready.
bool UsesKeptTables(const solver::Position& position)
{
    return solver::Solver::UsesKeptTables(position.Rows(), position.Columns());
}

} // namespace

PlanKeeper::PlanKeeper(Game& g, SolverService::Options options)
    : game(g), service(std::make_unique<SolverService>(std::move(options)))
{
    connect(&solveTimer, &QTimer::timeout, this, &PlanKeeper::Step);
    connect(service.get(), &SolverService::PlanReady, this, &PlanKeeper::OnPlan);
    // Plans and par found before the kept tables were ready are asked for
    // again with them.
    connect(service.get(), &SolverService::LargeTablesReady, this, &PlanKeeper::AskForWhatIsWanted);
    connect(service.get(), &SolverService::BoundTablesReady, this, &PlanKeeper::AskForWhatIsWanted);
    connect(&game, &Game::Changed, this, &PlanKeeper::OnGameChanged);
    AskForWhatIsWanted();
}

PlanKeeper::~PlanKeeper() = default;

std::optional<solver::Position> PlanKeeper::Now() const
{
    if (game.View().puzzle.state != Playing)
        return std::nullopt;
    const std::optional<solver::Position> now = PositionOf(game.View().puzzle.grid);
    if (!now || !solver::Solver::Supports(now->Rows(), now->Columns()))
        return std::nullopt;
    return now;
}

std::optional<solver::Position> PlanKeeper::Start() const
{
    // Only a history that reaches back to the scramble knows the start.
    const History& history = game.View().puzzle.history;
    if (game.View().puzzle.state != Playing || !history.IsActive() || history.movesBefore != 0)
        return std::nullopt;
    return PositionOf(history.start);
}

void PlanKeeper::OnGameChanged(const GameChange& change)
{
    if (const auto* made = std::get_if<MoveMade>(&change)) {
        Follow(made->step.move);
    } else if (std::holds_alternative<MoveTakenBack>(change)) {
        // An undo leaves the plan: the way back is no part of it.
        LeavePlan();
    } else if (std::holds_alternative<NewPosition>(change)) {
        Forget();
    } else if (const auto* state = std::get_if<StateChanged>(&change)) {
        // A paused board is shown no move, and a won one needs none.
        if (state->to != PlayState::Resumed)
            Interrupt();
    } else {
        return;
    }
    AskForWhatIsWanted();
}

void PlanKeeper::Follow(const Move& move)
{
    if (!follower.Active())
        return;
    const std::optional<solver::Position> now = Now();
    const std::optional<solver::Slide> slide = SlideOf(move, game.View().puzzle.grid);
    if (now && slide && follower.Played(*slide, *now)) {
        if (sinceStart)
            ++*sinceStart;
        return;
    }
    LeavePlan();
}

void PlanKeeper::LeavePlan()
{
    follower.Drop();
    sinceStart.reset();
    planAtBest = false;
}

bool PlanKeeper::ParWanted(const solver::Position& start) const
{
    const GameFacts& facts = game.View().puzzle.facts;
    if (!facts.par)
        return true;
    return !facts.parIsOptimal && UsesKeptTables(start) && service->HasTablesFor(start.Rows(), start.Columns()) &&
           keptParFor != start;
}

std::optional<PlanKeeper::Request> PlanKeeper::Wanted(const solver::Position& now) const
{
    // The player waits for this one.
    if (IsWaiting())
        return Request{Ask::Plan, now};
    if (const std::optional<solver::Position> start = Start(); start && ParWanted(*start))
        return Request{Ask::Par, *start};
    if (!follower.Active())
        return std::nullopt;
    const solver::Plan& rest = follower.Remaining();
    const bool keptTables = service->HasTablesFor(now.Rows(), now.Columns());
    if (!planAtBest && keptTables)
        return Request{Ask::Plan, now};
    // Near the end the exact rest is within reach, on the grids where an
    // exact search is quick: asked once, since the answer is a shortest
    // plan.
    const int exactBelow = solver::Solver::ExactRestBelow(now.Rows(), now.Columns(), keptTables);
    if (!rest.optimal && rest.Length() > 0 && rest.Length() <= exactBelow)
        return Request{Ask::Rest, now, rest.Length()};
    return std::nullopt;
}

void PlanKeeper::AskForWhatIsWanted()
{
    const std::optional<solver::Position> now = Now();
    if (!now) {
        Forget();
        return;
    }
    TellWaiting();
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

void PlanKeeper::OnPlan(quint64 key, const solver::Plan& plan, bool keptTables)
{
    if (!pending || key != pending->key)
        return;
    const Request done = *pending;
    pending.reset();
    if (const std::optional<solver::Position> start = Start(); start && done.position == *start) {
        if (keptTables)
            keptParFor = *start;
        TakePar(plan.Length(), plan.optimal);
    }
    if (const std::optional<solver::Position> now = Now(); now && done.position == *now)
        Adopt(*now, plan, keptTables);
    if (hintWanted && follower.Active())
        ShowNext();
    if (solving && follower.Active() && !solveTimer.isActive()) {
        Step();
        if (solving)
            solveTimer.start(kSolveStepMs);
    }
    AskForWhatIsWanted();
}

void PlanKeeper::Adopt(const solver::Position& at, const solver::Plan& plan, bool keptTables)
{
    const bool atBest = keptTables || !UsesKeptTables(at);
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
    // A plan from the start is a way from the start; a better rest of a
    // plan followed from the start makes a shorter way from it.
    if (const std::optional<solver::Position> start = Start(); start && at == *start)
        sinceStart = 0;
    else if (!wasActive)
        sinceStart.reset();
    if (sinceStart)
        TakePar(*sinceStart + plan.Length(), *sinceStart == 0 && plan.optimal);
}

void PlanKeeper::TakePar(std::int32_t length, bool optimal)
{
    const GameFacts& facts = game.View().puzzle.facts;
    if (!facts.par || length < *facts.par || (length == *facts.par && optimal && !facts.parIsOptimal))
        game.SetPar(length, optimal);
}

void PlanKeeper::Count(const solver::Slide& slide)
{
    const std::pair shown{follower.Current(), slide};
    if (counted == shown)
        return;
    counted = shown;
    game.CountAssisted(1);
}

bool PlanKeeper::CanBeSolved(const solver::Position& now)
{
    if (now.IsSolvable())
        return true;
    hintWanted = false;
    solving = false;
    TellWaiting();
    emit NoWayHome();
    return false;
}

void PlanKeeper::Hint()
{
    // A paused board shows nothing, so it is shown no move either.
    const std::optional<solver::Position> now = Now();
    if (!game.CanAssist() || !now || !CanBeSolved(*now))
        return;
    if (follower.Active()) {
        ShowNext();
        return;
    }
    hintWanted = true;
    AskForWhatIsWanted();
}

void PlanKeeper::ShowNext()
{
    hintWanted = false;
    TellWaiting();
    const std::optional<solver::Slide> next = follower.Next();
    if (!next)
        return;
    Count(*next);
    emit HintShown(MoveOf(*next));
}

void PlanKeeper::Solve()
{
    const std::optional<solver::Position> now = Now();
    if (!game.CanAssist() || !now || !CanBeSolved(*now))
        return;
    solving = true;
    if (follower.Active()) {
        TellWaiting();
        Step();
        if (solving)
            solveTimer.start(kSolveStepMs);
    } else {
        // The first move comes with the plan.
        AskForWhatIsWanted();
    }
}

void PlanKeeper::Step()
{
    // Without a plan the solve waits for it.
    if (!solving || !follower.Active())
        return;
    const std::optional<solver::Slide> next = follower.Next();
    if (!next) {
        EndSolve();
        return;
    }
    // Counted first: the move that wins is in the win's count. The move
    // comes back through the game's changes, which take the plan on.
    Count(*next);
    if (!game.MakeMove(MoveOf(*next)))
        EndSolve();
}

void PlanKeeper::EndSolve()
{
    solving = false;
    solveTimer.stop();
    TellWaiting();
}

void PlanKeeper::TellWaiting()
{
    const bool waiting = IsWaiting();
    if (waiting != std::exchange(waitingTold, waiting))
        emit WaitingChanged(waiting);
}

bool PlanKeeper::Interrupt()
{
    hintWanted = false;
    const bool wasSolving = solving;
    EndSolve();
    return wasSolving;
}

void PlanKeeper::Forget()
{
    Interrupt();
    LeavePlan();
    counted.reset();
    if (pending)
        service->Cancel();
    pending.reset();
}

} // namespace tesselo
