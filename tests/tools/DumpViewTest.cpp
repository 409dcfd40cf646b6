// orlu-dump --view shows the lines the measurement view's form builders make
// for the same file and table options, whatever reports are built so far.

#include "document/CTmDoc.h"
#include "platform/TextEncoding.h"
#include "presentation/view/FormBuilder.h"
#include "presentation/view/ViewSelection.h"
#include "support/CommandRun.h"
#include "support/GoldenText.h"
#include "support/JoinedLines.h"
#include "support/ScriptedInteraction.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace orlu {
namespace {

namespace fs = std::filesystem;

// What the command line writes to its standard output.
std::string CommandOutput(const std::string& command)
{
    return fixture::RunCommand(command).out;
}

TEST(DumpView, SameLinesAsTheViewForEachKindFormAndOptions)
{
    const fs::path tools = test::ToolsDir();
    const fs::path file = test::TempPath("orlu-dumpview", ".orl");
    ASSERT_EQ(std::system(((tools / "orlu-fixture").string() + " sample " + file.string()).c_str()), 0);

    ScriptedInteraction ui;
    AppContext app(ui);
    CTmDoc doc(app);
    ASSERT_TRUE(doc.OnOpenDocument(file));
    FormRendererRegistry renderers;
    RegisterReportRenderers(renderers);

    struct Case {
        int kind;
        const char* form;
        FormChoice choice;
        int sep;
        int dec;
    };
    const Case cases[] = {
        {kViewMainResults, "text", FormChoice::Text, 0, 0},   {kViewMainResults, "table", FormChoice::Table, 2, 1},
        {kViewHeaderInfo, "text", FormChoice::Text, 0, 0},    {kViewHeaderInfo, "table", FormChoice::Table, 1, 0},
        {kViewBufferLogger, "table", FormChoice::Table, 6, 1}, {kViewHexa, "hex", FormChoice::Hex, 0, 0},
        {kViewAscii, "ascii", FormChoice::Ascii, 0, 0},
    };
    for (const Case& c : cases) {
        AppSettings settings;
        settings.SeparatorChar = static_cast<std::uint8_t>(c.sep);
        settings.DecyPoint = static_cast<std::uint8_t>(c.dec);
        MeasurementViewState view;
        OpenView(view, doc);
        FormBuilder(renderers, settings).ShowKindInForm(view, doc, static_cast<std::uint8_t>(c.kind), c.choice);
        const std::string expected = Cp1252ToUtf8(test::JoinedLines(view.ShownLines()));
        const std::string dumped = CommandOutput((tools / "orlu-dump").string() + " " + file.string() + " --view " +
                                       std::to_string(c.kind) + " --form " + c.form + " --sep " +
                                       std::to_string(c.sep) + " --dec " + std::to_string(c.dec) + " 2>/dev/null");
        EXPECT_EQ(dumped, expected) << "view " << c.kind << " " << c.form;
    }
    // The raw views are built: the hex dump and the ASCII form show the file, not a placeholder.
    const std::string dumpCommand = (tools / "orlu-dump").string() + " " + file.string();
    EXPECT_EQ(CommandOutput(dumpCommand + " --view 1 --form hex 2>/dev/null").rfind(" Offset   0  1", 0), 0u);
    EXPECT_NE(CommandOutput(dumpCommand + " --view 13 --form ascii 2>/dev/null").find("\"ASCII form of the file: "), std::string::npos);
    // A form without a table has no lines; the others show their report or say it is not built.
    EXPECT_EQ(CommandOutput((tools / "orlu-dump").string() + " " + file.string() + " --view 3 --form table 2>/dev/null"), "");
    // A kind whose graph has no data for the file says so.
    EXPECT_EQ(CommandOutput(dumpCommand + " --view 1 --form data 2>/dev/null"), "# no graph data\n");
    fs::remove(file);
}

// The Main-results table comes through the view's registry; --sci writes linear values
// of a vibration file (linear with the view's default unit choice) in scientific form.
TEST(DumpView, MainResultsTableAndItsScientificForm)
{
    const fs::path tools = test::ToolsDir();
    const fs::path file = test::TempPath("orlu-dumpsci", ".orl");
    ASSERT_EQ(std::system(((tools / "orlu-fixture").string() + " current --kind 47 --device 530 --input 5 " +
                           file.string() + " >/dev/null")
                              .c_str()),
              0);
    const std::string dump = (tools / "orlu-dump").string() + " " + file.string() + " --view 2 --form table --sep 0";
    const std::string engineering = CommandOutput(dump + " 2>/dev/null");
    const std::string scientific = CommandOutput(dump + " --sci 2>/dev/null");
    fs::remove(file);
    EXPECT_EQ(engineering.rfind("Main_results_for_vibration:\r\nDate\tStart\tProf\t", 0), 0u) << engineering;
    EXPECT_NE(engineering, scientific);
    EXPECT_NE(scientific.find("\tm/s\xC2\xB2\t"), std::string::npos) << scientific;
    // The generated peak, word 1416: 10^(1416 / 200 - 6) = 12.02 m/s2, reads 1.20e1 rather than 1.20e+001.
    EXPECT_NE(scientific.find("\t1.20e1\t"), std::string::npos) << scientific;
    EXPECT_EQ(scientific.find("e+"), std::string::npos) << scientific;
}

TEST(DumpView, LegacyBufferInTextAndTableForm)
{
    const fs::path tools = test::ToolsDir();
    const fs::path file = test::TempPath("orlu-dumpbuffer", ".orl");
    ASSERT_EQ(std::system(((tools / "orlu-fixture").string() +
                           " legacy --history 7 --buffer-levels 801,802,803,804,805,806,807! " + file.string() +
                           " >/dev/null")
                              .c_str()),
              0);
    const std::string dump = (tools / "orlu-dump").string() + " " + file.string() + " --view 7";
    const std::string text = CommandOutput(dump + " --form text 2>/dev/null");
    const std::string table = CommandOutput(dump + " --form table --sep 2 --dec 1 2>/dev/null");
    fs::remove(file);
    EXPECT_NE(text.find("     1         80.1           4         80.4           7         80.7*\r\n"
                        "     2         80.2           5         80.5 \r\n"
                        "     3         80.3           6         80.6 \r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(table.find("Buffer_contents:__-__Leq_\r\nRes_No_;Lev[dB];Res_No_;Lev[dB];Res_No_;Lev[dB]\r\n"
                         "1;80,1;4;80,4;7;80,7\r\n2;80,2;5;80,5\r\n3;80,3;6;80,6\r\n"),
              std::string::npos)
        << table;
}

TEST(DumpView, FourChannelLoggerWithTheViewsChoices)
{
    const fs::path tools = test::ToolsDir();
    const fs::path file = test::TempPath("orlu-dumplogger", ".orl");
    ASSERT_EQ(std::system(((tools / "orlu-fixture").string() +
                           " four-channel --channels 2 --rotation --logger 7 --logger-levels 1=801,802,803!"
                           " --rpm 1500,3000 --step-ms 60000 " +
                           file.string() + " >/dev/null")
                              .c_str()),
              0);
    const std::string dump = (tools / "orlu-dump").string() + " " + file.string() + " --view 7 --channels 17";
    const std::string text = CommandOutput(dump + " --form text 2>/dev/null");
    const std::string table = CommandOutput(dump + " --form table --sep 2 --dec 1 2>/dev/null");
    // Channel 1's second result, pairs of records, the block of records 1 to 4 (from 0).
    const std::string chosen = CommandOutput(dump + " --form text --result 1:1 --degree 2 --markers 1,4 2>/dev/null");
    fs::remove(file);
    EXPECT_EQ(text, fixture::Golden("four-channel-logger-rotation.txt"));
    EXPECT_EQ(table, fixture::Golden("four-channel-logger-rotation-semicolon-comma.txt"));
    EXPECT_NE(chosen.find("\r\nBlock of the Buffer contents  Channel #1:P1  -  Min (A,"), std::string::npos) << chosen;
    EXPECT_NE(chosen.find("\r\n   total number of results = 3 [aggreg.degree=2]\r\n"
                          "   number of results in the block = 3\r\n"),
              std::string::npos)
        << chosen;
    EXPECT_NE(chosen.find("\r\n   results DELTA_INT = 1 m\r\n"), std::string::npos) << chosen;
}

TEST(DumpView, LoggerGraphDataWithTheRunningTotalAndTheBlockSeries)
{
    const fs::path tools = test::ToolsDir();
    const fs::path file = test::TempPath("orlu-dumpdata", ".orl");
    // An ORLU 530 whose third profile logs its RMS.
    ASSERT_EQ(std::system(((tools / "orlu-fixture").string() +
                           " current --kind 45 --device 530 --logger 7 --logger-levels 3=700,800,900!,755,602,850,799 " +
                           file.string() + " >/dev/null")
                              .c_str()),
              0);
    const std::string data =
        CommandOutput((tools / "orlu-dump").string() + " " + file.string() +
                      " --view 7 --form data --channels 4 --totals --markers 1,4 --block-stats leq,max,min,sel 2>&1");
    fs::remove(file);
    // The block runs over records 2 to 5; its series are 0 after it.
    EXPECT_EQ(data, fixture::Golden("current-logger-graph-data-block.txt"));
}

TEST(DumpView, RefusesBadViewOptions)
{
    const fs::path tools = test::ToolsDir();
    const std::string dump = (tools / "orlu-dump").string() + " /nonexistent.orl ";
    for (const char* options : {"--form text", "--view 2 --form graph", "--view x", "--view 2 --sep 7", "--degree 2",
                                "--view 7 --form text --degree 0", "--view 7 --form text --result 6:0",
                                "--view 7 --form text --result 1", "--view 7 --form text --block-stats leq,peak"})
        EXPECT_NE(std::system((dump + options + " 2>/dev/null").c_str()), 0) << options;
}

} // namespace
} // namespace orlu
