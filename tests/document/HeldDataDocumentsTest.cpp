// Documents made from data the program holds: one file of a Multifile, the
// Buffer inside a MONITOR file, and what the Extract commands hand to them.

#include "DocumentTestSupport.h"
#include "document/ExtractRequest.h"
#include "support/Analyzer505Fixture.h"
#include "support/FourChannelFixture.h"
#include "support/LegacyFixture.h"

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::FixtureBuilder;
using fixture::MultifileMember;

std::vector<std::uint8_t> ImageBytes(const CTmDoc& doc)
{
    std::vector<std::uint8_t> bytes(doc.ByteCount());
    const ImageReader image = doc.Reader();
    for (std::uint32_t b = 0; b < doc.ByteCount(); ++b)
        bytes[b] = image.Byte(b);
    return bytes;
}

class HeldDataDocuments : public DocumentTest {
protected:
    /// The document the Extract command makes of sub-file n, as the application makes it:
    /// the fields set, the title given, then filled. Null when the command refused.
    std::unique_ptr<CTmDoc> Extract(const CTmDoc& source, int n)
    {
        if (!RequestSubfileExtract(app, source, n))
            return nullptr;
        return Fill();
    }

    std::unique_ptr<CTmDoc> Fill()
    {
        auto doc = std::make_unique<CTmDoc>(app);
        doc->SetTitle("");
        const bool filled = doc->OnNewDocument();
        app.PendingDocSource = kPendingNone;
        return filled ? std::move(doc) : nullptr;
    }

    static MultifileMember Member(const std::string& directoryName, const CurrentFileSpec& spec)
    {
        return {directoryName, fixture::CurrentMeasurementFile(spec)};
    }
};

TEST_F(HeldDataDocuments, TheThirdFileOfALegacyMultifileBecomesAFileOfItsOwn)
{
    const std::vector<MultifileMember> members = fixture::LegacyMultifileMembers(3);
    auto source = Open(Write("m.orl", fixture::Multifile(23, members)));
    ASSERT_EQ(source->FileKind(), 23);

    auto doc = Extract(*source, 3);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->FileKind(), 3);
    EXPECT_EQ(ImageBytes(*doc), members[2].bytes);
    EXPECT_EQ(doc->Title(), "FILE3 - binary (extracted from Multifile)");
    EXPECT_TRUE(doc->LegacyDecoded());
    EXPECT_FALSE(doc->Legacy().merged);
    EXPECT_EQ(doc->SubfileCount(), 0);
    // The third file holds results only: its views are a single file's, not the Multifile's.
    EXPECT_EQ(doc->GetViewMask() & kViewMaskBuffer, 0u);
    EXPECT_NE(doc->GetViewMask() & kViewMaskMainResults, 0u);
    EXPECT_TRUE(ui.Messages().empty());

    // Stored, it opens again as that file.
    const std::vector<std::uint8_t> stored = SaveAndRead(*doc, "file3.orl");
    auto reopened = Open(dir / "file3.orl");
    EXPECT_EQ(reopened->FileKind(), 3);
    EXPECT_EQ(ImageBytes(*reopened), members[2].bytes);
    EXPECT_EQ(stored.size(), 32 + members[2].bytes.size());
}

