#include "reports/table/MainResultsTables.h"

#include "document/Subfiles.h"
#include "document/records/RecordChain.h"
#include "document/results/ResultDecoders.h"
#include "document/texts/TimeTexts.h"
#include "document/units/LevelUnits.h"
#include "platform/CompiledFormat.h"
#include "platform/ValueFormat.h"
#include "reports/common/LegacyResultRow.h"
#include "reports/common/ReportCaptionTable.h"
#include "reports/common/ReportNumberFormats.h"
#include "reports/common/TableRowFormats.h"
#include "reports/common/VdvFilterTable.h"
#include "reports/table/MainTableWriter.h"
#include "reports/table/Rt60Tables.h"
#include "reports/table/TableWriter.h"
#include "reports/text/TextReportLayout.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <span>
#include <string_view>

namespace orlu {
namespace {

constexpr const char* kAbsentField = "-----     ";
constexpr const char* kTwoAbsentFields = "-----     -----     ";
// A microphone's linear SEL and its kin are squared pressures.
constexpr const char* kSquaredPressureUnit = "Pa\xB2s";
// Where CompactExponents starts: past the date, time, identity, filter and
// detector columns, whose names ("Leq", "MF-Vel") must keep their 'e'.
constexpr std::size_t kCompactFrom60 = 60;
constexpr std::size_t kCompactFrom70 = 70;
// Word sets of GetMaxLevel: words 3, 4, 5, 7 of the row; 3, 6, 7, 9; 3, 4, 7, 9. The
// sets of the sound profiles (3457 and 3679) and of vibration follow the later record
// layout of firmware 5.05 by themselves; the set of the older 515 rows does not.
constexpr int kMaxWords3457Older = 1;
constexpr int kMaxWords3457 = 2;
constexpr int kMaxWords3679 = 4;
constexpr int kMaxWords3479 = 6;
constexpr int kMicrophoneExponent = 6;
// Four-channel files: from this firmware each channel has three profiles and the
// results records lie by channel + 4 x profile.
constexpr std::uint16_t kFirmwareProfiles = 217;
constexpr int kProfilesPerChannel = 3;
constexpr int kRecordsPerProfile = 4;
constexpr std::uint8_t kRecordVector = 30;
// The level of the vector sum in the vector settings record.
constexpr std::uint32_t kVectorLevelWord = 10;

const CompiledFormat& Format(int index)
{
    return CompiledTableRowFormat(index);
}

// The exponent after position `at` as strtol reads it: leading blanks, a sign, digits.
// False when no digit follows.
bool ReadExponent(const std::string& text, std::size_t at, long& value, std::size_t& end)
{
    const char* start = text.c_str() + at;
    char* stop = nullptr;
    value = std::strtol(start, &stop, 10);
    end = at + static_cast<std::size_t>(stop - start);
    return stop != start;
}

// The exponent in its shortest form, as "%ld" writes it, in the buffer.
std::string_view ExponentDigits(long exponent, std::array<char, 24>& buffer)
{
    const char* end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), exponent).ptr;
    return std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
}

// Row formats of the renderers' own columns.
const CompiledFormat kTwoWholeFields("%-10.0f%-10.0f");
const CompiledFormat kTwoFieldsOfTwoDecimals("%-10.2f%-10.2f");
const CompiledFormat kTwoFieldsOfOneDecimal("%-10.1f%-10.1f");
const CompiledFormat kCountAndLevel("%-10d%-10.1f");
const CompiledFormat kDenCodeWithoutLevel("%03d       -----     ");
const CompiledFormat kDenCodeAndLevel("%03d       %-10.1f");

// One value in a field: "-----     " for an absent value.
void AppendValue(std::string& row, const CompiledFormat& format, double value)
{
    if (IsAbsent(value))
        row += kAbsentField;
    else
        format.Append(row, value);
}

// A value that follows the dB/linear choice alone (SEL, Lex8, VDV): "%-10.1f" in dB,
// "%-10.2e" with its exponent compacted in linear units.
void AppendDbOrLinear(std::string& row, double value, bool linear)
{
    if (IsAbsent(value)) {
        row += kAbsentField;
        return;
    }
    if (!linear) {
        Format(kTableValueDb).Append(row, value);
        return;
    }
    std::string field = Format(kTableValueLinear)(value);
    CompactExponentField(field);
    row += field;
}

// A text in a left-aligned field of 10 characters, as "%-10s".
void AppendTextField(std::string& row, std::string_view text)
{
    row += text;
    AppendBlanks(row, 10 - static_cast<int>(text.size()));
}

