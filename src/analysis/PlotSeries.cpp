#include "analysis/PlotSeries.h"

#include <cmath>

namespace orlu {

void PlotSeries::Assign(std::vector<double> values)
{
    m_Values = std::move(values);
    m_HasRange = false;
    m_Minimum = m_Maximum = 0.0;
    for (double v : m_Values) {
        // A level of an all-zero line is -inf; it has no place on any axis.
        if (!std::isfinite(v))
            continue;
        if (!m_HasRange) {
            m_Minimum = m_Maximum = v;
            m_HasRange = true;
        } else if (v < m_Minimum) {
            m_Minimum = v;
        } else if (v > m_Maximum) {
            m_Maximum = v;
        }
    }
}

} // namespace orlu
