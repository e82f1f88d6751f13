#include "pictures/board_bitmap.h"

#include "files/safe_file.h"
#include "model/tile_grid.h"

#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TESSELO_STRETCH_AVX2 1
#include <immintrin.h>
#endif

namespace tesselo {

namespace {

// Qt refuses images above 256 MiB by default, which turns away ordinary
// camera photos. 1 GiB admits 12000 x 9000 and larger while a header that
// claims an absurd size is still refused before anything is allocated.
constexpr int kAllocationLimitMiB = 1024;

// No screen packs more device pixels into a board pixel than this; a wilder
// ratio would only make a picture too big to hold.
constexpr qreal kMaxRatio = 8.0;

void RaiseAllocationLimit()
{
    static const bool done = [] {
        QImageReader::setAllocationLimit(kAllocationLimitMiB);
        return true;
    }();
    (void)done;
}

qreal DeviceRatio(qreal ratio)
{
    // Below 1 the screen has fewer pixels than the board; the picture is
    // then made at board size and the screen's own scaling takes it down.
    return std::isfinite(ratio) && ratio > 1.0 ? std::min(ratio, kMaxRatio) : 1.0;
}

QSize DeviceSize(std::int32_t width, std::int32_t height, qreal ratio)
{
    return QSize(qRound(width * ratio), qRound(height * ratio));
}

// A file of no bytes holds no picture, and some of them (/proc/kmsg) block
// whoever reads them; anything but a regular file (a pipe, a device, a
// directory) is passed over without a read.
constexpr qint64 kMinPictureBytes = 1;

std::optional<FileStamp> StampOf(const FileToRead& file)
{
    if (!file.IsOpen())
        return std::nullopt;
    return FileStamp{file.Size(), file.Modified()};
}

// Decodes the picture on `device` as the player sees it, in Format_RGB32. A
// JPEG comes straight from the decoder at 1/scale of its size, as coarse as
// a board of `board` device pixels allows; everything else is read whole.
bool ReadPicture(QIODevice* device, QSize board, QImage* out, QSize* fullSize, int* scale)
{
    QImageReader reader(device);
    reader.setDecideFormatFromContent(true);
    // Phones store a portrait photo on its side with a note to turn it; the
    // cut and the stretch work on the photo as it is seen everywhere else.
    reader.setAutoTransform(true);
    int d = 1;
    if (reader.format() == "jpeg") {
        const QSize stored = reader.size();
        if (stored.isValid() && !stored.isEmpty()) {
            // What a full decode would refuse, a scaled one refuses too: a
            // header claiming an absurd size stays a damaged file.
            if (qint64(stored.width()) * stored.height() * 4 > qint64(kAllocationLimitMiB) * 1024 * 1024)
                return false;
            const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
            *fullSize = turned ? stored.transposed() : stored;
            d = BoardBitmap::ScaleFor(*fullSize, board);
            if (d > 1) {
                // Qt's JPEG reader takes a clip whose edges fall on whole
                // blocks of d x d pixels straight from the decoder at 1/d,
                // and smooths any other clip or size afterwards. So the
                // pixels at the right and bottom that do not fill a block
                // (less than one pixel of the decoded picture) are left out.
                // Clip and size are in the file's own orientation; the
                // turn comes after them.
                const QRect clip(0, 0, stored.width() / d * d, stored.height() / d * d);
                reader.setClipRect(clip);
                reader.setScaledSize(QSize(clip.width() / d, clip.height() / d));
            }
        }
    }
    QImage decoded;
    if (!reader.read(&decoded) || decoded.isNull())
        return false;
    if (decoded.format() == QImage::Format_ARGB32)
        decoded.reinterpretAsFormat(QImage::Format_RGB32); // alpha ignored, colours as decoded
    else if (decoded.format() != QImage::Format_RGB32)
        decoded.convertTo(QImage::Format_RGB32);
    if (decoded.isNull())
        return false;
    // Qt marks files named "...@2x" as made for a double-density screen;
    // here every picture is plain pixels.
    decoded.setDevicePixelRatio(1.0);
    if (d > 1 && decoded.size() != QSize(fullSize->width() / d, fullSize->height() / d))
        d = 1; // not the size asked for: taken as a whole picture
    if (d == 1)
        *fullSize = decoded.size();
    *scale = d;
    *out = std::move(decoded);
    return true;
}

// Where each run of eight target pixels of a row finds its source pixels:
// sixteen source pixels from `bases[i]`, picked by `picks[8 i ...]`, or -1
// in bases when they lie further apart or too near the end of the row.
// Shrinking by a factor under two, as from a photo decoded just large enough,
// eight pixels always come from within sixteen.
struct Runs {
    std::vector<int> bases;
    std::vector<std::int32_t> picks;
};

Runs RunsOf(const std::vector<int>& columns, int sourceWidth)
{
    Runs runs;
    const std::size_t count = columns.size() / 8;
    runs.bases.resize(count);
    runs.picks.resize(count * 8);
    for (std::size_t i = 0; i < count; ++i) {
        const int base = columns[8 * i];
        const bool near = columns[8 * i + 7] - base < 16 && base + 16 <= sourceWidth;
        runs.bases[i] = near ? base : -1;
        for (std::size_t k = 0; k < 8; ++k)
            runs.picks[8 * i + k] = near ? columns[8 * i + k] - base : 0;
    }
    return runs;
}

void StretchRow(const QRgb* in, QRgb* out, const int* columns, int w)
{
    for (int x = 0; x < w; ++x)
        out[x] = in[columns[x]];
}

#ifdef TESSELO_STRETCH_AVX2
// The same row, eight pixels at a time: two loads of eight source pixels,
// a permute of each and a blend, where the scalar loop does eight loads of
// one. Meanwhile the cache lines of a source row two rows on are asked for,
// one per run: the rows are apart in memory, and without the hint the
// processor would only start fetching each row once the stretch reached it.
// Together these halve the stretch of a full-screen board.
__attribute__((target("avx2"))) void StretchRowAvx2(const QRgb* in, QRgb* out, const int* columns, int w,
                                                     const Runs& runs, const uchar* ahead, std::size_t aheadBytes)
{
    const __m256i seven = _mm256_set1_epi32(7);
    const std::size_t count = runs.bases.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i * 64 < aheadBytes)
            _mm_prefetch(reinterpret_cast<const char*>(ahead + i * 64), _MM_HINT_T0);
        const int base = runs.bases[i];
        if (base < 0) {
            StretchRow(in, out + 8 * i, columns + 8 * i, 8);
            continue;
        }
        const __m256i picks = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(runs.picks.data() + 8 * i));
        const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + base));
        const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + base + 8));
        // vpermd looks at the low three bits of each pick only.
        const __m256i fromHigh = _mm256_cmpgt_epi32(picks, seven);
        const __m256i pixels = _mm256_blendv_epi8(_mm256_permutevar8x32_epi32(low, picks),
                                                  _mm256_permutevar8x32_epi32(high, picks), fromHigh);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 8 * i), pixels);
    }
    const int done = int(count * 8);
    StretchRow(in, out + done, columns + done, w - done);
}

