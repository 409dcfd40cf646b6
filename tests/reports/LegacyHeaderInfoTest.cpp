// Header information of METER-mode (legacy) files, compared byte for byte
// with texts written out from the item table (tests/golden), and what the
// goldens do not show: the mask choosing the columns and the unit of the
// levels, the selection kept, and damaged files giving what can be written.

#include "document/DocumentTestSupport.h"
#include "reports/text/LegacyHeaderInfo.h"
#include "support/GoldenText.h"
#include "support/LegacyFixture.h"

#include <algorithm>
#include <functional>

namespace orlu {
namespace {

using fixture::FixtureBuilder;
using fixture::LegacyFileSpec;
using fixture::Golden;
using fixture::WidthOf;

LegacyFileSpec WithHistogram(LegacyFileSpec spec)
{
    spec.histogramClasses = 60;
    return spec;
}

LegacyFileSpec TwoChannelsWithBuffer()
{
    LegacyFileSpec spec = fixture::LegacyTwoChannelSpec(0x4011);
    spec.formatVersion = 40;
    spec.bufferRecords = 50;
    return spec;
}

LegacyFileSpec Reduced()
{
    LegacyFileSpec spec = fixture::LegacyHistorySpec(20);
    spec.reduced = true;
    return spec;
}

class LegacyHeaderInfo : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenLegacy(std::uint8_t kind, const LegacyFileSpec& spec)
    {
        return Open(Write("m.orl", fixture::LegacyContainer(kind, spec)));
    }

