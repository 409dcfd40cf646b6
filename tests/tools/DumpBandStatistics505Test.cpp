// orlu-fixture writes the user filters of a current-family octave file and the
// band histograms of an ANALYZER-mode file; orlu-dump shows them in the User's
// filters and statistics views.

#include "support/CommandRun.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace orlu {
namespace {

namespace fs = std::filesystem;

using test::ToolsDir;

int Fixture(const std::string& arguments)
{
    return fixture::RunCommand((ToolsDir() / "orlu-fixture").string() + " " + arguments).status;
}

std::string Dump(const fs::path& file, const std::string& arguments)
{
    return fixture::RunCommand((ToolsDir() / "orlu-dump").string() + " " + file.string() + " " + arguments).out;
}

TEST(DumpBandStatistics505, UserFiltersOfAGeneratedOctaveFile)
{
    const fs::path file = test::TempPath("orlu-userfilter", ".orl");
    ASSERT_EQ(
        Fixture("current --kind 45 --function 3 --spectrum 31,0,60 --user-filter ROOM,-10,0,15/AB,7 " + file.string()),
        0);
    const std::string text = Dump(file, "--view 17 --form text");
    fs::remove(file);
    EXPECT_NE(text.find("User's filter \"ROOM\"\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("   40.0      -1.0          50.0       0.0          63.0       1.5\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("User's filter \"AB\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("   40.0       0.7\r\n"), std::string::npos);
}

TEST(DumpBandStatistics505, BandHistogramsOfAnAnalyzerFile)
{
    const fs::path file = test::TempPath("orlu-bandstat505", ".orl");
    ASSERT_EQ(Fixture("analyzer --function 3 --bands 10 --lines 13 --band-histograms 400,10,2,6,2 " + file.string()),
              0);
    const std::string text = Dump(file, "--view 4 --form text --band 11");
    const std::string data = Dump(file, "--view 4 --form data --band 2 --markers 1,2");
    const std::string levels = Dump(file, "--view 5 --form table --band 1 --sep 2 --dec 1");
    const std::string spectrum = Dump(file, "--view 5 --form data --level 6");
    fs::remove(file);
    EXPECT_NE(text.find("Histogram (Oct.1/1[11]: TOTAL):\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("   40.0   20.00        41.0   60.00        42.0   20.00     \r\n"), std::string::npos);
    EXPECT_NE(data.find("# maximum=60"), std::string::npos) << data;
    EXPECT_NE(data.find("# block=80"), std::string::npos) << data;
    EXPECT_NE(levels.find("Statistical_levels_for_Histogram_(Oct_1/1[1]:_31.5_Hz):\r\n"), std::string::npos) << levels;
    EXPECT_NE(levels.find("1;42,9;"), std::string::npos) << levels;
    // L50 of every histogram, thirteen of them and the last twice more; the bars end there.
    EXPECT_NE(spectrum.find("# title=L50\n"), std::string::npos) << spectrum;
    EXPECT_NE(spectrum.find("value,frequency\n41.5,31.5\n"), std::string::npos) << spectrum;
    EXPECT_NE(spectrum.find("41.5,16000\n41.5,\n41.5,\n41.5,\n41.5,\n41.5,\n"), std::string::npos) << spectrum;
    EXPECT_EQ(spectrum.find("41.5,\n41.5,\n41.5,\n41.5,\n41.5,\n41.5,"), std::string::npos) << spectrum;
}

TEST(DumpBandStatistics505, OptionValuesTheFixtureDoesNotRead)
{
    const fs::path file = test::TempPath("orlu-badoption", ".orl");
    for (const char* arguments :
         {"current --kind 45 --function 3 --user-filter ROOM " /* no level */,
          "current --kind 45 --function 3 --user-filter TOOLONG,1 ",
          "current --kind 45 --function 3 --user-filter ROOM,40000 ", "analyzer --function 3 --band-histograms 400,10 ",
          "analyzer --function 1 --band-histograms 400,10,1 " /* no octaves */})
        EXPECT_NE(Fixture(arguments + file.string()), 0) << arguments;
    fs::remove(file);
}

} // namespace
} // namespace orlu
