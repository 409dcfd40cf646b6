// Catching pushed output on both links: the simulated instrument pushes over
// a pseudo-terminal once the port is open, or the fake USB device delivers
// the bytes to the continuous reader. The watch plays the user: Finish or
// Cancel once the line has gone idle, or after a number of bytes.

#include "SimulatedUnit.h"
#include "link/OutputCatch.h"
#include "support/FakeUsbDriver.h"
#include "support/MonitorOutputImage.h"

#include <chrono>

namespace orlu {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Of(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

/// What the user does once the line is idle.
enum class User { FinishWhenIdle, CancelWhenIdle, Nothing };

CatchWatch Watch(User user)
{
    return [user](TransferProgress& progress, std::size_t, bool idle) {
        if (idle && user != User::Nothing)
            progress.Request(user == User::FinishWhenIdle ? TransferRequest::Finish : TransferRequest::Cancel, false);
    };
}

struct Caught {
    CaughtOutput output;
    std::vector<std::string> messages;
};

Caught CatchOverPty(CatchKind kind, const Bytes& pushed, User user, std::uint8_t selector = 3)
{
    SimulatedUnit unit("--model 525", selector);
    if (!pushed.empty())
        unit.pty.PushWhenOpened(pushed);
    TransferProgress progress;
    Caught caught{CatchOutput(unit.link, kind, progress, Watch(user)), unit.ui.Messages()};
    EXPECT_TRUE(progress.Finished());
    // Nothing is sent to a unit that pushes.
    EXPECT_EQ(unit.Sent(), "");
    return caught;
}

Caught CatchOverUsb(CatchKind kind, const Bytes& pushed, User user)
{
    sim::SimOptions options;
    sim::InstrumentModel model(options);
    sim::FakeUsbDriver driver(&model);
    driver.timeout = 1000;
    ScriptedInteraction ui;
    SystemClock clock;
    SerialLinkSettings serial;
    UnitLink link(ui, serial, clock, &driver);
    link.timing = LinkTiming::Fast();
    link.timing.catchWait = Millis(20);
    link.SetPortOverride("/nonexistent/port");
    link.OpenUsb();
    EXPECT_TRUE(link.UsbMode());
    // Pushed in two transfers, so that a form feed can sit at a transfer's edge.
    const std::size_t half = pushed.size() / 2;
    if (!pushed.empty()) {
        driver.Deliver(Bytes(pushed.begin(), pushed.begin() + static_cast<std::ptrdiff_t>(half)));
        driver.Deliver(Bytes(pushed.begin() + static_cast<std::ptrdiff_t>(half), pushed.end()));
    }
    TransferProgress progress;
    Caught caught{CatchOutput(link, kind, progress, Watch(user)), ui.Messages()};
    link.CloseUsb();
    EXPECT_TRUE(driver.Written().empty());
    return caught;
}

using CatchRunner = Caught (*)(CatchKind, const Bytes&, User);

struct LinkCase {
    const char* name;
    CatchRunner run;
    bool usb;
};
const LinkCase kLinks[] = {{"RS-232", [](CatchKind k, const Bytes& b, User u) { return CatchOverPty(k, b, u); }, false},
                           {"USB", &CatchOverUsb, true}};

// A current-family file's bytes stand in for the station's buffer; form feeds and
// "#4,2;" inside it must pass through untouched.
Bytes StationBuffer()
{
    Bytes buffer = Of("OrluPC\x1A");
    for (int i = 0; i < 300; ++i)
        buffer.push_back(static_cast<std::uint8_t>(i * 7));
    const Bytes tail = Of("\x0C\x0C#4,2;\x0C");
    buffer.insert(buffer.end(), tail.begin(), tail.end());
    return buffer;
}

TEST(OutputCatchTest, PrintedOutputIsKeptByteForByteWithFormFeedsPerLink)
{
    // CR, LF and form feed are accepted among the first 31 bytes; later bytes are not checked.
    const std::string text = "ORLU 525 printout\r\n\x0C" "Leq 63.4 dB\r\n" "more than 31 bytes: \t\x01\xB5\x0C end\r\n";
    for (const LinkCase& link : kLinks) {
        SCOPED_TRACE(link.name);
        const Caught caught = link.run(CatchKind::Printed, Of(text), User::FinishWhenIdle);
        ASSERT_EQ(caught.output.outcome, CatchOutcome::PrintedOutput);
        EXPECT_EQ(caught.output.received, text.size());
        std::string expected = text;
        if (link.usb)
            for (std::size_t at = expected.find('\x0C'); at != std::string::npos; at = expected.find('\x0C', at + 3))
                expected.insert(at + 1, "\r\n");
        EXPECT_EQ(std::string(caught.output.bytes.begin(), caught.output.bytes.end()), expected);
        EXPECT_TRUE(caught.messages.empty());
    }
}

TEST(OutputCatchTest, PrintedOutputEndsWithoutDocument)
{
    struct Case {
        const char* name;
        std::string pushed;
        User user;
        CatchOutcome outcome;
        std::vector<std::string> messages;
    };
    const std::string refused(kNotPrintedOutputText);
    const Case cases[] = {
        {"leading tab", "\tORLU 525 printout\r\n", User::FinishWhenIdle, CatchOutcome::NotPrintedOutput, {refused}},
        {"byte 127 as the 31st", std::string(30, 'a') + "\x7F", User::FinishWhenIdle, CatchOutcome::NotPrintedOutput,
         {refused}},
        {"byte 128 as the 31st", std::string(30, 'a') + "\x80", User::FinishWhenIdle, CatchOutcome::NotPrintedOutput,
         {refused}},
        {"Finish before any byte", "", User::FinishWhenIdle, CatchOutcome::Nothing, {}},
        {"Cancel", "ORLU 525 printout\r\n", User::CancelWhenIdle, CatchOutcome::Cancelled, {}},
    };
    for (const LinkCase& link : kLinks)
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(link.name) + ": " + c.name);
            const Caught caught = link.run(CatchKind::Printed, Of(c.pushed), c.user);
            EXPECT_EQ(caught.output.outcome, c.outcome);
            EXPECT_EQ(caught.messages, c.messages);
        }
}

