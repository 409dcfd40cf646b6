// The three pages of the remote-control sheet, headless: the lists each
// input, function and version offers, the enabling, the edit checks and
// what reaches the working record.

#include "presentation/remote/AnalyzerPageModel.h"
#include "presentation/remote/GeneralPageModel.h"
#include "presentation/remote/MeterPageModel.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

using S = Setting;
using Names = std::vector<std::string>;

struct Pages {
    CControlSett working;
    CControlSett committed;
    ScriptedInteraction ui;

    /// A record with the settings stored (each must be taken).
    explicit Pages(std::initializer_list<std::pair<S, int>> values = {})
    {
        for (auto [s, v] : values)
            EXPECT_TRUE(working.Set(s, v)) << SettingName(s) << " " << v;
    }
};

TEST(RemoteGeneralPageTest, RefreshAndModeRule)
{
    Pages p({{S::Mode, 0}, {S::StartStop, 1}});
    p.working.ParseUnitSettings("#1,NE1234,W321,X0,S1;");
    GeneralPageModel page(p.working, p.committed, p.ui);
    page.UpdateControls();
    // The refresh runs the mode handler, so Apply is enabled at once.
    EXPECT_TRUE(page.modified);
    EXPECT_EQ(page.unitVersion.Shown(), "ORLU 505 E / AE");
    EXPECT_EQ(page.mode.entries, (Names{"other", "Meter", "Analyzer"}));
    EXPECT_EQ(page.serialNumber, "1234");
    EXPECT_EQ(page.softwareVersion, "321");
    EXPECT_FALSE(page.startStop.enabled);

    // Meter shows Stop in the disabled list; the stored state stays until the next refresh shows it.
    ASSERT_TRUE(page.SelectMode(1));
    EXPECT_EQ(page.startStop.Shown(), "Stop");
    EXPECT_EQ(p.working.Get(S::StartStop), 1);
    EXPECT_EQ(p.working.Get(S::Mode), 1);
    page.UpdateControls();
    EXPECT_EQ(page.startStop.Shown(), "Start");

    ASSERT_TRUE(page.SelectMicPolarization(1));
    ASSERT_TRUE(page.ClickCalibration(false));
    ASSERT_TRUE(page.SelectUnitVersion(0));
    EXPECT_EQ(p.working.Get(S::MicPolarization), 2);
    EXPECT_EQ(p.working.Get(S::Calibration), 0);
    EXPECT_EQ(p.working.Get(S::UnitVersion), 0);
    EXPECT_NE(p.committed, p.working);
    ASSERT_TRUE(page.OnOK());
    EXPECT_EQ(p.committed, p.working);

    // Version 2 is kept but selects nothing.
    ASSERT_TRUE(p.working.Set(S::UnitVersion, 2));
    page.UpdateControls();
    EXPECT_EQ(page.unitVersion.selection, -1);
    EXPECT_TRUE(p.ui.Messages().empty());
}

