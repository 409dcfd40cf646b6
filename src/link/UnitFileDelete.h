#pragma once
// Erasing the selected files from the instrument's RAM disk, one command per
// file. The program's copy of the directory is edited (each erased file's
// size set to 0) rather than read again.

#include "link/CUnitDirectory.h"
#include "link/TransferProgress.h"
#include "link/UnitLink.h"

#include <optional>
#include <string>

namespace orlu {

/// The command that erases a file of the family, and the type code its
/// directory entry is found by; none when the family or letter has no delete.
struct DeleteCommand {
    std::string text;
    bool sizeWord = false; ///< the ORLU 505 follows the command with a 32-bit 0
    std::uint8_t entryType = 0;
};
std::optional<DeleteCommand> BuildDeleteCommand(std::uint8_t selector, char letter, const std::string& name);

/// Asks for confirmation, erases the selected files and shows the summary.
/// Returns the number of selected files not erased. Erased files leave the
/// selection; the others stay selected.
int DeleteUnitFiles(UnitLink& link, CUnitDirectory& directory, TransferProgress& progress);

} // namespace orlu
