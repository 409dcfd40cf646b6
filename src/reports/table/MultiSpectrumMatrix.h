#pragma once
// The values of a cross table, staged before the table is written: a matrix
// of doubles stored column by column, lineCount values per column, the value
// of column c at line k being value number lineCount x c + k. A column is one
// element of the table (a file, channel, record or spectrum); a line one
// sample, frequency line or class.
//
// The matrix is held in memory, or in a scratch file in the temporary folder
// when a table of many spectra should not keep them all in memory. A scratch
// file collects appended values in a buffer and writes them in bulk; its
// length grows geometrically, so staging a large table costs few file-system
// calls. The file is removed with the matrix, also when an error unwinds.
//
// Readers take a whole column, or a block of lines of every column, in one
// call. A value that was never stored (a column cut short, a file that
// refused a write) reads as the missing value, never as whatever the memory
// or the file happened to hold.

#include "document/MissingValue.h"
#include "platform/ScratchFile.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orlu {

class MultiSpectrumMatrix {
public:
    /// An empty matrix of lineCount values per column, held in memory.
    explicit MultiSpectrumMatrix(std::size_t lineCount) : m_LineCount(lineCount) {}

    /// An empty matrix staged in a new scratch file; nothing when the file cannot be
    /// created (error gets the reason).
    static std::optional<MultiSpectrumMatrix> InScratchFile(std::size_t lineCount, std::string* error = nullptr);

    MultiSpectrumMatrix(MultiSpectrumMatrix&&) noexcept = default;
    MultiSpectrumMatrix& operator=(MultiSpectrumMatrix&&) noexcept = default;
    MultiSpectrumMatrix(const MultiSpectrumMatrix&) = delete;
    MultiSpectrumMatrix& operator=(const MultiSpectrumMatrix&) = delete;

    std::size_t LineCount() const { return m_LineCount; }
    /// The columns appended completely so far.
    std::size_t ColumnCount() const { return m_LineCount == 0 ? 0 : m_Count / m_LineCount; }
    /// The scratch file that holds the values; null when they are held in memory.
    const std::filesystem::path* ScratchPath() const { return m_File ? &m_File->Path() : nullptr; }

    /// Appends values in storage order, column after column. False when they could not
    /// all be kept (memory or the scratch file refused them); the matrix then takes no
    /// more values, and those it lost read as missing.
    bool Append(std::span<const double> values);
    bool Append(double value) { return Append(std::span<const double>(&value, 1)); }
    /// Appends one column: a shorter one is filled up with missing values, a longer one cut.
    bool AppendColumn(std::span<const double> column);

    /// The values of one column from firstLine on, as many as out holds.
    void ReadColumn(std::size_t column, std::size_t firstLine, std::span<double> out) const;
    /// Whole columns firstColumn to firstColumn + columns - 1, one after the other, in one
    /// call: out holds lineCount x columns values.
    void ReadColumns(std::size_t firstColumn, std::size_t columns, std::span<double> out) const;
    /// Lines firstLine to firstLine + lines - 1 of the columns 0 to columns - 1, in one
    /// call: out[c x lines + k] gets line firstLine + k of column c. out holds lines x columns.
    void ReadLines(std::size_t firstLine, std::size_t lines, std::size_t columns, std::span<double> out) const;

private:
    explicit MultiSpectrumMatrix(std::size_t lineCount, ScratchFile file)
        : m_LineCount(lineCount), m_File(std::move(file))
    {
    }
    /// Values number first to first + out.size() - 1 in storage order.
    void ReadRange(std::uint64_t first, std::span<double> out) const;
    /// Writes the buffered values to the scratch file; false when it refused them.
    bool Flush();

    std::size_t m_LineCount;
    std::optional<ScratchFile> m_File;
    /// Values in memory: all of them, or with a scratch file those not yet written to it.
    std::vector<double> m_Buffer;
    /// Values written to the scratch file (they come before the buffer).
    std::uint64_t m_InFile = 0;
    /// Values the scratch file has room for.
    std::uint64_t m_FileCapacity = 0;
    /// Values appended and kept.
    std::uint64_t m_Count = 0;
    bool m_Failed = false;
};

} // namespace orlu
