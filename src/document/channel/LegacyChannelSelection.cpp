#include "document/channel/LegacyChannelSelection.h"

#include "document/headers/CurrentHeader.h"
#include "document/headers/LegacyNameLists.h"
#include "platform/ValueFormat.h"

#include <cmath>
#include <cstdlib>

namespace orlu {
namespace {

/// Amplitudes of the sample scale; range r takes entry 2r - 1.
constexpr double kRangeAmplitudes[] = {0.00822, 0.026, 0.082, 0.26, 0.822, 2.6, 8.22, 26.0};
/// The E-version inputs and the probes are 4 dB (a factor 0.6324555) more sensitive.
constexpr double kReducedRangeScale = 0.6324555;

constexpr std::uint16_t kHistoryClasses = 88;
constexpr std::int16_t kHistoryClassWidth = 10;

/// Steps of the range name index that the vibration functions add.
int FunctionRangeStep(std::uint16_t function)
{
    switch (function) {
    case 8: return 4;  // Val
    case 9: return 8;  // Vel
    case 10: return 13; // Dil1
    case 11: return 11; // Dil3
    default: return 0;
    }
}

/// The input kind a multi-channel file's channel is shown as.
std::uint16_t ChannelInputKind(const LegacyHeader& h, int p)
{
    const std::uint16_t stored = h.Channel(p).inputKind;
    if (h.prefixVariant == 1 || h.prefixVariant == 2)
        return stored != 0 ? stored : h.inputKind; // 0 names the header's input kind
    if (p == 4 && h.vector)
        return h.fifthChannelInputKind;
    if (p == 4 && h.vectorMicrophone)
        return kInputMicrophone;
    if (stored == 0)
        return kInputAccelerometer;
    return h.channelMode == 2 ? kInputMicrophone : kInputCharge;
}

std::string VectorFormula(const LegacyHeader& h)
{
    const NameTable filters = LegacyFilterNameTable();
    std::string formula;
    for (int c = 0; c < 4; ++c) {
        const LegacyChannelSetup& ch = h.Channel(c);
        if (ch.vectorCoefficient <= 0)
            continue;
        if (!formula.empty())
            formula += " + ";
        formula += StrPrintf("%.2f^2*(#%d:%s)^2", ch.vectorCoefficient / 100.0, c + 1, filters.At(ch.filter));
    }
    return formula;
}

} // namespace

void ComputeRangeScalingLegacy(CurrentChannel& ch, bool eVersionOrChannelMode)
{
    int index = 2 * ch.rangeIndex + 3 + FunctionRangeStep(ch.function);
    if (!eVersionOrChannelMode) {
        ++index;
        ch.rangeScale = 1.0;
    } else {
        ch.rangeScale = kReducedRangeScale;
    }
    ch.rangeNameIndex = static_cast<std::uint16_t>(index);
    ch.rangeTopDb = static_cast<std::int16_t>(std::atoi(ch.rangeNames.At(index)));
    ch.rangeBottomDb = static_cast<std::int16_t>(ch.rangeTopDb - 70);
    ch.sampleScale = ch.rangeIndex >= 1 && ch.rangeIndex <= 4
                         ? std::pow(10.0, ch.calibration / 200.0) * ch.rangeScale *
                               kRangeAmplitudes[2 * ch.rangeIndex - 1] / 32768.0
                         : 0.0;
}

void SelectLegacyChannel(const LegacyHeader& h, const LevelContext& levels, bool eVersion, int p, CurrentChannel& ch)
{
    const LegacyChannelSetup& setup = h.Channel(p);
    ch.channel = p;
    ch.profile = 0;
    ch.inputKind = h.channelCount > 1 ? ChannelInputKind(h, p) : h.inputKind;
    ch.storedInputKind = setup.inputKind;
    ch.rangeIndex = setup.range;
    ch.channelBlockLength = setup.blockLength;
    ch.function = setup.function;
    ch.dualFilter = setup.filter == 4 || setup.filter == 11;
    ch.filter = static_cast<std::uint16_t>(setup.filter < 0 ? 0 : setup.filter);
    ch.timeConstant = setup.timeStepCode;
    ch.calibration = setup.calibration;
    ch.detectorWord = setup.flagsWord;
    // The "LOW PASS filter" code is the block's word 8; a block without it reads 0 ("UNDF").
    ch.lowPassFilter = static_cast<std::uint16_t>(setup.furtherWord < 0 ? 0 : setup.furtherWord);
    ch.coefficientK = static_cast<std::uint16_t>(setup.vectorCoefficient < 0 ? 0 : setup.vectorCoefficient);
    // The decoded flags, not the flags word's bits: a reduced file (kind 10) keeps the
    // histogram bit of the file it came from but no histogram.
    ch.histogramFlag = h.histogramFlag;
    ch.timeHistory = h.timeHistory;
    ch.vectorFormula = h.vector ? VectorFormula(h) : std::string();
    ch.detectorBit1 = (ch.detectorWord & 0x2) != 0;
    ch.detectorBit6 = (ch.detectorWord & 0x40) != 0;
    ch.rmsDetectorType = static_cast<std::uint16_t>(((ch.detectorWord >> 4) & 3) + 1);
    ch.rangeNames = Orlu505RangeNames();
    ch.filterNames = LegacyFilterNameTable();
    ch.sensitivityOffset = GetSensitivityOffset(levels, ch);
    ComputeRangeScalingLegacy(ch, eVersion || h.channelMode != 0);

    if (h.timeHistory) {
        ch.histFirst = 0;
        ch.histClasses = kHistoryClasses;
        ch.histLowest = static_cast<std::int16_t>(ch.rangeBottomDb * 10);
        ch.histWidth = kHistoryClassWidth;
        ch.histTotal = h.declaredCount;
    } else {
        ch.histFirst = h.histogram.classOffset;
        ch.histClasses = h.histogram.classes;
        ch.histLowest = h.histogram.lowest;
        ch.histWidth = h.histogram.width;
        ch.histTotal = h.histogram.totalCount;
    }
}

} // namespace orlu
