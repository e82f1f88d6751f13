#include "files/termination_hold.h"

#include <atomic>

namespace tesselo {

namespace {

// Set by the handler, which may run on any thread; lock-free, so safe there.
std::array<std::atomic<bool>, TerminationHold::kSignals.size()> arrived{};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void NoteArrival(int number)
{
    for (std::size_t i = 0; i < TerminationHold::kSignals.size(); ++i)
        if (TerminationHold::kSignals[i] == number)
            arrived[i] = true;
}

} // namespace

TerminationHold::TerminationHold()
{
    struct sigaction action = {};
    action.sa_handler = NoteArrival;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &action, &previous[i]);
}

TerminationHold::~TerminationHold()
{
    // The handling from before comes back first, so that a signal arriving
    // from here on meets it directly; one that arrived during the hold then
    // meets it too. A hold inside another hands its signals on to the outer.
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &previous[i], nullptr);
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        if (arrived[i].exchange(false))
            ::raise(kSignals[i]);
}

} // namespace tesselo
