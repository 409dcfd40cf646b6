#pragma once
// Opening the instrument's files as documents without a disk copy, and the
// instrument's settings reply as a document. The opener fills the new
// document's pages from the link while the document is being made; a reply
// that breaks off makes no document at all, so that no damaged image (and
// nothing padded in place of the bytes that did not come) is ever shown as
// the instrument's file.

#include "link/CUnitDirectory.h"
#include "link/TransferProgress.h"
#include "link/UnitLink.h"

#include <memory>
#include <optional>
#include <string>

namespace orlu {

class CTmDoc;
struct AppContext;

/// The instrument file a new document is about to read.
struct PendingUnitFile {
    std::string name;
    char letter = 0; ///< 0 for a MONITOR range
    std::string request;
};

/// The document kind an opened unit file starts with, by family and letter;
/// none when the family has no kind for it.
std::optional<std::uint8_t> OpenedFileKind(std::uint8_t selector, char letter);

class UnitFileOpener {
public:
    UnitFileOpener(UnitLink& link, TransferProgress& progress) : m_Link(link), m_Progress(progress) {}

    /// Makes this opener the application's way of filling documents from the instrument.
    void Install(AppContext& app);

    /// Opens the link for the next document; false after the connection error dialog.
    bool OpenPort();
    /// Reads the pending file into the document and decodes it. False, with
    /// no document made, when the request, the reply or a data byte fails,
    /// on a USB Cancel, for an empty or undecodable file. Releases the link.
    bool LoadFileFromInstrument(CTmDoc& doc);
    /// The pending file's request and reply over the link, into the
    /// document's pages, then its decoding: the part of the loading that
    /// reads the instrument's bytes.
    bool ReadFileInto(LinkTransport& link, CTmDoc& doc);
    /// The identify reply as a Settings document; false after the connection
    /// error dialog when the unit did not answer.
    bool LoadUnitSettingsText(CTmDoc& doc);

    PendingUnitFile pending;
    std::uint8_t unitSubKind = 0;
    /// Set when the last failure was the link's own, already reported to the user.
    bool linkFailureShown = false;

    UnitLink& Link() { return m_Link; }
    TransferProgress& Progress() { return m_Progress; }

private:
    void Release();

    UnitLink& m_Link;
    TransferProgress& m_Progress;
    std::unique_ptr<LinkTransport> m_Transport;
};

/// Opens every selected file of the directory as a visible document through
/// the application (which must have the opener installed), with progress and
/// Cancel, and shows the summary when more than one file was chosen. Returns
/// the number of selected files not opened; the opened ones leave the selection.
int OpenUnitFiles(UnitFileOpener& opener, CUnitDirectory& directory, AppContext& app);

} // namespace orlu
