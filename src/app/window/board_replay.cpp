#include "app/window/board_replay.h"

#include "model/game.h"
#include "view/c_puzzle_image.h"


namespace tesselo {

BoardReplay::BoardReplay(Game& g, CPuzzleImage& b) : game(g), board(b)
{
    connect(&player, &ReplayPlayer::Changed, &board, &CPuzzleImage::FollowReplay);
    connect(&player, &ReplayPlayer::MoveCue, this, &BoardReplay::MoveCue);
    connect(&player, &ReplayPlayer::Finished, this, &BoardReplay::OnFinished);
}

void BoardReplay::Start(const TileGrid& start, const std::vector<HistoryStep>& steps, const QString& picturePath,
                        bool cues)
{
    Stop();
    if (!start.Size().IsValid())
        return;
    game.SuspendForReplay(true);
    player.Start(Replay(start, steps), picturePath, cues);
    Resize();
    board.ShowReplay(&player.board);
}

void BoardReplay::StartLastSolve()
{
    if (game.state == Solved && game.history.IsActive())
        Start(game.history.start, game.history.Played(), QString(), game.strategyStyle);
}

void BoardReplay::StartKept(const GameResult& won)
{
    // Its own picture when the folder still holds it, else the board's: the
    // player falls back by itself on a file that does not load. (QFileInfo
    // would not find a name that is not UTF-8.)
    const QString picture = won.picture.isEmpty() ? QString() : game.pictures.folder + won.picture;
    Start(won.start, won.steps, picture, won.style.IsStrategy());
}

void BoardReplay::Stop()
{
    player.Stop();
}

void BoardReplay::Resize()
{
    if (player.IsRunning())
        player.Prepare(game.board, game.pictures.width, game.pictures.height, game.pictures.ratio);
}

void BoardReplay::OnFinished()
{
    board.ShowReplay(nullptr);
    game.SuspendForReplay(false);
}

} // namespace tesselo
