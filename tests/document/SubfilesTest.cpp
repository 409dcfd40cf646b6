// Sub-files: numbers to starts, lengths and names; the record locators
// bounded by the sub-file they address; broken chains; the content scans and
// the clamping of a view's selection.

#include "DocumentTestSupport.h"
#include "document/Subfiles.h"
#include "document/ViewMask.h"
#include "document/records/WordImage.h"

#include <cstring>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::MultifileMember;
using Spectrum = CurrentFileSpec::Spectrum;

MultifileEntry Entry(const char* name, std::uint32_t offset, std::uint32_t length)
{
    MultifileEntry e;
    std::memcpy(e.Name.data(), name, std::min<std::size_t>(std::strlen(name), 9));
    e.FileKind = 55;
    e.Offset = offset;
    e.Length = length;
    return e;
}

MultifileMember Member(const std::string& name, const CurrentFileSpec& c = {})
{
    return {name, fixture::CurrentMeasurementFile(c)};
}

// A spectrum file of the function: the setup (14, 16 or 17) with its levels,
// and with band statistics the band histogram 19 and its counts.
CurrentFileSpec With(Spectrum spectrum, std::uint16_t function = 1, bool bandStatistics = false)
{
    CurrentFileSpec c;
    c.function = function;
    c.spectrum = spectrum;
    c.bands = 4;
    if (bandStatistics)
        c.bandHistogramCounts = {1, 2};
    return c;
}

CurrentFileSpec WithResults(bool histogram, bool statistics)
{
    CurrentFileSpec c;
    if (histogram) {
        c.histogramClasses = 2;
        c.histogramCounts = {3, 4};
    }
    c.statistics = statistics;
    return c;
}

class Subfiles : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenMultifile(const std::vector<MultifileMember>& members, std::uint8_t kind = 55)
    {
        return Open(Write("m.orl", fixture::Multifile(kind, members)));
    }
};

TEST_F(Subfiles, NumbersOfAMultifileGiveItsEntries)
{
    auto members = fixture::GeneratedMultifileMembers(3);
    auto doc = OpenMultifile(members);
    ASSERT_EQ(doc->SubfileCount(), 3);
    const std::uint32_t size1 = static_cast<std::uint32_t>(members[0].bytes.size());
    const std::uint32_t size2 = static_cast<std::uint32_t>(members[1].bytes.size());

    // 0 is the first file: the same start and the same current length as 1.
    EXPECT_EQ(doc->GetSubfileStart(0), 0u);
    EXPECT_EQ(doc->CurrentSubfileLength(), size1);
    EXPECT_EQ(doc->GetSubfileStart(1), 0u);
    EXPECT_EQ(doc->CurrentSubfileLength(), size1);
    EXPECT_EQ(doc->GetSubfileStart(3), (size1 + size2) / 2);
    EXPECT_EQ(doc->CurrentSubfileLength(), members[2].bytes.size());
    EXPECT_EQ(doc->GetSubfileLength(2), size2);
    EXPECT_EQ(doc->GetSubfileLength(0), size1);
    EXPECT_EQ(doc->GetSubfileName(2), "FILE2");
    EXPECT_EQ(doc->GetSubfileName(0), "");

    // Numbers that name no file: below -1, and past the list (which callers never pass).
    EXPECT_EQ(doc->GetSubfileLength(-2), 0u);
    EXPECT_EQ(doc->GetSubfileStart(4), 0u);
    EXPECT_EQ(doc->CurrentSubfileLength(), 0u);
    EXPECT_EQ(doc->GetSubfileLength(4), 0u);
    EXPECT_EQ(doc->GetSubfileName(4), "");
    EXPECT_EQ(doc->FindResultsRecord(4), 0u);

    // The embedded file: what the MONITOR parser records.
    doc->SetEmbeddedFile(141, 90);
    EXPECT_EQ(doc->GetSubfileStart(-1), 70u); // the word holding its first byte
    EXPECT_EQ(doc->CurrentSubfileLength(), 90u);
    EXPECT_EQ(doc->GetSubfileLength(-1), 90u);
}

