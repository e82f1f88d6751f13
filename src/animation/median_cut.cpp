#include "animation/median_cut.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace tesselo {

namespace {

constexpr QRgb kRgbMask = 0x00ffffffu;

int Channel(QRgb colour, int channel)
{
    return channel == 0 ? qRed(colour) : channel == 1 ? qGreen(colour) : qBlue(colour);
}

// A run of the colour list: the colours one palette entry stands for.
struct Box {
    std::size_t begin = 0, end = 0;
    std::array<int, 3> low{255, 255, 255}, high{0, 0, 0};

    void Measure(const std::vector<ColourCount>& colours)
    {
        low = {255, 255, 255};
        high = {0, 0, 0};
        for (std::size_t i = begin; i < end; ++i)
            for (int c = 0; c < 3; ++c) {
                low[c] = std::min(low[c], Channel(colours[i].colour, c));
                high[c] = std::max(high[c], Channel(colours[i].colour, c));
            }
    }
    int WidestChannel() const
    {
        int widest = 0;
        for (int c = 1; c < 3; ++c)
            if (high[c] - low[c] > high[widest] - low[widest])
                widest = c;
        return widest;
    }
    int Width() const { return high[WidestChannel()] - low[WidestChannel()]; }
};

QRgb MeanOf(const std::vector<ColourCount>& colours, const Box& box)
{
    std::array<std::uint64_t, 3> sum{};
    std::uint64_t pixels = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) {
        // A colour counted nowhere still has its say.
        const std::uint64_t weight = std::max<std::uint64_t>(colours[i].count, 1);
        for (int c = 0; c < 3; ++c)
            sum[c] += weight * std::uint64_t(Channel(colours[i].colour, c));
        pixels += weight;
    }
    const auto mean = [&](int c) { return int((sum[c] + pixels / 2) / pixels); };
    return qRgb(mean(0), mean(1), mean(2));
}

} // namespace

std::vector<ColourCount> CountColours(std::span<const QImage> images)
{
    std::vector<QRgb> all;
    for (const QImage& image : images) {
        const QImage rgb = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                               ? image
                               : image.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < rgb.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            for (int x = 0; x < rgb.width(); ++x)
                all.push_back(line[x] & kRgbMask);
        }
    }
    std::sort(all.begin(), all.end());
    std::vector<ColourCount> counts;
    for (std::size_t i = 0; i < all.size();) {
        std::size_t j = i;
        while (j < all.size() && all[j] == all[i])
            ++j;
        counts.push_back({all[i] | 0xff000000u, j - i});
        i = j;
    }
    return counts;
}

std::vector<QRgb> MedianCutPalette(std::vector<ColourCount> colours, int size, std::span<const QRgb> keep)
{
    size = std::clamp(size, 1, 256);
    std::vector<QRgb> palette;
    const auto has = [&](QRgb colour) {
        return std::find(palette.begin(), palette.end(), colour) != palette.end();
    };
    for (QRgb colour : keep)
        if (int(palette.size()) < size && !has(colour | 0xff000000u))
            palette.push_back(colour | 0xff000000u);
    // The same colour given twice is one; a kept colour is not cut again.
    for (ColourCount& c : colours)
        c.colour |= 0xff000000u;
    std::sort(colours.begin(), colours.end(), [](const ColourCount& a, const ColourCount& b) {
        return a.colour < b.colour;
    });
    std::vector<ColourCount> rest;
    for (const ColourCount& c : colours) {
        if (has(c.colour))
            continue;
        if (!rest.empty() && rest.back().colour == c.colour)
            rest.back().count += c.count;
        else
            rest.push_back(c);
    }
    const std::size_t room = std::size_t(size) - palette.size();
    if (rest.size() <= room) {
        for (const ColourCount& c : rest)
            palette.push_back(c.colour);
        return palette;
    }
    if (room == 0)
        return palette;

    std::vector<Box> boxes(1);
    boxes[0].end = rest.size();
    boxes[0].Measure(rest);
    while (boxes.size() < room) {
        // The widest box with more than one colour is halved.
        auto widest = boxes.end();
        for (auto b = boxes.begin(); b != boxes.end(); ++b)
            if (b->end - b->begin > 1 && (widest == boxes.end() || b->Width() > widest->Width()))
                widest = b;
        if (widest == boxes.end())
            break;
        const int channel = widest->WidestChannel();
        const auto first = rest.begin() + std::ptrdiff_t(widest->begin);
        const auto last = rest.begin() + std::ptrdiff_t(widest->end);
        std::sort(first, last, [channel](const ColourCount& a, const ColourCount& b) {
            return Channel(a.colour, channel) < Channel(b.colour, channel);
        });
        // The pixel median: half the box's pixels on either side, and at
        // least one colour on each.
        std::uint64_t pixels = 0;
        for (auto i = first; i != last; ++i)
            pixels += std::max<std::uint64_t>(i->count, 1);
        std::uint64_t below = 0;
        std::size_t cut = widest->begin;
        while (cut < widest->end - 1) {
            below += std::max<std::uint64_t>(rest[cut].count, 1);
            ++cut;
            if (2 * below >= pixels)
                break;
        }
        // The cut is a plane across the channel: colours of one value on
        // it stay together, on whichever side is nearer the median.
        const auto value = [&](std::size_t i) { return Channel(rest[i].colour, channel); };
        std::size_t up = cut, down = cut;
        while (up < widest->end && value(up) == value(up - 1))
            ++up;
        while (down > widest->begin + 1 && value(down) == value(down - 1))
            --down;
        const bool downFits = value(down) != value(down - 1);
        cut = up < widest->end && (!downFits || up - cut <= cut - down) ? up : down;
        Box upper;
        upper.begin = cut;
        upper.end = widest->end;
        widest->end = cut;
        widest->Measure(rest);
        upper.Measure(rest);
        boxes.push_back(upper);
    }
    for (const Box& box : boxes) {
        const QRgb mean = MeanOf(rest, box);
        // Two boxes can average to one colour, or to a kept one: the
        // palette holds it once.
        if (!has(mean))
            palette.push_back(mean);
    }
    return palette;
}

