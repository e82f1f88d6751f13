#pragma once

#include "model/game_result.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QIODevice;
struct sqlite3;

namespace tesselo {

class SqlStatement;

// Every won game, kept in the SQLite database "tesselo-records.sqlite"
// beside the saved game: the player's only copy of their history of wins.
//
// - A win is one transaction, whose cost does not grow with the wins kept:
//   a row, its indexes, and the count of its level and style in a small
//   table. Other windows of the game in the same folder write to the same
//   file; SQLite's locks and a busy timeout take turns between them.
// - A win that cannot be written stays in memory, is retried with the next
//   win or at Flush (the window calls it when it closes), and the failure
//   says which file and why, in words meant for the player.
// - A file under the name that is not a database of this game (its
//   application id), was changed by hand or is damaged (PRAGMA quick_check)
//   is set aside under a new name, its journal with it, and a new one
//   begun; nothing is deleted or written over.
// - The JSON file of earlier versions is imported once, whole, and then
//   renamed "tesselo-records.json.imported". Results this version cannot
//   count and fields it does not know are kept, and the export gives them
//   back.
// - The window reads by query: the summaries of a level and style and one
//   page of wins at a time, never the whole table.
class Records {
    Q_DECLARE_TR_FUNCTIONS(tesselo::Records)
public:
    static constexpr const char* kFileName = "tesselo-records.sqlite";
    static constexpr const char* kJsonFileName = "tesselo-records.json";
    static constexpr int kJsonVersion = 1;
    // "TSLR" in the database header: a stray SQLite file under our name is
    // never taken for ours.
    static constexpr std::int32_t kApplicationId = 0x54534c52;
    // Changes with every change of the schema. A file of a later version is
    // left as it is: this version neither reads it nor writes to it.
    // 2: an index of the daily puzzles won. A file of an earlier version
    // is brought up to date when it is opened.
    static constexpr int kSchemaVersion = 2;
    // The JSON files of earlier versions grew without a bound; anything
    // beyond this is not one.
    static constexpr qint64 kMaxJsonSize = 1024LL * 1024 * 1024;
    // Another window's write takes milliseconds; waiting longer than this
    // means something holds the file, and the win waits in memory instead.
    static constexpr int kBusyTimeoutMs = 3000;

    // A write the records could not make.
    struct Failure {
        QString file;   // the records file, as the game names it
        QString reason; // why, for the player
        // The whole message for the player, when a win could not be kept.
        QString Message() const;
    };

    explicit Records(QString path = QString::fromLatin1(kFileName),
                     QString jsonPath = QString::fromLatin1(kJsonFileName));
    ~Records();
    Records(const Records&) = delete;
    Records& operator=(const Records&) = delete;

    // Opens the database, making it when there is none, setting aside a
    // file that is not one of ours, and importing the JSON file of earlier
    // versions. Every other call opens it as needed, and opens it again when
    // the file under the name has changed (another window cleared the
    // records). False when the records cannot be read or written, with the
    // reason.
    bool Open(Failure* failure = nullptr);

    // Keeps a win: written at once, with any wins still in memory. False
    // when it could not be written; it stays in memory, for the next win
    // or Flush.
    bool Add(const GameResult& result, Failure* failure = nullptr);
    // Many wins in one transaction.
    bool AddAll(std::vector<GameResult> results, Failure* failure = nullptr);
    // Writes the wins still in memory. True when none is left.
    bool Flush(Failure* failure = nullptr);
    std::size_t Unwritten() const { return pending.size(); }

    // Sets the database aside as ".cleared" (and a JSON file not imported
    // yet) and begins an empty record; wins still in memory go too.
    bool Clear(QString* error = nullptr);
    // Every file this object has set aside, in order.
    const QStringList& FilesSetAside() const { return setAside; }

    // Whether `result` would be a new best for its level and style: a sound
    // win without help that beats every other such win.
    bool IsNewBest(const GameResult& result);

    struct Summary {
        std::optional<GameResult> best; // without its replay
        int won = 0;                     // every win, helped or not
        // Averages of the last 5 and 12 wins without help, with the best and
        // the worst of them left out, as speed-solvers count them; empty
        // with fewer wins.
        std::optional<double> averageOf5;
        std::optional<double> averageOf12;
    };
    Summary Summarize(const QString& level, const QString& style);

    // One row of the list of wins: the result without its replay.
    struct KeptWin {
        std::int64_t id = 0;
        GameResult result;
        bool replayable = false;
    };
    enum class Order { BestFirst, NewestFirst };
    // Wins of one level and style, `limit` from `offset` on. Best first puts
    // the wins without help first, fewest moves or least time ahead.
    std::vector<KeptWin> Page(const QString& level, const QString& style, Order order, int offset, int limit);
    // The days that name daily puzzles won, each once, newest first: from
    // the newest up to `today` back to the first day missed. That is all
    // the current streak needs, and nothing further is read, so that years
    // of daily wins cost nothing.
    std::vector<QDate> DailyDaysBack(const QDate& today);
    // A page of the daily puzzles won, of every level and style, the
    // newest puzzle first.
    std::vector<KeptWin> DailyPage(int offset, int limit);
    // The win kept under `id` with its replay, when it has one that fits.
    std::optional<GameResult> Win(std::int64_t id);
    // Every result kept, counted row by row: for tests and checks, not for
    // the window.
    std::int64_t CountAll();

    // Writes every kept result as the JSON records file of earlier versions
    // did ({"version":1,"results":[...]}, the newer fields as keys), with the
    // results and fields this version does not know as they were imported.
    bool Export(QIODevice& out, QString* error = nullptr);
    // The same into `file`, replaced whole once complete; standard output
    // when `file` is empty.
    bool ExportTo(const QString& file, QString* error = nullptr);

    static QString LevelOf(std::int32_t rows, std::int32_t columns);
    const QString& Path() const { return path; }
    // How long a write waits for another window before it gives up.
    void SetBusyTimeout(int milliseconds);

private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    enum class Check { Fine, NotOurs, Newer, Failed };

    bool EnsureOpen(Failure* failure);
    bool OpenFile(Failure* failure);
    Check TryOpen(int* rc);
    // Begins a write transaction and reads the one number `query` gives,
    // under its lock; on failure nothing is left begun.
    bool BeginWith(const char* query, std::int64_t* value, int* rc);
    bool CreateSchema(int* rc);
    bool Upgrade(int* rc);
    bool StillOurs() const;
    bool SetAsideFiles(const QString& why, QString* error);
    bool ImportJson(Failure* failure);
    int Write(const std::vector<GameResult>& results);
    // Binds and runs the insert statements, prepared once for many rows.
    // `startJson` and `stepsJson` are the replay as a file held it; empty,
    // they are written from the result.
    int Insert(SqlStatement& q, const GameResult& result, const QJsonObject& unknown, const QByteArray& startJson,
               const QByteArray& stepsJson);
    int InsertUnread(SqlStatement& q, const QByteArray& json);
    int Exec(const char* sql);
    void Rollback();
    // After a statement failed: a damaged file is set aside.
    void Noticed(int rc);
    bool Fail(Failure* failure, int rc);
    bool Fail(Failure* failure, const QString& reason);
    std::optional<GameResult> Best(const QString& level, const QString& style);

    QString path;
    QString jsonPath;
    std::unique_ptr<sqlite3, Closer> db;
    std::uint64_t openedDevice = 0;
    std::uint64_t openedInode = 0;
    int busyTimeout = kBusyTimeoutMs;
    std::vector<GameResult> pending; // added but not yet written
    QStringList setAside;
};

} // namespace tesselo
