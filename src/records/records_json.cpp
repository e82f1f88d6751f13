#include "records/records_json.h"

#include "files/file_name_codec.h"
#include "files/safe_file.h"
#include "records/records_rows.h"
#include "records/result_json.h"
#include "records/sql_statement.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>

#include <sqlite3.h>

namespace tesselo::records_json {

namespace {

// How many results go in between two reports of progress.
constexpr int kProgressEvery = 100;

} // namespace

Read ReadFile(const QString& path, QJsonObject* root)
{
    ReadRefusal why = ReadRefusal::None;
    const std::optional<QByteArray> json = ReadWholeFile(path, 0, kMaxSize, &why);
    if (why == ReadRefusal::Missing)
        return Read::Missing;
    if (!json)
        return Read::Damaged;
    QJsonParseError parsed{};
    const QJsonDocument doc = QJsonDocument::fromJson(*json, &parsed);
    if (parsed.error != QJsonParseError::NoError || !doc.isObject())
        return Read::Damaged;
    const QJsonValue version = doc.object().value("version");
    if (!version.isDouble() || version.toDouble() != kVersion || !doc.object().value("results").isArray())
        return Read::Damaged;
    *root = doc.object();
    return Read::Fine;
}

int Import(sqlite3* db, const QJsonObject& root, const Progress& progress)
{
    int rc = SQLITE_DONE;
    SqlStatement wins(db, records_rows::kInsertWin), unread(db, records_rows::kInsertUnread);
    const QJsonArray results = root.value("results").toArray();
    const int total = int(results.size());
    int done = 0;
    for (const QJsonValue& v : results) {
        if (progress && done % kProgressEvery == 0)
            progress(done, total);
        ++done;
        // The replay is read apart and, when it fits, kept as the file
        // wrote it: one file can hold thousands of long solves, and
        // writing each back out only to compare it would double the work.
        const QJsonObject whole = v.toObject();
        QJsonObject rest = whole;
        for (const char* replay : {"start", "steps", "movesBefore"})
            rest.remove(QLatin1String(replay));
        QJsonObject unknown;
        std::optional<GameResult> r = v.isObject() ? ResultFromJson(rest, &unknown) : std::nullopt;
        // A text no file name comes from is not taken for a picture's name.
        if (r && FileNameFromBytes(FileNameToBytes(r->picture)) != r->picture) {
            unknown.insert(QStringLiteral("picture"), whole.value("picture"));
            r->picture.clear();
        }
        if (!r) {
            rc = records_rows::InsertUnread(unread, JsonText(v));
        } else if (TakeReplay(*r, whole.value("start"), whole.value("steps"), whole.value("movesBefore"))) {
            rc = records_rows::InsertWin(wins, *r, unknown, JsonText(whole.value("start")),
                                         JsonText(whole.value("steps")));
        } else {
            for (const char* replay : {"start", "steps", "movesBefore"})
                if (whole.contains(QLatin1String(replay)))
                    unknown.insert(QLatin1String(replay), whole.value(QLatin1String(replay)));
            rc = records_rows::InsertWin(wins, *r, unknown);
        }
        if (rc != SQLITE_DONE)
            return rc;
    }
    if (progress)
        progress(total, total);
    for (auto it = root.begin(); it != root.end() && rc == SQLITE_DONE; ++it) {
        if (it.key() == QLatin1String("version") || it.key() == QLatin1String("results"))
            continue;
        SqlStatement q(db, "INSERT OR IGNORE INTO file_fields(name, json) VALUES (?1, ?2)");
        q.Bind(1, it.key()).Bind(2, JsonText(it.value()));
        rc = q.Run();
    }
    return rc;
}

bool Export(sqlite3* db, const std::vector<GameResult>& unwritten, QIODevice& out, int* rc)
{
    bool ok = out.write("{\"version\":1,\"results\":[") >= 0;
    bool first = true;
    const auto put = [&](const QByteArray& json) {
        ok = ok && out.write(first ? "\n" : ",\n") >= 0 && out.write(json) >= 0;
        first = false;
        return ok;
    };
    *rc = SQLITE_DONE;
    if (db) {
        // Whatever the file holds is given back, sound or not: the export
        // is how a player takes their records elsewhere.
        records_rows::ForEachWin(
            db, [&](const records_rows::StoredWin& w) { return put(CompactJson(records_rows::Exported(w))); }, rc);
        if (*rc == SQLITE_DONE) {
            // Text that is no longer JSON (a file changed by hand) goes out
            // as a string rather than break the whole export.
            records_rows::ForEachUnread(
                db,
                [&](const QByteArray& text) {
                    return put(JsonFromText(text) ? text : JsonText(QString::fromUtf8(text)));
                },
                rc);
        }
    }
    for (const GameResult& r : unwritten) {
        QJsonObject o = ResultToJson(r);
        // To the millisecond, as the database would keep it.
        o["finished"] = records_rows::JsonFinishedText(r.finished.toMSecsSinceEpoch());
        put(CompactJson(o));
    }
    ok = ok && out.write("\n]") >= 0;
    if (db && *rc == SQLITE_DONE) {
        const QJsonObject fields = records_rows::FileFields(db, rc);
        if (!fields.isEmpty()) {
            const QByteArray text = CompactJson(fields);
            ok = ok && out.write(",") >= 0 && out.write(text.mid(1, text.size() - 2)) >= 0;
        }
    }
    return ok && out.write("}\n") >= 0;
}

} // namespace tesselo::records_json
