// The program makes its game and the picture it is shown on before the
// title card, and prepares the first picture only once the saved game has
// said which one is shown and the window has said at what size: one picture
// read, once.

#include "pictures/picture_setup.h"
#include "support/saved_games.h"
#include "support/temp_cwd.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace tesselo;
using tesselo::testing::ShownGame;
using tesselo::testing::TempCwd;

namespace {

constexpr auto kLater = GamePicture::FirstPicture::WhenLoaded;

QString Shown(const ShownGame& g)
{
    return QFileInfo(g.picture.Board().sourcePath).fileName();
}

// The window takes 3 pixels off the width of every board it is asked for.
QSize Narrower(QSize board)
{
    return QSize(board.width() - 3, board.height());
}

// Three pictures; returns them in the order the walk shows them.
QStringList ThreePictures(const TempCwd& cwd)
{
    cwd.Picture("Pictures/a.png", Qt::red);
    cwd.Picture("Pictures/b.jpg", Qt::green, 640, 480);
    cwd.Picture("Pictures/c.png", Qt::blue);
    ShownGame walker;
    QStringList order{Shown(walker)};
    PictureFolder& pictures = PictureSetup(walker.picture).folder;
    order << pictures.ShowNext() << pictures.ShowNext();
    return order;
}

} // namespace

TEST(FirstPicture, WithoutASavedGameTheFirstPictureIsReadOnceAtTheWindowsSize)
{
    TempCwd cwd;
    const QStringList order = ThreePictures(cwd);
    ShownGame game(kLater);
    EXPECT_EQ(game.picture.Board().decodes, 0) << "nothing is read before the window opens";
    EXPECT_TRUE(game.picture.Pending());
    game.picture.SetBoardSize(500, game.picture.Folder().height, 1.0); // the size message of the window being made
    game.Load(Narrower);
    EXPECT_FALSE(game.picture.Pending());
    EXPECT_EQ(game.picture.Board().decodes, 1);
    EXPECT_EQ(game.picture.Board().stretches, 1);
    EXPECT_EQ(Shown(game), order[0]);
    EXPECT_EQ(game.picture.Board().Size(), QSize(497, 480));
    EXPECT_EQ(game.picture.Folder().width, 497);
    EXPECT_EQ(game.game.BoardPixels(), QSize(497, 480)) << "drags are measured on the board shown";
}

TEST(FirstPicture, ASavedGameNamingAnotherPictureNeverReadsTheFirst)
{
    TempCwd cwd;
    const QStringList order = ThreePictures(cwd);
    {
        ShownGame saved;
        PictureSetup(saved.picture).folder.ShowNext();
        saved.picture.SetBoardSize(900, 600, 1.0);
        ASSERT_TRUE(saved.Save());
    }
    ShownGame game(kLater);
    game.Load(Narrower);
    EXPECT_EQ(game.picture.Board().decodes, 1);
    EXPECT_EQ(Shown(game), order[1]);
    EXPECT_EQ(game.picture.Board().Size(), QSize(897, 600));
    // Made at once, the picture read its first file before the saved one.
    ShownGame atOnce;
    atOnce.Load();
    EXPECT_EQ(atOnce.picture.Board().decodes, 2);
    EXPECT_EQ(Shown(atOnce), order[1]);
}

TEST(FirstPicture, WhenTheSavedFolderShowsNothingTheDefaultFoldersFirstPictureIs)
{
    TempCwd cwd;
    const QStringList order = ThreePictures(cwd);
    cwd.Picture("Elsewhere/x.png", Qt::white);
    {
        ShownGame saved;
        ASSERT_TRUE(saved.picture.SetFolder("./Elsewhere/"));
        PictureSetup(saved.picture).folder.ShowCurrent();
        ASSERT_TRUE(saved.Save());
    }
    ASSERT_TRUE(QDir(cwd.Path("Elsewhere")).removeRecursively());
    ShownGame game(kLater);
    game.Load(Narrower);
    EXPECT_EQ(game.picture.Folder().folder, "./Elsewhere/");
    EXPECT_EQ(Shown(game), order[0]);
    EXPECT_EQ(game.picture.Board().decodes, 1);
    EXPECT_EQ(game.picture.Board().Size(), QSize(637, 480));
}
