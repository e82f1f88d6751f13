#include "app/input/pad_mapping.h"

#include <cstdlib>

namespace tesselo::pad_mapping {

bool Grabs(PadButton button)
{
    return button == PadButton::LeftShoulder;
}

bool IsDirection(PadButton button)
{
    return button == PadButton::DpadUp || button == PadButton::DpadDown || button == PadButton::DpadLeft ||
           button == PadButton::DpadRight;
}

PadCommand CommandFor(PadButton button, bool grabbing)
{
    switch (button) {
    case PadButton::DpadUp: return grabbing ? PadCommand::SelectUp : PadCommand::SlideUp;
    case PadButton::DpadDown: return grabbing ? PadCommand::SelectDown : PadCommand::SlideDown;
    case PadButton::DpadLeft: return grabbing ? PadCommand::SelectLeft : PadCommand::SlideLeft;
    case PadButton::DpadRight: return grabbing ? PadCommand::SelectRight : PadCommand::SlideRight;
    case PadButton::South: return PadCommand::NewGame;
    case PadButton::East: return PadCommand::Undo;
    case PadButton::RightShoulder: return PadCommand::Redo;
    case PadButton::West: return PadCommand::Hint;
    case PadButton::North: return PadCommand::Numbers;
    case PadButton::Start: return PadCommand::Pause;
    // The left shoulder does nothing by itself; Back is left free.
    case PadButton::LeftShoulder:
    case PadButton::Back:
    case PadButton::Other: return PadCommand::None;
    }
    return PadCommand::None;
}

std::optional<PadButton> StickDirection(std::int32_t x, std::int32_t y, std::optional<PadButton> held)
{
    const std::int32_t ax = std::abs(x);
    const std::int32_t ay = std::abs(y);
    const std::int32_t far = ax >= ay ? ax : ay;
    if (far >= kStickPress) {
        // SDL's y grows downwards, as the board's rows do.
        if (ax >= ay)
            return x < 0 ? PadButton::DpadLeft : PadButton::DpadRight;
        return y < 0 ? PadButton::DpadUp : PadButton::DpadDown;
    }
    if (far <= kStickRelease)
        return std::nullopt;
    return held;
}

} // namespace tesselo::pad_mapping
