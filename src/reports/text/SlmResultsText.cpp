#include "reports/text/SlmResultsText.h"

#include "document/headers/CurrentHeader.h"
#include "document/rawviews/RotationSpeed.h"
#include "document/records/RecordTypeCodes.h"
#include "platform/ValueFormat.h"
#include "reports/common/ReportCaptionTable.h"
#include "reports/common/ReportColumnTitles.h"
#include "reports/common/ReportNumberFormats.h"
#include "reports/common/TextRowFormats.h"
#include "reports/text/RtText.h"
#include "reports/text/TextReportLayout.h"
#include "reports/text/TonalityText.h"

#include <algorithm>
#include <bit>

namespace orlu {
namespace {

constexpr int kReferenceExponent = 6;
constexpr std::uint8_t kRecordRotation = 31;
constexpr std::uint8_t kRecordRotationFourChannel = 42;
// The ORLU 515 below firmware 2.00 measures doses under device function 3.
constexpr std::uint16_t kFunctionDose515Text = 3;
constexpr std::string_view kAbsentValue7 = "  -----";
constexpr std::string_view kAbsentValue9 = "    -----";
// Seven blanks: a value column whose unit is the row's unit cell.
constexpr std::string_view kSharedUnit = "       ";

// The largest level of a row fixes the decimals, the unit and the display multiplier of the whole row.
struct RowScale {
    LevelText level;
    int d = 0;
    std::string unitCell;
};

RowScale ScaleOfRow(const CTmDoc& doc, const ResultContext& ctx, int row, int indexSet, bool linear)
{
    const CurrentChannel& ch = doc.Channel();
    const double largest = GetMaxLevel(ctx, static_cast<std::uint32_t>(row), indexSet, linear, ch.sensitivityOffset,
                                       kReferenceExponent);
    RowScale s;
    s.level = FormatLevel(doc.Levels(), ch, ch.inputKind, largest, linear ? kQuantityLinear : kQuantityDb);
    s.d = std::clamp(s.level.decimals, 0, 2);
    s.unitCell = UnitCell(s.level);
    return s;
}

std::string Value7(const RowScale& s, double x)
{
    return IsAbsent(x) ? std::string(kAbsentValue7) : StrPrintf(TextRowFormatsA[kValueABase + s.d].data(), x);
}

// SEL and similar exposure-level cells: exponent form for linear values, dB with one decimal.
std::string ExposureLevel9(bool linear, double x)
{
    if (IsAbsent(x))
        return std::string(kAbsentValue9);
    return linear ? FormatExponent(x) : StrPrintf(TextRowFormatsA[kValueAExposureLevel].data(), x);
}

std::string ExposureValue9(double x)
{
    return IsAbsent(x) ? std::string(kAbsentValue9) : FormatExposureValue(x);
}

std::string RowStart(const CurrentHeader& h, int channel)
{
    return DateCell(h.date) + StartTimeCell(h.time) + StrPrintf("  #%d ", channel + 1);
}

} // namespace

namespace {

// The 515 text display's rows. A Multifile's member always has the dose
// columns, writes the exposure and dose cells for microphones only and, in
// linear units, PSEL and SEL under PSEL and Lex8.
bool SlmResultsRows(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask, std::uint8_t unitOption,
                    bool member)
{
    WaitCursor wait(doc.Ui());
    ChannelSelectionKeeper keeper(doc);
    ClearLineList(&lines);
    *widest = 0;
    const CurrentHeader& h = doc.Header();
    const bool linear = unitOption != 0;
    const bool selColumn = h.firmware > 104;
    const bool doseColumns = member || doc.Channel().function == kFunctionDose515Text;

    HeadedTable table(ReportCaptionTable[kCaptionMainResults]);
    TitleLine& titles = table.titles;
    titles.Add(ReportColumnTitles[kTitleStart]);
    titles.Add(ReportColumnTitles[kTitleProfile]);
    titles.Add(ReportColumnTitles[kTitleNamesCurrent]);
    titles.Add("   Peak    Min    Max    Spl    Leq");
    if (selColumn)
        titles.Add("    Sel");
    titles.Add("   Ltm3   Ltm5 |     PSEL     Lex8     SExp    SExp8");
    if (doseColumns)
        titles.Add(" |  Dose Dose8");
    std::string& units = table.units;
    units = std::string(ReportColumnTitles[kTitleDateUnits]) + std::string(ReportColumnTitles[kTitleStartUnits]) +
            std::string(ReportColumnTitles[kTitleNamesCurrentUnits]) + " ";
    for (int i = 0; i < (selColumn ? 8 : 7); ++i)
        units += kSharedUnit;
    units += linear ? "|     Pa\xB2s     Pa\xB2s" : "|       dB       dB";
    units += "     Pa\xB2h     Pa\xB2h";
    if (doseColumns)
        units += " |     %     %";

    for (int c : ShownChannels(h.channelCount, channelMask)) {
        doc.SelectChannelProfile(c, 0);
        const CurrentChannel& ch = doc.Channel();
        const ResultContext ctx = doc.Results();
        if (ctx.firstRecord == 0)
            break;
        std::string row;
        try {
            const RowScale s = ScaleOfRow(doc, ctx, c, 1, linear);
            ResultValues v;
            DecodeSlmResults(ctx, static_cast<std::uint32_t>(c), v, linear, kReferenceExponent, s.level.scale);
            const DurationText duration = FormatDuration(MeasurementTimeOf(ctx));
            // Firmware up to 2.00 numbers the weightings from 0, the name list from "UNDF".
            const char* filter = ch.filterNames.At(h.firmware <= 200 ? ch.filter + 1 : ch.filter);
            const char* detector = ch.detectorNames.At(ch.detectorIndex + 1);
            row = RowStart(h, c);
            row += StrPrintf(TextRowFormatsB[kRowBFiveValuesBase + s.d].data(), filter, detector,
                             duration.Text.c_str(), s.unitCell.c_str(), v.peak, v.min, v.max, v.spl, v.result);
            if (selColumn)
                row += Value7(s, v.sel);
            row += StrPrintf("%7s%7s |", Value7(s, v.ltm3).c_str(), Value7(s, v.ltm5).c_str());
            if (!member || ch.inputKind == kInputMicrophone) {
                row += ExposureLevel9(linear, v.psel) + ExposureLevel9(linear, member && linear ? v.sel : v.lex8);
                row += ExposureValue9(v.soundExposure) + ExposureValue9(v.soundExposure8);
                if (doseColumns && ch.function == kFunctionDose515Text)
                    row += StrPrintf(" |%6.0f%6.0f", v.dose, v.dose8);
                else if (doseColumns)
                    row += " |    --    --";
            }
            AddRemainder(row, duration);
        } catch (const ImageRangeError&) {
            continue; // a results record cut short by the end of the file gives no row
        }
        table.Add(lines, widest, row);
    }
    table.Close(lines, widest);
    return true;
}

} // namespace

bool FormatSlmResultsText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask,
                          std::uint8_t unitOption)
{
    return SlmResultsRows(doc, lines, widest, channelMask, unitOption, false);
}

