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
};

namespace pad_mapping {

// Held, South or either shoulder turns the directions from moving the
// frame into sliding the framed row (left, right) or column (up, down), as
// Shift turns the arrow keys the other way round on the keyboard.
bool Grabs(PadButton button);
// What a press of `button` does, `grabbing` while a button that grabs is
// held. Directions repeat while held; the others act once a press.
PadCommand CommandFor(PadButton button, bool grabbing);
bool IsDirection(PadButton button);

// The left stick read as a d-pad. It takes a direction past kStickPress of
// its travel and lets it go only back inside kStickRelease, so a thumb
// resting near the edge neither flickers nor repeats a move; between the
// two the direction `held` so far goes on. Of the two axes the farther
// one wins.
constexpr int kStickPress = 16000;
constexpr int kStickRelease = 10000;
std::optional<PadButton> StickDirection(std::int32_t x, std::int32_t y, std::optional<PadButton> held);

// A held direction acts at once, again after kRepeatDelayMs and then
// every kRepeatMs, as a held arrow key does.
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatMs = 130;

} // namespace pad_mapping

} // namespace tesselo
