#include "records/progress_series.h"

#include "records/daily_streak.h"
#include "records/records_stats.h"

#include <QDateTime>
#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tesselo {

bool ProgressSeries::IsSpeed() const
{
    return style.IsSpeed();
}

namespace progress {

namespace {

// The round width nearest `raw` (by ratio) of those no narrower than
// `least`: 1, 2 or 5 times a power of ten, or for times in milliseconds
// tenths and whole seconds, quarter and half minutes, minutes, quarter and
// half hours, and hours by 1, 2 or 5 times a power of ten.
double RoundWidth(double raw, double least, bool durations)
{
    std::vector<double> widths;
    const double power = std::pow(10.0, std::floor(std::log10(std::max(raw, least))));
    if (durations) {
        widths = {1,     2,     5,      10,     20,     50,     100,    200,     500,     1000,   2000,
                  5000,  10000, 15000,  30000,  60000,  120000, 300000, 600000,  900000,  1800000};
        for (double hours = 1; hours <= power * 100 / 3600000 || hours == 1; hours *= 10)
            for (const double m : {1.0, 2.0, 5.0})
                widths.push_back(m * hours * 3600000);
    } else {
        for (double p = power / 10; p <= power * 10; p *= 10)
            for (const double m : {1.0, 2.0, 5.0})
                widths.push_back(m * p);
    }
    double best = 0;
    for (const double w : widths)
        if (w >= least * (1 - 1e-9) && (best == 0 || std::abs(std::log(w / raw)) < std::abs(std::log(best / raw))))
            best = w;
    return best > 0 ? best : least;
}

// The value a fraction `q` of the way through the values in order, between
// the two nearest as a straight line between them puts it. The values are
// partly ordered on the way, not sorted: a hundred thousand results cost a
// pass or two.
double Quantile(std::vector<std::int64_t>& values, double q)
{
    const double at = q * double(values.size() - 1);
    const auto below = values.begin() + std::ptrdiff_t(std::floor(at));
    std::nth_element(values.begin(), below, values.end());
    const double low = double(*below);
    if (below + 1 == values.end())
        return low;
    const double next = double(*std::min_element(below + 1, values.end()));
    return low + (at - std::floor(at)) * (next - low);
}

// The day a moment falls on in a zone, remembering the bounds of the last
// day found: the wins of one day are found without working out their date
// again, so a run over many wins costs one date a day.
class DayFinder {
public:
    explicit DayFinder(const QTimeZone& zone) : zone(zone) {}
    QDate operator()(std::int64_t ms)
    {
        if (ms < start || ms >= end) {
            day = QDateTime::fromMSecsSinceEpoch(ms, zone).date();
            start = day.startOfDay(zone).toMSecsSinceEpoch();
            end = day.addDays(1).startOfDay(zone).toMSecsSinceEpoch();
        }
        return day;
    }

private:
    const QTimeZone& zone;
    QDate day;
    std::int64_t start = 0;
    std::int64_t end = std::numeric_limits<std::int64_t>::min();
};

} // namespace

std::vector<SeriesPoint> RollingAverage(std::span<const ProgressWin> wins, std::size_t count)
{
    std::vector<SeriesPoint> out;
    // The last `count` results without help, as they came, and the same
    // kept in order: one goes out and one comes in at each win, so each
    // step costs a few moves of `count` numbers, not a sort.
    std::vector<std::int64_t> recent, sorted;
    std::size_t oldest = 0; // in `recent`, a ring once full
    for (std::size_t i = 0; i < wins.size(); ++i) {
        if (wins[i].helped)
            continue;
        const std::int64_t score = wins[i].score;
        if (recent.size() < count) {
            recent.push_back(score);
        } else {
            sorted.erase(std::lower_bound(sorted.begin(), sorted.end(), recent[oldest]));
            recent[oldest] = score;
            oldest = (oldest + 1) % count;
        }
        sorted.insert(std::upper_bound(sorted.begin(), sorted.end(), score), score);
        // The table's rule, on numbers already in order: the same figure.
        if (const std::optional<double> average = records_stats::TrimmedAverage(sorted, count))
            out.push_back(SeriesPoint{i, *average});
    }
    return out;
}

std::vector<SeriesPoint> BestSoFar(std::span<const ProgressWin> wins)
{
    std::vector<SeriesPoint> out;
    for (std::size_t i = 0; i < wins.size(); ++i)
        if (!wins[i].helped && (out.empty() || double(wins[i].score) < out.back().value))
            out.push_back(SeriesPoint{i, double(wins[i].score)});
    return out;
}

HistogramBins Bins(std::vector<std::int64_t> values, bool whole, bool durations)
{
    HistogramBins bins;
    if (values.empty())
        return bins;
    const double n = double(values.size());
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    const double low = double(*lowest), high = double(*highest);
    const double spread = Quantile(values, 0.75) - Quantile(values, 0.25);
    double width = spread > 0 ? 2 * spread / std::cbrt(n) : (high - low) / (std::ceil(std::log2(n)) + 1);
    if (width <= 0)
        width = durations ? 1000 : 1; // every value the same: one bin
    // No more bins than a reader can tell apart, and whole numbers in
    // bins of whole numbers.
    const double least = std::max(whole ? 1.0 : 0.0, (high - low) / (kMostBins - 1));
    width = RoundWidth(std::max(width, least), least, durations);
    bins.width = width;
    const double firstBin = std::floor(low / width);
    bins.first = firstBin * width;
    bins.counts.assign(std::size_t(std::floor(high / width) - firstBin) + 1, 0);
    for (const std::int64_t v : values) {
        const auto at = std::size_t(std::clamp(std::floor(double(v) / width) - firstBin, 0.0,
                                               double(bins.counts.size() - 1)));
        ++bins.counts[at];
    }
    return bins;
}

Activity ActivityOf(std::span<const ProgressWin> wins, const QDate& first, const QDate& last, const QTimeZone& zone)
{
    Activity a;
    a.firstDay = first;
    if (!first.isValid() || !last.isValid() || first > last)
        return a;
    a.wins.assign(std::size_t(first.daysTo(last) + 1), 0);
    const std::int64_t from = first.startOfDay(zone).toMSecsSinceEpoch();
    const std::int64_t until = last.addDays(1).startOfDay(zone).toMSecsSinceEpoch();
    DayFinder dayOf(zone);
    // Newest first: the strip needs only its year, the streak only its run.
    std::vector<QDate> played;
    bool streakOver = false;
    for (auto w = wins.rbegin(); w != wins.rend(); ++w) {
        // A win dated after the last day (a clock set wrong) is in neither.
        if (w->finished >= until)
            continue;
        if (w->finished < from && streakOver)
            break;
        const QDate day = dayOf(w->finished);
        if (w->finished >= from)
            ++a.wins[std::size_t(first.daysTo(day))];
        if (streakOver || w->helped || (!played.empty() && played.back() == day))
            continue;
        // A day missed ends the run.
        const QDate after = played.empty() ? last : played.back();
        if (day.daysTo(after) > 1)
            streakOver = true;
        else
            played.push_back(day);
    }
    a.streak = CurrentDailyStreak(std::move(played), last);
    return a;
}

} // namespace progress

