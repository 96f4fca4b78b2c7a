// The termination signals end every event loop, nested ones included, by
// way of the event loop itself. A test program of its own: once a signal
// has ended the loops, no later loop of the process runs.

#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <gtest/gtest.h>

#include <csignal>

namespace {

TEST(TerminationSignals, HandlersComeAndGoWithTheObject)
{
    struct sigaction before {};
    sigaction(SIGHUP, nullptr, &before);
    {
        const TerminationSignals held;
        ASSERT_TRUE(held.Active());
        // One object at a time holds the signals.
        const TerminationSignals second;
        EXPECT_FALSE(second.Active());
        struct sigaction during {};
        sigaction(SIGHUP, nullptr, &during);
        EXPECT_NE(during.sa_handler, before.sa_handler);
    }
    struct sigaction after {};
    sigaction(SIGHUP, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
}

// Must run last: it ends the process's event loops for good.
TEST(TerminationSignals, ASignalEndsTheNestedLoopsFromTheOutside)
{
    const TerminationSignals held;
    ASSERT_TRUE(held.Active());
    QEventLoop outer;
    QEventLoop inner;
    int innerResult = -2;
    bool innerRan = false;
    // The outer loop starts the inner one, and the signal arrives while
    // the inner one runs: both return, the inner one first.
    QMetaObject::invokeMethod(
        &outer,
        [&] {
            innerRan = true;
            QMetaObject::invokeMethod(&inner, [] { std::raise(SIGINT); }, Qt::QueuedConnection);
            innerResult = inner.exec();
        },
        Qt::QueuedConnection);
    const int outerResult = outer.exec();
    EXPECT_TRUE(innerRan);
    EXPECT_EQ(innerResult, 0);
    EXPECT_EQ(outerResult, 0);
    EXPECT_EQ(held.Received(), SIGINT);
    // A loop started afterwards, as a box shown while the windows close,
    // returns at once.
    QEventLoop later;
    EXPECT_EQ(later.exec(), -1);
}

}  // namespace
