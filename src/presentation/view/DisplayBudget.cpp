#include "presentation/view/DisplayBudget.h"

#include <algorithm>

namespace orlu {

DisplayBudget::DisplayBudget(std::int32_t width, std::int32_t count, std::int32_t aggregation,
                             std::int32_t dataLength, std::int32_t aggregationMax)
    : m_Width(std::clamp(width, kWidthMin, kWidthLimit)),
      m_Count(count),
      m_Aggregation(aggregation),
      m_DataLength(std::max(dataLength, 1)),
      m_AggregationMax(std::max(aggregationMax, 1))
{
    HoldAggregation();
    Recount();
    HoldCount();
}

void DisplayBudget::Recount()
{
    m_CountMax = std::max(1, std::min(kPlotWidthBudget / m_Width, m_DataLength / m_Aggregation));
}

// A wider bar is the user's choice: the count gives way to it, not the width to the count.
void DisplayBudget::HoldWidth() { m_Width = std::clamp(m_Width, kWidthMin, kWidthLimit); }

void DisplayBudget::HoldCount()
{
    if (m_Count < 1)
        m_Count = 1;
    else if (m_Count > m_CountMax)
        m_Count = m_CountMax;
    m_WidthMax = kPlotWidthBudget / m_Count;
}

void DisplayBudget::HoldAggregation() { m_Aggregation = std::clamp(m_Aggregation, 1, m_AggregationMax); }

void DisplayBudget::WidthLeft(std::int32_t width)
{
    m_Width = width;
    HoldWidth();
    Recount();
    HoldCount();
}

void DisplayBudget::CountLeft(std::int32_t count)
{
    m_Count = count;
    HoldCount();
}

void DisplayBudget::AggregationLeft(std::int32_t aggregation)
{
    m_Aggregation = aggregation;
    HoldAggregation();
    Recount();
    HoldCount();
}

void DisplayBudget::Accept()
{
    HoldAggregation();
    HoldWidth();
    Recount();
    HoldCount();
}

} // namespace orlu
