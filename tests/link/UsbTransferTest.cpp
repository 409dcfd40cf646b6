// The directory and the download behind the fake USB driver: each reply has
// its own reader, stopped and reset afterwards, and a Cancel stops the file
// in transfer without keeping any of it.

#include "link/CUnitDirectory.h"
#include "link/MultifileMerge.h"
#include "link/UnitFileDownload.h"
#include "link/UnitUpload.h"
#include "document/CTmDoc.h"
#include "support/FixtureBuilder.h"
#include "platform/FileIo.h"
#include "support/FakeUsbDriver.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>


namespace orlu {
namespace {

struct UsbUnit {
    sim::InstrumentModel model;
    sim::FakeUsbDriver driver;
    ScriptedInteraction ui;
    // The device answers at once: a reply is waited for on a manual clock, so
    // that a loaded machine cannot make it late.
    ManualClock clock;
    SerialLinkSettings serial;
    UnitLink link;
    CUnitDirectory dir;
    TransferProgress progress;
    std::filesystem::path folder;

    explicit UsbUnit(std::vector<sim::UnitFile> files)
        : model(Options(), std::move(files)), driver(&model), link(ui, serial, clock, &driver, sim::InstantReplyWait(clock))
    {
        driver.timeout = 1000;
        link.timing = LinkTiming::Fast();
        link.deviceSelector = 3;
        link.SetPortOverride("/nonexistent/port");
        link.OpenUsb();
        folder = std::filesystem::path(testing::TempDir()) /
                 ("usb-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    ~UsbUnit()
    {
        link.CloseUsb();
        std::filesystem::remove_all(folder);
    }
    static sim::SimOptions Options()
    {
        sim::SimOptions o;
        o.model = "525";
        return o;
    }
    void SelectAll()
    {
        for (std::size_t i = 0; i < dir.GetEntryCount(); ++i) {
            dir.GetSelectedNames().push_back(dir.GetEntry(i).Name() + "<l>");
            dir.GetSelectedEntries().push_back(i);
            dir.GetSelectedData().push_back(dir.GetEntry(i).ItemData());
            dir.GetSelectionFlags()[i] = 1;
        }
    }
    std::size_t FilesInFolder() const
    {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
    }
};

std::vector<std::uint8_t> Pattern(std::size_t n)
{
    std::vector<std::uint8_t> b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(i * 13 + 1);
    return b;
}

TEST(UsbTransferTest, DirectoryAndDownloadReleaseTheDeviceAfterEachReply)
{
    const std::vector<std::uint8_t> data = Pattern(70000);
    UsbUnit unit({{"F1", 1, 0, data}, {"F2", 1, 0, Pattern(10)}});
    ASSERT_TRUE(unit.dir.ReadDirectory(unit.link, unit.progress));
    ASSERT_EQ(unit.dir.GetEntryCount(), 2u);
    // The raised driver time-out is put back once the directory reply is in.
    EXPECT_EQ(unit.driver.timeout, 1000u);

    unit.SelectAll();
    EXPECT_EQ(DownloadBinary(unit.link, unit.dir, unit.progress, unit.folder), 0);
    const std::optional<std::vector<std::uint8_t>> disk = ReadWholeFile(unit.folder / "F1.orl");
    ASSERT_TRUE(disk);
    ASSERT_EQ(disk->size(), 32 + data.size());
    EXPECT_TRUE(std::equal(data.begin(), data.end(), disk->begin() + 32));
    EXPECT_EQ(unit.driver.timeout, 1000u);
    EXPECT_EQ(unit.ui.Messages(),
              std::vector<std::string>{"Download operation completed O.K.\n2 file(s) stored\n0 file(s) omitted"});
    const std::vector<std::uint8_t> written = unit.driver.Written();
    EXPECT_EQ(std::string(written.begin(), written.end()), ";#1;;#4,0,\\;;#4,1,F1<1000;;#4,1,F2<1001;");
}

TEST(UsbTransferTest, CancelStopsTheFileAndKeepsNothingOfIt)
{
    UsbUnit unit({{"F1", 1, 0, Pattern(1 << 20)}, {"F2", 1, 0, Pattern(10)}});
    ASSERT_TRUE(unit.dir.ReadDirectory(unit.link, unit.progress));
    unit.SelectAll();
    CancelWhenDone(unit.progress, 4096, true);
    EXPECT_EQ(DownloadBinary(unit.link, unit.dir, unit.progress, unit.folder), 2);
    EXPECT_EQ(unit.FilesInFolder(), 0u);
    EXPECT_EQ(unit.dir.GetSelectionFlags(), (std::vector<std::uint8_t>{1, 1}));
    EXPECT_EQ(unit.ui.Messages(),
              std::vector<std::string>{"Download operation stopped.\n0 file(s) stored\n2 file(s) omitted"});
    EXPECT_EQ(unit.driver.timeout, 1000u);
}

TEST(UsbTransferTest, MergeAndUploadOverTheDevice)
{
    const std::vector<std::uint8_t> data = fixture::CurrentMeasurementFile(fixture::PlausibleMeasurementSpec());
    const auto n = static_cast<std::uint32_t>(data.size());
    UsbUnit unit({{"RUN10", 1, 0, data}, {"RUN2", 1, 0, data}});
    ASSERT_TRUE(unit.dir.ReadDirectory(unit.link, unit.progress));
    unit.SelectAll();
    AppContext app(unit.ui);
    CTmDoc doc(app);
    const MergeOutcome out = MergeFiles(doc, &unit.link, &unit.dir, unit.progress);
    EXPECT_TRUE(out.made);
    ASSERT_EQ(doc.SubfileCount(), 2);
    EXPECT_EQ(doc.Subfiles()[0].NameText(), "RUN2");
    EXPECT_EQ(doc.Subfiles()[0].Offset, n);
    EXPECT_EQ(doc.Subfiles()[1].Length, n);
    EXPECT_EQ(unit.driver.timeout, 1000u);

    // The first merged file goes back under a new name.
    fixture::FixtureBuilder().ContainerHeader(45).Bytes(data).WriteTo(unit.folder / "one.orl");
    CTmDoc single(app);
    ASSERT_TRUE(single.OnOpenDocument(unit.folder / "one.orl"));
    EXPECT_TRUE(UploadToInstrument(single, unit.link, unit.dir, unit.progress,
                                   [](const UploadTarget&, const std::string&) { return std::string("BACK"); }));
    ASSERT_EQ(unit.model.Files().size(), 3u);
    EXPECT_EQ(unit.model.Files()[2].name, "BACK");
    EXPECT_EQ(unit.model.Files()[2].bytes.size(), data.size());
    EXPECT_EQ(unit.ui.Messages(), (std::vector<std::string>{"Merge operation completed O.K.\n2 file(s) used\n0 file(s) ignored",
                                                           "BACK  -  Upload completed O.K."}));
}

} // namespace
} // namespace orlu
