// The picture documents from the command line: orlu-fixture bmp, orlu-dump
// --open-as emf|bmp and --save-view. The pictures stay in the build folder
// (picture-views/) for a person to look at.

#include "support/CommandRun.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

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

class PictureTools : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::path(ORLU_BINARY_DIR) / "picture-views" /
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    orlu::fixture::CommandRun Dump(const std::string& arguments) const
    {
        return RunCommand(Tool("orlu-dump") + " " + arguments + " 2>" + (dir / "stderr").string());
    }
    int Fixture(const std::string& arguments) const
    {
        return RunCommand(Tool("orlu-fixture") + " " + arguments).status;
    }
    fs::path dir;
};

TEST_F(PictureTools, BitmapViewsShowSizesLimitsAndTheWindow)
{
    ASSERT_EQ(Fixture("bmp --width 300 --height 1000 --bits 24 " + (dir / "tall.bmp").string()), 0);
    const auto tall = Dump((dir / "tall.bmp").string() + " --open-as bmp --client 400x400 --scroll page-down"
                                                         " --scroll bottom --zoom 8 --out " +
                           (dir / "tall.png").string());
    ASSERT_EQ(tall.status, kToolsPaintWithQt ? 0 : 1);
    EXPECT_EQ(tall.out, "title: tall.bmp - graph (disk file)\n"
                           "bitmap: 300 x 1000, 24 bits, info 40 bytes, bits 900000 bytes\n"
                           "window 400x400: offset 0,-600\n"
                           "print zoom 8: 0,0-2400,8000\n");
    if (kToolsPaintWithQt) {
        EXPECT_TRUE(ReadAll(dir / "tall.png").starts_with("\x89PNG"));
    }

    ASSERT_EQ(Fixture("bmp --width 100 --height 10 --bits 24 --size-image 0 " + (dir / "nosize.bmp").string()), 0);
    EXPECT_NE(Dump((dir / "nosize.bmp").string() + " --open-as bmp").out.find("bits 3120 bytes"),
              std::string::npos);
    ASSERT_EQ(Fixture("bmp --width 7 --height 5 --bits 1 --top-down " + (dir / "one.bmp").string()), 0);
    EXPECT_NE(Dump((dir / "one.bmp").string() + " --open-as bmp").out.find("bitmap: 7 x 5, 1 bits"),
              std::string::npos);
}

TEST_F(PictureTools, DamagedPicturesAreRefusedWithTheReason)
{
    ASSERT_EQ(Fixture("bmp --width 40 --height 40 --bits 8 " + (dir / "whole.bmp").string()), 0);
    const std::string whole = ReadAll(dir / "whole.bmp");
    std::ofstream(dir / "cut.bmp", std::ios::binary) << whole.substr(0, whole.size() - 100);
    std::ofstream(dir / "cut.emf", std::ios::binary) << whole;
    for (const char* name : {"cut.bmp --open-as bmp", "cut.emf --open-as emf"}) {
        SCOPED_TRACE(name);
        const auto run = Dump((dir / name).string());
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(ReadAll(dir / "stderr").find("OrluPC message: "), std::string::npos);
    }
}

TEST_F(PictureTools, SaveCurrentViewOfAGraphWritesPicturesThatReadBack)
{
    const fs::path plot = dir / "logger.plot";
    ASSERT_EQ(Fixture("plot --plot-kind 6 --points 200 --cursor 10 " + plot.string()), 0);
    ASSERT_EQ(Dump(plot.string() + " --form graph --save-view " + (dir / "view").string() + ".emf").status, 0);
    const auto emf = Dump((dir / "view.emf").string() + " --open-as emf --client 800x600 --zoom 8 --out " +
                          (dir / "view.png").string());
    ASSERT_EQ(emf.status, kToolsPaintWithQt ? 0 : 1);
    EXPECT_NE(emf.out.find("window 800x600: picture at 24,30-708,588\n"), std::string::npos);
    EXPECT_NE(emf.out.find("print zoom 8: 0,0-4096,2048\n"), std::string::npos);
    // Another program reads the metafile.
    if (std::system("command -v emf2svg-conv >/dev/null 2>&1") == 0) {
        ASSERT_EQ(RunCommand("emf2svg-conv -i " + (dir / "view.emf").string() + " -o " + (dir / "view.svg").string())
                      .status,
                  0);
        EXPECT_NE(ReadAll(dir / "view.svg").find("<svg"), std::string::npos);
    }
    if (!kToolsPaintWithQt)
        return;
    ASSERT_EQ(Dump(plot.string() + " --form graph --save-view " + (dir / "view.BMP").string()).status, 0);
    EXPECT_NE(Dump((dir / "view.BMP").string() + " --open-as bmp").out.find("24 bits"), std::string::npos);
}

TEST_F(PictureTools, SaveCurrentViewOfTextAndTableFormsWritesTheirLines)
{
    const fs::path file = dir / "sample.orl";
    ASSERT_EQ(Fixture("sample " + file.string()), 0);
    for (const char* form : {"--view 2 --form text", "--view 4 --form table"}) {
        SCOPED_TRACE(form);
        const auto shown = Dump(file.string() + " " + form);
        ASSERT_EQ(shown.status, 0);
        ASSERT_NE(shown.out.find("\r\n"), std::string::npos);
        const fs::path saved = dir / "view.txt";
        ASSERT_EQ(Dump(file.string() + " " + form + " --save-view " + saved.string()).status, 0);
        EXPECT_EQ(ReadAll(saved), shown.out);
    }
    // A text form is no picture.
    EXPECT_NE(Dump(file.string() + " --view 2 --form text --save-view " + (dir / "view.emf").string()).status, 0);
    EXPECT_FALSE(fs::exists(dir / "view.emf"));
}

} // namespace
