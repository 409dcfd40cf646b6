#include "document/results/ResultDecoders.h"

#include "document/headers/CurrentHeader.h"
#include "document/units/LevelUnits.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace orlu {
namespace {

constexpr double kDoseCap = 9999.0;
constexpr double kOlderDoseCap = 9999.9;
constexpr double kSecondsOf8Hours = 28800.0;

// The words of one results row, with the record layout around it.
struct Row {
    explicit Row(const ResultContext& ctx) : image(ctx.Reader()) {}
    ImageReader image;
    std::uint32_t start = 0;
    std::uint32_t length = 0; ///< L of every results record
    std::uint32_t seconds = 0;  ///< T

    std::int16_t W(std::uint32_t k) const { return image.SignedWord(start + k); }
};

std::uint32_t RecordLength(const ResultContext& ctx)
{
    const std::uint32_t length = ctx.Reader().Word(ctx.firstRecord) >> 8;
    if (length == 0)
        throw ImageRangeError("a results record without its length");
    return length;
}

// Four-channel files from firmware 2.17 keep a record per channel and profile.
bool ByChannelAndProfile(const ResultContext& ctx)
{
    return ctx.model.FourChannel && ctx.firmware >= 217;
}

Row RowOf(const ResultContext& ctx, int channel, int profile)
{
    Row r(ctx);
    r.length = RecordLength(ctx);
    const std::uint32_t index =
        static_cast<std::uint32_t>(channel) + (ByChannelAndProfile(ctx) ? 4u * static_cast<std::uint32_t>(profile) : 0u);
    r.start = ctx.firstRecord + index * r.length;
    r.seconds = r.image.Int32AtWord(ctx.firstRecord + 1);
    r.image.Word(r.start + r.length - 1); // the whole row lies inside the file
    return r;
}

// The overload time O as a percentage of T, read only by the layouts that show it: words 1 and 2
// of the second results record (four-channel files from firmware 2.17: of record channel + 4).
// A file without that record (a one-channel file holds a single one) has no overload time: absent.
double OverloadPercent(const ResultContext& ctx, const Row& r, int channel)
{
    const std::uint32_t index = ByChannelAndProfile(ctx) ? static_cast<std::uint32_t>(channel) + 4u : 1u;
    const std::uint64_t record = ctx.firstRecord + std::uint64_t{index} * r.length;
    const std::uint64_t words = r.image.WordCount();
    if (record + 3 > words || r.image.Word(static_cast<std::uint32_t>(record)) != r.image.Word(ctx.firstRecord))
        return kAbsentValue;
    const std::uint32_t overload = r.image.Int32AtWord(static_cast<std::uint32_t>(record) + 1);
    return r.seconds == 0 ? 0.0 : overload * 100.0 / r.seconds;
}

double Db(double w, double divisor)
{
    return w / divisor;
}

double Linear(double w, double divisor, int e)
{
    return std::pow(10.0, w / divisor - e);
}

double Level(double w, bool linear, int e, double levelDivisor = 10.0, double linearDivisor = 200.0)
{
    return linear ? Linear(w, linearDivisor, e) : Db(w, levelDivisor);
}

// SEL in linear mode: the squared pressure (20 x 10^(SEL/20 - e))^2.
double SquaredPressure(double selDb, int e)
{
    const double p = 20.0 * std::pow(10.0, selDb / 20.0 - e);
    return p * p;
}

double RoundHalfUp(double v)
{
    return std::floor(v + 0.5);
}

std::int32_t DenCode(std::uint16_t flagsWord)
{
    return ((flagsWord >> 3) & 1) * 100 + ((flagsWord >> 4) & 1) * 10 + ((flagsWord >> 5) & 1);
}

void Multiply(ResultValues& out, double m, std::initializer_list<double ResultValues::*> slots)
{
    for (double ResultValues::*slot : slots)
        out.*slot *= m;
}

// The dose block: dose, dose8, E, E8, LEPd and PSEL from the Leq word l and the dose word d.
// levelScale turns words into 0.1 dB units (1 for 0.1 dB words); lDivisor gives dB of l.
void DoseBlock(const ResultContext& ctx, const Row& r, double l, double d, double levelScale, double lDivisor,
               ResultValues& out)
{
    const double t = r.seconds;
    if (ctx.exchangeRate != 0) {
        const double k = ctx.exchangeRate == 3 ? 0.01 : 0.030103 / ctx.exchangeRate;
        const double h = std::pow(10.0, (d - ctx.criterionLevel) * k * levelScale);
        out.dose = std::min(RoundHalfUp(h / 288.0), kDoseCap);
        out.dose8 = t == 0 ? 0.0 : std::min(RoundHalfUp(h * 100.0 / t), kDoseCap);
    } else {
        out.dose = 0.0;
        out.dose8 = 0.0;
    }
    const double p = std::pow(10.0, levelScale * l / 100.0 - 12.0) * 320000.0;
    out.exposure = std::min(RoundHalfUp(t / kSecondsOf8Hours * p), kDoseCap) / 100.0;
    out.exposure8 = std::min(RoundHalfUp(p), kDoseCap) / 100.0;
    out.lepd = ctx.exposureMinutes == 0 ? 0.0 : 10.0 * std::log10(60.0 * ctx.exposureMinutes) + l / lDivisor - 44.6;
    out.psel = t == 0 ? 0.0 : 10.0 * std::log10(t) + l / lDivisor - 44.6;
}

// SEL in dB from T and the Leq in dB; absent for a measurement time of 0.
double SelDb(std::uint32_t seconds, double leqDb)
{
    return seconds == 0 ? kAbsentValue : 10.0 * std::log10(static_cast<double>(seconds)) + leqDb;
}

void FinishSel(ResultValues& out, double selDb, bool linear, int e)
{
    if (linear) {
        out.sel = IsAbsent(selDb) ? kAbsentValue : SquaredPressure(selDb, e);
        out.sel8 = out.sel;
    } else {
        out.sel = selDb;
        out.sel8 = out.result + 44.6;
    }
}

// Where a row keeps Leq, Peak, Min, Max and SPL; Ltm3 and Ltm5 are words 10 and 11 in every layout.
struct LevelWords {
    std::uint32_t result, peak, min, max, spl;
};
constexpr LevelWords kOlderSlmWords{7, 3, 5, 4, 6};
constexpr LevelWords kOlderProfileWords{9, 3, 5, 7, 6};
constexpr LevelWords kLaterWords{8, 3, 6, 5, 7}; ///< firmware 5.05 and later

// Leq, Peak, Min, Max, SPL, Ltm3 and Ltm5 of a row.
void DecodeLevels(const Row& r, const LevelWords& w, ResultValues& out, bool linear, int e, double levelDivisor = 10.0,
                  double linearDivisor = 200.0)
{
    const auto level = [&](std::uint32_t k) { return Level(r.W(k), linear, e, levelDivisor, linearDivisor); };
    out.result = level(w.result);
    out.peak = level(w.peak);
    out.min = level(w.min);
    out.max = level(w.max);
    out.spl = level(w.spl);
    out.ltm3 = level(10);
    out.ltm5 = level(11);
}

// The display multiplier of the dose and profile decoders: every level, and SEL only in dB.
void MultiplyDoseLevels(ResultValues& out, double m, bool linear)
{
    Multiply(out, m, {&ResultValues::result, &ResultValues::peak, &ResultValues::min, &ResultValues::max,
                      &ResultValues::spl, &ResultValues::ltm3, &ResultValues::ltm5, &ResultValues::lav,
                      &ResultValues::doseLevel});
    if (!linear)
        Multiply(out, m, {&ResultValues::sel, &ResultValues::sel8});
}

bool LaterFirmwareLayout(const ResultContext& ctx)
{
    return !ctx.model.FourChannel && ctx.firmware >= 505;
}

constexpr std::array<std::array<std::uint8_t, 4>, 8> kMaxLevelSets = {{
    {3, 4, 5, 7}, {3, 4, 5, 7}, {3, 4, 5, 7}, {3, 5, 7, 8}, {3, 6, 7, 9}, {3, 5, 7, 8}, {3, 4, 7, 9}, {3, 4, 5, 8},
}};

} // namespace

