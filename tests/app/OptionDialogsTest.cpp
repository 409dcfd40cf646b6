// The option dialogs over their models, offscreen: what they show, what
// their buttons do, and a screenshot of each (orlupc-dialog-*.png in the
// build folder) for a person to look at.

#include "app/dialogs/OptionDialogs.h"

#include "presentation/AppSettings.h"
#include "support/ScriptedInteraction.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace orlu {
namespace {

void Screenshot(QDialog& dialog, const char* name)
{
    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(dialog.grab().save(QString(ORLU_BINARY_DIR) + "/orlupc-dialog-" + name + ".png"));
}

QPushButton* Button(QDialog& dialog, const QString& text)
{
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

TEST(OptionDialogs, TextFormDialogsShowTheirOwnBoxes)
{
    AppSettings settings;
    ScriptedInteraction ui;
    const std::pair<TextOptionsDialog, const char*> kinds[] = {{TextOptionsDialog::TextForm, "157"},
                                                               {TextOptionsDialog::TextPitch, "178"},
                                                               {TextOptionsDialog::StatLevels, "201"}};
    for (auto [kind, name] : kinds) {
        SCOPED_TRACE(name);
        TextOptionsDialogModel model(kind, settings);
        model.pitch = {12, 20};
        model.elements.choiceEnabled = 1;
        model.levelPanel.levelsEnabled = model.levelPanel.ascendingEnabled = model.levelPanel.useAllEnabled = 1;
        model.levelPanel.SetLevelsKeepBackup({1, 10, 20, 30, 40, 50, 60, 70, 80, 90});
        CTextOptionsDlg dialog(model, ui);
        Screenshot(dialog, name);
        EXPECT_EQ(dialog.Boxes().size(), model.Fields().size());
        EXPECT_EQ(dialog.Boxes()[0]->Text(), "12");
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}

TEST(OptionDialogs, UseAllLevelsDisablesTheTenBoxesAndCancelRestoresThem)
{
    AppSettings settings;
    ScriptedInteraction ui;
    TextOptionsDialogModel model(TextOptionsDialog::StatLevels, settings);
    model.pitch = {16, 16};
    model.levelPanel.levelsEnabled = model.levelPanel.ascendingEnabled = model.levelPanel.useAllEnabled = 1;
    model.levelPanel.SetLevelsKeepBackup({50, 1, 99, 10, 20, 30, 40, 60, 70, 80});
    CTextOptionsDlg dialog(model, ui);
    dialog.show();
    dialog.AscendingButton()->click();
    EXPECT_EQ(dialog.Boxes()[2]->Text(), "1");
    EXPECT_EQ(dialog.Boxes()[11]->Text(), "99");
    dialog.UseAllBox()->click();
    EXPECT_FALSE(dialog.Boxes()[2]->isEnabled());
    EXPECT_FALSE(dialog.AscendingButton()->isEnabled());
    dialog.UseAllBox()->click();
    EXPECT_TRUE(dialog.Boxes()[2]->isEnabled());
    dialog.reject();
    EXPECT_EQ(model.levelPanel.levels, (std::array<unsigned, 10>{50, 1, 99, 10, 20, 30, 40, 60, 70, 80}));
}

TEST(OptionDialogs, EditOptionsChangeTheValuesOnOkOnly)
{
    EditOptionsValues values{0, 0, 2, 0, false};
    {
        CEditOptionsDlg dialog(values);
        Screenshot(dialog, "229");
        auto lists = dialog.findChildren<QComboBox*>();
        ASSERT_EQ(lists.size(), 4);
        EXPECT_FALSE(lists[1]->isEnabled()); // the clipboard group belongs to the table form
        lists[0]->setCurrentIndex(3);
        dialog.reject();
    }
    EXPECT_EQ(values.blockModeIndex, 0);
    CEditOptionsDlg dialog(values);
    dialog.findChildren<QComboBox*>()[0]->setCurrentIndex(2);
    dialog.accept();
    EXPECT_EQ(values.blockModeIndex, 2);
}

TEST(OptionDialogs, SpectrumPeaksRefuseBadNumbersAndTellWhetherAccepted)
{
    ScriptedInteraction ui;
    SpectrumPeaksValues values = PresetSpectrumPeaks(5, 30, false, true);
    CSpectrumPeaksDlg dialog(values, ui);
    Screenshot(dialog, "265");
    dialog.Boxes()[1]->SetText("-3");
    dialog.accept();
    EXPECT_FALSE(values.accepted);
    dialog.Boxes()[1]->SetText("1000");
    dialog.Boxes()[0]->SetText("101");
    dialog.accept();
    EXPECT_FALSE(values.accepted);
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"Please enter a positive integer.",
                                                       "Please enter an integer between 0 and 100."}));
    dialog.Boxes()[0]->SetText("100");
    dialog.accept();
    EXPECT_TRUE(values.accepted);
    EXPECT_EQ(values.peaksMax, 100u);
    EXPECT_EQ(values.peakShape, 1000u);
}

TEST(OptionDialogs, TheFormatChoiceIsTheButtonThatClosedIt)
{
    const std::pair<const char*, PictureFormat> buttons[] = {{"Bitmap (BMP) format", PictureFormat::Bitmap},
                                                             {"MetaFile (EMF) format", PictureFormat::Metafile},
                                                             {"Cancel", PictureFormat::None}};
    for (auto [text, format] : buttons) {
        SCOPED_TRACE(text);
        CFormatChoiceDlg dialog;
        if (format == PictureFormat::None)
            Screenshot(dialog, "277");
        ASSERT_NE(Button(dialog, text), nullptr);
        Button(dialog, text)->click();
        EXPECT_EQ(dialog.FormatChoice(), format);
    }
}

} // namespace
} // namespace orlu
