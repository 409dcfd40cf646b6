// The Header information text of current-family, four-channel and merged
// files, compared byte for byte with texts written out from the layouts,
// and the rules of its sections that a golden would only show by chance.

#include "document/DocumentTestSupport.h"
#include "document/container/FileKindCode.h"

#include "reports/common/ReportNumberFormats.h"
#include "reports/text/HeaderInfoText.h"
#include "reports/text/HeaderSettingsSections.h"
#include "support/FourChannelFixture.h"
#include "support/GoldenText.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::CurrentMeasurementFile;
using fixture::FixtureBuilder;
using fixture::FourChannelSpec;
using fixture::Golden;
using fixture::WidthOf;

constexpr std::uint16_t kDate = (26 << 9) | (3 << 5) | 15;     // 26/03/15
constexpr std::uint16_t kTime = (10 * 3600 + 20 * 60 + 30) / 2; // 10:20'30

// An ORLU 525 at firmware 3.00 measuring levels with three profiles.
CurrentFileSpec LevelMeter525()
{
    CurrentFileSpec spec;
    spec.measurementWords = {{1, kDate}, {2, kTime}};
    return spec;
}

// Two channels of three profiles (profile j = p x 2 + c): the microphone's
// three profiles are on (bit 0 of their flags), the accelerometer's off; the
// vector sums both channels.
FourChannelSpec FourChannelWithVector()
{
    FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 2, 3, true);
    for (std::size_t j = 0; j < spec.profiles.size(); ++j)
        spec.profiles[j].flags = j % 2 == 0 ? 1 : 0;
    spec.vectorRecord = true;
    spec.coefficients = {100, 150, 0, 0};
    spec.coefficientUse = {1, 1, 0, 0};
    return spec;
}

class HeaderInfo : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenBytes(const std::vector<std::uint8_t>& file, std::uint8_t kind)
    {
        FixtureBuilder f;
        f.ContainerHeader(kind, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        return Open(Write("meas.orl", f));
    }
    std::unique_ptr<CTmDoc> OpenSpec(const CurrentFileSpec& spec, std::uint8_t kind = 45)
    {
        return OpenBytes(CurrentMeasurementFile(spec), kind);
    }
    std::unique_ptr<CTmDoc> OpenFour(const FourChannelSpec& spec)
    {
        return OpenBytes(fixture::FourChannelMeasurementFile(spec), 42);
    }

    std::string Render(CTmDoc& doc, HeaderInfoRequest request, int* widest = nullptr)
    {
        LineList lines;
        int width = -1;
        EXPECT_TRUE(FormatHeaderInfo(doc, lines, &width, request));
        if (widest)
            *widest = width;
        return lines.Join();
    }
    void ExpectGolden(CTmDoc& doc, const HeaderInfoRequest& request, const std::string& golden)
    {
        int widest = 0;
        const std::string text = Render(doc, request, &widest);
        const std::string expected = Golden(golden);
        EXPECT_EQ(text, expected);
        EXPECT_EQ(widest, WidthOf(expected));
    }
};

TEST_F(HeaderInfo, LevelMeterOfTheOrlu525)
{
    auto doc = OpenSpec(LevelMeter525());
    ExpectGolden(*doc, {0x0001}, "header-orlu525-level-meter.txt");
}

TEST_F(HeaderInfo, FourChannelProfilesAndVector)
{
    auto doc = OpenFour(FourChannelWithVector());
    std::uint16_t selectable = 0x0003;
    ExpectGolden(*doc, {0x0011, false, 0, 0, &selectable}, "header-four-channel-profiles-vector.txt");
    EXPECT_EQ(selectable, 0x0013); // the vector column becomes selectable
}

TEST_F(HeaderInfo, EachSubfileOfAMultifile)
{
    CurrentFileSpec dose = LevelMeter525();
    dose.function = 4;
    dose.firmware = 512;
    // Exposure 480 min, criterion 85.0 dB, threshold 80.0 dB, exchange rate 3 dB.
    dose.measurementWords.insert(dose.measurementWords.end(), {{23, 480}, {24, 850}, {25, 800}, {26, 3}});
    const std::vector<fixture::MultifileMember> members = {{"LEVEL", CurrentMeasurementFile(LevelMeter525())},
                                                           {"DOSE", CurrentMeasurementFile(dose)}};
    auto doc = Open(Write("multi.orl", fixture::Multifile(55, members)));
    ASSERT_TRUE(doc->DecodeFileHeader(1));
    doc->SelectChannelProfile(1, 0);

    ExpectGolden(*doc, {0x0001, true, 0, 0}, "header-multifile.txt");
    // The user's sub-file and channel are as they were.
    EXPECT_EQ(doc->DecodedSubfile(), 1);
    EXPECT_EQ(doc->Header().fileName, "L0000001");
    EXPECT_EQ(doc->Channel().channel, 1);

    // One sub-file alone is its part of the whole report.
    const std::string all = Golden("header-multifile.txt");
    const std::string second = Render(*doc, {0x0001, false, 2, 0});
    EXPECT_EQ(all.substr(all.size() - second.size()), second);
}

