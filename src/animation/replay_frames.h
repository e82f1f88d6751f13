#pragma once

#include "model/history.h"
#include "model/tile_grid.h"
#include "pictures/board_bitmap.h"
#include "view/board_cache.h"
#include "view/number_plates.h"

#include <QImage>
#include <QSize>

#include <cstdint>
#include <vector>

namespace tesselo {

// A solve as the frames of a moving picture of the board alone, painted
// with the board's own painters: the start held a moment, each move
// gliding in a few frames (eased as the game's glides are) and then its
// landing held for the rest of the replay's step; the last move lands on
// the whole picture, which the painter shows without lines or frame, and
// that is held a while longer. The frames are
// painted one at a time, when asked, so that a long solve never holds
// more than one in memory.
class ReplayFrames {
public:
    // Frames in motion a move, then its landing.
    static constexpr int kGlideFrames = 3;
    static constexpr int kFramesPerMove = kGlideFrames + 1;
    static constexpr std::int64_t kGlideFrameMs = 40;
    static constexpr std::int64_t kEndHoldMs = 2000;
    // The longer side of the board unless asked otherwise.
    static constexpr int kDefaultSide = 480;
    static constexpr int kMinSide = 64;
    static constexpr int kMaxSide = 2048;

    // The board's size for a grid of `rows` x `columns`: `side` pixels
    // (kMinSide to kMaxSide) on its longer side, at the proportions of
    // `proportions` (the game's board), cut down to whole cells.
    static QSize BoardSize(std::int32_t rows, std::int32_t columns, QSize proportions, int side);

    // `picture` holds the picture on hand (BoardBitmap::source); it is
    // made again at `size`, which BoardSize gave.
    ReplayFrames(TileGrid start, std::vector<HistoryStep> steps, BoardBitmap picture, QSize size, bool numbers);
    // The board points at the grid it holds.
    ReplayFrames(const ReplayFrames&) = delete;
    ReplayFrames& operator=(const ReplayFrames&) = delete;

    // False when the board could not be made (no picture, cells of no size).
    bool IsReady() const { return !board.picture.isNull() && size.width() > 0 && size.height() > 0; }
    QSize Size() const { return size; }
    int Count() const { return CountFor(steps.size()); }
    static int CountFor(std::size_t moves) { return 1 + int(moves) * kFramesPerMove; }
    // When frame i starts, in ms from the first; Start(Count()) is the end.
    std::int64_t Start(int i) const;
    // Frame i, RGB32, Size() pixels. Frames are cheapest asked in order.
    QImage Frame(int i);

private:
    void BringTo(std::size_t moves);

    TileGrid start;
    std::vector<HistoryStep> steps;
    BoardBitmap board;
    NumberPlates plates;
    BoardCache rest;
    bool numbers = false;
    QSize size;
    TileGrid grid;          // the board after `made` moves
    std::size_t made = 0;
};

} // namespace tesselo
