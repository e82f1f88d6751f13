#include "view/painter_target.h"

#include <QPainter>

namespace tesselo {

PainterTarget::PainterTarget(QPainter& painter) : painter(painter)
{
    // Pieces replace what is under them; nothing is blended.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
}

bool PainterTarget::Copy(const QImage& picture, const QRect& source, QPoint to)
{
    if (!painter.isActive())
        return false;
    if (source.width() > 0 && source.height() > 0)
        painter.drawImage(to, picture, source);
    return true;
}

void PainterTarget::Line(QPoint from, QPoint to, QRgb colour)
{
    // QPainter::drawLine would include the end point; a filled rectangle
    // covers exactly the pixels the line owns.
    const QRect r = LineRect(from, to);
    if (!r.isEmpty())
        painter.fillRect(r, QColor::fromRgb(colour));
}

} // namespace tesselo
