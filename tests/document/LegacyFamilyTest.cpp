// Legacy-family documents (ORLU 505 METER-mode files): loading kinds 3, 10 and
// 23 and DOS *.M files, channel selection, ViewMask, damaged files, the record
// count write-back and the store of a reduced file.

#include "DocumentTestSupport.h"
#include "support/LegacyFixture.h"

#include <cmath>

namespace orlu {
namespace {

using fixture::FixtureBuilder;
using fixture::LegacyFileSpec;

class LegacyFamily : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenLegacy(std::uint8_t kind, const LegacyFileSpec& spec)
    {
        return Open(Write("f.orl", fixture::LegacyContainer(kind, spec)));
    }
};

TEST_F(LegacyFamily, OneChannelFileOpensDecoded)
{
    auto doc = Open(Write("SOUND.M", fixture::LegacyDosFile(fixture::PlausibleLegacySpec())));
    ASSERT_TRUE(doc->LegacyDecoded());
    EXPECT_TRUE(ui.Messages().empty());
    const LegacyHeader& h = doc->Legacy();
    EXPECT_EQ(doc->FileKind(), 3);
    EXPECT_EQ(h.prefixVariant, 0);
    EXPECT_EQ(h.headerLength, 10);
    EXPECT_EQ(h.date, 24 * 512 + 5 * 32 + 14);
    EXPECT_EQ(h.channelCount, 1);
    EXPECT_EQ(h.channels[0].function, 3);
    EXPECT_TRUE(h.hasMicrophone);
    EXPECT_TRUE(h.histogramFlag);
    EXPECT_EQ(h.histogram.classes, 60);
    EXPECT_EQ(h.histogram.lowest, 300);
    EXPECT_TRUE(h.statisticsFlag);
    EXPECT_EQ(h.statistics.percentages[2], 10);
    EXPECT_DOUBLE_EQ(h.statistics.levels[2], 86.0);
    EXPECT_DOUBLE_EQ(h.codeTimeStep, 1.0); // code 3: Slow
    EXPECT_FALSE(h.timeHistory);
    EXPECT_EQ(doc->GetViewMask(), kViewMaskHeaderInfo | kViewMaskMainResults | kViewMaskHistograms |
                                      kViewMaskStatLevels | kViewMaskDensities | kViewMaskAscii | kViewMaskHexa);

    // Channel 0 is current: range 2 of a Leq measurement names 100 dB.
    const CurrentChannel& ch = doc->Channel();
    EXPECT_EQ(ch.inputKind, kInputMicrophone);
    EXPECT_EQ(ch.rangeNameIndex, 8);
    EXPECT_EQ(ch.rangeTopDb, 100);
    EXPECT_EQ(ch.rangeBottomDb, 30);
    EXPECT_DOUBLE_EQ(ch.rangeScale, 1.0);
    EXPECT_NEAR(ch.sampleScale, std::pow(10.0, -20 / 200.0) * 0.26 / 32768.0, 1e-15);
}

TEST_F(LegacyFamily, AFileWithoutStatisticsOrHistoryOffersTheFourBasicViews)
{
    LegacyFileSpec spec;
    spec.statistics = false;
    auto doc = OpenLegacy(3, spec);
    EXPECT_EQ(doc->GetViewMask(), kViewMaskHeaderInfo | kViewMaskMainResults | kViewMaskAscii | kViewMaskHexa);
}

TEST_F(LegacyFamily, TimeHistoryGetsItsStepIndexAndHistogram)
{
    struct Case {
        std::array<std::uint16_t, 3> words;
        double step;
        int decimals;
    } cases[] = {{{0, 2, 0}, 2.0, 0}, {{0, 0, 125}, 0.125, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        auto doc = OpenLegacy(3, fixture::LegacyHistorySpec(500, c.words));
        const LegacyHeader& h = doc->Legacy();
        ASSERT_TRUE(h.timeHistory);
        EXPECT_DOUBLE_EQ(h.timeStep, c.step);
        EXPECT_EQ(h.timeStepDecimals, c.decimals);
        EXPECT_EQ(h.declaredCount, 500u);
        EXPECT_EQ(h.shownRecordCount, 500u);
        std::vector<std::uint32_t> expected(500);
        for (std::uint32_t i = 0; i < 500; ++i)
            expected[i] = i + 1;
        EXPECT_EQ(doc->GetRecordIndex(), expected);
        // 88 classes of 1 dB from the range bottom, every record counted once.
        EXPECT_EQ(h.histogram.classes, 88);
        EXPECT_EQ(h.histogram.lowest, 300);
        const std::vector<std::uint32_t>* counts = doc->LegacyBufferHistogram();
        ASSERT_NE(counts, nullptr);
        std::uint32_t total = 0;
        for (std::uint32_t n : *counts)
            total += n;
        EXPECT_EQ(total, 500u);
        // Record 0 is 40.0 dB: class 10 from 30 dB.
        EXPECT_GE((*counts)[10], 1u);
        EXPECT_EQ(doc->GetViewMask() & (kViewMaskBuffer | kViewMaskHistograms), kViewMaskBuffer | kViewMaskHistograms);
    }
}

TEST_F(LegacyFamily, ADeclaredCountPastTheDataIndexesOnlyTheRecordsThere)
{
    LegacyFileSpec spec = fixture::LegacyHistorySpec(40);
    spec.declaredRecords = 60000;
    auto doc = OpenLegacy(3, spec);
    ASSERT_TRUE(doc->LegacyDecoded());
    EXPECT_EQ(doc->Legacy().declaredCount, 60000u);
    EXPECT_EQ(doc->GetRecordIndex().size(), 40u);
    EXPECT_EQ(doc->Legacy().shownRecordCount, 40u);
}

TEST_F(LegacyFamily, BufferFileIsAlwaysATimeHistoryWithItsStoredIndex)
{
    LegacyFileSpec spec = fixture::LegacyTwoChannelSpec(0x4010);
    spec.reduced = true;
    spec.bufferRecords = 30;
    spec.histogramClasses = 20; // the flags of the original file; the reduced one has no histogram
    auto doc = OpenLegacy(10, spec);
    const LegacyHeader& h = doc->Legacy();
    ASSERT_TRUE(doc->LegacyDecoded());
    EXPECT_TRUE(h.timeHistory);
    EXPECT_FALSE(h.histogramFlag);
    EXPECT_FALSE(h.statisticsFlag);
    EXPECT_EQ(h.resultsPerRecord, 2);
    EXPECT_EQ(h.bufferResultCount, 2);
    EXPECT_EQ(h.bufferStatisticsMask, 0b11);
    EXPECT_EQ(doc->GetRecordIndex().size(), 30u);
    EXPECT_EQ(doc->GetViewMask(), kViewMaskHeaderInfo | kViewMaskHistograms | kViewMaskStatLevels |
                                      kViewMaskDensities | kViewMaskBuffer | kViewMaskAscii | kViewMaskHexa);
}

TEST_F(LegacyFamily, MultiChannelSelection)
{
    // Variant 2: references in the header; channel 1 an accelerometer measuring Val with Wd.
    auto doc = OpenLegacy(3, fixture::LegacyTwoChannelSpec(0x4011));
    const LegacyHeader& h = doc->Legacy();
    EXPECT_EQ(h.prefixVariant, 2);
    EXPECT_EQ(h.channelCount, 2);
    EXPECT_TRUE(h.statisticsFlag); // 35-word results blocks, microphone input
    EXPECT_TRUE(h.hasMicrophone && h.hasVibration);
    EXPECT_EQ(h.accelerationReference, 1200);
    doc->SelectLegacyChannel(1);
    const CurrentChannel& ch = doc->Channel();
    EXPECT_EQ(ch.inputKind, kInputAccelerometer);
    EXPECT_EQ(ch.function, 8);
    EXPECT_EQ(ch.filter, 24);
    EXPECT_FALSE(ch.dualFilter);
    EXPECT_EQ(ch.sensitivityOffset, 1200); // Val with Wd: the acceleration reference
    EXPECT_EQ(ch.rangeNameIndex, 2 * 3 + 3 + 4 + 1);
    EXPECT_EQ(ch.rmsDetectorType, 2);
}

TEST_F(LegacyFamily, ProbeChannelsTakeTheirKindsAndTheVectorFormula)
{
    auto doc = OpenLegacy(3, fixture::LegacyProbeSpec(true));
    const LegacyHeader& h = doc->Legacy();
    ASSERT_TRUE(doc->LegacyDecoded());
    EXPECT_EQ(h.probeModel, 6);
    EXPECT_TRUE(h.vector);
    EXPECT_EQ(h.profileMask, 0b11111);
    doc->SelectLegacyChannel(0);
    EXPECT_EQ(doc->Channel().inputKind, kInputAccelerometer); // stored 0
    EXPECT_EQ(doc->Channel().vectorFormula, "1.40^2*(#1:Wd)^2 + 1.40^2*(#2:Wd)^2 + 1.00^2*(#3:Wk)^2");
    EXPECT_DOUBLE_EQ(doc->Channel().rangeScale, 0.6324555); // a channel mode
    doc->SelectLegacyChannel(4);
    EXPECT_EQ(doc->Channel().inputKind, kInputAccelerometer); // the vector channel takes the axes' kind

    auto intensity = OpenLegacy(3, fixture::LegacyProbeSpec(false));
    const LegacyHeader& i = intensity->Legacy();
    EXPECT_EQ(i.probeModel, 8);
    EXPECT_TRUE(i.vectorMicrophone);
    EXPECT_FALSE(i.vector);
    EXPECT_FALSE(i.statisticsFlag);
    intensity->SelectLegacyChannel(2);
    EXPECT_EQ(intensity->Channel().inputKind, kInputMicrophone); // non-zero stored kind with channel mode 2
    intensity->SelectLegacyChannel(4);
    EXPECT_EQ(intensity->Channel().inputKind, kInputMicrophone);
}

TEST_F(LegacyFamily, StoredKindsAndFiltersOfTheSelection)
{
    struct Case {
        std::uint16_t stored, mode;
        std::int16_t filter;
        std::uint16_t kind, shownFilter;
        bool dual;
    } cases[] = {{0, 1, 2, kInputAccelerometer, 2, false}, {1, 2, 4, kInputMicrophone, 4, true},
                 {1, 1, 11, kInputCharge, 11, true},       {3, 3, -2, kInputCharge, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stored << " mode " << c.mode);
        LegacyFileSpec spec = fixture::LegacyProbeSpec(false);
        spec.channelMode = c.mode;
        spec.channels[1].input = c.stored;
        spec.channels[1].filter = c.filter;
        auto doc = OpenLegacy(3, spec);
        doc->SelectLegacyChannel(1);
        EXPECT_EQ(doc->Channel().inputKind, c.kind);
        EXPECT_EQ(doc->Channel().filter, c.shownFilter);
        EXPECT_EQ(doc->Channel().dualFilter, c.dual);
    }
}

TEST_F(LegacyFamily, MultifileScansItsFilesAndDecodesEachOnRequest)
{
    auto doc = Open(Write("m.orl", fixture::Multifile(23, fixture::LegacyMultifileMembers(4))));
    ASSERT_EQ(doc->FileKind(), 23);
    ASSERT_TRUE(doc->LegacyDecoded());
    EXPECT_TRUE(doc->Legacy().merged);
    EXPECT_EQ(doc->Legacy().time, LegacyFileSpec{}.time + 300); // the first file, after the scan
    const SubfileContents& c = doc->GetSubfileContents();
    EXPECT_EQ(c.Group(ContentGroup::Buffer).first, 2);
    EXPECT_EQ(c.Group(ContentGroup::Histogram).first, 1);
    EXPECT_EQ(c.Group(ContentGroup::Histogram).last, 4);
    EXPECT_EQ(c.largestRecordCount, 500u);
    EXPECT_EQ(doc->GetViewMask(), kViewMaskHeaderInfo | kViewMaskMainResults | kViewMaskHistograms |
                                      kViewMaskStatLevels | kViewMaskDensities | kViewMaskBuffer | kViewMaskHexa);
    ASSERT_TRUE(doc->DecodeLegacyHeader(2));
    EXPECT_TRUE(doc->Legacy().timeHistory);
    EXPECT_DOUBLE_EQ(doc->Legacy().timeStep, 0.125);
    EXPECT_FALSE(doc->RecordIndexPresent()); // a Multifile's buffers are counted per file
    ASSERT_TRUE(doc->DecodeLegacyHeader(3));
    EXPECT_FALSE(doc->Legacy().statisticsFlag);
}

TEST_F(LegacyFamily, DamagedFilesAreRefusedOrLeaveTheValueOut)
{
    const std::vector<std::uint8_t> good = fixture::LegacyMeasurementFile(fixture::PlausibleLegacySpec());
    // Words of the plausible file: header 0-9, results 10-41, histogram 42-165, check word.
    auto patched = [&](std::size_t word, std::uint16_t value) {
        std::vector<std::uint8_t> bytes = good;
        bytes[2 * word] = static_cast<std::uint8_t>(value & 0xFF);
        bytes[2 * word + 1] = static_cast<std::uint8_t>(value >> 8);
        return bytes;
    };
    LegacyFileSpec plain;
    const std::vector<std::uint8_t> noHistogram = fixture::LegacyMeasurementFile(plain);
    std::vector<std::uint8_t> shortResults = noHistogram;
    shortResults[20] = 31; // R: one word short of the statistics
    auto cut = [&](std::size_t words) { return std::vector<std::uint8_t>(good.begin(), good.begin() + 2 * words); };
    const std::vector<std::uint8_t> twoChannels =
        fixture::LegacyMeasurementFile(fixture::LegacyTwoChannelSpec(0x4010));
    auto patchedTwo = [&](std::size_t word, std::uint16_t value) {
        std::vector<std::uint8_t> bytes = twoChannels;
        bytes[2 * word] = static_cast<std::uint8_t>(value & 0xFF);
        bytes[2 * word + 1] = static_cast<std::uint8_t>(value >> 8);
        return bytes;
    };
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
        bool decoded;
        bool statistics;
    } cases[] = {
        {"header length past the file", patched(0, 0xFFF), false, false},
        {"results block past the file", patched(10, 0x3FFF), false, false},
        {"results block too short for statistics", shortResults, true, false},
        {"histogram classes past the file", patched(43, 5000), false, true},
        {"file ends inside the statistics", cut(30), false, false},
        {"file ends inside the histogram", cut(100), false, true},
        {"header length 0", patched(0, 0), true, false},
        {"channel count 0", patchedTwo(5, 0), false, false},
        {"channel block past the file", patchedTwo(14, 0xFFFF), false, false},
        {"channel blocks of length 0", patchedTwo(14, 0), true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedInteraction local;
        AppContext localApp(local);
        CTmDoc doc(localApp);
        FixtureBuilder f;
        f.ContainerHeader(3, 0, 0, static_cast<std::uint32_t>(c.file.size())).Bytes(c.file);
        ASSERT_TRUE(doc.OnOpenDocument(Write("d.orl", f)));
        EXPECT_EQ(doc.LegacyDecoded(), c.decoded);
        EXPECT_EQ(doc.FileKind(), c.decoded ? 3 : 100);
        if (c.decoded)
            EXPECT_EQ(doc.Legacy().statisticsFlag, c.statistics);
        else
            EXPECT_EQ(doc.GetViewMask(), kViewMaskHexa);
        // A damaged file fails its check word too; refused, it says so.
        const std::vector<std::string> messages = local.Messages();
        EXPECT_EQ(std::count(messages.begin(), messages.end(), "d.orl  -  Improper file contents"), c.decoded ? 0 : 1);
    }
}

TEST_F(LegacyFamily, AnUnknownPrefixIsReportedAndTheFileShownAsBytes)
{
    LegacyFileSpec spec = fixture::LegacyTwoChannelSpec(0x4012);
    auto doc = OpenLegacy(3, spec);
    EXPECT_EQ(doc->FileKind(), 100);
    ASSERT_GE(ui.Messages().size(), 1u);
    EXPECT_NE(ui.Messages()[0].find("4012"), std::string::npos) << ui.Messages()[0];
    EXPECT_EQ(doc->GetViewMask(), kViewMaskHexa);
}

TEST_F(LegacyFamily, RecordCountGoesWhereTheDescriptionKeepsIt)
{
    LegacyFileSpec old = fixture::LegacyHistorySpec(300);
    LegacyFileSpec wide = fixture::LegacyTwoChannelSpec(0x4010);
    wide.formatVersion = 40;
    wide.bufferRecords = 70000; // a count of 32 bits: 1 in the high word
    for (const LegacyFileSpec& spec : {old, wide}) {
        SCOPED_TRACE(spec.formatVersion);
        auto doc = OpenLegacy(3, spec);
        ASSERT_TRUE(doc->LegacyDecoded());
        EXPECT_EQ(doc->Legacy().declaredCount, spec.bufferRecords);
        const std::uint32_t d = doc->Legacy().bufferStart;
        ASSERT_TRUE(doc->WriteRecordCount(0, 12));
        EXPECT_EQ(doc->Reader().Word(d + 5), 12);
        if (spec.formatVersion == 40) { // the old count's high word goes too
            EXPECT_EQ(doc->Reader().Word(d + 6), 0);
        }
    }
}

TEST_F(LegacyFamily, ReducedFileReopensDecodedWithTheSameHeader)
{
    for (bool twoChannels : {false, true}) {
        SCOPED_TRACE(twoChannels);
        LegacyFileSpec spec = twoChannels ? fixture::LegacyTwoChannelSpec(0x4011) : fixture::PlausibleLegacySpec();
        spec.bufferRecords = 200;
        spec.stepWords = {0, 0, 125};
        auto doc = OpenLegacy(3, spec);
        ASSERT_TRUE(doc->LegacyDecoded());
        const LegacyHeader before = doc->Legacy();

        // A reduction keeping the first 50 records, numbered as they were.
        RecordIndex kept;
        kept.AppendRun(1, 50);
        doc->SetFileKind(10);
        doc->SetBufferRecords(50, kept);
        doc->SetReduced(true);
        const std::vector<std::uint8_t> stored = SaveAndRead(*doc, "reduced.orl");
        EXPECT_EQ(doc->GetViewMask() & kViewMaskMainResults, 0u);

        auto again = Open(dir / "reduced.orl");
        ASSERT_EQ(again->FileKind(), 10);
        ASSERT_TRUE(again->LegacyDecoded());
        // Kind 10 keeps no result rows: the reopened file offers no Main results to compare.
        EXPECT_EQ(again->GetViewMask() & kViewMaskMainResults, 0u);
        EXPECT_EQ(again->Legacy().resultsStart, 0u);
        EXPECT_TRUE(std::none_of(ui.Messages().begin(), ui.Messages().end(),
                                 [](const std::string& m) { return m.find("checksum") != std::string::npos; }));
        const LegacyHeader& after = again->Legacy();
        EXPECT_EQ(after.prefixVariant, before.prefixVariant);
        EXPECT_EQ(after.time, before.time);
        EXPECT_EQ(after.date, before.date);
        EXPECT_EQ(after.inputKind, before.inputKind);
        EXPECT_EQ(after.channelCount, before.channelCount);
        EXPECT_EQ(after.channels, before.channels);
        EXPECT_EQ(after.accelerationReference, before.accelerationReference);
        EXPECT_EQ(after.formatVersion, before.formatVersion);
        EXPECT_DOUBLE_EQ(after.timeStep, 0.125);
        EXPECT_EQ(after.declaredCount, 50u);
        EXPECT_EQ(again->GetRecordIndex().size(), 50u);
        // The kept levels are the first records of the original.
        const std::uint32_t row = twoChannels ? 2 : 1;
        EXPECT_EQ(again->Reader().Word(after.bufferDataStart + 49 * row), fixture::LegacyBufferWord(49, 0, true));
        EXPECT_EQ(stored.size(), 32u + 2u * (after.bufferDataStart + 50 * row + 1) + 4u * 50);
    }
}

} // namespace
} // namespace orlu
