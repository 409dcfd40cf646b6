// The graph form's build: Plot and its size steps, the panels a build fills,
// the degree the analysis forms force, the line a time intersection follows,
// and the data of a Multifile whose sub-files differ in length, painted.

#include "document/DocumentTestSupport.h"
#include "graph/GraphPainter.h"
#include "graph/GraphSettings.h"
#include "graph/PlotDispatch.h"
#include "platform/canvas/RecordingCanvas.h"
#include "presentation/view/FormBuilder.h"
#include "presentation/view/GraphDocumentFacts.h"
#include "presentation/view/GraphFormBuilder.h"
#include "presentation/view/GraphStepping.h"
#include "presentation/view/TextFormLayout.h"
#include "presentation/view/ViewSelection.h"
#include "support/MixedMultifile.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orlu {
namespace {

// A view over a document without a file, with renderers that note their calls.
class GraphBuild : public ::testing::Test {
protected:
    GraphBuild() : m_Doc(m_App), m_Builder(m_Renderers, m_Settings) {}

    // Every graph kind gets a renderer that fills a short series and notes the panel.
    void RegisterSpies()
    {
        for (std::uint8_t kind = kViewHistograms; kind <= kViewTimeIntersections; ++kind)
            m_Renderers.RegisterGraphData(kind, [this](GraphDataRequest& r) {
                m_Calls.push_back(r.Panel);
                m_SeenBand = r.View.GraphBandIndex;
                r.Data.BufferValues[static_cast<std::size_t>(r.Panel)].Assign({60.0, 61.0, 62.0});
                r.Data.PanelTitles[static_cast<std::size_t>(r.Panel)] = "panel " + std::to_string(r.Panel);
                return true;
            });
    }
    void Show(std::uint8_t kind)
    {
        m_View.ViewKind = kind;
        m_View.FormKind = kFormGraph;
        m_Builder.UpdateForm(m_View, m_Doc);
    }