TEST(RemoteMeterPageTest, InputFunctionAndFilterLists)
{
    struct Case {
        std::vector<std::pair<S, int>> record;
        Names functions;
        std::string function;
        std::string range;
        Names filters;
        std::string filter;
    };
    const Case cases[] = {
        {{{S::MetInput, 1}, {S::MetFunction, 1}, {S::MetFilter, 0}}, {"Ref"}, "Ref", "80 dB",
         {"DC", "Lin", "A", "C", "L & A", "C & A", "G", "HP", "W-Bxy", "W-Bz", "H-A", "W-Bc"}, "DC"},
        // "C" is found before "C & A".
        {{{S::MetInput, 2}, {S::MetFunction, 3}, {S::MetFilter, 3}, {S::MetRange, 4}},
         {"Spl", "Leq", "SEL", "Ssa"}, "Leq", "140 dB", {"Lin", "A", "C", "L & A", "C & A", "G", "HP"}, "C"},
        {{{S::MetInput, 2}, {S::MetFunction, 2}, {S::MetFilter, 4}}, {"Spl", "Leq", "SEL", "Ssa"}, "Spl", "80 dB",
         {"Lin", "A", "C", "L & A", "C & A", "G", "HP"}, "C & A"},
        {{{S::MetInput, 6}, {S::MetFunction, 10}, {S::MetFilter, 6}, {S::MetRange, 2}},
         {"Val", "Vel", "Dil1", "Dil3"}, "Dil1", "230 dB", {"HP"}, "HP"},
        {{{S::MetInput, 4}, {S::MetFunction, 8}, {S::MetFilter, 10}}, {"Val", "Vel", "Dil1", "Dil3"}, "Val",
         "120 dB", {"Lin", "HP", "W-Bxy", "W-Bz", "H-A", "W-Bc"}, "W-Bc"},
        {{{S::MetInput, 5}, {S::MetFunction, 9}, {S::MetRange, 3}}, {"Val", "Vel", "Dil1", "Dil3"}, "Vel",
         "200 dB", {"HP"}, "HP"},
        {{{S::MetInput, 5}, {S::MetFunction, 11}, {S::MetRange, 1}}, {"Val", "Vel", "Dil1", "Dil3"}, "Dil3",
         "190 dB", {"HP"}, "HP"},
        // A code in no list: the first entry is shown and the code stays.
        {{{S::MetInput, 3}, {S::MetFunction, 7}, {S::MetFilter, 14}}, {"Dsl", "Dsa"}, "Dsa", "80 dB",
         {"DC", "Lin", "A", "C", "L & A", "C & A", "G", "HP", "W-Bxy", "W-Bz", "H-A", "W-Bc"}, "DC"},
        // A function outside the input's group becomes its first.
        {{{S::MetInput, 3}, {S::MetFunction, 3}}, {"Dsl", "Dsa"}, "Dsl", "80 dB",
         {"DC", "Lin", "A", "C", "L & A", "C & A", "G", "HP", "W-Bxy", "W-Bz", "H-A", "W-Bc"}, "Lin"},
        // The E version's ranges lie 10 dB lower.
        {{{S::UnitVersion, 1}, {S::MetInput, 4}, {S::MetFunction, 9}, {S::MetRange, 4}},
         {"Val", "Vel", "Dil1", "Dil3"}, "Vel", "210 dB", {"HP"}, "HP"},
    };
    for (const Case& c : cases) {
        Pages p({{S::UnitVersion, 0}});
        for (auto [s, v] : c.record)
            EXPECT_TRUE(p.working.Set(s, v)) << SettingName(s);
        const int filterCode = p.working.Get(S::MetFilter);
        MeterPageModel page(p.working, p.committed, p.ui, false);
        page.UpdateControls();
        SCOPED_TRACE(page.Describe()[1]);
        EXPECT_EQ(page.function.entries, c.functions);
        EXPECT_EQ(page.function.Shown(), c.function);
        EXPECT_EQ(page.range.Shown(), c.range);
        EXPECT_EQ(page.filter.entries, c.filters);
        EXPECT_EQ(page.filter.Shown(), c.filter);
        EXPECT_EQ(p.working.Get(S::MetFilter), filterCode);
        EXPECT_TRUE(p.ui.Messages().empty());
    }
}

TEST(RemoteMeterPageTest, Handlers)
{
    Pages p({{S::UnitVersion, 0}, {S::MetInput, 2}, {S::MetFunction, 3}, {S::MetRange, 3}, {S::MetFilter, 2}});
    MeterPageModel page(p.working, p.committed, p.ui, false);
    page.UpdateControls();

    // Direct while the function is Leq: the function becomes Dsl.
    ASSERT_TRUE(page.SelectInput(2));
    EXPECT_EQ(p.working.Get(S::MetFunction), 6);
    EXPECT_EQ(page.function.entries, (Names{"Dsl", "Dsa"}));
    // Another function shows the first range and filter; range and filter keep their values until chosen.
    ASSERT_TRUE(page.SelectFunction(1));
    EXPECT_EQ(page.range.selection, 0);
    EXPECT_EQ(page.filter.selection, 0);
    EXPECT_EQ(p.working.Get(S::MetRange), 3);
    EXPECT_EQ(p.working.Get(S::MetFilter), 2);
    // Filters are stored by their code: "L & A" is 11.
    ASSERT_TRUE(page.SelectFilter(4));
    EXPECT_EQ(p.working.Get(S::MetFilter), 11);

    // The A version's delta integration follows the RMS averaging.
    EXPECT_EQ(page.deltaIntegr.entries, (Names{"1/1 s", "1/8 s", "1/32 s"}));
    ASSERT_TRUE(page.SelectRmsAveraging(1));
    EXPECT_EQ(page.rmsAveraging.entries, (Names{"Linear", "Exponen."}));
    EXPECT_EQ(page.deltaIntegr.entries, (Names{"Impulse", "Fast", "Slow"}));
    ASSERT_TRUE(page.SelectDeltaIntegr(2));
    EXPECT_EQ(p.working.Get(S::MetDeltaIntegr), 3);
    EXPECT_TRUE(p.ui.Messages().empty());
}

