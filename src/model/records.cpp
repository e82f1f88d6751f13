#include "model/records.h"

#include "model/file_name_codec.h"
#include "model/history_file.h"
#include "model/levels.h"
#include "model/safe_file.h"
#include "model/sql_statement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tesselo {

namespace {

// The schema of version 1. Small columns first and the replay last, so
// that the window's queries read a row's first bytes and never its steps.
// `score` is what a best is: moves in "Strategy", milliseconds in "Speed".
// `finished` is milliseconds since 1970 UTC, `daily` a day as YYYY-MM-DD.
// `extra` holds, as a JSON object, the fields of an imported result that
// this version does not know; `unread_results` the results it could not
// count at all, as they were; `file_fields` what the imported file held
// beside its results.
constexpr const char* kSchema = R"sql(
CREATE TABLE wins (
  id INTEGER PRIMARY KEY,
  level TEXT NOT NULL,
  style TEXT NOT NULL,
  moves INTEGER NOT NULL,
  milliseconds INTEGER NOT NULL,
  score INTEGER NOT NULL,
  finished INTEGER NOT NULL,
  picture TEXT NOT NULL,
  par INTEGER,
  par_is_optimal INTEGER NOT NULL,
  assisted INTEGER NOT NULL,
  daily TEXT,
  moves_before INTEGER NOT NULL,
  start TEXT,
  extra TEXT,
  steps TEXT
);
CREATE INDEX wins_best ON wins(level, style, assisted > 0, score);
CREATE INDEX wins_recent ON wins(level, style, assisted > 0, finished);
CREATE INDEX wins_newest ON wins(level, style, finished);
CREATE TABLE kinds (
  level TEXT NOT NULL,
  style TEXT NOT NULL,
  won INTEGER NOT NULL,
  PRIMARY KEY (level, style)
) WITHOUT ROWID;
CREATE TRIGGER wins_counted AFTER INSERT ON wins BEGIN
  INSERT INTO kinds(level, style, won) VALUES (NEW.level, NEW.style, 1)
    ON CONFLICT(level, style) DO UPDATE SET won = won + 1;
END;
CREATE TABLE unread_results (
  id INTEGER PRIMARY KEY,
  json TEXT NOT NULL
);
CREATE TABLE file_fields (
  name TEXT PRIMARY KEY,
  json TEXT NOT NULL
) WITHOUT ROWID;
)sql";

// What brings a file of each version to the next: the first entry makes
// version 1 into 2. A new file gets the schema and all of them.
constexpr const char* kUpgrades[] = {
    "CREATE INDEX wins_daily ON wins(daily, finished) WHERE daily IS NOT NULL;",
};
static_assert(std::size(kUpgrades) == std::size_t(Records::kSchemaVersion - 1));

constexpr const char* kInsertWin =
    "INSERT INTO wins(level, style, moves, milliseconds, score, finished, picture, par, par_is_optimal, assisted, "
    "daily, moves_before, start, extra, steps) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15)";
constexpr const char* kInsertUnread = "INSERT INTO unread_results(json) VALUES (?1)";

// What Write answers when the name no longer leads to the open file.
constexpr int kFileChanged = -1;

// The columns of a row as the window lists it, read by ReadRow.
#define TESSELO_ROW_COLUMNS \
    "id, level, style, moves, milliseconds, finished, picture, par, par_is_optimal, assisted, daily, start IS NOT NULL"
constexpr int kRowColumnCount = 12;

// Dates from the year 1 to 9999, the range ISO dates are written in.
constexpr std::int64_t kEarliestMs = -62135596800000LL;
constexpr std::int64_t kLatestMs = 253402300799999LL;

bool IsDamage(int rc)
{
    const int primary = rc & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

// What a file under the records' name answers when it is looked at first:
// a fault of the moment (a lock, the disk, rights) leaves it to be tried
// again; any other refusal (an unknown format, a schema that does not
// parse, damage) means it is no database of ours. "Out of memory" is among
// those: SQLite answers it for a damaged schema whose sizes ask for more
// than it will ever allocate (a 9 KB file, with 40 KB in use), so taking
// it for a passing fault would leave the player with records no win could
// ever reach again. A real shortage ends a Linux process elsewhere, and a
// file set aside is kept whole.
bool IsPassing(int rc)
{
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_FULL:
    case SQLITE_INTERRUPT:
        return true;
    default:
        return false;
    }
}