bool HasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

} // namespace

QImage BoardBitmap::BuiltInPicture()
{
    QImage fish(QStringLiteral(":/tesselo/fish.png"));
    return fish.convertToFormat(QImage::Format_RGB32);
}

BoardBitmap::BoardBitmap()
    : picture(BuiltInPicture()), source(picture), sourceFullSize(source.size())
{
}

QRect BoardBitmap::SourceRect(int srcWidth, int srcHeight, int width, int height)
{
    const double sx = double(width) / double(srcWidth);
    const double sy = double(height) / double(srcHeight);
    // A sliver of a picture (one pixel across) cut to a board of other
    // proportions truncates to nothing; an empty cut would leave the new
    // board bitmap unpainted, so at least the middle pixel is taken.
    if (sy > sx) {
        const int w = std::max(1, static_cast<int>(double(width) / sy));
        return QRect((srcWidth - w) / 2, 0, w, srcHeight);
    }
    if (sy < sx) {
        const int h = std::max(1, static_cast<int>(double(height) / sx));
        return QRect(0, (srcHeight - h) / 2, srcWidth, h);
    }
    return QRect(0, 0, srcWidth, srcHeight);
}

void BoardBitmap::Stretch(const QImage& from, const QRect& rect, QImage& to)
{
    const int w = to.width();
    const int h = to.height();
    if (w <= 0 || h <= 0 || rect.width() <= 0 || rect.height() <= 0)
        return;
    // Each target pixel takes the source pixel under its centre.
    std::vector<int> columns(static_cast<std::size_t>(w));
    for (int x = 0; x < w; ++x)
        columns[std::size_t(x)] =
            rect.x() + int((std::int64_t(2 * x + 1) * rect.width()) / (std::int64_t(2) * w));
    const auto sourceRow = [&](int y) {
        return rect.y() + int((std::int64_t(2 * y + 1) * rect.height()) / (std::int64_t(2) * h));
    };
    const std::size_t rowBytes = std::size_t(w) * 4;
#ifdef TESSELO_STRETCH_AVX2
    const bool wide = HasAvx2() && w >= 8;
    const Runs runs = wide ? RunsOf(columns, from.width()) : Runs{};
#endif
    int previousRow = -1;
    for (int y = 0; y < h; ++y) {
        const int sy = sourceRow(y);
        auto* out = reinterpret_cast<QRgb*>(to.scanLine(y));
        if (sy == previousRow) {
            // Enlarging repeats source rows: copy the row just made.
            std::memcpy(out, to.constScanLine(y - 1), rowBytes);
            continue;
        }
        const auto* in = reinterpret_cast<const QRgb*>(from.constScanLine(sy));
#ifdef TESSELO_STRETCH_AVX2
        if (wide) {
            const uchar* ahead = from.constScanLine(sourceRow(std::min(y + 2, h - 1))) + std::size_t(rect.x()) * 4;
            StretchRowAvx2(in, out, columns.data(), w, runs, ahead, std::size_t(rect.width()) * 4);
        } else
#endif
        {
            StretchRow(in, out, columns.data(), w);
        }
        previousRow = sy;
    }
}

