// The board on a high-density screen: the picture holds the screen's device
// pixels and the painter copies them one to one, while every position stays
// in board pixels.

#include "painter_scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace tesselo;
using namespace tesselo::test;

namespace {

// Every pixel as a block of factor x factor pixels.
QImage Doubled(const QImage& img, int factor = 2)
{
    QImage out(img.size() * factor, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            out.setPixel(x, y, img.pixel(x / factor, y / factor));
    return out;
}

// A scrambled 3 x 4 board whose size is no multiple of its cells, the
// selected cell in the last column, so strips, wraps and edges all show.
void Scramble(Scene& s)
{
    s.Homes({{2, 1}, {0, 3}, {1, 0}, {0, 0}, {1, 2}, {2, 3}, {0, 2}, {1, 1}, {2, 0}, {0, 1}, {1, 3}, {2, 2}});
    s.Select(1, 3);
}

void AtRatio(Scene& s, const QImage& devicePicture, qreal ratio)
{
    s.board.picture = devicePicture;
    s.board.picture.setDevicePixelRatio(ratio);
}

} // namespace

// With a picture that is the ratio-1 picture doubled, every paint at ratio
// 2 is the ratio-1 paint doubled: pieces land where they did, and lines and
// frame are one board pixel wide.
TEST(BoardRatio, AtRatioTwoEveryPaintIsTheRatioOnePaintDoubled)
{
    Scene one(643, 481, 3, 4);
    Scene two(643, 481, 3, 4);
    Scramble(one);
    Scramble(two);
    AtRatio(two, Doubled(one.board.picture), 2.0);
    ASSERT_EQ(two.board.Size(), QSize(643, 481));

    struct Case { Paint how; int offset; };
    const Case cases[] = {{Paint::Rest, 0},   {Paint::Row, 0},    {Paint::Row, 37},     {Paint::Row, -160},
                          {Paint::Row, 600},  {Paint::Column, 5}, {Paint::Column, -90}, {Paint::Column, 479}};
    for (const Case& c : cases) {
        const Rendering a = Render(one, c.how, c.offset);
        const Rendering b = Render(two, c.how, c.offset);
        ASSERT_TRUE(a.result && b.result);
        EXPECT_EQ(b.image.size(), QSize(1286, 962));
        EXPECT_EQ(Differences(b.image, Doubled(a.image)), 0) << int(c.how) << " " << c.offset;
    }
}

// At 1.5 device pixels per board pixel every device pixel of the board is
// painted, with a piece's pixel or a line's colour and nothing blended.
TEST(BoardRatio, AFractionalRatioCoversTheBoardWithoutBlending)
{
    Scene s(643, 481, 3, 4);
    Scramble(s);
    const QImage device = Coordinates(qRound(643 * 1.5), qRound(481 * 1.5));
    AtRatio(s, device, 1.5);
    ASSERT_EQ(s.board.Size(), QSize(643, 481));
    std::set<QRgb> inPicture;
    for (int y = 0; y < device.height(); ++y)
        for (int x = 0; x < device.width(); ++x)
            inPicture.insert(device.pixel(x, y));
    const int bw = int(std::floor(640 * 1.5 + 0.5)), bh = int(std::floor(480 * 1.5 + 0.5));
    for (const auto& [how, offset] : {std::pair{Paint::Rest, 0}, {Paint::Row, 55}, {Paint::Column, -77}}) {
        const QImage img = Render(s, how, offset).image;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y);
                if (x < bw && y < bh)
                    ASSERT_TRUE(c == kGridColour || c == kSelectionColour || inPicture.count(c))
                        << int(how) << " at " << x << "," << y << ": " << std::hex << c;
                else
                    ASSERT_EQ(c, kUntouched) << int(how) << " at " << x << "," << y;
            }
    }
}
