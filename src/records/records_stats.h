#pragma once

#include "model/game_result.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct sqlite3;

namespace tesselo {

// What the records say of one grid size and style.
struct RecordsSummary {
    std::optional<GameResult> best; // without its replay
    int won = 0;                     // every win, helped or not
    // Averages of the last 5 and 12 wins without help, with the best and
    // the worst of them left out, as speed-solvers count them; empty with
    // fewer wins.
    std::optional<double> averageOf5;
    std::optional<double> averageOf12;
};

// The figures the records give: the best, the wins counted, the averages
// and the days of the streak of daily puzzles. Every one is answered by an
// index, so its cost does not grow with the wins kept, and the row's own
// values decide what the index answered (a damaged index can hand over a
// win with help, or one of another kind). Each answers what it could read,
// and in `rc` the last SQLite result.
namespace records_stats {

// The longest average the records give.
constexpr std::size_t kLongestAverage = 12;

// The average of the first `count` of `scores` with the best and the worst
// of them left out, as speed-solvers count it; none with fewer scores (or a
// count under 3, which would leave nothing). The summaries and the charts'
// rolling averages both count by it.
std::optional<double> TrimmedAverage(std::span<const std::int64_t> scores, std::size_t count);

// A sound win without help that no other such win of its kind beats;
// `excluding`, when given, is passed over (a win judged against the others
// may be kept already).
std::optional<GameResult> Best(sqlite3* db, GridSize size, Style style, int* rc,
                               const GameResult* excluding = nullptr);
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
