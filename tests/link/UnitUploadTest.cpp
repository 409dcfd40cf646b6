// Uploading a document into the simulated instrument: the exact
// announcements, the name in the file's words 1 to 4, the answer, and the
// in-place directory update; faults leave the directory as it was and say
// "Upload incomplete. Sorry!".

#include "SimulatedUnit.h"
#include "document/CTmDoc.h"
#include "link/UnitFileDownload.h"
#include "link/UnitUpload.h"
#include "platform/FileIo.h"
#include "support/FixtureBuilder.h"
#include "support/FourChannelFixture.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

using namespace fixture;
using Bytes = std::vector<std::uint8_t>;

Bytes Pattern(std::size_t n)
{
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return b;
}

/// A current-family measurement file of exactly `size` bytes: a histogram
/// (4 bytes a class) and a title (2 bytes a word) of the lengths that fit.
Bytes CurrentFileOf(std::size_t size)
{
    CurrentFileSpec spec = PlausibleMeasurementSpec();
    for (std::uint16_t classes = 1; classes < 400; ++classes)
        for (std::size_t title = 0; title < 4; title += 2) {
            spec.histogramClasses = classes;
            spec.histogramCounts.assign(classes, 1);
            spec.title = std::string(title, 'T');
            Bytes file = CurrentMeasurementFile(spec);
            if (file.size() == size)
                return file;
        }
    ADD_FAILURE() << "no file of " << size << " bytes";
    return {};
}

struct Upload {
    SimulatedUnit unit;
    AppContext app{unit.ui};
    CTmDoc doc{app};
    CUnitDirectory dir;
    TransferProgress progress;
    std::filesystem::path folder;
    std::string sentBefore;
    std::vector<std::string> proposed;

