#pragma once

#include "view/paint_target.h"

class QPainter;

namespace tesselo {

// Draws the board onto anything a QPainter paints: the board control on
// screen, or a QImage in tests and benchmarks.
//
// Positions come in board pixels. On a screen of more device pixels than
// that (a device pixel ratio above 1) the target works in device pixels: a
// board picture made at the screen's ratio is copied one to one, and lines
// stay one board pixel wide with their edges on whole device pixels.
class PainterTarget : public PaintTarget {
public:
    explicit PainterTarget(QPainter& painter);

    bool Copy(const QImage& picture, const QRect& source, QPoint to) override;
    void Line(QPoint from, QPoint to, QRgb colour) override;

private:
    QPainter& painter;
    qreal ratio = 1.0; // device pixels per board pixel
};

} // namespace tesselo
