// The Header information report of ORLU 505 ANALYZER-mode files, compared
// byte for byte with texts written out from the item table and the fixtures'
// words; the unit choice, the band lists, the sub-files of a Multifile, the
// reverberation remark, and damaged files.

#include "document/DocumentTestSupport.h"

#include "reports/text/HeaderInfo505Text.h"
#include "support/Analyzer505Fixture.h"
#include "support/GoldenText.h"

#include <vector>

namespace orlu {
namespace {

using fixture::Analyzer505Spec;
using fixture::FixtureBuilder;
using fixture::Golden;
using fixture::WidthOf;

Analyzer505Spec Spec(std::uint16_t function, std::uint16_t values, std::uint16_t bands = 0)
{
    Analyzer505Spec s;
    s.function = function;
    s.values = values;
    s.bands = bands;
    return s;
}

Analyzer505Spec SpectrumWithZoom()
{
    Analyzer505Spec s = Spec(2, 400);
    s.zoom = true;
    return s;
}

// An accelerometer with the 20 dB level offset, on range 2 without weighting.
Analyzer505Spec TimeOfAccelerometer()
{
    Analyzer505Spec s = Spec(1, 400);
    s.input = 5;
    s.range = 2;
    s.filter = 1;
    s.levelOffset20 = true;
    s.trigger = 2;
    return s;
}

Analyzer505Spec ThirdOctaveHistory(std::uint32_t stepFixed)
{
    Analyzer505Spec s = Spec(4, 31, 30);
    s.spectra = 3;
    s.timeHistory = true;
    s.timeStepFixed = stepFixed;
    return s;
}

Analyzer505Spec FourChannelOctave()
{
    Analyzer505Spec s = Spec(3, 10, 9);
    s.fourChannel = true;
    s.headerLength = 52;
    s.spectra = 2;
    return s;
}

Analyzer505Spec OctaveWithHistogram()
{
    Analyzer505Spec s = Spec(3, 10, 9);
    s.histogram = true;
    return s;
}

constexpr std::uint32_t kTwoSeconds = 0x20000;
constexpr std::uint32_t kEighthSecond = 0x2000;

class HeaderInfo505 : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> Load(const FixtureBuilder& file) { return Open(Write("a.orl", file)); }
    std::unique_ptr<CTmDoc> Load(const Analyzer505Spec& spec) { return Load(fixture::Analyzer505Container(spec)); }
    std::unique_ptr<CTmDoc> LoadMultifile(const std::vector<Analyzer505Spec>& specs)
    {
        return Load(fixture::Analyzer505Multifile(specs));
    }

