#include "link/TransferProgress.h"

#include <gtest/gtest.h>

#include <thread>

namespace orlu {
namespace {

TEST(TransferProgressTest, TheDialogSeesCountsAndTextOnce)
{
    TransferProgress p;
    p.Begin("Binary download from the ORLU unit to disk");
    EXPECT_EQ(p.Percent(), 0);
    p.SetText("ORLU file");
    EXPECT_EQ(p.TakeChangedText(), "ORLU file");
    EXPECT_EQ(p.TakeChangedText(), std::nullopt);
    EXPECT_EQ(p.SetProgress(0, 5), TransferRequest::None);
    EXPECT_EQ(p.Percent(), 0); // a total of 0 does not move the bar
    p.SetProgress(400, 400);
    EXPECT_EQ(p.Percent(), 100);
    p.SetProgress(3, 1);
    EXPECT_EQ(p.Percent(), 33);
}

TEST(TransferProgressTest, RequestsOnSerialAndUsb)
{
    TransferProgress p;
    p.Begin("Catch printed output from ORLU");
    EXPECT_TRUE(p.Request(TransferRequest::Finish, false));
    EXPECT_EQ(p.SetProgress(1, 0), TransferRequest::Finish);
    EXPECT_FALSE(p.UsbCancelPending());

    p.Begin("Reading file from the ORLU unit");
    EXPECT_EQ(p.SetProgress(1, 0), TransferRequest::None); // a new transfer forgets the old request
    EXPECT_TRUE(p.Request(TransferRequest::Cancel, true));
    EXPECT_TRUE(p.UsbCancelPending()); // the USB dialog stays open until End
    EXPECT_FALSE(p.Finished());
    p.End();
    EXPECT_FALSE(p.UsbCancelPending());
    EXPECT_TRUE(p.Finished());
    EXPECT_FALSE(p.Request(TransferRequest::Cancel, true)); // after the end the dialog only closes
}

TEST(TransferProgressTest, AWorkerAndAPollingDialogShareIt)
{
    TransferProgress p;
    p.Begin("Upload to the ORLU unit");
    std::thread worker([&] {
        for (int i = 0;; ++i) {
            if (i % 100 == 0)
                p.SetText("ORLU file " + std::to_string(i));
            if (p.SetProgress(1000000, i % 1000000) != TransferRequest::None)
                break;
        }
        p.End();
    });
    // The worker runs until it sees the request: the join below ends only then.
    while (!p.TakeChangedText()) {
    }
    EXPECT_TRUE(p.Request(TransferRequest::Cancel, false) || p.Finished());
    worker.join();
    EXPECT_TRUE(p.Finished());
    EXPECT_EQ(p.Requested(), TransferRequest::Cancel);
}

} // namespace
} // namespace orlu
