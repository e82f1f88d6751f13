#include "charts/trend_layout.h"

#include "charts/chart_scale.h"
#include "records/display_names.h"
#include "records/result_text.h"

#include <QDateTime>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace tesselo {

namespace {

constexpr double kHourMs = 3600.0 * 1000;
// Room for a legend entry's mark (and after it), and between entries.
constexpr double kLegendMark = 20;
constexpr double kLegendGap = 14;

} // namespace

double TrendView::RateOf(const ProgressWin& w)
{
    return w.milliseconds > 0 ? double(w.moves) * 1000.0 / double(w.milliseconds) : 0.0;
}

std::size_t TrendView::FirstFrom(const std::vector<ProgressWin>& wins, double ms)
{
    return std::size_t(std::lower_bound(wins.begin(), wins.end(), ms,
                                        [](const ProgressWin& w, double t) { return double(w.finished) < t; }) -
                       wins.begin());
}

TrendView TrendView::Of(std::shared_ptr<const ProgressSeries> series, bool showRate)
{
    TrendView v;
    v.series = std::move(series);
    v.showRate = showRate;
    if (!v.series || v.series->wins.empty())
        return v;
    const auto& wins = v.series->wins;
    v.firstMs = double(wins.front().finished);
    v.lastMs = double(wins.back().finished);
    // A little room either side, and at least the narrowest span.
    const double pad = std::max((v.lastMs - v.firstMs) * 0.03, kHourMs / 2);
    v.firstMs -= pad;
    v.lastMs += pad;
    if (v.lastMs - v.firstMs < kNarrowestMs * 6) {
        const double middle = (v.firstMs + v.lastMs) / 2;
        v.firstMs = middle - kNarrowestMs * 3;
        v.lastMs = middle + kNarrowestMs * 3;
    }
    const auto [low, high] = std::minmax_element(wins.begin(), wins.end(), [](const ProgressWin& a, const ProgressWin& b) {
        return a.score < b.score;
    });
    v.lowest = double(low->score);
    v.highest = double(high->score);
    v.fastest = 0;
    for (const ProgressWin& w : wins)
        v.fastest = std::max(v.fastest, RateOf(w));
    v.from = v.firstMs;
    v.to = v.lastMs;
    return v;
}

