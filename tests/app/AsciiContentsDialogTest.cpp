// The ASCII contents dialog on screen: the greying follows the model, OK
// with a comma twice stays open, Cancel stores nothing.

#include "AppFixture.h"
#include "app/CAsciiContentsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

namespace orlu::test {
namespace {

using AsciiContentsDialog = AppFixture;

QRadioButton* Content(QDialog& dialog, int c)
{
    return dialog.findChild<QRadioButton*>(QString("content%1").arg(c));
}

TEST_F(AsciiContentsDialog, WholeFilesGreyTheTableControlsAndTheInstrumentGreysItsContents)
{
    ScriptedInteraction ui;
    AsciiContentsModel model(10, {kAsciiWholeFiles, 0, 0, 2, 1});
    CAsciiContentsDlg dialog(model, ui);
    auto* separator = dialog.findChild<QComboBox*>("separator");
    auto* header = dialog.findChild<QCheckBox*>("header");
    ASSERT_TRUE(separator && header && Content(dialog, 1));
    EXPECT_TRUE(Content(dialog, 1)->isChecked());
    EXPECT_FALSE(separator->isEnabled());
    EXPECT_FALSE(header->isEnabled());
    EXPECT_EQ(separator->currentText(), "semicolon  < ; >");
    EXPECT_FALSE(Content(dialog, 3)->isEnabled()); // no FFT spectra on the ORLU 545 and 590
    EXPECT_FALSE(Content(dialog, 6)->isEnabled());
    dialog.resize(dialog.sizeHint());
    EXPECT_TRUE(dialog.grab().toImage().save(QString(ORLU_BINARY_DIR) + "/orlupc-ascii-contents-whole.png"));

    Content(dialog, 2)->click();
    EXPECT_EQ(model.Choices().content, kAsciiMainResults);
    EXPECT_TRUE(separator->isEnabled());
    EXPECT_TRUE(header->isEnabled());
    for (QLabel* label : dialog.findChildren<QLabel*>())
        EXPECT_TRUE(label->isEnabled()) << label->text().toStdString();
    header->click();
    EXPECT_EQ(model.Choices().header, 1);
    EXPECT_TRUE(dialog.grab().toImage().save(QString(ORLU_BINARY_DIR) + "/orlupc-ascii-contents-table.png"));
}

TEST_F(AsciiContentsDialog, OkWithACommaTwiceStaysOpenAndCancelStoresNothing)
{
    ScriptedInteraction ui;
    AppSettings settings;
    settings.AsciiFunDefault = kAsciiMainResults;
    settings.AsciiDecyPointDefault = 1;
    settings.AsciiSepaCharDefault = 1;
    int runs = 0;
    const bool accepted = RunAsciiContents(
        settings, 3, ui,
        [&](QDialog& dialog) {
            ++runs;
            dialog.open();
            dialog.accept(); // refused: the conflict message, the dialog still open
            EXPECT_TRUE(dialog.isVisible());
            dialog.findChild<QComboBox*>("separator")->setCurrentIndex(2);
            dialog.accept();
            return dialog.result();
        },
        nullptr);
    EXPECT_TRUE(accepted);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{
                                 "Comma used as 'decimal point'\nand colums separator!\nOne of these must be changed."});
    EXPECT_EQ(settings.AsciiSepaCharDefault, 2);

    const bool cancelled = RunAsciiContents(
        settings, 3, ui,
        [](QDialog& dialog) {
            dialog.findChild<QRadioButton*>("content5")->click();
            dialog.reject();
            return dialog.result();
        },
        nullptr);
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(settings.AsciiFunDefault, kAsciiMainResults);
}

} // namespace
} // namespace orlu::test
