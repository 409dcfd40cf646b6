// orlu-fixture's octave spectra and orlu-dump's octave views: the record, the
// markers and the All-files choice of the command line reach the forms, and
// option values the tools cannot read are refused.

#include "support/CommandRun.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace orlu {
namespace {

namespace fs = std::filesystem;

class OctaveDump : public ::testing::Test {
protected:
    void SetUp() override
    {
        tools = test::ToolsDir();
        dir = test::TempPath("orlu-octave-dump",
                             std::string("-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fixture::CommandRun Fixture(const std::string& options, const std::string& name)
    {
        return fixture::RunCommand((tools / "orlu-fixture").string() + " current --kind 45 " + options + " " +
                                   (dir / name).string() + " 2>/dev/null");
    }
    fixture::CommandRun FourChannel(const std::string& options, const std::string& name)
    {
        return fixture::RunCommand((tools / "orlu-fixture").string() + " four-channel " + options + " " +
                                   (dir / name).string() + " 2>/dev/null");
    }
    fixture::CommandRun Dump(const std::string& name, const std::string& options)
    {
        return fixture::RunCommand((tools / "orlu-dump").string() + " " + (dir / name).string() + " " + options +
                                   " 2>/dev/null");
    }

    fs::path tools;
    fs::path dir;
};

TEST_F(OctaveDump, RecordAndMarkersChooseTheSpectrumAndItsBlock)
{
    // Band 0 of every record at 70 dB, the others at 80; MAX 10 dB above.
    ASSERT_EQ(Fixture("--function 3 --spectrum 31,3,80,0:70 --min-max", "o.orl").status, 0);
    const fixture::CommandRun max = Dump("o.orl", "--view 11 --form text --record 3 --markers 0,4");
    EXPECT_EQ(max.status, 0);
    EXPECT_NE(max.out.find("\r\nBlock of the OCTAVE 1/3  (HP, MAX)\r\n"), std::string::npos) << max.out;
    // 80 dB and four bands of 90 dB.
    EXPECT_NE(max.out.find("\r\nBlock RMS = 96.1 dB"), std::string::npos) << max.out;
    EXPECT_NE(max.out.find("\r\n   20.0      80.0          31.5      90.0          50.0      90.0\r\n"),
              std::string::npos)
        << max.out;
    const fixture::CommandRun min = Dump("o.orl", "--view 11 --form text --record 2");
    EXPECT_NE(min.out.find("\r\nOCTAVE 1/3  (HP, MIN)\r\n"), std::string::npos) << min.out;
    EXPECT_NE(min.out.find("\r\n   20.0      60.0   "), std::string::npos) << min.out;
}

TEST_F(OctaveDump, AllRecordsOfALoggerOfSpectra)
{
    ASSERT_EQ(Fixture("--function 3 --spectrum 31,3,80 --spectra 5 --spectra-levels 70,80,90", "l.orl").status, 0);
    const fixture::CommandRun table = Dump("l.orl", "--view 11 --form table --all --sep 1");
    EXPECT_EQ(table.status, 0);
    // Records 1 to 5 repeat the levels 70, 80, 90; lines end CR LF as the view's do.
    EXPECT_NE(table.out.find("\r\n4,[dB],70.0,70.0,"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("\r\n5,[dB],80.0,80.0,"), std::string::npos) << table.out;
    const fixture::CommandRun text = Dump("l.orl", "--view 11 --form text --record 3");
    EXPECT_NE(text.out.find("\r\nOCTAVE 1/3  (HP)  No.3\r\n"), std::string::npos) << text.out;
}

TEST_F(OctaveDump, GraphDataOfOneSpectrumAndItsMarkedBands)
{
    // An ORLU 535: its last value is drawn three times.
    ASSERT_EQ(Fixture("--device 535 --function 3 --spectrum 31,1,80,0:70,31:95", "o.orl").status, 0);
    const fixture::CommandRun data = Dump("o.orl", "--view 11 --form data --markers 0,1");
    EXPECT_EQ(data.status, 0);
    const std::string expected = "# title=OCTAVE 1/3  (HP, RMS)\n"
                                 "# panel 0: OCTAVE 1/3  (HP, RMS)\n"
                                 "# kind=2\n"
                                 "# block=80.4139\n"
                                 "value,frequency\n"
                                 "70,20\n"
                                 "80,25\n";
    EXPECT_EQ(data.out.substr(0, expected.size()), expected) << data.out;
    EXPECT_NE(data.out.find("\n80,20000\n95,\n95,\n95,\n"), std::string::npos) << data.out;
    EXPECT_EQ(data.out.find("95,\n95,\n95,\n95"), std::string::npos) << data.out;
}

TEST_F(OctaveDump, GraphDataOfThirdOctavesShownAsOctaves)
{
    // Band 0 (20 Hz) at 70 dB lies before the first whole octave and takes no part.
    ASSERT_EQ(Fixture("--function 3 --spectrum 31,3,80,0:70,4:90", "o.orl").status, 0);
    const fixture::CommandRun data = Dump("o.orl", "--view 10 --form data --markers 1,1");
    EXPECT_EQ(data.status, 0);
    // Octave 1 (63 Hz) folds bands 4 to 6: 90, 80 and 80 dB.
    const std::string expected = "# title=OCTAVE 1/1  (HP, RMS)\n"
                                 "# panel 0: OCTAVE 1/1  (HP, RMS)\n"
                                 "# kind=2\n"
                                 "# block=90.7918\n"
                                 "value,frequency\n"
                                 "84.7712,31.5\n"
                                 "90.7918,63\n"
                                 "84.7712,125\n";
    EXPECT_EQ(data.out.substr(0, expected.size()), expected) << data.out;
    EXPECT_NE(data.out.find("\n84.7712,16000\n80,\n80,\n80,\n"), std::string::npos) << data.out;
}

TEST_F(OctaveDump, MultiElementPictureOfALoggerOfSpectra)
{
    ASSERT_EQ(Fixture("--function 3 --spectrum 31,3,80 --spectra 6 --spectra-levels 90,80,70,60,50,40", "m.orl").status,
              0);
    const fixture::CommandRun data = Dump("m.orl", "--view 11 --form data --multi 11,1,6");
    EXPECT_EQ(data.status, 0);
    EXPECT_NE(data.out.find("# low=40\n# high=90\n"), std::string::npos) << data.out;
    // Rows on the records and halfway between them, 34 values each.
    std::string row85 = "85";
    for (int c = 1; c < 34; ++c)
        row85 += ",85";
    EXPECT_NE(data.out.find("\n" + row85 + "\n"), std::string::npos) << data.out;
    EXPECT_EQ(data.out.find("# panel 1"), std::string::npos) << data.out;
}

TEST_F(OctaveDump, UnreadableOptionValuesAreRefused)
{
    const char* fixtureOptions[] = {
        "--function 1 --spectrum 31,3,80",          // no octave function
        "--function 3 --spectrum 45,6,80",          // more values than any spectrum
        "--function 3 --spectrum 31,3,80,40:70",    // a value past the spectrum
        "--function 3 --spectra 5 --spectra-levels 70", // a logger without its spectrum
        "--function 3 --spectrum 31,3,eighty",
    };
    for (const char* options : fixtureOptions)
        EXPECT_EQ(Fixture(options, "bad.orl").status, 2) << options;
    ASSERT_EQ(Fixture("--function 3 --spectrum 31,3,80", "o.orl").status, 0);
    for (const char* options : {"--view 11 --form text --record 0", "--view 11 --form data --multi 10,5,5",
                                "--markers 1,2"})
        EXPECT_EQ(Dump("o.orl", options).status, 2) << options;
}

TEST_F(OctaveDump, FourChannelSpectraOfTheirOwnBands)
{
    // #2 and #3 are microphones; #3 starts at 25 Hz.
    ASSERT_EQ(FourChannel("--channels 3 --first acc --function 3 --spectrum 2=31,3,70/3=30,3,60", "f.orl").status,
              0);
    const fixture::CommandRun table = Dump("f.orl", "--view 11 --form table --channels 6 --sep 1");
    EXPECT_EQ(table.status, 0);
    EXPECT_NE(table.out.find("\r\n#3,Mic.,[dB],----,60.0,60.0,"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("\r\n#2,Mic.,[dB],70.0,70.0,"), std::string::npos) << table.out;

    const char* refused[] = {
        "--channels 3 --function 3 --spectrum 4=31,3,70",  // a channel the file does not have
        "--function 3 --spectrum 1=45,3,70",               // more bands than a spectrum holds
        "--function 1 --spectrum 1=31,3,70",               // no octave function
        "--function 3 --spectrum 1=31,3",
    };
    for (const char* options : refused)
        EXPECT_EQ(FourChannel(options, "bad.orl").status, 2) << options;
}

TEST_F(OctaveDump, AnalyzerModeSpectraOfTheirOwnLevel)
{
    const auto analyzer = [&](const std::string& options) {
        return fixture::RunCommand((tools / "orlu-fixture").string() + " analyzer " + options + " " +
                                   (dir / "a.orl").string() + " 2>/dev/null");
    };
    ASSERT_EQ(analyzer("--function 3 --spectrum 9,1,80 --spectra 5 --numbered").status, 0);
    const fixture::CommandRun table = Dump("a.orl", "--view 10 --form table --record 4 --sep 1");
    EXPECT_EQ(table.status, 0);
    EXPECT_EQ(table.out.rfind("Octave_1/1__No.4:\r\n", 0), 0u) << table.out;
    EXPECT_NE(table.out.find("\r\n125.0,80.0,2000.0,80.0,TOTAL,80.0\r\n"), std::string::npos) << table.out;

    for (const char* options : {"--function 2 --spectrum 9,1,80", "--function 4 --spectrum 45,1,80",
                                "--function 4 --spectrum 31,7,80", "--function 4 --spectrum 31,3"})
        EXPECT_EQ(analyzer(options).status, 2) << options;
}

} // namespace
} // namespace orlu
