#include "files/byte_io.h"
#include "model/tile_grid.h"
#include "pictures/board_bitmap.h"
#include "pictures/picture_folder.h"
#include "support/temp_cwd.h"

#include <QBuffer>
#include <QDirIterator>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <set>
#include <vector>

using namespace tesselo;
using tesselo::testing::TempCwd;

namespace {

// The order the file system lists a directory in, read independently of the
// walker, so expectations hold whatever that order is.
QStringList ListingOrder(const QString& dir)
{
    QStringList names;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        names << it.fileName();
    }
    return names;
}

struct Walker {
    Walker()
    {
        grid.Resize(2, 3);
        board.grid = &grid;
        folder.target = &board;
        folder.width = 60;
        folder.height = 40;
    }
    QString Shown() const { return QFileInfo(board.sourcePath).fileName(); }
    QRgb Pixel() const { return board.picture.pixel(0, 0) | 0xff000000u; }

    TileGrid grid;
    BoardBitmap board;
    PictureFolder folder;
};

} // namespace

TEST(PictureFolder, WalksPicturesInListingOrderSkippingTheRestAndWraps)
{
    TempCwd cwd;
    cwd.Picture("Pictures/a.jpg", Qt::red);
    cwd.Text("Pictures/b.txt", "not a picture");
    cwd.Picture("Pictures/c.png", Qt::green);
    cwd.Picture("Pictures/e.bmp", Qt::blue);
    QDir().mkpath(cwd.Path("Pictures/d.png"));                      // a directory
    ASSERT_EQ(::mkfifo(cwd.Path("Pictures/f.gif").toLocal8Bit().constData(), 0600), 0);

    QStringList pictures;
    for (const QString& n : ListingOrder(cwd.Path("Pictures")))
        if (n == "a.jpg" || n == "c.png" || n == "e.bmp")
            pictures << n;
    ASSERT_EQ(pictures.size(), 3);

    Walker w;
    EXPECT_EQ(w.folder.ShowCurrent(), pictures[0]);
    EXPECT_EQ(w.Shown(), pictures[0]);
    // Two laps: every picture in turn, back to the first, never the pipe
    // (opening it would block) or the directory.
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(w.folder.ShowNext(), pictures[i % 3]) << i;
        EXPECT_EQ(w.board.picture.size(), QSize(60, 40));
    }
    // A resize rescales what is on hand rather than walking on.
    w.folder.width = 30;
    EXPECT_EQ(w.folder.ShowCurrent(), pictures[0]);
    EXPECT_EQ(w.board.picture.size(), QSize(30, 40));
}

TEST(PictureFolder, OnePictureAmongOtherFilesIsShownAgain)
{
    TempCwd cwd;
    cwd.Text("Pictures/readme.txt", "x");
    cwd.Picture("Pictures/only.png", Qt::yellow);
    cwd.Text("Pictures/notes.txt", "y");
    Walker w;
    EXPECT_EQ(w.folder.ShowCurrent(), "only.png");
    EXPECT_EQ(w.folder.ShowNext(), "only.png");
    EXPECT_EQ(w.folder.ShowNext(), "only.png");
    EXPECT_EQ(w.Pixel(), QColor(Qt::yellow).rgb());
}