    ScriptedInteraction m_Ui;
    AppContext m_App{m_Ui};
    CTmDoc m_Doc;
    AppSettings m_Settings;
    FormRendererRegistry m_Renderers;
    FormBuilder m_Builder;
    MeasurementViewState m_View;
    std::vector<int> m_Calls;
    std::int32_t m_SeenBand = -1;
};

TEST_F(GraphBuild, PlotOnAShownGraphStepsTheSizeOfEveryGraphKindWithoutARendererCall)
{
    RegisterSpies();
    for (std::uint8_t kind = kViewHistograms; kind <= kViewTimeIntersections; ++kind) {
        SCOPED_TRACE(static_cast<int>(kind));
        m_View.ViewKind = kind;
        m_View.FormFlags = 0;
        m_View.Graph.GraphSizeIndex = 0;
        m_Calls.clear();
        EXPECT_TRUE(m_Builder.OnGraphForm(m_View, m_Doc, false));
        ASSERT_EQ(m_Calls.size(), 1u) << "the first Plot builds";
        ASSERT_TRUE(m_View.GraphShown());
        std::vector<int> sizes;
        for (int press = 0; press < 5; ++press) {
            EXPECT_TRUE(m_Builder.OnGraphForm(m_View, m_Doc, false));
            sizes.push_back(m_View.GraphForm.Plot.GraphSizeIndex);
        }
        for (int press = 0; press < 5; ++press) {
            EXPECT_TRUE(m_Builder.OnGraphForm(m_View, m_Doc, true));
            sizes.push_back(m_View.GraphForm.Plot.GraphSizeIndex);
        }
        EXPECT_EQ(sizes, (std::vector<int>{1, 2, 3, 4, 0, 4, 3, 2, 1, 0}));
        EXPECT_EQ(m_Calls.size(), 1u) << "size steps paint what was built";
        EXPECT_EQ(m_View.Graph.GraphSizeByKind[kind], 0);
    }
}

TEST_F(GraphBuild, KindsWithoutAGraphIgnorePlotAndAGraphWithoutDataSaysWhy)
{
    RegisterSpies();
    for (std::uint8_t kind : {kViewSettings, kViewMainResults, kViewHeaderInfo, kViewAscii}) {
        m_View.ViewKind = kind;
        m_View.FormFlags = form_flags::kText;
        EXPECT_FALSE(m_Builder.OnGraphForm(m_View, m_Doc, false)) << static_cast<int>(kind);
        EXPECT_TRUE(m_View.TextShown());
    }
    EXPECT_TRUE(m_Calls.empty());

    FormRendererRegistry none;
    m_View.ViewKind = kViewBufferLogger;
    m_View.FormFlags = 0;
    EXPECT_TRUE(OnGraphForm(none, m_View, m_Doc, false));
    EXPECT_TRUE(m_View.GraphShown());
    EXPECT_FALSE(m_View.GraphForm.Available);
    EXPECT_EQ(m_View.Graph.PanelCount, 0);
    ASSERT_EQ(m_View.Lines.LineCount(), 1u);
    std::string buffer;
    EXPECT_EQ(LineText(m_View.Lines.Line(0, buffer)), kFormNotAvailableText);

    // A renderer that finds nothing for any panel: the file holds nothing for the graph.
    FormRendererRegistry empty;
    empty.RegisterGraphData(kViewDensities, [](GraphDataRequest&) { return false; });
    m_View.ViewKind = kViewDensities;
    m_View.FormFlags = 0;
    EXPECT_TRUE(OnGraphForm(empty, m_View, m_Doc, false));
    EXPECT_FALSE(m_View.GraphForm.Available);
    ASSERT_EQ(m_View.Lines.LineCount(), 1u);
    EXPECT_EQ(LineText(m_View.Lines.Line(0, buffer)), kFormEmptyText);
}

TEST_F(GraphBuild, UpdateFormBuildsTheGraphOfTheKindAndCountsItsPanels)
{
    RegisterSpies();
    m_View.SelectedChannels = 0x15; // channels 1, 3 and 5
    Show(kViewBufferLogger);
    EXPECT_EQ(m_Calls, (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(m_View.Graph.PanelCount, 3);
    EXPECT_EQ(m_View.GraphForm.PanelMask, 0x15);
    EXPECT_TRUE(m_View.GraphShown());
    EXPECT_FALSE(m_View.TextShown());
    EXPECT_EQ(m_View.PlotKind, 6);
    EXPECT_EQ(m_View.GraphForm.Plot.GraphTitle, "panel 0");
    // The data never promise more points than they hold.
    EXPECT_LE(m_View.Graph.PointCount, 3);
}

TEST_F(GraphBuild, SpectraPanelsFollowTheFunctionAndTheChannelsOfferedAndChosen)
{
    RegisterSpies();
    struct Case {
        const char* name;
        std::uint8_t function;
        std::uint16_t available;
        std::uint16_t selected;
        std::vector<int> panels;
    };
    const Case cases[] = {
        {"cross spectrum, one channel chosen", 5, 0x3, 0x1, {0, 1, 2}},
        {"frequency response, every channel chosen", 10, 0x1F, 0x1F, {0, 1, 2}},
        {"spectrum of the channels both offered and chosen", 1, 0x5, 0x7, {0, 2}},
        {"autospectrum, nothing offered", 3, 0, 0x2, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_Calls.clear();
        m_View.Spectra.Function = c.function;
        m_View.AvailableChannels = c.available;
        m_View.SelectedChannels = c.selected;
        Show(kViewSpectra);
        EXPECT_EQ(m_Calls, c.panels);
        EXPECT_EQ(m_View.Graph.PanelCount, static_cast<int>(c.panels.size()));
    }
}

TEST_F(GraphBuild, FiveChannelsFillFivePanelsWithTheirTitles)
{
    RegisterSpies();
    for (const std::uint8_t kind : {kViewOctaves, kViewThirdOctaves, kViewBufferLogger, kViewHistograms}) {
        SCOPED_TRACE(static_cast<int>(kind));
        m_Calls.clear();
        m_View.Spectra.Function = 1;
        m_View.AvailableChannels = 0x1F;
        m_View.SelectedChannels = 0x1F;
        Show(kind);
        EXPECT_EQ(m_Calls, (std::vector<int>{0, 1, 2, 3, 4}));
        EXPECT_EQ(m_View.Graph.PanelCount, 5);
        EXPECT_EQ(m_View.GraphForm.PanelMask, 0x1F);
        EXPECT_EQ(m_View.GraphForm.Plot.PanelTitles[4].rfind("panel 4", 0), 0u);
    }
}

// A tonality file's short band has a geometry record of its own, worked out over its
// lines; a zoom made on it leaves the full band's record as it was, and back.
TEST_F(GraphBuild, TheShortBandHasAGeometryOfItsOwn)
{
    m_Renderers.RegisterGraphData(kViewSpectra, [](GraphDataRequest& r) {
        const std::size_t lines = r.View.Spectra.Band == 2 ? 60 : 400;
        r.Data.PlotValues.Assign(std::vector<double>(lines, 50.0));
        r.Data.ClassStride = static_cast<std::int32_t>(lines);
        return true;
    });
    const auto show = [this](std::uint8_t band) {
        m_View.Spectra.Band = band;
        Show(kViewSpectra);
        return m_View.PageGeometry;
    };
    const GraphGeometry* full = show(1);
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(full, m_View.GraphForm.Records.Find(GeometryRecord::Spectrum));
    const GraphGeometry fullBefore = *full;

    const GraphGeometry* shortBand = show(2);
    ASSERT_NE(shortBand, nullptr);
    EXPECT_EQ(shortBand, m_View.GraphForm.Records.Find(GeometryRecord::ShortBand));
    EXPECT_EQ(shortBand->pointCount, 60);
    EXPECT_EQ(m_View.Graph.PointCount, 60);
    EXPECT_NE(fullBefore.pointCount, 60); // the full band's record was worked out over its 400 lines

    // A zoom on the short band (the zoom commands change the kept record).
    m_View.GraphForm.Records.Obtain(GeometryRecord::ShortBand, 9, std::nullopt)->pixelsPerPoint = 1;
    EXPECT_EQ(show(1), full);
    EXPECT_EQ(full->pixelsPerPoint, fullBefore.pixelsPerPoint);
    EXPECT_EQ(full->pointCount, fullBefore.pointCount);
    EXPECT_EQ(show(2), shortBand);
    EXPECT_EQ(shortBand->pixelsPerPoint, 1);
}

TEST_F(GraphBuild, TonalityPhaseAndTheReverberationProcedureShowEveryPoint)
{
    RegisterSpies();
    struct Case {
        const char* name;
        std::uint8_t kind;
        int form;
        int tonality;
        int reverb;
        int degree;
    };
    const Case cases[] = {
        {"power spectrum keeps its degree", kViewSpectra, 0, 0, 0, 4},
        {"tonality", kViewSpectra, 0, 1, 0, 1},
        {"phase", kViewSpectra, 1, 0, 0, 1},
        {"time intersection keeps its degree", kViewTimeIntersections, 0, 0, 0, 4},
        {"reverberation procedure", kViewTimeIntersections, 0, 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_View.Spectra.OutputForm = static_cast<std::uint8_t>(c.form);
        m_View.Spectra.TonalityShown = c.tonality;
        m_View.Control.RtMode = c.reverb;
        // The zoom raised the degree before the build.
        m_View.Spectra.Degree = 4;
        GraphGeometry* time = m_View.GraphForm.Records.Obtain(GeometryRecord::Time, 28, GeometryStep{6, 1, 0});
        ASSERT_NE(time, nullptr);
        time->pointsPerColumn = 4;
        m_View.Graph.GraphSizeIndex = 3;
        Show(c.kind);
        EXPECT_EQ(m_View.Aggregation, c.degree);
        EXPECT_EQ(m_View.GraphForm.Plot.Aggregation, c.degree);
        if (c.kind == kViewSpectra) {
            EXPECT_EQ(m_View.Spectra.Degree, c.degree);
        }
        // The procedure also paints at graph size 1.
        EXPECT_EQ(m_View.Graph.GraphSizeIndex, c.reverb ? 1 : 3);
    }
}

TEST_F(GraphBuild, ATimeIntersectionFollowsTheLineUnderTheSpectrumCursor)
{
    RegisterSpies();
    m_View.Graph.WindowFirst = 10;
    m_View.BandIndex = 5;
    m_View.RecordCount = 40;
    Show(kViewTimeIntersections);
    EXPECT_EQ(IntersectionLine(m_View), 16);
    // The renderers and the stepping count the line from 0.
    EXPECT_EQ(m_SeenBand, 15);
    EXPECT_EQ(m_View.CurrentRecordPtr, &m_View.GraphBandIndex);
    EXPECT_EQ(m_View.RecordStepping, 1);
    EXPECT_EQ(m_View.LastRecord, 39);
}

// A Multifile of level meters whose loggers have 10, 1000 and 3 records.
class MultifileGraph : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        RegisterReportRenderers(m_Renderers);
        std::vector<fixture::MemberSpec> members;
        for (std::uint32_t rows : {10u, 1000u, 3u}) {
            fixture::MemberSpec m{"level", 525, 300};
            m.loggerRows = rows;
            members.push_back(m);
        }
        m_Doc = Open(Write("loggers.orl", fixture::Multifile(fixture::MixedMultifileKind(members),
                                                             fixture::MixedMultifileMembers(members))));
        OpenView(m_View, *m_Doc);
        const FormBuilder builder(m_Renderers, m_Settings);
        builder.SelectViewKind(m_View, *m_Doc, *FindViewCommand(32783));
        m_View.FormFlags = 0;
        ASSERT_TRUE(builder.OnGraphForm(m_View, *m_Doc, false));
    }
    // Paints the last build as the view does, onto a canvas that records the calls.
    void Paint()
    {
        PlotStateDocument facts = GraphDocumentOf(*m_Doc, m_View);
        RecordingCanvas canvas;
        EngineRoutines routines;
        const GraphPaintResult painted = PaintGraph(canvas, m_View.GraphForm.Plot, facts, GraphSettings{}, routines);
        EXPECT_EQ(painted.panels, m_View.Graph.PanelCount);
    }
    bool Step(RecordStep step)
    {
        if (!StepRecord(m_View, step, false))
            return false;
        FormBuilder(m_Renderers, m_Settings).UpdateForm(m_View, *m_Doc);
        return true;
    }

    FormRendererRegistry m_Renderers;
    AppSettings m_Settings;
    std::unique_ptr<CTmDoc> m_Doc;
    MeasurementViewState m_View;
};

TEST_F(MultifileGraph, SteppingToALongerSubfileAndBackSizesTheDataForEachAndPaints)
{
    struct Expected {
        int subfile;
        std::size_t records;
        int maxAggregation;
    };
    const Expected path[] = {{1, 10, 5}, {2, 1000, 500}, {3, 3, 1}, {2, 1000, 500}, {1, 10, 5}};
    const RecordStep moves[] = {RecordStep::Next, RecordStep::Next, RecordStep::Previous, RecordStep::Previous};
    for (std::size_t i = 0; i < std::size(path); ++i) {
        const Expected& e = path[i];
        SCOPED_TRACE(e.subfile);
        if (i > 0) {
            ASSERT_TRUE(Step(moves[i - 1]));
        }
        ASSERT_TRUE(m_View.GraphForm.Available);
        EXPECT_EQ(m_View.SubFileNumber, e.subfile);
        EXPECT_EQ(m_View.MaxAggregation, e.maxAggregation);
        const GraphViewState& g = m_View.GraphForm.Plot;
        ASSERT_GE(m_View.Graph.PanelCount, 1);
        EXPECT_EQ(g.TimeStamps.size(), e.records);
        const std::size_t points = e.records / static_cast<std::size_t>(m_View.Aggregation);
        EXPECT_EQ(g.BufferValues[0].Size(), points);
        EXPECT_EQ(g.PointCount, static_cast<std::int32_t>(points));
        EXPECT_NE(g.PanelTitles[0].find(" (file: FILE" + std::to_string(e.subfile) + ")"), std::string::npos)
            << g.PanelTitles[0];
        EXPECT_EQ(m_View.PlotKind, 6);
        Paint();
    }
    // Previous stops on the first sub-file.
    EXPECT_FALSE(Step(RecordStep::Previous));
}

TEST_F(MultifileGraph, AMarkedBlockPastTheRecordsIsPulledBackToTheLastOne)
{
    m_View.MarkState = 2;
    m_View.MarkedRange = {4, 900};
    FormBuilder(m_Renderers, m_Settings).UpdateForm(m_View, *m_Doc);
    EXPECT_EQ(m_View.MarkedRange, (std::array<std::int32_t, 2>{4, 9}));
    EXPECT_EQ(m_View.GraphForm.Plot.MarkedRange, (std::array<std::int32_t, 2>{4, 9}));
    Paint();
}

} // namespace
} // namespace orlu
