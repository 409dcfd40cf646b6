#pragma once
// The items of the Header information reports, one table per file family.
// A line is the item's label, 32 characters, followed at character 32 by the
// value written with the item's format; column items put one cell per channel
// at characters 32, 44, 56 and so on.

#include <array>
#include <string_view>

namespace orlu {

/// One item of a Header information report.
struct HeaderItem {
    std::string_view Label;  ///< 32 characters (Windows-1252), or empty
    std::string_view Format; ///< printf format of the value
};

inline constexpr int kHeaderLabelWidth = 32;
inline constexpr int kHeaderColumnWidth = 12;

inline constexpr int kLegacyHeaderItemCount = 31;
inline constexpr int kHeaderItemCount505 = 53;
inline constexpr int kHeaderItemCount = 139;

/// Items of the legacy family (the 505's METER files).
extern const std::array<HeaderItem, kLegacyHeaderItemCount> LegacyHeaderItemTable;
/// Items of the 505 family (the 505's ANALYZER files); 35 to 37 and 44 are empty.
extern const std::array<HeaderItem, kHeaderItemCount505> HeaderItemTable505;
/// Items of the current family, shared with the MONITOR header report.
extern const std::array<HeaderItem, kHeaderItemCount> HeaderItemTable;

/// Items of LegacyHeaderItemTable that are named apart from their number.
enum LegacyHeaderItem : int {
    kLegacyItemCoefficientK = 12,
    kLegacyItemChannel = 13, ///< "Channel:" label; " #%-10d " also serves the "Profile:" line
    kLegacyItemProfile = 14, ///< "Profile:" label; " Vector     " cell
    kLegacyItemRule = 15,
    kLegacyItemSoundIntensity = 23, ///< " Sound Int. " cell, no label
    kLegacyItemProfileNumber = 30,  ///< " P%-10d "
};

/// Items of HeaderItemTable505 that are named apart from their number.
enum HeaderItem505 : int {
    kItem505FirstZoomLine = 22, ///< 22 to 34: the 13 zoom lines
    kItem505Channel = 47,
    kItem505Rule = 49,
};

/// Items of HeaderItemTable that are named apart from their number.
enum CurrentHeaderItem : int {
    kItemOriginalFileName = 0,
    kItemMeasurementHour = 1,
    kItemMeasurementDay = 2,
    kItemDeviceFunction = 3,
    kItemTitleText = 4,
    kItemInput = 5,
    kItemMeasurementRange = 6,
    kItemWeightingFilter = 8,
    kItemDetectorType = 9,
    kItemBufferContents = 10,
    kItemCalibrationFactor = 11,
    kItemStartDelay = 13,
    kItemOctave11Lines = 14,
    kItemResultsInBuffer = 15,
    kItemProfile = 16,
    kItemRule = 17,
    kItemChannelInput = 18,
    kItemHistogramCount = 20,
    kItemOctave13Lines = 21,
    kItemTrigger = 22,
    kItemTrigLevel = 23,
    kItemTrigMode = 24,
    kItemMicPolarization = 25,
    kItemCriterionLevel = 26,
    kItemThresholdLevel = 27,
    kItemExchangeRate = 28,
    kItemExpositionTime = 29,
    kItemIntegrationTimeDef = 30,
    kItemAutoRepeat = 31,
    kItemLeqIntegration = 32,
    kItemOctave11Filter = 33,
    kItemOctave13Filter = 34,
    kItemDeviceType = 35,
    kItemSerial = 36,
    kItemSoftwareVersion = 37,
    kItemOctave11InBuffer = 38,
    kItemOctave13InBuffer = 39,
    kItemOctave11Count = 40,
    kItemOctave13Count = 41,
    kItemAssociatedBuffer = 42,
    kItemRmsIntegration = 43,
    kItemSpectrumLines = 44,
    kItemSpectraInBufferCount = 45,
    kItemSpectraCount = 46,
    kItemFullBandLines = 47,
    kItemShortBandLines = 48,
    kItemFullBand = 49,
    kItemShortBand = 50,
    kItemOriginalBuffer = 51,
    kItemAssociatedFile = 52,
    kItemTriggerSource = 53,
    kItemTriggerPre = 54,
    kItemTriggerPost = 55,
    kItemRepetitionCycle = 56,
    kItemBufferTimeStep = 57,
    kItemFrequencyBand = 58,
    kItemMicFieldCorrection = 59,
    kItemCompensationOnOff = 60,
    kItemSpectraAveraging = 61,
    kItemReferenceAcc = 62,
    kItemReferenceVel = 63,
    kItemReferenceDil = 64,
    kItemRt60Method = 66,
    kItemSpectrum = 67,
    kItemTimeStep = 68,
    kItemResponseTime = 69,
    kItemSmoothing = 70,
    kItemNoiseMargin = 71,
    kItemAveraging = 72,
    kItemSaveMode = 73,
    kItemMeasureNo = 74,
    kItemCreationTime = 75,
    kItemCreationDate = 76,
    kItemFileSystemVersion = 77,
    kItemRecordsInBuffer = 78,
    kItemCalibrationType = 79,
    kItemCalibrationTime = 80,
    kItemCalibrationDate = 81,
    kItemRotation = 82,
    kItemPulsesPerRotation = 83,
    kItemEnvelopingFilter = 84,
    kItemFftWindow = 85,
    kItemMicOutdoorFilter = 86,
    kItemLeqRmsIntegration = 87,
    kItemSpectraInBuffer = 89,
    kItemTriggerGradient = 90,
    kItemRotationInBuffer = 91,
    kItemSamplingRate = 92,
    kItemSeat = 93,
    kItemOverloadChannels = 94, ///< 34-character label: the list of channels follows it
    kItemLoggerTrigLevel = 96,
    kItemLoggerTrigMode = 97,
    kItemLoggerTrigSource = 98,
    kItemLoggerTrigPre = 99,
    kItemLoggerTrigPost = 100,
    kItemLoggerTrigGradient = 101,
    kItemLoggerContents = 102,
    kItemLoggerResults = 103,
    kItemAssociatedLogger = 104,
    kItemLoggerRecords = 105,
    kItemMicOutdoorFilterType = 106,
    kItemOriginalLogger = 107,
    kItemLoggerTimeStep = 108,
    kItemRecorderTrigLevel = 110,
    kItemRecorderTrigMode = 111,
    kItemRecorderTrigSource = 112,
    kItemRecorderTrigGradient = 113,
    kItemMeasurementTrigLevel = 115,
    kItemMeasurementTrigMode = 116,
    kItemMeasurementTrigSource = 117,
    kItemMeasurementTrigGradient = 118,
    kItemIoMode = 119,
    kItemIoFunction = 120,
    kItemIoActiveLevel = 121,
    kItemIoSource = 122,
    kItemIoAlarmLevel = 123,
    kItemAoDirect = 124,
    kItemAoDa = 125,
    kItemAoSource = 126,
    kItemIoPolarization = 127,
    kItemOctave11InLogger = 128,
    kItemOctave13InLogger = 129,
    kItemOctave11LoggerCount = 130,
    kItemOctave13LoggerCount = 131,
    kItemSpectraInLoggerCount = 132,
    kItemDoseMeasurement = 133,
    kItemDoseExposureTime = 134,
    kItemComputingStandard = 135,
    kItemRelatedAxis = 136,
    kItemSpectraPerRecord = 137,
    kItemCompensationFilter = 138,
};

} // namespace orlu
