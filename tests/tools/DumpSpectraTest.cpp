// orlu-dump's Spectra view of ORLU 505 Time files that orlu-fixture writes:
// the spectra functions of their waveform blocks in text and graph data.

#include "support/CommandRun.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace orlu {
namespace {

namespace fs = std::filesystem;

class DumpSpectra : public ::testing::Test {
protected:
    void SetUp() override
    {
        tools = test::ToolsDir();
        file = test::TempPath("orlu-dumpspectra", ".orl");
    }
    void TearDown() override { fs::remove(file); }

    // Writes a file (an ANALYZER-mode file unless the options name another command), then
    // dumps its Spectra view.
    std::string Dump(const std::string& fixtureOptions, const std::string& dumpOptions)
    {
        const bool named = fixtureOptions.starts_with("current") || fixtureOptions.starts_with("multifile");
        const std::string command = named ? "" : "analyzer ";
        const auto made = fixture::RunCommand((tools / "orlu-fixture").string() + " " + command + fixtureOptions + " " +
                                              file.string());
        EXPECT_EQ(made.status, 0) << fixtureOptions;
        const auto dumped =
            fixture::RunCommand((tools / "orlu-dump").string() + " " + file.string() + " --view 9 " + dumpOptions);
        EXPECT_EQ(dumped.status, 0) << dumpOptions;
        return dumped.out;
    }

