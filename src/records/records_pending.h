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
class PendingWins {
    Q_DECLARE_TR_FUNCTIONS(tesselo::Records)
public:
    static constexpr const char* kFileName = "tesselo-records-pending.json";

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

private:
    // Reads the file under the lock, lets `change` change its wins, and
    // writes them back.
    template <typename Change>
    bool Rewrite(Change change, QString* error, QString* setAside);

    QString path;
    int lockTimeout;
};

} // namespace tesselo
