#include "view/hint_overlay.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cstdlib>

namespace tesselo {

namespace {

const QColor kLight(255, 255, 255);
const QColor kDark(0, 0, 0, 210);
// The disc under the number hides the shaft behind it.
const QColor kDisc(24, 24, 24);

} // namespace

void DrawHint(QPainter& painter, QSize cell, int rows, int columns, const Move& hint)
{
    const bool row = hint.axis == MoveAxis::Row;
    if (cell.isEmpty() || hint.amount == 0 || hint.line < 0 || hint.line >= (row ? rows : columns))
        return;
    const qreal across = row ? cell.height() : cell.width();
    const qreal along = row ? qreal(columns) * cell.width() : qreal(rows) * cell.height();
    const QRectF band = row ? QRectF(0, qreal(hint.line) * cell.height(), along, across)
                            : QRectF(qreal(hint.line) * cell.width(), 0, across, along);
    // One unit of stroke, grown with the cell but never lost on a small one.
    const qreal unit = std::clamp(across / 40, 1.0, 4.0);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);

    // The line: a light frame between two dark ones, inside the line's own
    // cells.
    const QRectF frame = band.adjusted(2 * unit, 2 * unit, -2 * unit, -2 * unit);
    painter.setPen(QPen(kDark, 3 * unit, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(frame);
    painter.setPen(QPen(kLight, unit, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(frame);

    // The arrow, drawn pointing along +x from the line's centre and turned
    // the way the line slides.
    const qreal length = std::min(along * 0.6, across * 2.2);
    const qreal head = std::min(across * 0.4, length * 0.4);
    const qreal headWidth = across * 0.56;
    const qreal shaft = across * 0.18;
    const QPolygonF arrow({{-length / 2, -shaft / 2},
                           {length / 2 - head, -shaft / 2},
                           {length / 2 - head, -headWidth / 2},
                           {length / 2, 0},
                           {length / 2 - head, headWidth / 2},
                           {length / 2 - head, shaft / 2},
                           {-length / 2, shaft / 2}});
    const QPointF centre = band.center();
    const qreal sign = hint.amount < 0 ? -1 : 1;
    painter.save();
    painter.translate(centre);
    painter.rotate((row ? 0 : 90) + (sign < 0 ? 180 : 0));
    painter.setPen(QPen(kDark, 1.5 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(kLight);
    painter.drawPolygon(arrow);
    painter.restore();

    // The number of cells, upright, in a dark disc on the shaft behind the
    // head.
    const QPointF way = row ? QPointF(sign, 0) : QPointF(0, sign);
    const QPointF badge = centre - way * (head / 2);
    const qreal radius = across * 0.21;
    painter.setPen(QPen(kLight, unit));
    painter.setBrush(kDisc);
    painter.drawEllipse(badge, radius, radius);
    QFont font = painter.font();
    font.setPixelSize(std::max(1, int(radius * 1.3)));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kLight);
    painter.drawText(QRectF(badge.x() - radius, badge.y() - radius, 2 * radius, 2 * radius), Qt::AlignCenter,
                     QString::number(std::abs(hint.amount)));
    painter.restore();
}

} // namespace tesselo