std::int32_t ClampToInt32(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// The row the statement stands on, as the window lists it; none when its
// values are not those of a sound win of the kind asked for. (A file
// changed by hand, or an index damaged where quick_check does not look,
// can hand over rows of another kind.)
std::optional<Records::KeptWin> ReadRow(const SqlStatement& q, const QString& level, const QString& style)
{
    Records::KeptWin w;
    GameResult& r = w.result;
    const std::int64_t moves = q.Int(3), ms = q.Int(4), finished = q.Int(5);
    if (moves < 0 || moves > INT32_MAX || ms < 0 || finished < kEarliestMs || finished > kLatestMs)
        return std::nullopt;
    w.id = q.Int(0);
    r.level = q.Text(1);
    r.style = q.Text(2);
    r.moves = static_cast<std::int32_t>(moves);
    r.milliseconds = ms;
    r.finished = QDateTime::fromMSecsSinceEpoch(finished, Qt::UTC);
    r.picture = FileNameFromBytes(q.Utf8(6));
    if (!q.IsNull(7) && q.Int(7) >= 0 && q.Int(7) <= INT32_MAX)
        r.par = static_cast<std::int32_t>(q.Int(7));
    r.parIsOptimal = q.Int(8) != 0;
    r.assisted = std::max(ClampToInt32(q.Int(9)), 0);
    const QDate day = QDate::fromString(q.Text(10), Qt::ISODate);
    if (day.isValid())
        r.daily = day;
    w.replayable = q.Int(11) != 0;
    if (!r.IsValid() || (!level.isNull() && (r.level != level || r.style != style)))
        return std::nullopt;
    return w;
}

std::optional<double> TrimmedAverage(const std::vector<std::int64_t>& newestFirst, std::size_t count)
{
    if (newestFirst.size() < count)
        return std::nullopt;
    std::vector<double> scores(newestFirst.begin(), newestFirst.begin() + std::ptrdiff_t(count));
    std::sort(scores.begin(), scores.end());
    double sum = 0;
    for (std::size_t i = 1; i + 1 < scores.size(); ++i)
        sum += scores[i];
    return sum / double(count - 2);
}

QByteArray Compact(const QJsonObject& o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QByteArray Compact(const QJsonArray& a)
{
    return QJsonDocument(a).toJson(QJsonDocument::Compact);
}

// Any JSON value as text, and back: a document holds only arrays and
// objects, so the value travels inside an array of one.
QByteArray ValueText(const QJsonValue& v)
{
    const QByteArray text = Compact(QJsonArray{v});
    return text.mid(1, text.size() - 2);
}

std::optional<QJsonValue> ValueFromText(const QByteArray& text)
{
    QJsonParseError parsed{};
    const QJsonDocument doc = QJsonDocument::fromJson("[" + text + "]", &parsed);
    if (parsed.error != QJsonParseError::NoError || !doc.isArray() || doc.array().size() != 1)
        return std::nullopt;
    return doc.array().first();
}

enum class JsonRead { Missing, Fine, Damaged };

// The records file of earlier versions, read whole. A missing file (or a
// link to one not made yet) is no damage; anything but a regular file of a
// sane size holding {"version":1,"results":[...]} is.
JsonRead ReadJsonRecords(const QString& path, QJsonObject* root)
{
    ReadRefusal why = ReadRefusal::None;
    const std::optional<QByteArray> json = ReadWholeFile(path, 0, Records::kMaxJsonSize, &why);
    if (why == ReadRefusal::Missing)
        return JsonRead::Missing;
    if (!json)
        return JsonRead::Damaged;
    QJsonParseError parsed{};
    const QJsonDocument doc = QJsonDocument::fromJson(*json, &parsed);
    if (parsed.error != QJsonParseError::NoError || !doc.isObject())
        return JsonRead::Damaged;
    const QJsonValue version = doc.object().value("version");
    if (!version.isDouble() || version.toDouble() != Records::kJsonVersion ||
        !doc.object().value("results").isArray())
        return JsonRead::Damaged;
    *root = doc.object();
    return JsonRead::Fine;
}

// The schema as SQLite keeps it, made once in memory: a file of our version
// must hold exactly this, so that no table, view or trigger of another
// origin ever runs in the game.
QStringList SchemaOf(sqlite3* db)
{
    QStringList out;
    SqlStatement q(db, "SELECT type, name, tbl_name, sql FROM sqlite_schema ORDER BY type, name");
    while (q.Step() == SQLITE_ROW)
        out << q.Text(0) + QLatin1Char('|') + q.Text(1) + QLatin1Char('|') + q.Text(2) + QLatin1Char('|') + q.Text(3);
    return out;
}

// The schema a file of `version` (1 to kSchemaVersion) holds.
const QStringList& ExpectedSchema(int version = Records::kSchemaVersion)
{
    static const std::array<QStringList, Records::kSchemaVersion> schemas = [] {
        std::array<QStringList, Records::kSchemaVersion> out;
        sqlite3* db = nullptr;
        bool made = sqlite3_open(":memory:", &db) == SQLITE_OK &&
                    sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr) == SQLITE_OK;
        for (std::size_t v = 0; made && v < out.size(); ++v) {
            out[v] = SchemaOf(db);
            made = v == std::size(kUpgrades) || sqlite3_exec(db, kUpgrades[v], nullptr, nullptr, nullptr) == SQLITE_OK;
        }
        sqlite3_close(db);
        return out;
    }();
    return schemas[std::size_t(std::clamp(version, 1, Records::kSchemaVersion) - 1)];
}

struct FileId {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
};

// The file a name leads to now, through links; none when there is none.
std::optional<FileId> IdOf(const QString& path)
{
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(FileNameToBytes(path).constData(), &st) != 0)
        return std::nullopt;
    return FileId{std::uint64_t(st.st_dev), std::uint64_t(st.st_ino)};
#else
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return FileId{};
#endif
}

} // namespace

