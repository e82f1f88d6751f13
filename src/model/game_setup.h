#pragma once

#include "model/game.h"

namespace tesselo {

// The parts of a Game, writable: for tests, fuzzers and benchmarks that
// stage a position directly (a drag half done, a counter near its limit)
// instead of playing up to it. The program itself never includes this; it
// changes a game only through the game's operations.
struct GameSetup {
    explicit GameSetup(Game& game)
        : puzzle(game.play), grid(game.play.grid), gesture(game.drag), stopwatch(game.watch),
          style(game.parts.style)
    {
    }

    Puzzle& puzzle;
    TileGrid& grid;
    DragGesture& gesture;
    Stopwatch& stopwatch;
    Style& style;
};

} // namespace tesselo
