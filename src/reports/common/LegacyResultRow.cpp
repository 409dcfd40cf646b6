#include "reports/common/LegacyResultRow.h"

#include "document/headers/CurrentHeader.h"
#include "document/results/LegacyResultsLayout.h"
#include "document/results/ResultDecoders.h"

namespace orlu {
namespace {

constexpr int kVectorChannel = 4;
constexpr int kProbeAxes = 4;
constexpr std::uint16_t kFlagVdv = 0x10; // bit 4 of the legacy flags word
constexpr int kFunctionLeq = 3;
constexpr int kFunctionDsl = 6;
constexpr std::uint16_t kDetectorOverload = 0x2; // bit 1 of a channel's detector word
// The vibration functions Val, Vel, Dil1 and Dil3 show acceleration, velocity and
// the two displacements in linear units (quantities 1 to 4).
constexpr std::uint16_t kFirstVibrationFunction = 8;
constexpr std::uint16_t kLastVibrationFunction = 11;

int LinearQuantity(std::uint16_t function)
{
    return function >= kFirstVibrationFunction && function <= kLastVibrationFunction
               ? function - (kFirstVibrationFunction - 1)
               : kQuantityLinear;
}

} // namespace

bool LegacyLinear(std::uint16_t inputKind, std::uint8_t unitOption)
{
    return inputKind == kInputMicrophone ? unitOption == 1 : unitOption == 0;
}

LegacyResultsPlan PlanLegacyResults(CTmDoc& doc, std::uint16_t channelMask)
{
    const LegacyHeader& h = doc.Legacy();
    LegacyResultsPlan plan;
    plan.multiChannel = h.channelCount > 1;
    // A probe file whose fifth channel is neither the vector nor the intensity holds four axes.
    const int count = !plan.multiChannel                                                        ? 1
                      : h.channelMode != 0 && h.channelCount == 5 && !h.vector && !h.vectorMicrophone ? kProbeAxes
                                                                                                      : h.channelCount;
    for (int c = 0; c < count; ++c) {
        doc.SelectLegacyChannel(c);
        const std::uint16_t input = doc.Channel().inputKind;
        plan.hasMicrophone = plan.hasMicrophone || input == kInputMicrophone;
        plan.hasDirect = plan.hasDirect || input == kInputDirect;
        plan.hasAccelerometer = plan.hasAccelerometer || input == kInputAccelerometer;
        if (!plan.multiChannel || ((channelMask >> c) & 1u) != 0)
            plan.channels.push_back(c);
    }
    plan.vdvColumn = (h.legacyFlagsWord & kFlagVdv) != 0 && plan.hasAccelerometer;
    plan.ltmColumns = h.prefixVariant != 0 && (plan.hasMicrophone || plan.hasDirect);
    plan.selColumns = plan.hasMicrophone;
    return plan;
}

std::optional<LegacyResultRow> DecodeLegacyResultRow(CTmDoc& doc, int channel, std::uint8_t unitOption,
                                                     bool scientific)
{
    doc.SelectLegacyChannel(channel);
    const LegacyHeader& h = doc.Legacy();
    const CurrentChannel& ch = doc.Channel();
    if (ch.function == 0)
        return std::nullopt;
    LegacyResultRow row;
    row.channel = channel;
    const bool fifth = h.channelCount > 1 && channel == kVectorChannel;
    row.vectorRow = fifth && h.vector;
    row.intensityRow = fifth && h.vectorMicrophone;
    row.linear = !row.intensityRow && LegacyLinear(ch.inputKind, unitOption);
    row.inputKind = ch.inputKind;
    const long long function = ch.inputKind == kInputMicrophone ? kFunctionLeq
                               : ch.inputKind == kInputDirect     ? kFunctionDsl
                                                                  : ch.function;
    // The intensity row names the probe's microphone pair (a variant-3 header's first extra word).
    row.function = row.intensityRow ? " " + std::string(NameFor(ProbePairNames, h.extraWords[0]))
                                    : std::string(NameFor(LegacyFunctionNames, function));
    row.filter = LegacyFilterFor(ch.filter);
    row.dualFilter = ch.dualFilter;
    row.overload = (ch.detectorWord & kDetectorOverload) != 0;

    // The rows start where the header decoder found the first (kind-10 files keep none).
    // One-channel files, variant-3 files among them, have a single row.
    if (h.resultsStart == 0)
        return std::nullopt;
    const LegacyResultsLayout layout{.prefixVariant = h.prefixVariant,
                                     .channelMode = static_cast<std::uint8_t>(h.channelMode),
                                     .channelCount = h.channelCount,
                                     .firstRow = h.resultsStart};
    const ImageReader image = doc.Reader();
    const std::optional<std::uint32_t> at = FindLegacyResultRow(image, layout, h.singleChannel ? 0 : channel);
    if (!at)
        return std::nullopt;
    try {
        ResultContext rc = doc.Results();
        rc.firstRecord = *at;
        rc.orlu505File = true;
        rc.dualFilter = ch.dualFilter;
        rc.legacyPrefixVariant = h.prefixVariant;
        const int e = GetReferenceExponent(doc.Levels(), ch);
        const double largest = GetMaxLevel(rc, 0, 0, row.linear, ch.sensitivityOffset, e);
        const int quantity = row.linear ? LinearQuantity(ch.function) : kQuantityDb;
        row.level = scientific ? FormatLevelSci(doc.Levels(), ch, ch.inputKind, largest, quantity)
                               : FormatLevel(doc.Levels(), ch, ch.inputKind, largest, quantity);
        DecodeLegacyResults(rc, row.values, row.linear, e, row.level.scale);
        row.seconds = image.Word(*at) > 1 ? image.Word(*at + 1) : 0;
    } catch (const ImageRangeError&) {
        return std::nullopt; // level words past the end of the file: no row
    }
    return row;
}

} // namespace orlu
