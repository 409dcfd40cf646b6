#include "DocumentTestSupport.h"
#include "support/LegacyFixture.h"

#include "support/Analyzer505Fixture.h"

#include <cstring>

namespace orlu {
namespace {

using fixture::FixtureBuilder;

std::vector<std::uint8_t> RtRecords(std::size_t count, std::uint8_t status)
{
    std::vector<std::uint8_t> r(count * 120);
    for (std::size_t i = 0; i < r.size(); ++i)
        r[i] = static_cast<std::uint8_t>(i * 3 + 1);
    for (std::size_t k = 0; k < count; ++k)
        std::memset(&r[k * 120], status, 5);
    return r;
}

// A small ANALYZER-mode file: one 1/1-octave spectrum of 10 bands and its check word.
std::vector<std::uint8_t> AnalyzerFile(bool timeHistory = false, std::uint16_t spectra = 1)
{
    fixture::Analyzer505Spec spec;
    spec.values = 10;
    spec.bands = 9;
    spec.timeHistory = timeHistory;
    spec.spectra = spectra;
    return fixture::BuildAnalyzer505File(spec);
}

// An edited ANALYZER-mode file of two numbered spectra with its RecordIndex.
FixtureBuilder EditedAnalyzer(std::initializer_list<std::uint32_t> index)
{
    const std::vector<std::uint8_t> file = AnalyzerFile(true, 2);
    FixtureBuilder f;
    f.ContainerHeader(11, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file).RecordIndex(index);
    return f;
}

struct RoundTripCase {
    const char* name;
    FixtureBuilder file;
    std::uint8_t kind;
    std::uint32_t byteCount;
};

class ContainerRoundTrip : public DocumentTest {};

TEST_F(ContainerRoundTrip, StoringALoadedFileGivesTheSameBytes)
{
    const std::vector<std::uint8_t> third = RtRecords(3, 5), octave = RtRecords(1, 0);
    std::vector<RoundTripCase> cases;
    cases.push_back({"plain", FixtureBuilder().ContainerHeader(5, 0, 0, 1000).Pattern(1000), 5, 1000});
    cases.push_back({"both RT blocks",
                     FixtureBuilder().ContainerHeader(5, 1, 3, 100).Pattern(100).RtBlock(third).RtBlock(octave), 5,
                     100});
    cases.push_back({"1/1 RT block only", FixtureBuilder().ContainerHeader(6, 0, 2, 64).Pattern(64).RtBlock(octave),
                     6, 64});
    const FixtureBuilder multifile = fixture::Multifile(55, fixture::GeneratedMultifileMembers(3));
    cases.push_back({"multifile", multifile, 55, static_cast<std::uint32_t>(multifile.Size() - 32 - 3 * 28)});
    fixture::LegacyFileSpec edited = fixture::LegacyHistorySpec(4);
    edited.reduced = true;
    const std::vector<std::uint8_t> editedFile = fixture::LegacyMeasurementFile(edited);
    cases.push_back({"edited legacy with index",
                     FixtureBuilder()
                         .ContainerHeader(10, 0, 0, static_cast<std::uint32_t>(editedFile.size()))
                         .Bytes(editedFile)
                         .RecordIndex({1, 7, 9, 4000000000u}),
                     10, static_cast<std::uint32_t>(editedFile.size())});
    cases.push_back({"edited 505 file with index", EditedAnalyzer({3, 2, 1}), 11,
                     static_cast<std::uint32_t>(AnalyzerFile(true, 2).size())});
    const FixtureBuilder legacy = fixture::LegacyContainer(3, fixture::PlausibleLegacySpec());
    cases.push_back({"checked legacy", legacy, 3, static_cast<std::uint32_t>(legacy.Size() - 32)});
    cases.push_back({"empty data", FixtureBuilder().ContainerHeader(5, 0, 0, 0), 5, 0});
    for (const RoundTripCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto doc = Open(Write("in.orl", c.file));
        EXPECT_EQ(doc->FileKind(), c.kind);
        EXPECT_EQ(doc->ByteCount(), c.byteCount);
        EXPECT_EQ(SaveAndRead(*doc, "out.orl"), c.file.Data());
    }
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(ContainerRoundTrip, EditedFileKeepsItsIndexAndNeverTakesRtBlocks)
{
    auto doc = Open(Write("e.orl", EditedAnalyzer({11, 12})));
    // Reverberation results computed on an edited file cannot be stored behind its index.
    std::vector<std::uint8_t> records = RtRecords(2, 5);
    doc->Rt(CTmDoc::kRtThirdOctave).Current = records.data();
    doc->Rt(CTmDoc::kRtThirdOctave).CurrentBytes = 240;
    doc->Rt(CTmDoc::kRtThirdOctave).ComputedFlag = 1;
    EXPECT_EQ(SaveAndRead(*doc, "out.orl"), EditedAnalyzer({11, 12}).Data());

    auto again = Open(dir / "out.orl");
    EXPECT_TRUE(again->RecordIndexPresent());
    EXPECT_EQ(again->GetRecordIndex(), (std::vector<std::uint32_t>{11, 12}));
}

TEST_F(ContainerRoundTrip, ComputedRtRecordsAreStoredAndBecomeTheSavedCopy)
{
    const std::vector<std::uint8_t> fromFile = RtRecords(2, 5);
    auto doc = Open(Write("r.orl", FixtureBuilder().ContainerHeader(5, 0, 1, 10).Pattern(10).RtBlock(fromFile)));
    RtBandSet& set = doc->Rt(CTmDoc::kRtThirdOctave);
    ASSERT_TRUE(set.BlockInFile);
    ASSERT_EQ(set.SavedBytes, 240u);
    EXPECT_TRUE(std::equal(fromFile.begin(), fromFile.end(), set.Saved));

    std::vector<std::uint8_t> recomputed = RtRecords(2, 4);
    set.Current = recomputed.data();
    set.CurrentBytes = 240;
    set.ComputedFlag = 1;
    EXPECT_EQ(SaveAndRead(*doc, "out.orl"),
              FixtureBuilder().ContainerHeader(5, 0, 1, 10).Pattern(10).RtBlock(recomputed).Data());
    EXPECT_TRUE(std::equal(recomputed.begin(), recomputed.end(), set.Saved));

    // Records all at status 0 or 1 hold nothing computed: no block, no flag.
    std::vector<std::uint8_t> cleared = RtRecords(2, 1);
    set.Current = cleared.data();
    EXPECT_EQ(SaveAndRead(*doc, "cleared.orl"), FixtureBuilder().ContainerHeader(5, 0, 0, 10).Pattern(10).Data());
}

TEST_F(ContainerRoundTrip, MultifileLinksAreEntryNumbersNotWhatTheFileHeld)
{
    const std::vector<std::uint8_t> file = fixture::SampleCurrentFamilyFile();
    const auto n = static_cast<std::uint32_t>(file.size());
    auto doc = Open(Write("m.orl", FixtureBuilder()
                                       .ContainerHeader(53, 0, 0, 2 * n)
                                       .MultifileEntry("A", 43, 0, n, 0xDEADBEEF, 0x12345678)
                                       .MultifileEntry("B", 43, n, n, 0xCAFEF00D, 0)
                                       .Bytes(file)
                                       .Bytes(file)));
    ASSERT_EQ(doc->SubfileCount(), 2);
    EXPECT_EQ(doc->Subfiles()[1].NameText(), "B");
    EXPECT_EQ(SaveAndRead(*doc, "out.orl"), FixtureBuilder()
                                                .ContainerHeader(53, 0, 0, 2 * n)
                                                .MultifileEntry("A", 43, 0, n, 0, 2)
                                                .MultifileEntry("B", 43, n, n, 1, 0)
                                                .Bytes(file)
                                                .Bytes(file)
                                                .Data());
}

TEST_F(ContainerRoundTrip, StoreClearsThePendingSourceAndTheUnsavedMark)
{
    auto doc = Open(Write("u.orl", FixtureBuilder().ContainerHeader(5, 0, 0, 4).Pattern(4)));
    doc->SetUnsavedData(true);
    app.UnsavedDocumentCount = 2;
    app.PendingDocSource = kPendingMultifileItem;
    SaveAndRead(*doc, "out.orl");
    EXPECT_FALSE(doc->HoldsUnsavedData());
    EXPECT_EQ(app.UnsavedDocumentCount, 1);
    EXPECT_EQ(app.PendingDocSource, kPendingNone);
}

TEST_F(ContainerRoundTrip, AStoreThatCannotBeWrittenLeavesTheDocumentAsItWas)
{
    const std::vector<std::uint8_t> fromFile = RtRecords(2, 5);
    auto doc = Open(Write("r.orl", FixtureBuilder().ContainerHeader(5, 0, 1, 10).Pattern(10).RtBlock(fromFile)));
    RtBandSet& set = doc->Rt(CTmDoc::kRtThirdOctave);
    std::vector<std::uint8_t> recomputed = RtRecords(2, 4);
    set.Current = recomputed.data();
    set.CurrentBytes = 240;
    set.ComputedFlag = 1;
    doc->SetUnsavedData(true);
    app.UnsavedDocumentCount = 2;
    app.PendingDocSource = kPendingMultifileItem;

    EXPECT_FALSE(doc->OnSaveDocument(dir / "no-such-folder" / "out.orl"));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].rfind("Failed to save document.", 0), 0u);
    // Nothing was stored: the document still holds unsaved data and its recomputed reverberation results.
    EXPECT_TRUE(doc->HoldsUnsavedData());
    EXPECT_EQ(app.UnsavedDocumentCount, 2);
    EXPECT_EQ(app.PendingDocSource, kPendingMultifileItem);
    EXPECT_TRUE(std::equal(fromFile.begin(), fromFile.end(), set.Saved));
    ui.ExpectQuestion("Save r.orl - binary (disk file)?", QuestionAnswer::No);
    EXPECT_TRUE(doc->CloseDocument());
    ui.Verify();
}

TEST_F(ContainerRoundTrip, HiddenDocumentStoresTheHeldBlock)
{
    CTmDoc doc(app);
    doc.SetHidden(true);
    app.HeldFileKind = 50;
    app.HeldBlockImage = FixtureBuilder().Le16(0x0102).Le16(0x0304).Le16(0xFBF9).RecordIndex({5, 6}).Data();
    app.HeldRecordCount = 2;
    EXPECT_EQ(SaveAndRead(doc, "held.orl"), FixtureBuilder()
                                                .ContainerHeader(50, 0, 4, 6)
                                                .Le16(0x0102)
                                                .Le16(0x0304)
                                                .Le16(0xFBF9)
                                                .RecordIndex({5, 6})
                                                .Data());
    auto reread = Open(dir / "held.orl");
    EXPECT_EQ(reread->ByteCount(), 6u);
    EXPECT_EQ(reread->GetRecordIndex(), (std::vector<std::uint32_t>{5, 6}));
}

class ContainerLoad : public DocumentTest {};

TEST_F(ContainerLoad, HeaderLengthFrom32To512IsAcceptedAndItsTailSkipped)
{
    for (std::uint16_t length : {32, 33, 512}) {
        SCOPED_TRACE(length);
        FixtureBuilder f;
        f.ContainerHeader(5, 2, 0, 0, 18).Padding(length - 18u, 0xA5).Text("DATA");
        auto doc = Open(Write("h.orl", f.PatchLe16(8, length)));
        EXPECT_EQ(doc->FileKind(), 5);
        EXPECT_EQ(doc->SubKind(), 2);
        ASSERT_EQ(doc->ByteCount(), 4u);
        EXPECT_EQ(doc->Reader().Byte(0), 'D');
    }
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(ContainerLoad, SignatureByte7IsNotCompared)
{
    FixtureBuilder f;
    f.ContainerHeader(5, 0, 0, 2).Text("ok").PatchLe16(6, 0x771A);
    auto doc = Open(Write("s.orl", f));
    EXPECT_EQ(doc->FileKind(), 5);
    EXPECT_EQ(doc->ByteCount(), 2u);
}

TEST_F(ContainerLoad, DataLengthCountsOnlyWithRtFlagsOrForEditedKinds)
{
    struct Case {
        std::uint8_t kind, flags;
        std::uint32_t expected;
    } cases[] = {{5, 0, 100}, {3, 0, 100}, {5, 4, 100}, {5, 1, 10}, {5, 2, 10}, {10, 0, 10}, {11, 0, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << int(c.kind) << " flags " << int(c.flags));
        FixtureBuilder f;
        f.ContainerHeader(c.kind, 0, c.flags, 10).Pattern(10);
        if (c.flags & 3)
            f.RtBlock(RtRecords(0, 0)); // an empty block
        if (c.flags & 2)
            f.RtBlock(RtRecords(0, 0));
        f.Pattern(100 - (f.Size() - 32));
        auto doc = Open(Write("d.orl", f));
        EXPECT_EQ(doc->ByteCount(), c.expected);
    }
}

TEST_F(ContainerLoad, A512ByteDataPartTakesASecondEmptyPage)
{
    for (auto [bytes, pages] : {std::pair{511u, 1u}, {512u, 2u}, {1000u, 2u}, {1024u, 3u}}) {
        auto doc = Open(Write("p.orl", FixtureBuilder().ContainerHeader(5, 0, 0, bytes).Pattern(bytes)));
        EXPECT_EQ(doc->ByteCount(), bytes);
        EXPECT_EQ(doc->Image().PageCount(), pages) << bytes;
    }
}

TEST_F(ContainerLoad, DosFilesTakeTheirKindAndSubKindByVersion)
{
    struct Case {
        char letter, version;
        std::uint8_t kind, subKind;
    } cases[] = {{'M', '3', 3, 0}, {'M', '4', 3, 7}, {'A', '5', 4, 7}, {'A', '3', 4, 0}};
    const std::vector<std::uint8_t> meter = fixture::LegacyMeasurementFile(fixture::PlausibleLegacySpec());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.letter << c.version);
        FixtureBuilder f;
        f.DosHeader(c.letter, c.version, 7, 4);
        // An *.A file holds an ANALYZER-mode file, which its decoder reads.
        const std::vector<std::uint8_t> analyzer = AnalyzerFile();
        f.Bytes(c.letter == 'M' ? meter : analyzer);
        auto doc = Open(Write("x.m", f));
        EXPECT_EQ(doc->FileKind(), c.kind);
        EXPECT_EQ(doc->SubKind(), c.subKind);
        const std::size_t bytes = c.letter == 'M' ? meter.size() : analyzer.size();
        ASSERT_EQ(doc->ByteCount(), bytes);
        EXPECT_EQ(doc->Reader().Word(1), c.letter == 'M' ? meter[2] | (meter[3] << 8) : 18000);
    }
    EXPECT_TRUE(ui.Messages().empty()); // the check words were right
}

