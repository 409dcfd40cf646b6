#pragma once
// The repetition of a held button (Previous, Next, or the left button on a
// plot): the first step acts at once, the second 497 ms later, the others
// every 97 ms. A timer ticks while the button is held; a tick that comes
// before the step is due, or while a step's build is still running, is
// dropped, so steps never queue behind a slow build.

#include <chrono>
#include <functional>

namespace orlu {

class RepeatSchedule {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kFirstDelay{497};
    static constexpr std::chrono::milliseconds kInterval{97};

    explicit RepeatSchedule(std::function<Clock::time_point()> now = &Clock::now) : m_Now(std::move(now)) {}

    /// A tick while something may be held: true when a step is to act now.
    /// `held` false returns the schedule to idle.
    bool Tick(bool held);
    /// While a step's build runs, ticks are dropped.
    void SetBusy(bool busy) { m_Busy = busy; }
    /// Steps made since the button went down (0 idle, then 1, then 2 for every later step).
    int Count() const { return m_Count; }
    /// How long until the next step is due (zero when idle or already due).
    std::chrono::milliseconds UntilDue() const;

private:
    std::function<Clock::time_point()> m_Now;
    Clock::time_point m_LastStep{};
    int m_Count = 0;
    bool m_Busy = false;
};

} // namespace orlu
