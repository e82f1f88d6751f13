#pragma once

#include <QRect>
#include <QSize>

#include <array>
#include <functional>
#include <utility>

namespace tesselo {

// The main window's geometry as plain arithmetic: the bar of five slots
// over the board, the board cut to whole cells and brought within the
// screen, and the bar's font size. No widget is touched here.
namespace window_layout {

// The smallest client area: a pixel per cell of the largest grid under a
// bar whose buttons can still be read and pressed.
inline constexpr int kMinClientWidth = 320;
inline constexpr int kMinClientHeight = 240;

// A slot is a fifth of the client width; the bar is a third of a slot high.
inline int ButtonWidth(int clientWidth) { return clientWidth / 5; }
inline int BarHeight(int buttonWidth) { return buttonWidth / 3; }

// The bar's controls for slots of width w under a bar of height h: "New
// Game", "Options", the counter label over two slots with its value in the
// second, "Help".
struct Bar {
    QRect newGame, options, counterLabel, counterValue, help;
};
Bar LayoutBar(int w, int h);

// The board cut down to whole cells of a rows x columns grid.
QSize WholeCells(QSize board, int rows, int columns);
// A board brought within `room` (the screen's free area less the frame),
// keeping its proportions; an empty room leaves it as it is.
QSize FitToScreen(QSize board, QSize room);
// The client area around a board: whole cells within the screen, under the
// bar, never below the minimum.
QSize ClientAround(QSize board, int rows, int columns, QSize room);
// The board a window sized around `board` ends up with.
QSize BoardAround(QSize board, int rows, int columns, QSize room);

// The bar font's pixel size for slots `buttonWidth` wide: one less than the
// first size from 6 at which "New Game" is wider than four fifths of a
// slot, between 5 and 99. `measure` gives the caption's width at a pixel
// size; widths are kept per size for the screen they were measured on, so
// a resize fits the font without shaping text.
class BarFontFit {
public:
    using Measure = std::function<int(int pixelSize)>;
    int PixelSize(int buttonWidth, std::pair<int, qreal> screen, const Measure& measure);

private:
    std::array<int, 100> widths{};
    std::pair<int, qreal> measuredOn{0, 0.0};
};

} // namespace window_layout

} // namespace tesselo
