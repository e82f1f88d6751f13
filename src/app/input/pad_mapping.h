#pragma once

#include <cstdint>
#include <optional>

namespace tesselo {

// A game controller's buttons as the board reads them, whatever the make:
// the face buttons by their place (South is A on most pads, Cross on
// others).
enum class PadButton {
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
    // The right stick read as a d-pad of its own: it moves the frame.
    RightStickUp,
    RightStickDown,
    RightStickLeft,
    RightStickRight,
    South,
    East,
    West,
    North,
    Back,
    Start,
    LeftShoulder,
    RightShoulder,
    Other,
};

// What a controller asks of the board: the keyboard's commands, by name.
enum class PadCommand {
    None,
    SelectUp,
    SelectDown,
    SelectLeft,
    SelectRight,
    SlideUp,
    SlideDown,
    SlideLeft,
    SlideRight,
    Undo,
    Redo,
    Hint,
    Pause,
    NewGame,
    Numbers,
};

namespace pad_mapping {

// The directions slide the framed row (left, right) or column (up, down),
// as the arrow keys do; with the left shoulder held they move the frame, as
// Shift and the arrows do. The right stick always moves the frame. A is the first button (as Space), B undoes, the
// right shoulder redoes, X hints, Y turns the numbers on the tiles on or
// off and Start pauses and goes on (as P).
bool Grabs(PadButton button);
// What a press of `button` does, `grabbing` while the left shoulder is
// held. Directions repeat while held; the others act once a press.
PadCommand CommandFor(PadButton button, bool grabbing);
bool IsDirection(PadButton button);

// A stick read as a d-pad: the left one as the d-pad itself, the right one
// as its own four directions (RightStickUp...). It takes a direction past
// kStickPress of its travel and lets it go only back inside kStickRelease,
// so a thumb resting near the edge neither flickers nor repeats a move;
// between the two the direction `held` so far goes on. Of the two axes the
// farther one wins.
enum class Stick { Left, Right };
constexpr int kStickPress = 16000;
constexpr int kStickRelease = 10000;
std::optional<PadButton> StickDirection(std::int32_t x, std::int32_t y, std::optional<PadButton> held,
                                        Stick stick = Stick::Left);

// A held direction acts at once, again after kRepeatDelayMs and then
// every kRepeatMs, as a held arrow key does.
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatMs = 130;

} // namespace pad_mapping

} // namespace tesselo
