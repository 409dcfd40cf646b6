#include "analysis/spectra/FormatReverbTime.h"

#include "document/RtBandRecords.h"
#include "platform/ValueFormat.h"

#include <cmath>

namespace orlu {
namespace {

constexpr char kNoTime[] = "*.***";

// Where a method's two points and their levels are kept, and the status its
// record must have reached. EDT starts at the reference interval's last
// record with L0; the user interval is complete once it is set (status 4).
struct MethodFields {
    std::size_t first;
    std::size_t firstLevel;
    std::size_t second;
    std::size_t secondLevel;
    std::uint8_t complete;
};

constexpr MethodFields kMethods[4] = {
    {rtrec::kReferenceLast, rtrec::kReferenceLevel, rtrec::kCross10, rtrec::kLevel10, 4},
    {rtrec::kCross5, rtrec::kLevel5, rtrec::kCross25, rtrec::kLevel25, 5},
    {rtrec::kCross5, rtrec::kLevel5, rtrec::kCross35, rtrec::kLevel35, 5},
    {rtrec::kUserFirst, rtrec::kUserFirstLevel, rtrec::kUserLast, rtrec::kUserLastLevel, 4},
};

} // namespace

std::string FormatReverbTime(std::span<const std::uint8_t> record, int method)
{
    if (method < 1 || method > 4 || record.size() < kRtBandRecordSize)
        return kNoTime;
    const MethodFields& m = kMethods[method - 1];
    if (record[rtrec::kStatus + static_cast<std::size_t>(method)] < m.complete)
        return kNoTime;
    const auto a = GetRtField<std::int32_t>(record, m.first);
    const auto b = GetRtField<std::int32_t>(record, m.second);
    if (b <= a)
        return kNoTime;
    const double drop = GetRtField<double>(record, m.firstLevel) - GetRtField<double>(record, m.secondLevel);
    const double k = drop > 0.1 ? 60.0 / drop : 0.0;
    const double seconds = (static_cast<double>(b) - a) * GetRtField<double>(record, rtrec::kTimeStep) * k;
    // A damaged record's time step may be negative or not a number: no time then.
    if (!std::isfinite(seconds) || seconds < 0.0)
        return kNoTime;
    std::string text = StrPrintf("%.3f", seconds);
    return text.size() > 5 ? std::string(kNoTime) : text;
}

} // namespace orlu
