// The unit-files dialog without its window: enabling, the three texts, the
// handlers, typed names and the result each way out of the dialog gives, and
// the selection it leaves in the directory for the transfers.

#include "presentation/UnitFilesDialogModel.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

UnitDirEntry Entry(std::string name, std::uint8_t type, std::uint32_t size = 10, std::uint32_t item = 0)
{
    std::array<std::uint8_t, 32> raw{};
    std::fill(raw.begin(), raw.begin() + 8, ' ');
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 8), raw.begin());
    raw[8] = type;
    for (int i = 0; i < 4; ++i) {
        raw[12 + i] = static_cast<std::uint8_t>(size >> (8 * i));
        raw[16 + i] = static_cast<std::uint8_t>(item >> (8 * i));
    }
    return UnitDirEntry(std::span<const std::uint8_t, 32>(raw));
}

UnitDirEntry Erased()
{
    return Entry(std::string("\0X", 2), 1);
}

/// A dialog on a directory known beforehand; the hooks count their calls.
struct Dialog {
    ScriptedInteraction ui;
    CUnitDirectory dir;
    UnitFilesChoices choices;
    int directoryReads = 0;
    int headerReads = 0;
    bool asciiChosen = true;
    UnitFilesDialogModel model;

    Dialog(std::uint8_t selector, std::vector<UnitDirEntry> entries, UnitFilesChoices start = {})
        : choices(start), model(ui, dir, selector, choices, "/data/orlu",
                                {[this] { ++directoryReads; return true; }, [this] { ++headerReads; return true; },
                                 [this] { return asciiChosen; }})
    {
        dir.Assign(std::move(entries));
        model.InitDialog();
    }
    std::vector<std::size_t> SelectedEntries() { return dir.GetSelectedEntries(); }
    std::vector<std::string> Shown() const { return model.ListTexts(); }
};

std::vector<UnitDirEntry> Files()
{
    return {Entry("L01", 1, 40, 1000), Erased(), Entry("B02", 1, 5, 1001), Entry("A03", 4, 7, 1002)};
}

