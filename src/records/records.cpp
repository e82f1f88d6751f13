#include "records/records.h"

#include "files/safe_file.h"
#include "records/result_json.h"
#include "records/sql_statement.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

#include <sqlite3.h>

#include <algorithm>

namespace tesselo {

namespace {

// What Write answers when the name no longer leads to the open file.
constexpr int kFileChanged = -1;

} // namespace

Records::Records(QString path, QString json) : Records(Access::ReadWrite, std::move(path), std::move(json)) {}

Records::Records(Access access, QString path, QString json)
    : file(path, access), jsonPath(std::move(json)), pendingFile(PendingWins::Beside(path))
{
}

Records::~Records() = default;

void Records::SetBusyTimeout(int milliseconds)
{
    file.SetBusyTimeout(milliseconds);
    pendingFile.SetLockTimeout(milliseconds);
}

bool Records::Fail(Failure* failure, const QString& reason)
{
    if (failure)
        *failure = file.FailureOf(reason);
    return false;
}

bool Records::Fail(Failure* failure, int rc)
{
    if (failure)
        *failure = file.FailureOf(rc);
    return false;
}

std::size_t Records::AtRisk() const
{
    return std::size_t(std::count_if(pending.begin(), pending.end(), [](const Waiting& w) { return !w.filed; }));
}

std::vector<GameResult> Records::WaitingResults() const
{
    std::vector<GameResult> out;
    out.reserve(pending.size());
    for (const Waiting& w : pending)
        out.push_back(w.result);
    return out;
}

bool Records::EnsureOpen(Failure* failure)
{
    // Only read, the connection follows the file it opened until the name
    // leads elsewhere (another window cleared the records, or set a damaged
    // file aside): then the file under the name now is read.
    if (file.Mode() == Access::ReadOnly)
        return (file.IsOpen() && file.NameUnchanged()) || OpenSnapshot(failure);
    if (!file.StillOurs() && !file.Open(failure))
        return false;
    if (!QFileInfo(jsonPath).exists())
        return true;
    return ImportJson(failure);
}

bool Records::OpenSnapshot(Failure* failure)
{
    // Read only, the only wins waiting are those of the pending file, read
    // again with the file.
    pending.clear();
    if (!file.Open(failure))
        return false;
    QJsonObject root;
    if (records_json::ReadFile(jsonPath, &root) == records_json::Read::Fine) {
        // Imported into a copy, as the game would import it at its next
        // start, so that the export is what the records will be.
        int rc = SQLITE_OK;
        if (!file.CopyIntoMemory(&rc) || (rc = file.Exec("BEGIN")) != SQLITE_OK ||
            (rc = records_json::Import(file.Db(), root, importProgress)) != SQLITE_DONE ||
            (rc = file.Exec("COMMIT")) != SQLITE_OK) {
            const Failure why = file.FailureOf(rc);
            file.Close();
            return Fail(failure, why.reason);
        }
    }
    for (GameResult& r : pendingFile.Read())
        pending.push_back(Waiting{std::move(r), true});
    return true;
}

bool Records::ImportJson(Failure* failure)
{
    int rc = file.Exec("BEGIN IMMEDIATE");
    if (rc != SQLITE_OK)
        return Fail(failure, rc);
    // Read under the lock: another window importing the same file at the
    // same moment finds it gone once this one is done.
    QJsonObject root;
    switch (records_json::ReadFile(jsonPath, &root)) {
    case records_json::Read::Missing:
        file.Rollback();
        return true;
    case records_json::Read::Damaged: {
        file.Rollback();
        QString error;
        if (file.SetAsideOther(jsonPath, QStringLiteral("damaged"), &error).isEmpty())
            return Fail(failure, error);
        return true;
    }
    case records_json::Read::Fine:
        break;
    }
    rc = records_json::Import(file.Db(), root, importProgress);
    if (rc != SQLITE_DONE) {
        file.Rollback();
        file.Noticed(rc);
        return Fail(failure, rc);
    }
    // The file is renamed before the commit and put back if the commit
    // fails: a file imported twice would count its wins twice. Should the
    // game end between the two, the file stays whole under its new name.
    QString error;
    const QString imported = SetFileAside(jsonPath, &error, QStringLiteral("imported"));
    if (imported.isEmpty()) {
        file.Rollback();
        return Fail(failure, error);
    }
    if ((rc = file.Exec("COMMIT")) != SQLITE_OK) {
        file.Rollback();
        QFile::rename(imported, jsonPath);
        return Fail(failure, rc);
    }
    return true;
}

bool Records::Open(Failure* failure)
{
    const bool opened = EnsureOpen(failure);
    if (file.Mode() == Access::ReadWrite) {
        // Wins an earlier game could not write, or another window's, go in
        // now; those that still cannot wait on, in the file and here.
        TakePending();
        if (opened && !pending.empty())
            Flush(nullptr);
    }
    return opened;
}

void Records::TakePending()
{
    QString aside;
    for (GameResult& r : pendingFile.Read(&aside)) {
        const auto same = std::find_if(pending.begin(), pending.end(),
                                       [&](const Waiting& w) { return PendingWins::SameWin(w.result, r); });
        if (same != pending.end())
            same->filed = true;
        else
            pending.push_back(Waiting{std::move(r), true});
    }
    if (!aside.isEmpty())
        file.NoteSetAside(aside);
}

void Records::FilePending()
{
    // A result this version cannot count is no win of the game's, and the
    // pending file holds only those.
    std::vector<GameResult> unfiled;
    for (const Waiting& w : pending)
        if (!w.filed && w.result.IsValid())
            unfiled.push_back(w.result);
    if (unfiled.empty())
        return;
    QString aside;
    if (pendingFile.Add(unfiled, nullptr, &aside))
        for (Waiting& w : pending)
            w.filed = w.filed || w.result.IsValid();
    if (!aside.isEmpty())
        file.NoteSetAside(aside);
}

int Records::Write()
{
    int rc = file.Exec("BEGIN IMMEDIATE");
    if (rc != SQLITE_OK)
        return rc;
    // Under the write lock, the name still leads to the file this
    // connection has open, or another window has set it aside meanwhile and
    // a win written now would go with it.
    if (!file.StillOurs()) {
        file.Rollback();
        file.Close();
        return kFileChanged;
    }
    SqlStatement wins(file.Db(), records_rows::kInsertWin), unread(file.Db(), records_rows::kInsertUnread);
    for (const Waiting& w : pending) {
        const GameResult& r = w.result;
        // A win in the pending file may be in the database already: another
        // window took it in, or a game ended between writing it and taking
        // it out of the file.
        if (w.filed && r.IsValid()) {
            if (records_rows::Holds(file.Db(), r, &rc))
                continue;
            if (rc != SQLITE_DONE) {
                file.Rollback();
                return rc;
            }
        }
        // A result this version cannot count is kept all the same, as the
        // JSON it is exported as.
        rc = r.IsValid() ? records_rows::InsertWin(wins, r)
                         : records_rows::InsertUnread(unread, CompactJson(ResultToJson(r)));
        if (rc != SQLITE_DONE) {
            file.Rollback();
            return rc;
        }
    }
    if ((rc = file.Exec("COMMIT")) != SQLITE_OK)
        file.Rollback();
    return rc;
}

bool Records::Flush(Failure* failure)
{
    if (file.Mode() == Access::ReadOnly)
        return pending.empty() || Fail(failure, SQLITE_READONLY);
    for (int attempt = 0; attempt < 3 && !pending.empty(); ++attempt) {
        if (!EnsureOpen(failure) && !file.IsOpen()) {
            FilePending();
            return false;
        }
        const int rc = Write();
        if (rc == SQLITE_OK) {
            std::vector<GameResult> filed;
            for (const Waiting& w : pending)
                if (w.filed)
                    filed.push_back(w.result);
            pending.clear();
            QString aside;
            if (!filed.empty())
                pendingFile.Remove(filed, &aside);
            if (!aside.isEmpty())
                file.NoteSetAside(aside);
            return true;
        }
        if (rc == kFileChanged)
            continue; // the file changed under the name: open the new one
        if (IsDamage(rc)) {
            file.Noticed(rc);
            continue;
        }
        Fail(failure, rc);
        // A connection that found the file read-only stays so; the next try
        // opens it afresh, once the player has made room or given rights.
        if ((rc & 0xff) != SQLITE_BUSY)
            file.Close();
        FilePending();
        return false;
    }
    if (pending.empty())
        return true;
    FilePending();
    return Fail(failure, tr("The file kept changing while the game wrote to it."));
}

bool Records::Add(const GameResult& result, Failure* failure)
{
    pending.push_back(Waiting{result});
    return Written(Flush(failure), failure);
}

bool Records::Written(bool flushed, Failure* failure) const
{
    if (!flushed && failure)
        failure->onlyInMemory = AtRisk() > 0;
    return flushed;
}

bool Records::AddFiled(const GameResult& result, bool filed, const QString& setAside, Failure* failure)
{
    if (!setAside.isEmpty())
        file.NoteSetAside(setAside);
    // Read in from the pending file already (the records opened meanwhile)
    // it waits once, not twice.
    const auto same = std::find_if(pending.begin(), pending.end(),
                                   [&](const Waiting& w) { return PendingWins::SameWin(w.result, result); });
    if (same == pending.end())
        pending.push_back(Waiting{result, filed});
    else
        same->filed = same->filed || filed;
    return Written(Flush(failure), failure);
}

bool Records::AddAll(std::vector<GameResult> results, Failure* failure)
{
    for (GameResult& r : results)
        pending.push_back(Waiting{std::move(r)});
    return Flush(failure);
}

bool Records::Clear(QString* error)
{
    if (file.Mode() == Access::ReadOnly) {
        if (error)
            *error = file.FailureOf(SQLITE_READONLY).reason;
        return false;
    }
    pending.clear();
    progressKept.clear();
    soundKept.clear();
    if (QFileInfo::exists(Path()))
        EnsureOpen(nullptr);
    const QFileInfo info(Path());
    if (info.exists() || info.isSymLink()) {
        // Held exclusively, so that no other window is part way through a
        // write to the file when it goes.
        if (file.StillOurs()) {
            const int rc = file.Exec("BEGIN EXCLUSIVE");
            if (rc != SQLITE_OK) {
                if (error)
                    *error = file.FailureOf(rc).reason;
                return false;
            }
        }
        if (!file.SetAside(QStringLiteral("cleared"), error)) {
            file.Rollback();
            return false;
        }
    }
    file.Close();
    // What was not in the database yet goes with it.
    for (const QString& other : {jsonPath, pendingFile.Path()}) {
        const QFileInfo kept(other);
        if ((kept.exists() || kept.isSymLink()) && file.SetAsideOther(other, QStringLiteral("cleared"), error).isEmpty())
            return false;
    }
    return true;
}

template <typename T, typename Read>
T Records::Reading(T fallback, Read read)
{
    if (!EnsureOpen(nullptr) && !file.IsOpen())
        return fallback;
    int rc = SQLITE_DONE;
    T out = read(file.Db(), &rc);
    if (IsDamage(rc)) {
        file.Noticed(rc);
        return fallback;
    }
    return out;
}

bool Records::IsNewBest(const GameResult& result)
{
    if (!result.IsValid() || result.assisted > 0 || result.race)
        return false;
    const std::optional<GameResult> best =
        Reading(std::optional<GameResult>(), [&](sqlite3* db, int* rc) {
            return records_stats::Best(db, result.size, result.style, rc, &result);
        });
    return records_stats::IsNewBest(result, best, WaitingResults());
}

Records::Summary Records::Summarize(GridSize size, Style style)
{
    return Reading(Summary(), [&](sqlite3* db, int* rc) {
        Summary s = records_stats::Summarize(db, size, style, rc);
        if (*rc != SQLITE_ROW && *rc != SQLITE_DONE)
            return s;
        if (const std::optional<std::int64_t> sound = SoundWins(db, size, style, rc))
            s.won = int(std::clamp<std::int64_t>(*sound, 0, INT32_MAX));
        return s;
    });
}

void Records::PrepareSummary(GridSize size, Style style)
{
    Reading(std::optional<std::int64_t>(), [&](sqlite3* db, int* rc) { return SoundWins(db, size, style, rc); });
}

std::optional<std::int64_t> Records::SoundWins(sqlite3* db, GridSize size, Style style, int* rc)
{
    // The kinds table counts every row written, and one changed by hand or
    // damaged since is no win: the rows themselves are counted, once, and
    // then only those kept since, as the charts read them.
    const records_rows::ProgressMark now = records_rows::MarkOf(db, size, style, rc);
    if (*rc != SQLITE_ROW)
        return std::nullopt;
    const auto kept = std::find_if(soundKept.begin(), soundKept.end(), [&](const SoundKept& k) {
        return k.size == size && k.style == style && k.connection == file.Connections();
    });
    SoundKept entry;
    if (kept != soundKept.end()) {
        entry = *kept;
        soundKept.erase(kept);
    }
    const bool known = entry.size.IsValid();
    if (!known || now.won != entry.mark.won || now.lastId < entry.mark.lastId) {
        std::int64_t rows = 0;
        std::int64_t added = 0;
        const bool grew = known && now.won > entry.mark.won && now.lastId > entry.mark.lastId;
        if (grew)
            added = records_rows::CountSound(db, size, style, entry.mark.lastId, now.lastId, &rows, rc);
        if (grew && *rc == SQLITE_DONE && rows == now.won - entry.mark.won) {
            entry.sound += added;
        } else {
            entry.sound = records_rows::CountSound(db, size, style, 0, now.lastId, &rows, rc);
        }
        if (*rc != SQLITE_DONE)
            return std::nullopt;
        entry.size = size;
        entry.style = style;
        entry.connection = file.Connections();
    }
    entry.mark = now;
    soundKept.push_back(entry);
    if (soundKept.size() > kSoundKept)
        soundKept.erase(soundKept.begin());
    return entry.sound;
}

std::vector<KeptWin> Records::Page(GridSize size, Style style, Order order, int offset, int limit)
{
    return Reading(std::vector<KeptWin>(), [&](sqlite3* db, int* rc) {
        return limit > 0 ? records_rows::Page(db, size, style, order, offset, limit, rc) : std::vector<KeptWin>();
    });
}

std::vector<GridSize> Records::SizesPlayed()
{
    return Reading(std::vector<GridSize>(), [](sqlite3* db, int* rc) { return records_rows::SizesPlayed(db, rc); });
}

Records::ProgressKept* Records::KeptProgress(sqlite3* db, GridSize size, Style style, int* rc)
{
    QElapsedTimer clock;
    clock.start();
    const records_rows::ProgressMark now = records_rows::MarkOf(db, size, style, rc);
    if (*rc != SQLITE_ROW)
        return nullptr;
    const auto kept = std::find_if(progressKept.begin(), progressKept.end(), [&](const ProgressKept& k) {
        return k.size == size && k.style == style && k.connection == file.Connections();
    });
    ProgressKept entry;
    if (kept != progressKept.end()) {
        entry = std::move(*kept);
        progressKept.erase(kept);
    }
    const bool known = entry.size.IsValid();
    if (known && now.won == entry.mark.won && now.lastId >= entry.mark.lastId) {
        // Wins of other kinds only, if any: these are as they were.
        entry.mark = now;
    } else {
        // Of the wins kept since, only those; they usually go last. Should
        // the figures not add up (the file is another), every win.
        std::int64_t rows = 0;
        std::vector<ProgressWin> added;
        const bool grew = known && now.won > entry.mark.won && now.lastId > entry.mark.lastId;
        if (grew)
            added = records_rows::Progress(db, size, style, entry.mark.lastId, now.lastId, &rows, rc);
        if (grew && *rc == SQLITE_DONE && rows == now.won - entry.mark.won) {
            const auto older = [](const ProgressWin& a, const ProgressWin& b) {
                return a.finished != b.finished ? a.finished < b.finished : a.id < b.id;
            };
            const std::size_t before = entry.wins.size();
            entry.wins.insert(entry.wins.end(), added.begin(), added.end());
            std::inplace_merge(entry.wins.begin(), entry.wins.begin() + std::ptrdiff_t(before), entry.wins.end(),
                               older);
        } else {
            entry.wins = records_rows::Progress(db, size, style, 0, now.lastId, &rows, rc);
            ++wholeReads;
        }
        if (*rc != SQLITE_DONE)
            return nullptr;
        entry.size = size;
        entry.style = style;
        entry.connection = file.Connections();
        entry.mark = now;
        entry.series.reset();
        entry.queryMs = double(clock.nsecsElapsed()) / 1e6;
    }
    progressKept.push_back(std::move(entry));
    if (progressKept.size() > kProgressKept)
        progressKept.erase(progressKept.begin());
    return &progressKept.back();
}

std::vector<ProgressWin> Records::Progress(GridSize size, Style style)
{
    return Reading(std::vector<ProgressWin>(), [&](sqlite3* db, int* rc) {
        const ProgressKept* kept = KeptProgress(db, size, style, rc);
        return kept ? kept->wins : std::vector<ProgressWin>();
    });
}

std::shared_ptr<const ProgressSeries> Records::ProgressOf(GridSize size, Style style,
                                                          const QDate& today, const QTimeZone& zone,
                                                          Qt::DayOfWeek weekStart)
{
    return Reading(std::shared_ptr<const ProgressSeries>(), [&](sqlite3* db, int* rc) {
        ProgressKept* kept = KeptProgress(db, size, style, rc);
        if (!kept)
            return std::shared_ptr<const ProgressSeries>();
        if (!kept->series || kept->today != today || kept->zone != zone || kept->weekStart != weekStart) {
            auto series = std::make_shared<ProgressSeries>(MakeProgress(size, style, kept->wins, today, zone, weekStart));
            series->queryMs = kept->queryMs;
            kept->series = std::move(series);
            kept->today = today;
            kept->zone = zone;
            kept->weekStart = weekStart;
        }
        return kept->series;
    });
}

void Records::PrepareProgress(GridSize size, Style style)
{
    const auto kept = std::find_if(progressKept.begin(), progressKept.end(), [&](const ProgressKept& k) {
        return k.size == size && k.style == style && k.series;
    });
    if (kept == progressKept.end()) {
        ProgressOf(size, style, QDate::currentDate(), QTimeZone::systemTimeZone(), QLocale().firstDayOfWeek());
        return;
    }
    // Copied: the entry moves as it is brought up to date.
    const QDate today = kept->today;
    const QTimeZone zone = kept->zone;
    ProgressOf(size, style, today, zone, kept->weekStart);
}

std::vector<QDate> Records::DailyDaysBack(const QDate& today)
{
    return Reading(std::vector<QDate>(), [&](sqlite3* db, int* rc) {
        return records_stats::DailyDaysBack(db, today, rc);
    });
}

std::vector<KeptWin> Records::DailyPage(int offset, int limit)
{
    return Reading(std::vector<KeptWin>(), [&](sqlite3* db, int* rc) {
        return limit > 0 ? records_rows::DailyPage(db, offset, limit, rc) : std::vector<KeptWin>();
    });
}

std::vector<KeptWin> Records::Latest(int offset, int limit)
{
    return Reading(std::vector<KeptWin>(), [&](sqlite3* db, int* rc) {
        return limit > 0 ? records_rows::Latest(db, offset, limit, rc) : std::vector<KeptWin>();
    });
}

std::optional<GameResult> Records::Win(std::int64_t id)
{
    return Reading(std::optional<GameResult>(), [&](sqlite3* db, int* rc) { return records_rows::Win(db, id, rc); });
}

std::optional<Records::RaceableWin> Records::BestToRace(GridSize size, Style style)
{
    std::int64_t id = 0;
    const std::optional<GameResult> best = Reading(std::optional<GameResult>(), [&](sqlite3* db, int* rc) {
        return records_stats::Best(db, size, style, rc, nullptr, &id);
    });
    if (!best)
        return std::nullopt;
    std::optional<GameResult> whole = Win(id);
    if (!whole || !whole->CanBeRaced())
        return std::nullopt;
    return RaceableWin{id, std::move(*whole)};
}

std::int64_t Records::CountAll()
{
    return Reading(std::int64_t(0), [](sqlite3* db, int* rc) { return records_rows::CountAll(db, rc); }) +
           std::int64_t(pending.size());
}

Records::Format Records::FormatOf(const QString& file)
{
    return file.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ? Format::Csv : Format::Json;
}

bool Records::Export(QIODevice& out, QString* error, Format format)
{
    // Records never made are an empty export, not a new file.
    const bool any = file.Mode() == Access::ReadOnly || QFileInfo::exists(Path()) || QFileInfo::exists(jsonPath) ||
                     file.IsOpen();
    Failure failure;
    if (any && !EnsureOpen(&failure) && !file.IsOpen()) {
        if (error)
            *error = QStringLiteral("\"%1\": %2").arg(failure.file, failure.reason);
        return false;
    }
    int rc = SQLITE_DONE;
    const bool written = format == Format::Csv ? records_csv::Export(file.Db(), WaitingResults(), out, &rc)
                                               : records_json::Export(file.Db(), WaitingResults(), out, &rc);
    if (!written) {
        if (error)
            *error = out.errorString();
        return false;
    }
    if (file.IsOpen() && rc != SQLITE_DONE) {
        const Failure why = file.FailureOf(rc);
        file.Noticed(rc);
        if (error)
            *error = QStringLiteral("\"%1\": %2").arg(why.file, why.reason);
        return false;
    }
    return true;
}

bool Records::ExportTo(const QString& to, QString* error, Format format)
{
    if (to.isEmpty()) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly)) {
            if (error)
                *error = out.errorString();
            return false;
        }
        const bool exported = Export(out, error, format);
        if (!out.flush()) {
            if (error)
                *error = out.errorString();
            return false;
        }
        return exported;
    }
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly)) {
        if (error)
            *error = out.errorString();
        return false;
    }
    if (!Export(out, error, format)) {
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