bool FormatSlmMemberText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask,
                         std::uint8_t unitOption)
{
    return SlmResultsRows(doc, lines, widest, channelMask, unitOption, true);
}

namespace {

// The columns of the profile texts.
struct ProfileColumns {
    bool linear = false;
    bool lav = false;  ///< a dose meter's Lav
    bool dose = false; ///< a dose meter's dose, exposure and PSEL columns
    bool ltm = false;
    bool ln = false;
    bool lden = false;
    bool overload = false;
};

// The title pieces after the channel or profile title, and the units under them.
void AddProfileTitles(const ProfileColumns& k, TitleLine& titles, std::string& units)
{
    titles.Add(ReportColumnTitles[kTitleNamesCurrent]);
    titles.Add("   Peak    Min    Max    Spl");
    if (k.lav)
        titles.Add("    Lav");
    titles.Add("    Leq");
    if (k.ltm)
        titles.Add("   Ltm3   Ltm5");
    if (k.dose)
        titles.Add(" |  Dose Dose8");
    titles.Add(" |      SEL");
    if (k.dose)
        titles.Add("     SEL8 |        E       E8 |     LEPd     PSEL");
    if (k.ln)
        titles.Add(" |   n       Ln");
    if (k.lden)
        titles.Add(" | den     Lden");
    if (k.overload)
        titles.Add(" |  OvlT");

    units += ReportColumnTitles[kTitleNamesCurrentUnits];
    for (int i = 0; i < 5 + (k.lav ? 1 : 0) + (k.ltm ? 2 : 0); ++i)
        units += kSharedUnit;
    if (k.dose)
        units += " |     %     %";
    units += k.linear ? " |     Pa\xB2s" : " |       dB";
    if (k.dose) {
        units += k.linear ? "     Pa\xB2s" : "       dB";
        units += " |     Pa\xB2h     Pa\xB2h |       dB       dB";
    }
    if (k.ln)
        units += " |   %       dB";
    if (k.lden)
        units += " |           dB";
    if (k.overload)
        units += " |     %";
}

// The cells after the row start: names, duration, unit and the values of the columns.
std::string ProfileCells(const ProfileColumns& k, const CurrentChannel& ch, const RowScale& s, const ResultValues& v,
                         const DurationText& duration)
{
    std::string row = StrPrintf(TextRowFormatsB[kRowBFourValuesBase + s.d].data(), ch.filterNames.At(ch.filter),
                                ch.detectorNames.At(ch.detectorIndex + 1), duration.Text.c_str(), s.unitCell.c_str(),
                                v.peak, v.min, v.max, v.spl);
    if (k.lav)
        row += Value7(s, v.lav);
    row += Value7(s, v.result);
    if (k.ltm)
        row += Value7(s, v.ltm3) + Value7(s, v.ltm5);
    if (k.dose)
        row += StrPrintf(" |%6.0f%6.0f", v.dose, v.dose8);
    row += " |" + ExposureLevel9(k.linear, v.sel);
    if (k.dose) {
        row += ExposureLevel9(k.linear, v.sel8);
        row += StrPrintf(" |%9.2f%9.2f", v.exposure, v.exposure8);
        row += StrPrintf(" |%9.1f%9.1f", v.lepd, v.psel);
    }
    if (k.ln)
        row += StrPrintf(" |%4d%9.1f", static_cast<int>(v.statNumber), v.statLevel);
    if (k.lden)
        row += v.denCode != 0 ? StrPrintf(" | %03d%9.1f", static_cast<int>(v.denCode), v.lden)
                              : StrPrintf(" | %03d    -----", static_cast<int>(v.denCode));
    if (k.overload)
        row += StrPrintf(" | %5s", FormatPercent(v.overloadPercent).c_str());
    AddRemainder(row, duration);
    return row;
}

// The lines of a text made on its own list, appended to another.
void AppendLines(const LineList& from, LineList& to, int* widest)
{
    for (std::string_view stored : from) {
        std::string line(stored.ends_with("\r\n") ? stored.substr(0, stored.size() - 2) : stored);
        AddLine(to, line, widest);
    }
}

} // namespace

