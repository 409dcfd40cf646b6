#include "document/results/VibrationExposure.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace orlu {

const std::array<VibrationLimits, kVibrationLimitVariantCount> VibrationLimitTable = {{
    {"UK", {2.5, 5.0, 0.0, 0.0}, {9.1, 1.15, 0.0, 0.0}, 1},
    {"IT", {2.5, 5.0, 0.0, 0.0}, {0.5, 1.15, 0.0, 0.0}, 0},
    {"PL", {0.0, 0.0, 2.8, 11.2}, {0.0, 0.0, 0.8, 3.2}, 0},
    {"FR", {2.5, 5.0, 0.0, 0.0}, {0.5, 1.15, 0.0, 0.0}, 0},
    {"User", {2.5, 5.0, 0.0, 0.0}, {0.5, 1.15, 0.0, 0.0}, 0},
}};

namespace {

constexpr double kEightHours = 28800.0;
constexpr double kHorizontalWeight = 1.4; // whole-body x and y axes

// The time of exposure (seconds) at which the value V is reached.
// RMS rule: 28800 x (V / a)^2; none for a zero RMS.
std::optional<double> RmsTimeToReach(double v, double a)
{
    if (a <= 0.0)
        return std::nullopt;
    return kEightHours * (v / a) * (v / a);
}

// VDV rule: (V / vdv)^4 x T; none for a zero VDV or a zero measurement time.
std::optional<double> VdvTimeToReach(double v, double vdv, double t)
{
    if (vdv <= 0.0 || t <= 0.0)
        return std::nullopt;
    return std::pow(v / vdv, 4.0) * t;
}

class ExposureWriter {
public:
    explicit ExposureWriter(ExposureResult& out) : m_Out(out) {}

    void Set(int k, double value)
    {
        m_Out.values[static_cast<std::size_t>(k)] = value;
        m_Out.validMask = static_cast<std::uint16_t>(m_Out.validMask | (1u << k));
    }

    // A time to reach and the time left after T; both stay invalid without one.
    void SetTimes(int totalSlot, std::optional<double> total, double t)
    {
        if (!total)
            return;
        Set(totalSlot, *total);
        Set(totalSlot + 1, std::max(*total - t, 0.0));
    }

private:
    ExposureResult& m_Out;
};

void HandArm(const VibrationLimits& limits, bool thirdValueVariant, const ResultValues& x, const ResultValues& y,
             const ResultValues& z, double t, double te, ExposureResult& out)
{
    ExposureWriter w(out);
    const double a = std::sqrt(x.result * x.result + y.result * y.result + z.result * z.result);
    w.Set(kHandArmVector, a);
    w.Set(kCurrentExposure, std::sqrt(t / kEightHours) * a);
    w.Set(kDailyExposure, a * std::sqrt(te / kEightHours));
    if (thirdValueVariant) {
        w.SetTimes(kThirdTimeTotal, RmsTimeToReach(limits.handArm.third, a), t);
        return;
    }
    w.SetTimes(kActionTimeTotal, RmsTimeToReach(limits.handArm.action, a), t);
    w.SetTimes(kLimitTimeTotal, RmsTimeToReach(limits.handArm.limit, a), t);
}

void WholeBody(const VibrationLimits& limits, bool thirdValueVariant, const ResultValues& x, const ResultValues& y,
               const ResultValues& z, double t, double te, ExposureResult& out)
{
    ExposureWriter w(out);
    out.powerFlags = limits.wholeBodyPowerFlags;
    if (thirdValueVariant) {
        const double k2 = kHorizontalWeight * kHorizontalWeight;
        const double vector = std::sqrt(k2 * (x.result * x.result + y.result * y.result) + z.result * z.result);
        w.Set(kWholeBodyVector, vector);
        w.Set(kCurrentExposure, std::sqrt(t / kEightHours) * vector);
        w.Set(kDailyExposure, vector * std::sqrt(te / kEightHours));
        w.SetTimes(kThirdTimeTotal, RmsTimeToReach(limits.wholeBody.third, vector), t);
        return;
    }
    const double vdv = std::max(kHorizontalWeight * std::max(x.spl, y.spl), z.spl);
    const double rms = std::max(z.result, kHorizontalWeight * std::max(x.result, y.result));
    w.Set(kWholeBodyVdv, vdv);
    w.Set(kCurrentDose, vdv);
    w.Set(kWholeBodyRms, rms);
    w.Set(kCurrentExposure, rms * std::sqrt(t / kEightHours));
    w.Set(kDailyExposure, rms * std::sqrt(te / kEightHours));
    // The daily dose extrapolates the VDV so far; a measurement time of 0 has none.
    if (t > 0.0)
        w.Set(kDailyDose, vdv * std::pow(te / t, 0.25));
    auto timeTo = [&](double value, bool isVdv) {
        return isVdv ? VdvTimeToReach(value, vdv, t) : RmsTimeToReach(value, rms);
    };
    w.SetTimes(kActionTimeTotal, timeTo(limits.wholeBody.action, (out.powerFlags & 1) != 0), t);
    w.SetTimes(kLimitTimeTotal, timeTo(limits.wholeBody.limit, (out.powerFlags & 2) != 0), t);
}

} // namespace

int ComputeVibrationExposure(const ExposureSetup& setup, std::span<const ResultValues> byChannel, ExposureResult& out)
{
    if (setup.kind != kExposureHandArm && setup.kind != kExposureWholeBody)
        return 0;
    // The variant and the axis channels come from the file.
    if (setup.limitVariant >= VibrationLimitTable.size())
        return 0;
    const std::size_t axes[] = {setup.axisX, setup.axisY, setup.axisZ};
    if (std::any_of(std::begin(axes), std::end(axes), [&](std::size_t c) { return c >= byChannel.size(); }))
        return 0;
    const ResultValues& x = byChannel[axes[0]];
    const ResultValues& y = byChannel[axes[1]];
    const ResultValues& z = byChannel[axes[2]];
    const VibrationLimits& limits = VibrationLimitTable[setup.limitVariant];
    const bool third = setup.limitVariant == kLimitVariantThirdValue;
    const double t = x.measurementSeconds;
    const double te = setup.dailyMinutes * 60.0;
    out = ExposureResult{};
    if (setup.kind == kExposureHandArm)
        HandArm(limits, third, x, y, z, t, te, out);
    else
        WholeBody(limits, third, x, y, z, t, te, out);
    return 1;
}

} // namespace orlu
