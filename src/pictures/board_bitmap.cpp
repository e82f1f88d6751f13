#include "pictures/board_bitmap.h"

#include "model/tile_grid.h"

#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cstring>
#include <vector>

namespace tesselo {

namespace {

// Qt refuses images above 256 MiB by default, which turns away ordinary
// camera photos. 1 GiB admits 12000 x 9000 and larger while a header that
// claims an absurd size is still refused before anything is allocated.
constexpr int kAllocationLimitMiB = 1024;

void RaiseAllocationLimit()
{
    static const bool done = [] {
        QImageReader::setAllocationLimit(kAllocationLimitMiB);
        return true;
    }();
    (void)done;
}

} // namespace

QImage BoardBitmap::BuiltInPicture()
{
    QImage fish(QStringLiteral(":/tesselo/fish.png"));
    return fish.convertToFormat(QImage::Format_RGB32);
}

BoardBitmap::BoardBitmap()
    : picture(BuiltInPicture()), source(picture)
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
    const std::size_t rowBytes = std::size_t(w) * 4;
    int previousRow = -1;
    for (int y = 0; y < h; ++y) {
        const int sy = rect.y() + int((std::int64_t(2 * y + 1) * rect.height()) / (std::int64_t(2) * h));
        auto* out = reinterpret_cast<QRgb*>(to.scanLine(y));
        if (sy == previousRow) {
            // Enlarging repeats source rows: copy the row just made.
            std::memcpy(out, to.constScanLine(y - 1), rowBytes);
            continue;
        }
        const auto* in = reinterpret_cast<const QRgb*>(from.constScanLine(sy));
        const int* column = columns.data();
        for (int x = 0; x < w; ++x)
            out[x] = in[column[x]];
        previousRow = sy;
    }
}

bool BoardBitmap::LoadScaled(const QString& path, std::int32_t width, std::int32_t height)
{
    RaiseAllocationLimit();
    // Paths are compared exactly: on a case-sensitive file system "a.jpg"
    // and "A.jpg" are two pictures.
    if (path != sourcePath || source.isNull()) {
        sourcePath = path;
        // Only regular files are opened: reading a named pipe or a device
        // would block the game.
        if (!QFileInfo(path).isFile())
            return false;
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        QImage decoded;
        if (!reader.read(&decoded) || decoded.isNull())
            return false;
        if (decoded.format() == QImage::Format_ARGB32)
            decoded.reinterpretAsFormat(QImage::Format_RGB32); // alpha ignored, colours as decoded
        else if (decoded.format() != QImage::Format_RGB32)
            decoded.convertTo(QImage::Format_RGB32);
        if (decoded.isNull())
            return false;
        source = std::move(decoded);
    }

    if (width <= 0 || height <= 0) {
        picture = QImage();
        return false; // a minimised window: nothing to draw into
    }
    // A board of the size it already has is stretched again in place: a
    // fresh 8 MB image costs as much in page faults as the stretch itself.
    // A picture shared with someone else is never written to.
    if (picture.size() != QSize(width, height) || picture.format() != QImage::Format_RGB32 ||
        !picture.isDetached()) {
        picture = QImage(); // the old board goes first, so the two never coexist
        picture = QImage(width, height, QImage::Format_RGB32);
        if (picture.isNull())
            return false;
    }
    Stretch(source, SourceRect(source.width(), source.height(), width, height), picture);
    return true;
}

std::int32_t BoardBitmap::CellWidth() const
{
    if (!grid || grid->columnCount <= 0)
        return 0;
    return picture.width() / grid->columnCount;
}

std::int32_t BoardBitmap::CellHeight() const
{
    if (!grid || grid->rowCount <= 0)
        return 0;
    return picture.height() / grid->rowCount;
}

Cell BoardBitmap::CellAt(std::int32_t y, std::int32_t x) const
{
    const std::int32_t cw = CellWidth();
    const std::int32_t ch = CellHeight();
    Cell cell;
    if (!grid)
        return cell;
    // Cells of no size (a minimised window) put every point in cell (0, 0).
    cell.row = ch > 0 ? std::clamp(y / ch, 0, std::max(grid->rowCount - 1, 0)) : 0;
    cell.column = cw > 0 ? std::clamp(x / cw, 0, std::max(grid->columnCount - 1, 0)) : 0;
    return cell;
}

} // namespace tesselo
