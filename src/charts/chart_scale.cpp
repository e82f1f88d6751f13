#include "charts/chart_scale.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace tesselo::chart {

namespace {

constexpr double kHourMs = 3600.0 * 1000;
constexpr double kDayMs = 24 * kHourMs;

// The steps of a date axis, finest first, each with its length in a
// calendar of the usual kind.
struct Candidate {
    DateStep step;
    double length;
};
constexpr Candidate kDateSteps[] = {
    {{DateUnit::Hour, 1}, kHourMs},         {{DateUnit::Hour, 3}, 3 * kHourMs},
    {{DateUnit::Hour, 6}, 6 * kHourMs},     {{DateUnit::Hour, 12}, 12 * kHourMs},
    {{DateUnit::Day, 1}, kDayMs},           {{DateUnit::Day, 2}, 2 * kDayMs},
    {{DateUnit::Week, 1}, 7 * kDayMs},      {{DateUnit::Week, 2}, 14 * kDayMs},
    {{DateUnit::Month, 1}, 30.44 * kDayMs}, {{DateUnit::Month, 3}, 91.3 * kDayMs},
    {{DateUnit::Month, 6}, 182.6 * kDayMs}, {{DateUnit::Year, 1}, 365.25 * kDayMs},
    {{DateUnit::Year, 2}, 730.5 * kDayMs},  {{DateUnit::Year, 5}, 1826 * kDayMs},
    {{DateUnit::Year, 10}, 3652 * kDayMs},  {{DateUnit::Year, 20}, 7305 * kDayMs},
    {{DateUnit::Year, 50}, 18262 * kDayMs}, {{DateUnit::Year, 100}, 36525 * kDayMs},
    {{DateUnit::Year, 200}, 73050 * kDayMs}, {{DateUnit::Year, 500}, 182625 * kDayMs},
    {{DateUnit::Year, 1000}, 365250 * kDayMs}, {{DateUnit::Year, 2000}, 730500 * kDayMs},
};

// Whole steps of `count` back from `value`, counted from 0.
std::int64_t Floored(std::int64_t value, int count)
{
    const std::int64_t r = value % count;
    return value - (r < 0 ? r + count : r);
}

// The first tick at or before `from` and the ones after it, until past
// `to` or past `most` of them; none when more than `most` fall within.
std::vector<std::int64_t> TicksOf(DateStep step, std::int64_t from, std::int64_t to, int most, const QTimeZone& zone,
                                  Qt::DayOfWeek weekStart)
{
    const QDate day = QDateTime::fromMSecsSinceEpoch(from, zone).date();
    QDate date;
    int hour = 0;
    switch (step.unit) {
    case DateUnit::Hour:
        date = day;
        hour = int(Floored(QDateTime::fromMSecsSinceEpoch(from, zone).time().hour(), step.count));
        break;
    case DateUnit::Day:
        date = QDate::fromJulianDay(Floored(day.toJulianDay(), step.count));
        break;
    case DateUnit::Week: {
        // Julian day 0 was a Monday.
        const std::int64_t firstOfWeek = day.toJulianDay() - (day.dayOfWeek() - int(weekStart) + 7) % 7;
        const std::int64_t offset = (int(weekStart) - 1);
        date = QDate::fromJulianDay(Floored(firstOfWeek - offset, 7 * step.count) + offset);
        break;
    }
    case DateUnit::Month:
        date = QDate(day.year(), int(Floored(day.month() - 1, step.count)) + 1, 1);
        break;
    case DateUnit::Year:
        date = QDate(int(Floored(day.year(), step.count)), 1, 1);
        if (!date.isValid()) // no year 0
            date = QDate(1, 1, 1);
        break;
    }
    std::vector<std::int64_t> at;
    // One tick before `from` and one past `to` at most are passed over.
    for (int guard = 0; date.isValid() && guard < most + 3; ++guard) {
        const std::int64_t t = step.unit == DateUnit::Hour
                                   ? QDateTime(date, QTime(hour, 0), zone).toMSecsSinceEpoch()
                                   : date.startOfDay(zone).toMSecsSinceEpoch();
        if (t > to)
            return at;
        if (t >= from) {
            if (int(at.size()) == most)
                return {};
            if (at.empty() || t > at.back())
                at.push_back(t);
        }
        switch (step.unit) {
        case DateUnit::Hour:
            hour += step.count;
            if (hour >= 24) {
                hour -= 24;
                date = date.addDays(1);
            }
            break;
        case DateUnit::Day:
            date = date.addDays(step.count);
            break;
        case DateUnit::Week:
            date = date.addDays(7 * step.count);
            break;
        case DateUnit::Month:
            date = date.addMonths(step.count);
            break;
        case DateUnit::Year:
            date = date.addYears(step.count);
            break;
        }
    }
    return date.isValid() ? std::vector<std::int64_t>() : at;
}

// 1, 2 or 5 times a power of ten, no less than `raw`.
double OneTwoFive(double raw)
{
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0})
        if (m * power >= raw * (1 - 1e-9))
            return m * power;
    return 10 * power;
}

