// orlu-dump --intersection shows the Time intersection view's forms of a
// decaying 1/3-octave file with the view's choices set from the command line.

#include "support/CommandRun.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace orlu {
namespace {

namespace fs = std::filesystem;

TEST(IntersectionDump, ViewChoicesFromTheCommandLine)
{
    const fs::path tools = test::ToolsDir();
    const std::string file = test::TempPath("orlu-intersection").string();
    const std::string dump = (tools / "orlu-dump").string() + " " + file;
    // Every band: 80 dB in spectra 1 to 3, then 5 dB less per spectrum.
    ASSERT_EQ(fixture::RunCommand((tools / "orlu-fixture").string() +
                                  " analyzer --function 4 --lines 31 --bands 30 --spectra 6 --history --decay 80,5 " +
                                  file)
                  .status,
              0);

    const fixture::CommandRun text = fixture::RunCommand(dump + " --intersection 17");
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("\r\nTime intersection for 1/3 oct.: 1kHz \r\n   total number of results = 6\r\n"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("\r\n     2         80.0           4         75.0           6         65.0\r\n"),
              std::string::npos);

    // Spectra 2 to 4 (from 0: 1 to 3), smoothed over the whole series first:
    // spectrum 2 is the mean of 80, 80, 80, 75 and 70 dB; 3 and 4 of all six.
    const fixture::CommandRun block = fixture::RunCommand(dump + " --intersection 17 --smooth --markers 1,3");
    EXPECT_NE(block.out.find("\r\nBlock of the Time intersection (smoothed) for 1/3 oct.: 1kHz \r\n"), std::string::npos)
        << block.out;
    EXPECT_NE(block.out.find("   number of results in the block = 3\r\n"), std::string::npos);
    EXPECT_NE(block.out.find("\r\n     2         77.0           3         75.0           4         75.0\r\n"),
              std::string::npos)
        << block.out;

    const fixture::CommandRun table = fixture::RunCommand(dump + " --intersection 17 --degree 2 --form table --sep 2 --dec 1");
    EXPECT_NE(table.out.find("Time_intersection_for_1/3_oct.:_1kHz_[agreg.degree=2]\r\n"), std::string::npos)
        << table.out;
    EXPECT_NE(table.out.find("\r\n1;80,0;2;78,2;3;68,2\r\n"), std::string::npos) << table.out;

    EXPECT_EQ(fixture::RunCommand(dump + " --intersection 32").status, 1) << "31 bands and totals";
    EXPECT_EQ(fixture::RunCommand(dump + " --intersection 0").status, 2);
    fs::remove(file);
}

// The statistics of the block between the cursors in the graph data, from the block's
// first spectrum: spectra 2 to 4 (from 0: 1 to 3) at 80, 80 and 75 dB, 2 s apart.
TEST(IntersectionDump, BlockStatisticsInTheGraphData)
{
    const fs::path tools = test::ToolsDir();
    const std::string file = test::TempPath("orlu-blockstats").string();
    ASSERT_EQ(fixture::RunCommand((tools / "orlu-fixture").string() +
                                  " analyzer --function 4 --lines 31 --bands 30 --spectra 6 --history --decay 80,5 " +
                                  file)
                  .status,
              0);
    const std::string dump = (tools / "orlu-dump").string() + " " + file + " --intersection 17 --form data";
    // Running RMS: 80, 80, 10 lg((2 x 10^8 + 10^7.5) / 3) = 78.8766 dB; exposure: 10 lg(2 x 10^8 x k)
    // = 83.0103 dB after one spectrum, then 86.0206 and 10 lg(2 x (2 x 10^8 + 10^7.5)) = 86.6581.
    const fixture::CommandRun all = fixture::RunCommand(dump + " --markers 1,3 --block-stats leq,max,min,sel");
    EXPECT_EQ(all.status, 0);
    EXPECT_NE(all.out.find("# blockmax=80\n# blockmin=75\n"), std::string::npos) << all.out;
    EXPECT_NE(all.out.find("record,value,total,blockleq,blocksel\n"
                           "1,80,80,80,83.0103\n"
                           "2,80,80,80,86.0206\n"
                           "3,80,80,78.8766,86.6581\n"
                           "4,75,79.1858,,\n"),
              std::string::npos)
        << all.out;
    // Only what is asked for; a block past the spectra stops at the last one (70 and 65 dB);
    // without the cursors there is no block.
    const fixture::CommandRun past = fixture::RunCommand(dump + " --markers 4,40 --block-stats max");
    EXPECT_NE(past.out.find("# blockmax=70\n# blockmin=0\n"), std::string::npos) << past.out;
    EXPECT_NE(past.out.find("\n6,65,77.594\n"), std::string::npos) << past.out;
    const fixture::CommandRun none = fixture::RunCommand(dump + " --block-stats leq");
    EXPECT_NE(none.out.find("record,value,total\n1,80,80\n"), std::string::npos) << none.out;
    EXPECT_EQ(fixture::RunCommand(dump + " --block-stats mean").status, 2);
    fs::remove(file);
}

// A current-family logger of FFT spectra: line 2 (1.0 Hz) at 80 dB in spectra 1 to 3, then
// 5 dB less per spectrum; the TOTAL the file stores after the lines is line 5.
TEST(IntersectionDump, LoggerOfFftSpectra)
{
    const fs::path tools = test::ToolsDir();
    const std::string file = test::TempPath("orlu-fftlogger").string();
    ASSERT_EQ(fixture::RunCommand((tools / "orlu-fixture").string() +
                                  " current --kind 45 --function 6 --fft-spectrum 4,20,2:80 --fft-range 2 --total last"
                                  " --spectra 6 --spectra-levels 0,0,0,-5,-10,-15 " + file)
                  .status,
              0);
    const std::string dump = (tools / "orlu-dump").string() + " " + file + " --source 2 --intersection ";
    const fixture::CommandRun line = fixture::RunCommand(dump + "3");
    EXPECT_EQ(line.out, "\r\n"
                        "Time intersection for spectr.: 1.0 Hz \r\n"
                        "   total number of results = 6\r\n"
                        "-----------------------------------------------------------------------\r\n"
                        " Spct.No.    Lev[dB]      Spct.No.    Lev[dB]      Spct.No.    Lev[dB] \r\n"
                        "-----------------------------------------------------------------------\r\n"
                        "     1         80.0           3         80.0           5         70.0\r\n"
                        "     2         80.0           4         75.0           6         65.0\r\n"
                        "-----------------------------------------------------------------------\r\n");
    // 10 lg(3 x 10^2 + 10^8) rounds to 80.0 dB as well.
    const fixture::CommandRun total = fixture::RunCommand(dump + "5 --form table");
    EXPECT_NE(total.out.find("Time_intersection_for_spectr.:_Total_\r\n"), std::string::npos) << total.out;
    EXPECT_NE(total.out.find("\r\n2\t80.0\t4\t75.0\t6\t65.0\r\n"), std::string::npos) << total.out;
    EXPECT_EQ(fixture::RunCommand(dump + "6").status, 1) << "four lines and the TOTAL";
    EXPECT_EQ(fixture::RunCommand(dump + "3 --source 4").status, 1) << "no third octaves";
    fs::remove(file);
}

// A current-family logger of six third octaves from 6.3 kHz at 80 dB in spectra 1 to 3,
// then 5 dB less per spectrum: the octave of 8 kHz folds three of them, 80 + 10 lg 3 =
// 84.8 dB; TOT_A follows the two octaves.
TEST(IntersectionDump, OctavesFoldedFromALoggerOfThirds)
{
    const fs::path tools = test::ToolsDir();
    const std::string file = test::TempPath("orlu-folded").string();
    ASSERT_EQ(fixture::RunCommand((tools / "orlu-fixture").string() +
                                  " current --kind 45 --function 3 --spectrum 6,1,60 --spectra 6"
                                  " --spectra-levels 80,80,80,75,70,65 " + file)
                  .status,
              0);
    const std::string dump = (tools / "orlu-dump").string() + " " + file + " --source 3 --intersection ";
    const fixture::CommandRun octave = fixture::RunCommand(dump + "1");
    EXPECT_NE(octave.out.find("\r\nTime intersection for 1/1 oct.: 8kHz \r\n"), std::string::npos) << octave.out;
    EXPECT_NE(octave.out.find("\r\n     2         84.8           4         79.8           6         69.8\r\n"),
              std::string::npos)
        << octave.out;
    const fixture::CommandRun total = fixture::RunCommand(dump + "3 --form table");
    EXPECT_NE(total.out.find("Time_intersection_for_1/1_oct.:_TOT_A_\r\n"), std::string::npos) << total.out;
    EXPECT_NE(total.out.find("\r\n2\t80.0\t4\t75.0\t6\t65.0\r\n"), std::string::npos) << total.out;
    EXPECT_EQ(fixture::RunCommand(dump + "4").status, 1) << "two octaves and a total";
    fs::remove(file);
}

// With an FFT degree the band is a group of lines as the Spectra view shows it: group 2
// holds lines 1 to 4, power-summed and divided by the Hanning window's 1.5.
TEST(IntersectionDump, GroupsOfFftLines)
{
    const fs::path tools = test::ToolsDir();
    const std::string stem = test::TempPath("orlu-fftgroups").string();
    const std::string fixture = (tools / "orlu-fixture").string();
    const std::string dump = (tools / "orlu-dump").string() + " " + stem;
    // A logger: lines 1 to 4 at 30 dB, 1 Hz apart; 10 lg(4 x 10^3 / 1.5) = 34.3 dB, then 10 dB less.
    ASSERT_EQ(fixture::RunCommand(fixture + " current --kind 45 --function 6 --fft-spectrum 9,20,1:30,2:30,3:30,4:30"
                                            " --fft-range 9 --spectra 2 --spectra-levels 0,-10 " + stem + "-logger.orl")
                  .status,
              0);
    const fixture::CommandRun logger = fixture::RunCommand(dump + "-logger.orl --intersection 2 --source 2 --fft-degree 4");
    EXPECT_NE(logger.out.find("\r\n     1         34.3           2         24.3\r\n"), std::string::npos) << logger.out;
    EXPECT_EQ(fixture::RunCommand(dump + "-logger.orl --intersection 4 --source 2 --fft-degree 4").status, 1)
        << "three groups of nine lines";
    // An ANALYZER-mode file of 2 Hz lines: lines 1 to 4 of its first spectrum at 69.7, 69.4,
    // 69.1 and 68.8 dB give 73.5 dB; the group's centre is 2 + 1.5 x 2 = 5 Hz.
    ASSERT_EQ(fixture::RunCommand(fixture + " analyzer --function 2 --lines 400 --spectra 3 --history " + stem + ".orl")
                  .status,
              0);
    const fixture::CommandRun lines = fixture::RunCommand(dump + ".orl --intersection 2 --source 2");
    EXPECT_NE(lines.out.find("\r\n     1         69.7"), std::string::npos) << lines.out;
    const fixture::CommandRun group = fixture::RunCommand(dump + ".orl --intersection 2 --source 2 --fft-degree 4");
    EXPECT_NE(group.out.find("Time intersection for spectr.: 5 Hz \r\n"), std::string::npos) << group.out;
    EXPECT_NE(group.out.find("\r\n     1         73.5           2"), std::string::npos) << group.out;
    fs::remove(stem + "-logger.orl");
    fs::remove(stem + ".orl");
}

// The graph data of the Time waveforms and Time intersection views: the
// samples as fractions of full scale, and the band's series with its label.
TEST(IntersectionDump, GraphDataOfWaveformsAndIntersections)
{
    const fs::path tools = test::ToolsDir();
    const std::string stem = test::TempPath("orlu-graphdata").string();
    const std::string fixture = (tools / "orlu-fixture").string();
    const std::string dump = (tools / "orlu-dump").string();
    ASSERT_EQ(fixture::RunCommand(fixture + " analyzer --function 1 --lines 400 --waveform 1024 --tone 0,32767"
                                            " --records 2 " + stem + "-time.orl")
                  .status,
              0);
    const fixture::CommandRun waveform = fixture::RunCommand(dump + " " + stem + "-time.orl --view 8 --form data");
    EXPECT_EQ(waveform.status, 0);
    // A full-scale positive sample is 32767/32768.
    EXPECT_EQ(waveform.out.rfind("# panel 0: Channel #1\n# label=Time waveform  No.1\nx,y\n1,0.999969\n2,0.999969\n", 0),
              0u)
        << waveform.out.substr(0, 200);
    EXPECT_NE(waveform.out.find("\n1024,0.999969\n"), std::string::npos);

    ASSERT_EQ(fixture::RunCommand(fixture + " analyzer --function 4 --lines 31 --bands 30 --spectra 4 --history"
                                            " --decay 80,10 " + stem + "-third.orl")
                  .status,
              0);
    const fixture::CommandRun series = fixture::RunCommand(dump + " " + stem + "-third.orl --view 12 --form data");
    EXPECT_EQ(series.status, 0);
    // The view's second band (31.5 Hz), 80, 80, 80 and 70 dB, with its running level.
    EXPECT_NE(series.out.find("# panel 0: Channel #1\n# label=31.5Hz\n"), std::string::npos) << series.out;
    EXPECT_NE(series.out.find("record,value,total\n1,80,80\n2,80,80\n3,80,80\n4,70,78.893\n"), std::string::npos)
        << series.out;
    fs::remove(stem + "-time.orl");
    fs::remove(stem + "-third.orl");
}

} // namespace
} // namespace orlu
