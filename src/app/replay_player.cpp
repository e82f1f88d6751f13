#include "app/replay_player.h"

#include <QTimerEvent>

namespace tesselo {

void ReplayPlayer::Start(Replay solve, const QString& path, bool withCues)
{
    replay = std::move(solve);
    picturePath = path;
    cues = withCues;
    running = true;
    frame = replay.FrameAt(0, 1, 1);
    clock.start();
    timer.start(kFrameInterval, Qt::PreciseTimer, this);
    emit FrameChanged();
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
    const std::size_t before = frame.movesDone;
    const std::int32_t columns = std::max(frame.grid.columnCount, 1);
    const std::int32_t rows = std::max(frame.grid.rowCount, 1);
    // Offsets are board pixels, whatever the density of the screen.
    const QSize size = board.Size();
    frame = replay.FrameAt(ms, size.width() / columns, size.height() / rows);
    if (cues && frame.movesDone > before)
        emit MoveMade();
    emit FrameChanged();
    if (frame.over)
        Stop();
}

void ReplayPlayer::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == timer.timerId())
        ShowMoment(clock.elapsed());
}

} // namespace tesselo
