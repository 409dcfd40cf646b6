#include "document/CTmDoc.h"
#include "document/LineList.h"
#include "document/rawviews/RawViews.h"

namespace orlu {

bool FormatSettingsText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t, std::uint8_t)
{
    WaitCursor wait(doc.Ui());
    ClearLineList(&lines);
    *widest = 0;
    const RawImage raw = RawViewImage(doc);
    const ImageReader image(*raw.image, raw.byteCount);

    std::string line;
    int commas = 0;
    for (std::uint32_t b = 0; b < raw.byteCount; ++b) {
        const char c = static_cast<char>(image.Byte(b));
        // Lines are made by the separators; line ends in the reply would split a list line.
        if (c == '\r' || c == '\n')
            continue;
        line += c;
        if (c == ';' || (c == ',' && ++commas == 5)) {
            AddLine(lines, line, widest);
            commas = 0;
        } else if (c == ',') {
            line += ' ';
        }
    }
    // What follows the last separator is an unfinished item and is not shown.
    return true;
}

} // namespace orlu
