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

// The smallest client area of any grid: a bar whose buttons can still be
// read and pressed, over a board.
inline constexpr int kMinClientWidth = 320;
inline constexpr int kMinClientHeight = 240;
// The least a cell keeps each way: room for its number plate, and a target
// a pointer still hits.
inline constexpr int kMinCell = 24;

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

// The smallest client area for a rows x columns grid in a window
// `clientWidth` wide: never below the fixed minimum, and wide and tall
// enough that each cell keeps kMinCell pixels each way under the bar,
// which grows taller with the window's width.
QSize MinimumClient(int rows, int columns, int clientWidth = 0);
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

// The widths of the first button's captions at one font size: "New Game",
// whose width the design fits the font to, and the longest it takes ("New
// Game" or "Reset Game" in the player's language).
struct CaptionWidths {
    int newGame = -1;
    int longest = -1;
};

// The bar font's pixel size for slots `buttonWidth` wide: one less than the
// first size from 6 at which "New Game" is wider than four fifths of a
// slot, or the longest caption wider than `captionRoom` (what the button
// leaves its text), between 5 and 99. In English the first rule decides;
// the second keeps a longer word in another language whole. `measure`
// gives the widths at a pixel size; they are kept per size for the screen
// they were measured on, so a resize fits the font without shaping text.
class BarFontFit {
public:
    using Measure = std::function<CaptionWidths(int pixelSize)>;
    int PixelSize(int buttonWidth, int captionRoom, std::pair<int, qreal> screen, const Measure& measure);

private:
    std::array<CaptionWidths, 100> widths{};
    std::pair<int, qreal> measuredOn{0, 0.0};
};

} // namespace window_layout

} // namespace tesselo
