#include "app/termination_signals.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <csignal>

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
