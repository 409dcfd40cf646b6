#include "analysis/spectra/ReverbTime.h"

#include "document/RtBandRecords.h"
#include "document/ViewComputations.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orlu {
namespace {

std::int32_t Index(std::span<const std::uint8_t> record, std::size_t offset)
{
    return GetRtField<std::int32_t>(record, offset);
}

bool IntervalInside(std::int32_t first, std::int32_t last, std::size_t records)
{
    return first >= 0 && first <= last && static_cast<std::size_t>(last) < records;
}

// The two points a method's time is taken between.
struct MethodPoints {
    std::size_t aIndex; ///< 0: the reference interval's last record
    std::size_t aLevel;
    std::size_t bIndex;
    std::size_t bLevel;
    std::uint8_t complete; ///< the status at which the method is complete
};

constexpr MethodPoints kMethodPoints[4] = {
    {rtrec::kReferenceLast, rtrec::kReferenceLevel, rtrec::kCross10, rtrec::kLevel10, kRtFirstCrossing},
    {rtrec::kCross5, rtrec::kLevel5, rtrec::kCross25, rtrec::kLevel25, kRtBothCrossings},
    {rtrec::kCross5, rtrec::kLevel5, rtrec::kCross35, rtrec::kLevel35, kRtBothCrossings},
    {rtrec::kUserFirst, rtrec::kUserFirstLevel, rtrec::kUserLast, rtrec::kUserLastLevel, kRtBothCrossings},
};

// A crossing target and where it is kept: the record's index and level
// fields and the status bytes that finding it raises.
struct Target {
    double below;
    std::size_t index;
    std::size_t level;
    int method1;
    int method2; ///< 0: none
    std::uint8_t status;
};

constexpr Target kTargets[4] = {
    {5.0, rtrec::kCross5, rtrec::kLevel5, kRtRt20, kRtRt30, kRtFirstCrossing},
    {10.0, rtrec::kCross10, rtrec::kLevel10, kRtEdt, 0, kRtFirstCrossing},
    {25.0, rtrec::kCross25, rtrec::kLevel25, kRtRt20, 0, kRtBothCrossings},
    {35.0, rtrec::kCross35, rtrec::kLevel35, kRtRt30, 0, kRtBothCrossings},
};

void Evaluate(std::span<std::uint8_t> record, std::span<const double> decay)
{
    const auto first = static_cast<std::size_t>(Index(record, rtrec::kReferenceFirst));
    const auto last = static_cast<std::size_t>(Index(record, rtrec::kReferenceLast));
    double sum = 0.0;
    for (std::size_t i = first; i <= last; ++i)
        sum += decay[i];
    const double l0 = sum / static_cast<double>(last - first + 1);
    for (int m : {kRtEdt, kRtRt20, kRtRt30})
        record[rtrec::kStatus + static_cast<std::size_t>(m)] = kRtNoCrossing;
    record[rtrec::kEvaluationMode] = 3;
    PutRtField(record, rtrec::kReferenceLevel, l0);

    // Each search goes on from where the previous one stopped; once a target
    // is never crossed, the deeper ones are not either.
    std::size_t p = last + 1;
    for (const Target& t : kTargets) {
        const double target = l0 - t.below;
        while (p < decay.size() && !(decay[p] < target))
            ++p;
        if (p >= decay.size())
            break;
        // The record before is taken only when strictly nearer: a crossing
        // exactly halfway keeps the record below the target.
        std::size_t at = p;
        if (std::fabs(decay[p - 1] - target) < std::fabs(decay[p] - target))
            at = p - 1;
        PutRtField(record, t.index, static_cast<std::int32_t>(at));
        PutRtField(record, t.level, decay[at]);
        record[rtrec::kStatus + static_cast<std::size_t>(t.method1)] = t.status;
        if (t.method2 != 0)
            record[rtrec::kStatus + static_cast<std::size_t>(t.method2)] = t.status;
    }

    if (record[rtrec::kStatus + kRtUser] == kRtBothCrossings) {
        PutRtField(record, rtrec::kUserFirstLevel, decay[static_cast<std::size_t>(Index(record, rtrec::kUserFirst))]);
        PutRtField(record, rtrec::kUserLastLevel, decay[static_cast<std::size_t>(Index(record, rtrec::kUserLast))]);
    }
}

} // namespace

bool RtIntervalsValid(std::span<const std::uint8_t> record, std::size_t records)
{
    if (record.size() < kRtBandRecordSize ||
        !IntervalInside(Index(record, rtrec::kReferenceFirst), Index(record, rtrec::kReferenceLast), records))
        return false;
    return record[rtrec::kStatus + kRtUser] < kRtBothCrossings ||
           IntervalInside(Index(record, rtrec::kUserFirst), Index(record, rtrec::kUserLast), records);
}

void SetReferenceInterval(std::span<std::uint8_t> records, std::int32_t first, std::int32_t last)
{
    for (std::size_t r = 0; r + kRtBandRecordSize <= records.size(); r += kRtBandRecordSize) {
        const std::span<std::uint8_t> record = records.subspan(r, kRtBandRecordSize);
        PutRtField(record, rtrec::kReferenceFirst, first);
        PutRtField(record, rtrec::kReferenceLast, last);
    }
}

void SetUserInterval(std::span<std::uint8_t> records, std::int32_t first, std::int32_t last)
{
    for (std::size_t r = 0; r + kRtBandRecordSize <= records.size(); r += kRtBandRecordSize) {
        const std::span<std::uint8_t> record = records.subspan(r, kRtBandRecordSize);
        PutRtField(record, rtrec::kUserFirst, first);
        PutRtField(record, rtrec::kUserLast, last);
        record[rtrec::kStatus + kRtUser] = kRtBothCrossings;
    }
}

void EvaluateReverbTime(std::span<std::uint8_t> records, const DecayCurves& curves, bool smoothed)
{
    std::vector<double> smooth(smoothed ? curves.Records() : 0);
    const std::size_t bands = std::min(records.size() / kRtBandRecordSize, curves.Bands());
    for (std::size_t b = 0; b < bands; ++b) {
        const std::span<std::uint8_t> record = records.subspan(b * kRtBandRecordSize, kRtBandRecordSize);
        if (!RtIntervalsValid(record, curves.Records()))
            continue;
        std::span<const double> decay = curves.Band(b);
        if (smoothed) {
            std::copy(decay.begin(), decay.end(), smooth.begin());
            SmoothMovingAverage(smooth);
            decay = smooth;
        }
        Evaluate(record, decay);
    }
}

std::optional<double> ReverbTimeOf(std::span<const std::uint8_t> record, int method, std::size_t records)
{
    if (method < kRtEdt || method > kRtUser || !RtIntervalsValid(record, records))
        return std::nullopt;
    const MethodPoints& m = kMethodPoints[method - 1];
    if (record[rtrec::kStatus + static_cast<std::size_t>(method)] < m.complete)
        return std::nullopt;
    const double fall = GetRtField<double>(record, m.aLevel) - GetRtField<double>(record, m.bLevel);
    const double k = fall > 0.1 ? 60.0 / fall : 0.0;
    const double steps = static_cast<double>(Index(record, m.bIndex)) - Index(record, m.aIndex);
    return k * GetRtField<double>(record, rtrec::kTimeStep) * steps;
}

} // namespace orlu
