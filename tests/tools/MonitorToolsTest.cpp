// orlu-fixture monitor and orlu-dump --monitor, run as a user would.

#include "support/CommandRun.h"
#include "support/FixtureBuilder.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using orlu::fixture::RunCommand;

constexpr const char* kStation = "--station Y1A,M2,DFC07,V384,E384,S00x0Cx09x07x09,C00x01x00";
constexpr const char* kSetup = "--setup U525,N1234,W315,M2,D1h,F2:1,C1:1";

class MonitorTools : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = orlu::test::TempPath("orlu-monitor-tools",
                                   std::string("-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path Fixture(const std::string& options)
    {
        const fs::path file = dir / "m.orl";
        EXPECT_EQ(RunCommand(orlu::test::Tool("orlu-fixture") + " monitor " + kStation + " " + kSetup + " " + options +
                             " " + file.string())
                      .status,
                  0)
            << options;
        return file;
    }
    orlu::fixture::CommandRun Dump(const fs::path& file, const std::string& options)
    {
        return RunCommand(orlu::test::Tool("orlu-dump") + " " + file.string() + " " + options + " 2>/dev/null");
    }

    fs::path dir;
};

TEST_F(MonitorTools, EmbeddedBufferGivesBackTheBytesWritten)
{
    orlu::fixture::FixtureBuilder buffer;
    buffer.Pattern(517);
    buffer.WriteTo(dir / "buffer.bin");
    const fs::path file = Fixture("--intervals 3 --capture --zero-gaps --buffer " + (dir / "buffer.bin").string());
    const auto dump = Dump(file, "--monitor");
    ASSERT_EQ(dump.status, 0) << dump.out;
    const std::size_t at = dump.out.find("embedded buffer: byte ");
    ASSERT_NE(at, std::string::npos) << dump.out;
    const unsigned long start = std::strtoul(dump.out.c_str() + at + 22, nullptr, 10);
    EXPECT_NE(dump.out.find(", 517 bytes (length word 517)\n", at), std::string::npos) << dump.out;
    const std::vector<std::uint8_t> bytes = orlu::fixture::ReadFileBytes(file);
    constexpr std::size_t kContainerHeader = 32;
    ASSERT_EQ(bytes.size(), kContainerHeader + start + 517);
    EXPECT_TRUE(std::equal(bytes.begin() + static_cast<long>(kContainerHeader + start), bytes.end(),
                           buffer.Data().begin()));
    EXPECT_NE(dump.out.find("sound: 9 records at"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("viewmask: 0x3003\n"), std::string::npos) << dump.out;
}

TEST_F(MonitorTools, DamagedStreams)
{
    struct Case {
        const char* options;
        int status;
        const char* shows;
    } cases[] = {
        {"--intervals 4 --calibrations 2 --cut 3", 0, "message: The file is not complete...\n"},
        {"--intervals 4 --bad-kind 7", 1, "kind: 100"},
        {"--intervals 2 --bad-kind 4", 1, "kind: 100"},
    };
    for (const Case& c : cases) {
        const auto dump = Dump(Fixture(c.options), "--summary --monitor");
        EXPECT_EQ(dump.status, c.status) << c.options << dump.out;
        EXPECT_NE(dump.out.find(c.shows), std::string::npos) << c.options << dump.out;
    }
}

TEST_F(MonitorTools, MainResultsTableOfTheView)
{
    const fs::path file = Fixture("--intervals 2 --meteo 1");
    const auto dump = Dump(file, "--view 2 --form table --sep 2 --dec 1");
    ASSERT_EQ(dump.status, 0) << dump.out;
    EXPECT_NE(dump.out.find("Date;Clock;Prof;Filter;Detect;units;Peak;Min;Max;Spl;Leq;SEL[dB]\r\n"), std::string::npos)
        << dump.out;
    EXPECT_NE(dump.out.find("09/07/09;12:15'00;1;A;Slow;dB;"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("Meteo_results:"), std::string::npos) << dump.out;
}

TEST_F(MonitorTools, GraphDataOfTheStatisticsAndOctaveViews)
{
    // Flags 0x1F47: octave spectra (bit 6), the statistics of profiles 1 and 2 (bits 9, 8).
    const fs::path file = dir / "o.orl";
    ASSERT_EQ(RunCommand(orlu::test::Tool("orlu-fixture") + " monitor --station Y1A,M2,D1F47,V3C,S1Ex0Cx09x07x09 " +
                         "--setup U525A,W315,M2,D15m --intervals 12 --classes 25,300,10 --octave-stats " +
                         file.string())
                  .status,
              0);
    struct Case {
        const char* options;
        std::vector<const char*> shows;
    } cases[] = {
        {"--view 4 --form data --channels 3 --record 2",
         {"# panel 0: Leq\n# record=2\n# maximum=", "# panel 1: Leq\n# record=2\n", "\nx,y\n30,", "\n54,"}},
        {"--view 6 --form data --oct 11 --band 16 --markers 3,7",
         {"# title=(Oct.1/1: TOT_A)\n", "# maximum=100\n# block="}},
        {"--view 10 --form data --record 3", {"# title=OCTAVE 1/1  (HP)  No.3\n", "# record=3\n# kind=2\n", ",16000\n"}},
        {"--view 10 --form data --multi 4,1,12", {"# kind=1\n", "v0,v1,"}},
        {"--view 10 --form text --units 1 --markers 2,6 --record 2",
         {"Block of the Octave 1/1  No.2  12:32'00 (Thu 09/07/2009):", "Block RMS = ", "e-0", " Pa     "}},
        {"--view 10 --form table --all --sep 2 --dec 1", {"Octaves_1/1:", "\r\n12;[dB];"}},
        {"--view 5 --form table --channels 3 --sep 2 --dec 1", {"\r\n1;#1;[dB];", "\r\n2;#2;[dB];"}},
    };
    for (const Case& c : cases) {
        const auto dump = Dump(file, c.options);
        EXPECT_EQ(dump.status, 0) << c.options;
        for (const char* shown : c.shows)
            EXPECT_NE(dump.out.find(shown), std::string::npos) << c.options << " lacks " << shown << "\n" << dump.out;
    }
}

} // namespace
