#include "animation/replay_export.h"
#include "animation/replay_frames.h"
#include "model/replay.h"
#include "pictures/board_bitmap.h"
#include "solve_fixture.h"
#include "view/board_painter.h"
#include "view/painter_target.h"

#include <gif_lib.h>
#include <webp/demux.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

using namespace tesselo;
using tesselo::testing::MakeSolve;

namespace {

struct Decoded {
    std::vector<QImage> frames;      // each frame as shown, whole
    std::vector<std::int64_t> ends;  // when each ends, ms from the start
};

int ReadFromArray(GifFileType* gif, GifByteType* to, int length)
{
    auto* source = static_cast<std::pair<const QByteArray*, qsizetype>*>(gif->UserData);
    const qsizetype n = std::min<qsizetype>(length, source->first->size() - source->second);
    std::memcpy(to, source->first->constData() + source->second, std::size_t(n));
    source->second += n;
    return int(n);
}

// The GIF read back with giflib, each frame laid over the ones before.
Decoded ReadGif(const QByteArray& bytes)
{
    Decoded out;
    std::pair<const QByteArray*, qsizetype> source{&bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&source, &ReadFromArray, &error);
    EXPECT_NE(gif, nullptr) << error;
    if (!gif)
        return out;
    EXPECT_EQ(DGifSlurp(gif), GIF_OK) << gif->Error;
    QImage canvas(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
    canvas.fill(Qt::magenta);
    std::int64_t time = 0;
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        for (int y = 0; y < image.ImageDesc.Height; ++y)
            for (int x = 0; x < image.ImageDesc.Width; ++x) {
                const GifColorType c = map->Colors[image.RasterBits[y * image.ImageDesc.Width + x]];
                canvas.setPixel(image.ImageDesc.Left + x, image.ImageDesc.Top + y, qRgb(c.Red, c.Green, c.Blue));
            }
        GraphicsControlBlock control;
        EXPECT_EQ(DGifSavedExtensionToGCB(gif, i, &control), GIF_OK);
        time += control.DelayTime * 10;
        out.frames.push_back(canvas.copy());
        out.ends.push_back(time);
    }
    DGifCloseFile(gif, &error);
    return out;
}

// The WebP read back with libwebp's animation decoder.
Decoded ReadWebp(const QByteArray& bytes)
{
    Decoded out;
    WebPAnimDecoderOptions options;
    EXPECT_TRUE(WebPAnimDecoderOptionsInit(&options));
    options.color_mode = MODE_BGRA;
    const WebPData data{reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())};
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
    EXPECT_NE(decoder, nullptr);
    if (!decoder)
        return out;
    WebPAnimInfo info;
    EXPECT_TRUE(WebPAnimDecoderGetInfo(decoder, &info));
    while (WebPAnimDecoderHasMoreFrames(decoder)) {
        std::uint8_t* pixels = nullptr;
        int timestamp = 0;
        EXPECT_TRUE(WebPAnimDecoderGetNext(decoder, &pixels, &timestamp));
        QImage frame(pixels, int(info.canvas_width), int(info.canvas_height), QImage::Format_ARGB32);
        out.frames.push_back(frame.convertToFormat(QImage::Format_RGB32));
        out.ends.push_back(timestamp);
    }
    WebPAnimDecoderDelete(decoder);
    return out;
}

// The mean difference of the channels of two images of one size, 0 to 255.
double MeanDifference(const QImage& a, const QImage& b)
{
    EXPECT_EQ(a.size(), b.size());
    if (a.size() != b.size())
        return 255;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

// The start as the board painter paints it at rest.
QImage PaintedStart(const TileGrid& start, QSize size)
{
    BoardBitmap board;
    EXPECT_TRUE(board.Rescale(size.width(), size.height()));
    board.grid = &start;
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    PainterTarget target(painter);
    EXPECT_TRUE(DrawBoard(target, board));
    return image;
}

ReplayExport::Job JobOf(int rows, int columns, int moves, bool numbers)
{
    const auto solve = MakeSolve(rows, columns, moves, 99);
    ReplayExport::Job job;
    job.start = solve.start;
    job.steps = solve.steps;
    job.numbers = numbers;
    return job;
}

} // namespace

TEST(ReplayFrames, SizesTheBoardInWholeCellsWithinTheLongerSide)
{
    struct Case {
        int rows, columns;
        QSize proportions;
        int side;
        QSize expected;
    };
    for (const Case& c : {Case{5, 5, {640, 480}, 480, {480, 360}}, Case{3, 7, {640, 480}, 480, {476, 360}},
                          Case{6, 4, {480, 640}, 480, {360, 480}}, Case{20, 20, {640, 480}, 30, {60, 40}},
                          Case{4, 4, {0, 0}, 100000, {2048, 1536}}, Case{0, 4, {640, 480}, 480, {}}})
        EXPECT_EQ(ReplayFrames::BoardSize(c.rows, c.columns, c.proportions, c.side), c.expected)
            << c.rows << "x" << c.columns << " side " << c.side;
}

