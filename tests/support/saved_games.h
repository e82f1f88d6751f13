#pragma once

#include "model/game.h"
#include "pictures/game_picture.h"
#include "saved/saved_game_store.h"

#include <QString>

namespace tesselo::testing {

// The saved game in the current directory, written and read as the window
// writes and reads it; without a picture, the picture record a game starts
// with is written and the one read is passed over.
inline bool SaveGame(Game& game, QString* error = nullptr)
{
    return SavedGameStore().Save(game, nullptr, error);
}
inline bool SaveGame(Game& game, const GamePicture& picture, QString* error = nullptr)
{
    return SavedGameStore().Save(game, picture, error);
}
inline bool LoadSavedGame(Game& game)
{
    return SavedGameStore().Load(game, nullptr);
}
inline bool LoadSavedGame(Game& game, GamePicture& picture, const GamePicture::BoardFit& fit = {})
{
    return SavedGameStore().Load(game, picture, fit);
}

// A game with the picture it is shown on, as the window keeps them.
struct ShownGame {
    explicit ShownGame(GamePicture::FirstPicture first = GamePicture::FirstPicture::AtOnce,
                       GameClocks clocks = GameClocks{})
        : game(std::move(clocks)), picture(game, first)
    {
    }
    bool Save(QString* error = nullptr) { return SaveGame(game, picture, error); }
    bool Load(const GamePicture::BoardFit& fit = {}) { return LoadSavedGame(game, picture, fit); }

    Game game;
    GamePicture picture;
};

} // namespace tesselo::testing
