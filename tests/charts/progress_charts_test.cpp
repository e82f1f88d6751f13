#include "charts/activity_strip.h"
#include "charts/chart_colors.h"
#include "charts/results_histogram.h"
#include "charts/trend_chart.h"

#include <QAccessible>
#include <QDir>
#include <QImageReader>
#include <QPointingDevice>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace tesselo;

namespace {

constexpr std::int64_t kHourMs = 3600LL * 1000;
const std::int64_t kStart = QDateTime(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC).toMSecsSinceEpoch();

// `count` wins of "Speed", `every` apart, slowly faster, every seventh
// helped, every other one kept with its moves.
std::shared_ptr<const ProgressSeries> Speed(int count, std::int64_t every)
{
    std::vector<ProgressWin> wins;
    for (int i = 0; i < count; ++i) {
        ProgressWin w;
        w.id = 1000 + i;
        w.finished = kStart + i * every;
        w.milliseconds = 60000 - std::int64_t(i) * 20000 / count + (i * 7919) % 9000;
        w.score = w.milliseconds;
        w.moves = 30 + i % 20;
        w.par = 22;
        w.helped = i % 7 == 3;
        w.replayable = i % 2 == 0;
        wins.push_back(w);
    }
    return std::make_shared<ProgressSeries>(MakeProgress(kExpert, Style::Speed, std::move(wins),
                                                         QDate(2026, 3, 2).addDays(count * every / (24 * kHourMs)),
                                                         QTimeZone::utc(), Qt::Monday));
}

} // namespace

// A dot under the pointer tells its win; a click on one kept with its moves
// asks for its replay, a click elsewhere or a drag does not; the wheel
// zooms about the moment under the pointer and a drag pans.
TEST(ProgressCharts, TheTrendChartAnswersThePointer)
{
    TrendChart chart;
    chart.resize(640, 320);
    chart.SetSeries(Speed(6, 5 * kHourMs));
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    QSignalSpy clicked(&chart, &TrendChart::WinClicked);
    for (std::size_t i = 0; i < 6; ++i) {
        const QPointF at = chart.PointOf(i);
        ASSERT_TRUE(chart.PlotArea().contains(at)) << i;
        EXPECT_EQ(chart.WinAt(at + QPointF(2, -2)), i);
        QTest::mouseClick(&chart, Qt::LeftButton, {}, at.toPoint());
    }
    // Wins 0, 2 and 4 were kept with their moves.
    ASSERT_EQ(clicked.size(), 3);
    EXPECT_EQ(clicked[1][0].toLongLong(), 1002);
    const QString text = chart.WinText(3);
    for (const char* part : {"2026-03-0", "Result: 0:00:", "Moves: 33", "Time: 0:00:", "Par: 22", "Won with help",
                             "Kept without its moves"})
        EXPECT_TRUE(text.contains(QLatin1String(part))) << part << " in " << text.toStdString();
    EXPECT_FALSE(chart.WinAt(chart.PlotArea().topLeft() + QPointF(1, 1)));

    // The wheel: nearer by three notches, the moment under the pointer
    // stays put.
    const double x = chart.PointOf(2).x();
    const double before = chart.ShownTo() - chart.ShownFrom();
    for (int notch = 0; notch < 3; ++notch) {
        QWheelEvent wheel(QPointF(x, 100), chart.mapToGlobal(QPointF(x, 100)), {}, {0, 120}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&chart, &wheel);
    }
    EXPECT_NEAR(chart.ShownTo() - chart.ShownFrom(), before * 0.8 * 0.8 * 0.8, 1);
    EXPECT_NEAR(chart.PointOf(2).x(), x, 0.5);
    // Then a drag to the right shows earlier moments, and is no click.
    const double from = chart.ShownFrom();
    const double perPixel = (chart.ShownTo() - chart.ShownFrom()) / chart.PlotArea().width();
    const QPoint start = chart.PlotArea().center().toPoint();
    QTest::mousePress(&chart, Qt::LeftButton, {}, start);
    QTest::mouseMove(&chart, start + QPoint(10, 0));
    QTest::mouseMove(&chart, start + QPoint(40, 0));
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, start + QPoint(40, 0));
    EXPECT_NEAR(chart.ShownFrom(), from - 40 * perPixel, 1);
    EXPECT_EQ(clicked.size(), 3);
    // Never out past the wins, nor nearer than two hours.
    chart.ShowSpan(kStart - 1000 * kHourMs, kStart + 1000 * kHourMs);
    const double widest = chart.ShownTo() - chart.ShownFrom();
    EXPECT_LT(widest, 40 * kHourMs);
    EXPECT_LE(chart.ShownFrom(), double(kStart));
    chart.ShowSpan(kStart, kStart + 60000);
    EXPECT_NEAR(chart.ShownTo() - chart.ShownFrom(), 2.0 * kHourMs, 1);
}

