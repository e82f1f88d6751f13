#pragma once

#include <QLocale>
#include <QLineF>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTimeZone>

#include <cstdint>
#include <optional>
#include <vector>

namespace tesselo::chart {

// The scales and the thinning of the charts of progress: plain arithmetic
// on dates and values, apart from any painting so that it is tested alone.

// A step between the ticks of a date axis.
enum class DateUnit { Hour, Day, Week, Month, Year };
struct DateStep {
    DateUnit unit = DateUnit::Day;
    int count = 1;
    bool operator==(const DateStep&) const = default;
};
struct DateTicks {
    DateStep step;
    std::vector<std::int64_t> at; // ms since 1970 UTC, ascending
};

// Ticks of a date axis from `from` to `to` (ms since 1970 UTC): the finest
// step a reader knows (1, 3, 6 or 12 hours; 1 or 2 days; 1 or 2 weeks; 1,
// 3 or 6 months; 1, 2 or 5 times a power of ten years) that gives at most
// `most` ticks, each on a boundary of its unit in `zone` (the hour, the
// midnight, the first day of the week, the first of the month, the first
// of January). Several units to a step are counted from fixed points
// (hours from midnight, days and weeks from a fixed day, months from
// January, years from the year 0), so that the ticks stay where they are as
// the axis pans.
DateTicks DateTicksFor(std::int64_t from, std::int64_t to, int most, const QTimeZone& zone, Qt::DayOfWeek weekStart);
// A tick's label for its step: hours as times (the day at midnight and
// with the first tick), days
// and weeks as day and month, months by name, years as years; the year
// with the first tick and at each new year. Names in `locale`.
QString DateTickLabel(std::int64_t at, DateStep step, bool first, const QTimeZone& zone, const QLocale& locale);

// Ticks for a value axis over [low, high]: the finest round step that
// gives at most `most` of them, 1, 2 or 5 times a power of ten, or for
// durations (milliseconds) a round time: tenths, seconds, quarter and half
// minutes, minutes.
std::vector<double> ValueTicks(double low, double high, int most, bool durations);
// A duration as an axis shows it: m:ss, h:mm:ss past an hour, tenths when
// the step between ticks is under a second.
QString DurationLabel(double ms, double step);

// A polyline of many points (in order of x) thinned to what a pixel column
// can show: of the points in each column the first, the lowest, the
// highest and the last, in their order. Drawn, it covers the pixels the
// whole line would.
class LineThinner {
public:
    void Add(QPointF p);
    QPolygonF Take();

private:
    void Flush();
    QPolygonF out;
    std::vector<QPointF> column; // the points of the column being filled
    double columnX = 0;
    bool any = false;
};

// A line of more points than there are pixel columns, as the pixels it
// covers: in each column a bar from its lowest point to its highest,
// reaching to the last point of the column before so that the bars join as
// the line would, `thickness` wide and tall beyond its ends; where the line
// leaps over columns without points, a segment (Joins). Many bars fill
// faster than a line of many turns is stroked.
class ColumnBars {
public:
    explicit ColumnBars(double thickness) : thickness(thickness) {}
    void Add(QPointF p);
    std::vector<QRectF> Take();
    // The leaps since the last Take, taken with it.
    const std::vector<QLineF>& Joins() const { return joins; }

private:
    void Flush();
    double thickness;
    std::vector<QRectF> out;
    std::vector<QLineF> joins;
    double columnX = 0, low = 0, high = 0;
    std::optional<QPointF> last;
    bool any = false;
};

// Dots at many points kept at most one a cell of `cell` pixels in `area`,
// the first that falls in it: drawn over each other they would look the
// same, and a hundred thousand wins draw as fast as the pixels allow.
class DotThinner {
public:
    DotThinner(const QRectF& area, double cell);
    // Whether `p` is the first dot of its cell (and kept).
    bool Add(QPointF p);
    const std::vector<QPointF>& Kept() const { return kept; }

private:
    double cell;
    double perCell;
    double left = 0, right = 0, top = 0, bottom = 0; // of the area
    int columns = 0;
    int rows = 0;
    std::vector<bool> taken;
    std::vector<QPointF> kept;
};

} // namespace tesselo::chart
