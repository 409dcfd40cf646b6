#include "reports/table/MultiSpectrumMatrix.h"

#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <vector>

namespace orlu {
namespace {

namespace fs = std::filesystem;
constexpr double kMissing = kMissingValue;

// The value every test stores at column c, line k: no two cells alike.
double Cell(std::size_t c, std::size_t k)
{
    return static_cast<double>(c) * 1000.0 + static_cast<double>(k) + 0.25;
}

enum class Holder { Memory, ScratchFile };

class MultiSpectrumMatrixTest : public ::testing::TestWithParam<Holder> {
protected:
    MultiSpectrumMatrix Make(std::size_t lineCount)
    {
        if (GetParam() == Holder::Memory)
            return MultiSpectrumMatrix(lineCount);
        std::optional<MultiSpectrumMatrix> matrix = MultiSpectrumMatrix::InScratchFile(lineCount);
        if (!matrix)
            throw std::runtime_error("no scratch file");
        return std::move(*matrix);
    }

    test::ScratchFolder m_Scratch;
};

TEST_P(MultiSpectrumMatrixTest, ValuesComeBackByColumnAndByBlockOfLines)
{
    // 30 columns of 700 lines: 21000 values, more than a scratch file buffers at once,
    // so the values lie partly in the file and partly still in memory.
    constexpr std::size_t kLines = 700, kColumns = 30;
    MultiSpectrumMatrix matrix = Make(kLines);
    std::vector<double> column(kLines);
    for (std::size_t c = 0; c < kColumns; ++c) {
        for (std::size_t k = 0; k < kLines; ++k)
            column[k] = Cell(c, k);
        if (c % 2 == 0) {
            ASSERT_TRUE(matrix.AppendColumn(column));
        } else {
            for (double value : column) // value by value, as a renderer computes them
                ASSERT_TRUE(matrix.Append(value));
        }
    }
    EXPECT_EQ(matrix.ColumnCount(), kColumns);
    EXPECT_EQ(matrix.ScratchPath() != nullptr, GetParam() == Holder::ScratchFile);

    for (std::size_t c : {0u, 11u, 29u}) {
        matrix.ReadColumn(c, 0, column);
        for (std::size_t k = 0; k < kLines; ++k)
            ASSERT_EQ(column[k], Cell(c, k)) << "column " << c << " line " << k;
    }

    // Whole neighbouring columns in one read, as a table with a row per column reads them.
    std::vector<double> columns(3 * kLines);
    matrix.ReadColumns(10, 3, columns);
    for (std::size_t c = 0; c < 3; ++c)
        for (std::size_t k = 0; k < kLines; ++k)
            ASSERT_EQ(columns[c * kLines + k], Cell(10 + c, k)) << "column " << 10 + c << " line " << k;

    // A block of lines of every column, as a table with a row per line reads it.
    constexpr std::size_t kFirst = 690, kBlock = 10;
    std::vector<double> block(kBlock * kColumns);
    matrix.ReadLines(kFirst, kBlock, kColumns, block);
    for (std::size_t c = 0; c < kColumns; ++c)
        for (std::size_t k = 0; k < kBlock; ++k)
            ASSERT_EQ(block[c * kBlock + k], Cell(c, kFirst + k)) << "column " << c << " line " << kFirst + k;
}

TEST_P(MultiSpectrumMatrixTest, WhatWasNeverStoredReadsAsMissing)
{
    MultiSpectrumMatrix matrix = Make(4);
    const std::vector<double> longColumn = {1, 2, 3, 4, 5, 6};
    const std::vector<double> shortColumn = {7, 8};
    ASSERT_TRUE(matrix.AppendColumn(longColumn));  // cut to its 4 lines
    ASSERT_TRUE(matrix.AppendColumn(shortColumn)); // filled up with missing values
    ASSERT_TRUE(matrix.Append(9.0));               // a third column begun, not finished
    EXPECT_EQ(matrix.ColumnCount(), 2u);

    std::vector<double> column(4);
    matrix.ReadColumn(1, 0, column);
    EXPECT_EQ(column, (std::vector<double>{7, 8, kMissing, kMissing}));
    matrix.ReadColumn(2, 0, column);
    EXPECT_EQ(column, (std::vector<double>{9, kMissing, kMissing, kMissing}));
    matrix.ReadColumn(7, 0, column); // no such column
    EXPECT_EQ(column, std::vector<double>(4, kMissing));

    // Lines past a column's end are missing, not the next column's first lines.
    std::vector<double> tail(3);
    matrix.ReadColumn(0, 2, tail);
    EXPECT_EQ(tail, (std::vector<double>{3, 4, kMissing}));

    std::vector<double> block(2 * 3);
    matrix.ReadLines(1, 2, 3, block);
    EXPECT_EQ(block, (std::vector<double>{2, 3, 8, kMissing, kMissing, kMissing}));
    std::vector<double> whole(4 * 3);
    matrix.ReadLines(0, 4, 3, whole); // whole columns: one read, the unfinished one filled up
    EXPECT_EQ(whole, (std::vector<double>{1, 2, 3, 4, 7, 8, kMissing, kMissing, 9, kMissing, kMissing, kMissing}));
}

INSTANTIATE_TEST_SUITE_P(Holders, MultiSpectrumMatrixTest, ::testing::Values(Holder::Memory, Holder::ScratchFile),
                         [](const auto& info) { return info.param == Holder::Memory ? "Memory" : "ScratchFile"; });

class MultiSpectrumScratchFileTest : public ::testing::Test {
protected:
    test::ScratchFolder m_Scratch;
};

TEST_F(MultiSpectrumScratchFileTest, FileGrowsGeometricallyAndGoesWithTheMatrix)
{
    fs::path path;
    {
        std::optional<MultiSpectrumMatrix> matrix = MultiSpectrumMatrix::InScratchFile(1000);
        ASSERT_TRUE(matrix);
        path = *matrix->ScratchPath();
        EXPECT_EQ(path.parent_path(), m_Scratch.Path());
        EXPECT_EQ(path.filename().string().rfind("NEW", 0), 0u);
        std::vector<double> column(1000, 1.5);
        std::uintmax_t previous = 0;
        int growths = 0;
        for (int c = 0; c < 200; ++c) {
            ASSERT_TRUE(matrix->AppendColumn(column));
            const std::uintmax_t size = fs::file_size(path);
            if (size != previous)
                ++growths;
            previous = size;
            // Never less room than the values written, never more than twice what is needed.
            EXPECT_LE(size, 2 * 8 * 1000 * static_cast<std::uintmax_t>(c + 1) + 8 * 8192);
        }
        // 200,000 values in buffers of 8192: 25 writes, but only a handful of growths.
        EXPECT_LE(growths, 6);
        EXPECT_GE(fs::file_size(path), 8u * 1000 * 192);
    }
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(m_Scratch.FileCount(), 0u);

    // An error that unwinds the renderer's stack takes the file with it too.
    EXPECT_THROW(
        {
            std::optional<MultiSpectrumMatrix> matrix = MultiSpectrumMatrix::InScratchFile(10);
            ASSERT_TRUE(matrix);
            path = *matrix->ScratchPath();
            throw std::runtime_error("table failed");
        },
        std::runtime_error);
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(MultiSpectrumScratchFileTest, FullDiskStopsTheMatrixAndLostValuesReadAsMissing)
{
    std::optional<MultiSpectrumMatrix> matrix = MultiSpectrumMatrix::InScratchFile(8192);
    ASSERT_TRUE(matrix);
    const std::vector<double> column(8192, 2.5);
    ASSERT_TRUE(matrix->AppendColumn(column)); // one buffer: in the file
    {
        test::FileSizeLimit limit(8 * 8192 + 100);
        EXPECT_FALSE(matrix->AppendColumn(column));
    }
    EXPECT_FALSE(matrix->Append(1.0)); // a matrix that lost values takes no more
    EXPECT_EQ(matrix->ColumnCount(), 1u);

    std::vector<double> back(8192);
    matrix->ReadColumn(0, 0, back);
    EXPECT_EQ(back, column);
    matrix->ReadColumn(1, 0, back);
    EXPECT_EQ(back, std::vector<double>(8192, kMissing));

    const fs::path path = *matrix->ScratchPath();
    matrix.reset();
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(MultiSpectrumScratchFileTest, NoTemporaryFolderNoMatrix)
{
    ::setenv("TMPDIR", (m_Scratch.Path() / "missing").c_str(), 1);
    std::string error;
    EXPECT_FALSE(MultiSpectrumMatrix::InScratchFile(10, &error));
    EXPECT_NE(error.find("missing"), std::string::npos);
}

} // namespace
} // namespace orlu
