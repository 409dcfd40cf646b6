// The raw content views of whole documents: hex dump and ASCII form against
// golden texts written by hand (golden/*.txt, CR LF lines), hex lines made on
// demand, the ASCII form streamed with progress and Cancel, the settings
// text, the rotation speed and a chain that breaks inside the file. The
// ASCII form made on demand is checked line by line against the streamed one.

#include "document/DocumentTestSupport.h"
#include "document/LineList.h"
#include "document/PackedLines.h"
#include "document/rawviews/AsciiFormLines.h"
#include "document/rawviews/HexDumpLines.h"
#include "document/rawviews/RawViews.h"
#include "document/rawviews/RotationSpeed.h"
#include "document/records/WordImage.h"
#include "platform/ProgressState.h"
#include "platform/ValueFormat.h"
#include "support/FourChannelFixture.h"
#include "support/JoinedLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <random>
#include <set>
#include <string>

namespace orlu {
namespace {

using fixture::FixtureBuilder;

std::string Golden(const char* name)
{
    const auto bytes = fixture::ReadFileBytes(std::filesystem::path(ORLU_SOURCE_DIR) / "tests/document/rawviews/golden" / name);
    return std::string(bytes.begin(), bytes.end());
}

FixtureBuilder Container(std::uint8_t kind, const FixtureBuilder& data)
{
    FixtureBuilder f;
    f.ContainerHeader(kind, 0, 0, static_cast<std::uint32_t>(data.Size())).Bytes(data.Data());
    return f;
}

/// An ORLU 525 (firmware 3.00) logger: records 1 to 5, the buffer header 15 with
/// three rows of one word, a marker 5 before the second row and a break of 258
/// records before the third, whose level carries the overload bit.
FixtureBuilder LoggerFile()
{
    FixtureBuilder f;
    f.Le16(0x0C01).Text("LOG00001").Le16(0).Le16(0x1A25).Le16(0x5505);
    f.Le16(0xFFFF).Le16(0xFFFF).Le16(0xFFFF).Le16(0xFFFF);
    f.Record(2, {1234, 525, 300, 0, 0, 0, 0, 0, 0});
    f.Le16(0x0703).Text("Logger test!");
    std::vector<std::uint16_t> r4(39, 0);
    r4[2] = 1;  // level meter
    r4[3] = 2;  // microphone
    r4[4] = 1;  // range
    r4[9] = 60; // integration time
    f.Record(4, r4);
    f.Record(5, {3, 0x0600, 1, 2, 3, 0, 0, 0x0600, 2, 3, 0, 0, 0, 0x0600, 3, 1, 0, 0, 0});
    f.Record(15, {1, 0, 0, 0, 0, 0, 0, 3, 0, 3, 0});
    f.Le16(1600).Le16(0x8005).Le16(1614).Le16(0xB002).Le16(0x0001).Le16(0).Le16(0).Le16(1629);
    f.ChainEnd();
    return f;
}

/// A logger of `rows` rows of three words, a marker and a break every 1000 rows.
FixtureBuilder LongLogger(std::uint32_t rows)
{
    fixture::CurrentFileSpec spec = fixture::ThreeProfileLoggerSpec(rows);
    for (std::uint32_t r = 1000; r < rows; r += 1000) {
        spec.events.push_back({r, false, r / 1000 % 256});
        spec.events.push_back({r, true, 2});
    }
    FixtureBuilder data;
    data.Bytes(fixture::CurrentMeasurementFile(spec));
    return Container(45, data);
}

/// A sink that keeps nothing but lets a test watch the build line by line.
class WatchingSink : public LineSink {
public:
    explicit WatchingSink(std::function<void()> onLine) : m_OnLine(std::move(onLine)) {}
    void AddLine(std::string& line) override
    {
        ++lines;
        line.clear();
        m_OnLine();
    }
    std::size_t lines = 0;

private:
    std::function<void()> m_OnLine;
};

class RawViews : public DocumentTest {
protected:
    std::string Render(bool (*renderer)(CTmDoc&, LineList&, int*, std::uint16_t, std::uint8_t), CTmDoc& doc)
    {
        LineList lines;
        int widest = -1;
        EXPECT_TRUE(renderer(doc, lines, &widest, 0x1F, 0));
        int longest = 0;
        for (std::string_view line : lines)
            longest = std::max(longest, static_cast<int>(line.size()));
        EXPECT_EQ(widest, longest);
        return lines.Join();
    }
    /// The ASCII form into a line list, checking the widest-line counter on the way.
    std::string Ascii(CTmDoc& doc, ProgressState* progress = nullptr)
    {
        LineList lines;
        int widest = 0;
        LineListSink sink(lines, &widest);
        WriteAsciiForm(doc, sink, ui, progress);
        int longest = 0;
        for (std::string_view line : lines)
            longest = std::max(longest, static_cast<int>(line.size()));
        EXPECT_EQ(widest, longest);
        return lines.Join();
    }
};

TEST_F(RawViews, HexDumpOfTwentyBytes)
{
    FixtureBuilder data;
    data.Text("Hex dump: 0x20!~").Bytes({0x7F, 0x80, 0x41, 0x20});
    auto doc = Open(Write("h.orl", Container(100, data)));
    ASSERT_EQ(doc->ByteCount(), 20u);
    EXPECT_EQ(test::JoinedLines(HexDumpLines(*doc)), Golden("hexdump-20-bytes.txt"));
}

TEST_F(RawViews, HexDumpLinesAreMadeFromTheirOffsetAlone)
{
    FixtureBuilder data;
    data.Pattern(1'000'003);
    auto doc = Open(Write("big.orl", Container(100, data)));
    const HexDumpLines lines(*doc);
    ASSERT_EQ(lines.LineCount(), 2u + 62'501u);
    // Each asked-for line, in any order, against the same line written by printf.
    auto expected = [](std::uint32_t offset, std::uint32_t count) {
        std::string line = StrPrintf("%07lX  ", static_cast<unsigned long>(offset));
        std::string chars;
        for (std::uint32_t i = 0; i < count; ++i) {
            const unsigned byte = ((offset + i) * 7 + 3) & 0xFF; // the fixture's pattern
            line += StrPrintf(i == 3 || i == 7 || i == 11 ? "%02X  " : "%02X ", byte);
            chars += byte >= 0x21 && byte <= 0x7E ? static_cast<char>(byte) : '.';
        }
        line.resize(62, ' ');
        return line + chars + "\r\n";
    };
    std::string buffer;
    for (std::size_t i : {62'502u, 2u, 31'250u, 3u, 62'501u}) {
        const auto offset = static_cast<std::uint32_t>((i - 2) * 16);
        const std::uint32_t count = std::min<std::uint32_t>(16, 1'000'003 - offset);
        EXPECT_EQ(lines.Line(i, buffer), expected(offset, count)) << "line " << i;
        EXPECT_LE(lines.Line(i, buffer).size(), std::size_t{HexDumpLines::kLineWidth});
    }
    EXPECT_EQ(lines.Line(62'502, buffer).size(), 62u + 3u + 2u); // the last line holds three bytes
}

TEST_F(RawViews, AsciiFormStreamedIntoPackedLinesEqualsTheLineList)
{
    auto doc = Open(Write("long.orl", LongLogger(20'000)));
    ASSERT_EQ(doc->FileKind(), 45);
    LineList list;
    int widest = 0;
    LineListSink listSink(list, &widest);
    WriteAsciiForm(*doc, listSink, ui, nullptr);
    PackedLines packed;
    ProgressState progress;
    WriteAsciiForm(*doc, packed, ui, &progress);
    ASSERT_GT(list.Size(), 20'000u);
    ASSERT_EQ(packed.LineCount(), list.Size());
    std::string buffer;
    for (std::size_t i = 0; i < list.Size(); ++i)
        ASSERT_EQ(packed.Line(i, buffer), list[i]) << "line " << i;
    EXPECT_EQ(packed.Widest(), widest);
    EXPECT_EQ(progress.Share(100), 100);
}

/// A four-channel logger of `rows` rows, a marker between some of them; or, with a
/// channel mask, a recording of that many rows of 24-bit samples.
FixtureBuilder FourChannelHistory(std::uint32_t rows, std::uint16_t waveformMask = 0)
{
    fixture::FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 4, 1);
    for (auto& profile : spec.profiles)
        profile.bufferWord = 0x0005;
    spec.history = waveformMask ? fixture::FourChannelSpec::History::Waveform : fixture::FourChannelSpec::History::Logger;
    spec.waveformMask = waveformMask;
    spec.rows = rows;
    spec.declaredCount = rows;
    for (std::uint32_t r = 700; !waveformMask && r < rows; r += 700)
        spec.loggerWords.push_back({r, 0x8, r % 4096});
    FixtureBuilder data;
    data.Bytes(fixture::FourChannelMeasurementFile(spec));
    return Container(42, data);
}

/// A setup file of thousands of small records whose chain then breaks.
FixtureBuilder BrokenChainOfManyRecords()
{
    fixture::CurrentFileSpec setup;
    setup.setupFile = true;
    std::vector<std::uint8_t> file = fixture::CurrentMeasurementFile(setup);
    file.resize(file.size() - 2);
    FixtureBuilder data;
    data.Bytes(file);
    for (std::uint16_t i = 0; i < 3000; ++i)
        data.Record(48, {i, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20});
    data.Le16(0x0030).Le16(0x7FFF).Le16(1);
    return Container(45, data);
}

TEST_F(RawViews, AsciiFormLinesMadeOnDemandAreTheStreamedLines)
{
    struct Case {
        const char* name;
        FixtureBuilder file;
        bool broken;
    };
    const Case cases[] = {
        {"logger", LongLogger(20'000), false},
        {"four-channel logger", FourChannelHistory(6'000), false},
        {"four-channel recording", FourChannelHistory(25'000, 0x3), false},
        {"broken chain", BrokenChainOfManyRecords(), true},
        {"text", Container(85, FixtureBuilder().Text(std::string(6000, 'x') + "\r\n").Text(
                                   [] {
                                       std::string text;
                                       for (int i = 0; i < 5000; ++i)
                                           text += "line " + std::to_string(i) + (i % 3 ? "\r\n" : "\n");
                                       return text;
                                   }())),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto doc = Open(Write("form.orl", c.file));
        const std::size_t messages = ui.Messages().size();
        LineList streamed;
        int widest = 0;
        LineListSink sink(streamed, &widest);
        WriteAsciiForm(*doc, sink, ui, nullptr);
        ASSERT_EQ(ui.Messages().size(), messages + (c.broken ? 1 : 0));
        // Several blocks, so that lines are made again from marks in every part of the walk.
        ASSERT_GT(streamed.Size(), 4 * AsciiFormLines::kLinesPerMark);

        const AsciiFormLines lines(*doc, ui, nullptr);
        EXPECT_EQ(ui.Messages().size(), messages + (c.broken ? 2 : 0)); // the build reports it once more
        ASSERT_EQ(lines.LineCount(), streamed.Size());
        EXPECT_EQ(lines.Widest(), widest);

        // Every line, asked for in random order (more blocks than are kept), then the last block in reverse.
        std::vector<std::size_t> order(streamed.Size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::shuffle(order.begin(), order.end(), std::mt19937(7));
        for (std::size_t i = streamed.Size(); i-- > streamed.Size() - AsciiFormLines::kLinesPerMark;)
            order.push_back(i);
        std::string buffer;
        for (std::size_t i : order)
            ASSERT_EQ(lines.Line(i, buffer), streamed[i]) << "line " << i;
        EXPECT_EQ(lines.Line(streamed.Size(), buffer), "");
    }
}

TEST_F(RawViews, AsciiFormLinesBuildReportsProgressAndCanBeCancelled)
{
    auto doc = Open(Write("long.orl", LongLogger(50'000)));
    ProgressState done;
    EXPECT_GT(AsciiFormLines(*doc, ui, &done).LineCount(), 50'000u);
    EXPECT_EQ(done.Share(100), 100);
    ProgressState cancelled;
    cancelled.RequestCancel();
    EXPECT_THROW(AsciiFormLines(*doc, ui, &cancelled), OperationCancelled);
}

TEST_F(RawViews, AsciiFormProgressRisesToTheFileSize)
{
    auto doc = Open(Write("long.orl", LongLogger(50'000)));
    ProgressState progress;
    std::vector<std::uint64_t> seen;
    WatchingSink sink([&] { seen.push_back(progress.Done()); });
    WriteAsciiForm(*doc, sink, ui, &progress);
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_GT(std::set<std::uint64_t>(seen.begin(), seen.end()).size(), 10u); // it moves during the rows
    EXPECT_EQ(progress.Total(), doc->AsLoadedByteCount());
    EXPECT_GT(progress.Done(), progress.Total() * 9 / 10);
    EXPECT_LE(progress.Done(), progress.Total());
}

TEST_F(RawViews, AsciiFormStopsSoonAfterACancel)
{
    auto doc = Open(Write("long.orl", LongLogger(50'000)));
    WatchingSink all([] {});
    WriteAsciiForm(*doc, all, ui, nullptr);
    for (std::size_t cancelAt : {std::size_t{1}, std::size_t{20}, all.lines / 2}) {
        ProgressState progress;
        WatchingSink sink([&] {
            if (sink.lines == cancelAt)
                progress.RequestCancel();
        });
        EXPECT_THROW(WriteAsciiForm(*doc, sink, ui, &progress), OperationCancelled) << cancelAt;
        // It stops at the next check: within one check's worth of rows.
        EXPECT_LE(sink.lines, cancelAt + 4200) << cancelAt;
        EXPECT_LT(sink.lines, all.lines) << cancelAt;
    }
}

TEST_F(RawViews, AsciiFormOfATextDocumentCanBeCancelled)
{
    FixtureBuilder data;
    for (int i = 0; i < 40'000; ++i)
        data.Text("a line of text\r\n");
    auto doc = Open(Write("t.orl", Container(85, data)));
    ProgressState progress;
    WatchingSink sink([&] {
        if (sink.lines == 2)
            progress.RequestCancel();
    });
    EXPECT_THROW(WriteAsciiForm(*doc, sink, ui, &progress), OperationCancelled);
    EXPECT_LT(sink.lines, 40'000u);
}

TEST_F(RawViews, AsciiFormOfALogger)
{
    auto doc = Open(Write("logger.orl", Container(45, LoggerFile())));
    ASSERT_EQ(doc->FileKind(), 45);
    ASSERT_TRUE(doc->HasAsLoadedImage()); // the markers are in the image as read
    doc->SetPathName("LOGGER.orl", false);
    EXPECT_EQ(Ascii(*doc), Golden("ascii-logger.txt"));
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(RawViews, AsciiFormOfABrokenChainEndsWithTheImproperContentsLine)
{
    // A setup file (records 1 to 4 decode) whose chain then holds a record running past the end.
    fixture::CurrentFileSpec setup;
    setup.setupFile = true;
    std::vector<std::uint8_t> file = fixture::CurrentMeasurementFile(setup);
    file.resize(file.size() - 2);
    FixtureBuilder data;
    data.Bytes(file).Le16(0x0030).Le16(0x7FFF).Le16(1);
    auto doc = Open(Write("broken.orl", Container(45, data)));
    ASSERT_EQ(doc->FileKind(), 45);
    doc->SetPathName("B.orl", false);
    ASSERT_TRUE(ui.Messages().empty());
    const std::string text = Ascii(*doc);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Improper file contents..."});
    // The records before it stay; the broken record is not read.
    const std::string head = "\"ASCII form of the file: B.orl\";\r\n0C01h,";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_NE(text.find("\r\n2804h,"), std::string::npos); // record 4, just before the broken one
    const std::string tail = "*** Improper file contents ***\r\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_EQ(text.find("0030h"), std::string::npos);
}

TEST_F(RawViews, AsciiFormOfATextDocumentIsItsLines)
{
    FixtureBuilder data;
    data.Text("first\r\nsecond\nlast");
    auto doc = Open(Write("t.orl", Container(85, data)));
    doc->SetPathName("T.txt", false);
    EXPECT_EQ(Ascii(*doc), "\"ASCII form of the file: T.txt\";\r\nfirst\r\nsecond\r\nlast\r\n");
}

TEST_F(RawViews, SettingsTextBreaksAfterFiveItemsAndAtSemicolons)
{
    struct Case {
        const char* reply;
        const char* text;
    };
    const Case cases[] = {
        {"a,b,c,d,e,f;", "a, b, c, d, e,\r\nf;\r\n"},
        {"x;y,z;", "x;\r\ny, z;\r\n"},
        {"1,2,3,4,5,6,7,8,9,10,11,unfinished", "1, 2, 3, 4, 5,\r\n6, 7, 8, 9, 10,\r\n"},
        {"a,\r\nb;", "a, b;\r\n"},
    };
    for (const Case& c : cases) {
        FixtureBuilder data;
        data.Text(c.reply);
        auto doc = Open(Write("s.orl", Container(2, data)));
        EXPECT_EQ(Render(FormatSettingsText, *doc), c.text) << c.reply;
    }
}

TEST(RotationSpeed, DecodesBothFirmwareLayouts)
{
    struct Case {
        std::uint16_t lo, hi, firmware;
        double rpm;
    };
    const Case cases[] = {
        {0x0000, 0x9701, 300, 60.0 / 65536.0}, // mantissa 65536, exponent 0
        {0x0000, 0x873C, 504, 1.0},            // mantissa 60 x 65536, exponent -16
        {0x8000, 0xC73C, 505, 1.0},            // the top bits of both words are not part of the number
        {0x4000, 0x5700, 505, 60.0 / 32768.0}, // mantissa 0x4000 x 2, exponent 0
        {0x8000, 0xC73C, 300, 60.0 / (3964928.0 * 281474976710656.0)}, // 0x3C8000, exponent 48
        {0x0000, 0x8700, 300, 0.0},            // mantissa 0
        {0x8000, 0xC780, 505, 0.0},            // mantissa 0 once the top bits are dropped
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(DecodeRpmWords(c.lo, c.hi, c.firmware), c.rpm) << std::hex << c.hi << ' ' << c.lo;
        test::WordImage image({7, c.lo, c.hi});
        EXPECT_DOUBLE_EQ(DecodeRpm(image.reader, 1, c.firmware), c.rpm);
    }
}

} // namespace
} // namespace orlu
