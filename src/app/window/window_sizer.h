#pragma once

#include <QSize>

#include <functional>

class QWidget;

namespace tesselo {

class CPuzzleImage;
class Game;
class GameBar;
class GamePicture;

// The game window's measures: its least size for the grid in play (no cell
// smaller than window_layout::kMinCell), the bar's slots, and the board's
// picture and place under the bar, made again at every size. The window
// hands it its size events; the arithmetic is window_layout's.
class WindowSizer {
public:
    // `resized` runs after the board's picture was made again (a replay
    // makes its own then).
    WindowSizer(QWidget& window, const Game& game, GameBar& bar, GamePicture& picture, std::function<void()> resized);
    void SetBoard(CPuzzleImage* board) { boardControl = board; }

    // Sizes the window around a board picture of this size: its whole
    // cells, brought within the screen, under the bar.
    void AroundBoard(QSize board);
    // The board in its place under the bar, at the picture's cells.
    void PlaceBoard();
    // The window's least size, for the grid in play at this width.
    void KeepCellsLarge(int clientWidth);
    void OnSize(int cx, int cy);
    // A size event: the window's opening repeats the size it was given
    // while hidden, which is handled once.
    void Resized(QSize size);
    // The screen's free area less the frame, or empty without a screen.
    QSize ScreenRoom() const;

    int BarHeight() const { return barHeight; }
    int ButtonWidth() const { return buttonWidth; }

private:
    QWidget& window;
    const Game& game;
    GameBar& bar;
    GamePicture& picture;
    std::function<void()> resized;
    CPuzzleImage* boardControl = nullptr;
    int barHeight = 0;
    int buttonWidth = 0;
    QSize handledSize;
};

} // namespace tesselo