TEST(RemoteMeterPageTest, EVersionDeltaIntegrationAndRmsList)
{
    Pages p({{S::UnitVersion, 1}, {S::MetDeltaIntegr, 4}});
    MeterPageModel page(p.working, p.committed, p.ui, true);
    page.UpdateControls();
    EXPECT_EQ(page.rmsAveraging.entries, (Names{"Linear", "Impulse", "Fast", "Slow"}));
    EXPECT_EQ(page.deltaIntegr.entries, (Names{"0.01 s", "0.02 s", "0.05 s", "0.1 s", "0.2 s", "0.5 s", "1 s"}));
    ASSERT_TRUE(page.SelectDeltaIntegr(2));
    EXPECT_EQ(p.working.Get(S::MetDeltaIntegr), 6);
    ASSERT_TRUE(page.SelectRmsAveraging(3));
    EXPECT_EQ(page.deltaIntegr.Shown(), "0.05 s");

    // An A-version record with the E list shown: "Fast" is refused with its message.
    Pages a({{S::UnitVersion, 0}});
    MeterPageModel aPage(a.working, a.committed, a.ui, true);
    aPage.UpdateControls();
    EXPECT_FALSE(aPage.SelectRmsAveraging(2));
    EXPECT_EQ(a.working.Get(S::MetRmsAveraging), 1);
    EXPECT_EQ(a.ui.Messages(), Names{"Invalid value for setting RMS AVERAGING"});
}

TEST(RemoteMeterPageTest, IntegrationTime)
{
    struct Case {
        int unit;       ///< list index
        std::string typed;
        std::string shown;
        int spinHighest;
    };
    const Case cases[] = {{2, "30", "16", 16}, {0, "75", "59", 59}, {1, "0", "1", 59}, {2, "-5", "1", 16},
                          {0, "12", "12", 59}, {1, "7x", "7", 59}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Pages p;
        MeterPageModel page(p.working, p.committed, p.ui, false);
        page.UpdateControls();
        page.integrationTime.Type(c.typed);
        ASSERT_TRUE(page.SelectUnit(c.unit));
        EXPECT_EQ(page.integrationTime.text, c.shown);
        EXPECT_EQ(page.spinHighest, c.spinHighest);
        EXPECT_EQ(p.working.Get(S::IntegrationTimeUnit), c.unit + 1);
    }

    // Leaving the page with 0 keeps it in front, the edit back to what it held.
    Pages p;
    MeterPageModel page(p.working, p.committed, p.ui, false);
    page.UpdateControls();
    page.integrationTime.Type("0");
    EXPECT_FALSE(page.OnKillActive());
    EXPECT_EQ(page.integrationTime.text, "1");
    ASSERT_TRUE(page.SelectUnit(2));
    page.integrationTime.Type("17");
    EXPECT_FALSE(page.LeaveIntegrationTime());
    page.integrationTime.Type("16");
    EXPECT_TRUE(page.LeaveIntegrationTime());
    EXPECT_EQ(p.working.Get(S::IntegrationTime), 16);
    EXPECT_EQ(p.ui.Messages(), (Names{"You must type value between 1-59", "You must type value between 1-16"}));

    // OK stores the typed time; a refused one commits nothing.
    page.integrationTime.Type("40");
    EXPECT_FALSE(page.OnOK());
    EXPECT_EQ(p.ui.Messages().back(), "Invalid value for setting INT. TIME");
    EXPECT_NE(p.committed, p.working);
    page.integrationTime.Type("9");
    EXPECT_TRUE(page.OnOK());
    EXPECT_EQ(p.committed.Get(S::IntegrationTime), 9);
}

