#include "view/painter_target.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tesselo {

namespace {

int Device(int v, qreal ratio)
{
    return int(std::floor(v * ratio + 0.5));
}

// The device pixels of a rectangle of board pixels: each edge to the
// nearest device pixel edge, so neighbouring rectangles meet without a gap.
QRect Device(const QRect& r, qreal ratio)
{
    const int left = Device(r.x(), ratio);
    const int top = Device(r.y(), ratio);
    return QRect(left, top, Device(r.x() + r.width(), ratio) - left, Device(r.y() + r.height(), ratio) - top);
}

} // namespace

PainterTarget::PainterTarget(QPainter& painter) : painter(painter)
{
    // Pieces replace what is under them; nothing is blended.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (const QPaintDevice* device = painter.device())
        ratio = device->devicePixelRatio();
    if (ratio != 1.0 && ratio > 0.0)
        painter.setWorldTransform(QTransform::fromScale(1.0 / ratio, 1.0 / ratio), true);
    else
        ratio = 1.0;
}

bool PainterTarget::Copy(const QImage& picture, const QRect& source, QPoint to)
{
    if (!painter.isActive())
        return false;
    if (source.width() <= 0 || source.height() <= 0)
        return true;
    const qreal pictureRatio = picture.devicePixelRatio();
    if (ratio == 1.0 && pictureRatio == 1.0) {
        painter.drawImage(to, picture, source);
        return true;
    }
    const QRect place = Device(QRect(to, source.size()), ratio);
    if (pictureRatio == ratio) {
        // A picture made for this screen: the piece's own device pixels,
        // exactly as many as its place has, so the copy is one to one.
        QRect from(Device(source.x(), ratio), Device(source.y(), ratio), place.width(), place.height());
        from.moveLeft(std::clamp(from.x(), 0, std::max(picture.width() - from.width(), 0)));
        from.moveTop(std::clamp(from.y(), 0, std::max(picture.height() - from.height(), 0)));
        painter.drawImage(place, picture, from);
    } else {
        // A picture made for another screen, until it is made again for
        // this one: stretched into place.
        painter.drawImage(place, picture, Device(source, pictureRatio));
    }
    return true;
}

void PainterTarget::Line(QPoint from, QPoint to, QRgb colour)
{
    // QPainter::drawLine would include the end point; a filled rectangle
    // covers exactly the pixels the line owns.
    const QRect r = LineRect(from, to);
    if (!r.isEmpty())
        painter.fillRect(ratio == 1.0 ? r : Device(r, ratio), QColor::fromRgb(colour));
}

} // namespace tesselo
