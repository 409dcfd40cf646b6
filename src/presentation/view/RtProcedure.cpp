#include "presentation/view/RtProcedure.h"

#include "analysis/spectra/ReverbSource.h"
#include "document/RtBandRecords.h"
#include "platform/UserInteraction.h"
#include "presentation/view/ToolsCommands.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace orlu {
namespace {

constexpr std::array<std::size_t, 4> kMarkOffsets{rtrec::kReferenceFirst, rtrec::kReferenceLast, rtrec::kUserFirst,
                                                  rtrec::kUserLast};
constexpr std::int32_t kFirstJump = 20;
constexpr std::int32_t kSecondJump = 10;

bool WholeRecord(std::span<const std::uint8_t> record) { return record.size() >= kRtBandRecordSize; }

void SetMark(std::span<std::uint8_t> record, int index, std::int32_t value)
{
    PutRtField<std::int32_t>(record, kMarkOffsets[static_cast<std::size_t>(index)], value);
}

// The record's status and the method it was last evaluated with; the view
// keeps the record's marks for what it shows.
void StoreStep(std::span<std::uint8_t> record, ToolsFields& tools)
{
    record[rtrec::kStatus] = tools.RtStep;
    record[rtrec::kMethod] = tools.VisualAid;
    for (int i = 0; i < 4; ++i)
        tools.RtMarks[static_cast<std::size_t>(i)] = RtMark(record, i);
}

// The reference interval reaches every band, with the step reached.
void ShareInterval(const RtProcedureContext& rt, std::uint8_t step)
{
    std::array<std::int32_t, 3> marks{};
    for (int i = 0; i < 3; ++i)
        marks[static_cast<std::size_t>(i)] = RtMark(rt.record, i);
    for (std::size_t at = 0; at + kRtBandRecordSize <= rt.bandRecords.size(); at += kRtBandRecordSize) {
        const auto band = rt.bandRecords.subspan(at, kRtBandRecordSize);
        for (std::size_t method = 1; method <= 4; ++method)
            band[rtrec::kStatus + method] = step;
        for (int i = 0; i < 3; ++i)
            SetMark(band, i, marks[static_cast<std::size_t>(i)]);
    }
}

void StoreLevel(const RtProcedureContext& rt, std::size_t offset, std::int32_t record)
{
    if (record >= 0 && static_cast<std::size_t>(record) < rt.plotValues.size())
        PutRtField<double>(rt.record, offset, rt.plotValues[static_cast<std::size_t>(record)]);
}

} // namespace

std::int32_t RtMark(std::span<const std::uint8_t> record, int index)
{
    return GetRtField<std::int32_t>(record, kMarkOffsets[static_cast<std::size_t>(index)]);
}

std::span<std::uint8_t> ShownRtRecord(const MeasurementViewState& view, CTmDoc& doc)
{
    const std::optional<ReverbSource> source = ReverbSourceOf(doc, view.BandKind, 0);
    if (!source)
        return {};
    const std::span<std::uint8_t> records = ReverbRecords(doc, *source);
    const std::size_t band = static_cast<std::size_t>(std::max(0, view.BandIndex));
    if ((band + 1) * kRtBandRecordSize > records.size())
        return {};
    return records.subspan(band * kRtBandRecordSize, kRtBandRecordSize);
}

void RtStepFromRecord(MeasurementViewState& view, std::span<std::uint8_t> record)
{
    ToolsFields& tools = view.Tools;
    if (view.Control.RtMode == 0 || !WholeRecord(record))
        return;
    if (record[rtrec::kStatus] == 0)
        record[rtrec::kStatus] = tools.ManualT0 ? 1 : 2;
    tools.RtStep = record[rtrec::kStatus];
    for (int i = 0; i < 4; ++i)
        tools.RtMarks[static_cast<std::size_t>(i)] = RtMark(record, i);
}