TrendLayout TrendLayout::Of(const TrendView& view, const QSize& size, const QFont& font, const QLocale& locale,
                            const QTimeZone& zone)
{
    TrendLayout l;
    const QFontMetricsF fm(font);
    const double line = fm.height();
    const bool speed = view.series && view.series->IsSpeed();
    l.from = view.from;
    l.to = view.to;
    // The values of every win, with room above and below: a single win, or
    // wins all alike, still get an axis a reader can place them on.
    const double pad = std::max({(view.highest - view.lowest) * 0.05, view.highest * 0.05, speed ? 1000.0 : 1.0});
    l.low = std::max(0.0, view.lowest - pad);
    l.high = view.highest + pad;
    l.rateHigh = std::max(view.fastest * 1.05, 0.5);
    l.rate = view.ShowsRate();

    // The legend runs along the top, in as many lines as it needs.
    const struct {
        QString text;
        Mark shape;
        Ink ink;
    } entries[] = {{tr("Win"), Mark::Dot, Ink::Win},
                   {tr("With help"), Mark::Ring, Ink::Win},
                   {tr("Average of 5"), Mark::Line, Ink::Average5},
                   {tr("Average of 12"), Mark::Line, Ink::Average12},
                   {tr("Average of 50"), Mark::Line, Ink::Average50},
                   {tr("Average of 100"), Mark::Line, Ink::Average100},
                   {tr("Best so far"), Mark::Line, Ink::Best},
                   {tr("Moves per second"), Mark::Dot, Ink::Rate}};
    const double legendLeft = 8, legendRight = size.width() - 8.0;
    double x = legendLeft, y = 4;
    int rows = 1;
    for (const auto& e : entries) {
        if (e.ink == Ink::Rate && !l.rate)
            continue;
        // The long averages only once there are wins enough to draw them.
        if ((e.ink == Ink::Average50 && (!view.series || view.series->averageOf50.empty())) ||
            (e.ink == Ink::Average100 && (!view.series || view.series->averageOf100.empty())))
            continue;
        const double w = kLegendMark + fm.horizontalAdvance(e.text) + kLegendGap;
        if (x > legendLeft && x + w > legendRight) {
            x = legendLeft;
            y += line + 4;
            ++rows;
        }
        l.legendEntries.push_back({{e.text, QPointF(x + kLegendMark, y + fm.ascent())}, QPointF(x + 8, y + line / 2),
                                   e.shape, e.ink});
        x += w;
    }
    l.legend = QRectF(8, 4, size.width() - 16, rows * (line + 4));

    // A line above the plot names the value axis; the dates go below it.
    const double top = l.legend.bottom() + 6 + line * 1.5;
    const double bottom = size.height() - line - 8;
    const int most = std::max(3, int((bottom - top) / (line * 2)));
    const std::vector<double> values = chart::ValueTicks(l.low, l.high, most, speed);
    const double valueStep = values.size() > 1 ? values[1] - values[0] : (speed ? 1000 : 1);
    const auto valueLabel = [&](double v) {
        return speed ? chart::DurationLabel(v, valueStep) : QString::number(v);
    };
    const std::vector<double> rates = l.rate ? chart::ValueTicks(0, l.rateHigh, most, false) : std::vector<double>();
    // Room for the widest label of each axis.
    double left = 0, right = 0;
    for (const double v : values)
        left = std::max(left, fm.horizontalAdvance(valueLabel(v)));
    for (const double r : rates)
        right = std::max(right, fm.horizontalAdvance(QString::number(r, 'g', 3)));
    l.plot = QRectF(QPointF(left + 12, top), QPointF(size.width() - (l.rate ? right + 10 : 12), bottom));
    const QRectF& plot = l.plot;

    for (const double v : values) {
        const double at = std::round(l.Y(v)) + 0.5;
        l.values.push_back({at, {valueLabel(v), QRectF(0, at - line / 2, plot.left() - 6, line),
                                 Qt::AlignRight | Qt::AlignVCenter}});
    }
    for (const double r : rates) {
        const double at = l.RateY(r);
        l.rates.push_back({QString::number(r, 'g', 3),
                           QRectF(plot.right() + 4, at - line / 2, size.width() - plot.right() - 4, line),
                           Qt::AlignLeft | Qt::AlignVCenter});
    }
    // As many dates as a long one leaves room for.
    const double labelWidth = fm.horizontalAdvance(chart::DateTickLabel(
                                  QDateTime(QDate(2000, 12, 28), QTime(0, 0), zone).toMSecsSinceEpoch(),
                                  {chart::DateUnit::Day, 1}, true, zone, locale)) +
                              16;
    const chart::DateTicks ticks = chart::DateTicksFor(std::int64_t(std::ceil(l.from)), std::int64_t(std::floor(l.to)),
                                                       std::max(2, int(plot.width() / labelWidth)), zone,
                                                       locale.firstDayOfWeek());
    for (std::size_t i = 0; i < ticks.at.size(); ++i) {
        const double at = std::round(l.X(double(ticks.at[i]))) + 0.5;
        const QString label = chart::DateTickLabel(ticks.at[i], ticks.step, i == 0, zone, locale);
        const double w = fm.horizontalAdvance(label);
        l.dates.push_back({at, {label, QPointF(std::clamp(at - w / 2, 0.0, size.width() - w),
                                               plot.bottom() + 4 + fm.ascent())}});
    }
    const double captionY = plot.top() - line / 2 - 2;
    l.valueCaption = {speed ? tr("Time") : tr("Moves"), QPointF(4, captionY)};
    if (l.rate) {
        const QString caption = tr("Moves per second");
        l.rateCaption = PlacedText{caption, QPointF(size.width() - 4 - fm.horizontalAdvance(caption), captionY)};
    }
    return l;
}

QString TrendLayout::Description(const ProgressSeries& series)
{
    const QString kind = tr("%1, %2").arg(DisplayName(series.size), DisplayName(series.style));
    if (series.wins.empty())
        return tr("%1: no wins yet.").arg(kind);
    const auto day = [](std::int64_t ms) {
        return DateText(QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc()), false);
    };
    QString text = tr("%1: %n win(s) from %2 to %3.", nullptr, int(series.wins.size()))
                       .arg(kind, day(series.wins.front().finished), day(series.wins.back().finished));
    const auto add = [&](const QString& sentence) { text += QLatin1Char(' ') + sentence; };
    if (!series.bestSoFar.empty())
        add(tr("Best %1.").arg(ScoreText(series.style, series.bestSoFar.back().value)));
    if (!series.averageOf5.empty())
        add(tr("Latest average of 5: %1.").arg(ScoreText(series.style, series.averageOf5.back().value)));
    if (!series.averageOf12.empty())
        add(tr("Latest average of 12: %1.").arg(ScoreText(series.style, series.averageOf12.back().value)));
    return text;
}

} // namespace tesselo
