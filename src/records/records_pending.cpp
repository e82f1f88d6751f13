#include "records/records_pending.h"

#include "files/safe_file.h"
#include "records/records_file.h"
#include "records/records_json.h"
#include "records/result_json.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLockFile>
#include <QMutex>

#include <algorithm>

namespace tesselo {

namespace {

enum class Found { Fine, Damaged };

// The wins of the file at `path`, none when there is no file.
Found ReadWins(const QString& path, std::vector<GameResult>* wins)
{
    QJsonObject root;
    switch (records_json::ReadFile(path, &root)) {
    case records_json::Read::Missing:
        return Found::Fine;
    case records_json::Read::Damaged:
        return Found::Damaged;
    case records_json::Read::Fine:
        break;
    }
    // The file holds only what this game wrote: anything else in it is
    // damage, and the file is kept whole rather than read in part.
    for (const QJsonValue& v : root.value("results").toArray()) {
        std::optional<GameResult> r = v.isObject() ? ResultFromJson(v.toObject()) : std::nullopt;
        if (!r)
            return Found::Damaged;
        wins->push_back(std::move(*r));
    }
    return Found::Fine;
}

QByteArray FileOf(const std::vector<GameResult>& wins)
{
    QJsonArray results;
    for (const GameResult& r : wins) {
        QJsonObject o = ResultToJson(r);
        // To the millisecond, as the database keeps it: that is how a win
        // is known again.
        o["finished"] = r.finished.toUTC().toString(Qt::ISODateWithMs);
        results.append(o);
    }
    return QJsonDocument(QJsonObject{{"version", records_json::kVersion}, {"results", results}}).toJson();
}

} // namespace

PendingWins::PendingWins(QString file)
    : path(std::move(file)),
      laterPath(path.endsWith(QLatin1String(".json")) ? path.chopped(5) + QStringLiteral("-later.json")
                                                      : path + QStringLiteral("-later")),
      lockTimeout(RecordsFile::kBusyTimeoutMs)
{
}

bool PendingWins::EarlierVersionsCount(const GameResult& r)
{
    return r.style == r.style.Base() && r.size.EarlierVersionsPlay();
}

QString PendingWins::Beside(const QString& recordsPath)
{
    const QFileInfo records(recordsPath);
    const QString dir = records.path();
    return (dir == QLatin1String(".") ? QString() : dir + QLatin1Char('/')) + QString::fromLatin1(kFileName);
}

bool PendingWins::SameWin(const GameResult& a, const GameResult& b)
{
    return a.size == b.size && a.style == b.style && a.moves == b.moves && a.milliseconds == b.milliseconds &&
           a.assisted == b.assisted && a.finished.toMSecsSinceEpoch() == b.finished.toMSecsSinceEpoch();
}

std::vector<GameResult> PendingWins::Read(QString* setAside) const
{
    std::vector<GameResult> wins = ReadFile(path, setAside);
    // Each file set aside is damaged on its own; the caller hears of one.
    QString laterAside;
    for (GameResult& r : ReadFile(laterPath, !setAside ? nullptr : setAside->isEmpty() ? setAside : &laterAside))
        wins.push_back(std::move(r));
    return wins;
}

std::vector<GameResult> PendingWins::ReadFile(const QString& file, QString* setAside) const
{
    std::vector<GameResult> wins;
    if (ReadWins(file, &wins) == Found::Fine)
        return wins;
    if (setAside) {
        QLockFile lock(file + QStringLiteral(".lock"));
        // Looked at again under the lock: another window may have replaced
        // it meanwhile.
        if (lock.tryLock(lockTimeout)) {
            wins.clear();
            if (ReadWins(file, &wins) == Found::Fine)
                return wins;
            *setAside = SetFileAside(file, nullptr, QStringLiteral("damaged"));
        }
    }
    return {};
}

template <typename Change>
bool PendingWins::Rewrite(const QString& file, Change change, QString* error, QString* setAside)
{
    // The lock file keeps other programs out; threads of this one (a win
    // filed while the records' thread takes another out) take turns here.
    static QMutex threads;
    const QMutexLocker hold(&threads);
    QLockFile lock(file + QStringLiteral(".lock"));
    if (!lock.tryLock(lockTimeout)) {
        if (error)
            *error = tr("Another window of Tesselo kept the records busy for too long.");
        return false;
    }
    std::vector<GameResult> wins;
    if (ReadWins(file, &wins) == Found::Damaged) {
        wins.clear();
        const QString aside = SetFileAside(file, error, QStringLiteral("damaged"));
        if (aside.isEmpty())
            return false;
        if (setAside)
            *setAside = aside;
    }
    change(wins);
    if (wins.empty()) {
        const QFileInfo info(file);
        return !(info.exists() || info.isSymLink()) || QFile::remove(file);
    }
    return WriteFileAtomically(file, FileOf(wins), error);
}

bool PendingWins::Add(const std::vector<GameResult>& added, QString* error, QString* setAside)
{
    bool ok = true;
    for (const bool earlier : {true, false}) {
        std::vector<GameResult> these;
        std::copy_if(added.begin(), added.end(), std::back_inserter(these),
                     [&](const GameResult& r) { return EarlierVersionsCount(r) == earlier; });
        if (these.empty())
            continue;
        ok = Rewrite(
                 earlier ? path : laterPath,
                 [&](std::vector<GameResult>& wins) {
                     for (const GameResult& r : these)
                         if (std::none_of(wins.begin(), wins.end(), [&](const GameResult& w) { return SameWin(w, r); }))
                             wins.push_back(r);
                 },
                 error, setAside) &&
             ok;
    }
    return ok;
}

bool PendingWins::Remove(const std::vector<GameResult>& removed, QString* setAside)
{
    bool ok = true;
    for (const bool earlier : {true, false}) {
        if (std::none_of(removed.begin(), removed.end(),
                         [&](const GameResult& r) { return EarlierVersionsCount(r) == earlier; }))
            continue;
        ok = Rewrite(
                 earlier ? path : laterPath,
                 [&](std::vector<GameResult>& wins) {
                     std::erase_if(wins, [&](const GameResult& w) {
                         return std::any_of(removed.begin(), removed.end(),
                                            [&](const GameResult& r) { return SameWin(w, r); });
                     });
                 },
                 nullptr, setAside) &&
             ok;
    }
    return ok;
}

} // namespace tesselo
