// ORLU 505 ANALYZER-mode files: the setup decoding (channel tables, FFT and
// octave band setup, zoom, time step, histogram block, time history), the
// range scaling of the 505, the View mask, the ASCII form, Multifiles, and
// damaged files that must be refused or read in part, never past their end.

#include "DocumentTestSupport.h"

#include "document/LineList.h"
#include "document/ViewMask.h"
#include "document/channel/Channel505Selection.h"
#include "document/headers/CurrentHeader.h"
#include "document/headers/LegacyNameLists.h"
#include "document/headers/Setup505Decoder.h"
#include "document/rawviews/RawViews.h"
#include "document/rawviews/RawViewTexts.h"
#include "support/Analyzer505Fixture.h"

#include <cmath>

namespace orlu {
namespace {

using fixture::Analyzer505Spec;
using fixture::FixtureBuilder;

Analyzer505Spec Octave(std::uint16_t function, std::uint16_t values, std::uint16_t bands)
{
    Analyzer505Spec s;
    s.function = function;
    s.values = values;
    s.bands = bands;
    return s;
}

Analyzer505Spec Fft(std::uint16_t function, std::uint16_t lines)
{
    Analyzer505Spec s;
    s.function = function;
    s.values = lines;
    return s;
}

Analyzer505Spec FourChannel(Analyzer505Spec s, std::uint16_t headerLength = 0)
{
    s.fourChannel = true;
    s.headerLength = headerLength;
    return s;
}

/// A kind-4 container of the file with word `word` of the file set to `value`.
FixtureBuilder Patched(const Analyzer505Spec& spec, std::size_t word, std::uint16_t value)
{
    return fixture::Analyzer505Patched(spec, word, value);
}

class Analyzer505 : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> Load(const FixtureBuilder& file) { return Open(Write("a.orl", file)); }
    std::unique_ptr<CTmDoc> Load(const Analyzer505Spec& spec) { return Load(fixture::Analyzer505Container(spec)); }

