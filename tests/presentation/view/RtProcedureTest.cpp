// The step-by-step reverberation procedure: Enter marks t0 .. t3 in the
// band's RT record, Esc steps back.

#include "presentation/view/RtProcedure.h"

#include "document/RtBandRecords.h"
#include "presentation/view/ToolsCommands.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace orlu {


namespace {

class Effects : public ToolsEffects {
public:
    void Rebuild() override { ++rebuilds; }
    void ComputeReverbTime(bool, int bandKind) override { computed.push_back(bandKind); }
    void ClearRtRecords(int) override {}
    void ToggleGraphAutoScale() override {}
    void Invalidate() override {}
    void MoveCursor(std::int32_t record, bool) override { cursor.push_back(record); }
    int rebuilds = 0;
    std::vector<int> computed;
    std::vector<std::int32_t> cursor;
};

// Three bands of 1/3 octaves; the shown band is the second. Records 0.1 s apart.
struct Procedure {
    Procedure()
    {
        for (std::size_t b = 0; b < 3; ++b)
            PutRtField<double>(Band(b), rtrec::kTimeStep, 0.1);
        for (std::size_t i = 0; i < levels.size(); ++i)
            levels[i] = 90.0 - static_cast<double>(i);
        view.Control.RtMode = 1;
        view.BandKind = 4;
        view.Tools.RtStep = 2;
        view.WindowStart = 0;
    }
    std::span<std::uint8_t> Band(std::size_t b) { return std::span(records).subspan(b * kRtBandRecordSize, kRtBandRecordSize); }
    RtProcedureContext Context() { return {Band(1), records, levels, 40}; }
    bool Enter(std::int32_t at)
    {
        view.CursorIndex = at - view.WindowStart;
        return RtEnter(view, Context(), ui, effects);
    }

