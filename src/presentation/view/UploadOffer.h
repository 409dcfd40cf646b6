#pragma once
// Whether the Upload command is offered for a document: the instrument chosen
// in the device menu, the document's file kind, firmware and setup block. The
// window's menu and the headless view controller both ask here.

#include "presentation/view/ToolsCommands.h"

namespace orlu {

class CTmDoc;
struct AppSettings;

/// Fills the facts the upload rule reads: the chosen instrument and, of a decoded
/// current-family header, the firmware and the setup flag (0 and false otherwise).
void AddUploadFacts(ToolsDocumentFacts& facts, const CTmDoc& doc, const AppSettings& settings);

/// CanUpload on the document's own facts.
bool UploadOffered(const CTmDoc& doc, const AppSettings& settings);

} // namespace orlu
