#include "charts/chart_scale.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace tesselo;
using namespace tesselo::chart;

namespace {

constexpr std::int64_t kHour = 3600LL * 1000;
constexpr std::int64_t kDay = 24 * kHour;

// Whether `at` lies on a boundary of the step in the zone.
bool OnBoundary(std::int64_t at, DateStep step, const QTimeZone& zone, Qt::DayOfWeek weekStart)
{
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(at, zone);
    const QTime time = t.time();
    const QDate day = t.date();
    const bool midnight = time == QTime(0, 0) || t == day.startOfDay(zone);
    switch (step.unit) {
    case DateUnit::Hour:
        return time.minute() == 0 && time.second() == 0 && time.msec() == 0;
    case DateUnit::Day:
        return midnight;
    case DateUnit::Week:
        return midnight && day.dayOfWeek() == weekStart;
    case DateUnit::Month:
        return midnight && day.day() == 1 && (day.month() - 1) % step.count == 0;
    case DateUnit::Year:
        return midnight && day.month() == 1 && day.day() == 1 && day.year() % step.count == 0;
    }
    return false;
}

} // namespace

// From a few hours to ten years, in a zone with summer time and without:
// the step the span needs, never more ticks than asked, each on its
// boundary, within the span and in order.
TEST(ChartScale, DateTicksFitSpansFromHoursToTenYears)
{
    const QTimeZone berlin("Europe/Berlin");
    ASSERT_TRUE(berlin.isValid());
    // Just before the clocks go forward in Berlin (29 March 2026), at an
    // odd minute.
    const std::int64_t start = QDateTime(QDate(2026, 3, 28), QTime(10, 17), QTimeZone::utc()).toMSecsSinceEpoch();
    const struct {
        const char* what;
        std::int64_t span;
        DateStep step;
    } cases[] = {
        {"five hours", 5 * kHour, {DateUnit::Hour, 1}},
        {"a day", kDay + 2 * kHour, {DateUnit::Hour, 6}},
        {"three days", 3 * kDay, {DateUnit::Hour, 12}},
        {"two weeks", 14 * kDay, {DateUnit::Day, 2}},
        {"six weeks", 45 * kDay, {DateUnit::Week, 1}},
        {"a year", 365 * kDay, {DateUnit::Month, 3}},
        {"three years", 3 * 365 * kDay, {DateUnit::Month, 6}},
        {"ten years", 3652 * kDay, {DateUnit::Year, 2}},
    };
    for (const QTimeZone& zone : {QTimeZone::utc(), berlin})
        for (const Qt::DayOfWeek weekStart : {Qt::Monday, Qt::Sunday})
            for (const auto& c : cases) {
                const std::string where = c.what + std::string(" in ") + zone.id().toStdString() + " from day " +
                                          std::to_string(weekStart);
                const DateTicks ticks = DateTicksFor(start, start + c.span, 8, zone, weekStart);
                EXPECT_EQ(ticks.step, c.step) << where;
                EXPECT_GE(ticks.at.size(), 2u) << where;
                EXPECT_LE(ticks.at.size(), 8u) << where;
                for (std::size_t i = 0; i < ticks.at.size(); ++i) {
                    EXPECT_GE(ticks.at[i], start) << where;
                    EXPECT_LE(ticks.at[i], start + c.span) << where;
                    EXPECT_TRUE(OnBoundary(ticks.at[i], ticks.step, zone, weekStart)) << where << " tick " << i;
                    if (i > 0) {
                        EXPECT_GT(ticks.at[i], ticks.at[i - 1]) << where;
                    }
                }
                // Ticks stay put as the axis pans: a later start keeps the
                // ticks both spans hold.
                const std::int64_t later = start + c.span / 7;
                const DateTicks panned = DateTicksFor(later, later + c.span, 8, zone, weekStart);
                if (panned.step == ticks.step) {
                    for (const std::int64_t t : ticks.at) {
                        if (t >= later) {
                            EXPECT_NE(std::find(panned.at.begin(), panned.at.end(), t), panned.at.end()) << where;
                        }
                    }
                }
            }
}

