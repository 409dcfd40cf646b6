#include "platform/Clock.h"

#include <thread>

namespace orlu {

Clock::TimePoint SystemClock::Now() const
{
    return std::chrono::steady_clock::now();
}

void SystemClock::Sleep(Duration duration)
{
    if (duration > Duration::zero())
        std::this_thread::sleep_for(duration);
}

Clock::TimePoint ManualClock::Now() const
{
    std::lock_guard lock(m_Mutex);
    return m_Now;
}

void ManualClock::Sleep(Duration duration)
{
    std::lock_guard lock(m_Mutex);
    ++m_SleepCount;
    if (duration > Duration::zero()) {
        m_Now += duration;
        m_Slept += duration;
    }
}

void ManualClock::Advance(Duration duration)
{
    std::lock_guard lock(m_Mutex);
    if (duration > Duration::zero())
        m_Now += duration;
}

Clock::Duration ManualClock::Slept() const
{
    std::lock_guard lock(m_Mutex);
    return m_Slept;
}

int ManualClock::SleepCount() const
{
    std::lock_guard lock(m_Mutex);
    return m_SleepCount;
}

} // namespace orlu
