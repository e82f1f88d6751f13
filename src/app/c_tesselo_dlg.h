#pragma once

#include "app/replay_player.h"
#include "app/sound_effects.h"
#include "model/game_owner.h"
#include "model/records.h"

#include <QDialog>
#include <QFont>

#include <array>
#include <memory>
#include <utility>

class QLabel;
class QMenu;
class QPushButton;

namespace tesselo {

class COptionDlg;
class CPuzzleImage;
class CRecordsDlg;
class Game;

// The game's only window: a bar of buttons and counters over the board.
// It owns the timer and the sound, reads the saved game when it opens and
// writes it when it closes, and turns clicks, drags and keys into moves.
class CTesseloDlg : public QDialog, public GameOwner {
    Q_OBJECT
public:
    explicit CTesseloDlg(QWidget* parent = nullptr);
    ~CTesseloDlg() override;

    // Opens the window and runs it until it is closed.
    int DoModal();

    // GameOwner
    void RepaintBoard() override;
    void PlayCue(Cue cue) override;
    void StopClockSound() override;
    void StartClockSound() override;
    void GameWon() override;

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
    void FitBarFont();
    // Sizes the window around a board picture of this size: its whole
    // cells, brought within the screen, under the bar.
    void SizeAroundBoard(QSize board);
    QSize WholeCells(QSize board) const;
    QSize FitToScreen(QSize board) const;
    QSize ClientAround(QSize board) const;
    // The board the window has once sized around this one.
    QSize BoardAround(QSize board) const;
    void OnLButtonDown(QPoint point);
    void OnMouseMove(Qt::MouseButtons buttons, QPoint point);
    void OnLButtonUp(QPoint point);
    QPoint ClampToBoard(QPoint point) const;
    void OnUndo();
    void OnRedo();
    void OnRecords();
    void OnReplaySolve();
    // Plays a solve back on the board; the game itself is not touched.
    void StartReplay(const TileGrid& start, const std::vector<HistoryStep>& steps, const QString& picturePath,
                     bool cues);
    void StopReplay();
    // The board's context menu, its entries enabled as they apply now.
    std::unique_ptr<QMenu> MakeBoardMenu();

    // The smallest client area: a pixel per cell of the largest grid under
    // a bar whose buttons can still be read and pressed.
    static constexpr int kMinClientWidth = 320;
    static constexpr int kMinClientHeight = 240;

    Game* game = nullptr; // not owned
    CPuzzleImage* boardControl = nullptr; // child widget, created hidden
    bool boardCreated = false;
    bool shiftDown = false;
    int timerId = 0;
    SoundEffects sound;
    Records records;
    ReplayPlayer replay;
    int barHeight = 0;
    int buttonWidth = 0;
    std::unique_ptr<QFont> barFont;
    // The width of "New Game" in the bar's font at each pixel size, -1 where
    // not measured yet, for the screen (dots per inch, device pixel ratio)
    // they were measured on: a resize fits the font without shaping text.
    std::array<int, 100> newGameWidths{};
    std::pair<int, qreal> widthsScreen{0, 0.0};

    QPushButton* newGameButton = nullptr; // 1000
    QPushButton* optionsButton = nullptr; // 1001
    QLabel* counterLabel = nullptr;       // 1002
    QLabel* counterValue = nullptr;       // 1003
    QPushButton* helpButton = nullptr;    // 57670

    // Applies what the player changed in the options, after OK.
    void ApplyOptions(const COptionDlg& options, int presetDifficulty, const QString& previousFolder);

protected:
    // Runs a modal dialog; tests answer it instead.
    virtual int RunOptionDialog(COptionDlg& options);
    virtual void RunHelpDialog();
    // When the saved game cannot be written: tells the player why, and
    // returns true when they choose to close without saving.
    virtual bool OfferCloseWithoutSaving(const QString& reason);
    virtual void RunBoardMenu(QMenu& menu, QPoint globalPos);
    virtual int RunRecordsDialog(CRecordsDlg& dialog);

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
    void OnReplayFinished();
    bool closing = false;
    bool watchingScreen = false;
    QSize handledSize;
    // A "Speed" game whose clock was silenced for a replay.
    bool clockPausedForReplay = false;
};

} // namespace tesselo