TEST_F(ContainerLoad, StoredKind20ReadsItsDirectoryAsKind23)
{
    auto doc = Open(Write("20.orl", FixtureBuilder()
                                        .ContainerHeader(20, 0, 0, 0)
                                        .MultifileEntry("ONE", 3, 0, 8, 0, 0)
                                        .Le16(3)
                                        .Le16(1)
                                        .Le16(2)
                                        .Le16(0xFFFA)));
    EXPECT_EQ(doc->FileKind(), 23);
    ASSERT_EQ(doc->SubfileCount(), 1);
    EXPECT_EQ(doc->Subfiles()[0].NameText(), "ONE");
    EXPECT_EQ(doc->ByteCount(), 8u);
}

TEST_F(ContainerLoad, KindsWithoutADecoderOpenForTheHexaViewWithoutAnError)
{
    struct Case {
        std::uint8_t stored, loaded;
        std::uint32_t mask;
    } cases[] = {{2, 2, kViewMaskSettings | kViewMaskHexa}, {5, 5, kViewMaskHexa}, {7, 7, kViewMaskHexa},
                 {100, 100, kViewMaskHexa}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.stored));
        auto doc = Open(Write("k.orl", FixtureBuilder().ContainerHeader(c.stored, 0, 0, 4).Pattern(4)));
        EXPECT_EQ(doc->FileKind(), c.loaded);
        EXPECT_EQ(doc->GetViewMask(), c.mask);
    }
    EXPECT_TRUE(ui.Messages().empty());
}

