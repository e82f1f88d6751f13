#include "animation/median_cut.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <set>

using namespace tesselo;

namespace {

std::set<QRgb> AsSet(const std::vector<QRgb>& palette)
{
    return std::set<QRgb>(palette.begin(), palette.end());
}

int Distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

// Every colour of an image w x h with `levels` steps of each channel.
QImage Gradient(int levels)
{
    QImage image(levels * levels, levels, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(255 * (x % levels) / (levels - 1), 255 * (x / levels) / (levels - 1),
                                      255 * y / (levels - 1)));
    return image;
}

} // namespace

TEST(MedianCut, CountsEveryColourOnceWithItsPixels)
{
    QImage a(3, 1, QImage::Format_RGB32), b(2, 1, QImage::Format_RGB32);
    a.setPixel(0, 0, 0xff102030u);
    a.setPixel(1, 0, 0xff102030u);
    a.setPixel(2, 0, 0xffffffffu);
    b.fill(0xff102030u);
    const std::vector<QImage> images{a, b};
    const std::vector<ColourCount> counts = CountColours(images);
    ASSERT_EQ(counts.size(), 2u);
    EXPECT_EQ(counts[0].colour, 0xff102030u);
    EXPECT_EQ(counts[0].count, 4u);
    EXPECT_EQ(counts[1].colour, 0xffffffffu);
    EXPECT_EQ(counts[1].count, 1u);
}

TEST(MedianCut, KeepsFewColoursExactlyAndManyWithinTheSize)
{
    const std::vector<QImage> images{Gradient(16)}; // 4096 colours
    const std::vector<ColourCount> all = CountColours(images);
    ASSERT_EQ(all.size(), 4096u);
    const std::vector<ColourCount> few(all.begin(), all.begin() + 40);
    struct Case {
        const std::vector<ColourCount>* colours;
        int size;
        std::size_t expected;
        bool exact;
    };
    for (const Case& c : {Case{&few, 256, 40, true}, Case{&few, 40, 40, true}, Case{&few, 39, 39, false},
                          Case{&all, 256, 256, false}, Case{&all, 16, 16, false}, Case{&all, 2, 2, false},
                          Case{&all, 1, 1, false}, Case{&all, 999, 256, false}}) {
        const std::vector<QRgb> palette = MedianCutPalette(*c.colours, c.size);
        EXPECT_EQ(palette.size(), c.expected) << c.size;
        EXPECT_EQ(AsSet(palette).size(), palette.size()) << "an entry twice, size " << c.size;
        if (c.exact) {
            std::set<QRgb> given;
            for (const ColourCount& cc : *c.colours)
                given.insert(cc.colour);
            EXPECT_EQ(AsSet(palette), given);
        }
    }
}

TEST(MedianCut, KeepsTheColoursAskedForFirstAndExactly)
{
    const std::vector<QImage> images{Gradient(16)};
    const std::vector<QRgb> keep{0xff000000u, 0xffffff00u, 0xff000000u};
    const std::vector<QRgb> palette = MedianCutPalette(CountColours(images), 16, keep);
    ASSERT_EQ(palette.size(), 16u);
    EXPECT_EQ(palette[0], 0xff000000u);
    EXPECT_EQ(palette[1], 0xffffff00u);
    EXPECT_EQ(AsSet(palette).size(), 16u);
}

TEST(MedianCut, CutsBetweenClustersAndAveragesEachByItsPixels)
{
    // Dark reds and light blues, the reds weighted to one end: two entries,
    // one each, at the mean of its pixels.
    const std::vector<ColourCount> colours{{qRgb(100, 0, 0), 3}, {qRgb(110, 0, 0), 1}, {qRgb(0, 0, 200), 1},
                                           {qRgb(0, 0, 220), 1}};
    const std::set<QRgb> palette = AsSet(MedianCutPalette(colours, 2));
    EXPECT_EQ(palette, (std::set<QRgb>{qRgb(103, 0, 0), qRgb(0, 0, 210)}));
}