    std::string Ascii(CTmDoc& doc)
    {
        LineList lines;
        int widest = 0;
        LineListSink sink(lines, &widest);
        EXPECT_NO_THROW(WriteAsciiForm(doc, sink, ui, nullptr));
        return lines.Join();
    }
};

TEST(Analyzer505Layout, HeaderLengthAndFunctionPlaceTheProbeTable)
{
    struct Case {
        std::uint16_t length, function;
        bool valid;
        std::uint16_t modeWord, mode, table;
    } cases[] = {
        {52, 1, true, 0, 1, 32},  {17, 3, true, 0, 2, 12},  {76, 2, true, 32, 0, 34}, {33, 1, true, 32, 0, 34},
        {32, 2, false, 32, 0, 34}, {42, 4, true, 20, 0, 22}, {20, 3, false, 20, 0, 22}, {52, 5, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << "/" << c.function);
        const ProbeTableLayout layout = FindProbeTableLayout(c.length, c.function);
        EXPECT_EQ(layout.valid, c.valid);
        if (c.valid) {
            EXPECT_EQ(layout.modeWord, c.modeWord);
            EXPECT_EQ(layout.mode, c.mode);
            EXPECT_EQ(layout.table, c.table);
        }
    }
}

TEST_F(Analyzer505, FiftyTwoWordProbeHeaderIsModeOneWithChargeAndAccelerometerChannels)
{
    auto doc = Load(FourChannel(Fft(1, 400), 52));
    ASSERT_TRUE(doc->AnalyzerDecoded());
    const Setup505& s = doc->Analyzer();
    EXPECT_EQ(s.channelMode, 1);
    EXPECT_EQ(s.storedInputKind, 6);
    EXPECT_EQ(s.channelCount, 4);
    EXPECT_EQ(s.timeMask, 0xF);
    EXPECT_EQ(s.channels[0].inputKind, kInputAccelerometer);
    EXPECT_EQ(s.channels[1].inputKind, kInputCharge);
    EXPECT_EQ(s.channels[3].filter, 4); // stored 6: HP
    EXPECT_EQ(s.channels[2].calibration, -25);
    EXPECT_FALSE(s.mixedInputs);
    EXPECT_EQ(s.microphoneChannels, 0);
    // Four channels take the 192 kHz formulas: 1024 samples, spacing 192000 / 2^7 / 1024.
    EXPECT_EQ(s.fftSamples, 1024u);
    EXPECT_DOUBLE_EQ(s.lineSpacingHz, 192000.0 / 128 / 1024);
    EXPECT_DOUBLE_EQ(s.fftRangeHz, 400 * 192000.0 / 128 / 1024);
    EXPECT_EQ(doc->AnalyzerFftBuffers().samples, 1024u);
    EXPECT_EQ(doc->AnalyzerFftBuffers().transformA.size(), 1026u);

    doc->Select505Channel(2);
    EXPECT_EQ(doc->Channel().inputKind, kInputAccelerometer);
    EXPECT_EQ(doc->Channel().calibration505, -25);
    EXPECT_DOUBLE_EQ(doc->Channel().rangeScale, 0.6324555); // a channel mode never takes the ordinary range
}

TEST_F(Analyzer505, ProbeOctaveHeaderWithItsModeWordMixesMicrophonesAndAccelerometers)
{
    auto doc = Load(FourChannel(Octave(4, 31, 30)));
    ASSERT_TRUE(doc->AnalyzerDecoded());
    const Setup505& s = doc->Analyzer();
    EXPECT_EQ(s.headerLength, 42);
    EXPECT_EQ(s.channelMode, 2);
    EXPECT_EQ(s.storedInputKind, 8);
    EXPECT_EQ(s.channels[1].inputKind, kInputMicrophone);
    EXPECT_TRUE(s.mixedInputs);
    EXPECT_EQ(s.microphoneChannels, 4);
    EXPECT_EQ(s.thirdMask, 0xF);
    EXPECT_EQ(s.octaveMask, 0xF);
}

TEST_F(Analyzer505, HeadersThatCannotHoldTheirChannelTableAreRefused)
{
    struct Case {
        const char* name;
        Analyzer505Spec spec;
    } cases[] = {
        // A 17-word header is mode 2, but its table from word 12 runs past it.
        {"probe header of 17 words", FourChannel(Octave(3, 10, 9), 17)},
        {"four-channel Spectrum of 32 words", FourChannel(Fft(2, 400), 32)},
        {"octave table ending past a 40-word header", FourChannel(Octave(3, 10, 9), 40)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedInteraction local;
        AppContext localApp(local);
        CTmDoc doc(localApp);
        ASSERT_TRUE(doc.OnOpenDocument(Write("bad.orl", fixture::Analyzer505Container(c.spec))));
        EXPECT_EQ(local.Messages(), std::vector<std::string>{"bad.orl  -  Improper file contents"});
        EXPECT_EQ(doc.FileKind(), kKindUnreadable);
        EXPECT_EQ(doc.GetViewMask(), kViewMaskHexa);
        EXPECT_FALSE(doc.AnalyzerDecoded());
    }
}

TEST_F(Analyzer505, FftLinesChooseTheSamplesAndTheEVersion)
{
    struct Case {
        std::uint16_t lines;
        std::uint8_t subKindIn;
        std::uint32_t samples;
        std::uint8_t subKindOut;
        double spacing, period;
    } cases[] = {
        // Single channel, sampling code 10: range 15625 x 2^9 / 10000 = 800 Hz, period 2^7 / 262144 s.
        {400, 0, 1024, 0, 800.0 / 400, 128.0 / 262144},
        // 480 lines are a multiple of 120: the E version's formulas, and the document becomes one.
        {480, 0, 1024, 1, 192000.0 / 128 / 1024, 128.0 / 192000},
        {800, 0, 2048, 0, 800.0 / 800, 128.0 / 262144},
        // An E-version document keeps its sub-kind and takes 120 lines per 256 samples.
        {400, 3, 768, 3, 192000.0 / 128 / 768, 128.0 / 192000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lines << " lines, sub-kind " << int(c.subKindIn));
        auto doc = Load(fixture::Analyzer505Container(Fft(2, c.lines), 4, c.subKindIn));
        ASSERT_TRUE(doc->AnalyzerDecoded());
        EXPECT_EQ(doc->Analyzer().fftSamples, c.samples);
        EXPECT_EQ(doc->SubKind(), c.subKindOut);
        EXPECT_DOUBLE_EQ(doc->Analyzer().lineSpacingHz, c.spacing);
        EXPECT_DOUBLE_EQ(doc->Analyzer().samplePeriod, c.period);
        EXPECT_DOUBLE_EQ(doc->Analyzer().axisEndHz, c.lines * c.spacing);
        EXPECT_DOUBLE_EQ(doc->Channel().fftAxisEnd, c.lines * c.spacing);
        // Spectrum files compute the window's power but need no workspace.
        EXPECT_GT(doc->Analyzer().windowPower, 0.0);
        EXPECT_EQ(doc->AnalyzerFftBuffers().samples, 0u);
    }
}

TEST_F(Analyzer505, ZoomMovesTheStartAndHalvesTheRangeOncePerStep)
{
    Analyzer505Spec spec = Fft(1, 400);
    spec.zoom = true;
    spec.samplingCode = 10;
    spec.zoomBandCode = 8;
    spec.zoomShift = 30; // five lines up at each step
    auto doc = Load(spec);
    ASSERT_TRUE(doc->AnalyzerDecoded());
    const Setup505& s = doc->Analyzer();
    // Step 10: start 5 x 2 Hz, then range 400 Hz, spacing 1 Hz; step 9: start + 5 x 1 Hz, range 200 Hz.
    EXPECT_DOUBLE_EQ(s.axisStartHz, 15.0);
    EXPECT_DOUBLE_EQ(s.fftRangeHz, 200.0);
    EXPECT_DOUBLE_EQ(s.lineSpacingHz, 0.5);
    EXPECT_DOUBLE_EQ(s.axisEndHz, 215.0);
    EXPECT_DOUBLE_EQ(s.samplePeriod, 4 * 128.0 / 262144);

    spec.zoom = false;
    auto plain = Load(spec);
    EXPECT_DOUBLE_EQ(plain->Analyzer().axisStartHz, 0.0);
    EXPECT_DOUBLE_EQ(plain->Analyzer().axisEndHz, 800.0);
}

TEST_F(Analyzer505, OctaveTimeStepComesFromTheHeaderOrIsAQuarterSecond)
{
    struct Case {
        std::uint16_t headerLength;
        std::uint32_t fixed;
        double step;
        int decimals;
    } cases[] = {{17, 0x20000, 2.0, 0}, {17, 0x2000, 0.125, 3}, {16, 0x20000, 0.25, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.headerLength << " words, " << c.step << " s");
        Analyzer505Spec spec = Octave(3, 10, 9);
        spec.headerLength = c.headerLength;
        spec.timeStepFixed = c.fixed;
        auto doc = Load(spec);
        ASSERT_TRUE(doc->AnalyzerDecoded());
        EXPECT_DOUBLE_EQ(doc->Analyzer().timeStep, c.step);
        EXPECT_EQ(doc->Analyzer().timeStepDecimals, c.decimals);
        EXPECT_EQ(doc->Analyzer().timeStepPresent, c.headerLength >= 17);
    }
}

TEST_F(Analyzer505, OctaveBandsExtrasAndFrequencies)
{
    // 1/1 octave, 10 values of 9 bands: one extra; the bands end at 16 kHz.
    auto octave = Load(Octave(3, 10, 9));
    const Setup505& o = octave->Analyzer();
    EXPECT_EQ(o.bandExtras, 1);
    EXPECT_EQ(o.octaveBands, 9);
    EXPECT_EQ(o.octaveMissing, 6);
    EXPECT_EQ(o.thirdIndexOfOctave, 19);
    EXPECT_DOUBLE_EQ(o.lineSpacingHz, 63.0); // the first band's centre
    EXPECT_DOUBLE_EQ(o.fftRangeHz, 800.0);   // sampling code 10: "800 Hz"
    EXPECT_STREQ(o.totalNames.At(0), "TOTAL");

    // 1/3 octave with 50 values and a low sampling code: six extras, 44 bands from 1 Hz.
    auto third = Load(Octave(4, 50, 44));
    const Setup505& t = third->Analyzer();
    EXPECT_EQ(t.thirdExtras, 6);
    EXPECT_EQ(t.thirdBands, 44);
    EXPECT_EQ(t.thirdMissing, 1);
    EXPECT_DOUBLE_EQ(t.bandFrequencies[0], 1.0);
    EXPECT_STREQ(t.totalNames.At(0), "TOT_A"); // several extras and an A filter
    EXPECT_EQ(t.octaveBandCount, 14);

    // From sampling code 16 on the band count is fixed at 44 and the rest are extras.
    Analyzer505Spec high = Octave(4, 47, 44);
    high.samplingCode = 16;
    auto wide = Load(high);
    EXPECT_EQ(wide->Analyzer().thirdBands, 44);
    EXPECT_EQ(wide->Analyzer().thirdExtras, 3);
    EXPECT_DOUBLE_EQ(wide->Analyzer().fftRangeHz, 51200.0); // "51.2 kHz"
}

TEST(Analyzer505Range, ScalingOfThe505RangeList)
{
    struct Case {
        std::uint16_t input, range;
        bool eVersion;
        std::uint16_t mode;
        std::uint16_t nameIndex;
        std::int16_t top;
        double scale;
    } cases[] = {
        {kInputMicrophone, 1, false, 0, 6, 80, 1.0},
        {kInputMicrophone, 1, true, 0, 5, 70, 0.6324555},
        {kInputAccelerometer, 2, false, 0, 12, 140, 1.0},
        {kInputCharge, 1, false, 1, 9, 110, 0.6324555},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.input << "/" << c.range << "/" << c.eVersion << "/" << c.mode);
        CurrentChannel ch;
        ch.rangeNames = Orlu505RangeNames();
        ch.inputKind = c.input;
        ch.rangeIndex = c.range;
        ComputeRangeScaling505(ch, c.eVersion, c.mode);
        EXPECT_EQ(ch.rangeNameIndex, c.nameIndex);
        EXPECT_EQ(ch.rangeTopDb, c.top);
        EXPECT_EQ(ch.rangeBottomDb, c.top - 70);
        EXPECT_DOUBLE_EQ(ch.rangeScale, c.scale);
        // Range r takes amplitude entry 2r - 1: 0.026 for range 1, 0.26 for range 2.
        EXPECT_DOUBLE_EQ(ch.sampleScale, c.scale * (c.range == 1 ? 0.026 : 0.26) / 32768.0);
    }
    // A range the amplitude table does not know has no sample scale.
    CurrentChannel outside;
    outside.rangeNames = Orlu505RangeNames();
    outside.rangeIndex = 5;
    ComputeRangeScaling505(outside, false, 0);
    EXPECT_EQ(outside.sampleScale, 0.0);
}

TEST_F(Analyzer505, LevelOffsetOfVibrationInputs)
{
    Analyzer505Spec spec = Octave(3, 10, 9);
    spec.input = kInputAccelerometer;
    spec.levelOffset20 = true;
    EXPECT_EQ(Load(spec)->Channel().sensitivityOffset, 200);
    spec.input = kInputMicrophone;
    EXPECT_EQ(Load(spec)->Channel().sensitivityOffset, 0);
}

TEST_F(Analyzer505, TimeHistoryHistogramAndViews)
{
    Analyzer505Spec spec = Octave(4, 31, 30);
    spec.spectra = 3;
    spec.timeHistory = true;
    spec.histogram = true;
    auto doc = Load(spec);
    ASSERT_TRUE(doc->AnalyzerDecoded());
    const Setup505& s = doc->Analyzer();
    EXPECT_EQ(s.bandEnd, 31); // word 11 holds 32: the record number counts
    EXPECT_EQ(s.wordsPerRecord, 32u);
    EXPECT_EQ(s.recordCount, 3u);
    // The block lies behind the three numbered spectra.
    EXPECT_EQ(s.histogram.position, 17u + 3 * 32);
    EXPECT_EQ(s.histogram.count, 31);
    EXPECT_EQ(s.histogram.classes, 12);
    EXPECT_EQ(s.histogram.lowest, 400);
    EXPECT_TRUE(s.bandStatistics);
    EXPECT_EQ(doc->Channel().histClasses, 12);
    EXPECT_TRUE(doc->RecordIndexPresent());
    EXPECT_EQ(doc->GetRecordIndex(), (std::vector<std::uint32_t>{1, 2, 3}));
    // Bands from 25 Hz: the reverberation range runs from 31.5 Hz (band 1) to 8 kHz (band 25).
    EXPECT_EQ(s.rtFirstBand, 1);
    EXPECT_EQ(s.rtBandCount, 25);
    EXPECT_EQ(doc->GetViewMask(), kViewMaskHeaderInfo | kViewMaskHistograms | kViewMaskStatLevels |
                                      kViewMaskDensities | kViewMaskOctave11 | kViewMaskOctave13 |
                                      kViewMaskIntersections | kViewMaskHexa | kViewMaskAscii);

    // An edited file keeps the index it brings.
    FixtureBuilder edited = fixture::Analyzer505Container(spec, 11);
    edited.PatchLe32(edited.Size() - 4, 9);
    auto kept = Load(edited);
    EXPECT_EQ(kept->GetRecordIndex(), (std::vector<std::uint32_t>{1, 2, 9}));
}

TEST_F(Analyzer505, ViewsByFunction)
{
    constexpr std::uint32_t kBase = kViewMaskHeaderInfo | kViewMaskHexa | kViewMaskAscii;
    struct Case {
        const char* name;
        Analyzer505Spec spec;
        std::uint32_t mask;
    } cases[] = {
        {"Time", Fft(1, 400), kBase | kViewMaskWaveforms | kViewMaskSpectra},
        {"Spectrum", Fft(2, 400), kBase | kViewMaskSpectra},
        {"1/1 octave", Octave(3, 10, 9), kBase | kViewMaskOctave11},
        {"1/3 octave", Octave(4, 31, 30), kBase | kViewMaskOctave11 | kViewMaskOctave13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Load(c.spec)->GetViewMask(), c.mask);
    }
}

TEST_F(Analyzer505, MultifileDecodesEachSubfileAndNeverOffersIntersectionsOrAscii)
{
    Analyzer505Spec first = Octave(3, 10, 9);
    first.spectra = 4;
    const Analyzer505Spec specs[] = {first, Fft(1, 400)};
    auto doc = Load(fixture::Analyzer505Multifile(specs));
    ASSERT_TRUE(doc->AnalyzerDecoded());
    EXPECT_EQ(doc->FileKind(), 24);
    EXPECT_EQ(doc->GetViewMask() & (kViewMaskIntersections | kViewMaskAscii), 0u);
    EXPECT_EQ(doc->Analyzer().function, 3);

    ASSERT_TRUE(doc->DecodeSetup505(2));
    EXPECT_EQ(doc->Analyzer().function, 1);
    EXPECT_EQ(doc->Analyzer().subfileStart, doc->GetSubfileStart(2));
    EXPECT_EQ(doc->Channel().bandKind, 1);
    EXPECT_EQ(doc->GetSubfileName(2), "A0000002");
}

TEST_F(Analyzer505, DosFileChecksum)
{
    const FixtureBuilder good = fixture::Analyzer505Dos(Octave(3, 10, 9));
    auto doc = Load(good);
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(doc->FileKind(), 4);
    EXPECT_TRUE(doc->AnalyzerDecoded());

    FixtureBuilder flipped = good;
    const std::size_t level = flipped.Size() - 6; // a byte of the last band level
    flipped.PatchLe16(level, static_cast<std::uint16_t>(flipped.Data()[level] ^ 0x01));
    auto bad = Load(flipped);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"a.orl  -  The file checksum invalid"});
    EXPECT_TRUE(bad->AnalyzerDecoded()); // the load goes on
}

