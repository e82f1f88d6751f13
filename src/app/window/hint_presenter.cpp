#include "app/window/hint_presenter.h"

#include "model/game.h"
#include "view/c_puzzle_image.h"

namespace tesselo {

HintPresenter::HintPresenter(Game& g, CPuzzleImage& b, SolverService::Options options)
    : game(g), board(b), keeper(g, std::move(options))
{
    hintTimer.setSingleShot(true);
    connect(&hintTimer, &QTimer::timeout, this, &HintPresenter::Hide);
    connect(&keeper, &PlanKeeper::HintShown, this, &HintPresenter::Show);
    connect(&keeper, &PlanKeeper::WaitingChanged, this, &HintPresenter::ShowWaiting);
    connect(&keeper, &PlanKeeper::NoWayHome, this, &HintPresenter::NoWayHome);
    connect(&g, &Game::Changed, this, &HintPresenter::OnGameChanged);
}

HintPresenter::~HintPresenter()
{
    game.ShowHint(std::nullopt);
    ShowWaiting(false);
}

bool HintPresenter::Interrupt()
{
    Hide();
    return keeper.Interrupt();
}

void HintPresenter::Show(const Move& move)
{
    game.ShowHint(move);
    hintTimer.start(kHintMs);
}

void HintPresenter::Hide()
{
    hintTimer.stop();
    game.ShowHint(std::nullopt);
}

void HintPresenter::OnGameChanged(const GameChange& change)
{
    // A hint is for the board it was given on: a move of the frame or the
    // pointer leaves it be.
    if (std::holds_alternative<MoveMade>(change) || std::holds_alternative<MoveTakenBack>(change) ||
        std::holds_alternative<NewPosition>(change) || std::holds_alternative<StateChanged>(change))
        Hide();
}

void HintPresenter::ShowWaiting(bool waiting)
{
    if (waiting)
        board.window()->setCursor(Qt::BusyCursor);
    else
        board.window()->unsetCursor();
}

} // namespace tesselo