// Without a file that loads, the board still follows the window: the
// picture on hand is made at the folder's size, though the walk reports
// no picture.
TEST(PictureFolder, MissingOrPictureLessFoldersShowThePictureOnHandAtTheirSize)
{
    TempCwd cwd;
    Walker w;
    const auto fishAt = [](int width, int height) {
        QImage fish(width, height, QImage::Format_RGB32);
        BoardBitmap::Stretch(BoardBitmap::BuiltInPicture(), BoardBitmap::SourceRect(640, 480, width, height), fish);
        return fish;
    };
    EXPECT_EQ(w.folder.ShowCurrent(), QString());
    EXPECT_EQ(w.folder.ShowNext(), QString());
    EXPECT_FALSE(w.folder.IsSearchOpen());
    EXPECT_EQ(w.board.picture, fishAt(60, 40));

    for (int i = 0; i < 20; ++i)
        cwd.Text(QString("Pictures/junk%1.jpg").arg(i), "garbage");
    w.folder.width = 90;
    EXPECT_EQ(w.folder.ShowCurrent(), QString());
    EXPECT_EQ(w.board.picture, fishAt(90, 40));
    EXPECT_EQ(w.folder.ShowNext(), QString());
    // Each damaged file was opened once; the walks after that pass it by.
    EXPECT_EQ(w.board.decodes, 20);
    w.folder.height = 70;
    EXPECT_EQ(w.folder.ShowCurrent(), QString());
    EXPECT_EQ(w.board.picture, fishAt(90, 70));
    EXPECT_EQ(w.board.decodes, 20);

    // The last picture that loaded is the one on hand once its file is gone.
    cwd.Picture("Pictures/red.png", Qt::red);
    w.folder.CloseSearch();
    EXPECT_EQ(w.folder.ShowCurrent(), "red.png");
    ASSERT_TRUE(QDir(cwd.Path("Pictures")).removeRecursively());
    w.folder.width = 30;
    EXPECT_EQ(w.folder.ShowNext(), QString());
    EXPECT_EQ(w.board.picture.size(), QSize(30, 70));
    EXPECT_EQ(w.Pixel(), QColor(Qt::red).rgb());
}

// As root, /proc holds files that block whoever reads them (kmsg); all
// such files report no size and are passed over unopened.
TEST(PictureFolder, AFolderOfProcNeverBlocks)
{
    if (!QFileInfo("/proc/self").isDir())
        GTEST_SKIP() << "no /proc here";
    Walker w;
    ASSERT_TRUE(w.folder.SetFolder("/proc/"));
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(w.folder.ShowCurrent(), QString());
    EXPECT_EQ(w.folder.ShowNext(), QString());
    EXPECT_LT(timer.elapsed(), 20000);
    EXPECT_TRUE(w.board.sourcePath.isEmpty());
}

TEST(PictureFolder, WalkEndsWhenItsStartingPictureWasDeleted)
{
    TempCwd cwd;
    cwd.Picture("Pictures/gone.png", Qt::red);
    for (int i = 0; i < 5; ++i)
        cwd.Text(QString("Pictures/t%1.txt").arg(i), "text");
    Walker w;
    ASSERT_EQ(w.folder.ShowCurrent(), "gone.png");
    ASSERT_TRUE(QFile::remove(cwd.Path("Pictures/gone.png")));
    EXPECT_EQ(w.folder.ShowNext(), QString());
    EXPECT_EQ(w.Pixel(), QColor(Qt::red).rgb()); // the picture stays

    // The whole folder removed while the game runs: still nothing breaks.
    ASSERT_TRUE(QDir(cwd.Path("Pictures")).removeRecursively());
    EXPECT_EQ(w.folder.ShowNext(), QString());
    EXPECT_EQ(w.folder.ShowCurrent(), QString());
    EXPECT_EQ(w.Pixel(), QColor(Qt::red).rgb());
}

