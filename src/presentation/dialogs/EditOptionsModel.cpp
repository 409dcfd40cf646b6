#include "presentation/dialogs/EditOptionsModel.h"

#include "presentation/AppSettings.h"
#include "presentation/view/ViewKinds.h"

namespace orlu {

using namespace form_flags;

EditOptionsValues EditOptionsFromFlags(std::uint32_t formFlags)
{
    EditOptionsValues v;
    v.decimalIndex = static_cast<int>(Field(formFlags, kClipDecimalShift, 1));
    v.separatorIndex = static_cast<int>(Field(formFlags, kClipSeparatorShift, 3));
    v.dateIndex = static_cast<int>(Field(formFlags, kClipDateShift, 3));
    v.blockModeIndex = static_cast<int>(Field(formFlags, kBlockModeShift, 2));
    v.tableGroupEnabled = (formFlags & kTable) != 0;
    return v;
}

bool RunEditOptions(std::uint32_t& formFlags, AppSettings& settings,
                    const std::function<void(EditOptionsValues&)>& runDialog,
                    const std::function<void()>& showCommaConflict)
{
    const EditOptionsValues before = EditOptionsFromFlags(formFlags);
    EditOptionsValues values = before;
    runDialog(values);
    while (values.decimalIndex == 1 && values.separatorIndex == 1) {
        showCommaConflict();
        runDialog(values);
    }
    if (values == before)
        return false;
    auto u = [](int index) { return static_cast<std::uint32_t>(index < 0 ? 0 : index); };
    formFlags = WithField(formFlags, kClipDecimalShift, 1, u(values.decimalIndex));
    formFlags = WithField(formFlags, kClipSeparatorShift, 3, u(values.separatorIndex));
    formFlags = WithField(formFlags, kClipDateShift, 3, u(values.dateIndex));
    formFlags = WithField(formFlags, kBlockModeShift, 2, u(values.blockModeIndex));
    settings.ClipDecyPoint = static_cast<std::uint8_t>(Field(formFlags, kClipDecimalShift, 1));
    settings.ClipSeparatorChar = static_cast<std::uint8_t>(Field(formFlags, kClipSeparatorShift, 3));
    settings.ClipDateFormat = static_cast<std::uint8_t>(Field(formFlags, kClipDateShift, 3));
    settings.ClipBlockMarkMode = static_cast<std::uint8_t>(Field(formFlags, kBlockModeShift, 2));
    return true;
}

SpectrumPeaksValues PresetSpectrumPeaks(int count, std::uint16_t threshold, bool keepDefault, bool linearUnits)
{
    SpectrumPeaksValues v;
    v.peaksMax = static_cast<unsigned>(count < 0 ? 0 : count);
    v.peakShape = threshold;
    v.keepAsDefault = keepDefault;
    v.unitText = linearUnits ? "* 1 %" : "* 0.1 dB";
    return v;
}

bool ApplySpectrumPeaks(const SpectrumPeaksValues& values, int& count, std::uint16_t& threshold, bool& keepDefault,
                        AppSettings& settings, bool peaksShown)
{
    if (!values.accepted)
        return false;
    count = static_cast<int>(values.peaksMax);
    threshold = static_cast<std::uint16_t>(values.peakShape);
    keepDefault = values.keepAsDefault;
    if (keepDefault) {
        settings.SpectrPeaksNum = static_cast<std::uint8_t>(count);
        settings.PeakNeighbourDiff = threshold;
    }
    return peaksShown;
}

} // namespace orlu
