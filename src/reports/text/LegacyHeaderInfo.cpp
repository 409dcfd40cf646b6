#include "reports/text/LegacyHeaderInfo.h"

#include "document/headers/CurrentHeader.h"
#include "platform/ValueFormat.h"
#include "reports/common/HeaderItemTable.h"
#include "reports/common/HeaderLevelTexts.h"
#include "reports/common/NameTables.h"
#include "reports/common/ReportCaptionTable.h"
#include "reports/text/TextReportLayout.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

namespace orlu {
namespace {

// Items of LegacyHeaderItemTable written by number.
enum Item : int {
    kHour = 0,
    kDay = 1,
    kInput = 2,
    kFunction = 3,
    kRange = 4,
    kFilter = 5,
    kTimeConstant = 6,
    kCalibration = 7,
    kRmsDetector = 8,
    kLowPass = 11,
    kCoefficientK = 12,
    kChannelInput = 16,
    kAccelerationReference = 18,
    kVelocityReference = 19,
    kDisplacementReference = 20,
    kProbePair = 21,
    kProbeSpacer = 22,
    kBufferResults = 24,
    kBufferTimeStep = 25,
};

// Lines of the column block, in the order they are added.
enum ColumnLine : int {
    kLineTopRule = 0, ///< also the closing rule, as long as the columns
    kLineHeader = 1,
    kLineHeaderRule = 2,
    kLineInput = 3,
    kLineFunction = 4,
    kLineRange = 5,
    kLineFilter = 6,
    kLineTimeConstant = 7,
    kLineCalibration = 8,
    kLineRmsDetector = 9,
    kLineLowPass = 11,
    kLineCoefficientK = 12,
    kColumnLines = 16,
};

constexpr std::uint8_t kKindLegacyReduced = 10;
constexpr std::uint8_t kKindLegacyMultifile = 23;
constexpr int kVectorChannel = 4;
constexpr std::uint16_t kOr06aProbe = 6;           // the stored input kind of the three-axis probe
constexpr std::uint16_t kLowPassWordFrom = 9;      // block length that holds the low-pass word
constexpr std::uint16_t kCoefficientWordFrom = 10; // block length that holds the axis factor
constexpr std::uint16_t kFunctionAcceleration = 8; // " Val"; 9 " Vel" and 10 " Dil1" follow
constexpr std::string_view kModuleName = "MODULE";

const HeaderItem& ItemAt(int k)
{
    return LegacyHeaderItemTable[static_cast<std::size_t>(k)];
}

// The item's text value written with its format (" %-10s ").
std::string Cell(int k, std::string_view value)
{
    return StrPrintf(std::string(ItemAt(k).Format).c_str(), std::string(value).c_str());
}

// " 1.40       ": the axis factor of the vector sum.
std::string CoefficientCell(const CurrentChannel& ch)
{
    return StrPrintf(std::string(ItemAt(kCoefficientK).Format).c_str(), ch.coefficientK / 100.0);
}

std::string ItemLine(int k, std::string_view value)
{
    return std::string(ItemAt(k).Label) + Cell(k, value);
}

std::string RuleLine()
{
    return std::string(ItemAt(kLegacyItemRule).Label) + std::string(ItemAt(kLegacyItemRule).Format);
}

void Add(LineList& lines, int* widest, std::string line)
{
    AddLine(lines, line, widest);
}

// Microphone levels are linear under unit choice 1, every other input's under 0.
bool LinearLevels(const CurrentChannel& ch, std::uint8_t unitOption)
{
    return ch.inputKind == kInputMicrophone ? unitOption == 1 : unitOption == 0;
}

// The function name without its leading blank.
std::string_view FunctionName(std::uint16_t function)
{
    std::string_view name = NameFor(LegacyFunctionNames, function);
    if (!name.empty() && name.front() == ' ')
        name.remove_prefix(1);
    return name;
}

// The top level of the channel's range ("40 dB" of range code 2) as a header level.
std::string RangeText(const CTmDoc& doc, const CurrentChannel& ch, bool linear, bool relative)
{
    const double top = std::atof(std::string(NameFor(LegacyRangeNames, ch.rangeIndex)).c_str());
    return FormatHeaderLevel(HeaderLevelContext{doc.Levels(), ch, 0.0}, top, linear ? 1 : 0, relative);
}

// The three reference levels, each shown as the linear quantity of an
// accelerometer measuring acceleration, velocity and displacement.
void AddReferenceLevels(const CTmDoc& doc, LineList& lines, int* widest)
{
    const LegacyHeader& h = doc.Legacy();
    const std::int16_t references[] = {h.accelerationReference, h.velocityReference, h.displacementReference};
    HeaderLevelContext ctx{doc.Levels(), doc.Channel(), 0.0};
    ctx.channel.inputKind = kInputAccelerometer;
    for (int q = 0; q < 3; ++q) {
        ctx.channel.function = static_cast<std::uint16_t>(kFunctionAcceleration + q);
        Add(lines, widest, ItemLine(kAccelerationReference + q, FormatHeaderLevel(ctx, references[q] / 10.0, 1, false)));
    }
}

// "2 s", "0.125 s": the time step with the decimals the file gives it.
std::string TimeStepText(const LegacyHeader& h)
{
    return StrPrintf("%.*f s", std::min<int>(h.timeStepDecimals, 9), h.timeStep);
}

void AddBufferLines(const LegacyHeader& h, std::uint16_t resultsPerRecord, LineList& lines, int* widest)
{
    Add(lines, widest, ItemLine(kBufferTimeStep, TimeStepText(h)));
    Add(lines, widest, ItemLine(kBufferResults, StrPrintf("%u*%u", h.declaredCount, unsigned{resultsPerRecord})));
}

// The lines of the column block: each is its label and one 12-character cell per column.
class ColumnBlock {
public:
    ColumnBlock() { m_Lines[kLineTopRule] = RuleLine().substr(0, kHeaderLabelWidth); }