QSize BoardBitmap::Size() const
{
    const qreal r = picture.devicePixelRatio();
    if (r == 1.0)
        return picture.size();
    return QSize(qRound(picture.width() / r), qRound(picture.height() / r));
}

int BoardBitmap::ScaleFor(QSize fullSize, QSize board)
{
    if (fullSize.isEmpty() || board.isEmpty())
        return 1;
    for (const int d : {8, 4, 2}) {
        const QRect cut = ScaledCut(fullSize, d, board);
        if (cut.width() >= board.width() && cut.height() >= board.height())
            return d;
    }
    return 1;
}

QRect BoardBitmap::ScaledCut(QSize fullSize, int scale, QSize board)
{
    const QRect cut = SourceRect(fullSize.width(), fullSize.height(), board.width(), board.height());
    if (scale <= 1)
        return cut;
    const int w = std::max(fullSize.width() / scale, 1);
    const int h = std::max(fullSize.height() / scale, 1);
    // Each edge to the nearest edge of a decoded pixel, so the cut keeps its
    // centre and proportions to within half a decoded pixel.
    const auto at = [scale](int v) { return int((2 * std::int64_t(v) + scale) / (2 * std::int64_t(scale))); };
    const int left = std::min(at(cut.left()), w - 1);
    const int top = std::min(at(cut.top()), h - 1);
    const int right = std::clamp(at(cut.left() + cut.width()), left + 1, w);
    const int bottom = std::clamp(at(cut.top() + cut.height()), top + 1, h);
    return QRect(left, top, right - left, bottom - top);
}