int Log10x100(double n)
{
    return n > 0 ? static_cast<int>(100.0 * std::log10(n)) : 0;
}

double GetMaxLevel(const ResultContext& ctx, std::uint32_t row, int indexSet, bool linear, int offset, int e)
{
    indexSet = std::clamp(indexSet, 0, 7);
    if (!ctx.orlu505File && !ctx.model.Family515Text && !ctx.model.FourChannel && ctx.firmware > 504 &&
        (indexSet == 2 || indexSet == 4 || indexSet == 6))
        ++indexSet;
    const std::uint32_t start = indexSet == 0 ? ctx.firstRecord : ctx.firstRecord + row * RecordLength(ctx);
    double best = -HUGE_VAL;
    const ImageReader image = ctx.Reader();
    for (std::uint8_t k : kMaxLevelSets[static_cast<std::size_t>(indexSet)]) {
        const double w = image.SignedWord(start + k);
        const double v = linear ? std::pow(10.0, w / ctx.linearDivisor + offset / 200.0 - e) : w / ctx.levelDivisor;
        best = std::max(best, v);
    }
    return best;
}

void DecodeLegacyResults(const ResultContext& ctx, ResultValues& out, bool linear, int e, double m)
{
    const ImageReader image = ctx.Reader();
    const std::uint32_t row = ctx.firstRecord;
    const std::uint32_t length = image.Word(row);
    // A word the row does not hold (a shorter or damaged row) is absent, never the next row's length word.
    const auto word = [&](std::uint32_t k) { return k < length ? static_cast<double>(image.SignedWord(row + k)) : kAbsentValue; };
    // In linear mode the sensitivity offset raises the level words 2 to 7.
    const auto level = [&](std::uint32_t k) {
        const double offset = linear && k >= 2 && k <= 7 ? ctx.sensitivityOffset : 0;
        return Level(word(k) + offset, linear, e);
    };
    const bool microphone = ctx.inputKind == kInputMicrophone;
    const bool ltm = ctx.legacyPrefixVariant != 0 && (microphone || ctx.inputKind == kInputDirect);

    out.result = level(7);
    out.peak = level(3);
    out.min = level(5);
    out.max = level(4);
    // Word 2 is the second filter's level, or the crest factor in 0.1 dB: a ratio of two levels
    // that the sensitivity offset raises alike, so it is the same in dB and linear mode.
    out.second = ctx.dualFilter ? level(2) : std::pow(10.0, word(2) / 200.0);
    out.sel = 0.0;
    out.lex8 = 0.0;
    if (microphone) {
        const double sel = word(8) / 10.0;
        out.sel = linear ? SquaredPressure(sel, e) : sel;
        out.lex8 = linear ? out.sel : sel - 44.6;
        out.spl = level(6);
    }
    if (ltm) {
        out.ltm3 = level(11);
        out.ltm5 = level(12);
    }
    out.vdv = level(9) * (linear && ctx.nonMetric ? kToInch : 1.0);

    Multiply(out, m, {&ResultValues::result, &ResultValues::peak, &ResultValues::min, &ResultValues::max});
    if (ctx.dualFilter)
        out.second *= m;
    if (microphone)
        out.spl *= m;
    if (ltm)
        Multiply(out, m, {&ResultValues::ltm3, &ResultValues::ltm5});
}

