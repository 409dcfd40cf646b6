#include "presentation/dialogs/TargetPathModel.h"

#include "support/ScratchFolder.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <fstream>

namespace orlu {
namespace {

namespace fs = std::filesystem;

std::tm At(int year, int month, int day, int hour, int minute)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    return t;
}

struct FolderDialog {
    test::ScratchFolder scratch;
    fs::path root = scratch.Path();
    ScriptedInteraction ui;
    std::tm now = At(2009, 12, 31, 23, 59);
    TargetPathModel model{ui, [this] { return now; }, {root}};
    TargetPathOptions options{false, false, false, 3, "mine", "NewFolder"};

    void Open(const fs::path& start) { model.Open("Select TARGET PATH for Save As", start.string(), options); }
    int Child(int parent, const std::string& name)
    {
        for (int c : model.At(parent).children)
            if (model.At(c).name == name)
                return c;
        return -1;
    }
};

TEST(TargetPathText, LongPathsKeepTheirStartAndATailFromASlash)
{
    const std::string seventy = "/home/user/measurements/2009/december/site-a/morning/x/final-results";
    ASSERT_EQ(seventy.size(), 68u);
    const std::string path70 = seventy + "ab";
    EXPECT_EQ(ShortenPathText(path70), "/ho.../2009/december/site-a/morning/x/final-resultsab");
    EXPECT_EQ(ShortenPathText(std::string(65, 'a')), std::string(65, 'a'));
    // No '/' among the tail's first 30 characters: only the last 29 remain.
    const std::string noSlash = "/" + std::string(80, 'b');
    EXPECT_EQ(ShortenPathText(noSlash), "/bb..." + std::string(29, 'b'));
}

TEST(TargetPathNames, DateAndTimeAndUniqueDefaultNames)
{
    EXPECT_EQ(DateTimeFolderName(At(2009, 12, 31, 23, 59)), "091231_23h59");
    EXPECT_EQ(DateTimeFolderName(At(2000, 1, 2, 3, 4)), "000102_03h04");

    test::ScratchFolder folder;
    EXPECT_EQ(UniqueFolderName(folder.Path(), "NewFolder"), "NewFolder");
    fs::create_directory(folder.Path() / "NewFolder");
    EXPECT_EQ(UniqueFolderName(folder.Path(), "NewFolder"), "NewFolder(2)");
    fs::create_directory(folder.Path() / "NewFolder(4)");
    fs::create_directory(folder.Path() / "NewFolder(x)");
    fs::create_directory(folder.Path() / "newfolder(9)"); // the base is compared with its case
    fs::create_directory(folder.Path() / "NewFolder(7)b");
    EXPECT_EQ(UniqueFolderName(folder.Path(), "NewFolder"), "NewFolder(5)");
}

TEST(TargetPathDialog, OpensAtTheDeepestExistingFolderOfThePath)
{
    FolderDialog d;
    fs::create_directories(d.root / "DATA" / "2009");
    fs::create_directories(d.root / "DATA" / "2010");
    d.Open(d.root / "DATA" / "2009");
    EXPECT_EQ(d.model.CurrentPath(), (d.root / "DATA" / "2009").string());
    const int data = d.Child(d.model.Roots()[0], "DATA");
    ASSERT_GE(data, 0);
    EXPECT_EQ(d.model.At(data).children.size(), 2u);
    EXPECT_TRUE(d.model.FolderCommandsEnabled());

    d.Open(d.root / "DATA" / "gone" / "deeper");
    EXPECT_EQ(d.model.CurrentPath(), (d.root / "DATA").string());
    // A root stands for a drive: no rename or delete there.
    d.model.Select(d.model.Roots()[0]);
    EXPECT_FALSE(d.model.FolderCommandsEnabled());
}

TEST(TargetPathDialog, SymbolicLinksAreNeverFollowed)
{
    FolderDialog d;
    fs::create_directories(d.root / "a" / "b");
    fs::create_directory_symlink(d.root, d.root / "a" / "b" / "loop");
    fs::create_directory_symlink(d.root / "a", d.root / "a" / "up");
    d.Open(d.root / "a");
    const int a = d.model.Selected();
    ASSERT_EQ(d.model.At(a).children.size(), 1u); // "b" only, not the link
    const int b = d.model.At(a).children[0];
    EXPECT_FALSE(d.model.At(b).hasChildren);
    d.model.Expand(b);
    EXPECT_TRUE(d.model.At(b).children.empty());
    // A start path through a link opens where the real folders end.
    d.Open(d.root / "a" / "up" / "b");
    EXPECT_EQ(d.model.CurrentPath(), (d.root / "a").string());
}

TEST(TargetPathDialog, DefaultNamesAreMadeAtOnceAndUnique)
{
    FolderDialog d;
    fs::create_directory(d.root / "NewFolder");
    d.Open(d.root);
    d.model.CreateSubfolder();
    EXPECT_TRUE(fs::is_directory(d.root / "NewFolder(2)"));
    EXPECT_EQ(d.model.CurrentPath(), (d.root / "NewFolder(2)").string());

    d.model.Select(d.model.Roots()[0]);
    d.model.SetLeaveFocusOnParent(true);
    d.model.CreateSubfolder();
    EXPECT_TRUE(fs::is_directory(d.root / "NewFolder(3)"));
    EXPECT_EQ(d.model.CurrentPath(), d.root.string());
    EXPECT_TRUE(d.ui.Messages().empty());
}

TEST(TargetPathDialog, EditedAndDateNamesAreMadeWhenTheEditEnds)
{
    FolderDialog d;
    d.Open(d.root);
    d.model.SetNaming(2);
    EXPECT_EQ(d.model.NamingText(2), "date and time \"091231_23h59\"");
    EXPECT_EQ(d.model.NamingText(3), "default name \"NewFolder\"");
    d.model.CreateSubfolder();
    ASSERT_GE(d.model.EditItem(), 0);
    EXPECT_EQ(d.model.EditText(), "091231_23h59");
    EXPECT_FALSE(fs::exists(d.root / "091231_23h59")); // not before the edit ends
    EXPECT_FALSE(d.model.Ok("091231_23h59"));         // OK ends the edit and stays open
    EXPECT_TRUE(fs::is_directory(d.root / "091231_23h59"));
    EXPECT_EQ(d.model.CurrentPath(), (d.root / "091231_23h59").string());

    d.model.Select(d.model.Roots()[0]);
    d.model.SetNaming(1);
    d.model.CreateSubfolder();
    d.model.EndLabelEdit(std::string("typed\nsecond line"));
    EXPECT_TRUE(fs::is_directory(d.root / "typed"));
    EXPECT_EQ(d.model.Options().editedName, "typed");
}

TEST(TargetPathDialog, BadNamesAreRefusedWithTheirMessage)
{
    FolderDialog d;
    fs::create_directory(d.root / "taken");
    fs::create_directory(d.root / "other");
    d.Open(d.root);
    const int root = d.model.Roots()[0];
    d.model.SetNaming(1);
    for (const std::string& name : {std::string(), std::string("."), std::string(".."), std::string("a/b"),
                                    std::string(256, 'n'), std::string("taken")}) {
        SCOPED_TRACE(name);
        d.model.Select(root);
        d.model.CreateSubfolder();
        d.model.EndLabelEdit(name);
        EXPECT_EQ(d.model.At(root).children.size(), 2u); // the new item is gone again
    }
    EXPECT_EQ(d.ui.Messages(), std::vector<std::string>(6, TargetPathModel::kCreateFailed));

    // Renaming onto an existing (empty) folder must not replace it.
    d.model.Select(d.Child(root, "other"));
    d.model.RenameFolder();
    d.model.EndLabelEdit(std::string("taken"));
    EXPECT_TRUE(fs::is_directory(d.root / "other"));
    EXPECT_EQ(d.ui.Messages().back(), TargetPathModel::kRenameFailed);
    d.model.RenameFolder();
    d.model.EndLabelEdit(std::string("renamed"));
    EXPECT_TRUE(fs::is_directory(d.root / "renamed"));
    EXPECT_EQ(d.model.CurrentPath(), (d.root / "renamed").string());
}

TEST(TargetPathDialog, DeletingKeepsNonEmptyFoldersAndMovesTheSelection)
{
    FolderDialog d;
    fs::create_directories(d.root / "full");
    std::ofstream(d.root / "full" / "data.orl") << "x";
    fs::create_directories(d.root / "p" / "only");
    d.Open(d.root / "full");
    d.model.DeleteFolder();
    EXPECT_TRUE(fs::exists(d.root / "full" / "data.orl"));
    EXPECT_EQ(d.ui.Messages(), std::vector<std::string>{TargetPathModel::kDeleteFailed});

    d.Open(d.root / "p" / "only");
    d.model.DeleteFolder();
    EXPECT_FALSE(fs::exists(d.root / "p" / "only"));
    EXPECT_EQ(d.model.CurrentPath(), (d.root / "p").string());
    EXPECT_FALSE(d.model.At(d.model.Selected()).hasChildren);
}

TEST(TargetPathDialog, CancelEndsAnEditFirstThenRestoresEverything)
{
    FolderDialog d;
    fs::create_directory(d.root / "start");
    fs::create_directory(d.root / "elsewhere");
    d.Open(d.root / "start");
    const int root = d.model.Roots()[0];
    d.model.Select(d.Child(root, "elsewhere"));
    d.model.SetKeepUnchanged(true);
    d.model.SetNaming(1);
    d.model.CreateSubfolder();
    EXPECT_FALSE(d.model.Cancel()); // the new item goes, the dialog stays
    EXPECT_EQ(d.model.EditItem(), -1);
    EXPECT_TRUE(d.model.At(d.Child(root, "elsewhere")).children.empty());
    EXPECT_TRUE(d.model.Cancel());
    EXPECT_EQ(d.model.ResultPath(), (d.root / "start").string());
    EXPECT_EQ(d.model.Options(), d.options);

    d.Open(d.root / "start");
    d.model.Select(d.Child(root, "elsewhere"));
    EXPECT_TRUE(d.model.Ok(""));
    EXPECT_EQ(d.model.ResultPath(), (d.root / "elsewhere").string());
}

} // namespace
} // namespace orlu