TEST(PictureFolder, HostileEntriesAreSkippedQuickly)
{
    TempCwd cwd;
    const QString dir = cwd.Path("Pictures/");
    QDir().mkpath(dir + "sub");
    ASSERT_EQ(::mkfifo((dir + "pipe.png").toLocal8Bit().constData(), 0600), 0);
    ASSERT_EQ(::symlink("nowhere.png", (dir + "dangling.png").toLocal8Bit().constData()), 0);
    ASSERT_EQ(::symlink("loop2.png", (dir + "loop1.png").toLocal8Bit().constData()), 0);
    ASSERT_EQ(::symlink("loop1.png", (dir + "loop2.png").toLocal8Bit().constData()), 0);
    cwd.Text("Pictures/empty.jpg", "");
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray sockPath = (dir + "socket.bmp").toLocal8Bit();
    if (sockPath.size() < int(sizeof addr.sun_path)) {
        std::copy(sockPath.begin(), sockPath.end(), addr.sun_path);
        EXPECT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    }
    // Truncated files of every format, and a PNG that claims 100000 x 100000.
    // Qt writes no GIF, so that one comes from the sample pictures.
    for (const char* format : {"png", "jpg", "gif", "bmp"}) {
        const QString full = QString(format) == "gif"
                                 ? QString(TESSELO_ASSETS_DIR "/Pictures/mosaic.gif")
                                 : cwd.Picture(QString("Pictures/whole.%1").arg(format), Qt::cyan, 200, 200);
        QFile f(full);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        f.close();
        cwd.Text(QString("Pictures/cut.%1").arg(format), bytes.left(bytes.size() / 3));
        if (full.startsWith(cwd.Path("")))
            QFile::remove(full);
    }
    {
        QImage small(8, 8, QImage::Format_RGB32);
        small.fill(Qt::black);
        QByteArray png;
        QBuffer buf(&png);
        buf.open(QIODevice::WriteOnly);
        small.save(&buf, "PNG");
        // The header's width and height, big-endian at offsets 16 and 20.
        const std::uint32_t side = 100000;
        for (int i = 0; i < 4; ++i) {
            png[16 + i] = char((side >> (24 - 8 * i)) & 0xff);
            png[20 + i] = char((side >> (24 - 8 * i)) & 0xff);
        }
        cwd.Text("Pictures/bomb.png", png);
    }
    cwd.Picture("Pictures/real.png", Qt::magenta);

    Walker w;
    QElapsedTimer timer;
    timer.start();
    // Qt shows what arrived of a cut-off file, as a browser does; everything
    // else is passed over, and the walk always comes back round.
    const std::set<QString> loadable = {"real.png", "cut.png", "cut.jpg", "cut.gif", "cut.bmp"};
    std::set<QString> shown = {w.folder.ShowCurrent()};
    for (int i = 0; i < 12; ++i)
        shown.insert(w.folder.ShowNext());
    for (const QString& name : shown)
        EXPECT_TRUE(loadable.count(name)) << name.toStdString();
    EXPECT_TRUE(shown.count("real.png"));
    EXPECT_LT(timer.elapsed(), 20000); // a blocked pipe would never return
    ::close(sock);
}

TEST(PictureFolder, SetFolderProbesAndClosesTheSearch)
{
    TempCwd cwd;
    cwd.Picture("Pictures/a.png", Qt::red);
    cwd.Picture("Photos/b.png", Qt::blue);
    Walker w;
    ASSERT_EQ(w.folder.ShowCurrent(), "a.png");
    ASSERT_TRUE(w.folder.IsSearchOpen());

    EXPECT_FALSE(w.folder.SetFolder("./NoSuchFolder/"));
    EXPECT_EQ(w.folder.folder, "./Pictures/");
    EXPECT_TRUE(w.folder.IsSearchOpen());

    EXPECT_TRUE(w.folder.SetFolder("./Photos/"));
    EXPECT_FALSE(w.folder.IsSearchOpen());
    EXPECT_EQ(w.folder.findData.Name(), "a.png"); // still names the old entry
    EXPECT_EQ(w.folder.ShowCurrent(), "b.png");

    // Without its final '/', the prefix matches the folder itself in its
    // parent: accepted, but the path it builds is no picture, and the board
    // keeps what it showed.
    EXPECT_TRUE(w.folder.SetFolder(cwd.Path("Photos")));
    EXPECT_EQ(w.folder.ShowCurrent(), QString());
    EXPECT_EQ(w.folder.findData.Name(), "Photos");
    EXPECT_EQ(w.Shown(), "b.png");
    EXPECT_EQ(w.Pixel(), QColor(Qt::blue).rgb());
}