TEST(ReplayFrames, HoldTheStartGlideEachMoveAndEndOnTheWholePicture)
{
    const auto solve = MakeSolve(4, 5, 3, 5);
    const QSize size = ReplayFrames::BoardSize(4, 5, {640, 480}, 200);
    ReplayFrames frames(solve.start, solve.steps, BoardBitmap(), size, false);
    ASSERT_TRUE(frames.IsReady());
    ASSERT_EQ(frames.Count(), 1 + 3 * ReplayFrames::kFramesPerMove);
    EXPECT_EQ(frames.Start(1), Replay::kStartRest);
    EXPECT_EQ(frames.Start(frames.Count()), Replay::kStartRest + 3 * Replay::kStep + ReplayFrames::kEndHoldMs);
    for (int i = 0; i < frames.Count(); ++i)
        EXPECT_LT(frames.Start(i), frames.Start(i + 1)) << i;
    EXPECT_EQ(frames.Frame(0), PaintedStart(solve.start, size));
    // Every frame differs from the one before: the line moves in each.
    QImage before = frames.Frame(0);
    for (int i = 1; i < frames.Count(); ++i) {
        const QImage frame = frames.Frame(i);
        EXPECT_NE(frame, before) << i;
        before = frame;
    }
    // The last move lands on the whole picture, shown without lines.
    BoardBitmap whole;
    ASSERT_TRUE(whole.Rescale(size.width(), size.height()));
    EXPECT_EQ(frames.Frame(frames.Count() - 1), whole.picture);
    // Asked out of order, a frame is the same.
    const QImage landed = frames.Frame(1 + ReplayFrames::kFramesPerMove - 1);
    EXPECT_EQ(frames.Frame(2), frames.Frame(2));
    EXPECT_EQ(frames.Frame(1 + ReplayFrames::kFramesPerMove - 1), landed);
}

TEST(ReplayExport, GifAndWebpReadBackAsTheSolve)
{
    struct Case {
        ReplayExport::Format format;
        bool numbers;
        double startTolerance; // mean difference allowed from the painted frames
    };
    // The built-in picture's 16 colours and the lines fit a GIF's palette
    // exactly; the tiles' numbers add shades that are matched closely. The
    // lossy WebP comes near.
    for (const Case& c : {Case{ReplayExport::Format::Gif, false, 0.0}, Case{ReplayExport::Format::Gif, true, 1.0},
                          Case{ReplayExport::Format::Webp, false, 4.0}}) {
        SCOPED_TRACE(c.format == ReplayExport::Format::Gif ? "GIF" : "WebP");
        for (int moves : {2, 5}) {
            const ReplayExport::Job job = JobOf(5, 5, moves, c.numbers);
            QByteArray bytes;
            QString error;
            int told = 0;
            ASSERT_EQ(ReplayExport::Encode(job, c.format, &bytes, [&](int done, int total) {
                EXPECT_EQ(done, ++told);
                EXPECT_EQ(total, ReplayFrames::CountFor(std::size_t(moves)));
                return true;
            }, &error), ReplayExport::Outcome::Written) << error.toStdString();
            const Decoded decoded = c.format == ReplayExport::Format::Gif ? ReadGif(bytes) : ReadWebp(bytes);
            ASSERT_EQ(int(decoded.frames.size()), ReplayFrames::CountFor(std::size_t(moves)));
            const QSize size = ReplayFrames::BoardSize(5, 5, job.proportions, job.side);
            ReplayFrames painted(job.start, job.steps, BoardBitmap(), size, c.numbers);
            EXPECT_LE(MeanDifference(decoded.frames.front(), painted.Frame(0)), c.startTolerance);
            EXPECT_LE(MeanDifference(decoded.frames.back(), painted.Frame(painted.Count() - 1)), c.startTolerance);
            EXPECT_GT(MeanDifference(decoded.frames.front(), decoded.frames.back()), 5.0);
            EXPECT_EQ(decoded.ends.back(), painted.Start(painted.Count()));
            EXPECT_EQ(told, painted.Count());
        }
    }
}

TEST(ReplayExport, ACancelOrAFailureLeavesNoFile)
{
    QTemporaryDir dir;
    const ReplayExport::Job job = JobOf(5, 5, 6, false);
    QString error;
    const QString cancelled = dir.filePath("cancelled.gif");
    EXPECT_EQ(ReplayExport::Write(job, cancelled, [](int done, int) { return done < 3; }, &error),
              ReplayExport::Outcome::Cancelled);
    EXPECT_FALSE(QFile::exists(cancelled));
    // An older file stays as it was.
    const QString kept = dir.filePath("kept.webp");
    QFile old(kept);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    EXPECT_EQ(ReplayExport::Write(job, kept, [](int, int) { return false; }, &error),
              ReplayExport::Outcome::Cancelled);
    QFile back(kept);
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    EXPECT_EQ(back.readAll(), QByteArray("old"));
    // No folder there: a reason, and nothing made.
    const QString nowhere = dir.filePath("missing/solve.gif");
    EXPECT_EQ(ReplayExport::Write(job, nowhere, {}, &error), ReplayExport::Outcome::Failed);
    EXPECT_TRUE(error.contains(nowhere)) << error.toStdString();
    EXPECT_FALSE(QDir(dir.filePath("missing")).exists());
    // Neither GIF nor WebP.
    for (const char* name : {"solve.png", "solve", "solve.gif.txt"}) {
        error.clear();
        EXPECT_EQ(ReplayExport::Write(job, dir.filePath(name), {}, &error), ReplayExport::Outcome::Failed) << name;
        EXPECT_TRUE(error.contains(".gif")) << name;
    }
    EXPECT_EQ(ReplayExport::FormatOf("A.GIF"), ReplayExport::Format::Gif);
    EXPECT_EQ(ReplayExport::FormatOf("a.WebP"), ReplayExport::Format::Webp);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.webp"});
}
