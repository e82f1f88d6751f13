#pragma once

#include <QList>
#include <QPointF>

namespace tesselo {

// Fingers on a chart's time axis: one pans it, two pinch it. The span shown
// when the fingers last changed in number is the anchor; as they move, the
// span is placed so that the moments that were under them stay under them:
// under the one finger, or under the point between the two, with the span
// narrowed or widened as they spread or close.
class TouchSpan {
public:
    struct Span {
        double from = 0;
        double to = 0;
    };

    // The fingers down now (in widget pixels; the first two count) and the
    // span shown now.
    void Anchor(const QList<QPointF>& fingers, Span shown);
    // Where the span goes with the fingers at `fingers`, over a plot from
    // x = `left`, `width` pixels wide. Fingers closer than kLeastSpread
    // count as that far apart, so that a pinch down to a point stops
    // rather than jumps.
    Span Follow(const QList<QPointF>& fingers, double left, double width) const;

    static constexpr double kLeastSpread = 16;

private:
    QList<QPointF> start;
    Span anchor;
};

} // namespace tesselo
