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

// Eight pixels at a time where the processor allows it, one at a time near
// the row's end, for strong shrinks and for enlargements: every way must
// give the pixel under each target pixel's centre.
TEST(BoardBitmap, StretchTakesThePixelUnderEachCentreAtEverySize)
{
    const QImage src = Coordinates(700, 40);
    const struct {
        QRect cut;
        int width;
    } cases[] = {
        {{0, 0, 700, 40}, 451}, // shrinks by 1.55, as from a photo decoded for the board
        {{0, 0, 700, 40}, 351}, // by just under 2
        {{0, 0, 700, 40}, 200}, // by 3.5: eight pixels span more than sixteen
        {{3, 5, 697, 30}, 699}, // nearly one to one, up to the row's last pixel
        {{650, 0, 50, 40}, 37}, // a cut at the right edge
        {{5, 0, 40, 40}, 333},  // enlarged
        {{0, 0, 700, 40}, 9},
        {{0, 0, 700, 40}, 7},
    };
    for (const auto& c : cases) {
        QImage to(c.width, 3, QImage::Format_RGB32);
        BoardBitmap::Stretch(src, c.cut, to);
        for (int y = 0; y < to.height(); ++y)
            for (int x = 0; x < to.width(); ++x) {
                const int sx = c.cut.x() + (2 * x + 1) * c.cut.width() / (2 * c.width);
                const int sy = c.cut.y() + (2 * y + 1) * c.cut.height() / (2 * to.height());
                ASSERT_EQ(to.pixel(x, y), src.pixel(sx, sy)) << c.width << " wide, at " << x << "," << y;
            }
    }
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
    EXPECT_EQ(j.sourceFullSize, QSize(600, 800));
    EXPECT_EQ(j.source.size(), QSize(300, 400)) << "a JPEG comes from the decoder at the scale the board needs";
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

// A file that does not decode changes nothing, and a later request for it
// does not pretend to succeed; it is not opened again until it changes.
TEST(BoardBitmap, RefusedFilesChangeNothingUntilTheyChange)
{
    QTemporaryDir dir;
    QByteArray png;
    {
        QImage img = Coordinates(64, 48);
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        img.save(&buffer, "PNG");
    }
    struct Case { QString path; int opened; };
    const Case files[] = {
        {Write(dir, "empty.png", QByteArray()), 0}, // no bytes, no picture: never opened
        {dir.filePath("missing.png"), 0},
        {dir.path(), 0}, // a directory
        {Write(dir, "garbage.jpg", QByteArray(5000, 'x')), 1},
        {Write(dir, "truncated.png", png.left(png.size() / 3)), 1},
    };
    for (const Case& c : files) {
        BoardBitmap b;
        const QImage before = b.picture;
        for (int attempt = 0; attempt < 3; ++attempt) {
            EXPECT_FALSE(b.LoadScaled(c.path, 320, 240)) << c.path.toStdString();
            EXPECT_TRUE(b.sourcePath.isEmpty());
            EXPECT_EQ(b.picture, before);
            EXPECT_EQ(b.source, before);
        }
        EXPECT_EQ(b.decodes, c.opened) << c.path.toStdString();
    }

    // Mended, the file is read again and loads.
    BoardBitmap b;
    const QString mended = dir.filePath("garbage.jpg");
    ASSERT_FALSE(b.LoadScaled(mended, 320, 240));
    Write(dir, "garbage.jpg", png);
    ASSERT_TRUE(b.LoadScaled(mended, 320, 240));
    EXPECT_EQ(b.sourcePath, mended);
    EXPECT_EQ(b.source.size(), QSize(64, 48));
    EXPECT_TRUE(b.failed.isEmpty());
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

    // A real 12000 x 9000 photo is within the raised limit, and a 64 x 48
    // board needs no more than an eighth of it.
    QImage big(12000, 9000, QImage::Format_RGB32);
    big.fill(qRgb(10, 20, 30));
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(big.save(&buffer, "JPEG", 50));
    }
    big = QImage();
    ASSERT_TRUE(b.LoadScaled(Write(dir, "big.jpg", jpeg), 64, 48));
    EXPECT_EQ(b.sourceFullSize, QSize(12000, 9000));
    EXPECT_EQ(b.source.size(), QSize(1500, 1125));

    // The same photo claiming 60000 x 60000 in its frame header: a full
    // decode would be refused, and so is one at an eighth.
    const int sof = jpeg.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    for (const int at : {sof + 5, sof + 7}) {
        jpeg[at] = char(60000 >> 8);
        jpeg[at + 1] = char(60000 & 0xff);
    }
    const int opened = b.decodes;
    EXPECT_FALSE(b.LoadScaled(Write(dir, "claims.jpg", jpeg), 64, 48));
    EXPECT_EQ(b.decodes, opened + 1);
    EXPECT_EQ(b.source.size(), QSize(1500, 1125));
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

namespace {

// A JPEG of four flat quadrants (red, yellow / black, green), so where each
// corner of the photo went survives any decoding scale.
QByteArray Quadrants(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x < w / 2 ? 255 : 0, (x < w / 2) == (y < h / 2) ? 255 : 0, 0));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "JPEG", 95);
    return jpeg;
}

