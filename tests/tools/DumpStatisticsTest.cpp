// orlu-fixture writes histograms for the statistics views; orlu-dump shows them
// with the view's channels, marked block, octave band, level and percentages.

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

TEST(DumpStatistics, HistogramOfAGeneratedFileWithAMarkedBlock)
{
    const fs::path file = test::TempPath("orlu-dumphist", ".orl");
    ASSERT_EQ(fixture::RunCommand((ToolsDir() / "orlu-fixture").string() +
                                  " current --kind 45 --histogram 400,10,2,6,2 " + file.string())
                  .status,
              0);
    const std::string dump = (ToolsDir() / "orlu-dump").string() + " " + file.string() + " --view 4 --channels 1";
    const std::string text = fixture::RunCommand(dump + " --form text --markers 1,2").out;
    const std::string table = fixture::RunCommand(dump + " --form table --sep 2 --dec 1").out;
    fs::remove(file);
    EXPECT_NE(text.find("Block of the Histogram:  Profile #1  -  Leq \r\n"
                        "   number of classes = 2\r\n"
                        "   class width = 1.0 dB\r\n"
                        "   number of results in the block = 8\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("   probability of the block = 80.00%\r\n"), std::string::npos);
    EXPECT_NE(text.find("   41.0   60.00        42.0   20.00     \r\n"), std::string::npos);
    EXPECT_NE(table.find("Histograms:\r\n___;no_->;[];1;2;3\r\nhist;prof;[dB];40,0;41,0;42,0\r\n"
                         "1;#1;[%];20,00;60,00;20,00\r\n"),
              std::string::npos)
        << table;
}

TEST(DumpStatistics, HistogramAndDensityGraphData)
{
    const fs::path file = test::TempPath("orlu-dumphistdata", ".orl");
    const std::string fixture = (ToolsDir() / "orlu-fixture").string() + " current --kind 45 --histogram ";
    const std::string dump = (ToolsDir() / "orlu-dump").string() + " " + file.string() + " --view 4 --form data --channels 1";
    ASSERT_EQ(fixture::RunCommand(fixture + "400,10,2,6,2 " + file.string()).status, 0);
    const std::string counted = fixture::RunCommand(dump + " --markers 1,2").out;
    std::string densities = dump;
    densities.replace(densities.find("--view 4"), 8, "--view 6");
    const std::string density = fixture::RunCommand(densities + " --markers 0,1").out;
    ASSERT_EQ(fixture::RunCommand(fixture + "400,10,0,0,0 " + file.string()).status, 0);
    const std::string empty = fixture::RunCommand(dump).out;
    fs::remove(file);
    EXPECT_EQ(counted, "# panel 0: \n# maximum=60\n# block=80\nx,y\n40,0.333333\n41,1\n42,0.333333\n");
    EXPECT_EQ(density, "# panel 0: \n# maximum=100\n# block=20\nx,y\n40,1\n41,0.8\n42,0.2\n");
    EXPECT_EQ(empty, "# panel 0: \n# maximum=0.9\n# block=0\nx,y\n40,0\n41,0\n42,0\n");
}

TEST(DumpStatistics, RefusesBadStatisticsOptions)
{
    const std::string dump = (ToolsDir() / "orlu-dump").string() + " /nonexistent.orl ";
    for (const char* options :
         {"--view 4 --form text --oct 12", "--view 5 --form text --percentages 0,10", "--view 5 --form text --percentages 1,",
          "--view 5 --form text --percentages 1,2,3,4,5,6,7,8,9,10,11", "--view 5 --form text --level 100",
          "--band 2", "--markers 1,2", "--percentages 10"})
        EXPECT_EQ(fixture::RunCommand(dump + options).status, 2) << options;
    const std::string fixture = (ToolsDir() / "orlu-fixture").string() + " current --kind 45 ";
    for (const char* value : {"400,10", "400,10,1,", "400,x,1", "99999,10,1", "400,10,-1"})
        EXPECT_EQ(fixture::RunCommand(fixture + "--histogram " + value + " /tmp/never-written.orl").status, 2) << value;
}

TEST(DumpStatistics, LevelSpectrumOfGeneratedBandStatistics)
{
    const fs::path file = test::TempPath("orlu-dumpbands", ".orl");
    // Twelve octave bands and three totals; every second value's histogram is empty.
    ASSERT_EQ(fixture::RunCommand((ToolsDir() / "orlu-fixture").string() +
                                  " current --kind 45 --function 2 --spectrum 12,3,60"
                                  " --band-histograms 400,10,0,10,0/0,0,0 " +
                                  file.string())
                  .status,
              0);
    const std::string dump = (ToolsDir() / "orlu-dump").string() + " " + file.string() + " --view 5";
    const std::string data = fixture::RunCommand(dump + " --oct 11 --level 6 --form data").out;
    const std::string all = fixture::RunCommand(dump + " --oct 11 --level 95 --all-levels --form text").out;
    ASSERT_EQ(fixture::RunCommand((ToolsDir() / "orlu-fixture").string() +
                                  " current --kind 45 --stored-levels 5:70,50:60.5 " + file.string())
                  .status,
              0);
    const std::string stored = fixture::RunCommand(dump + " --channels 2 --form text").out;
    fs::remove(file);
    EXPECT_EQ(data, "# panel 0: L50\n# kind=2\n# block=0\nvalue,frequency\n"
                    "41.5,8\n0,16\n41.5,31.5\n0,63\n41.5,125\n0,250\n41.5,500\n0,1000\n41.5,2000\n0,4000\n"
                    "41.5,8000\n0,16000\n41.5,\n0,\n41.5,\n41.5,\n41.5,\n");
    EXPECT_NE(all.find("Statistical levels L95 for Octaves 1/1:\r\n"), std::string::npos) << all;
    EXPECT_NE(all.find("\r\n    8.0      41.0         250.0       0.0"), std::string::npos) << all;
    // The second profile has no histogram: the levels the file stores, under its percentages.
    EXPECT_NE(stored.find(" ni[%]       5    50"), std::string::npos) << stored;
    EXPECT_NE(stored.find("Lni[dB]   70.0  60.5"), std::string::npos) << stored;
}

TEST(DumpStatistics, LegacyHistogramAndMultifileMembersOfGivenCounts)
{
    const fs::path file = test::TempPath("orlu-dumpcounts", ".orl");
    const std::string fixture = (ToolsDir() / "orlu-fixture").string();
    const std::string dump = (ToolsDir() / "orlu-dump").string() + " " + file.string();
    ASSERT_EQ(fixture::RunCommand(fixture + " legacy --histogram 400,10,2,6,2 " + file.string()).status, 0);
    const std::string legacy = fixture::RunCommand(dump + " --view 4").out;
    ASSERT_EQ(fixture::RunCommand(fixture +
                                  " multifile --member-options '--histogram 400,10,0,10,0|--function 3|"
                                  "--histogram 400,10,10,0,0 --stored-levels 5:70' " +
                                  file.string())
                  .status,
              0);
    const std::string grid = fixture::RunCommand(dump + " --view 5 --form table --all --channels 1 --sep 2").out;
    fs::remove(file);
    EXPECT_NE(legacy.find("   total number of results = 10\r\n"), std::string::npos) << legacy;
    EXPECT_NE(legacy.find("\r\n   40.0   20.00        41.0   60.00        42.0   20.00     \r\n"), std::string::npos);
    // The second file holds no statistics; the third's histogram goes before its stored levels.
    EXPECT_EQ(grid, "Statistical_levels:__Profile_1\r\n"
                    "i;1;2;3;4;5;6;7;8;9;10\r\n"
                    "ni[%];1;10;20;30;40;50;60;70;80;90\r\n"
                    "FILE1;41.9;41.9;41.8;41.7;41.6;41.5;41.4;41.3;41.2;41.1\r\n"
                    "FILE3;40.9;40.9;40.8;40.7;40.6;40.5;40.4;40.3;40.2;40.1\r\n"
                    "\r\n");
    EXPECT_NE(fixture::RunCommand(fixture + " multifile --member-options '--spectrum' " + file.string()).status, 0);
    EXPECT_NE(fixture::RunCommand(fixture + " multifile --member-options '--logger 5' " + file.string()).status, 0);
}

TEST(DumpStatistics, FourChannelHistogramsKeepTheirOwnClasses)
{
    const fs::path file = test::TempPath("orlu-dumpfour", ".orl");
    const std::string fixture = (ToolsDir() / "orlu-fixture").string() + " four-channel --histogram ";
    // Channel 1 in classes of 2 dB from 30.0 dB, channel 2 in classes of 1 dB from 40.0 dB.
    ASSERT_EQ(fixture::RunCommand(fixture + "2=400,10,2,6,2/1=300,20,1,1 " + file.string()).status, 0);
    const std::string dump = (ToolsDir() / "orlu-dump").string() + " " + file.string() + " --view 5 --channels 3";
    const std::string table = fixture::RunCommand(dump + " --form table").out;
    const std::string text = fixture::RunCommand(dump + " --form text").out;
    fs::remove(file);
    EXPECT_NE(table.find("\r\n1\t#1:P1\t[dB]\t33.9\t33.6\t33.2\t32.8\t32.4\t32.0\t31.6\t31.2\t30.8\t30.4\r\n"
                         "2\t#2:P1\t[dB]\t42.9\t42.5\t42.0\t41.8\t41.6\t41.5\t41.3\t41.1\t41.0\t40.5\r\n"),
              std::string::npos)
        << table;
    EXPECT_NE(text.find("Lni[dB]   42.9"), std::string::npos) << text;
    for (const char* value : {"5=400,10,1", "1=400,10,1/1=400,10,2", "1=400,10", "400,10,1", "1=400,10,1/"})
        EXPECT_EQ(fixture::RunCommand(fixture + value + " /tmp/never-written.orl").status, 2) << value;
}

TEST(DumpStatistics, RefusesBadBandStatisticsOptions)
{
    const std::string fixture = (ToolsDir() / "orlu-fixture").string() + " current --kind 45 --function 3 ";
    for (const char* options :
         {"--band-histograms 400,10", "--band-histograms 400,10,1/", "--band-histograms 400,10,1//2",
          "--band-histograms 400,10,1/-2", "--band-histograms 99999,10,1", "--stored-levels 50",
          "--stored-levels 0:60", "--stored-levels 100:60", "--stored-levels 50:x", "--stored-levels 50:60,",
          "--stored-levels 50:4000", "--stored-levels 1:1,2:1,3:1,4:1,5:1,6:1,7:1,8:1,9:1,10:1,11:1"})
        EXPECT_EQ(fixture::RunCommand(fixture + options + " /tmp/never-written.orl").status, 2) << options;
}

} // namespace
} // namespace orlu
