#include "charts/chart_colors.h"

namespace tesselo {

QColor ChartColors::Mixed(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

ChartColors ChartColors::Of(const QPalette& palette)
{
    ChartColors c;
    c.base = palette.color(QPalette::Base);
    c.text = palette.color(QPalette::Text);
    c.grid = Mixed(c.base, c.text, 0.15);
    c.empty = Mixed(c.base, c.text, 0.1);
    const bool dark = c.base.lightness() < 128;
    c.win = dark ? QColor(0x7a, 0xaa, 0xff) : QColor(0x25, 0x55, 0xb5);
    c.average5 = dark ? QColor(0xff, 0xa8, 0x4c) : QColor(0xc8, 0x62, 0x00);
    c.average12 = dark ? QColor(0xff, 0x6e, 0x9c) : QColor(0xb0, 0x1a, 0x55);
    c.average50 = dark ? QColor(0x4c, 0xd8, 0xe0) : QColor(0x00, 0x7a, 0x85);
    c.average100 = dark ? QColor(0xd0, 0xc0, 0xa0) : QColor(0x6b, 0x55, 0x30);
    c.best = dark ? QColor(0x5c, 0xd6, 0x7c) : QColor(0x1b, 0x7a, 0x3a);
    c.rate = dark ? QColor(0xc9, 0x9b, 0xff) : QColor(0x74, 0x3c, 0xb8);
    c.bar = Mixed(c.base, c.win, 0.75);
    return c;
}

} // namespace tesselo
