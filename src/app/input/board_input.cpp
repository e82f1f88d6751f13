#include "app/input/board_input.h"

#include "model/game.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTouchEvent>
#include <QWidget>

#include <algorithm>

namespace tesselo {

BoardInput::BoardInput(Game& g, QWidget& w, std::function<int()> bar) : game(g), window(w), barHeight(std::move(bar))
{
}

QPoint BoardInput::OnBoard(QPoint point) const
{
    // A drag that leaves the window goes on along the board's edge.
    const TileGrid& grid = game.View().puzzle.grid;
    const int right = CellWidth(game.BoardPixels(), grid) * grid.columnCount;
    const int bottom = CellHeight(game.BoardPixels(), grid) * grid.rowCount;
    return QPoint(std::clamp(point.x(), 0, std::max(right, 0)),
                  std::clamp(point.y() - barHeight(), 0, std::max(bottom, 0)));
}

bool BoardInput::Take(QEvent& event, const std::function<bool()>& busy)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress: {
        const auto& mouse = static_cast<const QMouseEvent&>(event);
        if (mouse.button() == Qt::LeftButton && mouse.position().y() >= barHeight() && !busy())
            Press(mouse);
        return true;
    }
    case QEvent::MouseMove: Move(static_cast<const QMouseEvent&>(event)); return true;
    case QEvent::MouseButtonRelease:
        if (static_cast<const QMouseEvent&>(event).button() == Qt::LeftButton)
            Release(static_cast<const QMouseEvent&>(event));
        return true;
    case QEvent::TouchBegin: {
        auto& touch = static_cast<QTouchEvent&>(event);
        if (touch.points().isEmpty() || touch.points().front().position().y() < barHeight()) {
            touch.ignore();
            return false;
        }
        touch.accept();
        TouchBegin(touch, !busy());
        return true;
    }
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        event.accept();
        Touch(static_cast<const QTouchEvent&>(event));
        return true;
    default: return false;
    }
}

void BoardInput::Press(const QMouseEvent& event)
{
    const QPoint at = event.position().toPoint();
    game.BeginDrag(at.x(), at.y() - barHeight());
    window.grabMouse();
}

void BoardInput::Move(const QMouseEvent& event)
{
    if (!(event.buttons() & Qt::LeftButton))
        return;
    const QPoint p = OnBoard(event.position().toPoint());
    game.TrackDrag(p.x(), p.y());
}

void BoardInput::Release(const QMouseEvent& event)
{
    // A release closes the gesture even when it never chose an axis: a
    // plain click must not leave the arrow keys refused until a later drag.
    if (game.View().gesture.dragging) {
        const QPoint p = OnBoard(event.position().toPoint());
        game.EndDrag(p.x(), p.y());
    }
    if (QWidget::mouseGrabber() == &window)
        window.releaseMouse();
}

void BoardInput::TouchBegin(const QTouchEvent& touch, bool opens)
{
    finger.reset();
    if (touch.points().isEmpty())
        return;
    const QEventPoint& point = touch.points().front();
    finger = point.id();
    if (!opens)
        return;
    const QPoint at = point.position().toPoint();
    game.BeginDrag(at.x(), at.y() - barHeight());
}

void BoardInput::Touch(const QTouchEvent& touch)
{
    if (touch.type() == QEvent::TouchCancel) {
        EndGesture();
        return;
    }
    if (!finger)
        return;
    for (const QEventPoint& point : touch.points()) {
        if (point.id() != *finger)
            continue;
        const QPoint p = OnBoard(point.position().toPoint());
        // A lift closes the gesture as a release does, a tap included.
        if (point.state() == QEventPoint::Released) {
            finger.reset();
            if (game.View().gesture.dragging)
                game.EndDrag(p.x(), p.y());
        } else if (point.state() == QEventPoint::Updated) {
            game.TrackDrag(p.x(), p.y());
        }
    }
}

void BoardInput::EndGesture()
{
    finger.reset();
    game.CancelDrag();
    if (QWidget::mouseGrabber() == &window)
        window.releaseMouse();
}

bool BoardInput::Arrow(const QKeyEvent& key)
{
    const bool shift = key.modifiers() & Qt::ShiftModifier;
    switch (key.key()) {
    case Qt::Key_Left: shift ? game.SelectLeft() : game.ShiftRowLeft(); return true;
    case Qt::Key_Right: shift ? game.SelectRight() : game.ShiftRowRight(); return true;
    case Qt::Key_Up: shift ? game.SelectUp() : game.ShiftColumnUp(); return true;
    case Qt::Key_Down: shift ? game.SelectDown() : game.ShiftColumnDown(); return true;
    default: return false;
    }
}

} // namespace tesselo
