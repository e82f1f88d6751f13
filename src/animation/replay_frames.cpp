#include "animation/replay_frames.h"

#include "model/replay.h"
#include "view/board_motion.h"
#include "view/board_painter.h"
#include "view/motion_frame.h"
#include "view/painter_target.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tesselo {

namespace {

// The glide's easing, as the board's: quick away, slow into place.
double Eased(double p)
{
    const double left = 1.0 - p;
    return 1.0 - left * left * left;
}

// A line comes to the same place either way round and glides the short
// way; an even half keeps the way the move was made.
double ShortWay(std::int32_t amount, std::int32_t length)
{
    double best = amount;
    for (int k = -1; k <= 1 && length > 0; k += 2) {
        const double other = double(amount) + double(k) * length;
        if (std::abs(other) < std::abs(best))
            best = other;
    }
    return best;
}

} // namespace

QSize ReplayFrames::BoardSize(std::int32_t rows, std::int32_t columns, QSize proportions, int side)
{
    if (rows <= 0 || columns <= 0)
        return QSize();
    side = std::clamp(side, kMinSide, kMaxSide);
    if (proportions.width() <= 0 || proportions.height() <= 0)
        proportions = QSize(4, 3);
    const bool wide = proportions.width() >= proportions.height();
    const double other = double(side) * (wide ? proportions.height() : proportions.width()) /
                         double(wide ? proportions.width() : proportions.height());
    const int width = wide ? side : std::max(1, int(other));
    const int height = wide ? std::max(1, int(other)) : side;
    const QSize cell(width / columns, height / rows);
    if (cell.width() <= 0 || cell.height() <= 0)
        return QSize();
    return QSize(cell.width() * columns, cell.height() * rows);
}

ReplayFrames::ReplayFrames(TileGrid from, std::vector<HistoryStep> moves, BoardBitmap picture, QSize boardSize,
                           bool withNumbers)
    : start(std::move(from)), steps(std::move(moves)), board(std::move(picture)), numbers(withNumbers),
      size(boardSize), grid(start)
{
    if (size.isEmpty() || !board.Rescale(size.width(), size.height(), 1.0))
        board.picture = QImage();
    board.grid = &grid;
}

std::int64_t ReplayFrames::Start(int i) const
{
    const std::int64_t moves = std::int64_t(steps.size());
    if (i <= 0)
        return 0;
    if (i >= Count())
        return Replay::kStartRest + moves * Replay::kStep + kEndHoldMs;
    const int move = (i - 1) / kFramesPerMove;
    const int within = (i - 1) % kFramesPerMove;
    return Replay::kStartRest + std::int64_t(move) * Replay::kStep + std::int64_t(within) * kGlideFrameMs;
}

void ReplayFrames::BringTo(std::size_t moves)
{
    if (moves < made) {
        grid = start;
        made = 0;
    }
    for (; made < moves; ++made)
        steps[made].RedoOn(grid);
}

QImage ReplayFrames::Frame(int i)
{
    if (!IsReady())
        return QImage();
    i = std::clamp(i, 0, Count() - 1);
    QImage image(size, QImage::Format_RGB32);
    image.fill(kGridColour);
    MotionFrame frame;
    if (i <= 0) {
        BringTo(0);
        frame.grid = grid;
    } else {
        const std::size_t move = std::size_t((i - 1) / kFramesPerMove);
        const int within = (i - 1) % kFramesPerMove;
        if (within == kGlideFrames) {
            BringTo(move + 1);
            frame.grid = grid;
        } else {
            BringTo(move);
            const HistoryStep& step = steps[move];
            const std::int32_t length = step.move.axis == MoveAxis::Row ? grid.columnCount : grid.rowCount;
            const double cells =
                ShortWay(step.move.amount, length) * Eased(double(within + 1) / double(kGlideFrames + 1));
            frame = SlideFrame(grid, step.before, step.move, cells, board.CellWidth(), board.CellHeight());
        }
    }
    {
        QPainter painter(&image);
        PainterTarget target(painter);
        if (!DrawMotion(target, board, frame, numbers ? &plates : nullptr, &rest))
            return QImage();
    }
    return image;
}

} // namespace tesselo