void DecodeSlmResults(const ResultContext& ctx, std::uint32_t row, ResultValues& out, bool linear, int e, double m)
{
    const Row r = RowOf(ctx, static_cast<int>(row), 0);
    const bool later = ctx.firmware > 504;
    const LevelWords& words = later ? kLaterWords : kOlderSlmWords;
    if (later)
        out.overloadPercent = OverloadPercent(ctx, r, static_cast<int>(row));
    DecodeLevels(r, words, out, linear, e);
    const double l = r.W(words.result);
    const double d = r.W(later ? 12 : 8);
    const double t = r.seconds;
    // A measurement time of 0 has no SEL, PSEL or exposure: they are absent.
    if (r.seconds == 0) {
        out.sel = out.psel = out.soundExposure = kAbsentValue;
    } else {
        const double sel = (l + Log10x100(t)) / 10.0;
        out.sel = linear ? std::pow(10.0, sel / 20.0 - e) : sel;
        out.psel = (l + Log10x100(t) - 446) / 10.0;
        out.soundExposure = std::pow(10.0, l / 100.0 - 12.0) * t / 9.0;
    }
    out.soundExposure8 = std::pow(10.0, l / 100.0 - 8.0) * 0.32;
    // Without an exposition time there is no Lex8 either.
    out.lex8 = ctx.exposureMinutes == 0 ? kAbsentValue : (l + Log10x100(60.0 * ctx.exposureMinutes) - 446) / 10.0;
    // An exchange rate of 0 gives no dose rather than a division by zero.
    if (ctx.exchangeRate != 0) {
        // The dose over T comes from the 8-hour projection before its cap: the cap only keeps each printable.
        const double projected = 100.0 * std::pow(10.0, (d - ctx.criterionLevel) * 0.030103 / ctx.exchangeRate);
        out.dose8 = std::min(projected, kOlderDoseCap);
        out.dose = std::min(t / kSecondsOf8Hours * projected, kOlderDoseCap);
    } else {
        out.dose = out.dose8 = 0.0;
    }
    Multiply(out, m, {&ResultValues::result, &ResultValues::peak, &ResultValues::min, &ResultValues::max,
                      &ResultValues::spl, &ResultValues::ltm3, &ResultValues::ltm5, &ResultValues::sel});
    if (!linear)
        Multiply(out, m, {&ResultValues::psel, &ResultValues::lex8});
}

