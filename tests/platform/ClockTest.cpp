#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <thread>

namespace orlu {
namespace {

using namespace std::chrono_literals;

// What link code does with a clock: poll until a deadline, pausing between polls.
int PollsBeforeDeadline(Clock& clock, Clock::Duration timeout, Clock::Duration pause)
{
    const Clock::TimePoint deadline = clock.Now() + timeout;
    int polls = 0;
    while (clock.Now() < deadline) {
        ++polls;
        clock.Sleep(pause);
    }
    return polls;
}

TEST(ManualClock, SleepMovesTimeOnWithoutWaiting)
{
    ManualClock clock;
    const Clock::TimePoint start = clock.Now();
    const auto realStart = std::chrono::steady_clock::now();

    EXPECT_EQ(PollsBeforeDeadline(clock, 3s, 100ms), 30);
    EXPECT_EQ(clock.Now() - start, 3s);
    clock.Sleep(1h);
    EXPECT_LT(std::chrono::steady_clock::now() - realStart, 1s); // an hour of sleeping took no time

    clock.Advance(250ms);
    clock.Sleep(-5s); // no going back
    clock.Advance(-5s);
    clock.Sleep(0ms);
    EXPECT_EQ(clock.Now() - start, 3s + 1h + 250ms);
    EXPECT_EQ(clock.Slept(), 3s + 1h); // Advance is not sleeping
    EXPECT_EQ(clock.SleepCount(), 33);
}

TEST(ManualClock, StartsWhereTold)
{
    const Clock::TimePoint start = Clock::TimePoint{} + 10min;
    ManualClock clock(start);
    EXPECT_EQ(clock.Now(), start);
}

TEST(ManualClock, SharedWithAWorkerThread)
{
    ManualClock clock;
    std::thread worker([&] {
        for (int i = 0; i < 1000; ++i)
            clock.Sleep(1ms);
    });
    for (int i = 0; i < 1000; ++i)
        clock.Advance(1ms);
    worker.join();
    EXPECT_EQ(clock.Now() - Clock::TimePoint{}, 2s);
    EXPECT_EQ(clock.SleepCount(), 1000);
}

TEST(SystemClock, SleepWaitsAndTimeOnlyMovesForward)
{
    SystemClock clock;
    const Clock::TimePoint before = clock.Now();
    clock.Sleep(2ms);
    clock.Sleep(-1s); // returns at once
    const Clock::TimePoint after = clock.Now();
    EXPECT_GE(after - before, 2ms);
    EXPECT_LT(after - before, 1s);
}

} // namespace
} // namespace orlu
