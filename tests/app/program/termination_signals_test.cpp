#include "app/program/termination_signals.h"
#include "files/termination_hold.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

using tesselo::TerminationHold;
using tesselo::TerminationSignals;

namespace {

volatile std::sig_atomic_t earlier = 0;
extern "C" void EarlierHandler(int number) { earlier = number; }

} // namespace

// Each signal reaches the program through the event loop, once; while one
// watcher is there no second one takes over, and when it goes the handlers
// from before come back.
TEST(TerminationSignals, DeliverEachSignalThroughTheEventLoop)
{
    std::signal(SIGHUP, EarlierHandler);
    {
        TerminationSignals watch;
        ASSERT_TRUE(watch.IsWatching());
        EXPECT_FALSE(TerminationSignals().IsWatching());
        QSignalSpy spy(&watch, &TerminationSignals::Received);
        for (const int number : {SIGTERM, SIGHUP, SIGINT}) {
            ASSERT_EQ(std::raise(number), 0);
            ASSERT_TRUE(spy.count() == 1 || spy.wait(2000)) << number;
            EXPECT_EQ(spy.takeFirst().at(0).toInt(), number);
        }
        EXPECT_EQ(earlier, 0);
        // Held for one delivery: a second SIGTERM would now end the program.
        struct sigaction now = {};
        ASSERT_EQ(sigaction(SIGTERM, nullptr, &now), 0);
        EXPECT_EQ(now.sa_handler, SIG_DFL);
    }
    ASSERT_EQ(std::raise(SIGHUP), 0);
    EXPECT_EQ(earlier, SIGHUP);
    std::signal(SIGHUP, SIG_DFL);
}

// A signal sent during a hold waits for its end and then meets the handling
// it had before, here the default: the program ends, but only after the
// hold. Another thread runs meanwhile, as the sound's does, and must not
// take the signal in the hold's place.
TEST(TerminationHold, ASignalDuringTheHoldEndsTheProgramOnlyAfterIt)
{
    int channel[2];
    ASSERT_EQ(pipe(channel), 0);
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGINT, SIG_DFL);
        std::thread([] { std::this_thread::sleep_for(std::chrono::seconds(5)); }).detach();
        {
            const TerminationHold hold;
            kill(getpid(), SIGINT);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            [[maybe_unused]] const ssize_t n = write(channel[1], "held", 4);
        }
        _exit(0);
    }
    close(channel[1]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    char said[8] = {};
    EXPECT_EQ(read(channel[0], said, sizeof said), 4);
    close(channel[0]);
    EXPECT_STREQ(said, "held");
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
}