TEST(OutputCatchTest, MonitorImagesEndWhereTheirLengthsSay)
{
    const Bytes worked = fixture::WorkedMonitorImage(StationBuffer());
    // L = 16 and a first block that does not end "#4,2;": complete after 31 bytes, the rest not taken.
    Bytes short16 = Of("STM 0123456");
    for (std::uint8_t b : {0, 0, 0, 16})
        short16.push_back(b);
    const Bytes block16 = Of("#8Y1A;#1U525;\x0C\x0C\x0C");
    short16.insert(short16.end(), block16.begin(), block16.end());
    Bytes short16More = short16;
    short16More.push_back('x');
    // "#4,2;" ends the first block and M = 0.
    const Bytes emptyBuffer = fixture::MonitorOutputImage(Of("#8Y1A;#1U525;"), Bytes{});
    Bytes stalled = worked;
    stalled.resize(worked.size() - 100);
    Bytes noStm = worked;
    noStm[3] = '_';

    struct Case {
        const char* name;
        Bytes pushed;
        User user;
        CatchOutcome outcome;
        std::size_t kept; ///< the bytes of the image, when there is one
        bool monitorMessage;
    };
    const Case cases[] = {
        {"worked image", worked, User::Nothing, CatchOutcome::MonitorImage, worked.size(), false},
        {"L = 16", short16More, User::Nothing, CatchOutcome::MonitorImage, 31, false},
        {"M = 0", emptyBuffer, User::Nothing, CatchOutcome::NotMonitorOutput, 0, true},
        {"stalled mid-image", stalled, User::CancelWhenIdle, CatchOutcome::Cancelled, 0, false},
        {"without STM", noStm, User::CancelWhenIdle, CatchOutcome::Cancelled, 0, false},
        // Finish on an incomplete image is the MONITOR message, never a document.
        {"stalled, then Finish", stalled, User::FinishWhenIdle, CatchOutcome::NotMonitorOutput, 0, true},
    };
    for (const LinkCase& link : kLinks)
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(link.name) + ": " + c.name);
            const Caught caught = link.run(CatchKind::Monitor, c.pushed, c.user);
            EXPECT_EQ(caught.output.outcome, c.outcome);
            if (c.outcome == CatchOutcome::MonitorImage) {
                // Form feeds stay as they are in a binary image, on either link.
                EXPECT_EQ(caught.output.bytes, Bytes(c.pushed.begin(), c.pushed.begin() + static_cast<std::ptrdiff_t>(c.kept)));
                EXPECT_EQ(caught.output.received, c.kept);
            }
            EXPECT_EQ(caught.messages, c.monitorMessage ? std::vector<std::string>{std::string(kNotMonitorOutputText)}
                                                        : std::vector<std::string>{});
        }
}

TEST(OutputCatchTest, IdleUsbLineIsWaitedOnNotPolled)
{
    sim::SimOptions options;
    sim::InstrumentModel model(options);
    sim::FakeUsbDriver driver(&model);
    driver.timeout = 1000;
    ScriptedInteraction ui;
    SystemClock clock;
    SerialLinkSettings serial;
    UnitLink link(ui, serial, clock, &driver);
    link.timing = LinkTiming::Fast();
    link.timing.catchWait = Millis(20);
    link.OpenUsb();
    ASSERT_TRUE(link.UsbMode());
    // 200 ms of silence: each turn waits 20 ms for the reader, so about ten turns, never thousands.
    int turns = 0;
    TransferProgress progress;
    const auto start = std::chrono::steady_clock::now();
    const CaughtOutput caught =
        CatchOutput(link, CatchKind::Printed, progress,
                    [&](TransferProgress& shown, std::size_t, bool idle) {
                        ++turns;
                        EXPECT_TRUE(idle);
                        if (std::chrono::steady_clock::now() - start >= Millis(200))
                            shown.Request(TransferRequest::Cancel, true);
                    });
    link.CloseUsb();
    EXPECT_EQ(caught.outcome, CatchOutcome::Cancelled);
    EXPECT_GE(turns, 1);
    EXPECT_LE(turns, 12);
}

} // namespace
} // namespace orlu
