// The 1/3-octave graph of an ORLU 545 whose channels keep band layouts of their own:
// each panel is painted on its channel's own band axis, shifted so that the bands
// of all panels line up.

#include "document/DocumentTestSupport.h"
#include "graph/GraphPainter.h"
#include "graph/GraphSettings.h"
#include "graph/PlotDispatch.h"
#include "platform/canvas/RecordingCanvas.h"
#include "presentation/view/FormBuilder.h"
#include "presentation/view/GraphDocumentFacts.h"
#include "presentation/view/ViewSelection.h"
#include "support/FourChannelFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace orlu {
namespace {

constexpr std::uint8_t kFourChannelKind = 42;
constexpr int kThirdOctavesCommand = 32787;
constexpr int kOctaveLevelsCommand = 32888; // Statistics, levels of 1/1 octaves

// Notes the axis and place of every panel painted.
class PanelAxes : public PlotRoutines {
public:
    struct Panel {
        int panel;
        int plotKind;
        int points;
        int x;
        bool operator==(const Panel&) const = default;
    };
    std::vector<Panel> panels;
    int CursorRequest(const PanelArgs&) override { return 0; }
    void Plot(const PanelHead& head, const PanelArgs& a, const GraphSettings&) override
    {
        panels.push_back({a.panel, head.plotKind, head.geometry.pointCount, head.x});
    }
    void Readout(const PanelHead&, const PanelArgs&, const GraphSettings&) override {}
};

class FourChannelOctaveGraph : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenSpec(const fixture::FourChannelSpec& spec)
    {
        const std::vector<std::uint8_t> file = fixture::FourChannelMeasurementFile(spec);
        fixture::FixtureBuilder f;
        f.ContainerHeader(kFourChannelKind, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        return Open(Write("four.orl", f));
    }
};

TEST_F(FourChannelOctaveGraph, EachPanelHasItsChannelsOwnBandAxis)
{
    // A microphone of 31 bands and 3 totals (from 20 Hz), accelerometers of 44 bands
    // and 2 trailing values (from 1.25 Hz), of 31 and 3, and of 32 and 2: every
    // spectrum ends at the top band.
    fixture::FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 4, 1);
    spec.function = 3;
    spec.spectrumMask = 0b1111;
    spec.channelSpectra = {{0, {31, 3, 700}}, {1, {44, 2, 600}}, {2, {31, 3, 600}}, {3, {32, 2, 620}}};
    std::unique_ptr<CTmDoc> doc = OpenSpec(spec);

    FormRendererRegistry renderers;
    RegisterReportRenderers(renderers);
    const AppSettings settings;
    MeasurementViewState view;
    OpenView(view, *doc);
    const FormBuilder builder(renderers, settings);
    builder.SelectViewKind(view, *doc, *FindViewCommand(kThirdOctavesCommand));
    view.FormFlags = 0;
    ASSERT_TRUE(builder.OnGraphForm(view, *doc, false));
    ASSERT_EQ(view.Graph.PanelCount, 4);

    PlotStateDocument facts = GraphDocumentOf(*doc, view);
    PanelAxes axes;
    RecordingCanvas canvas;
    PaintGraph(canvas, view.GraphForm.Plot, facts, GraphSettings{}, axes);
    // The microphone: PlotKind 50 (20 Hz to 20 kHz and the totals A, C, Lin, 34 positions);
    // the accelerometers: 46 (0.8 Hz on, 46 positions) and 52 (20 Hz on, 32 positions).
    // Shifted by their first band over the lowest (1.25 Hz) at 11 pixels a band.
    const std::vector<PanelAxes::Panel> expected{
        {0, 50, 34, 13 * 11}, {1, 46, 46, 0}, {2, 52, 32, 13 * 11}, {3, 52, 32, 12 * 11}};
    EXPECT_EQ(axes.panels, expected);
}

// Statistical levels of 1/1 octaves: channel #1 has 12 bands and a total (8 Hz to
// 16 kHz), #2 five bands and a total (1 to 16 kHz). Each panel has its channel's own
// axis (PlotKind 34 of 13 positions for 13 values, 32 of 18 for the others), and the
// second stands seven 1/1 bands (not 21 1/3 bands) right of the first.
TEST_F(FourChannelOctaveGraph, OctaveLevelPanelsHaveTheirChannelsAxesLinedUpInOctaveBands)
{
    fixture::FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 2, 1);
    spec.function = 2;
    spec.spectrumMask = 0b11;
    spec.channelSpectra = {{0, {12, 1, 800}}, {1, {5, 1, 700}}};
    const std::vector<std::uint32_t> l50At415{0, 10, 0};
    spec.bandHistograms = {{0, {400, 10, std::vector<std::vector<std::uint32_t>>(13, l50At415)}},
                           {1, {400, 10, std::vector<std::vector<std::uint32_t>>(6, l50At415)}}};
    std::unique_ptr<CTmDoc> doc = OpenSpec(spec);

    FormRendererRegistry renderers;
    RegisterReportRenderers(renderers);
    const AppSettings settings;
    MeasurementViewState view;
    OpenView(view, *doc);
    const FormBuilder builder(renderers, settings);
    builder.SelectViewKind(view, *doc, *FindViewCommand(kOctaveLevelsCommand));
    view.FormFlags = 0;
    ASSERT_TRUE(builder.OnGraphForm(view, *doc, false));
    ASSERT_EQ(view.Graph.PanelCount, 2);

    PlotStateDocument facts = GraphDocumentOf(*doc, view);
    PanelAxes axes;
    RecordingCanvas canvas;
    PaintGraph(canvas, view.GraphForm.Plot, facts, GraphSettings{}, axes);
    const int pitch = view.GraphForm.Plot.Geometry.pixelsPerPoint;
    ASSERT_GT(pitch, 0);
    const std::vector<PanelAxes::Panel> expected{{0, 34, 13, 0}, {1, 32, 18, 7 * pitch}};
    EXPECT_EQ(axes.panels, expected);
}

} // namespace
} // namespace orlu
