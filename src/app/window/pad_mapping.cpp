#include "app/window/pad_mapping.h"

#include <cstdlib>

namespace tesselo::pad_mapping {

bool Grabs(PadButton button)
{
    return button == PadButton::South || button == PadButton::LeftShoulder || button == PadButton::RightShoulder;
}

bool IsDirection(PadButton button)
{
    return button == PadButton::DpadUp || button == PadButton::DpadDown || button == PadButton::DpadLeft ||
           button == PadButton::DpadRight;
}

PadCommand CommandFor(PadButton button, bool grabbing)
{
    switch (button) {
    case PadButton::DpadUp: return grabbing ? PadCommand::SlideUp : PadCommand::SelectUp;
    case PadButton::DpadDown: return grabbing ? PadCommand::SlideDown : PadCommand::SelectDown;
    case PadButton::DpadLeft: return grabbing ? PadCommand::SlideLeft : PadCommand::SelectLeft;
    case PadButton::DpadRight: return grabbing ? PadCommand::SlideRight : PadCommand::SelectRight;
    case PadButton::East: return PadCommand::Undo;
    case PadButton::West: return PadCommand::Redo;
    case PadButton::North: return PadCommand::Hint;
    case PadButton::Start: return PadCommand::Pause;
    case PadButton::Back: return PadCommand::NewGame;
    // The grabbing buttons do nothing by themselves.
    case PadButton::South:
    case PadButton::LeftShoulder:
    case PadButton::RightShoulder:
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
