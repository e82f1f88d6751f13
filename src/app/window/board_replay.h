#pragma once

#include "app/window/replay_player.h"
#include "model/history.h"
#include "records/records.h"

#include <QObject>
#include <QString>

#include <vector>

namespace tesselo {

class CPuzzleImage;
class Game;
class GamePicture;

// A solve played back in the game's place. While it runs the game waits:
// its stopwatch stands, its clock is silent and no input reaches it; the
// board control shows the replay's own board and picture, its moves
// gliding as the game's do.
class BoardReplay : public QObject {
    Q_OBJECT
public:
    BoardReplay(Game& game, const GamePicture& picture, CPuzzleImage& board);

    // The solve from `start`, shown with the picture at `picturePath`
    // (empty: the game's own), as played in a style whose moves sound or not.
    void Start(const TileGrid& start, const std::vector<HistoryStep>& steps, const QString& picturePath,
               bool strategyStyle);
    // The last game won, as it was played.
    void StartLastSolve();
    // A kept win, with its own picture when the folder still holds it.
    void StartKept(const GameResult& won);
    void Stop();
    bool IsRunning() const { return player.IsRunning(); }
    // The board changed size: the replay's picture is made again for it.
    void Resize();

    ReplayPlayer player;

private:
    void OnFinished();

    Game& game;
    const GamePicture& picture;
    CPuzzleImage& board;
};

} // namespace tesselo