struct LoadErrorCase {
    const char* name;
    FixtureBuilder file;
    std::vector<std::string> messages; // after "f.orl  -  "
    std::uint8_t kind;
    std::uint32_t byteCount;
};

TEST_F(ContainerLoad, MalformedFilesReportTheirLoadErrorAndStillOpen)
{
    FixtureBuilder good;
    good.ContainerHeader(5, 0, 0, 40).Pattern(40);
    std::vector<LoadErrorCase> cases;
    cases.push_back({"bad signature", FixtureBuilder(good).PatchLe16(2, 0x5858), {"Unrecognized file contents"}, 100, 72});
    cases.push_back({"header length 31", FixtureBuilder(good).PatchLe16(8, 31), {"Unrecognized file contents"}, 100, 72});
    cases.push_back(
        {"header length 513", FixtureBuilder(good).PatchLe16(8, 513), {"Unrecognized file contents"}, 100, 72});
    cases.push_back({"ends after 20 bytes", FixtureBuilder().Bytes(std::span(good.Data()).first(20)),
                     {"Improper file contents"}, 100, 20});
    cases.push_back({"ends inside a longer header", FixtureBuilder(good).PatchLe16(8, 100),
                     {"Improper file contents"}, 100, 72});
    cases.push_back({"DOS signature broken", FixtureBuilder().Text("M-XY-3").Padding(20),
                     {"Unrecognized file contents"}, 100, 26});
    cases.push_back({"neither container nor DOS", FixtureBuilder().Text("Hello there"),
                     {"Unrecognized file contents"}, 100, 11});
    cases.push_back({"RT length cut by the end",
                     FixtureBuilder().ContainerHeader(5, 0, 1, 8).Pattern(8).Le16(240),
                     {"Unexpected end of the file reached", "Improper file contents"}, 5, 8});
    cases.push_back({"RT block shorter than its length",
                     FixtureBuilder().ContainerHeader(5, 0, 1, 8).Pattern(8).Le32(240).Pattern(100),
                     {"Improper file contents"}, 5, 8});
    cases.push_back({"RT block over 102400 bytes",
                     FixtureBuilder().ContainerHeader(5, 0, 2, 8).Pattern(8).Le32(102402).Pattern(102402),
                     {"Not enough memory to load entire file"}, 5, 8});
    cases.push_back({"RT length 0xFFFFFFFF",
                     FixtureBuilder().ContainerHeader(5, 0, 1, 8).Pattern(8).Le32(0xFFFFFFFFu).Pattern(200),
                     {"Not enough memory to load entire file"}, 5, 8});
    cases.push_back({"1/1 RT length past the end after a good 1/3 block",
                     FixtureBuilder().ContainerHeader(5, 0, 3, 8).Pattern(8).RtBlock(RtRecords(1, 5)).Le32(102400).Pattern(10),
                     {"Improper file contents"}, 5, 8});
    const FixtureBuilder legacy = fixture::LegacyContainer(3, fixture::PlausibleLegacySpec());
    // One byte of the time word flipped: the check fails, the file is still decoded.
    cases.push_back({"wrong checksum", FixtureBuilder(legacy).PatchLe16(34, 0x1234), {"The file checksum invalid"}, 3,
                     static_cast<std::uint32_t>(legacy.Size() - 32)});
    // The check word of an ANALYZER-mode file one off: the check fails, the file is still decoded.
    std::vector<std::uint8_t> analyzer = AnalyzerFile();
    ++analyzer[analyzer.size() - 2];
    cases.push_back({"wrong check word of another kind",
                     FixtureBuilder().ContainerHeader(4, 0, 0, static_cast<std::uint32_t>(analyzer.size())).Bytes(analyzer),
                     {"The file checksum invalid"}, 4, static_cast<std::uint32_t>(analyzer.size())});
    // A byte after the check word: words can no longer sum to 0.
    cases.push_back({"odd byte count with checksum", FixtureBuilder(legacy).Pattern(1), {"The file checksum invalid"}, 3,
                     static_cast<std::uint32_t>(legacy.Size() - 31)});
    for (const LoadErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedInteraction local;
        AppContext localApp(local);
        CTmDoc doc(localApp);
        ASSERT_TRUE(doc.OnOpenDocument(Write("f.orl", c.file)));
        std::vector<std::string> expected;
        for (const std::string& m : c.messages)
            expected.push_back("f.orl  -  " + m);
        EXPECT_EQ(local.Messages(), expected);
        EXPECT_EQ(doc.FileKind(), c.kind);
        EXPECT_EQ(doc.ByteCount(), c.byteCount);
        // A METER or ANALYZER file with a wrong check word is still decoded; everything else is Hexa only.
        if (c.kind == 3 || c.kind == 4)
            EXPECT_NE(doc.GetViewMask(), kViewMaskHexa);
        else
            EXPECT_EQ(doc.GetViewMask(), kViewMaskHexa);
        EXPECT_EQ(local.WaitDepth(), 0);
        if (c.kind == 100) { // a rejected file shows in the Hexa view from its first byte
            EXPECT_EQ(doc.Reader().Byte(0), c.file.Data()[0]);
        }
    }
}