bool FormatSlmProfileText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask,
                          std::uint8_t unitOption)
{
    if (doc.Channel().function == kFunctionRt60)
        return FormatRtText(doc, lines, widest, false, 0, 0);

    WaitCursor wait(doc.Ui());
    ChannelSelectionKeeper keeper(doc);
    ClearLineList(&lines);
    *widest = 0;
    const CurrentHeader& h = doc.Header();
    const ModelFlags& model = h.model;
    ProfileColumns k;
    k.linear = unitOption != 0;
    k.dose = k.lav = doc.Channel().function == kFunctionDoseMeter;
    k.ltm = !(model.Family535 && h.firmware < 307);
    k.ln = h.lnColumn;
    k.lden = h.ldenColumn;
    k.overload = h.firmware >= 505 && !model.LaterModel;

    HeadedTable table(ReportCaptionTable[kCaptionMainResults]);
    table.titles.Add(ReportColumnTitles[kTitleStart]);
    table.titles.Add(ReportColumnTitles[kTitleProfile]);
    table.units = std::string(ReportColumnTitles[kTitleDateUnits]) + std::string(ReportColumnTitles[kTitleStartUnits]);
    AddProfileTitles(k, table.titles, table.units);

    for (int c : ShownChannels(h.channelCount, channelMask)) {
        doc.SelectChannelProfile(c, 0);
        const ResultContext ctx = doc.Results();
        if (ctx.firstRecord == 0)
            break;
        std::string row;
        try {
            const RowScale s = ScaleOfRow(doc, ctx, c, model.Family535 ? 4 : 2, k.linear);
            ResultValues v;
            if (model.Family535)
                DecodeProfileResults(ctx, c, 0, v, k.linear, kReferenceExponent, s.level.scale);
            else
                DecodeSlmDoseResults(ctx, static_cast<std::uint32_t>(c), v, k.linear, kReferenceExponent,
                                     s.level.scale);
            row = RowStart(h, c) + ProfileCells(k, doc.Channel(), s, v, FormatDuration(MeasurementTimeOf(ctx)));
        } catch (const ImageRangeError&) {
            continue; // a results record cut short by the end of the file gives no row
        }
        table.Add(lines, widest, row);
    }
    table.Close(lines, widest);
    if (!model.Family535 && h.rotationMeasurement != 0)
        FormatRpmText(doc, lines, widest, 0);
    if (doc.Channel().function == kFunctionTonality && doc.FindRecordInHeader(0, kRecordTonality) != 0)
        FormatTonalityText(doc, lines, widest, false, 0);
    return true;
}

