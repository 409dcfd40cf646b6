#include "document/channel/ChannelSelection.h"

#include "document/channel/FourChannelSelection.h"

#include <cstdlib>

namespace orlu {
namespace {

constexpr const char* kLaterResultsMicrophone[] = {"Peak", "Max", "Min", "RMS", "vvvv", "xxx", "yyy", "zzz"};
constexpr const char* kLaterResultsOther[] = {"Peak", "P-P", "Max", "RMS", "vvvv", "xxx", "yyy", "zzz"};

constexpr std::uint16_t kHistoryClasses = 120;
constexpr std::int16_t kHistoryClassWidth = 10;

} // namespace

void ComputeRangeScalingCurrent(CurrentChannel& ch)
{
    ch.rangeNameIndex = ch.rangeIndex;
    ch.rangeTopDb = static_cast<std::int16_t>(std::atoi(ch.rangeNames.At(ch.rangeNameIndex)));
    ch.rangeBottomDb = static_cast<std::int16_t>(ch.rangeTopDb - 70);
}

void SelectCurrentChannel(const CurrentHeader& h, const LevelContext& levels, int a, int p, CurrentChannel& ch)
{
    if (h.setupFile || a < 0)
        return;
    if (h.model.FourChannel) {
        SelectFourChannel(h, levels, a, p, ch);
        return;
    }
    ch.channel = a;
    ch.profile = p;
    // Record 5 has three profiles; other channel numbers (the rotation column) keep profile 0's words.
    const ProfileSetup& profile = h.profiles[static_cast<std::size_t>(a < 3 ? a : 0)];
    ch.channelBlockLength = profile.blockLength;
    TakeWeightingWords(profile, ch);
    ch.calibration = profile.calibration;
    if (h.model.LaterModel)
        ch.resultNames = h.inputKind == kInputMicrophone ? NameTable::Of(kLaterResultsMicrophone)
                                                         : NameTable::Of(kLaterResultsOther);

    // The header's setup is the channel's in these files.
    ch.inputKind = h.inputKind;
    ch.storedInputKind = h.inputKindAsRead;
    ch.rangeIndex = h.range;
    ch.function = h.function;
    ch.octaveFilter = h.octaveFilter;
    ch.octaveInBuffer = h.spectraInBuffer;
    ch.lowestBandWord = h.lowestBandWord;
    ch.bandKind = h.bandKind;
    ch.bandExtras = h.bandExtras;
    ch.bandEnd = h.bandCount;
    ch.bandCount = h.bandsShown;
    ch.octaveBandCount = h.octaveBandsShown;
    ch.thirdBandCount = h.thirdBandsShown;
    ch.octaveTotal = h.octaveTotal;
    ch.octaveBands = h.octaveBandsShown;
    ch.octaveMissing = 15 - h.octaveBandsShown;
    ch.thirdTotal = h.thirdTotal;
    ch.thirdBands = h.thirdBands;
    ch.thirdMissing = h.thirdOffset;
    ch.spectraCount = h.spectrumCount;
    ch.bandTableIndex = h.bandTableIndex;
    ch.firstBandHz = h.firstFrequency;
    ch.fftRangeHz = h.fftRangeHz;
    ch.fftWindow = h.fftWindow;
    ch.fftMode = h.fftExtraLine;
    ch.fftWindowGain = h.fftWindowGain;
    ch.fftWindowPower = h.fftWindowPower;
    ch.fftAxisStart = 0.0;
    ch.fftAxisEnd = h.fftRangeHz;
    ch.histFirst = 0;
    TakeHistogramClasses(h.histogram, h.secondHistogram, ch);
    ch.histTotal = h.histogram.totalCount;
    ch.timeHistory = h.timeHistory;
    ch.histogramFlag = h.histogramFlag;
    ch.rangeNames = h.rangeNames;
    ch.filterNames = h.weightingNames;
    ch.detectorNames = h.detectorNames;
    ch.totalNames = h.totalNames;
    ch.fftBandNames = h.fftBandNames;

    ch.sensitivityOffset = GetSensitivityOffset(levels, ch);
    if (a < 4)
        ComputeRangeScalingCurrent(ch);
    if (h.timeHistory)
        UseTimeHistoryClasses(h.declaredCount, ch);
}

void SelectProfileWeighting(const CurrentHeader& h, int c, int p, CurrentChannel& ch)
{
    if (c == h.channelCount && p != 0)
        return;
    if (h.model.FourChannel) {
        SelectFourChannelWeighting(h, c, p, ch);
        return;
    }
    // From firmware 2.17 the words lie by channel + 4 x profile.
    const int index = h.firmware > 216 ? c + 4 * p : c;
    if (index < 0 || index >= static_cast<int>(h.profiles.size()))
        return;
    TakeWeightingWords(h.profiles[static_cast<std::size_t>(index)], ch);
}

void UseTimeHistoryClasses(std::uint32_t declaredCount, CurrentChannel& ch)
{
    ch.histFirst = 0;
    ch.histClasses = kHistoryClasses;
    ch.histLowest = static_cast<std::int16_t>(ch.rangeBottomDb * 10 - 300);
    ch.histWidth = kHistoryClassWidth;
    ch.histTotal = declaredCount;
}

std::uint8_t GetDisplayQuantity(std::uint16_t inputKind, std::uint8_t option, bool mixedInputs)
{
    switch (inputKind) {
    case kInputReference:
    case kInputDirect:
        return option == 0 ? 1 : 0;
    case kInputMicrophone:
        return mixedInputs ? 0 : option;
    case kInputCharge:
    case kInputAccelerometer:
        return static_cast<std::uint8_t>((option + 1) % 4);
    default:
        return 0;
    }
}

} // namespace orlu
