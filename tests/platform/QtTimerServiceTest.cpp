#include "platform/QtTimerService.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace scriblo;
using namespace std::chrono_literals;

namespace {

QCoreApplication& application()
{
    static int argc = 1;
    static char name[] = "platform_tests";
    static char* argv[] = { name, nullptr };
    static QCoreApplication instance(argc, argv);
    return instance;
}

void runEventLoopFor(std::chrono::milliseconds duration)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < duration.count())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

}

TEST(QtTimerServiceTest, firesOnceRepeatsAndHonoursCancellation)
{
    application();
    QtTimerService timers;
    int once = 0, repeated = 0, cancelled = 0;
    timers.scheduleOnce(1ms, [&] { ++once; });
    TimerHandle repeating = timers.scheduleRepeating(2ms, [&] { ++repeated; });
    timers.cancel(timers.scheduleOnce(1ms, [&] { ++cancelled; }));
    runEventLoopFor(30ms);
    timers.cancel(repeating);
    int repeatedBeforeCancel = repeated;
    runEventLoopFor(10ms);
    EXPECT_EQ(once, 1);
    EXPECT_GE(repeatedBeforeCancel, 2);
    EXPECT_EQ(repeated, repeatedBeforeCancel);
    EXPECT_EQ(cancelled, 0);
}

// Qt hands out the id of a finished timer again; an old handle must not reach the new one.
TEST(QtTimerServiceTest, aFiredHandleDoesNotCancelALaterTimer)
{
    application();
    QtTimerService timers;
    TimerHandle first = timers.scheduleOnce(0ms, [] { });
    runEventLoopFor(5ms);
    int fired = 0;
    timers.scheduleOnce(1ms, [&] { ++fired; });
    timers.cancel(first);
    runEventLoopFor(10ms);
    EXPECT_EQ(fired, 1);
}
