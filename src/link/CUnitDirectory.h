#pragma once
// The program's copy of the instrument's file directory: the 32-byte records
// in the instrument's order, the first 16 bytes of every ORLU 505 METER and
// ANALYZER file (for the "More details" columns), and the user's selection
// for the transfers. Selection flags are kept per directory entry, never per
// list position, so that a sorted list or hidden empty entries cannot make a
// transfer fetch or deselect the wrong file.

#include "link/TransferProgress.h"
#include "link/UnitDirEntry.h"
#include "link/UnitLink.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlu {

/// The first 8 little-endian words of an ORLU 505 METER or ANALYZER file.
struct UnitFileHeader {
    std::array<std::uint8_t, 16> bytes{};

    /// A first byte 0: no header (empty entry, size 0, another type, a short reply).
    bool Present() const { return bytes[0] != 0; }
    std::uint16_t Word(int i) const
    {
        return static_cast<std::uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    }
    bool IsProfile() const { return (Word(0) & 0x4000) != 0; }
};

/// The unit file name of a list line: at most 8 characters, ending before
/// the first '.', '<' or blank.
std::string UnitLineName(std::string_view line);
/// The file letter of a list line: the character after the first '<'; 0 when none.
char UnitLineLetter(std::string_view line);

/// How a reading of the instrument's reply ended.
enum class ReplyOutcome { Complete, Failed, Cancelled };

/// Reads `count` bytes of directory records from the link, 32 at a time: a
/// record is added only once its bytes came, so a count the instrument claims
/// allocates nothing ahead. A count that is not a multiple of 32 still waits
/// for a whole last record. Cancel is seen after each record.
ReplyOutcome ReadDirectoryRecords(LinkTransport& link, std::uint32_t count, TransferProgress& progress,
                                  std::vector<UnitDirEntry>& entries);

class CUnitDirectory {
public:
    /// Reads the directory over a fresh link: identify (except for the
    /// MONITOR), then ";#4,0,\;" with up to the link's attempts. False after
    /// the connection error dialog (none for a cancel or a refused unit);
    /// the directory is then stale and empty.
    bool ReadDirectory(UnitLink& link, TransferProgress& progress);
    /// ORLU 505 only: the first 8 words of every METER and ANALYZER file
    /// (other families: the headers are cleared and true is returned).
    bool ReadFileHeaders(UnitLink& link, TransferProgress& progress);

    /// A directory known otherwise (the dialog's tests, a saved listing):
    /// fresh, nothing selected.
    void Assign(std::vector<UnitDirEntry> entries, std::vector<UnitFileHeader> headers = {});

    std::size_t GetEntryCount() const { return m_Entries.size(); }
    /// Throws std::out_of_range for an index outside the directory.
    const UnitDirEntry& GetEntry(std::size_t i) const { return m_Entries.at(i); }
    UnitDirEntry& GetEntry(std::size_t i) { return m_Entries.at(i); }
    /// The first entry whose name (cut at its first blank) and type match; -1 when none.
    int FindEntry(std::string_view name, std::uint8_t type) const;

    const std::vector<UnitFileHeader>& GetHeaders() const { return m_Headers; }
    /// One flag per directory entry, non-zero: selected.
    std::vector<std::uint8_t>& GetSelectionFlags() { return m_Selected; }
    /// The list lines of the selected files, in list order.
    std::vector<std::string>& GetSelectedNames() { return m_SelectedNames; }
    const std::vector<std::string>& GetSelectedNames() const { return m_SelectedNames; }
    std::vector<std::uint32_t>& GetSelectedData() { return m_SelectedData; }
    const std::vector<std::uint32_t>& GetSelectedData() const { return m_SelectedData; }
    /// The directory entry of each selected line: the transfers fetch, and
    /// deselect, by it (never by list position).
    std::vector<std::size_t>& GetSelectedEntries() { return m_SelectedEntries; }
    const std::vector<std::size_t>& GetSelectedEntries() const { return m_SelectedEntries; }

    /// Stores the entry of a file the program put into the instrument: over
    /// entry `at`, or appended when `at` is -1. Where headers are kept, the
    /// file's header goes with it. The directory does not become stale.
    void PutEntry(int at, const UnitDirEntry& entry, const UnitFileHeader& header);

    void ClearEntries();
    void ClearHeaders();
    void ClearSelection();
    void ClearSelectedData() { m_SelectedData.clear(); }

    bool DirectoryStale() const { return m_DirectoryStale; }
    bool HeadersStale() const { return m_HeadersStale; }
    /// The time of the last successful reading; 0 before any.
    std::time_t ReadTime() const { return m_ReadTime; }
    /// 1 for the "E" version of the ORLU 505 (written into downloaded files).
    std::uint8_t UnitSubKind() const { return m_UnitSubKind; }
    /// The device type the unit reported when the directory was read; 0 when none.
    std::uint16_t DeviceType() const { return m_DeviceType; }

    /// The wall clock the read time is taken from (tests set a fixed one).
    std::function<std::time_t()> wallClock = [] { return std::time(nullptr); };

private:
    std::vector<UnitDirEntry> m_Entries;
    std::vector<UnitFileHeader> m_Headers;
    std::vector<std::uint8_t> m_Selected;
    std::vector<std::string> m_SelectedNames;
    std::vector<std::uint32_t> m_SelectedData;
    std::vector<std::size_t> m_SelectedEntries;
    bool m_DirectoryStale = true;
    bool m_HeadersStale = true;
    std::time_t m_ReadTime = 0;
    std::uint8_t m_UnitSubKind = 0;
    std::uint16_t m_DeviceType = 0;
};

} // namespace orlu