void Records::Closer::operator()(sqlite3* db) const
{
    sqlite3_close_v2(db);
}

QString Records::Failure::Message() const
{
    return Records::tr("Your win could not be written to the records in \"%1\":\n%2\n\n"
                       "It is kept, and will be written with your next win or when the game closes.")
        .arg(file, reason);
}

Records::Records(QString file, QString json) : path(std::move(file)), jsonPath(std::move(json)) {}

Records::~Records() = default;

void Records::SetBusyTimeout(int milliseconds)
{
    busyTimeout = milliseconds;
    if (db)
        sqlite3_busy_timeout(db.get(), busyTimeout);
}

QString Records::LevelOf(std::int32_t rows, std::int32_t columns)
{
    const std::optional<std::size_t> level = LevelOfSize(rows, columns);
    return level ? QString::fromLatin1(kLevels[*level].key) : QString();
}

int Records::Exec(const char* sql)
{
    return db ? sqlite3_exec(db.get(), sql, nullptr, nullptr, nullptr) : SQLITE_MISUSE;
}

void Records::Rollback()
{
    if (db && !sqlite3_get_autocommit(db.get()))
        Exec("ROLLBACK");
}

bool Records::Fail(Failure* failure, const QString& reason)
{
    if (failure)
        *failure = Failure{path, reason};
    return false;
}

bool Records::Fail(Failure* failure, int rc)
{
    const int err = db ? sqlite3_system_errno(db.get()) : 0;
    QString reason;
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        reason = tr("Another window of Tesselo kept the records busy for too long.");
        break;
    case SQLITE_FULL:
        reason = tr("The disk is full.");
        break;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_CANTOPEN: {
        // Through a link, the folder is the one the link leads into.
        const QFileInfo info(path);
        const QFileInfo target(info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath());
        reason = err == EROFS                                  ? tr("The disk may only be read.")
                 : err == ENOTDIR || !target.absoluteDir().exists() ? tr("Its folder does not exist.")
                                                                : tr("The folder or the file may not be written.");
        break;
    }
    case SQLITE_IOERR:
        reason = err == ENOSPC || err == EDQUOT || err == EFBIG
                     ? tr("The disk is full.")
                     : tr("The disk reported an error: %1").arg(QString::fromLocal8Bit(std::strerror(err)));
        break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        reason = tr("The file is damaged.");
        break;
    default:
        reason = tr("SQLite reported: %1").arg(QString::fromUtf8(sqlite3_errstr(rc)));
        break;
    }
    return Fail(failure, reason);
}

bool Records::StillOurs() const
{
    const std::optional<FileId> now = IdOf(path);
    return db && now && now->device == openedDevice && now->inode == openedInode;
}

bool Records::SetAsideFiles(const QString& why, QString* error)
{
    const QString aside = SetFileAside(path, error, why);
    if (aside.isEmpty())
        return false;
    setAside << aside;
    // A journal left by a write cut short belongs to this file alone: left
    // under the old name, SQLite would play it back into the new one.
    for (const char* side : {"-journal", "-wal", "-shm"}) {
        const QString from = path + QLatin1String(side);
        if (!QFileInfo(from).exists() && !QFileInfo(from).isSymLink())
            continue;
        if (!QFile::rename(from, aside + QLatin1String(side))) {
            if (error)
                *error = tr("\"%1\" could not be set aside.").arg(from);
            db.reset();
            return false;
        }
    }
    db.reset();
    return true;
}

bool Records::BeginWith(const char* query, std::int64_t* value, int* rc)
{
    if ((*rc = Exec("BEGIN IMMEDIATE")) != SQLITE_OK)
        return false;
    {
        // Finalised before a rollback, which a statement still reading holds up.
        SqlStatement q(db.get(), query);
        if ((*rc = q.Step()) == SQLITE_ROW)
            *value = q.Int(0);
    }
    if (*rc != SQLITE_ROW) {
        Rollback();
        return false;
    }
    *rc = SQLITE_OK;
    return true;
}

bool Records::CreateSchema(int* rc)
{
    // Two windows may both find no file: the one that takes the lock second
    // finds the other's schema and keeps it.
    std::int64_t objects = 0;
    if (!BeginWith("SELECT count(*) FROM sqlite_schema", &objects, rc))
        return false;
    if (objects == 0) {
        const QByteArray header = QStringLiteral("PRAGMA application_id = %1; PRAGMA user_version = %2;")
                                      .arg(kApplicationId)
                                      .arg(kSchemaVersion)
                                      .toLatin1();
        *rc = Exec(kSchema);
        for (const char* upgrade : kUpgrades)
            if (*rc == SQLITE_OK)
                *rc = Exec(upgrade);
        if (*rc != SQLITE_OK || (*rc = Exec(header.constData())) != SQLITE_OK) {
            Rollback();
            return false;
        }
    }
    if ((*rc = Exec("COMMIT")) != SQLITE_OK) {
        Rollback();
        return false;
    }
    return true;
}

