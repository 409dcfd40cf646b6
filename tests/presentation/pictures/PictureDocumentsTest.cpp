#include "presentation/pictures/BitmapDocument.h"
#include "presentation/pictures/MetafileDocument.h"

#include "platform/FileIo.h"
#include "platform/canvas/LittleEndian.h"
#include "presentation/AppSettings.h"
#include "presentation/DocTemplateTable.h"
#include "presentation/DocumentManager.h"
#include "presentation/RecentFileList.h"
#include "support/BmpFixture.h"
#include "support/EmfBuilder.h"
#include "support/ScratchFolder.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes SmallMetafile()
{
    fixture::EmfBuilder emf;
    emf.Record(emf::kMoveToEx, {10, 10});
    emf.Record(emf::kLineTo, {90, 90});
    return emf.Finish();
}

void WriteBytes(const fs::path& path, const Bytes& bytes) { ASSERT_TRUE(WriteFileAtomically(path, bytes)); }

// The application's side of the picture documents, with a Save As dialog that answers from a list.
struct PictureApp {
    ScriptedInteraction ui;
    AppContext context{ui};
    AppSettings settings;
    RecentFileList recent;
    std::vector<SaveAsPrompt> prompts;
    std::vector<std::string> answers; // the paths the dialog gives, "" for Cancel
    SaveAsFlow saveAs{ui, settings, &recent, [this](const SaveAsPrompt& p) {
                          prompts.push_back(p);
                          if (answers.empty())
                              return std::string();
                          std::string next = answers.front();
                          answers.erase(answers.begin());
                          return next;
                      }};
    PictureHandOver handOver;
    DocumentManager manager{ui};

    PictureApp()
    {
        manager.RegisterTemplate(kMetafileDocTemplate, [this] {
            return std::make_unique<MetafileDocument>(PictureServices{context, saveAs, handOver});
        });
        manager.RegisterTemplate(kBitmapDocTemplate, [this] {
            return std::make_unique<BitmapDocument>(PictureServices{context, saveAs, handOver});
        });
    }
};

TEST(PictureDocuments, DamagedFilesAreRefusedWithTheReaderMessageAndNoDocument)
{
    test::ScratchFolder folder;
    Bytes cutBmp = fixture::BuildBmp({.width = 20, .height = 20});
    cutBmp.resize(cutBmp.size() / 2);
    Bytes cutEmf = SmallMetafile();
    cutEmf.resize(cutEmf.size() - 20); // the end record is gone
    Bytes notBmp(200, 'x');
    const std::pair<const char*, Bytes> files[] = {{"cut.bmp", cutBmp}, {"cut.EMF", cutEmf}, {"text.bmp", notBmp}};
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        PictureApp app;
        const fs::path path = folder.Path() / name;
        WriteBytes(path, bytes);
        EXPECT_EQ(app.manager.OpenDocumentFile(path.string()), nullptr);
        EXPECT_TRUE(app.manager.AllDocuments().empty());
        ASSERT_EQ(app.ui.Messages().size(), 1u);
        const std::string message = app.ui.Messages()[0];
        EXPECT_TRUE(message.starts_with(path.string() + "\n\n")) << message;
        EXPECT_GT(message.size(), path.string().size() + 2) << "the reader's reason is missing";
    }
}

TEST(PictureDocuments, FilesFromDiskCloseWithoutAQuestion)
{
    test::ScratchFolder folder;
    PictureApp app;
    WriteBytes(folder.Path() / "graph.emf", SmallMetafile());
    WriteBytes(folder.Path() / "README", fixture::BuildBmp({.width = 4, .height = 4}));
    ManagedDocument* emf = app.manager.OpenDocumentFile((folder.Path() / "graph.emf").string());
    ASSERT_NE(emf, nullptr);
    EXPECT_EQ(emf->Title(), "graph.emf - graph (disk file)");
    // A file name without '.' is still a file from disk.
    auto bmp = std::make_unique<BitmapDocument>(PictureServices{app.context, app.saveAs, app.handOver});
    ASSERT_TRUE(bmp->OpenDocument((folder.Path() / "README").string()));
    EXPECT_EQ(bmp->Title(), "README - graph (disk file)");
    EXPECT_TRUE(bmp->SaveModified());
    EXPECT_TRUE(app.manager.CloseDocument(*emf));
    EXPECT_TRUE(app.ui.Questions().empty());
}