    std::string Report(CTmDoc& doc, std::uint16_t mask = 0x0F, bool allFiles = false, int file = 1,
                       std::uint8_t units = 0)
    {
        LineList lines;
        widest = -1;
        EXPECT_TRUE(FormatHeaderInfo505(doc, lines, &widest, mask, allFiles, file, units));
        return lines.Join();
    }
    int widest = -1;
};

// The line of a report that starts with the label, or "" without one.
std::string LineOf(const std::string& text, const std::string& label)
{
    std::size_t at = text.find("\r\n" + label);
    if (at == std::string::npos)
        return {};
    at += 2;
    return text.substr(at, text.find("\r\n", at) - at);
}

TEST_F(HeaderInfo505, ReportsMatchTheTextsWrittenFromTheLayout)
{
    struct Case {
        const char* golden;
        FixtureBuilder file;
        bool allFiles;
    } cases[] = {
        {"header-505-spectrum-zoom.txt", fixture::Analyzer505Container(SpectrumWithZoom()), false},
        {"header-505-time.txt", fixture::Analyzer505Container(TimeOfAccelerometer()), false},
        {"header-505-third-octave-history.txt", fixture::Analyzer505Container(ThirdOctaveHistory(kTwoSeconds)),
         false},
        {"header-505-four-channel.txt", fixture::Analyzer505Container(FourChannelOctave()), false},
        {"header-505-multifile-all.txt",
         fixture::Analyzer505Multifile(std::vector{ThirdOctaveHistory(kEighthSecond), OctaveWithHistogram()}), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        auto doc = Load(c.file);
        const std::string expected = Golden(c.golden);
        EXPECT_EQ(Report(*doc, 0x0F, c.allFiles), expected);
        EXPECT_EQ(widest, WidthOf(expected));
    }
}

TEST_F(HeaderInfo505, EditedFileIsFromTheSourceFileAndAMultifileShowsTheChosenSubfile)
{
    auto edited = Load(fixture::Analyzer505Container(Spec(3, 10, 9), 11));
    EXPECT_EQ(Report(*edited).substr(0, 46), "\r\nHeader information: (from the source file)\r\n");

    auto merged = LoadMultifile({Spec(3, 10, 9), SpectrumWithZoom()});
    const std::uint16_t shown = merged->AnalyzerSubfile();
    const std::string second = Report(*merged, 0x0F, false, 2);
    EXPECT_EQ(second.find("file[1]"), std::string::npos);
    EXPECT_NE(second.find("Header information for the file[2] A0000002:"), std::string::npos);
    EXPECT_EQ(LineOf(second, "  Measurement function"), "  Measurement function ........  Spectrum   ");
    // The view keeps the sub-file it showed.
    EXPECT_EQ(merged->AnalyzerSubfile(), shown);
    EXPECT_EQ(merged->Analyzer().function, 3);
}

TEST_F(HeaderInfo505, UnitChoiceShowsLevelsInDbOrInTheInputsLinearUnit)
{
    Analyzer505Spec accelerometer = TimeOfAccelerometer();
    struct Case {
        const char* name;
        Analyzer505Spec spec;
        std::uint8_t units;
        const char* range;
        const char* calibration;
    } cases[] = {
        {"microphone, dB", Spec(2, 400), 0, " 80 dB      ", " -1.5 dB    "},
        {"microphone, linear", Spec(2, 400), 1, " 200 mPa    ", " 0.841      "},
        {"accelerometer, linear", accelerometer, 0, " 10 m/s\xB2    ", " 0.841      "},
        // Velocity is never shown: the second choice stays acceleration.
        {"accelerometer, velocity choice", accelerometer, 1, " 10 m/s\xB2    ", " 0.841      "},
        // In dB the 20 dB level offset comes off the range.
        {"accelerometer, dB", accelerometer, 3, " 120 dB     ", " -1.5 dB    "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto doc = Load(c.spec);
        const std::string text = Report(*doc, 0x0F, false, 1, c.units);
        EXPECT_EQ(LineOf(text, "  Measurement range").substr(32), c.range);
        EXPECT_EQ(LineOf(text, "  Calibration factor").substr(32), c.calibration);
    }
}

TEST_F(HeaderInfo505, BandListAndDetectorFollowTheEVersionAndTheInput)
{
    struct Case {
        const char* name;
        FixtureBuilder file;
        const char* band;
        bool detector;
    } cases[] = {
        {"ordinary single input: list A", fixture::Analyzer505Container(Spec(3, 10, 9)), "800 Hz", false},
        {"E version: list B and the RMS detector", fixture::Analyzer505Container(Spec(3, 10, 9), 4, 1), "707 Hz",
         true},
        {"four-channel probe: list B", fixture::Analyzer505Container(FourChannelOctave()), "707 Hz", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto doc = Load(c.file);
        const std::string text = Report(*doc);
        EXPECT_EQ(LineOf(text, "  Frequency band").substr(33, 6), c.band);
        EXPECT_EQ(LineOf(text, "  RMS detector type"), c.detector ? "  RMS detector type ...........  Impulse    " : "");
    }
}

TEST_F(HeaderInfo505, ColumnsAreThoseOfTheChannelMask)
{
    auto doc = Load(FourChannelOctave());
    const std::string text = Report(*doc, 0b0101);
    EXPECT_EQ(LineOf(text, "                  Channel:"), "                  Channel:       #1          #3         ");
    EXPECT_EQ(LineOf(text, "  LOW PASS filter"), "  LOW PASS filter .............  OFF         OFF        ");
    EXPECT_EQ(widest, 56 + 2);
    // The report selects each channel it shows; the view gets its own back.
    EXPECT_EQ(doc->Channel().channel, 0);
}

TEST_F(HeaderInfo505, FunctionWithoutBandsCountsNoFilters)
{
    auto doc = Load(fixture::Analyzer505Patched(Spec(3, 10, 9), 4, 0));
    ASSERT_TRUE(doc->AnalyzerDecoded());
    const std::string text = Report(*doc);
    EXPECT_EQ(LineOf(text, "  Measurement function"), "  Measurement function ........  UNDF       ");
    EXPECT_EQ(text.find("Oct. filters"), std::string::npos);
    // The setup of an unknown function reads no spectra count.
    EXPECT_EQ(LineOf(text, "  Number of spectra"), "  Number of spectra ...........  0          ");
}

TEST_F(HeaderInfo505, ReverberationResultsAddTheRemark)
{
    auto doc = Load(ThirdOctaveHistory(kTwoSeconds));
    const std::string plain = Report(*doc);
    EXPECT_EQ(plain.find("REMARK:"), std::string::npos);
    // A computed result marks its record's status bytes above 1.
    RtBandSet& thirds = doc->Rt(CTmDoc::kRtThirdOctave);
    ASSERT_NE(thirds.Current, nullptr);
    thirds.Current[0] = 2;
    const std::string text = Report(*doc);
    EXPECT_EQ(text.substr(plain.size()), "REMARK:\r\nThe file contains reverberation time computing data.\r\n");
}

TEST_F(HeaderInfo505, DamagedFilesReportWhatTheyHoldNeverPastTheirEnd)
{
    for (const fixture::DamagedAnalyzer505& c : fixture::DamagedAnalyzer505Files()) {
        SCOPED_TRACE(c.name);
        auto doc = Load(c.file);
        if (!c.decoded)
            continue; // refused: the view offers no Header info
        LineList lines;
        int width = 0;
        EXPECT_NO_THROW(FormatHeaderInfo505(*doc, lines, &width, 0x0F, false, 0, 0));
        EXPECT_EQ(lines.Join().substr(0, 23), "\r\nHeader information:\r\n");
    }
}

} // namespace
} // namespace orlu
