#include "view/painter_target.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <span>
#include <vector>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace tesselo {

namespace {

int Device(int v, qreal ratio)
{
    return int(std::floor(v * ratio + 0.5));
}

// The device pixels of a rectangle of board pixels: each edge to the
// nearest device pixel edge, so neighbouring rectangles meet without a gap.
QRect Device(const QRect& r, qreal ratio)
{
    const int left = Device(r.x(), ratio);
    const int top = Device(r.y(), ratio);
    return QRect(left, top, Device(r.x() + r.width(), ratio) - left, Device(r.y() + r.height(), ratio) - top);
}

// Rows read ahead of the one being copied. Four rows of a cell at twice the
// density are 10 KB, well inside the first-level cache.
constexpr int kRowsAhead = 4;

// Whether copies into an image of this many bytes should go straight to
// memory. An image larger than most of the last-level cache (a window's
// backing store on a 4K screen is 33 MB) cannot stay in it until it is shown
// anyway, and storing around the cache saves reading in every line before
// it is overwritten. glibc's memcpy draws the same line for its own copies.
bool StreamInto(qsizetype imageBytes)
{
#if defined(__SSE2__) && defined(_SC_LEVEL3_CACHE_SIZE)
    static const qsizetype bound = [] {
        const long cache = sysconf(_SC_LEVEL3_CACHE_SIZE);
        return cache > 0 ? qsizetype(cache) / 4 * 3 : qsizetype(16) << 20;
    }();
    return imageBytes > bound;
#else
    (void)imageBytes;
    return false;
#endif
}

// One row, stored around the cache where the processor allows it.
void StreamRow(uchar* to, const uchar* from, std::size_t bytes)
{
#if defined(__SSE2__)
    // Pixels are 4-byte aligned; the streaming stores want 16.
    const std::size_t head = std::min((16 - (reinterpret_cast<std::uintptr_t>(to) & 15)) & 15, bytes);
    std::memcpy(to, from, head);
    std::size_t at = head;
    const auto move = [&](std::size_t offset) {
        _mm_stream_si128(reinterpret_cast<__m128i*>(to + offset),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + offset)));
    };
    for (; at + 64 <= bytes; at += 64) {
        move(at);
        move(at + 16);
        move(at + 32);
        move(at + 48);
    }
    for (; at + 16 <= bytes; at += 16)
        move(at);
    std::memcpy(to + at, from + at, bytes - at);
#else
    std::memcpy(to, from, bytes);
#endif
}

// A rectangle of device pixels to fill with rows of the picture: where its
// first row comes from and goes, and its rows.
struct Segment {
    const uchar* from;
    uchar* to;
    int top, bottom;   // device rows, bottom left out
    std::size_t bytes; // each row's
};

// Copies every segment, a whole row of the device at a time: for each row,
// the part each segment has of it, left to right as they were given. The
// device is written in order, row after row, rather than a cell's rows far
// apart, and each segment's source row a few ahead is asked for in time.
// For a board of many small cells this is what keeps it as fast as one of
// a few large ones.
void CopySegments(std::vector<Segment>& segments, qsizetype fromStride, qsizetype toStride, bool stream)
{
    std::stable_sort(segments.begin(), segments.end(),
                     [](const Segment& a, const Segment& b) { return a.top < b.top; });
    std::vector<const Segment*> active;
    active.reserve(segments.size());
    std::size_t next = 0;
    int y = segments.empty() ? 0 : segments.front().top;
    while (next < segments.size() || !active.empty()) {
        if (active.empty() && segments[next].top > y)
            y = segments[next].top;
        while (next < segments.size() && segments[next].top == y)
            active.push_back(&segments[next++]);
        for (const Segment* s : active) {
            const qsizetype row = y - s->top;
#if defined(__GNUC__) || defined(__clang__)
            if (s->top + row + kRowsAhead < s->bottom) {
                const uchar* ahead = s->from + (row + kRowsAhead) * fromStride;
                for (std::size_t at = 0; at < s->bytes; at += 64)
                    __builtin_prefetch(ahead + at);
            }
#endif
            if (stream)
                StreamRow(s->to + row * toStride, s->from + row * fromStride, s->bytes);
            else
                std::memcpy(s->to + row * toStride, s->from + row * fromStride, s->bytes);
        }
        ++y;
        std::erase_if(active, [y](const Segment* s) { return s->bottom <= y; });
    }
#if defined(__SSE2__)
    if (stream)
        _mm_sfence(); // the streamed rows are in memory before anyone reads them
#endif
}

} // namespace

