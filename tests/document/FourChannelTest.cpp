// Decoding ORLU 545 and 590 (four-channel) files generated from the formats
// description: kinds, ModelFlags and views; channel and profile selection
// with 1 to 4 channels; results per channel and profile in 0.1 and 0.01 dB;
// loggers with descriptor records; recordings; malformed headers.

#include "DocumentTestSupport.h"

#include "document/ViewMask.h"
#include "document/results/ResultDecoders.h"
#include "support/FourChannelFixture.h"

#include <cmath>

namespace orlu {
namespace {

using fixture::FixtureBuilder;
using fixture::FourChannelLoggerWord;
using fixture::FourChannelMeasurementFile;
using fixture::FourChannelSpec;
using fixture::LoggerDescriptor;
using fixture::MakeFourChannelSpec;
using History = FourChannelSpec::History;

FixtureBuilder Container(std::uint8_t kind, const std::vector<std::uint8_t>& file)
{
    FixtureBuilder f;
    f.ContainerHeader(kind, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
    return f;
}

FixtureBuilder Container(std::uint8_t kind, const FourChannelSpec& spec)
{
    return Container(kind, FourChannelMeasurementFile(spec));
}

class FourChannel : public DocumentTest {};

constexpr std::uint32_t kBase = kViewMaskHeaderInfo | kViewMaskAscii | kViewMaskHexa;
constexpr std::uint32_t kStatistics = kViewMaskHistograms | kViewMaskStatLevels | kViewMaskDensities;

FourChannelSpec Logger(std::uint16_t firmware, int channels, std::uint32_t rows)
{
    FourChannelSpec spec = MakeFourChannelSpec(545, firmware, channels, 1);
    for (auto& p : spec.profiles)
        p.bufferWord = 0x0005; // two results a profile: bits 0 and 2
    spec.history = History::Logger;
    spec.rows = rows;
    spec.declaredCount = rows;
    return spec;
}

FourChannelSpec Recording(std::uint16_t device, std::uint16_t firmware, std::uint16_t mask, std::uint32_t rows)
{
    FourChannelSpec spec = MakeFourChannelSpec(device, firmware, 4, 1);
    spec.history = History::Waveform;
    spec.waveformMask = mask;
    spec.rows = rows;
    spec.declaredCount = rows;
    return spec;
}

TEST_F(FourChannel, KindsFlagsAndViews)
{
    FourChannelSpec meter = MakeFourChannelSpec(545, 217, 4, 3);
    FourChannelSpec histograms = meter;
    histograms.histogramMask = 0x5;
    FourChannelSpec octaves = MakeFourChannelSpec(590, 302, 2, 1);
    octaves.function = 2;
    octaves.spectrumMask = 0x3;
    FourChannelSpec thirds = octaves;
    thirds.function = 3;
    FourChannelSpec fft = MakeFourChannelSpec(545, 220, 3, 1);
    fft.function = 6;
    fft.spectrumMask = 0x2;
    FourChannelSpec loggedOctaves = Logger(217, 2, 5);
    loggedOctaves.function = 2;
    loggedOctaves.descriptors = {{9, {{0, 1, 1}, {1, 1, 1}}}};
    struct Case {
        const char* name;
        FourChannelSpec spec;
        ModelFlags flags;
        std::uint32_t views;
    } cases[] = {
        {"545 level meter", meter, {.FourChannel = true}, kBase | kViewMaskMainResults},
        {"545 histograms", histograms, {.FourChannel = true}, kBase | kViewMaskMainResults | kStatistics},
        {"590 octaves", octaves, {.Model590 = true, .FourChannel = true}, kBase | kViewMaskMainResults | kViewMaskOctave11},
        {"590 thirds", thirds, {.Model590 = true, .FourChannel = true},
         kBase | kViewMaskMainResults | kViewMaskOctave11 | kViewMaskOctave13},
        {"545 FFT", fft, {.FourChannel = true}, kBase | kViewMaskMainResults | kViewMaskSpectra},
        {"545 logger", Logger(217, 4, 3), {.FourChannel = true}, kBase | kViewMaskBuffer | kStatistics},
        {"545 logged octaves", loggedOctaves, {.FourChannel = true},
         kBase | kViewMaskBuffer | kStatistics | kViewMaskOctave11 | kViewMaskIntersections},
        {"590 recording", Recording(590, 302, 0xF, 4), {.Model590 = true, .FourChannel = true}, kBase | kViewMaskBuffer},
    };
    for (std::uint8_t stored : {std::uint8_t{42}, std::uint8_t{99}}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << " stored as " << int(stored));
            auto doc = Open(Write("k.orl", Container(stored, c.spec)));
            EXPECT_EQ(doc->FileKind(), 42);
            EXPECT_EQ(doc->Header().model, c.flags);
            EXPECT_EQ(doc->GetViewMask(), c.views);
        }
    }
    EXPECT_TRUE(ui.Messages().empty());
}

// The profile blocks are numbered j = p x channel count + c in the file; the
// selection answers by (channel, profile) whatever the channel count.
TEST_F(FourChannel, ProfilesAreSelectedByChannelAndProfile)
{
    for (int channels = 1; channels <= 4; ++channels) {
        SCOPED_TRACE(channels);
        auto doc = Open(Write("p.orl", Container(42, MakeFourChannelSpec(545, 217, channels, 3))));
        ASSERT_EQ(doc->Header().channelCount, channels);
        for (int c = 0; c < channels; ++c) {
            for (int p = 0; p < 3; ++p) {
                doc->SelectChannelProfile(c, p);
                EXPECT_EQ(doc->Channel().detectorWord, 100 + p * channels + c) << "channel " << c << " profile " << p;
                EXPECT_EQ(doc->Channel().detectorIndex, 1 + p);
                EXPECT_EQ(doc->Channel().calibration, -250 + 10 * c);
            }
            EXPECT_EQ(doc->Header().fourChannel.channels[static_cast<std::size_t>(c)].profileCount, 3);
        }
    }
    // Twelve profiles of four channels: profile 5 is channel 1 (from 0), profile 1.
    auto doc = Open(Write("q.orl", Container(42, MakeFourChannelSpec(590, 302, 4, 3))));
    doc->SelectChannelProfile(1, 1);
    EXPECT_EQ(doc->Channel().detectorWord, 105);
    EXPECT_EQ(doc->Header().fourChannel.vectorSlotNumber, 12);
    auto old = Open(Write("r.orl", Container(42, MakeFourChannelSpec(545, 216, 4, 1))));
    EXPECT_EQ(old->Header().fourChannel.vectorSlotNumber, 4);
}

TEST_F(FourChannel, ProfileWeightingFollowsTheFirmware)
{
    for (int channels : {2, 3}) {
        SCOPED_TRACE(channels);
        auto later = Open(Write("w.orl", Container(42, MakeFourChannelSpec(545, 217, channels, 3))));
        later->SelectChannelProfile(1, 0);
        later->SelectProfileWeighting(1, 2);
        EXPECT_EQ(later->Channel().detectorWord, 100 + 2 * channels + 1);
        EXPECT_EQ(later->Channel().filter, 13); // H-A: the accelerometer's third profile
        EXPECT_EQ(later->Channel().calibration, -240); // the channel's words stay

        // Before 2.17 the channel's first profile serves every profile row.
        auto older = Open(Write("v.orl", Container(42, MakeFourChannelSpec(545, 216, channels, 3))));
        older->SelectChannelProfile(0, 0);
        older->SelectProfileWeighting(1, 2);
        EXPECT_EQ(older->Channel().detectorWord, 101);

        // The vector row (channel count, profile above 0) changes nothing.
        const CurrentChannel before = later->Channel();
        later->SelectProfileWeighting(channels, 1);
        EXPECT_EQ(later->Channel(), before);
    }
}

TEST_F(FourChannel, InputKindsChooseTheNameTables)
{
    struct Case {
        bool microphoneFirst;
        const char* range0;
        const char* filter0;
        const char* result1;
        const char* detector0;
        const char* firstTotal0;
        const char* range1;
    } cases[] = {
        {true, "105 dB", "A", "Max", "Fast", "TOT_A", "145 dB"},
        {false, "145 dB", "W-Bxy", "P-P", "125ms", "TOTAL", "105 dB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.microphoneFirst);
        FourChannelSpec spec = MakeFourChannelSpec(545, 217, 2, 1, c.microphoneFirst);
        spec.function = 2;
        spec.spectrumMask = 0x1;
        auto doc = Open(Write("n.orl", Container(42, spec)));
        doc->SelectChannelProfile(0, 0);
        const CurrentChannel& ch = doc->Channel();
        EXPECT_EQ(ch.inputKind, c.microphoneFirst ? kInputMicrophone : kInputAccelerometer);
        EXPECT_STREQ(ch.rangeNames.At(ch.rangeIndex), c.range0);
        EXPECT_STREQ(ch.filterNames.At(ch.filter), c.filter0);
        EXPECT_STREQ(ch.resultNames.At(1), c.result1);
        EXPECT_STREQ(ch.detectorNames.At(ch.detectorIndex + 1), c.detector0);
        EXPECT_STREQ(ch.totalNames.At(0), c.firstTotal0);
        EXPECT_EQ(ch.rangeTopDb, std::atoi(c.range0));
        EXPECT_EQ(ch.rangeBottomDb, std::atoi(c.range0) - 70);
        doc->SelectChannelProfile(1, 0);
        EXPECT_STREQ(doc->Channel().rangeNames.At(doc->Channel().rangeIndex), c.range1);
        EXPECT_TRUE(doc->Header().fourChannel.mixedInputs);
    }
}

TEST_F(FourChannel, MicrophoneWordsFollowTheFirmware)
{
    FourChannelSpec later = MakeFourChannelSpec(545, 217, 2, 1);
    later.fieldCorrection = 1;
    later.secondMicrophoneWord = 3;
    auto doc = Open(Write("m.orl", Container(42, later)));
    doc->SelectChannelProfile(0, 0);
    EXPECT_EQ(doc->Channel().micFieldCorrection, 1);
    EXPECT_EQ(doc->Channel().micOutdoorFilter, 3);
    EXPECT_EQ(doc->Channel().micPolarization, 0);
    EXPECT_EQ(doc->Channel().compensationFilter, 0);

    FourChannelSpec older = later;
    older.firmware = 216;
    auto old = Open(Write("o.orl", Container(42, older)));
    old->SelectChannelProfile(0, 0);
    EXPECT_EQ(old->Channel().micFieldCorrection, 1);
    EXPECT_EQ(old->Channel().micPolarization, 3);
    EXPECT_EQ(old->Channel().micOutdoorFilter, 0);
    EXPECT_EQ(old->Channel().compensationFilter, 1); // word 4 of the record: the first block's range word
    // An accelerometer channel has no microphone settings.
    old->SelectChannelProfile(1, 0);
    EXPECT_EQ(old->Channel().micPolarization, 0);
}

ResultValues Decode(CTmDoc& doc, int c, int p, bool linear)
{
    doc.SelectChannelProfile(c, p);
    ResultValues out;
    DecodeResultRow(doc.Results(), c, p, out, linear, 6, 1.0);
    return out;
}

TEST_F(FourChannel, ResultsPerChannelAndProfileInTenthsAndHundredthsOfADecibel)
{
    // Firmware 2.17 on: levels in 0.01 dB, record c + 4p; the file's words are ten times the 0.1 dB ones.
    FourChannelSpec hundredths = MakeFourChannelSpec(545, 219, 3, 2);
    auto doc = Open(Write("h.orl", Container(42, hundredths)));
    EXPECT_TRUE(doc->Header().fourChannel.hundredths);
    EXPECT_DOUBLE_EQ(doc->Results().levelDivisor, 100.0);
    EXPECT_DOUBLE_EQ(doc->Results().linearDivisor, 2000.0);
    struct Case {
        int c, p;
        double leq, peak;
    } cases[] = {{0, 0, 80.0, 100.0}, {2, 0, 82.0, 102.0}, {1, 1, 91.0, 111.0}, {2, 1, 92.0, 112.0}};
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "channel " << k.c << " profile " << k.p);
        const ResultValues db = Decode(*doc, k.c, k.p, false);
        // Channel 0 is a microphone (Leq and peak); the others accelerometers (RMS and peak).
        EXPECT_DOUBLE_EQ(db.result, k.leq);
        EXPECT_DOUBLE_EQ(db.peak, k.peak);
        const ResultValues linear = Decode(*doc, k.c, k.p, true);
        // Linear with the divisor 2000; accelerometers add the acceleration reference 120.0 dB of record 4.
        const double reference = k.c == 0 ? 0.0 : 120.0;
        EXPECT_NEAR(linear.result, std::pow(10.0, (k.leq + reference) / 20.0 - 6.0), 1e-9 * linear.result);
    }
    // From 2.19 the overload time of channel c lies in record c + 4: 6 + c seconds of 600.
    EXPECT_DOUBLE_EQ(Decode(*doc, 2, 0, false).overloadPercent, 8.0 * 100.0 / 600.0);
    // A microphone channel's SEL: 10 log10(600) + Leq.
    EXPECT_NEAR(Decode(*doc, 0, 1, false).sel, 10.0 * std::log10(600.0) + 90.0, 1e-9);