TEST_F(HeldDataDocuments, AnExtractedCurrentFamilyFileTakesTheKindOfItsModel)
{
    struct Case {
        std::uint16_t deviceType, firmware;
        std::uint8_t kind;
    } cases[] = {
        {535, 300, 47}, {525, 300, 45}, {530, 300, 46}, {515, 150, 43}, {515, 300, 44}, {550, 300, 49},
        {410, 300, 48},
        // Models whose device type alone would give them another kind.
        {595, 300, 47}, {570, 300, 45},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.deviceType << " firmware " << c.firmware);
        CurrentFileSpec first;
        CurrentFileSpec model;
        model.name = "L0000002";
        model.deviceType = c.deviceType;
        model.firmware = c.firmware;
        const std::vector<MultifileMember> members = {Member("FIRST", first), Member("SECOND", model)};
        auto source = Open(Write("m.orl", fixture::Multifile(57, members)));
        ASSERT_EQ(source->FileKind(), 57);

        auto doc = Extract(*source, 2);
        ASSERT_TRUE(doc);
        EXPECT_EQ(doc->FileKind(), c.kind);
        EXPECT_EQ(ImageBytes(*doc), members[1].bytes);
        EXPECT_EQ(doc->Header().deviceType, c.deviceType);
        // Titled by the name in the file's own header, not the directory's.
        EXPECT_EQ(doc->Title(), "L0000002 - binary (extracted from Multifile)");
        EXPECT_NE(doc->GetViewMask() & kViewMaskMainResults, 0u);
    }

    // Four-channel files, the ORLU 590 too, become 42.
    for (auto [deviceType, firmware] : {std::pair<std::uint16_t, std::uint16_t>{545, 217}, {590, 302}}) {
        SCOPED_TRACE(deviceType);
        const std::vector<MultifileMember> members = {
            Member("FIRST", CurrentFileSpec{}),
            {"FOUR", fixture::FourChannelMeasurementFile(fixture::MakeFourChannelSpec(deviceType, firmware, 4, 1))}};
        auto source = Open(Write("m.orl", fixture::Multifile(57, members)));
        auto doc = Extract(*source, 2);
        ASSERT_TRUE(doc);
        EXPECT_EQ(doc->FileKind(), 42);
        EXPECT_EQ(ImageBytes(*doc), members[1].bytes);
    }
}

TEST_F(HeldDataDocuments, AnOddByteLengthLeavesTheLastByteBehind)
{
    // Start and length go over in whole words.
    MultifileMember odd = Member("ODD", CurrentFileSpec{});
    const std::vector<std::uint8_t> file = odd.bytes;
    odd.bytes.push_back(0xAB);
    const std::vector<MultifileMember> members = {Member("FIRST", CurrentFileSpec{}), odd};
    auto source = Open(Write("m.orl", fixture::Multifile(57, members)));
    ASSERT_EQ(source->GetSubfileLength(2), file.size() + 1);

    ASSERT_TRUE(RequestSubfileExtract(app, *source, 2));
    EXPECT_EQ(app.ExtractLength, file.size() / 2);
    auto doc = Fill();
    ASSERT_TRUE(doc);
    EXPECT_EQ(ImageBytes(*doc), file);
}

TEST_F(HeldDataDocuments, AnExtractOutsideTheSourceIsRefusedAndNothingIsMade)
{
    const std::vector<MultifileMember> members = fixture::LegacyMultifileMembers(3);
    auto source = Open(Write("m.orl", fixture::Multifile(23, members)));

    // The command refuses a number that names no file, and sets nothing.
    for (int n : {0, 4, -1}) {
        SCOPED_TRACE(n);
        EXPECT_FALSE(RequestSubfileExtract(app, *source, n));
        EXPECT_EQ(app.PendingDocSource, kPendingNone);
        EXPECT_EQ(app.ExtractSource, nullptr);
    }

    // Fields that run past the source's data (one word past, or far past) copy nothing.
    const std::uint32_t words = source->ByteCount() / 2;
    struct Case {
        std::uint32_t start, length;
    } cases[] = {{words - 10, 11}, {words, 1}, {0xFFFFFFF0u, 0x20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << "+" << c.length);
        ScriptedInteraction local;
        AppContext localApp(local);
        localApp.PendingDocSource = kPendingMultifileItem;
        localApp.ExtractSource = source.get();
        localApp.ExtractStart = c.start;
        localApp.ExtractLength = c.length;
        CTmDoc doc(localApp);
        EXPECT_FALSE(doc.OnNewDocument());
        EXPECT_EQ(local.Messages(), std::vector<std::string>{"Improper file contents..."});
        EXPECT_EQ(doc.ByteCount(), 0u);
        EXPECT_TRUE(doc.Image().Empty());
    }
}

