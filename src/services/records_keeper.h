#pragma once

#include "records/records.h"

#include <QObject>
#include <QString>
#include <QThread>

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>

namespace tesselo {

class Game;
class GamePicture;

// The records of won games as the window uses them, kept off the window's
// thread. Opening the records (a check of the whole file, and once, after an
// upgrade, the import of the JSON file of earlier versions: seconds for
// tens of thousands of wins) and every win written run on a thread of the
// keeper's own, one job after another; the window is told by signals.
//
// - The records open at start when there are any (the file, or wins an
//   earlier game could not write in the pending file), else at the first
//   win or the first look at them.
// - A win is handed over the moment it is made. It goes at once into the
//   pending file beside the records, on a thread of its own, before any
//   wait on the database (another program's lock, an import), so that not
//   even a kill loses it; then it is written after whatever the worker is
//   doing, whether it is a new best is decided then, and it is taken out
//   of the pending file once the database has it (Records).
// - The window reads the records itself, but only while the worker has
//   nothing to do (IsIdle, then Idle): the Records window waits for it,
//   showing how the import goes. That window is modal, so no win comes
//   while it reads.
// - The charts, which read every win of a kind, read on a connection and a
//   thread of their own (Read), so that the window's reads never wait for
//   them. Once the records are open, the charts of the kind in play are
//   read there ahead of a look at them, and again after each win and each
//   change of the kind in play: the Records window opens on that kind, and
//   its Progress tab finds the wins read.
class RecordsKeeper : public QObject {
    Q_OBJECT
public:
    explicit RecordsKeeper(QString path = QString::fromLatin1(Records::kFileName),
                           QString jsonPath = QString::fromLatin1(Records::kJsonFileName), QObject* parent = nullptr);
    // Finishes every job handed over, then ends the thread.
    ~RecordsKeeper() override;
    RecordsKeeper(const RecordsKeeper&) = delete;
    RecordsKeeper& operator=(const RecordsKeeper&) = delete;

    // Opens the records, once.
    void Open();
    // Keeps a win; WinKept and, when it could not be written, WinNotKept
    // follow.
    void Keep(const GameResult& won);
    // A new game began: whether an earlier win is a new best is no longer
    // news, however late the answer comes.
    void NewGameStarted() { ++game; }
    // Follows the game's changes from its first position on: each win kept
    // the moment it is made, on the picture shown (none: the built-in one),
    // each new scramble or named game a new game begun.
    void Follow(const Game& played, const GamePicture* picture = nullptr);
    // Wins that only memory holds: lost when the program ends.
    struct AtRiskWins {
        Records::Failure failure; // why the records could not take them
        std::size_t count = 0;
    };
    // Waits for the worker, then writes the wins still waiting: at the
    // close and for a session that ends. Nothing when every win is in the
    // database or in the pending file.
    std::optional<AtRiskWins> Flush();
    // Wins not in the database yet, and of those the ones the pending file
    // could not take either; while the worker is busy, as of its last job.
    std::size_t Unwritten() const;
    std::size_t AtRisk() const;

    // Runs `read` with the charts' records (opened only to be read, on
    // their thread), then `done` on this thread, unless `context` is gone by
    // then: for reads too long for the window's thread (every win of a
    // kind). It reads the file as it stands then: read once this keeper is
    // idle, every win handed over before is in it.
    void Read(std::function<void(Records&)> read, QObject* context, std::function<void()> done);
    // Waits until the worker has done every job handed over: then this
    // thread may read the records, though the answers of those jobs are
    // still to come (a window reading while a read of its own is on the
    // worker).
    void WaitForWorker();

    // Whether the records are open and the worker has nothing to do: only
    // then may this thread read them.
    bool IsIdle() const { return opened && outstanding == 0; }
    // Whether neither the worker nor the charts' thread has anything to
    // do: for tests and benchmarks, which wait for the records to settle.
    bool IsSettled() const { return IsIdle() && chartsOutstanding == 0; }
    // The records, for this thread to read while idle.
    Records& Current() { return records; }

signals:
    // The import of the JSON file of earlier versions: `done` of `total`
    // results are in.
    void Importing(int done, int total);
    // The records are open and the worker has nothing more to do.
    void Idle();
    // The latest win handed over, in the game still on the board, is
    // written or waits, and whether it is a new best.
    void WinKept(bool newBest);
    // A win could not be written yet.
    void WinNotKept(const tesselo::Records::Failure& failure);

private:
    struct Counts {
        std::size_t unwritten = 0;
        std::size_t atRisk = 0;
    };
    // Runs `work` on the worker, then `done` with its answer here.
    template <typename Work, typename Done>
    void Post(Work work, Done done);
    Counts CountsNow() const { return Counts{records.Unwritten(), records.AtRisk()}; }
    // Hands a job to the charts' thread (from either thread).
    void PostCharts(std::function<void()> job);
    // Has the charts and the count of the kind in play read, once the
    // records are open.
    void ReadKindInPlayAhead();

    Records records;
    QThread thread;
    // The wins as they come, into the pending file: one small write each,
    // never waiting on the database.
    PendingWins filer;
    QThread filingThread;
    std::unique_ptr<QObject> filingWorker;
    std::unique_ptr<QObject> worker; // lives on the thread; jobs run in its context
    Records charts;                  // only read, on the charts' thread
    QThread chartsThread;
    std::unique_ptr<QObject> chartsWorker;
    std::atomic<bool> closing{false}; // charts read ahead are no longer wanted
    std::atomic<int> chartsOutstanding{0};
    const Game* followed = nullptr;
    const GamePicture* followedPicture = nullptr;
    bool opening = false;
    bool opened = false;
    int outstanding = 0; // jobs handed over whose answer has not come back
    int winsOutstanding = 0;
    int game = 0; // counts the games begun, to know a late answer
    Counts counts;
};

} // namespace tesselo
