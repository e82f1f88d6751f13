#pragma once

#include "model/game_result.h"

#include <QCoreApplication>
#include <QString>

#include <vector>

namespace tesselo {

// Wins not in the records database yet, kept in a small file beside it
// ("tesselo-records-pending.json", in the format of the JSON records file)
// until they are: a win the database could not take (another program held
// it, the disk was full) outlives the game, a signal, a kill or a power cut,
// and goes in at the next chance.
//
// Every window of the game in the folder shares the file: each change reads
// it again under a lock file, adds or takes out only the wins it names, and
// replaces the file whole (WriteFileAtomically). A win is known by its kind,
// its figures and the millisecond it ended, so one written to the database
// by another window, or by a game that ended before it could take it out of
// the file, is recognised and never written twice.
//
// An earlier version sets the whole file aside for one result it cannot
// count, so the results of styles and grids it does not know wait in a file
// of their own beside it ("tesselo-records-pending-later.json"); the two
// read as one.
class PendingWins {
    Q_DECLARE_TR_FUNCTIONS(tesselo::Records)
public:
    static constexpr const char* kFileName = "tesselo-records-pending.json";
    static constexpr const char* kLaterFileName = "tesselo-records-pending-later.json";

    explicit PendingWins(QString path);
    // The pending file beside the records database at `recordsPath`.
    static QString Beside(const QString& recordsPath);
    const QString& Path() const { return path; }
    // How long a change waits for another window's.
    void SetLockTimeout(int milliseconds) { lockTimeout = milliseconds; }

    // The wins the file holds. A file that is there but is no file of wins
    // is set aside, its new name in `setAside`; without `setAside` it is
    // left as it is and read as none.
    std::vector<GameResult> Read(QString* setAside = nullptr) const;
    // Adds `wins` to the file. False, with the reason, when they could not
    // be kept in it.
    bool Add(const std::vector<GameResult>& wins, QString* error, QString* setAside);
    // Takes `wins` out of the file, and the file away once it holds none.
    bool Remove(const std::vector<GameResult>& wins, QString* setAside);

    static bool SameWin(const GameResult& a, const GameResult& b);
    // Whether versions before the styles "Fewest Moves" and "Blind" and the
    // grids over 16 can count the result: which of the two files it waits in.
    static bool EarlierVersionsCount(const GameResult& r);

private:
    // Reads the file at `file` under the lock, lets `change` change its
    // wins, and writes them back.
    template <typename Change>
    bool Rewrite(const QString& file, Change change, QString* error, QString* setAside);
    std::vector<GameResult> ReadFile(const QString& file, QString* setAside) const;

    QString path;
    QString laterPath;
    int lockTimeout;
};

} // namespace tesselo
