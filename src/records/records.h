#pragma once

#include "model/game_result.h"
#include "records/progress_series.h"
#include "records/records_csv.h"
#include "records/records_file.h"
#include "records/records_json.h"
#include "records/records_pending.h"
#include "records/records_rows.h"
#include "records/records_schema.h"
#include "records/records_stats.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QIODevice;

namespace tesselo {

// Every won game, kept in the SQLite database "tesselo-records.sqlite"
// beside the saved game: the player's only copy of their history of wins.
//
// - A win is one transaction, whose cost does not grow with the wins kept:
//   a row, its indexes, and the count of its size and style in a small
//   table. Other windows of the game in the same folder write to the same
//   file; SQLite's locks and a busy timeout take turns between them.
// - A win that cannot be written is kept at once in the pending file beside
//   the records (records_pending.h), and in memory; it is tried again with
//   the next win, at Flush (the window calls it when it closes and on a
//   signal) and when the records are next opened, and taken out of the
//   pending file once it is in the database. The failure says which file
//   and why, in words meant for the player.
// - A file under the name that is not a database of this game (its
//   application id), was changed by hand or is damaged (PRAGMA quick_check)
//   is set aside under a new name, its journal with it, and a new one
//   begun; nothing is deleted or written over (records_file.h).
// - The JSON file of earlier versions is imported once, whole, and then
//   renamed "tesselo-records.json.imported". Results this version cannot
//   count and fields it does not know are kept, and the export gives them
//   back (records_json.h).
// - The window reads by query: the summaries of a size and style and one
//   page of wins at a time, never the whole table (records_stats.h,
//   records_rows.h). Reads change nothing, but for a file they find
//   damaged, which is set aside.
// - Opened only to be read (Access::ReadOnly), nothing in the folder
//   changes: what is there is read as it stands, the JSON file not yet
//   imported and the pending wins included.
//
// Not thread-safe: one thread at a time (RecordsKeeper hands it between the
// window and its worker).
class Records {
    Q_DECLARE_TR_FUNCTIONS(tesselo::Records)
public:
    static constexpr const char* kFileName = "tesselo-records.sqlite";
    static constexpr const char* kJsonFileName = "tesselo-records.json";
    static constexpr int kJsonVersion = records_json::kVersion;
    static constexpr std::int32_t kApplicationId = records_schema::kApplicationId;
    static constexpr int kSchemaVersion = records_schema::kVersion;
    static constexpr qint64 kMaxJsonSize = records_json::kMaxSize;
    static constexpr int kBusyTimeoutMs = RecordsFile::kBusyTimeoutMs;

    using Failure = RecordsFailure;
    using Access = RecordsFile::Access;
    using Summary = RecordsSummary;
    using KeptWin = tesselo::KeptWin;
    using ProgressWin = tesselo::ProgressWin;
    using Order = WinOrder;
    using ImportProgress = records_json::Progress;

    explicit Records(QString path = QString::fromLatin1(kFileName),
                     QString jsonPath = QString::fromLatin1(kJsonFileName));
    // The records of the folder, only to be read.
    explicit Records(Access access, QString path = QString::fromLatin1(kFileName),
                     QString jsonPath = QString::fromLatin1(kJsonFileName));
    ~Records();
    Records(const Records&) = delete;
    Records& operator=(const Records&) = delete;

    // Opens the database, making it when there is none, setting aside a
    // file that is not one of ours, importing the JSON file of earlier
    // versions, and writing the wins the pending file holds. Every other
    // call opens the database as needed, and opens it again when the file
    // under the name has changed (another window cleared the records).
    // False when the records cannot be read or written, with the reason.
    bool Open(Failure* failure = nullptr);
    // Told how the import of the JSON file of earlier versions goes.
    void SetImportProgress(ImportProgress progress) { importProgress = std::move(progress); }

    // Keeps a win: written at once, with any wins still waiting. False
    // when it could not be written; it waits, for the next win or Flush.
    bool Add(const GameResult& result, Failure* failure = nullptr);
    // The same for a win already put in the pending file (`filed`; the file
    // set aside on the way, if one was, is `setAside`): it is taken out of
    // it once written.
    bool AddFiled(const GameResult& result, bool filed, const QString& setAside, Failure* failure = nullptr);
    // Many wins in one transaction.
    bool AddAll(std::vector<GameResult> results, Failure* failure = nullptr);
    // Writes the wins still waiting. True when none is left.
    bool Flush(Failure* failure = nullptr);
    // Wins not in the database yet.
    std::size_t Unwritten() const { return pending.size(); }
    // Of those, the wins the pending file could not take either: kept in
    // memory only, and lost with the program.
    std::size_t AtRisk() const;

    // Sets the database aside as ".cleared" (and a JSON file not imported
    // yet, and the pending file) and begins an empty record; wins still
    // waiting go too.
    bool Clear(QString* error = nullptr);
    // Every file this object has set aside, in order.
    const QStringList& FilesSetAside() const { return file.FilesSetAside(); }

