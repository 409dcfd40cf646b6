#include "ScriptedTransport.h"
#include "link/UnitProtocol.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

IdentifyReplyCollector::State FeedAll(IdentifyReplyCollector& c, std::string_view bytes)
{
    for (char b : bytes)
        c.Feed(static_cast<std::uint8_t>(b));
    return c.Current();
}

TEST(IdentifyReplyTest, NoiseBeforeTheHashIsSkippedAndAControlByteRestartsTheReply)
{
    IdentifyReplyCollector c;
    // The first reply is broken by a control byte; the mode comes from the one collected again.
    EXPECT_EQ(FeedAll(c, std::string("\x55\xAAzz#1,X1,N12") + '\x07' + "xx#1,X2,N12,W1.05;"),
              IdentifyReplyCollector::State::Complete);
    EXPECT_EQ(c.Reply(), "#1,X2,N12,W1.05;");
    EXPECT_EQ(c.Mode(), '2');
}

TEST(IdentifyReplyTest, ModeIsAfterTheLastXElseAfterTheHash)
{
    IdentifyReplyCollector withX, withoutX;
    FeedAll(withX, "#1,X1,Q4,X2;");
    FeedAll(withoutX, "#7,U525;");
    EXPECT_EQ(withX.Mode(), '2');
    EXPECT_EQ(withoutX.Mode(), '7');
}

TEST(IdentifyReplyTest, AReplyLongerThanItsLimitIsRefused)
{
    IdentifyReplyCollector c(16);
    EXPECT_EQ(FeedAll(c, "#1,U525,N1234,W3.08,Q1;"), IdentifyReplyCollector::State::TooLong);
    IdentifyReplyCollector exact(16);
    EXPECT_EQ(FeedAll(exact, "#1,U525,N12345;"), IdentifyReplyCollector::State::Complete); // 16 bytes with ';'
}

TEST(IdentifyReplyTest, FieldsAndIdentity)
{
    const std::string reply = "#1,XW,U515,NE0042,Wx,W3.57,XXXXXXXXXXXXXXXXXXX;";
    EXPECT_EQ(ExtractReplyField(reply, 'W'), "W3.57"); // the first W followed by a digit
    EXPECT_EQ(ExtractReplyField(reply, 'N'), "NE0042");
    EXPECT_EQ(ExtractReplyField(reply, 'X'), "XW");
    EXPECT_EQ(ExtractReplyField("#1,QXXXXXXXXXXXXXXXXXXXX;", 'Q').size(), 15u);
    EXPECT_EQ(ExtractReplyField(reply, 'Z'), "");

    const UnitIdentity id = ParseIdentity(reply);
    EXPECT_EQ(id.deviceType, 515);
    EXPECT_EQ(id.firmware, 357);
    EXPECT_FALSE(id.firmwareMissing);
    EXPECT_EQ(id.serial, "E0042");
    EXPECT_TRUE(id.eVersion);
    EXPECT_EQ(ParseIdentity("#1,W3.7;").firmware, 307);
    EXPECT_EQ(ParseIdentity("#1,W1;").firmware, 100);
    EXPECT_TRUE(ParseIdentity("#1,U525;").firmwareMissing);
}

TEST(ReplyHeaderTest, SevenBytesFor505NineForOthersReadByPosition)
{
    // Stray bytes before '#', and '#' and ';' inside the filler.
    ScriptedTransport for505(std::string("\x01\x02#;#\x10\x27\x00\x00", 9));
    EXPECT_EQ(ReadReplyHeader(for505, true), 10000u);
    ScriptedTransport other(std::string("#;#;#\x05\x00\x00\x01", 9));
    EXPECT_EQ(ReadReplyHeader(other, false), 0x01000005u);
    ScriptedTransport cut(std::string("#;#;#\x05", 6));
    EXPECT_EQ(ReadReplyHeader(cut, false), std::nullopt);
}

TEST(UnitProtocolTest, SelectorOfEachDeviceType)
{
    const std::pair<int, int> table[] = {{505, 1}, {515, 4}, {525, 3}, {530, 5},  {535, 6},  {545, 10},
                                         {590, 10}, {550, 8}, {560, 12}, {570, 12}, {575, 12}, {580, 12},
                                         {595, 12}, {410, 9}, {420, 12}};
    for (const auto& [type, selector] : table)
        EXPECT_EQ(SelectorForDeviceType(static_cast<std::uint16_t>(type), false), selector) << type;
    EXPECT_EQ(SelectorForDeviceType(0, true), 1);
    EXPECT_EQ(SelectorForDeviceType(0, false), 2);
    EXPECT_EQ(SelectorForDeviceType(999, false), std::nullopt);
}

