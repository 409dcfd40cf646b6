#include "analysis/spectra/UserFilterText.h"

#include "analysis/spectra/OctaveColumns.h"
#include "document/CTmDoc.h"
#include "document/Subfiles.h"
#include "document/container/FileKindCode.h"
#include "document/tables/BandTables.h"
#include "platform/ValueFormat.h"
#include "reports/common/SubfileSelectionKeeper.h"

#include <algorithm>
#include <vector>

namespace orlu {
namespace {

constexpr std::size_t kRuleLength = 68;
constexpr std::size_t kColumns = 3;
constexpr std::string_view kCellGap = "       ";
constexpr std::uint16_t kThirdOctaveBit = 0x0010;
// The filters of one-channel files, whose levels are words of 0.1 dB.
constexpr double kLevelDivisor = 10.0;

void Add(LineList& lines, int* widest, std::string line)
{
    AddLine(lines, line, widest);
}

// The nominal centre of each value, as the octave forms of the file place their bands.
std::span<const double> CentresOf(const CTmDoc& doc)
{
    const CurrentChannel& ch = doc.Channel();
    const std::span<const double> table = ThirdOctaveCentres();
    if (ch.bandTableIndex >= 0 && static_cast<std::size_t>(ch.bandTableIndex) < table.size())
        return table.subspan(static_cast<std::size_t>(ch.bandTableIndex));
    return ThirdOctaveCentrePtr(ch.bandCount);
}

void AppendFilters(CTmDoc& doc, LineList& lines, int* widest)
{
    for (const UserFilterEntry& filter : doc.Header().userFilterEntries)
        AppendUserFilter(lines, widest, filter, CentresOf(doc));
}

} // namespace

void AppendUserFilter(LineList& lines, int* widest, const UserFilterEntry& filter, std::span<const double> centres)
{
    const std::string rule(kRuleLength, '-');
    // The name is at most 6 characters, cut at its first NUL.
    const std::string name = filter.name.substr(0, std::min(filter.name.find('\0'), filter.name.size()));
    Add(lines, widest, "");
    Add(lines, widest, "User's filter \"" + name + "\"");
    Add(lines, widest, rule);
    Add(lines, widest, std::string(OctaveColumnHeader(0)));
    Add(lines, widest, rule);
    const std::size_t count = filter.coefficients.size();
    const std::size_t rows = (count + kColumns - 1) / kColumns;
    for (std::size_t m = 0; m < rows; ++m) {
        std::string line;
        for (std::size_t k = 0; k < kColumns; ++k) {
            const std::size_t i = k * rows + m;
            if (i >= count)
                break;
            if (k > 0)
                line += kCellGap;
            const double level = static_cast<std::int16_t>(filter.coefficients[i]) / kLevelDivisor;
            line += StrPrintf("%7.1f%10.1f", i < centres.size() ? centres[i] : 0.0, level);
        }
        Add(lines, widest, std::move(line));
    }
    Add(lines, widest, rule);
}

bool TextUserFilters(CTmDoc& doc, LineList& lines, int* widest, bool allFiles, int fileIndex)
{
    ClearLineList(&lines);
    int width = 0;
    if (FindFileKind(doc.FileKind()).Family != KindFamily::Current || !doc.HeaderDecoded() ||
        doc.Header().model.FourChannel)
        return false;
    if (!IsCurrentMultifileKind(doc.FileKind())) {
        // A single file has one list of filters, shown once whatever its spectra.
        AppendFilters(doc, lines, &width);
    } else {
        const SubfileSelectionKeeper keeper(doc);
        const int count = doc.SubfileCount();
        std::vector<int> members;
        if (allFiles) {
            for (int n = 1; n <= count; ++n)
                members.push_back(n);
        } else if (fileIndex >= 1 && fileIndex <= count) {
            members.push_back(fileIndex);
        }
        for (int n : members) {
            if (!(doc.GetSubfileContents().BitsOf(n) & kThirdOctaveBit))
                continue;
            try {
                if (!doc.DecodeFileHeader(static_cast<std::uint16_t>(n)))
                    continue;
            } catch (const ImageRangeError&) {
                continue; // a member that runs past the image shows nothing
            }
            doc.SelectChannelProfile(0, 0);
            AppendFilters(doc, lines, &width);
        }
    }
    if (widest)
        *widest = width;
    return true;
}

} // namespace orlu
