// Downloading unit files to disk against the simulated instrument: each
// `.orl` is the container header plus exactly the instrument's bytes; the
// overwrite answers, the faults and Cancel leave no damaged file and never
// destroy the earlier one.

#include "SimulatedUnit.h"
#include "link/UnitFileDownload.h"
#include "platform/FileIo.h"

#include <gtest/gtest.h>


namespace orlu {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Pattern(std::size_t n, std::uint8_t seed)
{
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(seed + i * 7);
    return b;
}

/// The 32-byte header a downloaded file starts with, written out by hand.
Bytes Container(std::uint8_t kind, std::uint8_t subKind, const Bytes& data)
{
    Bytes out = {'O', 'r', 'l', 'u', 'P', 'C', 0x1A, 0x00, 32, 0, kind, subKind};
    out.resize(32, 0);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

sim::UnitFile File(std::string name, std::uint8_t type, Bytes bytes)
{
    return {std::move(name), type, 0, std::move(bytes)};
}

struct DownloadRun {
    SimulatedUnit unit;
    CUnitDirectory dir;
    TransferProgress progress;
    std::filesystem::path folder;
    std::string sentBefore;

    DownloadRun(const std::string& options, std::uint8_t selector, std::vector<sim::UnitFile> files)
        : unit(options, selector, std::move(files))
    {
        folder = std::filesystem::path(testing::TempDir()) /
                 ("dl-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(dir.ReadDirectory(unit.link, progress));
        sentBefore = unit.Sent();
    }
    ~DownloadRun() { std::filesystem::remove_all(folder); }

    /// Selects directory entries with their list lines, in list order.
    void Select(std::initializer_list<std::pair<std::size_t, std::string>> lines)
    {
        for (const auto& [entry, line] : lines) {
            dir.GetSelectedNames().push_back(line);
            dir.GetSelectedEntries().push_back(entry);
            dir.GetSelectedData().push_back(dir.GetEntry(entry).ItemData());
            dir.GetSelectionFlags()[entry] = 1;
        }
    }
    int Download() { return DownloadBinary(unit.link, dir, progress, folder); }
    std::string SentByDownload() const { return unit.Sent().substr(sentBefore.size()); }
    Bytes Disk(const std::string& name) const { return ReadWholeFile(folder / name).value_or(Bytes{}); }
    /// Every file in the folder (no temporary one may be left).
    std::vector<std::string> Listing() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    void Put(const std::string& name, const Bytes& bytes) const { ASSERT_TRUE(WriteFileAtomically(folder / name, bytes)); }
};

std::string Completed(int stored, int omitted)
{
    return "Download operation completed O.K.\n" + std::to_string(stored) + " file(s) stored\n" +
           std::to_string(omitted) + " file(s) omitted";
}
std::string Stopped(int stored, int omitted)
{
    return "Download operation stopped.\n" + std::to_string(stored) + " file(s) stored\n" + std::to_string(omitted) +
           " file(s) omitted";
}

TEST(UnitFileDownloadTest, EachFamilysFilesArriveWithTheirHeader)
{
    struct Case {
        std::string options;
        std::uint8_t selector;
        std::string line;
        std::string request; ///< with {n} for the item data
        std::uint8_t kind;
        std::uint8_t subKind;
    };
    const Case cases[] = {
        {"--model 525", 3, "L0001<l>", ";#4,1,L0001<1000;", 45, 0},
        {"--model 505 --e-version", 1, "L0001<m>", ";#4,1,L0001;", 3, 1},
        // Each selector-12 model's files are stored with a kind of their own, the QERA 420's as 99.
        {"--model 560", 12, "L0001<b>", ";#4,2,L0001<1000;", 73, 0},
        {"--model 560", 12, "L0001<s>", ";#4,1,L0001<1000;", 73, 0},
        {"--model 595", 12, "L0001<l>", ";#4,1,L0001<1000;", 79, 0},
        {"--model 420", 12, "L0001<l>", ";#4,1,L0001<1000;", 99, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options + " " + c.line);
        const Bytes data = Pattern(5000, 3);
        DownloadRun run(c.options, c.selector, {File("L0001", 1, data)});
        run.Select({{0, c.line}});
        EXPECT_EQ(run.Download(), 0);
        EXPECT_EQ(run.SentByDownload(), c.request);
        EXPECT_EQ(run.Disk("L0001.orl"), Container(c.kind, c.subKind, data));
        EXPECT_EQ(run.unit.ui.Messages(), std::vector<std::string>{Completed(1, 0)});
        EXPECT_EQ(run.dir.GetSelectionFlags(), Bytes{0});
    }
}

TEST(UnitFileDownloadTest, TheMonitorAsksForTheRangeOfTheLinesOwnEntry)
{
    const Bytes s1 = Pattern(0x20, 1), s2 = Pattern(0x300, 9), s3 = Pattern(0x10, 5);
    DownloadRun run("--model monitor", 7, {File("S1", 0, s1), File("S2", 0, s2), File("S3", 0, s3)});
    // Sorted backwards: list position 0 is the last entry.
    run.Select({{2, "S3<m>"}, {1, "S2<m>"}});
    EXPECT_EQ(run.Download(), 0);
    EXPECT_EQ(run.SentByDownload(), "#4,1,000420,00042F;#4,1,000120,00041F;");
    EXPECT_EQ(run.Disk("S2.orl"), Container(80, 0, s2));
    EXPECT_EQ(run.Disk("S3.orl"), Container(80, 0, s3));
    EXPECT_EQ(run.dir.GetSelectionFlags(), (Bytes{0, 0, 0}));
}

TEST(UnitFileDownloadTest, OverwriteAnswers)
{
    using A = QuestionAnswer;
    const Bytes oldBytes = {'o', 'l', 'd'};
    struct Case {
        std::string name;
        std::vector<A> answers; ///< one per question asked, the last file's with three buttons
        std::string fresh;      ///< per file: 'n' written anew, 'o' the old one kept
        std::string summary;
    };
    const Case cases[] = {
        {"yes no yes", {A::Yes, A::No, A::Yes}, "non", Completed(2, 1)},
        {"yes for all", {A::YesForAll}, "nnn", Completed(3, 0)},
        {"no for all", {A::NoForAll}, "ooo", Completed(0, 3)},
        {"no for all then the last asked is not", {A::No, A::NoForAll}, "ooo", Completed(0, 3)},
        {"cancel", {A::Cancel}, "ooo", Stopped(0, 3)},
        {"last file cancel", {A::Yes, A::Yes, A::Cancel}, "nno", Stopped(2, 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes data = Pattern(100, 4);
        DownloadRun run("--model 525", 3, {File("F1", 1, data), File("F2", 1, data), File("F3", 1, data)});
        for (const char* name : {"F1.orl", "F2.orl", "F3.orl"})
            run.Put(name, oldBytes);
        run.Select({{0, "F1<l>"}, {1, "F2<l>"}, {2, "F3<l>"}});
        for (std::size_t q = 0; q < c.answers.size(); ++q) {
            const std::string file = "F" + std::to_string(q + 1) + ".orl";
            const std::string text = "File " + file + " already exists!\nOverwrite it?";
            if (q == 2)
                run.unit.ui.ExpectQuestion(text, c.answers[q]);
            else
                run.unit.ui.ExpectQuestionAll(text, c.answers[q]);
        }
        run.Download();
        for (int f = 0; f < 3; ++f)
            EXPECT_EQ(run.Disk("F" + std::to_string(f + 1) + ".orl"),
                      c.fresh[static_cast<std::size_t>(f)] == 'n' ? Container(45, 0, data) : oldBytes)
                << f;
        EXPECT_EQ(run.unit.ui.Messages(), std::vector<std::string>{c.summary});
        EXPECT_EQ(run.Listing(), (std::vector<std::string>{"F1.orl", "F2.orl", "F3.orl"}));
        run.unit.ui.Verify();
    }
}

TEST(UnitFileDownloadTest, AFaultKeepsTheEarlierFileAndTheSelection)
{
    const std::string dialog(kConnectionError);
    for (const std::string fault : {"stall-after:300@F2", "silent@F2", "count:9000@F2", "disconnect:20@F2"}) {
        SCOPED_TRACE(fault);
        const Bytes data = Pattern(1000, 2);
        DownloadRun run("--model 525 --fault " + fault, 3, {File("F1", 1, data), File("F2", 1, data), File("F3", 1, data)});
        run.Put("F2.orl", {'o', 'l', 'd'});
        run.Select({{0, "F1<l>"}, {1, "F2<l>"}, {2, "F3<l>"}});
        run.unit.ui.ExpectQuestionAll("File F2.orl already exists!\nOverwrite it?", QuestionAnswer::Yes);
        EXPECT_EQ(run.Download(), 2);
        EXPECT_EQ(run.Disk("F1.orl"), Container(45, 0, data));
        EXPECT_EQ(run.Disk("F2.orl"), (Bytes{'o', 'l', 'd'}));
        EXPECT_EQ(run.Listing(), (std::vector<std::string>{"F1.orl", "F2.orl"}));
        EXPECT_EQ(run.unit.ui.Messages(), (std::vector<std::string>{dialog, Stopped(1, 2)}));
        EXPECT_EQ(run.dir.GetSelectionFlags(), (Bytes{0, 1, 1}));
        // The port was released.
        if (fault.starts_with("disconnect"))
            continue;
        EXPECT_TRUE(run.dir.ReadDirectory(run.unit.link, run.progress));
    }
}

TEST(UnitFileDownloadTest, HostileNamesStayInsideTheFolder)
{
    DownloadRun run("--model 525 --fault names", 3, {});
    ASSERT_EQ(run.dir.GetEntryCount(), 3u);
    run.Select({{0, "A/B<l>"}, {1, "/TOP<l>"}, {2, "\\TOP<l>"}});
    EXPECT_EQ(run.Download(), 0);
    EXPECT_EQ(run.Listing(), (std::vector<std::string>{"@TOP.orl", "A_B.orl", "_TOP.orl"}));
    const std::string a = "A/B";
    EXPECT_EQ(run.Disk("A_B.orl"), Container(45, 0, Bytes(a.begin(), a.end())));
    EXPECT_FALSE(std::filesystem::exists(run.folder.parent_path() / "TOP.orl"));
}

TEST(UnitFileDownloadTest, DiskNames)
{
    const std::pair<std::string, std::string> cases[] = {
        {"L01", "L01"}, {"\\A", "@A"}, {"\\A\\B", "@A_B"}, {"A/B", "A_B"}, {"..", ".."},
        {std::string("A\0B", 3), "A_B"}, {"A\x7f\x01", "A__"},
    };
    for (const auto& [unit, disk] : cases)
        EXPECT_EQ(UnitDiskName(unit), disk);
}

TEST(UnitFileDownloadTest, CancelOnTheSerialLinkKeepsTheFileInTransferAndSaysStopped)
{
    const Bytes big = Pattern(1 << 20, 6);
    DownloadRun run("--model 525", 3, {File("F1", 1, big), File("F2", 1, Pattern(10, 1))});
    run.Select({{0, "F1<l>"}, {1, "F2<l>"}});
    // The user cancels after the first 4096 bytes of F1.
    CancelWhenDone(run.progress, 4096, false);
    EXPECT_EQ(run.Download(), 1);
    EXPECT_EQ(run.SentByDownload(), ";#4,1,F1<1000;");
    EXPECT_EQ(run.Disk("F1.orl"), Container(45, 0, big));
    EXPECT_EQ(run.unit.ui.Messages(), std::vector<std::string>{Stopped(1, 1)});
    EXPECT_EQ(run.dir.GetSelectionFlags(), (Bytes{0, 1}));
}

} // namespace
} // namespace orlu