struct IdentifyCase {
    const char* name;
    std::string reply;
    std::uint8_t selectorBefore;
    bool firmwareCheck;
    int result;
    std::uint8_t selectorAfter;
    std::vector<std::string> messages;
};

TEST(UnitProtocolTest, IdentifyUnitOutcomes)
{
    const std::string changed = "Unit type on ORLU menu is changed !";
    const IdentifyCase cases[] = {
        {"515 below 2.00 selects the text-display family", "#1,U515,N7,W1.90;", 4, true, '1', 2, {changed}},
        {"same family, no message", "#1,U525,N7,W3.08;", 3, true, '1', 3, {}},
        {"505 without U but with X", "#1,X2,N7,W1.05;", 3, true, '2', 1, {changed}},
        {"no U and no X counts as a 515", "#1,N7,W2.10;", 2, true, '1', 2, {}},
        {"unknown type", "#1,U999,N7,W3.08;", 3, true, kIdentifyRefused, 3, {"Unknown unit type! Sorry..."}},
        {"missing firmware with the check", "#1,U525,N7;", 3, true, kIdentifyRefused, 3, {}},
        {"missing firmware without the check", "#1,U525,N7;", 3, false, '1', 3, {}},
        {"MONITOR keeps its family", "#1,U999,N7;", 7, true, '1', 7, {}},
    };
    for (const IdentifyCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedTransport link(c.reply);
        ScriptedInteraction ui;
        LinkFlags flags;
        std::uint8_t selector = c.selectorBefore;
        const IdentifyOutcome out = IdentifyUnit(link, ui, &selector, c.firmwareCheck, flags);
        EXPECT_EQ(out.result, c.result);
        EXPECT_EQ(selector, c.selectorAfter);
        EXPECT_EQ(ui.Messages(), c.messages);
        EXPECT_EQ(link.sent, ";#1;");
        EXPECT_EQ(link.readsStarted, 1);
    }
}

TEST(UnitProtocolTest, RefusedFirmwareShowsTheGateMessage)
{
    ScriptedTransport link("#1,U545,N7,W2.00;");
    ScriptedInteraction ui;
    LinkFlags flags;
    std::uint8_t selector = 10;
    EXPECT_EQ(IdentifyUnit(link, ui, &selector, true, flags).result, kIdentifyRefused);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_NE(ui.Messages()[0].find("below 2.12"), std::string::npos);
}

TEST(UnitProtocolTest, OldUnitFirmwareFlag)
{
    struct Case {
        std::string reply;
        bool expected;
    };
    const Case cases[] = {
        {"#1,U525,W3.57;", true},  // 357 - 50 = 307
        {"#1,U525,W3.08;", false},
        {"#1,U525,W3.07;", true},
        {"#1,U545,W2.20;", false}, // never for the ORLU 545
        {"#1,U590,W3.10;", false},
    };
    for (const Case& c : cases) {
        ScriptedTransport link(c.reply);
        ScriptedInteraction ui;
        LinkFlags flags{!c.expected};
        IdentifyUnit(link, ui, nullptr, false, flags); // as the mode switch asks: no family evaluated
        EXPECT_EQ(flags.oldUnitFirmware, c.expected) << c.reply;
    }
}

TEST(UnitProtocolTest, NoOrBrokenReplyIsNoReply)
{
    for (const std::string& reply : std::vector<std::string>{"", "garbage", "#1,U52", "#1,U5" + std::string(2000, 'x')}) {
        ScriptedTransport link(reply);
        ScriptedInteraction ui;
        LinkFlags flags;
        std::uint8_t selector = 3;
        EXPECT_EQ(IdentifyUnit(link, ui, &selector, true, flags).result, kIdentifyNoReply) << reply.size();
        EXPECT_EQ(selector, 3);
    }
}

TEST(UnitProtocolTest, IdentifyOverUsbReleasesTheLinkOnceTheReplyIsIn)
{
    ScriptedTransport link("#1,U525,W3.08;", true);
    ScriptedInteraction ui;
    LinkFlags flags;
    std::uint8_t selector = 3;
    IdentifyUnit(link, ui, &selector, true, flags);
    EXPECT_EQ(link.releases, 1);
}