bool RtEnter(MeasurementViewState& view, const RtProcedureContext& rt, UserInteraction& ui, ToolsEffects& effects)
{
    ToolsFields& tools = view.Tools;
    if (view.Control.RtMode == 0 || !WholeRecord(rt.record) || tools.RtStep < 1)
        return false;
    if (tools.RtStep > 4 || (tools.RtStep > 2 && !tools.RtShowUser))
        return false;
    rt.record[rtrec::kStatus] = tools.RtStep;
    const std::int32_t p = view.WindowStart + view.CursorIndex;
    if (tools.RtStep == 2 && !tools.ManualT0) {
        // t0: the first record at least a second before t1, or the first record.
        const double timeStep = GetRtField<double>(rt.record, rtrec::kTimeStep);
        std::int32_t t = p;
        while (t > 0 && static_cast<double>(p - t) * timeStep < 1.0)
            --t;
        SetMark(rt.record, 0, t);
    }
    if (tools.RtStep >= 2 && p <= RtMark(rt.record, tools.RtStep - 2)) {
        char text[64];
        std::snprintf(text, sizeof text, kImproperCursorMessage, tools.RtStep - 1);
        ui.ShowMessage(text, kMessageCaption);
        return true;
    }
    SetMark(rt.record, tools.RtStep - 1, p);
    ++tools.RtStep;
    StoreStep(rt.record, tools);
    if (tools.RtStep <= 2)
        effects.MoveCursor(p + kFirstJump, true);
    if (tools.RtStep <= 3)
        ShareInterval(rt, tools.RtStep);
    if (tools.RtStep == 3) {
        effects.ComputeReverbTime(view.Smoothed != 0, view.BandKind);
        tools.RtSmoothingUsed = view.Smoothed;
        if (tools.RtShowUser)
            effects.MoveCursor(p + kSecondJump, true);
    } else if (tools.RtStep == 4) {
        StoreLevel(rt, rtrec::kUserFirstLevel, RtMark(rt.record, 2));
        effects.MoveCursor(p + kFirstJump, true);
        view.ShownViewKind = kRepaintWholeView;
    } else if (tools.RtStep == 5) {
        StoreLevel(rt, rtrec::kUserLastLevel, RtMark(rt.record, 3));
        effects.MoveCursor(p + kSecondJump, true);
        view.ShownViewKind = kRepaintWholeView;
    }
    effects.Rebuild();
    return true;
}

bool RtEscape(MeasurementViewState& view, const RtProcedureContext& rt, ToolsEffects& effects)
{
    ToolsFields& tools = view.Tools;
    if (view.Control.RtMode == 0 || !WholeRecord(rt.record))
        return false;
    if (!tools.RtShowUser && tools.RtStep > 2) {
        // Past the computation Esc turns to the user interval instead of losing the result.
        tools.RtShowEdt = tools.RtShowRt20 = tools.RtShowRt30 = 0;
        tools.RtShowUser = 1;
        tools.VisualAid = static_cast<std::uint8_t>(VisualAidMethod::User);
        view.ShownViewKind = kRepaintWholeView;
        effects.Rebuild();
        return true;
    }
    if (tools.RtStep >= 2) {
        // Without a hand-marked t0 the procedure starts at step 2 and stays there.
        if (tools.RtStep != 2 || tools.ManualT0) {
            --tools.RtStep;
            if (tools.RtStep == 2)
                rt.record[rtrec::kEvaluationMode] = 0;
            else if (tools.RtStep == 3)
                rt.record[rtrec::kEvaluationMode] = 3;
        }
        StoreStep(rt.record, tools);
        if (tools.RtStep >= 2) {
            const std::int32_t m = RtMark(rt.record, tools.RtStep - 1);
            if (m < view.WindowStart || m > view.WindowStart + rt.windowSize - 1) {
                view.WindowStart = m - rt.windowSize / 2;
                view.CursorIndex = rt.windowSize / 2;
                while (view.WindowStart < 0) {
                    ++view.WindowStart;
                    --view.CursorIndex;
                }
            }
            effects.MoveCursor(m, false);
        } else {
            view.CursorIndex = view.WindowStart = 0;
            effects.MoveCursor(0, false);
        }
    }
    effects.Rebuild();
    return true;
}

} // namespace orlu
