#pragma once

#include "app/window/board_actions.h"
#include "app/window/board_commands.h"
#include "app/window/board_input.h"
#include "app/window/game_bar.h"
#include "app/window/game_controller.h"
#include "app/window/game_sharing.h"
#include "app/window/pause_keeper.h"
#include "app/window/race_session.h"
#include "app/window/sound_effects.h"
#include "app/window/window_layout.h"
#include "model/game_change.h"
#include "pictures/game_picture.h"
#include "saved/settings_file.h"
#include "services/records_keeper.h"

#include <QBasicTimer>
#include <QDialog>

#include <memory>

class QMenu;
class QTouchEvent;

namespace tesselo {

class COptionDlg;
class CPuzzleImage;
class CRecordsDlg;
class Game;

// The game's only window: a bar of buttons and counters over the board.
// It is the front end of the game: it turns clicks, drags and keys into the
// game's operations (and a game controller's buttons and a finger's
// touches too), and the board, the bar, the sound and the records
// follow the game's changes; it owns the timer, the sound, the records and
// the replay, and reads the saved game when it opens and writes it when it
// closes. The keys come to the window itself: the bar's buttons never take
// the focus, so the arrows always reach the board.
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
    void OnTimer(int id);
    // Returns whether the window may close.
    bool OnClose();
    // Writes the saved game at once if the window is open, for a session
    // that ends (its manager asks, or a signal says so). Returns false only
    // when a save was due and failed, with the reason.
    bool SaveNow(QString* why = nullptr);
    void OnSize(int cx, int cy);
    // Shows or hides each tile's number (the N key), and keeps the choice.
    void ToggleNumbers();
    // Ends whatever the board is doing, an open drag, a hint, a solve and a
    // replay, before a button, a window or a command takes over.
    void StopBoard();
    // A game controller's command, as its keys would do it on the keyboard.
    void OnPadCommand(PadCommand command);
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
    int BarHeight() const { return barHeight; }
    int ButtonWidth() const { return buttonWidth; }
    // The timer that shows a running "Speed" clock, while it runs; else 0.
    // Nothing else wakes the window while nothing changes.
    int TimerId() const { return clockTimer.isActive() ? clockTimer.timerId() : 0; }
    // Between the window's opening and its close: when a session's end
    // has a game to save.
    bool IsOpen() const { return open; }
    SoundEffects& Sound() { return sound; }
    const SettingsFile& Settings() const { return settings; }
    RecordsKeeper& Kept() { return records; }
    BoardCommands& Commands() { return commands; }
    BoardReplay& Replays() { return commands.Replays(); }
    HintPresenter& Hints() { return commands.Hints(); }
    GameSharing& Sharing() { return sharing; }
    RaceSession& Races() { return race; }

protected:
    friend class BoardCommands;
    // Runs a modal dialog; tests answer it instead.
    virtual int RunOptionDialog(COptionDlg& options);
    virtual void RunHelpDialog();
    // When the saved game cannot be written: tells the player why, and
    // returns true when they choose to close without saving.
    virtual bool OfferCloseWithoutSaving(const QString& reason);
    // A win could not be written to the records yet; tells the player.
    virtual void TellWinNotKept(const Records::Failure& failure);
    // At the close, wins still could not be written: true when the player
    // chooses to close and lose them.
    virtual bool OfferCloseLosingWins(const Records::Failure& failure, std::size_t count);
    virtual void RunBoardMenu(QMenu& menu, QPoint globalPos);
    // A hint or a solve was asked for a board no slides can solve.
    virtual void TellNoWayHome();
    // The settings could not be written; said once a session.
    virtual void TellSettingsNotKept(const QString& reason);
    virtual int RunRecordsDialog(CRecordsDlg& dialog);
    // Where the solver keeps its large tables, and which; tests give
    // smaller ones.
    virtual SolverService::Options SolverOptions() const;

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool) override { return false; }
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Escape must not end the game window; only a close request does.
    void reject() override {}

private:
    void OnGameChanged(const GameChange& change);
    // A touch over the board drags and taps as the left button does; one
    // that starts on the bar is left to Qt, which clicks its buttons.
    bool Touch(QTouchEvent& touch);
    void ShowCounter();
    // Says a win, a pause or a resume to a screen reader.
    void AnnounceState(PlayState state);
    // Takes the settings chosen and writes them; the first failure of a
    // session is told, the later ones would say the same.
    void KeepSettings(const SettingsFile::Values& chosen);
    // Runs the clock's timer exactly while a "Speed" clock runs, set to
    // wake as the shown tenth of a second turns.
    void FollowClock();
    // Sizes the window around a board picture of this size: its whole
    // cells, brought within the screen, under the bar.
    void SizeAroundBoard(QSize board);
    // The window's least size, for the grid in play at this width: no cell
    // smaller than window_layout::kMinCell.
    void KeepCellsLarge(int clientWidth);
    // The screen's free area less the frame, or empty without a screen.
    QSize ScreenRoom() const;
    // Writes the saved game and its history.
    bool SaveWhole(QString* why);

    Game& game;
    // Made with the window, so that it follows the game before anyone
    // shows it; its first picture waits for the saved game.
    GamePicture picture;
    CPuzzleImage* boardControl = nullptr; // child widget, created hidden
    QBasicTimer clockTimer;
    bool open = false;
    bool settingsFailureTold = false;
    SoundEffects sound;
    SettingsFile settings;
    RecordsKeeper records;
    int barHeight = 0;
    int buttonWidth = 0;
    GameBar bar;
    BoardInput input;
    BoardActions actions;
    BoardCommands commands{*this};
    PauseKeeper pause{*this};
    GameSharing sharing{*this};
    RaceSession race{*this};
    GameController controller;
    bool watchingScreen = false;
    bool opening = false; // the saved game is being opened
    QSize handledSize;
};

} // namespace tesselo