TEST(UnitFilesDialogModelTest, EnablingFollowsTheListTheSelectionAndMultichoice)
{
    struct Case {
        const char* what;
        std::vector<UnitDirEntry> entries;
        bool multichoice;
        std::vector<std::size_t> select; ///< list positions
        std::string typed;
        UnitFilesEnabling expected;
        std::string selectedText;
    };
    UnitFilesEnabling none;
    UnitFilesEnabling listed = none;
    listed.list = listed.selectAll = listed.deselectAll = listed.details = listed.moreDetails = listed.multichoice =
        true;
    UnitFilesEnabling chosenMulti = listed;
    chosenMulti.open = chosenMulti.download = chosenMulti.asciiDownload = chosenMulti.deleteFiles =
        chosenMulti.merge = true;
    UnitFilesEnabling listedSingle = listed;
    listedSingle.fileName = true;
    UnitFilesEnabling chosenSingle = chosenMulti;
    chosenSingle.merge = false;
    chosenSingle.fileName = true;
    UnitFilesEnabling emptySingle = none;
    emptySingle.fileName = true;

    const Case cases[] = {
        {"empty directory", {Erased()}, true, {}, "", none, "Number of selected files: 0"},
        {"empty directory, a typed name", {}, false, {}, "L01", emptySingle, "Number of selected files: 1"},
        {"nothing chosen", Files(), true, {}, "", listed, "Number of selected files: 0"},
        {"two lines chosen", Files(), true, {0, 2}, "", chosenMulti, "Number of selected files: 2"},
        {"single choice, nothing typed", Files(), false, {}, "", listedSingle, "Number of selected files: 0"},
        {"single choice, a typed name", Files(), false, {}, "X", chosenSingle, "Number of selected files: 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UnitFilesChoices start;
        start.multichoice = c.multichoice;
        Dialog d(3, c.entries, start);
        for (std::size_t p : c.select)
            d.model.OnSelectionChange(c.select, p);
        if (!c.typed.empty())
            d.model.SetFileName(c.typed);
        EXPECT_EQ(d.model.Enabling(), c.expected);
        EXPECT_EQ(d.model.SelectedText(), c.selectedText);
    }
}

TEST(UnitFilesDialogModelTest, TextsOfTheDialog)
{
    Dialog empty(3, {Erased()});
    EXPECT_EQ(empty.Shown(), std::vector<std::string>{"No files found !"});
    EXPECT_EQ(empty.model.TotalText(), "Total number of files: 0");

    Dialog d(3, Files());
    EXPECT_EQ(d.Shown(), (std::vector<std::string>{"L01<l>", "B02<l>", "A03<d>"}));
    EXPECT_EQ(d.model.TotalText(), "Total number of files: 3");
    EXPECT_EQ(d.model.WidestLine(), 6u);
    EXPECT_EQ(d.model.TargetPathButtonText(), "/data/orlu");
    // The directory was read before (Assign): the dialog reads nothing itself.
    EXPECT_EQ(d.directoryReads, 0);
}

TEST(UnitFilesDialogModelTest, ButtonsEndTheDialogWithTheirResultAndTheSelectionByEntry)
{
    struct Case {
        const char* what;
        std::function<bool(UnitFilesDialogModel&)> press;
        bool ended;
        UnitFilesResult result;
    };
    const Case cases[] = {
        {"Open", [](UnitFilesDialogModel& m) { return m.OnButton(UnitFilesResult::OpenButton); }, true,
         UnitFilesResult::OpenButton},
        {"Download", [](UnitFilesDialogModel& m) { return m.OnButton(UnitFilesResult::Download); }, true,
         UnitFilesResult::Download},
        {"Merge", [](UnitFilesDialogModel& m) { return m.OnButton(UnitFilesResult::Merge); }, true,
         UnitFilesResult::Merge},
        {"Delete", [](UnitFilesDialogModel& m) { return m.OnButton(UnitFilesResult::Delete); }, true,
         UnitFilesResult::Delete},
        {"ASCII download", [](UnitFilesDialogModel& m) { return m.OnAsciiDownload(); }, true,
         UnitFilesResult::AsciiDownload},
        {"OK (hidden)", [](UnitFilesDialogModel& m) { return m.OnOK(); }, true, UnitFilesResult::Open},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UnitFilesChoices sorted;
        sorted.sortByNames = true;
        Dialog d(3, Files(), sorted);
        ASSERT_EQ(d.Shown(), (std::vector<std::string>{"A03<d>", "B02<l>", "L01<l>"}));
        d.model.OnSelectionChange({0, 2}, 2);
        EXPECT_EQ(c.press(d.model), c.ended);
        EXPECT_EQ(d.model.Result(), c.result);
        // List positions 0 and 2 are entries 3 and 0: the transfers fetch those.
        EXPECT_EQ(d.SelectedEntries(), (std::vector<std::size_t>{3, 0}));
        EXPECT_EQ(d.dir.GetSelectedNames(), (std::vector<std::string>{"A03<d>", "L01<l>"}));
        EXPECT_EQ(d.dir.GetSelectedData(), (std::vector<std::uint32_t>{1002, 1000}));
        EXPECT_EQ(d.dir.GetSelectionFlags(), (std::vector<std::uint8_t>{1, 0, 0, 1}));
    }

    // The ASCII contents dialog closed without a choice: the unit-files dialog stays.
    Dialog d(3, Files());
    d.asciiChosen = false;
    d.model.OnSelectionChange({0}, 0);
    EXPECT_FALSE(d.model.OnAsciiDownload());
    EXPECT_EQ(d.model.Result(), UnitFilesResult::Open);

    d.model.OnCancel();
    EXPECT_EQ(d.model.Result(), UnitFilesResult::Cancel);
    EXPECT_EQ(d.model.Letter(), 0);
}

TEST(UnitFilesDialogModelTest, TypedNames)
{
    struct Case {
        std::uint8_t selector;
        std::vector<UnitDirEntry> entries;
        std::string typed;
        bool ended;
        std::vector<std::string> messages;
        std::vector<std::size_t> entriesChosen;
        char letter;
    };
    const std::string notFound = "File name not found!\nCheck if the name is valid.";
    const std::string notUnique = "The name is not unique!\nPlease select it from the list box.";
    const Case cases[] = {
        {3, Files(), "l01", true, {}, {0}, 'l'},
        {3, Files(), "L0", false, {notFound}, {}, 0},
        {3, Files(), "", false, {notFound}, {}, 0},
        {3, Files(), "L01<l>", false, {notFound}, {}, 0},
        {3, {Erased()}, "L01", false, {notFound}, {}, 0},
        // The ORLU 505 lists a METER and an ANALYZER file of one name under ALL files.
        {1, {Entry("L01", 1), Entry("L01", 2)}, "L01", false, {notUnique}, {}, 'm'},
        {1, {Entry("L01", 1), Entry("L02", 2)}, "l02", true, {}, {1}, 'a'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        UnitFilesChoices single;
        single.multichoice = false;
        Dialog d(c.selector, c.entries, single);
        d.model.OnFileNameFocus();
        d.model.SetFileName(c.typed);
        EXPECT_EQ(d.model.OnButton(UnitFilesResult::OpenButton), c.ended);
        EXPECT_EQ(d.ui.Messages(), c.messages);
        EXPECT_EQ(d.SelectedEntries(), c.entriesChosen);
        EXPECT_EQ(d.model.Letter(), c.letter);
        // A typed name opens as OK does.
        if (c.ended) {
            EXPECT_EQ(d.model.Result(), UnitFilesResult::Open);
        }
    }
}

TEST(UnitFilesDialogModelTest, SingleChoiceKeepsTheClickedLineAndItsName)
{
    UnitFilesChoices single;
    single.multichoice = false;
    single.details = true;
    Dialog d(3, Files(), single);
    // The list may still report an earlier line selected: only the clicked one stays.
    d.model.OnSelectionChange({0, 2}, 2);
    EXPECT_EQ(d.model.Selected(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(d.model.FileName(), "A03");
    EXPECT_EQ(d.model.SelectedText(), "Number of selected files: 1");

    EXPECT_TRUE(d.model.OnDoubleClick(1));
    EXPECT_EQ(d.model.FileName(), "B02");
    EXPECT_EQ(d.model.Result(), UnitFilesResult::OpenButton);
    EXPECT_EQ(d.model.Letter(), 'l');
}

TEST(UnitFilesDialogModelTest, HandlersChangeTheChoicesListAndSelection)
{
    Dialog d(3, Files());
    d.model.OnSelectAll();
    EXPECT_EQ(d.model.Selected(), (std::vector<bool>{true, true, true}));
    d.model.OnMultichoice(false);
    EXPECT_EQ(d.model.Selected(), (std::vector<bool>{false, false, false}));
    EXPECT_FALSE(d.choices.multichoice);
    d.model.OnSelectAll();
    EXPECT_TRUE(d.choices.multichoice);
    d.model.SetFileName("L01");
    d.model.OnDeselectAll();
    EXPECT_FALSE(d.choices.multichoice);
    EXPECT_EQ(d.model.FileName(), "");

    d.model.OnDetails(true);
    EXPECT_TRUE(d.choices.details);
    EXPECT_EQ(d.Shown()[0], "L01......<l>.....40");

    // A selection made earlier comes back with the entries it chose, after a refill in another order.
    d.model.OnMultichoice(true);
    d.model.OnSelectionChange({2}, 2);
    ASSERT_TRUE(d.model.OnOK());
    d.choices.sortByNames = true;
    d.model.FillList();
    EXPECT_EQ(d.model.Selected(), (std::vector<bool>{true, false, false})); // A03 is first now
    // Sort by names clears it.
    d.model.OnSortByNames(false);
    EXPECT_EQ(d.model.Selected(), (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(d.dir.GetSelectedNames().empty());

    // Refresh reads the directory again.
    d.model.OnRefresh();
    EXPECT_EQ(d.directoryReads, 1);
}

TEST(UnitFilesDialogModelTest, The505FileTypeAndMoreDetails)
{
    UnitFilesChoices more;
    more.moreDetails = true;
    Dialog d(1, {Entry("M1", 1), Entry("A1", 2), Entry("S1", 3)}, more);
    // No header could be had: More details is switched off, also for the application.
    EXPECT_EQ(d.headerReads, 1);
    EXPECT_FALSE(d.choices.moreDetails);
    EXPECT_EQ(d.Shown(), (std::vector<std::string>{"M1<m>", "A1<a>", "S1<s>"}));

    d.model.OnSelectionChange({0, 1}, 1);
    d.model.OnFileType(1);
    EXPECT_EQ(d.choices.fileType, 1);
    EXPECT_EQ(d.Shown(), std::vector<std::string>{"A1<a>"});
    EXPECT_EQ(d.model.Selected(), std::vector<bool>{false});
    d.model.OnFileType(2);
    EXPECT_EQ(d.Shown(), std::vector<std::string>{"S1<s>"});
    d.model.OnFileType(0);
    EXPECT_EQ(d.Shown(), std::vector<std::string>{"M1<m>"});
}

} // namespace
} // namespace orlu