    std::vector<std::uint8_t> records = std::vector<std::uint8_t>(3 * kRtBandRecordSize);
    std::array<double, 200> levels{};
    MeasurementViewState view;
    ScriptedInteraction ui;
    Effects effects;
};

TEST(RtProcedure, TheFirstMarkSetsT0ASecondEarlierAndReachesEveryBand)
{
    for (const auto& [t1, t0] : std::vector<std::pair<std::int32_t, std::int32_t>>{{25, 15}, {6, 0}}) {
        Procedure rt;
        ASSERT_TRUE(rt.Enter(t1));
        EXPECT_EQ(RtMark(rt.Band(1), 0), t0) << t1;
        EXPECT_EQ(RtMark(rt.Band(1), 1), t1);
        EXPECT_EQ(rt.view.Tools.RtStep, 3);
        EXPECT_EQ(rt.Band(1)[rtrec::kStatus], 3);
        for (std::size_t b : {0u, 2u}) {
            EXPECT_EQ(RtMark(rt.Band(b), 0), t0);
            EXPECT_EQ(RtMark(rt.Band(b), 1), t1);
            for (std::size_t method = 1; method <= 4; ++method)
                EXPECT_EQ(rt.Band(b)[method], 3);
        }
        EXPECT_EQ(rt.effects.computed, std::vector<int>{4});
    }
}

TEST(RtProcedure, AMarkNotAfterThePreviousIsRefused)
{
    Procedure rt;
    rt.view.Tools.ManualT0 = 1;
    rt.view.Tools.RtStep = 1;
    ASSERT_TRUE(rt.Enter(30));
    EXPECT_EQ(rt.view.Tools.RtStep, 2);
    EXPECT_EQ(rt.effects.cursor, std::vector<std::int32_t>{50});
    ASSERT_TRUE(rt.Enter(30));
    EXPECT_EQ(rt.ui.Messages(), std::vector<std::string>{"Improper cursor position for t1 selection !"});
    EXPECT_EQ(rt.view.Tools.RtStep, 2);
    EXPECT_EQ(RtMark(rt.Band(1), 1), 0);
    ASSERT_TRUE(rt.Enter(31));
    EXPECT_EQ(rt.view.Tools.RtStep, 3);
    EXPECT_EQ(RtMark(rt.Band(1), 1), 31);
}

TEST(RtProcedure, TheUserIntervalTakesItsLevelsFromThePlot)
{
    Procedure rt;
    rt.view.Tools.RtShowUser = 1;
    rt.Enter(20);
    rt.Enter(40);
    rt.Enter(70);
    EXPECT_EQ(rt.view.Tools.RtStep, 5);
    EXPECT_EQ(RtMark(rt.Band(1), 2), 40);
    EXPECT_EQ(RtMark(rt.Band(1), 3), 70);
    EXPECT_EQ(GetRtField<double>(rt.Band(1), rtrec::kUserFirstLevel), 50.0);
    EXPECT_EQ(GetRtField<double>(rt.Band(1), rtrec::kUserLastLevel), 20.0);
    EXPECT_FALSE(rt.Enter(90)); // the procedure is at its end
}

TEST(RtProcedure, EscStepsBackToThePreviousMark)
{
    Procedure rt;
    rt.view.Tools.RtShowUser = 1;
    rt.Enter(20);
    rt.Enter(100);
    ASSERT_EQ(rt.view.Tools.RtStep, 4);
    rt.view.WindowStart = 0;
    rt.effects.cursor.clear();
    ASSERT_TRUE(RtEscape(rt.view, rt.Context(), rt.effects));
    EXPECT_EQ(rt.view.Tools.RtStep, 3);
    EXPECT_EQ(rt.Band(1)[rtrec::kStatus], 3);
    EXPECT_EQ(rt.Band(1)[rtrec::kEvaluationMode], 3);
    // t2 = 100 lies outside the window 0..39: the window centres on it.
    EXPECT_EQ(rt.view.WindowStart, 80);
    EXPECT_EQ(rt.view.CursorIndex, 20);
    EXPECT_EQ(rt.effects.cursor, std::vector<std::int32_t>{100});
    ASSERT_TRUE(RtEscape(rt.view, rt.Context(), rt.effects));
    EXPECT_EQ(rt.view.Tools.RtStep, 2);
    EXPECT_EQ(rt.Band(1)[rtrec::kEvaluationMode], 0);
    // Without a hand-marked t0 the procedure stays at t1.
    ASSERT_TRUE(RtEscape(rt.view, rt.Context(), rt.effects));
    EXPECT_EQ(rt.view.Tools.RtStep, 2);
    EXPECT_EQ(rt.effects.rebuilds, 2 + 3);
}

TEST(RtProcedure, EscAfterTheResultWithoutTheUserIntervalTurnsToIt)
{
    Procedure rt;
    rt.Enter(20);
    ASSERT_EQ(rt.view.Tools.RtStep, 3);
    EXPECT_FALSE(rt.Enter(40)); // steps beyond need the user interval
    ASSERT_TRUE(RtEscape(rt.view, rt.Context(), rt.effects));
    EXPECT_EQ(rt.view.Tools.RtStep, 3);
    EXPECT_EQ(rt.view.Tools.RtShowUser, 1);
    EXPECT_EQ(rt.view.Tools.RtShowRt30, 0);
    EXPECT_EQ(rt.view.Tools.VisualAid, 4);
}

TEST(RtProcedure, NothingHappensWithTheProcedureOffOrAShortRecord)
{
    Procedure rt;
    rt.view.Control.RtMode = 0;
    EXPECT_FALSE(rt.Enter(20));
    EXPECT_FALSE(RtEscape(rt.view, rt.Context(), rt.effects));
    rt.view.Control.RtMode = 1;
    RtProcedureContext cut = rt.Context();
    cut.record = cut.record.first(kRtBandRecordSize - 1);
    EXPECT_FALSE(RtEnter(rt.view, cut, rt.ui, rt.effects));
    rt.view.Tools.RtStep = 0; // before the graph set the first step
    EXPECT_FALSE(rt.Enter(20));
    EXPECT_EQ(rt.effects.rebuilds, 0);
}

} // namespace
} // namespace orlu