TEST(PictureDocuments, ABitmapWithoutImageSizeGetsTheRowsItNeeds)
{
    test::ScratchFolder folder;
    PictureApp app;
    const fs::path path = folder.Path() / "nosize.bmp";
    WriteBytes(path, fixture::BuildBmp({.width = 100, .height = 10, .bits = 24, .sizeImageZero = true}));
    auto* doc = dynamic_cast<BitmapDocument*>(app.manager.OpenDocumentFile(path.string()));
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->Picture().bits.size(), 13u * 10u * 24u);
    EXPECT_EQ(GetLe32(doc->Picture().info, 20), 3120u); // carried by a later save
    ASSERT_TRUE(doc->Image());
    EXPECT_EQ(doc->Image()->At(99, 9), fixture::BmpFixtureColour(99, 9));
    EXPECT_EQ(doc->Image()->At(0, 0), fixture::BmpFixtureColour(0, 0));
}

TEST(PictureDocuments, SavedPicturesReadBackTheSame)
{
    test::ScratchFolder folder;
    PictureApp app;
    const fs::path source = folder.Path() / "in.bmp";
    WriteBytes(source, fixture::BuildBmp({.width = 33, .height = -7, .bits = 8, .topDown = true}));
    auto* doc = dynamic_cast<BitmapDocument*>(app.manager.OpenDocumentFile(source.string()));
    ASSERT_NE(doc, nullptr);
    app.answers = {(folder.Path() / "OUT.BMP").string()};
    doc->OnFileSaveAs();
    ASSERT_TRUE(doc->LastSaveOk());
    EXPECT_EQ(doc->PathName(), (folder.Path() / "OUT.BMP").string()); // upper case extension kept
    EXPECT_EQ(doc->Title(), "OUT.BMP - graph (disk file)");
    EXPECT_EQ(app.recent.First(), doc->PathName());
    EXPECT_EQ(app.settings.OutputPath, folder.Path().string());

    auto again = std::make_unique<BitmapDocument>(PictureServices{app.context, app.saveAs, app.handOver});
    ASSERT_TRUE(again->OpenDocument(doc->PathName()));
    EXPECT_EQ(again->Picture(), doc->Picture());
    EXPECT_EQ(*again->Image(), *doc->Image());
}

TEST(PictureDocuments, ANewMetafileDocumentTakesTheHandOverAndSavesItsBytesDirectly)
{
    test::ScratchFolder folder;
    PictureApp app;
    app.settings.OutputPath = folder.Path().string();
    const Bytes picture = SmallMetafile();
    app.handOver.metafile = picture;
    ManagedDocument* made = app.manager.NewDocument(kMetafileDocTemplate, false);
    ASSERT_NE(made, nullptr);
    EXPECT_FALSE(app.handOver.metafile);
    EXPECT_EQ(made->Title(), "View1 - graph (EMF view copy)");
    auto* doc = static_cast<MetafileDocument*>(made);

    // A hidden document saves without a question as it closes.
    doc->SetSaveOnClose();
    app.answers = {(folder.Path() / "saved").string()};
    const fs::path cwdBefore = fs::current_path();
    fs::current_path(folder.Path());
    EXPECT_TRUE(app.manager.CloseDocument(*doc));
    fs::current_path(cwdBefore);
    ASSERT_EQ(app.prompts.size(), 1u);
    EXPECT_EQ(app.prompts[0].proposedName, "View1.emf");
    EXPECT_EQ(app.prompts[0].defaultSuffix, "emf");
    EXPECT_EQ(app.prompts[0].filter, "Graphic Files (*.emf *.EMF)");
    EXPECT_EQ(app.prompts[0].folder, folder.Path().string());
    EXPECT_EQ(ReadWholeFile(folder.Path() / "saved.emf"), picture);
    // Nothing but the saved file: no scratch metafile in the current folder.
    EXPECT_EQ(folder.FileCount(), 1u);
    EXPECT_TRUE(app.ui.Questions().empty());
}

TEST(PictureDocuments, NoHandedOverPictureMakesNoDocument)
{
    PictureApp app;
    EXPECT_EQ(app.manager.NewDocument(kMetafileDocTemplate, true), nullptr);
    EXPECT_EQ(app.manager.NewDocument(kBitmapDocTemplate, true), nullptr);
    EXPECT_TRUE(app.manager.AllDocuments().empty());
    // A bitmap handed over once is taken once.
    app.handOver.bitmap = ImageToDib(RgbImage(3, 2, 0x123456));
    ASSERT_NE(app.manager.NewDocument(kBitmapDocTemplate, true), nullptr);
    EXPECT_FALSE(app.handOver.bitmap);
    EXPECT_EQ(app.manager.NewDocument(kBitmapDocTemplate, true), nullptr);
}

