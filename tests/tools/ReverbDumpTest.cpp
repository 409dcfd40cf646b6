// orlu-dump --rt evaluates a decaying file from the reference interval given,
// stores the results with --save, and shows the stored results of the saved
// file without evaluating again.

#include "support/CommandRun.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>
#include <unistd.h>

namespace orlu {
namespace {

namespace fs = std::filesystem;

TEST(ReverbDump, EvaluatesSavesAndShowsTheStoredResults)
{
    const fs::path tools = test::ToolsDir();
    const std::string stem = test::TempPath("orlu-reverb").string();
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
    const fs::path tools = test::ToolsDir();
    const std::string stem = test::TempPath("orlu-reverb-logger").string();
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

TEST(ReverbDump, TheFirstChannelOfAFourChannelFftLogger)
{
    const fs::path tools = test::ToolsDir();
    const std::string stem = test::TempPath("orlu-reverb-four").string();
    const std::string dump = (tools / "orlu-dump").string() + " " + stem + ".orl --rt --source 2";
    // Rows of 100 ms, 8 lines and the TOTAL per channel; channel #1 (the microphone, the
    // reverberation channel) from 90 dB down by 1.5 dB a row: 15 dB/s, so 4 s for 60 dB.
    ASSERT_EQ(fixture::RunCommand((tools / "orlu-fixture").string() +
                                  " four-channel --channels 2 --function 6 --logger 40 --fft-levels 1=900/2=500"
                                  " --fft-step 15 " + stem + ".orl")
                  .status,
              0);
    const fixture::CommandRun rt =
        fixture::RunCommand(dump + " --rt-interval 0,1 --form table --sep 2 --dec 1 --save " + stem + "-rt.orl");
    ASSERT_EQ(rt.status, 0);
    std::vector<std::string> rows;
    for (std::size_t at = 0, end; (end = rt.out.find("\r\n", at)) != std::string::npos; at = end + 2)
        rows.push_back(rt.out.substr(at, end - at));
    ASSERT_EQ(rows.size(), 2u + 9u) << rt.out;
    EXPECT_EQ(rows[1], "f[Hz];EDT[s];RT20[s];RT30[s];RTuser[s]");
    // Lines 0 to 7 of 3 kHz, then the TOTAL; RT20 and RT30 are the slope's 4 s.
    for (std::size_t k = 0; k < 9; ++k) {
        const std::string label = k < 8 ? std::to_string(3000 * k) + ",0;" : "TOTAL;";
        EXPECT_EQ(rows[2 + k].rfind(label, 0), 0u) << rows[2 + k];
        EXPECT_NE(rows[2 + k].find(";4,000;4,000;*,***"), std::string::npos) << rows[2 + k];
    }
    EXPECT_EQ(fixture::RunCommand((tools / "orlu-dump").string() + " " + stem +
                                  "-rt.orl --rt --source 2 --form table --sep 2 --dec 1")
                  .out,
              rt.out);
    // The accelerometer channel has no reverberation records.
    EXPECT_EQ(fixture::RunCommand(dump + " --rt-interval 0,1 --channel 1").status, 1);
    for (const char* suffix : {".orl", "-rt.orl"})
        fs::remove(stem + suffix);
}

} // namespace
} // namespace orlu
