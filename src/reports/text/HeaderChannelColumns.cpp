#include "reports/text/HeaderChannelColumns.h"

#include "document/headers/CurrentHeader.h"
#include "platform/ValueFormat.h"
#include "reports/common/HeaderValueNames.h"
#include "reports/common/NameTables.h"
#include "reports/common/ReportCaptionTable.h"

#include <cstdlib>
#include <string_view>
#include <vector>

namespace orlu {
namespace {

using Out = HeaderReportWriter;

constexpr std::string_view kNone = "----";
constexpr std::string_view kBlankCell = "            ";
constexpr std::uint16_t kVectorBit = 1u << kPseudoChannel;

const HeaderItem& Legacy(int item)
{
    return LegacyHeaderItemTable[static_cast<std::size_t>(item)];
}

std::string_view Label(int item)
{
    return HeaderItemTable[static_cast<std::size_t>(item)].Label;
}

std::string Cut12(std::string cell)
{
    if (cell.size() > kHeaderColumnWidth)
        cell.resize(kHeaderColumnWidth);
    return cell;
}

bool InMask(std::uint16_t mask, int channel)
{
    return channel >= 0 && channel < 16 && (mask & (1u << channel)) != 0;
}

// The rows of a column block. The first column writes the labels; every
// further column writes its cells into the rows in the same order, each at
// 32 + 12 x column: a wider cell (the 13 characters of " #%-10d ", a long
// level) gives way to the next column and keeps its width only in the last.
class ColumnBlock {
public:
    void BeginColumn()
    {
        m_Row = 0;
        ++m_Columns;
    }
    void Row(std::string_view label, std::string_view cell)
    {
        if (m_Columns == 1)
            m_Lines.emplace_back(label);
        std::string& line = m_Lines[m_Row++];
        line.resize(kHeaderLabelWidth + kHeaderColumnWidth * static_cast<std::size_t>(m_Columns - 1), ' ');
        line += cell;
    }
    /// A row shown once per channel: blank in the channel's further profile columns.
    void Once(bool firstOfChannel, std::string_view label, std::string_view cell)
    {
        Row(label, firstOfChannel ? cell : kBlankCell);
    }
    void Rule() { Row(Legacy(kLegacyItemRule).Label, Legacy(kLegacyItemRule).Format); }

