// The Tools menu of a measurement view: what each command enables and checks,
// and what it does, with the document's side seen through a recording port.

#include "presentation/view/ToolsCommands.h"

#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orlu {

class RecordingToolsEffects : public ToolsEffects {
public:
    void Rebuild() override { calls.push_back("rebuild"); }
    void ComputeReverbTime(bool smoothed, int bandKind) override
    {
        calls.push_back("compute " + std::to_string(smoothed) + " " + std::to_string(bandKind));
    }
    void ClearRtRecords(int bandKind) override { calls.push_back("clear " + std::to_string(bandKind)); }
    void ToggleGraphAutoScale() override { calls.push_back("autoscale"); }
    void Invalidate() override { calls.push_back("invalidate"); }
    void MoveCursor(std::int32_t record, bool jump) override
    {
        calls.push_back("cursor " + std::to_string(record) + (jump ? " jump" : ""));
    }
    std::vector<std::string> calls;
};

namespace {

// The state is not copied: it points into itself.
void Show(MeasurementViewState& view, std::uint8_t kind, std::uint32_t form = form_flags::kGraph)
{
    view.ViewKind = kind;
    view.FormFlags = form;
}

TEST(ToolsCommands, UploadRuleByInstrumentKindAndFirmware)
{
    struct Case {
        std::uint8_t selector;
        std::uint8_t kind;
        int firmware;
        bool setup;
        bool offered;
    };
    const Case cases[] = {
        {1, 3, 0, false, true},    {1, 5, 0, false, true},     {1, 6, 999, false, false},
        {4, ',', 512, false, true}, {4, ',', 511, false, false}, {4, '-', 600, false, false},
        {3, '-', 512, false, true}, {5, '.', 700, false, true},  {6, '/', 512, false, true},
        {9, '0', 512, false, true}, {8, '1', 512, false, true},  {8, '0', 512, false, false},
        {11, 7, 604, false, true},  {16, 0, 604, false, true},   {14, 7, 603, false, false},
        {15, 7, 900, false, false}, {10, '*', 221, true, true},  {10, '*', 221, false, false},
        {10, '*', 220, true, false}, {10, '+', 900, true, false}, {2, 3, 900, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CanUpload(c.selector, c.kind, c.firmware, c.setup), c.offered)
            << int(c.selector) << " kind " << int(c.kind) << " firmware " << c.firmware;
    }
}

TEST(ToolsCommands, EnablingFollowsKindFormAndDocument)
{
    ToolsDocumentFacts octaves;
    octaves.bandKind = 4;
    octaves.hasProfiles = true;
    ToolsDocumentFacts samples;
    samples.bandKind = 1;
    ToolsDocumentFacts plain;
    plain.fileKind = 10;
    struct Case {
        int id;
        std::uint8_t kind;
        std::uint32_t form;
        const ToolsDocumentFacts* doc;
        bool enabled;
    };
    const Case cases[] = {
        {kSmoothingCommand, kViewTimeIntersections, form_flags::kGraph, &octaves, true},
        {kSmoothingCommand, kViewSpectra, form_flags::kGraph, &octaves, false},
        {kReverbTimeCommand, kViewTimeIntersections, form_flags::kText, &octaves, true},
        {kReverbTimeCommand, kViewTimeIntersections, form_flags::kGraph, &samples, false},
        {kPhaseSpectrumCommand, kViewSpectra, form_flags::kGraph, &samples, true},
        {kPhaseSpectrumCommand, kViewSpectra, form_flags::kGraph, &octaves, false},
        {kGraphAutoScaleCommand, kViewBufferLogger, form_flags::kGraph, &plain, true},
        {kGraphAutoScaleCommand, kViewBufferLogger, form_flags::kTable, &plain, false},
        {kGraphAutoScaleCommand, kViewStatisticalLevels, form_flags::kGraph, &plain, false},
        {kInsertHeaderCommand, kViewMainResults, form_flags::kTable, &plain, true},
        {kInsertHeaderCommand, kViewMainResults, form_flags::kText, &plain, false},
        {kInsertHeaderCommand, kViewMainResults, form_flags::kTable, &octaves, false},
        {kSelectAllCommand, kViewHexa, form_flags::kHex, &plain, true},
        {kSelectAllCommand, kViewSpectra, form_flags::kGraph, &plain, false},
        {kShowPeaksCommand, kViewSpectra, form_flags::kGraph, &plain, true},
        {kTonalityCommand, kViewSpectra, form_flags::kGraph, &plain, false},
        {kFftWindowFirstCommand, kViewSpectra, form_flags::kGraph, &samples, false}, // USER cannot be chosen
        {kFftWindowFirstCommand + 1, kViewSpectra, form_flags::kGraph, &samples, true},
        {kFftWindowFirstCommand + 1, kViewWaveforms, form_flags::kGraph, &samples, true},
        {kFftWindowFirstCommand + 1, kViewSpectra, form_flags::kGraph, &octaves, false},
    };
    for (const Case& c : cases) {
        MeasurementViewState view;
        Show(view, c.kind, c.form);
        const auto state = ToolsCommandState(c.id, view, *c.doc);
        ASSERT_TRUE(state) << c.id;
        EXPECT_EQ(state->enabled, c.enabled) << c.id << " in kind " << int(c.kind);
    }
    MeasurementViewState spectra;
    Show(spectra, kViewSpectra);
    EXPECT_FALSE(ToolsCommandState(32801, spectra, plain));
}

bool Submenu(ToolsSubmenu submenu, std::uint8_t kind, const ToolsDocumentFacts& doc)
{
    MeasurementViewState view;
    Show(view, kind);
    return ToolsSubmenuEnabled(submenu, view, doc);
}

TEST(ToolsCommands, SubmenusAreGreyedByTheirEntryNotByPosition)
{
    ToolsDocumentFacts doc;
    doc.impulseAnalysis = true;
    EXPECT_TRUE(Submenu(ToolsSubmenu::FftWindow, kViewSpectra, doc));
    EXPECT_FALSE(Submenu(ToolsSubmenu::FftWindow, kViewBufferLogger, doc));
    EXPECT_TRUE(Submenu(ToolsSubmenu::ImpulseAnalysis, kViewBufferLogger, doc));
    doc.impulseAnalysis = false;
    EXPECT_FALSE(Submenu(ToolsSubmenu::ImpulseAnalysis, kViewBufferLogger, doc));
}

TEST(ToolsCommands, TheActiveFftWindowAgainDoesNothingAndTheWaveformViewIsNotRebuilt)
{
    ToolsDocumentFacts doc;
    doc.bandKind = 1;
    ScriptedInteraction ui;
    RecordingToolsEffects effects;
    MeasurementViewState spectra;
    Show(spectra, kViewSpectra);
    spectra.Spectra.Window = 2;
    EXPECT_TRUE(RunToolsCommand(kFftWindowFirstCommand + 1, spectra, doc, ui, effects));
    EXPECT_TRUE(effects.calls.empty());
    EXPECT_TRUE(RunToolsCommand(kFftWindowFirstCommand + 6, spectra, doc, ui, effects));
    EXPECT_EQ(spectra.Spectra.Window, 7);
    EXPECT_EQ(effects.calls, std::vector<std::string>{"rebuild"});
    EXPECT_EQ(spectra.ShownViewKind, kRepaintWholeView);

    effects.calls.clear();
    MeasurementViewState waveform;
    Show(waveform, kViewWaveforms);
    EXPECT_TRUE(RunToolsCommand(kFftWindowFirstCommand + 2, waveform, doc, ui, effects));
    EXPECT_EQ(waveform.Spectra.Window, 3);
    EXPECT_TRUE(effects.calls.empty());
    EXPECT_FALSE(RunToolsCommand(kFftWindowFirstCommand, waveform, doc, ui, effects)); // USER
    EXPECT_EQ(waveform.Spectra.Window, 3);
}

TEST(ToolsCommands, PeaksAndTonalityExcludeEachOther)
{
    ToolsDocumentFacts doc;
    doc.tonality = true;
    ScriptedInteraction ui;
    RecordingToolsEffects effects;
    MeasurementViewState view;
    Show(view, kViewSpectra);
    RunToolsCommand(kShowPeaksCommand, view, doc, ui, effects);
    EXPECT_EQ(view.Spectra.PeaksShown, 1);
    RunToolsCommand(kTonalityCommand, view, doc, ui, effects);
    EXPECT_EQ(view.Spectra.TonalityShown, 1);
    EXPECT_EQ(view.Spectra.PeaksShown, 0);
    RunToolsCommand(kShowPeaksCommand, view, doc, ui, effects);
    EXPECT_EQ(view.Spectra.PeaksShown, 1);
    EXPECT_EQ(view.Spectra.TonalityShown, 0);
    EXPECT_TRUE(ToolsCommandState(kShowPeaksCommand, view, doc)->checked);
    EXPECT_FALSE(ToolsCommandState(kTonalityCommand, view, doc)->checked);
}

TEST(ToolsCommands, ReverberationOnPlacesTheBandCursorOnTheRange)
{
    ToolsDocumentFacts doc;
    doc.rtRange = {{{1, 8, 9}, {3, 20, 23}}};
    struct Case {
        std::int16_t bandKind;
        std::int32_t band;
        std::int32_t startWithTotals;
        std::int32_t placed;
    };
    const Case cases[] = {
        {4, 0, 0, 3},   // below the range: the first band
        {4, 21, 0, 23}, // above: the total band, not the last band
        {4, 10, 0, 10}, // inside: kept
        {4, 10, 1, 23}, // starting with totals
        {3, 12, 0, 9},
        {2, 50, 1, 50}, // FFT lines have no range
    };
    for (const Case& c : cases) {
        MeasurementViewState view;
    Show(view, kViewTimeIntersections);
        view.BandKind = c.bandKind;
        view.BandIndex = c.band;
        view.WindowStart = 40;
        view.Tools.StartWithTotals = c.startWithTotals;
        SwitchReverbProcedure(view, doc);
        EXPECT_EQ(view.Control.RtMode, 1);
        EXPECT_EQ(view.BandIndex, c.placed) << "kind " << c.bandKind << " band " << c.band;
        EXPECT_EQ(view.WindowStart, 0);
        view.Tools.RtStep = 3;
        SwitchReverbProcedure(view, doc);
        EXPECT_EQ(view.Control.RtMode, 0);
        EXPECT_EQ(view.Tools.RtStep, 0);
    }
}

TEST(ToolsCommands, ClearingTheRtDataAsksFirst)
{
    ToolsDocumentFacts doc;
    doc.bandKind = 4;
    MeasurementViewState view;
    Show(view, kViewTimeIntersections);
    view.Control.RtMode = 1;
    view.BandKind = 4;
    RecordingToolsEffects effects;
    {
        ScriptedInteraction ui;
        ui.ExpectQuestion(kClearRtQuestion, QuestionAnswer::No);
        EXPECT_TRUE(RunToolsCommand(kClearRtDataCommand, view, doc, ui, effects));
        EXPECT_TRUE(effects.calls.empty());
    }
    ScriptedInteraction ui;
    ui.ExpectQuestion(kClearRtQuestion, QuestionAnswer::Yes);
    RunToolsCommand(kClearRtDataCommand, view, doc, ui, effects);
    EXPECT_EQ(effects.calls, (std::vector<std::string>{"clear 4", "rebuild"}));
}

TEST(ToolsCommands, SmoothingRecomputesOnlyOnceTheProcedureHasAResult)
{
    ToolsDocumentFacts doc;
    ScriptedInteraction ui;
    RecordingToolsEffects effects;
    MeasurementViewState view;
    Show(view, kViewTimeIntersections);
    view.BandKind = 3;
    view.Control.RtMode = 1;
    view.Tools.RtStep = 2;
    RunToolsCommand(kSmoothingCommand, view, doc, ui, effects);
    EXPECT_EQ(effects.calls, std::vector<std::string>{"rebuild"});
    view.Tools.RtStep = 3;
    effects.calls.clear();
    RunToolsCommand(kSmoothingCommand, view, doc, ui, effects);
    EXPECT_EQ(effects.calls, (std::vector<std::string>{"compute 0 3", "rebuild"}));
    EXPECT_EQ(view.Smoothed, 0);
    EXPECT_EQ(view.Tools.RtSmoothingUsed, 0);
}

TEST(ToolsCommands, PasteRefusesPhaseTurnsRealPartToPowerSelectAllMarksEverything)
{
    ToolsDocumentFacts doc;
    doc.bandKind = 1;
    doc.clipboardText = true;
    ScriptedInteraction ui;
    RecordingToolsEffects effects;
    MeasurementViewState text;
    Show(text, kViewMainResults, form_flags::kText);
    EXPECT_TRUE(RunToolsCommand(kPasteCommand, text, doc, ui, effects));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kPasteRefusal});
    EXPECT_EQ(ui.Shown().at(0).icon, MessageIcon::Warning);

    for (std::string line : {"a", "b", "c"})
        AddLine(text.Lines, line, nullptr);
    text.WidestLine = 12;
    text.CharWidth = 8;
    text.LineHeight = 14;
    RunToolsCommand(kSelectAllCommand, text, doc, ui, effects);
    EXPECT_EQ(text.BlockAnchor, (ViewPoint{0, 0}));
    EXPECT_EQ(text.BlockEnd, (ViewPoint{80, 42}));

    MeasurementViewState spectra;
    Show(spectra, kViewSpectra);
    spectra.Spectra.OutputForm = 2; // real part
    RunToolsCommand(kPhaseSpectrumCommand, spectra, doc, ui, effects);
    EXPECT_EQ(spectra.Spectra.OutputForm, 0);
    EXPECT_EQ(spectra.Tools.PhaseSpectrum, 1);
}

TEST(ToolsCommands, DisabledCommandsDoNothing)
{
    ToolsDocumentFacts doc;
    ScriptedInteraction ui;
    RecordingToolsEffects effects;
    MeasurementViewState view;
    Show(view, kViewSpectra);
    EXPECT_FALSE(RunToolsCommand(kPlotTotalCommand, view, doc, ui, effects));
    EXPECT_FALSE(RunToolsCommand(kTonalityCommand, view, doc, ui, effects));
    EXPECT_EQ(view.PlotTotalLine, 0);
    EXPECT_EQ(view.Spectra.TonalityShown, 0);
    EXPECT_TRUE(effects.calls.empty());
}

} // namespace
} // namespace orlu
