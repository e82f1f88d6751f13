#pragma once

#include "model/drag_gesture.h"

#include <QHash>
#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>

namespace tesselo {

// A file as it stood when it was last read: a file that failed to decode is
// not opened again until one of these changes.
struct FileStamp {
    qint64 size = -1;
    qint64 modified = 0; // milliseconds since the Unix epoch
    bool operator==(const FileStamp&) const = default;
};

// The picture the board is painted from, at exactly the board size, made
// from a decoded picture file by a centre cut to the board's proportions and
// a plain nearest-neighbour stretch. Also answers the cell geometry.
//
// Sizes given to it are board pixels; the picture itself is made in device
// pixels (board pixels times the screen's device pixel ratio), so that a
// high-density screen shows every pixel it has.
class BoardBitmap {
public:
    BoardBitmap();

    // Makes `picture` width x height board pixels, at `ratio` device pixels
    // per board pixel, from the file at path. The file is decoded only when
    // it is not the picture on hand, or when the picture on hand was decoded
    // too coarsely for this size. A file that does not decode changes
    // nothing and answers false.
    bool LoadScaled(const QString& path, std::int32_t width, std::int32_t height, qreal ratio = 1.0);
    // Makes `picture` from the picture on hand, without trying another file.
    bool Rescale(std::int32_t width, std::int32_t height, qreal ratio = 1.0);
    // Lets go of the board picture and the decoded source, which can be as
    // large as a photo; the next LoadScaled decodes afresh.
    void Release();

    // The board's size in board pixels (the picture's size in device pixels
    // divided by its ratio).
    QSize Size() const;
    std::int32_t CellWidth() const;
    std::int32_t CellHeight() const;
    Cell CellAt(std::int32_t y, std::int32_t x) const;

    // The part of a srcWidth x srcHeight picture that fills a board of
    // width x height without distortion: the full height or the full width,
    // cut equally on both sides.
    static QRect SourceRect(int srcWidth, int srcHeight, int width, int height);
    // The coarsest JPEG decoding scale, 1/1, 1/2, 1/4 or 1/8 (returned as
    // its denominator), at which the cut of a picture of fullSize still has
    // at least as many pixels as a board of `board` device pixels in each
    // direction.
    static int ScaleFor(QSize fullSize, QSize board);
    // SourceRect, worked out on the full size, mapped onto the picture
    // decoded at 1/scale (fullSize / scale pixels, rounded down).
    static QRect ScaledCut(QSize fullSize, int scale, QSize board);
    // Nearest-neighbour stretch of `rect` of `from` onto all of `to`.
    static void Stretch(const QImage& from, const QRect& rect, QImage& to);
    // The built-in picture, 640 x 480 in the 16 standard colours.
    static QImage BuiltInPicture();

    QImage picture;                  // Format_RGB32 in device pixels, null when none could be made
    const TileGrid* grid = nullptr;  // not owned
    QString sourcePath;              // the file `source` was decoded from; empty for the built-in picture
    QImage source;                   // the picture on hand, Format_RGB32, as the player sees it
    QSize sourceFullSize;            // its size had it been decoded in full
    int sourceScale = 1;             // decoded at 1/sourceScale of its full size
    FileStamp sourceStamp;
    QHash<QString, FileStamp> failed; // files that did not decode, as they were then
    int decodes = 0;                 // files opened for decoding so far
    int stretches = 0;               // board pictures made so far

private:
    bool Decode(const QString& path, QSize board);
    qint64 preparedPicture = 0; // cacheKey of `picture` when last made ...
    qint64 preparedFrom = 0;    // ... from the `source` with this cacheKey
};

} // namespace tesselo
