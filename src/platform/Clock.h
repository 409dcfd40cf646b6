#pragma once
// The time source of every pause and time-out: the program uses the steady
// system clock, tests a manual clock whose Sleep moves time on at once, so
// that waits of seconds take no time in a test.

#include <chrono>
#include <mutex>

namespace orlu {

class Clock {
public:
    using Duration = std::chrono::steady_clock::duration;
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~Clock() = default;
    /// The current time; only differences between two readings mean anything.
    virtual TimePoint Now() const = 0;
    /// Waits for the duration (a zero or negative one returns at once).
    virtual void Sleep(Duration duration) = 0;
};

/// The steady system clock; Sleep blocks the calling thread.
class SystemClock final : public Clock {
public:
    TimePoint Now() const override;
    void Sleep(Duration duration) override;
};

/// A clock for tests: time moves only by Sleep and Advance. Safe to share
/// between a worker thread and the test.
class ManualClock final : public Clock {
public:
    explicit ManualClock(TimePoint start = TimePoint{}) : m_Now(start) {}

    TimePoint Now() const override;
    /// Moves time on by the duration at once and counts the sleep.
    void Sleep(Duration duration) override;
    /// Moves time on without counting a sleep (time passing elsewhere).
    void Advance(Duration duration);

    /// The time spent in Sleep so far.
    Duration Slept() const;
    /// How many times Sleep was called.
    int SleepCount() const;

private:
    mutable std::mutex m_Mutex;
    TimePoint m_Now;
    Duration m_Slept{};
    int m_SleepCount = 0;
};

} // namespace orlu
