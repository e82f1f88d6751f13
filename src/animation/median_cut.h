#pragma once

#include <QImage>
#include <QRgb>

#include <cstdint>
#include <span>
#include <vector>

namespace tesselo {

// A colour and how many pixels have it.
struct ColourCount {
    QRgb colour = 0; // opaque: the alpha byte is ignored
    std::uint64_t count = 0;
};

// Every colour of the images' pixels (alpha left out) with its count,
// ordered by colour.
std::vector<ColourCount> CountColours(std::span<const QImage> images);

// At most `size` colours (1 to 256) that stand for `colours`: each colour
// of `keep` first, exactly (the board's lines and frame, which must stay
// crisp), then the rest by median cut. When the other colours fit in the
// room left they are taken exactly; otherwise the colour space they span
// is cut into boxes, each time the box whose widest channel is widest
// being halved at the pixel median along that channel, and each box gives
// the mean of its pixels. Never two equal entries; fewer than `size` when
// there are fewer colours.
std::vector<QRgb> MedianCutPalette(std::vector<ColourCount> colours, int size, std::span<const QRgb> keep = {});

// Maps colours to the nearest entry of a palette (least squared distance
// in RGB; the first entry of equal distance), remembering each colour it
// has looked up: a board's frames are the same few hundred thousand
// colours over and over.
class PaletteMap {
public:
    explicit PaletteMap(std::vector<QRgb> palette);

    std::uint8_t Index(QRgb colour);
    // `area` of an RGB32 image, row by row, into `out` (area.width() *
    // area.height() indices).
    void MapArea(const QImage& image, const QRect& area, std::uint8_t* out);
    // The same with ordered dithering: each pixel's colour moved by the
    // 8 x 8 Bayer threshold of its place in the image (the same pattern in
    // every frame, so a still part of the board stays still and only what
    // moved is written again), by up to half the palette's spacing
    // (DitherSpread) either way, before it is looked up. A colour the
    // palette holds exactly is never moved: the grid's black and the
    // frame's yellow (kept in every palette), and every colour of a picture
    // that fits the palette whole, stay exact.
    void MapAreaDithered(const QImage& image, const QRect& area, std::uint8_t* out);
    // How far apart the palette's colours lie: the median of each entry's
    // distance to its nearest other entry, as levels of every channel at
    // once (the distance over the square root of 3), within 2 ..
    // 64. The dither moves a colour across about this much.
    int DitherSpread() const { return spread; }
    const std::vector<QRgb>& Palette() const { return palette; }

private:
    std::uint8_t Search(QRgb colour) const;
    // The nearest entry of a colour taken at 6 bits a channel: how a
    // dithered colour is looked up.
    std::uint8_t CoarseIndex(int red, int green, int blue);
    static constexpr std::uint16_t kNoAnswer = 0xffff;
    std::vector<std::uint16_t> coarse;

    std::vector<QRgb> palette;
    // The entries' indices in order of their red, for Search.
    std::vector<int> byRed;
    // Open addressing on the colour: each slot holds colour + 1 (0: empty)
    // and its index.
    std::vector<std::uint32_t> keys;
    std::vector<std::uint8_t> values;
    std::size_t filled = 0;
    int spread = 2;
};

} // namespace tesselo
