// Decoding current-family files generated from the formats description:
// kinds and ModelFlags per device, the logger split, rejected headers, and
// decoding again giving the same fields.

#include "DocumentTestSupport.h"

#include "document/ViewMask.h"
#include "platform/ValueFormat.h"

namespace orlu {
namespace {

using fixture::CurrentMeasurementFile;
using fixture::CurrentFileSpec;
using fixture::FixtureBuilder;
using fixture::LoggerEvent;
using fixture::LoggerRowWord;

FixtureBuilder Container(std::uint8_t kind, const CurrentFileSpec& spec)
{
    std::vector<std::uint8_t> file = CurrentMeasurementFile(spec);
    FixtureBuilder f;
    f.ContainerHeader(kind, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
    return f;
}

class CurrentFamily : public DocumentTest {};

TEST_F(CurrentFamily, DeviceTypesGiveTheirKindFlagsAndViews)
{
    constexpr std::uint32_t kLevelMeterViews = kViewMaskHeaderInfo | kViewMaskMainResults | kViewMaskAscii | kViewMaskHexa;
    struct Case {
        std::uint16_t device, firmware;
        std::uint8_t kind;
        ModelFlags flags;
        std::uint32_t views;
    } cases[] = {
        {410, 300, 48, {.Family535 = true, .ModelQera410 = true}, kLevelMeterViews},
        {420, 300, 99, {.Model570 = true, .LaterModel = true, .Family525 = true}, kLevelMeterViews},
        {515, 199, 43, {.Family515Text = true}, kLevelMeterViews},
        {515, 200, 44, {.Family515 = true}, kLevelMeterViews},
        {525, 300, 45, {.Family525 = true}, kLevelMeterViews},
        {530, 300, 46, {.Family530 = true}, kLevelMeterViews},
        {535, 300, 47, {.Family535 = true}, kLevelMeterViews},
        {550, 300, 49, {.Family535 = true, .Model550 = true}, kLevelMeterViews},
        {560, 300, 44, {.Model560 = true, .LaterModel = true, .Family515 = true}, kLevelMeterViews},
        {570, 300, 44, {.Model570 = true, .LaterModel = true, .Family525 = true}, kLevelMeterViews},
        {575, 300, 46, {.Model575 = true, .LaterModel = true, .Family530 = true}, kLevelMeterViews},
        {580, 300, 47, {.Model580 = true, .LaterModel = true, .Family535 = true}, kLevelMeterViews},
        {595, 300, 49, {.Model595 = true, .LaterModel = true, .Family535 = true}, kLevelMeterViews},
    };
    // Files of the later models come as kinds 73 and 75 to 79 and are read as 99.
    // (The ORLU 545 and 590 write four-channel files: FourChannelTest.cpp.)
    for (std::uint8_t stored : {std::uint8_t{99}, std::uint8_t{73}, std::uint8_t{77}}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "stored " << int(stored) << " device " << c.device << " fw " << c.firmware);
            CurrentFileSpec spec;
            spec.deviceType = c.device;
            spec.firmware = c.firmware;
            auto doc = Open(Write("d.orl", Container(stored, spec)));
            EXPECT_EQ(doc->FileKind(), c.kind);
            EXPECT_EQ(doc->Header().model, c.flags);
            EXPECT_EQ(doc->GetViewMask(), c.views);
        }
    }
    // A kind given in the container is kept whatever the device.
    CurrentFileSpec spec;
    spec.deviceType = 560;
    auto doc = Open(Write("k.orl", Container(45, spec)));
    EXPECT_EQ(doc->FileKind(), 45);
    EXPECT_TRUE(doc->Header().model.LaterModel);
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(CurrentFamily, EveryCurrentKindDecodesOnLoad)
{
    for (std::uint8_t kind : {42, 43, 44, 45, 46, 47, 48, 49, 73, 75, 76, 77, 78, 79, 99}) {
        SCOPED_TRACE(int(kind));
        CurrentFileSpec spec;
        auto doc = Open(Write("k.orl", Container(kind, spec)));
        EXPECT_EQ(doc->Header().deviceType, 525);
        EXPECT_EQ(doc->Header().title, "Generated file");
        EXPECT_EQ(doc->Header().fileName, "L0000001");
        EXPECT_TRUE(doc->GetViewMask() & kViewMaskMainResults);
        EXPECT_EQ(doc->FileKind(), kind >= 73 ? 45 : kind);
    }
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(CurrentFamily, MeasurementWordsFollowTheFirmware)
{
    struct Case {
        const char* name;
        std::uint16_t device, firmware, input;
        std::vector<std::pair<std::uint8_t, std::uint16_t>> words;
        std::uint16_t criterion, threshold, exchange, exposure, thresholdIndex;
        std::int16_t acceleration;
    } cases[] = {
        {"2.32", 525, 232, 2, {{12, 850}, {13, 800}, {14, 3}, {15, 480}}, 850, 800, 3, 480, 2, 0},
        {"3.00 sound", 525, 300, 2, {{23, 480}, {24, 900}, {25, 770}, {26, 5}}, 900, 770, 5, 480, 5, 0},
        {"3.00 vibration", 530, 300, 5, {{23, 480}, {24, 1200}, {25, 1100}, {26, 1000}}, 0, 0, 0, 480, 0, 1200},
        {"6.02 microphone", 570, 602, 2, {{16, 60}, {17, 850}, {18, 0}, {19, 4}}, 850, 0, 4, 60, 0, 0},
        {"6.02 accelerometer", 575, 602, 5, {{17, 1300}, {18, 1200}, {19, 1100}}, 0, 0, 0, 0, 0, 1300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CurrentFileSpec spec;
        spec.deviceType = c.device;
        spec.firmware = c.firmware;
        spec.inputKind = c.input;
        spec.measurementWords = c.words;
        auto doc = Open(Write("m.orl", Container(45, spec)));
        const CurrentHeader& h = doc->Header();
        EXPECT_EQ(h.criterionLevel, c.criterion);
        EXPECT_EQ(h.thresholdLevel, c.threshold);
        EXPECT_EQ(h.exchangeRate, c.exchange);
        EXPECT_EQ(h.exposureMinutes, c.exposure);
        EXPECT_EQ(h.thresholdIndex, c.thresholdIndex);
        EXPECT_EQ(h.accelerationOffset, c.acceleration);
    }
}

CurrentFileSpec WorkedLogger()
{
    // Three rows of one word; a marker 5 after the first, a break of 258 (low bytes 2, 1, 0, 0) after the second.
    CurrentFileSpec spec;
    spec.profiles[0].bufferWord = 3;
    spec.rowWords = 1;
    spec.rows = 3;
    spec.declaredCount = 3;
    spec.events = {LoggerEvent{1, false, 5}, LoggerEvent{2, true, 258}};
    return spec;
}

TEST_F(CurrentFamily, LoggerSplitGivesMarkersBreaksAndTheRecordIndex)
{
    const std::vector<std::uint8_t> file = CurrentMeasurementFile(WorkedLogger());
    auto doc = Open(Write("l.orl", Container(45, WorkedLogger())));
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(doc->LoggerMarkers(), (std::vector<LoggerMarker>{{2, 5}}));
    EXPECT_EQ(doc->LoggerBreaks(), (std::vector<LoggerBreak>{{3, 258}}));
    EXPECT_EQ(doc->GetRecordIndex(), (std::vector<std::uint32_t>{1, 2, 261}));
    // The compact image: the header words, the three rows, 0xFFFF. The image as read stays whole.
    ASSERT_TRUE(doc->HasAsLoadedImage());
    EXPECT_EQ(doc->AsLoadedByteCount(), file.size());
    const std::uint32_t data = doc->Header().bufferRecord + doc->Header().bufferRecordLength;
    ASSERT_EQ(doc->ByteCount(), 2 * (data + 3 + 1));
    const ImageReader compact = doc->Reader();
    for (std::uint32_t r = 0; r < 3; ++r)
        EXPECT_EQ(compact.Word(data + r), LoggerRowWord(r, 0));
    EXPECT_EQ(compact.Word(data + 3), 0xFFFF);
    const ImageReader asRead(doc->AsLoadedImage(), doc->AsLoadedByteCount());
    for (std::uint32_t w = 0; w < data; ++w)
        EXPECT_EQ(compact.Word(w), asRead.Word(w)) << w;
    EXPECT_EQ(doc->Header().declaredCount, 3u);
    EXPECT_TRUE(doc->GetViewMask() & kViewMaskBuffer);
    EXPECT_FALSE(doc->GetViewMask() & kViewMaskMainResults);
}

TEST_F(CurrentFamily, DeclaredCountsAreWrittenBackInTheLayoutTheyWereRead)
{
    struct Case {
        const char* name;
        std::uint32_t declared;
        bool sizeLayout;
        bool tooShort;
    } cases[] = {
        {"count unknown", 0xFFFFFFFF, false, false},
        {"count too high", 7, false, true},
        {"absurd count", 0x7FFFFFFF, false, true},
        {"size layout too long", 2 * 9, true, true}, // 9 rows of one word declared, 5 found
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedInteraction local;
        AppContext localApp(local);
        CTmDoc doc(localApp);
        CurrentFileSpec spec = WorkedLogger();
        spec.rows = 5;
        spec.events.clear();
        spec.declaredCount = c.declared;
        spec.sizeLayout = c.sizeLayout;
        spec.firmware = c.sizeLayout ? 220 : 300;
        ASSERT_TRUE(doc.OnOpenDocument(Write("w.orl", Container(45, spec))));
        EXPECT_EQ(doc.FileKind(), 45);
        EXPECT_EQ(doc.GetRecordIndex().size(), 5u);
        EXPECT_EQ(doc.Header().declaredCount, 5u);
        if (c.tooShort) {
            const long declared = c.sizeLayout ? 9 : static_cast<long>(c.declared);
            EXPECT_EQ(local.Messages(),
                      std::vector<std::string>{StrPrintf("w.orl - file too short!\n\n%12ld declared number of records,  \n%12ld records found.", declared, 5L)});
        } else {
            EXPECT_TRUE(local.Messages().empty());
        }
        // The counts go into the buffer header's own words; the first row is never overwritten.
        const std::uint32_t b = doc.Header().bufferRecord;
        const std::uint32_t lb = doc.Header().bufferRecordLength;
        const ImageReader compact = doc.Reader();
        const ImageReader asRead(doc.AsLoadedImage(), doc.AsLoadedByteCount());
        EXPECT_EQ(compact.Word(b + lb), LoggerRowWord(0, 0));
        EXPECT_EQ(asRead.Word(b + lb), LoggerRowWord(0, 0));
        if (c.sizeLayout) {
            EXPECT_EQ(asRead.Int32AtWord(b + lb - 2), 10u);
            EXPECT_EQ(compact.Int32AtWord(b + lb - 2), 10u);
        } else {
            EXPECT_EQ(asRead.Int32AtWord(b + lb - 4), 5u);
            EXPECT_EQ(asRead.Int32AtWord(b + lb - 2), 5u);
            EXPECT_EQ(compact.Int32AtWord(b + lb - 4), 5u);
            EXPECT_EQ(compact.Int32AtWord(b + lb - 2), 5u);
        }
    }
}

TEST_F(CurrentFamily, LoggerEdgeCases)
{
    {
        SCOPED_TRACE("a trailing part row is dropped, a break at the end takes the bytes there are");
        CurrentFileSpec spec = WorkedLogger();
        spec.rowWords = 2;
        spec.profiles[1].bufferWord = 2;
        spec.rows = 2;
        spec.events = {LoggerEvent{2, true, 0x0102}};
        spec.declaredCount = 0xFFFFFFFF;
        std::vector<std::uint8_t> file = CurrentMeasurementFile(spec);
        // Cut the break to its first two words and add one word of a third row before the end word.
        file.resize(file.size() - 2 - 4);
        for (std::uint16_t w : {LoggerRowWord(9, 0), std::uint16_t{0xFFFF}}) {
            file.push_back(static_cast<std::uint8_t>(w));
            file.push_back(static_cast<std::uint8_t>(w >> 8));
        }
        FixtureBuilder f;
        f.ContainerHeader(45, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        auto doc = Open(Write("t.orl", f));
        EXPECT_EQ(doc->GetRecordIndex(), (std::vector<std::uint32_t>{1, 2}));
        // The break took low bytes 02, 01 and the low byte of the part row.
        ASSERT_EQ(doc->LoggerBreaks().size(), 1u);
        EXPECT_EQ(doc->LoggerBreaks()[0].skipped, 0x0102u | ((LoggerRowWord(9, 0) & 0xFFu) << 16));
    }
    {
        SCOPED_TRACE("rows of no words: no split, no buffer view");
        CurrentFileSpec spec = WorkedLogger();
        spec.profiles[0].bufferWord = 0;
        spec.rowWords = 1;
        auto doc = Open(Write("z.orl", Container(45, spec)));
        EXPECT_EQ(doc->FileKind(), 45);
        EXPECT_FALSE(doc->RecordIndexPresent());
        EXPECT_FALSE(doc->GetViewMask() & kViewMaskBuffer);
    }
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(CurrentFamily, DecodingAgainGivesTheSameFields)
{
    CurrentFileSpec spec = WorkedLogger();
    auto logger = Open(Write("a.orl", Container(45, spec)));
    CurrentFileSpec plain;
    plain.statistics = true;
    plain.histogramClasses = 3;
    plain.histogramCounts = {1, 2, 3};
    plain.function = 2;
    plain.spectrum = CurrentFileSpec::Spectrum::Octave;
    plain.bands = 10;
    plain.bandExtras = 2;
    auto meter = Open(Write("b.orl", Container(45, plain)));
    for (CTmDoc* doc : {logger.get(), meter.get()}) {
        const CurrentHeader first = doc->Header();
        const std::uint32_t bytes = doc->ByteCount();
        const std::vector<std::uint32_t> index = doc->GetRecordIndex().ToVector();
        ASSERT_TRUE(doc->DecodeFileHeader(0));
        EXPECT_EQ(doc->Header(), first);
        EXPECT_EQ(doc->ByteCount(), bytes);
        EXPECT_EQ(doc->GetRecordIndex().ToVector(), index);
    }
    const CurrentHeader& h = meter->Header();
    EXPECT_TRUE(h.statisticsFlag);
    ASSERT_TRUE(meter->StoredStatisticalLevels().has_value());
    EXPECT_DOUBLE_EQ(meter->StoredStatisticalLevels()->levels[0], 90.0);
    EXPECT_EQ(h.histogram.classes, 3);
    EXPECT_EQ(h.histogram.totalCount, 6u);
    EXPECT_EQ(h.bandKind, kBandOctave11);
    EXPECT_EQ(h.bandsShown, 10);
    EXPECT_EQ(h.bandCount, 12);
    EXPECT_EQ(meter->GetViewMask(), kViewMaskHeaderInfo | kViewMaskMainResults | kViewMaskHistograms |
                                        kViewMaskStatLevels | kViewMaskDensities | kViewMaskOctave11 | kViewMaskAscii |
                                        kViewMaskHexa);
}

TEST_F(CurrentFamily, MalformedHeadersEndInTheLoadErrorAndStayOpenForHexa)
{
    auto withWord = [](std::vector<std::uint8_t> file, std::size_t word, std::uint16_t value) {
        file.at(2 * word) = static_cast<std::uint8_t>(value);
        file.at(2 * word + 1) = static_cast<std::uint8_t>(value >> 8);
        return file;
    };
    const std::vector<std::uint8_t> good = CurrentMeasurementFile(CurrentFileSpec{});
    CurrentFileSpec unknown;
    unknown.deviceType = 999;
    CurrentFileSpec shortBuffer = WorkedLogger();
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
    } cases[] = {
        {"record 1 of length 1", withWord(good, 0, 0x0101)},
        {"record 2 runs past the file", withWord(good, 12, 0xF002)},
        {"record 1 longer than the file", withWord(good, 0, 0xFF01)},
        {"unknown device type", CurrentMeasurementFile(unknown)},
        {"chain without its end", std::vector<std::uint8_t>(good.begin(), good.end() - 2)},
        {"buffer header too short", withWord(CurrentMeasurementFile(shortBuffer), 12 + 10 + 8 + 40 + 20, 0x060F)},
        {"empty data", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedInteraction local;
        AppContext localApp(local);
        CTmDoc doc(localApp);
        FixtureBuilder f;
        f.ContainerHeader(99, 0, 0, static_cast<std::uint32_t>(c.file.size())).Bytes(c.file);
        ASSERT_TRUE(doc.OnOpenDocument(Write("bad.orl", f)));
        EXPECT_EQ(local.Messages(), std::vector<std::string>{"bad.orl  -  Improper file contents"});
        EXPECT_EQ(doc.FileKind(), 100);
        EXPECT_EQ(doc.GetViewMask(), kViewMaskHexa);
        EXPECT_EQ(doc.ByteCount(), c.file.size());
    }
}

TEST_F(CurrentFamily, HistogramCountsPastTheFileGiveThatHistogramNoClassesAndTheFileOpens)
{
    // Statistics, a level histogram of three classes and band statistics of two
    // classes over four third-octave bands and three totals.
    CurrentFileSpec good;
    good.statistics = true;
    good.function = 3;
    good.spectrum = CurrentFileSpec::Spectrum::ThirdOctave;
    good.bands = 4;
    good.bandExtras = 3;
    good.lowestBand = 200;
    good.histogramClasses = 3;
    good.histogramCounts = {0, 10, 0};
    good.bandHistogramCounts = {1, 2};
    CurrentFileSpec bandDamaged = good;
    bandDamaged.bandHistogramDeclaredClasses = 60000; // counts far past the end of the file
    CurrentFileSpec levelDamaged = good;
    levelDamaged.histogramClasses = 60000;
    struct Case {
        const char* name;
        const CurrentFileSpec& spec;
        std::uint16_t classes;
        std::uint32_t total;
        std::uint8_t bandKind;
        std::uint16_t bandClasses;
    } cases[] = {
        {"intact", good, 3, 10, 2, 2},
        {"band statistics damaged", bandDamaged, 3, 10, 0, 0},
        {"level histogram damaged", levelDamaged, 0, 0, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto doc = Open(Write("h.orl", Container(45, c.spec)));
        const CurrentHeader& h = doc->Header();
        EXPECT_EQ(doc->FileKind(), 45);
        EXPECT_EQ(h.histogram.classes, c.classes);
        EXPECT_EQ(h.histogram.totalCount, c.total);
        EXPECT_EQ(h.secondHistogramKind, c.bandKind);
        EXPECT_EQ(h.secondHistogram.classes, c.bandClasses);
        // The other records still give their views.
        const std::uint32_t others = kViewMaskMainResults | kViewMaskStatLevels | kViewMaskOctave13;
        EXPECT_EQ(doc->GetViewMask() & others, others);
        EXPECT_EQ(h.bandsShown, 4);
        ASSERT_TRUE(doc->StoredStatisticalLevels().has_value());
        EXPECT_EQ((doc->GetViewMask() & kViewMaskHistograms) != 0, c.classes != 0 || c.bandKind != 0);
    }
    EXPECT_TRUE(ui.Messages().empty());
}

} // namespace
} // namespace orlu

namespace orlu {
namespace {

TEST_F(CurrentFamily, ReducedLoggerIsStoredWithItsKeptRecordsAndIndexAndReopens)
{
    CurrentFileSpec spec = WorkedLogger();
    spec.rows = 6;
    spec.declaredCount = 6;
    spec.events = {LoggerEvent{2, true, 10}};
    auto doc = Open(Write("r.orl", Container(45, spec)));
    ASSERT_EQ(doc->GetRecordIndex(), (std::vector<std::uint32_t>{1, 2, 13, 14, 15, 16}));
    // A reduction keeping the first four records: kind 50, the count and the index of what is kept.
    RecordIndex kept;
    for (std::uint32_t n : {1u, 2u, 13u, 14u})
        kept.push_back(n);
    doc->SetFileKind(50);
    doc->SetReduced(true);
    doc->SetBufferRecords(4, kept);
    const std::vector<std::uint8_t> stored = SaveAndRead(*doc, "reduced.orl");
    EXPECT_FALSE(doc->GetViewMask() & kViewMaskMainResults);

    const std::uint32_t data = doc->Header().bufferRecord + doc->Header().bufferRecordLength;
    ASSERT_EQ(stored.size(), 32 + 2 * (data + 4 + 1) + 4 * 4);
    EXPECT_EQ(stored[10], 50);
    EXPECT_EQ(stored[12], 4); // written by a reduced store

    auto again = Open(dir / "reduced.orl");
    EXPECT_EQ(again->FileKind(), 50);
    EXPECT_EQ(again->GetRecordIndex(), (std::vector<std::uint32_t>{1, 2, 13, 14}));
    EXPECT_EQ(again->Header().declaredCount, 4u);
    EXPECT_FALSE(again->HasAsLoadedImage()); // the index came with the file: no split
    const ImageReader rows = again->Reader();
    for (std::uint32_t r = 0; r < 4; ++r)
        EXPECT_EQ(rows.Word(data + r), LoggerRowWord(r, 0));
    EXPECT_EQ(rows.Word(data + 4), 0xFFFF);
    EXPECT_TRUE(again->GetViewMask() & kViewMaskBuffer);
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(CurrentFamily, SplitLoggerIsStoredAsItWasRead)
{
    auto doc = Open(Write("s.orl", Container(45, WorkedLogger())));
    ASSERT_TRUE(doc->HasAsLoadedImage());
    EXPECT_EQ(SaveAndRead(*doc, "same.orl"), Container(45, WorkedLogger()).Data());
}

TEST_F(CurrentFamily, LongSplitLoggerSharesUnmovedPagesAndBothImagesReadTheirOwnWords)
{
    // Rows of one word over many pages, a break of 10 records after row 2000, the count
    // unknown: the compact image holds the pages before the break as read, and the
    // counts written back differ between the two images (3000 kept, last number 3010).
    constexpr std::uint32_t kRows = 3000;
    CurrentFileSpec spec = WorkedLogger();
    spec.rows = kRows;
    spec.declaredCount = 0xFFFFFFFF;
    spec.events = {LoggerEvent{2000, true, 10}};
    const std::vector<std::uint8_t> file = CurrentMeasurementFile(spec);
    auto doc = Open(Write("long.orl", Container(45, spec)));
    ASSERT_TRUE(doc->HasAsLoadedImage());
    EXPECT_EQ(doc->GetRecordIndex().size(), kRows);

    const std::uint32_t data = doc->Header().bufferRecord + doc->Header().bufferRecordLength;
    const ImageReader compact = doc->Reader();
    const ImageReader asRead(doc->AsLoadedImage(), doc->AsLoadedByteCount());
    ASSERT_EQ(compact.WordCount(), data + kRows + 1);
    for (std::uint32_t r = 0; r < kRows; ++r)
        ASSERT_EQ(compact.Word(data + r), LoggerRowWord(r, 0)) << r;
    EXPECT_EQ(compact.Word(data + kRows), 0xFFFF);
    EXPECT_EQ(compact.Int32AtWord(data - 2), kRows);
    EXPECT_EQ(asRead.Int32AtWord(data - 2), kRows + 10);
    // The image as read is the file but for the counts written back.
    ASSERT_EQ(asRead.ByteCount(), file.size());
    for (std::uint32_t at = 2 * data; at < file.size(); ++at)
        ASSERT_EQ(asRead.Byte(at), file[at]) << at;

    const std::uint32_t firstRowPage = (data + 255) / 256;
    const std::uint32_t lastSharedPage = (data + 2000) / 256 - 1;
    ASSERT_LT(firstRowPage, lastSharedPage);
    for (std::uint32_t k = firstRowPage; k <= lastSharedPage; ++k) {
        EXPECT_TRUE(compact.Image().PageShared(k)) << k;
        EXPECT_EQ(compact.Image().Page(k), asRead.Image().Page(k)) << k;
    }

    // Stored, the file is the image as read, and it opens to the same working image.
    const std::vector<std::uint8_t> stored = SaveAndRead(*doc, "long-again.orl");
    ASSERT_EQ(stored.size(), 32 + file.size());
    for (std::uint32_t at = 0; at < file.size(); ++at)
        ASSERT_EQ(stored[32 + at], asRead.Byte(at)) << at;
    // Its count now known and right, nothing is written back: the last number stays 3010.
    auto again = Open(dir / "long-again.orl");
    const ImageReader reopened = again->Reader();
    const std::uint32_t lastNumberWord = data - 2;
    ASSERT_EQ(reopened.WordCount(), compact.WordCount());
    for (std::uint32_t w = 0; w < compact.WordCount(); ++w) {
        if (w != lastNumberWord && w != lastNumberWord + 1) {
            ASSERT_EQ(reopened.Word(w), compact.Word(w)) << w;
        }
    }
    EXPECT_EQ(reopened.Int32AtWord(lastNumberWord), kRows + 10);
}

} // namespace
} // namespace orlu

namespace orlu {
namespace {

using fixture::GeneratedMultifileMembers;
using fixture::MultifileMember;

class MergedCurrent : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenMerged(std::uint8_t kind, int files)
    {
        return Open(Write("m.orl", fixture::Multifile(kind, GeneratedMultifileMembers(files))));
    }
};

TEST_F(MergedCurrent, ViewsComeFromTheScanOfAllSubfiles)
{
    constexpr std::uint32_t kAlways = kViewMaskHeaderInfo | kViewMaskMainResults | kViewMaskHexa;
    constexpr std::uint32_t kStatistics = kViewMaskHistograms | kViewMaskStatLevels | kViewMaskDensities;
    struct Case {
        const char* name;
        std::uint8_t kind;
        int files;
        std::uint32_t views;
        std::vector<std::uint16_t> bits;
        std::array<int, 2> octaves; ///< first and last sub-file of the 1/1 octaves, 0 0 for none
    } cases[] = {
        // Files: 1 histogram and statistics, 2 FFT, 3 1/3 octave with band statistics.
        // No file has 1/1 octaves: the 1/3-octave file shows them too.
        {"three files", 55, 3, kAlways | kStatistics | kViewMaskSpectra | kViewMaskOctave11 | kViewMaskOctave13,
         {0x0087, 0x0020, 0x0218}, {3, 3}},
        // File 4 has 1/1 octaves of its own: the 1/3-octave file keeps its bits.
        {"five files", 53, 5, kAlways | kStatistics | kViewMaskSpectra | kViewMaskOctave11 | kViewMaskOctave13,
         {0x0087, 0x0020, 0x0210, 0x0108, 0}, {4, 4}},
        // Kind 60: statistical levels only, no 1/1 octaves taken from the 1/3 ones.
        {"kind 60", 60, 3, kAlways | kViewMaskStatLevels | kViewMaskSpectra | kViewMaskOctave13,
         {0x0087, 0x0020, 0x0210}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto doc = OpenMerged(c.kind, c.files);
        EXPECT_EQ(doc->FileKind(), c.kind);
        EXPECT_EQ(doc->GetViewMask(), c.views);
        const SubfileContents& found = doc->GetSubfileContents();
        EXPECT_EQ(found.bits, c.bits);
        const GroupRange& octave = found.Group(ContentGroup::Octave);
        EXPECT_EQ(octave.found, c.octaves[0] != 0);
        EXPECT_EQ((std::array<int, 2>{octave.first, octave.last}), c.octaves);
        EXPECT_EQ(found.Group(ContentGroup::OtherBandStats).found, c.kind != 60);
        // The document is decoded as its first file.
        EXPECT_TRUE(doc->Header().merged);
        EXPECT_EQ(doc->Header().fileName, "MEAS1");
    }
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(MergedCurrent, EachSubfileDecodesToItsOwnFieldsAndAgainToTheSame)
{
    auto doc = OpenMerged(55, 5);
    struct Case {
        std::uint16_t subfile;
        const char* name;
        std::uint16_t function, bandKind, bandsShown, bandCount;
        bool histogram, statistics;
        std::uint16_t classes;
        std::uint32_t total;
        double firstFrequency;
    } cases[] = {
        {1, "MEAS1", 1, kBandNone, 0, 0, true, true, 2, 12, 0.0},
        {2, "MEAS2", 6, kBandFft, 0, 50, false, false, 0, 0, 48000.0 / 128},
        {3, "MEAS3", 3, kBandOctave13, 31, 34, false, false, 0, 0, 20.0},
        {4, "MEAS4", 2, kBandOctave11, 10, 12, false, false, 0, 0, 31.5},
        {5, "MEAS5", 1, kBandNone, 0, 0, false, false, 0, 0, 0.0},
    };
    std::vector<CurrentHeader> first;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.subfile);
        ASSERT_TRUE(doc->DecodeFileHeader(c.subfile));
        const CurrentHeader& h = doc->Header();
        EXPECT_EQ(h.fileName, c.name);
        EXPECT_EQ(h.function, c.function);
        EXPECT_EQ(h.bandKind, c.bandKind);
        EXPECT_EQ(h.bandsShown, c.bandsShown);
        EXPECT_EQ(h.bandCount, c.bandCount);
        EXPECT_EQ(h.histogramFlag, c.histogram);
        EXPECT_EQ(h.statisticsFlag, c.statistics);
        EXPECT_EQ(h.histogram.classes, c.classes);
        EXPECT_EQ(h.histogram.totalCount, c.total);
        EXPECT_DOUBLE_EQ(h.firstFrequency, c.firstFrequency);
        EXPECT_TRUE(h.merged);
        // The main results of the decoded file: its first record 7, 90 words after its start.
        EXPECT_EQ(doc->Results().firstRecord, doc->GetSubfileStart(c.subfile) + 90);
        first.push_back(h);
    }
    // Decoding a sub-file again after another gives the same fields; sub-file 0 is the first file.
    for (std::uint16_t n : {3, 1, 5, 2, 4, 3}) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(doc->DecodeFileHeader(n));
        EXPECT_EQ(doc->Header(), first[n - 1u]);
    }
    ASSERT_TRUE(doc->DecodeFileHeader(0));
    EXPECT_EQ(doc->Header(), first[0]);
    // The stored statistical levels were taken once, from the first file.
    ASSERT_TRUE(doc->StoredStatisticalLevels().has_value());
    EXPECT_DOUBLE_EQ(doc->StoredStatisticalLevels()->levels[0], 90.0);
    EXPECT_EQ(doc->ByteCount(), doc->GetSubfileLength(5) + doc->GetSubfileStart(5) * 2);
    EXPECT_TRUE(ui.Messages().empty());
}

} // namespace
} // namespace orlu

namespace orlu {
namespace {

TEST_F(CurrentFamily, LoggedOctaveSpectraSetTheReverberationBandRange)
{
    // Third-octave centres: 20 Hz is entry 14, 1 Hz entry 1, 25 Hz entry 15; 10 kHz is entry 41.
    struct Case {
        const char* name;
        std::uint16_t function, bands, extras, lowest;
        std::uint16_t bandKind;
        std::uint16_t firstBand, lastBand, octaveCount, thirdCount;
        std::int32_t firstIndex, lastIndex;
    } cases[] = {
        // From 20 Hz: 25 Hz lies below 30 Hz, 50 Hz to 6.3 kHz follow; thirds 31.5 Hz to 10 kHz.
        {"1/3 octave, 31 bands", 3, 31, 3, 200, kBandOctave13, 1, 8, 10, 31, 2, 27},
        // From 1 Hz, read two entries on: octaves 2, 4, 8 and 16 Hz lie below 30 Hz.
        {"1/3 octave, 44 bands", 3, 44, 0, 10, kBandOctave13, 4, 12, 14, 44, 15, 40},
        // The lowest-band word in 0.01 Hz: the pointer is the band below 31.5 Hz, 25 Hz,
        // and the first octave, 31.5 Hz, is already above 30 Hz.
        {"1/1 octave from 31.5 Hz", 2, 10, 2, 3150, kBandOctave11, 0, 8, 10, 0, 1, 25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CurrentFileSpec spec;
        spec.function = c.function;
        spec.spectraInBuffer = 1;
        spec.bands = c.bands;
        spec.bandExtras = c.extras;
        spec.lowestBand = c.lowest;
        spec.rowWords = static_cast<std::uint16_t>(c.bands + c.extras + 1); // the bands and one word
        spec.rows = 3;
        spec.declaredCount = 3;
        auto doc = Open(Write("rt.orl", Container(45, spec)));
        const CurrentHeader& h = doc->Header();
        ASSERT_EQ(h.bandKind, c.bandKind);
        EXPECT_EQ(h.spectrumCount, 3);
        EXPECT_EQ(h.rtFirstOctaveBand, c.firstBand);
        EXPECT_EQ(h.rtLastOctaveBand, c.lastBand);
        EXPECT_EQ(h.rtOctaveBandCount, c.octaveCount);
        EXPECT_EQ(h.rtThirdBandCount, c.thirdCount);
        EXPECT_EQ(h.rtFirstTableIndex, c.firstIndex);
        EXPECT_EQ(h.rtLastTableIndex, c.lastIndex);
        // Reverberation records for the 1/3-octave total (1/3 octaves only) and the 1/1-octave total.
        EXPECT_EQ(doc->Rt(CTmDoc::kRtThirdOctave).CurrentBytes,
                  c.bandKind == kBandOctave13 ? (c.bands + c.extras) * kRtBandRecordSize : 0u);
        EXPECT_EQ(doc->Rt(CTmDoc::kRtOctave).CurrentBytes,
                  static_cast<std::uint32_t>(h.octaveTotal) * kRtBandRecordSize);
    }
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(CurrentFamily, OlderMeterKeepsTheMeasurementTimeInTheDocument)
{
    struct Case {
        std::uint16_t device, firmware;
        std::uint32_t seconds;
        std::uint32_t kept; ///< what the document holds after decoding a row
    } cases[] = {
        {515, 199, 600, 600},     // the older decoder
        {515, 199, 100000, 100000},
        {515, 200, 600, 0},       // the decoder with dose results keeps nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.device << " " << c.firmware << " " << c.seconds);
        CurrentFileSpec spec;
        spec.deviceType = c.device;
        spec.firmware = c.firmware;
        spec.measurementSeconds = c.seconds;
        auto doc = Open(Write("t.orl", Container(99, spec)));
        ResultValues out;
        doc->DecodeResultRow(0, 0, out, false, 6, 1.0);
        EXPECT_EQ(doc->MeasurementSeconds(), c.kept);
        EXPECT_EQ(out.measurementSeconds, 0u); // the slot belongs to the vibration decoder
    }
}

} // namespace
} // namespace orlu
