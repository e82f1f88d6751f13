#pragma once

#include "model/game.h"
#include "model/game_setup.h"
#include "support/saved_games.h"

#include <QString>

namespace tesselo::testing {

// Saves a "Pro" game in play one move from the whole picture into the
// current directory: row 1 one cell to the right of home with the frame on
// it, after 7 moves. Left then completes the picture.
inline bool SaveNearlyWon(bool strategy, QString* error = nullptr)
{
    ShownGame shown;
    Game& game = shown.game;
    GameSetup setup(game);
    setup.grid.Resize(3, 3);
    setup.grid.Apply(Move{MoveAxis::Row, 1, 1});
    setup.grid.Select({1, 1});
    setup.puzzle.state = Playing;
    setup.puzzle.moves = 7;
    game.SetStrategyStyle(strategy);
    return shown.Save(error);
}

} // namespace tesselo::testing