TEST(RemoteAnalyzerPageTest, ListsByVersionInputAndFunction)
{
    struct Case {
        std::vector<std::pair<S, int>> record;
        Names ranges;
        std::size_t bands;
        std::string band;
        std::string sLines;
        std::string cFreq;
        bool rmsEnabled;
        bool deltaEnabled;
    };
    const Case cases[] = {
        {{{S::UnitVersion, 0}, {S::AnInput, 1}, {S::Band, 16}, {S::CFreq, 2}},
         {"80 dB", "100 dB", "120 dB", "140 dB"}, 16, "51.2 kHz", "100 (256)", "3.125 Hz", false, false},
        {{{S::UnitVersion, 0}, {S::AnInput, 4}, {S::AnFunction, 4}, {S::SLines, 5}, {S::CFreq, 14}},
         {"120 dB", "140 dB", "160 dB", "180 dB"}, 1, "25.6 kHz", "1600 (4096)", "12.8 kHz", false, false},
        {{{S::UnitVersion, 1}, {S::AnInput, 4}, {S::Band, 1}, {S::CFreq, 5}},
         {"110 dB", "130 dB", "150 dB", "170 dB"}, 16, "1.38 Hz", "120 (256)", "22.1 Hz", true, true},
        {{{S::UnitVersion, 1}, {S::AnInput, 3}, {S::AnFunction, 3}, {S::Band, 16}, {S::SLines, 2}},
         {"70 dB", "90 dB", "110 dB", "130 dB"}, 1, "22.6 kHz", "240 (512)", "2.76 Hz", true, true},
    };
    for (const Case& c : cases) {
        Pages p;
        for (auto [s, v] : c.record)
            ASSERT_TRUE(p.working.Set(s, v)) << SettingName(s);
        AnalyzerPageModel page(p.working, p.committed, p.ui);
        page.UpdateControls();
        SCOPED_TRACE(page.Describe()[0]);
        EXPECT_EQ(page.range.entries, c.ranges);
        EXPECT_EQ(page.band.entries.size(), c.bands);
        EXPECT_EQ(page.band.Shown(), c.band);
        EXPECT_EQ(page.sLines.Shown(), c.sLines);
        EXPECT_EQ(page.cFreq.entries.size(), 13u);
        EXPECT_EQ(page.cFreq.Shown(), c.cFreq);
        EXPECT_EQ(page.rmsAveraging.enabled, c.rmsEnabled);
        EXPECT_EQ(page.deltaIntegr.enabled, c.deltaEnabled);
        EXPECT_TRUE(p.ui.Messages().empty());
    }
}

TEST(RemoteAnalyzerPageTest, FunctionBandAndAveragingNumber)
{
    Pages p({{S::UnitVersion, 1}, {S::AnFunction, 2}, {S::Band, 9}});
    AnalyzerPageModel page(p.working, p.committed, p.ui);
    page.UpdateControls();
    // An octave function offers band 15 only and stores it.
    ASSERT_TRUE(page.SelectFunction(3));
    ASSERT_TRUE(page.SelectBand(0));
    EXPECT_EQ(page.band.entries, Names{"22.6 kHz"});
    EXPECT_EQ(p.working.Get(S::Band), 15);
    EXPECT_TRUE(page.deltaIntegr.enabled);
    ASSERT_TRUE(page.SelectFunction(1));
    EXPECT_EQ(page.band.entries.size(), 16u);
    EXPECT_EQ(page.band.selection, 14);
    // Time disables delta integration on the E version.
    ASSERT_TRUE(page.SelectFunction(0));
    EXPECT_FALSE(page.deltaIntegr.enabled);

    struct Case {
        std::string typed;
        int function;
        std::string shown;
    };
    for (const Case& c : {Case{"3000", 0, "2048"}, Case{"1", 0, "2"}, Case{"1", 3, "1"}, Case{"5000", 2, "3599"},
                          Case{"0", 3, "1"}}) {
        SCOPED_TRACE(c.typed);
        page.averagingNumber.Type(c.typed);
        ASSERT_TRUE(page.SelectFunction(c.function));
        EXPECT_EQ(page.averagingNumber.text, c.shown);
    }
    // The centre frequency list shows band CFreq and stores the choice.
    ASSERT_TRUE(page.SelectCFreq(12));
    EXPECT_EQ(p.working.Get(S::CFreq), 14);
    EXPECT_TRUE(p.ui.Messages().empty());
}

