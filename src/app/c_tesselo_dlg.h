#pragma once

#include "app/hint_presenter.h"
#include "app/board_actions.h"
#include "app/board_replay.h"
#include "app/game_bar.h"
#include "app/game_sharing.h"
#include "app/pause_keeper.h"
#include "app/records_keeper.h"
#include "app/sound_effects.h"
#include "app/window_layout.h"
#include "model/game_change.h"

#include <QDialog>

#include <memory>

class QLabel;
class QMenu;
class QPushButton;

namespace tesselo {

class COptionDlg;
class CPuzzleImage;
class CRecordsDlg;
class Game;

// The game's only window: a bar of buttons and counters over the board.
// It is the front end of the game: it turns clicks, drags and keys into the
// game's operations and shows what the game reports; it owns the timer,
// the sound, the records and the replay, and reads the saved game when it
// opens and writes it when it closes.
class CTesseloDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTesseloDlg(QWidget* parent = nullptr);
    ~CTesseloDlg() override;

    // Opens the window and runs it until it is closed.
    int DoModal();

    // Follows every change of the game.
    void OnGameChanged(const GameChange& change);
    // The game was just won: kept in the records.
    void GameWon();

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
    void LayoutBar();
    // Sizes the window around a board picture of this size: its whole
    // cells, brought within the screen, under the bar.
    void SizeAroundBoard(QSize board);
    // The board the window has once sized around this one.
    QSize BoardAround(QSize board) const;
    void OnLButtonDown(QPoint point);
    void OnMouseMove(Qt::MouseButtons buttons, QPoint point);
    void OnLButtonUp(QPoint point);
    QPoint ClampToBoard(QPoint point) const;
    // An open drag ends before anything takes the player elsewhere: the
    // line springs back and the mouse is let go.
    void EndGesture();
    // Ends whatever the board is doing, an open drag and a replay, before a
    // button, a window or a command takes over.
    void StopBoard();
    void OnUndo();
    void OnRedo();
    void OnRecords();
    void OnReplaySolve();
    void OnHint();
    void OnSolve();
    // The board's context menu, its entries enabled as they apply now.
    std::unique_ptr<QMenu> MakeBoardMenu();

    static constexpr int kMinClientWidth = window_layout::kMinClientWidth;
    static constexpr int kMinClientHeight = window_layout::kMinClientHeight;

    Game* game = nullptr; // not owned
    CPuzzleImage* boardControl = nullptr; // child widget, created hidden
    bool boardCreated = false;
    bool shiftDown = false;
    int timerId = 0;
    SoundEffects sound;
    RecordsKeeper records;
    std::unique_ptr<BoardReplay> replay; // made with the game, when the window opens
    std::unique_ptr<HintPresenter> assistant; // likewise
    int barHeight = 0;
    int buttonWidth = 0;
    GameBar bar;
    BoardActions actions;
    PauseKeeper pause{*this};
    GameSharing sharing{*this};

    QPushButton* newGameButton = nullptr; // 1000
    QPushButton* optionsButton = nullptr; // 1001
    QLabel* counterLabel = nullptr;       // 1002
    QLabel* counterValue = nullptr;       // 1003
    QPushButton* helpButton = nullptr;    // 57670

protected:
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
    virtual int RunRecordsDialog(CRecordsDlg& dialog);
    // Where the solver keeps its large tables, and which; tests give
    // smaller ones.
    virtual SolverService::Options SolverOptions() const;

    bool eventFilter(QObject* watched, QEvent* event) override;
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
    bool HandleKey(QKeyEvent* key);
    void ShowCounter();
    void AddBoardActions();
    // The screen's free area less the frame, or empty without a screen.
    QSize ScreenRoom() const;
    bool IsReplaying() const { return replay && replay->IsRunning(); }
    // Writes the saved game and its history with the termination signals
    // held, so that the two always agree.
    bool SaveWhole(QString* why);
    bool closing = false;
    bool watchingScreen = false;
    QSize handledSize;
};

} // namespace tesselo
