#include "view/number_plates.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>

namespace tesselo {

namespace {

constexpr QRgb kPlate = 0xff181818u;
constexpr QRgb kText = 0xfffafafau;

QFont TextFont(int pixelSize)
{
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

int Digits(std::int32_t n)
{
    int digits = 1;
    for (; n >= 10; n /= 10)
        ++digits;
    return digits;
}

// The measures of a plate at one text size: the space around the digits,
// and the plate's height with the baseline inside it.
struct Measures {
    int pad = 0;
    int height = 0;
    int baseline = 0;
    qreal digit = 0; // the widest digit's advance
};

Measures Measure(const QFontMetricsF& metrics, int text)
{
    Measures m;
    m.pad = std::max(1, text / 6);
    const QRectF ink = metrics.tightBoundingRect(QStringLiteral("0123456789"));
    m.baseline = m.pad + int(std::ceil(-ink.top()));
    m.height = m.baseline + int(std::ceil(std::max<qreal>(ink.bottom(), 0))) + m.pad;
    for (char c = '0'; c <= '9'; ++c)
        m.digit = std::max(m.digit, metrics.horizontalAdvance(QChar::fromLatin1(c)));
    return m;
}

} // namespace

int NumberPlates::TextSizeFor(QSize cell)
{
    // A quarter of the cell's shorter side: easily read, and most of the
    // picture still in view.
    return std::clamp(std::min(cell.width(), cell.height()) / 4, kMinText, kMaxText);
}

bool NumberPlates::Prepare(std::int32_t rows, std::int32_t columns, QSize cell, qreal ratio)
{
    if (rows <= 0 || columns <= 0 || cell.isEmpty() || ratio <= 0) {
        asked = {};
        made = {};
        picture = QImage();
        return false;
    }
    // Most paints ask for what the last one did: no font is touched then.
    const Asked ask{rows, columns, cell, ratio};
    if (ask == asked)
        return !picture.isNull();
    asked = ask;

    // The largest text at most the cell's due whose widest number, on its
    // plate, fits the cell inside its grid lines.
    const QSize room = cell - QSize(kInset.x() + 1, kInset.y() + 1);
    const int digits = Digits(rows * columns);
    for (int text = TextSizeFor(cell); text >= kMinText; --text) {
        const Measures m = Measure(QFontMetricsF(TextFont(text)), text);
        const QSize plate(int(std::ceil(digits * m.digit)) + 2 * m.pad, m.height);
        if (plate.width() > room.width() || plate.height() > room.height())
            continue;
        const Key key{rows, columns, text, ratio};
        if (key != made || picture.isNull())
            Draw(key, QSize(plate.width(), m.height), m.baseline, m.pad);
        return true;
    }
    made = {};
    picture = QImage();
    return false;
}

void NumberPlates::Draw(const Key& key, QSize plate, int baseline, int pad)
{
    made = key;
    slot = plate;
    const QFont font = TextFont(key.text);
    const QFontMetricsF metrics(font);
    const QSize size(slot.width() * key.columns, slot.height() * key.rows);
    picture = QImage(QSize(int(std::ceil(size.width() * key.ratio)), int(std::ceil(size.height() * key.ratio))),
                     QImage::Format_RGB32);
    picture.setDevicePixelRatio(key.ratio);
    picture.fill(kPlate);
    widths.assign(std::size_t(key.rows) * std::size_t(key.columns), 0);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(kText));
    for (std::int32_t r = 0; r < key.rows; ++r) {
        for (std::int32_t c = 0; c < key.columns; ++c) {
            const std::size_t index = std::size_t(r) * std::size_t(key.columns) + std::size_t(c);
            const QString number = QString::number(index + 1);
            const qreal advance = metrics.horizontalAdvance(number);
            widths[index] = std::min(slot.width(), int(std::ceil(advance)) + 2 * pad);
            painter.drawText(QPointF(c * slot.width() + pad, r * slot.height() + baseline), number);
        }
    }
    ++drawings;
}

QRect NumberPlates::Plate(std::int32_t homeRow, std::int32_t homeColumn) const
{
    if (picture.isNull() || homeRow < 0 || homeColumn < 0 || homeRow >= made.rows || homeColumn >= made.columns)
        return QRect();
    const std::size_t index = std::size_t(homeRow) * std::size_t(made.columns) + std::size_t(homeColumn);
    return QRect(homeColumn * slot.width(), homeRow * slot.height(), widths[index], slot.height());
}

} // namespace tesselo
