#pragma once
// One series of plotted values as the graph-data renderers fill it, with its
// lowest and highest finite value kept beside it: the level axes autoscale
// over the whole series at every repaint, and a logger of a million records
// must not be scanned again for each cursor step.

#include <span>
#include <vector>

namespace orlu {

/// A plotted series and the range of its finite values.
class PlotSeries {
public:
    PlotSeries() = default;
    explicit PlotSeries(std::vector<double> values) { Assign(std::move(values)); }

    /// Replaces the values and finds their range once.
    void Assign(std::vector<double> values);
    void Clear() { Assign({}); }

    std::span<const double> Values() const { return m_Values; }
    const double* Data() const { return m_Values.empty() ? nullptr : m_Values.data(); }
    std::size_t Size() const { return m_Values.size(); }
    bool Empty() const { return m_Values.empty(); }
    double operator[](std::size_t i) const { return m_Values[i]; }

    /// False when no value is finite; Minimum and Maximum are 0 then.
    bool HasRange() const { return m_HasRange; }
    double Minimum() const { return m_Minimum; }
    double Maximum() const { return m_Maximum; }

private:
    std::vector<double> m_Values;
    double m_Minimum = 0.0;
    double m_Maximum = 0.0;
    bool m_HasRange = false;
};

} // namespace orlu
