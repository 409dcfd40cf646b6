// orlu-dump --rt evaluates a decaying file from the reference interval given,
// stores the results with --save, and shows the stored results of the saved
// file without evaluating again.

#include "support/CommandRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace orlu {
namespace {

namespace fs = std::filesystem;

TEST(ReverbDump, EvaluatesSavesAndShowsTheStoredResults)
{
    const char* toolsEnv = std::getenv("ORLU_TOOLS_DIR");
    const fs::path tools = toolsEnv ? toolsEnv : ORLU_BINARY_DIR "/tools";
    const std::string stem = (fs::temp_directory_path() / ("orlu-reverb-" + std::to_string(::getpid()))).string();
    const std::string dump = (tools / "orlu-dump").string();
    // 1/3 octaves from 25 Hz at 0.125 s; 80 dB, then 1 dB less per spectrum down to 50 dB.
    ASSERT_EQ(fixture::RunCommand((tools / "orlu-fixture").string() +
                                  " analyzer --function 4 --lines 31 --bands 30 --spectra 40 --history"
                                  " --step-eighths 1 --decay 80,1,50 " + stem + ".orl")
                  .status,
              0);

    const fixture::CommandRun evaluated =
        fixture::RunCommand(dump + " " + stem + ".orl --rt --source 4 --rt-interval 0,2 --save " + stem + "-rt.orl");
    ASSERT_EQ(evaluated.status, 0);
    // 60 / 10 dB x 0.125 s x 10 records; RT20 60 / 20 x 0.125 x 20; no -35 dB crossing above 50 dB.
    EXPECT_NE(evaluated.out.find("\r\n 1000.0          7.500          7.500          *.***          *.***\r\n"),
              std::string::npos)
        << evaluated.out;

    const fixture::CommandRun stored = fixture::RunCommand(dump + " " + stem + "-rt.orl --rt --source 4");
    EXPECT_EQ(stored.status, 0);
    EXPECT_EQ(stored.out, evaluated.out);
    const fixture::CommandRun table =
        fixture::RunCommand(dump + " " + stem + "-rt.orl --rt --source 4 --form table --sep 2 --dec 1");
    EXPECT_NE(table.out.find("\r\n1000,0;7,500;7,500;*,***;*,***\r\n"), std::string::npos) << table.out;

    const fixture::CommandRun original = fixture::RunCommand(dump + " " + stem + ".orl --rt --source 4");
    EXPECT_EQ(original.out.find("7.500"), std::string::npos) << "the file itself holds no results";

    EXPECT_EQ(fixture::RunCommand(dump + " " + stem + ".orl --rt --source 3").status, 1) << "no 1/1-octave records";
    EXPECT_EQ(fixture::RunCommand(dump + " " + stem + ".orl --rt --rt-interval 2").status, 2);
    fs::remove(stem + ".orl");
    fs::remove(stem + "-rt.orl");
}

// Current-family loggers: every line of an FFT logger (and its TOTAL), every band of a 1/1
// logger (and its total), the octaves folded from a 1/3 logger. 80 dB in records 0 to 2, then 5 dB less per record 1 s apart:
// -5 dB at record 3, -10 at 4, -25 at 7, -35 at 9, so EDT = 60 / 10 x 2, RT20 = 60 / 20 x 4
// and RT30 = 60 / 30 x 6, all 12 s.
TEST(ReverbDump, LoggersOfTheCurrentFamily)
{
    const char* toolsEnv = std::getenv("ORLU_TOOLS_DIR");
    const fs::path tools = toolsEnv ? toolsEnv : ORLU_BINARY_DIR "/tools";
    const std::string stem = (fs::temp_directory_path() / ("orlu-reverb-logger-" + std::to_string(::getpid()))).string();
    const std::string fixture = (tools / "orlu-fixture").string() + " current --kind 45 ";
    const std::string dump = (tools / "orlu-dump").string() + " ";
    ASSERT_EQ(fixture::RunCommand(fixture + "--function 6 --fft-spectrum 2,80 --fft-range 2 --total last --spectra 11"
                                            " --spectra-levels 0,0,0,-5,-10,-15,-20,-25,-30,-35,-40 " + stem + "-fft.orl")
                  .status,
              0);
    const fixture::CommandRun fft = fixture::RunCommand(dump + stem + "-fft.orl --rt --source 2 --rt-interval 0,2 --save " +
                                                        stem + "-fft-rt.orl");
    EXPECT_EQ(fft.out, "\r\n"
                       "Reverberation Time in Octave 1/1:\r\n"
                       "---------------------------------------------------------------------\r\n"
                       "   f[Hz]         EDT[s]        RT20[s]        RT30[s]      RTuser[s] \r\n"
                       "---------------------------------------------------------------------\r\n"
                       "    0.0         12.000         12.000         12.000          *.***\r\n"
                       "    1.0         12.000         12.000         12.000          *.***\r\n"
                       "  TOTAL         12.000         12.000         12.000          *.***\r\n"
                       "---------------------------------------------------------------------\r\n");
    EXPECT_EQ(fixture::RunCommand(dump + stem + "-fft-rt.orl --rt --source 2").out, fft.out);
    EXPECT_EQ(fixture::RunCommand(dump + stem + "-fft.orl --rt --source 4").status, 1) << "no third octaves";

    ASSERT_EQ(fixture::RunCommand(fixture + "--function 2 --spectrum 3,1,60 --spectra 11"
                                            " --spectra-levels 80,80,80,75,70,65,60,55,50,45,40 " + stem + "-oct.orl")
                  .status,
              0);
    const fixture::CommandRun octaves =
        fixture::RunCommand(dump + stem + "-oct.orl --rt --source 3 --rt-interval 0,2 --form table --sep 2 --dec 1");
    EXPECT_NE(octaves.out.find("\r\nTOT_A;12,000;12,000;12,000;*,***\r\n"), std::string::npos) << octaves.out;

    // Six third octaves from 6.3 kHz fold into the octaves of 8 and 16 kHz, each the energy
    // sum of its three thirds, decaying alike; the folded results are kept in the file too.
    ASSERT_EQ(fixture::RunCommand(fixture + "--function 3 --spectrum 6,1,60 --spectra 11"
                                            " --spectra-levels 80,80,80,75,70,65,60,55,50,45,40 " + stem + "-third.orl")
                  .status,
              0);
    const fixture::CommandRun folded = fixture::RunCommand(dump + stem + "-third.orl --rt --source 3 --rt-interval 0,2"
                                                           " --form table --sep 2 --dec 1 --save " + stem + "-third-rt.orl");
    EXPECT_EQ(folded.out, "Reverberation_Time_in_Octave_1/1:\r\n"
                          "f[Hz];EDT[s];RT20[s];RT30[s];RTuser[s]\r\n"
                          "8000,0;12,000;12,000;12,000;*,***\r\n"
                          "16000,0;12,000;12,000;12,000;*,***\r\n"
                          "TOT_A;12,000;12,000;12,000;*,***\r\n");
    EXPECT_EQ(fixture::RunCommand(dump + stem + "-third-rt.orl --rt --source 3 --form table --sep 2 --dec 1").out,
              folded.out);
    for (const char* suffix : {"-fft.orl", "-fft-rt.orl", "-oct.orl", "-third.orl", "-third-rt.orl"})
        fs::remove(stem + suffix);
}

} // namespace
} // namespace orlu
