#include "app/CTransferProgressDlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(TransferProgressDlg, ShowsTheTransferAndClosesAtItsEnd)
{
    TransferProgress progress;
    progress.Begin("Reading file from the ORLU unit");
    CTransferProgressDlg dialog(progress, false, false);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Reading file from the ORLU unit");
    progress.SetText("ORLU file");
    progress.SetProgress(200, 50);
    dialog.Tick();
    EXPECT_EQ(dialog.findChild<QLabel*>("status")->text(), "ORLU file");
    EXPECT_EQ(dialog.findChild<QProgressBar*>()->value(), 25);
    progress.End();
    dialog.Tick();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// The first window took the changed status line; a window opened again for the
// same transfer (after a question closed the first) must show it all the same.
TEST(TransferProgressDlg, AWindowOpenedAgainShowsTheCurrentStatus)
{
    TransferProgress progress;
    progress.Begin("Reading file from the ORLU unit");
    progress.SetText("SLM_0042");
    {
        CTransferProgressDlg first(progress, false, false);
        first.Tick();
        EXPECT_EQ(first.findChild<QLabel*>("status")->text(), "SLM_0042");
    }
    CTransferProgressDlg again(progress, false, false);
    again.show();
    EXPECT_EQ(again.findChild<QLabel*>("status")->text(), "SLM_0042");
    again.Tick();
    EXPECT_EQ(again.findChild<QLabel*>("status")->text(), "SLM_0042");
    progress.SetText("SLM_0043");
    again.Tick();
    EXPECT_EQ(again.findChild<QLabel*>("status")->text(), "SLM_0043");
}

TEST(TransferProgressDlg, CancelClosesOnSerialAndWaitsOnUsb)
{
    for (bool usb : {false, true}) {
        SCOPED_TRACE(usb);
        TransferProgress progress;
        progress.Begin("Binary download from the ORLU unit to disk");
        CTransferProgressDlg dialog(progress, usb, false);
        dialog.show();
        auto* cancel = dialog.findChild<QPushButton*>("cancel");
        cancel->click();
        EXPECT_EQ(progress.Requested(), TransferRequest::Cancel);
        EXPECT_EQ(dialog.isVisible(), usb);
        EXPECT_EQ(cancel->isEnabled(), !usb);
        progress.End();
        dialog.Tick();
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST(TransferProgressDlg, CatchDialogCountsBytesAndFinishes)
{
    TransferProgress progress;
    progress.Begin("Catch printed output from ORLU");
    CTransferProgressDlg dialog(progress, false, true);
    dialog.show();
    progress.SetReceived(1234);
    dialog.Tick();
    EXPECT_EQ(dialog.findChild<QLabel*>("status")->text(), "1234");
    dialog.findChild<QPushButton*>("finish")->click();
    EXPECT_EQ(progress.Requested(), TransferRequest::Finish);
    EXPECT_FALSE(dialog.isVisible());

    TransferProgress monitor;
    monitor.Begin("Catch MONITOR output");
    CTransferProgressDlg noFinish(monitor, false, true, true);
    EXPECT_EQ(noFinish.findChild<QPushButton*>("finish"), nullptr);
}

} // namespace
} // namespace orlu
