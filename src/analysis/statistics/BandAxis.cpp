#include "analysis/statistics/BandAxis.h"

#include "analysis/statistics/StatisticsFamily.h"
#include "reports/common/SubfileSelectionKeeper.h"

#include "document/CTmDoc.h"
#include "document/tables/BandTables.h"
#include "platform/ValueFormat.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::uint8_t kOctaveStatistics = 1;
constexpr std::uint8_t kThirdOctaveStatistics = 2;
constexpr std::uint8_t kAemStatistics = 10;
constexpr std::size_t kFamily515Totals = 3;

} // namespace

bool HoldsBandStatistics(const CTmDoc& doc, int octave)
{
    if (doc.IsLegacyDocument() || !doc.HeaderDecoded() || doc.Header().setupFile)
        return false;
    if (doc.Header().model.FourChannel) {
        // Record 21 keeps band histograms of the octave set the file measured.
        const FourChannelSetup& f = doc.Header().fourChannel;
        return octave == 11 ? f.octaveSecondHistogram : octave == 13 && f.thirdSecondHistogram;
    }
    const std::uint8_t kind = doc.Header().secondHistogramKind;
    return octave == 11 ? kind == kOctaveStatistics || kind == kAemStatistics
                        : octave == 13 && kind == kThirdOctaveStatistics;
}

BandAxis BandAxisOf(const CTmDoc& doc, int octave)
{
    BandAxis axis;
    if (!HoldsBandStatistics(doc, octave))
        return axis;
    const CurrentChannel& ch = doc.Channel();
    const std::size_t count = ch.bandEnd;
    const std::size_t bands = doc.Header().model.Family515 ? count - std::min(count, kFamily515Totals)
                                                           : std::min<std::size_t>(ch.bandCount, count);
    const std::span<const double> table = ThirdOctaveCentres();
    const std::size_t pointer = ch.bandTableIndex >= 0 ? static_cast<std::size_t>(ch.bandTableIndex) : table.size();
    const std::span<const double> thirds = table.subspan(std::min(pointer, table.size()));
    for (std::size_t k = 0; k < bands; ++k) {
        const std::size_t at = octave == 11 ? 3 * k + 1 : k;
        axis.centres.push_back(at < thirds.size() ? thirds[at] : 0.0);
    }
    for (std::size_t k = bands; k < count; ++k)
        axis.totalNames.emplace_back(ch.totalNames.At(static_cast<long>(k - bands)));
    return axis;
}

std::string_view BandLabel(int octave, bool table)
{
    if (table)
        return octave == 11 ? "Oct 1/1" : "Oct 1/3";
    return octave == 11 ? "Oct.1/1" : "Oct.1/3";
}

std::string BandCaption(const BandAxis& axis, std::size_t k, std::string_view label)
{
    const std::string l(label);
    if (axis.IsFrequencyBand(k))
        return StrPrintf(" (%s[%d]: %g Hz):", l.c_str(), static_cast<int>(k + 1), axis.centres[k]);
    if (k < axis.Count())
        return StrPrintf(" (%s[%d]: %s):", l.c_str(), static_cast<int>(k + 1),
                         axis.totalNames[k - axis.centres.size()].c_str());
    return {};
}

std::string BandTitle(const BandAxis& axis, std::size_t k, std::string_view label)
{
    const std::string l(label);
    if (axis.IsFrequencyBand(k))
        return StrPrintf("(%s: %g Hz)", l.c_str(), axis.centres[k]);
    if (k < axis.Count())
        return StrPrintf("(%s: %s)", l.c_str(), axis.totalNames[k - axis.centres.size()].c_str());
    return {};
}

BandAxis BandAxisOfSubfile(CTmDoc& doc, int subfile, int octave)
{
    const StatisticsFamily family = StatisticsFamilyOf(doc);
    if (family != StatisticsFamily::Current)
        return {};
    const SubfileSelectionKeeper keeper(doc);
    if (!DecodeStatisticsSubfile(doc, family, subfile))
        return {};
    doc.SelectChannelProfile(0, 0);
    return BandAxisOf(doc, octave);
}

} // namespace orlu
