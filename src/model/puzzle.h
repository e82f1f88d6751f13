#pragma once

#include "model/drag_gesture.h"
#include "model/game_facts.h"
#include "model/history.h"
#include "model/tile_grid.h"

#include <cstdint>
#include <optional>

namespace tesselo {

enum GameState : std::int32_t { Idle = 0, Playing = 1, Solved = 2 };

// The game as a puzzle: the grid, the state of play, the move counter and
// the moves made, with what is known of the game. Every change of the grid
// in play goes through Make, Undo, Redo or a reset, so the counter, the
// history and the grid always agree. It knows nothing of pixels, clocks or
// sound.
class Puzzle {
public:
    // A game taken back by a reset, kept until the next new game so that
    // one undo can bring it back exactly as it stood.
    struct Abandoned {
        TileGrid grid;
        std::int32_t moves = 0;
        History history;
        GameFacts facts;
        std::int32_t elapsed = 0; // the time its counter showed
        std::int32_t running = 0; // its stopwatch at the reset
    };

    // A new game starts at least this many moves from solved.
    static constexpr int kLeastStartDistance = 3;

    // A new game in play at `scrambled`, counting from zero.
    void Start(const TileGrid& scrambled, GameFacts known);
    // A new game in play, scrambled from the home order at the grid's size
    // by `seed`. A seed whose scramble is within reach of solved (closer
    // than kLeastStartDistance) gives way to the next one, and the seed
    // kept in the facts is the one played.
    void StartScrambled(std::uint32_t seed);
    // A saved game read back: its grid, state and counter; its moves, if
    // kept, are given to AdoptHistory.
    void Resume(const TileGrid& saved, GameState savedState, std::int32_t savedMoves);
    // Takes a kept history and what it knows, when it leads to this game
    // and its seed, if it names one, shuffles to the history's start (a
    // seed edited by hand would name another game's ID). A history that has
    // outgrown its start (History::kMaxSteps) cannot show the scramble, and
    // its seed is taken on trust.
    bool AdoptHistory(History kept, const GameFacts& known);

    // Slides a line of the game in play, puts the selection where the move
    // leaves it, counts the move and records it. False, with nothing
    // changed, outside play or when the move would change nothing.
    bool Make(const PlannedMove& planned);
    void Select(Selection s) { grid.Select(s); }
    // Solved once the grid is in home order after a move.
    bool CheckSolved();

    bool CanUndo() const;
    bool CanRedo() const;
    // Whether an undo now brings the abandoned game back: at rest after a
    // reset, or in a game started over it that has no move to take back.
    bool Restores() const;
    // Takes the last move back, or brings the abandoned game back (see
    // Restores). The step undone, or nothing.
    enum class UndoKind { Nothing, Move, Restored };
    UndoKind Undo();
    bool Redo();

    // Ends a game in play (kept as abandoned) or a finished one: the grid
    // back in home order, the counter at zero, at rest.
    void Reset(std::int32_t elapsed, std::int32_t running);
    // The grid at another size, in home order: a game in play is ended and
    // kept as abandoned (see Reset); the moves of a finished one are gone.
    void Resize(std::int32_t rows, std::int32_t columns);
    void EndHistory();

    // What the solver knows of the game in play: the fewest moves found
    // for its start, and whether none fewer exist. Never more than the
    // scramble undone.
    void SetPar(std::int32_t length, bool optimal);
    // Moves the player was shown (a hint) or had made (a solve), counted
    // up to the largest count rather than past it.
    void CountAssisted(std::int32_t count);

    TileGrid grid;
    GameState state = Idle;
    std::int32_t moves = 0;
    // The moves of the game in play, or of the game just won (for its
    // replay) until the next new game.
    History history;
    GameFacts facts;
    std::optional<Abandoned> abandoned;

private:
    // The counter stops at its largest value rather than overflow.
    void CountMove();
};

} // namespace tesselo
