// Spectra of ORLU 505 files: stored spectra as read, and the spectra functions
// of the waveform blocks of Time files.

#include "analysis/spectra/FftSpectrumReader.h"
#include "analysis/spectra/SpectraFunction.h"
#include "document/DocumentTestSupport.h"
#include "support/Analyzer505Fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orlu {
namespace {

using Spec = fixture::Analyzer505Spec;

Spec Waveform(std::uint16_t lines = 400)
{
    Spec s;
    s.function = 1;
    s.values = lines;
    s.waveformBlocks = true;
    // A quarter of the block's rate: the samples are exactly 0 and +-1000, no rounding noise.
    s.tones = {{256, 1000.0, -1}};
    return s;
}

class FftSpectrumReader : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> Load(const Spec& spec) { return Open(Write("a.orl", fixture::Analyzer505Container(spec))); }

    std::optional<FftSpectrumRead> Read(CTmDoc& doc, FftSpectrumRequest r = {})
    {
        r.window = 3; // rectangle: the tone stays on its line
        return ReadFftSpectrum(doc, workspace, r);
    }

    FftWorkspace workspace;
};

TEST_F(FftSpectrumReader, ToneOfAWaveformStandsOnItsLineAboveTheFloor)
{
    auto doc = Load(Waveform());
    ASSERT_TRUE(doc->AnalyzerDecoded());
    const auto read = Read(*doc);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->values.size(), 400u);
    // a^2/2 of a = 1000 against the 1e-10 floor of the silent lines: 10 lg(5e5 / 1e-10) dB,
    // each level cut to whole tenths.
    const double floor = read->values[50];
    EXPECT_NEAR(read->values[256] - floor, 10 * std::log10(5e5 / 1e-10), 0.2);
    EXPECT_EQ(std::count(read->values.begin(), read->values.end(), floor), 399);
    EXPECT_EQ(read->caption, "Spectrum (power)");
    EXPECT_EQ(read->lines.lines, 400);
}

TEST_F(FftSpectrumReader, ComplexBlocksGiveTheirRealPartAndProbeFilesTheirOwnChannel)
{
    auto plain = Load(Waveform());
    const auto real = Read(*plain);
    ASSERT_TRUE(real);

    Spec zoomed = Waveform();
    zoomed.zoom = true;
    auto complexDoc = Load(zoomed);
    const auto fromComplex = Read(*complexDoc);
    ASSERT_TRUE(fromComplex);
    EXPECT_EQ(fromComplex->values, real->values);

    Spec probe = Waveform();
    probe.fourChannel = true;
    probe.tones = {{256, 1000.0, 2}};
    auto probeDoc = Load(probe);
    FftSpectrumRequest third;
    third.channelA = third.channelB = 2;
    const auto toned = Read(*probeDoc, third);
    const auto silent = Read(*probeDoc);
    ASSERT_TRUE(toned && silent);
    EXPECT_GT(toned->values[256] - toned->values[50], 150.0);
    EXPECT_EQ(silent->values[256], silent->values[50]);
    EXPECT_EQ(toned->caption, "Spectrum (power)  Channel #3");
}

TEST_F(FftSpectrumReader, OneChannelAgainstItself)
{
    Spec s = Waveform();
    s.tones = {{256, 1000.0, -1}, {37, 300.0, -1}};
    auto doc = Load(s);
    FftSpectrumRequest autospectrum;
    autospectrum.function = 3;
    FftSpectrumRequest cross;
    cross.function = 5;
    const auto a = Read(*doc, autospectrum), c = Read(*doc, cross);
    ASSERT_TRUE(a && c);
    EXPECT_EQ(a->values, c->values);
    EXPECT_EQ(c->caption, "Cross spectrum (power)");
}

TEST_F(FftSpectrumReader, BlocksItCannotTakeGiveNoSpectrum)
{
    Spec past = Waveform();
    past.waveformBlocks = false; // 400 words where a block of 1024 samples is due
    Spec odd = Waveform(300);    // a block of 768 samples
    Spec stored = Waveform();
    stored.function = 2;
    stored.waveformBlocks = false;
    for (const Spec& s : {past, odd}) {
        auto doc = Load(s);
        EXPECT_FALSE(Read(*doc)) << s.values;
    }
    auto doc = Load(Waveform());
    FftSpectrumRequest beyond;
    beyond.record = 2;
    EXPECT_FALSE(Read(*doc, beyond));

    auto storedDoc = Load(stored);
    const auto read = Read(*storedDoc);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->values.size(), 400u);
}

} // namespace
} // namespace orlu