TEST_F(ContainerLoad, MultifileDirectoriesThatDoNotFitTheDataAreRefused)
{
    // A: a measurement of n bytes; B: 30 bytes after it.
    const std::vector<std::uint8_t> file = fixture::SampleCurrentFamilyFile();
    const auto n = static_cast<std::uint32_t>(file.size());
    auto multifile = [&](std::uint32_t offset, std::uint32_t length) {
        return FixtureBuilder()
            .ContainerHeader(55, 0, 0, 0)
            .MultifileEntry("A", 55, 0, n, 0, 2)
            .MultifileEntry("B", 55, offset, length, 1, 0)
            .Bytes(file)
            .Pattern(30);
    };
    struct Case {
        const char* name;
        FixtureBuilder file;
        bool refused;
    } cases[] = {
        {"fits exactly", multifile(n, 30), false},
        {"odd offset", multifile(n + 1, 20), true},
        {"runs past the data", multifile(n, 31), true},
        {"offset past the data", multifile(0xFFFFFFF0u, 0x20), true},
        {"no entry at all", FixtureBuilder().ContainerHeader(55, 0, 0, 0), true},
        {"directory cut by the end", FixtureBuilder().ContainerHeader(55, 0, 0, 0).MultifileEntry("A", 55, 0, 0, 0, 2).Padding(10), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedInteraction local;
        AppContext localApp(local);
        CTmDoc doc(localApp);
        ASSERT_TRUE(doc.OnOpenDocument(Write("mf.orl", c.file)));
        if (c.refused) {
            EXPECT_EQ(local.Messages(), std::vector<std::string>{"mf.orl  -  Improper file contents"});
            EXPECT_EQ(doc.FileKind(), 100);
            EXPECT_EQ(doc.SubfileCount(), 0);
            EXPECT_EQ(doc.ByteCount(), c.file.Size()); // the whole file, for the Hexa view
        } else {
            EXPECT_TRUE(local.Messages().empty());
            EXPECT_EQ(doc.SubfileCount(), 2);
            EXPECT_EQ(doc.ByteCount(), n + 30);
        }
    }
}

TEST_F(ContainerLoad, AFileThatCannotBeReadFailsTheOpen)
{
    CTmDoc doc(app);
    EXPECT_FALSE(doc.OnOpenDocument(dir / "missing.orl"));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].rfind("Failed to open document.", 0), 0u);
}

TEST(VerifyChecksum, WordSumIncludingTheCheckWordMustBeZero)
{
    ScriptedInteraction ui;
    AppContext app(ui);
    CTmDoc doc(app);
    PagePool pool;
    PagedFileImage image;
    std::uint32_t n = 0;
    // 600 words summing to 0 modulo 65536 with a zero check word: 300 pairs of w and -w.
    for (std::uint16_t i = 0; i < 300; ++i) {
        ImageSetWordGrow(pool, image, n++, static_cast<std::uint16_t>(i * 97 + 1));
        ImageSetWordGrow(pool, image, n++, static_cast<std::uint16_t>(0x10000 - (i * 97 + 1)));
    }
    ImageSetWordGrow(pool, image, n++, 0);
    doc.SetFileKind(3);
    EXPECT_TRUE(doc.VerifyChecksum(image, 2 * n));
    EXPECT_FALSE(doc.VerifyChecksum(image, 2 * n - 1)); // odd byte count
    ImageSetWord(image, 600, 1);
    EXPECT_FALSE(doc.VerifyChecksum(image, 2 * n));
    doc.SetFileKind(45); // carries no check word
    EXPECT_TRUE(doc.VerifyChecksum(image, 2 * n));
}

} // namespace
} // namespace orlu
