#include "pictures/game_picture.h"

#include "model/game.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace tesselo {

GamePicture::GamePicture(Game& played, FirstPicture first, QObject* parent)
    : QObject(parent), game(played), wonBefore(played.View().puzzle.state == Solved)
{
    board.grid = &game.View().puzzle.grid;
    folder.target = &board;
    // Connected before anyone shows the game, so that a new game's picture
    // is ready when they hear of its position.
    connect(&game, &Game::Changed, this, &GamePicture::Follow);
    if (first == FirstPicture::AtOnce) {
        folder.ShowCurrent();
        Made();
    } else {
        pending = true;
    }
}

GamePicture::~GamePicture()
{
    folder.CloseSearch();
}

void GamePicture::Follow(const GameChange& change)
{
    // A new game after a win is played on the folder's next picture.
    if (const auto* position = std::get_if<NewPosition>(&change);
        position && wonBefore &&
        (position->cause == PositionCause::NewGame || position->cause == PositionCause::Named)) {
        if (folder.IsSearchOpen() || folder.OpenSearch())
            folder.ShowNext();
        Made();
    }
    wonBefore = game.View().puzzle.state == Solved;
}

void GamePicture::Made()
{
    game.SetBoardPixels(board.Size());
    emit Changed();
}

bool GamePicture::SetFolder(const QString& prefix)
{
    return folder.SetFolder(prefix);
}

void GamePicture::SetBoardSize(std::int32_t width, std::int32_t height, qreal ratio)
{
    folder.width = std::max(width, 0);
    folder.height = std::max(height, 0);
    folder.ratio = ratio;
    if (!pending) {
        folder.ShowCurrent();
        Made();
    }
}

bool GamePicture::Restore(const PictureRecord& saved)
{
    return folder.Restore(saved);
}

void GamePicture::ShowLoaded(const BoardFit& fit, bool read)
{
    if (fit) {
        const QSize size = fit(QSize(folder.width, folder.height));
        folder.width = size.width();
        folder.height = size.height();
    }
    const bool firstPicture = std::exchange(pending, false);
    if (folder.ShowCurrent().isEmpty() && firstPicture && read) {
        // The saved folder showed nothing, so the board keeps the picture
        // the game was made with, the first of the default folder, found
        // only now.
        PictureFolder start;
        start.target = &board;
        start.width = folder.width;
        start.height = folder.height;
        start.ratio = folder.ratio;
        start.ShowCurrent();
    }
    Made();
}

QString GamePicture::KeptName() const
{
    return board.sourcePath.isEmpty() ? QString() : QFileInfo(board.sourcePath).fileName();
}

QString GamePicture::PathOfKept(const QString& keptName) const
{
    return keptName.isEmpty() ? QString() : folder.folder + keptName;
}

void GamePicture::ShowKept(const QString& keptName)
{
    if (pending || keptName.isEmpty() || KeptName() == keptName)
        return;
    if (folder.ShowNamed(keptName))
        Made();
}

} // namespace tesselo
