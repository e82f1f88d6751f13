// The picture a game is shown on: made with the game, following its
// changes and the window's size, and telling the game the board it
// measures drags on.

#include "model/game_setup.h"
#include "pictures/picture_setup.h"
#include "support/saved_games.h"
#include "support/temp_cwd.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace tesselo;
using tesselo::testing::ShownGame;
using tesselo::testing::TempCwd;

TEST(GamePicture, StartsOnTheDefaultFolderAtTheBuiltInPicturesSize)
{
    TempCwd cwd;
    ShownGame shown;
    EXPECT_EQ(shown.picture.Board().grid, &shown.game.View().puzzle.grid);
    EXPECT_EQ(shown.picture.Folder().target, &shown.picture.Board());
    EXPECT_EQ(shown.picture.Folder().folder, "./Pictures/");
    EXPECT_EQ(shown.picture.Board().picture.size(), QSize(640, 480));
    EXPECT_EQ(shown.game.BoardPixels(), QSize(640, 480));
    EXPECT_FALSE(shown.picture.Pending());
}

// Each size the window gives is a picture made again and announced, and
// the board the game's drags are measured on; a first picture that waits
// for the saved game is neither made nor announced.
TEST(GamePicture, TheBoardAtAnotherSizeIsMadeAgainAndMeasuredByTheGame)
{
    TempCwd cwd;
    for (const auto first : {GamePicture::FirstPicture::AtOnce, GamePicture::FirstPicture::WhenLoaded}) {
        ShownGame shown(first);
        const bool waits = first == GamePicture::FirstPicture::WhenLoaded;
        int made = 0;
        QObject::connect(&shown.picture, &GamePicture::Changed, [&made] { ++made; });
        shown.picture.SetBoardSize(320, 240, 1.0);
        EXPECT_EQ(made, waits ? 0 : 1);
        EXPECT_EQ(shown.game.BoardPixels(), waits ? QSize(640, 480) : QSize(320, 240));
        // A minimised window has no board, and no cells to drag by.
        shown.picture.SetBoardSize(0, 0, 1.0);
        EXPECT_EQ(shown.game.BoardPixels(), waits ? QSize(640, 480) : QSize(0, 0));
        shown.picture.SetBoardSize(300, 200, 2.0);
        shown.Load();
        EXPECT_EQ(made, waits ? 1 : 4);
        EXPECT_EQ(shown.picture.Board().picture.size(), QSize(600, 400)) << "device pixels";
        EXPECT_EQ(shown.game.BoardPixels(), QSize(300, 200));
    }
}

// A new game after a win is played on the folder's next picture; every
// other new game keeps the picture it finds.
TEST(GamePicture, ANewGameAfterAWinTakesTheNextPicture)
{
    TempCwd cwd;
    cwd.Picture("Pictures/a.png", Qt::red);
    cwd.Picture("Pictures/b.png", Qt::blue);
    ShownGame shown;
    Game& g = shown.game;
    const QString first = shown.picture.Board().sourcePath;
    ASSERT_TRUE(first.endsWith("a.png") || first.endsWith("b.png"));
    g.NewGame();
    EXPECT_EQ(shown.picture.Board().sourcePath, first); // the first game keeps the picture
    g.ResetGame();
    g.NewGame();
    EXPECT_EQ(shown.picture.Board().sourcePath, first);
    // Won by a move: the next game, by a new game or by ID, turns the page.
    for (const bool named : {false, true}) {
        const QString before = shown.picture.Board().sourcePath;
        GameSetup setup(g);
        setup.grid.Resize(2, 3);
        setup.grid.Apply(Move{MoveAxis::Row, 0, 1});
        setup.grid.Select({0, 1});
        g.ShiftRowLeft();
        ASSERT_EQ(g.View().puzzle.state, Solved);
        EXPECT_EQ(shown.picture.Board().sourcePath, before) << "the won game keeps its picture";
        named ? g.StartNamed(GameId{kNovice, 5}) : g.NewGame();
        EXPECT_NE(shown.picture.Board().sourcePath, before) << named;
        EXPECT_EQ(g.View().puzzle.state, Playing);
    }
}

// The name a win keeps its picture by, and the file it stands for later.
TEST(GamePicture, AKeptWinNamesItsPictureByTheFilesName)
{
    TempCwd cwd;
    ShownGame builtIn;
    EXPECT_EQ(builtIn.picture.KeptName(), QString());
    EXPECT_EQ(builtIn.picture.PathOfKept(QString()), QString());
    cwd.Picture("Elsewhere/sea.png", Qt::blue);
    ShownGame shown;
    ASSERT_TRUE(shown.picture.SetFolder("./Elsewhere/"));
    shown.picture.SetBoardSize(64, 48, 1.0);
    EXPECT_EQ(shown.picture.KeptName(), "sea.png");
    EXPECT_EQ(shown.picture.PathOfKept("sea.png"), "./Elsewhere/sea.png");
    EXPECT_EQ(shown.game.ResultOfWin(shown.picture.KeptName()).picture, "sea.png");
}

// A race is run on its win's picture where the folder still has it; a
// name the folder lacks, or the built-in picture's, leaves the board and
// the entry the saved game keeps where they stood.
TEST(GamePicture, AKeptWinsPictureIsShownAgainWhileTheFolderHasIt)
{
    TempCwd cwd;
    for (const char* name : {"a.png", "b.png", "c.png"})
        cwd.Picture(QStringLiteral("Pictures/") + name, Qt::green);
    ShownGame shown;
    shown.picture.SetBoardSize(64, 48, 1.0);
    const struct {
        QString kept;
        bool shows;
    } cases[] = {{"c.png", true}, {"a.png", true}, {"gone.png", false}, {QString(), false}, {"C.PNG", true}};
    for (const auto& c : cases) {
        const QString before = shown.picture.KeptName();
        const QString entry = shown.picture.Record().entry.Name();
        int made = 0;
        const QMetaObject::Connection counted =
            QObject::connect(&shown.picture, &GamePicture::Changed, [&made] { ++made; });
        shown.picture.ShowKept(c.kept);
        QObject::disconnect(counted);
        if (c.shows) {
            EXPECT_EQ(shown.picture.KeptName().toLower(), c.kept.toLower());
            EXPECT_EQ(shown.picture.Record().entry.Name().toLower(), c.kept.toLower());
            EXPECT_EQ(made, before.toLower() == c.kept.toLower() ? 0 : 1) << c.kept.toStdString();
        } else {
            EXPECT_EQ(shown.picture.KeptName(), before) << c.kept.toStdString();
            EXPECT_EQ(shown.picture.Record().entry.Name(), entry) << c.kept.toStdString();
            EXPECT_EQ(made, 0);
        }
    }
}
