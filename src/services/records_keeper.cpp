#include "services/records_keeper.h"

#include "model/game.h"
#include "pictures/game_picture.h"

#include <QFileInfo>
#include <QPointer>

#include <future>
#include <memory>
#include <utility>

namespace tesselo {

RecordsKeeper::RecordsKeeper(QString path, QString jsonPath, QObject* parent)
    : QObject(parent), records(path, jsonPath), filer(PendingWins::Beside(path)),
      filingWorker(std::make_unique<QObject>()), worker(std::make_unique<QObject>()),
      charts(Records::Access::ReadOnly, std::move(path), std::move(jsonPath)),
      chartsWorker(std::make_unique<QObject>())
{
    filingThread.setObjectName(QStringLiteral("records-pending"));
    filingWorker->moveToThread(&filingThread);
    filingThread.start();
    thread.setObjectName(QStringLiteral("records"));
    worker->moveToThread(&thread);
    chartsThread.setObjectName(QStringLiteral("records-charts"));
    chartsWorker->moveToThread(&chartsThread);
    chartsThread.start();
    // Called on the worker; the count reaches the window between its events.
    records.SetImportProgress([this](int done, int total) {
        QMetaObject::invokeMethod(this, [this, done, total] { emit Importing(done, total); }, Qt::QueuedConnection);
    });
    thread.start();
    // Records there already are opened (and checked) now, off the window's
    // thread, rather than at the first look at them; wins an earlier game
    // could not write go in now, not at the next win.
    if (QFileInfo::exists(records.Path()) || QFileInfo::exists(records.PendingPath()))
        Open();
}

RecordsKeeper::~RecordsKeeper()
{
    closing = true;
    // Ended by a job of its own, so that every job handed over before it
    // runs first: no win is left behind in the queue. The records' thread
    // first, as it hands the charts' thread work.
    const auto quit = [] { QThread::currentThread()->quit(); };
    QMetaObject::invokeMethod(filingWorker.get(), quit, Qt::QueuedConnection);
    filingThread.wait();
    QMetaObject::invokeMethod(worker.get(), quit, Qt::QueuedConnection);
    thread.wait();
    QMetaObject::invokeMethod(chartsWorker.get(), quit, Qt::QueuedConnection);
    chartsThread.wait();
}

void RecordsKeeper::PostCharts(std::function<void()> job)
{
    ++chartsOutstanding;
    QMetaObject::invokeMethod(
        chartsWorker.get(),
        [this, job = std::move(job)] {
            job();
            --chartsOutstanding;
        },
        Qt::QueuedConnection);
}

void RecordsKeeper::ReadKindInPlayAhead()
{
    if (!opened || !followed)
        return;
    // Asked at every new position: a kind read already costs one indexed
    // look at its count, and one the charts let go of is read again. Its
    // sound wins are counted on the worker, for the window's summary.
    const GridSize size = followed->View().puzzle.grid.Size();
    const Style style = followed->View().style;
    PostCharts([this, size, style] {
        if (!closing)
            charts.PrepareProgress(size, style);
    });
    Post(
        [this, size, style] {
            records.PrepareSummary(size, style);
            return true;
        },
        [](bool) {});
}

template <typename Work, typename Done>
void RecordsKeeper::Post(Work work, Done done)
{
    ++outstanding;
    QMetaObject::invokeMethod(
        worker.get(),
        [this, work = std::move(work), done = std::move(done)]() mutable {
            auto answer = work();
            const Counts now = CountsNow();
            QMetaObject::invokeMethod(
                this,
                [this, answer = std::move(answer), done = std::move(done), now]() mutable {
                    --outstanding;
                    counts = now;
                    done(answer);
                    if (IsIdle())
                        emit Idle();
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void RecordsKeeper::Open()
{
    if (opening)
        return;
    opening = true;
    Post([this] { return records.Open(); },
         [this](bool) {
             opened = true;
             ReadKindInPlayAhead();
         });
}

void RecordsKeeper::Keep(const GameResult& won)
{
    Open();
    ++winsOutstanding;
    // Filed first, on a thread that never waits on the database; the worker
    // writes the win only once it is filed (or could not be), so that it is
    // taken out of the pending file after it went in, never before.
    struct Filed {
        bool filed = false;
        QString setAside;
    };
    auto filing = std::make_shared<std::promise<Filed>>();
    std::shared_future<Filed> filed = filing->get_future().share();
    QMetaObject::invokeMethod(
        filingWorker.get(),
        [this, won, filing] {
            Filed f;
            f.filed = won.IsValid() && filer.Add({won}, nullptr, &f.setAside);
            filing->set_value(f);
        },
        Qt::QueuedConnection);
    struct Kept {
        bool newBest = false;
        std::optional<Records::Failure> failure;
    };
    Post(
        [this, won, filed] {
            const Filed f = filed.get();
            Kept kept;
            kept.newBest = records.IsNewBest(won);
            Records::Failure failure;
            if (!records.AddFiled(won, f.filed, f.setAside, &failure)) {
                kept.failure = failure;
            } else {
                records.PrepareSummary(won.size, won.style);
                // The charts of the kind are ready for the next look at them.
                PostCharts([this, size = won.size, style = won.style] {
                    if (!closing)
                        charts.PrepareProgress(size, style);
                });
            }
            return kept;
        },
        [this, wonIn = game](const Kept& kept) {
            // Only the latest win's verdict is news, and only while its game
            // is on the board: a title would name a game left behind.
            if (--winsOutstanding == 0 && wonIn == game)
                emit WinKept(kept.newBest);
            if (kept.failure)
                emit WinNotKept(*kept.failure);
        });
}

void RecordsKeeper::Follow(const Game& played, const GamePicture* picture)
{
    followed = &played;
    followedPicture = picture;
    connect(&played, &Game::Changed, this, [this, &played](const GameChange& change) {
        // A "Blind" game that did not finish is kept too, as a DNF.
        if (const auto* state = std::get_if<StateChanged>(&change);
            state && (state->to == PlayState::Won || state->to == PlayState::DidNotFinish)) {
            Keep(played.ResultOfWin(followedPicture ? followedPicture->KeptName() : QString()));
        } else if (const auto* position = std::get_if<NewPosition>(&change)) {
            if (position->cause == PositionCause::NewGame || position->cause == PositionCause::Named)
                NewGameStarted();
            ReadKindInPlayAhead();
        } else if (std::holds_alternative<StyleChanged>(change)) {
            ReadKindInPlayAhead();
        }
    });
}

void RecordsKeeper::Read(std::function<void(Records&)> read, QObject* context, std::function<void()> done)
{
    PostCharts([this, read = std::move(read), context = QPointer<QObject>(context), done = std::move(done)] {
        read(charts);
        QMetaObject::invokeMethod(
            this,
            [context, done] {
                if (context)
                    done();
            },
            Qt::QueuedConnection);
    });
}

void RecordsKeeper::WaitForWorker()
{
    // Jobs run in turn: once this one has, every earlier one has.
    if (outstanding > 0)
        QMetaObject::invokeMethod(worker.get(), [] {}, Qt::BlockingQueuedConnection);
}

std::optional<RecordsKeeper::AtRiskWins> RecordsKeeper::Flush()
{
    std::optional<AtRiskWins> atRisk;
    const auto flush = [this, &atRisk] {
        Records::Failure failure;
        if (records.Unwritten() > 0 && !records.Flush(&failure) && records.AtRisk() > 0)
            atRisk = AtRiskWins{failure, records.AtRisk()};
    };
    // Idle, the worker is not touching the records; busy, it finishes what
    // it was given first.
    if (outstanding == 0)
        flush();
    else
        QMetaObject::invokeMethod(worker.get(), flush, Qt::BlockingQueuedConnection);
    return atRisk;
}

std::size_t RecordsKeeper::Unwritten() const
{
    return outstanding == 0 ? records.Unwritten() : counts.unwritten;
}

std::size_t RecordsKeeper::AtRisk() const
{
    return outstanding == 0 ? records.AtRisk() : counts.atRisk;
}

} // namespace tesselo
