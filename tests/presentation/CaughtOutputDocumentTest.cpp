// The documents a catch ends in: the station's worked image (the one the
// catch tests receive over both links) opens as a MONITOR document through
// the parser; an image the parser refuses makes none and shows why.

#include "document/CTmDoc.h"
#include "document/container/FileKindCode.h"
#include "monitor/MonitorDocument.h"
#include "monitor/MonitorLoader.h"
#include "presentation/CaughtOutputDocument.h"
#include "support/MonitorOutputImage.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <memory>

namespace orlu {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct CaughtDocumentTest : ::testing::Test {
    ScriptedInteraction ui;
    AppContext app{ui};
    std::unique_ptr<CTmDoc> doc;
    CaughtOutputMakers makers;

    CaughtDocumentTest()
    {
        InstallMonitorParser(app);
        makers.monitor = [this] {
            doc = std::make_unique<CTmDoc>(app);
            return doc->OnNewDocument();
        };
    }
};

TEST_F(CaughtDocumentTest, WorkedImageOpensAsMonitorDocument)
{
    Bytes buffer = {'O', 'r', 'l', 'u', 'P', 'C', 0x1A, 0, 0x0C, '#', '4', ',', '2', ';'};
    const Bytes worked = fixture::WorkedMonitorImage(buffer);
    Bytes seen;
    makers.monitor = [&, make = makers.monitor] {
        seen = app.CaughtOutput.value_or(Bytes{});
        EXPECT_EQ(app.PendingFileKind, kKindMonitor);
        return make();
    };
    ASSERT_TRUE(OpenCaughtOutput(app, {CatchOutcome::MonitorImage, worked, worked.size()}, makers));
    EXPECT_EQ(seen, worked);
    EXPECT_FALSE(app.CaughtOutput.has_value());
    EXPECT_EQ(doc->FileKind(), kKindMonitor);
    ASSERT_NE(doc->Monitor(), nullptr);
    EXPECT_EQ(doc->Monitor()->Count(kStreamSound), 6u); // two intervals of three profiles
    EXPECT_EQ(doc->Monitor()->EmbeddedBufferDeclared, buffer.size());
    EXPECT_EQ(doc->Monitor()->EmbeddedBufferLength, buffer.size());
    EXPECT_EQ(doc->Monitor()->EmbeddedBufferStart, worked.size() - buffer.size());
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(CaughtDocumentTest, OutcomesWithoutDocument)
{
    Bytes refused = {'S', 'T', 'M', ' ', '0', '1', '2', '3', '4', '5', '6', 0, 0, 0, 6, '#', '8', 'Y', '1', ';', ';'};
    const std::string monitorMessage(kNotMonitorOutputText);
    struct Case {
        CaughtOutput caught;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        // Complete by its lengths, but no station stream the parser takes.
        {{CatchOutcome::MonitorImage, refused, refused.size()}, {monitorMessage}},
        {{CatchOutcome::Cancelled, refused, refused.size()}, {}},
        {{CatchOutcome::Nothing, {}, 0}, {}},
    };
    for (const Case& c : cases) {
        ui.Verify();
        ScriptedInteraction local;
        app.Ui = &local;
        doc.reset();
        EXPECT_FALSE(OpenCaughtOutput(app, c.caught, makers));
        EXPECT_EQ(local.Messages(), c.messages);
        EXPECT_FALSE(app.CaughtOutput.has_value());
        EXPECT_EQ(app.PendingDocSource, kPendingNone);
        app.Ui = &ui;
    }
}

TEST_F(CaughtDocumentTest, PrintedOutputGoesToTheTextMaker)
{
    std::string got;
    makers.text = [&](std::string bytes) {
        got = std::move(bytes);
        return true;
    };
    const Bytes printed = {'L', 'e', 'q', '\r', '\n', 0x0C, '\r', '\n'};
    EXPECT_TRUE(OpenCaughtOutput(app, {CatchOutcome::PrintedOutput, printed, 6}, makers));
    EXPECT_EQ(got, std::string(printed.begin(), printed.end()));
    EXPECT_EQ(doc, nullptr);
}

} // namespace
} // namespace orlu