TEST(MedianCut, MapsEveryColourToItsNearestEntryAndRemembersIt)
{
    const std::vector<QRgb> palette{qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 0, 250),
                                    qRgb(0, 0, 250) /* a tie: the first */};
    PaletteMap map(palette);
    for (const auto& [colour, index] : {std::pair{qRgb(10, 10, 10), 0}, {qRgb(200, 200, 200), 1},
                                        {qRgb(200, 30, 20), 2}, {qRgb(0, 0, 255), 3}, {qRgb(100, 100, 100), 0},
                                        {qRgb(160, 160, 160), 1}, {qRgba(255, 0, 0, 0), 2}})
        EXPECT_EQ(map.Index(colour), index) << std::hex << colour;
    // Against a search of every entry, random colours asked twice.
    std::mt19937 random(7);
    std::vector<QRgb> many;
    for (int i = 0; i < 256; ++i)
        many.push_back(0xff000000u | random());
    PaletteMap big(many);
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < 3000; ++i) {
            const QRgb colour = 0xff000000u | (std::uint32_t(i) * 2654435761u);
            const std::uint8_t got = big.Index(colour);
            const int best = *std::min_element(many.begin(), many.end(), [&](QRgb a, QRgb b) {
                return Distance(a, colour) < Distance(b, colour);
            });
            EXPECT_EQ(Distance(many[got], colour), Distance(QRgb(best), colour)) << i;
        }
    // An area of an image maps pixel by pixel.
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(250, 250, 250));
    image.setPixel(1, 1, qRgb(240, 0, 0));
    std::uint8_t out[4] = {9, 9, 9, 9};
    map.MapArea(image, QRect(1, 0, 2, 2), out);
    EXPECT_EQ(std::vector<int>(out, out + 4), (std::vector<int>{1, 1, 2, 1}));
}

// Ordered dithering against a coarse palette: a smooth ramp comes out as a
// grain whose average over each 8 x 8 patch is far closer to the ramp than
// the bands of the nearest entries; a colour the palette holds (the grid's
// black, the frame's yellow, the ramp's own levels 16, 48, ...) is never
// moved; and the pattern is anchored to the image, so the same
// pixels map alike in any area that holds them (frames change only where
// the board moved).
TEST(MedianCut, DitheringTurnsBandsIntoAGrainThatAveragesRight)
{
    const int w = 256, h = 16;
    QImage ramp(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ramp.setPixel(x, y, x == 0 ? 0xff000000u : x == 255 ? 0xffffff00u : qRgb(x, x, x));
    // Entries every 32 levels, and the two kept colours.
    std::vector<QRgb> palette{0xff000000u, 0xffffff00u};
    for (int v = 16; v < 256; v += 32)
        palette.push_back(qRgb(v, v, v));
    PaletteMap map(palette);
    EXPECT_EQ(map.DitherSpread(), 32);
    std::vector<std::uint8_t> plain(std::size_t(w * h)), dithered(plain.size());
    map.MapArea(ramp, ramp.rect(), plain.data());
    map.MapAreaDithered(ramp, ramp.rect(), dithered.data());

    // The mean error of 8 x 8 patches (what the eye sees from a step back).
    const auto patchError = [&](const std::vector<std::uint8_t>& indices) {
        double total = 0;
        int patches = 0;
        for (int px = 8; px + 8 <= w - 8; px += 8) {
            double sum = 0;
            for (int y = 0; y < 8; ++y)
                for (int x = px; x < px + 8; ++x)
                    sum += qRed(palette[indices[std::size_t(y * w + x)]]) - x;
            total += std::abs(sum / 64);
            ++patches;
        }
        return total / patches;
    };
    EXPECT_LT(patchError(dithered), patchError(plain) / 3);
    for (int y = 0; y < h; ++y)
        for (const int x : {0, 16, 48, 112, 240, 255})
            EXPECT_EQ(palette[dithered[std::size_t(y * w + x)]], ramp.pixel(x, y)) << x << "," << y;
    // A part of the image maps as the same pixels of the whole did.
    const QRect part(37, 5, 50, 7);
    std::vector<std::uint8_t> partIndices(std::size_t(part.width() * part.height()));
    map.MapAreaDithered(ramp, part, partIndices.data());
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x)
            ASSERT_EQ(partIndices[std::size_t(y * part.width() + x)],
                      dithered[std::size_t((y + part.top()) * w + x + part.left())]);
}