bool Records::Upgrade(int* rc)
{
    // Another window may have brought the file up to date meanwhile: the
    // version is read again under the lock.
    std::int64_t version = 0;
    if (!BeginWith("SELECT user_version FROM pragma_user_version", &version, rc))
        return false;
    for (std::int64_t v = std::max<std::int64_t>(version, 1); v < kSchemaVersion && *rc == SQLITE_OK; ++v)
        *rc = Exec(kUpgrades[v - 1]);
    const QByteArray stamp = QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion).toLatin1();
    if (*rc != SQLITE_OK || (*rc = Exec(stamp.constData())) != SQLITE_OK || (*rc = Exec("COMMIT")) != SQLITE_OK) {
        Rollback();
        return false;
    }
    return true;
}

Records::Check Records::TryOpen(int* rc)
{
    db.reset();
    const std::optional<FileId> id = IdOf(path);
    openedDevice = id ? id->device : 0;
    openedInode = id ? id->inode : 0;
    const QFileInfo info(path);
    // A directory cannot be a database, and a pipe would block the game.
    if (info.exists() && !info.isFile())
        return Check::NotOurs;
    sqlite3* opened = nullptr;
    *rc = sqlite3_open_v2(FileNameToBytes(path).constData(), &opened, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                          nullptr);
    db.reset(opened);
    if (*rc != SQLITE_OK)
        return Check::Failed;
    sqlite3_extended_result_codes(db.get(), 1);
    sqlite3_busy_timeout(db.get(), busyTimeout);
    // The file is as hostile as any other the game reads: nothing in it may
    // run as trusted code or write past SQLite's own checks.
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    Exec("PRAGMA cell_size_check = ON");

    std::int64_t version = 0;
    for (int pass = 0; pass < 2; ++pass) {
        std::int64_t id = 0, objects = 0;
        {
            // Done with before any transaction begins: a statement still
            // reading holds a lock that another window's write waits for.
            SqlStatement header(db.get(), "SELECT (SELECT application_id FROM pragma_application_id), "
                                          "(SELECT user_version FROM pragma_user_version), "
                                          "(SELECT count(*) FROM sqlite_schema)");
            if ((*rc = header.Step()) != SQLITE_ROW)
                return IsPassing(*rc) ? Check::Failed : Check::NotOurs;
            id = header.Int(0);
            version = header.Int(1);
            objects = header.Int(2);
        }
        if (id == 0 && version == 0 && objects == 0 && pass == 0) {
            // A new file, or an empty one: ours to begin.
            if (!CreateSchema(rc))
                return IsPassing(*rc) ? Check::Failed : Check::NotOurs;
            continue;
        }
        if (id != kApplicationId || version < 1)
            return Check::NotOurs;
#ifdef Q_OS_UNIX
        // A file this game may write that SQLite will only read carries a
        // header no database of ours has (a format it may not write).
        if (sqlite3_db_readonly(db.get(), "main") == 1 && ::access(FileNameToBytes(path).constData(), W_OK) == 0)
            return Check::NotOurs;
#endif
        if (version > kSchemaVersion)
            return Check::Newer;
        break;
    }
    if (SchemaOf(db.get()) != ExpectedSchema(int(version)))
        return Check::NotOurs;
    {
        SqlStatement check(db.get(), "PRAGMA quick_check(1)");
        *rc = check.Step();
        if (*rc != SQLITE_ROW)
            return IsPassing(*rc) ? Check::Failed : Check::NotOurs;
        if (check.Text(0) != QLatin1String("ok"))
            return Check::NotOurs;
        check.Run();
    }
    // A sound file of an earlier version of ours, exactly as that version
    // made it, is brought up to date (a damaged one was set aside as it
    // was). One that cannot be written now (read-only, or held by another
    // window) is read as it is, and brought up to date at a later opening.
    if (version < kSchemaVersion) {
        if (!Upgrade(rc) && !IsPassing(*rc))
            return Check::NotOurs;
        const QStringList schema = SchemaOf(db.get());
        if (schema != ExpectedSchema() && schema != ExpectedSchema(int(version)))
            return Check::NotOurs;
    }
    // A file made just now has its identity only now.
    const std::optional<FileId> made = IdOf(path);
    if (!made) {
        *rc = SQLITE_CANTOPEN;
        return Check::Failed;
    }
    openedDevice = made->device;
    openedInode = made->inode;
    return Check::Fine;
}

bool Records::OpenFile(Failure* failure)
{
    // Twice at most: a file set aside gives way to a new one, and a second
    // bad file in its place is not chased further.
    for (int attempt = 0; attempt < 2; ++attempt) {
        int rc = SQLITE_OK;
        switch (TryOpen(&rc)) {
        case Check::Fine:
            return true;
        case Check::Failed: {
            Fail(failure, rc);
            db.reset();
            return false;
        }
        case Check::Newer:
            db.reset();
            return Fail(failure, tr("It was written by a newer version of Tesselo, which this version leaves "
                                    "as it is."));
        case Check::NotOurs: {
            // Another window may have set the file aside and begun a new
            // one meanwhile; that one is looked at afresh, not moved.
            const std::optional<FileId> now = IdOf(path);
            if (now && (now->device != openedDevice || now->inode != openedInode)) {
                db.reset();
                continue;
            }
            QString error;
            if (!SetAsideFiles(QStringLiteral("damaged"), &error)) {
                db.reset();
                return Fail(failure, tr("It is damaged, and could not be set aside: %1").arg(error));
            }
            break;
        }
        }
    }
    db.reset();
    return Fail(failure, tr("The file is damaged."));
}

