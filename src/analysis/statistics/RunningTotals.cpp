#include "analysis/statistics/RunningTotals.h"

#include "analysis/statistics/EnergyLevel.h"

#include <algorithm>
#include <array>

namespace orlu {
namespace {

class Totals {
public:
    Totals(double timeStep, const RunningTotalsOut& out) : m_Step(timeStep), m_Out(out) {}

    void Add(std::span<const double> levels)
    {
        for (double level : levels) {
            const double e = EnergyOfLevel(level);
            if (m_Count == 0)
                m_Min = m_Max = level;
            ++m_Count;
            const std::size_t i = m_Count - 1;
            if (!m_Out.leq.empty()) {
                m_Mean += (e - m_Mean) / static_cast<double>(m_Count);
                m_Out.leq[i] = LevelOfEnergy(m_Mean);
            }
            if (!m_Out.sel.empty()) {
                m_Sum += e;
                m_Out.sel[i] = m_Step > 0.0 ? LevelOfEnergy(m_Sum * m_Step) : kMissingValue;
            }
            if (level < m_Min)
                m_Min = level;
            if (level > m_Max)
                m_Max = level;
        }
    }

    std::size_t Finish() const
    {
        // With no records there is no extreme to report.
        if (m_Out.min)
            *m_Out.min = m_Count ? m_Min : kMissingValue;
        if (m_Out.max)
            *m_Out.max = m_Count ? m_Max : kMissingValue;
        return m_Count;
    }

private:
    double m_Step;
    const RunningTotalsOut& m_Out;
    std::size_t m_Count = 0;
    double m_Mean = 0.0;
    double m_Sum = 0.0;
    double m_Min = 0.0;
    double m_Max = 0.0;
};

std::size_t Limit(std::size_t n, const RunningTotalsOut& out)
{
    if (!out.leq.empty())
        n = std::min(n, out.leq.size());
    if (!out.sel.empty())
        n = std::min(n, out.sel.size());
    return n;
}

// Reads the column a chunk at a time into the stack, so that no array of the whole
// column is needed.
template <class ReadChunk>
std::size_t ColumnTotals(std::size_t firstRow, std::size_t n, double timeStep, const RunningTotalsOut& out,
                         ReadChunk read)
{
    Totals totals(timeStep, out);
    std::array<double, 512> chunk;
    n = Limit(n, out);
    for (std::size_t done = 0; done < n;) {
        const std::size_t want = std::min(chunk.size(), n - done);
        const std::size_t got = read(firstRow + done, std::span<double>(chunk.data(), want));
        totals.Add(std::span<const double>(chunk.data(), got));
        done += got;
        if (got < want)
            break;
    }
    return totals.Finish();
}

} // namespace

std::size_t RunningTotals(std::span<const double> levels, double timeStep, const RunningTotalsOut& out)
{
    Totals totals(timeStep, out);
    totals.Add(levels.first(Limit(levels.size(), out)));
    return totals.Finish();
}

std::size_t RunningTotals(const ImageReader& image, const TimeHistoryColumn& column, LevelCoding coding,
                          std::size_t firstRow, std::size_t n, double timeStep, const RunningTotalsOut& out)
{
    return ColumnTotals(firstRow, n, timeStep, out, [&](std::size_t row, std::span<double> values) {
        return ReadLevelRun(image, column, coding, row, values);
    });
}

std::size_t RunningTotalsReal(const ImageReader& image, const TimeHistoryColumn& column, std::uint16_t firmware,
                              std::size_t firstRow, std::size_t n, double timeStep, const RunningTotalsOut& out)
{
    return ColumnTotals(firstRow, n, timeStep, out, [&](std::size_t row, std::span<double> values) {
        return ReadRealRun(image, column, firmware, row, values);
    });
}

} // namespace orlu