TEST(FileRequestTest, RequestTextsPerFamilyAndLetter)
{
    struct Case {
        std::uint8_t selector;
        char letter;
        const char* name;
        std::uint32_t count;
        bool old;
        const char* text; // empty: not served
        int kind;
    };
    const Case cases[] = {
        {1, 'm', "M001", 7, false, ";#4,1,M001;", 0},
        {1, 'a', "A001", 7, false, ";#4,2,A001;", 1},
        {1, 'k', "K1", 0, false, ";#4,0,K1;", 2},
        {1, 's', "S1", 0, false, ";#4,3,S1;", 2},
        {1, 'u', "U1", 0, false, ";#4,4,U1;", 2},
        {1, 'b', "B1", 0, false, ";#4,16,B1;", 2},
        {1, 'd', "D1", 0, false, "", 3},
        {3, 'd', "L0001", 12, false, ";#4,1,L0001<12;", 3},
        {3, 'd', "L0001", 0, false, ";#4,1,L0001;", 3},
        {3, 'b', "BUF_3", 5, false, ";#4,2,B3;", 4},
        {3, 'b', "BUFFER", 5, false, ";#4,2,B;", 4},
        {3, 's', "SET1", 2, false, ";#4,1,SET1<2;", 6},
        {3, 'z', "Z1", 0, false, "", 3},
        {2, 'l', "L1", 3, false, ";#4,1,L1<3;", 3},
        {2, 'a', "A1", 3, false, "", 3},
        {2, 's', "S1", 3, false, "", 3},
        {2, 'b', "BUF_3", 5, false, ";#4,2,B;", 4},
        {12, 'b', "BUF_3", 5, false, ";#4,2,BUF_3<5;", 4},
        {6, 'x', "RAMfile", 9, false, ";#4,3;", 3},
        {5, 't', "ABCDEFGH", 9, true, ";#4,1,ABCDEFGH;", 3},
        {5, 't', "ABC", 9, true, ";#4,1,ABC<9;", 3},
        {7, 'd', "D1", 1, false, "", 3},
        {11, 'd', "D1", 1, false, "", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.letter) + " " + c.name + " on " + std::to_string(c.selector));
        const FileRequest r = BuildFileRequest(c.selector, c.letter, c.name, c.count, c.old);
        EXPECT_EQ(r.group.empty(), *c.text == '\0');
        if (!r.group.empty()) {
            EXPECT_EQ(r.text, c.text);
            EXPECT_EQ(static_cast<int>(r.kind), c.kind);
        }
    }
    const std::pair<int, int> kinds[] = {{2, 43}, {3, 45}, {4, 44}, {5, 46}, {6, 47}, {8, 49}, {9, 48}, {10, 42}, {12, 44}};
    for (const auto& [selector, kind] : kinds)
        EXPECT_EQ(BuildFileRequest(static_cast<std::uint8_t>(selector), 'd', "F", 0, false).fileKind, kind);
    EXPECT_EQ(BuildFileRequest(1, 'k', "F", 0, false).fileKind, 8);
}

TEST(FileRequestTest, MergedKinds)
{
    struct Case {
        int requestIn;
        int kindIn;
        int kindOut;
        int requestOut;
        int header;
    };
    const Case cases[] = {
        {2, 3, 23, 0, 22},  {2, 4, 24, 1, 38},  {3, 43, 53, 3, 36}, {4, 44, 54, 4, 0},  {3, 73, 54, 3, 36},
        {3, 75, 54, 3, 36}, {3, 45, 55, 3, 36}, {3, 76, 56, 3, 36}, {3, 77, 57, 3, 36}, {3, 48, 58, 3, 36},
        {3, 79, 59, 3, 36}, {3, 78, 60, 3, 36}, {3, 42, 60, 3, 36}, {3, 5, 5, 3, 0},    {3, 0, 0, 3, 0},
    };
    for (const Case& c : cases) {
        const MergedKind m = MergedKindForFileKind(c.requestIn, static_cast<std::uint8_t>(c.kindIn));
        EXPECT_EQ(m.fileKind, c.kindOut) << c.kindIn;
        EXPECT_EQ(m.requestKind, c.requestOut) << c.kindIn;
        EXPECT_EQ(m.headerBytes, c.header) << c.kindIn;
    }
}

} // namespace
} // namespace orlu
