// Measurement files come from instruments, disks and old backups: a file cut
// short or with damaged words must open (decoded, or for the hex view) and
// every view of it must render, without a read outside the file. Each
// generated file is cut at every length and has each word replaced by a few
// hostile values; the document is loaded and every form the program has is
// built. The sanitizer build of the tests turns any stray read into a failure.

#include "document/CTmDoc.h"
#include "document/ViewKind.h"
#include "presentation/AppSettings.h"
#include "presentation/view/FormBuilder.h"
#include "presentation/view/FormRenderers.h"
#include "presentation/view/ViewSelection.h"
#include "support/DamageSamples.h"
#include "support/FixtureBuilder.h"
#include "support/FourChannelFixture.h"
#include "support/QuietInteraction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace orlu {
namespace {

using fixture::FixtureBuilder;

using fixture::DamageSample;

class DamagedFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = std::filesystem::temp_directory_path() / ("orlu-damaged-" + std::to_string(::getpid()) + ".orl");
        RegisterReportRenderers(renderers);
    }
    void TearDown() override { std::filesystem::remove(path); }

    // Loads the container and builds every form of every kind; returns the kind the load left.
    std::uint8_t LoadAndRenderAll(const FixtureBuilder& file)
    {
        file.WriteTo(path);
        AppContext app(ui);
        CTmDoc doc(app);
        EXPECT_TRUE(doc.OnOpenDocument(path));
        const FormBuilder builder(renderers, settings);
        for (std::uint8_t kind = 0; kind < kViewKindCount; ++kind) {
            for (FormChoice form : {FormChoice::Text, FormChoice::Table, FormChoice::Hex, FormChoice::Ascii}) {
                MeasurementViewState view;
                OpenView(view, doc);
                builder.ShowKindInForm(view, doc, kind, form);
            }
        }
        return doc.FileKind();
    }

    std::filesystem::path path;
    QuietInteraction ui;
    FormRendererRegistry renderers;
    AppSettings settings;
};

TEST_F(DamagedFiles, EveryCutOfAFileOpensAndRenders)
{
    for (const DamageSample& sample : fixture::DamageSamples()) {
        SCOPED_TRACE(sample.name);
        // The whole file decodes; that is what makes its cuts interesting.
        FixtureBuilder whole;
        whole.ContainerHeader(sample.kind).Bytes(sample.file);
        ASSERT_EQ(LoadAndRenderAll(whole), sample.kind);
        int refused = 0;
        for (std::size_t length = 0; length < sample.file.size(); ++length) {
            SCOPED_TRACE(length);
            FixtureBuilder cut;
            cut.ContainerHeader(sample.kind).Bytes(std::vector<std::uint8_t>(sample.file.begin(), sample.file.begin() + length));
            const std::uint8_t kind = LoadAndRenderAll(cut);
            EXPECT_TRUE(kind == sample.kind || kind == 100) << int(kind);
            refused += kind == 100;
        }
        // A file without its chain end is incomplete: most cuts are refused and shown as hex.
        EXPECT_GT(refused, static_cast<int>(sample.file.size()) / 2);
    }
}

TEST_F(DamagedFiles, EveryDamagedWordOpensAndRenders)
{
    for (const DamageSample& sample : fixture::DamageSamples()) {
        SCOPED_TRACE(sample.name);
        for (std::size_t word = 0; word + 1 < sample.file.size(); word += 2) {
            for (std::uint16_t value : {0x0000, 0xFFFF, 0x7FFF, 0x00FF}) {
                std::vector<std::uint8_t> damaged = sample.file;
                damaged[word] = static_cast<std::uint8_t>(value);
                damaged[word + 1] = static_cast<std::uint8_t>(value >> 8);
                SCOPED_TRACE(testing::Message() << "word " << word / 2 << " = " << value);
                FixtureBuilder file;
                file.ContainerHeader(sample.kind).Bytes(damaged);
                const std::uint8_t kind = LoadAndRenderAll(file);
                EXPECT_TRUE(kind == sample.kind || kind == 100 || kind == 99 || (kind >= 42 && kind <= 50)) << int(kind);
            }
        }
    }
}

TEST_F(DamagedFiles, EveryDamagedReverberationBlockLengthOpensAndRenders)
{
    // A 1/3-octave logger with spectra: the decoder takes blocks of both band sets.
    fixture::CurrentFileSpec spec;
    spec.function = 3;
    spec.spectraInBuffer = 1;
    spec.bands = 31;
    spec.bandExtras = 3;
    spec.lowestBand = 200;
    spec.rowWords = 35;
    spec.rows = 3;
    spec.declaredCount = 3;
    const DamageSample rt60{"spectra-525", 45, fixture::CurrentMeasurementFile(spec)};
    // The block sizes the decoder takes, from the file without blocks.
    std::uint32_t sizes[2] = {};
    {
        FixtureBuilder plain;
        plain.ContainerHeader(rt60.kind).Bytes(rt60.file).WriteTo(path);
        AppContext app(ui);
        CTmDoc doc(app);
        ASSERT_TRUE(doc.OnOpenDocument(path));
        for (CTmDoc::RtSet set : {CTmDoc::kRtThirdOctave, CTmDoc::kRtOctave})
            sizes[set] = doc.Rt(set).CurrentBytes;
    }
    ASSERT_GT(sizes[CTmDoc::kRtThirdOctave], 0u);
    ASSERT_GT(sizes[CTmDoc::kRtOctave], 0u);
    const auto dataLength = static_cast<std::uint32_t>(rt60.file.size());
    auto fileWith = [&](CTmDoc::RtSet damagedSet, std::uint32_t length) {
        FixtureBuilder file;
        file.ContainerHeader(rt60.kind, 0, 3, dataLength).Bytes(rt60.file);
        for (CTmDoc::RtSet set : {CTmDoc::kRtThirdOctave, CTmDoc::kRtOctave}) {
            if (set == damagedSet) // the length, then more bytes than a pool chunk holds, when it claims so many
                file.Le32(length).Pattern(std::min<std::uint32_t>(length, PagePool::kChunkSize + 8000));
            else
                file.RtBlock(std::vector<std::uint8_t>(sizes[set], 0));
        }
        return file;
    };

    ui.messages = 0;
    EXPECT_EQ(LoadAndRenderAll(fileWith(CTmDoc::kRtThirdOctave, sizes[CTmDoc::kRtThirdOctave])), rt60.kind);
    EXPECT_EQ(ui.messages, 0); // blocks of the right size are taken without a word
    for (CTmDoc::RtSet set : {CTmDoc::kRtThirdOctave, CTmDoc::kRtOctave}) {
        for (std::uint32_t length : {0u, sizes[set] - 120, sizes[set] + 1, sizes[set] + 120, 102400u, 102401u,
                                     0x7FFFFFFFu, 0xFFFFFFF0u, 0xFFFFFFFFu}) {
            SCOPED_TRACE(testing::Message() << "set " << int(set) << " length " << length);
            ui.messages = 0;
            EXPECT_EQ(LoadAndRenderAll(fileWith(set, length)), rt60.kind);
            EXPECT_GT(ui.messages, 0);
        }
    }
}

} // namespace
} // namespace orlu
