#include "view/board_motion.h"

#include <cmath>

namespace tesselo {

namespace {

// The amount, give or take whole turns of a line of `length`, nearest to
// `near`: a line comes to the same place either way round, and glides the
// short way from where it is. Even halves keep the way the move was made.
double Nearest(double amount, double near, std::int32_t length)
{
    double best = amount;
    for (int k = -2; k <= 2 && length > 0; ++k) {
        const double candidate = amount + double(k) * length;
        if (std::abs(candidate - near) < std::abs(best - near) - 1e-9)
            best = candidate;
    }
    return best;
}

double Eased(double p)
{
    const double left = 1.0 - p;
    return 1.0 - left * left * left;
}

QRect CellArea(Selection cell, QSize size)
{
    return QRect(cell.column * size.width(), cell.row * size.height(), size.width() + 1, size.height() + 1);
}

} // namespace

void BoardMotion::Follow(const GameChange& change, const TileGrid& now, QSize cell)
{
    const auto lengthOf = [&](MoveAxis axis) { return axis == MoveAxis::Row ? now.columnCount : now.rowCount; };
    const auto cellsOf = [&](MoveAxis axis, std::int32_t pixels) {
        const int size = axis == MoveAxis::Row ? cell.width() : cell.height();
        return size > 0 ? double(pixels) / size : 0.0;
    };
    // The game says which changes glide, and how long.
    const std::int32_t ms = GlideMsOf(change);
    if (ms <= 0) {
        if (!LeavesBoard(change))
            Finish();
        return;
    }
    if (const auto* made = std::get_if<MoveMade>(&change)) {
        Glide next{now, made->step.before, made->step.move, made->step.after, 0, 0, 0, ms};
        made->step.UndoOn(next.grid);
        const MoveAxis axis = made->step.move.axis;
        next.from = cellsOf(axis, made->releasedAt);
        next.to = Nearest(made->step.move.amount, next.from, lengthOf(axis));
        Start(std::move(next));
    } else if (const auto* back = std::get_if<MoveTakenBack>(&change)) {
        const Move inverse = back->step.move.Inverse();
        Glide next{now, back->step.after, inverse, back->step.before, 0, 0, 0, ms};
        back->step.RedoOn(next.grid);
        next.to = Nearest(inverse.amount, 0, lengthOf(inverse.axis));
        Start(std::move(next));
    } else if (const auto* gesture = std::get_if<GestureChanged>(&change)) {
        const MoveAxis axis = gesture->axis == Horizontal ? MoveAxis::Row : MoveAxis::Column;
        const Selection at = now.Selected();
        Glide next{now, at, Move{axis, axis == MoveAxis::Row ? at.row : at.column, 0}, at, 0, 0, 0, ms};
        next.from = cellsOf(axis, gesture->offset);
        next.to = Nearest(0, next.from, lengthOf(axis));
        Start(std::move(next));
    } else if (const auto* selection = std::get_if<SelectionMoved>(&change)) {
        // The frame starts a step away from its cell, the short way round.
        const bool along = selection->from.row == selection->to.row;
        Glide next{now, selection->from, std::nullopt, selection->to, 0, 0, 0, ms};
        next.from = along ? Nearest(selection->from.column - selection->to.column, 0, now.columnCount)
                          : Nearest(selection->from.row - selection->to.row, 0, now.rowCount);
        Start(std::move(next));
    }
}

void BoardMotion::Start(Glide next)
{
    next.start = clock() - kFrameMs;
    glide = std::move(next);
}

std::optional<MotionFrame> BoardMotion::Frame(QSize cell) const
{
    if (!IsRunning())
        return std::nullopt;
    const double eased = Eased(double(clock() - glide->start) / glide->ms);
    const double cells = glide->from + (glide->to - glide->from) * eased;
    if (glide->line)
        return SlideFrame(glide->grid, glide->framed, *glide->line, cells, cell.width(), cell.height());
    MotionFrame frame;
    frame.grid = glide->grid;
    const bool along = glide->framed.row == glide->landing.row;
    const int pixels = int(std::lround(cells * (along ? cell.width() : cell.height())));
    frame.frameOffset = along ? QPoint(pixels, 0) : QPoint(0, pixels);
    return frame;
}

QRegion BoardMotion::Area(QSize cell) const
{
    if (!glide)
        return QRegion();
    QRegion area = QRegion(CellArea(glide->framed, cell)) + CellArea(glide->landing, cell);
    if (glide->line) {
        const Move& m = *glide->line;
        const TileGrid& g = glide->grid;
        area += m.axis == MoveAxis::Row ? QRect(0, m.line * cell.height(), g.columnCount * cell.width(), cell.height() + 1)
                                        : QRect(m.line * cell.width(), 0, cell.width() + 1, g.rowCount * cell.height());
    }
    return area;
}

} // namespace tesselo