    Upload(const std::string& options, std::uint8_t selector, std::vector<sim::UnitFile> files = {})
        : unit(options, selector, std::move(files))
    {
        folder = std::filesystem::path(testing::TempDir()) /
                 ("up-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(dir.ReadDirectory(unit.link, progress));
        sentBefore = unit.Sent();
    }
    ~Upload() { std::filesystem::remove_all(folder); }

    /// Opens the document from a container file of the bytes.
    void Open(const std::string& name, std::uint8_t kind, const Bytes& data)
    {
        FixtureBuilder().ContainerHeader(kind).Bytes(data).WriteTo(folder / name);
        ASSERT_TRUE(doc.OnOpenDocument(folder / name));

    }
    bool Run(const std::string& name)
    {
        return UploadToInstrument(doc, unit.link, dir, progress, [&](const UploadTarget&, const std::string& p) {
            proposed.push_back(p);
            return name;
        });
    }
    std::string SentByUpload() const { return unit.Sent().substr(sentBefore.size()); }
    Bytes Image() const
    {
        Bytes out(doc.ByteCount());
        for (std::uint32_t i = 0; i < doc.ByteCount(); ++i)
            out[i] = doc.Reader().Byte(i);
        return out;
    }
};

std::string Text(const Bytes& b)
{
    return std::string(b.begin(), b.end());
}

TEST(UnitUploadTest, Orlu505MeterFileIsAnnouncedWithItsSizeAsFourBytes)
{
    Upload u("--model 505", 1);
    const Bytes image = Pattern(1000);
    ASSERT_TRUE(u.doc.CopyIntoPages(image));
    u.doc.SetFileKind(3);
    u.doc.SetPathName("/data/meas/run7.orl", false);
    EXPECT_TRUE(u.Run("NEW1"));
    EXPECT_EQ(u.proposed, std::vector<std::string>{"run7"});
    Bytes expected = {';', '#', '5', ',', '1', ',', 'N', 'E', 'W', '1', ';', 0xE8, 0x03, 0x00, 0x00};
    expected.insert(expected.end(), image.begin(), image.end());
    EXPECT_EQ(u.SentByUpload(), Text(expected));
    EXPECT_EQ(u.unit.ui.Messages(), std::vector<std::string>{"NEW1  -  Upload completed O.K."});
    // The ORLU 505's file keeps its own bytes; the directory lists it with its size in bytes.
    EXPECT_EQ(u.Image(), image);
    const int at = u.dir.FindEntry("NEW1", 1);
    ASSERT_GE(at, 0);
    EXPECT_EQ(u.dir.GetEntry(static_cast<std::size_t>(at)).RawName(), "NEW1    ");
    EXPECT_EQ(u.dir.GetEntry(static_cast<std::size_t>(at)).Size(), 1000u);
    EXPECT_FALSE(u.dir.DirectoryStale());
}

TEST(UnitUploadTest, CurrentFamilyFileCarriesTheNameAndDownloadsAsUploaded)
{
    Upload u("--model 525", 3, {{"OLD", 1, 0, Pattern(64)}});
    u.Open("meas.orl", 45, CurrentFileOf(1000));
    EXPECT_TRUE(u.Run("RUN5"));
    const std::string sent = u.SentByUpload();
    EXPECT_EQ(sent.substr(0, 11), ";#9,1,1000,");
    EXPECT_EQ(sent.size(), 11u + 1000u);
    // Words 1 to 4 hold the name, zero-filled; the rest of the file is as it was.
    const Bytes image = u.Image();
    EXPECT_EQ(Bytes(image.begin() + 2, image.begin() + 10), (Bytes{'R', 'U', 'N', '5', 0, 0, 0, 0}));
    EXPECT_EQ(sent.substr(11), Text(image));
    EXPECT_FALSE(u.doc.IsModified());
    EXPECT_EQ(u.unit.ui.Messages(), std::vector<std::string>{"RUN5  -  Upload completed O.K."});
    // The new entry: blank-padded name, the measurement's function as its type, the size in bytes.
    ASSERT_EQ(u.dir.GetEntryCount(), 2u);
    const UnitDirEntry& entry = u.dir.GetEntry(1);
    EXPECT_EQ(entry.RawName(), "RUN5    ");
    EXPECT_EQ(entry.Type(), u.doc.Header().function);
    EXPECT_EQ(entry.Size(), 1000u);
    EXPECT_EQ(entry.ItemData(), 0u);

    // Read back from the instrument, the file is the uploaded image.
    CUnitDirectory fresh;
    ASSERT_TRUE(fresh.ReadDirectory(u.unit.link, u.progress));
    const int at = fresh.FindEntry("RUN5", 1);
    ASSERT_GE(at, 0);
    fresh.GetSelectedNames().push_back("RUN5<l>");
    fresh.GetSelectedEntries().push_back(static_cast<std::size_t>(at));
    fresh.GetSelectedData().push_back(fresh.GetEntry(static_cast<std::size_t>(at)).ItemData());
    fresh.GetSelectionFlags()[static_cast<std::size_t>(at)] = 1;
    EXPECT_EQ(DownloadBinary(u.unit.link, fresh, u.progress, u.folder), 0);
    const Bytes downloaded = ReadWholeFile(u.folder / "RUN5.orl").value_or(Bytes{});
    ASSERT_EQ(downloaded.size(), 32u + 1000u);
    EXPECT_EQ(Bytes(downloaded.begin() + 32, downloaded.end()), image);
}

TEST(UnitUploadTest, ASplitLoggerGoesBackAsItWasRead)
{
    CurrentFileSpec spec = ThreeProfileLoggerSpec(40);
    spec.events = {{5, false, 1}, {9, true, 3}};
    Bytes file = CurrentMeasurementFile(spec);
    Upload u("--model 525", 3);
    u.Open("logger.orl", 45, file);
    ASSERT_TRUE(u.doc.HasAsLoadedImage());
    ASSERT_NE(u.doc.ByteCount(), file.size());
    EXPECT_TRUE(u.Run("LOG1"));
    std::copy_n("LOG1\0\0\0\0", 8, file.begin() + 2);
    EXPECT_EQ(u.SentByUpload(), ";#9,3," + std::to_string(file.size()) + "," + Text(file));
    EXPECT_EQ(u.dir.GetEntry(0).Size(), file.size());
    // The views' image carries the name as well.
    EXPECT_EQ(u.Image()[2], 'L');
}

TEST(UnitUploadTest, AnExistingEntryIsReplacedInPlace)
{
    Upload u("--model 505", 1, {{"RUN1", 1, 0, Pattern(40)}, {"RUN2", 1, 0, Pattern(50)}});
    ASSERT_TRUE(u.doc.CopyIntoPages(Pattern(300)));
    u.doc.SetFileKind(3);
    EXPECT_TRUE(u.Run("RUN1"));
    ASSERT_EQ(u.dir.GetEntryCount(), 2u);
    EXPECT_EQ(u.dir.GetEntry(0).Size(), 300u);
    EXPECT_EQ(u.dir.GetEntry(1).Size(), 50u);
}

TEST(UnitUploadTest, FaultsLeaveTheDirectoryAsItWasAndSayIncomplete)
{
    struct Case {
        std::string options;
        std::uint8_t selector, kind;
        Bytes file;
    };
    // The ORLU 590 must answer "#9,1;"; a unit that stops reading gets a logger
    // long enough to fill the line long before its end.
    const Bytes four = FourChannelMeasurementFile(MakeFourChannelSpec(590, 302, 2, 2));
    const Bytes logger = CurrentMeasurementFile(ThreeProfileLoggerSpec(40000));
    ASSERT_GT(logger.size(), 200000u);
    const Case cases[] = {
        {"--model 590 --fault refuse-upload", 10, 42, four},
        {"--model 590 --fault no-answer", 10, 42, four},
        {"--model 525 --fault stop-reading:300", 3, 45, logger},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        Upload u(c.options, c.selector, {{"OLD", 1, 0, Pattern(64)}});
        u.Open("up.orl", c.kind, c.file);
        const Bytes before(u.dir.GetEntry(0).Bytes().begin(), u.dir.GetEntry(0).Bytes().end());
        EXPECT_FALSE(u.Run("NEWNAME"));
        EXPECT_EQ(u.unit.ui.Messages(), std::vector<std::string>{"NEWNAME  -  Upload incomplete. Sorry!"});
        ASSERT_EQ(u.dir.GetEntryCount(), 1u);
        EXPECT_EQ(Bytes(u.dir.GetEntry(0).Bytes().begin(), u.dir.GetEntry(0).Bytes().end()), before);
        EXPECT_EQ(u.unit.model.Files().size(), 1u);
    }
}

TEST(UnitUploadTest, RefusedDocumentsAndAnEmptyNameSendNothing)
{
    Upload u("--model 505", 1);
    ASSERT_TRUE(u.doc.CopyIntoPages(Pattern(100)));
    u.doc.SetFileKind(10); // an edited METER file
    EXPECT_FALSE(u.Run("X"));
    EXPECT_TRUE(u.proposed.empty());
    u.doc.SetFileKind(4);
    EXPECT_FALSE(u.Run(""));
    EXPECT_EQ(u.proposed.size(), 1u);
    EXPECT_EQ(u.SentByUpload(), "");
    EXPECT_TRUE(u.unit.ui.Messages().empty());
}

TEST(UnitUploadTest, TheSimulatorKeepsUploadsInItsFolder)
{
    const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "up-sim-folder";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    FixtureBuilder().Pattern(10).WriteTo(folder / "KEEP.1");
    FixtureBuilder().Pattern(12).WriteTo(folder / "SET.0-2");
    sim::SimOptions options;
    options.filesDir = folder;
    sim::InstrumentModel model(options);
    // ";#9" names the file from its words 1 to 4; a setup (group 2) is type 0, subtype 2.
    Bytes image = Pattern(40);
    std::copy_n("SET\0\0\0\0\0", 8, image.begin() + 2);
    std::string command = ";#9,2,40,";
    Bytes sent(command.begin(), command.end());
    sent.insert(sent.end(), image.begin(), image.end());
    EXPECT_EQ(Text(model.Receive(sent).bytes), "#9,1;");
    std::vector<sim::UnitFile> files;
    std::string error;
    ASSERT_TRUE(sim::LoadUnitFiles(folder, files, error)) << error;
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[1].name, "SET");
    EXPECT_EQ(files[1].subtype, 2);
    EXPECT_EQ(files[1].bytes, image);
    std::filesystem::remove_all(folder);
}

TEST(UnitUploadTest, HeadersAndProposedNames)
{
    EXPECT_EQ(UploadHeader({"2,", 1, 'a', true}, "LONGNAME9", 5), ";#5,2,LONGNAME;");
    EXPECT_EQ(UploadHeader({"3", 4, 'a', false}, "B", 123456), ";#9,3,123456,");
    EXPECT_EQ(ProposedUploadName("C:\\DATA\\RUN.1.ORL"), "RUN.1");
    EXPECT_EQ(ProposedUploadName("/home/u/m1.orl"), "m1");
    EXPECT_EQ(ProposedUploadName("plain"), "plain");
}

} // namespace
} // namespace orlu
