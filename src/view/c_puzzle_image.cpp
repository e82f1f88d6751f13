#include "view/c_puzzle_image.h"

#include "model/game.h"
#include "view/board_painter.h"
#include "view/painter_target.h"

#include <QPainter>
#include <QRegion>

namespace tesselo {

CPuzzleImage::CPuzzleImage(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Every pixel of the board is painted each time: no erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
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
    QRect board;
    if (game)
        board = QRect(0, 0, game->board.CellWidth() * game->grid.columnCount,
                      game->board.CellHeight() * game->grid.rowCount);
    for (const QRect& r : QRegion(rect()).subtracted(board))
        painter.fillRect(r, palette().window());
    if (!game)
        return;

    // The gesture alone picks the painting; only its own axis's offset is
    // passed, though the game keeps both up to date. A board that could not
    // be painted in full is left as far as it got.
    PainterTarget target(painter);
    switch (game->dragAxis) {
    case Horizontal: DrawRowDrag(target, game->board, game->dragDeltaX); break;
    case Vertical: DrawColumnDrag(target, game->board, game->dragDeltaY); break;
    case None:
    default: DrawBoard(target, game->board); break;
    }
}

} // namespace tesselo