    // Before 2.16: 0.1 dB words, one record per channel.
    auto tenths = Open(Write("t.orl", Container(42, MakeFourChannelSpec(545, 215, 3, 1))));
    EXPECT_FALSE(tenths->Header().fourChannel.hundredths);
    EXPECT_DOUBLE_EQ(tenths->Results().levelDivisor, 10.0);
    EXPECT_DOUBLE_EQ(Decode(*tenths, 2, 0, false).result, 82.0);
    EXPECT_DOUBLE_EQ(Decode(*tenths, 2, 0, false).overloadPercent, 0.0); // no overload time before 2.19

    // A time history keeps 0.1 dB words whatever the firmware.
    auto logger = Open(Write("l.orl", Container(42, Logger(219, 2, 3))));
    EXPECT_FALSE(logger->Header().fourChannel.hundredths);
    EXPECT_DOUBLE_EQ(logger->Results().levelDivisor, 10.0);
}

TEST_F(FourChannel, LoggerWithDescriptorsMarkersBreaksAndDroppedWords)
{
    FourChannelSpec spec = Logger(217, 2, 4);
    spec.function = 6;
    spec.stepSeconds = 0;
    spec.stepMillis = 25;
    spec.declaredCount = 0xFFFFFFFF;
    // Two FFT channels of (3, 30) words each make every row 2 x (3 + 30 + 1) = 68 words longer.
    spec.descriptors = {{11, {}}, {33, {{0, 3, 30}, {1, 3, 30}}}};
    spec.loggerWords = {FourChannelLoggerWord{1, 0x8, 7}, FourChannelLoggerWord{2, 0xA, 0x030201},
                        FourChannelLoggerWord{3, 0xB, 258}};
    auto doc = Open(Write("g.orl", Container(42, spec)));
    EXPECT_TRUE(ui.Messages().empty());
    const CurrentHeader& h = doc->Header();
    EXPECT_EQ(h.resultsPerBufferRecord, 4);
    EXPECT_EQ(h.fourChannel.rowLengthCopy, 4);
    EXPECT_EQ(h.rowLength, 4 + 68);
    EXPECT_EQ(h.spectraInBuffer, 2);
    EXPECT_EQ(h.fourChannel.fftMask, 0x3);
    EXPECT_EQ(h.fourChannel.octaveMask, 0x3);
    EXPECT_EQ(h.fourChannel.channels[1].fftWords[1], 30);
    EXPECT_DOUBLE_EQ(h.timeStep, 0.025);
    EXPECT_EQ(h.timeStepDecimals, 2);
    EXPECT_EQ(h.declaredCount, 4u); // unknown: the rows found
    EXPECT_EQ(h.spectrumCount, 4);
    EXPECT_EQ(doc->GetRecordIndex().ToVector(), (std::vector<std::uint32_t>{1, 2, 3, 262}));
    ASSERT_EQ(doc->LoggerMarkers().size(), 1u);
    EXPECT_EQ(doc->LoggerMarkers()[0], (LoggerMarker{2, 7}));
    EXPECT_TRUE(doc->LoggerBreaks().empty()); // breaks are counted, not listed
    // The compact image: header words, four rows, the end word.
    const std::uint32_t data = h.fourChannel.dataPosition;
    EXPECT_EQ(doc->ByteCount(), 2 * (data + 4 * 72 + 1));
    EXPECT_EQ(doc->Reader().Word(data + 72), fixture::LoggerRowWord(1, 0));
    // The unknown count was written back, in the image as read (rows found, their last number) and compact.
    EXPECT_EQ(doc->Reader().Int32AtWord(h.bufferRecord + 6), 4u);
    EXPECT_EQ(doc->Reader().Int32AtWord(h.bufferRecord + 8), 4u);
    const ImageReader asRead(doc->AsLoadedImage(), doc->AsLoadedByteCount());
    EXPECT_EQ(asRead.Int32AtWord(h.bufferRecord + 6), 4u);
    EXPECT_EQ(asRead.Int32AtWord(h.bufferRecord + 8), 262u);

    // Decoding again reads the compact image and gives the same fields.
    const CurrentHeader first = doc->Header();
    ASSERT_TRUE(doc->DecodeFileHeader(0));
    EXPECT_EQ(doc->Header(), first);
    EXPECT_EQ(doc->GetRecordIndex().size(), 4u);
}

