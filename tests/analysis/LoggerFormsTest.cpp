// The text and table forms of current-family loggers, checked against texts
// written out by hand from their layouts, and the columns they read.

#include "analysis/statistics/LoggerColumns.h"
#include "analysis/statistics/LoggerForms.h"

#include "document/DocumentTestSupport.h"
#include "support/FourChannelFixture.h"
#include "support/GoldenText.h"

#include <cmath>
#include <string>
#include <vector>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::FixtureBuilder;
using fixture::FourChannelSpec;
using fixture::Golden;

// Profile levels of the sound loggers: 70.0 .. 79.9 dB, the third overloaded.
const std::vector<std::int16_t> kLevels = {700, 800, 900, 755, 602, 850, 799};
const std::vector<bool> kOverloads = {false, false, true};

// An ORLU 525 (firmware 3.00) logger of seven rows in which every profile logs its RMS
// (result code 3); profile `levelsProfile` holds kLevels.
CurrentFileSpec SoundLogger(std::uint16_t levelsProfile = 1)
{
    CurrentFileSpec spec = fixture::ThreeProfileLoggerSpec(7);
    spec.loggerLevels = {{levelsProfile, kLevels, kOverloads}};
    return spec;
}

FixtureBuilder Container(std::uint8_t kind, const std::vector<std::uint8_t>& file)
{
    FixtureBuilder f;
    f.ContainerHeader(kind, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
    return f;
}

// A four-channel logger of seven rows, a minute apart: channel 1 (a microphone) logs
// Peak and Min, its Peak 80.1, 80.2, 80.3 (overloaded) over and over; the rotation
// turns at 1500 and 3000 rpm in turn.
FourChannelSpec RotationLogger()
{
    FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 220, 2, 1);
    for (auto& p : spec.profiles)
        p.bufferWord = 0x0005;
    spec.history = FourChannelSpec::History::Logger;
    spec.rows = spec.declaredCount = 7;
    spec.stepSeconds = 60;
    spec.stepMillis = 0;
    spec.rotationInBuffer = 1;
    spec.channelLevels = {{0, {801, 802, 803}, {false, false, true}}};
    spec.rpm = {1500.0, 3000.0};
    return spec;
}

const TableOutputOptions kSemicolonComma{.FormatFlag = 0, .DecimalIndex = 1, .SeparatorIndex = 2};

class LoggerForms : public DocumentTest {
protected:
    static std::string Text(CTmDoc& doc, const BufferChoices& choices)
    {
        LineList lines;
        int widest = 0;
        EXPECT_TRUE(TextLogger(doc, lines, &widest, choices));
        const std::string text = lines.Join();
        EXPECT_EQ(widest, fixture::WidthOf(text));
        return text;
    }
    static std::string Table(CTmDoc& doc, const BufferChoices& choices)
    {
        LineList lines;
        int widest = 0;
        std::uint8_t content = 0;
        EXPECT_TRUE(TableLogger(doc, lines, &widest, content, choices, kSemicolonComma));
        EXPECT_EQ(content, 2);
        return lines.Join();
    }
    static BufferChoices Shown(std::uint16_t mask)
    {
        BufferChoices choices;
        choices.channelMask = mask;
        return choices;
    }
};

TEST_F(LoggerForms, SingleResultLoggerByDegreeTotalsAndUnits)
{
    auto doc = Open(Write("logger.orl", Container(45, fixture::CurrentMeasurementFile(SoundLogger()))));
    ASSERT_TRUE(doc);
    struct Case {
        const char* golden;
        int degree;
        bool totals;
        std::uint8_t units;
    };
    const Case cases[] = {
        {"current-logger-degree-1.txt", 1, false, 0},  // the overloaded record marked '*'
        {"current-logger-degree-2.txt", 2, false, 0},  // energy means of pairs; the seventh row in none
        {"current-logger-total-leq.txt", 1, true, 0},  // the running Leq, no overload marks
        {"current-logger-linear.txt", 1, false, 1},    // pascal, two exponent digits
    };
    for (const Case& c : cases) {
        BufferChoices choices = Shown(0x1);
        choices.degree = c.degree;
        choices.totals = c.totals;
        choices.units = c.units;
        EXPECT_EQ(Text(*doc, choices), Golden(c.golden)) << c.golden;
    }
    EXPECT_EQ(Table(*doc, Shown(0x1)), Golden("current-logger-semicolon-comma.txt"));
}

TEST_F(LoggerForms, SlotLayoutNamesTheLoggerAndReadsPastTheProfilesBefore)
{
    // An ORLU 560: profile 1 logs its Peak, profiles 2 and 3 their RMS; profile 2's RMS is column 1.
    CurrentFileSpec spec = SoundLogger(2);
    spec.deviceType = 560;
    spec.profiles[0].bufferWord = 0x0001;
    spec.profiles[1].bufferWord = 0x0008;
    spec.profiles[2].bufferWord = 0x0008;
    auto doc = Open(Write("slots.orl", Container(45, fixture::CurrentMeasurementFile(spec))));
    ASSERT_TRUE(doc);
    BufferChoices choices = Shown(0x2);
    choices.totals = true;
    EXPECT_EQ(Text(*doc, choices), Golden("slot-logger-total-leq.txt"));
    EXPECT_EQ(Table(*doc, choices), Golden("slot-logger-total-leq-semicolon-comma.txt"));
}

