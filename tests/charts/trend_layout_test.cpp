#include "charts/trend_layout.h"

#include <QApplication>
#include <QDateTime>
#include <QFontMetricsF>

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

using namespace tesselo;

namespace {

const std::int64_t kStart = QDateTime(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC).toMSecsSinceEpoch();

// A win a day for four weeks (or `days`), the times from 0:40 to 1:20, the
// moves from 30 to 70.
std::shared_ptr<const ProgressSeries> Series(Style style, int days = 28)
{
    std::vector<ProgressWin> wins;
    for (int i = 0; i < days; ++i) {
        ProgressWin w;
        w.id = i;
        w.finished = kStart + i * 24LL * 3600 * 1000;
        w.milliseconds = 40000 + (i * 7919) % 40001;
        w.moves = 30 + (i * 13) % 41;
        w.score = style.IsSpeed() ? w.milliseconds : w.moves;
        wins.push_back(w);
    }
    return std::make_shared<ProgressSeries>(
        MakeProgress(kExpert, style, std::move(wins), QDate(2026, 3, 2).addDays(days + 2), QTimeZone::utc(), Qt::Monday));
}

// A value as an axis writes it: moves as a number, a time as [h:]m:ss[.t].
double ValueOf(const QString& label, bool speed)
{
    if (!speed)
        return label.toDouble();
    double seconds = 0;
    for (const QString& part : label.split(QLatin1Char(':')))
        seconds = seconds * 60 + part.toDouble();
    return seconds * 1000;
}

} // namespace

// Every text the trend chart draws is read back from its layout: each
// value's label names the value at the height of its line, each date's the
// day at its line, the captions and the legend say what is drawn, and each
// text lies where it has room.
TEST(TrendLayout, EachLabelNamesWhatIsAtItsLine)
{
    const QFont font = QApplication::font();
    const QFontMetricsF metrics(font);
    for (const auto& [style, rate] : {std::pair{Style::Speed, false}, {Style::Speed, true}, {Style::Strategy, true}}) {
        const bool speed = style.IsSpeed();
        const TrendView view = TrendView::Of(Series(style), rate);
        const QSize size(640, 320);
        const TrendLayout l = TrendLayout::Of(view, size, font, QLocale::c(), QTimeZone::utc());
        const std::string kind = std::string(style.Key()) + (rate ? " with the rate" : "");
        ASSERT_TRUE(l.HasRoom()) << kind;

        ASSERT_GE(l.values.size(), 3u) << kind;
        for (const TrendLayout::ValueTick& tick : l.values) {
            const QString& text = tick.label.text;
            EXPECT_LE(std::abs(l.Y(ValueOf(text, speed)) + 0.5 - tick.y), 0.5) << kind << ": " << text.toStdString();
            EXPECT_NEAR(tick.label.box.center().y(), tick.y, 0.01) << kind;
            EXPECT_LE(tick.label.box.left() + metrics.horizontalAdvance(text), l.plot.left()) << kind;
        }
        EXPECT_EQ(l.values.front().label.text, speed ? "0:40" : "30") << kind;

        ASSERT_GE(l.dates.size(), 3u) << kind;
        for (std::size_t i = 0; i < l.dates.size(); ++i) {
            const QString& text = l.dates[i].label.text;
            // The first names its year; the others are in the same one.
            const QDate day = QDate::fromString(i == 0 ? text : text + QStringLiteral(" 2026"), "d MMM yyyy");
            ASSERT_TRUE(day.isValid()) << kind << ": " << text.toStdString();
            const double midnight = double(day.startOfDay(QTimeZone::utc()).toMSecsSinceEpoch());
            EXPECT_LE(std::abs(l.X(midnight) + 0.5 - l.dates[i].x), 0.5) << kind << ": " << text.toStdString();
            EXPECT_GT(l.dates[i].label.at.y(), l.plot.bottom()) << kind;
            EXPECT_GE(l.dates[i].label.at.x(), 0) << kind;
            EXPECT_LE(l.dates[i].label.at.x() + metrics.horizontalAdvance(text), size.width()) << kind;
        }
        EXPECT_EQ(l.dates.front().label.text, "2 Mar 2026") << kind;

        EXPECT_EQ(l.valueCaption.text, speed ? "Time" : "Moves") << kind;
        EXPECT_LT(l.valueCaption.at.y(), l.plot.top()) << kind;
        ASSERT_EQ(bool(l.rateCaption), rate && speed) << kind;
        ASSERT_EQ(!l.rates.empty(), rate && speed) << kind;
        for (const TrendLayout::BoxedText& label : l.rates) {
            EXPECT_NEAR(l.RateY(label.text.toDouble()), label.box.center().y(), 0.01) << kind;
            EXPECT_GE(label.box.left(), l.plot.right()) << kind;
        }
        if (l.rateCaption) {
            EXPECT_EQ(l.rateCaption->text, "Moves per second");
            EXPECT_EQ(l.rateCaption->at.x() + metrics.horizontalAdvance(l.rateCaption->text), size.width() - 4);
        }

        QStringList legend;
        for (const TrendLayout::LegendEntry& e : l.legendEntries) {
            legend << e.text.text;
            EXPECT_TRUE(l.legend.contains(e.mark)) << kind;
            EXPECT_LE(e.text.at.x() + metrics.horizontalAdvance(e.text.text), l.legend.right()) << kind;
        }
        QStringList expected = {"Win", "With help", "Average of 5", "Average of 12", "Best so far"};
        if (rate && speed)
            expected << "Moves per second";
        EXPECT_EQ(legend, expected) << kind;
    }
}