TEST(RemoteAnalyzerPageTest, EditChecks)
{
    struct Case {
        EditState AnalyzerPageModel::*edit;
        bool (AnalyzerPageModel::*leave)();
        std::string typed;
        std::string shown; ///< after leaving the edit
        S setting;
        int stored;        ///< when accepted
        std::string message;
    };
    const std::string between = "You must type value between ";
    const Case cases[] = {
        {&AnalyzerPageModel::level, &AnalyzerPageModel::LeaveTriggerLevel, "12.34", "12.3", S::TriggerLevel, 123, ""},
        {&AnalyzerPageModel::level, &AnalyzerPageModel::LeaveTriggerLevel, "2.3", "2.3", S::TriggerLevel, 23, ""},
        {&AnalyzerPageModel::level, &AnalyzerPageModel::LeaveTriggerLevel, "-0.5", "-0.5", S::TriggerLevel, -5, ""},
        {&AnalyzerPageModel::level, &AnalyzerPageModel::LeaveTriggerLevel, "-.04", "0.0", S::TriggerLevel, 0, ""},
        {&AnalyzerPageModel::level, &AnalyzerPageModel::LeaveTriggerLevel, "99.9", "99.9", S::TriggerLevel, 999, ""},
        {&AnalyzerPageModel::level, &AnalyzerPageModel::LeaveTriggerLevel, "100", "0.0", S::TriggerLevel, 0,
         between + "[-99.9 .. +99.9]"},
        {&AnalyzerPageModel::delay, &AnalyzerPageModel::LeaveTriggerDelay, "4097", "0", S::TriggerDelay, 0,
         between + "[-4095 .. +4096]"},
        {&AnalyzerPageModel::delay, &AnalyzerPageModel::LeaveTriggerDelay, "-4095", "-4095", S::TriggerDelay, -4095,
         ""},
        {&AnalyzerPageModel::delay, &AnalyzerPageModel::LeaveTriggerDelay, "12ab", "12", S::TriggerDelay, 12, ""},
        {&AnalyzerPageModel::averagingNumber, &AnalyzerPageModel::LeaveAveragingNumber, "1", "2",
         S::AveragingNumber, 2, between + "[2 .. 2048]"},
        {&AnalyzerPageModel::averagingNumber, &AnalyzerPageModel::LeaveAveragingNumber, "2048", "2048",
         S::AveragingNumber, 2048, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Pages p;
        AnalyzerPageModel page(p.working, p.committed, p.ui);
        page.UpdateControls();
        (page.*c.edit).Type(c.typed);
        EXPECT_EQ((page.*c.leave)(), c.message.empty());
        EXPECT_EQ((page.*c.edit).text, c.shown);
        EXPECT_EQ(p.working.Get(c.setting), c.stored);
        EXPECT_EQ(p.ui.Messages(), c.message.empty() ? Names{} : Names{c.message});
    }

    // Apply checks the three edits in order and stops at the first refusal.
    Pages p;
    AnalyzerPageModel page(p.working, p.committed, p.ui);
    page.UpdateControls();
    page.level.Type("150");
    page.delay.Type("9999");
    EXPECT_FALSE(page.OnApply());
    EXPECT_EQ(p.ui.Messages(), Names{between + "[-99.9 .. +99.9]"});
    EXPECT_EQ(p.committed, CControlSett());
    page.level.Type("-12.5");
    page.delay.Type("100");
    EXPECT_TRUE(page.OnApply());
    EXPECT_EQ(p.committed.Get(S::TriggerLevel), -125);
    EXPECT_EQ(p.committed.Get(S::TriggerDelay), 100);
}

TEST(RemoteAnalyzerPageTest, ARecordsRmsAveragingIsRefused)
{
    Pages p({{S::UnitVersion, 0}});
    AnalyzerPageModel page(p.working, p.committed, p.ui);
    page.UpdateControls();
    EXPECT_FALSE(page.rmsAveraging.enabled);
    EXPECT_FALSE(page.SelectEntry(page.rmsAveraging, S::AnRmsAveraging, 1));
    EXPECT_EQ(p.ui.Messages(), Names{"Setting RMS AVERAGING can not be modified in ORLU 505"});
    EXPECT_EQ(p.working.Get(S::AnRmsAveraging), 1);
}

} // namespace
} // namespace orlu
