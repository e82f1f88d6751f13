#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>

namespace tesselo {

class TileGrid;

struct Cell {
    std::int32_t row = 0;
    std::int32_t column = 0;
};

// The picture the board is painted from, at exactly the board size, made
// from a decoded picture file by a centre cut to the board's proportions and
// a plain nearest-neighbour stretch. Also answers the cell geometry.
class BoardBitmap {
public:
    BoardBitmap();

    // Makes `picture` width x height from the file at path. The file is
    // decoded only when path differs from the last path attempted; otherwise
    // the picture on hand is rescaled.
    bool LoadScaled(const QString& path, std::int32_t width, std::int32_t height);

    std::int32_t CellWidth() const;
    std::int32_t CellHeight() const;
    Cell CellAt(std::int32_t y, std::int32_t x) const;

    // The part of a srcWidth x srcHeight picture that fills a board of
    // width x height without distortion: the full height or the full width,
    // cut equally on both sides.
    static QRect SourceRect(int srcWidth, int srcHeight, int width, int height);
    // Nearest-neighbour stretch of `rect` of `from` onto all of `to`.
    static void Stretch(const QImage& from, const QRect& rect, QImage& to);
    // The built-in picture, 640 x 480 in the 16 standard colours.
    static QImage BuiltInPicture();

    QImage picture;                  // Format_RGB32, null when none could be made
    const TileGrid* grid = nullptr;  // not owned
    QString sourcePath;
    QImage source;                   // Format_RGB32, at its own size
};

} // namespace tesselo
