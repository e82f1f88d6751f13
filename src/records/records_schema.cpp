#include "records/records_schema.h"

#include "files/file_name_codec.h"
#include "records/records_file.h"
#include "records/sql_statement.h"

#include <QStringList>

#include <sqlite3.h>

#include <algorithm>
#include <array>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace tesselo::records_schema {

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
static_assert(std::size(kUpgrades) == std::size_t(kVersion - 1));

// The schema as SQLite keeps it, made once in memory: a file of our version
// must hold exactly this.
QStringList SchemaOf(sqlite3* db)
{
    QStringList out;
    SqlStatement q(db, "SELECT type, name, tbl_name, sql FROM sqlite_schema ORDER BY type, name");
    while (q.Step() == SQLITE_ROW)
        out << q.Text(0) + QLatin1Char('|') + q.Text(1) + QLatin1Char('|') + q.Text(2) + QLatin1Char('|') + q.Text(3);
    return out;
}

// The schema a file of `version` (1 to kVersion) holds.
const QStringList& ExpectedSchema(int version = kVersion)
{
    static const std::array<QStringList, kVersion> schemas = [] {
        std::array<QStringList, kVersion> out;
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
    return schemas[std::size_t(std::clamp(version, 1, kVersion) - 1)];
}

} // namespace

bool Create(RecordsFile& file, int* rc)
{
    // Two windows may both find no file: the one that takes the lock second
    // finds the other's schema and keeps it.
    std::int64_t objects = 0;
    if (!file.BeginWith("SELECT count(*) FROM sqlite_schema", &objects, rc))
        return false;
    if (objects == 0) {
        const QByteArray header = QStringLiteral("PRAGMA application_id = %1; PRAGMA user_version = %2;")
                                      .arg(kApplicationId)
                                      .arg(kVersion)
                                      .toLatin1();
        *rc = file.Exec(kSchema);
        for (const char* upgrade : kUpgrades)
            if (*rc == SQLITE_OK)
                *rc = file.Exec(upgrade);
        if (*rc != SQLITE_OK || (*rc = file.Exec(header.constData())) != SQLITE_OK) {
            file.Rollback();
            return false;
        }
    }
    if ((*rc = file.Exec("COMMIT")) != SQLITE_OK) {
        file.Rollback();
        return false;
    }
    return true;
}

namespace {

bool Upgrade(RecordsFile& file, int* rc)
{
    // Another window may have brought the file up to date meanwhile: the
    // version is read again under the lock.
    std::int64_t version = 0;
    if (!file.BeginWith("SELECT user_version FROM pragma_user_version", &version, rc))
        return false;
    for (std::int64_t v = std::max<std::int64_t>(version, 1); v < kVersion && *rc == SQLITE_OK; ++v)
        *rc = file.Exec(kUpgrades[v - 1]);
    const QByteArray stamp = QStringLiteral("PRAGMA user_version = %1").arg(kVersion).toLatin1();
    if (*rc != SQLITE_OK || (*rc = file.Exec(stamp.constData())) != SQLITE_OK ||
        (*rc = file.Exec("COMMIT")) != SQLITE_OK) {
        file.Rollback();
        return false;
    }
    return true;
}

} // namespace

Verdict Adopt(RecordsFile& file, int* rc)
{
    const bool writable = file.Mode() == RecordsFile::Access::ReadWrite;
    std::int64_t version = 0;
    for (int pass = 0; pass < 2; ++pass) {
        std::int64_t id = 0, objects = 0;
        {
            // Done with before any transaction begins: a statement still
            // reading holds a lock that another window's write waits for.
            SqlStatement header(file.Db(), "SELECT (SELECT application_id FROM pragma_application_id), "
                                           "(SELECT user_version FROM pragma_user_version), "
                                           "(SELECT count(*) FROM sqlite_schema)");
            if ((*rc = header.Step()) != SQLITE_ROW)
                return IsPassing(*rc) ? Verdict::Failed : Verdict::NotOurs;
            id = header.Int(0);
            version = header.Int(1);
            objects = header.Int(2);
        }
        if (id == 0 && version == 0 && objects == 0 && pass == 0) {
            // A new file, or an empty one: ours to begin, or, read only,
            // records with nothing in them yet.
            if (!writable)
                return Verdict::Empty;
            if (!Create(file, rc))
                return IsPassing(*rc) ? Verdict::Failed : Verdict::NotOurs;
            continue;
        }
        if (id != kApplicationId || version < 1)
            return Verdict::NotOurs;
#ifdef Q_OS_UNIX
        // A file this game may write that SQLite will only read carries a
        // header no database of ours has (a format it may not write).
        if (writable && sqlite3_db_readonly(file.Db(), "main") == 1 &&
            ::access(FileNameToBytes(file.Path()).constData(), W_OK) == 0)
            return Verdict::NotOurs;
#endif
        if (version > kVersion)
            return Verdict::Newer;
        break;
    }
    if (SchemaOf(file.Db()) != ExpectedSchema(int(version)))
        return Verdict::NotOurs;
    {
        SqlStatement check(file.Db(), "PRAGMA quick_check(1)");
        *rc = check.Step();
        if (*rc != SQLITE_ROW)
            return IsPassing(*rc) ? Verdict::Failed : Verdict::NotOurs;
        if (check.Text(0) != QLatin1String("ok"))
            return Verdict::NotOurs;
        check.Run();
    }
    // A sound file of an earlier version of ours, exactly as that version
    // made it, is brought up to date (a damaged one was set aside as it
    // was). One that cannot be written now is read as it is.
    if (writable && version < kVersion) {
        if (!Upgrade(file, rc) && !IsPassing(*rc))
            return Verdict::NotOurs;
        const QStringList schema = SchemaOf(file.Db());
        if (schema != ExpectedSchema() && schema != ExpectedSchema(int(version)))
            return Verdict::NotOurs;
    }
    return Verdict::Fine;
}

} // namespace tesselo::records_schema
