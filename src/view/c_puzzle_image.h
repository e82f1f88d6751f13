#pragma once

#include "model/move.h"

#include <QWidget>

#include <optional>

namespace tesselo {

class BoardBitmap;
class Game;
struct ReplayFrame;

// The board on screen. It paints the game's board at rest or with the open
// gesture, and takes no pointer input: presses over it reach the main
// window, which drives the gestures.
class CPuzzleImage : public QWidget {
    Q_OBJECT
public:
    explicit CPuzzleImage(QWidget* parent = nullptr);

    Game* game = nullptr; // not owned
    // While a solve is replayed: the frame to show and the picture to show
    // it with, in place of the game's own board. Both not owned.
    const ReplayFrame* replayFrame = nullptr;
    BoardBitmap* replayBoard = nullptr;
    // A move to hint at, drawn over the game's board at rest.
    std::optional<Move> hint;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tesselo
