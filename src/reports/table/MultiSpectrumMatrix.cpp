#include "reports/table/MultiSpectrumMatrix.h"

#include <algorithm>
#include <new>

namespace orlu {
namespace {

// Values collected before a scratch file gets them in one write: 64 KiB.
constexpr std::size_t kFlushValues = 8192;
constexpr std::uint64_t kValueBytes = sizeof(double);

} // namespace

std::optional<MultiSpectrumMatrix> MultiSpectrumMatrix::InScratchFile(std::size_t lineCount, std::string* error)
{
    std::optional<ScratchFile> file = ScratchFile::Create(error);
    if (!file)
        return std::nullopt;
    return MultiSpectrumMatrix(lineCount, std::move(*file));
}

bool MultiSpectrumMatrix::Append(std::span<const double> values)
{
    if (m_Failed)
        return false;
    try {
        while (!values.empty()) {
            std::size_t take = values.size();
            if (m_File)
                take = std::min(take, kFlushValues - m_Buffer.size());
            m_Buffer.insert(m_Buffer.end(), values.begin(), values.begin() + static_cast<std::ptrdiff_t>(take));
            m_Count += take;
            values = values.subspan(take);
            if (m_File && m_Buffer.size() == kFlushValues && !Flush())
                return false;
        }
    } catch (const std::bad_alloc&) {
        m_Failed = true;
        return false;
    }
    return true;
}

bool MultiSpectrumMatrix::AppendColumn(std::span<const double> column)
{
    const std::span<const double> kept = column.first(std::min(column.size(), m_LineCount));
    if (!Append(kept))
        return false;
    for (std::size_t k = kept.size(); k < m_LineCount; ++k)
        if (!Append(kMissingValue))
            return false;
    return true;
}

bool MultiSpectrumMatrix::Flush()
{
    const std::uint64_t needed = m_InFile + m_Buffer.size();
    if (needed > m_FileCapacity) {
        const std::uint64_t capacity = std::max(needed, 2 * m_FileCapacity);
        if (!m_File->Resize(capacity * kValueBytes)) {
            m_Failed = true;
            m_Count = m_InFile;
            m_Buffer.clear();
            return false;
        }
        m_FileCapacity = capacity;
    }
    if (!m_File->WriteDoubles(m_InFile * kValueBytes, m_Buffer)) {
        m_Failed = true;
        m_Count = m_InFile;
        m_Buffer.clear();
        return false;
    }
    m_InFile = needed;
    m_Buffer.clear();
    return true;
}

void MultiSpectrumMatrix::ReadRange(std::uint64_t first, std::span<double> out) const
{
    // The values lie in three stretches: in the scratch file, in the buffer, not stored.
    std::size_t done = 0;
    if (first < m_InFile) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), m_InFile - first));
        if (!m_File->ReadDoubles(first * kValueBytes, out.first(n)))
            std::fill_n(out.begin(), n, kMissingValue);
        done = n;
    }
    const std::uint64_t at = first + done;
    if (done < out.size() && at < m_Count) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(out.size() - done, m_Count - at));
        const auto from = m_Buffer.begin() + static_cast<std::ptrdiff_t>(at - m_InFile);
        std::copy_n(from, n, out.begin() + static_cast<std::ptrdiff_t>(done));
        done += n;
    }
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(done), out.end(), kMissingValue);
}

void MultiSpectrumMatrix::ReadColumn(std::size_t column, std::size_t firstLine, std::span<double> out) const
{
    // Lines past the column's end belong to no column: missing, not the next column's.
    const std::size_t inColumn = firstLine < m_LineCount ? std::min(out.size(), m_LineCount - firstLine) : 0;
    ReadRange(static_cast<std::uint64_t>(column) * m_LineCount + firstLine, out.first(inColumn));
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(inColumn), out.end(), kMissingValue);
}

void MultiSpectrumMatrix::ReadColumns(std::size_t firstColumn, std::size_t columns, std::span<double> out) const
{
    // Whole columns lie one after the other: one read for all of them.
    ReadRange(static_cast<std::uint64_t>(firstColumn) * m_LineCount, out.first(std::min(out.size(), columns * m_LineCount)));
}

void MultiSpectrumMatrix::ReadLines(std::size_t firstLine, std::size_t lines, std::size_t columns,
                                    std::span<double> out) const
{
    if (firstLine == 0 && lines == m_LineCount) {
        ReadColumns(0, columns, out);
        return;
    }
    columns = std::min(columns, lines == 0 ? 0 : out.size() / lines);
    if (!m_File || firstLine + lines > m_LineCount) {
        for (std::size_t c = 0; c < columns; ++c)
            ReadColumn(c, firstLine, out.subspan(c * lines, lines));
        return;
    }
    // From a scratch file, a read per column of a few lines each would make a system call
    // per cell of a wide table: whole runs of columns are read at once, their lines picked.
    const std::size_t perRead = std::max<std::size_t>(1, kFlushValues / m_LineCount);
    std::vector<double> run(perRead * m_LineCount);
    for (std::size_t c = 0; c < columns; c += perRead) {
        const std::size_t n = std::min(perRead, columns - c);
        ReadRange(static_cast<std::uint64_t>(c) * m_LineCount, std::span(run).first(n * m_LineCount));
        for (std::size_t k = 0; k < n; ++k)
            std::copy_n(run.begin() + static_cast<std::ptrdiff_t>(k * m_LineCount + firstLine), lines,
                        out.begin() + static_cast<std::ptrdiff_t>((c + k) * lines));
    }
}

} // namespace orlu
