// Runs the command-line tools as a user would: write a file with
// orlu-fixture, read it back with orlu-dump.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct RunResult {
    int status = -1;
    std::string out;
};

RunResult Execute(const std::string& command)
{
    RunResult run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), n);
    int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class Tools : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* tools = std::getenv("ORLU_TOOLS_DIR");
        toolsDir = tools ? tools : ORLU_BINARY_DIR "/tools";
        dir = fs::temp_directory_path() / ("orlu-tools-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Tool(const char* name) const { return (fs::path(toolsDir) / name).string(); }

    std::string toolsDir;
    fs::path dir;
};

TEST_F(Tools, FixtureContainerDumpsItsSummary)
{
    fs::path file = dir / "c.orl";
    ASSERT_EQ(Execute(Tool("orlu-fixture") + " container --kind 5 --data-bytes 1000 " + file.string()).status, 0);
    EXPECT_EQ(fs::file_size(file), 1032u);
    RunResult dump = Execute(Tool("orlu-dump") + " " + file.string() + " --summary 2>/dev/null");
    ASSERT_EQ(dump.status, 0);
    EXPECT_NE(dump.out.find("kind: 5\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("byte count: 1000\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("pages: 2\n"), std::string::npos) << dump.out;
    EXPECT_EQ(dump.out.find("message:"), std::string::npos) << dump.out;
}

TEST_F(Tools, DumpListsSubFilesAndLoadErrors)
{
    fs::path multi = dir / "m.orl";
    ASSERT_EQ(Execute(Tool("orlu-fixture") + " multifile " + multi.string()).status, 0);
    RunResult dump = Execute(Tool("orlu-dump") + " " + multi.string() + " --summary 2>/dev/null");
    EXPECT_NE(dump.out.find("sub-files: 2\n  FILE1 kind 55 offset 0 length 200\n  FILE2 kind 55 offset 200 length 400\n"),
              std::string::npos)
        << dump.out;

    fs::path cut = dir / "cut.orl";
    fs::copy_file(multi, cut);
    fs::resize_file(cut, 20);
    dump = Execute(Tool("orlu-dump") + " " + cut.string() + " --summary 2>/dev/null");
    EXPECT_NE(dump.out.find("kind: 100\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("message: cut.orl  -  Improper file contents\n"), std::string::npos) << dump.out;
}

TEST_F(Tools, EditedFixtureCarriesItsRecordIndexAndAValidCheckWord)
{
    fs::path file = dir / "e.orl";
    ASSERT_EQ(Execute(Tool("orlu-fixture") + " edited " + file.string()).status, 0);
    RunResult dump = Execute(Tool("orlu-dump") + " " + file.string() + " --summary 2>&1");
    EXPECT_NE(dump.out.find("kind: 10\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("record index: 3\n"), std::string::npos) << dump.out;
    EXPECT_EQ(dump.out.find("checksum"), std::string::npos) << dump.out;
}

TEST_F(Tools, CurrentFixturesDumpTheirHeaderResultsAndViews)
{
    fs::path logger = dir / "log.orl";
    ASSERT_EQ(Execute(Tool("orlu-fixture") + " current --kind 77 --device 595 --logger 250 " + logger.string()).status, 0);
    RunResult header = Execute(Tool("orlu-dump") + " " + logger.string() + " --header 2>/dev/null");
    ASSERT_EQ(header.status, 0);
    EXPECT_NE(header.out.find("kind: 49\n"), std::string::npos) << header.out;
    EXPECT_NE(header.out.find("flags: Model595 LaterModel Family535\n"), std::string::npos) << header.out;
    // Markers after rows 1, 101 and 201; breaks of 10 records after rows 101 and 201.
    EXPECT_NE(header.out.find("markers: 3\n  record 2 marker 1\n  record 102 marker 101\n  record 212 marker 201\n"), std::string::npos)
        << header.out;
    EXPECT_NE(header.out.find("breaks: 2\n  record 102 skipped 10\n  record 212 skipped 10\n"), std::string::npos) << header.out;
    EXPECT_NE(header.out.find("record index: 250 in 3 runs\n  first 1 last 270\n"), std::string::npos) << header.out;
    RunResult views = Execute(Tool("orlu-dump") + " " + logger.string() + " --viewmask 2>/dev/null");
    EXPECT_NE(views.out.find("Buffer/Logger"), std::string::npos) << views.out;
    EXPECT_EQ(views.out.find("Main results"), std::string::npos) << views.out;

    fs::path meter = dir / "m.orl";
    ASSERT_EQ(Execute(Tool("orlu-fixture") + " current --kind 45 " + meter.string()).status, 0);
    RunResult results = Execute(Tool("orlu-dump") + " " + meter.string() + " --results 2>/dev/null");
    ASSERT_EQ(results.status, 0);
    // Profile 1 of the generated levels: the Leq word 800 (firmware 3.00: word 7) is 80 dB, 200 mPa.
    EXPECT_NE(results.out.find("profile 1: detector Fast filter A\n  Leq/RMS  80.000 dB      200 mPa     \n"),
              std::string::npos)
        << results.out;
    EXPECT_EQ(results.out.find("message:"), std::string::npos) << results.out;
}

} // namespace