void DecodeSlmDoseResults(const ResultContext& ctx, std::uint32_t row, ResultValues& out, bool linear, int e,
                          double m)
{
    const Row r = RowOf(ctx, static_cast<int>(row), 0);
    out.denCode = DenCode(ctx.flagsWord);
    double l = 0, d = 0;
    if (ctx.firmware > 504) {
        out.overloadPercent = OverloadPercent(ctx, r, static_cast<int>(row));
        l = r.W(8);
        d = r.W(13);
        out.lden = r.W(9) / 10.0;
        DecodeLevels(r, kLaterWords, out, linear, e);
        out.lav = Level(r.W(12), linear, e);
        out.doseLevel = Level(r.W(13), linear, e);
    } else {
        l = r.W(7);
        d = r.W(9);
        out.statNumber = r.W(12);
        out.statLevel = r.W(13) / 10.0;
        out.lden = r.W(8) / 10.0;
        DecodeLevels(r, kOlderSlmWords, out, linear, e);
        out.lav = Level(r.W(8), linear, e);
        out.doseLevel = Level(r.W(9), linear, e);
    }
    FinishSel(out, SelDb(r.seconds, l / 10.0), linear, e);
    if (ctx.function == kFunctionDoseMeter)
        DoseBlock(ctx, r, l, d, 1.0, 10.0, out);
    MultiplyDoseLevels(out, m, linear);
}

