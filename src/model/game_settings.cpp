// The game's settings, the solver's and the player's facts beside play, and
// the record the saved game keeps: what the options, the solver's help and
// the saved game change. The rules of play are in game.cpp.
#include "model/game.h"

#include "model/grid_position.h"

#include <algorithm>
#include <utility>

namespace tesselo {

bool PlayRecord::IsSound() const
{
    // An arrangement out of reach of any slide (an odd one on an odd by odd
    // grid) comes only from a file made by hand: no hint could solve it.
    const std::optional<solver::Position> position = PositionOf(grid);
    return grid.Size().IsValid() && dragAxis >= None && dragAxis <= Vertical && state >= Idle && state <= Solved &&
           volume >= Volume::kSilent && volume <= Volume::kFull && moves >= 0 && elapsed >= 0 &&
           elapsed <= Game::kMaxElapsed && (!position || position->IsSolvable());
}

void Game::ChangeSize(GridSize size)
{
    if (!size.IsValid())
        return;
    // The game in play goes as a reset takes it, so that one undo brings
    // it back at its own size, as after a game started by ID.
    drag.Cancel();
    if (play.state == Playing) {
        ShowRunningTime();
        play.Reset(watch.elapsed, watch.Running());
        watch.elapsed = 0;
    }
    play.Resize(size.rows, size.columns);
    AnnounceWithClock(NewPosition{PositionCause::Resized});
}

void Game::SetStyle(Style style)
{
    const bool changed = parts.style != style;
    parts.style = style;
    if (changed)
        Announce(StyleChanged{style});
    ClockMayHaveChanged();
    // A whole picture left standing in "Blind" wins once the style no
    // longer waits for the player's word.
    if (play.state == Playing && !drag.dragging && MoveWins()) {
        ShowRunningTime();
        play.CheckSolved();
        AnnounceWin();
    }
}

void Game::SetVolume(std::int32_t volume)
{
    const std::int32_t before = std::exchange(parts.volume, std::clamp(volume, Volume::kSilent, Volume::kFull));
    if (parts.volume != before)
        Announce(FactChanged{FactChanged::Fact::Volume});
}

void Game::SetPar(std::int32_t length, bool optimal)
{
    const auto before = std::pair(play.facts.par, play.facts.parIsOptimal);
    play.SetPar(length, optimal);
    if (std::pair(play.facts.par, play.facts.parIsOptimal) != before)
        Announce(FactChanged{FactChanged::Fact::Par});
}

void Game::CountAssisted(std::int32_t count)
{
    const auto before = play.facts.assisted;
    play.CountAssisted(count);
    if (play.facts.assisted != before)
        Announce(FactChanged{FactChanged::Fact::Help});
}

void Game::ShowHint(const std::optional<Move>& move)
{
    if (std::exchange(parts.hint, move) != move)
        Announce(HintChanged{move});
}

PlayRecord Game::Record()
{
    ShowRunningTime();
    return PlayRecord{drag.dragAnchorY, drag.dragAnchorX, drag.dragAxis,       play.state, watch.elapsed,
                      play.moves,       parts.volume,     parts.style.IsStrategy(), play.grid};
}

bool Game::Resume(const PlayRecord& saved)
{
    if (!saved.IsSound())
        return false;
    drag.Cancel();
    drag.dragAnchorY = saved.dragAnchorY;
    drag.dragAnchorX = saved.dragAnchorX;
    drag.dragAxis = saved.dragAxis;
    const bool volumeChanged = std::exchange(parts.volume, saved.volume) != saved.volume;
    const Style savedStyle = Style::FromStrategy(saved.strategyStyle);
    if (parts.style.Base() != savedStyle)
        parts.style = savedStyle;
    play.Resume(saved.grid, saved.state, saved.moves);
    // The stopwatch goes on from the saved time at the first tick.
    watch.ResumeAt(saved.elapsed);
    AnnounceWithClock(NewPosition{PositionCause::Loaded});
    if (volumeChanged)
        Announce(FactChanged{FactChanged::Fact::Volume});
    return true;
}

void Game::AdoptHistory(History kept, const GameFacts& known)
{
    if (play.AdoptHistory(std::move(kept), known))
        ClockMayHaveChanged(); // a game put aside paused comes back paused
}

} // namespace tesselo
