#pragma once

#include "model/move.h"
#include "solver/plan.h"
#include "solver/plan_follower.h"
#include "solver/position.h"
#include "solver_qt/solver_service.h"

#include <QObject>
#include <QTimer>

#include <cstddef>
#include <memory>
#include <optional>
#include <utility>

namespace tesselo {

class CPuzzleImage;
class Game;

// The solver's help in the game: the par of every game, the hint (H) and
// the solve (Shift+H). It owns the solver's thread and keeps one plan in
// step with the board, so that each hint followed takes the plan down by
// exactly one move; the plan is made anew only when the player leaves it.
// Nothing is solved on the window's thread, and an answer for a board that
// changed meanwhile is dropped.
//
// The window calls Sync after anything that may have changed the game (its
// timer does at every tick), Interrupt at every key press and click, and
// Stop before any command.
class Assistant : public QObject {
    Q_OBJECT
public:
    // How long a hint stays without input, and the pace of a solve.
    static constexpr int kHintMs = 2000;
    static constexpr int kSolveStepMs = 300;

    Assistant(Game& game, CPuzzleImage& board, SolverService::Options options);
    ~Assistant() override;

    // Follows the plan through the moves made since the last look, and asks
    // the solver for whatever is wanted now: a plan the player waits for,
    // the par of the game's start, or the exact rest of a plan near its end.
    void Sync();
    // Shows the plan's next move, now or when the plan arrives.
    void Hint();
    // Plays the rest of the plan, a move every kSolveStepMs, each one a
    // move of the game's own, in its history.
    void Solve();
    // The player's next key or click: the hint goes and a solve stops.
    // True when a solve was stopped, so that the input does nothing else.
    bool Interrupt();
    // A command takes over.
    void Stop() { Interrupt(); }

    bool IsSolving() const { return solving; }
    // Whether a hint or a solve waits for its plan.
    bool IsWaiting() const;
    const solver::PlanFollower& Plan() const { return follower; }
    SolverService& Service() { return *service; }

private:
    enum class Ask { Plan, Par, Rest };
    struct Request {
        Ask ask = Ask::Plan;
        solver::Position position;
        int atMost = 0;
        quint64 key = 0;
    };

    // The board in the solver's terms, while a game the solver knows is in
    // play.
    std::optional<solver::Position> Now() const;
    std::optional<Request> Wanted(const solver::Position& now) const;
    std::optional<solver::Position> Start() const;
    bool ParWanted(const solver::Position& start) const;
    void OnPlan(quint64 key, const solver::Plan& plan, bool largeTables);
    void Follow(const solver::Position& now);
    void Adopt(const solver::Position& at, const solver::Plan& plan, bool largeTables);
    void TakePar(std::int32_t length, bool optimal);
    // Counts a move shown or made for the player, once.
    void Count(const solver::Slide& slide);
    void ShowNext();
    void HideHint();
    void Step();
    void EndSolve();
    void ShowWaiting();
    // No game in play, or one the solver does not know: nothing to help with.
    void Forget();

    Game& game;
    CPuzzleImage& board;
    std::unique_ptr<SolverService> service;
    solver::PlanFollower follower;
    // The history's position the plan was last followed to.
    std::size_t followedSteps = 0;
    // Moves made along the plan since the game's start, while it has been
    // followed from there: with the rest of the plan, a way from the start.
    std::optional<std::int32_t> sinceStart;
    // The plan is as short as the solver's tables allow (on 4 x 6, from the
    // large tables).
    bool planAtBest = false;
    // The start whose par the large tables gave.
    std::optional<solver::Position> largeParFor;
    std::optional<Request> pending;
    quint64 lastKey = 0;
    bool hintWanted = false;
    bool solving = false;
    bool waitingShown = false; // the busy pointer
    std::optional<solver::Position> hintAt;
    std::optional<std::pair<solver::Position, solver::Slide>> counted;
    QTimer hintTimer;
    QTimer solveTimer;
};

} // namespace tesselo
