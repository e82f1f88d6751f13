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
    QRect board;
    if (game && !game->board.picture.isNull() && game->grid.columnCount > 0 && game->grid.rowCount > 0) {
        const QImage& p = game->board.picture;
        board = game->grid.IsSolved()
                    ? p.rect()
                    : QRect(0, 0, game->board.CellWidth() * game->grid.columnCount,
                            game->board.CellHeight() * game->grid.rowCount);
    }
    // Around the board (the strip beyond the last whole cell, or all of it
    // while no picture fits) the window's own background shows, rather than
    // whatever an opaque widget's buffer held before.
    const QRegion around = QRegion(rect()).subtracted(board);
    for (const QRect& r : around)
        painter.fillRect(r, palette().window());
    if (board.isEmpty())
        return;

    PainterTarget target(painter);
    switch (game->dragAxis) {
    case Horizontal: DrawRowDrag(target, game->board, game->dragDeltaX); break;
    case Vertical: DrawColumnDrag(target, game->board, game->dragDeltaY); break;
    default: DrawBoard(target, game->board); break;
    }
}

} // namespace tesselo