// The text fields and the numbers of a row format (rowFormat: the group's member of the
// decimals index; -1 when the group has none); an absent number, or a group without the
// member, writes each field on its own, the numbers by the value format of the decimals index.
void AppendRowValues(std::string& row, int rowFormat, int decimals, std::span<const std::string_view> texts,
                     std::span<const double> values)
{
    constexpr std::size_t kMostFields = 9;
    const CompiledFormat* format = rowFormat >= 0 ? &Format(rowFormat) : nullptr;
    const std::size_t fields = texts.size() + values.size();
    if (format && format->ArgumentCount() == fields && fields <= kMostFields &&
        std::none_of(values.begin(), values.end(), IsAbsent)) {
        std::array<FormatArg, kMostFields> args;
        std::copy(texts.begin(), texts.end(), args.begin());
        std::copy(values.begin(), values.end(), args.begin() + static_cast<std::ptrdiff_t>(texts.size()));
        format->AppendArgs(row, std::span(args.data(), fields));
        return;
    }
    for (std::string_view text : texts)
        AppendTextField(row, text);
    for (double value : values)
        AppendValue(row, Format(kTableValueBase + decimals), value);
}

// What the largest level of a row gives the whole row.
struct RowScale {
    std::string unitWord;
    int decimals = 0;
    double scale = 1.0;
};

RowScale ScaleRow(const CTmDoc& doc, bool scientific, double maxLevel, int quantity)
{
    const CurrentChannel& ch = doc.Channel();
    const LevelText text = scientific ? FormatLevelSci(doc.Levels(), ch, ch.inputKind, maxLevel, quantity)
                                      : FormatLevel(doc.Levels(), ch, ch.inputKind, maxLevel, quantity);
    return RowScale{UnitWord(text), text.decimals, text.scale};
}

// Date, start time and the measurement's duration of the file, as every row shows them.
struct RowTimes {
    std::string date;
    std::string start;
    DurationText duration;
};

RowTimes TimesOf(std::uint16_t date, std::uint16_t time, std::uint32_t duration)
{
    RowTimes t;
    const PackedDate d = UnpackDate(date);
    t.date = StrPrintf("%02d/%02d/%02d  ", d.year - 2000, d.month, d.day);
    const int seconds = time * 2;
    t.start = StrPrintf("%02d:%02d'%02d  ", seconds / 3600, seconds / 60 % 60, seconds % 60);
    t.duration = FormatDuration(duration);
    return t;
}

RowTimes TimesOf(const CurrentHeader& h, const ResultContext& ctx)
{
    // The measurement time T: words 1 and 2 of the first results record.
    return TimesOf(h.date, h.time, ctx.Reader().Int32AtWord(ctx.firstRecord + 1));
}

std::string ChannelField(int channel, bool bare = false)
{
    return bare ? StrPrintf("%-10d", channel + 1) : StrPrintf("#%d        ", channel + 1);
}

std::string ProfileField(int profile)
{
    return StrPrintf("P%d        ", profile + 1);
}

std::string FilterName(const CurrentChannel& ch, int raise = 0)
{
    return ch.filterNames.At(static_cast<long>(ch.filter) + raise);
}

std::string DetectorName(const CurrentChannel& ch)
{
    return ch.detectorNames.At(static_cast<long>(ch.detectorIndex) + 1);
}

bool MaskHas(std::uint16_t mask, int bit)
{
    return bit < 16 && (mask >> bit) & 1u;
}

// The channel's filter and detector, the duration and the unit, then four levels.
void AppendFourLevels(std::string& row, const CurrentChannel& ch, const RowScale& scale, const RowTimes& times,
                      const std::array<double, 4>& levels)
{
    const std::string filter = FilterName(ch), detector = DetectorName(ch);
    AppendFourLevelFields(row, scale.decimals, {filter, detector, times.duration.Text, scale.unitWord}, levels);
}

// The sound tables' header after Spl: Lav and the dose columns of a dose meter,
// Leq, Ltm3 and Ltm5 where shown, SEL, Ln and Lden where the file has them.
std::string SoundHeaderAfterSpl(const CurrentHeader& h, bool dose, bool withLtm, const std::string& selUnit)
{
    std::string header;
    if (dose)
        header += "Lav       ";
    header += "Leq       ";
    if (withLtm)
        header += "Ltm3      Ltm5      ";
    if (dose)
        header += "Dose[%]   Dose8[%]  ";
    header += StrPrintf("SEL[%s]    ", selUnit.c_str());
    if (dose) {
        header += StrPrintf("SEL8[%s]   ", selUnit.c_str());
        header += "E[Pa\xB2h]   E8[Pa\xB2h]  LEPd[dB]  PSEL[dB]  ";
    }
    if (h.lnColumn)
        header += "n[%]       Ln[dB]    ";
    if (h.ldenColumn)
        header += "den       Lden[dB]  ";
    return header;
}

