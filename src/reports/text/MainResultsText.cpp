#include "reports/text/MainResultsText.h"

#include "document/Subfiles.h"
#include "reports/common/LegacyResultRow.h"
#include "reports/text/LegacyResultsText.h"
#include "reports/text/SlmResultsText.h"
#include "reports/text/VibrationText.h"

namespace orlu {
namespace {

using TextRenderer = bool (*)(CTmDoc&, LineList&, int*, std::uint16_t, std::uint8_t);

// The first row whose group the document's model belongs to gives its text.
struct FamilyText {
    bool ModelFlags::*group;
    TextRenderer render;
};
constexpr FamilyText kFamilyTexts[] = {
    {&ModelFlags::FourChannel, &FormatVibrationText},
    {&ModelFlags::Family530, &FormatVibrationText},
    {&ModelFlags::Family535, &FormatVibrationText},
    {&ModelFlags::Family515Text, &FormatSlmResultsText},
    {&ModelFlags::Family515, &FormatSlmProfileText},
    {&ModelFlags::Family525, &FormatSlmProfileText},
};

} // namespace

bool FormatMainResultsText(CTmDoc& doc, LineList& lines, int* widthOut, std::uint16_t channelMask,
                           std::uint8_t unitOption)
{
    if (doc.LegacyDecoded() && doc.FileKind() == kKindLegacyMeter)
        return FormatLegacyResultsText(doc, lines, widthOut, channelMask, unitOption);
    // Merged documents and the other families have texts of their own.
    if (!IsCurrentMultifileKind(doc.FileKind()) && doc.HeaderDecoded()) {
        const ModelFlags& model = doc.Header().model;
        for (const FamilyText& row : kFamilyTexts)
            if (model.*row.group)
                return row.render(doc, lines, widthOut, channelMask, unitOption);
    }
    ClearLineList(&lines);
    *widthOut = 0;
    return false;
}

} // namespace orlu
