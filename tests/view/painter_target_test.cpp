#include "painter_scene.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace tesselo;
using namespace tesselo::test;

namespace {

constexpr QRgb kInk = 0xff123456u;

// The pixels of an 8 x 8 canvas that differ from the untouched colour.
std::set<std::pair<int, int>> Painted(const QImage& img)
{
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != kUntouched)
                out.insert({x, y});
    return out;
}

template <typename Draw>
QImage OnCanvas(Draw draw)
{
    QImage canvas(8, 8, QImage::Format_RGB32);
    canvas.fill(kUntouched);
    QPainter painter(&canvas);
    PainterTarget target(painter);
    draw(target);
    return canvas;
}

} // namespace

TEST(PainterTarget, LinesLeaveOutTheirEndPointInEveryDirection)
{
    const auto line = [](QPoint from, QPoint to) {
        return Painted(OnCanvas([&](PaintTarget& t) { t.Line(from, to, kInk); }));
    };
    using Pixels = std::set<std::pair<int, int>>;
    EXPECT_EQ(line({1, 2}, {4, 2}), (Pixels{{1, 2}, {2, 2}, {3, 2}}));
    EXPECT_EQ(line({4, 3}, {1, 3}), (Pixels{{4, 3}, {3, 3}, {2, 3}}));
    EXPECT_EQ(line({5, 1}, {5, 4}), (Pixels{{5, 1}, {5, 2}, {5, 3}}));
    EXPECT_EQ(line({6, 4}, {6, 1}), (Pixels{{6, 4}, {6, 3}, {6, 2}}));
    EXPECT_EQ(line({2, 2}, {2, 2}), Pixels{});
    // Ending one past the canvas still covers its first and last pixels.
    EXPECT_EQ(line({1, 7}, {-1, 7}), (Pixels{{1, 7}, {0, 7}}));
    EXPECT_EQ(line({0, 6}, {8, 6}).size(), 8u);

    const QImage img = OnCanvas([](PaintTarget& t) { t.Line({0, 0}, {3, 0}, kInk); });
    EXPECT_EQ(img.pixel(0, 0), kInk);
}

TEST(PainterTarget, CopiesAreOneToOneAndClipped)
{
    const QImage pic = Coordinates(8, 8);
    QImage img = OnCanvas([&](PaintTarget& t) {
        EXPECT_TRUE(t.Copy(pic, QRect(1, 2, 3, 2), QPoint(4, 5)));
        // Over the right edge: the part on the canvas is drawn.
        EXPECT_TRUE(t.Copy(pic, QRect(0, 0, 4, 1), QPoint(6, 0)));
        // A copy of no width draws nothing and is no failure.
        EXPECT_TRUE(t.Copy(pic, QRect(5, 5, 0, 3), QPoint(0, 3)));
    });
    std::set<std::pair<int, int>> expected;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(img.pixel(4 + x, 5 + y), pic.pixel(1 + x, 2 + y));
            expected.insert({4 + x, 5 + y});
        }
    EXPECT_EQ(img.pixel(6, 0), pic.pixel(0, 0));
    EXPECT_EQ(img.pixel(7, 0), pic.pixel(1, 0));
    expected.insert({6, 0});
    expected.insert({7, 0});
    EXPECT_EQ(Painted(img), expected);
}

TEST(PainterTarget, CopyFailsWhenThePainterCannotPaint)
{
    const QImage pic = Coordinates(8, 8);
    QPainter idle;
    PainterTarget target(idle);
    EXPECT_FALSE(target.Copy(pic, QRect(0, 0, 2, 2), QPoint(0, 0)));
    // So the board painter gives up at its first copy.
    Scene s(64, 48, 2, 3);
    EXPECT_FALSE(DrawBoard(target, s.board));
    s.grid.Shuffle(1);
    EXPECT_FALSE(DrawRowDrag(target, s.board, 5));
    EXPECT_FALSE(DrawColumnDrag(target, s.board, 5));
}

// Copied straight into the image, piece by piece or all at once, or drawn
// by QPainter as it is under a clip, every paint gives the same pixels at
// ratio 1 and 2. The canvas is
// 36 MB, more than most last-level caches, so the copies are also streamed
// past the cache here; drag offsets put row starts off any alignment.
TEST(PainterTarget, StraightCopiesGiveWhatQPainterDraws)
{
    for (const int ratio : {1, 2}) {
        Scene s(4096 / ratio, 2304 / ratio, 3, 4);
        s.board.picture = Coordinates(4096, 2304);
        s.board.picture.setDevicePixelRatio(ratio);
        s.Homes({{2, 1}, {0, 3}, {1, 0}, {0, 0}, {1, 2}, {2, 3}, {0, 2}, {1, 1}, {2, 0}, {0, 1}, {1, 3}, {2, 2}});
        s.Select(1, 2);
        const struct {
            Paint how;
            int offset;
        } cases[] = {{Paint::Rest, 0}, {Paint::Row, 37}, {Paint::Row, -501}, {Paint::Column, -333}};
        // Piece by piece, as a recorder passes them on, and all of a paint's
        // pieces at once, row after row of the canvas; numbers off and on.
        NumberPlates plates;
        for (const auto& c : cases)
            for (NumberPlates* numbers : {static_cast<NumberPlates*>(nullptr), &plates}) {
                const Rendering straight = Render(s, c.how, c.offset, -1, false, numbers);
                const Rendering drawn = Render(s, c.how, c.offset, -1, true, numbers);
                ASSERT_TRUE(straight.result && drawn.result);
                const std::string where = "ratio " + std::to_string(ratio) + ", offset " + std::to_string(c.offset) +
                                          (numbers ? ", numbers" : "");
                EXPECT_EQ(Differences(straight.image, drawn.image), 0) << where;
                QImage together(drawn.image.size(), QImage::Format_RGB32);
                together.setDevicePixelRatio(ratio);
                together.fill(kUntouched);
                QPainter painter(&together);
                PainterTarget target(painter);
                EXPECT_TRUE(c.how == Paint::Rest  ? DrawBoard(target, s.board, numbers)
                            : c.how == Paint::Row ? DrawRowDrag(target, s.board, c.offset, numbers)
                                                  : DrawColumnDrag(target, s.board, c.offset, numbers));
                painter.end();
                EXPECT_EQ(Differences(together, drawn.image), 0) << where;
            }
    }
}
