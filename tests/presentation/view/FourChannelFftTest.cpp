// FFT spectra of ORLU 545 and 590 files: each FFT channel's own record without a time
// history (levels in 0.01 dB above firmware 2.15), each channel's block of the rows of a
// logger, the channels' columns of the cross table, and a line across a logger's records.

#include "analysis/spectra/FftSpectrumReader.h"
#include "analysis/spectra/TimeIntersection.h"
#include "document/DocumentTestSupport.h"
#include "document/ViewKind.h"
#include "presentation/view/FormBuilder.h"
#include "presentation/view/ViewSelection.h"
#include "support/FourChannelFixture.h"
#include "support/JoinedLines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace orlu {
namespace {

using fixture::FourChannelSpec;

constexpr std::uint8_t kFourChannelKind = 42;

// Three channels, FFT on the first two: channel #1 (a microphone) 70, 65, 60 dB over and
// over, channel #2 (an accelerometer) 50 dB; 400 lines of 48 kHz / 1024.
FourChannelSpec StoredSpectra()
{
    FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 3, 1);
    spec.function = 6;
    spec.spectrumMask = 0b011;
    spec.fftLevels = {{0, {700, 650, 600}}, {1, {500}}};
    return spec;
}

// A logger of 5 rows of two results per channel: FFT blocks of 8 lines and the extra line
// for both channels, channel #1 at 70 dB and #2 at 50 dB in the first row, each row 2 dB lower.
FourChannelSpec LoggedSpectra()
{
    FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 2, 1);
    spec.function = 6;
    spec.spectrumMask = 0b11;
    spec.history = FourChannelSpec::History::Logger;
    spec.rows = spec.declaredCount = 5;
    for (auto& p : spec.profiles)
        p.bufferWord = 0x0005;
    spec.descriptors = {{33, {{0, 8, 1}, {1, 8, 1}}}};
    spec.fftLevels = {{0, {700}}, {1, {500}}};
    spec.fftRowStep = 20;
    return spec;
}

class FourChannelFft : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenSpec(const FourChannelSpec& spec)
    {
        const std::vector<std::uint8_t> file = fixture::FourChannelMeasurementFile(spec);
        fixture::FixtureBuilder f;
        f.ContainerHeader(kFourChannelKind, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        return Open(Write("four.orl", f));
    }

    std::optional<FftSpectrumRead> Read(CTmDoc& doc, int channel, int record = 1, int function = 1)
    {
        FftSpectrumRequest r;
        r.channelA = r.channelB = channel;
        r.record = record;
        r.function = function;
        return ReadFftSpectrum(doc, workspace, r);
    }

    FftWorkspace workspace;
};

TEST_F(FourChannelFft, EachFftChannelReadsItsOwnRecord)
{
    auto doc = OpenSpec(StoredSpectra());
    ASSERT_TRUE(HoldsFftSpectra(*doc));
    EXPECT_EQ(FftChannelMask(*doc), 0b011);

    const auto first = Read(*doc, 0);
    ASSERT_TRUE(first);
    ASSERT_EQ(first->values.size(), 400u);
    EXPECT_EQ(first->lines.lines, 400);
    EXPECT_DOUBLE_EQ(first->lines.resolution, 46.875);
    EXPECT_DOUBLE_EQ(first->values[0], 70.0);
    EXPECT_DOUBLE_EQ(first->values[1], 65.0);
    EXPECT_DOUBLE_EQ(first->values[397], 65.0);
    EXPECT_DOUBLE_EQ(first->values[398], 60.0);
    EXPECT_EQ(first->caption, "Spectrum (power)  Channel #1");
    EXPECT_EQ(first->records, 1);

    const auto second = Read(*doc, 1);
    ASSERT_TRUE(second);
    EXPECT_DOUBLE_EQ(second->values[0], 50.0);
    EXPECT_DOUBLE_EQ(second->values[399], 50.0);
    EXPECT_EQ(second->caption, "Spectrum (power)  Channel #2");

    // A channel without FFT, a record the file lacks and a two-channel function have none.
    EXPECT_FALSE(Read(*doc, 2));
    EXPECT_FALSE(Read(*doc, 0, 2));
    EXPECT_FALSE(Read(*doc, 0, 1, 5));
}

