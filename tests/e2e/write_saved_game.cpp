// Writes a saved game into the current directory for the command-line
// tests: a grid of the given size, solved or shuffled from a seed, then
// slid by the given moves (in the solver's notation); or the game a seed
// starts, as the game starts it, with its history beside it.
//
//   write_saved_game ROWS COLUMNS [MOVE...]
//   write_saved_game ROWS COLUMNS --shuffle SEED [MOVE...]
//   write_saved_game ROWS COLUMNS --start SEED

#include "model/game.h"
#include "model/game_setup.h"
#include "model/grid_position.h"
#include "pictures/game_picture.h"
#include "positions/notation.h"
#include "saved/saved_game_store.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: write_saved_game ROWS COLUMNS [--shuffle SEED] [MOVE...] | --start SEED\n");
        return 2;
    }
    tesselo::Game game;
    const tesselo::GamePicture picture(game);
    tesselo::GameSetup setup(game);
    setup.grid.Resize(std::atoi(argv[1]), std::atoi(argv[2]));
    if (argc == 5 && std::strcmp(argv[3], "--start") == 0) {
        game.StartSeeded(std::uint32_t(std::strtoul(argv[4], nullptr, 10)));
    } else {
        int first = 3;
        if (argc >= 5 && std::strcmp(argv[3], "--shuffle") == 0) {
            setup.grid.Shuffle(std::uint32_t(std::atoi(argv[4])));
            first = 5;
        }
        for (int i = first; i < argc; ++i) {
            const auto slide = tesselo::solver::ParseSlide(argv[i]);
            if (!slide || !setup.grid.Apply(tesselo::MoveOf(*slide))) {
                std::fprintf(stderr, "write_saved_game: no move %s on this grid\n", argv[i]);
                return 2;
            }
        }
    }
    setup.puzzle.state = tesselo::Playing;
    QString error;
    if (!tesselo::SavedGameStore().Save(game, picture, &error)) {
        std::fprintf(stderr, "write_saved_game: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
