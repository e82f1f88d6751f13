#pragma once

#include <QWidget>

namespace tesselo {

class Game;

// The board on screen. It paints the game's board at rest or with the open
// gesture, and takes no pointer input: presses over it reach the main
// window, which drives the gestures.
class CPuzzleImage : public QWidget {
    Q_OBJECT
public:
    explicit CPuzzleImage(QWidget* parent = nullptr);

    Game* game = nullptr; // not owned

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tesselo
