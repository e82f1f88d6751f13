#pragma once

#include "model/game_change.h"
#include "model/move.h"
#include "positions/plan.h"
#include "positions/plan_follower.h"
#include "positions/position.h"
#include "services/solver_service.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>
#include <utility>

namespace tesselo {

class Game;

// The solver's help with a game: the par of every game, the hint and the
// solve. It owns the solver's thread and keeps one plan in step with the
// board, following the game's changes as they come: each move that keeps
// to the plan takes it down by exactly one, and the plan is made anew only
// when the board leaves it. Nothing is solved on the caller's thread, and
// an answer for a board that changed meanwhile is dropped.
//
// It shows nothing: a hint is handed out as a move (HintShown), and whoever
// shows it decides for how long. A solve makes the plan's moves as the
// game's own, one every kSolveStepMs.
class PlanKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kSolveStepMs = 300;

    PlanKeeper(Game& game, SolverService::Options options);
    ~PlanKeeper() override;

    // The plan's next move, now or when the plan arrives: HintShown.
    void Hint();
    // Plays the rest of the plan, the first move now or when the plan
    // arrives.
    void Solve();
    // The player's next key or click: a hint waited for is no longer
    // wanted and a solve stops. True when a solve was stopped.
    bool Interrupt();

    bool IsSolving() const { return solving; }
    // Whether a hint or a solve waits for its plan.
    bool IsWaiting() const { return (hintWanted || solving) && !follower.Active(); }
    const solver::PlanFollower& Plan() const { return follower; }
    SolverService& Service() { return *service; }

signals:
    // A move to show the player, counted once as help.
    void HintShown(const tesselo::Move& move);
    // The player starts or stops waiting for a plan.
    void WaitingChanged(bool waiting);
    // A hint or a solve was asked for a board no slides can solve (only a
    // saved game made by hand holds one): there is nothing to wait for.
    void NoWayHome();

private:
    enum class Ask { Plan, Par, Rest };
    struct Request {
        Ask ask = Ask::Plan;
        solver::Position position;
        int atMost = 0;
        quint64 key = 0;
    };

    void OnGameChanged(const GameChange& change);
    // The board in the solver's terms, while a game the solver knows is in
    // play.
    std::optional<solver::Position> Now() const;
    // The scramble, when the game's moves reach back to it.
    std::optional<solver::Position> Start() const;
    // Asks the solver for whatever is wanted now: a plan the player waits
    // for, the par of the game's start, or the exact rest of a plan near
    // its end.
    void AskForWhatIsWanted();
    std::optional<Request> Wanted(const solver::Position& now) const;
    bool ParWanted(const solver::Position& start) const;
    void OnPlan(quint64 key, const solver::Plan& plan, bool keptTables);
    // A move made: kept to the plan, or left it.
    void Follow(const Move& move);
    void LeavePlan();
    void Adopt(const solver::Position& at, const solver::Plan& plan, bool keptTables);
    void TakePar(std::int32_t length, bool optimal);
    // Counts a move shown or made for the player, once.
    void Count(const solver::Slide& slide);
    void ShowNext();
    void Step();
    void EndSolve();
    void TellWaiting();
    // False, having said so, when the board is out of reach of any slide.
    bool CanBeSolved(const solver::Position& now);
    // No game in play, or a new board: nothing of the old plan holds.
    void Forget();

    Game& game;
    std::unique_ptr<SolverService> service;
    solver::PlanFollower follower;
    // Moves made along the plan since the game's start, while it has been
    // followed from there: with the rest of the plan, a way from the start.
    std::optional<std::int32_t> sinceStart;
    // The plan is as short as the solver's tables allow (on 4 x 6, from the
    // large tables; on 13 to 16 cells, from the bound tables).
    bool planAtBest = false;
    // The start whose par the kept tables gave.
    std::optional<solver::Position> keptParFor;
    std::optional<Request> pending;
    quint64 lastKey = 0;
    bool hintWanted = false;
    bool solving = false;
    bool waitingTold = false;
    // The last move counted as help, and the board it was counted on.
    std::optional<std::pair<solver::Position, solver::Slide>> counted;
    QTimer solveTimer;
};

} // namespace tesselo