bool Records::EnsureOpen(Failure* failure)
{
    if (!StillOurs() && !OpenFile(failure))
        return false;
    if (!QFileInfo(jsonPath).exists())
        return true;
    return ImportJson(failure);
}

bool Records::Open(Failure* failure)
{
    return EnsureOpen(failure);
}

int Records::Insert(SqlStatement& q, const GameResult& r, const QJsonObject& unknown, const QByteArray& startJson,
                    const QByteArray& stepsJson)
{
    q.Reset();
    q.Bind(1, r.level).Bind(2, r.style).Bind(3, r.moves).Bind(4, r.milliseconds).Bind(5, r.Score());
    // A picture's name is kept as the bytes the file system gave it: it
    // need not be UTF-8.
    q.Bind(6, r.finished.toMSecsSinceEpoch()).Bind(7, FileNameToBytes(r.picture)).Bind(8, r.par).Bind(9, r.parIsOptimal ? 1 : 0);
    q.Bind(10, r.assisted);
    if (r.daily)
        q.Bind(11, r.daily->toString(Qt::ISODate));
    q.Bind(12, r.movesBefore);
    if (r.IsReplayable()) {
        q.Bind(13, startJson.isEmpty() ? Compact(HistoryFile::GridToJson(r.start)) : startJson);
        q.Bind(15, stepsJson.isEmpty() ? Compact(HistoryFile::StepsToJson(r.steps)) : stepsJson);
    }
    if (!unknown.isEmpty())
        q.Bind(14, Compact(unknown));
    return q.Run();
}

int Records::InsertUnread(SqlStatement& q, const QByteArray& json)
{
    q.Reset();
    q.Bind(1, json);
    return q.Run();
}

bool Records::ImportJson(Failure* failure)
{
    int rc = Exec("BEGIN IMMEDIATE");
    if (rc != SQLITE_OK)
        return Fail(failure, rc);
    // Read under the lock: another window importing the same file at the
    // same moment finds it gone once this one is done.
    QJsonObject root;
    switch (ReadJsonRecords(jsonPath, &root)) {
    case JsonRead::Missing:
        Rollback();
        return true;
    case JsonRead::Damaged: {
        Rollback();
        QString error;
        const QString aside = SetFileAside(jsonPath, &error, QStringLiteral("damaged"));
        if (aside.isEmpty())
            return Fail(failure, error);
        setAside << aside;
        return true;
    }
    case JsonRead::Fine:
        break;
    }
    rc = SQLITE_DONE;
    SqlStatement wins(db.get(), kInsertWin), unread(db.get(), kInsertUnread);
    for (const QJsonValue& v : root.value("results").toArray()) {
        // The replay is read apart and, when it fits, kept as the file
        // wrote it: one file can hold thousands of long solves, and
        // writing each back out only to compare it would double the work.
        const QJsonObject whole = v.toObject();
        QJsonObject rest = whole;
        for (const char* replay : {"start", "steps", "movesBefore"})
            rest.remove(QLatin1String(replay));
        QJsonObject unknown;
        std::optional<GameResult> r = v.isObject() ? GameResult::FromJson(rest, &unknown) : std::nullopt;
        // A text no file name comes from is not taken for a picture's name.
        if (r && FileNameFromBytes(FileNameToBytes(r->picture)) != r->picture) {
            unknown.insert(QStringLiteral("picture"), whole.value("picture"));
            r->picture.clear();
        }
        if (!r) {
            rc = InsertUnread(unread, ValueText(v));
        } else if (r->TakeReplay(whole.value("start"), whole.value("steps"), whole.value("movesBefore"))) {
            rc = Insert(wins, *r, unknown, ValueText(whole.value("start")), ValueText(whole.value("steps")));
        } else {
            for (const char* replay : {"start", "steps", "movesBefore"})
                if (whole.contains(QLatin1String(replay)))
                    unknown.insert(QLatin1String(replay), whole.value(QLatin1String(replay)));
            rc = Insert(wins, *r, unknown, {}, {});
        }
        if (rc != SQLITE_DONE)
            break;
    }
    for (auto it = root.begin(); it != root.end() && rc == SQLITE_DONE; ++it) {
        if (it.key() == QLatin1String("version") || it.key() == QLatin1String("results"))
            continue;
        SqlStatement q(db.get(), "INSERT OR IGNORE INTO file_fields(name, json) VALUES (?1, ?2)");
        q.Bind(1, it.key()).Bind(2, ValueText(it.value()));
        rc = q.Run();
    }
    if (rc != SQLITE_DONE) {
        Rollback();
        Noticed(rc);
        return Fail(failure, rc);
    }
    // The file is renamed before the commit and put back if the commit
    // fails: a file imported twice would count its wins twice. Should the
    // game end between the two, the file stays whole under its new name.
    QString error;
    const QString imported = SetFileAside(jsonPath, &error, QStringLiteral("imported"));
    if (imported.isEmpty()) {
        Rollback();
        return Fail(failure, error);
    }
    if ((rc = Exec("COMMIT")) != SQLITE_OK) {
        Rollback();
        QFile::rename(imported, jsonPath);
        return Fail(failure, rc);
    }
    return true;
}