TEST_F(FourChannelFft, LoggerRowsHoldABlockPerChannel)
{
    auto doc = OpenSpec(LoggedSpectra());
    ASSERT_TRUE(HoldsFftSpectra(*doc));
    struct Case {
        int channel;
        int record;
        double level;
    };
    const Case cases[] = {{0, 1, 70.0}, {0, 5, 62.0}, {1, 1, 50.0}, {1, 3, 46.0}};
    for (const Case& c : cases) {
        const auto read = Read(*doc, c.channel, c.record);
        ASSERT_TRUE(read) << c.channel << " " << c.record;
        EXPECT_EQ(read->records, 5);
        // Eight lines and the TOTAL behind them.
        ASSERT_EQ(read->values.size(), 9u);
        EXPECT_EQ(read->lines.totalPosition, 2);
        EXPECT_DOUBLE_EQ(read->values[0], c.level) << c.channel << " " << c.record;
        EXPECT_DOUBLE_EQ(read->values[8], c.level) << c.channel << " " << c.record;
    }
    EXPECT_FALSE(Read(*doc, 0, 6));
}

TEST_F(FourChannelFft, ALineAcrossTheRecordsOfEachChannel)
{
    auto doc = OpenSpec(LoggedSpectra());
    TimeIntersectionChoice choice;
    choice.bandKind = 2;
    choice.band = 3;
    std::vector<double> firsts;
    for (const int channel : {0, 1}) {
        const auto series = ReadIntersectionSeries(*doc, choice, channel);
        ASSERT_TRUE(series) << channel;
        ASSERT_EQ(series->values.size(), 5u);
        // Each record 2 dB below the one before: the RMS values fall by 10^(2/20) a record.
        for (std::size_t k = 0; k + 1 < 5; ++k)
            EXPECT_NEAR(series->values[k] / series->values[k + 1], std::pow(10.0, 0.1), 1e-9) << channel << " " << k;
        firsts.push_back(series->values[0]);
    }
    // The microphone's 70 dB as a pressure; channel #2 reads its own block, not channel #1's.
    EXPECT_NEAR(firsts[0], 2e-5 * std::pow(10.0, 70.0 / 20.0), 1e-12);
    EXPECT_NE(firsts[0], firsts[1]);
    // The TOTAL after the 8 lines; nothing past it, nor on a channel without spectra.
    choice.band = 9;
    EXPECT_TRUE(ReadIntersectionSeries(*doc, choice, 1));
    choice.band = 10;
    EXPECT_FALSE(ReadIntersectionSeries(*doc, choice, 1));
    choice.band = 1;
    EXPECT_FALSE(ReadIntersectionSeries(*doc, choice, 2));
}

TEST_F(FourChannelFft, CrossTableHasAColumnPerChosenChannelOrPerRecordOfTheFirst)
{
    auto stored = OpenSpec(StoredSpectra());
    auto logged = OpenSpec(LoggedSpectra());
    FormRendererRegistry renderers;
    RegisterReportRenderers(renderers);
    AppSettings settings;
    settings.SeparatorChar = 0; // tab
    auto table = [&](CTmDoc& doc, std::uint16_t channels, bool all) {
        MeasurementViewState view;
        OpenView(view, doc);
        // The kind chooses its channels when it is shown; the user's own come after.
        const FormBuilder builder(renderers, settings);
        builder.ShowKindInForm(view, doc, kViewSpectra, FormChoice::Table);
        view.SelectedChannels = channels;
        view.TableAllFiles = all ? 1 : 0;
        builder.UpdateForm(view, doc);
        std::vector<std::string> rows;
        std::istringstream in(test::JoinedLines(view.ShownLines()));
        for (std::string row; std::getline(in, row);) {
            if (!row.empty() && row.back() == '\r')
                row.pop_back();
            rows.push_back(row.substr(0, row.find('\t', row.find('\t', row.find('\t') + 1) + 1)));
        }
        return rows;
    };
    // Both FFT channels of the mask (the third has none): a row each, labelled by channel.
    const std::vector<std::string> channels = table(*stored, 0b111, false);
    ASSERT_GE(channels.size(), 5u);
    EXPECT_EQ(channels[3].rfind("#1\tMic.", 0), 0u) << channels[3];
    EXPECT_EQ(channels[4].rfind("#2\tAcc.", 0), 0u) << channels[4];
    EXPECT_EQ(channels.size(), 5u);
    // Every record of a logger for the first chosen channel: a row per record, by number.
    const std::vector<std::string> records = table(*logged, 0b10, true);
    ASSERT_EQ(records.size(), 3u + 5u);
    EXPECT_NE(records[0].find("Channel_#2"), std::string::npos) << records[0];
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(records[3 + static_cast<std::size_t>(k)].rfind(std::to_string(k + 1) + "\t", 0), 0u)
            << records[3 + static_cast<std::size_t>(k)];
}

} // namespace
} // namespace orlu
