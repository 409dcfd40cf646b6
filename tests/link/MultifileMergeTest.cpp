// Merging files into a Multifile: the sub-file list in name order with the
// offsets of the merge order, disk files read as the loader reads them, the
// structure words of each merged kind, the rejection messages (only the first
// shown), and a cut reply that leaves no document.

#include "SimulatedUnit.h"
#include "document/CTmDoc.h"
#include "document/container/ContainerLayout.h"
#include "link/MultifileMerge.h"
#include "support/FixtureBuilder.h"
#include "support/LegacyFixture.h"
#include "support/Analyzer505Fixture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orlu {
namespace {

using namespace fixture;
using Bytes = std::vector<std::uint8_t>;

/// One sub-file as the golden lists give it.
struct Sub {
    std::string name;
    int kind;
    std::uint32_t offset, length;
    bool operator==(const Sub&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Sub& s)
{
    return os << s.name << " kind " << s.kind << " @" << s.offset << " +" << s.length;
}

std::vector<Sub> SubfilesOf(const CTmDoc& doc)
{
    std::vector<Sub> out;
    for (const MultifileEntry& e : doc.Subfiles())
        out.push_back({e.NameText(), e.FileKind, e.Offset, e.Length});
    return out;
}

Bytes ImageOf(const CTmDoc& doc)
{
    Bytes out(doc.ByteCount());
    for (std::uint32_t i = 0; i < doc.ByteCount(); ++i)
        out[i] = doc.Reader().Byte(i);
    return out;
}

std::string Completed(int used, int ignored)
{
    return "Merge operation completed O.K.\n" + std::to_string(used) + " file(s) used\n" + std::to_string(ignored) +
           " file(s) ignored";
}

const std::string kBufferText = "Buffer/logger files cannot be merged!";
const std::string kSpecialText = "Special files cannot be merged!";
const std::string kStructureText =
    "Only simple files of the same structure can be merged!\n(buffers/loggers and setups are excluded).";
const std::string kUnreadableText = "The file cannot be read!";
const std::string kSimplestText = "Only the simplest METER or ANALYZER files\nof the same structure can be merged!";
const std::string kRegularText =
    "Only the regular files (excluding 'Buffer'/'Logger')\nof the same structure can be merged!";

TEST(MultifileMergeTest, NamesSortByTextThenTrailingNumberAndEqualNamesKeepTheirOrder)
{
    const std::vector<std::string> merged = {"RUN10", "RUN2", "B", "RUN", "RUN2", "A9", "A10", "RUN02", "RUNA1"};
    std::vector<MultifileEntry> list;
    for (std::size_t i = 0; i < merged.size(); ++i) {
        MultifileEntry e;
        std::copy(merged[i].begin(), merged[i].end(), e.Name.begin());
        e.Offset = static_cast<std::uint32_t>(i); // the merge position tells equal names apart
        InsertSorted(list, e);
    }
    std::vector<std::pair<std::string, std::uint32_t>> order;
    for (const MultifileEntry& e : list)
        order.emplace_back(e.NameText(), e.Offset);
    const std::vector<std::pair<std::string, std::uint32_t>> expected = {
        {"A9", 5}, {"A10", 6}, {"B", 2}, {"RUN", 3}, {"RUN2", 1}, {"RUN2", 4}, {"RUN02", 7}, {"RUN10", 0}, {"RUNA1", 8}};
    EXPECT_EQ(order, expected);
}

TEST(MultifileMergeTest, EntryNamesAreCutAtTheFirstBlankAndToEightCharacters)
{
    struct Case {
        std::string name;
        bool disk;
        std::string expected;
    };
    const Case cases[] = {
        {"RUN2.orl", true, "RUN2"},           {"VERYLONGNAME.orl", true, "VERYLONG"},
        {"A.B.orl", true, "A"},               {"L01     ", false, "L01"},
        {"ABCDEFGHIJ", false, "ABCDEFGH"},    {"AB.1", false, "AB.1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MergedEntryName(c.name, c.disk), c.expected) << c.name;
}

/// A header of `words` little-endian words, all 0 but those given.
Bytes Header(std::size_t words, std::initializer_list<std::pair<int, std::uint16_t>> set)
{
    Bytes h(2 * words, 0);
    for (const auto& [w, v] : set) {
        h[2 * w] = static_cast<std::uint8_t>(v);
        h[2 * w + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    return h;
}

TEST(MultifileMergeTest, StructureWordsOfEachMergedKind)
{
    struct Case {
        const char* what;
        std::uint8_t kind;
        Bytes first;
        bool firstAccepted;
        Bytes later;
        bool laterAccepted;
    };
    // ANALYZER files: function (word 4) 1 or 2 compare word 18, the others word 14.
    const Bytes analyzer = Header(19, {{0, 0x0011}, {3, 7}, {4, 3}, {14, 1}});
    const Case cases[] = {
        {"meter: same words", 23, Header(11, {{0, 0x21}, {3, 5}}), true, Header(11, {{0, 0x21}, {3, 5}, {7, 9}}), true},
        {"meter: word 3 differs", 23, Header(11, {{0, 0x21}, {3, 5}}), true, Header(11, {{0, 0x21}, {3, 6}}), false},
        {"meter: word 0 differs", 23, Header(11, {{0, 0x21}}), true, Header(11, {{0, 0x22}}), false},
        {"meter profile: only word 0", 23, Header(11, {{0, 0x4021}, {3, 5}}), true, Header(11, {{0, 0x4021}, {3, 6}}),
         true},
        {"analyzer: word 3 is not compared", 24, analyzer, true, Header(19, {{0, 0x0011}, {3, 8}, {4, 3}, {14, 1}}), true},
        {"analyzer: word 4 differs", 24, analyzer, true, Header(19, {{0, 0x0011}, {4, 4}, {14, 1}}), false},
        {"analyzer: later time bits", 24, analyzer, true, Header(19, {{0, 0x0011}, {4, 3}, {12, 4}, {14, 1}}), false},
        {"analyzer: value differs", 24, analyzer, true, Header(19, {{0, 0x0011}, {4, 3}, {14, 2}}), false},
        {"analyzer: spectrum takes word 18", 24, Header(19, {{4, 2}, {14, 5}, {18, 1}}), true,
         Header(19, {{4, 2}, {14, 9}, {18, 1}}), true},
        {"analyzer: profile first", 24, Header(19, {{0, 0x4000}, {4, 3}, {14, 1}}), false, {}, false},
        {"analyzer: time bits first", 24, Header(19, {{4, 3}, {12, 8}, {14, 1}}), false, {}, false},
        {"analyzer: value not 1 first", 24, Header(19, {{4, 3}, {14, 2}}), false, {}, false},
        {"current: word 5 set", 54, Header(18, {{5, 0x0001}}), true, Header(18, {{5, 0x0101}}), true},
        {"current: word 5 zero", 54, Header(18, {}), false, Header(18, {}), false},
        {"current: setup mark", 54, Header(18, {{5, 0x0201}}), false, Header(18, {{5, 0x0200}}), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StructureWords words;
        EXPECT_EQ(words.Remember(c.kind, c.first), c.firstAccepted);
        if (c.firstAccepted) {
            EXPECT_EQ(words.Matches(c.kind, c.later), c.laterAccepted);
        }
    }
}

TEST(MultifileMergeTest, ContainerLayoutIsReadAsTheLoaderReadsIt)
{
    const Bytes data = {1, 2, 3, 4, 5, 6};
    struct Case {
        const char* what;
        Bytes file;
        std::optional<std::uint64_t> offset, length;
    };
    const Bytes rt = {9, 9, 9, 9};
    const Case cases[] = {
        {"plain", FixtureBuilder().ContainerHeader(3).Bytes(data).Data(), 32, 6},
        {"64-byte header", FixtureBuilder().ContainerHeader(3, 0, 0, 0, 64).Bytes(data).Data(), 64, 6},
        {"RT block after the data", FixtureBuilder().ContainerHeader(44, 0, 1, 6).Bytes(data).RtBlock(rt).Data(), 32, 6},
        {"data length ignored without RT flags", FixtureBuilder().ContainerHeader(3, 0, 0, 2).Bytes(data).Data(), 32, 6},
        {"data length past the end", FixtureBuilder().ContainerHeader(44, 0, 2, 999).Bytes(data).Data(), 32, 6},
        {"DOS file", FixtureBuilder().DosHeader('M', '4', 1, 3).Bytes(data).Data(), 13, 6},
        {"header length 16", FixtureBuilder().ContainerHeader(3, 0, 0, 0, 32).PatchLe16(8, 16).Bytes(data).Data(), {}, {}},
        {"header length 600", FixtureBuilder().ContainerHeader(3).PatchLe16(8, 600).Bytes(data).Data(), {}, {}},
        {"cut header", FixtureBuilder().Text("OrluPC").Bytes({0x1A, 0, 32, 0, 3}).Data(), {}, {}},
        {"other signature", FixtureBuilder().Text("OrluPX").Padding(40).Data(), {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::istringstream in(std::string(c.file.begin(), c.file.end()));
        const std::optional<ContainerLayout> layout = ReadContainerLayout(in, c.file.size());
        ASSERT_EQ(layout.has_value(), c.offset.has_value());
        if (layout) {
            EXPECT_EQ(layout->dataOffset, *c.offset);
            EXPECT_EQ(layout->dataLength, *c.length);
        }
    }
}

/// A disk merge of files written into a scratch folder.
struct DiskMerge {
    ScriptedInteraction ui;
    AppContext app{ui};
    CTmDoc doc{app};
    TransferProgress progress;
    std::filesystem::path folder;

    DiskMerge()
    {
        folder = std::filesystem::path(testing::TempDir()) /
                 ("merge-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        app.MultifileTitleCounter = 4;
    }
    ~DiskMerge() { std::filesystem::remove_all(folder); }

    void Add(const std::string& name, const Bytes& bytes)
    {
        FixtureBuilder().Bytes(bytes).WriteTo(folder / name);
        app.DiskFileItems.push_back((folder / name).string());
    }
    void AddMissing(const std::string& name) { app.DiskFileItems.push_back((folder / name).string()); }
    MergeOutcome Run() { return MergeFiles(doc, nullptr, nullptr, progress); }
};

Bytes LegacyData()
{
    return LegacyMeasurementFile(PlausibleLegacySpec());
}

TEST(MultifileMergeTest, DiskFilesMergeToExactlyTheirDataListedByName)
{
    const Bytes data = LegacyData();
    const auto n = static_cast<std::uint32_t>(data.size());
    DiskMerge m;
    m.Add("RUN10.orl", FixtureBuilder().ContainerHeader(3).Bytes(data).Data());
    m.Add("RUN2.ORL", FixtureBuilder().ContainerHeader(3, 0, 1, n).Bytes(data).RtBlock(Bytes(40, 0xAB)).Data());
    m.Add("VERYLONGNAME.orl", FixtureBuilder().ContainerHeader(3, 0, 0, 0, 64).Bytes(data).Data());
    m.Add("OLD.M", LegacyDosFile(PlausibleLegacySpec()).Data());

    const MergeOutcome out = m.Run();
    EXPECT_TRUE(out.made);
    EXPECT_EQ(out.left, 0u);
    const std::vector<Sub> expected = {
        {"OLD", 23, 3 * n, n}, {"RUN2", 23, n, n}, {"RUN10", 23, 0, n}, {"VERYLONG", 23, 2 * n, n}};
    EXPECT_EQ(SubfilesOf(m.doc), expected);
    Bytes image;
    for (int i = 0; i < 4; ++i)
        image.insert(image.end(), data.begin(), data.end());
    EXPECT_EQ(ImageOf(m.doc), image);
    EXPECT_EQ(m.doc.FileKind(), 23);
    EXPECT_TRUE(m.doc.LegacyDecoded());
    EXPECT_EQ(m.ui.Messages(), std::vector<std::string>{Completed(4, 0)});
}

TEST(MultifileMergeTest, AnOddLengthFileIsFollowedByAPadByteSoTheNextStartsOnAWord)
{
    Bytes data = LegacyData();
    DiskMerge m;
    const Bytes odd(data.begin(), data.end() - 1);
    m.Add("A.orl", FixtureBuilder().ContainerHeader(3).Bytes(odd).Data());
    m.Add("B.orl", FixtureBuilder().ContainerHeader(3).Bytes(data).Data());
    m.Run();
    const auto n = static_cast<std::uint32_t>(data.size());
    const std::vector<Sub> expected = {{"A", 23, 0, n - 1}, {"B", 23, n, n}};
    EXPECT_EQ(SubfilesOf(m.doc), expected);
}

TEST(MultifileMergeTest, OnlyTheFirstRejectionIsShownAndARejectedLastFileGetsTheGeneralText)
{
    const Bytes legacy = FixtureBuilder().ContainerHeader(3).Bytes(LegacyData()).Data();
    const Bytes otherWord3 = [&] {
        FixtureBuilder b;
        b.Bytes(legacy).PatchLe16(32 + 6, static_cast<std::uint16_t>(legacy[38] | legacy[39] << 8) ^ 0x55);
        return b.Data();
    }();
    struct Bad {
        const char* what;
        Bytes file; ///< empty: the file does not exist
        std::string text;
    };
    const Bad bads[] = {
        {"settings text", FixtureBuilder().ContainerHeader(2).Text("#1,X1;").Data(), kSpecialText},
        {"saved Multifile", FixtureBuilder().ContainerHeader(23).Padding(40).Data(), kSpecialText},
        {"ANALYZER file", Analyzer505Container(Analyzer505Spec{}).Data(), kStructureText},
        {"other word 3", otherWord3, kStructureText},
        {"short", FixtureBuilder().Text("OrluPC").Data(), kUnreadableText},
        {"not a container", FixtureBuilder().Text("Hello world, this is text and no file!").Data(), kUnreadableText},
        {"missing", {}, kUnreadableText},
        {"header only", FixtureBuilder().ContainerHeader(3).Padding(4).Data(), kUnreadableText},
    };
    for (const Bad& bad : bads) {
        SCOPED_TRACE(bad.what);
        {
            // good, bad, bad, good: the first reason only, before the next file.
            DiskMerge m;
            m.Add("G1.orl", legacy);
            bad.file.empty() ? m.AddMissing("X.orl") : m.Add("X.orl", bad.file);
            m.Add("Y.orl", FixtureBuilder().Text("short").Data());
            m.Add("G2.orl", legacy);
            const MergeOutcome out = m.Run();
            EXPECT_TRUE(out.made);
            EXPECT_EQ(out.left, 2u);
            EXPECT_EQ(m.ui.Messages(), (std::vector<std::string>{bad.text, Completed(2, 2)}));
            EXPECT_EQ(m.doc.SubfileCount(), 2);
        }
        {
            // good, bad: the last file's reason gives way to the general text.
            DiskMerge m;
            m.Add("G1.orl", legacy);
            bad.file.empty() ? m.AddMissing("X.orl") : m.Add("X.orl", bad.file);
            EXPECT_TRUE(m.Run().made);
            EXPECT_EQ(m.ui.Messages(), (std::vector<std::string>{kSimplestText, Completed(1, 1)}));
        }
    }
}

TEST(MultifileMergeTest, NothingMergedMakesNoDocument)
{
    DiskMerge m;
    m.AddMissing("A.orl");
    m.Add("B.orl", FixtureBuilder().ContainerHeader(2).Text("#1;").Data());
    const MergeOutcome out = m.Run();
    EXPECT_FALSE(out.made);
    EXPECT_EQ(out.left, 2u);
    EXPECT_EQ(m.ui.Messages(), (std::vector<std::string>{kUnreadableText, Completed(0, 2)}));
}

TEST(MultifileMergeTest, CurrentFamilyDiskFilesNeedAFileWordWithoutTheSetupMark)
{
    CurrentFileSpec spec = PlausibleMeasurementSpec();
    Bytes data = CurrentMeasurementFile(spec);
    data[10] = 1; // word 5 of the file header: the file word, without the setup mark
    spec.setupFile = true;
    Bytes setup = CurrentMeasurementFile(spec);
    setup[10] = 1;
    DiskMerge m;
    m.Add("M2.orl", FixtureBuilder().ContainerHeader(44).Bytes(data).Data());
    m.Add("S1.orl", FixtureBuilder().ContainerHeader(44).Bytes(setup).Data());
    m.Add("M1.orl", FixtureBuilder().ContainerHeader(44).Bytes(data).Data());
    const MergeOutcome out = m.Run();
    EXPECT_TRUE(out.made);
    const auto n = static_cast<std::uint32_t>(data.size());
    const std::vector<Sub> expected = {{"M1", 54, n, n}, {"M2", 54, 0, n}};
    EXPECT_EQ(SubfilesOf(m.doc), expected);
    EXPECT_EQ(m.doc.FileKind(), 54);
    EXPECT_EQ(m.ui.Messages(), (std::vector<std::string>{kStructureText, Completed(2, 1)}));

    // A setup merged last: the general text of the current family.
    DiskMerge last;
    last.Add("M1.orl", FixtureBuilder().ContainerHeader(44).Bytes(data).Data());
    last.Add("S1.orl", FixtureBuilder().ContainerHeader(44).Bytes(setup).Data());
    EXPECT_TRUE(last.Run().made);
    EXPECT_EQ(last.ui.Messages(), (std::vector<std::string>{kRegularText, Completed(1, 1)}));
}

// ---- Over the link ----

struct UnitMerge {
    SimulatedUnit unit;
    AppContext app{unit.ui};
    CTmDoc doc{app};
    CUnitDirectory dir;
    TransferProgress progress;
    std::string sentBefore;

    UnitMerge(const std::string& options, std::uint8_t selector, std::vector<sim::UnitFile> files)
        : unit(options, selector, std::move(files))
    {
        EXPECT_TRUE(dir.ReadDirectory(unit.link, progress));
        sentBefore = unit.Sent();
        app.MultifileTitleCounter = 1;
    }
    void Select(std::initializer_list<std::pair<std::size_t, std::string>> lines)
    {
        for (const auto& [entry, line] : lines) {
            dir.GetSelectedNames().push_back(line);
            dir.GetSelectedEntries().push_back(entry);
            dir.GetSelectedData().push_back(dir.GetEntry(entry).ItemData());
            dir.GetSelectionFlags()[entry] = 1;
        }
    }
    MergeOutcome Run() { return MergeFiles(doc, &unit.link, &dir, progress); }
    std::string SentByMerge() const { return unit.Sent().substr(sentBefore.size()); }
};

TEST(MultifileMergeTest, UnitMeterFilesAreTestedByTheirFirstWordsThenMergedByName)
{
    const Bytes data = LegacyData();
    const auto n = static_cast<std::uint32_t>(data.size());
    UnitMerge m("--model 505", 1,
                {{"RUN10", 1, 0, data}, {"RUN2", 1, 0, data}, {"BUF", 16, 0, Bytes(64, 1)}, {"RUN3", 1, 0, data}});
    // The list is in directory order; the buffer comes before RUN3.
    m.Select({{0, "RUN10<m>"}, {1, "RUN2<m>"}, {2, "BUF<b>"}, {3, "RUN3<m>"}});
    const MergeOutcome out = m.Run();
    EXPECT_TRUE(out.made);
    EXPECT_EQ(out.left, 1u);
    EXPECT_EQ(m.SentByMerge(), ";#4,1,RUN10,0,11;;#4,1,RUN10;;#4,1,RUN2,0,11;;#4,1,RUN2;;#4,1,RUN3,0,11;;#4,1,RUN3;");
    const std::vector<Sub> expected = {{"RUN2", 23, n, n}, {"RUN3", 23, 2 * n, n}, {"RUN10", 23, 0, n}};
    EXPECT_EQ(SubfilesOf(m.doc), expected);
    EXPECT_EQ(m.unit.ui.Messages(), (std::vector<std::string>{kBufferText, Completed(3, 1)}));
    EXPECT_TRUE(m.doc.LegacyDecoded());
    // The merged files left the selection; the directory's selection is cleared at the end.
    EXPECT_TRUE(m.dir.GetSelectedNames().empty());
}

TEST(MultifileMergeTest, UnitCurrentFamilyFilesAreNotReadInAdvanceAndNamesAreUnpadded)
{
    const Bytes data = CurrentMeasurementFile(PlausibleMeasurementSpec());
    const auto n = static_cast<std::uint32_t>(data.size());
    UnitMerge m("--model 525", 3, {{"RUN10", 1, 0, data}, {"RUN2", 1, 0, data}});
    m.Select({{0, "RUN10   <l>"}, {1, "RUN2    <l>"}});
    EXPECT_TRUE(m.Run().made);
    EXPECT_EQ(m.SentByMerge(), ";#4,1,RUN10<1000;;#4,1,RUN2<1001;");
    const std::vector<Sub> expected = {{"RUN2", 55, n, n}, {"RUN10", 55, 0, n}};
    EXPECT_EQ(SubfilesOf(m.doc), expected);
    EXPECT_EQ(m.unit.ui.Messages(), std::vector<std::string>{Completed(2, 0)});
}

TEST(MultifileMergeTest, ACutReplyShowsTheConnectionDialogAndMakesNoDocument)
{
    const Bytes data = CurrentMeasurementFile(PlausibleMeasurementSpec());
    UnitMerge m("--model 525 --fault stall-after:100@RUN2", 3, {{"RUN1", 1, 0, data}, {"RUN2", 1, 0, data}});
    m.Select({{0, "RUN1<l>"}, {1, "RUN2<l>"}});
    const MergeOutcome out = m.Run();
    EXPECT_FALSE(out.made);
    EXPECT_EQ(m.unit.ui.Messages(),
              (std::vector<std::string>{std::string(kConnectionError), "Merge operation failed. Sorry!"}));
}

TEST(MultifileMergeTest, AReplyClaimingMoreThanTheImageCanCountStopsBeforeReading)
{
    const Bytes data = CurrentMeasurementFile(PlausibleMeasurementSpec());
    UnitMerge m("--model 525 --fault count:4294967295@RUN2", 3, {{"RUN1", 1, 0, data}, {"RUN2", 1, 0, data}});
    m.Select({{0, "RUN1<l>"}, {1, "RUN2<l>"}});
    const MergeOutcome out = m.Run();
    EXPECT_FALSE(out.made);
    EXPECT_EQ(m.unit.ui.Messages(), std::vector<std::string>{"Not enough memory ..."});
}

} // namespace
} // namespace orlu