// The averages of 50 and 100 are drawn, and named in the legend, once there
// are wins enough for them.
TEST(TrendLayout, TheLongAveragesShowOnceThereAreWinsEnough)
{
    const QFont font = QApplication::font();
    for (const auto& [days, fifty, hundred] : {std::tuple{49, false, false}, {50, true, false}, {120, true, true}}) {
        const TrendView view = TrendView::Of(Series(Style::Strategy, days), false);
        const TrendLayout l = TrendLayout::Of(view, QSize(1200, 320), font, QLocale::c(), QTimeZone::utc());
        QStringList legend;
        for (const TrendLayout::LegendEntry& e : l.legendEntries)
            legend << e.text.text;
        EXPECT_EQ(legend.contains("Average of 50"), fifty) << days;
        EXPECT_EQ(legend.contains("Average of 100"), hundred) << days;
        EXPECT_EQ(view.series->averageOf50.size(), fifty ? std::size_t(days - 49) : 0u) << days;
    }
}

// In words, for a screen reader: the kind, the wins and their span, the
// best and the latest averages, as the table gives them.
TEST(TrendLayout, SaysWhatItShows)
{
    const auto series = Series(Style::Strategy);
    const QString text = TrendLayout::Description(*series);
    // (Without the English plurals loaded, "win(s)".)
    EXPECT_TRUE(text.startsWith("Expert, Strategy: 28 win")) << text.toStdString();
    EXPECT_TRUE(text.contains(" from 2026-03-02 to 2026-03-29.")) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Best %1.").arg(series->bestSoFar.back().value))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Latest average of 12: %1.").arg(series->averageOf12.back().value, 0, 'f', 1)))
        << text.toStdString();
    ProgressSeries none;
    none.size = GridSize{5, 7};
    EXPECT_EQ(TrendLayout::Description(none), QString::fromUtf8("5 × 7, Strategy: no wins yet."));
}

// A narrow chart wraps its legend onto more lines and moves the plot down
// under it; every entry stays inside.
TEST(TrendLayout, ANarrowChartWrapsItsLegend)
{
    const QFont font = QApplication::font();
    const TrendView view = TrendView::Of(Series(Style::Speed), true);
    const TrendLayout wide = TrendLayout::Of(view, QSize(1200, 320), font, QLocale::c(), QTimeZone::utc());
    const TrendLayout narrow = TrendLayout::Of(view, QSize(320, 320), font, QLocale::c(), QTimeZone::utc());
    const auto lines = [](const TrendLayout& l) {
        std::set<double> rows;
        for (const TrendLayout::LegendEntry& e : l.legendEntries)
            rows.insert(e.text.at.y());
        return rows.size();
    };
    EXPECT_EQ(lines(wide), 1u);
    EXPECT_GE(lines(narrow), 2u);
    EXPECT_GT(narrow.plot.top(), wide.plot.top());
    for (const TrendLayout::LegendEntry& e : narrow.legendEntries) {
        EXPECT_LE(e.text.at.x() + QFontMetricsF(font).horizontalAdvance(e.text.text), narrow.legend.right());
        EXPECT_LE(e.text.at.y(), narrow.legend.bottom());
    }
}
