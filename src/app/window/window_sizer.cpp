#include "app/window/window_sizer.h"

#include "app/window/game_bar.h"
#include "app/window/window_layout.h"
#include "model/game.h"
#include "pictures/game_picture.h"
#include "view/c_puzzle_image.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tesselo {

WindowSizer::WindowSizer(QWidget& w, const Game& g, GameBar& b, GamePicture& p, std::function<void()> r)
    : window(w), game(g), bar(b), picture(p), resized(std::move(r))
{
}

QSize WindowSizer::ScreenRoom() const
{
    if (const QScreen* s = window.screen())
        return s->availableGeometry().size() - QSize(16, 48);
    return QSize();
}

void WindowSizer::AroundBoard(QSize board)
{
    const int rows = game.View().puzzle.grid.rowCount;
    const int columns = game.View().puzzle.grid.columnCount;
    const QSize fitted = window_layout::FitToScreen(window_layout::WholeCells(board, rows, columns), ScreenRoom());
    buttonWidth = window_layout::ButtonWidth(fitted.width());
    barHeight = window_layout::BarHeight(buttonWidth);
    const QSize client = window_layout::ClientAround(board, rows, columns, ScreenRoom());
    if (client != window.size()) {
        window.resize(client);
        if (!window.isVisible())
            OnSize(client.width(), client.height()); // a hidden window gets its size event later
    }
}

void WindowSizer::PlaceBoard()
{
    bar.Layout(buttonWidth, barHeight);
    const TileGrid& grid = game.View().puzzle.grid;
    boardControl->setGeometry(0, barHeight, picture.Board().CellWidth() * grid.columnCount,
                              picture.Board().CellHeight() * grid.rowCount);
}

void WindowSizer::KeepCellsLarge(int clientWidth)
{
    // A window smaller than the new least size grows to it, and its size
    // event makes the board again.
    const TileGrid& grid = game.View().puzzle.grid;
    const QSize least = window_layout::MinimumClient(grid.rowCount, grid.columnCount, clientWidth);
    if (least != window.minimumSize())
        window.setMinimumSize(least);
}

void WindowSizer::OnSize(int cx, int cy)
{
    handledSize = QSize(cx, cy);
    KeepCellsLarge(cx);
    buttonWidth = window_layout::ButtonWidth(cx);
    barHeight = window_layout::BarHeight(buttonWidth);
    bar.Layout(buttonWidth, barHeight);
    // A window shorter than its bar has no board rather than a negative one.
    const int boardHeight = std::max(cy - barHeight, 0);
    picture.SetBoardSize(cx, boardHeight, window.devicePixelRatioF());
    resized();
    boardControl->setGeometry(0, barHeight, cx, boardHeight);
}

void WindowSizer::Resized(QSize size)
{
    if (size != handledSize)
        OnSize(size.width(), size.height());
}

} // namespace tesselo
