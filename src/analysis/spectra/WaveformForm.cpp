#include "analysis/spectra/WaveformForm.h"

#include "analysis/spectra/WaveformBlock.h"
#include "platform/ValueFormat.h"
#include "document/MissingValue.h"
#include "reports/table/ColumnTableWriter.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/SampleCrossTable.h"
#include "reports/table/TableWriter.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr unsigned kRuleLength = 70;
constexpr std::uint16_t kMicrophone = 2;
constexpr std::uint16_t kCharge = 4;
constexpr std::uint16_t kAccelerometer = 5;

constexpr const char* kHeadings[3] = {
    " Samp.No.    A[V]         Samp.No.    A[V]         Samp.No.    A[V]   ",
    " Samp.No.    A[Pa]        Samp.No.    A[Pa]        Samp.No.    A[Pa]  ",
    " Samp.No.   A[m/s\xB2]       Samp.No.   A[m/s\xB2]       Samp.No.   A[m/s\xB2] ",
};

// The unit a channel's samples are shown in (0 V, 1 Pa, 2 m/s2) and the factor from counts.
struct SampleUnit {
    int unit = 0;
    double factor = 1.0;
};

SampleUnit UnitOf(const CurrentChannel& ch, std::uint8_t unitOption)
{
    const bool microphone = ch.inputKind == kMicrophone;
    SampleUnit u{0, ch.sampleScale};
    if (microphone != (unitOption == 0)) {
        if (microphone)
            u = {1, ch.sampleScale * 20.0};
        else if (ch.inputKind == kCharge || ch.inputKind == kAccelerometer)
            u = {2, ch.sampleScale * 100.0};
    }
    return u;
}

// The view's own channel is selected again whatever channels a form showed.
struct ChannelKeeper {
    CTmDoc& doc;
    int channel;
    ~ChannelKeeper() { doc.Select505Channel(channel); }
};

std::string Cell(std::size_t number, double value)
{
    // The platform prints three exponent digits: the first goes.
    std::string cell = StrPrintf("%6u%14.2e", static_cast<unsigned>(number), value);
    cell.erase(17, 1);
    return cell;
}

struct Shown {
    int record;
    int channel;
};

std::vector<Shown> BlocksOf(const CTmDoc& doc, const WaveformChoice& c, const WaveformBlock& w)
{
    std::vector<Shown> blocks;
    if (w.interleaved && c.channelMask != 0) {
        for (int ch = 0; ch < 4; ++ch)
            if (c.channelMask & (1u << ch))
                blocks.push_back({1, ch});
    } else if (c.allRecords) {
        const Setup505& s = doc.Analyzer();
        const int records = static_cast<int>(s.timeHistory ? s.recordCount : static_cast<std::uint32_t>(std::max(s.spectraCount, 0)));
        for (int r = 1; r <= records; ++r)
            blocks.push_back({r, c.channel});
    } else {
        blocks.push_back({c.record, w.interleaved ? c.channel : 0});
    }
    return blocks;
}

std::string Caption(const CTmDoc& doc, const WaveformChoice& c, const WaveformBlock& w, const Shown& b)
{
    std::string caption = c.block ? "Block of the " : "";
    const Setup505& s = doc.Analyzer();
    if (w.interleaved)
        return caption + StrPrintf("Time waveform:  Channel #%d", b.channel + 1);
    if (s.timeHistory && s.recordCount > 1)
        caption += StrPrintf("Time waveform  No.%u:", static_cast<unsigned>(b.record));
    else
        caption += "Time waveform:";
    if (w.complexSamples)
        caption += " (real part)";
    return caption;
}

// The samples of the range, scaled; none when the block cannot be read.
std::optional<std::vector<double>> Scaled(CTmDoc& doc, const WaveformBlock& w, const Shown& b, const SampleUnit& u)
{
    const ImageReader image = doc.Reader();
    const std::optional<std::uint64_t> at = w.At(doc.Analyzer(), image, b.record);
    if (!at)
        return std::nullopt;
    const std::vector<std::int16_t> samples = w.Samples(image, *at, b.channel);
    std::vector<double> values(samples.size());
    std::transform(samples.begin(), samples.end(), values.begin(), [&](std::int16_t v) { return v * u.factor; });
    return values;
}

struct Range {
    std::size_t first = 0;
    std::size_t count = 0;
};

Range RangeOf(const WaveformChoice& c, std::size_t n)
{
    if (!c.block)
        return {0, n};
    const std::size_t first = std::min<std::size_t>(c.blockFirst, n);
    const std::size_t last = std::min<std::size_t>(c.blockLast, n == 0 ? 0 : n - 1);
    return {first, last >= first && first < n ? last - first + 1 : 0};
}

bool HoldsWaveforms(const CTmDoc& doc)
{
    return doc.AnalyzerDecoded() && doc.Analyzer().function == kFunction505Time;
}

} // namespace

