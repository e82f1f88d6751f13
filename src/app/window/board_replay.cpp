#include "app/window/board_replay.h"

#include "model/game.h"
#include "pictures/game_picture.h"
#include "view/c_puzzle_image.h"

namespace tesselo {

BoardReplay::BoardReplay(Game& g, const GamePicture& p, CPuzzleImage& b) : game(g), picture(p), board(b)
{
    connect(&player, &ReplayPlayer::Changed, &board, &CPuzzleImage::FollowReplay);
    connect(&player, &ReplayPlayer::Finished, this, &BoardReplay::OnFinished);
}

void BoardReplay::Start(const TileGrid& start, const std::vector<HistoryStep>& steps, const QString& picturePath,
                        bool strategyStyle)
{
    Stop();
    if (!start.Size().IsValid())
        return;
    game.SuspendForReplay(true);
    player.Start(Replay(start, steps), picturePath, strategyStyle);
    Resize();
    board.ShowReplay(&player.board);
}

void BoardReplay::StartLastSolve()
{
    if (game.View().puzzle.state == Solved && game.View().puzzle.history.IsActive())
        Start(game.View().puzzle.history.start, game.View().puzzle.history.Played(), QString(),
              game.View().style.IsStrategy());
}

void BoardReplay::StartKept(const GameResult& won)
{
    // Its own picture when the folder still holds it, else the board's: the
    // player falls back by itself on a file that does not load. (QFileInfo
    // would not find a name that is not UTF-8.)
    Start(won.start, won.steps, picture.PathOfKept(won.picture), won.style.IsStrategy());
}

void BoardReplay::Stop()
{
    player.Stop();
}

void BoardReplay::Resize()
{
    if (player.IsRunning())
        player.Prepare(picture.Board(), picture.Folder().width, picture.Folder().height, picture.Folder().ratio);
}

void BoardReplay::OnFinished()
{
    board.ShowReplay(nullptr);
    game.SuspendForReplay(false);
}

} // namespace tesselo
