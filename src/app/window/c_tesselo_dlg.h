#pragma once

#include "app/input/board_actions.h"
#include "app/input/board_input.h"
#include "app/input/game_controller.h"
#include "app/window/board_commands.h"
#include "app/window/game_bar.h"
#include "app/window/game_listeners.h"
#include "app/window/game_sharing.h"
#include "app/window/pause_keeper.h"
#include "app/window/player_messages.h"
#include "app/window/player_settings.h"
#include "app/window/race_session.h"
#include "app/window/sound_effects.h"
#include "app/window/window_layout.h"
#include "app/window/window_sizer.h"
#include "pictures/game_picture.h"
#include "services/records_keeper.h"

#include <QDialog>

#include <memory>

class QMenu;

namespace tesselo {

class CPuzzleImage;
class Game;

// The game's only window: a bar of buttons and counters over the board.
// It is the front end of the game: it turns clicks, drags and keys into the
// game's operations (and a game controller's buttons and a finger's
// touches too), and the board, the bar, the sound and the records
// follow the game's changes (game_listeners connects them); it owns the
// sound, the records and the replay, and reads the saved game when it opens
// and writes it when it closes. The board holds the keyboard focus (the
// window's focus proxy), as a screen reader expects, and leaves every key to
// the window: the bar's buttons never take the focus, so the arrows always
// reach the board.
class CTesseloDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTesseloDlg(Game& game, QWidget* parent = nullptr);
    ~CTesseloDlg() override;

    // Opens the window and runs it until it is closed.
    int DoModal();

    void OnInitDialog();
    void OnBnClickedNewGame();
    void OnBnClickedOptions();
    void OnBnClickedHelp();
    // Returns whether the window may close.
    bool OnClose();
    // Writes the saved game at once if the window is open, for a session
    // that ends (its manager asks, or a signal says so). Returns false only
    // when a save was due and failed, with the reason.
    bool SaveNow(QString* why = nullptr);
    void OnSize(int cx, int cy) { sizer.OnSize(cx, cy); }
    // Shows or hides each tile's number (the N key), and keeps the choice.
    void ToggleNumbers() { settings.ToggleNumbers(); }
    // Ends whatever the board is doing, an open drag, a hint, a solve and a
    // replay, before a button, a window or a command takes over.
    void StopBoard();
    // A game controller's command, as its keys would do it on the keyboard.
    void OnPadCommand(PadCommand command) { commands.Pad(command); }
    // The game controllers read while the window is open.
    GameController& Controller() { return controller; }
    // The board's context menu, its entries enabled as they apply now.
    std::unique_ptr<QMenu> MakeBoardMenu();

    static constexpr int kMinClientWidth = window_layout::kMinClientWidth;
    static constexpr int kMinClientHeight = window_layout::kMinClientHeight;

    Game& TheGame() const { return game; }
    // The picture the game is shown on, and its folder.
    GamePicture& Picture() { return picture; }
    CPuzzleImage& Board() const { return *boardControl; }
    GameBar& Bar() { return bar; }
    int BarHeight() const { return sizer.BarHeight(); }
    int ButtonWidth() const { return sizer.ButtonWidth(); }
    // The bar's counter and its clock's timer, the only timer while idle.
    BarFollower& Counter() { return counter; }
    // Between the window's opening and its close: when a session's end
    // has a game to save.
    bool IsOpen() const { return open; }
    SoundEffects& Sound() { return sound; }
    const SettingsFile& Settings() const { return settings.File(); }
    PlayerSettings& Options() { return settings; }
    RecordsKeeper& Kept() { return records; }
    BoardCommands& Commands() { return commands; }
    BoardReplay& Replays() { return commands.Replays(); }
    HintPresenter& Hints() { return commands.Hints(); }
    GameSharing& Sharing() { return sharing; }
    // Where the window's own windows and messages run; tests answer them.
    Prompter& Prompts() { return *prompter; }
    void SetPrompter(Prompter* answering) { prompter = answering ? answering : &dialogs; }
    // The solver's tables (tests give smaller ones): set before opening.
    void UseSolver(const SolverService::Options& options) { solverOptions = options; }
    // A new position: the title, least size and last custom grid follow.
    void OnNewPosition(const NewPosition& position);
    RaceSession& Races() { return race; }

protected:
    friend class BoardCommands;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool) override { return false; }
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Escape must not end the game window; only a close request does.
    void reject() override {}

private:
    Game& game;
    // Made with the window, so that it follows the game before anyone
    // shows it; its first picture waits for the saved game.
    GamePicture picture;
    CPuzzleImage* boardControl = nullptr; // child widget, created hidden
    bool open = false;
    SoundEffects sound;
    PlayerSettings settings{*this, game, picture, [this]() -> Prompter& { return Prompts(); }};
    RecordsKeeper records;
    GameBar bar;
    WindowSizer sizer{*this, game, bar, picture, [this] {
        if (commands.IsReplaying())
            commands.Replays().Resize();
    }};
    BarFollower counter{game, bar};
    Prompter dialogs;
    Prompter* prompter = &dialogs;
    SolverService::Options solverOptions = SolverService::DefaultOptions();
    BoardInput input;
    BoardActions actions;
    BoardCommands commands{*this};
    PauseKeeper pause{*this};
    GameSharing sharing{*this};
    RaceSession race{*this};
    GameController controller;
    bool watchingScreen = false;
};

} // namespace tesselo
