#include "reports/text/VibrationText.h"

#include "document/headers/CurrentHeader.h"
#include "document/records/RecordChain.h"
#include "document/records/RecordTypeCodes.h"
#include "document/results/VibrationExposure.h"
#include "document/units/LevelUnits.h"
#include "platform/ValueFormat.h"
#include "reports/common/ReportCaptionTable.h"
#include "reports/common/ReportColumnTitles.h"
#include "reports/common/ReportNumberFormats.h"
#include "reports/common/TextRowFormats.h"
#include "reports/common/VdvFilterTable.h"
#include "reports/text/SlmResultsText.h"
#include "reports/text/TextReportLayout.h"
#include "reports/text/TonalityText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace orlu {
namespace {

constexpr std::uint16_t kFirmwareOverloadOther = 505;       // OvlT of 530 and 535 files
constexpr std::uint16_t kFirmwareOverloadFourChannel = 219; // OvlT of four-channel files
constexpr std::uint16_t kFirmwareProfiles = 217;            // Prof column of four-channel files
constexpr std::uint16_t kFlagNoVdv = 4;                      // bit 2 of the flags word
constexpr int kVibrationLevels = 6;                          // GetMaxLevel set of Peak, P-P, MTVV, RMS
constexpr std::uint32_t kVectorLevelWord = 10;               // of the vector settings 30
constexpr int kVectorColumn = 4;                             // mask bit of the MODULE row

constexpr std::string_view kVdvNotApplicable = "   ------";
constexpr std::string_view kNotApplicable = "-----";
constexpr std::string_view kSxNote = "  sx = s^1.75";

// What the text shows of a file.
struct Columns {
    bool fourChannel = false;
    bool vdv = false;
    bool vdvValues = false; ///< the file's flags allow VDV values (else dashes under VDV)
    bool overload = false;
    bool profile = false;
    bool linear = false;
    bool nonMetric = false;
};

// The largest level of a row fixes its decimals, unit and display multiplier.
struct RowScale {
    LevelText level;
    int d = 0;
    std::string unitCell;
    int e = 6;
};

RowScale ScaleOfRow(const CTmDoc& doc, const ResultContext& ctx, int row, bool linear)
{
    const CurrentChannel& ch = doc.Channel();
    RowScale s;
    s.e = GetReferenceExponent(doc.Levels(), ch);
    const double largest =
        GetMaxLevel(ctx, static_cast<std::uint32_t>(row), kVibrationLevels, linear, ch.sensitivityOffset, s.e);
    s.level = FormatLevel(doc.Levels(), ch, ch.inputKind, largest, linear ? kQuantityLinear : kQuantityDb);
    s.d = std::clamp(s.level.decimals, 0, 2);
    s.unitCell = UnitCell(s.level);
    return s;
}

void AddTableTitles(const Columns& k, TitleLine& titles, std::string& units)
{
    titles.Add(ReportColumnTitles[kTitleStart]);
    titles.Add(ReportColumnTitles[k.fourChannel ? kTitleChannel : kTitleProfile]);
    units = std::string(ReportColumnTitles[kTitleDateUnits]) + std::string(ReportColumnTitles[kTitleStartUnits]);
    if (k.profile) {
        titles.Add(ReportColumnTitles[kTitleProfile]);
        units += "     ";
    }
    titles.Add(ReportColumnTitles[kTitleNamesCurrent]);
    units += ReportColumnTitles[kTitleNamesCurrentUnits];
    titles.Add("   Peak    P-P   MTVV    RMS");
    units += "                            ";
    if (k.vdv) {
        titles.Add(" |      VDV");
        units += !k.linear ? " |       dB" : k.nonMetric ? " |    in/sx" : " |     m/sx";
    }
    if (k.overload) {
        titles.Add(" |  OvlT");
        units += " |     %";
    }
}

// The renderer's state between its parts.
struct VibrationTable {
    VibrationTable(CTmDoc& d, LineList& l) : doc(d), lines(l) {}
    CTmDoc& doc;
    LineList& lines;
    int widest = 0;
    Columns k;
    HeadedTable table{ReportCaptionTable[kCaptionMainResults]};
    std::optional<double> lastOverload; ///< of the last channel row decoded

