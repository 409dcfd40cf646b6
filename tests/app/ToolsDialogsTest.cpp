// The tools dialogs on screen: the widgets follow their models.

#include "AppFixture.h"
#include "app/CRtGraphOptionsDlg.h"
#include "app/CTableChannelsDlg.h"

#include <QPushButton>
#include <QRadioButton>

namespace orlu::test {
namespace {

using ToolsDialogs = AppFixture;

TEST_F(ToolsDialogs, TableChannelsKeepOkDisabledWhileTheInputsMix)
{
    TableChannelsModel model({2, 1, 2, 2, 1}, 0b01111, 0b00001);
    CTableChannelsDlg dialog(model);
    auto* second = dialog.findChild<QPushButton*>("channel2");
    auto* fifth = dialog.findChild<QPushButton*>("channel5");
    QPushButton* ok = nullptr;
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == "OK" || b->text() == "&OK")
            ok = b;
    ASSERT_TRUE(second && fifth && ok);
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_FALSE(fifth->isEnabled());
    second->click();
    EXPECT_TRUE(second->isChecked());
    EXPECT_FALSE(ok->isEnabled());
    dialog.resize(dialog.sizeHint());
    EXPECT_TRUE(dialog.grab().toImage().save(QString(ORLU_BINARY_DIR) + "/orlupc-table-channels.png"));
    second->click();
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(model.Accept(), 0b00001);
}

TEST_F(ToolsDialogs, ReverberationOptionsShowOneMethod)
{
    RtGraphOptionsModel model;
    model.ChooseMethod(1);
    CRtGraphOptionsDlg dialog(model);
    auto* rt30 = dialog.findChild<QRadioButton*>("method3");
    auto* edt = dialog.findChild<QRadioButton*>("method1");
    ASSERT_TRUE(rt30 && edt);
    EXPECT_TRUE(edt->isChecked());
    rt30->click();
    EXPECT_FALSE(edt->isChecked());
    EXPECT_EQ(model.VisualAid(), 3);
    dialog.findChild<QPushButton*>("defaults")->click();
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("method4")->isChecked());
    EXPECT_EQ(model.StartWithTotalCheck, 1);
    dialog.resize(dialog.sizeHint());
    EXPECT_TRUE(dialog.grab().toImage().save(QString(ORLU_BINARY_DIR) + "/orlupc-rt-graph-options.png"));
}

} // namespace
} // namespace orlu::test
