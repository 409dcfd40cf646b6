// orlu-dump --form graph on a measurement file: the graph form built as Plot
// builds it, its size stepped, its state lines, and the picture painted.
// The pictures stay in the build folder (graph-pictures/) for a person to look at.

#include "support/CommandRun.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

using orlu::fixture::RunCommand;

using orlu::test::Tool;

// The lines of the output that name one of the fields.
std::vector<std::string> Fields(const std::string& out, const std::vector<std::string>& names)
{
    std::vector<std::string> found;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        for (const std::string& name : names)
            if (line.rfind(name + "=", 0) == 0)
                found.push_back(line);
    return found;
}

// The width and height a PNG's header gives.
std::pair<int, int> PngSize(const fs::path& png)
{
    std::ifstream in(png, std::ios::binary);
    std::vector<unsigned char> ihdr(24);
    in.read(reinterpret_cast<char*>(ihdr.data()), 24);
    const auto be32 = [&ihdr](int at) { return ihdr[at] << 24 | ihdr[at + 1] << 16 | ihdr[at + 2] << 8 | ihdr[at + 3]; };
    return {be32(16), be32(20)};
}

using orlu::test::kToolsPaintWithQt;

class MeasurementGraphTools : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::path(ORLU_BINARY_DIR) / "graph-pictures";
        fs::create_directories(dir);
        // ctest runs the tests of this suite at the same time: each writes and
        // reads its own copy of the file, or one's write would cut another's read.
        file = dir / ("loggers-10-1000-" +
                      std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".orl");
        ASSERT_EQ(RunCommand(Tool("orlu-fixture") + " multifile --members level:525:300:10,level:525:300:1000 " +
                             file.string())
                      .status,
                  0);
    }
    orlu::fixture::CommandRun Dump(const std::string& options) const
    {
        return RunCommand(Tool("orlu-dump") + " " + file.string() + " --view 7 --form graph " + options +
                          " --state 2>/dev/null");
    }
    fs::path dir;
    fs::path file;
};

TEST_F(MeasurementGraphTools, EachSubfileGetsItsOwnPointsStepsAndEnds)
{
    const std::vector<std::string> names = {"PointCount", "Aggregation", "MaxAggregation", "Record",
                                            "PreviousEnabled", "NextEnabled", "PanelCount"};
    const auto first = Dump("");
    ASSERT_EQ(first.status, 0);
    EXPECT_EQ(Fields(first.out, names),
              (std::vector<std::string>{"PointCount=10", "PanelCount=3", "Aggregation=1", "MaxAggregation=5",
                                        "Record=1", "PreviousEnabled=0", "NextEnabled=1"}));
    // 1000 records: two to a point, 500 points.
    const auto second = Dump("--subfile 2");
    ASSERT_EQ(second.status, 0);
    EXPECT_EQ(Fields(second.out, names),
              (std::vector<std::string>{"PointCount=500", "PanelCount=3", "Aggregation=2", "MaxAggregation=500",
                                        "Record=2", "PreviousEnabled=1", "NextEnabled=0"}));
}

TEST_F(MeasurementGraphTools, PlotStepsTheSizeAndTheBlockAndCursorArePainted)
{
    const auto three = Dump("--plot 3");
    EXPECT_EQ(Fields(three.out, {"GraphSizeIndex"}), (std::vector<std::string>{"GraphSizeIndex=3"}));
    const auto back = Dump("--plot 2 --plot-back");
    EXPECT_EQ(Fields(back.out, {"GraphSizeIndex"}), (std::vector<std::string>{"GraphSizeIndex=3"}));

    const fs::path emf = dir / "logger-block-cursor.emf";
    fs::remove(emf);
    const auto painted = Dump("--subfile 2 --markers 100,300 --cursor 50 --out " + emf.string());
    ASSERT_EQ(painted.status, 0);
    EXPECT_EQ(Fields(painted.out, {"MarkState", "MarkedRange", "CursorIndex"}),
              (std::vector<std::string>{"CursorIndex=50", "MarkState=2", "MarkedRange=100,300"}));
    ASSERT_TRUE(fs::exists(emf));
    EXPECT_GT(fs::file_size(emf), 1000u);
}

TEST_F(MeasurementGraphTools, CopyPrintAndSaveViewOfTheGraph)
{
    if (!kToolsPaintWithQt)
        GTEST_SKIP() << "orlu-dump paints pictures only in the build with Qt";
    const fs::path png = dir / "logger-copy.png", pdf = dir / "logger-print.pdf", emf = dir / "logger-view.emf",
                   bmp = dir / "logger-view.bmp";
    for (const fs::path& p : {png, pdf, emf, bmp})
        fs::remove(p);
    ASSERT_EQ(Dump("--copy " + png.string()).status, 0);
    ASSERT_EQ(Dump("--print " + pdf.string() + " --zoom 6").status, 0);
    ASSERT_EQ(Dump("--save-view " + emf.string()).status, 0);
    ASSERT_EQ(Dump("--save-view " + bmp.string()).status, 0);
    for (const fs::path& p : {png, pdf, emf, bmp})
        EXPECT_TRUE(fs::exists(p)) << p;

    // The copy and the saved bitmap are the same screen picture: 24-bit rows of the PNG's width.
    std::ifstream in(bmp, std::ios::binary);
    std::vector<unsigned char> head(54);
    in.read(reinterpret_cast<char*>(head.data()), 54);
    ASSERT_EQ(head[0], 'B');
    const auto le32 = [&head](int at) { return head[at] | head[at + 1] << 8 | head[at + 2] << 16 | head[at + 3] << 24; };
    const auto [width, height] = PngSize(png);
    EXPECT_EQ(le32(18), width);
    EXPECT_EQ(std::abs(le32(22)), height);

    const auto info = RunCommand("pdfinfo " + pdf.string() + " 2>/dev/null");
    if (info.status == 0) {
        EXPECT_NE(info.out.find("Pages:           1\n"), std::string::npos) << info.out;
    }

    // One picture at a time; a zoom is the printer's.
    for (const std::string& wrong : {"--copy " + png.string() + " --print " + pdf.string(), std::string("--zoom 3"),
                                     "--print " + pdf.string() + " --zoom 17"})
        EXPECT_NE(Dump(wrong).status, 0) << wrong;
}

