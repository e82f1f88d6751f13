#include "records/records_rows.h"

#include "files/file_name_codec.h"
#include "records/result_json.h"
#include "records/sql_statement.h"
#include "saved/history_file.h"

#include <QJsonDocument>

#include <sqlite3.h>

#include <algorithm>

namespace tesselo {

namespace {

// Dates from the year 1 to 9999, the range ISO dates are written in.
constexpr std::int64_t kEarliestMs = -62135596800000LL;
constexpr std::int64_t kLatestMs = 253402300799999LL;
// The column after TESSELO_WIN_COLUMNS.
constexpr int kReplayColumn = 14;

std::int32_t ClampToInt32(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// The values a sound win can hold; a file changed by hand can hold any.
bool SoundFigures(std::int64_t moves, std::int64_t milliseconds, std::int64_t assisted, std::int64_t finished)
{
    return moves >= 0 && moves <= INT32_MAX && milliseconds >= 0 && assisted >= 0 && finished >= kEarliestMs &&
           finished <= kLatestMs;
}

std::optional<std::int32_t> ParOf(std::optional<std::int64_t> par)
{
    if (par && *par >= 0 && *par <= INT32_MAX)
        return static_cast<std::int32_t>(*par);
    return std::nullopt;
}

QJsonValue NumberOrNull(std::optional<std::int64_t> v)
{
    return v ? QJsonValue(qint64(*v)) : QJsonValue();
}

std::optional<QByteArray> TextOrNone(const SqlStatement& q, int column)
{
    return q.IsNull(column) ? std::nullopt : std::optional<QByteArray>(q.Utf8(column));
}

} // namespace

QByteArray CompactJson(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QByteArray CompactJson(const QJsonArray& array)
{
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

// A document holds only arrays and objects, so the value travels inside an
// array of one.
QByteArray JsonText(const QJsonValue& value)
{
    const QByteArray text = CompactJson(QJsonArray{value});
    return text.mid(1, text.size() - 2);
}

std::optional<QJsonValue> JsonFromText(const QByteArray& text)
{
    QJsonParseError parsed{};
    const QJsonDocument doc = QJsonDocument::fromJson("[" + text + "]", &parsed);
    if (parsed.error != QJsonParseError::NoError || !doc.isArray() || doc.array().size() != 1)
        return std::nullopt;
    return doc.array().first();
}

namespace records_rows {

const char* const kInsertWin =
    "INSERT INTO wins(level, style, moves, milliseconds, score, finished, picture, par, par_is_optimal, assisted, "
    "daily, moves_before, start, extra, steps) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15)";
const char* const kInsertUnread = "INSERT INTO unread_results(json) VALUES (?1)";

StoredWin Decode(const SqlStatement& q, bool whole)
{
    StoredWin w;
    w.id = q.Int(0);
    w.level = q.Text(1);
    w.style = q.Text(2);
    w.moves = q.WholeNumber(3);
    w.milliseconds = q.WholeNumber(4);
    w.finished = q.WholeNumber(5);
    // A picture's name is kept as the bytes the file system gave it.
    w.picture = FileNameFromBytes(q.Utf8(6));
    w.par = q.WholeNumber(7);
    w.parIsOptimal = q.Int(8) != 0;
    w.assisted = q.WholeNumber(9);
    if (const QDate day = QDate::fromString(q.Text(10), Qt::ISODate); day.isValid())
        w.daily = day;
    w.replayable = q.Int(11) != 0;
    w.score = q.WholeNumber(12);
    w.race = q.Int(13) != 0;
    if (whole) {
        w.movesBefore = q.WholeNumber(kReplayColumn);
        w.start = TextOrNone(q, kReplayColumn + 1);
        w.steps = TextOrNone(q, kReplayColumn + 2);
        w.extra = TextOrNone(q, kReplayColumn + 3);
    }
    return w;
}

bool IsSound(const StoredWin& row)
{
    return row.moves && row.milliseconds && row.assisted && row.finished &&
           SoundFigures(*row.moves, *row.milliseconds, *row.assisted, *row.finished);
}

QString FinishedText(std::optional<std::int64_t> finished)
{
    if (!finished || *finished < kEarliestMs || *finished > kLatestMs)
        return QString();
    return QDateTime::fromMSecsSinceEpoch(*finished, Qt::UTC).toString(Qt::ISODateWithMs);
}

QString JsonFinishedText(std::optional<std::int64_t> finished)
{
    if (!finished || *finished < kEarliestMs || *finished > kLatestMs)
        return QString();
    const Qt::DateFormat format = *finished % 1000 != 0 ? Qt::ISODateWithMs : Qt::ISODate;
    return QDateTime::fromMSecsSinceEpoch(*finished, Qt::UTC).toString(format);
}

std::optional<KeptWin> Listed(const StoredWin& row)
{
    if (!IsSound(row))
        return std::nullopt;
    // A level or style this version does not know (a later version's, or
    // another spelling) is no win of its: passed over, never refused.
    const std::optional<GridSize> size = GridSize::FromKey(row.level.toStdString());
    const std::optional<Style> style = Style::FromKey(row.style.toStdString());
    if (!size || !style)
        return std::nullopt;
    KeptWin w;
    GameResult& r = w.result;
    w.id = row.id;
    w.replayable = row.replayable;
    r.size = *size;
    r.style = *style;
    r.moves = static_cast<std::int32_t>(*row.moves);
    r.milliseconds = *row.milliseconds;
    r.finished = QDateTime::fromMSecsSinceEpoch(*row.finished, Qt::UTC);
    r.picture = row.picture;
    r.par = ParOf(row.par);
    r.parIsOptimal = row.parIsOptimal;
    r.assisted = ClampToInt32(*row.assisted);
    r.daily = row.daily;
    r.race = row.race;
    // The score adds what the figures cannot say: the net length of "Fewest
    // Moves", the DNF of "Blind".
    if (!r.TakeKeptScore(row.score.value_or(-1)) || !r.IsValid())
        return std::nullopt;
    return w;
}

std::optional<KeptWin> ListedOfKind(const StoredWin& row, GridSize size, Style style)
{
    std::optional<KeptWin> w = Listed(row);
    if (w && (w->result.size != size || w->result.style != style))
        return std::nullopt;
    return w;
}

QJsonObject Exported(const StoredWin& row)
{
    // The fields in the order and spelling of a result's own JSON, each
    // from the row as kept.
    QJsonObject o = ResultToJson(GameResult());
    o["level"] = row.level;
    o["style"] = row.style;
    o["moves"] = NumberOrNull(row.moves);
    o["milliseconds"] = NumberOrNull(row.milliseconds);
    const QString finished = JsonFinishedText(row.finished);
    o["finished"] = finished.isEmpty() ? QJsonValue() : QJsonValue(finished);
    o["picture"] = row.picture;
    o["par"] = NumberOrNull(row.par);
    o["parIsOptimal"] = row.parIsOptimal;
    o["assisted"] = NumberOrNull(row.assisted);
    o["daily"] = row.daily ? QJsonValue(row.daily->toString(Qt::ISODate)) : QJsonValue();
    o["movesBefore"] = NumberOrNull(row.movesBefore);
    if (const std::optional<Style> style = Style::FromKey(row.style.toStdString())) {
        o["dnf"] = style->IsBlind() && row.score == GameResult::kDnfScore;
        if (style->IsFewestMoves())
            o["netMoves"] = NumberOrNull(row.score);
    }
    if (row.start && row.steps) {
        if (const auto start = JsonFromText(*row.start))
            o["start"] = *start;
        if (const auto steps = JsonFromText(*row.steps))
            o["steps"] = *steps;
    }
    if (const auto extra = JsonFromText(row.extra.value_or(QByteArray())); extra && extra->isObject()) {
        const QJsonObject fields = extra->toObject();
        for (auto it = fields.begin(); it != fields.end(); ++it)
            o[it.key()] = it.value();
    }
    return o;
}

int InsertWin(SqlStatement& q, const GameResult& r, const QJsonObject& unknown, const QByteArray& startJson,
              const QByteArray& stepsJson)
{
    q.Reset();
    q.Bind(1, r.LevelKey()).Bind(2, r.StyleKey()).Bind(3, r.moves).Bind(4, r.milliseconds).Bind(5, r.Score());
    // A picture's name is kept as the bytes the file system gave it: it
    // need not be UTF-8.
    q.Bind(6, r.finished.toMSecsSinceEpoch()).Bind(7, FileNameToBytes(r.picture)).Bind(8, r.par).Bind(9, r.parIsOptimal ? 1 : 0);
    q.Bind(10, r.assisted);
    // A DNF is no puzzle solved: its day is kept among the fields the daily
    // lists and streaks never read, so that no version counts it.
    QJsonObject extra = unknown;
    // The race and the pace of the moves, where earlier versions keep
    // fields they do not know.
    if (r.race)
        extra.insert(QStringLiteral("race"), true);
    if (!r.stepTimes.empty() && r.stepTimes.size() == r.steps.size())
        extra.insert(QStringLiteral("stepTimes"), StepTimesToJson(r.stepTimes));
    if (r.daily && r.dnf)
        extra.insert(QStringLiteral("daily"), r.daily->toString(Qt::ISODate));
    else if (r.daily)
        q.Bind(11, r.daily->toString(Qt::ISODate));
    q.Bind(12, r.movesBefore);
    if (r.IsReplayable()) {
        q.Bind(13, startJson.isEmpty() ? CompactJson(HistoryFile::GridToJson(r.start)) : startJson);
        q.Bind(15, stepsJson.isEmpty() ? CompactJson(HistoryFile::StepsToJson(r.steps)) : stepsJson);
    }
    if (!extra.isEmpty())
        q.Bind(14, CompactJson(extra));
    return q.Run();
}

int InsertUnread(SqlStatement& q, const QByteArray& json)
{
    q.Reset();
    q.Bind(1, json);
    return q.Run();
}

bool Holds(sqlite3* db, const GameResult& r, int* rc)
{
    // Answered by the index of the newest wins of a kind.
    SqlStatement q(db, "SELECT 1 FROM wins WHERE level = ?1 AND style = ?2 AND finished = ?3 AND moves = ?4 "
                       "AND milliseconds = ?5 AND assisted = ?6 LIMIT 1");
    q.Bind(1, r.LevelKey()).Bind(2, r.StyleKey()).Bind(3, r.finished.toMSecsSinceEpoch()).Bind(4, r.moves);
    q.Bind(5, r.milliseconds).Bind(6, r.assisted);
    *rc = q.Step();
    return *rc == SQLITE_ROW;
}

std::vector<KeptWin> Page(sqlite3* db, GridSize size, Style style, WinOrder order, int offset, int limit, int* rc)
{
    std::vector<KeptWin> out;
    SqlStatement q(db, order == WinOrder::BestFirst
                           ? "SELECT " TESSELO_WIN_COLUMNS " FROM wins WHERE level = ?1 AND style = ?2 "
                             "AND " TESSELO_SOUND_WIN " ORDER BY (assisted > 0 OR " TESSELO_RACE_WIN "), score, id "
                             "LIMIT ?3 OFFSET ?4"
                           : "SELECT " TESSELO_WIN_COLUMNS " FROM wins WHERE level = ?1 AND style = ?2 "
                             "AND " TESSELO_SOUND_WIN " ORDER BY finished DESC, id DESC LIMIT ?3 OFFSET ?4");
    q.Bind(1, QString::fromStdString(size.Name())).Bind(2, QString::fromLatin1(style.Key()));
    q.Bind(3, limit).Bind(4, std::max(offset, 0));
    while ((*rc = q.Step()) == SQLITE_ROW)
        if (std::optional<KeptWin> w = ListedOfKind(Decode(q), size, style))
            out.push_back(std::move(*w));
    return out;
}

ProgressMark MarkOf(sqlite3* db, GridSize size, Style style, int* rc)
{
    // One statement, so one moment: a win written between two would be
    // counted in one figure and not the other.
    SqlStatement q(db, "SELECT (SELECT won FROM kinds WHERE level = ?1 AND style = ?2), (SELECT max(id) FROM wins)");
    q.Bind(1, QString::fromStdString(size.Name())).Bind(2, QString::fromLatin1(style.Key()));
    ProgressMark mark;
    if ((*rc = q.Step()) == SQLITE_ROW) {
        mark.won = q.Int(0);
        mark.lastId = q.Int(1);
    }
    return mark;
}

std::vector<ProgressWin> Progress(sqlite3* db, GridSize size, Style style, std::int64_t afterId,
                                  std::int64_t upToId, std::int64_t* rows, int* rc)
{
    std::vector<ProgressWin> out;
    *rows = 0;
    *rc = SQLITE_DONE;
    if (!size.IsValid())
        return out;
    // A row counts only in the spelling the kind is kept under, as the
    // list reads it (GridSize::FromKey).
    const QByteArray levelText = QByteArray::fromStdString(size.Name()), styleText(style.Key());
    // The few wins kept since an earlier read are found by their ids (the
    // unary plus keeps the kind's indexes out of it).
    SqlStatement q(db, afterId <= 0
                           ? "SELECT id, finished, moves, milliseconds, par, par_is_optimal, assisted, "
                             "start IS NOT NULL, level, style, score FROM wins WHERE level = ?1 AND style = ?2 "
                             "AND id <= ?4 ORDER BY finished, id"
                           : "SELECT id, finished, moves, milliseconds, par, par_is_optimal, assisted, "
                             "start IS NOT NULL, level, style, score FROM wins WHERE id > ?3 AND id <= ?4 "
                             "AND +level = ?1 AND +style = ?2 ORDER BY finished, id");
    q.Bind(1, levelText).Bind(2, styleText).Bind(3, afterId).Bind(4, upToId);
    while ((*rc = q.Step()) == SQLITE_ROW) {
        if (!q.TextIs(8, levelText) || !q.TextIs(9, styleText))
            continue;
        ++*rows;
        const std::optional<std::int64_t> finishedKept = q.WholeNumber(1), movesKept = q.WholeNumber(2),
                                          msKept = q.WholeNumber(3), helpKept = q.WholeNumber(6);
        if (!finishedKept || !movesKept || !msKept || !helpKept ||
            !SoundFigures(*movesKept, *msKept, *helpKept, *finishedKept))
            continue;
        const std::int64_t finished = *finishedKept, moves = *movesKept, milliseconds = *msKept;
        // The charts draw results: a DNF has no place on their scale, and
        // the summary's averages count it instead.
        GameResult kept;
        kept.style = style;
        kept.moves = static_cast<std::int32_t>(moves);
        kept.milliseconds = milliseconds;
        if (!kept.TakeKeptScore(q.WholeNumber(10).value_or(-1)) || kept.dnf)
            continue;
        ProgressWin& w = out.emplace_back();
        w.id = q.Int(0);
        w.finished = finished;
        w.moves = static_cast<std::int32_t>(moves);
        w.milliseconds = milliseconds;
        w.score = kept.Score();
        w.par = ParOf(q.IsNull(4) ? std::nullopt : std::optional<std::int64_t>(q.Int(4)));
        w.parIsOptimal = q.Int(5) != 0;
        w.helped = *helpKept > 0;
        w.replayable = q.Int(7) != 0;
    }
    // SQLite orders by the stored type first: in a damaged file a date kept
    // as text or a real number sorts apart from the whole numbers it reads
    // as. The charts need the wins in time order whatever the file says.
    const auto older = [](const ProgressWin& a, const ProgressWin& b) {
        return a.finished != b.finished ? a.finished < b.finished : a.id < b.id;
    };
    if (!std::is_sorted(out.begin(), out.end(), older))
        std::sort(out.begin(), out.end(), older);
    return out;
}

std::int64_t CountSound(sqlite3* db, GridSize size, Style style, std::int64_t afterId, std::int64_t upToId,
                        std::int64_t* rows, int* rc)
{
    *rows = 0;
    *rc = SQLITE_DONE;
    if (!size.IsValid())
        return 0;
    // Found as Progress finds its rows: by the kind's index from the first,
    // by their ids for the few kept since.
    SqlStatement q(db, afterId <= 0 ? "SELECT count(*), sum(" TESSELO_SOUND_WIN ") FROM wins WHERE level = ?1 AND "
                                      "style = ?2 AND id <= ?4"
                                    : "SELECT count(*), sum(" TESSELO_SOUND_WIN ") FROM wins WHERE id > ?3 AND "
                                      "id <= ?4 AND +level = ?1 AND +style = ?2");
    q.Bind(1, QByteArray::fromStdString(size.Name())).Bind(2, QByteArray(style.Key()));
    q.Bind(3, afterId).Bind(4, upToId);
    if ((*rc = q.Step()) != SQLITE_ROW)
        return 0;
    *rows = q.Int(0);
    const std::int64_t sound = q.Int(1);
    *rc = SQLITE_DONE;
    return sound;
}

std::vector<KeptWin> DailyPage(sqlite3* db, int offset, int limit, int* rc)
{
    std::vector<KeptWin> out;
    SqlStatement q(db, "SELECT " TESSELO_WIN_COLUMNS " FROM wins WHERE daily IS NOT NULL AND " TESSELO_SOUND_WIN
                       " ORDER BY daily DESC, finished DESC LIMIT ?1 OFFSET ?2");
    q.Bind(1, limit).Bind(2, std::max(offset, 0));
    while ((*rc = q.Step()) == SQLITE_ROW)
        if (std::optional<KeptWin> w = Listed(Decode(q)); w && w->result.daily)
            out.push_back(std::move(*w));
    return out;
}

std::vector<KeptWin> Latest(sqlite3* db, int offset, int limit, int* rc)
{
    std::vector<KeptWin> out;
    SqlStatement q(db, "SELECT " TESSELO_WIN_COLUMNS " FROM wins WHERE " TESSELO_SOUND_WIN
                       " ORDER BY finished DESC, id DESC LIMIT ?1 OFFSET ?2");
    q.Bind(1, limit).Bind(2, std::max(offset, 0));
    while ((*rc = q.Step()) == SQLITE_ROW)
        if (std::optional<KeptWin> w = Listed(Decode(q)))
            out.push_back(std::move(*w));
    return out;
}

std::optional<GameResult> Win(sqlite3* db, std::int64_t id, int* rc)
{
    SqlStatement q(db, "SELECT " TESSELO_WIN_COLUMNS ", " TESSELO_REPLAY_COLUMNS " FROM wins WHERE id = ?1");
    q.Bind(1, id);
    if ((*rc = q.Step()) != SQLITE_ROW)
        return std::nullopt;
    const StoredWin row = Decode(q, true);
    std::optional<KeptWin> w = Listed(row);
    if (!w)
        return std::nullopt;
    if (w->replayable && row.start && row.steps) {
        const auto start = JsonFromText(*row.start);
        const auto steps = JsonFromText(*row.steps);
        if (start && steps)
            TakeReplay(w->result, *start, *steps, row.movesBefore.value_or(-1));
    }
    if (const auto extra = JsonFromText(row.extra.value_or(QByteArray())); extra && extra->isObject())
        w->result.stepTimes = StepTimesFromJson(extra->toObject().value(QStringLiteral("stepTimes")),
                                                w->result.steps.size());
    return std::move(w->result);
}

std::vector<GridSize> SizesPlayed(sqlite3* db, int* rc)
{
    // The small table of kinds names every level and style won; the newest
    // win of each is the last entry of its index. So the cost does not grow
    // with the wins kept.
    SqlStatement q(db, "SELECT level, max((SELECT max(finished) FROM wins "
                       "WHERE wins.level = kinds.level AND wins.style = kinds.style)) AS last "
                       "FROM kinds GROUP BY level HAVING last IS NOT NULL ORDER BY last DESC, level");
    std::vector<GridSize> out;
    while ((*rc = q.Step()) == SQLITE_ROW)
        if (const std::optional<GridSize> size = GridSize::FromKey(q.Text(0).toStdString()))
            out.push_back(*size);
    return out;
}

std::int64_t CountAll(sqlite3* db, int* rc)
{
    SqlStatement q(db, "SELECT (SELECT count(*) FROM wins) + (SELECT count(*) FROM unread_results)");
    *rc = q.Step();
    return *rc == SQLITE_ROW ? q.Int(0) : 0;
}

void ForEachWin(sqlite3* db, const std::function<bool(const StoredWin&)>& each, int* rc)
{
    SqlStatement q(db, "SELECT " TESSELO_WIN_COLUMNS ", " TESSELO_REPLAY_COLUMNS " FROM wins ORDER BY id");
    while ((*rc = q.Step()) == SQLITE_ROW)
        if (!each(Decode(q, true)))
            return;
}

void ForEachUnread(sqlite3* db, const std::function<bool(const QByteArray&)>& each, int* rc)
{
    SqlStatement q(db, "SELECT json FROM unread_results ORDER BY id");
    while ((*rc = q.Step()) == SQLITE_ROW)
        if (!each(q.Utf8(0)))
            return;
}

QJsonObject FileFields(sqlite3* db, int* rc)
{
    QJsonObject fields;
    SqlStatement q(db, "SELECT name, json FROM file_fields ORDER BY name");
    while ((*rc = q.Step()) == SQLITE_ROW)
        if (const auto v = JsonFromText(q.Utf8(1)))
            fields[q.Text(0)] = *v;
    return fields;
}

} // namespace records_rows

} // namespace tesselo
