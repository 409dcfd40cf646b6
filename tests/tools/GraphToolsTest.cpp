// The graph form of the tools: orlu-fixture plot writes a logger's plot
// state, orlu-dump --form graph paints it with the engine into every format.
// The pictures of each graph size stay in the build folder (graph-pictures/)
// for a person to look at.

#include "support/CommandRun.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using orlu::test::kToolsPaintWithQt;

namespace fs = std::filesystem;

using orlu::fixture::RunCommand;

using orlu::test::ReadAll;
using orlu::test::Tool;

std::uint32_t Be32(const std::string& bytes, std::size_t at)
{
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v = v << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return v;
}

class GraphTools : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::path(ORLU_BINARY_DIR) / "graph-pictures";
        fs::create_directories(dir);
        // The tests run in parallel: each has its own file for the tools' errors.
        errors = dir / (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".stderr");
    }
    // Writes a two-channel logger's plot state with a block; the exit status.
    int Plot(const std::string& options, const fs::path& out) const
    {
        return RunCommand(Tool("orlu-fixture") + " plot --plot-kind 6 --points 400 --markers 120,260 " + options + " " +
                          out.string())
            .status;
    }
    int Paint(const fs::path& state, const fs::path& out, const std::string& more = "") const
    {
        return RunCommand(Tool("orlu-dump") + " " + state.string() + " --form graph --out " + out.string() + " " + more +
                          " 2>" + errors.string())
            .status;
    }
    std::string Errors() const { return ReadAll(errors); }

    fs::path dir;
    fs::path errors;
};

TEST_F(GraphTools, APlotStatePaintsIntoEveryFormat)
{
    const fs::path state = dir / "logger.plot";
    ASSERT_EQ(Plot("--panels 2 --cursor 150", state), 0);

    // The state written back is the state read.
    ASSERT_EQ(Paint(state, dir / "again.plot"), 0) << Errors();
    EXPECT_EQ(ReadAll(dir / "again.plot"), ReadAll(state));

    ASSERT_EQ(Paint(state, dir / "calls.txt"), 0) << Errors();
    const std::string calls = ReadAll(dir / "calls.txt");
    EXPECT_NE(calls.find("\"Cursor:   t[151]="), std::string::npos);
    EXPECT_NE(calls.find("rop=xor"), std::string::npos);
    ASSERT_EQ(Paint(state, dir / "printer.txt", "--target printer"), 0) << Errors();
    EXPECT_EQ(ReadAll(dir / "printer.txt").find("rop=xor"), std::string::npos);

    if (kToolsPaintWithQt) {
        ASSERT_EQ(Paint(state, dir / "logger.pdf"), 0) << Errors();
        EXPECT_EQ(ReadAll(dir / "logger.pdf").substr(0, 5), "%PDF-");
    } else {
        EXPECT_EQ(Paint(state, dir / "logger.pdf"), 1);
    }

    // Each graph size as PNG and EMF; the bitmap is as tall as the panels drawn.
    for (int size = 0; size < 5; ++size) {
        SCOPED_TRACE(size);
        const std::string name = "logger-size" + std::to_string(size);
        const fs::path sized = dir / (name + ".plot");
        const fs::path one = dir / (name + "-one-panel.plot");
        ASSERT_EQ(Plot("--panels 2 --cursor 150 --size " + std::to_string(size), sized), 0);
        ASSERT_EQ(Plot("--panels 1 --cursor 150 --size " + std::to_string(size), one), 0);
        if (kToolsPaintWithQt) {
            ASSERT_EQ(Paint(sized, dir / (name + ".png")), 0) << Errors();
            ASSERT_EQ(Paint(one, dir / (name + "-one-panel.png")), 0) << Errors();
            const std::string png = ReadAll(dir / (name + ".png"));
            const std::string onePng = ReadAll(dir / (name + "-one-panel.png"));
            ASSERT_EQ(png.substr(1, 3), "PNG");
            EXPECT_EQ(Be32(png, 16), 1000u); // IHDR width
            EXPECT_EQ(Be32(png, 20), 2 * Be32(onePng, 20));
            // Three times the scale: the bitmap is as wide as the graph's page.
            const fs::path large = dir / (name + "-scale3.plot");
            ASSERT_EQ(Plot("--panels 2 --cursor 150 --set GraphScale=3 --size " + std::to_string(size), large), 0);
            ASSERT_EQ(Paint(large, dir / (name + "-scale3.png")), 0) << Errors();
            const std::string largePng = ReadAll(dir / (name + "-scale3.png"));
            EXPECT_EQ(Be32(largePng, 16), 3u * (60 + 400) + 150 - (size == 0 ? 100 : 0));
            EXPECT_EQ(Be32(largePng, 20), 3 * Be32(png, 20));
        }

        const fs::path emf = dir / (name + ".emf");
        ASSERT_EQ(Paint(sized, emf), 0) << Errors();
        EXPECT_EQ(ReadAll(emf).substr(40, 4), " EMF");
        if (RunCommand("command -v emf2svg-conv >/dev/null").status == 0) {
            const fs::path svg = dir / (name + ".svg");
            EXPECT_EQ(RunCommand("emf2svg-conv -i " + emf.string() + " -o " + svg.string() + " 2>/dev/null").status, 0);
            EXPECT_NE(ReadAll(svg).find("<svg"), std::string::npos);
        }
    }
}

