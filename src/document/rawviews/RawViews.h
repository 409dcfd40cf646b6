#pragma once
// The raw content views of a measurement document: the file's bytes as a hex
// dump (View Hexa), its records spelled out field by field (View ASCII and the
// text download) and the instrument's settings text (View Settings).
//
// Each has the shape of the document's renderers: it clears the line list,
// sets *widest to 0 and raises it to the widest line it adds, and returns
// true. The channel mask and unit byte are not used: the raw views show the
// whole file. They read the image as loaded when the document keeps one apart
// (a split logger), except for edited files (kind 50), whose working image is
// what they hold.

#include <cstdint>

namespace orlu {

class CTmDoc;
class LineList;
class PagedFileImage;

/// View Hexa: a line of 78 characters per 16 bytes under a header and a rule.
bool FormatHexDump(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask, std::uint8_t unit);

/// View Settings: the settings reply, a line per five items or per ";".
bool FormatSettingsText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask, std::uint8_t unit);

/// View ASCII: the caption line, then every record of the file by its field codes.
bool FormatAsciiForm(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask, std::uint8_t unit);

/// The image the raw views read and its byte count.
struct RawImage {
    const PagedFileImage* image;
    std::uint32_t byteCount;
};
RawImage RawViewImage(const CTmDoc& doc);

} // namespace orlu
