#pragma once
// The raw content views of a measurement document: the file's bytes as a hex
// dump (View Hexa, HexDumpLines), its records spelled out field by field (View
// ASCII and the text download) and the instrument's settings text (View
// Settings).
//
// The settings text has the shape of the document's renderers: it clears the
// line list, sets *widest to 0 and raises it to the widest line it adds, and
// returns true. The ASCII form, as long as its file, is streamed into a sink
// instead. The channel mask and unit byte are not used: the raw views show the
// whole file. They read the image as loaded when the document keeps one apart
// (a split logger), except for edited files (kind 50), whose working image is
// what they hold.

#include <cstdint>

namespace orlu {

class CTmDoc;
class LineList;
class LineSink;
class PagedFileImage;
class ProgressState;
class UserInteraction;

/// View Settings: the settings reply, a line per five items or per ";".
bool FormatSettingsText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask, std::uint8_t unit);

/// View ASCII: the caption line, then every record of the file by its field
/// codes, each line into `out` as it is made. It only reads the document, so
/// it may run off the GUI thread; a broken chain is reported through `ui`.
/// With a progress state it reports the bytes walked and stops with
/// OperationCancelled when asked to.
void WriteAsciiForm(const CTmDoc& doc, LineSink& out, UserInteraction& ui, ProgressState* progress);

/// The image the raw views read and its byte count.
struct RawImage {
    const PagedFileImage* image;
    std::uint32_t byteCount;
};
RawImage RawViewImage(const CTmDoc& doc);

} // namespace orlu