PainterTarget::PainterTarget(QPainter& painter) : painter(painter)
{
    // Widgets paint through their window's backing store, so the engine's
    // device, not the painter's, is the image that receives the pixels.
    if (QPaintEngine* engine = painter.paintEngine(); engine && engine->type() == QPaintEngine::Raster) {
        QPaintDevice* target = engine->paintDevice();
        if (target && target->devType() == QInternal::Image)
            device = static_cast<QImage*>(target);
    }
    // Pieces replace what is under them; nothing is blended.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (const QPaintDevice* device = painter.device())
        ratio = device->devicePixelRatio();
    if (ratio != 1.0 && ratio > 0.0)
        painter.setWorldTransform(QTransform::fromScale(1.0 / ratio, 1.0 / ratio), true);
    else
        ratio = 1.0;
}

bool PainterTarget::Copy(const QImage& picture, const QRect& source, QPoint to)
{
    const Piece piece{source, to};
    return CopyAll(picture, std::span<const Piece>(&piece, 1));
}

bool PainterTarget::CopyAll(const QImage& picture, std::span<const Piece> pieces)
{
    if (!painter.isActive())
        return false;
    const qreal pictureRatio = picture.devicePixelRatio();
    // A picture made for another screen, until it is made again for this
    // one: each piece stretched into place.
    if (pictureRatio != ratio) {
        for (const Piece& p : pieces)
            if (!p.source.isEmpty())
                painter.drawImage(Device(QRect(p.to, p.source.size()), ratio), picture, Device(p.source, pictureRatio));
        return true;
    }
    QPoint shift;
    const bool straight = StraightInto(picture, &shift);
    // The region a widget is being painted in: nothing outside it may
    // change, as the rest of the window is not painted again.
    const QRegion clip = straight ? painter.paintEngine()->systemClip() : QRegion();
    uchar* bits = straight ? device->bits() : nullptr;
    const qsizetype stride = straight ? device->bytesPerLine() : 0;
    std::vector<Segment> segments;
    for (const Piece& p : pieces) {
        if (p.source.width() <= 0 || p.source.height() <= 0)
            continue;
        // A picture made for this screen: the piece's own device pixels,
        // exactly as many as its place has, so the copy is one to one.
        QRect from = p.source;
        QPoint to = p.to;
        if (ratio != 1.0) {
            const QRect place = Device(QRect(p.to, p.source.size()), ratio);
            from = QRect(Device(p.source.x(), ratio), Device(p.source.y(), ratio), place.width(), place.height());
            from.moveLeft(std::clamp(from.x(), 0, std::max(picture.width() - from.width(), 0)));
            from.moveTop(std::clamp(from.y(), 0, std::max(picture.height() - from.height(), 0)));
            to = place.topLeft();
        }
        if (!straight || !picture.rect().contains(from)) {
            painter.drawImage(QRect(to, from.size()), picture, from);
            continue;
        }
        const QRect place = QRect(to, from.size()).translated(shift);
        const QRect inside = place & device->rect();
        const auto add = [&](const QRect& r) {
            if (r.isEmpty())
                return;
            const QPoint at = from.topLeft() + (r.topLeft() - place.topLeft());
            segments.push_back(Segment{picture.constScanLine(at.y()) + qsizetype(at.x()) * 4,
                                       bits + r.y() * stride + qsizetype(r.x()) * 4, r.top(), r.bottom() + 1,
                                       std::size_t(r.width()) * 4});
        };
        if (clip.isEmpty()) {
            add(inside);
        } else {
            for (const QRect& r : clip)
                add(r & inside);
        }
    }
    if (!segments.empty())
        CopySegments(segments, picture.bytesPerLine(), stride, StreamInto(device->sizeInBytes()));
    return true;
}

// Whether copies of `picture` can go straight into the image the painter
// paints into, pixel for pixel, rather than through QPainter: only when
// nothing else is asked of the painter than a plain copy. `shift` is the
// painter's move, by whole device pixels: the widget's place in its
// window, once the constructor's transform has undone the screen's ratio.
bool PainterTarget::StraightInto(const QImage& picture, QPoint* shift) const
{
    if (!device || !device->isDetached() || device->constBits() == picture.constBits())
        return false;
    // Pixels of RGB32 are opaque, so they are the same bytes in either.
    if (picture.format() != QImage::Format_RGB32 ||
        (device->format() != QImage::Format_RGB32 && device->format() != QImage::Format_ARGB32_Premultiplied))
        return false;
    if (painter.hasClipping() || painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_Source)
        return false;
    const QTransform& t = painter.deviceTransform();
    if (t.type() > QTransform::TxTranslate || t.dx() != std::trunc(t.dx()) || t.dy() != std::trunc(t.dy()))
        return false;
    *shift = QPoint(int(t.dx()), int(t.dy()));
    return true;
}

void PainterTarget::Line(QPoint from, QPoint to, QRgb colour)
{
    // QPainter::drawLine would include the end point; a filled rectangle
    // covers exactly the pixels the line owns.
    const QRect r = LineRect(from, to);
    if (!r.isEmpty())
        painter.fillRect(ratio == 1.0 ? r : Device(r, ratio), QColor::fromRgb(colour));
}

} // namespace tesselo