    std::string RowStart() const
    {
        const CurrentHeader& h = doc.Header();
        return DateCell(h.date) + StartTimeCell(h.time);
    }

    std::string OverloadCell(std::optional<double> percent) const
    {
        return StrPrintf(" | %5s", percent ? FormatPercent(*percent).c_str() : std::string(kNotApplicable).c_str());
    }

    void ChannelRow(int c)
    {
        doc.SelectChannelProfile(c, 0);
        if (k.profile)
            doc.SelectProfileWeighting(c, 0);
        const ResultContext ctx = doc.Results();
        if (ctx.firstRecord == 0)
            return;
        const CurrentChannel& ch = doc.Channel();
        std::string row;
        try {
            const RowScale s = ScaleOfRow(doc, ctx, c, k.linear);
            ResultValues v;
            DecodeVibrationResults(ctx, c, 0, v, k.linear, s.e, s.level.scale);
            lastOverload = v.overloadPercent;
            // The row's duration is the measurement time T of the first results record.
            const DurationText duration = FormatDuration(v.measurementSeconds);
            row = RowStart() + StrPrintf("  #%d ", c + 1);
            if (k.profile)
                row += StrPrintf("  P%d ", 1);
            row += StrPrintf(TextRowFormatsB[kRowBFourValuesBase + s.d].data(), ch.filterNames.At(ch.filter),
                             ch.detectorNames.At(ch.detectorIndex + 1), duration.Text.c_str(), s.unitCell.c_str(),
                             v.peak, v.min, v.max, v.result);
            if (k.vdv) {
                row += " |";
                if (!k.vdvValues || !FilterHasVdv(ch.filter))
                    row += kVdvNotApplicable;
                else
                    row += k.linear ? FormatExponent(v.spl) : StrPrintf(TextRowFormatsA[kValueAExposureLevel].data(), v.spl);
            }
            if (k.overload)
                row += OverloadCell(v.overloadPercent);
            AddRemainder(row, duration);
        } catch (const ImageRangeError&) {
            return; // a results record cut short by the end of the file gives no row
        }
        table.Add(lines, &widest, row);
    }

