#pragma once

#include "model/game_result.h"

#include <QByteArray>
#include <QDate>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

struct sqlite3;

namespace tesselo {

class SqlStatement;

// One row of the list of wins: the result without its replay.
struct KeptWin {
    std::int64_t id = 0;
    GameResult result;
    bool replayable = false;
};

// One win as the charts of progress draw it: its figures, without texts
// or replay, small enough that every win of a kind can be held at once.
struct ProgressWin {
    std::int64_t id = 0;
    std::int64_t finished = 0; // ms since 1970 UTC
    std::int64_t score = 0;    // what a best is: moves in "Strategy", ms in "Speed"
    std::int32_t moves = 0;
    std::int64_t milliseconds = 0;
    std::optional<std::int32_t> par;
    bool parIsOptimal = false;
    bool helped = false; // the game made moves for the player
    bool replayable = false;
};

// How a page of wins is listed. Best first puts the wins without help
// first, fewest moves or least time ahead.
enum class WinOrder { BestFirst, NewestFirst };

// JSON as the records keep it in a column: compact text. Any value (not
// only an object or an array) travels as text and back.
QByteArray CompactJson(const QJsonObject& object);
QByteArray CompactJson(const QJsonArray& array);
QByteArray JsonText(const QJsonValue& value);
std::optional<QJsonValue> JsonFromText(const QByteArray& text);

// The rows of the records database and the values they stand for. A row is
// decoded once, by one set of rules, into what it stores; what the window
// lists and what the export gives back are both taken from that.
namespace records_rows {

// The columns a listing reads, in the order Decode takes them. A query for
// whole wins adds kReplayColumns after them.
#define TESSELO_WIN_COLUMNS \
    "id, level, style, moves, milliseconds, finished, picture, par, par_is_optimal, assisted, daily, " \
    "start IS NOT NULL, score, " TESSELO_RACE_WIN
// A race's win: marked in the fields earlier versions pass over (`extra`),
// read only where that holds JSON.
#define TESSELO_RACE_WIN "(json_extract(CASE WHEN json_valid(extra) THEN extra END, '$.race') IS 1)"
#define TESSELO_REPLAY_COLUMNS "moves_before, start, steps, extra"

// A row of the wins table as stored: each value in the widest type that
// holds it, nothing judged yet. A file changed by hand, or an index damaged
// where quick_check does not look, can hand over any values at all: a
// number kept as text or a blob is none here, not a number made up.
struct StoredWin {
    std::int64_t id = 0;
    QString level;
    QString style;
    std::optional<std::int64_t> moves;
    std::optional<std::int64_t> milliseconds;
    std::optional<std::int64_t> finished; // ms since 1970 UTC
    QString picture;
    std::optional<std::int64_t> par;
    bool parIsOptimal = false;
    std::optional<std::int64_t> assisted;
    std::optional<QDate> daily; // a day that is no date is none
    bool replayable = false;    // the row has a start
    std::optional<std::int64_t> score;
    bool race = false; // marked a race in `extra`
    // Only with the replay columns:
    std::optional<std::int64_t> movesBefore;
    std::optional<QByteArray> start; // the replay's JSON text, as kept
    std::optional<QByteArray> steps;
    std::optional<QByteArray> extra; // fields this version does not know
};

// The one rule for a row that can be a win: its moves, time, help and end
// are whole numbers a game can have (moves within 32 bits, nothing
// negative, the end a date of the years 1 to 9999). A row that fails it is
// passed over and counted nowhere: not in the list, the counts, the
// averages, the bests, the streak or the charts. The exports alone give it
// back, as it is kept. kSoundWin is the same rule for a query's WHERE.
bool IsSound(const StoredWin& row);
#define TESSELO_SOUND_WIN                                                                                 \
    "(typeof(moves) = 'integer' AND moves BETWEEN 0 AND 2147483647 AND typeof(milliseconds) = 'integer' " \
    "AND milliseconds >= 0 AND typeof(assisted) = 'integer' AND assisted >= 0 AND typeof(finished) = "     \
    "'integer' AND finished BETWEEN -62135596800000 AND 253402300799999)"
// The end of a win as ISO 8601 in UTC to the millisecond, as the CSV
// writes it; empty when the value is no such date. The JSON writes the
// milliseconds only when there are any (JsonFinishedText), so that a whole
// second is written as the JSON records file always had it.
QString FinishedText(std::optional<std::int64_t> finished);
QString JsonFinishedText(std::optional<std::int64_t> finished);

// The row the statement stands on: TESSELO_WIN_COLUMNS, and with `whole`
// the TESSELO_REPLAY_COLUMNS after them.
StoredWin Decode(const SqlStatement& q, bool whole = false);
// The row as a win of the list, or none when its values are not those of
// a sound win.
std::optional<KeptWin> Listed(const StoredWin& row);
// The same, of the kind asked for only.
std::optional<KeptWin> ListedOfKind(const StoredWin& row, GridSize size, Style style);
// The row as the JSON export gives it back: whatever it holds, sound or
// not, in the fields of the JSON records file; a value that cannot be read
// (text where a number belongs, a date beyond the years ISO 8601 writes)
// is null rather than one made up.
QJsonObject Exported(const StoredWin& row);

// Statements that add rows, prepared once for many.
extern const char* const kInsertWin;
extern const char* const kInsertUnread;
// A sound result as a row of wins. `startJson` and `stepsJson` are the
// replay as a file held it; empty, they are written from the result.
// `unknown`: fields this version does not know, kept beside it.
int InsertWin(SqlStatement& q, const GameResult& result, const QJsonObject& unknown = {},
              const QByteArray& startJson = {}, const QByteArray& stepsJson = {});
// A result this version cannot count, kept as the JSON it came as.
int InsertUnread(SqlStatement& q, const QByteArray& json);
// Whether the wins hold this win already: the same level, style, score,
// help and moment of its end.
bool Holds(sqlite3* db, const GameResult& result, int* rc);

// Reads. Each answers what it could read, and in `rc` the last SQLite
// result (SQLITE_DONE or SQLITE_ROW when all went well).
std::vector<KeptWin> Page(sqlite3* db, GridSize size, Style style, WinOrder order, int offset, int limit, int* rc);
// Where the wins of one kind stand, read at one moment: how many the kind
// has had (its count in kinds) and the highest row id of all the wins. No
// win is ever taken out of a file, so while both are the same, so are the
// kind's wins; once they grew, the new wins are those above the old id.
struct ProgressMark {
    std::int64_t won = 0;
    std::int64_t lastId = 0;
    bool operator==(const ProgressMark&) const = default;
};
ProgressMark MarkOf(sqlite3* db, GridSize size, Style style, int* rc);
// The wins of one size and style with a row id above `afterId` and at
// most `upToId`, the oldest first (by the moment each ended, then in the
// order kept), in one query: from 0, every win, by the index of the newest
// wins; from a later id, the few kept since, by their ids. A row whose
// values are not those of a sound win of the kind is passed over, as the
// list passes it over; `rows` counts every row of the kind read.
std::vector<ProgressWin> Progress(sqlite3* db, GridSize size, Style style, std::int64_t afterId,
                                  std::int64_t upToId, std::int64_t* rows, int* rc);
// How many of the rows of one size and style with a row id above
// `afterId` and at most `upToId` are sound wins (IsSound); `rows` counts
// every row of the kind read, as Progress does.
std::int64_t CountSound(sqlite3* db, GridSize size, Style style, std::int64_t afterId, std::int64_t upToId,
                        std::int64_t* rows, int* rc);
// Every grid size won at, the most recently won first.
std::vector<GridSize> SizesPlayed(sqlite3* db, int* rc);
// Daily puzzles won, of every size and style, the newest puzzle first.
std::vector<KeptWin> DailyPage(sqlite3* db, int offset, int limit, int* rc);
// Wins of every size and style, the most recently won first.
std::vector<KeptWin> Latest(sqlite3* db, int offset, int limit, int* rc);
// The win kept under `id` with its replay, when it has one that fits.
std::optional<GameResult> Win(sqlite3* db, std::int64_t id, int* rc);
// Every result kept, counted row by row, those this version cannot count
// included.
std::int64_t CountAll(sqlite3* db, int* rc);
// Every win whole, then every result this version cannot count (its JSON
// text), each in the order kept, until `each` answers false; then the
// fields an imported file held beside its results. For the exports.
void ForEachWin(sqlite3* db, const std::function<bool(const StoredWin&)>& each, int* rc);
void ForEachUnread(sqlite3* db, const std::function<bool(const QByteArray&)>& each, int* rc);
QJsonObject FileFields(sqlite3* db, int* rc);

} // namespace records_rows

} // namespace tesselo