bool BoardBitmap::Decode(const QString& path, QSize board)
{
    FileToRead file(path, kMinPictureBytes, FileToRead::kNoLimit);
    const std::optional<FileStamp> stamp = StampOf(file);
    if (!stamp)
        return false;
    // A file that failed once is not read again until it changes: a damaged
    // photo of a gigabyte would otherwise stall every walk past it.
    if (const auto it = failed.constFind(path); it != failed.cend() && *it == *stamp)
        return false;
    ++decodes;
    QImage decoded;
    QSize full;
    int scale = 1;
    if (!ReadPicture(&file.Device(), board, &decoded, &full, &scale)) {
        failed.insert(path, *stamp);
        return false;
    }
    failed.remove(path);
    source = std::move(decoded);
    sourcePath = path;
    sourceFullSize = full;
    sourceScale = scale;
    sourceStamp = *stamp;
    return true;
}

bool BoardBitmap::LoadScaled(const QString& path, std::int32_t width, std::int32_t height, qreal ratio)
{
    RaiseAllocationLimit();
    // Paths are compared exactly: on a case-sensitive file system "a.jpg"
    // and "A.jpg" are two pictures.
    if ((path != sourcePath || source.isNull()) &&
        !Decode(path, DeviceSize(std::max(width, 0), std::max(height, 0), DeviceRatio(ratio))))
        return false;
    return Rescale(width, height, ratio);
}

bool BoardBitmap::Rescale(std::int32_t width, std::int32_t height, qreal ratio)
{
    RaiseAllocationLimit();
    if (width <= 0 || height <= 0) {
        picture = QImage();
        return false; // a minimised window: nothing to draw into
    }
    const qreal r = DeviceRatio(ratio);
    const QSize device = DeviceSize(width, height, r);
    // A photo decoded coarsely for a smaller board is read again, finer,
    // once the board needs more of its pixels, provided the file is still
    // the one it was. If it cannot be, the coarse picture has to do.
    if (sourceScale > 1 && !sourcePath.isEmpty() && ScaleFor(sourceFullSize, device) < sourceScale &&
        StampOf(FileToRead(sourcePath, kMinPictureBytes, FileToRead::kNoLimit)) == sourceStamp)
        Decode(sourcePath, device);
    // A size message that changes nothing costs nothing.
    if (picture.size() == device && picture.devicePixelRatio() == r && picture.cacheKey() == preparedPicture &&
        source.cacheKey() == preparedFrom)
        return true;
    // A board of the size it already has is stretched again in place: a
    // fresh 8 MB image costs as much in page faults as the stretch itself.
    // A picture shared with someone else is never written to.
    if (picture.size() != device || picture.format() != QImage::Format_RGB32 || !picture.isDetached()) {
        picture = QImage(); // the old board goes first, so the two never coexist
        picture = QImage(device, QImage::Format_RGB32);
        if (picture.isNull())
            return false;
    }
    Stretch(source, ScaledCut(sourceFullSize, sourceScale, device).intersected(source.rect()), picture);
    ++stretches;
    picture.setDevicePixelRatio(r);
    preparedPicture = picture.cacheKey();
    preparedFrom = source.cacheKey();
    return true;
}

void BoardBitmap::Release()
{
    picture = QImage();
    source = QImage();
    sourcePath.clear();
    sourceFullSize = QSize();
    sourceScale = 1;
    sourceStamp = FileStamp();
    preparedPicture = 0;
    preparedFrom = 0;
}

std::int32_t BoardBitmap::CellWidth() const
{
    return grid ? tesselo::CellWidth(Size(), *grid) : 0;
}

std::int32_t BoardBitmap::CellHeight() const
{
    return grid ? tesselo::CellHeight(Size(), *grid) : 0;
}

Cell BoardBitmap::CellAt(std::int32_t y, std::int32_t x) const
{
    return grid ? tesselo::CellAt(Size(), *grid, y, x) : Cell();
}

} // namespace tesselo
