#include "app/window/game_listeners.h"

#include "app/window/c_tesselo_dlg.h"
#include "app/window/game_bar.h"
#include "model/game.h"
#include "records/result_text.h"
#include "view/c_puzzle_image.h"

#include <QTimerEvent>

namespace tesselo {

void ConnectListeners(CTesseloDlg& window)
{
    Game& game = window.TheGame();
    SoundEffects& sound = window.Sound();
    sound.ApplyVolume(game.View().volume);
    // Opening the saved game is no change of the player's: it sounds
    // nothing, though its clock and volume hold.
    QObject::connect(&game, &Game::Changed, &window, [&game, &sound, &window](const GameChange& change) {
        sound.Hear(change, game.View().style.IsStrategy(), game.View().volume, window.IsOpen());
    });
    const ReplayPlayer& replay = window.Replays().player;
    QObject::connect(&replay, &ReplayPlayer::Changed, &window, [&game, &sound, &replay](const GameChange& change) {
        sound.Hear(change, replay.StrategyStyle(), game.View().volume, true);
    });
    QObject::connect(&game, &Game::Changed, &window, [&window](const GameChange& change) {
        if (const auto* position = std::get_if<NewPosition>(&change))
            window.OnNewPosition(*position);
        else if (const auto* style = std::get_if<StyleChanged>(&change))
            window.Options().FollowStyle(*style);
    });
    window.Kept().Follow(game, &window.Picture());
    QObject::connect(&window.Kept(), &RecordsKeeper::WinNotKept, &window, [&window](const Records::Failure& failure) {
        window.Prompts().Ask(&window, Prompt(Prompt::Kind::WinNotKept, failure.Message()));
    });
    window.Board().Show(&game, &window.Picture());
}

BarFollower::BarFollower(Game& g, GameBar& b) : game(g), bar(b)
{
    connect(&game, &Game::Changed, this, &BarFollower::OnGameChanged);
}

void BarFollower::Open()
{
    open = true;
    ShowCounter();
    FollowClock();
}

void BarFollower::Close()
{
    open = false;
    clockTimer.stop();
}

void BarFollower::OnGameChanged(const GameChange& change)
{
    if (const auto* state = std::get_if<StateChanged>(&change); state && open)
        Announce(state->to);
    if (std::holds_alternative<ClockChanged>(change))
        FollowClock();
    // The pointer and the frame change nothing the bar shows.
    if (!std::holds_alternative<GestureChanged>(change) && !std::holds_alternative<SelectionMoved>(change))
        ShowCounter();
}

void BarFollower::Announce(PlayState state)
{
    const auto& view = game.View();
    if (state == PlayState::Won && view.style.IsFewestMoves()) {
        // The result is the solution's length, against the shortest known.
        const GameResult won = game.ResultOfWin(QString());
        const QString over = OverShortestText(won.netMoves, won.par, won.parIsOptimal);
        const QString solved = GameBar::tr("Solved in %n move(s)", nullptr, won.netMoves);
        bar.Announce(over.isEmpty() ? solved : GameBar::tr("%1, %2").arg(solved, over));
    } else if (state == PlayState::Won) {
        bar.Announce(view.style.IsStrategy() ? GameBar::tr("Solved in %n move(s)", nullptr, view.puzzle.moves)
                                             : GameBar::tr("Solved in %1").arg(game.CounterText()));
    } else if (state == PlayState::DidNotFinish) {
        //: A "Blind" game declared over on a picture not whole
        bar.Announce(GameBar::tr("Did not finish (DNF) in %1").arg(game.CounterText()));
    } else {
        bar.Announce(state == PlayState::Paused ? GameBar::tr("Paused") : GameBar::tr("Resumed"));
    }
}

void BarFollower::ShowCounter()
{
    const auto& view = game.View();
    const bool playing = view.puzzle.state == Playing;
    bar.Show(game.CounterText(), view.style.IsStrategy(),
             !playing                 ? GameBar::FirstButton::NewGame
             : view.style.IsBlind()   ? GameBar::FirstButton::Done
                                      : GameBar::FirstButton::ResetGame);
}

void BarFollower::FollowClock()
{
    if (!open || !game.ClockTicks()) {
        clockTimer.stop();
        return;
    }
    // The counter shows tenths: wake just after the next one turns (a
    // millisecond late rather than early, which would show the same
    // tenth and wake again at once).
    const int intoTenth = game.View().stopwatch.elapsed % 100;
    clockTimer.start(100 - intoTenth + 1, Qt::PreciseTimer, this);
}

void BarFollower::timerEvent(QTimerEvent* event)
{
    OnTimer(event->timerId());
}

void BarFollower::OnTimer(int id)
{
    if (id == 0 || id != TimerId())
        return;
    game.Tick();
    // The moves are shown as they change; a time, as it runs.
    ShowCounter();
    FollowClock();
}

} // namespace tesselo