// Lav of a dose meter, Leq, Ltm3 and Ltm5 where shown, the dose percentages of a dose meter.
void AppendSoundLevels(std::string& row, const ResultValues& v, const CompiledFormat& valueFormat, bool dose,
                       bool withLtm)
{
    if (dose)
        AppendValue(row, valueFormat, v.lav);
    AppendValue(row, valueFormat, v.result);
    if (withLtm) {
        AppendValue(row, valueFormat, v.ltm3);
        AppendValue(row, valueFormat, v.ltm5);
    }
    if (dose)
        kTwoWholeFields.Append(row, v.dose, v.dose8);
}

// SEL; for a dose meter also SEL8, the exposures, LEPd and PSEL.
void AppendSelColumns(std::string& row, const ResultValues& v, bool dose, bool linear)
{
    AppendDbOrLinear(row, v.sel, linear);
    if (dose) {
        AppendDbOrLinear(row, v.sel8, linear);
        kTwoFieldsOfTwoDecimals.Append(row, v.exposure, v.exposure8);
        kTwoFieldsOfOneDecimal.Append(row, v.lepd, v.psel);
    }
}

// n and Ln, den and Lden, where the file has them.
void AppendLnAndLden(std::string& row, const CurrentHeader& h, const ResultValues& v)
{
    if (h.lnColumn)
        kCountAndLevel.Append(row, static_cast<int>(v.statNumber), v.statLevel);
    if (h.ldenColumn) {
        if (v.denCode == 0)
            kDenCodeWithoutLevel.Append(row, static_cast<int>(v.denCode));
        else
            kDenCodeAndLevel.Append(row, static_cast<int>(v.denCode), v.lden);
    }
}

} // namespace

void AppendFourLevelFields(std::string& row, int decimals, const std::array<std::string_view, 4>& texts,
                           const std::array<double, 4>& levels)
{
    AppendRowValues(row, kTableRowFourValuesBase + decimals, decimals, texts, levels);
}

void CompactExponentField(std::string& field)
{
    const std::size_t width = field.size();
    const std::size_t e = field.find('e');
    long exponent = 0;
    std::size_t end = 0;
    if (e == std::string::npos || !ReadExponent(field, e + 1, exponent, end))
        return;
    field.resize(e + 1);
    std::array<char, 24> buffer;
    field += ExponentDigits(exponent, buffer);
    if (field.size() < width)
        field.append(width - field.size(), ' ');
}

void CompactExponents(std::string& text, std::size_t from)
{
    std::size_t at = from;
    while ((at = text.find('e', at)) != std::string::npos) {
        long exponent = 0;
        std::size_t end = 0;
        if (!ReadExponent(text, at + 1, exponent, end)) {
            ++at;
            continue;
        }
        std::array<char, 24> buffer;
        const std::string_view digits = ExponentDigits(exponent, buffer);
        const std::size_t oldEnd = text.find(' ', at + 1);
        const std::size_t newEnd = at + 1 + digits.size();
        if (oldEnd == std::string::npos) {
            text.resize(at + 1);
            text += digits;
            return;
        }
        text.replace(at + 1, digits.size(), digits);
        for (std::size_t i = newEnd; i < oldEnd; ++i)
            text[i] = ' ';
        at = newEnd;
    }
}