TEST(ChartScale, DateLabelsSayAsMuchAsTheStepNeeds)
{
    const QLocale british(QLocale::English, QLocale::UnitedKingdom);
    const QTimeZone utc(QTimeZone::utc());
    const auto at = [&](int y, int m, int d, int h = 0) {
        return QDateTime(QDate(y, m, d), QTime(h, 0), utc).toMSecsSinceEpoch();
    };
    const struct {
        std::int64_t at;
        DateStep step;
        bool first;
        const char* label;
    } cases[] = {
        {at(2026, 3, 14, 15), {DateUnit::Hour, 3}, false, "15:00"},
        {at(2026, 3, 14), {DateUnit::Hour, 6}, false, "14 Mar"},
        {at(2026, 3, 14, 18), {DateUnit::Hour, 6}, true, "14 Mar 18:00"},
        {at(2026, 3, 14), {DateUnit::Day, 1}, false, "14 Mar"},
        {at(2026, 3, 14), {DateUnit::Week, 1}, true, "14 Mar 2026"},
        {at(2026, 1, 1), {DateUnit::Day, 2}, false, "1 Jan 2026"},
        {at(2026, 4, 1), {DateUnit::Month, 1}, false, "Apr"},
        {at(2026, 4, 1), {DateUnit::Month, 3}, true, "Apr 2026"},
        {at(2027, 1, 1), {DateUnit::Month, 6}, false, "Jan 2027"},
        {at(2030, 1, 1), {DateUnit::Year, 5}, false, "2030"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DateTickLabel(c.at, c.step, c.first, utc, british), c.label);
}

TEST(ChartScale, ValueTicksAreRoundAndFew)
{
    const struct {
        double low, high;
        int most;
        bool durations;
        std::vector<double> ticks;
    } cases[] = {
        {0, 100, 6, false, {0, 20, 40, 60, 80, 100}},
        {3.2, 3.9, 5, false, {3.2, 3.4, 3.6, 3.8}},
        {17, 231, 5, false, {50, 100, 150, 200}},
        // Times: half minutes, not 25-second steps.
        {61000, 185000, 6, true, {90000, 120000, 150000, 180000}},
        {1500, 4200, 4, true, {2000, 3000, 4000}},
        {5, 5, 4, false, {5}},
    };
    for (const auto& c : cases) {
        const std::vector<double> ticks = ValueTicks(c.low, c.high, c.most, c.durations);
        ASSERT_EQ(ticks.size(), c.ticks.size()) << c.low << " to " << c.high;
        for (std::size_t i = 0; i < ticks.size(); ++i)
            EXPECT_NEAR(ticks[i], c.ticks[i], 1e-9) << c.low << " to " << c.high;
    }
    EXPECT_EQ(DurationLabel(61000, 1000), "1:01");
    EXPECT_EQ(DurationLabel(3723000, 60000), "1:02:03");
    EXPECT_EQ(DurationLabel(61500, 500), "1:01.5");
}

// A hundred thousand points thinned to the pixel columns: a few points a
// column, the first and the last kept, and every column's highest and
// lowest, so the line covers what the whole one would. Dots: one a cell,
// each dot near a kept one.
TEST(ChartScale, ThinningKeepsWhatThePixelsShow)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(-50, 50);
    std::vector<QPointF> points;
    for (int i = 0; i < 100000; ++i)
        points.emplace_back(10 + i * 500.0 / 100000, 200 + 100 * std::sin(i / 3000.0) + noise(random));
    LineThinner line;
    for (const QPointF& p : points)
        line.Add(p);
    const QPolygonF thinned = line.Take();
    EXPECT_LE(thinned.size(), 4 * 501);
    EXPECT_GE(thinned.size(), 2 * 500);
    EXPECT_EQ(thinned.front(), points.front());
    EXPECT_EQ(thinned.back(), points.back());
    for (qsizetype i = 1; i < thinned.size(); ++i)
        EXPECT_GE(thinned[i].x(), thinned[i - 1].x());
    const auto byY = [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); };
    EXPECT_EQ(std::min_element(thinned.begin(), thinned.end(), byY)->y(),
              std::min_element(points.begin(), points.end(), byY)->y());
    EXPECT_EQ(std::max_element(thinned.begin(), thinned.end(), byY)->y(),
              std::max_element(points.begin(), points.end(), byY)->y());
    EXPECT_TRUE(line.Take().isEmpty());

    // As bars, a column each, each reaching the column before; a leap over
    // empty columns joined by a segment.
    ColumnBars bars(2);
    for (const QPointF& p : points)
        bars.Add(p);
    bars.Add(QPointF(600, 10));
    ASSERT_EQ(bars.Joins().size(), 1u);
    EXPECT_EQ(bars.Joins()[0], QLineF(points.back(), QPointF(600, 10)));
    const std::vector<QRectF> columns = bars.Take();
    EXPECT_EQ(columns.size(), 501u); // 500 columns of points, and the one leapt to
    EXPECT_TRUE(bars.Joins().empty());
    for (std::size_t i = 1; i + 1 < columns.size(); ++i)
        EXPECT_TRUE(columns[i].top() <= columns[i - 1].bottom() && columns[i].bottom() >= columns[i - 1].top()) << i;
    const auto covers = [&](const QPointF& p) {
        return std::any_of(columns.begin(), columns.end(), [&](const QRectF& r) { return r.contains(p); });
    };
    for (std::size_t i = 0; i < points.size(); i += 101)
        EXPECT_TRUE(covers(points[i])) << i;

    const QRectF area(10, 50, 500, 300);
    DotThinner dots(area, 2);
    int outside = 0;
    for (const QPointF& p : points)
        if (!dots.Add(p) && !area.contains(p))
            ++outside;
    EXPECT_LE(dots.Kept().size(), std::size_t(251 * 151));
    EXPECT_GT(dots.Kept().size(), 1000u);
    for (std::size_t i = 0; i < points.size(); i += 997) {
        if (!area.contains(points[i]))
            continue;
        const bool near = std::any_of(dots.Kept().begin(), dots.Kept().end(), [&](const QPointF& k) {
            return std::abs(k.x() - points[i].x()) <= 2 && std::abs(k.y() - points[i].y()) <= 2;
        });
        EXPECT_TRUE(near) << i;
    }
}