TEST_F(Subfiles, NumbersOfASingleFile)
{
    auto doc = Open(Write("s.orl", fixture::FixtureBuilder().ContainerHeader(45).Bytes(fixture::SampleCurrentFamilyFile())));
    const std::uint32_t bytes = doc->ByteCount();
    EXPECT_EQ(doc->GetSubfileStart(0), 0u);
    EXPECT_EQ(doc->CurrentSubfileLength(), bytes);
    EXPECT_EQ(doc->GetSubfileLength(0), bytes);
    // Without a list, n >= 1 has no length of its own; its start is the whole image's.
    EXPECT_EQ(doc->GetSubfileLength(1), 0u);
    EXPECT_EQ(doc->GetSubfileStart(2), 0u);
    EXPECT_EQ(doc->CurrentSubfileLength(), bytes);
    EXPECT_EQ(doc->GetSubfileName(1), "");
    EXPECT_EQ(doc->GetSubfileLength(-1), 0u);
}

TEST(SubfileDirectory, EntryOffsetsAreBytesAndNamesLoseTrailingBlanks)
{
    std::vector<MultifileEntry> list = {Entry("A", 0, 1000), Entry("NOISE  ", 1000, 64)};
    SubfileDirectory dir{list, 1064, {}};
    EXPECT_EQ(LocateSubfile(dir, 2).start, 500u);
    EXPECT_EQ(LocateSubfile(dir, 2).length, 64u);
    EXPECT_EQ(SubfileName(dir, 2), "NOISE");
}

TEST_F(Subfiles, AnEntryPastTheDataIsRefusedBeforeAnythingIsRead)
{
    auto members = fixture::GeneratedMultifileMembers(3);
    fixture::FixtureBuilder file = fixture::Multifile(55, members);
    // The third entry's length, two bytes longer than the data hold.
    const std::size_t thirdLength = 32 + 2 * 28 + 16;
    file.PatchLe32(thirdLength, static_cast<std::uint32_t>(members[2].bytes.size() + 2));
    auto doc = Open(Write("past.orl", file));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0], "past.orl  -  Improper file contents");
    EXPECT_EQ(doc->FileKind(), kKindUnreadable);
    EXPECT_EQ(doc->SubfileCount(), 0);
    EXPECT_EQ(doc->GetSubfileLength(3), 0u);
    EXPECT_EQ(doc->FindResultsRecord(3), 0u);
}

TEST_F(Subfiles, LocatorsWalkInsideTheSubfileTheyAddress)
{
    // The first file has no end word: a walk bounded by its sub-file must not
    // go on into the second file's records.
    std::vector<std::uint8_t> open = fixture::SampleCurrentFamilyFile();
    open.resize(open.size() - 2);
    auto doc = OpenMultifile({{"OPEN", open}, Member("OCT", With(Spectrum::Octave, 2)), Member("FFT", With(Spectrum::Fft, 6))});
    const std::uint32_t second = doc->GetSubfileStart(2);
    const std::uint32_t third = doc->GetSubfileStart(3);

    // Each file: records 1 to 5 from words 0 to 89, the results 7 at 90, 104 and
    // 118, then the setup at 132 (the FFT setup 17 is 11 words long).
    EXPECT_EQ(doc->FindRecord14(1), 0u);
    EXPECT_EQ(doc->FindRecord14(2), second + 132);
    EXPECT_EQ(doc->FindResultsRecord(0), 90u);
    EXPECT_EQ(doc->FindResultsRecord(3), third + 90);
    EXPECT_EQ(doc->FindRecord17or21(3), third + 132);
    EXPECT_EQ(doc->GetRecord17Data(3), third + 132 + 11 + 2);
    EXPECT_EQ(doc->FindRecord17or21(2), 0u);
    EXPECT_FALSE(doc->IsComplete(1));
    EXPECT_TRUE(doc->IsComplete(2));
    EXPECT_TRUE(doc->IsComplete(3));
    // FindRecord walks on to the end of the whole image: from the open first
    // file into the second, until the second's end word.
    EXPECT_EQ(doc->FindRecord(1, 14), second + 132);
    EXPECT_EQ(doc->FindRecord(1, 17), 0u);
    EXPECT_EQ(doc->FindRecordFrom(third, 17), third + 132);
    EXPECT_EQ(doc->FindNextRecord(third + 90, 7), third + 104);
}

struct BrokenChainCase {
    const char* name;
    fixture::ChainFault fault;
    std::uint32_t brokenAt;   ///< the record where the walk stops
    bool resultsFound;        ///< the results records lie before the break
};

class BrokenChains : public Subfiles, public ::testing::WithParamInterface<BrokenChainCase> {};