int TableFormResults515(CTmDoc& doc, MainTableRequest& request)
{
    MainTableWriter out(request);
    if (!doc.HeaderDecoded())
        return out.Finish();
    ChannelSelectionKeeper keeper(doc);
    const CurrentHeader& h = doc.Header();
    const bool scientific = request.Options.FormatFlag == 1;
    const bool linear = request.UnitOption != 0;
    const bool withSel = h.firmware > 104;
    const bool merged = request.MergedMember;
    const bool withDose = h.function == 3;
    // The filter codes of these firmware versions count from one below the names.
    const int filterRaise = h.firmware < 201 ? 1 : 0;
    for (int c = 0; c < h.channelCount; ++c) {
        if (!MaskHas(request.ChannelMask, c))
            continue;
        doc.SelectChannelProfile(c, 0);
        const CurrentChannel& ch = doc.Channel();
        const ResultContext ctx = doc.Results();
        if (ctx.firstRecord == 0)
            break;
        ResultValues v;
        RowScale scale;
        RowTimes times;
        try {
            const double maxLevel = GetMaxLevel(ctx, static_cast<std::uint32_t>(c), kMaxWords3457Older, linear, 0,
                                                kMicrophoneExponent);
            scale = ScaleRow(doc, scientific, maxLevel, linear ? 1 : 0);
            DecodeSlmResults(ctx, static_cast<std::uint32_t>(c), v, linear, kMicrophoneExponent, scale.scale);
            times = TimesOf(h, ctx);
        } catch (const ImageRangeError&) {
            continue; // a row past the end of the file is not shown
        }
        const std::string ratioUnit = linear ? kSquaredPressureUnit : scale.unitWord;
        // A Multifile's table names Detect in 9 characters and PS in 11, as its layout
        // always has; a separator other than '#' or blanks makes no difference.
        std::string header = merged ? "Date      Start     Prof      Filter    Detect   Time      units     "
                                    : "Date      Start     Prof      Filter    Detect    Time      units     ";
        header += "Peak      Min       Max       Spl       Leq       ";
        if (withSel)
            header += "Sel       ";
        header += "Ltm3      Ltm5      ";
        header += StrPrintf(merged ? "PS[%s]     Lx8[%s]   " : "PS[%s]    Lx8[%s]   ", ratioUnit.c_str(),
                            ratioUnit.c_str());
        header += "SE[Pa\xB2h]   SE8[Pa\xB2h]  ";
        if (withDose || merged)
            header += "Dose[%]   Dose8[%]  ";

        std::string row = times.date + times.start;
        if (h.channelCount >= 2)
            row += ChannelField(c, request.MergedMember);
        const std::string filter = FilterName(ch, filterRaise), detector = DetectorName(ch);
        // The five-value rows have no scientific member: each value as "%-10.2e" then.
        const std::string_view texts[] = {filter, detector, times.duration.Text, scale.unitWord};
        const double values[] = {v.peak, v.min, v.max, v.spl, v.result};
        AppendRowValues(row, scale.decimals < 3 ? kTableRowFiveValuesBase + scale.decimals : -1, scale.decimals,
                        texts, values);
        const CompiledFormat& valueFormat = Format(kTableValueBase + scale.decimals);
        if (withSel)
            AppendValue(row, valueFormat, v.sel);
        AppendValue(row, valueFormat, v.ltm3);
        AppendValue(row, valueFormat, v.ltm5);
        CompactExponents(row, kCompactFrom60);
        if (ch.inputKind == kInputMicrophone || merged) {
            AppendDbOrLinear(row, v.psel, linear);
            AppendDbOrLinear(row, v.lex8, linear);
        } else {
            row += kTwoAbsentFields;
        }
        for (double exposure : {v.soundExposure, v.soundExposure8}) {
            std::string text = IsAbsent(exposure) ? std::string("-----") : FormatExposureValue(exposure);
            text.erase(0, text.find_first_not_of(' '));
            AppendTextField(row, text);
        }
        if (withDose)
            kTwoWholeFields.Append(row, v.dose, v.dose8);
        else if (merged)
            row += "--        --       "; // the merged layout's own width, one short of two fields
        AddRemainder(row, times.duration);
        out.Row(ReportCaptionTable[kCaptionMainResults], header, row);
    }
    return out.Finish();
}

int TableFormSoundResults(CTmDoc& doc, MainTableRequest& request)
{
    if (doc.HeaderDecoded() && doc.Header().function == kFunctionRt60)
        return TableFormRT60(doc, request, 0, 0);
    MainTableWriter out(request);
    if (!doc.HeaderDecoded())
        return out.Finish();
    ChannelSelectionKeeper keeper(doc);
    const CurrentHeader& h = doc.Header();
    const ModelFlags& g = h.model;
    const bool scientific = request.Options.FormatFlag == 1;
    const bool linear = request.UnitOption != 0;
    const bool dose = h.function == kFunctionDoseMeter;
    const bool withLtm = !g.Family535 || h.firmware >= 307;
    const bool withOverload = h.firmware >= 505 && !g.LaterModel;
    const int maxWords = g.Family535 ? kMaxWords3679 : kMaxWords3457;
    const std::string_view caption = ReportCaptionTable[g.FourChannel ? kCaptionMainResultsSound : kCaptionMainResults];
    for (int c = 0; c < h.channelCount; ++c) {
        if (!MaskHas(request.ChannelMask, c))
            continue;
        doc.SelectChannelProfile(c, 0);
        const CurrentChannel& ch = doc.Channel();
        const ResultContext ctx = doc.Results();
        if (ctx.firstRecord == 0)
            break;
        ResultValues v;
        RowScale scale;
        RowTimes times;
        try {
            const double maxLevel =
                GetMaxLevel(ctx, static_cast<std::uint32_t>(c), maxWords, linear, 0, kMicrophoneExponent);
            scale = ScaleRow(doc, scientific, maxLevel, linear ? 1 : 0);
            if (g.Family535)
                DecodeProfileResults(ctx, c, 0, v, linear, kMicrophoneExponent, scale.scale);
            else
                DecodeSlmDoseResults(ctx, static_cast<std::uint32_t>(c), v, linear, kMicrophoneExponent, scale.scale);
            times = TimesOf(h, ctx);
        } catch (const ImageRangeError&) {
            continue;
        }
        // SEL is a microphone's: its unit follows the microphone's unit choice.
        const std::string selUnit = linear ? kSquaredPressureUnit : scale.unitWord;
        std::string header = "Date      Start     Prof      Filter    Detect    Time      units     "
                             "Peak      Min       Max       Spl       ";
        header += SoundHeaderAfterSpl(h, dose, withLtm, selUnit);
        if (withOverload)
            header += "OvlT[%]   ";

        std::string row = times.date + times.start + ChannelField(c, request.MergedMember);
        AppendFourLevels(row, ch, scale, times, {v.peak, v.min, v.max, v.spl});
        AppendSoundLevels(row, v, Format(kTableValueBase + scale.decimals), dose, withLtm);
        CompactExponents(row, kCompactFrom60);
        AppendSelColumns(row, v, dose, linear);
        AppendLnAndLden(row, h, v);
        if (withOverload)
            AppendTextField(row, FormatPercent(v.overloadPercent));
        AddRemainder(row, times.duration);
        out.Row(caption, header, row);
    }
    return out.Finish();
}

