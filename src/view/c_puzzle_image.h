#pragma once

#include "model/game_change.h"
#include "model/move.h"

#include <QWidget>

#include <optional>

namespace tesselo {

class BoardBitmap;
class Game;
struct ReplayFrame;

// The board on screen. It paints the game's board at rest or with the open
// gesture, and follows the game's changes, repainting no more of itself
// than each change touched. It takes no pointer input: presses over it
// reach the main window, which drives the gestures.
class CPuzzleImage : public QWidget {
    Q_OBJECT
public:
    explicit CPuzzleImage(QWidget* parent = nullptr);

    // Shows `game`'s board and follows its changes; null shows nothing.
    void Show(Game* game);
    const Game* Shown() const { return game; }
    // A move to hint at, drawn over the game's board at rest; nothing
    // hides it.
    void SetHint(const std::optional<Move>& move);
    const std::optional<Move>& Hint() const { return hint; }
    // Whether moves glide to their place or jump there.
    void SetAnimated(bool on) { animated = on; }
    bool Animated() const { return animated; }

    // While a solve is replayed: the frame to show and the picture to show
    // it with, in place of the game's own board. Both not owned.
    const ReplayFrame* replayFrame = nullptr;
    BoardBitmap* replayBoard = nullptr;

public slots:
    // A change of the game shown.
    void Follow(const tesselo::GameChange& change);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The part of the board a line or a cell and its frame cover, in board
    // pixels: the frame's far edge lies on the next line's first pixel.
    QRect LineArea(MoveAxis axis, int line) const;
    QRect CellArea(Selection cell) const;

    Game* game = nullptr; // not owned
    std::optional<Move> hint;
    bool animated = true;
    // Where the frame was when last painted.
    Selection framed;
};

} // namespace tesselo
