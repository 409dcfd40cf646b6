// The held-button repetition on an injected clock: a step at once, one after
// 497 ms, then every 97 ms; ticks during a build and early ticks are dropped.

#include "presentation/view/RepeatSchedule.h"

#include <gtest/gtest.h>

#include <vector>

namespace orlu {
namespace {

using Clock = RepeatSchedule::Clock;

struct FakeClock {
    Clock::time_point now{};
    void Advance(int ms) { now += std::chrono::milliseconds(ms); }
};

// Holds the button for `holdMs`, with a timer tick every `tickMs`; the times (ms) of the steps.
std::vector<int> HoldFor(int holdMs, int tickMs, int buildMs = 0)
{
    FakeClock clock;
    RepeatSchedule schedule([&clock] { return clock.now; });
    std::vector<int> steps;
    int buildEnds = -1;
    for (int t = 0; t <= holdMs; t += tickMs) {
        clock.now = Clock::time_point{} + std::chrono::milliseconds(t);
        schedule.SetBusy(t < buildEnds);
        if (schedule.Tick(true)) {
            steps.push_back(t);
            buildEnds = t + buildMs;
        }
    }
    return steps;
}

TEST(RepeatSchedule, StepsAtOnceThenAfter497ThenEvery97Milliseconds)
{
    EXPECT_EQ(HoldFor(700, 1), (std::vector<int>{0, 497, 594, 691}));
    // Holding Next a second steps seven times.
    EXPECT_EQ(HoldFor(1000, 1).size(), 7u);
}

TEST(RepeatSchedule, ASlowBuildDropsTicksAndStepsNeverQueue)
{
    // Each step's build takes 300 ms: the next step comes with the first tick after it, one at a time.
    const std::vector<int> steps = HoldFor(1500, 10, 300);
    EXPECT_EQ(steps, (std::vector<int>{0, 500, 800, 1100, 1400}));
}

TEST(RepeatSchedule, ReleasingReturnsToIdleAndTheNextPressStepsAtOnce)
{
    FakeClock clock;
    RepeatSchedule schedule([&clock] { return clock.now; });
    EXPECT_TRUE(schedule.Tick(true));
    clock.Advance(100);
    EXPECT_FALSE(schedule.Tick(true));
    EXPECT_EQ(schedule.UntilDue(), std::chrono::milliseconds(397));
    EXPECT_FALSE(schedule.Tick(false));
    EXPECT_EQ(schedule.Count(), 0);
    clock.Advance(1);
    EXPECT_TRUE(schedule.Tick(true));
    EXPECT_EQ(schedule.Count(), 1);
}

} // namespace
} // namespace orlu