int TableFormSoundResultsByChannel(CTmDoc& doc, MainTableRequest& request)
{
    if (doc.HeaderDecoded() && doc.Header().function == kFunctionRt60)
        return TableFormRT60ByChannel(doc, request, 0, 0);
    MainTableWriter out(request);
    if (!doc.HeaderDecoded())
        return out.Finish();
    ChannelSelectionKeeper keeper(doc);
    const CurrentHeader& h = doc.Header();
    const bool scientific = request.Options.FormatFlag == 1;
    const bool linear = request.UnitOption != 0;
    const bool profiles = h.firmware >= kFirmwareProfiles;
    for (int c = 0; c < h.channelCount; ++c) {
        if (!MaskHas(request.ChannelMask, c))
            continue;
        doc.SelectChannelProfile(c, 0);
        if (doc.Channel().inputKind == kInputAccelerometer)
            continue; // the vibration table shows it
        for (int p = 0; p < (profiles ? kProfilesPerChannel : 1); ++p) {
            if (profiles) {
                doc.SelectProfileWeighting(c, p);
                if ((doc.Channel().detectorWord & 1u) == 0)
                    continue; // a profile the user did not enable
            }
            const CurrentChannel& ch = doc.Channel();
            const ResultContext ctx = doc.Results();
            if (ctx.firstRecord == 0)
                return out.Finish();
            const bool dose = ch.function == kFunctionDoseMeter;
            ResultValues v;
            RowScale scale;
            RowTimes times;
            try {
                const auto record = static_cast<std::uint32_t>(c + (profiles ? kRecordsPerProfile * p : 0));
                const double maxLevel = GetMaxLevel(ctx, record, kMaxWords3679, linear, 0, kMicrophoneExponent);
                scale = ScaleRow(doc, scientific, maxLevel, linear ? 1 : 0);
                DecodeProfileResults(ctx, c, p, v, linear, kMicrophoneExponent, scale.scale);
                times = TimesOf(h, ctx);
            } catch (const ImageRangeError&) {
                continue; // a row past the end of the file is not shown
            }
            // Every row of this table is a microphone's: SEL follows the microphone's unit choice.
            const std::string selUnit = linear ? kSquaredPressureUnit : scale.unitWord;
            std::string header = "Date      Start     Chan      ";
            if (profiles)
                header += "Prof      ";
            header += "Filter    Detect    Time      units     Peak      Min       Max       Spl       ";
            header += SoundHeaderAfterSpl(h, dose, profiles, selUnit);

            std::string row = times.date + times.start + ChannelField(c);
            if (profiles)
                row += ProfileField(p);
            AppendFourLevels(row, ch, scale, times, {v.peak, v.min, v.max, v.spl});
            AppendSoundLevels(row, v, Format(kTableValueBase + scale.decimals), dose, profiles);
            AppendSelColumns(row, v, dose, linear);
            CompactExponents(row, kCompactFrom70);
            AppendLnAndLden(row, h, v);
            AddRemainder(row, times.duration);
            out.Row(ReportCaptionTable[kCaptionMainResultsSound], header, row);
        }
    }
    return out.Finish();
}