void DecodeProfileResults(const ResultContext& ctx, int channel, int profile, ResultValues& out, bool linear, int e,
                          double m)
{
    const Row r = RowOf(ctx, channel, profile);
    const double ld = ctx.levelDivisor, lin = ctx.linearDivisor;
    // Both layouts take the den code from the flags word, whatever the firmware.
    out.denCode = DenCode(ctx.flagsWord);
    double l = 0;
    if (!LaterFirmwareLayout(ctx)) {
        if (ctx.model.FourChannel && ctx.firmware >= 219)
            out.overloadPercent = OverloadPercent(ctx, r, channel);
        l = r.W(9);
        out.statNumber = r.W(12);
        out.statLevel = r.W(13) / ld;
        out.lden = r.W(8) / ld;
        DecodeLevels(r, kOlderProfileWords, out, linear, e, ld, lin);
        const bool dose = ctx.model.FourChannel && ctx.function == kFunctionDoseMeter;
        out.lav = dose ? Level(r.W(12), linear, e, ld, lin) : 0.0;
        out.doseLevel = dose ? Level(r.W(13), linear, e, ld, lin) : 0.0;
        FinishSel(out, SelDb(r.seconds, l / ld), linear, e);
        if (ctx.function == kFunctionDoseMeter)
            DoseBlock(ctx, r, l, r.W(13), 10.0 / ld, ld, out);
    } else {
        out.overloadPercent = OverloadPercent(ctx, r, channel);
        l = r.W(8);
        out.lden = r.W(9) / ld;
        DecodeLevels(r, kLaterWords, out, linear, e, ld, lin);
        const bool long14 = r.length >= 14;
        out.lav = long14 ? Level(r.W(12), linear, e) : 0.0;
        out.doseLevel = long14 ? Level(r.W(13), linear, e) : 0.0;
        FinishSel(out, SelDb(r.seconds, l / ld), linear, e);
        if (ctx.function == kFunctionDoseMeter)
            DoseBlock(ctx, r, l, long14 ? r.W(13) : 0, 1.0, 10.0, out);
    }
    MultiplyDoseLevels(out, m, linear);
}

void DecodeVibrationResults(const ResultContext& ctx, int channel, int profile, ResultValues& out, bool linear,
                            int e, double m)
{
    const Row r = RowOf(ctx, channel, profile);
    out.measurementSeconds = r.seconds;
    const double ld = ctx.levelDivisor, lin = ctx.linearDivisor;
    std::uint8_t wPeak = 3, wMin = 4, wMax = 7, wVdv = 8, wRms = 9;
    std::array<double, 10> w{};
    for (std::uint32_t k = 3; k <= 9; ++k)
        w[k] = r.W(k);
    double s = 0.0; // offset exponent of layout A
    if (!LaterFirmwareLayout(ctx)) {
        if (ctx.model.FourChannel && ctx.firmware >= 219)
            out.overloadPercent = OverloadPercent(ctx, r, channel);
        s = ctx.sensitivityOffset / 200.0;
    } else {
        out.overloadPercent = OverloadPercent(ctx, r, channel);
        wMax = 5;
        wVdv = 9;
        wRms = 8;
        if (linear && ctx.sensitivityOffset != 0)
            for (std::uint32_t k = 3; k <= 9; ++k)
                if (k != 6)
                    w[k] += ctx.sensitivityOffset;
    }
    auto value = [&](std::uint8_t k) { return linear ? std::pow(10.0, s + w[k] / lin - e) : w[k] / ld; };
    out.peak = value(wPeak);
    out.min = value(wMin);
    out.max = value(wMax);
    out.spl = value(wVdv);
    out.result = value(wRms);
    if (linear && ctx.nonMetric)
        out.spl *= kToInch;
    Multiply(out, m, {&ResultValues::peak, &ResultValues::min, &ResultValues::max, &ResultValues::result});
}

bool IsVibrationChannel(const ResultContext& ctx)
{
    const ModelFlags& g = ctx.model;
    return ctx.inputKind != kInputMicrophone && (g.Family530 || g.Family535 || g.FourChannel);
}

bool UsesOlderSlmDecoder(const ResultContext& ctx)
{
    return !IsVibrationChannel(ctx) && ctx.model.Family515Text;
}

std::uint32_t MeasurementTimeOf(const ResultContext& ctx)
{
    return ctx.Reader().Int32AtWord(ctx.firstRecord + 1);
}

void DecodeResultRow(const ResultContext& ctx, int channel, int profile, ResultValues& out, bool linear, int e,
                     double m)
{
    const ModelFlags& g = ctx.model;
    if (IsVibrationChannel(ctx))
        DecodeVibrationResults(ctx, channel, profile, out, linear, e, m);
    else if (g.Family515Text)
        DecodeSlmResults(ctx, static_cast<std::uint32_t>(channel), out, linear, e, m);
    else if (g.Family515 || g.Family525 || g.Family530)
        DecodeSlmDoseResults(ctx, static_cast<std::uint32_t>(channel), out, linear, e, m);
    else
        DecodeProfileResults(ctx, channel, profile, out, linear, e, m);
}

} // namespace orlu