TEST_F(GraphTools, RefusedStatesNameTheirLine)
{
    const fs::path state = dir / "refused.plot";
    {
        std::ofstream out(state);
        out << "PlotKind=6\nPointCount=2\nBufferValues[0]=60,61,62\n";
    }
    EXPECT_EQ(Paint(state, dir / "refused.png"), 1);
    EXPECT_NE(Errors().find("refused.plot: line 3: BufferValues has more than 2 values"), std::string::npos) << Errors();
    EXPECT_FALSE(fs::exists(dir / "refused.png"));

    const std::string fixture = Tool("orlu-fixture") + " plot --plot-kind 6 --set Colour=3 " + (dir / "set.plot").string();
    EXPECT_EQ(RunCommand(fixture + " 2>" + errors.string()).status, 2);
    EXPECT_NE(Errors().find("--set: line "), std::string::npos) << Errors();
    EXPECT_NE(Errors().find("unknown field 'Colour'"), std::string::npos) << Errors();
}

} // namespace

namespace {

TEST_F(GraphTools, BandNameAndBandPlotStates)
{
    struct Case {
        const char* args;
        const char* output;
        int status;
    };
    for (const Case& k : {Case{"12,2,42", "Total_A\n", 0}, Case{"12,0,44", "Total\n", 0}, Case{"4,0,0", "1.6Hz\n", 0},
                          Case{"9,0,3", "\n", 0}, Case{"12,3,0", "", 2}, Case{"12,0", "", 2}, Case{"12,0,1x", "", 2}}) {
        SCOPED_TRACE(k.args);
        const auto run = RunCommand(Tool("orlu-dump") + " --band-name " + k.args + " 2>/dev/null");
        EXPECT_EQ(run.status, k.status);
        EXPECT_EQ(run.out, k.output);
    }
    // Spectra, their phase and statistical levels from orlu-fixture paint as metafiles.
    for (const std::string options : {"--plot-kind 9 --peaks --tonality", "--plot-kind 9 --phase-unit grad",
                                      "--plot-kind 16 --total-bars 1", "--plot-kind 37"}) {
        SCOPED_TRACE(options);
        const fs::path state = dir / "band.plot";
        ASSERT_EQ(RunCommand(Tool("orlu-fixture") + " plot " + options + " --markers 5,9 " + state.string()).status, 0);
        const fs::path emf = dir / "band.emf";
        EXPECT_EQ(Paint(state, emf), 0) << Errors();
        EXPECT_GT(fs::file_size(emf), 1000u);
    }
    EXPECT_NE(RunCommand(Tool("orlu-fixture") + " plot --plot-kind 9 --phase-unit turns x.plot 2>/dev/null").status, 0);
}

TEST_F(GraphTools, MultiElementPictureStates)
{
    for (const std::string options : {"--plot-kind 9 --waterfall 60,60", "--plot-kind 16 --waterfall 60,60 --total-bars 1",
                                      "--plot-kind 16 --waterfall 8,2 --lines 0,0 --box 1 --totals 0"}) {
        SCOPED_TRACE(options);
        const fs::path state = dir / "waterfall.plot";
        ASSERT_EQ(RunCommand(Tool("orlu-fixture") + " plot " + options + " " + state.string()).status, 0);
        const std::string text = ReadAll(state);
        EXPECT_NE(text.find("MultiElement=1\n"), std::string::npos);
        const fs::path calls = dir / "waterfall.txt";
        EXPECT_EQ(Paint(state, calls), 0) << Errors();
        // The time axis of 61 spectra 1 s apart.
        EXPECT_NE(ReadAll(calls).find("\"60.0\""), std::string::npos);
        const fs::path emf = dir / "waterfall.emf";
        EXPECT_EQ(Paint(state, emf), 0) << Errors();
        EXPECT_GT(fs::file_size(emf), 1000u);
    }
    for (const char* bad : {"--waterfall 1,60", "--waterfall 60", "--waterfall 2,61 --lines 1,1", "--waterfall 4,4 --lines 2,0",
                            "--waterfall 4,4 --box 3", "--waterfall 4,4 --totals 2"}) {
        SCOPED_TRACE(bad);
        EXPECT_NE(RunCommand(Tool("orlu-fixture") + " plot --plot-kind 9 " + bad + " x.plot 2>/dev/null").status, 0);
    }
}

} // namespace

namespace {

// Decays, densities and waveforms from orlu-fixture: their options reach the
// plot state, and each paints as a metafile and its drawing calls.
TEST_F(GraphTools, DecayDensityAndWaveformStates)
{
    struct Case {
        const char* options;
        const char* field; ///< a line the state must hold
    } cases[] = {
        {"--plot-kind 28 --decay 0.5,0.02 --rt 2,4", "RtMethod=2"},
        {"--plot-kind 28 --rt 4,4 --cursor 30", "RtEvaluating=4"},
        {"--plot-kind 7 --no-data", "IntersectionLength=200"},
        {"--plot-kind 18 --markers 5,9", "PlotKind=18"},
        {"--plot-kind 13 --points 2000", "PlotKind=13"},
        {"--plot-kind 6 --waveform", "WaveformSamples=1"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.options);
        const fs::path state = dir / "kinds.plot";
        ASSERT_EQ(RunCommand(Tool("orlu-fixture") + " plot " + k.options + " " + state.string()).status, 0);
        EXPECT_NE(ReadAll(state).find(std::string("\n") + k.field + "\n"), std::string::npos);
        const fs::path emf = dir / "kinds.emf";
        EXPECT_EQ(Paint(state, emf), 0) << Errors();
        EXPECT_GT(fs::file_size(emf), 1000u);
    }
    for (const char* bad : {"--rt 5,4", "--rt 2", "--decay 1,0", "--decay x,0.01"})
        EXPECT_NE(RunCommand(Tool("orlu-fixture") + " plot --plot-kind 28 " + bad + " x.plot 2>/dev/null").status, 0) << bad;
}

} // namespace
