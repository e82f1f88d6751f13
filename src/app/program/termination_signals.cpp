#include "app/program/termination_signals.h"

#include "files/termination_hold.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace tesselo {

namespace {

constexpr auto kSignals = TerminationHold::kSignals;

// Shared with the handler, which can reach nothing else.
int sockets[2] = {-1, -1};
std::array<struct sigaction, kSignals.size()> previous{};

extern "C" void OnSignal(int number)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    // Non-blocking: with the socket full a wake-up is already pending.
    [[maybe_unused]] const ssize_t n = ::write(sockets[0], &byte, 1);
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (sockets[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, sockets) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &action, &previous[i]);
    notifier = new QSocketNotifier(sockets[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TerminationSignals::OnReadable);
}

TerminationSignals::~TerminationSignals()
{
    if (!notifier)
        return;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &previous[i], nullptr);
    delete notifier;
    ::close(sockets[0]);
    ::close(sockets[1]);
    sockets[0] = sockets[1] = -1;
}

void TerminationSignals::OnReadable()
{
    unsigned char byte = 0;
    while (::read(sockets[1], &byte, 1) == 1)
        emit Received(byte);
}

} // namespace tesselo
