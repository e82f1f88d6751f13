#include "model/tile_grid.h"
#include "pictures/board_bitmap.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

using namespace tesselo;

namespace {

// A picture in which every pixel tells where it came from.
QImage Coordinates(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x & 0xff, y & 0xff, ((x >> 8) << 4) | (y >> 8)));
    return img;
}

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

} // namespace

TEST(BoardBitmap, StartsWithTheBuiltInFishInSixteenColours)
{
    BoardBitmap b;
    ASSERT_EQ(b.picture.size(), QSize(640, 480));
    ASSERT_EQ(b.source.size(), QSize(640, 480));
    EXPECT_EQ(b.picture.format(), QImage::Format_RGB32);
    EXPECT_TRUE(b.sourcePath.isEmpty());
    const std::set<QRgb> standard = {
        qRgb(0, 0, 0), qRgb(128, 0, 0), qRgb(0, 128, 0), qRgb(128, 128, 0), qRgb(0, 0, 128),
        qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192), qRgb(128, 128, 128),
        qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(255, 255, 0), qRgb(0, 0, 255), qRgb(255, 0, 255),
        qRgb(0, 255, 255), qRgb(255, 255, 255)};
    std::set<QRgb> used;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            used.insert(b.picture.pixel(x, y) | 0xff000000);
    for (QRgb c : used)
        EXPECT_TRUE(standard.count(c)) << std::hex << c;
    EXPECT_GE(used.size(), 8u) << "a drawing, not a flat fill";
}

