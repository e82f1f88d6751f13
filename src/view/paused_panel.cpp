#include "view/paused_panel.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>

#include <algorithm>

namespace tesselo {

void PausedPanel::Paint(QPainter& painter, const QRect& area, const QFont& font)
{
    painter.fillRect(area, QColor::fromRgb(kBackground));
    if (area.width() <= 0 || area.height() <= 0)
        return;
    const QString title = Title();
    const QString hint = Hint();

    // The title a sixth of the board's height, but never wider than most of
    // it; the line under it a third of that, never below the window's font.
    const int margin = std::max(area.width() / 20, 4);
    const QRect inside = area.adjusted(margin, margin, -margin, -margin);
    QFont big = font;
    big.setBold(true);
    big.setPixelSize(std::max(area.height() / 6, 1));
    const int titleWidth = QFontMetrics(big).horizontalAdvance(title);
    if (titleWidth > inside.width() && titleWidth > 0)
        big.setPixelSize(std::max(big.pixelSize() * inside.width() / titleWidth, 1));
    QFont small = font;
    small.setPixelSize(std::max(big.pixelSize() / 3, QFontMetrics(font).height() * 3 / 4));

    const QFontMetrics bigMetrics(big);
    const int hintFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    const QRect hintBox = QFontMetrics(small).boundingRect(inside, hintFlags, hint);
    const int gap = bigMetrics.height() / 3;
    const int total = bigMetrics.height() + gap + hintBox.height();
    const int top = inside.top() + std::max((inside.height() - total) / 2, 0);

    painter.save();
    painter.setPen(QColor::fromRgb(kText));
    painter.setFont(big);
    painter.drawText(QRect(inside.left(), top, inside.width(), bigMetrics.height()), Qt::AlignCenter, title);
    painter.setFont(small);
    painter.drawText(QRect(inside.left(), top + bigMetrics.height() + gap, inside.width(), hintBox.height()),
                     hintFlags, hint);
    painter.restore();
}

} // namespace tesselo