TEST_P(BrokenChains, EndCleanlyAloneAndInsideAMultifile)
{
    const BrokenChainCase& c = GetParam();
    const std::vector<std::uint8_t> broken = fixture::BrokenChainFile(c.fault);

    // Alone: the decoder refuses the file, which stays open for the Hexa view; the
    // walk reports the break and reads nothing past the image.
    auto single = Open(Write("single.orl", fixture::FixtureBuilder().ContainerHeader(45).Bytes(broken)));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"single.orl  -  Improper file contents"});
    EXPECT_EQ(single->FileKind(), 100);
    try {
        single->ListRecords(0);
        ADD_FAILURE() << "a broken chain was listed";
    } catch (const RecordChainError& e) {
        EXPECT_NE(std::string(e.what()).find("word " + std::to_string(c.brokenAt)), std::string::npos) << e.what();
    }
    EXPECT_FALSE(single->IsComplete(0));
    EXPECT_EQ(single->FindResultsRecord(0) != 0, c.resultsFound);
    EXPECT_EQ(single->FindRecord(0, 15), 0u);

    // As the middle file of three: the break stays inside its own sub-file.
    auto doc = OpenMultifile({Member("A", With(Spectrum::Fft, 6)), {"BROKEN", broken}, Member("C", With(Spectrum::Fft, 6))});
    const std::uint32_t start = doc->GetSubfileStart(2);
    EXPECT_THROW(doc->ListRecords(2), RecordChainError);
    EXPECT_NO_THROW(doc->ListRecords(3));
    EXPECT_FALSE(doc->IsComplete(2));
    EXPECT_EQ(doc->FindRecord17or21(2), 0u);
    EXPECT_EQ(doc->FindResultsRecord(2), c.resultsFound ? start + 90 : 0u);
    doc->ScanMergedSubfiles();
    EXPECT_EQ(doc->GetSubfileContents().BitsOf(2), 0);
    EXPECT_EQ(doc->GetSubfileContents().Group(ContentGroup::Fft).first, 1);
    EXPECT_EQ(doc->GetSubfileContents().Group(ContentGroup::Fft).last, 3);

    // As the last file: its break meets the end of the image.
    auto last = OpenMultifile({Member("A"), {"BROKEN", broken}});
    EXPECT_THROW(last->ListRecords(2), RecordChainError);
    EXPECT_FALSE(last->IsComplete(2));
    last->ScanMergedSubfiles();
    EXPECT_EQ(last->GetSubfileContents().BitsOf(2), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BrokenChains,
    ::testing::Values(BrokenChainCase{"TruncatedLastRecord", fixture::ChainFault::TruncatedLastRecord, 118, true},
                      BrokenChainCase{"Overrun", fixture::ChainFault::Overrun, 70, false},
                      BrokenChainCase{"ZeroLength", fixture::ChainFault::ZeroLength, 22, false}),
    [](const ::testing::TestParamInfo<BrokenChainCase>& info) { return std::string(info.param.name); });

struct ScanCase {
    const char* name;
    std::vector<CurrentFileSpec> files;
    std::vector<std::uint16_t> bits;
    // first and last per group, 0 0 when not found: A B D E F G H
    std::array<std::array<int, 2>, 7> ranges;
};

constexpr ContentGroup kScannedGroups[] = {ContentGroup::Histogram,   ContentGroup::Statistics,
                                           ContentGroup::Octave,      ContentGroup::ThirdOctave,
                                           ContentGroup::Fft,         ContentGroup::OctaveStats,
                                           ContentGroup::OtherBandStats};