namespace {

// The moment drawn at x on the chart's plot.
double MomentAt(const TrendChart& chart, double x)
{
    const QRectF plot = chart.PlotArea();
    return chart.ShownFrom() + (x - plot.left()) / plot.width() * (chart.ShownTo() - chart.ShownFrom());
}

} // namespace

// On a touch screen: one finger pans as a drag does, two pinch to zoom
// about the point between them (and pan as that point moves), a tap on a
// win kept with its moves asks for its replay, and none of it reaches the
// chart as mouse events besides.
TEST(ProgressCharts, TheTrendChartPansWithAFingerAndPinchesWithTwo)
{
    TrendChart chart;
    chart.resize(640, 320);
    chart.SetSeries(Speed(6, 5 * kHourMs));
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    std::unique_ptr<QPointingDevice> screen(QTest::createTouchDevice());
    QSignalSpy clicked(&chart, &TrendChart::WinClicked);
    const QPoint middle = chart.PlotArea().center().toPoint();
    chart.Zoom(0.5, middle.x());
    const double span = chart.ShownTo() - chart.ShownFrom();

    // One finger, right by 40 pixels: earlier moments, no click.
    const double from = chart.ShownFrom();
    const double perPixel = span / chart.PlotArea().width();
    QTest::touchEvent(&chart, screen.get()).press(0, middle);
    for (const int dx : {2, 10, 25, 40})
        QTest::touchEvent(&chart, screen.get()).move(0, middle + QPoint(dx, 0));
    QTest::touchEvent(&chart, screen.get()).release(0, middle + QPoint(40, 0));
    EXPECT_NEAR(chart.ShownFrom(), from - 40 * perPixel, 1);
    EXPECT_NEAR(chart.ShownTo() - chart.ShownFrom(), span, 1);

    // Two fingers: spread, closed and moved together, the moment that was
    // between them stays between them, the span follows their distance.
    struct Pinch {
        int spreadFrom, spreadTo; // pixels between the fingers
        int moveBy;               // how far their middle moves
    };
    const Pinch pinches[] = {{100, 200, 0}, {240, 160, 0}, {120, 180, -30}};
    for (const Pinch& p : pinches) {
        const double before = chart.ShownTo() - chart.ShownFrom();
        const double held = MomentAt(chart, middle.x());
        const QPoint a(p.spreadFrom / 2, 0), b(p.spreadTo / 2, 0), by(p.moveBy, 0);
        QTest::touchEvent(&chart, screen.get()).press(0, middle - a).press(1, middle + a);
        QTest::touchEvent(&chart, screen.get()).move(0, middle - (a + b) / 2 + by / 2).move(1, middle + (a + b) / 2 + by / 2);
        QTest::touchEvent(&chart, screen.get()).move(0, middle - b + by).move(1, middle + b + by);
        QTest::touchEvent(&chart, screen.get()).release(0, middle - b + by).release(1, middle + b + by);
        EXPECT_NEAR(chart.ShownTo() - chart.ShownFrom(), before * p.spreadFrom / p.spreadTo, 1) << p.spreadTo;
        EXPECT_NEAR(MomentAt(chart, middle.x() + p.moveBy), held, 1) << p.spreadTo;
    }
    // Pinched far in, never nearer than two hours.
    QTest::touchEvent(&chart, screen.get()).press(0, middle - QPoint(20, 0)).press(1, middle + QPoint(20, 0));
    QTest::touchEvent(&chart, screen.get()).move(0, middle - QPoint(300, 0)).move(1, middle + QPoint(300, 0));
    QTest::touchEvent(&chart, screen.get()).release(0, middle - QPoint(300, 0)).release(1, middle + QPoint(300, 0));
    EXPECT_NEAR(chart.ShownTo() - chart.ShownFrom(), 2.0 * kHourMs, 1);
    EXPECT_EQ(clicked.size(), 0);

    // Taps on each win: those kept with their moves (0, 2, 4) ask.
    chart.ShowSpan(kStart - 1000 * kHourMs, kStart + 1000 * kHourMs);
    for (std::size_t i = 0; i < 6; ++i) {
        const QPoint at = chart.PointOf(i).toPoint();
        QTest::touchEvent(&chart, screen.get()).press(0, at);
        QTest::touchEvent(&chart, screen.get()).release(0, at);
    }
    ASSERT_EQ(clicked.size(), 3);
    EXPECT_EQ(clicked[1][0].toLongLong(), 1002);
}

