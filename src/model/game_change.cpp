#include "model/game_change.h"

namespace tesselo {

std::optional<Cue> CueOf(const GameChange& change, bool strategyStyle)
{
    const std::optional<Cue> inStrategy = strategyStyle ? std::optional(Cue::Move) : std::nullopt;
    if (const auto* made = std::get_if<MoveMade>(&change))
        return made->wins ? std::nullopt : inStrategy; // the win has a cue of its own
    if (std::holds_alternative<MoveTakenBack>(change))
        return inStrategy;
    if (const auto* position = std::get_if<NewPosition>(&change)) {
        switch (position->cause) {
        case PositionCause::Reset: return Cue::Reset;
        case PositionCause::NewGame:
        case PositionCause::Named: return strategyStyle ? std::optional(Cue::NewGame) : std::nullopt;
        case PositionCause::Restored: return inStrategy;
        case PositionCause::Loaded:
        case PositionCause::Resized: return std::nullopt;
        }
    }
    if (const auto* state = std::get_if<StateChanged>(&change); state && state->to == PlayState::Won)
        return Cue::Win;
    if (const auto* gesture = std::get_if<GestureChanged>(&change);
        gesture && gesture->step == GestureChanged::Step::Released && strategyStyle)
        return Cue::NoMove;
    return std::nullopt;
}

std::int32_t GlideMsOf(const GameChange& change)
{
    if (std::holds_alternative<MoveMade>(change) || std::holds_alternative<MoveTakenBack>(change))
        return kGlideMs;
    if (const auto* gesture = std::get_if<GestureChanged>(&change))
        return gesture->step != GestureChanged::Step::Followed && gesture->axis != None && gesture->offset != 0
                   ? kGlideMs
                   : 0;
    if (const auto* selection = std::get_if<SelectionMoved>(&change))
        return selection->byKey ? kGlideMs : 0;
    return 0;
}

bool LeavesBoard(const GameChange& change)
{
    const auto* state = std::get_if<StateChanged>(&change);
    return std::holds_alternative<ClockChanged>(change) || std::holds_alternative<StyleChanged>(change) ||
           std::holds_alternative<FactChanged>(change) || std::holds_alternative<HintChanged>(change) ||
           (state && state->to == PlayState::Won);
}

} // namespace tesselo
