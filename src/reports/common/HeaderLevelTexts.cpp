#include "reports/common/HeaderLevelTexts.h"

#include "document/headers/CurrentHeader.h"
#include "document/texts/NumberTexts.h"
#include "platform/ValueFormat.h"
#include "reports/common/TableRowFormats.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace orlu {
namespace {

constexpr double kTwoPi = 6.283185307;
constexpr double kMicrophoneFactor = 20.0; // 10^(L/20 - 6) x 20 is pascals re 20 uPa

// Legacy measurement functions of ORLU 505 channels with a quantity of their own.
constexpr std::uint16_t kFunctionAcceleration = 8; // " Val"
constexpr std::uint16_t kFunctionVelocity = 9;     // " Vel"
constexpr std::uint16_t kFunctionDisplacement = 10; // " Dil1"

// The range names of TableRowFormats, by range-name index.
enum RangeName : int { kRangeUnknown = 0, kRangeLow = 1, kRangeHigh = 2, kRangeSingle = 3 };

bool VibrationInput(std::uint16_t inputKind)
{
    return inputKind == kInputCharge || inputKind == kInputAccelerometer;
}

// 10^(L/20 - e) in the unit of the input: pascals for a microphone; g or
// inches for an accelerometer under the non-metric option. The factor
// follows the quantity shown (g for acceleration, inches for velocity and
// displacement), so a value always matches the unit printed after it.
double LinearValue(const HeaderLevelContext& ctx, double levelDb, int exponent, int quantity)
{
    double x = std::pow(10.0, levelDb / 20.0 - exponent);
    if (ctx.channel.inputKind == kInputMicrophone)
        x *= kMicrophoneFactor;
    if (ctx.document.nonMetric && ctx.channel.inputKind == kInputAccelerometer)
        x *= quantity == kQuantityLinear ? kToG : kToInch;
    return x;
}

// The value with its unit, the number cleaned, cut to the cell.
std::string ValueWithUnit(const HeaderLevelContext& ctx, double x, int quantity, std::size_t width, bool wholeNumber)
{
    ValueUnitText t = FormatValueUnit(ctx.channel.inputKind, x, quantity, ctx.document.nonMetric);
    if (wholeNumber)
        t.value = StrPrintf("%.0f", std::strtod(t.value.c_str(), nullptr));
    TidyNumberText(t.value);
    std::string text = t.value + t.unit;
    if (text.size() > width)
        text.resize(width);
    return text;
}

// The reference level (0.1 dB) of an ORLU 505 vibration function; 0 for other functions.
std::int16_t FunctionReference(const LevelContext& doc, std::uint16_t function)
{
    switch (function) {
    case kFunctionAcceleration:
        return doc.accelerationOffset;
    case kFunctionVelocity:
        return doc.velocityOffset;
    case kFunctionDisplacement:
        return doc.displacementOffset;
    default:
        return 0;
    }
}

} // namespace

std::string FormatTenthsLevel(std::int16_t tenths, bool linear)
{
    const double x = tenths / 10.0;
    std::string text = linear ? StrPrintf("%.3g", std::pow(10.0, x / 20.0)) : StrPrintf("%.1f", x);
    TidyNumberText(text);
    if (!linear)
        text += " dB";
    return text;
}

std::string FormatHeaderLevel(const HeaderLevelContext& ctx, double levelDb, int mode, bool relative)
{
    const CurrentChannel& ch = ctx.channel;
    if (mode != kQuantityDb) {
        // The ORLU 505's functions from " Val" on carry their quantity;
        // " Dil3" is a displacement like " Dil1" (its reference exponent is
        // that of displacement), never the KB unit that follows in the unit
        // list. Other families number other functions there (RT60, ...).
        const int quantity = ctx.document.orlu505File && ch.function >= kFunctionAcceleration
                                 ? std::min(ch.function - kFunctionAcceleration + 1, int{kQuantityDisplacement})
                                 : mode;
        const double x = LinearValue(ctx, levelDb, GetReferenceExponent(ctx.document, ch), quantity);
        return ValueWithUnit(ctx, x, quantity, kHeaderLevelWidth, false);
    }
    double x = levelDb;
    if (relative && ctx.document.orlu505File && ch.function >= kFunctionAcceleration && VibrationInput(ch.inputKind))
        x -= FunctionReference(ctx.document, ch.function) / 10.0;
    return ValueWithUnit(ctx, x, kQuantityDb, kHeaderLevelWidth, false);
}

std::string FormatHeaderLevelRef(const HeaderLevelContext& ctx, double levelDb, int mode, bool relative,
                                 bool wholeNumber)
{
    double x = levelDb;
    if (mode != kQuantityDb)
        x = LinearValue(ctx, levelDb, 3 * (mode + 1), mode); // 1 um/s2, 1 nm/s, 1 pm
    else if (relative && ctx.channel.inputKind == kInputAccelerometer)
        x -= ctx.document.accelerationOffset / 10.0;
    return ValueWithUnit(ctx, x, mode, kHeaderLevelRefWidth, wholeNumber);
}

std::string FormatVibrationLevel(const HeaderLevelContext& ctx, double levelDb, int mode)
{
    double x = levelDb;
    if (mode != kQuantityDb) {
        x = LinearValue(ctx, levelDb, 6, mode);
        if (mode == kQuantityVelocity || mode == kQuantityDisplacement) {
            // Velocity and displacement of a sine at the setup frequency: a / w, a / w^2.
            const double w = kTwoPi * ctx.setupFrequencyHz;
            if (!(w > 0.0))
                return "-----";
            x /= mode == kQuantityVelocity ? w : w * w;
        }
    } else if (ctx.document.orlu505File && VibrationInput(ctx.channel.inputKind)) {
        x -= ctx.channel.sensitivityOffset / 10.0;
    }
    return ValueWithUnit(ctx, x, mode, kHeaderLevelWidth, false);
}

std::string_view GetRangeName(const HeaderLevelContext& ctx)
{
    const ModelFlags& model = ctx.document.model;
    const std::uint16_t function = ctx.channel.function;
    const std::uint16_t range = ctx.channel.rangeIndex;
    const bool lowOrHigh = range == kRangeLow || range == kRangeHigh;
    const bool singleRange = (function == kFunctionLevelMeter || function == kFunctionDoseMeter) && range == 2;
    int name = kRangeUnknown;
    if (model.Model560) {
        if (singleRange)
            name = kRangeSingle;
        else if (function == kFunctionOctave11 && lowOrHigh)
            name = range;
    } else if (model.Model570) {
        if (singleRange)
            name = kRangeSingle;
    } else if (model.Model575) {
        name = kRangeSingle;
    } else if ((model.Model580 || model.Model595) && lowOrHigh) {
        name = range;
    }
    return TableRowFormats[static_cast<std::size_t>(kTableRangeNameBase + name)];
}

} // namespace orlu
