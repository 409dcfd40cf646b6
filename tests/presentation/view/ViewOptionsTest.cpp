// The View options command: which dialog it opens, what it presets and what
// it takes back, with the dialogs answered by scripts.

#include "presentation/view/ViewOptionsCommand.h"

#include "presentation/view/PictureZoomModel.h"
#include "presentation/view/ToolsCommands.h"

#include <gtest/gtest.h>

#include <functional>

namespace orlu {
namespace {

TEST(ViewOptions, BranchTable)
{
    using B = ViewOptionsBranch;
    struct Case {
        std::uint32_t form;
        std::uint8_t kind;
        std::int32_t rt;
        B branch;
        int dialog;
    };
    const Case cases[] = {
        {form_flags::kGraph, kViewStatisticalLevels, 0, B::GraphLevels, 288},
        {form_flags::kGraph, kViewStatisticalLevels, 1, B::GraphLevels, 288},
        {form_flags::kGraph, kViewTimeIntersections, 1, B::GraphReverb, 209},
        {form_flags::kGraph, kViewTimeIntersections, 0, B::GraphGeneral, 169},
        {form_flags::kGraph, kViewSpectra, 1, B::GraphGeneral, 169},
        {form_flags::kText, kViewStatisticalLevels, 0, B::TextLevels, 201},
        {form_flags::kText, kViewBufferLogger, 0, B::TextFixed, 157},
        {form_flags::kText, kViewTimeIntersections, 1, B::TextFixed, 157},
        {form_flags::kText, kViewHistograms, 0, B::TextGeneral, 157},
        {form_flags::kTable, kViewStatisticalLevels, 0, B::TableLevels, 204},
        {form_flags::kTable, kViewTimeIntersections, 0, B::TableFixed, 150},
        {form_flags::kTable, kViewBufferLogger, 0, B::TableGeneral, 150},
        {form_flags::kHex, kViewHexa, 0, B::Other, 178},
        {form_flags::kAscii, kViewAscii, 0, B::Other, 178},
        {0, kViewSpectra, 0, B::None, 0},
    };
    for (const Case& c : cases) {
        const B branch = ChooseViewOptionsBranch(c.form, c.kind, c.rt);
        EXPECT_EQ(branch, c.branch) << c.form << " kind " << int(c.kind) << " rt " << c.rt;
        EXPECT_EQ(ViewOptionsDialogOf(branch), c.dialog);
    }
}

TEST(ViewOptions, ElementRule)
{
    struct Case {
        bool table;
        std::uint8_t fk;
        std::uint8_t vk;
        bool rt60;
        bool tonality;
        std::int32_t allFiles;
        std::int32_t stepping;
        ElementChoice choice;
    };
    const Case cases[] = {
        // row 1
        {false, 24, kViewHistograms, false, false, 0, 1, {true, false}},
        {true, 55, kViewMainResults, true, false, 1, 1, {false, false}},
        {true, 55, kViewMainResults, false, false, 0, 1, {true, false}},
        // row 2
        {false, 23, kViewDensities, false, false, 1, 0, {true, true}},
        {true, 23, kViewDensities, false, false, 1, 0, {false, false}},
        {true, 60, kViewHistograms, false, false, 1, 0, {true, true}},
        // row 3
        {false, 80, kViewHeaderInfo, false, false, 1, 1, {false, false}},
        {true, 80, kViewHeaderInfo, false, false, 1, 1, {true, true}}, // only the text form: row 5
        {true, 80, kViewMainResults, false, false, 0, 1, {true, false}},
        // row 4
        {true, 23, kViewBufferLogger, false, false, 1, 1, {false, false}},
        {false, 23, kViewBufferLogger, false, false, 1, 1, {true, true}},
        // row 5
        {false, 10, kViewSpectra, false, true, 1, 1, {true, false}},
        {false, 10, kViewSpectra, false, false, 0, 1, {false, true}},
        {true, 10, kViewOctaves, false, true, 1, 0, {true, false}},
    };
    for (const Case& c : cases) {
        const ElementChoice got = ChooseElements(c.table, {c.fk, c.vk, c.rt60, c.tonality, c.allFiles, c.stepping});
        EXPECT_EQ(got, c.choice) << (c.table ? "table" : "text") << " fk " << int(c.fk) << " vk " << int(c.vk);
    }
    EXPECT_TRUE(KeepsAllFilesSwitch(24, kViewDensities));
    EXPECT_FALSE(KeepsAllFilesSwitch(24, kViewSpectra));
}

TEST(ViewOptions, LevelDialogPresets)
{
    struct Case {
        std::uint8_t fk;
        bool s;
        LevelDialogPreset preset;
    };
    // allFiles 0, stepping 1, use all 1, levels in the view mask
    const Case cases[] = {
        {23, true, {true, false, false, false, false, false}},
        {24, true, {false, true, true, true, true, false}},
        {24, false, {true, false, false, false, true, false}},
        {55, true, {false, true, true, true, true, true}},
        {44, true, {false, false, true, true, true, true}},
        {4, false, {false, false, false, false, true, true}},
        {80, true, {false, false, false, false, true, true}},
        {10, true, {false, true, false, false, true, true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PresetLevelDialog({c.fk, c.s, 0, 1, 1, true}), c.preset) << int(c.fk) << " S " << c.s;
}

TEST(ViewOptions, UseAllSwitchMovesBetweenLevelNumbersAndEntries)
{
    EXPECT_EQ(SwitchedLevelsRecord(true, 27, kDefaultStatLevels), 4);
    EXPECT_EQ(SwitchedLevelsRecord(true, 25, kDefaultStatLevels), 3); // 20 and 30 as near: the first
    EXPECT_EQ(SwitchedLevelsRecord(true, 99, kDefaultStatLevels), 10);
    EXPECT_EQ(SwitchedLevelsRecord(false, 4, kDefaultStatLevels), 30);
    EXPECT_EQ(SwitchedLevelsRecord(false, 1, kDefaultStatLevels), 1);
}

TEST(ViewOptions, MultiElementOptionsAreLimitedToTheSpectra)
{
    const SpectrumBounds bounds{12.5, 801, 30}; // lines up to 10 kHz
    ViewMultiElementOptions chosen;
    chosen.freqBegin = 5000.0;
    chosen.freqEnd = 100.0;
    chosen.freqGrid = 1;
    chosen.timeGrid = 99;
    chosen.firstSpectrum = 0;
    chosen.lastSpectrum = 0;
    const ViewMultiElementOptions kept;
    const ViewMultiElementOptions got = LimitMultiElementOptions(chosen, kept, bounds, false);
    EXPECT_EQ(got.freqBegin, 5000.0);
    EXPECT_EQ(got.freqEnd, 5012.5); // raised above the beginning by df
    EXPECT_EQ(got.freqGrid, 2);
    EXPECT_EQ(got.timeGrid, 60);
    EXPECT_EQ(got.firstSpectrum, 1u);
    EXPECT_EQ(got.lastSpectrum, 2u);

    chosen.freqBegin = 100.0;
    chosen.freqEnd = 1.0e9;
    chosen.firstSpectrum = 50;
    chosen.lastSpectrum = 3;
    const ViewMultiElementOptions far = LimitMultiElementOptions(chosen, kept, bounds, false);
    EXPECT_EQ(far.freqEnd, 10000.0); // (N - 1) x df
    EXPECT_EQ(far.firstSpectrum, 29u);
    EXPECT_EQ(far.lastSpectrum, 30u);
    // Band data keep their frequencies; one spectrum does not wrap the bounds.
    const ViewMultiElementOptions bands = LimitMultiElementOptions(chosen, kept, {12.5, 401, 1}, true);
    EXPECT_EQ(bands.freqBegin, kept.freqBegin);
    EXPECT_EQ(bands.freqEnd, kept.freqEnd);
    EXPECT_EQ(bands.firstSpectrum, 1u);
    EXPECT_EQ(bands.lastSpectrum, 2u);
}

class ScriptedOptionDialogs : public ViewOptionsDialogs {
public:
    void RunGraphOptions(GraphOptionsModel& d) override { ++runs, graph(d); }
    void RunRtGraphOptions(RtGraphOptionsModel& d) override { ++runs, rt(d); }
    void RunTableOptions(TableOptionsModel& d) override { ++runs, table(d); }
    void RunTextOptions(TextOptionsAnswer& d) override { ++runs, text(d); }
    void RunCommaConflict() override { ++commas; }

    std::function<void(GraphOptionsModel&)> graph = [](GraphOptionsModel&) {};
    std::function<void(RtGraphOptionsModel&)> rt = [](RtGraphOptionsModel&) {};
    std::function<void(TableOptionsModel&)> table = [](TableOptionsModel&) {};
    std::function<void(TextOptionsAnswer&)> text = [](TextOptionsAnswer&) {};
    int runs = 0;
    int commas = 0;
};

struct Options {
    Options(std::uint32_t form, std::uint8_t kind)
    {
        view.FormFlags = form;
        view.ViewKind = kind;
        doc.levels = &levels;
        doc.bounds = {12.5, 401, 30};
    }
    ViewOptionsOutcome Run() { return RunViewOptions(view, doc, settings, dialogs); }

    MeasurementViewState view;
    StatLevels levels = kDefaultStatLevels;
    ViewOptionsFacts doc;
    AppSettings settings;
    ScriptedOptionDialogs dialogs;
};

TEST(ViewOptions, CancelInTheGraphDialogsChangesNothing)
{
    for (const std::uint8_t kind : {kViewSpectra, kViewStatisticalLevels}) {
        Options o(form_flags::kGraph, kind);
        o.view.CursorOn = 1;
        o.view.Control.UseAllStatLevels = 1;
        o.view.LevelsRecord = 27;
        o.dialogs.graph = [](GraphOptionsModel& d) {
            d.ChooseMulti();
            d.PrintZoom = 9;
            d.Defaults();
            d.UseAll = 0;
            d.Cancel();
        };
        EXPECT_EQ(o.Run(), ViewOptionsOutcome::Nothing);
        EXPECT_EQ(o.view.CursorOn, 1);
        EXPECT_EQ(o.view.MultiElement, 0);
        EXPECT_EQ(o.view.Tools.PrintZoom, 1);
        EXPECT_EQ(o.view.Control.UseAllStatLevels, 1);
        EXPECT_EQ(o.view.LevelsRecord, 27);
        EXPECT_EQ(o.levels, kDefaultStatLevels);
    }
}

TEST(ViewOptions, LevelGraphSwitchesUseAllAndStoresTheLevels)
{
    Options o(form_flags::kGraph, kViewStatisticalLevels);
    o.view.Control.UseAllStatLevels = 1;
    o.view.LevelsRecord = 25;
    const StatLevels chosen{5, 15, 25, 35, 45, 55, 65, 75, 85, 95};
    o.dialogs.graph = [&](GraphOptionsModel& d) {
        EXPECT_TRUE(d.LevelsVariant());
        d.UseAll = 0;
        d.Levels = chosen;
        d.Ok();
    };
    EXPECT_EQ(o.Run(), ViewOptionsOutcome::BuildGraph);
    EXPECT_EQ(o.view.LevelsRecord, 3); // by the levels the view used
    EXPECT_EQ(o.view.Control.UseAllStatLevels, 0);
    EXPECT_EQ(o.settings.UseAllSttLevOct, 0);
    EXPECT_EQ(o.levels, chosen);
    EXPECT_EQ(o.settings.StatLevels, chosen);

    o.dialogs.graph = [](GraphOptionsModel& d) {
        d.UseAll = 1;
        d.Ok();
    };
    o.view.LevelsRecord = 4;
    o.Run();
    EXPECT_EQ(o.view.LevelsRecord, 35);
}

TEST(ViewOptions, MultiElementClearsAndRestoresCursorAndSolidBars)
{
    GraphOptionsModel d;
    d.SolidBarsOffered = 1;
    d.SetCursor(true);
    d.SetSolidBars(true);
    d.ChooseMulti();
    EXPECT_EQ(d.CursorCheck, 0);
    EXPECT_EQ(d.SolidBarsCheck, 0);
    EXPECT_FALSE(d.CursorEnabled());
    EXPECT_FALSE(d.SolidBarsEnabled());
    EXPECT_TRUE(d.MultiGroupEnabled());
    d.ChooseSingle();
    EXPECT_EQ(d.CursorCheck, 1);
    EXPECT_EQ(d.SolidBarsCheck, 1);
    EXPECT_EQ(d.TotalsCheck, 1);
    EXPECT_FALSE(d.TotalsEnabled());
}

TEST(ViewOptions, GraphListsAreOfferedForHistoriesNotForSpectra)
{
    for (const auto& [kind, offered] : {std::pair{kViewBufferLogger, true}, std::pair{kViewSpectra, false}}) {
        Options o(form_flags::kGraph, kind);
        o.settings.CursorRelTimeFormat = 1;
        o.settings.TimeAxisFormat = 1;
        o.dialogs.graph = [&, offered = offered](GraphOptionsModel& d) {
            EXPECT_EQ(d.CursorFormatOffered != 0, offered);
            EXPECT_EQ(d.ShownCursorFormat(), offered ? 1 : -1);
            EXPECT_EQ(d.ShownTimeDomain(), offered ? 1 : -1);
            d.CursorFormatIndex = 0;
            d.Ok();
        };
        o.Run();
        EXPECT_EQ(o.settings.CursorRelTimeFormat, offered ? 0 : 1);
    }
}

TEST(ViewOptions, MultiElementGraphStoresLimitedOptionsAndRebuilds)
{
    Options o(form_flags::kGraph, kViewSpectra);
    o.view.RecordStepping = 1;
    o.dialogs.graph = [](GraphOptionsModel& d) {
        EXPECT_EQ(d.ElementChoiceEnabled, 1);
        d.ChooseMulti();
        d.Multi.freqBegin = 5000.0;
        d.Multi.freqEnd = 100.0;
        d.Ok();
    };
    EXPECT_EQ(o.Run(), ViewOptionsOutcome::BuildGraph);
    EXPECT_EQ(o.view.MultiElement, 1);
    EXPECT_EQ(o.view.Tools.MultiOptions.freqBegin, 4987.5); // (N - 2) x df of 401 lines
    EXPECT_EQ(o.view.Tools.MultiOptions.freqEnd, 5000.0);
    EXPECT_EQ(o.view.ShownViewKind, kRepaintWholeView);
}

TEST(ViewOptions, ReverbDialogShowsOneMethodAndIsReadBackWhateverClosedIt)
{
    RtGraphOptionsModel d;
    d.ChooseMethod(1);
    d.ChooseMethod(3);
    EXPECT_EQ(d.EdtCheck + d.Rt20Check + d.RtUserCheck, 0);
    EXPECT_EQ(d.VisualAid(), 3);

    Options o(form_flags::kGraph, kViewTimeIntersections);
    o.view.Control.RtMode = 1;
    std::vector<std::uint8_t> record(120);
    o.doc.rtRecord = record;
    o.dialogs.rt = [](RtGraphOptionsModel& dialog) { dialog.Defaults(); }; // then Cancel
    EXPECT_EQ(o.Run(), ViewOptionsOutcome::BuildGraph);
    EXPECT_EQ(o.view.Tools.VisualAid, 4);
    EXPECT_EQ(o.view.Tools.RtShowUser, 1);
    EXPECT_EQ(o.view.Tools.StartWithTotals, 1);
    EXPECT_EQ(record[5], 4);
    EXPECT_EQ(o.settings.VisualAid, 4);
    EXPECT_EQ(o.settings.StartWithTotals, 1);
}

TEST(ViewOptions, PictureZoomShowsHowThePictureScales)
{
    EXPECT_EQ((PictureZoomModel{kMetafilePicture, 1}.DisplayZoomText()), "AUTO");
    EXPECT_EQ((PictureZoomModel{kBitmapPicture, 1}.DisplayZoomText()), "1");
}

TEST(ViewOptions, CancelAfterDefaultsInTheTableDialogStoresTheDefaults)
{
    Options o(form_flags::kTable | (1u << form_flags::kDecimalShift) | (3u << form_flags::kSeparatorShift),
              kViewBufferLogger);
    o.view.DispPitch = 20;
    o.view.TableAllFiles = 1;
    o.view.RecordStepping = 1;
    o.settings.DispPitchSize = 14;
    o.dialogs.table = [&](TableOptionsModel& d) {
        EXPECT_EQ(d.DecimalIndex, 1);
        EXPECT_EQ(d.SeparatorIndex, 3);
        EXPECT_EQ(d.MultiCheck, 1);
        d.Scientific = 1;
        d.Defaults(o.settings.DispPitchSize, o.settings.PrintPitchSize);
        d.Cancel();
    };
    EXPECT_EQ(o.Run(), ViewOptionsOutcome::BuildTable);
    EXPECT_EQ(o.view.DispPitch, 14);
    EXPECT_EQ(o.view.TableAllFiles, 0);
    EXPECT_EQ(form_flags::Field(o.view.FormFlags, form_flags::kDecimalShift, 1), 0u);
    EXPECT_EQ(form_flags::Field(o.view.FormFlags, form_flags::kSeparatorShift, 3), 0u);
    EXPECT_EQ(o.settings.SeparatorChar, 0);

    o.dialogs.table = [](TableOptionsModel& d) { d.Cancel(); };
    EXPECT_EQ(o.Run(), ViewOptionsOutcome::Nothing);
}

TEST(ViewOptions, TheCommaLoopEndsOnlyWhenDecimalAndSeparatorDiffer)
{
    Options o(form_flags::kTable, kViewTimeIntersections);
    int run = 0;
    o.dialogs.table = [&](TableOptionsModel& d) {
        ++run;
        if (run < 3) {
            d.DecimalIndex = 1;
            d.SeparatorIndex = 1;
        } else {
            d.SeparatorIndex = 2; // keeps the comma as decimal point
        }
    };
    EXPECT_EQ(o.Run(), ViewOptionsOutcome::BuildTable);
    EXPECT_EQ(o.dialogs.commas, 2);
    EXPECT_EQ(run, 3);
    EXPECT_EQ(o.settings.DecyPoint, 1);
    EXPECT_EQ(o.settings.SeparatorChar, 2);
}

TEST(ViewOptions, TextLevelsStoreTheLevelsEvenWhenTheirBoxesWereDisabled)
{
    Options o(form_flags::kText, kViewStatisticalLevels);
    o.doc.fileKind = 23; // boxes disabled
    o.dialogs.text = [](TextOptionsAnswer& d) {
        EXPECT_EQ(d.dialog, 201);
        EXPECT_EQ(d.LevelsEnabled, 0);
        d.Levels = {2, 4, 6, 8, 10, 12, 14, 16, 18, 20};
    };
    EXPECT_EQ(o.Run(), ViewOptionsOutcome::BuildText);
    EXPECT_EQ(o.levels[9], 20);
    EXPECT_EQ(o.settings.StatLevels, kDefaultStatLevels);
    EXPECT_EQ(o.view.TextAllFiles, 1); // multi element for kind 23
}

TEST(ViewOptions, TableChannelsNeedOneInputKind)
{
    TableChannelsModel d({2, 1, 2, 2, 1}, 0b11111, 0);
    EXPECT_STREQ(d.Label(1), "Mic");
    EXPECT_STREQ(d.Label(2), "Acc");
    EXPECT_FALSE(d.OkEnabled());
    d.Toggle(1);
    EXPECT_TRUE(d.OkEnabled());
    d.Toggle(2);
    EXPECT_FALSE(d.OkEnabled());
    EXPECT_FALSE(d.Accept());
    d.Toggle(2);
    d.Toggle(5); // the fifth channel takes part in the test
    EXPECT_FALSE(d.OkEnabled());
    d.Toggle(5);
    d.Toggle(4);
    EXPECT_EQ(d.Accept(), 0b01001);

    TableChannelsModel partly({2, 2, 2, 2, 2}, 0b00001, 0b00010);
    partly.Toggle(2); // disabled: keeps its preset state
    EXPECT_TRUE(partly.Checked(2));
}

} // namespace
} // namespace orlu
