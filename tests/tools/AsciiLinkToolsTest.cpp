// orlu-link ascii as a user runs it: the text of each file against what
// orlu-dump shows of the same file with the same table options.

#include "support/CommandRun.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace orlu {
namespace {

using fixture::RunCommand;

using test::Tool;

/// The simulator's files (made by orlu-fixture) and the folder the texts go to.
struct AsciiFolders {
    std::filesystem::path root;
    AsciiFolders()
    {
        // A folder of this run alone: a test of the same name in another
        // build on the machine, run at the same time, must not remove it.
        std::string pattern = (std::filesystem::path(testing::TempDir()) /
                               ("ascii-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) +
                                "-XXXXXX"))
                                  .string();
        EXPECT_NE(::mkdtemp(pattern.data()), nullptr) << pattern;
        root = pattern;
        std::filesystem::create_directories(root / "files");
        std::filesystem::create_directories(root / "dl");
    }
    ~AsciiFolders() { std::filesystem::remove_all(root); }
    /// A file of the unit (type 1, or the type given), written by orlu-fixture with the options.
    void Make(const std::string& name, const std::string& fixture, char type = '1') const
    {
        const fixture::CommandRun made = RunCommand(Tool("orlu-fixture") + " " + fixture + " " +
                                                    (root / "files" / (name + "." + type + ".orl")).string());
        ASSERT_EQ(made.status, 0) << fixture << "\n" << made.out;
    }
    std::string Text(const std::string& name) const { return test::ReadAll(root / "dl" / name); }
    fixture::CommandRun Ascii(const std::string& model, int selector, const std::string& options) const
    {
        return RunCommand(Tool("orlu-link") + " --usb-sim \"--model " + model + " --files " + (root / "files").string() +
                          "\" --selector " + std::to_string(selector) + " --answers yyyyyy ascii " + options +
                          " --download-path " + (root / "dl").string());
    }
    std::string Dump(const std::string& name, const std::string& options, char type = '1') const
    {
        return RunCommand(Tool("orlu-dump") + " " + (root / "files" / (name + "." + type + ".orl")).string() + " " +
                          options)
            .out;
    }
};

TEST(AsciiLinkTools, MainResultsAreTheTableFormOrluDumpShowsWithTheSameOptions)
{
    const AsciiFolders folders;
    folders.Make("S1", "sample");
    folders.Make("V1", "current --kind 45 --device 525 --firmware 300 --input 5");
    struct Case {
        const char* ascii;
        const char* dump;
    };
    const Case cases[] = {
        {"--dec 0 --sep 0 --form 0", "--dec 0 --sep 0"},
        {"--dec 1 --sep 2 --form 0", "--dec 1 --sep 2"},
        {"--dec 0 --sep 5 --form 1", "--dec 0 --sep 5 --sci"},
        {"--dec 1 --sep 6 --form 1", "--dec 1 --sep 6 --sci"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ascii);
        const fixture::CommandRun run = folders.Ascii("525", 3, std::string("--select 1,2 --content 2 ") + c.ascii);
        EXPECT_EQ(run.status, 0) << run.out;
        EXPECT_NE(run.out.find("message: Download operation completed O.K. 2 file(s) stored 0 file(s) omitted"),
                  std::string::npos)
            << run.out;
        for (const char* name : {"S1", "V1"}) {
            const std::string text = folders.Text(std::string(name) + ".txt");
            EXPECT_FALSE(text.empty());
            EXPECT_EQ(text, folders.Dump(name, std::string("--view 2 --form table ") + c.dump)) << name;
        }
    }
}

TEST(AsciiLinkTools, SpectraComeRecordByRecordAndOctavesChannelByChannel)
{
    const AsciiFolders folders;
    folders.Make("FFT1", "current --kind 45 --function 6 --fft-spectrum 4,20,2:30 --fft-range 2 --spectra 3 "
                         "--spectra-levels 0,-10,-20");
    const fixture::CommandRun fft = folders.Ascii("525", 3, "--select 1 --content 3 --dec 1 --sep 4");
    EXPECT_EQ(fft.status, 0) << fft.out;
    // Each record's table, as the view shows it on that record.
    std::string records;
    for (int r = 1; r <= 3; ++r)
        records += folders.Dump("FFT1", "--view 9 --form table --dec 1 --sep 4 --spectrum " + std::to_string(r));
    EXPECT_EQ(folders.Text("FFT1.txt"), records);
    EXPECT_NE(records.find("Spectrum_(power)_No.3_"), std::string::npos) << records;

    std::filesystem::remove_all(folders.root / "files");
    std::filesystem::create_directories(folders.root / "files");
    folders.Make("F4", "four-channel --device 545 --channels 3 --function 3 --spectrum 1=31,2,70/2=31,2,60/3=28,2,50");
    const fixture::CommandRun octaves = folders.Ascii("545", 10, "--select 1 --content 5");
    EXPECT_EQ(octaves.status, 0) << octaves.out;
    std::string channels;
    for (int mask : {1, 2, 4})
        channels += folders.Dump("F4", "--view 11 --form table --channels " + std::to_string(mask));
    EXPECT_EQ(folders.Text("F4.txt"), channels);
    EXPECT_NE(channels.find("#3"), std::string::npos) << channels;

    // An ORLU 505 probe file: every channel alone, record by record.
    std::filesystem::remove_all(folders.root / "files");
    std::filesystem::create_directories(folders.root / "files");
    folders.Make("A4", "analyzer --kind 4 --four-channel --spectra 2", '2');
    const fixture::CommandRun probe = folders.Ascii("505", 1, "--select 1 --content 4");
    EXPECT_EQ(probe.status, 0) << probe.out;
    std::string perChannel;
    for (int mask : {1, 2, 4, 8})
        for (int record : {1, 2})
            perChannel += folders.Dump("A4", "--view 10 --form table --channels " + std::to_string(mask) +
                                                 " --record " + std::to_string(record),
                                       '2');
    EXPECT_EQ(folders.Text("A4.txt"), perChannel);
    EXPECT_NE(perChannel.find("Lev[dB]"), std::string::npos) << perChannel;
    EXPECT_NE(perChannel.find("Lev[m/s"), std::string::npos) << perChannel;
}

TEST(AsciiLinkTools, WrongChoicesShowTheUsage)
{
    for (const char* choice : {"--content 0", "--content 7", "--header 2", "--dec 2", "--sep 7", "--form 3", "--sep x"})
        EXPECT_EQ(RunCommand(Tool("orlu-link") + " --port /dev/null --selector 3 ascii --select 1 " + choice +
                             " 2>/dev/null")
                      .status,
                  2)
            << choice;
}

} // namespace
} // namespace orlu