// The JPEG with an EXIF note that it is to be turned before it is shown
// (orientation 6: a quarter turn clockwise, as phones store portraits).
QByteArray WithOrientation(const QByteArray& jpeg, int orientation)
{
    QByteArray tiff("MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\0\0\0\0\0\0\0", 26);
    tiff[19] = char(orientation);
    QByteArray app1("\xff\xe1\0\0Exif\0\0", 10);
    app1[3] = char(app1.size() - 2 + tiff.size());
    return jpeg.left(2) + app1 + tiff + jpeg.mid(2);
}

// The colour of a board corner, to the nearest primary.
QString Corner(const QImage& picture, int x, int y)
{
    const QRgb c = picture.pixel(x, y);
    return QString(qRed(c) > 128 ? "R" : "") + (qGreen(c) > 128 ? "G" : "") + (qBlue(c) > 128 ? "B" : "");
}

QStringList Corners(const QImage& p)
{
    return {Corner(p, 0, 0), Corner(p, p.width() - 1, 0), Corner(p, 0, p.height() - 1),
            Corner(p, p.width() - 1, p.height() - 1)};
}

} // namespace

TEST(BoardBitmap, JpegScaleIsTheCoarsestThatStillFillsTheBoard)
{
    const QSize photo(6000, 4000);
    struct Case { QSize board; int scale; };
    const Case cases[] = {
        {{750, 500}, 8},   {{751, 500}, 4},  {{750, 501}, 4},   {{1500, 1000}, 4},
        {{1501, 1000}, 2}, {{3000, 2000}, 2}, {{3001, 2000}, 1}, {{8000, 6000}, 1},
        // A 16:9 board takes a band of 6000 x 3375, 3000 x 1688 at half size.
        {{1920, 1080}, 2}, {{3000, 1688}, 2}, {{3001, 1688}, 1}, {{0, 0}, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BoardBitmap::ScaleFor(photo, c.board), c.scale) << c.board.width() << "x" << c.board.height();
    // A size that is no multiple of the scale: its last, partial block of
    // pixels is not decoded and does not count.
    EXPECT_EQ(BoardBitmap::ScaleFor(QSize(807, 605), QSize(100, 75)), 8);
    EXPECT_EQ(BoardBitmap::ScaleFor(QSize(807, 605), QSize(101, 75)), 4);
}

TEST(BoardBitmap, TheCutKeepsItsCentreOnTheScaledPicture)
{
    // The band of 6000 x 3375 from row 312, at half size.
    EXPECT_EQ(BoardBitmap::ScaledCut(QSize(6000, 4000), 1, QSize(1920, 1080)), QRect(0, 312, 6000, 3375));
    EXPECT_EQ(BoardBitmap::ScaledCut(QSize(6000, 4000), 2, QSize(1920, 1080)), QRect(0, 156, 3000, 1688));
    // Portrait photo on a landscape board: 4000 x 2250 from row 1875.
    EXPECT_EQ(BoardBitmap::ScaledCut(QSize(4000, 6000), 4, QSize(800, 450)), QRect(0, 469, 1000, 562));
    // Never outside the decoded picture, never empty.
    EXPECT_EQ(BoardBitmap::ScaledCut(QSize(807, 605), 8, QSize(100, 75)), QRect(0, 0, 100, 75));
    EXPECT_EQ(BoardBitmap::ScaledCut(QSize(9, 3000), 8, QSize(1, 1)), QRect(0, 187, 1, 1));
}

TEST(BoardBitmap, AJpegIsDecodedAgainOnlyWhenTheBoardNeedsMoreOfIt)
{
    QTemporaryDir dir;
    const QString path = Write(dir, "q.jpg", Quadrants(1600, 1200));
    const QStringList quadrants = {"RG", "", "R", "G"};
    BoardBitmap b;
    struct Step { QSize board; qreal ratio; int decodes; int scale; };
    const Step steps[] = {
        {{200, 150}, 1.0, 1, 8}, {{100, 75}, 1.0, 1, 8},  // fewer pixels: the picture on hand
        {{201, 150}, 1.0, 2, 4}, {{200, 150}, 1.0, 2, 4},  // more: an eighth no longer does
        {{400, 300}, 2.0, 3, 2},                            // 800 x 600 device pixels
        {{1600, 1200}, 1.0, 4, 1}, {{400, 300}, 1.0, 4, 1},
    };
    for (const Step& s : steps) {
        ASSERT_TRUE(b.LoadScaled(path, s.board.width(), s.board.height(), s.ratio));
        EXPECT_EQ(b.decodes, s.decodes) << s.board.width();
        EXPECT_EQ(b.sourceScale, s.scale) << s.board.width();
        EXPECT_EQ(b.source.size(), QSize(1600, 1200) / s.scale);
        EXPECT_EQ(b.Size(), s.board);
        EXPECT_EQ(b.picture.size(), s.board * s.ratio);
        EXPECT_EQ(Corners(b.picture), quadrants);
        QImage expected(b.picture.size(), QImage::Format_RGB32);
        BoardBitmap::Stretch(b.source, BoardBitmap::ScaledCut(QSize(1600, 1200), s.scale, b.picture.size()), expected);
        expected.setDevicePixelRatio(s.ratio);
        EXPECT_EQ(b.picture, expected) << "a plain stretch of the cut";
    }
    // The picture on hand, prepared for a larger board, is read finer too.
    BoardBitmap c;
    ASSERT_TRUE(c.LoadScaled(path, 100, 75));
    ASSERT_TRUE(c.Rescale(800, 600));
    EXPECT_EQ(c.decodes, 2);
    EXPECT_EQ(c.sourceScale, 2);
}

TEST(BoardBitmap, PhoneOrientationIsHonouredAtEveryScale)
{
    QTemporaryDir dir;
    // Stored 807 x 605 on its side, seen as 605 x 807 after a quarter turn
    // clockwise: the stored left column becomes the top row.
    const QString path = Write(dir, "portrait.jpg", WithOrientation(Quadrants(807, 605), 6));
    const QStringList seen = {"R", "RG", "G", ""};
    for (const QSize board : {QSize(75, 100), QSize(150, 200), QSize(300, 400), QSize(605, 807)}) {
        BoardBitmap b;
        ASSERT_TRUE(b.LoadScaled(path, board.width(), board.height()));
        EXPECT_EQ(b.sourceFullSize, QSize(605, 807));
        EXPECT_EQ(b.source.size(), QSize(605 / b.sourceScale, 807 / b.sourceScale));
        EXPECT_EQ(Corners(b.picture), seen) << board.width();
    }
    // The cut applies to the photo as seen: on a wide board, a band across
    // its middle, through all four quadrants.
    BoardBitmap wide;
    ASSERT_TRUE(wide.LoadScaled(path, 120, 40));
    EXPECT_EQ(wide.sourceScale, 4);
    EXPECT_EQ(Corners(wide.picture), seen);
    EXPECT_EQ(Corner(wide.picture, 30, 10), "R");
    EXPECT_EQ(Corner(wide.picture, 30, 30), "G");
}

TEST(BoardBitmap, DevicePixelsAtARatioCellsInBoardPixels)
{
    TileGrid grid;
    grid.Resize(2, 3);
    BoardBitmap b;
    b.grid = &grid;
    ASSERT_TRUE(b.Rescale(641, 480, 2.0));
    EXPECT_EQ(b.picture.size(), QSize(1282, 960));
    EXPECT_EQ(b.picture.devicePixelRatio(), 2.0);
    EXPECT_EQ(b.Size(), QSize(641, 480));
    EXPECT_EQ(b.CellWidth(), 213);
    EXPECT_EQ(b.CellAt(479, 640).column, 2);
    // Fractional ratios round to whole device pixels and back.
    ASSERT_TRUE(b.Rescale(641, 481, 1.25));
    EXPECT_EQ(b.picture.size(), QSize(801, 601));
    EXPECT_EQ(b.Size(), QSize(641, 481));
    // Below 1 the picture stays at board size.
    ASSERT_TRUE(b.Rescale(64, 48, 0.5));
    EXPECT_EQ(b.picture.size(), QSize(64, 48));
}
