#pragma once
// Merging files of one structure into a Multifile document: the files chosen
// in the instrument's directory (read over the link) or files on disk (read
// the way the loader reads them). Each accepted file is appended to the
// document's image in the order it was merged; the sub-file list is kept in
// name order, RUN2 before RUN10. A file that cannot be merged is skipped with
// a reason, and only the first reason is shown.

#include "document/container/ContainerHeader.h"
#include "link/CUnitDirectory.h"
#include "link/TransferProgress.h"
#include "link/UnitLink.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orlu {

class CTmDoc;
struct AppContext;

/// Why a file is not merged.
enum class MergeRejection : int {
    BufferOrSetup = 0,  ///< a buffer, logger, setup or other special ORLU 505 file of the instrument
    Special = 1,        ///< a kind that has no Multifile
    OtherStructure = 2, ///< another merged kind, or other structure words than the first file's
    Unreadable = 3,     ///< cannot be opened or read, or the loader refuses it
};
std::string_view MergeRejectionText(MergeRejection reason);

/// Inserts the entry into the list sorted by SplitTrailingNumber (stem by
/// bytes, then number), after the entries equal to it.
void InsertSorted(std::vector<MultifileEntry>& list, const MultifileEntry& entry);

/// The entry name of a merged file: at most 8 characters, cut at the first
/// blank (a disk file's also at its first '.').
std::string MergedEntryName(std::string_view name, bool diskFile);

/// The header words the merged kinds compare: those of the first file are
/// kept, each later file must match them.
class StructureWords {
public:
    /// The first file's words; false when the first file itself cannot start
    /// a Multifile (an ANALYZER-mode profile or time file, for example).
    bool Remember(std::uint8_t mergedKind, std::span<const std::uint8_t> header);
    /// Whether a later file has the first file's structure.
    bool Matches(std::uint8_t mergedKind, std::span<const std::uint8_t> header) const;

private:
    std::uint16_t m_Word0 = 0;
    std::uint16_t m_Word3 = 0;
    std::uint16_t m_Word4 = 0;
    std::uint16_t m_Value = 0;
};

/// Asks the ORLU 505 for the first `wanted` bytes of a file (type 1 METER, 2
/// ANALYZER) with ";#4,t,NAME,0,w;" (w in words). When the reply holds at
/// least `wanted` bytes they go to the destination; the rest of the reply is
/// read and dropped. `taken` gets the reply's byte count. False when the
/// request could not be sent or a byte did not come.
bool ReadFilePart(LinkTransport& link, int type, std::string_view name, std::uint32_t wanted,
                  std::span<std::uint8_t> destination, std::uint32_t& taken);

/// What a merge leaves behind.
struct MergeOutcome {
    bool made = false;       ///< the document holds at least one file and no error stopped the run
    std::uint32_t left = 0;  ///< sources not merged (the unit-files dialog opens again when not 0)
};

/// Merges the instrument files selected in the directory over the link
/// (link and directory given) or the disk files of the application's
/// DiskFileItems (both null) into the new document, with progress, the
/// rejection messages and the summary. The document's title must be set
/// (its Multifile number names the target in the progress lines).
MergeOutcome MergeFiles(CTmDoc& doc, UnitLink* link, CUnitDirectory* directory, TransferProgress& progress);

/// Lets new documents merge disk files (the Open dialog's merge). A merge
/// over the link goes to the filler installed before, when there is one.
void InstallDiskMerge(AppContext& app);

} // namespace orlu
