// The ASCII download against the simulated instrument: which contents each
// file gives, the text each content renders, the header inserted before the
// table, and the files that are not stored (a cut reply, a full disk, a
// Cancel) leave no text behind and stay selected.

#include "presentation/AsciiDownload.h"

#include "document/LineList.h"
#include "link/SimulatedUnit.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileIo.h"
#include "presentation/view/FormBuilder.h"
#include "support/Analyzer505Fixture.h"
#include "support/FakeUsbDriver.h"
#include "support/FixtureBuilder.h"
#include "support/LegacyFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace orlu {
namespace {

using Bytes = std::vector<std::uint8_t>;

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

/// A writer that fails once `room` bytes are written, as a full disk does,
/// around the program's own writer (so its temporary file is really made).
class FullDisk final : public AsciiTextOutput {
public:
    explicit FullDisk(std::size_t room) : m_Room(room) {}
    bool Open(const std::filesystem::path& target) override { return m_File.Open(target); }
    bool Write(std::span<const std::uint8_t> bytes) override
    {
        if (bytes.size() > m_Room) {
            m_File.Write(bytes.first(m_Room));
            m_Room = 0;
            return false;
        }
        m_Room -= bytes.size();
        return m_File.Write(bytes);
    }
    bool Commit() override { return m_File.Commit(); }
    void Discard() override { m_File.Discard(); }

private:
    AtomicFileWriter m_File;
    std::size_t m_Room;
};

struct AsciiRun {
    SimulatedUnit unit;
    CUnitDirectory dir;
    TransferProgress progress;
    AppContext app{unit.ui};
    std::filesystem::path folder;
    std::string sentBefore;

