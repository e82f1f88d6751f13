#include "animation/animation_encoders.h"

#include "animation/median_cut.h"
#include "animation/replay_frames.h"
#include "view/board_painter.h"

#include <gif_lib.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <QImage>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace tesselo {

namespace {

int WriteToArray(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

// Centiseconds, the GIF's unit, rounded so that the delays add up to the
// animation's length rather than drifting from it.
int Centiseconds(std::int64_t ms)
{
    return int((ms + 5) / 10);
}

// The rectangle where two frames of one size differ; empty when they
// are alike.
QRect Changed(const QImage& before, const QImage& after)
{
    int top = -1, bottom = -1, left = after.width(), right = -1;
    const std::size_t rowBytes = std::size_t(after.width()) * sizeof(QRgb);
    for (int y = 0; y < after.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(after.constScanLine(y));
        if (std::memcmp(a, b, rowBytes) == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        int x = 0;
        while (x < left && a[x] == b[x])
            ++x;
        left = std::min(left, x);
        int z = after.width() - 1;
        while (z > right && a[z] == b[z])
            --z;
        right = std::max(right, z);
    }
    if (top < 0)
        return QRect();
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};

QString GifError(int code)
{
    const char* text = GifErrorString(code);
    return QStringLiteral("GIF: %1").arg(QString::fromLatin1(text ? text : "unknown error"));
}

} // namespace

EncodeOutcome EncodeGif(ReplayFrames& frames, QByteArray* out, const FrameProgress& progress, QString* error,
                        bool dither)
{
    out->clear();
    // Written here and handed out only whole: the closing of a file given
    // up on still writes its end.
    QByteArray bytes;
    const int count = frames.Count();
    const QImage first = frames.Frame(0);
    const QImage last = frames.Frame(count - 1);
    if (first.isNull() || last.isNull()) {
        *error = QStringLiteral("the board could not be painted");
        return EncodeOutcome::Failed;
    }
    const std::array<QImage, 2> samples{first, last};
    const std::array<QRgb, 2> keep{kGridColour, kSelectionColour};
    PaletteMap map(MedianCutPalette(CountColours(samples), 256, keep));

    // The colour table's size is a power of two; the room left is black.
    int tableSize = 2;
    while (tableSize < int(map.Palette().size()))
        tableSize *= 2;
    std::vector<GifColorType> table(std::size_t(tableSize), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < map.Palette().size(); ++i)
        table[i] = GifColorType{GifByteType(qRed(map.Palette()[i])), GifByteType(qGreen(map.Palette()[i])),
                                GifByteType(qBlue(map.Palette()[i]))};
    ColorMapObject* colours = GifMakeMapObject(tableSize, table.data());
    if (!colours) {
        *error = QStringLiteral("GIF: no memory for the colour table");
        return EncodeOutcome::Failed;
    }
    int code = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&bytes, &WriteToArray, &code));
    const auto failed = [&](int why) {
        GifFreeMapObject(colours);
        *error = GifError(why);
        return EncodeOutcome::Failed;
    };
    if (!gif)
        return failed(code);
    EGifSetGifVersion(gif.get(), true);
    const int width = first.width(), height = first.height();
    if (EGifPutScreenDesc(gif.get(), width, height, 8, 0, colours) == GIF_ERROR)
        return failed(gif->Error);
    // Looping for ever: the application extension browsers know.
    static const GifByteType kNetscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType kLoop[] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(gif.get(), sizeof kNetscape, kNetscape) == GIF_ERROR ||
        EGifPutExtensionBlock(gif.get(), sizeof kLoop, kLoop) == GIF_ERROR ||
        EGifPutExtensionTrailer(gif.get()) == GIF_ERROR)
        return failed(gif->Error);

    QImage before;
    std::vector<std::uint8_t> indices;
    for (int i = 0; i < count; ++i) {
        const QImage frame = i == 0 ? first : i == count - 1 ? last : frames.Frame(i);
        if (frame.isNull() || frame.size() != first.size()) {
            GifFreeMapObject(colours);
            *error = QStringLiteral("the board could not be painted");
            return EncodeOutcome::Failed;
        }
        QRect area = before.isNull() ? frame.rect() : Changed(before, frame);
        // A frame like the one before still takes its time: one pixel.
        if (area.isEmpty())
            area = QRect(0, 0, 1, 1);
        indices.resize(std::size_t(area.width()) * std::size_t(area.height()));
        if (dither)
            map.MapAreaDithered(frame, area, indices.data());
        else
            map.MapArea(frame, area, indices.data());
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.UserInputFlag = false;
        control.DelayTime = Centiseconds(frames.Start(i + 1)) - Centiseconds(frames.Start(i));
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension) == GIF_ERROR ||
            EGifPutImageDesc(gif.get(), area.left(), area.top(), area.width(), area.height(), false, nullptr) ==
                GIF_ERROR)
            return failed(gif->Error);
        for (int y = 0; y < area.height(); ++y)
            if (EGifPutLine(gif.get(), indices.data() + std::size_t(y) * std::size_t(area.width()), area.width()) ==
                GIF_ERROR)
                return failed(gif->Error);
        before = frame;
        if (progress && !progress(i + 1, count)) {
            GifFreeMapObject(colours);
            return EncodeOutcome::Stopped;
        }
    }
    GifFreeMapObject(colours);
    GifFileType* open = gif.release();
    if (EGifCloseFile(open, &code) == GIF_ERROR) {
        *error = GifError(code);
        return EncodeOutcome::Failed;
    }
    *out = std::move(bytes);
    return EncodeOutcome::Done;
}