TEST(PictureFolder, RestoresFolderSizeAndSavedEntry)
{
    TempCwd cwd;
    cwd.Picture("Saved/one.png", Qt::red);
    cwd.Picture("Saved/Two.png", Qt::green);
    cwd.Picture("Saved/two.png", Qt::blue);
    cwd.Picture("Saved/Three.png", Qt::yellow);
    const auto record = [&](const QString& folder, const QString& name, bool searchOpen) {
        PictureRecord saved;
        saved.folder = folder;
        saved.width = 90;
        saved.height = 60;
        saved.searchOpen = searchOpen;
        saved.entry.SetName(name);
        return saved;
    };
    const auto restore = [&](const PictureRecord& saved, Walker& w) {
        EXPECT_TRUE(w.folder.Restore(saved));
        return w.folder.ShowCurrent();
    };

    {   // Exact name first, even where another entry differs only in case.
        Walker w;
        EXPECT_EQ(restore(record("./Saved/", "two.png", true), w), "two.png");
        EXPECT_EQ(w.folder.folder, "./Saved/");
        EXPECT_EQ(w.board.picture.size(), QSize(90, 60));
        Walker v;
        EXPECT_EQ(restore(record("./Saved/", "Two.png", true), v), "Two.png");
    }
    {   // A name that differs only in case is found when nothing matches exactly.
        Walker w;
        EXPECT_EQ(restore(record("./Saved/", "THREE.PNG", true), w), "Three.png");
    }
    {   // Not found: the first entry of the folder, then its first picture.
        Walker w;
        EXPECT_TRUE(w.folder.Restore(record("./Saved/", "missing.png", true)));
        EXPECT_TRUE(w.folder.IsSearchOpen());
        const QStringList order = ListingOrder(cwd.Path("Saved"));
        EXPECT_EQ(w.folder.findData.Name(), order.first());
        w.folder.ShowCurrent();
        QStringList pictures;
        for (const QString& n : order)
            if (n.endsWith(".png"))
                pictures << n;
        EXPECT_EQ(w.Shown(), pictures.first());
    }
    {   // No search at saving: none after reading either.
        Walker w;
        w.folder.OpenSearch();
        EXPECT_TRUE(w.folder.Restore(record("./Saved/", "Three.png", false)));
        EXPECT_FALSE(w.folder.IsSearchOpen());
    }
    {   // Damaged records change nothing.
        Walker w;
        PictureRecord saved = record("./Saved/", "one.png", true);
        saved.width = -5;
        EXPECT_FALSE(w.folder.Restore(saved));
        saved.width = 90;
        saved.height = PictureFolder::kMaxBoardSide + 1;
        EXPECT_FALSE(w.folder.Restore(saved));
        EXPECT_EQ(w.folder.folder, "./Pictures/");
        EXPECT_EQ(w.folder.width, 60);
    }
}

TEST(PictureFolder, TenThousandNonPicturesAndOnePicture)
{
    TempCwd cwd;
    QDir().mkpath(cwd.Path("Pictures"));
    for (int i = 0; i < 10000; ++i) {
        QFile f(cwd.Path(QString("Pictures/n%1.dat").arg(i)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("no");
    }
    cwd.Picture("Pictures/the-one.png", Qt::darkGreen);
    const auto openDescriptors = [] { return QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(); };
    const auto before = openDescriptors();
    Walker w;
    EXPECT_EQ(w.folder.ShowCurrent(), "the-one.png");
    EXPECT_EQ(w.folder.ShowNext(), "the-one.png");
    EXPECT_EQ(w.folder.ShowNext(), "the-one.png");
    w.folder.CloseSearch();
    EXPECT_EQ(openDescriptors(), before);
}

TEST(FindData, NameSitsAtOffset44AndKeepsItsTerminator)
{
    FindData d;
    d.SetName(QString(300, QChar('x')));
    EXPECT_EQ(d.Name().size(), 259);
    EXPECT_EQ(GetUInt16(&d.bytes[44]), 'x');
    EXPECT_EQ(GetUInt16(&d.bytes[44 + 2 * 259]), 0);
    d.SetName(QString::fromUtf8("Fjällsjö.jpg"));
    EXPECT_EQ(d.Name(), QString::fromUtf8("Fjällsjö.jpg"));
    EXPECT_EQ(GetUInt16(&d.bytes[44 + 2 * 2]), 0xE4);
}
