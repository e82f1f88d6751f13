#include "records/progress_series.h"
#include "records/records.h"
#include "records/records_stats.h"
#include "records/result_text.h"
#include "support/temp_cwd.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <numeric>
#include <tuple>

using namespace tesselo;
using tesselo::testing::TempCwd;

namespace {

struct Played {
    int score;
    bool helped = false;
    int minute = 0; // after the first win; equal minutes keep the order kept
};

GameResult WinOf(Style style, const Played& p, GridSize size = kExpert)
{
    GameResult r;
    r.size = size;
    r.style = style;
    r.moves = p.score;
    r.milliseconds = p.score * 100;
    r.finished = QDateTime(QDate(2026, 1, 5), QTime(8, 0), Qt::UTC).addSecs(60LL * p.minute);
    r.assisted = p.helped ? 2 : 0;
    return r;
}

} // namespace

// After every win, the ends of the charts' lines are the table's figures:
// the averages of 5 and 12 (best and worst left out, wins with help left
// out) and the best; and the wins come back oldest first, whatever order
// they were kept in.
TEST(Progress, TheLinesEndAtTheTablesFiguresAfterEveryWin)
{
    const struct {
        GridSize size;
        Style style;
        std::vector<Played> wins;
    } cases[] = {
        {kExpert, Style::Strategy, {{30}, {28}, {35, true}, {28}, {40}, {22}, {22}, {50, true}, {31}, {29}, {27}, {33}, {25}, {26},
                      {24, true}, {21}, {60}}},
        // Kept out of order, two at one moment: the oldest first, then as
        // kept; on a size no level has.
        {{5, 7}, Style::Speed, {{90, false, 50}, {80, false, 10}, {70, false, 10}, {85, true, 5}, {60, false, 30}, {65, false, 20},
                   {75, false, 40}, {55, false, 45}, {95, false, 0}, {50, false, 60}, {58, false, 61},
                   {52, false, 62}, {51, false, 63}}},
    };
    for (const auto& c : cases) {
        TempCwd cwd;
        Records records;
        for (std::size_t n = 0; n < c.wins.size(); ++n) {
            ASSERT_TRUE(records.Add(WinOf(c.style, c.wins[n], c.size)));
            const Records::Summary table = records.Summarize(c.size, c.style);
            const ProgressSeries s = MakeProgress(c.size, c.style, records.Progress(c.size, c.style),
                                                  QDate(2026, 1, 5), QTimeZone::utc(), Qt::Monday);
            const std::string where = c.size.Name() + " " + c.style.Key() + " after " + std::to_string(n + 1);
            ASSERT_EQ(s.wins.size(), n + 1) << where;
            EXPECT_TRUE(std::is_sorted(s.wins.begin(), s.wins.end(), [](const ProgressWin& a, const ProgressWin& b) {
                return a.finished < b.finished;
            })) << where;
            const auto last = [](const std::vector<SeriesPoint>& line) {
                return line.empty() ? std::nullopt : std::optional<double>(line.back().value);
            };
            EXPECT_EQ(last(s.meanOf3), table.meanOf3) << where;
            EXPECT_EQ(last(s.averageOf5), table.averageOf5) << where;
            EXPECT_EQ(last(s.averageOf12), table.averageOf12) << where;
            EXPECT_EQ(last(s.bestSoFar), table.best ? std::optional<double>(double(table.best->Score())) : std::nullopt)
                << where;
            // Every point of a line stands on a win without help.
            for (const auto* line : {&s.averageOf5, &s.averageOf12, &s.bestSoFar})
                for (const SeriesPoint& p : *line)
                    EXPECT_FALSE(s.wins.at(p.win).helped) << where;
        }
    }
}

