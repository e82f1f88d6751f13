#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

#include <span>

namespace tesselo {

// What the board painter draws with: nothing but one-to-one copies out of
// the board picture and thin straight lines. Keeping it this small lets the
// painter be tested pixel for pixel, and a failing target be simulated.
// Every position is in board pixels, whatever the picture's device pixel
// ratio; a target maps them onto its device.
class PaintTarget {
public:
    virtual ~PaintTarget() = default;
    // Copies `source` of `picture` to `to`, same size. False when the copy
    // could not be made; a copy of no width or height draws nothing.
    virtual bool Copy(const QImage& picture, const QRect& source, QPoint to) = 0;
    // One piece of a picture and where it goes.
    struct Piece {
        QRect source;
        QPoint to;
    };
    // Copies every piece as Copy would, one after another: false at the
    // first that could not be copied, where copying stopped. The pieces of
    // one call never overlap, so a target may copy them in any order, and a
    // board of many small cells is copied as fast as one of a few large
    // ones.
    virtual bool CopyAll(const QImage& picture, std::span<const Piece> pieces)
    {
        for (const Piece& piece : pieces)
            if (!Copy(picture, piece.source, piece.to))
                return false;
        return true;
    }
    // A 1-pixel horizontal or vertical line from `from` up to `to`, which is
    // itself left out.
    virtual void Line(QPoint from, QPoint to, QRgb colour) = 0;

    // The pixels a line covers, as a rectangle: empty when from == to.
    static QRect LineRect(QPoint from, QPoint to)
    {
        if (from.y() == to.y()) {
            if (to.x() >= from.x())
                return QRect(from.x(), from.y(), to.x() - from.x(), 1);
            return QRect(to.x() + 1, from.y(), from.x() - to.x(), 1);
        }
        if (to.y() >= from.y())
            return QRect(from.x(), from.y(), 1, to.y() - from.y());
        return QRect(from.x(), to.y() + 1, 1, from.y() - to.y());
    }
};

} // namespace tesselo
