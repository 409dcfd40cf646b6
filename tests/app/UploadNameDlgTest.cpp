// The upload-name dialog on screen: its list in the model's lines, the name
// field forced to upper case and 8 characters, the greyed File type list, the
// invalid-name message keeping it open, Cancel emptying the name; a screenshot.

#include "app/CUploadNameDlg.h"
#include "support/ScriptedInteraction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace orlu {
namespace {

UnitDirEntry Entry(std::string name, std::uint8_t type, std::uint32_t size)
{
    std::array<std::uint8_t, 32> raw{};
    std::fill(raw.begin(), raw.begin() + 8, ' ');
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 8), raw.begin());
    raw[8] = type;
    for (int i = 0; i < 4; ++i)
        raw[12 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    return UnitDirEntry(std::span<const std::uint8_t, 32>(raw));
}

QStringList Items(QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

TEST(UploadNameDlgTest, ListNameFieldChecksAndScreenshot)
{
    CUnitDirectory dir;
    const std::vector<UnitDirEntry> entries = {Entry("RUN1", 1, 1200), Entry("RUN2", 1, 800), Entry("A1", 2, 64)};
    int reads = 0;
    UploadNameModel model(1, dir, [&] { ++reads; dir.Assign(entries); return true; }, 0, 'm', false);
    model.SetName("RUN3");
    model.FillList();
    ScriptedInteraction ui;
    CUploadNameDlg dlg(model, ui);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Choice the name for the file being uploaded to the ORLU unit ...");
    auto* files = dlg.findChild<QListWidget*>("files");
    auto* name = dlg.findChild<QLineEdit*>("name");
    auto* type = dlg.findChild<QComboBox*>("type");
    ASSERT_TRUE(files && name && type);
    EXPECT_EQ(Items(files), (QStringList{"RUN1<m>", "RUN2<m>"}));
    EXPECT_FALSE(type->isEnabled());
    EXPECT_EQ(type->currentText(), "METER mode ");
    EXPECT_EQ(name->text(), "RUN3");

    // Details shows the sizes; the File type list is the model's filter.
    dlg.findChild<QCheckBox*>("details")->setChecked(true);
    EXPECT_EQ(Items(files), (QStringList{"RUN1.....<m>..1200", "RUN2.....<m>..800"}));
    EXPECT_TRUE(dlg.grab().toImage().save(QString(ORLU_BINARY_DIR) + "/orlupc-upload-name.png"));

    name->clear();
    QTest::keyClicks(name, "ab-1xyzwq");
    EXPECT_EQ(name->text(), "AB-1XYZW");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"The name is invalid or empty!\nPlease repeat your choice."});

    // Refresh reads the directory again.
    QTest::mouseClick(dlg.findChild<QPushButton*>("refresh"), Qt::LeftButton);
    EXPECT_EQ(reads, 2);

    // Choosing a line takes its name; OK then asks before overwriting.
    files->setCurrentRow(1);
    EXPECT_EQ(name->text(), "RUN2");
    ui.ExpectQuestion("The file with this name already exists.\nOverwrite it? ", QuestionAnswer::Yes);
    dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(model.Name(), "RUN2");
}

TEST(UploadNameDlgTest, CancelEmptiesTheName)
{
    CUnitDirectory dir;
    UploadNameModel model(3, dir, [&] { dir.Assign({}); return false; }, 3, 'a', false);
    model.SetName("KEEP");
    model.FillList();
    ScriptedInteraction ui;
    CUploadNameDlg dlg(model, ui);
    dlg.show();
    EXPECT_FALSE(dlg.findChild<QListWidget*>("files")->isEnabled());
    EXPECT_FALSE(dlg.findChild<QCheckBox*>("details")->isEnabled());
    dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(model.Name(), "");
}

} // namespace
} // namespace orlu
