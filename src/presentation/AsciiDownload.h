#pragma once
// Turning the selected unit files into text files, one `<name>.txt` per file
// in the download folder. Each file is read from the instrument into a
// document that is never shown, the chosen content is rendered from it (the
// table form of a view, or the whole file as its ASCII view, optionally with
// the header information first) and the lines are written out. A text is
// written under a temporary name and takes its own name only when every
// write succeeded; a file that was not read whole never gives a text.

#include "document/AppContext.h"
#include "link/CUnitDirectory.h"
#include "link/TransferProgress.h"
#include "link/UnitLink.h"
#include "presentation/AsciiContents.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>

namespace orlu {

/// Where one text file is written: created beside its target under another
/// name, renamed over the target by Commit, removed by Discard.
class AsciiTextOutput {
public:
    virtual ~AsciiTextOutput() = default;
    virtual bool Open(const std::filesystem::path& target) = 0;
    virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
    virtual bool Commit() = 0;
    virtual void Discard() = 0;
};
using AsciiOutputFactory = std::function<std::unique_ptr<AsciiTextOutput>()>;

/// The program's own output: an AtomicFileWriter.
std::unique_ptr<AsciiTextOutput> MakeAtomicTextOutput();

/// Downloads the selected files as text with the choices, with the overwrite
/// questions, progress and Cancel, and shows the summary. Returns the number
/// of selected files not stored; the stored ones leave the selection.
/// `app` gives the hidden documents their program context; `output` makes
/// the writer of each text (the program's own when empty).
int DownloadAscii(UnitLink& link, CUnitDirectory& directory, TransferProgress& progress, AppContext& app,
                  const std::filesystem::path& downloadPath, const AsciiChoices& choices,
                  const AsciiOutputFactory& output = {});

} // namespace orlu
