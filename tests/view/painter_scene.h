#pragma once

#include "model/tile_grid.h"
#include "pictures/board_bitmap.h"
#include "view/board_painter.h"
#include "view/number_plates.h"
#include "view/painter_target.h"

#include <QImage>
#include <QPainter>

#include <string>
#include <utility>
#include <vector>

namespace tesselo::test {

// What a pixel holds when nothing painted it.
constexpr QRgb kUntouched = 0xffff00ffu;

// A picture in which every pixel (up to 1024 x 1024) is different and none
// is black, yellow or the untouched colour, so a pixel from the wrong place
// or a missing line cannot pass unnoticed.
inline QImage Coordinates(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = qRgb(x & 0xff, y & 0xff, 0x80 | ((x >> 8) << 2) | (y >> 8));
    }
    return img;
}

// One drawing call, as the painter made it.
struct PaintOp {
    bool copy = false;
    QRect source;   // copies
    QPoint to;      // copies: destination; lines: end point
    QPoint from;    // lines
    QRgb colour = 0;
};

// Records every call and passes it on to `inner`, when there is one; the
// `failAt`-th copy (counting from 1) fails without being passed on.
class RecordingTarget : public PaintTarget {
public:
    explicit RecordingTarget(PaintTarget* inner = nullptr) : inner(inner) {}

    bool Copy(const QImage& picture, const QRect& source, QPoint to) override
    {
        ++copies;
        if (copies == failAt)
            return false;
        ops.push_back({true, source, to, {}, 0});
        return inner ? inner->Copy(picture, source, to) : true;
    }
    void Line(QPoint from, QPoint to, QRgb colour) override
    {
        ops.push_back({false, {}, to, from, colour});
        if (inner)
            inner->Line(from, to, colour);
    }
    int Count(bool copy) const
    {
        int n = 0;
        for (const PaintOp& op : ops)
            n += op.copy == copy;
        return n;
    }

    std::vector<PaintOp> ops;
    int copies = 0;
    int failAt = -1;

private:
    PaintTarget* inner;
};

// A grid over a picture of the given size, in home order until told.
struct Scene {
    Scene(int w, int h, int rows, int columns)
    {
        grid.Resize(rows, columns);
        board.grid = &grid;
        board.picture = Coordinates(w, h);
    }
    void Homes(const std::vector<std::pair<int, int>>& homes)
    {
        for (std::size_t i = 0; i < homes.size(); ++i) {
            grid.cells[i].homeRow = homes[i].first;
            grid.cells[i].homeColumn = homes[i].second;
        }
    }
    void Select(int row, int column)
    {
        grid.selectedRow = row;
        grid.selectedColumn = column;
    }

    TileGrid grid;
    BoardBitmap board;
};

enum class Paint { Rest, Row, Column };

// Paints the scene onto an untouched canvas through the production target,
// with a recorder in front that can fail the failAt-th copy. A clip over
// the whole board leaves every copy to QPainter's own drawing.
struct Rendering {
    QImage image;
    bool result = false;
    std::vector<PaintOp> ops;
};

inline Rendering Render(const Scene& s, Paint how, int offset = 0, int failAt = -1, bool clipped = false,
                        NumberPlates* numbers = nullptr)
{
    Rendering r;
    r.image = QImage(s.board.picture.size(), QImage::Format_RGB32);
    r.image.setDevicePixelRatio(s.board.picture.devicePixelRatio());
    r.image.fill(kUntouched);
    QPainter painter(&r.image);
    if (clipped)
        painter.setClipRect(QRect(QPoint(), s.board.Size()));
    PainterTarget production(painter);
    RecordingTarget target(&production);
    target.failAt = failAt;
    switch (how) {
    case Paint::Rest: r.result = DrawBoard(target, s.board, numbers); break;
    case Paint::Row: r.result = DrawRowDrag(target, s.board, offset, numbers); break;
    case Paint::Column: r.result = DrawColumnDrag(target, s.board, offset, numbers); break;
    }
    painter.end();
    r.ops = std::move(target.ops);
    return r;
}

// A call as a line of text, for comparing whole sequences: "copy x,y wxh to
// x,y", "line x,y x,y" for the grid pen and "frame x,y x,y" for the frame.
inline std::string Describe(const PaintOp& op)
{
    const auto point = [](QPoint p) { return std::to_string(p.x()) + "," + std::to_string(p.y()); };
    if (op.copy)
        return "copy " + point(op.source.topLeft()) + " " + std::to_string(op.source.width()) + "x" +
               std::to_string(op.source.height()) + " to " + point(op.to);
    return std::string(op.colour == kSelectionColour ? "frame " : "line ") + point(op.from) + " " + point(op.to);
}

// The described calls of one kind ("copy", "line" or "frame"), in order.
inline std::vector<std::string> Calls(const std::vector<PaintOp>& ops, const std::string& kind)
{
    std::vector<std::string> out;
    for (const PaintOp& op : ops) {
        std::string text = Describe(op);
        if (text.rfind(kind + " ", 0) == 0)
            out.push_back(std::move(text));
    }
    return out;
}

// Pixels that differ between two images of the same size.
inline int Differences(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            n += la[x] != lb[x];
    }
    return n;
}

} // namespace tesselo::test
