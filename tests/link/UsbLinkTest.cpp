// The USB link on the fake device: packet splitting, the reader's end, Stop
// and reset during a pending read, the driver's time-out kept across retries.

#include "link/CUsbLink.h"
#include "link/UnitLink.h"
#include "support/FakeUsbDriver.h"
#include "support/InstrumentModel.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <numeric>
#include <thread>

namespace orlu {
namespace {

using std::chrono::milliseconds;

std::vector<std::uint8_t> Bytes(std::size_t n)
{
    std::vector<std::uint8_t> v(n);
    std::iota(v.begin(), v.end(), std::uint8_t{0});
    return v;
}

/// Reads everything the reader queues until it ends.
std::vector<std::uint8_t> Drain(CUsbLink& usb)
{
    usb.WaitIdle();
    std::vector<std::uint8_t> got;
    std::uint8_t b = 0;
    while (usb.GetByte(b))
        got.push_back(b);
    return got;
}

struct UsbFixture : testing::Test {
    sim::FakeUsbDriver driver{nullptr};
    SystemClock clock;
    CUsbLink usb{driver, clock};
    void SetUp() override
    {
        driver.timeout = 1000; // 0.1 ms, tenfold while a reader runs
        ASSERT_EQ(usb.Open(), 0);
    }
};

TEST_F(UsbFixture, AWriteGoesOutInWholePacketsOfAtMost1024Bytes)
{
    usb.StartWrite(Bytes(3000));
    usb.WaitIdle();
    EXPECT_EQ(driver.WriteSizes(), (std::vector<std::size_t>{1024, 1024, 952}));
    EXPECT_EQ(driver.Written(), Bytes(3000));
    EXPECT_EQ(usb.BytesWritten(), 3000u);

    sim::FakeUsbDriver wide(nullptr, 100);
    CUsbLink other(wide, clock);
    ASSERT_EQ(other.Open(), 0);
    other.StartWrite(Bytes(2500));
    other.WaitIdle();
    EXPECT_EQ(wide.WriteSizes(), (std::vector<std::size_t>{1000, 1000, 500}));
}

TEST_F(UsbFixture, AShortBlockEndsTheReaderAnExactOneTheDriverTimeout)
{
    driver.Deliver(Bytes(100)); // shorter than 16 packets of 64
    usb.StartRead();
    EXPECT_EQ(Drain(usb), Bytes(100));
    EXPECT_FALSE(usb.IsBusy());
    usb.Stop();

    driver.Deliver(Bytes(2048)); // exactly two blocks: ends only with the empty read after the time-out
    usb.StartRead();
    EXPECT_EQ(Drain(usb), Bytes(2048));
    EXPECT_EQ(usb.BytesRead(), 2048u);
    usb.Stop();
}

TEST_F(UsbFixture, StopCancelsAPendingReadAndDropsWhatWasNotTaken)
{
    driver.timeout = 0; // the reader would wait for ever
    usb.StartContinuousRead();
    driver.Deliver(Bytes(10));
    std::uint8_t b = 0;
    std::size_t got = 0;
    std::vector<std::uint8_t> two(2);
    ASSERT_TRUE(usb.ReadBytes(two, got, milliseconds(2000)));
    usb.Stop();
    EXPECT_FALSE(usb.IsBusy());
    EXPECT_FALSE(usb.GetByte(b)); // the rest of the node is gone
    EXPECT_EQ(driver.timeout, 0u);  // restored to its value before the reader
}

TEST_F(UsbFixture, StopWithoutAWorkerReturnsAtOnce)
{
    usb.Stop();
    usb.Stop();
    EXPECT_FALSE(usb.IsBusy());
}

TEST_F(UsbFixture, ResetDuringAPendingReadJoinsTheReaderFirst)
{
    driver.timeout = 0;
    usb.StartRead();
    usb.Reset();
    EXPECT_FALSE(usb.IsBusy());
    EXPECT_TRUE(usb.IsOpen());
    driver.Deliver(Bytes(5));
    usb.StartRead();
    EXPECT_EQ(Drain(usb), Bytes(5));
}

TEST_F(UsbFixture, RetriedReadsRestoreTheTimeoutFromBeforeTheFirst)
{
    driver.timeout = 7;
    for (int attempt = 0; attempt < 3; ++attempt) {
        usb.StartRead(); // as the directory request retries, without Stop between
        EXPECT_EQ(driver.timeout, 70u);
        usb.WaitIdle();
    }
    usb.Stop();
    EXPECT_EQ(driver.timeout, 7u);
}

TEST_F(UsbFixture, AMissingTimeoutCountsAsTheDriverDefault)
{
    driver.timeout.reset();
    usb.StartContinuousRead();
    usb.Stop();
    EXPECT_EQ(driver.timeout, kDefaultDriverTimeout);
    driver.timeout.reset();
    driver.Deliver(Bytes(1));
    usb.StartRead();
    EXPECT_EQ(driver.timeout, 10 * kDefaultDriverTimeout);
    Drain(usb);
    usb.Stop();
}

TEST_F(UsbFixture, PersistentErrorsEndTheContinuousReader)
{
    driver.timeout = 0;
    for (int error : {kUsbFileNotFound, kUsbCrcError, 31}) {
        driver.FailReads(error);
        usb.StartContinuousRead();
        usb.WaitIdle(); // would hang if the reader retried for ever
        EXPECT_FALSE(usb.IsBusy()) << error;
        usb.Stop();
    }
}

TEST(UsbOpenTest, AnInterfaceOfAnotherDriverIsSkippedAndNoDeviceMeansNoLink)
{
    SystemClock clock;
    sim::FakeUsbDriver driver(nullptr);
    driver.wrongNameFirst = true;
    CUsbLink usb(driver, clock);
    EXPECT_EQ(usb.Open(), 0);
    EXPECT_EQ(usb.Close(), kUsbClosed);

    driver.present = false;
    EXPECT_EQ(usb.Open(), kUsbNoDevice);
    for (std::uint32_t packet : {0u, 1025u}) {
        sim::FakeUsbDriver odd(nullptr, packet);
        CUsbLink link(odd, clock);
        EXPECT_EQ(link.Open(), kUsbNoDevice) << packet;
    }
}

TEST(UsbTimingTest, TheLastByteMayCome2point9SecondsLateNot3)
{
    for (const auto& [late, accepted] : {std::pair{milliseconds(2900), true}, {milliseconds(3000), false}}) {
        ManualClock clock;
        sim::FakeUsbDriver driver(nullptr);
        driver.timeout = 0;
        bool delivered = false;
        // The wait moves the manual clock: the second byte comes `late` after the first.
        CUsbLink usb(driver, clock, [&](CUsbLink& link, Clock::Duration timeout) {
            if (delivered || timeout < late) {
                clock.Advance(timeout);
                return false;
            }
            clock.Advance(late);
            delivered = true;
            driver.Deliver({'b'});
            return link.WaitForBlock(std::chrono::seconds(5));
        });
        ASSERT_EQ(usb.Open(), 0);
        driver.Deliver({'a'});
        usb.StartContinuousRead();
        ASSERT_TRUE(usb.WaitForBlock(std::chrono::seconds(5))); // the first byte is in
        std::vector<std::uint8_t> two(2);
        std::size_t got = 0;
        EXPECT_EQ(usb.ReadBytes(two, got, milliseconds(3000)), accepted) << late.count();
        EXPECT_EQ(got, accepted ? 2u : 1u);
        // A failed read resets the device: no reader runs on, the device is open again.
        EXPECT_EQ(usb.IsBusy(), accepted);
        EXPECT_TRUE(usb.IsOpen());
        usb.Stop();
    }
}

TEST(UsbTimingTest, OnTheSimulatorAReplyIsLateOnlyWhenTheReaderEndedWithoutIt)
{
    ManualClock clock;
    sim::FakeUsbDriver driver(nullptr);
    driver.timeout = 0; // the reader waits for ever, until the reply is delivered
    CUsbLink usb(driver, clock, sim::InstantReplyWait(clock));
    ASSERT_EQ(usb.Open(), 0);
    usb.StartRead();
    // The reply comes long after the deadline in real time, as on a starved
    // machine: the reader was still running, so it is taken.
    std::thread late([&driver] {
        std::this_thread::sleep_for(milliseconds(20));
        driver.Deliver({'a', 'b'});
    });
    std::vector<std::uint8_t> two(2);
    std::size_t got = 0;
    EXPECT_TRUE(usb.ReadBytes(two, got, milliseconds(1)));
    late.join();
    EXPECT_EQ(two, (std::vector<std::uint8_t>{'a', 'b'}));
    EXPECT_EQ(clock.Now(), ManualClock::TimePoint{});
    usb.Stop();

    // A reader that ended with nothing queued: the byte is late at once,
    // the clock at the deadline, the device reset.
    driver.timeout = 1000;
    usb.StartRead();
    usb.WaitIdle();
    std::uint8_t one = 0;
    EXPECT_FALSE(usb.ReadBytes(std::span(&one, 1), got, milliseconds(3000)));
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(clock.Now() - ManualClock::TimePoint{}, milliseconds(3000));
    EXPECT_TRUE(usb.IsOpen());
    EXPECT_FALSE(usb.IsBusy());
}

TEST(UsbLinkTest, IdentifyOverUsbAndTheLinkPrefersTheDevice)
{
    sim::SimOptions options;
    options.model = "590";
    sim::InstrumentModel model(options);
    sim::FakeUsbDriver driver(&model);
    driver.timeout = 1000;
    ScriptedInteraction ui;
    ManualClock clock;
    SerialLinkSettings serial;
    UnitLink link(ui, serial, clock, &driver, sim::InstantReplyWait(clock));
    link.timing = LinkTiming::Fast();
    link.deviceSelector = 10;
    link.SetPortOverride("/nonexistent/port"); // never opened while the device answers
    link.OpenUsb();
    ASSERT_TRUE(link.UsbMode());
    const IdentifyOutcome out = IdentifyOverLink(link, true);
    EXPECT_EQ(out.result, '1');
    EXPECT_EQ(out.identity.deviceType, 590);
    const std::vector<std::uint8_t> written = driver.Written();
    EXPECT_EQ(std::string(written.begin(), written.end()), ";#1;");
    EXPECT_EQ(driver.timeout, 1000u);
    EXPECT_TRUE(ui.Messages().empty());

    // The device gone: the next open falls back to the COM port, which is missing too.
    driver.present = false;
    EXPECT_EQ(link.OpenPort(ComProfile::Commands), nullptr);
    EXPECT_FALSE(link.UsbMode());
    EXPECT_EQ(ui.Messages().size(), 1u);
    link.CloseUsb();
}

} // namespace
} // namespace orlu