PaletteMap::PaletteMap(std::vector<QRgb> entries)
    : palette(std::move(entries)), keys(std::size_t(1) << 20, 0), values(keys.size(), 0)
{
    palette.resize(std::min<std::size_t>(palette.size(), 256));
    if (palette.empty())
        palette.push_back(0xff000000u);
    byRed.resize(palette.size());
    for (std::size_t i = 0; i < byRed.size(); ++i)
        byRed[i] = int(i);
    std::stable_sort(byRed.begin(), byRed.end(),
                     [&](int a, int b) { return qRed(palette[std::size_t(a)]) < qRed(palette[std::size_t(b)]); });
    std::vector<double> nearest;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        int least = std::numeric_limits<int>::max();
        for (std::size_t j = 0; j < palette.size(); ++j) {
            if (i == j)
                continue;
            const int dr = qRed(palette[i]) - qRed(palette[j]), dg = qGreen(palette[i]) - qGreen(palette[j]),
                      db = qBlue(palette[i]) - qBlue(palette[j]);
            least = std::min(least, dr * dr + dg * dg + db * db);
        }
        if (least != std::numeric_limits<int>::max())
            nearest.push_back(std::sqrt(double(least)));
    }
    if (!nearest.empty()) {
        std::nth_element(nearest.begin(), nearest.begin() + std::ptrdiff_t(nearest.size() / 2), nearest.end());
        // A move of d levels in each channel is d * sqrt(3) away.
        spread = std::clamp(int(std::lround(nearest[nearest.size() / 2] / std::sqrt(3.0))), 2, 64);
    }
}

std::uint8_t PaletteMap::Search(QRgb colour) const
{
    // Outward from the entries of the nearest red, in both directions,
    // until the red alone is farther than the best found: no entry beyond
    // can be nearer. Of equal distances the first entry wins, as a search
    // of the whole list in order would find it.
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    const int r = qRed(colour), g = qGreen(colour), b = qBlue(colour);
    const auto look = [&](std::size_t at) {
        const int i = byRed[at];
        const int dr = qRed(palette[std::size_t(i)]) - r, dg = qGreen(palette[std::size_t(i)]) - g,
                  db = qBlue(palette[std::size_t(i)]) - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance || (distance == bestDistance && i < best)) {
            bestDistance = distance;
            best = i;
        }
    };
    const auto red = [&](std::size_t at) { return qRed(palette[std::size_t(byRed[at])]); };
    const auto redBelow = [&](int i, int v) { return qRed(palette[std::size_t(i)]) < v; };
    const std::size_t first = std::size_t(std::lower_bound(byRed.begin(), byRed.end(), r, redBelow) - byRed.begin());
    for (std::size_t up = first, down = first; up < byRed.size() || down > 0;) {
        bool went = false;
        if (up < byRed.size() && (red(up) - r) * (red(up) - r) <= bestDistance) {
            look(up++);
            went = true;
        } else {
            up = byRed.size();
        }
        if (down > 0 && (r - red(down - 1)) * (r - red(down - 1)) <= bestDistance) {
            look(--down);
            went = true;
        } else {
            down = 0;
        }
        if (!went)
            break;
    }
    return std::uint8_t(best);
}

