// Writes a saved game one move from the whole picture into the current
// directory, so that the end-to-end tests can win a game with one key:
// "Pro", in style "Strategy" after 7 moves; Left completes the picture.

#include "support/staged_games.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QString error;
    if (!tesselo::testing::SaveNearlyWon(true, &error)) {
        std::fprintf(stderr, "near_win: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
