// The Time waveforms forms: the cursor block's numbering and rows, full scale
// in the plot data, the real part of complex blocks, and blocks that cannot be
// shown.

#include "analysis/spectra/WaveformForm.h"

#include "document/DocumentTestSupport.h"
#include "support/Analyzer505Fixture.h"

#include <cstdio>
#include <string>
#include <vector>

namespace orlu {
namespace {

// A Time file of 1024-sample blocks (400 lines) whose every sample is the
// full-scale positive count.
fixture::Analyzer505Spec FullScale()
{
    fixture::Analyzer505Spec spec;
    spec.function = 1;
    spec.values = 400;
    spec.spectra = 2;
    spec.timeHistory = true;
    spec.waveformBlocks = true;
    spec.tones = {{0, 32767.0, -1}};
    return spec;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// A value as the cross table writes it: "%.2e" with a two-digit exponent.
std::string StrPrintfTwoDigits(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2e", value);
    return text;
}

class WaveformForms : public DocumentTest {};

TEST_F(WaveformForms, CursorBlockOfTenSamplesInFourRows)
{
    auto doc = Open(Write("time.orl", fixture::Analyzer505Container(FullScale())));
    WaveformChoice choice;
    choice.record = 2;
    choice.block = true;
    choice.blockFirst = 10;
    choice.blockLast = 19;
    LineList lines;
    int widest = 0;
    ASSERT_EQ(FormatWaveformText(lines, &widest, *doc, choice), 1);
    const std::vector<std::string> text = Lines(lines.Join());
    char volts[32];
    std::snprintf(volts, sizeof volts, "%13.2e", 32767 * doc->Channel().sampleScale);
    ASSERT_EQ(text.size(), 10u); // blank, caption, rule, heading, rule, four rows, rule
    EXPECT_EQ(text[1], "Block of the Time waveform  No.2:");
    EXPECT_EQ(text[3], " Samp.No.    A[V]         Samp.No.    A[V]         Samp.No.    A[V]   ");
    const char* firsts[4][3] = {{"    11", "    15", "    19"}, {"    12", "    16", "    20"},
                                {"    13", "    17", nullptr}, {"    14", "    18", nullptr}};
    for (std::size_t r = 0; r < 4; ++r) {
        const std::string& row = text[5 + r];
        EXPECT_EQ(row.size(), firsts[r][2] ? 69u : 44u) << row;
        for (std::size_t k = 0; k < 3 && firsts[r][k]; ++k)
            EXPECT_EQ(row.substr(25 * k, 6), firsts[r][k]) << row;
        // Every sample is the full-scale count in volts, with a two-digit exponent.
        for (std::size_t k = 0; k < 3 && firsts[r][k]; ++k)
            EXPECT_EQ(row.substr(25 * k + 6, 13), volts) << row;
    }
}

TEST_F(WaveformForms, FullScaleInPlotDataAndTheRealPartOfComplexBlocks)
{
    auto doc = Open(Write("time.orl", fixture::Analyzer505Container(FullScale())));
    const std::optional<WaveformPoints> points = GetWaveformPoints(*doc, 1, 0);
    ASSERT_TRUE(points);
    ASSERT_EQ(points->y.size(), 1024u);
    EXPECT_EQ(points->x.front(), 1);
    EXPECT_EQ(points->x.back(), 1024);
    EXPECT_EQ(points->y[5], 32767.0 / 32768.0);

    // A zoomed block alternates real and imaginary words: the sine part is 0 and never shown.
    fixture::Analyzer505Spec zoomed = FullScale();
    zoomed.zoom = true;
    zoomed.tones = {{0, 16384.0, -1}};
    auto complexDoc = Open(Write("zoomed.orl", fixture::Analyzer505Container(zoomed)));
    const std::optional<WaveformPoints> real = GetWaveformPoints(*complexDoc, 2, 0);
    ASSERT_TRUE(real);
    EXPECT_EQ(real->y.size(), 1024u);
    EXPECT_EQ(real->y.back(), 0.5);
    LineList lines;
    int widest = 0;
    ASSERT_EQ(FormatWaveformText(lines, &widest, *complexDoc, {}), 1);
    EXPECT_EQ(Lines(lines.Join())[1], "Time waveform  No.1: (real part)");
}

TEST_F(WaveformForms, BlocksThatCannotBeShown)
{
    // 300 lines make blocks of 768 samples: no power of two.
    fixture::Analyzer505Spec odd = FullScale();
    odd.values = 300;
    auto oddDoc = Open(Write("odd.orl", fixture::Analyzer505Container(odd)));
    EXPECT_FALSE(GetWaveformPoints(*oddDoc, 1, 0));
    LineList lines;
    int widest = 0;
    EXPECT_EQ(FormatWaveformText(lines, &widest, *oddDoc, {}), 0);

    // Record 3 of a file of two blocks lies past the image; record 0 does not exist.
    auto doc = Open(Write("time.orl", fixture::Analyzer505Container(FullScale())));
    EXPECT_FALSE(GetWaveformPoints(*doc, 3, 0));
    EXPECT_FALSE(GetWaveformPoints(*doc, 0, 0));
    WaveformChoice past;
    past.record = 3;
    EXPECT_EQ(FormatWaveformTable(lines, &widest, *doc, past, {}), 0);
}

// Every record's block as a column of one cross table, only the cursor block's samples.
TEST_F(WaveformForms, AllRecordsAsOneCrossTable)
{
    fixture::Analyzer505Spec spec = FullScale();
    spec.spectra = 3;
    auto doc = Open(Write("time.orl", fixture::Analyzer505Container(spec)));
    WaveformChoice choice;
    choice.allRecords = true;
    choice.block = true;
    choice.blockFirst = 4;
    choice.blockLast = 5;
    const std::string v = StrPrintfTwoDigits(32767 * doc->Channel().sampleScale);
    LineList lines;
    int widest = 0;
    ASSERT_EQ(FormatWaveformTable(lines, &widest, *doc, choice, {}), 1);
    EXPECT_EQ(Lines(lines.Join()), (std::vector<std::string>{"Blocks_of_Time_waveforms:", "wav\\sn->\t[]\t5\t6",
                                                             "1\t[V]\t" + v + "\t" + v, "2\t[V]\t" + v + "\t" + v,
                                                             "3\t[V]\t" + v + "\t" + v}));
}

} // namespace
} // namespace orlu
