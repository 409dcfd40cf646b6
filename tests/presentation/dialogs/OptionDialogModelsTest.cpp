#include "presentation/dialogs/EditOptionsModel.h"
#include "presentation/dialogs/NumberFields.h"
#include "presentation/dialogs/TextOptionsDialogModel.h"

#include "presentation/AppSettings.h"
#include "presentation/view/ViewKinds.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

struct FieldCase {
    NumberField field;
    const char* text;
    std::optional<unsigned> value;
    const char* message;
};

TEST(NumberFields, TextsAreCheckedAsTheDialogsDoOnOk)
{
    const NumberField pitch{1049, NumberKind::Byte, 1, 48};
    const NumberField margin{1079, NumberKind::Byte, 0, 48};
    const NumberField zoom{1079, NumberKind::Byte, 1, 16};
    const NumberField level{1082, NumberKind::Byte, 1, 99};
    const NumberField peaks{1079, NumberKind::Byte, 0, 100};
    const NumberField shape{1082, NumberKind::Unsigned, 0, 1000};
    const char* const byteMessage = "Please enter an integer between 0 and 255.";
    const FieldCase cases[] = {
        {pitch, "0", std::nullopt, "Please enter an integer between 1 and 48."},
        {pitch, "49", std::nullopt, "Please enter an integer between 1 and 48."},
        {pitch, " 48 ", 48u, ""},
        {pitch, "abc", std::nullopt, byteMessage},
        {pitch, "", std::nullopt, byteMessage},
        {pitch, "256", std::nullopt, byteMessage},
        {pitch, "-1", std::nullopt, byteMessage},
        {pitch, "-0", std::nullopt, byteMessage},
        {pitch, "+12", 12u, ""},
        {pitch, "99999999999999999999", std::nullopt, byteMessage},
        {margin, "0", 0u, ""},
        {margin, "49", std::nullopt, "Please enter an integer between 0 and 48."},
        {zoom, "17", std::nullopt, "Please enter an integer between 1 and 16."},
        {level, "100", std::nullopt, "Please enter an integer between 1 and 99."},
        {peaks, "101", std::nullopt, "Please enter an integer between 0 and 100."},
        {peaks, "100", 100u, ""},
        {shape, "1000", 1000u, ""},
        {shape, "1001", std::nullopt, "Please enter an integer between 0 and 1000."},
        {shape, "-5", std::nullopt, "Please enter a positive integer."},
        {shape, "+-0", std::nullopt, "Please enter a positive integer."},
        {shape, "2.5", std::nullopt, "Please enter a positive integer."},
        {shape, "5000000000", std::nullopt, "Please enter a positive integer."},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.text);
        std::string message;
        EXPECT_EQ(ReadNumberField(c.field, c.text, &message), c.value);
        EXPECT_EQ(message, c.message);
    }
}

TEST(NumberFields, ARefusedBoxChangesNoMember)
{
    const NumberField fields[] = {{1, NumberKind::Byte, 1, 48}, {2, NumberKind::Byte, 1, 48}};
    unsigned a = 7, b = 8;
    unsigned* const members[] = {&a, &b};
    const std::string texts[] = {"20", "60"};
    EXPECT_EQ(ExchangeNumbers(fields, texts, members),
              (FieldError{2, "Please enter an integer between 1 and 48."}));
    EXPECT_EQ(a, 7u);
    const std::string good[] = {"20", "30"};
    EXPECT_EQ(ExchangeNumbers(fields, good, members), std::nullopt);
    EXPECT_EQ(a, 20u);
    EXPECT_EQ(b, 30u);
}

TEST(PitchZoomDefaults, ProgramDefaultsThenCancelStillStoreThem)
{
    AppSettings settings;
    settings.DispPitchSize = 20;
    settings.PrintPitchSize = 30;
    settings.PrintGraphZoom = 12;
    settings.DispTextMargin = 5;
    PitchZoomDefaultsModel dialog(settings);
    EXPECT_EQ(dialog.FieldTexts(), (std::vector<std::string>{"20", "5", "30", "12"}));
    dialog.ProgramDefaults();
    // Cancel: the members are read back all the same.
    dialog.StoreInto(settings);
    EXPECT_EQ(settings.DispPitchSize, 16);
    EXPECT_EQ(settings.PrintPitchSize, 24);
    EXPECT_EQ(settings.PrintGraphZoom, 4);
    EXPECT_EQ(settings.DispTextMargin, 0);

    EXPECT_EQ(dialog.Exchange({"16", "0", "24", "17"}),
              (FieldError{1079, "Please enter an integer between 1 and 16."}));
    EXPECT_EQ(dialog.Exchange({"10", "48", "1", "16"}), std::nullopt);
    dialog.StoreInto(settings);
    EXPECT_EQ(settings.DispTextMargin, 48);
    EXPECT_EQ(settings.PrintGraphZoom, 16);
}