double DurationStep(double raw)
{
    static constexpr double kSteps[] = {100,   200,    500,    1000,    2000,    5000,   10000,
                                        15000, 30000,  60000,  120000,  300000,  600000, 900000,
                                        1800000, 3600000};
    for (const double s : kSteps)
        if (s >= raw)
            return s;
    return 3600000 * OneTwoFive(raw / 3600000);
}

} // namespace

DateTicks DateTicksFor(std::int64_t from, std::int64_t to, int most, const QTimeZone& zone, Qt::DayOfWeek weekStart)
{
    DateTicks ticks;
    if (to < from || most < 1)
        return ticks;
    const double span = double(to - from);
    for (const Candidate& c : kDateSteps) {
        // The estimate skips the steps plainly too fine; the count decides.
        if (span / c.length > most + 1)
            continue;
        ticks.step = c.step;
        ticks.at = TicksOf(c.step, from, to, most, zone, weekStart);
        if (!ticks.at.empty())
            return ticks;
    }
    return ticks;
}

QString DateTickLabel(std::int64_t at, DateStep step, bool first, const QTimeZone& zone, const QLocale& locale)
{
    const QDateTime when = QDateTime::fromMSecsSinceEpoch(at, zone);
    const QDate day = when.date();
    const bool newYear = day.month() == 1 && day.day() == 1;
    switch (step.unit) {
    case DateUnit::Hour: {
        // The C locale would give seconds too.
        const QString time = locale.language() == QLocale::C ? when.time().toString(QStringLiteral("HH:mm"))
                                                             : locale.toString(when.time(), QLocale::ShortFormat);
        if (when.time().hour() == 0 && when.time().minute() == 0)
            return locale.toString(day, QStringLiteral("d MMM"));
        return first ? locale.toString(day, QStringLiteral("d MMM")) + QLatin1Char(' ') + time : time;
    }
    case DateUnit::Day:
    case DateUnit::Week:
        return locale.toString(day, first || newYear ? QStringLiteral("d MMM yyyy") : QStringLiteral("d MMM"));
    case DateUnit::Month:
        return locale.toString(day, first || day.month() == 1 ? QStringLiteral("MMM yyyy") : QStringLiteral("MMM"));
    case DateUnit::Year:
        break;
    }
    return locale.toString(day, QStringLiteral("yyyy"));
}