TEST(BoardBitmap, WorkedSourceRectangles)
{
    struct Case { int w, h; QRect r; };
    const Case cases[] = {
        {1920, 1080, QRect(240, 0, 1440, 1080)}, {1280, 1024, QRect(0, 32, 1280, 960)},
        {600, 800, QRect(0, 175, 600, 450)},     {1000, 1000, QRect(0, 125, 1000, 750)},
        {1024, 768, QRect(0, 0, 1024, 768)},     {3, 2, QRect(0, 0, 2, 2)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BoardBitmap::SourceRect(c.w, c.h, 640, 480), c.r) << c.w << "x" << c.h;
    EXPECT_EQ(BoardBitmap::SourceRect(1024, 768, 800, 450), QRect(0, 96, 1024, 576));
}

TEST(BoardBitmap, StretchIsNearestNeighbourOverTheWholeBoard)
{
    const QImage src = Coordinates(400, 300);
    QImage same(400, 300, QImage::Format_RGB32);
    BoardBitmap::Stretch(src, src.rect(), same);
    EXPECT_EQ(same, src) << "one to one copies every pixel";

    QImage big(800, 600, QImage::Format_RGB32);
    BoardBitmap::Stretch(src, src.rect(), big);
    for (int y = 0; y < 600; y += 37)
        for (int x = 0; x < 800; x += 41)
            ASSERT_EQ(big.pixel(x, y), src.pixel(x / 2, y / 2)) << x << "," << y;

    QImage cut(100, 100, QImage::Format_RGB32);
    BoardBitmap::Stretch(src, QRect(50, 0, 300, 300), cut);
    EXPECT_EQ(cut.pixel(0, 0), src.pixel(51, 1));
    EXPECT_EQ(cut.pixel(99, 99), src.pixel(50 + 298, 298));
    std::set<QRgb> colours;
    for (int x = 0; x < 100; ++x)
        colours.insert(cut.pixel(x, 50));
    EXPECT_EQ(colours.size(), 100u) << "no smoothing: each pixel is a source pixel";
}

TEST(BoardBitmap, DecodesEveryFormatAndCutsAroundTheCentre)
{
    QTemporaryDir dir;
    const QImage src = Coordinates(600, 800);
    ASSERT_TRUE(src.save(dir.filePath("p.png")));
    ASSERT_TRUE(src.save(dir.filePath("p.bmp")));
    // The GIF comes from the build's sample folder (Qt cannot write GIF).
    const QString gif = QStringLiteral(TESSELO_ASSETS_DIR "/Pictures/mosaic.gif");
    for (const QString& name : {dir.filePath("p.png"), dir.filePath("p.bmp")}) {
        BoardBitmap b;
        ASSERT_TRUE(b.LoadScaled(name, 640, 480)) << name.toStdString();
        EXPECT_EQ(b.sourcePath, name);
        EXPECT_EQ(b.source.size(), QSize(600, 800));
        EXPECT_EQ(b.picture.size(), QSize(640, 480));
        // The 600 x 450 centre band from y 175: the top-left pixel samples (0, 175).
        EXPECT_EQ(b.picture.pixel(0, 0), src.pixel(0, 175));
        EXPECT_EQ(b.picture.pixel(639, 479), src.pixel(599, 175 + 449));
    }
    BoardBitmap g;
    ASSERT_TRUE(g.LoadScaled(gif, 320, 240));
    EXPECT_EQ(g.source.size(), QSize(800, 600));
    ASSERT_TRUE(src.save(dir.filePath("p.jpg"), "JPEG", 95));
    BoardBitmap j;
    ASSERT_TRUE(j.LoadScaled(dir.filePath("p.jpg"), 300, 400));
    EXPECT_EQ(j.source.size(), QSize(600, 800));
    EXPECT_EQ(j.picture.format(), QImage::Format_RGB32);
}

TEST(BoardBitmap, KeepsColourValuesOfTranslucentPictures)
{
    QTemporaryDir dir;
    QImage img(4, 4, QImage::Format_ARGB32);
    img.fill(qRgba(200, 100, 50, 0));
    ASSERT_TRUE(img.save(dir.filePath("clear.png")));
    BoardBitmap b;
    ASSERT_TRUE(b.LoadScaled(dir.filePath("clear.png"), 8, 8));
    EXPECT_EQ(qRed(b.picture.pixel(3, 3)), 200);
    EXPECT_EQ(qGreen(b.picture.pixel(3, 3)), 100);
    EXPECT_EQ(qBlue(b.picture.pixel(3, 3)), 50);
}

TEST(BoardBitmap, RefusedFilesChangeOnlyTheSourcePath)
{
    QTemporaryDir dir;
    QByteArray png;
    {
        QImage img = Coordinates(64, 48);
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        img.save(&buffer, "PNG");
    }
    const QString files[] = {
        Write(dir, "empty.png", QByteArray()),
        Write(dir, "garbage.jpg", QByteArray(5000, 'x')),
        Write(dir, "truncated.png", png.left(png.size() / 3)),
        dir.filePath("missing.png"),
        dir.path(), // a directory
    };
    for (const QString& path : files) {
        BoardBitmap b;
        const QImage before = b.picture;
        EXPECT_FALSE(b.LoadScaled(path, 320, 240)) << path.toStdString();
        EXPECT_EQ(b.sourcePath, path);
        EXPECT_EQ(b.picture, before);
        EXPECT_EQ(b.source, before);
        // The same path again is not decoded again: the picture on hand is
        // rescaled to the new size.
        EXPECT_TRUE(b.LoadScaled(path, 320, 240));
        EXPECT_EQ(b.picture.size(), QSize(320, 240));
    }
}

TEST(BoardBitmap, SamePathRescalesWithoutDecodingButOtherCaseDecodes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(Coordinates(100, 100).save(dir.filePath("a.png")));
    ASSERT_TRUE(Coordinates(50, 50).save(dir.filePath("A.png")));
    BoardBitmap b;
    ASSERT_TRUE(b.LoadScaled(dir.filePath("a.png"), 40, 40));
    QFile::remove(dir.filePath("a.png"));
    ASSERT_TRUE(b.LoadScaled(dir.filePath("a.png"), 20, 10)) << "rescaled from the source on hand";
    EXPECT_EQ(b.picture.size(), QSize(20, 10));
    ASSERT_TRUE(b.LoadScaled(dir.filePath("A.png"), 20, 20));
    EXPECT_EQ(b.source.size(), QSize(50, 50)) << "paths differing in case are two pictures";
}

// A board of unchanged size is stretched again into the picture it has;
// nobody holding a copy of the old picture, the source included, sees it
// change.
TEST(BoardBitmap, ASameSizeLoadNeverChangesACopyOfTheOldPicture)
{
    QTemporaryDir dir;
    ASSERT_TRUE(Coordinates(100, 100).save(dir.filePath("a.png")));
    QImage blue(100, 100, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    ASSERT_TRUE(blue.save(dir.filePath("b.png")));

    // At start the picture and the built-in source are one image.
    BoardBitmap b;
    const QImage fish = b.source;
    ASSERT_TRUE(b.LoadScaled(dir.filePath("a.png"), 640, 480));
    EXPECT_EQ(b.source.size(), QSize(100, 100));
    EXPECT_EQ(fish, BoardBitmap::BuiltInPicture());

    const QImage held = b.picture; // as a painter in progress would hold it
    const QImage heldPixels = held.copy();
    ASSERT_TRUE(b.LoadScaled(dir.filePath("b.png"), 640, 480));
    EXPECT_EQ(held, heldPixels) << "a shared picture was written to";
    EXPECT_EQ(b.picture.pixel(320, 240), qRgb(0, 0, 255));

    // Unshared, the next load of the same size fills every pixel anew.
    ASSERT_TRUE(b.LoadScaled(dir.filePath("a.png"), 640, 480));
    QImage expected(640, 480, QImage::Format_RGB32);
    BoardBitmap::Stretch(Coordinates(100, 100), BoardBitmap::SourceRect(100, 100, 640, 480), expected);
    EXPECT_EQ(b.picture, expected);
}

TEST(BoardBitmap, ZeroSizeBoardLeavesNoPictureAndNoCells)
{
    TileGrid grid;
    grid.Resize(4, 6);
    BoardBitmap b;
    b.grid = &grid;
    EXPECT_FALSE(b.LoadScaled(QString(), 0, 300));
    EXPECT_TRUE(b.picture.isNull());
    EXPECT_EQ(b.CellWidth(), 0);
    EXPECT_EQ(b.CellHeight(), 0);
    const Cell c = b.CellAt(100, 100);
    EXPECT_EQ(c.row, 0);
    EXPECT_EQ(c.column, 0);
    EXPECT_TRUE(b.LoadScaled(QString(), 600, 400)) << "the next real size brings it back";
    EXPECT_EQ(b.CellWidth(), 100);
}

TEST(BoardBitmap, CellGeometryTruncatesAndClamps)
{
    TileGrid grid;
    grid.Resize(2, 3);
    BoardBitmap b;
    b.grid = &grid;
    EXPECT_EQ(b.CellWidth(), 213);
    EXPECT_EQ(b.CellHeight(), 240);
    auto at = [&](int y, int x) { const Cell c = b.CellAt(y, x); return std::make_pair(c.row, c.column); };
    EXPECT_EQ(at(0, 0), std::make_pair(0, 0));
    EXPECT_EQ(at(239, 212), std::make_pair(0, 0));
    EXPECT_EQ(at(240, 213), std::make_pair(1, 1));
    EXPECT_EQ(at(-5, -300), std::make_pair(0, 0));
    EXPECT_EQ(at(479, 639), std::make_pair(1, 2)) << "the strip right of the last cell clamps";
    EXPECT_EQ(at(5000, 5000), std::make_pair(1, 2));
}

TEST(BoardBitmap, HugePhotosDecodeButBombsAreRefused)
{
    QTemporaryDir dir;
    // A PNG header that claims 100000 x 100000 pixels.
    QImage small(8, 8, QImage::Format_RGB32);
    small.fill(Qt::red);
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        small.save(&buffer, "PNG");
    }
    // IHDR width and height live at bytes 16..23; the chunk CRC then fails
    // too, which a decoder must also survive.
    auto put = [&](int at, quint32 v) {
        png[at] = char(v >> 24); png[at + 1] = char(v >> 16); png[at + 2] = char(v >> 8); png[at + 3] = char(v);
    };
    put(16, 100000);
    put(20, 100000);
    BoardBitmap b;
    EXPECT_FALSE(b.LoadScaled(Write(dir, "bomb.png", png), 64, 64));
    EXPECT_EQ(b.source.size(), QSize(640, 480));

    // A real 12000 x 9000 photo is within the raised limit.
    QImage big(12000, 9000, QImage::Format_RGB32);
    big.fill(qRgb(10, 20, 30));
    ASSERT_TRUE(big.save(dir.filePath("big.jpg"), "JPEG", 50));
    big = QImage();
    ASSERT_TRUE(b.LoadScaled(dir.filePath("big.jpg"), 64, 48));
    EXPECT_EQ(b.source.size(), QSize(12000, 9000));
}

// A picture one pixel across, cut to a board of other proportions, leaves
// less than a pixel to take; the board is then made from the middle pixel
// rather than left as whatever the fresh bitmap's memory held.
TEST(BoardBitmap, Slivers)
{
    EXPECT_EQ(BoardBitmap::SourceRect(1, 300, 40, 30), QRect(0, 149, 1, 1));
    EXPECT_EQ(BoardBitmap::SourceRect(300, 1, 30, 40), QRect(149, 0, 1, 1));
    EXPECT_EQ(BoardBitmap::SourceRect(24, 18, 1, 71), QRect(11, 0, 1, 18));

    QTemporaryDir dir;
    ASSERT_TRUE(Coordinates(1, 300).save(dir.filePath("tall.png")));
    ASSERT_TRUE(Coordinates(300, 1).save(dir.filePath("wide.png")));
    for (const auto& [name, middle] : {std::pair{"tall.png", qRgb(0, 149, 0)}, std::pair{"wide.png", qRgb(149, 0, 0)}}) {
        BoardBitmap b;
        ASSERT_TRUE(b.LoadScaled(dir.filePath(name), 40, 30)) << name;
        int others = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                others += (b.picture.pixel(x, y) | 0xff000000u) != middle;
        EXPECT_EQ(others, 0) << name;
    }
}
