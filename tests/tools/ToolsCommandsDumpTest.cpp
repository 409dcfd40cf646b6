// orlu-dump runs the view's Tools commands headless: the reverberation
// procedure marked with Enter and stepped back with Esc, and the documents
// the Extract commands make, stored with --save-new and opened again.

#include "support/CommandRun.h"
#include "support/FixtureBuilder.h"
#include "support/LegacyFixture.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace orlu {
namespace {

namespace fs = std::filesystem;

class ToolsCommandsDump : public ::testing::Test {
protected:
    void SetUp() override
    {
        tools = test::ToolsDir();
        dir = test::TempPath("orlu-tools-commands",
                             std::string("-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fixture::CommandRun Fixture(const std::string& args, const fs::path& out)
    {
        return fixture::RunCommand((tools / "orlu-fixture").string() + " " + args + " " + out.string());
    }
    fixture::CommandRun Dump(const fs::path& file, const std::string& args)
    {
        return fixture::RunCommand((tools / "orlu-dump").string() + " " + file.string() + " " + args + " 2>&1");
    }

    fs::path tools;
    fs::path dir;
};

// The view's state lines that name one of these fields, in the order printed.
std::string Fields(const std::string& out, std::initializer_list<const char*> names)
{
    std::string picked;
    std::size_t at = 0;
    while (at < out.size()) {
        const std::size_t end = std::min(out.find('\n', at), out.size());
        const std::string line = out.substr(at, end - at);
        for (const char* name : names)
            if (line.rfind(std::string(name) + "=", 0) == 0)
                picked += line + " ";
        at = end + 1;
    }
    return picked;
}

TEST_F(ToolsCommandsDump, ReverberationProcedureMarksStepsBackAndRefuses)
{
    // 1/1 octaves of eleven spectra a second apart, falling 5 dB a spectrum after the third.
    const fs::path file = dir / "decay.orl";
    ASSERT_EQ(Fixture("current --kind 45 --function 2 --spectrum 3,1,60 --spectra 11"
                      " --spectra-levels 80,80,80,75,70,65,60,55,50,45,40",
                      file)
                  .status,
              0);
    // Time intersections of the 1/1 octaves, as a graph, the procedure switched on.
    const std::string on = "--view 12 --form text --cmd 32894,32801,32827 --state --keys ";
    struct Case {
        const char* keys;
        const char* state;
        bool refused;
    };
    const Case cases[] = {
        // On: the procedure waits for t1 (t0 follows it unless marked by hand).
        {"Home", "RtMode=1 RtStep=2 t0=0 t1=0 t2=0 t3=0 VisualAid=3 ", false},
        // t1 at spectrum 5: t0 one second before it, and the times are computed.
        {"Right,Right,Right,Right,Right,Enter", "RtMode=1 RtStep=3 t0=4 t1=5 t2=0 t3=0 VisualAid=3 ", false},
        // Past the computation Esc turns to the user interval first, then steps back.
        {"Right,Right,Right,Right,Right,Enter,Esc", "RtMode=1 RtStep=3 t0=4 t1=5 t2=0 t3=0 VisualAid=4 ", false},
        {"Right,Right,Right,Right,Right,Enter,Esc,Esc", "RtMode=1 RtStep=2 t0=4 t1=5 t2=0 t3=0 VisualAid=4 ", false},
        // t2 of the user interval must come after t1.
        {"Right,Right,Right,Right,Right,Enter,Esc,Right,Enter", "RtMode=1 RtStep=4 t0=4 t1=5 t2=6 t3=0 VisualAid=4 ",
         false},
        {"Right,Right,Right,Right,Right,Enter,Esc,Left,Enter", "RtMode=1 RtStep=3 t0=4 t1=5 t2=0 t3=0 VisualAid=4 ",
         true},
        {"Right,Right,Right,Right,Right,Enter,Esc,Enter", "RtMode=1 RtStep=3 t0=4 t1=5 t2=0 t3=0 VisualAid=4 ", true},
    };
    for (const Case& c : cases) {
        const fixture::CommandRun run = Dump(file, on + c.keys);
        EXPECT_EQ(run.status, 0) << c.keys << "\n" << run.out;
        EXPECT_EQ(Fields(run.out, {"RtMode", "RtStep", "t0", "t1", "t2", "t3", "VisualAid"}), c.state) << c.keys;
        EXPECT_EQ(run.out.find("Improper cursor position for t2 selection !") != std::string::npos, c.refused)
            << c.keys << "\n" << run.out;
    }
    // Switched off, the step is gone; switched on again, the band's record goes on from where it was.
    EXPECT_EQ(Fields(Dump(file, on + "Right,Right,Right,Right,Right,Enter --cmd 32827").out, {"RtMode", "RtStep"}),
              "RtMode=0 RtStep=0 ");
    EXPECT_EQ(Fields(Dump(file, on + "Right,Right,Right,Right,Right,Enter --cmd 32827,32827").out, {"RtStep", "t1"}),
              "RtStep=3 t1=5 ");
}

TEST_F(ToolsCommandsDump, TheProcedureSwitchedOnShowsTheReverberationTimesOfEveryBand)
{
    const fs::path file = dir / "decay.orl";
    ASSERT_EQ(Fixture("current --kind 45 --function 2 --spectrum 3,1,60 --spectra 11"
                      " --spectra-levels 80,80,80,75,70,65,60,55,50,45,40",
                      file)
                  .status,
              0);
    // The text form: the band's levels in time, or with the procedure on the times of every band.
    struct Case {
        const char* run;
        const char* shown;
        const char* gone;
    };
    const Case cases[] = {
        {"--cmd 32894", "\nTime intersection for 1/1 oct.:", "Reverberation Time"},
        {"--cmd 32894,32827", "\nReverberation Time in Octave 1/1:\r\n", "Time intersection"},
        {"--cmd 32894,32827,32827", "\nTime intersection for 1/1 oct.:", "Reverberation Time"},
        // Marked from the graph, then shown as text: 5 dB a second falls 60 dB in 12 s.
        {"--cmd 32894,32801,32827 --keys Right,Right,Right,Right,Right,Enter --cmd 32790", "   12.000   ", "Spct.No."},
    };
    for (const Case& c : cases) {
        const fixture::CommandRun run = Dump(file, std::string("--view 12 --form text ") + c.run);
        EXPECT_EQ(run.status, 0) << c.run << "\n" << run.out;
        EXPECT_NE(run.out.find(c.shown), std::string::npos) << c.run << "\n" << run.out;
        EXPECT_EQ(run.out.find(c.gone), std::string::npos) << c.run << "\n" << run.out;
    }

    // The graph form: Plot steps the size of the shown graph; the procedure paints at
    // size 1, the engine is told of it, and Plot does not step the size while it runs.
    const fs::path painted = dir / "procedure.plot";
    const fixture::CommandRun off = Dump(file, "--view 12 --form graph --cmd 32894,32801,32801 --state");
    EXPECT_EQ(Fields(off.out, {"GraphSizeIndex", "RtMode"}), "GraphSizeIndex=1 RtMode=0 ") << off.out;
    const fixture::CommandRun on =
        Dump(file, "--view 12 --form graph --cmd 32894,32801,32827,32801 --state --out " + painted.string());
    EXPECT_NE(on.out.find("command 32801 is not available here"), std::string::npos) << on.out;
    EXPECT_EQ(Fields(on.out, {"GraphSizeIndex", "RtMode"}), "GraphSizeIndex=1 RtMode=1 ");
    std::ifstream plot(painted);
    const std::string stored((std::istreambuf_iterator<char>(plot)), std::istreambuf_iterator<char>());
    EXPECT_NE(stored.find("\nRtMode=1\n"), std::string::npos) << stored;
    EXPECT_NE(stored.find("\nGraphSizeIndex=1\n"), std::string::npos) << stored;
}

// The graph geometry's fields as --state prints them.
std::vector<int> Geometry(const std::string& out)
{
    std::vector<int> fields;
    const std::string line = Fields(out, {"Geometry"});
    for (std::size_t at = line.find('=') + 1; at < line.size() && line[at] != ' ';) {
        std::size_t used = 0;
        fields.push_back(std::stoi(line.substr(at), &used));
        at += used + 1;
    }
    return fields;
}

TEST_F(ToolsCommandsDump, MoreOptionsChangeTheGraphShown)
{
    const fs::path file = dir / "decay.orl";
    ASSERT_EQ(Fixture("current --kind 45 --function 2 --spectrum 3,1,60 --spectra 11"
                      " --spectra-levels 80,80,80,75,70,65,60,55,50,45,40",
                      file)
                  .status,
              0);
    const std::string graph = "--view 12 --form text --cmd 32894,32801 --state";
    const std::vector<int> before = Geometry(Dump(file, graph).out);
    const std::vector<int> after = Geometry(Dump(file, graph + " --more-options width=16").out);
    ASSERT_EQ(before.size(), 12u);
    ASSERT_EQ(after.size(), 12u);
    EXPECT_NE(before[7], 16);
    EXPECT_EQ(after[7], 16); // the step width
    EXPECT_EQ(Geometry(Dump(file, graph + " --more-options width=16,cancel").out), before);
}

TEST_F(ToolsCommandsDump, ExtractedSubFileStoredAndReopenedHoldsItsBytes)
{
    const fs::path multi = dir / "multi.orl";
    ASSERT_EQ(Fixture("legacy --kind 23 --files 3", multi).status, 0);
    const std::vector<std::uint8_t> third = fixture::LegacyMultifileMembers(3)[2].bytes;

    const fs::path out = dir / "third.orl";
    const fixture::CommandRun run = Dump(multi, "--view 2 --form text --subfile 3 --cmd 32904 --save-new " + out.string());
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("new document (kind 3, " + std::to_string(third.size()) + " bytes) is stored in"),
              std::string::npos)
        << run.out;
    // The program's header, then exactly the sub-file's bytes.
    const std::vector<std::uint8_t> stored = fixture::ReadFileBytes(out);
    ASSERT_EQ(stored.size(), 32 + third.size());
    EXPECT_TRUE(std::equal(third.begin(), third.end(), stored.begin() + 32));
    const fixture::CommandRun reopened = Dump(out, "--summary");
    EXPECT_EQ(reopened.status, 0) << reopened.out;
    EXPECT_NE(reopened.out.find("kind: 3\n"), std::string::npos) << reopened.out;

    // All files shown: the command is off, nothing is made and nothing written.
    const fs::path none = dir / "none.orl";
    const fixture::CommandRun refused = Dump(multi, "--view 2 --form text --all --cmd 32904 --save-new " + none.string());
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find("no command made a new document to store in"), std::string::npos) << refused.out;
    EXPECT_FALSE(fs::exists(none));
}

TEST_F(ToolsCommandsDump, ExtractedBufferOfAMonitorFile)
{
    // The Buffer is a measurement file without the program's header.
    const fs::path sample = dir / "sample.orl";
    ASSERT_EQ(Fixture("sample", sample).status, 0);
    const std::vector<std::uint8_t> file = fixture::ReadFileBytes(sample);
    ASSERT_GT(file.size(), 32u);
    const std::vector<std::uint8_t> buffer(file.begin() + 32, file.end());
    fixture::FixtureBuilder().Bytes(buffer).WriteTo(dir / "buffer.bin");
    const std::string station = "monitor --station Y1A,M2,D1F47,V3C,S1Ex0Cx09x07x09 --setup U525A,W315,M2,D15m "
                                "--intervals 2 --buffer " + (dir / "buffer.bin").string();
    const fs::path monitor = dir / "monitor.orl";
    ASSERT_EQ(Fixture(station, monitor).status, 0);
    const fs::path out = dir / "buffer.orl";
    const fixture::CommandRun run = Dump(monitor, "--view 2 --form text --cmd 32903 --save-new " + out.string());
    ASSERT_EQ(run.status, 0) << run.out;
    const std::vector<std::uint8_t> stored = fixture::ReadFileBytes(out);
    ASSERT_EQ(stored.size(), 32 + buffer.size());
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.end(), stored.begin() + 32));
    EXPECT_EQ(Dump(out, "--summary").status, 0);

    // A name of 32 bytes with no zero after it: read within the Buffer and cut to 31
    // bytes; the Buffer it overwrote is no measurement file, and that is said.
    const fs::path full = dir / "full.orl";
    ASSERT_EQ(Fixture(station + " --full-buffer-name", full).status, 0);
    const fixture::CommandRun named = Dump(full, "--view 2 --form text --cmd 32903 --save-new " + out.string() + "2");
    EXPECT_EQ(named.status, 1);
    EXPECT_NE(named.out.find("could not be made from BUFFER-NAME-THAT-FILLS-32-BYTES\n"), std::string::npos) << named.out;
    EXPECT_NE(named.out.find("BUFFER-NAME-THAT-FILLS-32-BYTES  -  Improper file contents"), std::string::npos)
        << named.out;
    EXPECT_FALSE(fs::exists(out.string() + "2"));
}

} // namespace
} // namespace orlu
