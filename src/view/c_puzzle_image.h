#pragma once

#include "model/game_change.h"
#include "model/move.h"
#include "view/board_cache.h"
#include "view/board_motion.h"
#include "view/number_plates.h"

#include <QBasicTimer>
#include <QRegion>
#include <QWidget>

#include <memory>
#include <optional>

namespace tesselo {

class BoardBitmap;
class Game;
class GamePicture;

// The board on screen. It paints the game's board at rest, with the open
// gesture, or on its way from one rest to the next, and follows the game's
// changes: each repaints no more of the board than it touched, and a move
// glides (BoardMotion), a frame every kFrameMs while it does. A replay
// shows a board of its own in the game's place, its moves coming the same
// way. It takes no pointer input: presses over it reach the main window,
// which drives the gestures. It holds the keyboard focus of the main
// window, so that a screen reader's focus lands on it and, through it, on
// the selected cell; the keys it does not take (none) go on to the window,
// which reads them.
class CPuzzleImage : public QWidget {
    Q_OBJECT
public:
    explicit CPuzzleImage(QWidget* parent = nullptr);
    ~CPuzzleImage() override;

    // Shows `game`'s board on `picture` and follows the changes of both;
    // null shows nothing.
    void Show(Game* game, const GamePicture* picture);
    const Game* Shown() const { return game; }
    // The grid on show: a replay's while one shows, else the game's; none
    // before a game is shown.
    const TileGrid* ShownGrid() const;
    // A "Blind" game hides its tiles: every cell is drawn and named alike.
    bool HidesTiles() const;
    // Shows a replay's own board (its picture and grid) in place of the
    // game's, until called with null; its moves come through FollowReplay.
    void ShowReplay(const BoardBitmap* board);
    bool ShowsReplay() const { return replayBoard != nullptr; }
    // A move to hint at, drawn over the game's board at rest; nothing
    // hides it.
    void SetHint(const std::optional<Move>& move);
    const std::optional<Move>& Hint() const { return hint; }
    // Whether moves glide to their place or jump there.
    void SetAnimated(bool on);
    bool Animated() const { return animated; }
    // Whether each tile shows its home number in a corner.
    void SetNumbers(bool on);
    bool Numbers() const { return numbers; }
    BoardMotion& Motion() { return motion; }

public slots:
    // A change of the game shown, or of the replay shown.
    void Follow(const tesselo::GameChange& change);
    void FollowReplay(const tesselo::GameChange& change);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    const BoardBitmap* ShownBoard() const;
    // The board of a "Blind" game once hidden: the game's grid on a plain
    // picture, so that every cell is drawn alike and moves, drags and the
    // frame are painted as on the picture.
    const BoardBitmap& HiddenBoard(const BoardBitmap& shown);
    QSize Cell() const;
    // Repaints what `change` touched of `now`, gliding to it if it glides.
    void ShowChange(const GameChange& change, const TileGrid& now);
    // The part of the board a line or a cell and its frame cover, in board
    // pixels: the frame's far edge lies on the next line's first pixel.
    QRect LineArea(MoveAxis axis, int line) const;
    QRect CellArea(Selection cell) const;
    // Ends the glide: what it painted is painted again at rest.
    void FinishMotion();

    // The board's picture was made again.
    void FollowPicture();

    Game* game = nullptr;                    // not owned
    const GamePicture* picture = nullptr;    // not owned
    const BoardBitmap* replayBoard = nullptr; // likewise
    std::optional<Move> hint;
    bool animated = true;
    bool numbers = false;
    std::unique_ptr<BoardBitmap> hiddenBoard;
    // Whether the board was last shown hidden: its first hiding move
    // repaints it whole.
    bool shownHidden = false;
    // Kept from paint to paint: the plates are drawn again only for another
    // grid, text size or screen, and of the board at rest only what moved
    // is copied again.
    NumberPlates plates;
    BoardCache rest;
    BoardMotion motion;
    QBasicTimer frames;
    // Where the frame is, as the changes told it.
    Selection framed;
    // The open drag as the changes told it: its axis and how far the line
    // follows the pointer, in board pixels.
    DragAxis dragAxis = None;
    std::int32_t dragOffset = 0;
    // What paints have drawn of the glide under way: beyond its line, a
    // glide shows the board as it was (its grid lines on a board a move
    // has just completed, say), and all of it is painted again at rest.
    QRegion paintedInMotion;
};

} // namespace tesselo