    fs::path tools, file;
};

// A tone of a quarter of the block's rate has the exact samples 0 and +-1000: its line
// holds a^2/2 = 5e5, 10 lg 5e5 = 56.99 dB less the 1.99 dB of the sample reference
// level of a range topped at 80 dB, cut to 54.9 dB. The lines are 2 Hz apart.
TEST_F(DumpSpectra, GreatestPeakOfAToneInText)
{
    EXPECT_EQ(Dump("--waveform 1024 --tone 256,1000", "--form text --window 3 --peaks 1"),
              "\r\n"
              "Spectrum (power)\r\n"
              "1 greatest peaks\r\n"
              "--------------------------------------------------------------------\r\n"
              "   f[Hz]   Lev[dB]         f[Hz]   Lev[dB]         f[Hz]   Lev[dB]  \r\n"
              "--------------------------------------------------------------------\r\n"
              "  512.0      54.9\r\n"
              "--------------------------------------------------------------------\r\n");
}

TEST_F(DumpSpectra, GraphDataMarksThePeakOverTheFloor)
{
    // 256 samples, 100 lines of 8 Hz; silent lines show the 1e-10 floor: -100 dB - 1.99 dB.
    const std::string out = Dump("--waveform 256 --tone 64,1000", "--form data --window 3 --peaks 1");
    EXPECT_EQ(out.substr(0, out.find("x,y,mark")),
              "# title=Spectrum (power)\n"
              "# panel 0: Spectrum (power)\n"
              "# cursortotal=0\n"
              "# bottom=10\n"
              "# top=90\n");
    EXPECT_NE(out.find("\n504,-101.9,0\n512,54.9,1\n520,-101.9,0\n"), std::string::npos) << out;
}

TEST_F(DumpSpectra, PhaseOfACosineInDegrees)
{
    // A cosine has phase 0 on its line; the silent lines have none either.
    const std::string out =
        Dump("--waveform 256 --tone 64,1000", "--form data --window 3 --output-form phase --phase-unit deg");
    EXPECT_NE(out.find("\n504,0,0\n512,0,0\n520,0,0\n"), std::string::npos) << out;
    EXPECT_NE(out.find("# panel 0: Spectrum (phase)\n"), std::string::npos) << out;
}

TEST_F(DumpSpectra, FourChannelsAndTheirCrossSpectrum)
{
    // A probe file's lines are 192000 / 2^7 / 256 = 5.859375 Hz apart: line 64 is 375 Hz. The
    // cross spectrum of the toned channel with itself is its autospectrum, a^2/2 over the floor.
    const std::string out =
        Dump("--waveform 256 --channels 4 --tone 64,1000,1", "--form data --window 3 --function 5 --ab 2,2");
    EXPECT_NE(out.find("# panel 0: Cross spectrum (power)  Channel #2 / #2\n"), std::string::npos) << out;
    const auto level = [&](const std::string& x) {
        const std::size_t at = out.find("\n" + x + ",");
        return at == std::string::npos ? 0.0 : std::stod(out.substr(at + x.size() + 2));
    };
    EXPECT_NEAR(level("375") - level("369.141"), 10 * std::log10(5e5 / 1e-10), 0.2) << out;
}

TEST_F(DumpSpectra, StoredSpectrumWithItsTotalLast)
{
    // Four lines of 0.5 Hz, line 2 at 30 dB, and the TOTAL the file stores after them:
    // 10 lg(3 x 10^2 + 10^3) = 31.1 dB.
    EXPECT_EQ(Dump("current --kind 45 --fft-spectrum 4,20,2:30 --fft-range 2 --total last", "--form text"),
              "\r\n"
              "Spectrum (power)\r\n"
              "--------------------------------------------------------------------\r\n"
              "   f[Hz]   Lev[dB]         f[Hz]   Lev[dB]         f[Hz]   Lev[dB]  \r\n"
              "--------------------------------------------------------------------\r\n"
              "   0.00      20.0          1.00      30.0         TOTAL      31.1\r\n"
              "   0.50      20.0          1.50      20.0\r\n"
              "--------------------------------------------------------------------\r\n");
}

// A logger of three spectra, record 2 ten dB below the others (the shifts repeat): one
// column of the cross table per record, the TOTAL the file stores last.
TEST_F(DumpSpectra, LoggerOfSpectraAsOneCrossTable)
{
    const std::string logger =
        "current --kind 45 --function 6 --fft-spectrum 4,20,2:30 --fft-range 2 --total last --spectra 3 "
        "--spectra-levels 0,-10";
    EXPECT_EQ(Dump(logger, "--form table --all"),
              "Spectra_(power)\r\n"
              "no_\t[]\t1\t2\t3\t4\t5\r\n"
              "spct\\f->\t[Hz]\t0.00\t0.50\t1.00\t1.50\tTOTAL\r\n"
              "1\t[dB]\t20.0\t20.0\t30.0\t20.0\t31.1\r\n"
              "2\t[dB]\t10.0\t10.0\t20.0\t10.0\t21.1\r\n"
              "3\t[dB]\t20.0\t20.0\t30.0\t20.0\t31.1\r\n");
    const std::string second = Dump(logger, "--form text --spectrum 2");
    EXPECT_NE(second.find("Spectrum (power) No.2 \r\n"), std::string::npos) << second;
    EXPECT_NE(second.find("   0.00      10.0          1.00      20.0         TOTAL      21.1\r\n"), std::string::npos)
        << second;
}

TEST_F(DumpSpectra, LoggerCutShortShowsNoRecordPastItsEnd)
{
    const std::string logger =
        "current --kind 45 --function 6 --fft-spectrum 4,20,2:30 --fft-range 2 --spectra 3 --spectra-levels 0,-10,-20";
    Dump(logger, "--form text");
    // The rows of six words start at word 107: the cut leaves two rows and half the third.
    fs::resize_file(file, 2 * (107 + 6 * 2 + 3));
    for (const char* form : {"--form text --all", "--form table --all", "--form data --spectrum 3"}) {
        const auto dumped =
            fixture::RunCommand((tools / "orlu-dump").string() + " " + file.string() + " --view 9 " + form);
        EXPECT_EQ(dumped.status, 0) << form;
        EXPECT_EQ(dumped.out.find("No.3"), std::string::npos) << dumped.out;
    }
}

// The picture of the logger's three records: a row on each, the last one 20 dB below the
// first. Of the 60 points over 0 to 1.5 Hz none falls on the 30 dB line: the highest, at
// 39 x 1.5 / 59 Hz, lies 0.98305 of the way from the 20 dB line to it.
TEST_F(DumpSpectra, LoggerAsAMultiElementPicture)
{
    const std::string out = Dump("current --kind 45 --function 6 --fft-spectrum 4,20,2:30 --fft-range 2 --spectra 3 "
                                 "--spectra-levels 0,-10,-20",
                                 "--form data --multi 3,1,3");
    EXPECT_EQ(out.substr(0, out.find("v0,")),
              "# title=Spectrum (power)\n"
              "# panel 0: Spectrum (power)\n"
              "# kind=0\n"
              "# low=0\n"
              "# high=29.8305\n")
        << out;
    const std::size_t rows = out.find('\n', out.find("v0,")) + 1;
    EXPECT_EQ(out.substr(rows, 3), "20,");
    EXPECT_NE(out.find("\n10,"), std::string::npos) << out;
    EXPECT_NE(out.find("\n0,"), std::string::npos) << out;
}

// The mask's channels as the columns of one cross table: each keeps its own greatest peaks,
// the toned channel #2 its tone at 375 Hz (line 64), the silent channel #1 none.
TEST_F(DumpSpectra, ChannelsOfTheMaskKeepTheirOwnPeaks)
{
    const std::string out = Dump("--waveform 256 --channels 4 --tone 64,1000,1",
                                 "--form table --channels 3 --window 3 --peaks 1 --sep 1");
    std::vector<std::vector<std::string>> rows;
    for (std::size_t start = 0, end; (end = out.find("\r\n", start)) != std::string::npos; start = end + 2) {
        rows.emplace_back();
        const std::string line = out.substr(start, end - start);
        for (std::size_t from = 0, comma;; from = comma + 1) {
            comma = line.find(',', from);
            rows.back().push_back(line.substr(from, comma - from));
            if (comma == std::string::npos)
                break;
        }
    }
    ASSERT_EQ(rows.size(), 5u) << out;
    EXPECT_EQ(rows[0][0], "Spectra_(power)_(1_greatest_peaks)");
    const auto shown = [](const std::vector<std::string>& row) {
        std::vector<std::size_t> at;
        for (std::size_t k = 3; k < row.size(); ++k)
            if (row[k] != "----")
                at.push_back(k);
        return at;
    };
    EXPECT_TRUE(shown(rows[3]).empty()) << out;
    ASSERT_EQ(shown(rows[4]), std::vector<std::size_t>{3 + 64}) << out;
    EXPECT_EQ(rows[2][3 + 64], "375.0");
    EXPECT_EQ(rows[4][1], "Mic.");
}

// The files of a Multifile with FFT spectra are its spectra; the others have none.
TEST_F(DumpSpectra, MultifileShowsItsFilesWithSpectra)
{
    const std::string members = "multifile --members fft:525:300,level:525:300,fft:525:300";
    EXPECT_EQ(Dump(members, "--form table --all"),
              "Spectra_(power)\r\n"
              "no_\t[]\t1\t2\t3\t4\t5\t6\t7\t8\r\n"
              "file\\f->\t[Hz]\t0.0\t3000.0\t6000.0\t9000.0\t12000.0\t15000.0\t18000.0\t21000.0\r\n"
              "FILE1\t[dB]\t20.0\t20.0\t20.0\t50.0\t20.0\t20.0\t20.0\t20.0\r\n"
              "FILE3\t[dB]\t20.0\t20.0\t20.0\t70.0\t20.0\t20.0\t20.0\t20.0\r\n");
    const std::string text = Dump(members, "--form text --all");
    EXPECT_NE(text.find("Spectrum (power) (file: FILE3) \r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("FILE2"), std::string::npos) << text;
}

// The frequency response H1 of a channel against itself is 1/d on the tone's line: d =
// 256^2 / 2 = 32768 under the rectangle, 10 lg(1 / 32768) - 1.99 dB cut to -47.1 dB. The
// silent lines divide by no energy and show the 1e-10 floor. The block of lines 62 to 66
// holds groups 62 to 66; its total is the tone's line.
TEST_F(DumpSpectra, FrequencyResponseBlock)
{
    EXPECT_EQ(Dump("--waveform 256 --tone 64,1000", "--form text --function 7 --window 3 --markers 62,66"),
              "\r\n"
              "Block of the Frequency response H1 (power)\r\n"
              "Block RMS = -47.1 dB     \r\n"
              "--------------------------------------------------------------------\r\n"
              "   f[Hz]   Lev[dB]         f[Hz]   Lev[dB]         f[Hz]   Lev[dB]  \r\n"
              "--------------------------------------------------------------------\r\n"
              "  496.0    -101.9         512.0     -47.1         528.0    -101.9\r\n"
              "  504.0    -101.9         520.0    -101.9\r\n"
              "--------------------------------------------------------------------\r\n");
}

// A tonality file's two spectra: four lines of 0.5 Hz in the full band, eight of 0.125 Hz
// in the short band, each with its own caption.
TEST_F(DumpSpectra, FullAndShortBandOfATonalityFile)
{
    const std::string tonality =
        "current --kind 45 --function 7 --fft-spectrum 4,20,2:30 --fft-range 2 --short-band 8,10,5:40 --short-range 1";
    EXPECT_EQ(Dump(tonality, "--form text"),
              "\r\n"
              "Spectrum (power) in full band \r\n"
              "--------------------------------------------------------------------\r\n"
              "   f[Hz]   Lev[dB]         f[Hz]   Lev[dB]         f[Hz]   Lev[dB]  \r\n"
              "--------------------------------------------------------------------\r\n"
              "   0.00      20.0          1.00      30.0\r\n"
              "   0.50      20.0          1.50      20.0\r\n"
              "--------------------------------------------------------------------\r\n");
    const std::string shortBand = Dump(tonality, "--form data --short-band");
    EXPECT_EQ(shortBand.substr(0, shortBand.find("x,y,mark")),
              "# title=Spectrum (power) in short band \n"
              "# panel 0: Spectrum (power) in short band \n"
              "# cursortotal=0\n"
              "# bottom=25\n"
              "# top=105\n");
    EXPECT_NE(shortBand.find("x,y,mark\n0,10,0\n0.125,10,0\n"), std::string::npos) << shortBand;
    EXPECT_NE(shortBand.find("\n0.625,40,0\n0.75,10,0\n0.875,10,0\n"), std::string::npos) << shortBand;
}

TEST_F(DumpSpectra, BlocksWithoutSpectra)
{
    // 768 samples are no power of two: nothing to transform, and nothing shown.
    EXPECT_EQ(Dump("--waveform 768", "--form data"), "# no graph data\n");
    EXPECT_EQ(Dump("--waveform 768", "--form text"), "This form is not available yet.\r\n");
}

TEST_F(DumpSpectra, WrongOptionsAreRefused)
{
    for (const char* options : {"--function 11", "--output-form loud", "--ab 1", "--peaks 101", "--window 9"}) {
        const auto run = fixture::RunCommand((tools / "orlu-dump").string() + " x.orl --view 9 --form text " + options);
        EXPECT_NE(run.status, 0) << options;
    }
    EXPECT_NE(fixture::RunCommand((tools / "orlu-fixture").string() + " analyzer --waveform 1000 " + file.string())
                  .status,
              0);
}

} // namespace
} // namespace orlu
