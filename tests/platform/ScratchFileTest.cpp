#include "platform/ScratchFile.h"

#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace orlu {
namespace {

namespace fs = std::filesystem;

// Scratch files go to a fresh temporary folder for each test.
class ScratchFileTest : public ::testing::Test {
protected:
    std::size_t FilesInFolder() const { return m_Scratch.FileCount(); }

    test::ScratchFolder m_Scratch;
    const fs::path& m_Folder = m_Scratch.Path();
};

TEST_F(ScratchFileTest, NewUniqueFilesInTheTemporaryFolderRemovedAfterwards)
{
    {
        std::optional<ScratchFile> a = ScratchFile::Create();
        std::optional<ScratchFile> b = ScratchFile::Create();
        ASSERT_TRUE(a && b);
        EXPECT_NE(a->Path(), b->Path());
        for (const ScratchFile* file : {&*a, &*b}) {
            EXPECT_EQ(file->Path().parent_path(), m_Folder);
            EXPECT_EQ(file->Path().filename().string().rfind("NEW", 0), 0u);
            EXPECT_TRUE(fs::is_regular_file(file->Path()));
            EXPECT_EQ(fs::status(file->Path()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
        }
        EXPECT_EQ(FilesInFolder(), 2u);
    }
    EXPECT_EQ(FilesInFolder(), 0u);

    EXPECT_THROW(
        {
            std::optional<ScratchFile> file = ScratchFile::Create();
            ASSERT_TRUE(file);
            throw std::runtime_error("table failed");
        },
        std::runtime_error);
    EXPECT_EQ(FilesInFolder(), 0u);
}

TEST_F(ScratchFileTest, DoublesComeBackFromTheirOffsets)
{
    std::optional<ScratchFile> file = ScratchFile::Create();
    ASSERT_TRUE(file);
    // A column-major matrix of 3 rows: cell (column, row) at byte 8 * (3 * column + row).
    const std::vector<double> column1 = {-999.9, 1.5e-300, -0.0};
    EXPECT_TRUE(file->WriteDoubles(8 * 3, column1));
    EXPECT_TRUE(file->WriteDouble(8 * 0, 42.25));
    EXPECT_TRUE(file->WriteDouble(8 * 3 * 5, std::nan(""))); // far past the end: the gap reads as zeros

    std::vector<double> back(3);
    ASSERT_TRUE(file->ReadDoubles(8 * 3, back));
    EXPECT_EQ(back[0], -999.9);
    EXPECT_EQ(back[1], 1.5e-300);
    EXPECT_TRUE(std::signbit(back[2]));
    EXPECT_EQ(file->ReadDouble(0), 42.25);
    EXPECT_EQ(file->ReadDouble(8 * 7), 0.0);
    ASSERT_TRUE(file->ReadDouble(8 * 15));
    EXPECT_TRUE(std::isnan(*file->ReadDouble(8 * 15)));

    EXPECT_FALSE(file->ReadDouble(8 * 16)); // past the end
    EXPECT_FALSE(file->ReadDouble(8 * 15 + 4)); // only half a value left
    EXPECT_TRUE(file->WriteDouble(8 * 1, 7.0)); // overwriting in place
    EXPECT_EQ(file->ReadDouble(8 * 1), 7.0);
}

TEST_F(ScratchFileTest, MovingHandsTheFileOver)
{
    std::optional<ScratchFile> first = ScratchFile::Create();
    std::optional<ScratchFile> second = ScratchFile::Create();
    ASSERT_TRUE(first && second);
    fs::path firstPath = first->Path();
    fs::path secondPath = second->Path();
    ASSERT_TRUE(first->WriteDouble(0, 1.25));

    ScratchFile moved = std::move(*first);
    first.reset(); // the moved-from object removes nothing
    EXPECT_TRUE(fs::exists(firstPath));
    EXPECT_EQ(moved.Path(), firstPath);
    EXPECT_EQ(moved.ReadDouble(0), 1.25);

    *second = std::move(moved); // the file it held before goes
    EXPECT_FALSE(fs::exists(secondPath));
    EXPECT_EQ(second->ReadDouble(0), 1.25);
    EXPECT_FALSE(moved.WriteDouble(0, 2.0)); // NOLINT(bugprone-use-after-move): a moved-from file refuses work
    second.reset();
    EXPECT_EQ(FilesInFolder(), 0u);
}

TEST_F(ScratchFileTest, FailuresAreReported)
{
    std::optional<ScratchFile> file = ScratchFile::Create();
    ASSERT_TRUE(file);
    bool inside, beyond, straddling;
    {
        test::FileSizeLimit limit(4096);
        inside = file->WriteDouble(4096 - 8, 1.0);
        beyond = file->WriteDouble(4096, 1.0);
        straddling = file->WriteDouble(4096 - 4, 1.0);
    }
    EXPECT_TRUE(inside);
    EXPECT_FALSE(beyond);
    EXPECT_FALSE(straddling);

    ::setenv("TMPDIR", (m_Folder / "missing").c_str(), 1);
    std::string error;
    EXPECT_FALSE(ScratchFile::Create(&error));
    EXPECT_NE(error.find("missing"), std::string::npos);
}

} // namespace
} // namespace orlu
