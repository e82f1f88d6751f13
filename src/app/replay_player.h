#pragma once

#include "pictures/board_bitmap.h"
#include "view/replay.h"

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

namespace tesselo {

// Plays a solve back on the board in real time: a steady timer asks the
// replay for the frame of the moment, and the board control paints it.
// Owns the picture the replay is shown with, so that a kept solve can show
// its own picture without touching the game's.
class ReplayPlayer : public QObject {
    Q_OBJECT
public:
    // About sixty frames a second: slides look smooth, and a frame costs
    // one board paint.
    static constexpr int kFrameInterval = 16;

    // Starts `replay` with `picturePath` (empty: the game's picture, given
    // to Prepare). `cues` asks for a move cue at each move.
    void Start(Replay replay, const QString& picturePath, bool cues);
    void Stop();
    bool IsRunning() const { return running; }

    // Makes the replay's picture at the board's size: its own file, decoded
    // no finer than the board needs, or the picture the game shows when it
    // has none or it no longer loads. Stop releases it.
    void Prepare(const BoardBitmap& gameBoard, int width, int height, qreal ratio);
    // Shows the moment `ms` after the start. The timer calls it with the
    // time gone by; tests call it directly.
    void ShowMoment(std::int64_t ms);

    const ReplayFrame& Frame() const { return frame; }
    BoardBitmap board;

signals:
    void FrameChanged();
    // A move of the solve was completed; in "Strategy" it sounds.
    void MoveMade();
    void Finished();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    Replay replay;
    ReplayFrame frame;
    QString picturePath;
    bool cues = false;
    bool running = false;
    QBasicTimer timer;
    QElapsedTimer clock;
};

} // namespace tesselo