std::uint8_t PaletteMap::Index(QRgb colour)
{
    const std::uint32_t key = (colour & kRgbMask) + 1;
    const std::size_t mask = keys.size() - 1;
    std::size_t slot = (std::size_t(key) * 0x9E3779B1u >> 8) & mask;
    while (keys[slot] != 0) {
        if (keys[slot] == key)
            return values[slot];
        slot = (slot + 1) & mask;
    }
    const std::uint8_t index = Search(colour);
    // Kept at most half full, so a look-up stays short; beyond that the
    // colours remembered are forgotten and found again as they come.
    if (filled >= keys.size() / 2) {
        std::fill(keys.begin(), keys.end(), 0);
        filled = 0;
        return Index(colour);
    }
    keys[slot] = key;
    values[slot] = index;
    ++filled;
    return index;
}

void PaletteMap::MapAreaDithered(const QImage& image, const QRect& area, std::uint8_t* out)
{
    // The classic 8 x 8 Bayer matrix: thresholds 0..63 spread so that any
    // run of levels is met evenly over a small patch.
    static constexpr std::uint8_t kBayer[8][8] = {
        {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26}, {12, 44, 4, 36, 14, 46, 6, 38},
        {60, 28, 52, 20, 62, 30, 54, 22}, {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
        {15, 47, 7, 39, 13, 45, 5, 37},  {63, 31, 55, 23, 61, 29, 53, 21}};
    // The offset of each threshold, in levels, centred on zero.
    std::array<int, 64> offset{};
    for (int t = 0; t < 64; ++t)
        offset[std::size_t(t)] = int(std::lround((t + 0.5 - 32.0) * spread / 64.0));
    // Neighbours are often alike (the lines, the plates, a flat sky): the
    // last colour's answer, and the last answer at each threshold, are kept
    // at hand. No pixel's colour has the alpha bits these start with.
    QRgb last = ~kRgbMask;
    std::uint8_t lastNearest = 0;
    bool lastExact = false;
    std::array<QRgb, 64> movedFrom;
    movedFrom.fill(~kRgbMask);
    std::array<std::uint8_t, 64> movedTo{};
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const std::uint8_t* row = kBayer[y & 7];
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb colour = line[x] & kRgbMask;
            if (colour != last) {
                last = colour;
                lastNearest = Index(colour);
                lastExact = (palette[lastNearest] & kRgbMask) == colour;
            }
            if (lastExact) {
                *out++ = lastNearest;
                continue;
            }
            const std::uint8_t t = row[x & 7];
            if (movedFrom[t] != colour) {
                const int d = offset[t];
                movedFrom[t] = colour;
                movedTo[t] = CoarseIndex(std::clamp(qRed(colour) + d, 0, 255), std::clamp(qGreen(colour) + d, 0, 255),
                                         std::clamp(qBlue(colour) + d, 0, 255));
            }
            *out++ = movedTo[t];
        }
    }
}

std::uint8_t PaletteMap::CoarseIndex(int r, int g, int b)
{
    // A table of every colour at 6 bits a channel, 256 KB of answers that
    // stay in the cache, filled as colours come: a dithered colour is
    // already off by up to half the palette's spacing, and the 2 bits left
    // out (the colour taken at the middle of its 4 levels) change nothing
    // one could see.
    if (coarse.empty())
        coarse.assign(std::size_t(1) << 18, kNoAnswer);
    const std::size_t key = std::size_t((r >> 2) << 12 | (g >> 2) << 6 | (b >> 2));
    if (coarse[key] == kNoAnswer)
        coarse[key] = Search(qRgb((r & ~3) + 2, (g & ~3) + 2, (b & ~3) + 2));
    return std::uint8_t(coarse[key]);
}

void PaletteMap::MapArea(const QImage& image, const QRect& area, std::uint8_t* out)
{
    QRgb last = 0;
    std::uint8_t lastIndex = Index(0);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb colour = line[x] & kRgbMask;
            // Neighbours are often alike: the last answer is kept at hand.
            if (colour != last) {
                last = colour;
                lastIndex = Index(colour);
            }
            *out++ = lastIndex;
        }
    }
}

} // namespace tesselo