    void Put(int line, std::string_view label, std::string_view cell)
    {
        std::string& text = m_Lines[static_cast<std::size_t>(line)];
        if (text.empty())
            text = label;
        text.resize(m_Position, ' ');
        std::string piece(cell.substr(0, kHeaderColumnWidth));
        piece.resize(kHeaderColumnWidth, ' ');
        text += piece;
        m_Used |= static_cast<std::uint16_t>(1u << line);
    }
    void PutItem(int line, int k, std::string_view value) { Put(line, ItemAt(k).Label, Cell(k, value)); }
    /// The top rule, the header cell and the rule under it.
    void PutHeader(std::string_view label, std::string_view cell)
    {
        const std::string dashes(ItemAt(kLegacyItemRule).Format);
        Put(kLineTopRule, ItemAt(kLegacyItemRule).Label, dashes);
        Put(kLineHeader, label, cell);
        Put(kLineHeaderRule, ItemAt(kLegacyItemRule).Label, dashes);
    }
    void NextColumn() { m_Position += kHeaderColumnWidth; }

    void AddUsedLines(LineList& lines, int* widest) const
    {
        for (int k = 0; k < kColumnLines; ++k)
            if (m_Used & (1u << k))
                Add(lines, widest, m_Lines[static_cast<std::size_t>(k)]);
    }
    /// The closing rule: the header rule, grown with the columns that have a header.
    std::string ClosingRule() const
    {
        return m_Used & (1u << kLineTopRule) ? m_Lines[kLineTopRule] : RuleLine();
    }

private:
    std::array<std::string, kColumnLines> m_Lines;
    std::uint16_t m_Used = 0;
    std::size_t m_Position = kHeaderLabelWidth;
};

// The columns of one file.
struct Columns {
    ColumnBlock block;
    bool vectorWritten = false;
};

// The channels with a column: those of the mask in a multi-channel file,
// else the current channel alone (-1: no channel to select).
std::vector<int> ColumnChannels(const LegacyHeader& h, std::uint16_t channelMask)
{
    if (h.channelCount <= 1)
        return {-1};
    std::vector<int> channels;
    const int count = std::min<int>(h.channelCount, kLegacyMaxChannels);
    for (int c = 0; c < count; ++c)
        if (Selected(channelMask, c))
            channels.push_back(c);
    return channels;
}

// Files with channel blocks (prefix variants 1 and 2): the settings of the
// first channel as lines, the column block shows filter and calibration.
void WriteProfileLayout(CTmDoc& doc, std::uint16_t channelMask, bool linear, Columns& out, LineList& lines,
                        int* widest)
{
    const LegacyHeader& h = doc.Legacy();
    const CurrentChannel& first = doc.Channel();
    Add(lines, widest, ItemLine(kFunction, FunctionName(first.function)));
    Add(lines, widest, ItemLine(kRange, RangeText(doc, first, linear, h.prefixVariant == 2)));
    if (h.prefixVariant == 2 && h.hasVibration)
        AddReferenceLevels(doc, lines, widest);
    Add(lines, widest, ItemLine(kTimeConstant, NameFor(TimeConstantNames, first.timeConstant)));
    if (h.inputKind == kOr06aProbe && first.channelBlockLength >= kLowPassWordFrom)
        Add(lines, widest, ItemLine(kLowPass, NameFor(LowPassNames, first.lowPassFilter)));
    const std::vector<int> channels = ColumnChannels(h, channelMask);
    if (h.timeHistory && h.channelCount > 1)
        AddBufferLines(h, h.resultsPerRecord, lines, widest);

    for (const int c : channels) {
        if (c >= 0) {
            doc.SelectLegacyChannel(c);
            out.block.PutHeader(ItemAt(kLegacyItemProfile).Label,
                                StrPrintf(std::string(ItemAt(kLegacyItemChannel).Format).c_str(), c + 1));
            out.vectorWritten = out.vectorWritten || (c == kVectorChannel && h.vector);
        }
        const CurrentChannel& ch = doc.Channel();
        out.block.PutItem(kLineFilter, kFilter, LegacyFilterFor(ch.filter).Name);
        out.block.PutItem(kLineCalibration, kCalibration, FormatTenthsLevel(ch.calibration, linear));
        if (doc.SubKind() == 1)
            out.block.PutItem(kLineRmsDetector, kRmsDetector, NameFor(RmsDetectorNames, ch.rmsDetectorType));
        if (ch.channelBlockLength >= kCoefficientWordFrom && h.vector)
            out.block.Put(kLineCoefficientK, ItemAt(kCoefficientK).Label, CoefficientCell(ch));
        out.block.NextColumn();
    }
}

// Files without channel blocks and probe files (prefix variants 0 and 3):
// one column per channel with every setting of the channel.
void WriteChannelLayout(CTmDoc& doc, std::uint16_t channelMask, std::uint8_t unitOption, Columns& out,
                        LineList& lines, int* widest)
{
    const LegacyHeader& h = doc.Legacy();
    if (h.prefixVariant == 3 && h.hasVibration)
        AddReferenceLevels(doc, lines, widest);
    if (h.prefixVariant == 3 && h.vectorMicrophone) {
        Add(lines, widest, ItemLine(kProbePair, NameFor(ProbePairNames, h.extraWords[0])));
        Add(lines, widest, ItemLine(kProbeSpacer, StrPrintf("%u mm", unsigned{h.extraWords[1]})));
    }
    if (h.timeHistory && h.channelCount > 1)
        AddBufferLines(h, h.resultsPerRecord, lines, widest);

    const bool several = h.channelCount > 1;
    for (const int c : ColumnChannels(h, channelMask)) {
        if (c >= 0) {
            doc.SelectLegacyChannel(c);
            std::string cell;
            if (c < kVectorChannel)
                cell = StrPrintf(std::string(ItemAt(kLegacyItemChannel).Format).c_str(), c + 1);
            else
                cell = ItemAt(h.vector ? kLegacyItemProfile : kLegacyItemSoundIntensity).Format;
            out.block.PutHeader(ItemAt(kLegacyItemChannel).Label, cell);
            out.vectorWritten = out.vectorWritten || (c == kVectorChannel && h.vector);
        }
        const CurrentChannel& ch = doc.Channel();
        const bool vectorColumn = c == kVectorChannel && h.vector;
        const bool linear = LinearLevels(ch, unitOption);
        if (several)
            out.block.PutItem(kLineInput, kChannelInput, NameFor(InputShortNames, ch.inputKind));
        out.block.PutItem(kLineFunction, kFunction,
                          c == kVectorChannel && h.vectorMicrophone ? NameFor(ProbePairNames, h.extraWords[0])
                                                                    : FunctionName(ch.function));
        out.block.PutItem(kLineRange, kRange, RangeText(doc, ch, linear, h.prefixVariant == 3));
        out.block.PutItem(kLineFilter, kFilter, vectorColumn ? kModuleName : LegacyFilterFor(ch.filter).Name);
        out.block.PutItem(kLineTimeConstant, kTimeConstant,
                          several ? NameFor(TimeConstantShortNames, ch.timeConstant)
                                  : NameFor(TimeConstantNames, ch.timeConstant));
        out.block.PutItem(kLineCalibration, kCalibration, FormatTenthsLevel(ch.calibration, linear));
        if (doc.SubKind() == 1)
            out.block.PutItem(kLineRmsDetector, kRmsDetector, NameFor(RmsDetectorNames, ch.rmsDetectorType));
        if (h.channelMode != 0 && h.inputKind == kOr06aProbe && ch.channelBlockLength >= kLowPassWordFrom)
            out.block.PutItem(kLineLowPass, kLowPass, NameFor(LowPassNames, ch.lowPassFilter));
        if (h.channelMode != 0 && ch.channelBlockLength >= kCoefficientWordFrom && h.vector)
            out.block.Put(kLineCoefficientK, ItemAt(kCoefficientK).Label, CoefficientCell(ch));
        out.block.NextColumn();
    }
}

// "      #1  -  RMS   Peak  ": the results channel c logs, by their bits.
std::string BufferContentsLine(const LegacyHeader& h, int c)
{
    std::string line = c == kVectorChannel && h.vector ? std::string("  Vector  -  ") : StrPrintf("      #%d  -  ", c + 1);
    const auto& names = h.formatVersion < kBufferResultNamesNewFromVersion ? BufferResultNamesOld : BufferResultNamesNew;
    const std::uint16_t mask = h.Channel(c).bufferWord;
    if ((mask & 0xFF) == 0)
        return line + "none  ";
    for (std::size_t bit = 0; bit < names.size(); ++bit) {
        if (!(mask & (1u << bit)))
            continue;
        line += names[bit];
        line.append(names[bit].size() == 4 ? 2 : 3, ' ');
    }
    return line;
}

// The report of the decoded file.
void WriteFile(CTmDoc& doc, std::uint16_t channelMask, std::uint8_t unitOption, LineList& lines, int* widest)
{
    const LegacyHeader& h = doc.Legacy();
    const int seconds = 2 * h.time;
    Add(lines, widest, std::string(ItemAt(kHour).Label) + StrPrintf(std::string(ItemAt(kHour).Format).c_str(),
                                                                    seconds / 3600, seconds / 60 % 60, seconds % 60));
    Add(lines, widest, std::string(ItemAt(kDay).Label) + StrPrintf(std::string(ItemAt(kDay).Format).c_str(),
                                                                   (h.date >> 9) & 0x7F, (h.date >> 5) & 0x0F,
                                                                   h.date & 0x1F));
    Add(lines, widest, ItemLine(kInput, NameFor(InputNames, h.inputKind)));
    Add(lines, widest, RuleLine());

    const bool linear = LinearLevels(doc.Channel(), unitOption);
    Columns columns;
    if (h.prefixVariant == 1 || h.prefixVariant == 2)
        WriteProfileLayout(doc, channelMask, linear, columns, lines, widest);
    else
        WriteChannelLayout(doc, channelMask, unitOption, columns, lines, widest);
    columns.block.AddUsedLines(lines, widest);
    if (h.timeHistory && h.channelCount <= 1)
        AddBufferLines(h, 1, lines, widest);

    Add(lines, widest, columns.block.ClosingRule());
    if (columns.vectorWritten)
        Add(lines, widest, "  MODULE^2 = " + doc.Channel().vectorFormula);
    if (h.timeHistory) {
        Add(lines, widest, "  ");
        Add(lines, widest, std::string(ReportCaptionTable[kCaptionBufferContentsIndented]));
        const int count = std::min<int>(h.channelCount, kLegacyMaxChannels);
        for (int c = 0; c < count; ++c)
            Add(lines, widest, BufferContentsLine(h, c));
    }
}

} // namespace

bool FormatLegacyHeaderInfo(CTmDoc& doc, LineList& lines, int* widthOut, std::uint16_t channelMask, bool allFiles,
                            int fileIndex, std::uint8_t unitOption)
{
    if (!doc.IsLegacyDocument())
        return false;
    ClearLineList(&lines);
    int widest = 0;
    const bool merged = doc.FileKind() == kKindLegacyMultifile;
    const int shownChannel = doc.Channel().channel;
    const int first = merged && allFiles ? 1 : fileIndex;
    const int last = merged && allFiles ? doc.SubfileCount() : fileIndex;
    for (int i = first; i <= last; ++i) {
        std::string title(ReportCaptionTable[kCaptionHeaderInfo]);
        if (merged) {
            title = StrPrintf(std::string(ReportCaptionTable[kCaptionHeaderInfoForFile]).c_str(), i,
                              doc.GetSubfileName(i).c_str());
            doc.DecodeLegacyHeader(static_cast<std::uint16_t>(std::max(i, 0)));
        }
        if (doc.FileKind() == kKindLegacyReduced)
            title += ReportCaptionTable[kCaptionFromSourceFile];
        Add(lines, &widest, "");
        Add(lines, &widest, title);
        Add(lines, &widest, RuleLine());
        // A file whose blocks run past the image has no header to show.
        if (!doc.LegacyDecoded())
            continue;
        // The levels' unit and the settings shown as lines follow the first
        // channel of the mask, never a channel another view left selected.
        doc.SelectLegacyChannel(doc.Legacy().channelCount > 1 ? FirstChannel(channelMask) : 0);
        WriteFile(doc, channelMask, unitOption, lines, &widest);
    }
    if (merged && allFiles && first <= last)
        doc.DecodeLegacyHeader(static_cast<std::uint16_t>(std::max(fileIndex, 0)));
    doc.SelectLegacyChannel(shownChannel);
    if (widthOut)
        *widthOut = widest;
    return true;
}

} // namespace orlu
