#include "records/records_stats.h"

#include "records/records_pending.h"
#include "records/records_rows.h"
#include "records/sql_statement.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace tesselo::records_stats {

bool IsDnf(double average)
{
    return std::isinf(average) && average > 0;
}

std::size_t TrimOf(std::size_t count)
{
    if (count <= 3)
        return 0;
    return std::max<std::size_t>(1, (count * 5 + 99) / 100);
}

std::optional<double> TrimmedAverage(std::span<const std::int64_t> scores, std::size_t count)
{
    if (scores.size() < count || count < 3)
        return std::nullopt;
    std::array<std::int64_t, kLongestAverage> few;
    std::vector<std::int64_t> many;
    std::int64_t* sorted = few.data();
    if (count > kLongestAverage) {
        many.resize(count);
        sorted = many.data();
    }
    std::copy_n(scores.begin(), count, sorted);
    std::sort(sorted, sorted + count);
    const std::size_t trim = TrimOf(count);
    if (sorted[count - trim - 1] == kDnfScore)
        return std::numeric_limits<double>::infinity();
    double sum = 0;
    for (std::size_t i = trim; i + trim < count; ++i)
        sum += double(sorted[i]);
    return sum / double(count - 2 * trim);
}

Spread SpreadOf(std::span<const std::int64_t> scores)
{
    Spread s;
    double sum = 0;
    for (const std::int64_t score : scores)
        if (score != kDnfScore) {
            ++s.count;
            sum += double(score);
        }
    if (s.count == 0)
        return s;
    s.mean = sum / double(s.count);
    double squares = 0;
    for (const std::int64_t score : scores)
        if (score != kDnfScore)
            squares += (double(score) - s.mean) * (double(score) - s.mean);
    s.deviation = std::sqrt(squares / double(s.count));
    return s;
}

namespace {

QString LevelKey(GridSize size)
{
    return QString::fromStdString(size.Name());
}

QString StyleKey(Style style)
{
    return QString::fromLatin1(style.Key());
}

} // namespace

std::optional<GameResult> Best(sqlite3* db, GridSize size, Style style, int* rc, const GameResult* excluding,
                               std::int64_t* id)
{
    // The first row is the best; only in a file changed by hand are rows
    // passed over on the way to a sound one.
    SqlStatement q(db, "SELECT " TESSELO_WIN_COLUMNS " FROM wins WHERE level = ?1 AND style = ?2 AND "
                       "(assisted > 0) = 0 AND NOT " TESSELO_RACE_WIN " AND " TESSELO_SOUND_WIN " ORDER BY score, id");
    q.Bind(1, LevelKey(size)).Bind(2, StyleKey(style));
    while ((*rc = q.Step()) == SQLITE_ROW)
        if (std::optional<KeptWin> w = records_rows::ListedOfKind(records_rows::Decode(q), size, style);
            w && w->result.assisted == 0 && !w->result.dnf && !w->result.race &&
            !(excluding && PendingWins::SameWin(w->result, *excluding))) {
            if (id)
                *id = w->id;
            return std::move(w->result);
        }
    return std::nullopt;
}

RecordsSummary Summarize(sqlite3* db, GridSize size, Style style, int* rc)
{
    RecordsSummary s;
    const QString level = LevelKey(size), styleKey = StyleKey(style);
    {
        SqlStatement won(db, "SELECT won FROM kinds WHERE level = ?1 AND style = ?2");
        won.Bind(1, level).Bind(2, styleKey);
        *rc = won.Step();
        if (*rc == SQLITE_ROW)
            s.won = int(std::clamp<std::int64_t>(won.Int(0), 0, INT32_MAX));
        else if (*rc != SQLITE_DONE)
            return s;
    }
    s.best = Best(db, size, style, rc);
    if (*rc != SQLITE_ROW && *rc != SQLITE_DONE)
        return s;
    // The score a row stands for is its own moves or time: the score
    // column of a file changed by hand may say otherwise.
    SqlStatement recent(db, "SELECT moves, milliseconds, level, style, assisted, score FROM wins WHERE level = ?1 AND "
                            "style = ?2 AND (assisted > 0) = 0 AND " TESSELO_SOUND_WIN
                            " ORDER BY finished DESC, id DESC LIMIT 100");
    recent.Bind(1, level).Bind(2, styleKey);
    std::vector<std::int64_t> scores;
    // The row's own values decide, read as values: a damaged index may
    // hand over a row of another kind.
    while ((*rc = recent.Step()) == SQLITE_ROW)
        if (GridSize::FromKey(recent.Text(2).toStdString()) == size &&
            Style::FromKey(recent.Text(3).toStdString()) == style && recent.Int(4) <= 0) {
            GameResult r;
            r.style = style;
            r.moves = static_cast<std::int32_t>(recent.Int(0));
            r.milliseconds = recent.Int(1);
            if (r.TakeKeptScore(recent.WholeNumber(5).value_or(-1)))
                scores.push_back(r.Score());
        }
    s.meanOf3 = TrimmedAverage(scores, 3);
    s.averageOf5 = TrimmedAverage(scores, 5);
    s.averageOf12 = TrimmedAverage(scores, 12);
    s.averageOf50 = TrimmedAverage(scores, 50);
    s.averageOf100 = TrimmedAverage(scores, 100);
    return s;
}

bool IsNewBest(const GameResult& result, std::optional<GameResult> best, const std::vector<GameResult>& unwritten)
{
    if (!result.IsValid() || result.assisted > 0 || result.dnf || result.race)
        return false;
    for (const GameResult& r : unwritten)
        if (r.size == result.size && r.style == result.style && r.assisted == 0 && !r.dnf && !r.race &&
            !PendingWins::SameWin(r, result) &&
            (!best || r.Beats(*best)))
            best = r;
    return !best || result.Beats(*best);
}

std::vector<QDate> DailyDaysBack(sqlite3* db, const QDate& today, int* rc)
{
    // A puzzle won with help is listed, but a streak is of puzzles solved:
    // the row's own count of help decides.
    // So does the size: the grid of each win is read with its day, and a
    // day won only on grids too small counts as a day missed.
    std::vector<QDate> out;
    SqlStatement q(db, "SELECT daily, level FROM wins WHERE daily IS NOT NULL AND daily <= ?1 AND assisted <= 0 "
                       "AND " TESSELO_SOUND_WIN " ORDER BY daily DESC");
    q.Bind(1, today.toString(Qt::ISODate));
    while ((*rc = q.Step()) == SQLITE_ROW) {
        // Text that is no date is passed over; a day missed ends the run.
        const QDate day = QDate::fromString(q.Text(0), Qt::ISODate);
        const std::optional<GridSize> size = GridSize::FromKey(q.Text(1).toStdString());
        if (!day.isValid() || !size || size->Cells() < kLeastStreakCells || (!out.empty() && day == out.back()))
            continue;
        if (!out.empty() && day.daysTo(out.back()) > 1)
            break;
        out.push_back(day);
    }
    return out;
}

} // namespace tesselo::records_stats
