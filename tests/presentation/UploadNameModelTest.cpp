// The upload-name dialog without its window: list lines written out by hand
// from their formats, the name rules, the overwrite question per family, and
// Refresh reading the directory again.

#include "presentation/UploadNameModel.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

UnitDirEntry Entry(std::string name, std::uint8_t type, std::uint32_t size, std::uint8_t subtype = 0)
{
    std::array<std::uint8_t, 32> raw{};
    std::fill(raw.begin(), raw.begin() + 8, ' ');
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 8), raw.begin());
    raw[8] = type;
    raw[9] = subtype;
    for (int i = 0; i < 4; ++i)
        raw[12 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    return UnitDirEntry(std::span<const std::uint8_t, 32>(raw));
}

/// The ORLU 505's files: a METER file, an ANALYZER file of the same name, a setup and a buffer.
std::vector<UnitDirEntry> Files505()
{
    return {Entry("AB", 1, 1234), Entry("AB", 2, 99), Entry("SET1", 3, 10), Entry("BUF", 16, 20),
            Entry(std::string(1, '\0') + "GONE", 1, 5)};
}

struct Dialog {
    CUnitDirectory dir;
    int reads = 0;
    UploadNameModel model;

    Dialog(std::uint8_t selector, std::vector<UnitDirEntry> entries, int requestKind, char letter, bool details = false)
        : model(selector, dir, [this, entries] {
              ++reads;
              dir.Assign(entries);
              return true;
          }, requestKind, letter, details)
    {
        model.FillList();
    }
};

TEST(UploadNameModelTest, ListLinesWithAndWithoutDetails)
{
    struct Case {
        std::uint8_t selector;
        int fileType;
        bool details;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {1, 0, false, {"AB<m>"}},
        {1, 0, true, {"AB.......<m>..1234"}},
        {1, 1, false, {"AB<a>"}},
        {1, 2, false, {"BUF<b>", "SET1<s>"}},
        {1, 3, false, {"AB<a>", "AB<m>", "BUF<b>", "SET1<s>"}},
        // Other families list every file with their own letters.
        {3, 3, false, {"AB<l>", "AB<o>", "BUF<x>", "SET1<t>"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.selector) << " type " << c.fileType << " details " << c.details);
        Dialog d(c.selector, Files505(), c.fileType, 'm', c.details);
        EXPECT_EQ(d.model.Lines(), c.lines);
        EXPECT_EQ(d.model.TotalText(), "Total number of files: " + std::to_string(c.lines.size()));
        EXPECT_TRUE(d.model.ListEnabled());
    }
}

TEST(UploadNameModelTest, AnEmptyOrUnreadableDirectoryListsNoFiles)
{
    Dialog d(3, {}, 3, 'a');
    EXPECT_EQ(d.model.Lines(), std::vector<std::string>{"No files found !"});
    EXPECT_FALSE(d.model.ListEnabled());
    EXPECT_EQ(d.model.TotalText(), "Total number of files: 0");
    // "No files found !" is no file: its text is never taken as a name.
    d.model.SetName("NEW");
    d.model.SelectLine(0);
    EXPECT_EQ(d.model.Name(), "NEW");
}

TEST(UploadNameModelTest, NameRules)
{
    struct Case {
        const char* typed;
        std::string name; ///< as the field holds it
        bool valid;
    };
    const Case cases[] = {
        {"ab_1", "AB_1", true}, {"AB-1", "AB-1", false}, {"", "", false},     {"A@$9", "A@$9", true},
        {"A B", "A B", false},  {"abcdefghi", "ABCDEFGH", true}, {"Ä1", "Ä1", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Dialog d(3, {Entry("OTHER", 1, 5)}, 3, 'a');
        d.model.SetName(c.typed);
        EXPECT_EQ(d.model.Name(), c.name);
        ScriptedInteraction ui;
        EXPECT_EQ(d.model.Ok(ui), c.valid);
        EXPECT_EQ(ui.Messages(), c.valid ? std::vector<std::string>{}
                                         : std::vector<std::string>{"The name is invalid or empty!\nPlease repeat your choice."});
    }
}

TEST(UploadNameModelTest, ExistingNamesAskPerFamily)
{
    using A = QuestionAnswer;
    struct Case {
        const char* what;
        std::uint8_t selector;
        int requestKind;
        char letter;
        const char* typed;
        std::optional<A> answer; ///< none: no question
        bool ends;
        std::string name;
    };
    const Case cases[] = {
        {"505 METER over a METER file", 1, 0, 'm', "ab", A::Yes, true, "AB"},
        {"505 METER name of an ANALYZER file only", 1, 0, 'm', "SET1", std::nullopt, true, "SET1"},
        {"505 ANALYZER over an ANALYZER file", 1, 1, 'a', "AB", A::No, false, "AB"},
        {"505 setup: any letter asks", 1, 2, 'a', "SET1", A::Yes, true, "SET1"},
        {"other family: any letter", 3, 3, 'a', "BUF", A::Yes, true, "BUF"},
        {"Cancel empties the name", 3, 3, 'a', "AB", A::Cancel, true, ""},
        {"a new name", 3, 3, 'a', "NEW", std::nullopt, true, "NEW"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Dialog d(c.selector, Files505(), c.requestKind, c.letter);
        d.model.SetFileType(3);
        d.model.SetName(c.typed);
        ScriptedInteraction ui;
        if (c.answer)
            ui.ExpectQuestion("The file with this name already exists.\nOverwrite it? ", *c.answer);
        EXPECT_EQ(d.model.Ok(ui), c.ends);
        EXPECT_EQ(d.model.Name(), c.name);
    }
}

TEST(UploadNameModelTest, ChosenLinesGiveNameAndLetterAndADoubleClickSkipsTheNameCheck)
{
    Dialog d(1, {Entry("AB", 1, 1234), Entry("X-1", 2, 5)}, 3, 'm', true);
    ASSERT_EQ(d.model.Lines(), (std::vector<std::string>{"AB.......<m>..1234", "X-1......<a>..5"}));
    d.model.SelectLine(1);
    EXPECT_EQ(d.model.Name(), "X-1");
    EXPECT_EQ(d.model.Letter(), 'a');
    // The instrument's own name is taken as it is once overwriting it is confirmed.
    ScriptedInteraction ui;
    ui.ExpectQuestion("The file with this name already exists.\nOverwrite it? ", QuestionAnswer::Yes);
    EXPECT_TRUE(d.model.DoubleClickLine(1, ui));
    EXPECT_EQ(d.model.Name(), "X-1");
}

TEST(UploadNameModelTest, RefreshReadsTheDirectoryAgainAndKeepsDetails)
{
    Dialog d(3, {Entry("A1", 1, 7)}, 3, 'a', true);
    EXPECT_EQ(d.reads, 1);
    d.model.FillList(); // a fresh directory is not read again
    EXPECT_EQ(d.reads, 1);
    d.model.Refresh();
    EXPECT_EQ(d.reads, 2);
    EXPECT_TRUE(d.model.Details());
    EXPECT_EQ(d.model.Lines(), std::vector<std::string>{"A1.......<l>..7"});
    d.model.Cancel();
    EXPECT_EQ(d.model.Name(), "");
}

} // namespace
} // namespace orlu
