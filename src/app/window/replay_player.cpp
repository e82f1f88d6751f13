#include "app/window/replay_player.h"

#include <QTimerEvent>

namespace tesselo {

ReplayPlayer::ReplayPlayer()
{
    board.grid = &grid;
}

void ReplayPlayer::Start(Replay solve, const QString& path, bool strategy)
{
    replay = std::move(solve);
    grid = replay.Start();
    done = 0;
    picturePath = path;
    strategyStyle = strategy;
    running = true;
    clock.start();
    timer.start(kFrameInterval, Qt::PreciseTimer, this);
}

void ReplayPlayer::Stop()
{
    if (!running)
        return;
    running = false;
    timer.stop();
    emit Finished();
    // A kept win's picture may be a large photo: it goes with its replay
    // rather than stay in memory until the game ends.
    board.Release();
    replay = Replay();
    picturePath.clear();
}

void ReplayPlayer::Prepare(const BoardBitmap& gameBoard, int width, int height, qreal ratio)
{
    // A board with no room (a window shorter than its bar) shows nothing
    // for now; the replay's own picture is made again once it has room.
    if (!picturePath.isEmpty() && (width <= 0 || height <= 0)) {
        board.picture = QImage();
        return;
    }
    if (picturePath.isEmpty() || !board.LoadScaled(picturePath, width, height, ratio)) {
        board.picture = gameBoard.picture;
        picturePath.clear();
    }
}

void ReplayPlayer::ShowMoment(std::int64_t ms)
{
    if (!running)
        return;
    for (const std::size_t due = replay.MovesDueAt(ms); done < due; ++done) {
        const HistoryStep& step = replay.Step(done);
        step.RedoOn(grid);
        emit Changed(MoveMade{step, MoveSource::Replay});
    }
    if (ms >= replay.Duration())
        Stop();
}

void ReplayPlayer::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == timer.timerId())
        ShowMoment(clock.elapsed());
}

} // namespace tesselo
