// The program makes its Game before the title card and prepares the first
// picture only once the saved game has said which one is shown and the
// window has said at what size: one picture read, once.

#include "model/game.h"
#include "model/game_setup.h"
#include "support/temp_cwd.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace tesselo;
using tesselo::testing::TempCwd;

namespace {

constexpr auto kLater = Game::FirstPicture::WhenLoaded;

QString Shown(const Game& g) { return QFileInfo(g.board.sourcePath).fileName(); }

// The window takes 3 pixels off the width of every board it is asked for.
QSize Narrower(QSize board) { return QSize(board.width() - 3, board.height()); }

// Three pictures; returns them in the order the walk shows them.
QStringList ThreePictures(const TempCwd& cwd)
{
    cwd.Picture("Pictures/a.png", Qt::red);
    cwd.Picture("Pictures/b.jpg", Qt::green, 640, 480);
    cwd.Picture("Pictures/c.png", Qt::blue);
    Game walker;
    QStringList order{Shown(walker)};
    PictureFolder& pictures = GameSetup(walker).pictures;
    order << pictures.ShowNext() << pictures.ShowNext();
    return order;
}

} // namespace

TEST(FirstPicture, WithoutASavedGameTheFirstPictureIsReadOnceAtTheWindowsSize)
{
    TempCwd cwd;
    const QStringList order = ThreePictures(cwd);
    Game game(Game::SystemFileTime, kLater);
    EXPECT_EQ(game.board.decodes, 0) << "nothing is read before the window opens";
    EXPECT_TRUE(game.PicturePending());
    game.SetBoardSize(500, game.pictures.height, 1.0); // the size message of the window being made
    game.LoadSavedGame(Narrower);
    EXPECT_FALSE(game.PicturePending());
    EXPECT_EQ(game.board.decodes, 1);
    EXPECT_EQ(game.board.stretches, 1);
    EXPECT_EQ(Shown(game), order[0]);
    EXPECT_EQ(game.board.Size(), QSize(497, 480));
    EXPECT_EQ(game.pictures.width, 497);
}

TEST(FirstPicture, ASavedGameNamingAnotherPictureNeverReadsTheFirst)
{
    TempCwd cwd;
    const QStringList order = ThreePictures(cwd);
    {
        Game saved;
        GameSetup(saved).pictures.ShowNext();
        saved.SetBoardSize(900, 600, 1.0);
        ASSERT_TRUE(saved.SaveGame());
    }
    Game game(Game::SystemFileTime, kLater);
    game.LoadSavedGame(Narrower);
    EXPECT_EQ(game.board.decodes, 1);
    EXPECT_EQ(Shown(game), order[1]);
    EXPECT_EQ(game.board.Size(), QSize(897, 600));
    // Made at once, the game read its first picture before the saved one.
    Game atOnce;
    atOnce.LoadSavedGame();
    EXPECT_EQ(atOnce.board.decodes, 2);
    EXPECT_EQ(Shown(atOnce), order[1]);
}

TEST(FirstPicture, WhenTheSavedFolderShowsNothingTheDefaultFoldersFirstPictureIs)
{
    TempCwd cwd;
    const QStringList order = ThreePictures(cwd);
    cwd.Picture("Elsewhere/x.png", Qt::white);
    {
        Game saved;
        ASSERT_TRUE(saved.SetPictureFolder("./Elsewhere/"));
        GameSetup(saved).pictures.ShowCurrent();
        ASSERT_TRUE(saved.SaveGame());
    }
    ASSERT_TRUE(QDir(cwd.Path("Elsewhere")).removeRecursively());
    Game game(Game::SystemFileTime, kLater);
    game.LoadSavedGame(Narrower);
    EXPECT_EQ(game.pictures.folder, "./Elsewhere/");
    EXPECT_EQ(Shown(game), order[0]);
    EXPECT_EQ(game.board.decodes, 1);
    EXPECT_EQ(game.board.Size(), QSize(637, 480));
}
