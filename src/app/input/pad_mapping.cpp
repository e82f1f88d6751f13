#include "app/input/pad_mapping.h"

#include <cstdlib>

namespace tesselo::pad_mapping {

bool Grabs(PadButton button)
{
    return button == PadButton::LeftShoulder;
}

bool IsDirection(PadButton button)
{
    switch (button) {
    case PadButton::DpadUp:
    case PadButton::DpadDown:
    case PadButton::DpadLeft:
    case PadButton::DpadRight:
    case PadButton::RightStickUp:
    case PadButton::RightStickDown:
    case PadButton::RightStickLeft:
    case PadButton::RightStickRight: return true;
    default: return false;
    }
}

PadCommand CommandFor(PadButton button, bool grabbing)
{
    switch (button) {
    case PadButton::DpadUp: return grabbing ? PadCommand::SelectUp : PadCommand::SlideUp;
    case PadButton::DpadDown: return grabbing ? PadCommand::SelectDown : PadCommand::SlideDown;
    case PadButton::DpadLeft: return grabbing ? PadCommand::SelectLeft : PadCommand::SlideLeft;
    case PadButton::DpadRight: return grabbing ? PadCommand::SelectRight : PadCommand::SlideRight;
    case PadButton::RightStickUp: return PadCommand::SelectUp;
    case PadButton::RightStickDown: return PadCommand::SelectDown;
    case PadButton::RightStickLeft: return PadCommand::SelectLeft;
    case PadButton::RightStickRight: return PadCommand::SelectRight;
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

std::optional<PadButton> StickDirection(std::int32_t x, std::int32_t y, std::optional<PadButton> held, Stick stick)
{
    const std::int32_t ax = std::abs(x);
    const std::int32_t ay = std::abs(y);
    const std::int32_t far = ax >= ay ? ax : ay;
    if (far >= kStickPress) {
        const bool left = stick == Stick::Left;
        // SDL's y grows downwards, as the board's rows do.
        if (ax >= ay)
            return x < 0 ? (left ? PadButton::DpadLeft : PadButton::RightStickLeft)
                         : (left ? PadButton::DpadRight : PadButton::RightStickRight);
        return y < 0 ? (left ? PadButton::DpadUp : PadButton::RightStickUp)
                     : (left ? PadButton::DpadDown : PadButton::RightStickDown);
    }
    if (far <= kStickRelease)
        return std::nullopt;
    return held;
}

} // namespace tesselo::pad_mapping
