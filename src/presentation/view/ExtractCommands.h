#pragma once
// The view's Extract commands: a new document window for the file of a
// Multifile the view shows, or for the Buffer inside a MONITOR file. The
// command sets the application's extract fields, asks the application for the
// new document and clears the pending source again, whatever came of it.

#include "presentation/view/MeasurementViewState.h"

namespace orlu {

class CTmDoc;

inline constexpr int kExtractBufferCommand = 32903;
inline constexpr int kExtractSingleFileCommand = 32904;

/// A Multifile of either family whose current form shows one of its files,
/// not all of them (the form's all-files switch is off).
bool CanExtractSingleFile(const MeasurementViewState& view, const CTmDoc& doc);
/// A document holding an embedded Buffer.
bool CanExtractBuffer(const CTmDoc& doc);

/// Extract single file: the file the view shows becomes a document of its own.
/// False when the command cannot run or the application has no new-document step.
bool ExtractSingleFile(const MeasurementViewState& view, const CTmDoc& doc);
/// Extract Buffer: the Buffer of the MONITOR document becomes a document of its own.
bool ExtractBuffer(const CTmDoc& doc);

} // namespace orlu
