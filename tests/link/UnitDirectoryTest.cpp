// The program's copy of the instrument's directory: the records decoded, the
// reading against the simulated instrument with its attempts and faults, and
// the ORLU 505 file headers read by reduced requests.

#include "ScriptedTransport.h"
#include "SimulatedUnit.h"
#include "link/CUnitDirectory.h"

#include <gtest/gtest.h>

#include <array>

namespace orlu {
namespace {

constexpr std::time_t kReadAt = 1'700'000'000;

sim::UnitFile File(std::string name, std::uint8_t type, std::vector<std::uint8_t> bytes, std::uint8_t subtype = 0)
{
    return {std::move(name), type, subtype, std::move(bytes)};
}

std::vector<std::uint8_t> Bytes(std::size_t n, std::uint8_t first = 1)
{
    std::vector<std::uint8_t> b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(first + i);
    return b;
}

struct DirectoryRun {
    SimulatedUnit unit;
    CUnitDirectory dir;
    TransferProgress progress;

    DirectoryRun(const std::string& options, std::uint8_t selector, std::vector<sim::UnitFile> files = {})
        : unit(options, selector, std::move(files))
    {
        dir.wallClock = [] { return kReadAt; };
    }
    bool Read() { return dir.ReadDirectory(unit.link, progress); }
};

TEST(UnitDirEntryTest, FieldsComeFromTheirOffsets)
{
    std::array<std::uint8_t, 32> raw{};
    const char name[] = "L01     ";
    std::copy_n(name, 8, raw.begin());
    raw[8] = 4;
    raw[9] = 2;
    raw[12] = 0x78; raw[13] = 0x56; raw[14] = 0x34; raw[15] = 0x12; // size 0x12345678
    raw[16] = 0xE8; raw[17] = 0x03;                                   // item data 1000
    raw[20] = 0x6F; raw[21] = 0x30;                                   // 24/03/15: 24<<9 | 3<<5 | 15
    raw[22] = 0xB7; raw[23] = 0x48;                                   // 10:20:30 = 18615 x 2 s
    const UnitDirEntry e{std::span<const std::uint8_t, 32>(raw)};
    EXPECT_FALSE(e.IsEmpty());
    EXPECT_EQ(e.Name(), "L01");
    EXPECT_EQ(e.RawName(), "L01     ");
    EXPECT_EQ(e.Type(), 4);
    EXPECT_EQ(e.Subtype(), 2);
    EXPECT_EQ(e.Size(), 0x12345678u);
    EXPECT_EQ(e.ItemData(), 1000u);
    EXPECT_EQ(e.Year(), 24);
    EXPECT_EQ(e.Month(), 3);
    EXPECT_EQ(e.Day(), 15);
    EXPECT_EQ(e.Seconds(), 10 * 3600 + 20 * 60 + 30);

    // The MONITOR's range overlaps the size and item data.
    EXPECT_EQ(e.MonitorStart(), 0x03E81234u);
    EXPECT_EQ(e.MonitorEnd(), 0x306F0000u);
    // A range sent backwards has no size (not a wrapped-around huge one).
    raw[17] = 0x40;
    EXPECT_EQ(UnitDirEntry(std::span<const std::uint8_t, 32>(raw)).MonitorSize(), 0u);
    raw[14] = 0x00; raw[15] = 0x01; raw[16] = 0x00; raw[17] = 0x00; // start 0x000100
    raw[18] = 0xFF; raw[19] = 0x01; raw[20] = 0x00; raw[21] = 0x00; // end 0x0001FF
    EXPECT_EQ(UnitDirEntry(std::span<const std::uint8_t, 32>(raw)).MonitorSize(), 0x100u);

    UnitDirEntry erased = e;
    erased.SetSize(0);
    EXPECT_EQ(erased.Size(), 0u);
    EXPECT_EQ(erased.ItemData(), 1000u);
}

TEST(UnitDirectoryTest, ReadsTheEntriesAndKeepsEmptyOnesInPlace)
{
    DirectoryRun run("--model 525 --empty-entry 1", 3,
                     {File("L01", 1, Bytes(40)), File("L01B", 2, Bytes(3)), File("SETUP1", 0, Bytes(5), 2)});
    ASSERT_TRUE(run.Read());
    const CUnitDirectory& dir = run.dir;
    ASSERT_EQ(dir.GetEntryCount(), 4u);
    EXPECT_FALSE(dir.GetEntry(0).IsEmpty());
    EXPECT_TRUE(dir.GetEntry(1).IsEmpty());
    EXPECT_EQ(dir.GetEntry(2).Name(), "L01B");
    EXPECT_EQ(dir.GetEntry(0).Size(), 40u);
    EXPECT_EQ(dir.GetEntry(3).Subtype(), 2);
    EXPECT_EQ(dir.GetEntry(0).ItemData(), sim::InstrumentModel::ItemDataOf(0));
    EXPECT_EQ(dir.GetEntry(3).ItemData(), sim::InstrumentModel::ItemDataOf(2));
    EXPECT_THROW(dir.GetEntry(4), std::out_of_range);

    // Found by name and type: L01 is of type 1, not 2; the erased entry's
    // leftover name is never matched.
    EXPECT_EQ(dir.FindEntry("L01", 1), 0);
    EXPECT_EQ(dir.FindEntry("L01", 2), -1);
    EXPECT_EQ(dir.FindEntry("L01B", 2), 2);
    EXPECT_EQ(dir.FindEntry("GONE", 1), -1);

    EXPECT_FALSE(dir.DirectoryStale());
    EXPECT_EQ(dir.ReadTime(), kReadAt);
    EXPECT_EQ(run.dir.GetSelectionFlags(), std::vector<std::uint8_t>(4, 0));
    EXPECT_EQ(run.unit.Sent(), ";#1;;#4,0,\\;");
    EXPECT_TRUE(run.unit.ui.Messages().empty());
}

TEST(UnitDirectoryTest, RepliesAndFaults)
{
    struct Case {
        std::string options;
        bool ok;
        std::size_t entries;
        std::string sent;
        std::vector<std::string> messages;
    };
    const std::string dialog(kConnectionError);
    const Case cases[] = {
        // No files: an empty, fresh directory.
        {"--model 525", true, 0, ";#1;;#4,0,\\;", {}},
        // The first request unanswered: asked again, silently.
        {"--model 525 --fault silent@2", true, 2, ";#1;;#4,0,\\;;#4,0,\\;", {}},
        {"--model 525 --fault silent@2 --fault silent@3", true, 2, ";#1;;#4,0,\\;;#4,0,\\;;#4,0,\\;", {}},
        // Three unanswered requests end it.
        {"--model 525 --fault silent@2 --fault silent@3 --fault silent@4", false, 0,
         ";#1;;#4,0,\\;;#4,0,\\;;#4,0,\\;", {dialog}},
        // A count that is not a multiple of 32 waits for a whole last record that never comes.
        {"--model 525 --fault dir-count:70", false, 0, ";#1;;#4,0,\\;", {dialog}},
        // A count short of the records: only whole records are read.
        {"--model 525 --fault dir-count:32", true, 1, ";#1;;#4,0,\\;", {}},
        // A reply cut in a record is not asked again.
        {"--model 525 --fault stall-after:40", false, 0, ";#1;;#4,0,\\;", {dialog}},
        // No identify: no directory request and no connection dialog.
        {"--model 525 --fault silent@1", false, 0, ";#1;", {dialog}},
        {"--model 525 --fault unknown-type@1", false, 0, ";#1;", {"Unknown unit type! Sorry..."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const bool withFiles = c.options != "--model 525";
        DirectoryRun run(c.options, 3,
                         withFiles ? std::vector<sim::UnitFile>{File("A1", 1, Bytes(4)), File("A2", 1, Bytes(4))}
                                   : std::vector<sim::UnitFile>{});
        EXPECT_EQ(run.Read(), c.ok);
        EXPECT_EQ(run.dir.GetEntryCount(), c.entries);
        EXPECT_EQ(run.dir.DirectoryStale(), !c.ok);
        EXPECT_EQ(run.dir.ReadTime(), c.ok ? kReadAt : 0);
        EXPECT_EQ(run.unit.Sent(), c.sent);
        EXPECT_EQ(run.unit.ui.Messages(), c.messages);
        EXPECT_TRUE(run.progress.Finished() || c.sent == ";#1;");
    }
}

TEST(UnitDirectoryTest, TheMonitorIsNotIdentifiedAndGivesRanges)
{
    DirectoryRun run("--model monitor", 7, {File("S1", 0, Bytes(0x20)), File("S2", 0, Bytes(0x300))});
    ASSERT_TRUE(run.Read());
    EXPECT_EQ(run.unit.Sent(), ";#4,0,\\;");
    ASSERT_EQ(run.dir.GetEntryCount(), 2u);
    EXPECT_EQ(run.dir.GetEntry(0).MonitorStart(), 0x100u);
    EXPECT_EQ(run.dir.GetEntry(1).MonitorStart(), 0x120u);
    EXPECT_EQ(run.dir.GetEntry(1).MonitorSize(), 0x300u);
    EXPECT_EQ(run.dir.UnitSubKind(), 0);
}

TEST(UnitDirectoryTest, TheEVersionOfThe505IsNoted)
{
    for (const auto& [options, subKind] : {std::pair{"--model 505 --e-version", 1}, {"--model 505", 0}}) {
        DirectoryRun run(options, 1, {File("M1", 1, Bytes(4))});
        ASSERT_TRUE(run.Read()) << options;
        EXPECT_EQ(run.dir.UnitSubKind(), subKind) << options;
    }
}

TEST(UnitDirectoryTest, RecordsAreAddedOnlyAsTheirBytesComeAndCancelStops)
{
    // A count of 4 GiB with two records behind it: two entries, then the read fails.
    ScriptedTransport link(std::string(64, 'n'));
    TransferProgress progress;
    progress.Begin("t");
    std::vector<UnitDirEntry> entries;
    EXPECT_EQ(ReadDirectoryRecords(link, 0xFFFFFFFFu, progress, entries), ReplyOutcome::Failed);
    EXPECT_EQ(entries.size(), 2u);

    ScriptedTransport more(std::string(96, 'n'));
    entries.clear();
    progress.Request(TransferRequest::Cancel, false);
    EXPECT_EQ(ReadDirectoryRecords(more, 96, progress, entries), ReplyOutcome::Cancelled);
    EXPECT_EQ(entries.size(), 1u);
}

std::vector<std::uint8_t> Words(std::initializer_list<std::uint16_t> words, std::size_t totalBytes)
{
    std::vector<std::uint8_t> b;
    for (std::uint16_t w : words) {
        b.push_back(static_cast<std::uint8_t>(w));
        b.push_back(static_cast<std::uint8_t>(w >> 8));
    }
    b.resize(totalBytes, 0x5A);
    return b;
}

TEST(UnitDirectoryTest, The505HeadersAreReadByReducedRequests)
{
    DirectoryRun run("--model 505 --empty-entry 2", 1,
                     {File("M1", 1, Words({0x0001, 0, 0, 2, 3, 0, 9, 9}, 300)),
                      File("A1", 2, Words({0x4001, 0, 0, 2, 5, 7}, 40)),
                      File("M0", 1, {}),                       // size 0: not asked
                      File("S1", 3, Words({1}, 20)),             // a setup file: not asked
                      File("A2", 2, Words({1, 2, 3}, 10))});     // shorter than a header
    ASSERT_TRUE(run.Read());
    ASSERT_TRUE(run.dir.ReadFileHeaders(run.unit.link, run.progress));
    const std::vector<UnitFileHeader>& h = run.dir.GetHeaders();
    ASSERT_EQ(h.size(), 6u);
    ASSERT_TRUE(h[0].Present());
    EXPECT_FALSE(h[0].IsProfile());
    EXPECT_EQ(h[0].Word(3), 2);
    EXPECT_EQ(h[0].Word(4), 3);
    ASSERT_TRUE(h[1].Present());
    EXPECT_TRUE(h[1].IsProfile());
    EXPECT_EQ(h[1].Word(5), 7);
    for (int absent : {2, 3, 4, 5})
        EXPECT_FALSE(h[absent].Present()) << absent;
    EXPECT_FALSE(run.dir.HeadersStale());
    // The rest of each reply was read and dropped: the requests follow one another cleanly.
    EXPECT_EQ(run.unit.Sent(), ";#1;;#4,0,\\;;#4,1,M1,0,8;;#4,2,A1,0,8;;#4,2,A2,0,8;");
    EXPECT_TRUE(run.unit.ui.Messages().empty());
}

TEST(UnitDirectoryTest, AHeaderReadFailureLeavesNoHeaders)
{
    DirectoryRun run("--model 505 --fault stall-after:20@M1", 1,
                     {File("A1", 2, Words({1, 0, 0, 2, 1}, 40)), File("M1", 1, Words({1}, 64))});
    ASSERT_TRUE(run.Read());
    EXPECT_FALSE(run.dir.ReadFileHeaders(run.unit.link, run.progress));
    EXPECT_TRUE(run.dir.GetHeaders().empty());
    EXPECT_TRUE(run.dir.HeadersStale());
    EXPECT_EQ(run.unit.ui.Messages(), std::vector<std::string>{std::string(kConnectionError)});
}

TEST(UnitDirectoryTest, OtherFamiliesHaveNoHeaders)
{
    DirectoryRun run("--model 525", 3, {File("L1", 1, Bytes(40))});
    ASSERT_TRUE(run.Read());
    EXPECT_TRUE(run.dir.ReadFileHeaders(run.unit.link, run.progress));
    EXPECT_TRUE(run.dir.GetHeaders().empty());
    EXPECT_EQ(run.unit.Sent(), ";#1;;#4,0,\\;");
}

} // namespace
} // namespace orlu
