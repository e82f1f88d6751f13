#include "app/window/player_settings.h"

#include "app/window/player_messages.h"
#include "model/game.h"
#include "pictures/game_picture.h"
#include "view/c_puzzle_image.h"

#include <utility>

namespace tesselo {

PlayerSettings::PlayerSettings(QWidget& w, Game& g, GamePicture& p, std::function<Prompter&()> ask)
    : window(w), game(g), picture(p), prompts(std::move(ask))
{
}

void PlayerSettings::Load(CPuzzleImage& boardControl)
{
    board = &boardControl;
    settings.Load();
    // The saved game's byte knows only "Strategy" and "Speed": the style
    // itself is the settings', and stays when the game plays like it.
    game.SetStyle(settings.Current().style);
    board->SetAnimated(settings.Current().animateMoves);
    board->SetNumbers(settings.Current().numbersOnTiles);
}

OptionValues PlayerSettings::Shown() const
{
    const SettingsFile::Values& kept = settings.Current();
    return OptionValues{game.View().puzzle.grid.Size(), kept.customSize, game.View().style, picture.Folder().folder,
                        game.View().volume,             kept.animateMoves, kept.numbersOnTiles};
}

void PlayerSettings::Take(const OptionValues& chosen)
{
    // Each owner decides what the choice changes: a grid of another size
    // ends the game in play, a folder is taken when it names another one.
    game.ChooseSize(chosen.size);
    picture.ChooseFolder(chosen.folder);
    game.SetVolume(chosen.volume);
    SettingsFile::Values kept = settings.Current();
    // The counts are offered again next time, whichever size was chosen.
    if (chosen.custom.IsValid())
        kept.customSize = chosen.custom;
    kept.style = chosen.style;
    kept.animateMoves = chosen.animateMoves;
    kept.numbersOnTiles = chosen.numbersOnTiles;
    Keep(kept);
    // After the settings hold it: the game's change then finds it kept.
    game.SetStyle(chosen.style);
    if (board) {
        board->SetAnimated(kept.animateMoves);
        board->SetNumbers(kept.numbersOnTiles);
    }
}

void PlayerSettings::ToggleNumbers()
{
    // Only the picture changes: a drag, a glide or a hint goes on.
    SettingsFile::Values chosen = settings.Current();
    chosen.numbersOnTiles = !chosen.numbersOnTiles;
    Keep(chosen);
    if (board)
        board->SetNumbers(chosen.numbersOnTiles);
}

void PlayerSettings::FollowPosition(const NewPosition& position)
{
    const GridSize size = game.View().puzzle.grid.Size();
    if (position.cause != PositionCause::Restored && size.IsValid() && !size.Level() &&
        size != settings.Current().customSize) {
        SettingsFile::Values chosen = settings.Current();
        chosen.customSize = size;
        Keep(chosen);
    }
}

void PlayerSettings::FollowStyle(const StyleChanged& style)
{
    // Not before the settings are read: the defaults would overwrite them.
    if (!board || style.style == settings.Current().style)
        return;
    SettingsFile::Values chosen = settings.Current();
    chosen.style = style.style;
    Keep(chosen);
}

void PlayerSettings::Keep(const SettingsFile::Values& chosen)
{
    QString why;
    if (!settings.Change(chosen, &why) && !std::exchange(failureTold, true))
        prompts().Ask(&window, Prompt(Prompt::Kind::SettingsNotKept, why));
}

} // namespace tesselo
