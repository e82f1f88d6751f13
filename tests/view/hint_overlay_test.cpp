#include "view/hint_overlay.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace tesselo;

namespace {

bool Light(QRgb c)
{
    return qRed(c) >= 200 && qGreen(c) >= 200 && qBlue(c) >= 200;
}

bool Dark(QRgb c)
{
    return qRed(c) <= 60 && qGreen(c) <= 60 && qBlue(c) <= 60;
}

// A 4 x 6 board of 100 x 80 cells in one colour, with the hint drawn at
// `ratio` device pixels per board pixel.
struct Drawn {
    Drawn(const Move& hint, qreal ratio, QRgb colour) : ratio(ratio)
    {
        image = QImage(int(600 * ratio), int(320 * ratio), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(colour);
        QPainter painter(&image);
        DrawHint(painter, QSize(100, 80), 4, 6, hint);
    }
    // The pixel at board coordinates.
    QRgb At(qreal x, qreal y) const { return image.pixel(int(x * ratio), int(y * ratio)); }

    qreal ratio;
    QImage image;
};

} // namespace

// The line is framed light and dark, so the frame shows on a black picture
// and on a white one; nothing is drawn off the line; the arrow's head is
// on the side the line slides to.
TEST(HintOverlay, FramesTheLineAndPointsTheWay)
{
    const struct {
        Move hint;
        QRectF line; // in board pixels
    } cases[] = {
        {Move{MoveAxis::Row, 1, 2}, QRectF(0, 80, 600, 80)},
        {Move{MoveAxis::Row, 3, -1}, QRectF(0, 240, 600, 80)},
        {Move{MoveAxis::Column, 0, 1}, QRectF(0, 0, 100, 320)},
        {Move{MoveAxis::Column, 4, -2}, QRectF(400, 0, 100, 320)},
    };
    for (const qreal ratio : {1.0, 2.0})
        for (const QRgb picture : {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(128, 128, 128)})
            for (const auto& c : cases) {
                const Drawn drawn(c.hint, ratio, picture);
                const bool row = c.hint.axis == MoveAxis::Row;
                const std::string name = std::string(row ? "row by " : "column by ") +
                                         std::to_string(c.hint.amount) + " at " + std::to_string(ratio) + " on " +
                                         std::to_string(qRed(picture));

                // Across the frame in the middle of one long side: both a
                // light and a dark pixel.
                bool light = false;
                bool dark = false;
                for (qreal d = 0; d < 8; d += 0.5) {
                    const QRgb p = row ? drawn.At(c.line.left() + 300, c.line.top() + d)
                                       : drawn.At(c.line.left() + d, c.line.top() + 160);
                    light = light || Light(p);
                    dark = dark || Dark(p);
                }
                EXPECT_TRUE(light && dark) << name;

                // Every pixel off the line is the picture's.
                int off = 0;
                for (int y = 0; y < drawn.image.height(); ++y)
                    for (int x = 0; x < drawn.image.width(); ++x)
                        if (!c.line.contains(QPointF(x + 0.5, y + 0.5) / ratio) && drawn.image.pixel(x, y) != picture)
                            ++off;
                EXPECT_EQ(off, 0) << name;

                // Beside the axis, away from the centre, only the head is
                // light: ahead of the centre, never behind it (on the grey
                // picture, where light is the arrow's own).
                if (picture != qRgb(128, 128, 128))
                    continue;
                const QPointF centre = c.line.center();
                const qreal across = row ? c.line.height() : c.line.width();
                const qreal sign = c.hint.amount > 0 ? 1 : -1;
                int ahead = 0;
                int behind = 0;
                for (qreal t = across / 2; t < across * 1.5; t += 1) {
                    const QPointF side = row ? QPointF(0, across / 8) : QPointF(across / 8, 0);
                    const QPointF way = row ? QPointF(sign * t, 0) : QPointF(0, sign * t);
                    const QPointF front = centre + way + side;
                    const QPointF back = centre - way + side;
                    ahead += Light(drawn.At(front.x(), front.y()));
                    behind += Light(drawn.At(back.x(), back.y()));
                }
                EXPECT_GT(ahead, 0) << name;
                EXPECT_EQ(behind, 0) << name;
            }
}
