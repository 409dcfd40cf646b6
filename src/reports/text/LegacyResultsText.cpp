#include "reports/text/LegacyResultsText.h"

#include "document/headers/CurrentHeader.h"
#include "document/texts/NumberTexts.h"
#include "platform/ValueFormat.h"
#include "reports/common/LegacyResultRow.h"
#include "reports/common/ReportCaptionTable.h"
#include "reports/common/ReportColumnTitles.h"
#include "reports/common/ReportNumberFormats.h"
#include "reports/common/TextRowFormats.h"
#include "reports/text/TextReportLayout.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::string_view kAbsent7 = "  -----";
constexpr std::string_view kAbsent9 = "    -----";
constexpr std::string_view kSharedUnit = "       "; // a value column in the row's unit
constexpr std::uint8_t kAccelerationUnit = 3;       // LegacyFilter::Unit of acceleration filters
constexpr int kOr06Mode = 1;

std::string Value7(int d, double x)
{
    return IsAbsent(x) ? std::string(kAbsent7) : StrPrintf(TextRowFormatsA[kValueABase + d].data(), x);
}

// SEL, Lex8 and VDV: exponent form in linear units, one decimal in dB.
std::string Value9(bool linear, double x)
{
    if (IsAbsent(x))
        return std::string(kAbsent9);
    return linear ? FormatExponent(x) : StrPrintf(TextRowFormatsA[kValueAExposureLevel].data(), x);
}

std::string Caption(const LegacyHeader& h)
{
    if (h.channelMode == 0)
        return std::string(ReportCaptionTable[kCaptionMainResults]);
    return StrPrintf(ReportCaptionTable[kCaptionLegacyMainResults].data(), h.channelMode == kOr06Mode ? 6 : 8);
}

// The title line, its rule and the units line. The VDV column is filled by
// accelerometers and SEL and Lex8 by microphones, so each column's unit follows
// the unit choice of the input that fills it.
void AddTitles(const LegacyHeader& h, const LegacyResultsPlan& plan, std::uint8_t unitOption, bool nonMetric,
               HeadedTable& table)
{
    TitleLine& t = table.titles;
    std::string& units = table.units;
    t.Add(ReportColumnTitles[kTitleStart]);
    units = std::string(ReportColumnTitles[kTitleDateUnits]) + std::string(ReportColumnTitles[kTitleStartUnits]);
    if (plan.multiChannel) {
        t.Add(ReportColumnTitles[h.channelMode != 0 ? kTitleChannel : kTitleProfile]);
        units += "     ";
    }
    t.Add(" ");
    t.Add(ReportColumnTitles[kTitleNamesLegacy]);
    t.Add(ReportColumnTitles[kTitleResult]);
    t.Add(" Peak    Min    Max   LeqX    Spl");
    units += ReportColumnTitles[kTitleNamesLegacyUnits];
    units += " ";
    if (plan.ltmColumns)
        t.Add("   Ltm3   Ltm5");
    for (int i = 0; i < (plan.ltmColumns ? 8 : 6); ++i)
        units += kSharedUnit;
    t.Add(" |     CrF");
    units += "|     ---";
    if (plan.vdvColumn) {
        t.Add("      VDV");
        const bool linear = LegacyLinear(kInputAccelerometer, unitOption);
        units += !linear ? "       dB" : nonMetric ? "    in/sx" : "     m/sx";
    }
    if (plan.selColumns) {
        t.Add("      SEL     Lex8");
        units += LegacyLinear(kInputMicrophone, unitOption) ? "     Pa\xB2s     Pa\xB2s" : "       dB       dB";
    }
}