    /// The rows, then the rule across all columns again; the plain rule without columns.
    void WriteTo(Out& out) const
    {
        if (m_Lines.empty()) {
            out.Rule();
            return;
        }
        for (const std::string& line : m_Lines)
            out.Add(line);
        out.Add(m_Lines.front());
    }

private:
    std::vector<std::string> m_Lines;
    std::size_t m_Row = 0;
    int m_Columns = 0;
};

// The measurement range: the number at the start of the range name, as a level of the channel's quantity.
std::string RangeCell(const Out& out, std::uint16_t inputKind)
{
    const CurrentChannel& ch = out.Channel();
    return Out::Cell(
        out.LevelRef(std::atoi(ch.rangeNames.At(ch.rangeNameIndex)), out.UnitFlag(inputKind), true, false, inputKind));
}

// The input of the vector sum: that of the first channel that enters it.
std::uint16_t VectorInput(const CurrentHeader& h)
{
    for (int c = 0; c < h.channelCount && c < kFourChannelMaxChannels; ++c)
        if (h.fourChannel.channels[static_cast<std::size_t>(c)].coefficientOn != 0)
            return h.fourChannel.channels[static_cast<std::size_t>(c)].inputKind;
    return 0;
}

char AxisOf(const ExposureSetup& e, int channel)
{
    if (channel == e.axisX)
        return 'x';
    if (channel == e.axisY)
        return 'y';
    return channel == e.axisZ ? 'z' : '\0';
}

struct FourChannelColumn {
    int channel;
    int profile;
    bool firstOfChannel;
};

void WriteFourChannelColumn(Out& out, ColumnBlock& block, const FourChannelColumn& col, bool profileRow)
{
    const CurrentHeader& h = out.Header();
    const FourChannelSetup& f = h.fourChannel;
    const CurrentChannel& ch = out.Channel();
    const bool vector = col.channel == kPseudoChannel;
    const bool first = col.firstOfChannel;
    const std::uint16_t input = vector ? VectorInput(h) : ch.inputKind;
    const int unit = out.UnitFlag(input);

    block.BeginColumn();
    block.Rule();
    block.Once(first, Legacy(kLegacyItemChannel).Label, StrPrintf(Legacy(kLegacyItemChannel).Format.data(), col.channel + 1));
    if (profileRow)
        block.Row(Label(kItemProfile), vector ? std::string(Legacy(kLegacyItemProfile).Format)
                                              : StrPrintf(Legacy(kLegacyItemProfileNumber).Format.data(), col.profile + 1));
    block.Rule();
    block.Once(first, Label(kItemChannelInput), Out::Cell(NameFor(InputShortNames, input)));
    if (f.doseSettingsPresent) {
        const char axis = AxisOf(f.exposure, col.channel);
        block.Once(first, Label(kItemRelatedAxis), Out::Cell(axis ? std::string_view(&axis, 1) : kNone));
    }
    block.Once(first, Label(kItemMeasurementRange), vector ? Out::Cell(kNone) : RangeCell(out, input));
    if (f.hasMicrophone) {
        const bool microphone = !vector && ch.inputKind == kInputMicrophone;
        block.Once(first, Label(kItemMicFieldCorrection),
                   Out::Cell(microphone ? NameFor(FieldCorrectionNames, ch.micFieldCorrection) : kNone));
        if (h.firmware >= 217)
            block.Once(first, Label(kItemMicOutdoorFilter),
                       Out::Cell(microphone ? NameFor(MicFilterNames, ch.micOutdoorFilter) : kNone));
    }
    block.Once(first, Label(kItemCalibrationFactor),
               Cut12(Out::Cell(vector ? std::string(kNone) : FormatTenthsLevel(ch.calibration, unit != 0))));

    if (!f.waveform) {
        const bool octave11 = h.function == kFunctionOctave11 && f.octaveMask != 0;
        const bool octave13 = h.function == kFunctionOctave13 && f.thirdMask != 0;
        const std::uint16_t bit = static_cast<std::uint16_t>(1u << col.channel);
        if (octave11 || octave13) {
            const bool has = !vector && ((octave11 ? f.octaveMask : f.thirdMask) & bit) != 0;
            block.Once(first, Label(octave11 ? kItemOctave11Filter : kItemOctave13Filter),
                       Out::Cell(has ? NameFor(OctaveFilterNames, ch.octaveFilter) : kNone));
            block.Once(first, Label(octave11 ? kItemOctave11InBuffer : kItemOctave13InBuffer),
                       Out::Cell(has ? (ch.octaveInBuffer != 0 ? "ON" : "OFF") : kNone));
        } else if (h.rt60) {
            const bool thirds = h.function == kFunctionRt60;
            block.Row(Label(thirds ? kItemOctave13Filter : kItemOctave11Filter),
                      Out::Cell(NameFor(OctaveFilterNames, ch.octaveFilter)));
            block.Row(Label(thirds ? kItemOctave13InBuffer : kItemOctave11InBuffer),
                      Out::Cell(ch.octaveInBuffer != 0 ? "ON" : "OFF"));
        } else if (h.function == kFunctionFft && f.fftMask != 0) {
            const bool has = !vector && (f.fftMask & bit) != 0;
            block.Once(first, Label(kItemFrequencyBand), Out::Cell(has ? ch.fftBandNames.At(ch.fftZoomCode) : kNone));
            block.Once(first, Label(kItemFftWindow), Out::Cell(has ? NameFor(FftWindowNames, ch.fftWindow) : kNone));
            block.Once(first, Label(kItemSpectrumLines),
                       Out::Cell(has ? StrPrintf("%d+%d", ch.bandEnd, ch.fftMode == 2 ? 1 : 0) : std::string(kNone)));
            // The instruments' averaging word is not read by the header decoder.
            block.Once(first, Label(kItemSpectraAveraging), Out::Cell(has ? kUndefinedName : kNone));
        }
    }
    if (!h.rt60 && !f.waveform) {
        block.Row(Label(kItemWeightingFilter), Out::Cell(vector ? std::string_view("MODULE") : ch.filterNames.At(ch.filter)));
        block.Row(Label(kItemDetectorType),
                  Out::Cell(vector ? std::string_view(kNone) : ch.detectorNames.At(ch.detectorIndex + 1L)));
        block.Row(Label(kItemBufferContents), StrPrintf(" %04Xh      ", vector ? f.vectorInBuffer : ch.loggerWord));
        if (f.vector) {
            const double k = ch.coefficientKOn != 0 ? ch.coefficientK / 100.0 : 0.0;
            block.Row(Legacy(kLegacyItemCoefficientK).Label,
                      vector ? Out::Cell(kNone) : StrPrintf(Legacy(kLegacyItemCoefficientK).Format.data(), k));
        }
    }
}

} // namespace

bool IsProfileColumn(Out& out, int channel, int profile, int profiles, bool rt60Rule)
{
    if (profiles == 1)
        return true;
    if (channel == kPseudoChannel)
        return profile == 0 && out.Header().fourChannel.vector;
    out.Doc().SelectProfileWeighting(channel, profile);
    if ((out.Channel().detectorWord & 1) == 0)
        return false;
    return !(rt60Rule && out.Header().rt60 && profile != 0);
}

ChannelRange WriteFourChannelColumns(Out& out, std::uint16_t channelMask, std::uint16_t* selectableMask)
{
    const CurrentHeader& h = out.Header();
    const FourChannelSetup& f = h.fourChannel;
    ChannelRange range;
    range.end = std::min<int>(h.channelCount, kFourChannelMaxChannels);
    range.vector = f.vector;
    if (f.vector && selectableMask)
        *selectableMask |= kVectorBit;
    range.profiles = h.firmware >= 217 && !f.waveform ? kFourChannelMaxProfiles : 1;
    const bool profileRow = !h.rt60 && !f.waveform && h.firmware >= 217;

    std::vector<int> channels;
    for (int c = 0; c < range.end; ++c)
        channels.push_back(c);
    if (range.vector)
        channels.push_back(kPseudoChannel);

    ColumnBlock block;
    bool footnote = false;
    for (const int c : channels) {
        if (!InMask(channelMask, c))
            continue;
        out.Doc().SelectChannelProfile(c, 0);
        bool firstOfChannel = true;
        for (int p = 0; p < range.profiles; ++p) {
            if (!IsProfileColumn(out, c, p, range.profiles, true))
                continue;
            WriteFourChannelColumn(out, block, {c, p, firstOfChannel}, profileRow);
            firstOfChannel = false;
            footnote = footnote || c == kPseudoChannel;
        }
    }
    block.WriteTo(out);
    if (footnote)
        out.Add("  " + StrPrintf(ReportCaptionTable[kCaptionModuleFormula].data(), f.vectorFormula.c_str()));
    return range;
}

ChannelRange WriteOtherModelColumns(Out& out, std::uint16_t channelMask, int firstChannel)
{
    const CurrentHeader& h = out.Header();
    const bool several = h.channelCount >= 2;
    std::vector<int> channels;
    if (several) {
        for (int c = 0; c < h.channelCount; ++c)
            if (InMask(channelMask, c))
                channels.push_back(c);
    } else {
        channels.push_back(firstChannel);
    }

    ColumnBlock block;
    for (const int c : channels) {
        if (several)
            out.Doc().SelectChannelProfile(c, 0);
        const CurrentChannel& ch = out.Channel();
        block.BeginColumn();
        if (several) {
            block.Rule();
            block.Row(Label(kItemProfile), StrPrintf(Legacy(kLegacyItemChannel).Format.data(), c + 1));
            block.Rule();
        }
        // Firmware up to 2.00 numbers the weightings from 0, the name list from "UNDF".
        const long filter = ch.filter + (h.firmware <= 200 ? 1L : 0L);
        block.Row(Label(kItemWeightingFilter), Out::Cell(ch.filterNames.At(filter)));
        block.Row(Label(kItemDetectorType), Out::Cell(ch.detectorNames.At(ch.detectorIndex + 1L)));
        if (h.model.LaterModel)
            block.Row(Label(kItemLoggerContents), StrPrintf(" %04Xh      ", ch.loggerWord));
        else
            block.Row(Label(kItemBufferContents), Out::Cell(h.bufferResultNames.At(ch.loggerWord + 1L)));
        block.Row(Label(kItemCalibrationFactor), Cut12(Out::Cell(FormatTenthsLevel(ch.calibration, out.UnitFlag() != 0))));
    }
    block.WriteTo(out);
    ChannelRange range;
    range.end = several ? h.channelCount : firstChannel + 1;
    return range;
}

} // namespace orlu
