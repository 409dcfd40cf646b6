#include "reports/text/MainResultsText.h"

#include "document/Subfiles.h"
#include "reports/common/LegacyResultRow.h"
#include "reports/text/LegacyResultsText.h"
#include "reports/text/SlmResultsText.h"
#include "reports/text/VibrationText.h"

namespace orlu {
namespace {

// The first row whose group the document's model belongs to gives its text.
struct FamilyText {
    bool ModelFlags::*group;
    ResultsTextRenderer render;
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

ResultsTextRenderer FamilyResultsText(const CTmDoc& doc)
{
    if (doc.IsLegacyDocument())
        return doc.LegacyDecoded() ? &FormatLegacyResultsText : nullptr;
    if (!doc.HeaderDecoded())
        return nullptr;
    const ModelFlags& model = doc.Header().model;
    for (const FamilyText& row : kFamilyTexts)
        if (model.*row.group)
            return row.render;
    return nullptr;
}

bool FormatMainResultsText(CTmDoc& doc, LineList& lines, int* widthOut, std::uint16_t channelMask,
                           std::uint8_t unitOption)
{
    // Merged documents have a text of their own (MergedResultsText), and kind 10 keeps no results.
    const bool single = doc.IsLegacyDocument() ? doc.FileKind() == kKindLegacyMeter
                                               : !IsCurrentMultifileKind(doc.FileKind());
    if (const ResultsTextRenderer render = single ? FamilyResultsText(doc) : nullptr)
        return render(doc, lines, widthOut, channelMask, unitOption);
    ClearLineList(&lines);
    *widthOut = 0;
    return false;
}

} // namespace orlu