void Records::Noticed(int rc)
{
    if (IsDamage(rc) && db) {
        Rollback();
        SetAsideFiles(QStringLiteral("damaged"), nullptr);
    }
}

int Records::Write(const std::vector<GameResult>& results)
{
    int rc = Exec("BEGIN IMMEDIATE");
    if (rc != SQLITE_OK)
        return rc;
    // Under the write lock, the name still leads to the file this
    // connection has open, or another window has set it aside meanwhile and
    // a win written now would go with it.
    if (!StillOurs()) {
        Rollback();
        db.reset();
        return kFileChanged;
    }
    SqlStatement wins(db.get(), kInsertWin), unread(db.get(), kInsertUnread);
    for (const GameResult& r : results) {
        // A result this version cannot count is kept all the same, as the
        // JSON it is exported as.
        rc = r.IsValid() ? Insert(wins, r, QJsonObject(), {}, {}) : InsertUnread(unread, Compact(r.ToJson()));
        if (rc != SQLITE_DONE) {
            Rollback();
            return rc;
        }
    }
    if ((rc = Exec("COMMIT")) != SQLITE_OK)
        Rollback();
    return rc;
}

bool Records::Flush(Failure* failure)
{
    for (int attempt = 0; attempt < 3 && !pending.empty(); ++attempt) {
        if (!EnsureOpen(failure) && !db)
            return false;
        const int rc = Write(pending);
        if (rc == SQLITE_OK) {
            pending.clear();
            return true;
        }
        if (rc == kFileChanged)
            continue; // the file changed under the name: open the new one
        if (IsDamage(rc)) {
            Noticed(rc);
            continue;
        }
        Fail(failure, rc);
        // A connection that found the file read-only stays so; the next try
        // opens it afresh, once the player has made room or given rights.
        if ((rc & 0xff) != SQLITE_BUSY)
            db.reset();
        return false;
    }
    return pending.empty() || Fail(failure, tr("The file kept changing while the game wrote to it."));
}

bool Records::Add(const GameResult& result, Failure* failure)
{
    pending.push_back(result);
    return Flush(failure);
}

bool Records::AddAll(std::vector<GameResult> results, Failure* failure)
{
    pending.insert(pending.end(), std::make_move_iterator(results.begin()), std::make_move_iterator(results.end()));
    return Flush(failure);
}

bool Records::Clear(QString* error)
{
    pending.clear();
    if (QFileInfo::exists(path))
        EnsureOpen(nullptr);
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) {
        // Held exclusively, so that no other window is part way through a
        // write to the file when it goes.
        if (StillOurs()) {
            const int rc = Exec("BEGIN EXCLUSIVE");
            if (rc != SQLITE_OK) {
                Failure f;
                Fail(&f, rc);
                if (error)
                    *error = f.reason;
                return false;
            }
        }
        if (!SetAsideFiles(QStringLiteral("cleared"), error)) {
            Rollback();
            return false;
        }
    }
    db.reset();
    const QFileInfo json(jsonPath);
    if (json.exists() || json.isSymLink()) {
        const QString aside = SetFileAside(jsonPath, error, QStringLiteral("cleared"));
        if (aside.isEmpty())
            return false;
        setAside << aside;
    }
    return true;
}

std::optional<GameResult> Records::Best(const QString& level, const QString& style)
{
    // The first row is the best; only in a file changed by hand are rows
    // passed over on the way to a sound one. The condition on help is
    // answered by the index, so a damaged index can hand over a win with
    // help: the row's own value decides.
    SqlStatement q(db.get(), "SELECT " TESSELO_ROW_COLUMNS " FROM wins WHERE level = ?1 AND style = ?2 AND "
                             "(assisted > 0) = 0 ORDER BY score, id");
    q.Bind(1, level).Bind(2, style);
    int rc = SQLITE_OK;
    while ((rc = q.Step()) == SQLITE_ROW)
        if (std::optional<KeptWin> w = ReadRow(q, level, style); w && w->result.assisted == 0)
            return std::move(w->result);
    Noticed(rc);
    return std::nullopt;
}

bool Records::IsNewBest(const GameResult& result)
{
    if (!result.IsValid() || result.assisted > 0)
        return false;
    std::optional<GameResult> best;
    if (EnsureOpen(nullptr) || db)
        best = Best(result.level, result.style);
    for (const GameResult& r : pending)
        if (r.level == result.level && r.style == result.style && r.assisted == 0 && (!best || r.Beats(*best)))
            best = r;
    return !best || result.Beats(*best);
}