    // The vector sum: its level is word 10 of the vector settings, in the
    // unit of the first accelerometer channel.
    bool ModuleRow()
    {
        const CurrentHeader& h = doc.Header();
        int c = h.channelCount - 1;
        for (int i = 0; i + 1 < h.channelCount; ++i)
            if (h.fourChannel.channels[static_cast<std::size_t>(i)].inputKind == kInputAccelerometer) {
                c = i;
                break;
            }
        doc.SelectChannelProfile(c, 0);
        const ResultContext ctx = doc.Results();
        const std::uint32_t vector = doc.FindRecordInHeader(0, kRecordVectorSettings);
        if (ctx.firstRecord == 0 || vector == 0)
            return false;
        const CurrentChannel& ch = doc.Channel();
        std::string row;
        try {
            const RowScale s = ScaleOfRow(doc, ctx, c, k.linear);
            const DurationText duration = FormatDuration(MeasurementTimeOf(ctx));
            row = RowStart();
            if (k.profile)
                row += StrPrintf("  #%d ", 5);
            row += " Vect";
            // A vector record too short to hold the level shows none, never the next record's word.
            const ImageReader image = doc.Reader();
            const std::optional<RecordView> record = RecordChain(image, vector).Next();
            if (record && record->length > kVectorLevelWord) {
                const double w = image.SignedWord(vector + kVectorLevelWord);
                const double value =
                    (k.linear ? std::pow(10.0, w / ctx.linearDivisor + ch.sensitivityOffset / 200.0 - s.e)
                              : w / ctx.levelDivisor) *
                    s.level.scale;
                row += StrPrintf(TextRowFormatsB[kRowBTextCellsBase + s.d].data(), "MODULE", "---",
                                 duration.Text.c_str(), s.unitCell.c_str(), "-----", "-----", "-----", value);
            } else {
                row += StrPrintf(" %-6s %-6s %8s |%6s |%7s%7s%7s%7s", "MODULE", "---", duration.Text.c_str(),
                                 s.unitCell.c_str(), "-----", "-----", "-----", "-----");
            }
            if (k.vdv)
                row += " |" + std::string(kVdvNotApplicable);
            // The MODULE row decodes nothing: it shows the last channel row's overload time.
            if (k.overload)
                row += OverloadCell(lastOverload);
            AddRemainder(row, duration);
        } catch (const ImageRangeError&) {
            return false;
        }
        table.Add(lines, &widest, row);
        return true;
    }
};

// RMS and VDV of a channel in linear metric units, for the ratios and the exposure.
ResultValues DecodeLinear(CTmDoc& doc, int c, bool profileWeighting)
{
    doc.SelectChannelProfile(c, 0);
    if (profileWeighting)
        doc.SelectProfileWeighting(c, 0);
    ResultValues v;
    DecodeVibrationResults(doc.Results(), c, 0, v, true, GetReferenceExponent(doc.Levels(), doc.Channel()), 1.0);
    // The decoder gives the VDV in inch units under the non-metric option.
    if (doc.Levels().nonMetric)
        v.spl /= kToInch;
    return v;
}

std::string Ratio(double seat, double base)
{
    // A zero base channel has no ratio rather than a division by zero.
    return base > 0.0 ? StrPrintf("%.3g", seat / base) : std::string(kNotApplicable);
}

void SeatLines(VibrationTable& t, std::uint16_t channelMask)
{
    CTmDoc& doc = t.doc;
    const std::uint32_t seat = doc.FindRecordInHeader(0, kRecordSeatDefinition);
    if (seat == 0)
        return;
    const ImageReader image = doc.Reader();
    const int base = image.Word(seat + 1);
    const int seatChannel = image.Word(seat + 2);
    const int count = doc.Header().channelCount;
    // The channel numbers come from the file.
    if (base >= count || seatChannel >= count)
        return;
    if (!Selected(channelMask, base) && !Selected(channelMask, seatChannel))
        return;
    const ResultValues b = DecodeLinear(doc, base, false);
    const ResultValues s = DecodeLinear(doc, seatChannel, false);
    std::string line;
    AddLine(t.lines, line, &t.widest);
    line = StrPrintf("  SEAT_RMS #%d/#%d = %s", seatChannel + 1, base + 1, Ratio(s.result, b.result).c_str());
    AddLine(t.lines, line, &t.widest);
    if (t.k.vdv) {
        line = StrPrintf("  SEAT_VDV #%d/#%d = %s", seatChannel + 1, base + 1, Ratio(s.spl, b.spl).c_str());
        AddLine(t.lines, line, &t.widest);
    }
}

// A column of the dose-meter section, by the bit of the exposure's validMask.
struct DoseColumn {
    int bit;
    std::string_view title;
    enum class Unit { Acceleration, Dose, Time } unit;
};
constexpr DoseColumn kDoseColumns[] = {
    {kHandArmVector, "       AEQ", DoseColumn::Unit::Acceleration},
    {kWholeBodyRms, "    RMS_WB", DoseColumn::Unit::Acceleration},
    {kWholeBodyVector, "    Vector", DoseColumn::Unit::Acceleration},
    {kCurrentExposure, "      CExp", DoseColumn::Unit::Acceleration},
    {kDailyExposure, "        A8", DoseColumn::Unit::Acceleration},
    {kCurrentDose, "     CDose", DoseColumn::Unit::Dose},
    {kDailyDose, "     DDose", DoseColumn::Unit::Dose},
    {kActionTimeTotal, "     EAV_TT", DoseColumn::Unit::Time},
    {kActionTimeLeft, "     EAV_TL", DoseColumn::Unit::Time},
    {kLimitTimeTotal, "     ELV_TT", DoseColumn::Unit::Time},
    {kLimitTimeLeft, "     ELV_TL", DoseColumn::Unit::Time},
    {kThirdTimeTotal, "     NDN_TT", DoseColumn::Unit::Time},
    {kThirdTimeLeft, "     NDN_TL", DoseColumn::Unit::Time},
};

void DoseSection(VibrationTable& t, std::uint16_t channelMask)
{
    CTmDoc& doc = t.doc;
    const CurrentHeader& h = doc.Header();
    const ExposureSetup& setup = h.fourChannel.exposure;
    const int axes[] = {setup.axisX, setup.axisY, setup.axisZ};
    const auto isAxis = [&](int c) { return std::find(std::begin(axes), std::end(axes), c) != std::end(axes); };
    if (!h.fourChannel.doseSettingsPresent ||
        std::none_of(std::begin(axes), std::end(axes), [&](int c) { return c < 16 && Selected(channelMask, c); }))
        return;
    const int count = std::min<int>(h.channelCount, kFourChannelMaxChannels);
    std::array<ResultValues, kFourChannelMaxChannels> rows{};
    bool any = false;
    for (int c = 0; c < count; ++c) {
        if (!isAxis(c) || h.fourChannel.channels[static_cast<std::size_t>(c)].inputKind == kInputMicrophone)
            continue;
        try {
            rows[static_cast<std::size_t>(c)] = DecodeLinear(doc, c, t.k.profile);
            any = true;
        } catch (const ImageRangeError&) {
        }
    }
    if (!any)
        return;
    ExposureResult result;
    doc.ComputeVibrationExposure(std::span(rows.data(), static_cast<std::size_t>(count)), result);

    // The values are computed in metric units; the non-metric option shows g and in/s^1.75.
    const double accelerationFactor = t.k.nonMetric ? kToG : 1.0;
    const double doseFactor = t.k.nonMetric ? kToInch : 1.0;
    const VibrationLimits* limits =
        setup.limitVariant < VibrationLimitTable.size() ? &VibrationLimitTable[setup.limitVariant] : nullptr;
    std::string line;
    AddLine(t.lines, line, &t.widest);
    line = StrPrintf("%s dose meter results (%s):", setup.kind == kExposureHandArm ? "Hand-Arm" : "Whole-Body",
                     limits ? std::string(limits->name).c_str() : "UNDF");
    AddLine(t.lines, line, &t.widest);

    TitleLine titles;
    std::string units, values;
    bool doseShown = false;
    for (const DoseColumn& col : kDoseColumns) {
        if (!result.IsValid(col.bit))
            continue;
        const double x = result.values[static_cast<std::size_t>(col.bit)];
        switch (col.unit) {
        case DoseColumn::Unit::Acceleration:
            titles.Add(col.bit == kHandArmVector && setup.limitVariant == kLimitVariantThirdValue ? "    Vector" : col.title);
            units += t.k.nonMetric ? "         g" : "      m/s\xB2";
            values += StrPrintf("%10.2f", x * accelerationFactor);
            break;
        case DoseColumn::Unit::Dose:
            titles.Add(col.title);
            units += t.k.nonMetric ? "     in/sx" : "      m/sx";
            values += StrPrintf("%10.2f", x * doseFactor);
            doseShown = true;
            break;
        case DoseColumn::Unit::Time:
            titles.Add(col.title);
            units += ReportColumnTitles[kTitleVibrationTime];
            values += StrPrintf("%11s", FormatDuration(static_cast<std::uint32_t>(std::floor(x + 0.5))).Text.c_str());
            break;
        }
    }
    // Without a hand-arm or whole-body setup there is no column, and no empty lines stand for them.
    if (result.validMask == 0)
        return;
    for (std::string* text : {&titles.rule, &titles.title, &units, &titles.rule, &values, &titles.rule}) {
        line = *text;
        AddLine(t.lines, line, &t.widest);
    }
    if (doseShown) {
        line = kSxNote;
        AddLine(t.lines, line, &t.widest);
    }
}

} // namespace