// The averages players keep: a mean of 3 leaves nothing out, the others 5%
// at each end rounded up and at least one; a DNF is the worst result, and
// more DNFs than an average leaves out make it a DNF.
TEST(Averages, TrimsAndDnfs)
{
    constexpr std::int64_t D = records_stats::kDnfScore;
    const auto run = [](std::initializer_list<std::int64_t> head, std::size_t count, std::int64_t fill) {
        std::vector<std::int64_t> v(head);
        v.resize(count, fill);
        return v;
    };
    const double dnf = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        std::vector<std::int64_t> scores;
        std::size_t count;
        std::optional<double> average;
    } cases[] = {
        {"mean of 3", {10, 20, 60}, 3, 30},
        {"mean of 3 with a DNF", {10, D, 60}, 3, dnf},
        {"too few", {10, 20}, 3, std::nullopt},
        {"average of 5", {10, 20, 30, 40, 100}, 5, 30},
        {"average of 5, one DNF left out", {10, 20, 30, 40, D}, 5, 30},
        {"average of 5, two DNFs", {10, 20, 30, D, D}, 5, dnf},
        {"average of 12", run({1, 1000}, 12, 50), 12, 50},
        {"average of 50 leaves out three at each end", run({0, 0, 0, 900, 900, 900}, 50, 10), 50, 10},
        {"average of 50, three DNFs", run({D, D, D}, 50, 10), 50, 10},
        {"average of 50, four DNFs", run({D, D, D, D}, 50, 10), 50, dnf},
        {"average of 100 leaves out five at each end", run({0, 0, 0, 0, 0, D, D, D, D, D}, 100, 7), 100, 7},
        {"average of 100, six DNFs", run({D, D, D, D, D, D}, 100, 7), 100, dnf},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(records_stats::TrimmedAverage(c.scores, c.count), c.average);
    }
    EXPECT_EQ(records_stats::TrimOf(3), 0u);
    EXPECT_EQ(records_stats::TrimOf(5), 1u);
    EXPECT_EQ(records_stats::TrimOf(12), 1u);
    EXPECT_EQ(records_stats::TrimOf(50), 3u);
    EXPECT_EQ(records_stats::TrimOf(100), 5u);
    EXPECT_EQ(ScoreText(Style::Speed, dnf), "DNF");

    // The spread leaves DNFs out; the population's deviation.
    const records_stats::Spread spread = records_stats::SpreadOf(std::vector<std::int64_t>{2, 4, D, 4, 4, 5, 5, 7, 9});
    EXPECT_EQ(spread.count, 8u);
    EXPECT_DOUBLE_EQ(spread.mean, 5);
    EXPECT_DOUBLE_EQ(spread.deviation, 2);
}

// The best of each average is the best over every run of wins without
// help in a row, the helped ones passed over.
TEST(Averages, TheBestsRunOverEveryWin)
{
    TempCwd cwd;
    Records records;
    const std::vector<Played> wins = {{40}, {30}, {20, true}, {35}, {10}, {50}, {12}, {14}, {60}};
    for (std::size_t n = 0; n < wins.size(); ++n)
        ASSERT_TRUE(records.Add(WinOf(Style::Strategy, wins[n])));
    const ProgressSeries s = MakeProgress(kExpert, Style::Strategy, records.Progress(kExpert, Style::Strategy),
                                          QDate(2026, 1, 5), QTimeZone::utc(), Qt::Monday);
    // Without help: 40 30 35 10 50 12 14 60. Means of 3: 35, 25, 31.7,
    // 24, 25.3, 28.7; averages of 5: 35, 25.7, 20.3 (of 35 10 50 12 14,
    // the middle three), 25.3; too few for 12.
    EXPECT_EQ(s.bestAverages[0], 24.0);
    EXPECT_EQ(s.bestAverages[1], (12.0 + 14 + 35) / 3);
    EXPECT_EQ(s.bestAverages[2], std::nullopt);
    EXPECT_EQ(s.spread.count, 8u);
    EXPECT_DOUBLE_EQ(s.spread.mean, 251.0 / 8);
}

// The best so far steps down only at a strictly better win without help.
TEST(Progress, TheBestSoFarStepsAtEachNewBest)
{
    std::vector<ProgressWin> wins;
    for (const auto& [score, helped] : std::vector<std::pair<int, bool>>{
             {40, true}, {30, false}, {30, false}, {35, false}, {20, true}, {25, false}, {25, false}, {24, false}}) {
        ProgressWin w;
        w.score = score;
        w.helped = helped;
        wins.push_back(w);
    }
    EXPECT_EQ(progress::BestSoFar(wins), (std::vector<SeriesPoint>{{1, 30}, {5, 25}, {7, 24}}));
}

TEST(Progress, HistogramBinsFollowTheData)
{
    const auto range = [](int from, int to) {
        std::vector<std::int64_t> v(std::size_t(to - from + 1));
        std::iota(v.begin(), v.end(), from);
        return v;
    };
    const struct {
        const char* what;
        std::vector<std::int64_t> values;
        bool durations;
        double width, first;
        std::size_t bins;
    } cases[] = {
        // Freedman-Diaconis: 2 * 49.5 / cbrt(100) = 21.3, nearest 20.
        {"moves 1 to 100", range(1, 100), false, 20, 0, 6},
        // A middle half without spread: Sturges, 10 / (log2(5) + 1) = 2.5, nearest 2.
        {"one outlier", {20, 20, 20, 20, 30}, false, 2, 20, 6},
        {"all alike", {7, 7, 7}, false, 1, 7, 1},
        {"one win", {42}, false, 1, 42, 1},
        // Times: 2 * 23250 / cbrt(8) = 23250 ms, nearest half a minute.
        {"times", {60000, 62000, 70000, 75000, 80000, 90000, 95000, 100000}, true, 30000, 60000, 2},
        {"times alike", {61000, 61000}, true, 1000, 61000, 1},
        // Never more than kMostBins: a wide spread of few values.
        {"spread", {1, 2, 3, 4, 5000, 10000, 20000, 1000000}, false, 50000, 0, 21},
    };
    for (const auto& c : cases) {
        const HistogramBins b = progress::Bins(c.values, true, c.durations);
        EXPECT_EQ(b.width, c.width) << c.what;
        EXPECT_EQ(b.first, c.first) << c.what;
        EXPECT_EQ(b.counts.size(), c.bins) << c.what;
        EXPECT_LE(int(b.counts.size()), progress::kMostBins) << c.what;
        EXPECT_EQ(std::accumulate(b.counts.begin(), b.counts.end(), std::size_t(0)), c.values.size()) << c.what;
        // Each value in the bin that spans it.
        for (const std::int64_t v : c.values) {
            const auto bin = std::size_t((double(v) - b.first) / b.width);
            ASSERT_LT(bin, b.counts.size()) << c.what << " " << v;
            EXPECT_GT(b.counts[bin], 0) << c.what << " " << v;
        }
    }
    EXPECT_TRUE(progress::Bins({}, true, false).counts.empty());
}

