#pragma once

#include "view/paint_target.h"

class QPainter;

namespace tesselo {

// Draws the board onto anything a QPainter paints: the board control on
// screen, or a QImage in tests and benchmarks.
class PainterTarget : public PaintTarget {
public:
    explicit PainterTarget(QPainter& painter);

    bool Copy(const QImage& picture, const QRect& source, QPoint to) override;
    void Line(QPoint from, QPoint to, QRgb colour) override;

private:
    QPainter& painter;
};

} // namespace tesselo
