#include "presentation/pictures/ViewExport.h"

#include "document/LineList.h"
#include "platform/FileIo.h"
#include "platform/canvas/EmfPlayer.h"
#include "platform/canvas/RecordingCanvas.h"
#include "presentation/AppSettings.h"
#include "presentation/DocTemplateTable.h"
#include "presentation/RecentFileList.h"
#include "presentation/pictures/BitmapDocument.h"
#include "presentation/pictures/MetafileDocument.h"
#include "support/ScratchFolder.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orlu {
namespace {

namespace fs = std::filesystem;

struct ExportApp {
    ScriptedInteraction ui;
    AppContext context{ui};
    AppSettings settings;
    RecentFileList recent;
    std::vector<std::string> answers;
    int prompts = 0;
    SaveAsFlow saveAs{ui, settings, &recent, [this](const SaveAsPrompt&) {
                          ++prompts;
                          std::string next = answers.empty() ? std::string() : answers.front();
                          if (!answers.empty())
                              answers.erase(answers.begin());
                          return next;
                      }};
    PictureHandOver handOver;
    DocumentManager manager{ui};

    ExportApp()
    {
        manager.RegisterTemplate(kMetafileDocTemplate, [this] {
            return std::make_unique<MetafileDocument>(PictureServices{context, saveAs, handOver});
        });
        manager.RegisterTemplate(kBitmapDocTemplate, [this] {
            return std::make_unique<BitmapDocument>(PictureServices{context, saveAs, handOver});
        });
    }
};

// A graph with a cursor drawn in XOR: drawn twice, it would vanish from the screen picture.
GraphPictureSource CursorGraph(int* paints)
{
    GraphPictureSource source;
    source.paint = [paints](Canvas& canvas) {
        ++*paints;
        canvas.Rectangle(0, 0, 200, 100);
        const RasterOp old = canvas.SetRasterOp(RasterOp::Xor);
        canvas.Line(50, 0, 50, 100);
        canvas.SetRasterOp(old);
    };
    source.capture = [] {
        RgbImage image(64, 32);
        image.Set(5, 5, 0xFF0000);
        return std::optional<RgbImage>(image);
    };
    return source;
}

int CursorLines(const std::vector<std::uint8_t>& emf)
{
    EmfPlayer player;
    EXPECT_TRUE(player.Load(emf));
    RecordingCanvas canvas;
    player.Play(canvas, player.PictureRect());
    return static_cast<int>(std::count_if(canvas.Lines().begin(), canvas.Lines().end(), [](const std::string& line) {
        return line.starts_with("line ") && line.find("rop=xor") != std::string::npos;
    }));
}

TEST(ViewExport, FileNewOfAGraphMakesAMetafileWindowWithTheCursorOnce)
{
    ExportApp app;
    int paints = 0;
    ManagedDocument* made = ExportGraphPicture(PictureFormat::Metafile, false, CursorGraph(&paints), app.manager,
                                               app.context, app.handOver);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(CursorLines(static_cast<MetafileDocument*>(made)->Bytes()), 1);
    EXPECT_EQ(app.context.UnsavedDocumentCount, 1);
    EXPECT_FALSE(app.handOver.metafile);
    // It asks before it closes.
    app.ui.ExpectQuestion("Save View1 - graph (EMF view copy)?", QuestionAnswer::No);
    EXPECT_TRUE(app.manager.CloseDocument(*made));
    EXPECT_EQ(app.context.UnsavedDocumentCount, 0);
}

TEST(ViewExport, SaveCurrentViewWritesTheFileWithoutAWindow)
{
    test::ScratchFolder folder;
    ExportApp app;
    int paints = 0;
    app.answers = {(folder.Path() / "graph").string(), (folder.Path() / "shot.BMP").string()};
    EXPECT_EQ(ExportGraphPicture(PictureFormat::Metafile, true, CursorGraph(&paints), app.manager, app.context,
                                 app.handOver),
              nullptr);
    EXPECT_EQ(ExportGraphPicture(PictureFormat::Bitmap, true, CursorGraph(&paints), app.manager, app.context,
                                 app.handOver),
              nullptr);
    EXPECT_TRUE(app.manager.AllDocuments().empty());
    EXPECT_TRUE(app.ui.Questions().empty());
    EXPECT_EQ(app.prompts, 2);
    const auto emf = ReadWholeFile(folder.Path() / "graph.emf");
    ASSERT_TRUE(emf);
    EXPECT_EQ(CursorLines(*emf), 1);
    const auto bmp = ReadWholeFile(folder.Path() / "shot.BMP");
    ASSERT_TRUE(bmp);
    const auto picture = DecodeBmpFile(*bmp);
    ASSERT_TRUE(picture);
    const auto image = DibToImage(*picture);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 64);
    EXPECT_EQ(image->At(5, 5), 0xFF0000u);
    EXPECT_EQ(app.context.UnsavedDocumentCount, 0);
}

TEST(ViewExport, ACancelledChoiceOrAFailedCaptureMakesNothing)
{
    test::ScratchFolder folder;
    ExportApp app;
    int paints = 0;
    GraphPictureSource source = CursorGraph(&paints);
    EXPECT_EQ(ExportGraphPicture(PictureFormat::None, false, source, app.manager, app.context, app.handOver),
              nullptr);
    EXPECT_EQ(paints, 0);
    // An earlier picture is not shown in place of a capture that failed.
    app.handOver.bitmap = ImageToDib(RgbImage(2, 2));
    source.capture = [] { return std::optional<RgbImage>(); };
    EXPECT_EQ(ExportGraphPicture(PictureFormat::Bitmap, false, source, app.manager, app.context, app.handOver),
              nullptr);
    EXPECT_FALSE(app.handOver.bitmap);
    EXPECT_TRUE(app.manager.AllDocuments().empty());
    EXPECT_EQ(app.prompts, 0);
    EXPECT_EQ(folder.FileCount(), 0u);
}

TEST(ViewExport, FormLinesAreWrittenAsUtf8WithCrLf)
{
    LineList lines;
    std::string line = "L\xB2 m/s\xB2";
    ASSERT_TRUE(AddLine(lines, line, nullptr));
    line = "plain";
    ASSERT_TRUE(AddUnterminatedLine(lines, line, nullptr));
    const auto bytes = EncodeFormLines(lines);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "L\xC2\xB2 m/s\xC2\xB2\r\nplain\r\n");
}

} // namespace
} // namespace orlu
