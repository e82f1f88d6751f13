#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

namespace tesselo {

// Each tile's home number (1 to rows x columns, counted row by row) on a
// small dark plate for the top left corner of its cell. Light text on a
// dark, opaque plate reads on any picture, a pale sky as well as a night,
// and an opaque plate is copied as a piece of the picture is: painting the
// numbers costs a copy a cell and no text at all. The plates of one grid,
// text size and screen density are drawn once, side by side in one
// picture, and drawn again only when one of those changes.
class NumberPlates {
public:
    // The plate's place in its cell: clear of the grid line on the cell's
    // top and left edges.
    static constexpr QPoint kInset{1, 1};
    // Text sizes in board pixels: the smallest still legible, and the
    // largest any cell is given.
    static constexpr int kMinText = 8;
    static constexpr int kMaxText = 28;

    // Makes the plates for a rows x columns grid of cells `cell` board
    // pixels large, drawn at `ratio` device pixels per board pixel, unless
    // those at hand already are. False, with no plates, when the grid is
    // empty or its cells are too small to hold the largest number legibly.
    bool Prepare(std::int32_t rows, std::int32_t columns, QSize cell, qreal ratio);

    // The plate of the tile at home in (row, column), in board pixels of
    // Picture(); empty when there are no plates or no such tile.
    QRect Plate(std::int32_t homeRow, std::int32_t homeColumn) const;
    // Every plate, in Format_RGB32 at the ratio asked for.
    const QImage& Picture() const { return picture; }
    // The text size the plates of a cell of this size get, before any
    // shrinking to fit its widest number.
    static int TextSizeFor(QSize cell);
    // How many times plates were drawn: a paint that finds them at hand
    // draws none.
    int Drawings() const { return drawings; }

private:
    struct Key {
        std::int32_t rows = 0, columns = 0;
        int text = 0;
        qreal ratio = 0;
        bool operator==(const Key&) const = default;
    };
    // What the last Prepare was asked.
    struct Asked {
        std::int32_t rows = 0, columns = 0;
        QSize cell;
        qreal ratio = 0;
        bool operator==(const Asked&) const = default;
    };
    void Draw(const Key& key, QSize plate, int baseline, int pad);

    Asked asked;
    Key made;
    QImage picture;
    QSize slot;              // board pixels each plate's place takes in the picture
    std::vector<int> widths; // each plate's width, in home order
    int drawings = 0;
};

} // namespace tesselo
