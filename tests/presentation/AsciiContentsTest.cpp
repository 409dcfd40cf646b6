// The ASCII contents dialog without its window: which contents each
// instrument offers, the table controls greyed for whole files, the comma
// conflict refused, Cancel, and indexes kept inside their tables.

#include "presentation/AsciiContents.h"

#include "document/ViewKind.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

constexpr std::string_view kConflict =
    "Comma used as 'decimal point'\nand colums separator!\nOne of these must be changed.";

TEST(AsciiContentsTest, ContentsOfferedByInstrument)
{
    struct Case {
        std::uint8_t selector;
        const char* name;
        std::string enabled; ///< contents 1..6: 'y' enabled, 'n' greyed
    };
    const Case cases[] = {
        {1, "ORLU 505", "yyyyyy"},
        {3, "ORLU 525", "yyyyyn"},
        {10, "ORLU 545 and 590", "yynyyn"},
        {12, "later models", "yyyyyn"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const AsciiContentsModel model(c.selector, {});
        for (int content = 1; content <= kAsciiContentCount; ++content)
            EXPECT_EQ(model.ContentEnabled(content), c.enabled[static_cast<std::size_t>(content - 1)] == 'y')
                << content;
    }
}

TEST(AsciiContentsTest, AGreyedContentCannotBeChosenButAStoredOneStays)
{
    AsciiContentsModel model(10, {kAsciiWaveforms, 0, 0, 0, 0});
    // Kept from another instrument: chosen though greyed, and OK keeps it.
    EXPECT_EQ(model.Choices().content, kAsciiWaveforms);
    EXPECT_FALSE(model.ContentEnabled(kAsciiWaveforms));
    ScriptedInteraction ui;
    EXPECT_TRUE(model.Accept(ui));
    EXPECT_EQ(model.Choices().content, kAsciiWaveforms);

    model.ChooseContent(kAsciiFftSpectra);
    EXPECT_EQ(model.Choices().content, kAsciiWaveforms);
    model.ChooseContent(kAsciiOctaves);
    EXPECT_EQ(model.Choices().content, kAsciiOctaves);
}

TEST(AsciiContentsTest, WholeFilesGreyTheTableControls)
{
    AsciiContentsModel model(3, {kAsciiWholeFiles, 0, 0, 0, 0});
    EXPECT_FALSE(model.TableControlsEnabled());
    model.ChooseContent(kAsciiMainResults);
    EXPECT_TRUE(model.TableControlsEnabled());
    model.ToggleHeader();
    EXPECT_EQ(model.Choices().header, 1);
    model.ToggleHeader();
    EXPECT_EQ(model.Choices().header, 0);
    model.ChooseContent(kAsciiWholeFiles);
    EXPECT_FALSE(model.TableControlsEnabled());
}

TEST(AsciiContentsTest, CommaAsBothDecimalPointAndSeparatorIsRefused)
{
    AsciiContentsModel model(3, {kAsciiMainResults, 0, 1, 1, 0});
    ScriptedInteraction ui;
    EXPECT_FALSE(model.Accept(ui));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{std::string(kConflict)});
    model.SetSeparator(2);
    EXPECT_TRUE(model.Accept(ui));
    EXPECT_EQ(ui.Messages().size(), 1u);

    // Whole files use neither: the greyed combos are not held against OK.
    AsciiContentsModel whole(3, {kAsciiWholeFiles, 0, 1, 1, 0});
    EXPECT_TRUE(whole.Accept(ui));
    EXPECT_EQ(ui.Messages().size(), 1u);
}

TEST(AsciiContentsTest, CancelLeavesNoContentAndTheSettingsUntouched)
{
    AppSettings settings;
    settings.AsciiFunDefault = kAsciiOctaves;
    settings.AsciiSepaCharDefault = 3;
    AsciiContentsModel model(3, AsciiChoicesOf(settings));
    model.ChooseContent(kAsciiMainResults);
    model.SetSeparator(5);
    model.Cancel();
    EXPECT_EQ(model.Choices().content, kAsciiCancelled);
    EXPECT_EQ(ViewKindOfAsciiContent(model.Choices().content), kViewNone);
    EXPECT_EQ(settings.AsciiFunDefault, kAsciiOctaves);
    EXPECT_EQ(settings.AsciiSepaCharDefault, 3);
}

TEST(AsciiContentsTest, ComboIndexesAreKeptInsideTheirTablesOnReadBack)
{
    AsciiContentsModel model(1, {});
    struct Case {
        int given, decimal, separator, form;
    };
    for (const Case& c : {Case{-1, 0, 0, 0}, Case{1, 1, 1, 1}, Case{2, 1, 2, 2}, Case{6, 1, 6, 2}, Case{9, 1, 6, 2}}) {
        SCOPED_TRACE(c.given);
        model.SetDecimal(c.given);
        model.SetSeparator(c.given);
        model.SetTableForm(c.given);
        EXPECT_EQ(model.Choices().decimal, c.decimal);
        EXPECT_EQ(model.Choices().separator, c.separator);
        EXPECT_EQ(model.Choices().tableForm, c.form);
    }
    AppSettings settings;
    StoreAsciiChoices({kAsciiThirdOctaves, 1, 1, 6, 2}, settings);
    EXPECT_EQ(AsciiChoicesOf(settings).content, kAsciiThirdOctaves);
    EXPECT_EQ(settings.AsciiTabFormDefault, 2);
}

} // namespace
} // namespace orlu