// An ORLU 525 at firmware 5.12 as a dose meter with every optional setting
// on: a buffer trigger, a measured calibration and the rotation.
CurrentFileSpec DoseMeter525()
{
    CurrentFileSpec spec = LevelMeter525();
    spec.function = 4;
    spec.firmware = 512;
    spec.range = 2;
    spec.repetitionCycle = 3;
    spec.integrationSeconds = 3600;
    constexpr std::uint16_t kCalibrationDate = (26 << 9) | (3 << 5) | 14; // 26/03/14
    constexpr std::uint16_t kCalibrationTime = 8 * 3600 / 2;              // 08:00'00
    spec.measurementWords.insert(spec.measurementWords.end(),
                                 {{9, 5},                                         // start delay 5 s
                                  {12, 5}, {13, 0}, {14, 900}, {15, 10}, {16, 20}, // BUFFER, source 0, 90 dB, 10/20 probes
                                  {17, 1},                                        // compensation filter on
                                  {18, 0x0003},                                   // diffuse field, outdoor filter on
                                  {19, 1},                                        // 200 V
                                  {20, 1},                                        // exponential integration
                                  {23, 450}, {24, 850}, {25, 850}, {26, 3},       // 7 h 30, 85 dB, 85 dB, 3 dB
                                  {27, 1}, {28, kCalibrationDate}, {29, kCalibrationTime}, {30, 1}, {31, 60}});
    return spec;
}

TEST_F(HeaderInfo, DoseMeterOfTheOrlu525)
{
    auto doc = OpenSpec(DoseMeter525());
    ExpectGolden(*doc, {0x0001}, "header-orlu525-dose-meter.txt");
}

// An ORLU 535 measuring 1/1 octaves, reported in three profile columns;
// its trigger's source is the first total after the octave bands.
TEST_F(HeaderInfo, OctavesOfTheOrlu535)
{
    CurrentFileSpec spec = LevelMeter525();
    spec.deviceType = 535;
    spec.firmware = 512;
    spec.function = 2;
    spec.spectrum = CurrentFileSpec::Spectrum::Octave;
    spec.bands = 10;
    spec.bandExtras = 2;
    spec.lowestBand = 315;
    spec.profiles[1] = {2, 3, 1, -15, 0};
    spec.profiles[2] = {0, 1, 3, 12, 0};
    spec.measurementWords.insert(spec.measurementWords.end(), {{12, 1}, {13, 16}, {14, 1000}, {21, 3}});
    auto doc = OpenSpec(spec, 47);
    ExpectGolden(*doc, {0x0007}, "header-orlu535-octave.txt");
}

// Three accelerometers as the x, y and z axes of a whole-body dose, channel 2
// the seat and channel 1 the base; firmware 2.20 counts the delay in ms.
TEST_F(HeaderInfo, FourChannelDoseAndSeat)
{
    FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 220, 3, 3, false);
    for (auto& channel : spec.channels)
        channel.microphone = false;
    for (std::size_t j = 0; j < spec.profiles.size(); ++j) {
        spec.profiles[j].filter = static_cast<std::uint16_t>(11 + j / 3);
        spec.profiles[j].flags = j < 3 ? 1 : 0; // the first profile of each channel
    }
    spec.function = 4;
    spec.dose = FourChannelSpec::DoseSetup{0, 1, 2, 2, 3, 480};
    spec.seat = FourChannelSpec::Seat{0, 1};
    auto doc = OpenFour(spec);
    ExpectGolden(*doc, {0x0007, false, 0, 1}, "header-four-channel-dose-seat.txt");
}

TEST_F(HeaderInfo, SettingsFile)
{
    CurrentFileSpec spec = LevelMeter525();
    spec.name = "S0000001";
    spec.setupFile = true;
    spec.deviceType = 515;
    spec.variant = 1;
    spec.fileSystem = 105;
    spec.createdDate = (24 << 9) | (11 << 5) | 5;        // 24/11/05
    spec.createdTime = (9 * 3600 + 15 * 60 + 42) / 2;   // 09:15'42
    auto doc = OpenSpec(spec, 44);
    ExpectGolden(*doc, {0x0001}, "header-setup-file.txt");
}

