#include "app/window/window_layout.h"

#include <algorithm>

namespace tesselo::window_layout {

Bar LayoutBar(int w, int h)
{
    return Bar{QRect(0, 0, w, h), QRect(w, 0, w, h), QRect(2 * w, 0, 2 * w, h), QRect(3 * w, 2, w - 2, h - 4),
               QRect(4 * w, 0, w, h)};
}

QSize MinimumClient(int rows, int columns, int clientWidth)
{
    const int width = std::max(kMinClientWidth, std::max(columns, 1) * kMinCell);
    const int bar = BarHeight(ButtonWidth(std::max(width, clientWidth)));
    return QSize(width, std::max(kMinClientHeight, bar + std::max(rows, 1) * kMinCell));
}

QSize WholeCells(QSize board, int rows, int columns)
{
    if (board.width() <= 0 || board.height() <= 0)
        return QSize(0, 0); // a picture of no size has no cells
    columns = std::max(columns, 1);
    rows = std::max(rows, 1);
    return QSize(board.width() / columns * columns, board.height() / rows * rows);
}

QSize FitToScreen(QSize board, QSize room)
{
    // A board saved on a larger screen is brought down to this one, keeping
    // its proportions, so the window never opens partly off screen.
    if (room.isEmpty())
        return board;
    const int barFor = board.width() / 15;
    if (board.width() > room.width() || board.height() + barFor > room.height()) {
        const double k = std::min(double(room.width()) / std::max(board.width(), 1),
                                  double(room.height()) / std::max(board.height() + barFor, 1));
        board = QSize(int(board.width() * k), int(board.height() * k));
    }
    return board;
}

QSize ClientAround(QSize board, int rows, int columns, QSize room)
{
    const QSize fitted = FitToScreen(WholeCells(board, rows, columns), room);
    const int width = std::max(fitted.width(), MinimumClient(rows, columns).width());
    return QSize(width, std::max(BarHeight(ButtonWidth(width)) + fitted.height(),
                                 MinimumClient(rows, columns, width).height()));
}

QSize BoardAround(QSize board, int rows, int columns, QSize room)
{
    const QSize client = ClientAround(board, rows, columns, room);
    return QSize(client.width(), std::max(client.height() - BarHeight(ButtonWidth(client.width())), 0));
}

int BarFontFit::PixelSize(int buttonWidth, int captionRoom, std::pair<int, qreal> screen, const Measure& measure)
{
    if (screen != measuredOn) {
        widths.fill(CaptionWidths{});
        measuredOn = screen;
    }
    const int limit = (4 * buttonWidth) / 5;
    int h = 6;
    for (; h <= 99; ++h) {
        CaptionWidths& width = widths[std::size_t(h)];
        if (width.newGame < 0)
            width = measure(h);
        if (width.newGame > limit || width.longest > captionRoom)
            break;
    }
    return h - 1; // 99 when even that height fits
}

} // namespace tesselo::window_layout