QDate ActivityFirstDay(const QDate& today, Qt::DayOfWeek weekStart)
{
    const QDate yearBack = today.addDays(-364);
    return yearBack.addDays(-((yearBack.dayOfWeek() - int(weekStart) + 7) % 7));
}

ProgressSeries MakeProgress(GridSize size, Style style, std::vector<ProgressWin> wins,
                            const QDate& today, const QTimeZone& zone, Qt::DayOfWeek weekStart)
{
    QElapsedTimer clock;
    clock.start();
    ProgressSeries s;
    s.size = size;
    s.style = style;
    s.wins = std::move(wins);
    std::vector<SeriesPoint>* lines[] = {&s.meanOf3, &s.averageOf5, &s.averageOf12, &s.averageOf50, &s.averageOf100};
    static_assert(std::size(lines) == std::size(records_stats::kAverageCounts));
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        *lines[i] = progress::RollingAverage(s.wins, records_stats::kAverageCounts[i]);
        for (const SeriesPoint& p : *lines[i])
            if (!s.bestAverages[i] || p.value < *s.bestAverages[i])
                s.bestAverages[i] = p.value;
    }
    s.bestSoFar = progress::BestSoFar(s.wins);
    std::vector<std::int64_t> results;
    results.reserve(s.wins.size());
    for (const ProgressWin& w : s.wins)
        if (!w.helped)
            results.push_back(w.score);
    s.spread = records_stats::SpreadOf(results);
    s.histogram = progress::Bins(std::move(results), true, s.IsSpeed());
    s.activity = progress::ActivityOf(s.wins, ActivityFirstDay(today, weekStart), today, zone);
    s.seriesMs = double(clock.nsecsElapsed()) / 1e6;
    return s;
}

} // namespace tesselo
