#include "charts/trend_drawing.h"

#include "charts/chart_scale.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace tesselo::chart {

namespace {

constexpr double kDotDiameter = TrendLayout::kDotDiameter;
// Dots nearer than this share a cell and are drawn once: within a dot of
// each other, they would cover the same pixels but a ring's width.
constexpr double kDotCell = 4;

// A dot drawn once at the device's pixels, to be stamped wherever a dot
// goes: thousands of them in one call.
QPixmap Sprite(const QColor& colour, double diameter, bool ring, qreal ratio)
{
    const int side = int(std::ceil((diameter + 2) * ratio));
    QPixmap sprite(side, side);
    sprite.fill(Qt::transparent);
    QPainter p(&sprite);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(ratio, ratio);
    const QPointF centre(side / ratio / 2, side / ratio / 2);
    if (ring) {
        p.setPen(QPen(colour, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, diameter / 2 - 0.5, diameter / 2 - 0.5);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(centre, diameter / 2, diameter / 2);
    }
    return sprite;
}

void Stamp(QPainter& p, const std::vector<QPointF>& centres, QPixmap sprite, qreal ratio)
{
    // On whole device pixels, each stamp is a plain copy of the sprite at
    // its own density: the painter's quickest way, faster than fragments,
    // each of which it places through a transform of its own.
    sprite.setDevicePixelRatio(ratio);
    const double half = sprite.width() / ratio / 2;
    const auto snapped = [&](double v) { return std::round((v - half) * ratio) / ratio; };
    for (const QPointF& at : centres)
        p.drawPixmap(QPointF(snapped(at.x()), snapped(at.y())), sprite);
}

QColor InkOf(TrendLayout::Ink ink, const ChartColors& c)
{
    switch (ink) {
    case TrendLayout::Ink::Win: return c.win;
    case TrendLayout::Ink::Average5: return c.average5;
    case TrendLayout::Ink::Average12: return c.average12;
    case TrendLayout::Ink::Average50: return c.average50;
    case TrendLayout::Ink::Average100: return c.average100;
    case TrendLayout::Ink::Best: return c.best;
    case TrendLayout::Ink::Rate: break;
    }
    return c.rate;
}

void DrawLegend(QPainter& p, const TrendLayout& layout, const ChartColors& c)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (const TrendLayout::LegendEntry& e : layout.legendEntries) {
        const QColor colour = InkOf(e.ink, c);
        switch (e.shape) {
        case TrendLayout::Mark::Dot:
            p.setPen(QPen(colour, kDotDiameter, Qt::SolidLine, Qt::RoundCap));
            p.drawPoint(e.mark);
            break;
        case TrendLayout::Mark::Ring:
            p.setPen(QPen(colour, 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(e.mark, kDotDiameter / 2 - 0.5, kDotDiameter / 2 - 0.5);
            break;
        case TrendLayout::Mark::Line:
            p.setPen(QPen(colour, 2));
            p.drawLine(e.mark - QPointF(7, 0), e.mark + QPointF(7, 0));
            break;
        }
        p.setPen(c.text);
        p.drawText(e.text.at, e.text.text);
    }
    p.restore();
}

} // namespace

void DrawTrendAxes(QPainter& p, const TrendLayout& layout, const ChartColors& c)
{
    const QRectF& plot = layout.plot;
    for (const TrendLayout::ValueTick& tick : layout.values) {
        p.setPen(c.grid);
        p.drawLine(QPointF(plot.left(), tick.y), QPointF(plot.right(), tick.y));
        p.setPen(c.text);
        p.drawText(tick.label.box, int(tick.label.align), tick.label.text);
    }
    p.setPen(c.rate);
    for (const TrendLayout::BoxedText& label : layout.rates)
        p.drawText(label.box, int(label.align), label.text);
    for (const TrendLayout::DateTick& tick : layout.dates) {
        p.setPen(c.grid);
        p.drawLine(QPointF(tick.x, plot.top()), QPointF(tick.x, plot.bottom()));
        p.setPen(c.text);
        p.drawText(tick.label.at, tick.label.text);
    }
    p.setPen(c.text);
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    p.drawText(layout.valueCaption.at, layout.valueCaption.text);
    if (layout.rateCaption) {
        p.setPen(c.rate);
        p.drawText(layout.rateCaption->at, layout.rateCaption->text);
    }
    DrawLegend(p, layout, c);
}

int DrawTrendWins(QPainter& p, const TrendLayout& layout, const ProgressSeries& series, const ChartColors& c)
{
    const QRectF& plot = layout.plot;
    const double from = layout.from, to = layout.to;
    int dotsDrawn = 0;
    // The wins in view, and one either side for the lines to run on.
    const auto& wins = series.wins;
    const std::size_t first = TrendView::FirstFrom(wins, from);
    const std::size_t end = TrendView::FirstFrom(wins, to + 1);
    p.save();
    p.setClipRect(plot.adjusted(-kDotDiameter, -kDotDiameter, kDotDiameter, 0));
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF dotArea = plot.adjusted(-kDotDiameter, -kDotDiameter, kDotDiameter, kDotDiameter);
    const qreal ratio = p.device()->devicePixelRatioF();
    // X and Y as one multiply and add each, worked out once for the
    // hundred thousand points a kind may have.
    const double xScale = plot.width() / (to - from), xOffset = plot.left() - from * xScale;
    const double yScale = -plot.height() / (layout.high - layout.low), yOffset = plot.bottom() - layout.low * yScale;
    const auto x = [=](std::int64_t ms) { return double(ms) * xScale + xOffset; };
    const auto y = [=](double value) { return value * yScale + yOffset; };
    if (layout.rate) {
        chart::DotThinner rates(dotArea, kDotCell);
        const double rateScale = plot.height() / layout.rateHigh;
        for (std::size_t i = first; i < end; ++i)
            rates.Add(QPointF(x(wins[i].finished), plot.bottom() - TrendView::RateOf(wins[i]) * rateScale));
        Stamp(p, rates.Kept(), Sprite(c.rate, 3, false, ratio), ratio);
        dotsDrawn += int(rates.Kept().size());
    }
    chart::DotThinner solid(dotArea, kDotCell), hollow(dotArea, kDotCell);
    for (std::size_t i = first; i < end; ++i)
        (wins[i].helped ? hollow : solid).Add(QPointF(x(wins[i].finished), y(double(wins[i].score))));
    Stamp(p, solid.Kept(), Sprite(c.win, kDotDiameter, false, ratio), ratio);
    Stamp(p, hollow.Kept(), Sprite(c.win, kDotDiameter, true, ratio), ratio);
    dotsDrawn += int(solid.Kept().size() + hollow.Kept().size());

    // The lines: thinned to the pixel columns, from the point before the
    // view to the one after it.
    const auto drawLine = [&](const std::vector<SeriesPoint>& points, const QColor& colour, bool steps) {
        if (points.empty())
            return;
        const auto byWin = [](const SeriesPoint& s, std::size_t w) { return s.win < w; };
        auto begin = std::lower_bound(points.begin(), points.end(), first, byWin);
        auto stop = std::lower_bound(points.begin(), points.end(), end, byWin);
        if (begin != points.begin())
            --begin;
        if (stop != points.end())
            ++stop;
        // Few points: a smooth line. More than the columns: the columns
        // the line covers.
        const bool dense = double(stop - begin) > plot.width();
        chart::LineThinner thinner;
        chart::ColumnBars bars(2);
        const auto add = [&](QPointF at) { dense ? bars.Add(at) : thinner.Add(at); };
        for (auto s = begin; s != stop; ++s) {
            const double at = x(wins[s->win].finished);
            if (steps && s != begin)
                add(QPointF(at, y(std::prev(s)->value)));
            add(QPointF(at, y(s->value)));
        }
        // The best so far holds until the last win.
        if (steps && stop == points.end())
            add(QPointF(x(wins.back().finished), y(points.back().value)));
        if (dense) {
            p.setPen(QPen(colour, 2));
            p.drawLines(bars.Joins().data(), int(bars.Joins().size()));
            const std::vector<QRectF> covered = bars.Take();
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.setRenderHint(QPainter::Antialiasing, false);
            p.drawRects(covered.data(), int(covered.size()));
            p.setRenderHint(QPainter::Antialiasing);
            return;
        }
        p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.drawPolyline(thinner.Take());
    };
    // The smoother average over the rougher.
    drawLine(series.bestSoFar, c.best, true);
    drawLine(series.averageOf5, c.average5, false);
    drawLine(series.averageOf12, c.average12, false);
    drawLine(series.averageOf50, c.average50, false);
    drawLine(series.averageOf100, c.average100, false);
    p.restore();
    return dotsDrawn;
}

} // namespace tesselo::chart