TEST_F(HeldDataDocuments, AFileWhoseHeaderCannotBeDecodedMakesNoDocumentAndSaysSoOnce)
{
    // The second file is cut after its header words: its blocks run past its end.
    std::vector<MultifileMember> members = fixture::LegacyMultifileMembers(2);
    members[1].bytes.resize(24);
    auto source = Open(Write("m.orl", fixture::Multifile(23, members)));
    ASSERT_EQ(source->FileKind(), 23);
    std::vector<std::string> expected = ui.Messages();
    expected.push_back(source->GetSubfileName(2) + "  -  Improper file contents");
    EXPECT_FALSE(Extract(*source, 2));
    EXPECT_EQ(ui.Messages(), expected);
}

TEST_F(HeldDataDocuments, AnAnalyzerFileOfAMultifileIsExtractedAsKind4)
{
    fixture::Analyzer505Spec octaves;
    octaves.function = 3;
    octaves.bands = 9;
    octaves.values = 11;
    const fixture::Analyzer505Spec specs[] = {fixture::Analyzer505Spec{}, octaves};
    auto source = Open(Write("a.orl", fixture::Analyzer505Multifile(specs)));
    ASSERT_EQ(source->FileKind(), 24);

    auto doc = Extract(*source, 2);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->FileKind(), 4);
    EXPECT_EQ(ImageBytes(*doc), fixture::BuildAnalyzer505File(octaves));
    EXPECT_TRUE(doc->AnalyzerDecoded());
    EXPECT_EQ(doc->Title(), "A0000002 - binary (extracted from Multifile)");
}

TEST_F(HeldDataDocuments, TheBufferOfAMonitorFileIsDecodedAsAnOrlu525File)
{
    // The station's instrument is an ORLU 535; its Buffer still opens as an ORLU 525's.
    CurrentFileSpec station;
    station.deviceType = 535;
    station.name = "BUF00001";
    const std::vector<std::uint8_t> buffer = fixture::CurrentMeasurementFile(station);
    const std::string text = "[MONITOR station 7;]";
    auto source = Open(Write("mon.orl", FixtureBuilder().ContainerHeader(80).Text(text).Bytes(buffer)));
    ASSERT_EQ(source->FileKind(), 80);
    // What the MONITOR parser records of the Buffer it finds.
    source->SetEmbeddedFile(static_cast<std::uint32_t>(text.size()), static_cast<std::uint32_t>(buffer.size()));

    ASSERT_TRUE(RequestBufferExtract(app, *source));
    EXPECT_EQ(app.PendingDocSource, kPendingMonitorBuffer);
    EXPECT_EQ(app.PendingExtractName, "BUF00001");
    auto doc = Fill();
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->FileKind(), 45);
    EXPECT_EQ(ImageBytes(*doc), buffer);
    EXPECT_EQ(doc->Header().deviceType, 535);
    EXPECT_EQ(doc->Title(), "BUF00001 - binary (extracted from MONITOR file)");

    // A Buffer reaching past the image copies nothing.
    app.PendingDocSource = kPendingMonitorBuffer;
    app.ExtractStart = source->ByteCount() - 1;
    CTmDoc past(app);
    EXPECT_FALSE(past.OnNewDocument());
    EXPECT_EQ(past.ByteCount(), 0u);
    EXPECT_EQ(ui.Messages().back(), "Improper file contents...");
}

TEST_F(HeldDataDocuments, ABufferNameIsReadNoFurtherThanTheImageOrItsField)
{
    struct Case {
        const char* name;
        std::vector<std::uint8_t> tail; // the image from the Buffer's second word to its end
        std::string expected;
    } cases[] = {
        {"ends at a zero byte", {'A', 'B', 0, 'C'}, "AB"},
        {"runs to the image end", {'X', 'Y', 'Z', 'W'}, "XYZW"},
        {"longer than its field", std::vector<std::uint8_t>(40, 'N'), std::string(31, 'N')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto source = Open(Write("mon.orl", FixtureBuilder().ContainerHeader(80).Le16(0).Le16(0).Bytes(c.tail)));
        EXPECT_FALSE(RequestBufferExtract(app, *source)); // no Buffer found yet
        source->SetEmbeddedFile(2, static_cast<std::uint32_t>(c.tail.size() + 2));
        ASSERT_TRUE(RequestBufferExtract(app, *source));
        EXPECT_EQ(app.PendingExtractName, c.expected);
        EXPECT_EQ(app.ExtractStart, 2u);
    }
}

} // namespace
} // namespace orlu
