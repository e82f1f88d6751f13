#pragma once

#include "model/game_change.h"
#include "model/replay.h"
#include "pictures/board_bitmap.h"

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

namespace tesselo {

// Plays a solve back in real time on a board of its own: a steady timer
// asks the replay which moves are due, makes them on the replay's grid and
// announces each as a move made, as the game announces its own, so the
// board shows them gliding. Owns the picture the replay is shown with, so
// that a kept solve can show its own picture without touching the game's.
class ReplayPlayer : public QObject {
    Q_OBJECT
public:
    // The timer looks for a due move this often; the board's glides keep
    // their own pace.
    static constexpr int kFrameInterval = 16;

    ReplayPlayer();
    // Starts `replay` with `picturePath` (empty: the game's picture, given
    // to Prepare), as played in a style whose moves sound or not.
    void Start(Replay replay, const QString& picturePath, bool strategyStyle);
    void Stop();
    bool IsRunning() const { return running; }
    // Whether the solve was played in a style whose moves sound.
    bool StrategyStyle() const { return strategyStyle; }

    // Makes the replay's picture at the board's size: its own file, decoded
    // no finer than the board needs, or the picture the game shows when it
    // has none or it no longer loads. Stop releases it.
    void Prepare(const BoardBitmap& gameBoard, int width, int height, qreal ratio);
    // Makes the moves due `ms` after the start. The timer calls it with the
    // time gone by; tests call it directly.
    void ShowMoment(std::int64_t ms);

    const TileGrid& Grid() const { return grid; }
    std::size_t MovesDone() const { return done; }
    // The replay's picture, showing its own grid.
    BoardBitmap board;

signals:
    // A move of the replay's board.
    void Changed(const tesselo::GameChange& change);
    void Finished();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    Replay replay;
    TileGrid grid;
    std::size_t done = 0;
    QString picturePath;
    bool strategyStyle = false;
    bool running = false;
    QBasicTimer timer;
    QElapsedTimer clock;
};

} // namespace tesselo
