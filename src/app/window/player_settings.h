#pragma once

#include "app/dialogs/c_option_dlg.h"
#include "model/game_change.h"
#include "saved/settings_file.h"

#include <functional>

class QWidget;

namespace tesselo {

class CPuzzleImage;
class Game;
class GamePicture;
class Prompter;

// The player's settings as the window keeps them: read from "tesselo.ini"
// as the window opens, written at every change, the first failure of a
// session told (the later ones would say the same; a setting that cannot be
// kept still holds until the game ends). The Options are shown from the
// game, the picture and the settings, and what the player chose goes to
// each, which decides what it changes.
class PlayerSettings {
public:
    PlayerSettings(QWidget& window, Game& game, GamePicture& picture, std::function<Prompter&()> prompts);

    // Reads the settings, and gives the game its style and the board its
    // looks.
    void Load(CPuzzleImage& board);
    const SettingsFile& File() const { return settings; }
    const SettingsFile::Values& Current() const { return settings.Current(); }
    OptionValues Shown() const;
    void Take(const OptionValues& chosen);
    // Shows or hides each tile's number, and keeps the choice.
    void ToggleNumbers();
    // The Options offer the last custom grid played under "Custom", however
    // it came (an ID, a saved game, the Options themselves); an undo that
    // brings back an abandoned game chooses nothing.
    void FollowPosition(const NewPosition& position);
    // The style the game plays in, however it came (the Options, a race in
    // a win's style, a saved game of the other clock), is the one kept:
    // the saved game's byte tells only the clock, so a style left behind
    // in the settings would come back in its place at the next start.
    void FollowStyle(const StyleChanged& style);

private:
    void Keep(const SettingsFile::Values& chosen);

    QWidget& window;
    Game& game;
    GamePicture& picture;
    std::function<Prompter&()> prompts;
    CPuzzleImage* board = nullptr;
    SettingsFile settings;
    bool failureTold = false;
};

} // namespace tesselo