// An ORLU 515B before firmware 2.33: the old trigger switch, no repetition
// count, and a title that wraps at blanks and cuts a word of 42 letters.
TEST_F(HeaderInfo, Orlu515WithVariantOldTriggerAndLongTitle)
{
    CurrentFileSpec spec = LevelMeter525();
    spec.deviceType = 515;
    spec.variant = 2;
    spec.firmware = 232;
    spec.title = "Night survey at the north gate of the loading bay, wind from the west, "
                 "Supercalifragilisticexpialidociousnessxyzw end";
    spec.measurementWords.insert(spec.measurementWords.end(), {{16, 1}, {17, 750}, {18, 2}});
    auto doc = OpenSpec(spec, 44);
    ExpectGolden(*doc, {0x0001}, "header-orlu515b-old-trigger-long-title.txt");
}

// The line of a report that starts with the label, or empty.
std::string LineOf(const std::string& text, std::string_view label)
{
    const std::size_t at = text.find(std::string("\r\n") + std::string(label));
    if (at == std::string::npos)
        return {};
    return text.substr(at + 2, text.find("\r\n", at + 2) - at - 2);
}

TEST_F(HeaderInfo, IdentityAndSettingsByModelAndFirmware)
{
    const struct Case {
        const char* name;
        std::uint16_t device, firmware, variant;
        std::string_view label;
        std::string_view line; ///< empty: the report has no such line
    } cases[] = {
        {"515 variant letter after the type", 515, 300, 1, "  Device type", "  Device type .................  ORLU 515A  "},
        {"525 variant B", 525, 300, 2, "  Device type", "  Device type .................  ORLU 525B  "},
        {"535 keeps its type without a variant", 535, 300, 0, "  Device type", "  Device type .................  ORLU 535   "},
        {"old trigger switch below 2.33", 515, 232, 0, "  Trigger ....", "  Trigger .....................  OFF        "},
        {"no switch from 2.33", 515, 233, 0, "  Trigger ....", ""},
        {"no calibration below 5.02", 525, 501, 0, "  Calibration type", ""},
        {"calibration from 5.02", 525, 502, 0, "  Calibration type", "  Calibration type ............  UNDF      "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CurrentFileSpec spec = LevelMeter525();
        spec.deviceType = c.device;
        spec.firmware = c.firmware;
        spec.variant = c.variant;
        auto doc = OpenSpec(spec, c.device == 515 ? 43 : 45);
        EXPECT_EQ(LineOf(Render(*doc, {0x0001}), c.label), c.line);
    }
}

TEST_F(HeaderInfo, TriggerSourceTexts)
{
    enum Kind { Levels, Octaves, Accelerometer };
    const struct Case {
        const char* name;
        Kind kind;
        std::uint16_t firmware, source;
        std::string_view text;
    } cases[] = {
        {"default of a microphone from 3.05", Levels, 305, 0, "MAX(1)"},
        {"default of a microphone below 3.05", Levels, 304, 0, "SPL(1)"},
        {"default of an accelerometer", Accelerometer, 512, 0, "RMS(1)"},
        {"first third octave", Levels, 512, 1, "0.8Hz"},
        {"third octave at 1 kHz", Levels, 512, 32, "1kHz"},
        {"last third octave", Levels, 512, 45, "20kHz"},
        {"first total after third octaves", Levels, 512, 46, "TOT_A"},
        {"linear total after third octaves", Levels, 512, 48, "TOT_Lin"},
        {"last total after third octaves", Levels, 512, 51, "SPL_Slw"},
        {"first octave", Octaves, 512, 1, "1Hz"},
        {"last octave", Octaves, 512, 15, "16kHz"},
        {"first total after octaves", Octaves, 512, 16, "TOT_A"},
        {"slow total after octaves", Octaves, 512, 21, "SPL_Slw"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CurrentFileSpec spec = LevelMeter525();
        spec.deviceType = 535;
        spec.firmware = c.firmware;
        if (c.kind == Accelerometer)
            spec.inputKind = 5;
        if (c.kind == Octaves) {
            spec.function = 2;
            spec.spectrum = CurrentFileSpec::Spectrum::Octave;
            spec.bands = 10;
            spec.bandExtras = 2;
        }
        spec.measurementWords.insert(spec.measurementWords.end(), {{12, 1}, {13, c.source}, {14, 900}});
        auto doc = OpenSpec(spec, 47);
        char line[64];
        std::snprintf(line, sizeof line, "  Trigger source ..............  %-10s ", std::string(c.text).c_str());
        EXPECT_EQ(LineOf(Render(*doc, {0x0001}), "  Trigger source"), line);
    }
}

// The filter of an ENVELOPING measurement is a high band named by record
// 34; the averaging of FFT spectra has no word in these files.
TEST_F(HeaderInfo, EnvelopingFilterAndSpectraAveraging)
{
    const struct Case {
        const char* name;
        std::optional<std::uint16_t> code;
        std::string_view line;
    } cases[] = {
        {"lowest band", 0, "  Enveloping filter ...........  800 Hz     "},
        {"1.6 kHz", 3, "  Enveloping filter ...........  1.6 kHz    "},
        {"highest band", 14, "  Enveloping filter ...........  20 kHz     "},
        {"beyond the bands", 15, "  Enveloping filter ...........  UNKNOWN    "},
        {"no record 34", std::nullopt, "  Enveloping filter ...........  UNKNOWN    "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CurrentFileSpec spec = LevelMeter525();
        spec.firmware = 512;
        spec.function = 9;
        spec.spectrum = CurrentFileSpec::Spectrum::Fft;
        spec.bands = 400;
        spec.envelopingFilter = c.code;
        auto doc = OpenSpec(spec);
        const std::string text = Render(*doc, {0x0001});
        EXPECT_EQ(LineOf(text, "  Enveloping filter"), c.line) << text;
        EXPECT_EQ(LineOf(text, "  Spectra averaging"), "  Spectra averaging ...........  UNDF       ");
    }
}

TEST_F(HeaderInfo, FourChannelStartDelayUnitChangesAtFirmware219)
{
    for (const auto& [firmware, line] : {std::pair{218, "  Start delay .................  0 s        "},
                                         std::pair{219, "  Start delay .................  0 ms       "}}) {
        FourChannelSpec spec = FourChannelWithVector();
        spec.firmware = static_cast<std::uint16_t>(firmware);
        auto doc = OpenFour(spec);
        EXPECT_EQ(LineOf(Render(*doc, {0x0001}), "  Start delay"), line) << firmware;
    }
}

TEST_F(HeaderInfo, FourChannelMaskZeroLeavesTheRuleOnly)
{
    auto doc = OpenFour(FourChannelWithVector());
    const std::string text = Render(*doc, {0});
    const std::string rule(44, '-');
    EXPECT_TRUE(text.ends_with("  Infinity   \r\n" + rule + "\r\n")) << text;
    EXPECT_EQ(text.find("Channel:"), std::string::npos);
}

TEST_F(HeaderInfo, DoseMeterOfFourChannelFilesNamesTheThreshold)
{
    FourChannelSpec spec = FourChannelWithVector();
    spec.function = 4;
    auto doc = OpenFour(spec);
    for (std::uint8_t units : {0, 1})
        EXPECT_EQ(LineOf(Render(*doc, {0x0001, false, 0, units}), "  Threshold level"),
                  "  Threshold level .............  80 dB      ")
            << int(units);
}

TEST_F(HeaderInfo, SettingsFileEndsAfterItsCreationTime)
{
    CurrentFileSpec spec = LevelMeter525();
    spec.setupFile = true;
    auto doc = OpenSpec(spec);
    const std::string text = Render(*doc, {0x0001});
    EXPECT_TRUE(text.starts_with("\r\nHeader information for the setup file:\r\n")) << text;
    EXPECT_NE(text.find("  File creation date"), std::string::npos) << text;
    EXPECT_EQ(text.find("  Measurement hour"), std::string::npos);
    EXPECT_TRUE(text.ends_with(std::string(44, '-') + "\r\n"));
}

TEST_F(HeaderInfo, ShortSettingsAndResultsRecordsKeepTheReport)
{
    // What a cut record lacks reads as 0: its lines stay, with the values of
    // code 0, and every section still appears.
    const struct Case {
        const char* name;
        std::uint16_t settingsWords, resultsWords;
        std::string_view line; ///< a line whose value the cut changes
    } cases[] = {
        {"settings without the words after the integration time", 12, 14, "  Repetition cycle ............  3          "},
        {"settings of date, time and function only", 4, 14, "  Input .......................  UNDF       "},
        {"results of their time only", 40, 3, "  Repetition cycle ............  3          "},
        {"results of the type word alone", 40, 1, "  Repetition cycle ............  3          "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CurrentFileSpec spec = LevelMeter525();
        spec.firmware = 512;
        spec.repetitionCycle = 3;
        spec.measurementWords.insert(spec.measurementWords.end(), {{12, 1}, {27, 1}});
        spec.measurementRecordWords = c.settingsWords;
        spec.resultsRecordWords = c.resultsWords;
        auto doc = OpenSpec(spec);
        const std::string text = Render(*doc, {0x0001});
        EXPECT_NE(text.find("\r\n" + std::string(c.line) + "\r\n"), std::string::npos) << text;
        EXPECT_NE(text.find("  Calibration factor"), std::string::npos) << text;
    }
}

TEST_F(HeaderInfo, SubfileThatCannotBeDecodedSaysWhy)
{
    const std::vector<fixture::MultifileMember> members = {{"LEVEL", CurrentMeasurementFile(LevelMeter525())}};
    auto doc = Open(Write("multi.orl", fixture::Multifile(55, members)));
    const std::string text = Render(*doc, {0x0001, false, 7, 0});
    EXPECT_NE(text.find("\r\n" + std::string(44, '-') + "\r\n  The settings of this file cannot be read"), std::string::npos)
        << text;
}

// A damaged member of a Multifile costs only its own report: the others
// are shown, and it says why it has none. Only a damaged first member, which
// the load decodes, leaves the file to the Hexa view.
TEST_F(HeaderInfo, DamagedMemberOfAMultifile)
{
    for (auto fault : {fixture::ChainFault::TruncatedLastRecord, fixture::ChainFault::Overrun,
                       fixture::ChainFault::ZeroLength}) {
        SCOPED_TRACE(static_cast<int>(fault));
        const std::vector<fixture::MultifileMember> members = {{"LEVEL", CurrentMeasurementFile(LevelMeter525())},
                                                               {"BROKEN", fixture::BrokenChainFile(fault)},
                                                               {"LAST", CurrentMeasurementFile(LevelMeter525())}};
        auto doc = Open(Write("multi.orl", fixture::Multifile(55, members)));
        ASSERT_TRUE(doc->HeaderDecoded());
        const std::string text = Render(*doc, {0x0001, true, 0, 0});
        const std::size_t broken = text.find("Header information for the file[2] BROKEN:");
        const std::size_t last = text.find("Header information for the file[3] LAST:");
        ASSERT_NE(broken, std::string::npos) << text;
        ASSERT_NE(last, std::string::npos) << text;
        EXPECT_NE(text.find("  The settings of this file cannot be read", broken), std::string::npos) << text;
        EXPECT_NE(text.find("  Device type .................  ORLU 525", last), std::string::npos) << text;
        EXPECT_EQ(text.find("  Device type", broken), text.find("  Device type", last)); // none for the broken one
    }

    const std::vector<fixture::MultifileMember> brokenFirst = {
        {"BROKEN", fixture::BrokenChainFile(fixture::ChainFault::Overrun)},
        {"LEVEL", CurrentMeasurementFile(LevelMeter525())}};
    auto doc = Open(Write("first.orl", fixture::Multifile(55, brokenFirst)));
    EXPECT_FALSE(doc->HeaderDecoded());
    EXPECT_EQ(doc->FileKind(), kKindUnreadable);
    // The loads of the other files said nothing; this one says why it shows only bytes.
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"first.orl  -  Improper file contents"});
    LineList lines;
    int width = 0;
    EXPECT_FALSE(FormatHeaderInfo(*doc, lines, &width, {0x0001, true, 0, 0}));
}

TEST(HeaderSettings, TitleTextIsCutAtBlanks)
{
    const std::string word41(41, 'W');
    const struct {
        const char* name;
        std::string title;
        std::vector<std::string> lines;
    } cases[] = {
        {"empty", "", {}},
        {"short", "  Hall A", {"Hall A"}},
        {"blank at 30 of 45", std::string(30, 'a') + " " + std::string(14, 'b'),
         {std::string(30, 'a'), std::string(14, 'b')}},
        {"word longer than 40", word41 + " x", {std::string(32, 'W'), "WWWWWWWWW x"}},
        {"exactly 40", std::string(40, 'c'), {std::string(40, 'c')}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WrapTitleText(c.title), c.lines) << c.name;
}

TEST(HeaderSettings, DurationInItsLargestWholeUnit)
{
    const std::pair<std::uint32_t, const char*> cases[] = {{0, "0 s"},    {59, "59 s"},  {60, "1 m"},
                                                           {90, "1 m"},   {3599, "59 m"}, {3600, "1 h"},
                                                           {7199, "1 h"}};
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(FormatDurationUnit(seconds), text) << seconds;
}

} // namespace
} // namespace orlu