TEST_F(LoggerForms, FourChannelLoggerWithRotationInMinutes)
{
    const std::vector<std::uint8_t> file = fixture::FourChannelMeasurementFile(RotationLogger());
    auto doc = Open(Write("four.orl", Container(42, file)));
    ASSERT_TRUE(doc);
    // Channel 1 and the rotation: a 60 s step reads 1 m in the rotation's block.
    EXPECT_EQ(Text(*doc, Shown(0x11)), Golden("four-channel-logger-rotation.txt"));
    EXPECT_EQ(Table(*doc, Shown(0x11)), Golden("four-channel-logger-rotation-semicolon-comma.txt"));
}

TEST_F(LoggerForms, RecordingSamplesOfAChannelStartingAtAnOddByte)
{
    // Channel 2's samples start at byte 3 of each row.
    FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 220, 2, 1);
    spec.history = FourChannelSpec::History::Waveform;
    spec.rows = spec.declaredCount = 2;
    spec.waveformMask = 0x3;
    spec.samples = {{0, {0x123456, 0x123456}}, {1, {0x7FFFFF, 0x800000}}};
    auto doc = Open(Write("recording.orl", Container(42, fixture::FourChannelMeasurementFile(spec))));
    ASSERT_TRUE(doc);
    const std::optional<LoggerPlace> place = LocateLogger(*doc);
    ASSERT_TRUE(place);
    ASSERT_TRUE(place->samples);
    const LoggerColumn column = DescribeLoggerColumn(*doc, *place, 1, 0);
    EXPECT_EQ(column.name, "TIME");
    const double scale = doc->Channel().sampleScale;
    ASSERT_TRUE(std::isfinite(scale));
    const LoggerValues values = ReadLoggerValues(*doc, *place, column, false, false, 1);
    ASSERT_EQ(values.values.size(), 2u);
    EXPECT_DOUBLE_EQ(values.values[0], scale);
    EXPECT_DOUBLE_EQ(values.values[1], -8388608.0 / 8388607.0 * scale);
}

TEST(LoggerRows, ThePseudoRowShowsTheVectorOrTheRotation)
{
    struct Case {
        std::uint16_t mask;
        bool vector;
        bool rotation;
        std::uint8_t pseudoResult;
        std::vector<int> rows;
        bool rotationShown;
    };
    const Case cases[] = {
        {0x0000, false, true, 0, {0}, false},       // no selection: the first row alone
        {0x0011, false, true, 1, {0}, true},        // no vector: the rotation follows channel 1
        {0x0011, true, true, 1, {0}, true},         // the vector's second result is the rotation
        {0x0011, true, true, 0, {0, 4}, false},     // the vector chosen: no rotation
        {0x0013, false, false, 0, {0, 1}, false},   // bit 4 without a logged rotation shows nothing more
        {0x0008, false, true, 0, {}, false},        // a channel that logs nothing
    };
    for (const Case& c : cases) {
        LoggerPlace place;
        place.layout = LoggerLayout::FourChannel;
        place.channels = 4;
        place.loggedRows = 0x07;
        place.vector = c.vector;
        place.rotation = c.rotation;
        std::array<std::uint8_t, 5> results{};
        results[4] = c.pseudoResult;
        const LoggerRows shown = ShownLoggerRows(place, c.mask, results);
        EXPECT_EQ(shown.rows, c.rows) << c.mask;
        EXPECT_EQ(shown.rotation, c.rotationShown) << c.mask;
    }
}

TEST_F(LoggerForms, ALoggerDeclaringMoreRowsThanItHoldsShowsTheRowsItHas)
{
    CurrentFileSpec spec = SoundLogger();
    spec.declaredCount = 100000;
    auto doc = Open(Write("declared.orl", Container(45, fixture::CurrentMeasurementFile(spec))));
    ASSERT_TRUE(doc);
    const std::string text = Text(*doc, Shown(0x1));
    EXPECT_NE(text.find("   total number of results = 7\r\n"), std::string::npos) << text;
    // The last row, and the rule after it.
    EXPECT_NE(text.find("     6         85.0 \r\n-------"), std::string::npos) << text;
    EXPECT_NE(Table(*doc, Shown(0x7)).find(";7\r\n#1;RMS;"), std::string::npos);
}

TEST_F(LoggerForms, ALoggerCutShortShowsItsWholeRowsInEveryForm)
{
    // The file ends inside row 5 of 7.
    std::vector<std::uint8_t> file = fixture::CurrentMeasurementFile(SoundLogger());
    file.resize(file.size() - 2 * (2 * 3 + 1) - 2);
    auto doc = std::make_unique<CTmDoc>(app);
    doc->OnOpenDocument(Write("short.orl", Container(45, file)));
    if (!LocateLogger(*doc))
        GTEST_SKIP() << "the loader refuses a logger cut short";
    const std::string text = Text(*doc, Shown(0x7));
    EXPECT_NE(text.find("   total number of results = 4\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("     5  "), std::string::npos) << text;
    BufferChoices block = Shown(0x7);
    block.block = true;
    block.markers = {2, 1000}; // the block runs past the rows
    EXPECT_NE(Text(*doc, block).find("   number of results in the block = 2\r\n"), std::string::npos);
    EXPECT_FALSE(Table(*doc, block).empty());
}

TEST_F(LoggerForms, FilesWithoutALoggerOfResultsAreNotShown)
{
    auto doc = Open(Write("results.orl", Container(45, fixture::SampleCurrentFamilyFile())));
    ASSERT_TRUE(doc);
    LineList lines;
    int widest = 0;
    std::uint8_t content = 0;
    EXPECT_FALSE(TextLogger(*doc, lines, &widest, {}));
    EXPECT_FALSE(TableLogger(*doc, lines, &widest, content, {}, kSemicolonComma));
}

} // namespace
} // namespace orlu
