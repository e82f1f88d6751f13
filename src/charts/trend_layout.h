#pragma once

#include "records/progress_series.h"

#include <QCoreApplication>
#include <QFont>
#include <QLocale>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QTimeZone>

#include <memory>
#include <optional>
#include <vector>

namespace tesselo {

// What the trend chart shows: the wins of a kind, the span of time in view
// and whether the moves per second are drawn beside them.
struct TrendView {
    std::shared_ptr<const ProgressSeries> series;
    double from = 0, to = 1;        // shown (ms since 1970)
    double firstMs = 0, lastMs = 1; // the widest view
    double lowest = 0, highest = 1; // the values of every win
    double fastest = 1;             // the highest moves per second
    bool showRate = false;

    // The widest view of `series`: every win, with a little room either
    // side, and no narrower than six times the narrowest span.
    static TrendView Of(std::shared_ptr<const ProgressSeries> series, bool showRate);
    // The moves per second are drawn: asked for, and the kind is "Speed".
    bool ShowsRate() const { return showRate && series && series->IsSpeed(); }

    // The narrowest span the time axis zooms to.
    static constexpr double kNarrowestMs = 2 * 3600.0 * 1000;
    static double RateOf(const ProgressWin& win);
    // The index of the first win that ended at or after `ms`.
    static std::size_t FirstFrom(const std::vector<ProgressWin>& wins, double ms);
};

// Where everything of the trend chart goes and what its texts say, worked
// out from the view, the chart's size and its font, apart from any
// painting (so that it is tested without a screen): the plot, the value
// axis at the left, the dates below, the moves per second at the right,
// and the legend along the top in as many lines as it needs. The chart
// draws the axes from it and places the dots by its scales.
struct TrendLayout {
    Q_DECLARE_TR_FUNCTIONS(tesselo::TrendChart)

public:
    // A text drawn within a box, aligned in it.
    struct BoxedText {
        QString text;
        QRectF box;
        Qt::Alignment align;
    };
    // A text drawn from a point at the left of its baseline.
    struct PlacedText {
        QString text;
        QPointF at;
    };
    // A value's grid line across the plot (at y) and its label.
    struct ValueTick {
        double y = 0;
        BoxedText label;
    };
    // A date's grid line down the plot (at x) and its label below it.
    struct DateTick {
        double x = 0;
        PlacedText label;
    };
    // What a legend entry's mark draws, in which series' colour.
    enum class Mark { Dot, Ring, Line };
    enum class Ink { Win, Average5, Average12, Average50, Average100, Best, Rate };
    struct LegendEntry {
        PlacedText text;
        QPointF mark; // the mark's centre
        Mark shape;
        Ink ink;
    };

    static constexpr double kDotDiameter = 5;

    QRectF plot;
    QRectF legend;
    double from = 0, to = 1;   // the time axis
    double low = 0, high = 1;  // the value axis
    double rateHigh = 1;       // the moves per second axis, from 0
    bool rate = false;         // the moves per second are drawn
    std::vector<ValueTick> values;
    std::vector<BoxedText> rates; // labels only, on the values' grid
    std::vector<DateTick> dates;
    PlacedText valueCaption; // over the value axis
    std::optional<PlacedText> rateCaption;
    std::vector<LegendEntry> legendEntries;

    static TrendLayout Of(const TrendView& view, const QSize& size, const QFont& font, const QLocale& locale,
                          const QTimeZone& zone);
    // What the chart shows, in words, for a screen reader: the grid and
    // style, the wins and their span of dates, the best and the latest
    // averages of 5 and 12.
    static QString Description(const ProgressSeries& series);

    double X(double ms) const { return plot.left() + (ms - from) / (to - from) * plot.width(); }
    double Y(double value) const { return plot.bottom() - (value - low) / (high - low) * plot.height(); }
    double RateY(double rate) const { return plot.bottom() - rate / rateHigh * plot.height(); }
    // The plot has room to draw in.
    bool HasRoom() const { return plot.width() >= 10 && plot.height() >= 10; }
};

} // namespace tesselo