namespace {

struct WebpEncoderDeleter {
    void operator()(WebPAnimEncoder* encoder) const { WebPAnimEncoderDelete(encoder); }
};

} // namespace

EncodeOutcome EncodeWebp(ReplayFrames& frames, QByteArray* out, const FrameProgress& progress, QString* error)
{
    out->clear();
    const int count = frames.Count();
    const QSize size = frames.Size();
    if (!frames.IsReady()) {
        *error = QStringLiteral("the board could not be painted");
        return EncodeOutcome::Failed;
    }
    WebPAnimEncoderOptions options;
    WebPConfig config;
    if (!WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&config)) {
        *error = QStringLiteral("WebP: the library does not match the version built against");
        return EncodeOutcome::Failed;
    }
    options.anim_params.loop_count = 0;
    // The board's one-pixel lines and the tiles' numbers blur under the
    // lossy coder's halved colour resolution; sharp YUV and a high quality
    // keep them clean. Method 2 takes a fraction of the default's time
    // for a file a little larger.
    config.quality = 90;
    config.use_sharp_yuv = 1;
    config.method = 2;
    std::unique_ptr<WebPAnimEncoder, WebpEncoderDeleter> encoder(
        WebPAnimEncoderNew(size.width(), size.height(), &options));
    if (!encoder) {
        *error = QStringLiteral("WebP: no memory for the encoder");
        return EncodeOutcome::Failed;
    }
    const auto failed = [&](const QString& why) {
        *error = QStringLiteral("WebP: %1").arg(why);
        out->clear();
        return EncodeOutcome::Failed;
    };
    for (int i = 0; i < count; ++i) {
        const QImage frame = frames.Frame(i);
        if (frame.isNull() || frame.size() != size)
            return failed(QStringLiteral("the board could not be painted"));
        WebPPicture picture;
        if (!WebPPictureInit(&picture))
            return failed(QStringLiteral("the library does not match the version built against"));
        picture.width = size.width();
        picture.height = size.height();
        picture.use_argb = 1;
        if (!WebPPictureAlloc(&picture))
            return failed(QStringLiteral("no memory for a frame"));
        // The picture's pixels are ARGB words, as QImage's RGB32.
        for (int y = 0; y < size.height(); ++y)
            std::memcpy(picture.argb + std::ptrdiff_t(y) * picture.argb_stride, frame.constScanLine(y),
                        std::size_t(size.width()) * sizeof(std::uint32_t));
        const int added = WebPAnimEncoderAdd(encoder.get(), &picture, int(frames.Start(i)), &config);
        WebPPictureFree(&picture);
        if (!added)
            return failed(QString::fromUtf8(WebPAnimEncoderGetError(encoder.get())));
        if (progress && !progress(i + 1, count)) {
            out->clear();
            return EncodeOutcome::Stopped;
        }
    }
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAdd(encoder.get(), nullptr, int(frames.Start(count)), nullptr) ||
        !WebPAnimEncoderAssemble(encoder.get(), &data)) {
        WebPDataClear(&data);
        return failed(QString::fromUtf8(WebPAnimEncoderGetError(encoder.get())));
    }
    *out = QByteArray(reinterpret_cast<const char*>(data.bytes), qsizetype(data.size));
    WebPDataClear(&data);
    return EncodeOutcome::Done;
}

} // namespace tesselo
