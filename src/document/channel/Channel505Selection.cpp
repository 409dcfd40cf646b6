#include "document/channel/Channel505Selection.h"

#include "document/headers/CurrentHeader.h"

#include <cmath>
#include <cstdlib>
#include <iterator>

namespace orlu {
namespace {

// The amplitude of full scale per range: range r uses entry 2r - 1.
constexpr double kRangeAmplitudes[] = {0.00822, 0.026, 0.082, 0.26, 0.822, 2.6, 8.22, 26.0};
constexpr double kReducedRangeScale = 0.6324555;
constexpr std::int16_t kLevelOffset20 = 200;

bool IsVibrationInput(std::uint16_t input) { return input == kInputCharge || input == kInputAccelerometer; }

} // namespace

void ComputeRangeScaling505(CurrentChannel& ch, bool eVersion, std::uint16_t channelMode)
{
    int index = 2 * ch.rangeIndex + 3 + (IsVibrationInput(ch.inputKind) ? 4 : 0);
    const bool ordinary = !eVersion && channelMode == 0;
    if (ordinary)
        ++index;
    ch.rangeScale = ordinary ? 1.0 : kReducedRangeScale;
    ch.rangeNameIndex = static_cast<std::uint16_t>(index);
    ch.rangeTopDb = static_cast<std::int16_t>(std::atoi(ch.rangeNames.At(index)));
    ch.rangeBottomDb = static_cast<std::int16_t>(ch.rangeTopDb - 70);
    // Ranges without an amplitude (outside 1 to 4) have no sample scale.
    const int amplitude = 2 * ch.rangeIndex - 1;
    ch.sampleScale = amplitude >= 0 && amplitude < static_cast<int>(std::size(kRangeAmplitudes))
                         ? std::pow(10.0, ch.calibration505 / 200.0) * ch.rangeScale * kRangeAmplitudes[amplitude] / 32768.0
                         : 0.0;
    ch.spectrumDbOffset = ordinary ? (ch.rangeTopDb - 80) * 10.0 - 19.911988
                                   : 200.0 * std::log10(0.5) + ch.rangeBottomDb * 10.0 + 0.5;
}

void TakeSetup505(const Setup505& s, bool eVersion, CurrentChannel& ch)
{
    ch = CurrentChannel{};
    ch.function = s.function;
    ch.bandKind = s.function;
    ch.bandExtras = static_cast<std::uint16_t>(s.bandExtras);
    ch.bandEnd = s.bandEnd;
    ch.bandCount = s.bandCount;
    ch.octaveBandCount = s.octaveBandCount;
    ch.thirdBandCount = s.thirdBandCount;
    ch.octaveTotal = s.octaveTotal;
    ch.octaveBands = s.octaveBands;
    ch.octaveMissing = s.octaveMissing;
    ch.thirdTotal = s.thirdTotal;
    ch.thirdBands = s.thirdBands;
    ch.thirdMissing = s.thirdMissing;
    ch.spectraCount = s.spectraCount;
    ch.bandTableIndex = s.function == kFunction505ThirdOctave ? 45 - s.bandCount : -1;
    ch.firstBandHz = s.lineSpacingHz;
    ch.fftRangeHz = s.fftRangeHz;
    ch.fftZoomCode = s.zoomCode;
    ch.fftWindow = s.window;
    ch.fftMode = s.extraValueFlag ? 1 : 0;
    ch.fftWindowGain = s.windowGain;
    ch.fftWindowPower = s.windowPower;
    ch.fftAxisStart = s.axisStartHz;
    ch.fftAxisEnd = s.axisEndHz;
    ch.histFirst = s.histogram.countsOffset;
    ch.histClasses = ch.histClasses2 = s.histogram.classes;
    ch.histLowest = ch.histLowest2 = s.histogram.lowest;
    ch.histWidth = ch.histWidth2 = s.histogram.width;
    ch.timeHistory = s.timeHistory;
    ch.histogramFlag = s.histogramFlag;
    ch.rangeNames = s.rangeNames;
    ch.totalNames = s.totalNames;
    ch.storedInputKind = s.storedInputKind;
    // Single-channel files keep the header's words: the selection of channel 0 takes them once.
    const Channel505& c = s.channels[0];
    ch.inputKind = c.inputKind;
    ch.rangeIndex = c.range;
    ch.filter505 = c.filter;
    ch.calibration505 = c.calibration;
    ch.lowPassFilter = c.lowPassFilter;
    Select505Channel(s, 0, eVersion, ch);
}

void Select505Channel(const Setup505& s, int n, bool eVersion, CurrentChannel& ch)
{
    if (s.channelCount > 1 && n >= 0 && n < s.channelCount) {
        const Channel505& c = s.channels[static_cast<std::size_t>(n)];
        ch.channel = n;
        ch.inputKind = c.inputKind;
        ch.rangeIndex = c.range;
        ch.filter505 = c.filter;
        ch.calibration505 = c.calibration;
        ch.lowPassFilter = c.lowPassFilter;
    }
    ch.sensitivityOffset = IsVibrationInput(ch.inputKind) && s.levelOffset20 ? kLevelOffset20 : 0;
    ComputeRangeScaling505(ch, eVersion, s.channelMode);
}

} // namespace orlu