    // Whether `result` would be a new best for its size and style: a sound
    // win without help that beats every other such win.
    bool IsNewBest(const GameResult& result);
    // The wins counted are the sound ones (records_rows::IsSound), counted
    // once a kind and then only among the wins kept since.
    Summary Summarize(GridSize size, Style style);
    // Counts the sound wins of a kind ahead of a look at them (on the
    // records' thread, once they are open and after each win).
    void PrepareSummary(GridSize size, Style style);
    // Wins of one size and style, `limit` from `offset` on.
    std::vector<KeptWin> Page(GridSize size, Style style, Order order, int offset, int limit);
    // Every grid size won at, the most recently won first.
    std::vector<GridSize> SizesPlayed();
    // Every win of one size and style, oldest first, for the charts
    // (records_rows.h). The wins of the last few kinds read are kept in
    // memory: while the records hold the same wins, they are not read
    // again, and of the wins kept since, only those are read.
    std::vector<ProgressWin> Progress(GridSize size, Style style);
    // The charts' figures of a kind (progress_series.h), days counted in
    // `zone` up to `today`: worked out again only when its wins or the day
    // changed.
    std::shared_ptr<const ProgressSeries> ProgressOf(GridSize size, Style style, const QDate& today,
                                                     const QTimeZone& zone, Qt::DayOfWeek weekStart);
    // Works out the figures of a kind ahead of a look at them (on the
    // charts' thread, once the records are open and after each win of the
    // kind): for the day they were last worked out for, or today where the
    // player is.
    void PrepareProgress(GridSize size, Style style);
    // How many times every win of a kind was read from the file, rather
    // than only the wins kept since: for the tests and the benchmarks.
    int WholeReads() const { return wholeReads; }
    // The days of the current streak of daily puzzles (records_stats.h).
    std::vector<QDate> DailyDaysBack(const QDate& today);
    // A page of the daily puzzles won, of every size and style, the
    // newest puzzle first.
    std::vector<KeptWin> DailyPage(int offset, int limit);
    // A page of the wins of every size and style, the most recently won
    // first: the place of a win in it is how the command line names it.
    std::vector<KeptWin> Latest(int offset, int limit);
    // The win kept under `id` with its replay, when it has one that fits.
    std::optional<GameResult> Win(std::int64_t id);
    // The best of a kind (as Summarize shows it) with its id, when it was
    // kept with its moves and can be raced (GameResult::CanBeRaced).
    struct RaceableWin {
        std::int64_t id = 0;
        GameResult win;
    };
    std::optional<RaceableWin> BestToRace(GridSize size, Style style);
    // Every result kept, counted row by row: for tests and checks, not for
    // the window.
    std::int64_t CountAll();

    // The formats of an export: every kept result as the JSON records file
    // of earlier versions did (records_json.h), or every win as a row of
    // CSV (records_csv.h).
    enum class Format { Json, Csv };
    // CSV for a file name ending in ".csv" (in any case), else JSON.
    static Format FormatOf(const QString& file);
    bool Export(QIODevice& out, QString* error = nullptr, Format format = Format::Json);
    // The same into `file`, replaced whole once complete; standard output
    // when `file` is empty.
    bool ExportTo(const QString& file, QString* error = nullptr, Format format = Format::Json);

    const QString& Path() const { return file.Path(); }
    const QString& PendingPath() const { return pendingFile.Path(); }
    // How long a write waits for another window before it gives up.
    void SetBusyTimeout(int milliseconds);

private:
    struct Waiting {
        GameResult result;
        bool filed = false; // in the pending file too
    };

    bool EnsureOpen(Failure* failure);
    // `flushed`, and on failure whether the wins waiting are in memory only.
    bool Written(bool flushed, Failure* failure) const;
    // Read only: the records as they stand, once, with what is not in the
    // database yet folded into a copy of it in memory.
    bool OpenSnapshot(Failure* failure);
    bool ImportJson(Failure* failure);
    // Takes in the wins of the pending file that are not waiting here yet.
    void TakePending();
    // Keeps the waiting wins the pending file does not hold yet in it.
    void FilePending();
    int Write();
    bool Fail(Failure* failure, int rc);
    bool Fail(Failure* failure, const QString& reason);
    std::vector<GameResult> WaitingResults() const;
    // The one way every read goes: opens the file as needed (answering
    // `fallback` when it cannot be read), runs `read` on it, and sets the
    // file aside when the read found it damaged.
    template <typename T, typename Read>
    T Reading(T fallback, Read read);

    // The wins of a kind as last read for the charts, where the records
    // stood then, and the figures last worked out from them, for which day.
    struct ProgressKept {
        GridSize size; // none while the entry is new
        Style style = Style::Strategy;
        std::uint64_t connection = 0;
        records_rows::ProgressMark mark;
        std::vector<ProgressWin> wins;
        double queryMs = 0; // the last read
        std::shared_ptr<const ProgressSeries> series;
        QDate today;
        QTimeZone zone;
        Qt::DayOfWeek weekStart = Qt::Monday;
    };
    // The kind's entry brought up to date and made the latest, or none
    // when the records could not be read.
    ProgressKept* KeptProgress(sqlite3* db, GridSize size, Style style, int* rc);
    static constexpr std::size_t kProgressKept = 4;
    // The sound wins of a kind, counted where the records stood then.
    struct SoundKept {
        GridSize size;
        Style style = Style::Strategy;
        std::uint64_t connection = 0;
        records_rows::ProgressMark mark;
        std::int64_t sound = 0;
    };
    std::optional<std::int64_t> SoundWins(sqlite3* db, GridSize size, Style style, int* rc);
    static constexpr std::size_t kSoundKept = 16;
    std::vector<SoundKept> soundKept; // the latest last

    RecordsFile file;
    QString jsonPath;
    std::vector<ProgressKept> progressKept; // the latest last
    int wholeReads = 0;
    PendingWins pendingFile;
    std::vector<Waiting> pending;
    ImportProgress importProgress;
};

} // namespace tesselo
