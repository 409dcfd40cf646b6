#pragma once
// Names of the coded settings in the Header information reports of the
// current family and of merged documents. The codes come from the files
// unchecked: look them up with NameFor (reports/common/NameTables.h).

#include <array>
#include <string_view>

namespace orlu {

/// Device functions of the 515 text-display family.
extern const std::array<std::string_view, 7> DeviceFunctionNames515Text;
/// Device functions of all other models.
extern const std::array<std::string_view, 14> DeviceFunctionNames;
extern const std::array<std::string_view, 6> ThresholdNames;
/// Exchange rates of the 515 text-display family.
extern const std::array<std::string_view, 4> ExchangeRateNames515Text;
/// Exchange rates of the other models.
extern const std::array<std::string_view, 6> ExchangeRateNames;
extern const std::array<std::string_view, 2> OldTriggerNames;
/// Trigger modes below firmware 2.33.
extern const std::array<std::string_view, 4> OldTriggerModeNames;
/// Measurement and recorder trigger modes.
extern const std::array<std::string_view, 7> TriggerModeNames;
extern const std::array<std::string_view, 7> LoggerTriggerModeNames;
/// Trigger sources above the band range.
extern const std::array<std::string_view, 6> TriggerTotalNames;
/// Logger trigger sources above the band range.
extern const std::array<std::string_view, 6> LoggerTotalNames;
/// Measurement and recorder trigger sources of the later models.
extern const std::array<std::string_view, 2> LaterTriggerSourceNames;
/// Default trigger-source texts.
extern const std::array<std::string_view, 3> DefaultTriggerSourceNames;
extern const std::array<std::string_view, 2> PolarizationNames;
/// Leq, RMS and Leq/RMS integration modes.
extern const std::array<std::string_view, 2> IntegrationNames;
extern const std::array<std::string_view, 4> OctaveFilterNames;
extern const std::array<std::string_view, 2> FieldCorrectionNames;
/// Compensation filter of the older models.
extern const std::array<std::string_view, 2> CompensationOnOffNames;
/// Microphone outdoor filter (entry = code) and compensation filter of the later models (entry = 2 + code).
extern const std::array<std::string_view, 9> MicFilterNames;
extern const std::array<std::string_view, 4> SpectraAveragingNames;
extern const std::array<std::string_view, 7> FftWindowNames;
extern const std::array<std::string_view, 3> DoseKindNames;
extern const std::array<std::string_view, 4> ComputingStandardNames;
extern const std::array<std::string_view, 3> IoModeNames;
extern const std::array<std::string_view, 3> IoFunctionNames;
extern const std::array<std::string_view, 2> IoLevelNames;
extern const std::array<std::string_view, 3> IoSourceNames;
extern const std::array<std::string_view, 2> AoDirectNames;
extern const std::array<std::string_view, 2> AoDaNames;
extern const std::array<std::string_view, 3> AoSourceNames;
extern const std::array<std::string_view, 2> IoPolarityNames;
/// Real-time filter types.
extern const std::array<std::string_view, 3> RtFilterTypeNames;
/// Logger and buffer contents of microphone channels, bits 0 to 7.
extern const std::array<std::string_view, 8> ContentNamesMic;
/// Logger and buffer contents of other channels, bits 0 to 7.
extern const std::array<std::string_view, 8> ContentNames;

} // namespace orlu