TEST_F(MeasurementGraphTools, AMultiElementPictureIsCopied640PixelsWide)
{
    if (!kToolsPaintWithQt)
        GTEST_SKIP() << "orlu-dump paints pictures only in the build with Qt";
    const fs::path spectra = dir / "three-spectra.orl", png = dir / "three-spectra-copy.png";
    ASSERT_EQ(RunCommand(Tool("orlu-fixture") + " multifile --members fft:525:300,fft:525:300,fft:525:300 " +
                         spectra.string())
                  .status,
              0);
    fs::remove(png);
    const auto run = RunCommand(Tool("orlu-dump") + " " + spectra.string() + " --view 9 --form graph --multi 3,1,3 " +
                                "--copy " + png.string() + " --state 2>/dev/null");
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(Fields(run.out, {"MultiElement"}), (std::vector<std::string>{"MultiElement=1"}));
    const auto [width, height] = PngSize(png);
    EXPECT_EQ(width, 640);
    EXPECT_GT(height, 100);
}

TEST_F(MeasurementGraphTools, AKindWithoutGraphDataSaysSoInThePlaceOfTheGraph)
{
    // The level meters of the fixture hold no band statistics: nothing for a level spectrum.
    const auto levels = RunCommand(Tool("orlu-dump") + " " + file.string() + " --view 5 --form graph 2>/dev/null");
    EXPECT_EQ(levels.status, 0);
    EXPECT_EQ(levels.out, "The file holds nothing for this form: its records are missing or cut short.\n");
}

TEST_F(MeasurementGraphTools, PlotFromTheViewsCommandsPaintsTheSizeItStepsTo)
{
    if (!kToolsPaintWithQt)
        GTEST_SKIP() << "PNG needs the Qt canvas";
    // The first Plot shows the graph, each further one steps its size (back with Shift);
    // the picture is the one --plot paints at that size.
    struct Case {
        const char* commands;
        const char* plot;
        const char* size;
    };
    const Case cases[] = {
        {"32801", "--plot 0", "GraphSizeIndex=0"},
        {"32801,32801,32801", "--plot 2", "GraphSizeIndex=2"},
        {"32801,32801+shift", "--plot 4", "GraphSizeIndex=4"},
    };
    std::vector<std::pair<int, int>> sizes;
    for (const Case& c : cases) {
        const fs::path fromCommands = dir / "logger-plot-commands.png", fromPlot = dir / "logger-plot-presses.png";
        fs::remove(fromCommands);
        const auto run = Dump(std::string("--cmd ") + c.commands + " --out " + fromCommands.string());
        ASSERT_EQ(run.status, 0) << c.commands;
        EXPECT_EQ(Fields(run.out, {"GraphSizeIndex"}), (std::vector<std::string>{c.size})) << c.commands;
        ASSERT_EQ(Dump(std::string(c.plot) + " --out " + fromPlot.string()).status, 0) << c.plot;
        EXPECT_EQ(PngSize(fromCommands), PngSize(fromPlot)) << c.commands;
        sizes.push_back(PngSize(fromCommands));
    }
    // The sizes are painted differently, or the comparison says nothing.
    EXPECT_NE(sizes[0], sizes[1]);
    EXPECT_NE(sizes[1], sizes[2]);
}

TEST_F(MeasurementGraphTools, AFourChannelLoggerPaintsItsRotationInTheFifthPanel)
{
    const fs::path four = dir / "four-channel-rotation.orl";
    const fs::path drawn = dir / "four-channel-rotation.txt";
    ASSERT_EQ(RunCommand(Tool("orlu-fixture") + " four-channel --channels 4 --rotation --logger 300 --rpm 1500,3000 " +
                         four.string())
                  .status,
              0);
    fs::remove(drawn);
    const auto run = RunCommand(Tool("orlu-dump") + " " + four.string() +
                                " --view 7 --form graph --channels 31 --state --out " + drawn.string() + " 2>/dev/null");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(Fields(run.out, {"PanelCount"}), (std::vector<std::string>{"PanelCount=5"}));
    std::ifstream in(drawn);
    std::string line;
    int rotationTitles = 0;
    while (std::getline(in, line))
        rotationTitles += line.find("\"BUFFER CONTENTS  Rotation  -  RPM\"") != std::string::npos;
    EXPECT_EQ(rotationTitles, 1);
}

} // namespace
