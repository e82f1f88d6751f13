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
//
// When the painter paints into an image in memory (a QImage, or the
// window's backing store) the copies are made there directly, one row of
// the image at a time across all the pieces of a CopyAll, each piece's
// rows read a few ahead: a cell's rows lie apart in the picture, and the
// copy Qt makes of each row on its own leaves the processor waiting for
// memory at the start of every row, while the image, written in order, is
// no slower to fill with many small pieces than with a few large ones. An
// image too large for the cache (the board of a full 4K screen) is written
// past it. Anything else, QPainter draws.
class PainterTarget : public PaintTarget {
public:
    explicit PainterTarget(QPainter& painter);

    bool Copy(const QImage& picture, const QRect& source, QPoint to) override;
    bool CopyAll(const QImage& picture, std::span<const Piece> pieces) override;
    void Line(QPoint from, QPoint to, QRgb colour) override;

private:
    bool StraightInto(const QImage& picture, QPoint* shift) const;

    QPainter& painter;
    qreal ratio = 1.0;         // device pixels per board pixel
    QImage* device = nullptr;  // the image the painter's raster engine paints into, if any
};

} // namespace tesselo