namespace {

// The sound rows of a four-channel file; a Multifile's member shows a dose
// meter's Lav but not its dose, exposure and PSEL columns.
bool SlmProfilesRows(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask, std::uint8_t unitOption,
                     bool member)
{
    if (doc.Channel().function == kFunctionRt60) {
        // The reverberation tables start a text of their own; here they join the vibration text.
        LineList tables;
        int tablesWidest = 0;
        FormatRtChannelsText(doc, tables, &tablesWidest, false, 0, channelMask);
        AppendLines(tables, lines, widest);
        return true;
    }

    WaitCursor wait(doc.Ui());
    ChannelSelectionKeeper keeper(doc);
    const CurrentHeader& h = doc.Header();
    const bool profiles = h.firmware >= 217;
    ProfileColumns k;
    k.linear = unitOption != 0;
    k.lav = doc.Channel().function == kFunctionDoseMeter;
    k.dose = k.lav && !member;
    k.ltm = profiles;
    k.lden = h.ldenColumn;
    k.overload = h.firmware >= 219;

    HeadedTable table(ReportCaptionTable[kCaptionMainResultsSound]);
    table.titles.Add(ReportColumnTitles[kTitleStart]);
    table.titles.Add(ReportColumnTitles[kTitleChannel]);
    table.units = std::string(ReportColumnTitles[kTitleDateUnits]) + std::string(ReportColumnTitles[kTitleStartUnits]);
    if (profiles) {
        table.titles.Add(ReportColumnTitles[kTitleProfile]);
        table.units += "     ";
    }
    AddProfileTitles(k, table.titles, table.units);

    for (int c : ShownChannels(h.channelCount, channelMask)) {
        for (int p = 0; p < (profiles ? 3 : 1); ++p) {
            doc.SelectChannelProfile(c, p);
            if (doc.Channel().storedInputKind == kInputAccelerometer)
                break;
            if (profiles) {
                doc.SelectProfileWeighting(c, p);
                if ((doc.Channel().detectorWord & 1u) == 0)
                    continue;
            }
            const ResultContext ctx = doc.Results();
            if (ctx.firstRecord == 0)
                break;
            std::string row;
            try {
                // From 2.17 the results records lie by channel + 4 x profile.
                const int record = c + (profiles ? 4 * p : 0);
                const RowScale s = ScaleOfRow(doc, ctx, record, 4, k.linear);
                ResultValues v;
                DecodeProfileResults(ctx, c, p, v, k.linear, kReferenceExponent, s.level.scale);
                row = RowStart(h, c);
                if (profiles)
                    row += StrPrintf("  P%d ", p + 1);
                row += ProfileCells(k, doc.Channel(), s, v, FormatDuration(MeasurementTimeOf(ctx)));
            } catch (const ImageRangeError&) {
                continue; // a results record cut short by the end of the file gives no row
            }
            table.Add(lines, widest, row);
        }
    }
    table.Close(lines, widest);
    return true;
}

} // namespace

bool FormatSlmProfilesText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask,
                           std::uint8_t unitOption)
{
    return SlmProfilesRows(doc, lines, widest, channelMask, unitOption, false);
}

bool FormatSlmProfilesMemberText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask,
                                 std::uint8_t unitOption)
{
    return SlmProfilesRows(doc, lines, widest, channelMask, unitOption, true);
}

bool FormatRpmText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t subfile)
{
    const std::string rule(28, '-');
    std::string line;
    AddLine(lines, line, widest);
    line = ReportCaptionTable[kCaptionRotationResults];
    AddLine(lines, line, widest);
    line = rule;
    AddLine(lines, line, widest);
    line = "       RpM   minRPM   maxRPM";
    AddLine(lines, line, widest);
    line = rule;
    AddLine(lines, line, widest);

    const CurrentHeader& h = doc.Header();
    const std::uint32_t record = h.model.FourChannel ? doc.FindRecord(subfile, kRecordRotationFourChannel)
                                                     : doc.FindRecordInHeader(subfile, kRecordRotation);
    // Without its record the section keeps its head and shows no speeds.
    if (record != 0) {
        try {
            const ImageReader image = doc.Reader();
            const double rpm = DecodeRpm(image, record + 1, h.firmware);
            const double maxRpm = DecodeRpm(image, record + 3, h.firmware);
            const double minRpm = DecodeRpm(image, record + 5, h.firmware);
            line = StrPrintf(" %9.0f%9.0f%9.0f", rpm, minRpm, maxRpm);
            AddLine(lines, line, widest);
        } catch (const ImageRangeError&) {
        }
    }
    line = rule;
    AddLine(lines, line, widest);
    return true;
}

} // namespace orlu
