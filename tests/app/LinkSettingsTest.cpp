#include "AppFixture.h"
#include "app/CRs232SettingsDlg.h"
#include "presentation/DeviceSelectorMenu.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>

namespace orlu::test {
namespace {

using LinkSettings = AppFixture;

TEST_F(LinkSettings, SerialSettingsAreReadConstrainedAndWrittenBack)
{
    WriteIni("[Settings]\r\nOrluDeviceSelector=1\r\n[RS Default Settings]\r\nPort=2\r\nBaudRate=7\r\nParity=1\r\n");
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_App->SerialSettings().current, (SerialParameters{2, 3, 5, 1, 0, 5})); // the ORLU 505's 38400 cap
    Frame().RouteCommand(32886); // MONITOR
    EXPECT_EQ(m_App->Settings().DeviceSelector, 7);
    EXPECT_EQ(m_App->SerialSettings().CurrentTexts().baudRate, "115200");
    Frame().UpdateCommandUi();
    EXPECT_FALSE(Frame().Action(kIdUnitSettings)->isEnabled());
    EXPECT_TRUE(Frame().Action(32886)->isChecked());
    EXPECT_FALSE(Frame().Action(32858)->isChecked());
    m_App->ExitInstance();

    IniProfile written(m_Ini);
    ASSERT_TRUE(written.Load());
    EXPECT_EQ(written.GetInt("RS Default Settings", "BaudRate", -1), 7);
    EXPECT_EQ(written.GetInt("RS Default Settings", "Parity", -1), 0);
    EXPECT_EQ(written.GetInt("RS Default Settings", "WritePause505", -1), 5);
}

TEST_F(LinkSettings, TheDialogShowsTheModelAndDefaultsGoIntoUseAtOnce)
{
    SerialLinkSettings settings;
    IniProfile profile;
    profile.WriteInt("RS Default Settings", "Port", 4);
    settings.Load(profile, 1);
    settings.ApplyUnitConstraints(1);
    settings.current.port = 0;
    Rs232SettingsModel model(settings, 1);
    CRs232SettingsDlg dialog(model);
    auto* baud = dialog.findChild<QComboBox*>("baud");
    auto* port = dialog.findChild<QComboBox*>("port");
    ASSERT_TRUE(baud && port);
    EXPECT_EQ(baud->count(), 6);
    EXPECT_FALSE(dialog.findChild<QComboBox*>("data")->isEnabled());
    EXPECT_TRUE(dialog.findChild<QComboBox*>("parity")->isEnabled());
    dialog.findChild<QPushButton*>("defaults")->click();
    EXPECT_EQ(port->currentIndex(), 4);
    EXPECT_EQ(settings.current.port, 4); // before OK or Cancel

    port->setCurrentIndex(6);
    RunRs232Settings(settings, 1, [](QDialog&) { return int(QDialog::Rejected); }, nullptr);
    EXPECT_EQ(settings.current.port, 4);
}

TEST_F(LinkSettings, TheMonitorDialogLocksBaudParityAndStop)
{
    SerialLinkSettings settings;
    settings.ApplyUnitConstraints(7);
    Rs232SettingsModel model(settings, 7);
    CRs232SettingsDlg dialog(model);
    for (const char* name : {"baud", "parity", "stop", "data"})
        EXPECT_FALSE(dialog.findChild<QComboBox*>(name)->isEnabled()) << name;
    EXPECT_TRUE(dialog.findChild<QComboBox*>("port")->isEnabled());
}

} // namespace
} // namespace orlu::test
