#include "charts/touch_span.h"

#include <QLineF>

#include <algorithm>

namespace tesselo {

namespace {

// The point the fingers turn about, and how far apart they are.
QPointF Middle(const QList<QPointF>& fingers)
{
    return fingers.size() >= 2 ? (fingers[0] + fingers[1]) / 2 : fingers.value(0);
}

double Spread(const QList<QPointF>& fingers)
{
    return fingers.size() >= 2 ? std::max(QLineF(fingers[0], fingers[1]).length(), TouchSpan::kLeastSpread) : 0;
}

} // namespace

void TouchSpan::Anchor(const QList<QPointF>& fingers, Span shown)
{
    start = fingers.mid(0, 2);
    anchor = shown;
}

TouchSpan::Span TouchSpan::Follow(const QList<QPointF>& fingers, double left, double width) const
{
    // Another count of fingers than anchored: a new anchor is due first.
    if (width <= 0 || fingers.isEmpty() || std::min<qsizetype>(fingers.size(), 2) != start.size())
        return anchor;
    const double span = anchor.to - anchor.from;
    // The moment under the fingers' middle as they came down.
    const double held = anchor.from + (Middle(start).x() - left) / width * span;
    const double shown = start.size() == 2 ? span * Spread(start) / Spread(fingers) : span;
    const double from = held - (Middle(fingers).x() - left) / width * shown;
    return {from, from + shown};
}

} // namespace tesselo
