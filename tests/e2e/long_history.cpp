// The end-to-end test of two quick signals uses this helper three ways, in
// the play directory:
//
//   long_history write       writes a "Genius" game in play and the history
//                            of the 100000 moves that led to it
//   long_history signal PID  sends PID SIGINT twice, 5 ms apart
//   long_history check       reads both back as the game does at its start
//                            and fails unless the history still leads to
//                            the saved game

#include "model/game.h"
#include "pictures/game_picture.h"
#include "saved/saved_game_store.h"

#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <thread>

#include <csignal>
#include <sys/types.h>

using namespace tesselo;

namespace {

int Write()
{
    Game game;
    GamePicture picture(game);
    game.ChangeSize({4, 6});
    game.NewGame();
    // Keys a player could press, the frame moved now and then.
    void (Game::*const keys[])() = {&Game::ShiftRowLeft, &Game::ShiftRowRight, &Game::ShiftColumnUp,
                                    &Game::ShiftColumnDown, &Game::SelectRight, &Game::SelectDown};
    std::mt19937 random(24);
    while (game.View().puzzle.history.steps.size() < History::kMaxSteps && game.View().puzzle.state == Playing)
        (game.*keys[random() % std::size(keys)])();
    QString error;
    if (game.View().puzzle.state != Playing || !SavedGameStore().Save(game, picture, &error)) {
        std::fprintf(stderr, "long_history: no game in play could be saved: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}

int Signal(pid_t pid)
{
    if (::kill(pid, SIGINT) != 0)
        return 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ::kill(pid, SIGINT);
    return 0;
}

int Check()
{
    Game game;
    GamePicture picture(game, GamePicture::FirstPicture::WhenLoaded);
    SavedGameStore().Load(game, picture);
    std::printf("saved game: %d moves; history kept: %zu moves\n", game.View().puzzle.moves,
                game.View().puzzle.history.steps.size());
    // A history that does not lead to the saved game is passed over, and
    // the game resumes with none.
    if (game.View().puzzle.state != Playing || game.View().puzzle.history.steps.size() != History::kMaxSteps) {
        std::fprintf(stderr, "long_history: the history no longer leads to the saved game\n");
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], "write") == 0)
        return Write();
    if (argc == 3 && std::strcmp(argv[1], "signal") == 0)
        return Signal(pid_t(std::atoi(argv[2])));
    if (argc == 2 && std::strcmp(argv[1], "check") == 0)
        return Check();
    std::fprintf(stderr, "usage: long_history write | signal PID | check\n");
    return 2;
}