std::string RowText(const CTmDoc& doc, const LegacyResultsPlan& plan, const LegacyResultRow& r)
{
    const LegacyHeader& h = doc.Legacy();
    const ResultValues& v = r.values;
    const int d = std::clamp(r.level.decimals, 0, 2);
    const DurationText duration = FormatDuration(r.seconds);
    const std::string unit = UnitCell(r.level);
    const std::string filter(r.vectorRow ? "MODULE" : r.filter.Name);
    const bool microphone = r.inputKind == kInputMicrophone;

    std::string row = DateCell(h.date) + StartTimeCell(h.time);
    if (plan.multiChannel)
        row += r.vectorRow ? std::string(" Vect") : r.intensityRow ? std::string("  SI ") : StrPrintf("  #%d ", r.channel + 1);
    std::string crestFactor;
    if (r.intensityRow) {
        row += StrPrintf(TextRowFormatsA[kRowALegacySoundIntensity].data(), r.function.c_str(), filter.c_str(),
                         duration.Text.c_str(), unit.c_str(), v.result, v.min, v.max, v.spl);
        crestFactor = kAbsent7;
    } else {
        // The second filter's level takes the crest factor's place in the file.
        const std::string leqX = r.dualFilter ? Value7(d, v.second) : std::string(kAbsent7);
        crestFactor = r.dualFilter || IsAbsent(v.second) ? std::string(kAbsent7) : FormatCompactG(v.second);
        const std::string spl = microphone ? Value7(d, v.spl) : std::string(kAbsent7);
        row += StrPrintf(TextRowFormatsA[kRowALegacyBase + d].data(), r.function.c_str(), filter.c_str(),
                         duration.Text.c_str(), unit.c_str(), v.result, v.peak, v.min, v.max, leqX.c_str(),
                         spl.c_str());
    }
    if (plan.ltmColumns) {
        const bool ltm = !r.intensityRow && (microphone || r.inputKind == kInputDirect);
        row += ltm ? Value7(d, v.ltm3) + Value7(d, v.ltm5) : std::string(kAbsent7) + std::string(kAbsent7);
    }
    row += StrPrintf(" |%8s", crestFactor.c_str());
    if (plan.vdvColumn) {
        const bool vdv = r.inputKind == kInputAccelerometer && r.filter.Unit == kAccelerationUnit && !r.vectorRow;
        row += vdv ? Value9(r.linear, v.vdv) : std::string(kAbsent9);
    }
    if (plan.selColumns) {
        if (microphone && !r.intensityRow)
            // In linear units SEL and Lex8 are the same sound exposure.
            row += r.linear ? Value9(true, v.sel) + Value9(true, v.sel) : Value9(false, v.sel) + Value9(false, v.lex8);
        else
            row += std::string(kAbsent9) + std::string(kAbsent9);
    }
    AddRemainder(row, duration);
    if (r.overload)
        row += ReportCaptionTable[kCaptionOverload];
    return row;
}

// The merged text's titles: no Ltm columns, CrF after Spl, one unit per column.
void AddMemberTitles(const LegacyHeader& h, const LegacyResultsPlan& plan, std::uint8_t unitOption, bool nonMetric,
                     HeadedTable& table)
{
    TitleLine& t = table.titles;
    std::string& units = table.units;
    t.Add(ReportColumnTitles[kTitleStart]);
    units = std::string(ReportColumnTitles[kTitleDateUnits]) + std::string(ReportColumnTitles[kTitleStartUnits]);
    if (plan.multiChannel) {
        t.Add(ReportColumnTitles[h.channelMode != 0 ? kTitleChannel : kTitleProfile]);
        t.Add(" ");
        units += "      ";
    }
    t.Add(ReportColumnTitles[kTitleNamesLegacy]);
    t.Add(ReportColumnTitles[kTitleResult]);
    t.Add(" Peak    Min    Max   LeqX    Spl |    CrF");
    units += ReportColumnTitles[kTitleNamesLegacyMergedUnits];
    units += " ";
    for (int i = 0; i < 6; ++i)
        units += kSharedUnit;
    // The crest factor has no unit; its dashes stand under it, before the units of VDV, SEL and Lex8.
    units += "|    ---";
    if (plan.vdvColumn) {
        t.Add("      VDV");
        units += unitOption != 0 ? "       dB" : nonMetric ? "    in/sx" : "     m/sx";
    }
    if (plan.selColumns) {
        t.Add("      SEL     Lex8");
        units += unitOption != 0 ? "     Pa\xB2s     Pa\xB2s" : "       dB       dB";
    }
}