// A hundred thousand wins draw no more dots than the plot has cells, at
// the screen's pixel ratio; the picture saved is the chart as drawn.
TEST(ProgressCharts, ManyWinsDrawAsFewDotsAsThePixelsShowAndSaveAsPng)
{
    TrendChart chart;
    chart.resize(800, 400);
    chart.SetSeries(Speed(100000, 60000));
    chart.SetShowRate(true);
    const QImage picture = chart.Picture();
    const qreal ratio = chart.devicePixelRatioF();
    EXPECT_EQ(picture.size(), QSize(800, 400) * ratio);
    const QRectF plot = chart.PlotArea();
    // Two series of dots, each at most one a 2-pixel cell.
    EXPECT_GT(chart.DotsDrawn(), 1000);
    EXPECT_LE(chart.DotsDrawn(), 2 * int((plot.width() / 2 + 8) * (plot.height() / 2 + 8)));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.png"));
    QString error;
    ASSERT_TRUE(chart.SaveAs(path, &error)) << error.toStdString();
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), "png");
    EXPECT_EQ(reader.read().size(), picture.size());
    EXPECT_FALSE(chart.SaveAs(dir.filePath(QStringLiteral("no such folder/chart.png")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("chart.png")});
}

// Every series stands out from the base of a light and of a dark palette.
TEST(ProgressCharts, TheColoursReadOnLightAndDarkPalettes)
{
    for (const QColor base : {QColor(Qt::white), QColor(0xf0, 0xf0, 0xf0), QColor(0x1e, 0x1e, 0x1e), QColor(Qt::black)}) {
        QPalette palette;
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Text, base.lightness() < 128 ? Qt::white : Qt::black);
        const ChartColors c = ChartColors::Of(palette);
        for (const QColor& series : {c.win, c.average5, c.average12, c.best, c.rate, c.text})
            EXPECT_GE(std::abs(series.lightness() - base.lightness()), 70)
                << base.name().toStdString() << " " << series.name().toStdString();
        EXPECT_NE(c.empty, c.base);
    }
}

// The histogram's bins and the strip's days answer the pointer with their
// counts.
TEST(ProgressCharts, TheHistogramAndTheStripTellTheirCounts)
{
    const auto series = Speed(40, 24 * kHourMs);
    ResultsHistogram histogram;
    histogram.resize(300, 200);
    histogram.SetSeries(series);
    int total = 0;
    for (int x = 0; x < 300; ++x)
        if (const auto bin = histogram.BinAt(QPointF(x, 150)); bin && (x == 0 || histogram.BinAt(QPointF(x - 1, 150)) != bin))
            total += series->histogram.counts[*bin];
    EXPECT_EQ(total, 34); // every win without help (six were helped), once
    EXPECT_TRUE(histogram.BinText(0).contains(QLatin1String("to under")));

    ActivityStrip strip;
    strip.resize(strip.sizeHint());
    strip.SetSeries(series);
    const Activity& a = series->activity;
    int days = 0;
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x)
            if (const auto day = strip.DayAt(QPointF(x, y)); day && a.wins[std::size_t(*day)] > 0 &&
                                                                 strip.DayAt(QPointF(x - 1, y)) != day &&
                                                                 strip.DayAt(QPointF(x, y - 1)) != day)
                ++days;
    EXPECT_EQ(days, 40);
    // Yesterday's win, after a day won only with help.
    EXPECT_EQ(a.streak, 1);
    EXPECT_TRUE(strip.StreakText().contains(QLatin1String("Wins in the last year: 40")));
}

// Each chart reaches a screen reader as a chart, named, and described by
// the count it draws: the wins, or the results without help.
TEST(ProgressCharts, EachIsAChartToAScreenReaderAndTellsItsCount)
{
    const auto series = Speed(40, 24 * kHourMs);
    TrendChart trend;
    ResultsHistogram histogram;
    ActivityStrip strip;
    trend.SetSeries(series);
    histogram.SetSeries(series);
    strip.SetSeries(series);
    const std::pair<ChartWidget*, QString> cases[] = {
        {&trend, QStringLiteral("40 win")},
        {&histogram, QStringLiteral("34 result")}, // six were helped
        {&strip, QStringLiteral("40 win")},
    };
    for (const auto& [chart, count] : cases) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(chart);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), QAccessible::Chart) << chart->metaObject()->className();
        EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << chart->metaObject()->className();
        EXPECT_TRUE(a->text(QAccessible::Description).contains(count))
            << chart->metaObject()->className() << ": " << a->text(QAccessible::Description).toStdString();
    }
}
