#pragma once
// What fills a new document from outside the measurement document: the
// instrument link and the MONITOR parser. The application sets these when it
// has them; each one left empty makes a new document that needs it refuse,
// with a message, before anything is made.

#include <functional>

namespace orlu {

class CTmDoc;

struct DocumentFillers {
    /// Opens the link for one exchange; false once the link has said why.
    std::function<bool()> OpenPort;
    /// Reads the instrument's settings reply into the document (Settings and Hexa views).
    std::function<bool(CTmDoc&)> LoadUnitSettingsText;
    /// Fetches the pending instrument file into the document and decodes it by its kind.
    std::function<bool(CTmDoc&)> LoadFileFromInstrument;
    /// Merges files into one Multifile: over the link the names selected in the
    /// instrument's directory, without it the application's disk-file items.
    std::function<bool(CTmDoc&, bool overLink)> MergeFiles;
    /// Parses the MONITOR image now in the document and builds its views.
    std::function<bool(CTmDoc&)> ParseMonitorFile;
};

} // namespace orlu