Records::Summary Records::Summarize(const QString& level, const QString& style)
{
    Summary s;
    if (!EnsureOpen(nullptr) && !db)
        return s;
    SqlStatement won(db.get(), "SELECT won FROM kinds WHERE level = ?1 AND style = ?2");
    won.Bind(1, level).Bind(2, style);
    int rc = won.Step();
    if (rc == SQLITE_ROW)
        s.won = int(std::clamp<std::int64_t>(won.Int(0), 0, INT32_MAX));
    Noticed(rc);
    if (!db)
        return Summary();
    s.best = Best(level, style);
    if (!db)
        return Summary();
    // As for the best, the row's own values decide what the index answered.
    SqlStatement recent(db.get(), "SELECT score, level, style, assisted FROM wins WHERE level = ?1 AND style = ?2 "
                                  "AND (assisted > 0) = 0 ORDER BY finished DESC, id DESC LIMIT 12");
    recent.Bind(1, level).Bind(2, style);
    std::vector<std::int64_t> scores;
    while ((rc = recent.Step()) == SQLITE_ROW)
        if (recent.Text(1) == level && recent.Text(2) == style && recent.Int(3) <= 0)
            scores.push_back(recent.Int(0));
    Noticed(rc);
    s.averageOf5 = TrimmedAverage(scores, 5);
    s.averageOf12 = TrimmedAverage(scores, 12);
    return s;
}

std::vector<Records::KeptWin> Records::Page(const QString& level, const QString& style, Order order, int offset,
                                            int limit)
{
    std::vector<KeptWin> out;
    if ((!EnsureOpen(nullptr) && !db) || limit <= 0)
        return out;
    SqlStatement q(db.get(), order == Order::BestFirst
                                 ? "SELECT " TESSELO_ROW_COLUMNS " FROM wins WHERE level = ?1 AND style = ?2 "
                                   "ORDER BY (assisted > 0), score, id LIMIT ?3 OFFSET ?4"
                                 : "SELECT " TESSELO_ROW_COLUMNS " FROM wins WHERE level = ?1 AND style = ?2 "
                                   "ORDER BY finished DESC, id DESC LIMIT ?3 OFFSET ?4");
    q.Bind(1, level).Bind(2, style).Bind(3, limit).Bind(4, std::max(offset, 0));
    int rc = SQLITE_OK;
    while ((rc = q.Step()) == SQLITE_ROW)
        if (std::optional<KeptWin> w = ReadRow(q, level, style))
            out.push_back(std::move(*w));
    Noticed(rc);
    return out;
}

std::vector<QDate> Records::DailyDaysBack(const QDate& today)
{
    std::vector<QDate> out;
    if (!EnsureOpen(nullptr) && !db)
        return out;
    SqlStatement q(db.get(), "SELECT DISTINCT daily FROM wins WHERE daily IS NOT NULL AND daily <= ?1 "
                             "ORDER BY daily DESC");
    q.Bind(1, today.toString(Qt::ISODate));
    int rc = SQLITE_OK;
    while ((rc = q.Step()) == SQLITE_ROW) {
        // Text that is no date is passed over; a day missed ends the run.
        const QDate day = QDate::fromString(q.Text(0), Qt::ISODate);
        if (!day.isValid())
            continue;
        if (!out.empty() && day.daysTo(out.back()) > 1)
            break;
        out.push_back(day);
    }
    Noticed(rc);
    return out;
}

std::vector<Records::KeptWin> Records::DailyPage(int offset, int limit)
{
    std::vector<KeptWin> out;
    if ((!EnsureOpen(nullptr) && !db) || limit <= 0)
        return out;
    SqlStatement q(db.get(), "SELECT " TESSELO_ROW_COLUMNS " FROM wins WHERE daily IS NOT NULL "
                             "ORDER BY daily DESC, finished DESC LIMIT ?1 OFFSET ?2");
    q.Bind(1, limit).Bind(2, std::max(offset, 0));
    int rc = SQLITE_OK;
    while ((rc = q.Step()) == SQLITE_ROW)
        if (std::optional<KeptWin> w = ReadRow(q, QString(), QString()); w && w->result.daily)
            out.push_back(std::move(*w));
    Noticed(rc);
    return out;
}

std::optional<GameResult> Records::Win(std::int64_t id)
{
    if (!EnsureOpen(nullptr) && !db)
        return std::nullopt;
    SqlStatement q(db.get(), "SELECT " TESSELO_ROW_COLUMNS ", moves_before, start, steps FROM wins WHERE id = ?1");
    q.Bind(1, id);
    const int rc = q.Step();
    Noticed(rc);
    if (rc != SQLITE_ROW)
        return std::nullopt;
    std::optional<KeptWin> w = ReadRow(q, QString(), QString());
    if (!w)
        return std::nullopt;
    if (w->replayable) {
        const auto start = ValueFromText(q.Utf8(kRowColumnCount + 1));
        const auto steps = ValueFromText(q.Utf8(kRowColumnCount + 2));
        if (start && steps)
            w->result.TakeReplay(*start, *steps, q.Int(kRowColumnCount));
    }
    return std::move(w->result);
}