TEST(TextOptionsDialogs, EachDialogReadsItsOwnBoxes)
{
    AppSettings settings;
    TextOptionsDialogModel textForm(TextOptionsDialog::TextForm, settings);
    TextOptionsDialogModel pitch(TextOptionsDialog::TextPitch, settings);
    TextOptionsDialogModel levels(TextOptionsDialog::StatLevels, settings);
    EXPECT_EQ(textForm.Fields().size(), 2u); // its left margin is shown disabled and not read
    EXPECT_EQ(pitch.Fields().size(), 3u);
    EXPECT_EQ(levels.Fields().size(), 12u);
    EXPECT_FALSE(pitch.HasElementPair());

    EXPECT_EQ(pitch.Exchange({"12", "14", "0"}), std::nullopt); // a margin of 0 is fine
    EXPECT_EQ(pitch.leftMargin, 0u);
    EXPECT_EQ(pitch.Exchange({"0", "14", "0"})->message, "Please enter an integer between 1 and 48.");
    EXPECT_EQ(textForm.Exchange({"12", "49"})->controlId, PitchPair::kPrintId);
}

TEST(TextOptionsDialogs, DefaultsComeFromTheSettings)
{
    AppSettings settings;
    settings.DispPitchSize = 11;
    settings.PrintPitchSize = 22;
    settings.DispTextMargin = 3;
    TextOptionsDialogModel pitch(TextOptionsDialog::TextPitch, settings);
    pitch.Defaults();
    EXPECT_EQ(pitch.FieldTexts(), (std::vector<std::string>{"11", "22", "3"}));

    TextOptionsDialogModel levels(TextOptionsDialog::StatLevels, settings);
    levels.elements.ClickMulti();
    levels.levelPanel.useAll = 1;
    levels.levelPanel.SetLevelsKeepBackup({5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
    levels.Defaults();
    EXPECT_EQ(levels.elements.singleCheck, 1);
    EXPECT_EQ(levels.elements.multiCheck, 0);
    EXPECT_EQ(levels.levelPanel.levels, LevelPanel::kDefaultLevels);
    EXPECT_EQ(levels.levelPanel.useAll, 1);
}

TEST(TextOptionsDialogs, LevelPanelSortsEnablesAndRestoresOnCancel)
{
    AppSettings settings;
    TextOptionsDialogModel dialog(TextOptionsDialog::StatLevels, settings);
    LevelPanel& panel = dialog.levelPanel;
    panel.SetLevelsKeepBackup({2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    panel.levelsEnabled = panel.ascendingEnabled = 1;
    EXPECT_EQ(dialog.Ascending({"20", "20", "50", "1", "99", "10", "20", "30", "40", "60", "70", "80"}),
              std::nullopt);
    EXPECT_EQ(panel.levels, (std::array<unsigned, 10>{1, 10, 20, 30, 40, 50, 60, 70, 80, 99}));
    EXPECT_EQ(dialog.Ascending({"20", "20", "50", "0", "99", "10", "20", "30", "40", "60", "70", "80"})->controlId,
              1082);

    EXPECT_TRUE(panel.AscendingButtonEnabled());
    panel.useAll = 1;
    EXPECT_FALSE(panel.LevelsAreaEnabled());
    EXPECT_FALSE(panel.AscendingButtonEnabled());
    panel.useAll = 0;
    EXPECT_TRUE(panel.LevelsAreaEnabled());

    dialog.pitch.displayPitch = 30;
    dialog.Cancel();
    EXPECT_EQ(panel.levels, (std::array<unsigned, 10>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(dialog.pitch.displayPitch, 30u); // only the levels go back
}

std::uint32_t ClipFlags(int decimal, int separator, int date, int block, bool table)
{
    using namespace form_flags;
    std::uint32_t flags = table ? kTable : kText;
    flags = WithField(flags, kClipDecimalShift, 1, static_cast<std::uint32_t>(decimal));
    flags = WithField(flags, kClipSeparatorShift, 3, static_cast<std::uint32_t>(separator));
    flags = WithField(flags, kClipDateShift, 3, static_cast<std::uint32_t>(date));
    return WithField(flags, kBlockModeShift, 2, static_cast<std::uint32_t>(block));
}

TEST(EditOptions, CommaAsDecimalPointAndSeparatorShowsTheMessageAndTheDialogAgain)
{
    AppSettings settings;
    std::uint32_t flags = ClipFlags(0, 0, 2, 0, true);
    int runs = 0, conflicts = 0;
    const bool changed = RunEditOptions(
        flags, settings,
        [&](EditOptionsValues& v) {
            EXPECT_TRUE(v.tableGroupEnabled);
            ++runs;
            if (runs == 1) {
                v.decimalIndex = 1;
                v.separatorIndex = 1;
            } else {
                EXPECT_EQ(v.decimalIndex, 1); // the dialog comes back with what it held
                v.separatorIndex = 2;
            }
        },
        [&] { ++conflicts; });
    EXPECT_TRUE(changed);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(conflicts, 1);
    EXPECT_EQ(flags, ClipFlags(1, 2, 2, 0, true));
    EXPECT_EQ(settings.ClipDecyPoint, 1);
    EXPECT_EQ(settings.ClipSeparatorChar, 2);
}

TEST(EditOptions, OnlyChangedChoicesAreStored)
{
    AppSettings settings;
    settings.ClipBlockMarkMode = 0;
    settings.ClipDateFormat = 5;
    std::uint32_t flags = ClipFlags(0, 4, 1, 0, false);
    // Changing only the block marking mode in a text form stores it, table group disabled or not.
    EXPECT_TRUE(RunEditOptions(
        flags, settings,
        [](EditOptionsValues& v) {
            EXPECT_FALSE(v.tableGroupEnabled);
            v.blockModeIndex = 3;
        },
        [] { FAIL(); }));
    EXPECT_EQ(flags, ClipFlags(0, 4, 1, 3, false));
    EXPECT_EQ(settings.ClipBlockMarkMode, 3);
    EXPECT_EQ(settings.ClipDateFormat, 1);

    settings.ClipDateFormat = 5;
    EXPECT_FALSE(RunEditOptions(flags, settings, [](EditOptionsValues&) {}, [] { FAIL(); }));
    EXPECT_EQ(settings.ClipDateFormat, 5); // cancelled: nothing written
}

TEST(SpectrumPeaks, AcceptedChoicesGoToTheViewAndWhenKeptToTheSettings)
{
    EXPECT_STREQ(PresetSpectrumPeaks(3, 20, false, true).unitText, "* 1 %");
    EXPECT_STREQ(PresetSpectrumPeaks(3, 20, false, false).unitText, "* 0.1 dB");

    AppSettings settings;
    int count = 3;
    std::uint16_t threshold = 20;
    bool keep = false;
    SpectrumPeaksValues values = PresetSpectrumPeaks(count, threshold, keep, false);
    values.peaksMax = 9;
    values.peakShape = 1000;
    EXPECT_FALSE(ApplySpectrumPeaks(values, count, threshold, keep, settings, true)); // cancelled
    EXPECT_EQ(count, 3);

    values.accepted = true;
    EXPECT_TRUE(ApplySpectrumPeaks(values, count, threshold, keep, settings, true));
    EXPECT_EQ(count, 9);
    EXPECT_EQ(threshold, 1000);
    EXPECT_EQ(settings.SpectrPeaksNum, 0); // not kept as default

    values.keepAsDefault = true;
    EXPECT_FALSE(ApplySpectrumPeaks(values, count, threshold, keep, settings, false));
    EXPECT_TRUE(keep);
    EXPECT_EQ(settings.SpectrPeaksNum, 9);
    EXPECT_EQ(settings.PeakNeighbourDiff, 1000);
}

} // namespace
} // namespace orlu