std::vector<double> ValueTicks(double low, double high, int most, bool durations)
{
    std::vector<double> ticks;
    if (!(high >= low) || most < 2 || !std::isfinite(low) || !std::isfinite(high))
        return ticks;
    if (high == low)
        return {low};
    // The finest round step that gives no more than `most` ticks: from a
    // step plainly too fine, up one round step at a time.
    const auto next = [durations](double raw) { return durations ? DurationStep(raw) : OneTwoFive(raw); };
    for (double step = next((high - low) / (4.0 * most)); std::isfinite(step); step = next(step * 1.0001)) {
        // Counted in whole steps, so that no error adds up along the axis.
        const double first = std::ceil(low / step - 1e-9), last = std::floor(high / step + 1e-9);
        if (last - first + 1 > most)
            continue;
        for (double k = first; k <= last; ++k)
            ticks.push_back(k * step);
        return ticks;
    }
    return ticks;
}

QString DurationLabel(double ms, double step)
{
    const bool tenths = step < 1000;
    const auto total = std::int64_t(std::llround(tenths ? ms / 100 : ms / 1000));
    const std::int64_t seconds = tenths ? total / 10 : total;
    const std::int64_t h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
    QString text = h > 0 ? QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'))
                         : QStringLiteral("%1:%2").arg(m).arg(s, 2, 10, QLatin1Char('0'));
    if (tenths)
        text += QStringLiteral(".%1").arg(total % 10);
    return text;
}

void LineThinner::Add(QPointF p)
{
    const double x = std::floor(p.x());
    if (any && x != columnX)
        Flush();
    columnX = x;
    any = true;
    column.push_back(p);
}

void LineThinner::Flush()
{
    if (column.empty())
        return;
    const auto [low, high] = std::minmax_element(column.begin(), column.end(),
                                                 [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
    std::vector<std::size_t> picks = {0, std::size_t(low - column.begin()), std::size_t(high - column.begin()),
                                      column.size() - 1};
    std::sort(picks.begin(), picks.end());
    picks.erase(std::unique(picks.begin(), picks.end()), picks.end());
    for (const std::size_t i : picks)
        out << column[i];
    column.clear();
}

QPolygonF LineThinner::Take()
{
    Flush();
    any = false;
    return std::exchange(out, QPolygonF());
}

void ColumnBars::Add(QPointF p)
{
    const double x = std::floor(p.x());
    if (any && x != columnX)
        Flush();
    if (!any) {
        // The bar reaches back to where the line left the column before,
        // or, past columns without a point, a segment leaps to it.
        const bool next = last && x - std::floor(last->x()) <= 1;
        if (last && !next)
            joins.emplace_back(*last, p);
        columnX = x;
        low = high = next ? last->y() : p.y();
        any = true;
    }
    low = std::min(low, p.y());
    high = std::max(high, p.y());
    last = p;
}

void ColumnBars::Flush()
{
    if (any)
        out.emplace_back(columnX + 0.5 - thickness / 2, low - thickness / 2, thickness, high - low + thickness);
    any = false;
}

std::vector<QRectF> ColumnBars::Take()
{
    Flush();
    last.reset();
    joins.clear();
    return std::exchange(out, {});
}

DotThinner::DotThinner(const QRectF& area, double cell) : cell(std::max(cell, 0.5)), perCell(1 / this->cell)
{
    const QRectF bounds = area.normalized();
    left = bounds.left();
    right = bounds.right();
    top = bounds.top();
    bottom = bounds.bottom();
    columns = std::max(1, int(std::ceil(area.width() / this->cell)) + 1);
    rows = std::max(1, int(std::ceil(area.height() / this->cell)) + 1);
    taken.assign(std::size_t(columns) * std::size_t(rows), false);
}

bool DotThinner::Add(QPointF p)
{
    // The area's own test, on bounds worked out once: this runs for every
    // win of a kind.
    if (p.x() < left || p.x() > right || p.y() < top || p.y() > bottom)
        return false;
    const int c = std::min(columns - 1, int((p.x() - left) * perCell));
    const int r = std::min(rows - 1, int((p.y() - top) * perCell));
    const std::size_t at = std::size_t(r) * std::size_t(columns) + std::size_t(c);
    if (taken[at])
        return false;
    taken[at] = true;
    kept.push_back(p);
    return true;
}

} // namespace tesselo::chart