int FormatWaveformText(LineList& lines, int* widest, CTmDoc& doc, const WaveformChoice& choice)
{
    ClearLineList(&lines);
    if (!HoldsWaveforms(doc))
        return 0;
    const WaveformBlock w = WaveformBlock::Of(doc.Analyzer());
    const ChannelKeeper keeper{doc, choice.channel};
    int wide = widest ? *widest : 0;
    auto add = [&](std::string line) { AddLine(lines, line, &wide); };
    const std::string rule(kRuleLength, '-');
    bool any = false;
    for (const Shown& b : BlocksOf(doc, choice, w)) {
        doc.Select505Channel(b.channel);
        const SampleUnit u = UnitOf(doc.Channel(), choice.unitOption);
        const std::optional<std::vector<double>> values = Scaled(doc, w, b, u);
        if (!values)
            continue;
        any = true;
        add("");
        add(Caption(doc, choice, w, b));
        add(rule);
        add(kHeadings[u.unit]);
        add(rule);
        const Range range = RangeOf(choice, values->size());
        const std::size_t rows = (range.count + 2) / 3;
        for (std::size_t r = 0; r < rows; ++r) {
            std::string row;
            for (std::size_t k = 0; k < 3; ++k) {
                const std::size_t i = k * rows + r;
                if (i >= range.count)
                    break;
                if (k > 0)
                    row += "      ";
                row += Cell(range.first + i + 1, (*values)[range.first + i]);
            }
            add(row);
        }
        add(rule);
    }
    if (widest)
        *widest = wide;
    return any ? 1 : 0;
}

namespace {

constexpr const char* kBracketedUnits[3] = {"[V]       ", "[Pa]      ", "[m/s\xB2]    "};

// Several waveforms (every record, or the mask's channels) as the columns of one sample
// cross table; a block that cannot be read keeps its column empty.
int WaveformCrossTable(LineList& lines, int* widest, CTmDoc& doc, const WaveformChoice& choice,
                       const TableOutputOptions& options, const WaveformBlock& w)
{
    const std::vector<Shown> blocks = BlocksOf(doc, choice, w);
    const Range range = RangeOf(choice, w.n);
    MultiSpectrumMatrix matrix(range.count);
    int unit = -1;
    std::vector<double> column(range.count);
    for (const Shown& b : blocks) {
        doc.Select505Channel(b.channel);
        const SampleUnit u = UnitOf(doc.Channel(), choice.unitOption);
        unit = unit < 0 ? u.unit : unit;
        const std::optional<std::vector<double>> values = Scaled(doc, w, b, u);
        std::fill(column.begin(), column.end(), kMissingValue);
        if (values && values->size() >= range.first + range.count)
            std::copy_n(values->begin() + static_cast<std::ptrdiff_t>(range.first), range.count, column.begin());
        if (!matrix.AppendColumn(column))
            return 0;
    }
    std::vector<double> x(range.count);
    for (std::size_t i = 0; i < range.count; ++i)
        x[i] = static_cast<double>(range.first + i + 1);
    const bool channels = w.interleaved && choice.channelMask != 0;
    CrossTableSource source;
    source.ChannelMode = w.interleaved;
    source.Ui = doc.App().Ui;
    SampleCrossTable table;
    table.CaptionKind = 1;
    table.UnitText = kBracketedUnits[std::max(unit, 0)];
    table.Channel = static_cast<std::uint16_t>(choice.channel);
    table.ChannelMask = channels ? static_cast<std::uint16_t>(choice.channelMask & 0xF) : 0;
    table.SampleNumbers = x;
    table.ValueFormat = "%-10.2e";
    table.BlockMode = choice.block ? 2 : 0;
    return WriteSampleCrossTable(lines, widest, source, table, options, matrix);
}

} // namespace

int FormatWaveformTable(LineList& lines, int* widest, CTmDoc& doc, const WaveformChoice& choice,
                        const TableOutputOptions& options)
{
    if (!HoldsWaveforms(doc))
        return 0;
    const WaveformBlock w = WaveformBlock::Of(doc.Analyzer());
    const ChannelKeeper keeper{doc, choice.channel};
    if (choice.allRecords || (w.interleaved && choice.channelMask != 0))
        return WaveformCrossTable(lines, widest, doc, choice, options, w);
    const Shown b{choice.record, w.interleaved ? choice.channel : 0};
    doc.Select505Channel(b.channel);
    const SampleUnit u = UnitOf(doc.Channel(), choice.unitOption);
    const std::optional<std::vector<double>> values = Scaled(doc, w, b, u);
    if (!values)
        return 0;
    const Range range = RangeOf(choice, values->size());
    std::string caption = Caption(doc, choice, w, b);
    std::replace(caption.begin(), caption.end(), ' ', '_');
    std::vector<double> x(range.count);
    for (std::size_t i = 0; i < range.count; ++i)
        x[i] = static_cast<double>(range.first + i + 1);
    ColumnTableSource source;
    source.InputKind = doc.Channel().inputKind;
    const ColumnTableFormat format{.Pairs = 3,
                                   .Caption = caption,
                                   .HeaderWords = kHeadings[u.unit],
                                   .RowFormat = "%-10.0f%-10.2e",
                                   .NameFormat = nullptr};
    int wide = widest ? *widest : 0;
    WriteColumnTable(lines, &wide, source, x, std::span(*values).subspan(range.first, range.count), 0, options, format);
    if (widest)
        *widest = wide;
    return 1;
}

std::optional<WaveformPoints> GetWaveformPoints(const CTmDoc& doc, int record, int channel)
{
    if (!HoldsWaveforms(doc))
        return std::nullopt;
    const WaveformBlock w = WaveformBlock::Of(doc.Analyzer());
    const ImageReader image = doc.Reader();
    const std::optional<std::uint64_t> at = w.At(doc.Analyzer(), image, record);
    if (!at)
        return std::nullopt;
    const std::vector<std::int16_t> samples = w.Samples(image, *at, w.interleaved ? channel : 0);
    WaveformPoints p;
    p.x.resize(samples.size());
    p.y.resize(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        p.x[i] = static_cast<std::int32_t>(i + 1);
        p.y[i] = samples[i] / 32768.0; // full scale is 1
    }
    return p;
}

} // namespace orlu
