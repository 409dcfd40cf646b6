// orlu-fixture multifile --logger and orlu-dump --view 7 of one of its files:
// the file's logger with the record numbers past its break, and its name in
// the text form's caption.

#include "support/CommandRun.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace orlu {
namespace {

namespace fs = std::filesystem;

class DumpMultifileLogger : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Run("orlu-fixture", "multifile --members level:525:300,level:525:300 --logger 7 "
                                      "--logger-levels '1=800,900,850!' " +
                                          file.string())
                      .status,
                  0);
    }
    void TearDown() override { fs::remove(file); }
    static fixture::CommandRun Run(const std::string& tool, const std::string& arguments)
    {
        const fs::path tools = test::ToolsDir();
        return fixture::RunCommand((tools / tool).string() + " " + arguments + " 2>/dev/null");
    }
    std::string Dump(const std::string& options) const { return Run("orlu-dump", file.string() + " " + options).out; }
    fs::path file = test::TempPath("orlu-dumpmultilogger", ".orl");
};

TEST_F(DumpMultifileLogger, EachFileShowsItsOwnLogger)
{
    // Seven rows of 80.0, 90.0 and 85.0 dB (overloaded) over and over; a break of 10
    // records before the last row.
    EXPECT_EQ(Dump("--view 7 --form data --subfile 2 --channels 1"),
              "# panel 0: BUFFER CONTENTS  Profile #1  -  PEAK (A)\n"
              "# vdv=0\n"
              "# blockmax=0\n"
              "# blockmin=0\n"
              "record,value\n"
              "1,80\n"
              "2,90\n"
              "3,85\n"
              "4,80\n"
              "5,90\n"
              "6,85\n"
              "17,80\n");
    const std::string text = Dump("--view 7 --form text --subfile 1 --channels 1");
    EXPECT_EQ(text.rfind("\r\nBuffer contents (file: FILE1)  Profile #1  -  PEAK (A)\r\n"
                         "   total number of results = 7\r\n",
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("     3         85.0*          6         85.0*\r\n"), std::string::npos) << text;
}

} // namespace
} // namespace orlu
