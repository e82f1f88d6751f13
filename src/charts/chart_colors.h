#pragma once

#include <QColor>
#include <QPalette>

namespace tesselo {

// The colours of the charts, from the palette's own base and text, with
// hues chosen for a light or a dark base so that every line reads on it.
struct ChartColors {
    QColor base, text, grid;
    QColor win, average5, average12, average50, average100, best, rate, bar, empty;
    static ChartColors Of(const QPalette& palette);
    // `t` of the way from `a` to `b`.
    static QColor Mixed(const QColor& a, const QColor& b, double t);
};

} // namespace tesselo