TEST_F(Subfiles, ScanSortsEachSubfileIntoGroups)
{
    const CurrentFileSpec plain;
    const std::vector<ScanCase> cases = {
        {"generated five",
         {WithResults(true, true), With(Spectrum::Fft, 6), With(Spectrum::ThirdOctave, 3, true),
          With(Spectrum::Octave, 2, true), plain},
         {0x0087, 0x0020, 0x0210, 0x0108, 0},
         {{{1, 1}, {1, 1}, {4, 4}, {3, 3}, {2, 2}, {4, 4}, {3, 3}}}},
        {"FFT in 2 and 4",
         {plain, With(Spectrum::Fft, 6), plain, With(Spectrum::Fft, 6), plain},
         {0, 0x20, 0, 0x20, 0},
         {{{0, 0}, {0, 0}, {0, 0}, {0, 0}, {2, 4}, {0, 0}, {0, 0}}}},
        {"statistics only in 3",
         {plain, plain, WithResults(false, true)},
         {0, 0, 0x80},
         {{{0, 0}, {3, 3}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}},
        // Only stored levels open the statistics group: a histogram gives no first sub-file of it.
        {"histogram in 2, statistics in 4",
         {plain, WithResults(true, false), plain, WithResults(false, true)},
         {0, 0x07, 0, 0x80},
         {{{2, 2}, {4, 4}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}},
        {"histograms only",
         {WithResults(true, false), plain, WithResults(true, false)},
         {0x07, 0, 0x07},
         {{{1, 3}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}},
        {"statistics in 1, histogram in 3",
         {WithResults(false, true), plain, WithResults(true, false)},
         {0x80, 0, 0x07},
         {{{3, 3}, {1, 1}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}},
        // A 1/1-octave setup without 1/1-octave analysis is no 1/1-octave spectrum; its band statistics are "other".
        {"octave setup without octave analysis",
         {With(Spectrum::Octave, 1, true)},
         {0x0200},
         {{{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {1, 1}}}},
    };
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<MultifileMember> members;
        for (std::size_t i = 0; i < c.files.size(); ++i)
            members.push_back(Member("F" + std::to_string(i + 1), c.files[i]));
        auto doc = OpenMultifile(members);
        doc->ScanMergedSubfiles();
        const SubfileContents& found = doc->GetSubfileContents();
        EXPECT_EQ(found.bits, c.bits);
        for (std::size_t g = 0; g < std::size(kScannedGroups); ++g) {
            SCOPED_TRACE(static_cast<int>(kScannedGroups[g]));
            const GroupRange& range = found.Group(kScannedGroups[g]);
            EXPECT_EQ(range.found, c.ranges[g][1] != 0);
            // A group is found whole or not at all: never a first sub-file without a last.
            EXPECT_EQ((std::array<int, 2>{range.first, range.last}), c.ranges[g]);
        }
        EXPECT_FALSE(found.Group(ContentGroup::Buffer).found);
    }
}

TEST(ScanMergedSubfiles, RecordTypesAndEndsOfFourChannelFiles)
{
    using test::AddLongRecord;
    using test::AddRecord;
    std::vector<std::uint16_t> w;
    // File 1: firmware below 2.20: record 26 ends the walk before the FFT record 17.
    AddRecord(w, 4, {0, 0, 2});
    AddRecord(w, 15, {1});
    AddRecord(w, 26, {0});
    AddRecord(w, 17, {1});
    w.push_back(0xFFFF);
    const auto second = static_cast<std::uint32_t>(w.size());
    // File 2: a histogram 20, statistics 25 and the second histogram 21, after which nothing counts.
    AddRecord(w, 20, {1});
    AddRecord(w, 25, {0x0003});
    AddRecord(w, 21, {1});
    AddRecord(w, 16, {1});
    w.push_back(0xFFFF);
    const auto third = static_cast<std::uint32_t>(w.size());
    // File 3: 33 records before the 1/3-octave spectrum: past the scan's limit.
    for (int i = 0; i < 32; ++i)
        AddRecord(w, 40, {});
    AddRecord(w, 16, {1});
    w.push_back(0xFFFF);
    const auto end = static_cast<std::uint32_t>(w.size());
    test::WordImage image(w);
    std::vector<MultifileEntry> list = {Entry("A", 0, 2 * second), Entry("B", 2 * second, 2 * (third - second)),
                                        Entry("C", 2 * third, 2 * (end - third))};

    ChainFlags fourChannel{.fourChannel = true, .firmware = 216};
    SubfileContents found = ScanMergedSubfiles(image.reader, list, fourChannel);
    EXPECT_EQ(found.bits, (std::vector<std::uint16_t>{0x0008, 0x0007 | 0x0080 | 0x0200, 0}));

    // From firmware 2.20 record 26 is an ordinary record.
    fourChannel.firmware = 220;
    found = ScanMergedSubfiles(image.reader, list, fourChannel);
    EXPECT_EQ(found.bits[0], 0x0008 | 0x0020);

    // The same words as other files: 20, 25, 21 mean nothing or other things there, 15 is a logger.
    found = ScanMergedSubfiles(image.reader, list, ChainFlags{});
    EXPECT_EQ(found.bits, (std::vector<std::uint16_t>{0x0040 | 0x0020, 0x0020 | 0x0010, 0}));
    EXPECT_EQ(found.Group(ContentGroup::Buffer).first, 1);
    EXPECT_TRUE(found.Group(ContentGroup::Buffer).found);
}

TEST(ScanMergedSubfiles, OtherFilesStepOverRecords11And18ByWord1)
{
    // A record 18 whose high byte says 2 words but word 1 says 5: the walk takes
    // word 1 and lands on the FFT setup; four-channel files take the high byte.
    std::vector<std::uint16_t> w = {test::Head(18, 2), 5, 0x0F0F, 0x0F0F, 0x0F0F, test::Head(17, 2), 1, 0xFFFF};
    test::WordImage image(w);
    std::vector<MultifileEntry> list = {Entry("A", 0, 2 * static_cast<std::uint32_t>(w.size()))};
    EXPECT_EQ(ScanMergedSubfiles(image.reader, list, ChainFlags{}).bits[0], 0x0020);
    EXPECT_EQ(ScanMergedSubfiles(image.reader, list, ChainFlags{.fourChannel = true, .firmware = 300}).bits[0], 0);
}

TEST(ScanLegacySubfiles, GroupsFollowTheDecodedFlags)
{
    // Per sub-file: histogram, statistics, time history, records; nothing: not decodable.
    const std::vector<std::optional<LegacyFileContents>> files = {
        LegacyFileContents{false, true, false, 0},
        LegacyFileContents{false, false, true, 400},
        std::nullopt,
        LegacyFileContents{true, false, false, 0},
        LegacyFileContents{false, false, true, 900},
    };
    std::vector<int> decoded;
    SubfileContents found = ScanLegacySubfiles(5, [&](int n) {
        decoded.push_back(n);
        return files[static_cast<std::size_t>(n - 1)];
    });
    EXPECT_EQ(decoded, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(found.bits, (std::vector<std::uint16_t>{0x0080, 0x00C7, 0, 0x0087, 0x00C7}));
    EXPECT_EQ((std::array<int, 2>{found.Group(ContentGroup::Histogram).first, found.Group(ContentGroup::Histogram).last}),
              (std::array<int, 2>{2, 5}));
    EXPECT_EQ(found.Group(ContentGroup::Statistics).first, 1);
    EXPECT_EQ(found.Group(ContentGroup::Buffer).first, 2);
    EXPECT_EQ(found.largestRecordCount, 900u);
    EXPECT_TRUE(found.Group(ContentGroup::Buffer).found);
    EXPECT_FALSE(found.Group(ContentGroup::Fft).found);
}

struct ClampCase {
    const char* name;
    int viewKind;
    BandStatistics band;
    int selected;
    int expected;
    int first;
    int last;
    bool recordReset;
};

TEST_F(Subfiles, ClampKeepsTheSelectionWhereTheViewHasSomethingToShow)
{
    const CurrentFileSpec plain;
    // 1 histogram+statistics, 2 FFT, 3 plain, 4 FFT, 5 1/1 octave with band statistics,
    // 6 1/3 octave with band statistics, 7 histogram.
    auto doc = OpenMultifile({Member("ONE", WithResults(true, true)), Member("TWO", With(Spectrum::Fft, 6)),
                              Member("THREE", plain), Member("FOUR", With(Spectrum::Fft, 6)),
                              Member("FIVE", With(Spectrum::Octave, 2, true)),
                              Member("SIX", With(Spectrum::ThirdOctave, 3, true)),
                              Member("SEVEN", WithResults(true, false))});
    doc->ScanMergedSubfiles();
    const std::vector<ClampCase> cases = {
        {"spectra: below the first", kViewSpectra, {}, 1, 2, 2, 4, true},
        {"spectra: forward to the next FFT file", kViewSpectra, {}, 3, 4, 2, 4, true},
        {"spectra: above the last", kViewSpectra, {}, 5, 4, 2, 4, true},
        {"spectra: already on an FFT file", kViewSpectra, {}, 2, 2, 2, 4, false},
        {"octaves", kViewOctaves, {}, 1, 5, 5, 5, true},
        {"third octaves", kViewThirdOctaves, {}, 7, 6, 6, 6, true},
        {"histograms: forward past files without one", kViewHistograms, {}, 2, 7, 1, 7, false},
        {"densities use the histograms' group", kViewDensities, {}, 3, 7, 1, 7, false},
        {"statistical levels", kViewStatisticalLevels, {}, 4, 1, 1, 1, false},
        {"statistical levels of 1/1-octave bands", kViewStatisticalLevels, {true, true}, 1, 5, 5, 5, false},
        {"histograms of other bands", kViewHistograms, {false, true}, 7, 6, 6, 6, false},
        {"another view: the whole list, selection kept", 3, {}, 3, 3, 1, 7, false},
    };
    const char* names[] = {"", "ONE", "TWO", "THREE", "FOUR", "FIVE", "SIX", "SEVEN"};
    for (const ClampCase& c : cases) {
        SCOPED_TRACE(c.name);
        SubfileSelection s;
        s.selected = c.selected;
        s.record = 9;
        EXPECT_EQ(doc->ClampSubfileSelection(c.viewKind, s, c.band), 1);
        EXPECT_EQ(s.selected, c.expected);
        EXPECT_EQ(s.first, c.first);
        EXPECT_EQ(s.last, c.last);
        EXPECT_EQ(s.record, c.recordReset ? 1 : 9);
        EXPECT_EQ(s.name, names[c.expected]);
    }
}

TEST_F(Subfiles, HistogramsWithoutStoredLevelsOfferNoLevelsAndClampWithinTheirGroup)
{
    const CurrentFileSpec plain;
    // 1 plain, 2 histogram, 3 plain, 4 histogram: nothing holds statistical levels.
    auto doc = OpenMultifile({Member("ONE", plain), Member("TWO", WithResults(true, false)), Member("THREE", plain),
                              Member("FOUR", WithResults(true, false))});
    EXPECT_EQ(doc->GetViewMask() & (kViewMaskHistograms | kViewMaskDensities | kViewMaskStatLevels),
              kViewMaskHistograms | kViewMaskDensities);
    SubfileSelection s;
    s.selected = 3;
    doc->ClampSubfileSelection(kViewHistograms, s, {});
    EXPECT_EQ((std::array<int, 3>{s.selected, s.first, s.last}), (std::array<int, 3>{4, 2, 4}));
    // Asked for levels all the same (a view kept from an earlier file), the selection stays on a
    // sub-file of the list and never moves to a number outside it.
    s.selected = 3;
    doc->ClampSubfileSelection(kViewStatisticalLevels, s, {});
    EXPECT_EQ((std::array<int, 3>{s.selected, s.first, s.last}), (std::array<int, 3>{3, 1, 4}));
    EXPECT_EQ(s.name, "THREE");

    // Stored levels in sub-file 3 only: Levels is offered and clamps onto 3 from either side.
    auto levels = OpenMultifile({Member("ONE", plain), Member("TWO", WithResults(true, false)),
                                 Member("THREE", WithResults(false, true)), Member("FOUR", WithResults(true, false))});
    EXPECT_TRUE(levels->GetViewMask() & kViewMaskStatLevels);
    for (int from : {1, 2, 4}) {
        SCOPED_TRACE(from);
        s.selected = from;
        levels->ClampSubfileSelection(kViewStatisticalLevels, s, {});
        EXPECT_EQ((std::array<int, 3>{s.selected, s.first, s.last}), (std::array<int, 3>{3, 3, 3}));
    }
}

TEST(ClampSubfileSelection, LegacyMultifilesAndOtherDocuments)
{
    std::vector<MultifileEntry> list = {Entry("M1", 0, 2), Entry("M2", 2, 2), Entry("M3", 4, 2)};
    SubfileDirectory dir{list, 6, {}};
    SubfileContents legacy = ScanLegacySubfiles(3, [](int n) -> std::optional<LegacyFileContents> {
        return LegacyFileContents{false, n == 1, n == 3, 10};
    });

    SubfileSelection s;
    s.selected = 1;
    s.record = 4;
    ClampSubfileSelection(dir, legacy, 23, kViewBufferLogger, s, {});
    EXPECT_EQ(s.selected, 3);
    EXPECT_EQ(s.record, 4); // only the spectra views of current-family Multifiles reset it
    EXPECT_EQ(s.name, "M3");
    // Statistical levels: the buffer file has them too (group B runs 1 to 3); 2 moves on to 3.
    s.selected = 2;
    ClampSubfileSelection(dir, legacy, 23, kViewStatisticalLevels, s, {});
    EXPECT_EQ(s.selected, 3);
    EXPECT_EQ((std::array<int, 2>{s.first, s.last}), (std::array<int, 2>{1, 3}));

    // A 505 Multifile: only the name.
    SubfileSelection other;
    other.selected = 2;
    other.first = other.last = -5;
    ClampSubfileSelection(dir, legacy, 24, kViewBufferLogger, other, {});
    EXPECT_EQ(other.selected, 2);
    EXPECT_EQ(other.first, -5);
    EXPECT_EQ(other.name, "M2");
}

} // namespace
} // namespace orlu