TEST_F(FourChannel, ReducedLoggerKeepsItsDescriptorsAndReopensWithItsRows)
{
    // A logger with 1/1-octave descriptors (record 9 after the logger 24) and a marker:
    // reduced to its first three rows, it is stored as kind 50 with the header up to the
    // first row, the three rows, the end word and the index of what is kept.
    FourChannelSpec spec = Logger(217, 2, 4);
    spec.function = 2;
    spec.descriptors = {{9, {{0, 1, 1}, {1, 1, 1}}}};
    spec.loggerWords = {FourChannelLoggerWord{1, 0x8, 3}};
    auto doc = Open(Write("l.orl", Container(42, spec)));
    ASSERT_TRUE(ui.Messages().empty());
    const CurrentHeader& h = doc->Header();
    const std::uint32_t data = h.fourChannel.dataPosition;
    const std::uint32_t row = h.rowLength;
    ASSERT_GT(data, h.bufferRecord + h.bufferRecordLength) << "descriptors lie between the logger and its rows";
    RecordIndex kept;
    for (std::uint32_t n : {1u, 2u, 3u})
        kept.push_back(n);
    doc->SetFileKind(50);
    doc->SetReduced(true);
    doc->SetBufferRecords(3, kept);
    const std::vector<std::uint8_t> stored = SaveAndRead(*doc, "reduced.orl");
    ASSERT_EQ(stored.size(), 32 + 2 * (data + 3 * row + 1) + 3 * 4);

    auto again = Open(dir / "reduced.orl");
    EXPECT_TRUE(ui.Messages().empty()) << ui.Messages().front();
    EXPECT_EQ(again->FileKind(), 50);
    EXPECT_TRUE(again->Header().model.FourChannel);
    EXPECT_EQ(again->Header().declaredCount, 3u);
    EXPECT_EQ(again->Header().rowLength, row);
    EXPECT_EQ(again->Header().fourChannel.dataPosition, data);
    EXPECT_EQ(again->GetRecordIndex().ToVector(), (std::vector<std::uint32_t>{1, 2, 3}));
    const ImageReader rows = again->Reader();
    for (std::uint32_t r = 0; r < 3; ++r)
        for (std::uint32_t w = 0; w < row; ++w)
            ASSERT_EQ(rows.Word(data + r * row + w), fixture::LoggerRowWord(r, w)) << r << " " << w;
    EXPECT_EQ(rows.Word(data + 3 * row), 0xFFFF);
    EXPECT_TRUE(again->GetViewMask() & kViewMaskBuffer);
}

