#pragma once

#include "model/game_result.h"

#include <QJsonObject>
#include <QString>

#include <functional>
#include <vector>

class QIODevice;
struct sqlite3;

namespace tesselo {

// The records as JSON: the file "tesselo-records.json" of earlier versions,
// imported once, and the export, which writes every kept result in the same
// format ({"version":1,"results":[...]}, the newer fields as keys) with the
// results and fields this version does not know as they were imported. Other
// formats of export read the same rows (records_rows.h) beside this one.
namespace records_json {

constexpr int kVersion = 1;
// The JSON files of earlier versions grew without a bound; anything beyond
// this is not one.
constexpr qint64 kMaxSize = 1024LL * 1024 * 1024;

enum class Read { Missing, Fine, Damaged };
// A records file in this format, read whole. A missing file (or a link to
// one not made yet) is no damage; anything but a regular file of a sane
// size holding {"version":1,"results":[...]} is.
Read ReadFile(const QString& path, QJsonObject* root);

// Told, every so often, how many results of how many are in.
using Progress = std::function<void(int done, int total)>;
// Adds every result `root` holds, and the fields beside them, to the
// database, within the caller's transaction. A result this version counts
// becomes a row of wins, its replay kept as the file wrote it when it fits;
// any other is kept as it was. SQLITE_DONE when all went in.
int Import(sqlite3* db, const QJsonObject& root, const Progress& progress);

// Writes every result of `db` (none when null), then `unwritten`, as a
// records file. False when `out` failed; `rc` is the database's last
// result, SQLITE_DONE when it gave every row.
bool Export(sqlite3* db, const std::vector<GameResult>& unwritten, QIODevice& out, int* rc);

} // namespace records_json

} // namespace tesselo
