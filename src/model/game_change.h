#pragma once

#include "model/drag_gesture.h"
#include "model/history.h"

#include <cstdint>
#include <optional>
#include <variant>

namespace tesselo {

// What made a move.
enum class MoveSource : std::int32_t {
    Key,    // an arrow key, a cell a press
    Drag,   // a drag let go over another cell
    Redo,   // a move undone made again
    Solve,  // a move of the solver's plan, made for the player
    Replay, // a move of a solve played back (a replay's own board)
};

// A move made: the slide, with the selection before and after it.
struct MoveMade {
    HistoryStep step;
    MoveSource by = MoveSource::Key;
    // How far a drag had slid the line when it was let go, in board pixels
    // along the line (positive right or down); 0 for any other source.
    std::int32_t releasedAt = 0;
    // The move completed the picture (a state change follows).
    bool wins = false;
    bool operator==(const MoveMade&) const = default;
};

// A move taken back: the step as it was made. Its inverse was applied and
// the selection is back at step.before.
struct MoveTakenBack {
    HistoryStep step;
    bool operator==(const MoveTakenBack&) const = default;
};

// The board replaced as a whole.
enum class PositionCause : std::int32_t {
    NewGame,  // a new scramble
    Reset,    // the game ended, the picture whole again
    Named,    // the game an ID or the day names
    Loaded,   // a saved game read back
    Restored, // a reset taken back by undo: the abandoned game in play again
    Resized,  // a grid of another size, at rest
};
struct NewPosition {
    PositionCause cause = PositionCause::NewGame;
    bool operator==(const NewPosition&) const = default;
};

// Won: the picture whole, by a move or, in "Blind", when the player said
// so. DidNotFinish: a "Blind" game declared over on a picture not whole.
enum class PlayState : std::int32_t { Won, Paused, Resumed, DidNotFinish };
struct StateChanged {
    PlayState to = PlayState::Won;
    bool operator==(const StateChanged&) const = default;
};

// The yellow frame moved without a move: by Shift and an arrow (a step of
// one cell, wrapping at the edge), or to the cell a drag starts on.
struct SelectionMoved {
    Selection from;
    Selection to;
    bool byKey = false;
    bool operator==(const SelectionMoved&) const = default;
};

// The open drag of the selected line: it follows the pointer, or it ended
// without a move and the line goes back from `offset`. A drag that ends in
// a move is told as that move.
struct GestureChanged {
    enum class Step : std::int32_t { Followed, Released, Cancelled };
    Step step = Step::Followed;
    DragAxis axis = None;
    // Board pixels along the axis, from where the drag began.
    std::int32_t offset = 0;
    bool operator==(const GestureChanged&) const = default;
};

// The ticking clock sound starts or stops (Game::ClockTicks).
struct ClockChanged {
    bool ticking = false;
    bool operator==(const ClockChanged&) const = default;
};

// The style of play: what the counter shows, which cues sound, whether the
// board hides and how a result is scored.
struct StyleChanged {
    Style style = Style::Strategy;
    bool operator==(const StyleChanged&) const = default;
};

// A fact of the game that no move makes, changed: the sound's volume, what
// the solver knows of the shortest way (the par), or how many moves the
// player was helped to. Its value is read from the game.
struct FactChanged {
    enum class Fact : std::int32_t { Volume, Par, Help };
    Fact fact = Fact::Volume;
    bool operator==(const FactChanged&) const = default;
};

// The solver's hint shown on the board, or taken off it (no move).
struct HintChanged {
    std::optional<Move> move;
    bool operator==(const HintChanged&) const = default;
};

// One change of a game, announced once, after it happened, to whoever shows
// it: the board, the bar, the sound, the solver's help and the records.
using GameChange = std::variant<MoveMade, MoveTakenBack, NewPosition, StateChanged, SelectionMoved, GestureChanged,
                                ClockChanged, StyleChanged, FactChanged, HintChanged>;

// The sound's volume as the game keeps it and the saved game stores it: a
// percentage, from silent to full. The options, the mixer and the saved
// game all take this range.
struct Volume {
    static constexpr std::int32_t kSilent = 0;
    static constexpr std::int32_t kFull = 100;
};

// The sound cues; each names one of the sample files.
enum class Cue {
    Win,     // "win.wav"
    Move,    // "move.wav"
    NoMove,  // "nomove.wav"
    NewGame, // "newgame.wav"
    Reset,   // "reset.wav"
};

// The cue a change sounds, if any. "Strategy" sounds every move, taken back
// or refused, and each new game; "Speed" keeps quiet but for the win and
// the reset (its clock ticks instead).
std::optional<Cue> CueOf(const GameChange& change, bool strategyStyle);

// How long the board takes to show a change, beside the cue rule: a move, a
// move taken back, a line let go off its place and the frame stepped by a
// key glide there for kGlideMs; anything else shows at once (0).
inline constexpr std::int32_t kGlideMs = 120;
std::int32_t GlideMsOf(const GameChange& change);
// Whether a change leaves the board as it stands, so that a glide under way
// goes on: the clock, the style, the facts beside play, a hint, and the win
// that follows the move that won.
bool LeavesBoard(const GameChange& change);

} // namespace tesselo
