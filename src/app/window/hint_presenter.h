#pragma once

#include "model/game_change.h"
#include "services/plan_keeper.h"

#include <QObject>
#include <QTimer>

namespace tesselo {

class CPuzzleImage;
class Game;

// The solver's help as the player sees it: the plan keeper's hint drawn on
// the board until the board changes, the player does anything, or
// kHintMs pass; the busy pointer while a hint or a solve waits for its
// plan.
class HintPresenter : public QObject {
    Q_OBJECT
public:
    static constexpr int kHintMs = 2000;

    HintPresenter(Game& game, CPuzzleImage& board, SolverService::Options options);
    ~HintPresenter() override;

    // H, and Shift+H.
    void Hint() { keeper.Hint(); }
    void Solve() { keeper.Solve(); }
    // The player's next key or click: the hint goes and a solve stops.
    // True when a solve was stopped, so that the input does nothing else.
    bool Interrupt();

    PlanKeeper& Plans() { return keeper; }
    const PlanKeeper& Plans() const { return keeper; }

signals:
    // The board asked about cannot be solved (PlanKeeper::NoWayHome).
    void NoWayHome();

private:
    void Show(const Move& move);
    void Hide();
    void OnGameChanged(const GameChange& change);
    void ShowWaiting(bool waiting);

    Game& game;
    CPuzzleImage& board;
    PlanKeeper keeper;
    QTimer hintTimer;
};

} // namespace tesselo