TEST(PictureDocuments, ANewDocumentAsksUntilSavedRefusedOrCancelled)
{
    PictureApp app;
    app.handOver.bitmap = ImageToDib(RgbImage(3, 2));
    auto* doc = static_cast<PictureDocument*>(app.manager.NewDocument(kBitmapDocTemplate, true));
    ASSERT_NE(doc, nullptr);
    doc->SetNewDocFlag();
    app.context.UnsavedDocumentCount = 1;
    const std::string question = "Save View1 - graph (BMP view copy)?";

    // Cancel keeps it open and stops a close-all.
    app.ui.ExpectQuestion(question, QuestionAnswer::Cancel);
    EXPECT_FALSE(app.manager.CloseDocument(*doc));
    EXPECT_TRUE(app.context.CloseAll.Cancelled);

    // Yes with the Save As cancelled asks again; No then closes it unsaved.
    app.context.CloseAll.Cancelled = false;
    app.ui.ExpectQuestion(question, QuestionAnswer::Yes).ExpectQuestion(question, QuestionAnswer::No);
    EXPECT_TRUE(app.manager.CloseDocument(*doc));
    EXPECT_EQ(app.prompts.size(), 1u);
    EXPECT_EQ(app.context.UnsavedDocumentCount, 0);
}

TEST(PictureDocuments, AnUnwritableTargetIsReportedAndKeepsTheOldFile)
{
    test::ScratchFolder folder;
    PictureApp app;
    const fs::path target = folder.Path() / "old.bmp";
    const Bytes old = fixture::BuildBmp({.width = 2, .height = 2});
    WriteBytes(target, old);
    app.handOver.bitmap = ImageToDib(RgbImage(400, 400));
    auto* doc = static_cast<PictureDocument*>(app.manager.NewDocument(kBitmapDocTemplate, true));
    ASSERT_NE(doc, nullptr);
    app.answers = {target.string(), (folder.Path() / "no-such-folder" / "x.bmp").string()};
    {
        test::FileSizeLimit full(4096);
        doc->OnFileSaveAs();
    }
    EXPECT_FALSE(doc->LastSaveOk());
    doc->OnFileSaveAs();
    EXPECT_FALSE(doc->LastSaveOk());
    EXPECT_EQ(ReadWholeFile(target), old);
    ASSERT_EQ(app.ui.Messages().size(), 2u);
    EXPECT_TRUE(app.ui.Messages()[0].starts_with("Failed to save document.\n"));
    EXPECT_TRUE(doc->NotFromDisk());
    EXPECT_TRUE(app.recent.Entries().empty());
}

TEST(PictureDocuments, TitlesFitTheFrame)
{
    PictureApp app;
    MetafileDocument doc({app.context, app.saveAs, app.handOver});
    doc.SetTitle(std::string(80, 'a'));
    EXPECT_EQ(doc.Title().size(), PictureDocument::kMaxTitle);
    EXPECT_TRUE(doc.Title().ends_with(" - graph (EMF view copy)"));
}

struct NameCase {
    int templateId;
    const char* chosen;
    const char* expected;
};

TEST(SaveAsFlow, ChosenNamesGetTheTemplateExtensionOnlyWhenTheyHaveNone)
{
    const NameCase cases[] = {
        {kMetafileDocTemplate, "/d/pic", "/d/pic.emf"},
        {kMetafileDocTemplate, "/d/PIC.EMF", "/d/PIC.EMF"},
        {kBitmapDocTemplate, "/d/pic.Bmp", "/d/pic.Bmp"},
        {kBitmapDocTemplate, "/d/pic.png", "/d/pic.png"},
        {kTextDocTemplate, "/d/notes", "/d/notes.txt"},
        {kBitmapDocTemplate, "", ""},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.chosen);
        EXPECT_EQ(CompleteSaveName(c.templateId, c.chosen), c.expected);
    }
}

TEST(SaveAsFlow, ThePromptOffersTheTitleBeforeItsFirstBlankOrTheFileName)
{
    SaveAsPrompt fresh = MakeSaveAsPrompt(kBitmapDocTemplate, {}, "View2 - graph (BMP view copy)", "/out");
    EXPECT_EQ(fresh.proposedName, "View2.bmp");
    EXPECT_EQ(fresh.folder, "/out");
    EXPECT_EQ(fresh.filter, "Graphic Files (*.bmp *.BMP)");
    SaveAsPrompt fromDisk = MakeSaveAsPrompt(kMetafileDocTemplate, "/data/a b.emf", "a b.emf - graph", "/out");
    EXPECT_EQ(fromDisk.proposedName, "a b.emf");
    EXPECT_EQ(fromDisk.folder, "/data");
    EXPECT_EQ(MakeSaveAsPrompt(kTextDocTemplate, {}, "R#1;x", "").proposedName, "R.txt");
}

} // namespace
} // namespace orlu