// Wins a day in the zone's days, and the run of days played up to today
// or yesterday, which a win with help does not extend.
TEST(Progress, ActivityCountsTheDaysOfTheZoneAndTheStreak)
{
    const QTimeZone berlin("Europe/Berlin");
    ASSERT_TRUE(berlin.isValid());
    const QDate today(2026, 3, 10);
    const auto at = [](int day, int hour, int minute = 0) {
        return QDateTime(QDate(2026, 3, day), QTime(hour, minute), QTimeZone::utc()).toMSecsSinceEpoch();
    };
    const struct {
        const char* what;
        std::vector<std::pair<std::int64_t, bool>> wins; // when, helped
        std::vector<int> berlinCounts;                   // 6 to 10 March
        int streak;
    } cases[] = {
        {"three days to today", {{at(8, 9), false}, {at(9, 9), false}, {at(10, 9), false}}, {0, 0, 1, 1, 1}, 3},
        // 23:30 UTC on the 9th is the 10th in Berlin: the 9th was missed.
        {"a late win on the next day", {{at(7, 12), false}, {at(8, 9), false}, {at(9, 23, 30), false}}, {0, 1, 1, 0, 1}, 1},
        {"up to yesterday", {{at(8, 9), false}, {at(9, 9), false}, {at(9, 10), false}}, {0, 0, 1, 2, 0}, 2},
        {"a day missed", {{at(6, 9), false}, {at(8, 9), false}, {at(10, 9), false}}, {1, 0, 1, 0, 1}, 1},
        {"helped today", {{at(9, 9), false}, {at(10, 9), true}}, {0, 0, 0, 1, 1}, 1},
        {"only two days back", {{at(8, 9), false}}, {0, 0, 1, 0, 0}, 0},
        {"a clock set ahead", {{at(9, 9), false}, {at(12, 9), false}}, {0, 0, 0, 1, 0}, 1},
    };
    for (const auto& c : cases) {
        std::vector<ProgressWin> wins;
        for (const auto& [when, helped] : c.wins) {
            ProgressWin w;
            w.finished = when;
            w.helped = helped;
            wins.push_back(w);
        }
        const Activity a = progress::ActivityOf(wins, QDate(2026, 3, 6), today, berlin);
        EXPECT_EQ(a.wins, c.berlinCounts) << c.what;
        EXPECT_EQ(a.streak, c.streak) << c.what;
    }
    // A streak longer than the strip is counted whole.
    std::vector<ProgressWin> daily;
    for (int d = 0; d < 500; ++d) {
        ProgressWin w;
        w.finished = QDateTime(today.addDays(d - 499), QTime(12, 0), QTimeZone::utc()).toMSecsSinceEpoch();
        daily.push_back(w);
    }
    const Activity year = progress::ActivityOf(daily, ActivityFirstDay(today, Qt::Monday), today, QTimeZone::utc());
    EXPECT_EQ(year.streak, 500);
    EXPECT_EQ(year.firstDay.dayOfWeek(), Qt::Monday);
    EXPECT_EQ(year.wins.size(), std::size_t(year.firstDay.daysTo(today) + 1));
    EXPECT_GE(year.wins.size(), 365u);
    EXPECT_LT(year.wins.size(), 372u);
}

