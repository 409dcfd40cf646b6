#include "platform/IniProfile.h"
#include "presentation/DeviceSelectorMenu.h"
#include "presentation/Rs232SettingsModel.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(Rs232SettingsModelTest, ListsAndEnablingFollowTheFamily)
{
    IniProfile profile;
    profile.WriteInt("RS Default Settings", "BaudRate", 7);
    struct Case {
        std::uint8_t selector;
        std::size_t baudLabels;
        int baud;
        bool baudEnabled, parityEnabled;
    };
    for (const Case& c : {Case{1, 6, 5, true, true}, Case{7, 8, 7, false, false}, Case{3, 8, 7, true, false}}) {
        SerialLinkSettings settings;
        settings.Load(profile, c.selector);
        settings.ApplyUnitConstraints(c.selector);
        Rs232SettingsModel dialog(settings, c.selector);
        EXPECT_EQ(dialog.BaudLabels().size(), c.baudLabels);
        EXPECT_EQ(dialog.baudRate, c.baud);
        EXPECT_EQ(dialog.BaudRateEnabled(), c.baudEnabled);
        EXPECT_EQ(dialog.ParityEnabled(), c.parityEnabled);
        EXPECT_EQ(dialog.StopBitsEnabled(), c.parityEnabled);
        EXPECT_FALSE(dialog.DataBitsEnabled());
    }
}

TEST(Rs232SettingsModelTest, AcceptTakesTheListsButNeverThePause)
{
    SerialLinkSettings settings;
    settings.ApplyUnitConstraints(1);
    Rs232SettingsModel dialog(settings, 1);
    dialog.port = 2;
    dialog.parity = 1;
    dialog.stopBits = -1; // no selection
    dialog.baudRate = 7;  // beyond the six offered
    dialog.Accept();
    EXPECT_EQ(settings.current, (SerialParameters{2, 3, 5, 1, 0, 5}));
    EXPECT_EQ(settings.CurrentTexts().parity, "O");
}

TEST(Rs232SettingsModelTest, DefaultsStayInForceAfterCancel)
{
    IniProfile profile;
    profile.WriteInt("RS Default Settings", "Port", 3);
    SerialLinkSettings settings;
    settings.Load(profile, 3);
    settings.current.port = 0;
    Rs232SettingsModel dialog(settings, 3);
    dialog.Defaults();
    EXPECT_EQ(dialog.port, 3);
    // Cancel: the model is dropped without Accept.
    EXPECT_EQ(settings.current.port, 3);
}

TEST(DeviceSelectorMenuTest, ChoosingAFamilyChecksItAndAppliesItsConstraints)
{
    CommandTarget app;
    std::uint8_t selector = 11; // a profile value that matches no item
    int applied = 0, dialogs = 0;
    RegisterDeviceMenu(app, selector, [&] { ++applied; }, [&] { ++dialogs; });
    for (const DeviceMenuItem& item : kDeviceMenuItems) {
        CommandUi ui;
        app.Update(item.commandId, ui);
        EXPECT_FALSE(ui.checked) << item.commandId;
    }
    ASSERT_TRUE(app.Execute(32886));
    EXPECT_EQ(selector, 7);
    ASSERT_TRUE(app.Execute(32886)); // the same family again still applies
    EXPECT_EQ(applied, 2);
    CommandUi monitor;
    app.Update(32886, monitor);
    EXPECT_TRUE(monitor.checked);
    app.Execute(kIdRs232Settings);
    EXPECT_EQ(dialogs, 1);
}

TEST(DeviceSelectorMenuTest, OtherItemsEnabledByFamily)
{
    struct Case {
        std::uint8_t selector;
        bool rs232, meter, analyzer, unitSettings, remote, files;
    };
    const Case cases[] = {
        {1, true, true, true, true, true, true},      {7, true, false, false, false, false, true},
        {8, false, false, false, true, false, true},  {9, false, false, false, true, false, true},
        {3, true, false, false, true, false, true},   {11, true, false, false, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.selector));
        EXPECT_EQ(DeviceMenuItemEnabled(kIdRs232Settings, c.selector), c.rs232);
        EXPECT_EQ(DeviceMenuItemEnabled(kIdMeterMode, c.selector), c.meter);
        EXPECT_EQ(DeviceMenuItemEnabled(kIdAnalyzerMode, c.selector), c.analyzer);
        EXPECT_EQ(DeviceMenuItemEnabled(kIdUnitSettings, c.selector), c.unitSettings);
        EXPECT_EQ(DeviceMenuItemEnabled(kIdRemoteControl, c.selector), c.remote);
        EXPECT_EQ(DeviceMenuItemEnabled(kIdUnitFiles, c.selector), c.files);
    }
}

} // namespace
} // namespace orlu
