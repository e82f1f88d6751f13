#pragma once

#include <iosfwd>
#include <string>

namespace tesselo {

// The commands the program runs instead of the game, read before any
// QApplication is made, so that none of them needs a display. Every
// argument that begins with two dashes is one of these (or refused);
// anything else is left to Qt (its own options take one dash).
//
//   tesselo --solve [FILE]   prints a shortest (or the best known) way to
//                            solve the saved game FILE, tesselo.dat unless
//                            named
//   tesselo --id [FILE]      prints the ID of the game in play in FILE (its
//                            level and seed, kept in the history beside it)
//   tesselo --export-records [FILE]
//                            writes every kept win as JSON into FILE, or
//                            onto standard output
//   tesselo --export-replay [N] FILE
//                            writes win N of the records (1 the latest;
//                            without N the latest kept with its moves) as
//                            an animated GIF or WebP, as FILE ends
class CommandLine {
public:
    struct Outcome {
        bool startGame = true; // no command: on to the game
        int status = 0;        // otherwise, the exit status
    };

    static Outcome Run(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
    static std::string Usage();
};

} // namespace tesselo