    std::string Render(CTmDoc& doc, std::uint16_t mask, std::uint8_t unitOption, int* width = nullptr,
                       bool allFiles = false, int fileIndex = 0)
    {
        LineList lines;
        int widest = -1;
        EXPECT_TRUE(FormatLegacyHeaderInfo(doc, lines, &widest, mask, allFiles, fileIndex, unitOption));
        if (width)
            *width = widest;
        return lines.Join();
    }
};

TEST_F(LegacyHeaderInfo, FilesOfEveryLayoutMatchTheirGoldens)
{
    const struct {
        const char* golden;
        std::uint8_t kind;
        LegacyFileSpec spec;
        std::uint8_t unitOption;
    } cases[] = {
        {"legacy-header-one-channel-2s.txt", 3, WithHistogram(fixture::LegacyHistorySpec(100)), 0},
        {"legacy-header-one-channel-125ms-linear.txt", 3, fixture::LegacyHistorySpec(40, {0, 0, 125}), 1},
        {"legacy-header-variant2-two-channels.txt", 3, TwoChannelsWithBuffer(), 0},
        {"legacy-header-vector-probe.txt", 3, fixture::LegacyProbeSpec(true), 0},
        {"legacy-header-intensity-probe-linear.txt", 3, fixture::LegacyProbeSpec(false), 1},
        {"legacy-header-reduced.txt", 10, Reduced(), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        auto doc = OpenLegacy(c.kind, c.spec);
        ASSERT_TRUE(doc->LegacyDecoded());
        int width = 0;
        const std::string golden = Golden(c.golden);
        EXPECT_EQ(Render(*doc, doc->Legacy().profileMask, c.unitOption, &width), golden);
        EXPECT_EQ(width, WidthOf(golden));
    }
}

TEST_F(LegacyHeaderInfo, AllFilesOfAMultifileEachUnderItsTitleThenTheShownFileAgain)
{
    auto doc = Open(Write("m.orl", fixture::Multifile(23, fixture::LegacyMultifileMembers(3))));
    ASSERT_EQ(doc->FileKind(), 23);
    EXPECT_EQ(Render(*doc, 1, 0, nullptr, true, 1), Golden("legacy-header-multifile-all.txt"));
    // The view stays on the file it shows (file 1 has no buffer), not on the last one reported.
    EXPECT_FALSE(doc->Legacy().timeHistory);
    EXPECT_EQ(doc->Legacy().histogram.classes, 60);

    // One file: its own title only.
    const std::string second = Render(*doc, 1, 0, nullptr, false, 2);
    EXPECT_NE(second.find("Header information for the file[2] FILE2:\r\n"), std::string::npos);
    EXPECT_EQ(second.find("FILE1"), std::string::npos);
    EXPECT_NE(second.find("  Buffer time step ............  0.125 s    \r\n"), std::string::npos);
}

TEST_F(LegacyHeaderInfo, TheMaskChoosesTheColumnsAndItsFirstChannelTheUnit)
{
    auto doc = OpenLegacy(3, TwoChannelsWithBuffer());
    // The accelerometer alone: its column only, and its levels linear under unit choice 0
    // (calibration 1.5 dB is 10^(1.5/20) = 1.19; the range 50 dB re 1 um/s2 is 316 um/s2).
    const std::string text = Render(*doc, 0x2, 0);
    EXPECT_NE(text.find("                  Profile:       #2         \r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find(" #1         "), std::string::npos) << text;
    EXPECT_NE(text.find("  Calibration factor ..........  1.19       \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  Measurement function ........  Val        \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  Measurement range ...........  316 \xB5m/s\xB2  \r\n"), std::string::npos) << text;
    // Every channel still lists its buffer contents.
    EXPECT_NE(text.find("      #1  -  RMS   \r\n"), std::string::npos);
    EXPECT_NE(text.find("      #2  -  RMS   \r\n"), std::string::npos);
}

TEST_F(LegacyHeaderInfo, TheSelectedChannelStaysSelected)
{
    auto doc = OpenLegacy(3, fixture::LegacyProbeSpec(true));
    doc->SelectLegacyChannel(2);
    Render(*doc, 0x1F, 0);
    EXPECT_EQ(doc->Channel().channel, 2);
    EXPECT_EQ(doc->Channel().filter, 23); // Wk, channel 3's own
}

TEST_F(LegacyHeaderInfo, BufferContentsNameEachLoggedResultAndNoneForAnEmptyMask)
{
    // The old description (format 21): two bits a channel, RMS and Peak.
    LegacyFileSpec spec = fixture::LegacyTwoChannelSpec(0x4010);
    spec.bufferRecords = 4;
    std::vector<std::uint8_t> file = fixture::LegacyMeasurementFile(spec);
    // The buffer bits (description word 16): channel 1 logs RMS and Peak, channel 2 nothing.
    const std::vector<std::uint8_t> plain = fixture::LegacyMeasurementFile([&] {
        LegacyFileSpec none = spec;
        none.bufferRecords = 0;
        return none;
    }());
    const std::size_t word16 = plain.size() - 2 + 2 * 16; // the description follows what a file without buffer holds
    file[word16] = 0x03;
    file[word16 + 1] = 0x00;
    // The check word makes the words sum to 0 again.
    const std::size_t check = file.size() - 2;
    const auto sum = static_cast<std::uint16_t>((file[check] | file[check + 1] << 8) - 0x03);
    file[check] = static_cast<std::uint8_t>(sum & 0xFF);
    file[check + 1] = static_cast<std::uint8_t>(sum >> 8);
    FixtureBuilder f;
    f.ContainerHeader(3, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
    auto doc = Open(Write("b.orl", f));
    ASSERT_TRUE(doc->LegacyDecoded());
    const std::string text = Render(*doc, 0x3, 0);
    EXPECT_NE(text.find("      #1  -  RMS   Peak  \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("      #2  -  none  \r\n"), std::string::npos) << text;
}

TEST_F(LegacyHeaderInfo, DamagedFilesGiveTheSectionsTheyHold)
{
    using Patch = std::function<void(std::vector<std::uint8_t>&)>;
    auto word = [](std::size_t w, std::uint16_t value) {
        return Patch([=](std::vector<std::uint8_t>& bytes) {
            bytes[2 * w] = static_cast<std::uint8_t>(value & 0xFF);
            bytes[2 * w + 1] = static_cast<std::uint8_t>(value >> 8);
        });
    };
    // The vector probe: header words 0-12, channel blocks of 10 words from word 13.
    const struct {
        const char* name;
        Patch patch;
        const char* present;
        const char* absent;
    } cases[] = {
        {"channel blocks of 8 words: no LOW PASS word, no axis factor", [&](auto& b) {
             for (std::size_t c = 0; c < 5; ++c)
                 word(13 + 10 * c, 8)(b);
         }, "  Weighting filter ....", "  LOW PASS filter"},
        {"channel block of 0 words", word(13, 0), "  Input .......................  OR06A", nullptr},
        {"header cut short (H = 4)", word(0, 4), "  Input .......................  OR06A", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> file = fixture::LegacyMeasurementFile(fixture::LegacyProbeSpec(true));
        c.patch(file);
        FixtureBuilder f;
        f.ContainerHeader(3, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        ScriptedInteraction local;
        AppContext localApp(local);
        CTmDoc doc(localApp);
        ASSERT_TRUE(doc.OnOpenDocument(Write("d.orl", f)));
        if (!doc.LegacyDecoded()) {
            // Refused and shown as bytes: there is no header to report.
            LineList lines;
            EXPECT_FALSE(FormatLegacyHeaderInfo(doc, lines, nullptr, 0x1F, false, 0, 0));
            EXPECT_TRUE(lines.Empty());
            continue;
        }
        const std::string text = Render(doc, doc.Legacy().profileMask, 0);
        EXPECT_NE(text.find(c.present), std::string::npos) << text;
        if (c.absent) {
            EXPECT_EQ(text.find(c.absent), std::string::npos) << text;
        }
    }
}

} // namespace
} // namespace orlu
