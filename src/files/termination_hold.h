#pragma once

#include <array>
#include <csignal>

namespace tesselo {

// While one exists, SIGTERM, SIGHUP and SIGINT wait: each that arrives is
// noted, and raised again once the hold ends, under whatever handling it
// had before (so a second Ctrl+C, whose handling is by then the default,
// ends the program only after the hold). The game's save writes two files
// that must agree, the saved game and its history; a signal between the
// two would leave them apart, and the whole history would be ignored at
// the next start.
//
// The hold catches the signals with a handler of its own rather than
// blocking them: a mask holds for one thread only, and a signal sent to the
// process goes to any thread that does not block it (the sound's, Qt's),
// where the default action ends every thread at once.
class TerminationHold {
public:
    TerminationHold();
    ~TerminationHold();
    TerminationHold(const TerminationHold&) = delete;
    TerminationHold& operator=(const TerminationHold&) = delete;

    static constexpr std::array<int, 3> kSignals = {SIGTERM, SIGHUP, SIGINT};

private:
    std::array<struct sigaction, kSignals.size()> previous{};
};

} // namespace tesselo