TEST_F(FourChannel, LoggerRowsVectorAndRotation)
{
    FourChannelSpec spec = Logger(220, 4, 3);
    spec.vectorRecord = true;
    spec.vectorInBuffer = 1;
    spec.coefficients = {100, 0, 50, 100};
    spec.coefficientUse = {1, 1, 0, 1};
    spec.rotationInBuffer = 1;
    spec.declaredCount = 5; // differs from the rows: no message, the rows found
    auto doc = Open(Write("v.orl", Container(42, spec)));
    EXPECT_TRUE(ui.Messages().empty());
    const CurrentHeader& h = doc->Header();
    // Channels 1 and 4 take part; channel 1 is a microphone (A), channel 4 an accelerometer (W-Bxy).
    EXPECT_EQ(h.fourChannel.vectorFormula, "1.00^2*(#1:A)^2 + 1.00^2*(#4:W-Bxy)^2");
    EXPECT_TRUE(h.fourChannel.vector);
    // 4 channels of 2 results, the vector and the rotation (2 words, 1 result).
    EXPECT_EQ(h.resultsPerBufferRecord, 10);
    EXPECT_EQ(h.rowLength, 11);
    EXPECT_EQ(h.profilesWithBuffer, 0x1F);
    EXPECT_EQ(h.bufferResultCount, 5);
    EXPECT_EQ(h.declaredCount, 3u);
    EXPECT_EQ(h.fourChannel.channels[kPseudoChannel].profiles[0].bufferWord, 3);
    EXPECT_EQ(h.fourChannel.channels[kPseudoChannel].resultsInBuffer, 2);
    EXPECT_EQ(h.fourChannel.vectorSlot.flagsWord, 3);
    // Buffer histograms: 120 classes from calibration + 170 rounded up to 10 (0.1 dB).
    EXPECT_EQ(h.fourChannel.channels[1].histogram.classes, 120);
    EXPECT_EQ(h.fourChannel.channels[1].histogram.lowest, -70);
    doc->SelectChannelProfile(1, 0);
    EXPECT_EQ(doc->Channel().histClasses, 120);
    EXPECT_EQ(doc->Channel().histLowest, (145 - 70) * 10 - 300);
}