std::int64_t Records::CountAll()
{
    if (!EnsureOpen(nullptr) && !db)
        return std::int64_t(pending.size());
    SqlStatement q(db.get(), "SELECT (SELECT count(*) FROM wins) + (SELECT count(*) FROM unread_results)");
    return (q.Step() == SQLITE_ROW ? q.Int(0) : 0) + std::int64_t(pending.size());
}

bool Records::Export(QIODevice& out, QString* error)
{
    // Records never made are an empty export, not a new file.
    const bool any = QFileInfo::exists(path) || QFileInfo::exists(jsonPath) || db;
    Failure failure;
    if (any && !EnsureOpen(&failure) && !db) {
        if (error)
            *error = QStringLiteral("\"%1\": %2").arg(failure.file, failure.reason);
        return false;
    }
    bool ok = out.write("{\"version\":1,\"results\":[") >= 0;
    bool first = true;
    const auto put = [&](const QByteArray& json) {
        ok = ok && out.write(first ? "\n" : ",\n") >= 0 && out.write(json) >= 0;
        first = false;
    };
    int rc = SQLITE_DONE;
    if (db) {
        // Whatever the file holds is given back, sound or not: the export
        // is how a player takes their records elsewhere.
        SqlStatement wins(db.get(), "SELECT level, style, moves, milliseconds, finished, picture, par, "
                                    "par_is_optimal, assisted, daily, moves_before, start, steps, extra "
                                    "FROM wins ORDER BY id");
        while (ok && (rc = wins.Step()) == SQLITE_ROW) {
            GameResult r;
            r.level = wins.Text(0);
            r.style = wins.Text(1);
            r.moves = ClampToInt32(wins.Int(2));
            r.milliseconds = wins.Int(3);
            r.finished = QDateTime::fromMSecsSinceEpoch(std::clamp(wins.Int(4), kEarliestMs, kLatestMs), Qt::UTC);
            r.picture = FileNameFromBytes(wins.Utf8(5));
            if (!wins.IsNull(6))
                r.par = ClampToInt32(wins.Int(6));
            r.parIsOptimal = wins.Int(7) != 0;
            r.assisted = ClampToInt32(wins.Int(8));
            if (const QDate day = QDate::fromString(wins.Text(9), Qt::ISODate); day.isValid())
                r.daily = day;
            QJsonObject o = r.ToJson();
            o["movesBefore"] = ClampToInt32(wins.Int(10));
            if (!wins.IsNull(11) && !wins.IsNull(12)) {
                if (const auto start = ValueFromText(wins.Utf8(11)))
                    o["start"] = *start;
                if (const auto steps = ValueFromText(wins.Utf8(12)))
                    o["steps"] = *steps;
            }
            if (const auto extra = ValueFromText(wins.Utf8(13)); extra && extra->isObject()) {
                const QJsonObject fields = extra->toObject();
                for (auto it = fields.begin(); it != fields.end(); ++it)
                    o[it.key()] = it.value();
            }
            put(Compact(o));
        }
        if (rc == SQLITE_DONE) {
            SqlStatement unread(db.get(), "SELECT json FROM unread_results ORDER BY id");
            while (ok && (rc = unread.Step()) == SQLITE_ROW) {
                // Text that is no longer JSON (a file changed by hand) goes
                // out as a string rather than break the whole export.
                const QByteArray text = unread.Utf8(0);
                put(ValueFromText(text) ? text : ValueText(QString::fromUtf8(text)));
            }
        }
    }
    for (const GameResult& r : pending)
        put(Compact(r.ToJson()));
    ok = ok && out.write("\n]") >= 0;
    if (db && rc == SQLITE_DONE) {
        QJsonObject fields;
        SqlStatement q(db.get(), "SELECT name, json FROM file_fields ORDER BY name");
        while ((rc = q.Step()) == SQLITE_ROW)
            if (const auto v = ValueFromText(q.Utf8(1)))
                fields[q.Text(0)] = *v;
        if (!fields.isEmpty()) {
            const QByteArray text = Compact(fields);
            ok = ok && out.write(",") >= 0 && out.write(text.mid(1, text.size() - 2)) >= 0;
        }
    }
    ok = ok && out.write("}\n") >= 0;
    if (db && rc != SQLITE_DONE) {
        Failure f;
        Fail(&f, rc);
        Noticed(rc);
        if (error)
            *error = QStringLiteral("\"%1\": %2").arg(path, f.reason);
        return false;
    }
    if (!ok && error)
        *error = out.errorString();
    return ok;
}

bool Records::ExportTo(const QString& file, QString* error)
{
    if (file.isEmpty()) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly)) {
            if (error)
                *error = out.errorString();
            return false;
        }
        const bool exported = Export(out, error);
        if (!out.flush()) {
            if (error)
                *error = out.errorString();
            return false;
        }
        return exported;
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        if (error)
            *error = out.errorString();
        return false;
    }
    if (!Export(out, error)) {
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        if (error)
            *error = out.errorString();
        return false;
    }
    return true;
}

} // namespace tesselo
