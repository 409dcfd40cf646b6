#include "document/ReverbEvaluation.h"

#include "document/RtBandRecords.h"

#include <cstddef>

namespace orlu {
namespace {

// Where one method keeps its two crossings in the record. EDT has only its
// end (its start is the reference interval's last record with L0).
struct MethodFields {
    bool hasStart;
    std::size_t startIndex;
    std::size_t startLevel;
    std::size_t endIndex;
    std::size_t endLevel;
};

constexpr MethodFields kMethodFields[4] = {
    {false, 0, 0, rtrec::kCross10, rtrec::kLevel10},                              // EDT
    {true, rtrec::kCross5, rtrec::kLevel5, rtrec::kCross25, rtrec::kLevel25},     // RT20
    {true, rtrec::kCross5, rtrec::kLevel5, rtrec::kCross35, rtrec::kLevel35},     // RT30
    {true, rtrec::kUserFirst, rtrec::kUserFirstLevel, rtrec::kUserLast, rtrec::kUserLastLevel}, // user
};

bool Valid(int method, std::size_t recordBytes)
{
    return method >= 1 && method <= 4 && recordBytes >= kRtBandRecordSize;
}

} // namespace

bool SaveReverbState(int method, std::span<std::uint8_t> record, const ReverbEvaluation& e)
{
    if (!Valid(method, record.size()))
        return false;
    const auto m = static_cast<std::size_t>(method - 1);
    const MethodFields& f = kMethodFields[m];
    record[rtrec::kStatus + m + 1] = e.Status[m];
    record[rtrec::kMethod] = static_cast<std::uint8_t>(method);
    PutRtField(record, rtrec::kTimeStep, e.TimeStep);
    PutRtField(record, rtrec::kReferenceFirst, e.ReferenceFirst);
    PutRtField(record, rtrec::kReferenceLast, e.ReferenceLast);
    if (f.hasStart) {
        const bool user = method == 4;
        PutRtField(record, f.startIndex, user ? e.UserStartIndex : e.StartIndex);
        PutRtField(record, f.startLevel, user ? e.UserStartLevel : e.StartLevel);
    }
    PutRtField(record, f.endIndex, e.EndIndex[m]);
    PutRtField(record, f.endLevel, e.EndLevel[m]);
    record[rtrec::kEvaluationMode] = static_cast<std::uint8_t>(e.EvaluationMode);
    PutRtField(record, rtrec::kReferenceLevel, e.ReferenceLevel);
    return true;
}

bool LoadReverbState(int method, ReverbEvaluation& e, std::span<const std::uint8_t> record)
{
    if (!Valid(method, record.size()))
        return false;
    const auto m = static_cast<std::size_t>(method - 1);
    const MethodFields& f = kMethodFields[m];
    e.Status[m] = record[rtrec::kStatus + m + 1];
    e.TimeStep = GetRtField<double>(record, rtrec::kTimeStep);
    e.ReferenceFirst = GetRtField<std::int32_t>(record, rtrec::kReferenceFirst);
    e.ReferenceLast = GetRtField<std::int32_t>(record, rtrec::kReferenceLast);
    if (f.hasStart) {
        const auto index = GetRtField<std::int32_t>(record, f.startIndex);
        const auto level = GetRtField<double>(record, f.startLevel);
        if (method == 4) {
            e.UserStartIndex = index;
            e.UserStartLevel = level;
        } else {
            e.StartIndex = index;
            e.StartLevel = level;
        }
    }
    e.EndIndex[m] = GetRtField<std::int32_t>(record, f.endIndex);
    e.EndLevel[m] = GetRtField<double>(record, f.endLevel);
    e.EvaluationMode = record[rtrec::kEvaluationMode];
    e.ReferenceLevel = GetRtField<double>(record, rtrec::kReferenceLevel);
    return true;
}

} // namespace orlu