namespace {

// The text of a vibration or four-channel file; a Multifile's member writes its
// four-channel sound rows without the dose meter's dose columns.
bool VibrationRows(CTmDoc& doc, LineList& lines, int* widthOut, std::uint16_t channelMask, std::uint8_t unitOption,
                   bool member, bool vdvColumn = false)
{
    const auto soundRows = member ? &FormatSlmProfilesMemberText : &FormatSlmProfilesText;
    WaitCursor wait(doc.Ui());
    ChannelSelectionKeeper keeper(doc);
    const CurrentHeader& h = doc.Header();
    const FourChannelSetup& f = h.fourChannel;
    VibrationTable t(doc, lines);
    Columns& k = t.k;
    k.fourChannel = h.model.FourChannel;
    k.vdvValues = (h.flagsWord & kFlagNoVdv) == 0;
    k.vdv = k.vdvValues || vdvColumn;
    k.overload = k.fourChannel ? h.firmware >= kFirmwareOverloadFourChannel : h.firmware >= kFirmwareOverloadOther;
    k.profile = k.fourChannel && h.firmware >= kFirmwareProfiles;
    k.linear = unitOption == 0;
    k.nonMetric = doc.Levels().nonMetric;
    ClearLineList(&lines);
    *widthOut = 0;

    bool soundFirst = false;
    if (k.fourChannel) {
        soundFirst = f.channels[0].inputKind == kInputMicrophone;
        if (soundFirst && !soundRows(doc, lines, &t.widest, channelMask, unitOption))
            return false;
        // The sound section's width is handed back also when no vibration table follows it.
        if (soundFirst)
            *widthOut = t.widest;
    } else if (doc.Channel().inputKind == kInputMicrophone) {
        return FormatSlmProfileText(doc, lines, widthOut, channelMask, unitOption);
    }

    if (!soundFirst || f.hasAccelerometer) {
        if (k.fourChannel)
            t.table.caption = ReportCaptionTable[kCaptionMainResultsVibration];
        AddTableTitles(k, t.table.titles, t.table.units);
        for (int c : ShownChannels(h.channelCount, channelMask)) {
            if (k.fourChannel && f.channels[static_cast<std::size_t>(std::min(c, kPseudoChannel))].inputKind == kInputMicrophone)
                continue;
            t.ChannelRow(c);
        }
        const bool module = k.fourChannel && f.vector && Selected(channelMask, kVectorColumn) && t.ModuleRow();
        t.table.Close(lines, &t.widest);
        if (t.table.rows > 0) {
            if (k.vdv && k.linear) {
                std::string line(kSxNote);
                AddLine(lines, line, &t.widest);
            }
            *widthOut = t.widest;
            if (module) {
                std::string line = StrPrintf("  MODULE^2 = %s", f.vectorFormula.c_str());
                AddLine(lines, line, &t.widest);
            }
        }
        if (t.table.rows == 0)
            *widthOut = t.widest; // the sound section's lines, when it came first
        if (k.fourChannel) {
            SeatLines(t, channelMask);
            DoseSection(t, channelMask);
        }
    }

    if (k.fourChannel && f.hasAccelerometer && f.channels[0].inputKind == kInputAccelerometer &&
        !soundRows(doc, lines, widthOut, channelMask, unitOption))
        return false;
    if (h.rotationMeasurement != 0 && !FormatRpmText(doc, lines, &t.widest, 0))
        return false;
    if (h.function == kFunctionTonality && doc.FindRecordInHeader(0, kRecordTonality) != 0)
        return FormatTonalityText(doc, lines, widthOut, false, 0);
    return true;
}

} // namespace

bool FormatVibrationText(CTmDoc& doc, LineList& lines, int* widthOut, std::uint16_t channelMask,
                         std::uint8_t unitOption)
{
    return VibrationRows(doc, lines, widthOut, channelMask, unitOption, false);
}

bool FormatVibrationMemberText(CTmDoc& doc, LineList& lines, int* widthOut, std::uint16_t channelMask,
                               std::uint8_t unitOption, bool vdvColumn)
{
    return VibrationRows(doc, lines, widthOut, channelMask, unitOption, true, vdvColumn);
}

} // namespace orlu
