// The instrument menu's mode, settings and catch items: what each runs, and
// which families are offered the catch commands.

#include "document/container/FileKindCode.h"
#include "presentation/DeviceSelectorMenu.h"
#include "presentation/InstrumentOutputCommands.h"
#include "support/QuietInteraction.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(InstrumentOutputCommandsTest, ItemsRunTheirCommandAndCatchIsOfferedByFamily)
{
    std::uint8_t selector = 1;
    std::vector<std::string> ran;
    CommandTarget target;
    RegisterInstrumentOutputCommands(
        target, selector,
        {[&](UnitMode m) { ran.push_back("mode " + std::to_string(static_cast<int>(m))); },
         [&] { ran.push_back("settings"); },
         [&](CatchKind k) { ran.push_back("catch " + std::to_string(static_cast<int>(k))); }});
    for (int id : {kIdMeterMode, kIdAnalyzerMode, kIdUnitSettings, kIdCatchPrintedOutput, kIdCatchMonitorOutput})
        EXPECT_TRUE(target.Execute(id));
    EXPECT_EQ(ran, (std::vector<std::string>{"mode 1", "mode 2", "settings", "catch 1", "catch 3"}));

    // Printed output: the families that print; the MONITOR's output: the station only.
    const std::string printing = "-xxxxx-xx--x";
    for (selector = 1; selector <= 12; ++selector) {
        SCOPED_TRACE(static_cast<int>(selector));
        CommandUi printed{false, true}, monitor{false, true};
        ASSERT_TRUE(target.Update(kIdCatchPrintedOutput, printed));
        ASSERT_TRUE(target.Update(kIdCatchMonitorOutput, monitor));
        EXPECT_EQ(printed.enabled, printing[selector - 1] == 'x');
        EXPECT_EQ(monitor.enabled, selector == 7);
        EXPECT_FALSE(printed.checked);
        EXPECT_FALSE(monitor.checked);
    }
}

TEST(InstrumentOutputCommandsTest, SettingsDocumentIsAskedOfTheUnit)
{
    QuietInteraction ui;
    AppContext app(ui);
    std::pair<int, int> pending{-1, -1};
    app.NewUnitDocument = [&] { pending = {app.PendingFileKind, app.PendingDocSource}; };
    OpenUnitSettingsDocument(app);
    EXPECT_EQ(pending, (std::pair<int, int>{kKindSettings, kPendingInstrument}));
}

} // namespace
} // namespace orlu
