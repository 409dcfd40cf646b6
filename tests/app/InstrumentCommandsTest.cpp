// The instrument menu's catch commands in the window: the catch dialog while
// a simulated instrument pushes its printed output over a pseudo-terminal,
// Finish, and the text document it ends in; Cancel makes none.

#include "AppFixture.h"
#include "app/CTransferProgressDlg.h"
#include "presentation/InstrumentOutputCommands.h"
#include "presentation/TextDocument.h"
#include "support/InstrumentModel.h"
#include "support/PtyInstrument.h"

#include <QPushButton>

#include <chrono>
#include <thread>

namespace orlu::test {
namespace {

using InstrumentCommands = AppFixture;

TEST_F(InstrumentCommands, CatchDialogFinishMakesThePrintedOutputDocumentAndCancelNone)
{
    WriteIni("[Settings]\r\nOrluDeviceSelector=3\r\n");
    ASSERT_TRUE(Start());
    sim::SimOptions options;
    sim::InstrumentModel model(options);
    sim::PtyInstrument pty(model);
    ASSERT_TRUE(pty.Start());
    SerialLinkSettings& serial = m_App->SerialSettings();
    serial.portPaths[static_cast<std::size_t>(serial.current.port)] = pty.SlavePath();
    const std::string printed = "ORLU 525 printout\r\n\x0CLeq 63.4 dB\r\n";

    for (const char* button : {"finish", "cancel"}) {
        SCOPED_TRACE(button);
        const std::size_t before = m_App->Documents().Documents(kTextDocTemplate).size();
        pty.PushWhenOpened(std::vector<std::uint8_t>(printed.begin(), printed.end()));
        bool shot = false;
        m_App->SetDialogRunner([&](QDialog& dialog) {
            auto& catchDialog = static_cast<CTransferProgressDlg&>(dialog);
            // The dialog's timer, stepped by hand until every pushed byte is counted.
            for (int i = 0; i < 300; ++i) {
                catchDialog.Tick();
                if (catchDialog.findChild<QLabel*>("status")->text().contains(QString::number(printed.size())))
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            EXPECT_TRUE(catchDialog.findChild<QLabel*>("status")->text().contains(QString::number(printed.size())))
                << catchDialog.findChild<QLabel*>("status")->text().toStdString();
            if (!shot)
                shot = dialog.grab().save(QString(ORLU_BINARY_DIR) + "/orlupc-catch-dialog.png");
            dialog.findChild<QPushButton*>(button)->click();
            return 0;
        });
        Frame().UpdateCommandUi();
        ASSERT_TRUE(Frame().Action(kIdCatchPrintedOutput)->isEnabled());
        EXPECT_FALSE(Frame().Action(kIdCatchMonitorOutput)->isEnabled());
        Frame().RouteCommand(kIdCatchPrintedOutput);

        const auto texts = m_App->Documents().Documents(kTextDocTemplate);
        if (std::string_view(button) == "finish") {
            EXPECT_TRUE(shot);
            ASSERT_EQ(texts.size(), before + 1);
            const CTmDoc1& doc = static_cast<TextDocument*>(texts.back())->Doc();
            EXPECT_EQ(doc.Bytes(), printed);
            EXPECT_EQ(doc.Origin(), TextDocOrigin::PrintedOutput);
            EXPECT_TRUE(doc.NewDocFlag);
        } else {
            EXPECT_EQ(texts.size(), before);
        }
        EXPECT_TRUE(m_Ui.Messages().empty());
    }
}

} // namespace
} // namespace orlu::test
