#pragma once
// The trade of the "Graphical display options" dialogs: pixels per bar or
// step against bars or steps in the window and the aggregation degree,
// within a plot of at most 800 pixels. Every box is held to its bounds when
// it loses the focus and again on OK, so no zero or out-of-range value ever
// reaches the graph (a width or count of 0 would divide by zero in the hit
// test, the cursor moves and 800 / count).

#include <cstdint>

namespace orlu {

inline constexpr std::int32_t kPlotWidthBudget = 800;

class DisplayBudget {
public:
    /// width, count and aggregation as the graph has them; dataLength: the
    /// bars, records or lines there are; aggregationMax: 20 for bars, the
    /// view's MaxAggregation for steps.
    DisplayBudget(std::int32_t width, std::int32_t count, std::int32_t aggregation, std::int32_t dataLength,
                  std::int32_t aggregationMax);

    void WidthLeft(std::int32_t width);
    void CountLeft(std::int32_t count);
    void AggregationLeft(std::int32_t aggregation);
    /// OK: every value within its bounds.
    void Accept();

    std::int32_t Width() const { return m_Width; }
    std::int32_t Count() const { return m_Count; }
    std::int32_t Aggregation() const { return m_Aggregation; }
    std::int32_t WidthMax() const { return m_WidthMax; }
    std::int32_t CountMax() const { return m_CountMax; }
    std::int32_t AggregationMax() const { return m_AggregationMax; }

    static constexpr std::int32_t kWidthMin = 1;
    static constexpr std::int32_t kWidthLimit = 50;

private:
    void HoldWidth();
    void HoldCount();
    void HoldAggregation();
    void Recount();

    std::int32_t m_Width;
    std::int32_t m_Count;
    std::int32_t m_Aggregation;
    std::int32_t m_DataLength;
    std::int32_t m_AggregationMax;
    std::int32_t m_WidthMax = kWidthLimit;
    std::int32_t m_CountMax = 1;
};

} // namespace orlu