// The wins kept in memory follow the file: wins added here or by another
// window, of this kind or another, one ended before the newest, the
// records cleared here or there: each read gives what a fresh read of the
// file gives. The figures are worked out again only when the wins or the
// day changed.
TEST(Progress, TheWinsKeptInMemoryFollowTheFile)
{
    TempCwd cwd;
    Records mine, other;
    // As the charts read, on a connection of their own that only reads:
    // from before there is any file, and on through every clearing.
    Records reader(Records::Access::ReadOnly);
    EXPECT_TRUE(reader.Progress(kExpert, Style::Strategy).empty());
    const auto key = [](const std::vector<ProgressWin>& wins) {
        std::vector<std::tuple<std::int64_t, std::int64_t, std::int64_t, bool>> out;
        for (const ProgressWin& w : wins)
            out.emplace_back(w.id, w.finished, w.score, w.helped);
        return out;
    };
    const auto fresh = [&] { return key(Records().Progress(kExpert, Style::Strategy)); };
    const auto win = [](Style style, int moves, int minute, GridSize size = kExpert) {
        return WinOf(style, Played{moves, false, minute}, size);
    };
    const struct {
        const char* what;
        std::function<void()> step;
        std::size_t wins;
        bool changed; // the kind's wins
    } steps[] = {
        {"three wins here", [&] { ASSERT_TRUE(mine.AddAll({win(Style::Strategy, 30, 1), win(Style::Strategy, 31, 5), win(Style::Strategy, 29, 9)})); }, 3, true},
        {"one ended earlier, by another window", [&] { ASSERT_TRUE(other.Add(win(Style::Strategy, 40, 3))); }, 4, true},
        {"another kind only", [&] { ASSERT_TRUE(other.Add(win(Style::Speed, 40, 20))); }, 4, false},
        {"another size only", [&] { ASSERT_TRUE(other.AddAll({win(Style::Strategy, 20, 21, {3, 5}), win(Style::Strategy, 20, 22, {4, 3})})); }, 4, false},
        {"two more here", [&] { ASSERT_TRUE(mine.AddAll({win(Style::Strategy, 25, 30), win(Style::Strategy, 26, 30)})); }, 6, true},
        {"cleared here, one since", [&] { ASSERT_TRUE(mine.Clear()); ASSERT_TRUE(other.Add(win(Style::Strategy, 50, 1))); }, 1, true},
        {"cleared by the other", [&] { ASSERT_TRUE(other.Clear()); ASSERT_TRUE(other.AddAll({win(Style::Strategy, 7, 2), win(Style::Strategy, 8, 4)})); }, 2, true},
    };
    std::shared_ptr<const ProgressSeries> before;
    for (const auto& s : steps) {
        s.step();
        const std::vector<ProgressWin> read = mine.Progress(kExpert, Style::Strategy);
        EXPECT_EQ(read.size(), s.wins) << s.what;
        EXPECT_EQ(key(read), fresh()) << s.what;
        EXPECT_EQ(key(reader.Progress(kExpert, Style::Strategy)), key(read)) << s.what;
        const auto series = mine.ProgressOf(kExpert, Style::Strategy, QDate(2026, 1, 5), QTimeZone::utc(), Qt::Monday);
        ASSERT_TRUE(series) << s.what;
        EXPECT_EQ(key(series->wins), key(read)) << s.what;
        // Asked again with nothing changed: the same figures, not worked out again.
        EXPECT_EQ(mine.ProgressOf(kExpert, Style::Strategy, QDate(2026, 1, 5), QTimeZone::utc(), Qt::Monday), series)
            << s.what;
        EXPECT_EQ(series != before, s.changed) << s.what;
        before = series;
    }
    // Another day: the strip ends elsewhere, and the figures are new.
    const auto nextDay = mine.ProgressOf(kExpert, Style::Strategy, QDate(2026, 1, 6), QTimeZone::utc(), Qt::Monday);
    EXPECT_NE(nextDay, before);
    EXPECT_EQ(nextDay->activity.wins.size(), before->activity.wins.size() + 1);
}

// A daily result to share: the day as every reader writes it, the grid, the
// moves against par with its sign, the time, and help when there was any;
// nothing of the moves themselves.
TEST(ResultText, ADailyResultSaysHowItWentAndNotHow)
{
    const QDate day(2026, 12, 10);
    const struct {
        int moves;
        std::optional<int> par;
        bool helped;
        const char* has;
        const char* hasNot;
    } cases[] = {
        {23, 20, false, "(par 20, +3)", "help"},
        {20, 20, false, "(par 20, 0)", "+"},
        {19, 20, true, "(par 20, -1), 0:01:23.4, with help", "+"},
        {23, std::nullopt, false, "0:01:23.4", "par"},
    };
    for (const auto& c : cases) {
        const QString text = DailyResultText(day, kExpert, c.moves, c.par, 83400, c.helped);
        SCOPED_TRACE(text.toStdString());
        EXPECT_TRUE(text.startsWith("Tesselo daily puzzle 2026-12-10, Expert: " + QString::number(c.moves) + " move"));
        EXPECT_TRUE(text.contains(QString::fromLatin1(c.has)));
        EXPECT_FALSE(text.contains(QString::fromLatin1(c.hasNot)));
    }
}
