#pragma once
// The application-wide fields a measurement document reads and writes, and
// the application operations it calls. The application owns one and hands it
// to every CTmDoc it creates; tests make their own, so nothing here is global.

#include "document/DocumentFillers.h"
#include "platform/UserInteraction.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orlu {

class CTmDoc;

/// Where a document made without a file gets its data.
enum PendingSource : std::uint8_t {
    kPendingNone = 0,        ///< nothing pending, or a merge of disk files
    kPendingInstrument = 1,  ///< the instrument, or caught output
    kPendingMonitorBuffer = 2, ///< the Buffer inside a MONITOR file
    kPendingMultifileItem = 3, ///< one file of a Multifile
};

/// The state of closing all documents, shared by their save questions.
struct CloseAllState {
    bool ClosingAll = false; ///< all documents are being closed
    bool YesToAll = false;
    bool NoToAll = false;
    bool Cancelled = false; ///< a save question was cancelled: the close-all stops
};

struct AppContext {
    explicit AppContext(UserInteraction& ui) : Ui(&ui) {}

    /// The user-interaction port of the program.
    UserInteraction* Ui;

    // Hand-over to a document made without a file.
    std::uint8_t PendingDocSource = kPendingNone;
    std::uint8_t PendingFileKind = 0;        ///< file kind or request code of that document
    std::string PendingUnitFileName;         ///< instrument file; '\' first for a directory listing
    std::string PendingExtractName;          ///< the sub-file or buffer being extracted
    const CTmDoc* ExtractSource = nullptr;   ///< document extracted from
    std::uint32_t ExtractStart = 0;          ///< word index of the extract in the source image (a Buffer: byte)
    std::uint32_t ExtractLength = 0;         ///< length of the extract in words (a Buffer: bytes)
    std::optional<std::vector<std::uint8_t>> CaughtOutput; ///< caught MONITOR output, when any
    std::vector<std::string> DiskFileItems;  ///< disk files chosen for a merge
    DocumentFillers Fillers;                 ///< the link and the MONITOR parser, where present

    // The block a buffer copy hands to a hidden document to store.
    std::vector<std::uint8_t> HeldBlockImage; ///< data, check word, then one 32-bit index per record
    std::uint32_t HeldRecordCount = 0;
    std::uint8_t HeldFileKind = 0;

    /// Visible documents made from held data and not yet stored.
    int UnsavedDocumentCount = 0;
    CloseAllState CloseAll;

    // Numbers of the titles "Settings%d", "Multifile%d", "Monitor%d", "Directory%d".
    std::uint16_t SettingsTitleCounter = 0;
    std::uint16_t MultifileTitleCounter = 0;
    std::uint16_t MonitorTitleCounter = 0;
    std::uint16_t DirectoryTitleCounter = 0;

    // Options from the profile.
    std::uint8_t NonMetric = 0; ///< vibration units: 1 = g, in/s, in; 0 = metric
    std::array<std::uint8_t, 10> StatisticalPercentages{1, 10, 20, 30, 40, 50, 60, 70, 80, 90};
    std::uint8_t DecyPoint = 0;     ///< decimal-point index of the table forms
    std::uint8_t SeparatorChar = 0; ///< column-separator index of the table forms
    std::uint8_t ScFormForMR = 0;   ///< Main-results table format flag

    /// Save As: shows the file dialog (proposing the title), stores the document
    /// and sets its path name. True when the file was stored.
    std::function<bool(CTmDoc& doc, const std::filesystem::path& pathName, const std::string& title)> DoSave;
    /// Makes a visible document from what is pending and counts it as unsaved.
    std::function<void()> NewUnitDocument;
    /// Makes a hidden document that stores the held buffer block as a new file and closes.
    std::function<void()> NewHiddenUnitDocument;
    /// Sends the document back to the instrument under a name the user chooses (the view's Upload command).
    std::function<void(CTmDoc& doc)> UploadDocument;
    /// Every view of the document builds its form again (after an edit of its data).
    std::function<void(CTmDoc& doc)> UpdateAllViews;
};

} // namespace orlu
