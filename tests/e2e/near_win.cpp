// Writes a saved game one move from the whole picture into the current
// directory, so that the end-to-end tests can win a game with one key:
// "Pro", row 1 one cell to the right of home with the frame on it, in
// style "Strategy" after 7 moves. Left then completes the picture.

#include "model/game.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    tesselo::Game game;
    game.grid.Resize(3, 3);
    game.grid.Apply(tesselo::Move{tesselo::MoveAxis::Row, 1, 1});
    game.grid.Select({1, 1});
    game.state = tesselo::Playing;
    game.moves = 7;
    QString error;
    if (!game.SaveGame(&error)) {
        std::fprintf(stderr, "near_win: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
