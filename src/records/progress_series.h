#pragma once

#include "records/records_rows.h"
#include "records/records_stats.h"

#include <QDate>
#include <QString>
#include <QTimeZone>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tesselo {

// A point of a line drawn over the wins: at the win `win` (an index into
// the wins, oldest first), the value.
struct SeriesPoint {
    std::size_t win = 0;
    double value = 0;
    bool operator==(const SeriesPoint&) const = default;
};

// The bins of a histogram: counts[i] results in [first + i * width,
// first + (i + 1) * width).
struct HistogramBins {
    double first = 0;
    double width = 1;
    std::vector<int> counts;
};

// Wins a day over a run of days, with the current run of days played.
struct Activity {
    QDate firstDay;
    std::vector<int> wins; // on each day from firstDay on
    // Days in a row with a win without help, ending on the last day or the
    // one before (a day not played yet breaks nothing).
    int streak = 0;
};

// The figures the Progress charts draw for one size and style, worked out
// once, off the window's thread, from every win of the kind.
struct ProgressSeries {
    GridSize size;
    Style style = Style::Strategy;
    std::vector<ProgressWin> wins; // oldest first
    // Lines over the wins without help: the mean of the last 3 and the
    // averages of the last 5, 12, 50 and 100, as the table counts them,
    // and the best so far at each new best.
    std::vector<SeriesPoint> meanOf3;
    std::vector<SeriesPoint> averageOf5;
    std::vector<SeriesPoint> averageOf12;
    std::vector<SeriesPoint> averageOf50;
    std::vector<SeriesPoint> averageOf100;
    std::vector<SeriesPoint> bestSoFar;
    // The best of each of those averages over every run of wins without
    // help, in the order of records_stats::kAverageCounts (empty where
    // there are too few), and the count, mean and spread of the results.
    std::array<std::optional<double>, std::size(records_stats::kAverageCounts)> bestAverages{};
    records_stats::Spread spread;
    HistogramBins histogram; // of the results without help
    Activity activity;
    // How long the read and the working out took, for the benchmarks.
    double queryMs = 0;
    double seriesMs = 0;

    bool IsSpeed() const;
};

namespace progress {

// At each win without help from the `count`th on, the average of the last
// `count` such wins with the best and the worst left out: the rule of the
// summaries' averages (records_stats::TrimmedAverage).
std::vector<SeriesPoint> RollingAverage(std::span<const ProgressWin> wins, std::size_t count);
// At the first win without help and at each that beat every earlier one,
// its score: the corners of a step line.
std::vector<SeriesPoint> BestSoFar(std::span<const ProgressWin> wins);
// Bins for `values` chosen from the data: as wide as Freedman and
// Diaconis's rule gives (twice the spread of the middle half over the cube
// root of the count), or, where the middle half has no spread, Sturges's
// (the range over log2 of the count, plus one), then the nearest width a
// reader takes in at a glance (1, 2 or 5 times a power of ten, or for
// times round seconds and minutes), at most kMostBins of them. `whole`:
// the values are whole numbers, and so is the width.
constexpr int kMostBins = 40;
HistogramBins Bins(std::vector<std::int64_t> values, bool whole, bool durations);
// Wins a day from `first` to `last` (days in `zone`), and the streak.
Activity ActivityOf(std::span<const ProgressWin> wins, const QDate& first, const QDate& last, const QTimeZone& zone);

} // namespace progress

// The first day the activity strip shows: a year back from `today`, at the
// start of its week, so that the strip is whole weeks.
QDate ActivityFirstDay(const QDate& today, Qt::DayOfWeek weekStart);

// Everything the charts need from the wins of one kind; the days of the
// activity strip in `zone`, up to `today`.
ProgressSeries MakeProgress(GridSize size, Style style, std::vector<ProgressWin> wins,
                            const QDate& today, const QTimeZone& zone, Qt::DayOfWeek weekStart);

} // namespace tesselo
