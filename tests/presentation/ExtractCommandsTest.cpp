// The view's Extract commands over documents of generated files: when they
// can run, what they hand to the application's new-document step, and that
// nothing stays pending afterwards.

#include "document/DocumentTestSupport.h"
#include "presentation/view/ExtractCommands.h"
#include "presentation/view/ViewSelection.h"
#include "support/LegacyFixture.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

using fixture::FixtureBuilder;

class ExtractCommands : public DocumentTest {
protected:
    /// The application's new-document step as the program runs it: a document filled
    /// from what is pending, kept here.
    void TakeNewDocuments()
    {
        app.NewUnitDocument = [this] {
            seenSource = app.PendingDocSource;
            auto doc = std::make_unique<CTmDoc>(app);
            doc->SetTitle("");
            if (doc->OnNewDocument())
                made.push_back(std::move(doc));
        };
    }

    std::vector<std::unique_ptr<CTmDoc>> made;
    int seenSource = -1;
};

TEST_F(ExtractCommands, SingleFileRunsOnAMultifileShowingOneOfItsFiles)
{
    auto multi = Open(Write("m.orl", fixture::Multifile(23, fixture::LegacyMultifileMembers(3))));
    auto single = Open(Write("s.orl", fixture::LegacyContainer(3, fixture::PlausibleLegacySpec())));
    struct Case {
        const char* name;
        bool multifile;
        std::uint8_t form;
        int subfile;
        std::int32_t MeasurementViewState::*allFiles; // set to 1 when given
        bool enabled;
    } cases[] = {
        {"text form on file 2", true, kFormText, 2, nullptr, true},
        {"table form on file 3", true, kFormTable, 3, nullptr, true},
        {"graph on file 1", true, kFormGraph, 1, nullptr, true},
        {"text form of all files", true, kFormText, 2, &MeasurementViewState::TextAllFiles, false},
        {"table form of all files", true, kFormTable, 2, &MeasurementViewState::TableAllFiles, false},
        {"graph of all files", true, kFormGraph, 2, &MeasurementViewState::MultiElement, false},
        {"another form's all-files switch", true, kFormText, 2, &MeasurementViewState::TableAllFiles, true},
        {"no file chosen", true, kFormText, 0, nullptr, false},
        {"a single file", false, kFormText, 0, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTmDoc& doc = c.multifile ? *multi : *single;
        MeasurementViewState view;
        OpenView(view, doc);
        view.FormKind = c.form;
        view.SubFileNumber = c.subfile;
        if (c.allFiles)
            view.*c.allFiles = 1;
        EXPECT_EQ(CanExtractSingleFile(view, doc), c.enabled);
    }
    EXPECT_FALSE(CanExtractBuffer(*multi));
}

TEST_F(ExtractCommands, SingleFileMakesTheShownFileADocumentAndLeavesNothingPending)
{
    const auto members = fixture::LegacyMultifileMembers(3);
    auto multi = Open(Write("m.orl", fixture::Multifile(23, members)));
    MeasurementViewState view;
    OpenView(view, *multi);
    view.FormKind = kFormText;
    view.SubFileNumber = 2;

    // Without the application's new-document step nothing is made, and nothing stays pending.
    EXPECT_FALSE(ExtractSingleFile(view, *multi));
    EXPECT_EQ(app.PendingDocSource, kPendingNone);

    TakeNewDocuments();
    ASSERT_TRUE(ExtractSingleFile(view, *multi));
    EXPECT_EQ(seenSource, kPendingMultifileItem);
    EXPECT_EQ(app.PendingDocSource, kPendingNone);
    EXPECT_EQ(app.ExtractSource, nullptr);
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0]->FileKind(), 3);
    EXPECT_EQ(made[0]->ByteCount(), members[1].bytes.size());
    EXPECT_EQ(made[0]->Title(), "FILE2 - binary (extracted from Multifile)");

    view.TextAllFiles = 1; // the command is off: the application is not asked
    EXPECT_FALSE(ExtractSingleFile(view, *multi));
    EXPECT_EQ(made.size(), 1u);
}

TEST_F(ExtractCommands, BufferRunsOnADocumentHoldingOne)
{
    const std::vector<std::uint8_t> buffer = fixture::SampleCurrentFamilyFile();
    auto monitor = Open(Write("mon.orl", FixtureBuilder().ContainerHeader(80).Le16(0).Bytes(buffer)));
    TakeNewDocuments();
    EXPECT_FALSE(CanExtractBuffer(*monitor));
    EXPECT_FALSE(ExtractBuffer(*monitor));
    EXPECT_TRUE(made.empty());

    monitor->SetEmbeddedFile(2, static_cast<std::uint32_t>(buffer.size()));
    ASSERT_TRUE(CanExtractBuffer(*monitor));
    ASSERT_TRUE(ExtractBuffer(*monitor));
    EXPECT_EQ(seenSource, kPendingMonitorBuffer);
    EXPECT_EQ(app.PendingDocSource, kPendingNone);
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0]->FileKind(), 45);
    EXPECT_EQ(made[0]->ByteCount(), buffer.size());
}

TEST_F(ExtractCommands, ABufferThatIsNoFileIsRefusedWithOneMessage)
{
    struct Case {
        const char* name;
        std::vector<std::uint8_t> buffer;
        std::vector<std::string> messages; ///< empty: the decoder's own refusal, alone
    };
    // Words 0 and 1 of a Buffer come before its name: zeros there and after the name are no header.
    std::vector<std::uint8_t> unreadable{0, 0, 'B', 'A', 'D', 'B', 'U', 'F', 0};
    unreadable.resize(96, 0);
    // An ORLU 545 file below the firmware this program reads: the decoder refuses it and says why.
    fixture::CurrentFileSpec old;
    old.deviceType = 545;
    old.firmware = 200;
    const Case cases[] = {
        {"not a measurement file", unreadable, {"BADBUF  -  Improper file contents"}},
        {"refused by its firmware", fixture::CurrentMeasurementFile(old), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedInteraction seen;
        AppContext context(seen);
        context.NewUnitDocument = [&context, this] {
            auto doc = std::make_unique<CTmDoc>(context);
            doc->SetTitle("");
            if (doc->OnNewDocument())
                made.push_back(std::move(doc));
        };
        const std::filesystem::path path = Write("mon.orl", FixtureBuilder().ContainerHeader(80).Le16(0).Bytes(c.buffer));
        CTmDoc monitor(context);
        ASSERT_TRUE(monitor.OnOpenDocument(path));
        monitor.SetEmbeddedFile(2, static_cast<std::uint32_t>(c.buffer.size()));
        const std::size_t before = seen.Messages().size();
        ExtractBuffer(monitor);
        EXPECT_TRUE(made.empty());
        EXPECT_EQ(context.PendingDocSource, kPendingNone);
        std::vector<std::string> shown = seen.Messages();
        shown.erase(shown.begin(), shown.begin() + static_cast<std::ptrdiff_t>(before));
        if (c.messages.empty()) {
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_NE(shown[0].find("ORLU 545 firmware versions below 2.12"), std::string::npos) << shown[0];
        } else {
            EXPECT_EQ(shown, c.messages);
        }
    }
}

} // namespace
} // namespace orlu
