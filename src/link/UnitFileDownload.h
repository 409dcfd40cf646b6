#pragma once
// Copying the selected unit files to disk, one `<name>.orl` per file: the
// program's 32-byte container header, then the instrument's reply bytes as
// received. Each file is written under a temporary name and renamed over the
// target only when complete, so a failed or cancelled file never leaves a
// damaged file behind nor destroys the earlier one of that name.

#include "link/CUnitDirectory.h"
#include "link/TransferProgress.h"
#include "link/UnitLink.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orlu {

/// The disk name of a unit file, without its extension: a leading '\'
/// becomes '@'; '/', '\', NUL and control bytes become '_', so that no name
/// the instrument sends can reach outside the download folder.
std::string UnitDiskName(std::string_view unitName);

inline constexpr int kMonitorRequestKind = 5;

/// The request of the at-th selected file.
struct SelectedFileRequest {
    std::size_t entry = 0; ///< its directory entry
    std::string name;      ///< the entry's name
    char letter = 0;       ///< 0 for a MONITOR range
    std::string request;
    int requestKind = kMonitorRequestKind;
    std::uint8_t fileKind = 80; ///< the kind the downloaded file is stored with
};
/// None when the selection has no such entry or the family does not serve
/// the line's letter (the file is then omitted).
std::optional<SelectedFileRequest> RequestForSelectedFile(const UnitLink& link, const CUnitDirectory& directory,
                                                          std::size_t at);

/// The MONITOR's request of one directory entry's memory range.
std::string MonitorRangeRequest(const UnitDirEntry& entry);

/// Downloads the selected files into the folder, with the overwrite
/// questions, progress and Cancel, and shows the summary. Returns the number
/// of selected files not stored; the stored ones leave the selection.
int DownloadBinary(UnitLink& link, CUnitDirectory& directory, TransferProgress& progress,
                   const std::filesystem::path& downloadPath);

} // namespace orlu
