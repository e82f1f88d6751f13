#pragma once

#include "model/game_result.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <vector>

struct sqlite3;

namespace tesselo {

// What the records say of one grid size and style.
struct RecordsSummary {
    std::optional<GameResult> best; // without its replay
    int won = 0;                     // every win, helped or not
    // The mean of the last 3 wins without help and the averages of the
    // last 5, 12, 50 and 100 (records_stats::kAverageCounts), as
    // speed-solvers count them; empty with fewer wins.
    std::optional<double> meanOf3;
    std::optional<double> averageOf5;
    std::optional<double> averageOf12;
    std::optional<double> averageOf50;
    std::optional<double> averageOf100;
};

// The figures the records give: the best, the wins counted, the averages
// and the days of the streak of daily puzzles. Every one is answered by an
// index, so its cost does not grow with the wins kept, and the row's own
// values decide what the index answered (a damaged index can hand over a
// win with help, or one of another kind). Each answers what it could read,
// and in `rc` the last SQLite result.
namespace records_stats {

// The runs of results the records average: a mean of 3, and averages of
// 5, 12, 50 and 100.
inline constexpr std::size_t kAverageCounts[] = {3, 5, 12, 50, 100};
// The longest average the records give.
constexpr std::size_t kLongestAverage = 100;

// A result that did not finish: worse than any score. An average that
// leaves out fewer results at the worse end than it holds DNFs is itself
// a DNF, which the averages give as +infinity (DnfAverage).
constexpr std::int64_t kDnfScore = GameResult::kDnfScore;
bool IsDnf(double average);

// How many results an average of `count` leaves out at each end: none
// from a mean of 3; 5% of the others, rounded up, at least one (one of 5
// and 12, three of 50, five of 100).
std::size_t TrimOf(std::size_t count);
// The average of the first `count` of `scores` with TrimOf(count) of the
// best and of the worst left out, as speed-solvers count it; none with
// fewer scores (or a count under 3). A DNF among them is the worst; too
// many make the average a DNF. The summaries and the charts' rolling
// averages both count by it.
std::optional<double> TrimmedAverage(std::span<const std::int64_t> scores, std::size_t count);

// What all the results of a kind say at once, worked out from every one
// of them (the charts' series has them all): the best of each average over
// every run of results in a row, and the count, mean and standard
// deviation of the results that finished.
struct Spread {
    std::size_t count = 0;
    double mean = 0;
    double deviation = 0; // of the population, the results being all there are
};
Spread SpreadOf(std::span<const std::int64_t> scores);

// A sound win without help that no other such win of its kind beats;
// `excluding`, when given, is passed over (a win judged against the others
// may be kept already). A race's win is never one. `id` receives its row's.
std::optional<GameResult> Best(sqlite3* db, GridSize size, Style style, int* rc,
                               const GameResult* excluding = nullptr, std::int64_t* id = nullptr);
RecordsSummary Summarize(sqlite3* db, GridSize size, Style style, int* rc);
// Whether `result` would be a new best beside `best` (the best kept) and
// `unwritten` (wins not in the database yet): a sound win without help
// that beats every other such win of its kind (itself, among them, is
// not another).
bool IsNewBest(const GameResult& result, std::optional<GameResult> best, const std::vector<GameResult>& unwritten);
// A daily puzzle counts for the streak on a grid of at least this many
// cells: a 2 x 2 has only 24 arrangements, and would keep a streak alive
// with a glance.
constexpr std::int32_t kLeastStreakCells = 6;
// The days that name daily puzzles won without help on a grid of at least
// kLeastStreakCells, each once, newest first: from the newest up to
// `today` back to the first day missed. That is all the current streak
// needs, and nothing further is read, so that years of daily wins cost
// nothing.
std::vector<QDate> DailyDaysBack(sqlite3* db, const QDate& today, int* rc);

} // namespace records_stats

} // namespace tesselo