namespace {

// The vector row: the vector sum's level in the units of the
// first vibration channel (the last channel when none of the others measures
// vibration). False when the results lie past the end of the file.
bool VectorRow(CTmDoc& doc, bool scientific, bool linear, bool profiles, bool withVdv, std::string& row)
{
    const CurrentHeader& h = doc.Header();
    if (h.channelCount <= 0)
        return false;
    int channel = h.channelCount - 1;
    for (int c = 0; c + 1 < h.channelCount; ++c)
        if (h.fourChannel.channels[static_cast<std::size_t>(c)].inputKind == kInputAccelerometer) {
            channel = c;
            break;
        }
    doc.SelectChannelProfile(channel, 0);
    const CurrentChannel& ch = doc.Channel();
    const ResultContext ctx = doc.Results();
    if (ctx.firstRecord == 0)
        return false;
    const int e = GetReferenceExponent(doc.Levels(), ch);
    RowScale scale;
    RowTimes times;
    try {
        const double maxLevel =
            GetMaxLevel(ctx, static_cast<std::uint32_t>(channel), kMaxWords3479, linear, ch.sensitivityOffset, e);
        scale = ScaleRow(doc, scientific, maxLevel, linear ? 1 : 0);
        times = TimesOf(h, ctx);
    } catch (const ImageRangeError&) {
        return false;
    }
    // A vector record too short to hold the level shows none, never the next record's word.
    const ImageReader image = doc.Reader();
    const std::uint32_t record = doc.FindRecordInHeader(0, kRecordVector);
    const std::optional<RecordView> view = record != 0 ? RecordChain(image, record).Next() : std::nullopt;
    double value = kAbsentValue;
    if (view && view->length > kVectorLevelWord) {
        const double w = image.SignedWord(record + kVectorLevelWord);
        value = linear ? std::pow(10.0, w / ctx.linearDivisor + ch.sensitivityOffset / 200.0 - e) : w / ctx.levelDivisor;
        value *= scale.scale;
    }
    row = times.date + times.start + "Vect      ";
    if (profiles)
        row += ProfileField(0);
    const std::string_view texts[] = {"MODULE", "---", times.duration.Text, scale.unitWord, "-----", "-----", "-----"};
    AppendRowValues(row, kTableRowVectorBase + scale.decimals, scale.decimals, texts, std::span(&value, 1));
    CompactExponents(row, kCompactFrom70);
    if (withVdv)
        row += kAbsentField;
    AddRemainder(row, times.duration);
    return true;
}

// The vibration table: one row per vibration channel (of a four-channel file, its
// first profile), the vector row, the notes.
int VibrationTable(CTmDoc& doc, MainTableRequest& request)
{
    MainTableWriter out(request);
    ChannelSelectionKeeper keeper(doc);
    const CurrentHeader& h = doc.Header();
    const bool four = h.model.FourChannel;
    const bool profiles = four && h.firmware >= kFirmwareProfiles;
    const bool scientific = request.Options.FormatFlag == 1;
    const bool linear = request.UnitOption == 0;
    const bool vdvValues = (h.flagsWord & 4) == 0;
    const bool withVdv = vdvValues || request.VdvColumn;
    const bool withOverload = !four && h.firmware >= 505;
    const char* vdvUnit = !linear ? "dB" : doc.App().NonMetric != 0 ? "in/sx" : "m/sx";

    std::string header = four ? "Date      Start     Chan      " : "Date      Start     Prof      ";
    if (profiles)
        header += "Prof      ";
    header += "Filter    Detect    Time      units     Peak      P-P       MTVV      RMS       ";
    if (withVdv)
        header += StrPrintf("VDV[%s]   ", vdvUnit);
    if (withOverload)
        header += "OvlT[%]   ";
    const std::string_view caption = ReportCaptionTable[kCaptionMainResultsVibration];

    bool anyLinearVdv = false;
    for (int c = 0; c < h.channelCount; ++c) {
        if (!MaskHas(request.ChannelMask, c))
            continue;
        doc.SelectChannelProfile(c, 0);
        if (four && doc.Channel().inputKind == kInputMicrophone)
            continue; // the sound table shows it
        if (profiles)
            doc.SelectProfileWeighting(c, 0);
        const CurrentChannel& ch = doc.Channel();
        const ResultContext ctx = doc.Results();
        if (ctx.firstRecord == 0)
            return out.Finish();
        const int e = GetReferenceExponent(doc.Levels(), ch);
        ResultValues v;
        RowScale scale;
        RowTimes times;
        try {
            const double maxLevel =
                GetMaxLevel(ctx, static_cast<std::uint32_t>(c), kMaxWords3479, linear, ch.sensitivityOffset, e);
            scale = ScaleRow(doc, scientific, maxLevel, linear ? 1 : 0);
            DecodeVibrationResults(ctx, c, 0, v, linear, e, scale.scale);
            times = TimesOf(h, ctx);
        } catch (const ImageRangeError&) {
            continue;
        }
        std::string row = times.date + times.start + ChannelField(c, request.MergedMember && !four);
        if (profiles)
            row += ProfileField(0);
        AppendFourLevels(row, ch, scale, times, {v.peak, v.min, v.max, v.result});
        CompactExponents(row, kCompactFrom70);
        if (withVdv) {
            if (vdvValues && FilterHasVdv(ch.filter)) {
                AppendDbOrLinear(row, v.spl, linear);
                anyLinearVdv = anyLinearVdv || linear;
            } else {
                row += kAbsentField;
            }
        }
        if (withOverload)
            AppendTextField(row, FormatPercent(v.overloadPercent));
        AddRemainder(row, times.duration);
        out.Row(caption, header, row);
    }

    const FourChannelSetup& f = h.fourChannel;
    bool vectorWritten = false;
    if (four && f.vector && MaskHas(request.ChannelMask, kPseudoChannel)) {
        std::string row;
        if (VectorRow(doc, scientific, linear, profiles, withVdv, row)) {
            out.Row(caption, header, row);
            vectorWritten = true;
        }
    }

    // The note explains the VDV unit whenever a VDV value was printed in it.
    // A four-channel Multifile's table writes it with one blank less at the end.
    if (out.Rows() > 0 && withVdv && anyLinearVdv)
        out.Footnote(four && request.MergedMember ? "  sx = s^1.75 " : "  sx = s^1.75  ");
    if (vectorWritten)
        out.Footnote("  MODULE^2 = " + f.vectorFormula);
    return out.Finish();
}

// An empty line between the sound and the vibration table of a four-channel file.
void AddTableSpacer(LineList& lines, std::int32_t& widest)
{
    if (lines.Empty())
        return;
    std::string empty;
    int width = widest;
    AddLine(lines, empty, &width);
    widest = width;
}

} // namespace

