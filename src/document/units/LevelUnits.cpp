#include "document/units/LevelUnits.h"

#include "document/headers/CurrentHeader.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <cstdlib>

namespace orlu {
namespace {

// Legacy measurement functions of ORLU 505 files.
constexpr std::uint16_t kFunctionVal = 8;
constexpr std::uint16_t kFunctionVel = 9;

bool InRange(std::uint16_t v, std::uint16_t lo, std::uint16_t hi)
{
    return v >= lo && v <= hi;
}

bool VibrationDocument(const LevelContext& doc)
{
    return doc.model.Family530 || doc.model.Family535 || doc.model.FourChannel;
}

// The unit format table: decimals formats, prefixes, units.
constexpr const char* kDecimalFormats[] = {"%.0f", "%.1f", "%.2f", "%.3f"};
constexpr const char* kPrefixes[] = {" k", " ", " m", " \xB5", " n", " p"}; // entries 4 to 9
constexpr const char* kUnits[] = {"dB     ", "V     ", "Pa     ", "m/s\xB2     ", "m/s     ", "m     ", "KB    ",
                                  "m/sx     ", "rpm      ", "g      ", "in/s     ", "in      ", "in/sx     "};

enum UnitCode : int {
    kUnitDb = 0,
    kUnitVolt = 1,
    kUnitPascal = 2,
    kUnitAcceleration = 3,
    kUnitVelocity = 4,
    kUnitDisplacement = 5,
    kUnitKb = 6,
    kUnitG = 9,
    kUnitInchPerSecond = 10,
    kUnitInch = 11,
};

int UnitCodeFor(const LevelContext& doc, const CurrentChannel& ch, std::uint16_t inputKind, int quantity)
{
    if (doc.orlu505File && ch.function == kFunctionVal && ch.filter > 10) {
        if (ch.filter == 11 || InRange(ch.filter, 15, 18))
            return kUnitVelocity;
        if (ch.filter == 12)
            return kUnitKb;
        if (InRange(ch.filter, 19, 21))
            return kUnitDisplacement;
        return kUnitAcceleration;
    }
    if (VibrationDocument(doc) && inputKind == kInputAccelerometer) {
        if (InRange(ch.filter, 8, 10))
            return kUnitDisplacement;
        if (InRange(ch.filter, 4, 7))
            return kUnitVelocity;
        if (ch.filter == 15)
            return kUnitKb;
        return kUnitAcceleration;
    }
    if (inputKind == kInputReference || inputKind == kInputDirect)
        return kUnitVolt;
    if (inputKind == kInputMicrophone)
        return kUnitPascal;
    return quantity + 2;
}

// The factor that turns a value into the shown unit, and that unit.
double UnitFactor(const LevelContext& doc, std::uint16_t inputKind, int& unit)
{
    if (inputKind == kInputMicrophone)
        return 20.0;
    if (inputKind == kInputAccelerometer && doc.nonMetric) {
        if (unit == kUnitAcceleration) {
            unit = kUnitG;
            return kToG;
        }
        if (unit == kUnitVelocity || unit == kUnitDisplacement) {
            unit = unit == kUnitVelocity ? kUnitInchPerSecond : kUnitInch;
            return kToInch;
        }
    }
    return 1.0;
}

int DecimalExponentOf(const std::string& eText)
{
    std::size_t e = eText.find_first_of("eE");
    return e == std::string::npos ? 0 : std::atoi(eText.c_str() + e + 1);
}

void DropSignOfZero(std::string& text)
{
    if (!text.empty() && text[0] == '-' && std::atof(text.c_str()) == 0.0)
        text.erase(0, 1);
}

} // namespace

int GetReferenceExponent(const LevelContext& doc, const CurrentChannel& ch)
{
    if (doc.orlu505File) {
        if (ch.function == kFunctionVal) {
            if (ch.filter == 11 || InRange(ch.filter, 15, 18))
                return 9;
            return InRange(ch.filter, 19, 21) ? 12 : 6;
        }
        if (ch.function == kFunctionVel)
            return 9;
        return ch.function > kFunctionVel ? 12 : 6;
    }
    if (ch.inputKind == kInputAccelerometer) {
        if (InRange(ch.filter, 4, 7))
            return 9;
        if (InRange(ch.filter, 8, 10))
            return 12;
    }
    return 6;
}

std::int16_t GetSensitivityOffset(const LevelContext& doc, const CurrentChannel& ch)
{
    if (doc.orlu505File && ch.function > 7 && (ch.inputKind == kInputCharge || ch.inputKind == kInputAccelerometer)) {
        if (ch.function == kFunctionVal) {
            if (InRange(ch.filter, 15, 18))
                return doc.velocityOffset;
            return InRange(ch.filter, 19, 21) ? doc.displacementOffset : doc.accelerationOffset;
        }
        return ch.function == kFunctionVel ? doc.velocityOffset : doc.displacementOffset;
    }
    if (!VibrationDocument(doc) || ch.inputKind != kInputAccelerometer)
        return 0;
    if (InRange(ch.filter, 4, 7))
        return doc.velocityOffset;
    return InRange(ch.filter, 8, 10) ? doc.displacementOffset : doc.accelerationOffset;
}

std::int16_t GetChannelOffset(const LevelContext& doc, const CurrentChannel& ch)
{
    if (ch.inputKind == kInputAccelerometer && !doc.orlu505File)
        return doc.accelerationOffset;
    return ch.sensitivityOffset;
}

LevelText FormatLevel(const LevelContext& doc, const CurrentChannel& ch, std::uint16_t inputKind, double value,
                      int quantity)
{
    LevelText out;
    if (quantity < 0 || quantity > 4)
        return out;
    out.written = true;
    if (quantity == 0) {
        out.value = StrPrintf("%.3f", value);
        out.unit = std::string(" ") + kUnits[kUnitDb];
    } else {
        quantity = std::min(quantity, 3);
        int unit = UnitCodeFor(doc, ch, inputKind, quantity);
        const double g = UnitFactor(doc, inputKind, unit);
        const double x = value * g;
        // The exponent of x after rounding to three significant digits.
        const int h = std::clamp(DecimalExponentOf(StrPrintf("%10.2e", x)) + 12, 0, 17);
        const int k = 4 - h / 3;
        out.decimals = 2 - h % 3;
        double scale = 1.0;
        for (int i = 0; i < std::abs(k); ++i)
            scale = k > 0 ? scale * 1000.0 : scale / 1000.0;
        out.value = StrPrintf(kDecimalFormats[out.decimals], x * scale);
        out.unit = std::string(kPrefixes[5 - h / 3]) + kUnits[unit];
        out.exponent = k;
        out.scale = g * scale;
    }
    DropSignOfZero(out.value);
    return out;
}

std::string UnitWord(const LevelText& level)
{
    if (level.unit.empty())
        return {};
    const std::string word = level.unit.substr(1);
    return word.substr(0, word.find(' '));
}

LevelText FormatLevelSci(const LevelContext& doc, const CurrentChannel& ch, std::uint16_t inputKind, double value,
                         int quantity)
{
    LevelText out;
    if (quantity < 0 || quantity > 4)
        return out;
    if (quantity == 0)
        return FormatLevel(doc, ch, inputKind, value, quantity);
    out.written = true;
    quantity = std::min(quantity, 3);
    int unit = UnitCodeFor(doc, ch, inputKind, quantity);
    const double g = UnitFactor(doc, inputKind, unit);
    out.value = StrPrintf("%10.2e", value * g);
    out.unit = std::string(" ") + kUnits[unit];
    out.decimals = 3;
    out.exponent = 0;
    out.scale = g;
    DropSignOfZero(out.value);
    return out;
}

PlotKind GetSpectrumAxisLayout(const LevelContext& doc, const CurrentChannel& ch)
{
    const ModelFlags& m = doc.model;
    const bool microphone = ch.inputKind == kInputMicrophone;
    if (m.Family515Text)
        return 14;
    if (m.Family515)
        return ch.bandEnd == (ch.bandKind == kBandOctave11 ? 12 : 30) ? 23 : 26;
    if (m.Family525 || (m.Family535 && microphone && doc.firmware >= 302) || (m.FourChannel && microphone)) {
        if (ch.bandKind == kBandOctave11)
            return ch.bandEnd == 13 ? 26 : 21;
        return ch.bandEnd == 33 ? 26 : ch.bandEnd == 34 ? 51 : ch.bandEnd == 48 ? 21 : 22;
    }
    if (m.Family530 || m.Family535 || m.FourChannel)
        return ch.bandEnd == 13 || ch.bandEnd == 33 || ch.bandEnd == 34 ? 48 : 29;
    return ch.octaveMissing == 2 ? 42 : ch.octaveMissing == 3 ? 43 : 11;
}

PlotKind GetOctaveAxisLayout(const LevelContext& doc, const CurrentChannel& ch)
{
    const ModelFlags& m = doc.model;
    if (m.Family515Text)
        return 35;
    if (m.Family515)
        return ch.bandEnd == 12 ? 33 : 34;
    if (m.Family525 || m.Family535 || m.FourChannel)
        return ch.bandEnd == 13 || ch.bandEnd == 33 ? 34 : 32;
    return 10;
}

PlotKind GetSpectrumAxisLayoutEx(const LevelContext& doc, const CurrentChannel& ch, int& outCode)
{
    const ModelFlags& m = doc.model;
    const bool accelerometer = ch.inputKind == kInputAccelerometer;
    const int tail = ch.filter505 < 4 ? 1 : 2;
    const int difference = ch.bandEnd - ch.bandCount;
    if (m.Family515) {
        outCode = 1;
        return ch.bandEnd == 33 ? 27 : 24;
    }
    if (m.Family530 || (m.Family535 && (accelerometer || doc.firmware < 302))) {
        outCode = 1;
        return ch.bandEnd == 33 ? 47 : 30;
    }
    if (m.FourChannel && accelerometer) {
        outCode = 0;
        return ch.bandEnd == 33 ? 49 : ch.bandEnd == 34 ? 52 : 46;
    }
    if (ch.bandEnd == 50 && (ch.bandCount == 41 || ch.bandCount == 38)) {
        outCode = tail;
        return ch.bandCount == 41 ? 40 : 41;
    }
    if (ch.bandEnd == 45 && (ch.bandCount == 41 || ch.bandCount == 38)) {
        outCode = 0;
        return ch.bandCount == 41 ? 44 : 45;
    }
    if (difference == 1) {
        outCode = 0;
        return ch.bandEnd == 43 ? 12 : 15;
    }
    if (difference != 3) {
        outCode = tail;
        return ch.bandEnd == 48 ? 19 : 20;
    }
    outCode = m.Family525 || ch.filter505 < 4 ? 1 : 2;
    return ch.bandEnd == 33 ? 27 : ch.bandEnd == 34 ? 50 : ch.bandEnd == 45 ? 16 : ch.bandEnd == 47 ? 17 : 25;
}

PlotKind GetThirdOctaveAxisLayout(const LevelContext& doc, const CurrentChannel& ch, int& outCode)
{
    const int tail = ch.filter505 < 4 ? 1 : 2;
    const int difference = ch.bandEnd - ch.bandCount;
    if (doc.model.Family515) {
        outCode = 1;
        return ch.bandEnd == 33 ? 37 : 38;
    }
    if (difference == 1) {
        outCode = 0;
        return ch.bandEnd == 43 ? 0 : 1;
    }
    if (difference != 3) {
        outCode = tail;
        return ch.bandEnd == 48 ? 4 : 5;
    }
    outCode = doc.model.Family525 || ch.filter505 < 4 ? 1 : 2;
    return ch.bandEnd == 33 ? 37 : ch.bandEnd == 45 ? 2 : ch.bandEnd == 47 ? 3 : 39;
}

} // namespace orlu