TEST_F(FourChannel, RecordingsOfTheirChannels)
{
    struct Case {
        const char* name;
        std::uint16_t device, mask, rotation, rateIndex;
        int results, row;
        double step;
    } cases[] = {
        {"545, 3 channels", 545, 0x7, 0, 0, 3, 5, 1.0 / 3200},
        {"545, 3 channels and the rotation", 545, 0x7, 1, 3, 4, 7, 1.0 / 1280},
        {"590, rate index 2", 590, 0xF, 0, 2, 4, 6, 1.0 / 1500},
        {"590, one channel", 590, 0x4, 0, 9, 1, 2, 1.0 / 150},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FourChannelSpec spec = Recording(c.device, c.device == 545 ? 220 : 302, c.mask, 10);
        spec.rotationInBuffer = c.rotation;
        spec.rateIndex = c.rateIndex;
        auto doc = Open(Write("w.orl", Container(42, spec)));
        const CurrentHeader& h = doc->Header();
        EXPECT_TRUE(h.fourChannel.waveform);
        EXPECT_EQ(h.resultsPerBufferRecord, c.results);
        EXPECT_EQ(h.rowLength, c.row);
        EXPECT_DOUBLE_EQ(h.timeStep, c.step);
        EXPECT_EQ(h.declaredCount, 10u);
        EXPECT_EQ(doc->GetRecordIndex().ToVector(), (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        EXPECT_FALSE(h.histogramsAvailable);
        EXPECT_EQ(doc->GetViewMask(), kBase | kViewMaskBuffer);
    }
    // The sample scale of a microphone channel in range 1 (115 dB, calibration -25.0 dB).
    auto doc = Open(Write("s.orl", Container(42, Recording(545, 220, 0xF, 2))));
    doc->SelectChannelProfile(0, 0);
    EXPECT_NEAR(doc->Channel().sampleScale,
                std::pow(10.0, (-25.0 + 115.0) / 20.0 - 6.0) * std::sqrt(2.0) * 8388607.0 / 4194304.0 * 20.0, 1e-12);
    EXPECT_EQ(doc->Channel().histClasses, 0); // recordings have no fixed classes
}

TEST_F(FourChannel, SpectraPerChannel)
{
    FourChannelSpec spec = MakeFourChannelSpec(590, 302, 3, 1);
    spec.function = 3;
    spec.spectrumMask = 0x5;
    spec.bands = 30;
    spec.bandExtras = 3;
    spec.extraSpectrum = true;
    auto doc = Open(Write("t.orl", Container(42, spec)));
    const CurrentHeader& h = doc->Header();
    EXPECT_EQ(h.fourChannel.thirdMask, 0x5);
    EXPECT_EQ(h.fourChannel.octaveMask, 0x5);
    EXPECT_EQ(h.spectrumCount, 2);
    doc->SelectChannelProfile(2, 0);
    EXPECT_EQ(doc->Channel().bandKind, kBandOctave13);
    EXPECT_EQ(doc->Channel().bandCount, 30);
    EXPECT_EQ(doc->Channel().bandEnd, 33);
    EXPECT_EQ(doc->Channel().thirdMissing, 15);
    EXPECT_EQ(doc->Channel().octaveBandCount, 10);
    EXPECT_EQ(doc->Channel().spectraCount, 2);
    // Channel 1 has no spectra: nothing of channel 2's stays.
    doc->SelectChannelProfile(1, 0);
    EXPECT_EQ(doc->Channel().bandKind, kBandNone);
    EXPECT_EQ(doc->Channel().bandCount, 0);

    FourChannelSpec fft = MakeFourChannelSpec(545, 217, 2, 1);
    fft.function = 6;
    fft.spectrumMask = 0x2;
    auto spectra = Open(Write("f.orl", Container(42, fft)));
    spectra->SelectChannelProfile(1, 0);
    const CurrentChannel& ch = spectra->Channel();
    EXPECT_EQ(ch.bandKind, kBandFft);
    EXPECT_DOUBLE_EQ(ch.firstBandHz, 46.875);
    EXPECT_DOUBLE_EQ(ch.fftRangeHz, 18750.0);
    EXPECT_STREQ(ch.fftBandNames.At(1), "22.4 kHz");
}

// The per-channel reverberation results 37 and 38 hold the channel number in
// word 2, so their band words stand one word later than in records 27 and 28.
TEST_F(FourChannel, ReverberationBandsSkipTheChannelWord)
{
    for (const std::uint16_t count : {1, 2}) {
        FourChannelSpec spec = MakeFourChannelSpec(545, 217, 3, 1);
        spec.function = 8;
        spec.rt60 = {count, 3, 31, 32, 2, {{1000, 1001, 1002, 1003}, {900, 901, 902, 903}, {800, 801, 802, 803}, {700, 701, 702, 703}}};
        spec.rtChannels = {2, 0};
        auto doc = Open(Write("rt.orl", Container(42, spec)));
        ASSERT_TRUE(doc->HeaderDecoded()) << count;
        const CurrentHeader& h = doc->Header();
        EXPECT_EQ(h.bandExtras, 2) << count;
        EXPECT_EQ(h.bandCount, 47) << count;
        EXPECT_EQ(h.bandsShown, 45) << count;
        EXPECT_EQ(h.lowestBandWord, 3) << count; // the record's band setting, not the channel number 2
        EXPECT_EQ(h.rt60Words, (std::array<std::uint16_t, 4>{3, 2, 31, 32})) << count;
    }
}

TEST_F(FourChannel, MalformedHeadersEndInTheLoadErrorAndStayOpenForHexa)
{
    auto counts = [](std::uint16_t channels, std::uint16_t profiles) {
        FourChannelSpec spec = MakeFourChannelSpec(545, 217, 4, 1);
        spec.channelCountWord = channels;
        spec.profileCountWord = profiles;
        return FourChannelMeasurementFile(spec);
    };
    FourChannelSpec unknownDescriptor = Logger(217, 2, 3);
    unknownDescriptor.descriptors = {{12, {}}};
    FourChannelSpec missedData = Logger(217, 2, 3);
    missedData.descriptors = {{9, {{0, 1, 1}}}};
    std::vector<std::uint8_t> missed = FourChannelMeasurementFile(missedData);
    // The logger's word 1 (the data's byte offset) points one word early: the walk misses it.
    for (std::size_t at = 0; at + 3 < missed.size(); at += 2)
        if (missed[at] == 24 && missed[at + 1] == 10) {
            missed[at + 2] = static_cast<std::uint8_t>(missed[at + 2] - 2);
            break;
        }
    FourChannelSpec shortChannels = MakeFourChannelSpec(545, 217, 2, 1);
    shortChannels.channelCountWord = 3;
    shortChannels.profileCountWord = 3;
    FourChannelSpec rate = Recording(545, 220, 0xF, 3);
    rate.rateIndex = 10;
    FourChannelSpec descriptorChannel = Logger(217, 2, 3);
    descriptorChannel.descriptors = {{9, {{2, 1, 1}}}};
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
    } cases[] = {
        {"no channels", counts(0, 0)},
        {"five channels", counts(5, 5)},
        {"absurd channel count", counts(300, 4)},
        {"13 profiles of 4 channels", counts(4, 13)},
        {"profiles past the profile record", counts(4, 12)},
        {"channel blocks past the channel record", FourChannelMeasurementFile(shortChannels)},
        {"descriptor of an unknown type", FourChannelMeasurementFile(unknownDescriptor)},
        {"descriptors that miss the data", missed},
        {"descriptor of a channel past the count", FourChannelMeasurementFile(descriptorChannel)},
        {"sampling-rate index past the table", FourChannelMeasurementFile(rate)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedInteraction local;
        AppContext localApp(local);
        CTmDoc doc(localApp);
        ASSERT_TRUE(doc.OnOpenDocument(Write("bad.orl", Container(42, c.file))));
        EXPECT_EQ(local.Messages(), std::vector<std::string>{"bad.orl  -  Improper file contents"});
        EXPECT_EQ(doc.FileKind(), 100);
        EXPECT_EQ(doc.GetViewMask(), kViewMaskHexa);
        EXPECT_EQ(doc.ByteCount(), c.file.size());
    }
}

TEST_F(FourChannel, DecodingAgainGivesTheSameFields)
{
    FourChannelSpec spec = MakeFourChannelSpec(590, 302, 3, 2, false);
    spec.function = 2;
    spec.spectrumMask = 0x3;
    spec.histogramMask = 0x7;
    spec.vectorRecord = true;
    spec.coefficients = {140, 140, 100, 0};
    spec.coefficientUse = {1, 1, 1, 0};
    auto doc = Open(Write("d.orl", Container(42, spec)));
    doc->SelectChannelProfile(2, 1);
    const CurrentHeader first = doc->Header();
    ASSERT_TRUE(doc->DecodeFileHeader(0));
    EXPECT_EQ(doc->Header(), first);
    EXPECT_EQ(first.fourChannel.vectorFormula, "1.40^2*(#1:W-Bxy)^2 + 1.40^2*(#2:A)^2 + 1.00^2*(#3:A)^2");
    EXPECT_EQ(first.fourChannel.channels[2].histogram.classes, 42);
    EXPECT_EQ(first.statisticsMask, 0x7);
}

} // namespace
} // namespace orlu
