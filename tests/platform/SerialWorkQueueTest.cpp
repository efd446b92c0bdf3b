#include "platform/SerialWorkQueue.h"

#include "support/QtTestApplication.h"

#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

using namespace scriblo;
using namespace scriblo::testing;

// Writes must land in the order they were asked for, off the window thread, and their
// follow-ups must come back to it.
TEST(SerialWorkQueueTest, runsWorkInOrderOffTheCallerAndFollowsUpOnIt)
{
    ensureCoreApplication();
    SerialWorkQueue queue;
    std::vector<int> order;
    std::vector<int> followed;
    std::atomic<bool> offCaller { true };
    QThread* caller = QThread::currentThread();
    for (int i = 0; i < 5; ++i)
        queue.queue(
            [&, i] {
                // Later work would overtake a slow first piece if two threads ran it.
                if (i == 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(30));
                offCaller = offCaller && QThread::currentThread() != caller;
                order.push_back(i);
            },
            [&, i] {
                EXPECT_EQ(QThread::currentThread(), caller);
                followed.push_back(i);
            });
    EXPECT_TRUE(followed.empty()) << "the follow-ups waited for the event loop";
    ASSERT_TRUE(processEventsUntil([&] { return followed.size() == 5; }));
    EXPECT_EQ(order, (std::vector<int> { 0, 1, 2, 3, 4 }));
    EXPECT_EQ(followed, order);
    EXPECT_TRUE(offCaller);
}

// Quitting during a write finishes it; the windows its follow-up would touch are gone.
TEST(SerialWorkQueueTest, goingAwayFinishesQueuedWorkAndDropsTheFollowUps)
{
    ensureCoreApplication();
    std::atomic<int> finished { 0 };
    bool followedUp = false;
    {
        SerialWorkQueue queue;
        for (int i = 0; i < 3; ++i)
            queue.queue(
                [&] {
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                    ++finished;
                },
                [&] { followedUp = true; });
    }
    EXPECT_EQ(finished, 3);
    QCoreApplication::processEvents();
    EXPECT_FALSE(followedUp);
}
