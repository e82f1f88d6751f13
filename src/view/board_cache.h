#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

namespace tesselo {

class BoardBitmap;
class NumberPlates;
class TileGrid;

// The board at rest as the painters draw it before its lines: each cell's
// piece of the picture in its place, with its number plate when there are
// numbers. Kept from paint to paint, it lets a paint copy the cells that
// stay where they are in a few large parts rather than one by one, so a
// board of 256 small cells paints about as fast as one of six large ones.
// After a move only the cells whose pieces changed are copied into it.
//
// A picture is kept only from its second paint on: while a window is being
// resized every paint has a picture of its own, and making the board twice
// over would cost more than it saves.
class BoardCache {
public:
    // Brings the board to `grid` over `board`'s picture, in cells of
    // cellWidth x cellHeight board pixels, with the given plates (null:
    // none). False, keeping nothing, when the board is not to be kept yet
    // or could not be made; the painters then copy every piece themselves.
    bool Update(const BoardBitmap& board, const TileGrid& grid, const NumberPlates* plates, std::int32_t cellWidth,
                std::int32_t cellHeight);
    // The board, at the picture's size and ratio; only the whole cells are
    // drawn.
    const QImage& Picture() const { return picture; }
    // The cells the last Update copied.
    int CellsCopied() const { return copied; }

private:
    struct Key {
        qint64 picture = 0;
        qint64 plates = 0;
        std::int32_t rows = 0, columns = 0, cellWidth = 0, cellHeight = 0;
        bool operator==(const Key&) const = default;
    };

    Key seen; // the last board asked for
    Key kept; // the board `picture` holds
    QImage picture;
    // The home of each cell's piece in `picture`, row by row; -1: none yet.
    std::vector<std::int32_t> homes;
    int copied = 0;
};

} // namespace tesselo
