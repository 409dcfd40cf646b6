#pragma once
// Levels and their units. Instrument levels are words in 0.1 dB; a report
// shows them in dB or in linear units, 10^(L/20 - e) with the channel's
// reference exponent e (6: 1 um/s2 or a microphone's 1 uPa scaled by 20,
// 9: 1 nm/s, 12: 1 pm), with an engineering prefix chosen from the value.
// Every helper reads the selected channel, so callers select first.

#include "document/PlotKind.h"
#include "document/channel/CurrentChannel.h"
#include "document/headers/DeviceModels.h"

#include <cstdint>
#include <string>

namespace orlu {

/// The non-metric vibration units: m/s\xB2 to g (1 / 9.80665) and metres to inches (1 / 0.0254).
inline constexpr double kToG = 0.1019716213;
inline constexpr double kToInch = 39.37007874;

/// What the helpers read of the document besides the channel.
struct LevelContext {
    ModelFlags model;
    bool orlu505File = false;            ///< a legacy- or 505-family file of the ORLU 505
    std::int16_t accelerationOffset = 0; ///< reference levels, 0.1 dB
    std::int16_t velocityOffset = 0;
    std::int16_t displacementOffset = 0;
    std::uint16_t firmware = 0;          ///< x 100
    bool nonMetric = false;              ///< vibration units g, in/s, in
};

/// Displayed quantities (from the view's unit option, see GetDisplayQuantity).
enum DisplayQuantity : int {
    kQuantityDb = 0,
    kQuantityLinear = 1, ///< acceleration for vibration inputs
    kQuantityVelocity = 2,
    kQuantityDisplacement = 3,
};

/// e of the channel's linear unit: 6, 9 or 12.
int GetReferenceExponent(const LevelContext& doc, const CurrentChannel& ch);
/// The level offset (0.1 dB) a selection stores as the channel's sensitivity offset.
std::int16_t GetSensitivityOffset(const LevelContext& doc, const CurrentChannel& ch);
/// The sensitivity offset, or the acceleration reference for accelerometers outside ORLU 505 files.
std::int16_t GetChannelOffset(const LevelContext& doc, const CurrentChannel& ch);

/// A value formatted with its unit, and the scaling the result decoders apply to the row.
struct LevelText {
    bool written = false; ///< quantities above 4 write no text
    std::string value;
    std::string unit;
    int decimals = 0;
    int exponent = 0;   ///< the power of 1000 applied
    double scale = 1.0; ///< display multiplier of the row
};

/// Fixed-point form with a prefix: "12.3" and " \xB5V     " for 1.23e-5 V.
LevelText FormatLevel(const LevelContext& doc, const CurrentChannel& ch, std::uint16_t inputKind, double value,
                      int quantity);
/// Scientific form for tables: "%10.2e" and " " + the unit.
LevelText FormatLevelSci(const LevelContext& doc, const CurrentChannel& ch, std::uint16_t inputKind, double value,
                         int quantity);

/// The unit word of a formatted level: its unit text without the leading blank, cut at
/// the first blank after that ("dB", "mPa", "m/s\xB2").
std::string UnitWord(const LevelText& level);

/// PlotKind of a 1/1-octave spectrum graph.
PlotKind GetSpectrumAxisLayout(const LevelContext& doc, const CurrentChannel& ch);
/// PlotKind of a 1/1-octave spectrum graph, second view path.
PlotKind GetOctaveAxisLayout(const LevelContext& doc, const CurrentChannel& ch);
/// PlotKind of a 1/3-octave spectrum graph and the second code (0, 1 or 2).
PlotKind GetSpectrumAxisLayoutEx(const LevelContext& doc, const CurrentChannel& ch, int& outCode);
/// PlotKind of a 1/3-octave spectrum graph, second view path, with its second code.
PlotKind GetThirdOctaveAxisLayout(const LevelContext& doc, const CurrentChannel& ch, int& outCode);

} // namespace orlu