std::string MemberRowText(const CTmDoc& doc, const LegacyResultsPlan& plan, const LegacyResultRow& r)
{
    const LegacyHeader& h = doc.Legacy();
    const ResultValues& v = r.values;
    const int d = std::clamp(r.level.decimals, 0, 2);
    const DurationText duration = FormatDuration(r.seconds);
    const std::string unit = UnitCell(r.level);
    const std::string filter(r.vectorRow ? "MODULE" : r.filter.Name);
    const bool microphone = r.inputKind == kInputMicrophone;
    // The start time keeps a second blank, which stands for the function name's leading one.
    const std::string_view function = std::string_view(r.function).substr(r.function.starts_with(' ') ? 1 : 0);

    std::string row = DateCell(h.date) + StartTimeCell(h.time) + " ";
    if (plan.multiChannel)
        row += r.vectorRow ? std::string("Vect  ") : r.intensityRow ? std::string("Int   ") : StrPrintf(" #%d   ", r.channel + 1);
    if (r.intensityRow) {
        row += StrPrintf(TextRowFormatsB[kRowBLegacyMergedSoundIntensity].data(), std::string(function).c_str(),
                         filter.c_str(), duration.Text.c_str(), unit.c_str(), v.result, v.min, v.max, v.spl);
    } else {
        const std::string leqX = r.dualFilter ? Value7(d, v.second) : std::string(kAbsent7);
        const std::string crestFactor =
            r.dualFilter || IsAbsent(v.second) ? std::string(kAbsent7) : FormatCompactG(v.second);
        const std::string spl = microphone ? Value7(d, v.spl) : std::string(kAbsent7);
        row += StrPrintf(TextRowFormatsB[kRowBLegacyMergedBase + d].data(), std::string(function).c_str(),
                         filter.c_str(), duration.Text.c_str(), unit.c_str(), v.result, v.peak, v.min, v.max,
                         leqX.c_str(), spl.c_str(), crestFactor.c_str());
    }
    if (plan.vdvColumn) {
        const bool vdv = r.inputKind == kInputAccelerometer && r.filter.Unit == kAccelerationUnit && !r.vectorRow;
        row += vdv ? Value9(r.linear, v.vdv) : std::string(kAbsent9);
    }
    if (plan.selColumns) {
        if (microphone && !r.intensityRow)
            row += r.linear ? Value9(true, v.sel) + Value9(true, v.sel) : Value9(false, v.sel) + Value9(false, v.lex8);
        else
            row += "    -----    ----- ";
    }
    if (r.overload)
        row += ReportCaptionTable[kCaptionOverload];
    return row;
}

} // namespace

bool FormatLegacyMemberText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask,
                            std::uint8_t unitOption)
{
    WaitCursor wait(doc.Ui());
    ClearLineList(&lines);
    *widest = 0;
    if (!doc.LegacyDecoded())
        return true;
    LegacyChannelKeeper keeper(doc);
    const LegacyResultsPlan plan = PlanLegacyResults(doc, channelMask);
    HeadedTable table(ReportCaptionTable[kCaptionMainResults]);
    AddMemberTitles(doc.Legacy(), plan, unitOption, doc.Levels().nonMetric, table);
    for (int c : plan.channels) {
        if (const std::optional<LegacyResultRow> r = DecodeLegacyResultRow(doc, c, unitOption, false)) {
            std::string row = MemberRowText(doc, plan, *r);
            table.Add(lines, widest, row);
        }
    }
    table.Close(lines, widest);
    if (table.rows > 0 && plan.vdvColumn && unitOption == 0) {
        std::string line = "  sx = s^1.75";
        AddLine(lines, line, widest);
    }
    return true;
}

bool FormatLegacyResultsText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask,
                             std::uint8_t unitOption)
{
    WaitCursor wait(doc.Ui());
    ClearLineList(&lines);
    *widest = 0;
    if (!doc.LegacyDecoded())
        return true;
    LegacyChannelKeeper keeper(doc);
    const LegacyHeader& h = doc.Legacy();
    const LegacyResultsPlan plan = PlanLegacyResults(doc, channelMask);
    const std::string caption = Caption(h);
    HeadedTable table(caption);
    AddTitles(h, plan, unitOption, doc.Levels().nonMetric, table);

    bool vectorWritten = false;
    bool linearVdv = false;
    for (int c : plan.channels) {
        const std::optional<LegacyResultRow> r = DecodeLegacyResultRow(doc, c, unitOption, false);
        if (!r)
            continue;
        std::string row = RowText(doc, plan, *r);
        table.Add(lines, widest, row);
        vectorWritten = vectorWritten || r->vectorRow;
        linearVdv = linearVdv || (plan.vdvColumn && r->linear && r->inputKind == kInputAccelerometer &&
                                  r->filter.Unit == kAccelerationUnit && !r->vectorRow);
    }
    table.Close(lines, widest);
    if (table.rows == 0)
        return true;
    std::string line;
    if (vectorWritten) {
        line = StrPrintf(ReportCaptionTable[kCaptionModuleFormula].data(), doc.Channel().vectorFormula.c_str());
        AddLine(lines, line, widest);
    }
    if (linearVdv) {
        line = "  sx = s^1.75";
        AddLine(lines, line, widest);
    }
    return true;
}

} // namespace orlu