TEST_F(Analyzer505, AsciiFormWritesHeaderSpectraAndHistograms)
{
    Analyzer505Spec spec = Octave(3, 3, 2);
    spec.spectra = 2;
    spec.timeHistory = true;
    spec.histogram = true;
    spec.histogramClasses = 2;
    auto doc = Load(spec);
    const std::string form = Ascii(*doc);
    EXPECT_EQ(form, "\"ASCII form of the file: " + (dir / "a.orl").string() + "\";\r\n"
                    "\r\n"
                    "17,\"10:00:00\",\"24/05/14\",2,3,1,2,10,-1.5,1,8,4,001Ch,2,2,0,\r\n"
                    "2;\r\n"
                    "\r\n"
                    "1,70.0,69.7,69.4;\r\n"
                    "2,70.5,70.2,69.9;\r\n"
                    "5,3,2,40.0,2.0;\r\n"
                    "\r\n"
                    "10L,20L;\r\n"
                    "11L,21L;\r\n"
                    "12L,22L;\r\n");
}

TEST_F(Analyzer505, DamagedFilesAreRefusedOrReadInPartNeverPastTheirEnd)
{
    for (const fixture::DamagedAnalyzer505& c : fixture::DamagedAnalyzer505Files()) {
        SCOPED_TRACE(c.name);
        auto doc = Load(c.file);
        EXPECT_EQ(doc->AnalyzerDecoded(), c.decoded);
        EXPECT_EQ(doc->FileKind(), c.decoded ? 4 : kKindUnreadable);
        if (c.decoded) {
            EXPECT_EQ(doc->Analyzer().histogramFlag, c.histogramKept);
        }
        // The decoder itself stays inside the image, whatever it makes of the words.
        Setup505 s;
        EXPECT_NO_THROW(DecodeSetup505Header(doc->Reader(), {0, doc->Reader().WordCount()}, false, s));
        if (c.decoded)
            Ascii(*doc); // never throws: a form cut by the end says so in its last line
    }
}

TEST_F(Analyzer505, AsciiFormOfSpectraPastTheEndSaysSo)
{
    auto doc = Load(Patched(Octave(3, 10, 9), 14, 50));
    const std::string form = Ascii(*doc);
    EXPECT_NE(form.find(std::string(kImproperFileContentsLine)), std::string::npos);
}

} // namespace
} // namespace orlu