int TableFormVibrationResults(CTmDoc& doc, MainTableRequest& request)
{
    if (!doc.HeaderDecoded()) {
        MainTableWriter out(request);
        return out.Finish();
    }
    const CurrentHeader& h = doc.Header();
    if (!h.model.FourChannel) {
        // These files have one input for every profile: a microphone file is a sound file.
        if (h.inputKind == kInputMicrophone)
            return TableFormSoundResults(doc, request);
        return VibrationTable(doc, request);
    }
    const FourChannelSetup& f = h.fourChannel;
    const bool microphoneFirst = f.channels[0].inputKind == kInputMicrophone;
    std::int32_t widest = 0;
    if (microphoneFirst) {
        TableFormSoundResultsByChannel(doc, request);
        widest = request.Width;
        if (!f.hasAccelerometer)
            return 1;
        AddTableSpacer(request.Lines, widest);
    }
    VibrationTable(doc, request);
    widest = std::max(widest, request.Width);
    if (!microphoneFirst && f.hasAccelerometer) {
        AddTableSpacer(request.Lines, widest);
        TableFormSoundResultsByChannel(doc, request);
        widest = std::max(widest, request.Width);
    }
    request.Width = widest;
    return 1;
}

namespace {

const CompiledFormat kCrestFactor("%-10.3g");
constexpr std::uint8_t kAccelerationFilterUnit = 3; // LegacyFilter::Unit of acceleration filters

} // namespace

