#include "support/PlotFixture.h"

#include "analysis/spectra/ReverbTime.h"
#include "document/RtBandRecords.h"
#include "document/ViewComputations.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace orlu {
namespace {

constexpr double kStartLevel = 80.0;
constexpr double kFloor = 30.0;
constexpr std::int32_t kReferenceEnd = 2;

// The evaluation's points t0, t1, ... as the view places them: the reference
// interval, then the method's crossings (the user interval for RTuser).
std::array<std::int32_t, 5> EvaluationPoints(std::span<const std::uint8_t> record, int method)
{
    std::array<std::int32_t, 5> points{0, kReferenceEnd, 0, 0, 0};
    const auto at = [&](std::size_t field) { return GetRtField<std::int32_t>(record, field); };
    switch (method) {
    case 1:
        points[2] = at(rtrec::kCross10);
        break;
    case 2:
        points[2] = at(rtrec::kCross5);
        points[3] = at(rtrec::kCross25);
        break;
    case 3:
        points[2] = at(rtrec::kCross5);
        points[3] = at(rtrec::kCross35);
        break;
    default:
        points[2] = at(rtrec::kUserFirst);
        points[3] = at(rtrec::kUserLast);
        break;
    }
    return points;
}

} // namespace

PlotState MakeDecayPlotFixture(const PlotFixtureOptions& o)
{
    PlotState s;
    GraphViewState& v = s.view;
    PlotStateDocument& d = s.doc;
    const int n = std::max(1, o.points);
    v.PlotKind = static_cast<std::int16_t>(o.plotKind);
    v.ViewKind = 8;
    v.GraphSizeIndex = static_cast<std::uint8_t>(std::clamp(o.sizeIndex, 0, 4));
    v.Geometry = GraphGeometry{60, 28, 100, 1, 180, 5};
    v.Geometry.secondHeight = 110;
    v.Geometry.reserved = 1;
    ComputeGraphStep(5, n, 0, v.Geometry, false);
    v.Geometry.plotWidth = v.Geometry.pointCount * v.Geometry.pixelsPerPoint;
    const int per = std::max(1, v.Geometry.pointsPerColumn);
    const int points = n / per;
    v.PointCount = points;
    v.Aggregation = 1;
    v.CursorIndex = std::clamp(o.cursor, 0, std::max(0, points - 1));
    v.PlotTotal = 1;
    v.TotalKinds = 1;
    v.GraphTitle = "Time intersection";
    v.PanelTitles[0] = "Decay  1kHz";
    d.Channels = 1;
    d.IntersectionPoints = static_cast<std::uint32_t>(points);
    d.TimingFacts = GraphTiming{-1, o.recordStep, 3, 0, 12 * 1800, 0, static_cast<std::uint32_t>(n)};
    v.TimeStamps.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        v.TimeStamps[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(i + 1);
    if (o.noData)
        return s;

    std::vector<double> level(static_cast<std::size_t>(points));
    std::vector<double> total(level.size());
    double energy = 0.0;
    for (int i = 0; i < points; ++i) {
        const double l =
            i <= kReferenceEnd ? kStartLevel : std::max(kFloor, kStartLevel - o.decayPerPoint * (i - kReferenceEnd));
        level[static_cast<std::size_t>(i)] = l;
        energy += std::pow(10.0, l / 10.0);
        total[static_cast<std::size_t>(i)] = 10.0 * std::log10(energy / (i + 1));
    }
    if (o.markers) {
        const int m0 = std::min((*o.markers)[0], points - 1);
        const int m1 = std::min((*o.markers)[1], points - 1);
        v.MarkState = m0 == m1 ? 1 : 2;
        v.MarkedRange = {m0 * per, m1 * per};
        v.DrawInBlock = {1, 1, 1, 1};
        if (v.MarkState == 2) {
            std::vector<double> leq;
            std::vector<double> sel;
            double e = 0.0;
            for (int i = m0; i <= m1; ++i) {
                e += std::pow(10.0, level[static_cast<std::size_t>(i)] / 10.0);
                leq.push_back(10.0 * std::log10(e / (i - m0 + 1)));
                sel.push_back(10.0 * std::log10(e * per * o.recordStep));
            }
            v.SeriesB[0].Assign(std::move(leq));
            v.SeriesC[0].Assign(std::move(sel));
            v.DecayBlockFirst[0] = *std::max_element(level.begin() + m0, level.begin() + m1 + 1);
            v.DecayBlockSecond[0] = *std::min_element(level.begin() + m0, level.begin() + m1 + 1);
        }
    }

    if (o.rtMethod >= 1 && o.rtMethod <= 4) {
        DecayCurves curves(1, level.size());
        for (std::size_t r = 0; r < level.size(); ++r)
            curves.SetRecord(r, std::span(&level[r], 1));
        d.RtRecord.assign(kRtBandRecordSize, 0);
        ClearRtBandRecords(d.RtRecord, o.recordStep * per);
        SetReferenceInterval(d.RtRecord, 0, kReferenceEnd);
        // The user interval from the first point 5 dB down to the one 25 dB down.
        const auto pointAt = [&](double below) {
            const auto it =
                std::find_if(level.begin(), level.end(), [&](double l) { return l <= kStartLevel - below; });
            return static_cast<std::int32_t>(it == level.end() ? level.size() - 1 : it - level.begin());
        };
        if (o.rtMethod == 4)
            SetUserInterval(d.RtRecord, pointAt(5.0), pointAt(25.0));
        EvaluateReverbTime(d.RtRecord, curves, false);
        v.RtEvaluating = static_cast<std::uint8_t>(std::clamp(o.rtStep, 1, 6));
        v.RtDisplayOption = 1;
        v.RtEval.method = static_cast<std::uint8_t>(o.rtMethod);
        v.RtEval.l0 = GetRtField<double>(d.RtRecord, rtrec::kReferenceLevel);
        v.RtEval.points = EvaluationPoints(d.RtRecord, o.rtMethod);
        // The end point is searched once the end-level line is drawn (from step 4 on).
        if (o.rtMethod <= 3 && v.RtEvaluating >= 4)
            v.RtEval.searchState = kRtSearchRequested;
        v.RtMode = 1;
    }
    v.BufferValues[0].Assign(std::move(level));
    v.SeriesA[0].Assign(std::move(total));
    return s;
}

} // namespace orlu
