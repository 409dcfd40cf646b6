#include "graph/GraphScales.h"

#include "analysis/PlotSeries.h"
#include "platform/ValueFormat.h"

#include <cmath>
#include <numbers>

namespace orlu {
namespace {

constexpr double kFlat = 1e-30;
// Linear tops below 10^-100 show nothing anyone measures; the search stops there.
constexpr int kMaxLinearSteps = 400;

double LinearTop(const LevelScaleInput& in, double level)
{
    double top = std::pow(10.0, level / 20.0 - in.referenceExponent);
    if (in.inputKind == 2)
        top *= 20.0;
    // Time histories pass no conversion frequency: their linear values are not converted.
    if (in.frequency > 0.0) {
        const double w = 2.0 * std::numbers::pi * in.frequency;
        if (in.quantity == 2)
            top /= w;
        else if (in.quantity == 3)
            top /= w * w;
    }
    return top;
}

LevelRange FixedRange(const LevelScaleInput& in)
{
    if (in.quantity == 0) {
        const double bottom = in.base - 5.0 * in.pitchSteps;
        return {bottom, bottom + in.span - 5.0 * in.zoomSteps};
    }
    return {0.0, LinearTop(in, in.base + 100.0 - 5.0 * in.zoomSteps)};
}

// The dB grid: bottom the highest base - 5k (k >= 0) not above the lowest
// value, top the lowest bottom + span - 5j not below the highest.
LevelRange GridRange(double base, double span, double lowest, double highest)
{
    // The step counts come from one division; the few steps after it only
    // mend its rounding, so they are bounded (huge values have no exact k).
    double k = lowest >= base ? 0.0 : std::ceil((base - lowest) / 5.0);
    for (int i = 0; i < 4 && k > 0 && base - 5.0 * (k - 1) <= lowest; ++i)
        --k;
    for (int i = 0; i < 4 && base - 5.0 * k > lowest; ++i)
        ++k;
    const double bottom = base - 5.0 * k;
    const double start = bottom + span;
    double j = std::floor((start - highest) / 5.0);
    for (int i = 0; i < 4 && start - 5.0 * j < highest; ++i)
        --j;
    for (int i = 0; i < 4 && start - 5.0 * (j + 1) >= highest; ++i)
        ++j;
    return {bottom, start - 5.0 * j};
}

bool Flat(bool hasData, double lowest, double highest)
{
    return !hasData || std::fabs(highest - lowest) < kFlat;
}

} // namespace

LevelRange AutoScaleLevels(const LevelScaleInput& in, bool hasData, double lowest, double highest)
{
    if (!in.autoscale || Flat(hasData, lowest, highest))
        return FixedRange(in);
    if (in.quantity == 0)
        return GridRange(in.base, in.span, lowest, highest);

    const double start = in.base + in.span;
    if (LinearTop(in, start) < highest)
        return {0.0, LinearTop(in, start + 5.0)};
    int j = 0;
    while (j < kMaxLinearSteps && LinearTop(in, start - 5.0 * (j + 1)) >= highest)
        ++j;
    return {0.0, LinearTop(in, start - 5.0 * j)};
}

LevelRange AutoScaleLevels(const LevelScaleInput& in, const PlotSeries& series)
{
    return AutoScaleLevels(in, series.HasRange(), series.Minimum(), series.Maximum());
}

LevelRange AutoScaleTimeLevels(const LevelScaleInput& in, const PlotSeries& series)
{
    if (in.autoscale && !Flat(series.HasRange(), series.Minimum(), series.Maximum()))
        return GridRange(in.base, in.span, series.Minimum(), series.Maximum());
    return {0.0, std::max(1.0, in.span - 5.0 * in.zoomSteps)};
}

NiceTicks NiceTickStep(double range)
{
    NiceTicks out;
    if (!(range > 0.0) || !std::isfinite(range))
        return out; // nothing to show: one interval up to 1, no share used
    if (range > 99.0) {
        out.intervals = 5;
        out.axisTop = 100.0;
    } else {
        double m = range;
        double power = 1.0;
        while (m > 10.0) {
            m /= 10.0;
            power *= 10.0;
        }
        while (m < 1.0) {
            m *= 10.0;
            power /= 10.0;
        }
        double step = (m >= 5.0 ? 1.0 : m >= 2.5 ? 0.5 : m >= 1.25 ? 0.2 : 0.1) * power;
        int n = static_cast<int>(range / step);
        if (n > 8) {
            step *= 2.0;
            n = static_cast<int>(range / step);
        }
        out.intervals = n + 1;
        out.axisTop = (n + 1) * step;
    }
    out.fraction = range / out.axisTop;
    return out;
}

int CountAxisDecimals(double value)
{
    const std::string text = StrPrintf("%10.2f", value);
    const std::size_t n = text.size();
    if (n >= 1 && text[n - 1] != '0')
        return 2;
    if (n >= 2 && text[n - 2] != '0')
        return 1;
    return 0;
}

} // namespace orlu
