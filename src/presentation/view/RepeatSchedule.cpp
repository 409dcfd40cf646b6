#include "presentation/view/RepeatSchedule.h"

#include <algorithm>

namespace orlu {

bool RepeatSchedule::Tick(bool held)
{
    if (!held) {
        m_Count = 0;
        return false;
    }
    if (m_Busy)
        return false;
    if (m_Count != 0 && UntilDue().count() > 0)
        return false;
    m_LastStep = m_Now();
    m_Count = std::min(m_Count + 1, 2);
    return true;
}

std::chrono::milliseconds RepeatSchedule::UntilDue() const
{
    if (m_Count == 0)
        return std::chrono::milliseconds{0};
    const auto delay = m_Count == 1 ? kFirstDelay : kInterval;
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(m_Now() - m_LastStep);
    return std::max(std::chrono::milliseconds{0}, delay - elapsed);
}

} // namespace orlu
