// The program's side of the link against the simulated instrument over a
// real pseudo-terminal, with short deadlines.

#include "SimulatedUnit.h"

#include <fstream>

namespace orlu {
namespace {

TEST(PtyLinkTest, IdentifyEachFamily)
{
    struct Case {
        std::string options;
        std::uint8_t selectorBefore;
        std::uint8_t selectorAfter;
        int deviceType;
        int firmware;
        std::string serial;
        char mode;
        bool changeMessage;
    };
    const Case cases[] = {
        {"--model 505 --mode 2", 3, 1, 0, 105, "1234", '2', true},
        {"--model 505 --e-version --serial 77", 1, 1, 0, 105, "E77", '1', false},
        {"--model 515 --firmware 1.90", 4, 2, 515, 190, "1234", '1', true},
        {"--model 515", 4, 4, 515, 210, "1234", '1', false},
        {"--model 525", 3, 3, 525, 308, "1234", '1', false},
        {"--model 530", 3, 5, 530, 320, "1234", '1', true},
        {"--model 535", 6, 6, 535, 320, "1234", '1', false},
        {"--model 545", 10, 10, 545, 220, "1234", '1', false},
        {"--model 590", 10, 10, 590, 310, "1234", '1', false},
        {"--model 550", 8, 8, 550, 320, "1234", '1', false},
        {"--model 560", 12, 12, 560, 600, "1234", '1', false},
        {"--model 595", 12, 12, 595, 600, "1234", '1', false},
        {"--model 410", 9, 9, 410, 320, "1234", '1', false},
        {"--model 420", 9, 12, 420, 600, "1234", '1', true},
        {"--model monitor", 7, 7, 0, 100, "1234", '1', false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        SimulatedUnit unit(c.options, c.selectorBefore);
        const IdentifyOutcome out = IdentifyOverLink(unit.link, true);
        EXPECT_EQ(out.result, c.mode);
        EXPECT_EQ(unit.link.deviceSelector, c.selectorAfter);
        EXPECT_EQ(out.identity.deviceType, c.deviceType);
        EXPECT_EQ(out.identity.firmware, c.firmware);
        EXPECT_EQ(out.identity.serial, c.serial);
        EXPECT_EQ(unit.ui.Messages(), c.changeMessage ? std::vector<std::string>{"Unit type on ORLU menu is changed !"}
                                                       : std::vector<std::string>{});
        const std::vector<std::uint8_t> sent = unit.pty.Received();
        EXPECT_EQ(std::string(sent.begin(), sent.end()), ";#1;");
    }
}

TEST(PtyLinkTest, OldUnitFirmwareFollowsTheUnit)
{
    for (const auto& [firmware, old] : {std::pair{"3.57", true}, {"3.08", false}, {"3.07", true}}) {
        SimulatedUnit unit(std::string("--model 525 --firmware ") + firmware, 3);
        unit.link.flags.oldUnitFirmware = !old;
        IdentifyOverLink(unit.link, true);
        EXPECT_EQ(unit.link.flags.oldUnitFirmware, old) << firmware;
    }
}

TEST(PtyLinkTest, FaultsEndInTheErrorDialogAndThePortOpensAgain)
{
    struct Case {
        std::string fault;
        int result;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"silent", kIdentifyNoReply, {std::string(kConnectionError)}},
        {"garbage", kIdentifyNoReply, {std::string(kConnectionError)}},
        {"cut:9", kIdentifyNoReply, {std::string(kConnectionError)}},
        {"unknown-type", kIdentifyRefused, {"Unknown unit type! Sorry..."}},
        {"no-firmware", kIdentifyRefused, {}},
        // Accepted: the reply is found behind noise or collected again after a control byte.
        {"noise", '1', {}},
        {"control", '1', {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        // The fault hits the first command only: the second identify on the same port succeeds.
        SimulatedUnit unit("--model 525 --fault " + c.fault + "@1", 3);
        EXPECT_EQ(IdentifyOverLink(unit.link, true).result, c.result);
        EXPECT_EQ(unit.ui.Messages(), c.messages);
        EXPECT_EQ(IdentifyOverLink(unit.link, true).result, '1');
        EXPECT_EQ(unit.ui.Messages().size(), c.messages.size());
    }
}

TEST(PtyLinkTest, ADisconnectedLineFailsAtOnceAndLeavesNoPortOpen)
{
    SimulatedUnit unit("--model 525 --fault disconnect:5", 3);
    unit.link.timing = LinkTiming::Standard(); // 6 s per byte: the hang-up must not wait for it
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(IdentifyOverLink(unit.link, true).result, kIdentifyNoReply);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(unit.ui.Messages(), std::vector<std::string>{std::string(kConnectionError)});
    // The line is gone: opening shows the dialog again, once.
    EXPECT_EQ(unit.link.OpenPort(ComProfile::Commands), nullptr);
    EXPECT_EQ(unit.ui.Messages().size(), 2u);
}

TEST(PtyLinkTest, TheTranscriptHoldsEveryByteReceived)
{
    const std::filesystem::path path = std::filesystem::path(testing::TempDir()) / "link-transcript.bin";
    {
        sim::SimOptions options;
        sim::InstrumentModel model(options);
        sim::PtyInstrument pty(model, path);
        ASSERT_TRUE(pty.Start());
        ScriptedInteraction ui;
        SystemClock clock;
        SerialLinkSettings serial;
        UnitLink link(ui, serial, clock);
        link.timing = LinkTiming::Fast();
        link.deviceSelector = 3;
        link.SetPortOverride(pty.SlavePath());
        IdentifyOverLink(link, true);
        IdentifyOverLink(link, true);
    }
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(bytes, ";#1;;#1;");
    EXPECT_TRUE(std::filesystem::exists(path.string() + ".times"));
}

} // namespace
} // namespace orlu