int TableFormLegacyResults(CTmDoc& doc, MainTableRequest& request)
{
    MainTableWriter out(request);
    if (!doc.LegacyDecoded())
        return out.Finish();
    LegacyChannelKeeper keeper(doc);
    const LegacyHeader& h = doc.Legacy();
    const bool scientific = request.Options.FormatFlag == 1;
    const LegacyResultsPlan plan = PlanLegacyResults(doc, request.ChannelMask);
    // A Multifile's legacy table names the view's first channel instead of the probe,
    // has no Ltm columns, names the intensity row "Int" and leaves out the MODULE note.
    const bool merged = request.MergedMember;
    const bool ltmColumns = plan.ltmColumns && !merged;
    const std::string caption =
        h.channelMode == 0 ? std::string(ReportCaptionTable[kCaptionMainResults])
        : merged ? StrPrintf(ReportCaptionTable[kCaptionMergedMainResultsChannel].data(),
                             FirstChannel(request.ChannelMask) + 1)
                 : StrPrintf(ReportCaptionTable[kCaptionLegacyMainResults].data(), h.channelMode == 1 ? 6 : 8);
    // Accelerometers fill the VDV column and microphones SEL and Lex8: each column's
    // unit follows the unit choice of its input.
    const bool linearVdv = LegacyLinear(kInputAccelerometer, request.UnitOption);
    const bool linearSel = LegacyLinear(kInputMicrophone, request.UnitOption);
    std::string header = "Date      Start     ";
    if (plan.multiChannel)
        header += h.channelMode != 0 ? "Chan      " : "Prof      ";
    header += "Fun       Filter    Time      Units     Res       Peak      Min       Max       LeqX      Spl       ";
    if (ltmColumns)
        header += "Ltm3      Ltm5      ";
    header += "CrF       ";
    if (plan.vdvColumn)
        header += StrPrintf("VDV[%s]   ", !linearVdv ? "dB" : doc.Levels().nonMetric ? "in/sx" : "m/sx");
    if (plan.selColumns) {
        const char* unit = linearSel ? kSquaredPressureUnit : "dB";
        header += StrPrintf("SEL[%s]    Lex8[%s]  ", unit, unit);
    }

    bool vectorWritten = false;
    bool linearVdvWritten = false;
    for (int c : plan.channels) {
        const std::optional<LegacyResultRow> r = DecodeLegacyResultRow(doc, c, request.UnitOption, scientific);
        if (!r)
            continue;
        const ResultValues& v = r->values;
        const bool microphone = r->inputKind == kInputMicrophone;
        const int decimals = std::clamp(r->level.decimals, 0, 3);
        const CompiledFormat& valueFormat = Format(kTableValueBase + decimals);
        const RowTimes times = TimesOf(h.date, h.time, r->seconds);
        const std::string function = r->function.substr(1), unit = UnitWord(r->level);
        const std::string filter(r->vectorRow ? "MODULE" : r->filter.Name);

        std::string row = times.date + times.start;
        if (plan.multiChannel)
            row += r->vectorRow      ? std::string("Vect      ")
                   : r->intensityRow ? std::string(merged ? "Int       " : "SI        ")
                                     : ChannelField(c);
        if (r->intensityRow) {
            Format(kTableRowLegacySoundIntensity)
                .Append(row, function, filter, times.duration.Text, unit, v.result, v.min, v.max, v.spl);
            if (ltmColumns)
                row += kTwoAbsentFields;
            row += kAbsentField; // CrF
        } else {
            AppendFourLevelFields(row, decimals, {function, filter, times.duration.Text, unit},
                                  {v.result, v.peak, v.min, v.max});
            // The second filter's level takes the crest factor's place in the file.
            if (r->dualFilter)
                AppendValue(row, valueFormat, v.second);
            else
                AppendTextField(row, "-----");
            if (microphone)
                AppendValue(row, valueFormat, v.spl);
            else
                AppendTextField(row, "-----");
            if (ltmColumns) {
                if (microphone || r->inputKind == kInputDirect) {
                    AppendValue(row, valueFormat, v.ltm3);
                    AppendValue(row, valueFormat, v.ltm5);
                } else {
                    row += kTwoAbsentFields;
                }
            }
            if (r->dualFilter || IsAbsent(v.second))
                row += kAbsentField;
            else
                kCrestFactor.Append(row, v.second);
        }
        CompactExponents(row, kCompactFrom60);
        if (plan.vdvColumn) {
            if (r->inputKind == kInputAccelerometer && r->filter.Unit == kAccelerationFilterUnit && !r->vectorRow) {
                AppendDbOrLinear(row, v.vdv, r->linear);
                linearVdvWritten = linearVdvWritten || r->linear;
            } else {
                row += kAbsentField;
            }
        }
        if (plan.selColumns) {
            if (microphone && !r->intensityRow) {
                AppendDbOrLinear(row, v.sel, r->linear);
                AppendDbOrLinear(row, v.lex8, r->linear);
            } else {
                row += kTwoAbsentFields;
            }
        }
        AddRemainder(row, times.duration);
        out.Row(caption, header, row);
        vectorWritten = vectorWritten || r->vectorRow;
    }
    if (vectorWritten && !merged)
        out.Footnote(StrPrintf(ReportCaptionTable[kCaptionModuleFormula].data(), doc.Channel().vectorFormula.c_str()));
    // A Multifile's note goes with the VDV column in linear units, a value or not.
    if (merged ? plan.vdvColumn && request.UnitOption == 0 : linearVdvWritten)
        out.Footnote("sx = s^1.75");
    return out.Finish();
}

namespace {

// The families whose Main results have a table, in the order they are tried.
struct MainTableFamily {
    bool ModelFlags::*flag;
    MainTableRenderer renderer;
};

constexpr MainTableFamily kMainTableFamilies[] = {
    {&ModelFlags::FourChannel, TableFormVibrationResults},
    {&ModelFlags::Family515Text, TableFormResults515},
    {&ModelFlags::Family515, TableFormSoundResults},
    {&ModelFlags::Family525, TableFormSoundResults},
    {&ModelFlags::Family530, TableFormVibrationResults},
    {&ModelFlags::Family535, TableFormVibrationResults},
};

} // namespace

MainTableRenderer FamilyResultsTable(const CTmDoc& doc)
{
    if (doc.IsLegacyDocument())
        return doc.LegacyDecoded() ? TableFormLegacyResults : nullptr;
    if (!doc.HeaderDecoded())
        return nullptr;
    const ModelFlags& model = doc.Header().model;
    for (const MainTableFamily& family : kMainTableFamilies)
        if (model.*family.flag)
            return family.renderer;
    return nullptr;
}

MainTableRenderer MainResultsTableFor(const CTmDoc& doc)
{
    // Merged documents have tables of their own (MergedResultsTables), and kind 10 keeps no results.
    const bool single = doc.IsLegacyDocument() ? doc.FileKind() == kKindLegacyMeter
                                               : !IsCurrentMultifileKind(doc.FileKind());
    return single ? FamilyResultsTable(doc) : nullptr;
}

} // namespace orlu
