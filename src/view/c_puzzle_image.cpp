#include "view/c_puzzle_image.h"

#include "model/game.h"
#include "view/board_painter.h"
#include "view/hint_overlay.h"
#include "view/painter_target.h"
#include "view/paused_panel.h"
#include "view/replay.h"

#include <QPainter>
#include <QRegion>

namespace tesselo {

CPuzzleImage::CPuzzleImage(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Every pixel of the board is painted each time: no erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPuzzleImage::Show(Game* shown)
{
    if (game)
        disconnect(game, nullptr, this, nullptr);
    game = shown;
    if (game) {
        connect(game, &Game::Changed, this, &CPuzzleImage::Follow);
        framed = game->grid.Selected();
    }
    update();
}

void CPuzzleImage::SetHint(const std::optional<Move>& move)
{
    if (move == hint)
        return;
    hint = move;
    update();
}

QRect CPuzzleImage::LineArea(MoveAxis axis, int line) const
{
    if (!game)
        return rect();
    const int cw = game->board.CellWidth(), ch = game->board.CellHeight();
    return axis == MoveAxis::Row ? QRect(0, line * ch, cw * game->grid.columnCount, ch + 1)
                                 : QRect(line * cw, 0, cw + 1, ch * game->grid.rowCount);
}

QRect CPuzzleImage::CellArea(Selection cell) const
{
    if (!game)
        return rect();
    const int cw = game->board.CellWidth(), ch = game->board.CellHeight();
    return QRect(cell.column * cw, cell.row * ch, cw + 1, ch + 1);
}

void CPuzzleImage::Follow(const GameChange& change)
{
    // A replay shows a board of its own; the game's changes wait under it.
    if (replayFrame && replayBoard)
        return;
    if (const auto* made = std::get_if<MoveMade>(&change)) {
        update(LineArea(made->step.move.axis, made->step.move.line));
    } else if (const auto* back = std::get_if<MoveTakenBack>(&change)) {
        update(LineArea(back->step.move.axis, back->step.move.line));
    } else if (const auto* gesture = std::get_if<GestureChanged>(&change)) {
        const Selection at = game->grid.Selected();
        if (gesture->axis != None)
            update(gesture->axis == Horizontal ? LineArea(MoveAxis::Row, at.row)
                                               : LineArea(MoveAxis::Column, at.column));
    } else if (std::holds_alternative<SelectionMoved>(change)) {
        // Told below, with every change that moves the frame.
    } else if (std::holds_alternative<ClockChanged>(change) || std::holds_alternative<StyleChanged>(change)) {
        return;
    } else {
        update();
    }
    const Selection now = game->grid.Selected();
    if (now != framed) {
        update(CellArea(framed));
        update(CellArea(now));
        framed = now;
    }
}

void CPuzzleImage::paintEvent(QPaintEvent*)
{
    // The painter ends when it leaves this scope, whichever way the board
    // painting went.
    QPainter painter(this);

    // An opaque widget promises to cover itself, and Qt keeps no older
    // picture underneath to fall back on. The board painter leaves alone the
    // strip beyond the last whole cell (and everything, when there is no
    // picture), so that strip gets the window's background first; an
    // in-order board then copies its picture over it.
    // A replay paints its own grid over the same picture, with the same
    // painters as a drag; the game itself is not touched.
    const bool replaying = replayFrame && replayBoard;
    if (!replaying && game)
        framed = game->grid.Selected();
    // A paused game shows the panel and nothing of its board; a replay
    // started meanwhile shows its own game.
    if (!replaying && game && game->IsPaused()) {
        PausedPanel::Paint(painter, rect(), font());
        return;
    }
    if (replaying)
        replayBoard->grid = &replayFrame->grid;
    const BoardBitmap* bitmap = replaying ? replayBoard : game ? &game->board : nullptr;
    QRect board;
    if (bitmap && bitmap->grid)
        board = QRect(0, 0, bitmap->CellWidth() * bitmap->grid->columnCount,
                      bitmap->CellHeight() * bitmap->grid->rowCount);
    for (const QRect& r : QRegion(rect()).subtracted(board))
        painter.fillRect(r, palette().window());
    if (!bitmap)
        return;

    // The gesture alone picks the painting; only its own axis's offset is
    // passed, though the game keeps both up to date. A board that could not
    // be painted in full is left as far as it got.
    const DragAxis axis = replaying ? replayFrame->axis : game->dragAxis;
    const std::int32_t dx = replaying ? replayFrame->offset : game->dragDeltaX;
    const std::int32_t dy = replaying ? replayFrame->offset : game->dragDeltaY;
    // The target paints in device pixels and copies without blending; the
    // hint over it is drawn in board pixels, blended.
    painter.save();
    PainterTarget target(painter);
    switch (axis) {
    case Horizontal: DrawRowDrag(target, *bitmap, dx); break;
    case Vertical: DrawColumnDrag(target, *bitmap, dy); break;
    case None:
    default: DrawBoard(target, *bitmap); break;
    }
    painter.restore();
    if (hint && !replaying && axis == None && bitmap->grid)
        DrawHint(painter, QSize(bitmap->CellWidth(), bitmap->CellHeight()), bitmap->grid->rowCount,
                 bitmap->grid->columnCount, *hint);
}

} // namespace tesselo
