#pragma once

#include <QPoint>

#include <functional>
#include <optional>

class QEvent;
class QKeyEvent;
class QMouseEvent;
class QTouchEvent;
class QWidget;

namespace tesselo {

class Game;

// The player's pointer and keys over the board, turned into the game's
// operations: a press on the board opens a drag of its line, the pointer
// slides it (held to the board's edges once it leaves the window), the
// release snaps it; an arrow slides the selected line a cell, Shift and an
// arrow move the frame. A finger on the board is the left button: it
// drags and taps as the mouse does, and a touch the system cancels springs
// the line back. The window hands over its events; this holds no state of
// its own beyond the mouse it grabs and the finger it follows.
class BoardInput {
public:
    // `window` receives the pointer and the keys; the board lies under its
    // bar, `barHeight()` pixels down.
    BoardInput(Game& game, QWidget& window, std::function<int()> barHeight);

    // The window's pointer and touch events, true when taken. A left press
    // or a first finger on the board opens a drag unless `busy()` says the
    // board took it for something else (ending a replay, a hint, a pause);
    // a touch that starts on the bar is left to Qt, which clicks its
    // buttons, and one taken makes no mouse events of Qt's besides.
    bool Take(QEvent& event, const std::function<bool()>& busy);

    void Press(const QMouseEvent& event);
    void Move(const QMouseEvent& event);
    void Release(const QMouseEvent& event);
    // The first finger down opens a drag as a press does, when `opens`
    // (the window may have taken the touch for something else); later
    // fingers of the same touch are let be.
    void TouchBegin(const QTouchEvent& touch, bool opens);
    // The finger followed moves or lifts; a cancelled touch ends the
    // gesture.
    void Touch(const QTouchEvent& touch);
    // An open drag ends without a move and the mouse is let go.
    void EndGesture();
    // An arrow, with or without Shift: true when the key was one.
    bool Arrow(const QKeyEvent& key);

private:
    QPoint OnBoard(QPoint point) const;

    Game& game;
    QWidget& window;
    std::function<int()> barHeight;
    std::optional<int> finger; // the touch point that drives the gesture
};

} // namespace tesselo
