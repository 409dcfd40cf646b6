#include "analysis/spectra/FftLines.h"

#include "document/MissingValue.h"

#include <algorithm>
#include <cmath>

namespace orlu {

int FftLines::Groups(int degree) const
{
    return lines < 1 || degree < 1 ? 0 : (lines - 1) / degree + 1;
}

int FftLines::GroupOf(int line, int degree)
{
    return line <= 0 || degree < 1 ? 0 : (line - 1) / degree + 1;
}

double FftLines::Linear(double db, int line, int q) const
{
    return channel.AtFrequency(db, Frequency(line), q);
}

double FftLines::FromPowerSum(double sum, int q) const
{
    return q == kBandDb ? channel.Level(std::sqrt(sum)) : std::sqrt(sum);
}

void AggregateSpectrumLines(const FftLines& lines, int quantity, int degree, std::span<double> values)
{
    const int groups = lines.Groups(degree);
    if (groups == 0 || static_cast<int>(values.size()) < lines.lines || (quantity == kBandDb && degree == 1))
        return;
    const bool total = lines.totalPosition == 2 && static_cast<int>(values.size()) > lines.lines;
    const double totalDb = total ? values[lines.lines] : 0.0;
    for (int j = 0; j < groups; ++j) {
        const int first = j == 0 ? 0 : (j - 1) * degree + 1;
        const int last = j == 0 ? 0 : j * degree;
        double sum = 0.0;
        for (int i = first; i <= last; ++i) {
            const double y = lines.Linear(values[i], i, quantity);
            sum += y * y;
        }
        if (j > 0 && degree > 1)
            sum /= lines.windowFactor;
        // Group j's lines start at or after index j: writing it leaves the lines still to read.
        values[j] = lines.FromPowerSum(sum, quantity);
    }
    if (total && groups < static_cast<int>(values.size())) {
        // A stored total is broadband: it has no frequency to divide velocity or displacement by.
        values[groups] = quantity == kBandDb       ? totalDb
                         : quantity == kBandLinear ? lines.channel.Total(totalDb)
                                                   : 0.0;
    }
}

double ComputeSpectrumTotal(const FftLines& lines, int degree, int c1, int c2, std::span<const double> values)
{
    const int groups = lines.Groups(degree);
    const int g1 = FftLines::GroupOf(c1, degree);
    const int g2 = std::min(FftLines::GroupOf(c2, degree), groups - 1);
    const int available = static_cast<int>(values.size());
    double sum = 0.0;
    bool any = false;
    for (int j = g1; j <= g2; ++j) {
        const int first = j == 0 ? 0 : (j - 1) * degree + 1;
        const int last = std::min(j == 0 ? 0 : j * degree, available - 1);
        for (int i = first; i <= last; ++i) {
            const double y = lines.Linear(values[i], i, lines.quantity);
            sum += y * y;
            any = true;
        }
    }
    if (!any)
        return kMissingValue;
    if (degree >= 1 && c2 / degree > c1 / degree)
        sum /= lines.windowFactor;
    return lines.FromPowerSum(sum, lines.quantity);
}

} // namespace orlu