    AsciiRun(const std::string& options, std::uint8_t selector, std::vector<sim::UnitFile> files)
        : unit(options, selector, std::move(files))
    {
        folder = std::filesystem::path(testing::TempDir()) /
                 ("ascii-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(dir.ReadDirectory(unit.link, progress));
        sentBefore = unit.Sent();
    }
    ~AsciiRun() { std::filesystem::remove_all(folder); }

    /// Selects every entry, each line NAME<letter>.
    void SelectAll(char letter)
    {
        for (std::size_t e = 0; e < dir.GetEntryCount(); ++e) {
            dir.GetSelectedNames().push_back(dir.GetEntry(e).Name() + "<" + letter + ">");
            dir.GetSelectedEntries().push_back(e);
            dir.GetSelectedData().push_back(dir.GetEntry(e).ItemData());
            dir.GetSelectionFlags()[e] = 1;
        }
    }
    int Download(const AsciiChoices& choices, const AsciiOutputFactory& output = {})
    {
        return DownloadAscii(unit.link, dir, progress, app, folder, choices, output);
    }
    std::string SentByDownload() const { return unit.Sent().substr(sentBefore.size()); }
    std::string Text(const std::string& name) const
    {
        const Bytes bytes = ReadWholeFile(folder / name).value_or(Bytes{});
        return std::string(bytes.begin(), bytes.end());
    }
    /// Every file in the folder: no temporary one may be left.
    std::vector<std::string> Listing() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

sim::UnitFile File(std::string name, std::uint8_t type, Bytes bytes)
{
    return {std::move(name), type, 0, std::move(bytes)};
}

/// The five ORLU 525 files of the generator: level meter with statistics,
/// FFT, 1/3 octaves, 1/1 octaves, results only.
std::vector<sim::UnitFile> FiveMeasurements()
{
    std::vector<sim::UnitFile> files;
    for (const fixture::MultifileMember& m : fixture::GeneratedMultifileMembers(5))
        files.push_back(File(m.name, 1, m.bytes));
    return files;
}

TEST(AsciiDownloadTest, OnlyTheFilesHoldingTheContentAreStored)
{
    struct Case {
        std::uint8_t content;
        std::vector<std::string> stored;
        std::vector<std::uint8_t> flags; ///< left selected: the files skipped
    };
    const Case cases[] = {
        {kAsciiWholeFiles, {"FILE1.txt", "FILE2.txt", "FILE3.txt", "FILE4.txt", "FILE5.txt"}, {0, 0, 0, 0, 0}},
        {kAsciiFftSpectra, {"FILE2.txt"}, {1, 0, 1, 1, 1}},
        {kAsciiThirdOctaves, {"FILE3.txt"}, {1, 1, 0, 1, 1}},
        // Third octaves fold into whole octaves as well.
        {kAsciiOctaves, {"FILE3.txt", "FILE4.txt"}, {1, 1, 0, 0, 1}},
        {kAsciiWaveforms, {}, {1, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.content));
        AsciiRun run("--model 525", 3, FiveMeasurements());
        run.SelectAll('l');
        const int stored = static_cast<int>(c.stored.size());
        EXPECT_EQ(run.Download({c.content, 0, 0, 0, 0}), 5 - stored);
        EXPECT_EQ(run.Listing(), c.stored);
        EXPECT_EQ(run.dir.GetSelectionFlags(), c.flags);
        EXPECT_EQ(run.unit.ui.Messages(), std::vector<std::string>{Completed(stored, 5 - stored)});
        // Every file was read, each over a link of its own.
        EXPECT_EQ(run.SentByDownload(),
                  ";#4,1,FILE1<1000;;#4,1,FILE2<1001;;#4,1,FILE3<1002;;#4,1,FILE4<1003;;#4,1,FILE5<1004;");
    }
}

TEST(AsciiDownloadTest, TheHeaderComesRewrittenBeforeTheTableAndNeverBeforeTheWholeFile)
{
    const Bytes sample = fixture::PlausibleSampleFile();
    std::string plain, withHeader, wholePlain, wholeWithHeader;
    for (auto [content, header, out] : {std::tuple{kAsciiMainResults, 0, &plain},
                                        std::tuple{kAsciiMainResults, 1, &withHeader},
                                        std::tuple{kAsciiWholeFiles, 0, &wholePlain},
                                        std::tuple{kAsciiWholeFiles, 1, &wholeWithHeader}}) {
        AsciiRun run("--model 525", 3, {File("S1", 1, sample)});
        run.SelectAll('l');
        EXPECT_EQ(run.Download({static_cast<std::uint8_t>(content), static_cast<std::uint8_t>(header), 1, 2, 0}), 0);
        *out = run.Text("S1.txt");
    }
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(wholeWithHeader, wholePlain);
    // Decimal commas in the table, ';' between its columns.
    EXPECT_NE(plain.find("81,5"), std::string::npos) << plain;
    EXPECT_NE(plain.find(';'), std::string::npos);

    // The header, an empty line, then the same table.
    ASSERT_GT(withHeader.size(), plain.size());
    ASSERT_EQ(withHeader.substr(withHeader.size() - plain.size()), plain);
    const std::string header = withHeader.substr(0, withHeader.size() - plain.size());
    ASSERT_GE(header.size(), 4u);
    EXPECT_EQ(header.substr(header.size() - 4), "\r\n\r\n");
    std::size_t lineCount = 0;
    for (std::size_t at = 0; at + 2 < header.size(); ++lineCount) {
        const std::size_t end = header.find("\r\n", at);
        const std::string line = header.substr(at, end - at);
        EXPECT_EQ(line.find(' '), std::string::npos) << line;
        EXPECT_EQ(line.find('.'), std::string::npos) << line; // before 32 '_', from 32 on ','
        if (lineCount == 5) {
            EXPECT_LE(line.size(), 44u);
        }
        at = end + 2;
    }
    EXPECT_GT(lineCount, 6u);
}

TEST(AsciiDownloadTest, HeaderLinesRewrittenForTheTable)
{
    const std::string dots32 = std::string(30, 'a') + ". ." + "5.1"; // dots at 30 and 32, blank at 31
    struct Case {
        const char* name;
        std::vector<std::string> in;
        std::uint8_t decimal;
        std::vector<std::string> out;
    };
    const Case cases[] = {
        {"a rule line becomes underscores", {"--- x . ---"}, 0, {"___________"}},
        {"blanks and dots before position 32", {"Leq (A) ..... 81.5 dB"}, 1, {"Leq_(A)_______81_5_dB"}},
        {"dots from position 32 kept with a decimal point", {dots32}, 0, {std::string(30, 'a') + "__.5.1"}},
        {"dots from position 32 become commas with a decimal comma", {dots32}, 1, {std::string(30, 'a') + "__,5,1"}},
        {"a rule line in the middle", {"x", "-y y", "z"}, 0, {"x", "____", "z"}},
        {"the sixth line cut to 44",
         {"1", "2", "3", "4", "5", std::string(50, 'f'), std::string(50, 'g')},
         0,
         {"1", "2", "3", "4", "5", std::string(44, 'f'), std::string(50, 'g')}},
        {"a sixth line of 44 left whole", {"1", "2", "3", "4", "5", std::string(44, 'f')}, 0,
         {"1", "2", "3", "4", "5", std::string(44, 'f')}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineList header;
        for (std::string line : c.in)
            AddLine(header, line, nullptr);
        LineList out;
        std::int32_t widest = 0;
        RewriteHeaderForTable(header, c.decimal, out, &widest);
        std::vector<std::string> texts;
        for (std::string_view line : out)
            texts.emplace_back(line);
        std::vector<std::string> expected;
        for (const std::string& line : c.out)
            expected.push_back(line + "\r\n");
        EXPECT_EQ(texts, expected);
    }
}

TEST(AsciiDownloadTest, MainResultsOfThe505OnlyFromMeterFiles)
{
    const Bytes meter = fixture::LegacyMeasurementFile(fixture::PlausibleLegacySpec());
    const Bytes analyzer = fixture::BuildAnalyzer505File(fixture::Analyzer505Spec{});
    AsciiRun run("--model 505 --e-version", 1,
                 {File("M1", 1, meter), File("A1", 2, analyzer), File("S1", 3, Bytes(64, 1))});
    const std::pair<std::size_t, std::string> lines[] = {{0, "M1<m>"}, {1, "A1<a>"}, {2, "S1<s>"}};
    for (const auto& [e, line] : lines) {
        run.dir.GetSelectedNames().push_back(line);
        run.dir.GetSelectedEntries().push_back(e);
        run.dir.GetSelectedData().push_back(run.dir.GetEntry(e).ItemData());
        run.dir.GetSelectionFlags()[e] = 1;
    }
    EXPECT_EQ(run.Download({kAsciiMainResults, 0, 0, 0, 0}), 2);
    EXPECT_EQ(run.Listing(), std::vector<std::string>{"M1.txt"});
    EXPECT_NE(run.Text("M1.txt").find("81.5"), std::string::npos) << run.Text("M1.txt");
    // The special file is never asked for.
    EXPECT_EQ(run.SentByDownload().find("S1"), std::string::npos);
    EXPECT_EQ(run.dir.GetSelectionFlags(), (Bytes{0, 1, 1}));
    EXPECT_EQ(run.unit.ui.Messages(), std::vector<std::string>{Completed(1, 2)});
}

TEST(AsciiDownloadTest, AFileNotReadWholeGivesNoTextAndStaysSelected)
{
    const std::string dialog(kConnectionError);
    for (const std::string fault : {"stall-after:100@FILE2", "count:9000@FILE2", "silent@FILE2"}) {
        SCOPED_TRACE(fault);
        AsciiRun run("--model 525 --fault " + fault, 3, FiveMeasurements());
        run.SelectAll('l');
        EXPECT_EQ(run.Download({kAsciiWholeFiles, 0, 0, 0, 0}), 1);
        EXPECT_EQ(run.Listing(), (std::vector<std::string>{"FILE1.txt", "FILE3.txt", "FILE4.txt", "FILE5.txt"}));
        EXPECT_EQ(run.dir.GetSelectionFlags(), (Bytes{0, 1, 0, 0, 0}));
        EXPECT_EQ(run.unit.ui.Messages(), (std::vector<std::string>{dialog, Completed(4, 1)}));
    }
}

TEST(AsciiDownloadTest, ALinkThatCannotBeOpenedOmitsEachFile)
{
    AsciiRun run("--model 525", 3, FiveMeasurements());
    run.SelectAll('l');
    run.unit.link.SetPortOverride("/nonexistent/port");
    EXPECT_EQ(run.Download({kAsciiWholeFiles, 0, 0, 0, 0}), 5);
    EXPECT_TRUE(run.Listing().empty());
    EXPECT_EQ(run.dir.GetSelectionFlags(), (Bytes{1, 1, 1, 1, 1}));
    const std::vector<std::string> messages = run.unit.ui.Messages();
    ASSERT_EQ(messages.size(), 6u);
    EXPECT_EQ(std::count(messages.begin(), messages.end(), std::string(kConnectionError)), 5);
    EXPECT_EQ(messages.back(), Completed(0, 5));
}

TEST(AsciiDownloadTest, AFullDiskStopsTheRunWithoutAPartialText)
{
    AsciiRun run("--model 525", 3, FiveMeasurements());
    run.SelectAll('l');
    int opened = 0;
    const AsciiOutputFactory disk = [&]() -> std::unique_ptr<AsciiTextOutput> {
        // The first text fits, the second meets the end of the disk.
        return std::make_unique<FullDisk>(++opened == 1 ? std::size_t{1} << 30 : 100);
    };
    EXPECT_EQ(run.Download({kAsciiWholeFiles, 0, 0, 0, 0}, disk), 4);
    EXPECT_EQ(run.Listing(), std::vector<std::string>{"FILE1.txt"});
    EXPECT_EQ(run.dir.GetSelectionFlags(), (Bytes{0, 1, 1, 1, 1}));
    EXPECT_EQ(run.unit.ui.Messages(), std::vector<std::string>{Stopped(1, 4)});
    EXPECT_EQ(run.SentByDownload(), ";#4,1,FILE1<1000;;#4,1,FILE2<1001;");
}

TEST(AsciiDownloadTest, ATextThatCannotBeCreatedIsOmittedAndTheRunGoesOn)
{
    AsciiRun run("--model 525", 3, FiveMeasurements());
    run.SelectAll('l');
    int opened = 0;
    struct NoFile final : AsciiTextOutput {
        bool Open(const std::filesystem::path&) override { return false; }
        bool Write(std::span<const std::uint8_t>) override { return false; }
        bool Commit() override { return false; }
        void Discard() override {}
    };
    const AsciiOutputFactory refused = [&]() -> std::unique_ptr<AsciiTextOutput> {
        if (++opened == 2)
            return std::make_unique<NoFile>();
        return MakeAtomicTextOutput();
    };
    EXPECT_EQ(run.Download({kAsciiWholeFiles, 0, 0, 0, 0}, refused), 1);
    EXPECT_EQ(run.Listing(), (std::vector<std::string>{"FILE1.txt", "FILE3.txt", "FILE4.txt", "FILE5.txt"}));
    EXPECT_EQ(run.dir.GetSelectionFlags(), (Bytes{0, 1, 0, 0, 0}));
    EXPECT_EQ(run.unit.ui.Messages(), std::vector<std::string>{Completed(4, 1)});
}

TEST(AsciiDownloadTest, CancelEndsTheRunAfterTheTextInHandIsWritten)
{
    AsciiRun run("--model 525", 3, FiveMeasurements());
    run.SelectAll('l');
    const AsciiOutputFactory userCancels = [&]() -> std::unique_ptr<AsciiTextOutput> {
        run.progress.Request(TransferRequest::Cancel, false);
        return MakeAtomicTextOutput();
    };
    EXPECT_EQ(run.Download({kAsciiWholeFiles, 0, 0, 0, 0}, userCancels), 4);
    EXPECT_EQ(run.Listing(), std::vector<std::string>{"FILE1.txt"});
    EXPECT_EQ(run.dir.GetSelectionFlags(), (Bytes{0, 1, 1, 1, 1}));
    EXPECT_EQ(run.unit.ui.Messages(), std::vector<std::string>{Stopped(1, 4)});
    EXPECT_EQ(run.SentByDownload(), ";#4,1,FILE1<1000;");
}

// On USB a Cancel stops the file in transfer at once: nothing of it is
// written or counted, and it stays selected.
TEST(AsciiDownloadTest, ACancelOnUsbLeavesTheFileInTransferOmitted)
{
    sim::SimOptions options;
    options.model = "525";
    sim::InstrumentModel model(options, {File("F1", 1, Bytes(8 << 20, 0x55)), File("F2", 1, fixture::PlausibleSampleFile())});
    sim::FakeUsbDriver driver(&model);
    driver.timeout = 1000;
    ScriptedInteraction ui;
    ManualClock clock;
    SerialLinkSettings serial;
    UnitLink link(ui, serial, clock, &driver, sim::InstantReplyWait(clock));
    link.timing = LinkTiming::Fast();
    link.deviceSelector = 3;
    link.SetPortOverride("/nonexistent/port");
    link.OpenUsb();
    CUnitDirectory dir;
    TransferProgress progress;
    ASSERT_TRUE(dir.ReadDirectory(link, progress));
    for (std::size_t e = 0; e < dir.GetEntryCount(); ++e) {
        dir.GetSelectedNames().push_back(dir.GetEntry(e).Name() + "<l>");
        dir.GetSelectedEntries().push_back(e);
        dir.GetSelectedData().push_back(dir.GetEntry(e).ItemData());
        dir.GetSelectionFlags()[e] = 1;
    }
    const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "ascii-usb-cancel";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    // The user cancels as soon as the first file's bar moves (the bar counts shares, not bytes).
    CancelWhenDone(progress, 1, true);
    AppContext app(ui);
    EXPECT_EQ(DownloadAscii(link, dir, progress, app, folder, {kAsciiWholeFiles, 0, 0, 0, 0}), 2);
    link.CloseUsb();
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    EXPECT_EQ(dir.GetSelectionFlags(), (Bytes{1, 1}));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{Stopped(0, 2)});
    std::filesystem::remove_all(folder);
}

TEST(AsciiDownloadTest, OverwriteAnswers)
{
    using A = QuestionAnswer;
    struct Case {
        const char* name;
        std::vector<A> answers; ///< per existing file; the last file's box has three buttons
        std::string fresh;      ///< per file: 'n' written anew, 'o' the old text kept
        std::string summary;
    };
    const Case cases[] = {
        {"yes no", {A::Yes, A::No}, "no", Completed(1, 1)},
        {"no for all", {A::NoForAll}, "oo", Completed(0, 2)},
        {"yes for all", {A::YesForAll}, "nn", Completed(2, 0)},
        {"cancel", {A::Cancel}, "oo", Stopped(0, 2)},
    };
    const Bytes sample = fixture::PlausibleSampleFile();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AsciiRun run("--model 525", 3, {File("S1", 1, sample), File("S2", 1, sample)});
        for (const char* name : {"S1.txt", "S2.txt"})
            ASSERT_TRUE(WriteFileAtomically(run.folder / name, std::string_view("old")));
        run.SelectAll('l');
        for (std::size_t q = 0; q < c.answers.size(); ++q) {
            const std::string text = "File S" + std::to_string(q + 1) + ".txt already exists!\nOverwrite it?";
            if (q == 1)
                run.unit.ui.ExpectQuestion(text, c.answers[q]);
            else
                run.unit.ui.ExpectQuestionAll(text, c.answers[q]);
        }
        run.Download({kAsciiMainResults, 0, 0, 0, 0});
        for (std::size_t f = 0; f < 2; ++f)
            EXPECT_EQ(run.Text("S" + std::to_string(f + 1) + ".txt") == "old", c.fresh[f] == 'o') << f;
        EXPECT_EQ(run.unit.ui.Messages(), std::vector<std::string>{c.summary});
        EXPECT_EQ(run.Listing(), (std::vector<std::string>{"S1.txt", "S2.txt"}));
        run.unit.ui.Verify();
    }
}

} // namespace
} // namespace orlu
