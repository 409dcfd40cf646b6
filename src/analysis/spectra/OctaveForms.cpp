#include "analysis/spectra/OctaveForms.h"

#include "analysis/spectra/BandUnits.h"
#include "analysis/spectra/OctaveColumns.h"
#include "document/MissingValue.h"
#include "document/tables/BandTables.h"
#include "document/texts/NumberTexts.h"
#include "platform/ValueFormat.h"
#include "reports/common/NameTables.h"
#include "reports/common/SubfileSelectionKeeper.h"
#include "reports/table/ColumnTableWriter.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/SpectraCrossTable.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orlu {
namespace {

constexpr std::size_t kRuleLength = 68;
constexpr std::string_view kCellGap = "       ";
constexpr std::string_view kNoTemporaryFile = "Could not create temporary file.";
constexpr int kBandKindOctave = 3, kBandKindThirdOctave = 4;

// What the forms need of the current channel's spectra.
struct SpectrumLayout {
    std::size_t bands = 0;       ///< bands the conversion reads
    std::size_t bandRows = 0;    ///< elements below this are printed as bands
    std::size_t trailing = 0;    ///< values after the bands
    bool cutTrailing = false;    ///< an accelerometer shows only the first trailing value
    std::span<const double> centres;
    BandChannel channel;
    int quantity = kBandDb;
    std::uint16_t unitIndex = 0;

    bool Linear() const { return quantity != kBandDb; }
};

SpectrumLayout LayoutOf(const CTmDoc& doc, std::size_t count, std::uint8_t units)
{
    const CurrentChannel& ch = doc.Channel();
    const LevelContext levels = doc.Levels();
    SpectrumLayout s;
    s.bands = std::min<std::size_t>(ch.bandCount, count);
    s.trailing = count - s.bands;
    // The ORLU 515 keeps three totals after its bands whatever its extras word says.
    s.bandRows = doc.Header().model.Family515 ? (count >= 3 ? count - 3 : 0) : s.bands;
    s.cutTrailing = ch.inputKind == kInputAccelerometer && s.trailing >= 2;
    const std::span<const double> table = ThirdOctaveCentres();
    if (ch.bandTableIndex >= 0 && static_cast<std::size_t>(ch.bandTableIndex) < table.size())
        s.centres = table.subspan(static_cast<std::size_t>(ch.bandTableIndex));
    else
        s.centres = ThirdOctaveCentrePtr(static_cast<std::uint16_t>(s.bands));
    s.channel = BandChannel{ch.inputKind, GetChannelOffset(levels, ch), levels.nonMetric};
    s.quantity = doc.GetDisplayQuantity(units);
    s.unitIndex = GetUnitIndex(s.quantity, ch.inputKind, levels.nonMetric);
    return s;
}

// The values a form shows: count lowered by the accelerometer cut.
std::size_t ShownCount(const SpectrumLayout& s, std::size_t count)
{
    return s.cutTrailing ? s.bands + 1 : count;
}

// Converts in place; an accelerometer's further trailing values stay in dB.
void Convert(BandSpectrum& spectrum, const SpectrumLayout& s)
{
    ConvertBandLevels(spectrum.Values().first(ShownCount(s, spectrum.count)), s.bands, s.centres, s.quantity,
                      s.channel);
}

// The rows shown, [start, end) of the spectrum's elements; nothing for a block that
// misses the spectrum.
struct ShownRows {
    std::size_t start = 0;
    std::size_t end = 0;
};

ShownRows RowsOf(const OctaveChoices& choices, std::size_t shown)
{
    if (!choices.block)
        return {0, shown};
    const long long lower = std::max(choices.markers.lower, 0);
    const long long upper = std::min<long long>(choices.markers.upper, static_cast<long long>(shown) - 1);
    if (upper < lower)
        return {};
    return {static_cast<std::size_t>(lower), static_cast<std::size_t>(upper) + 1};
}

// What a text form prints of one converted spectrum: rows below bandRows are bands at
// their centres, the rows after them named from the total names.
struct TextSpectrum {
    const BandSpectrum& values;
    std::size_t bandRows;
    std::span<const double> centres; ///< the centre of each band row
    const NameTable& names;
    bool linear;
    std::uint16_t unitIndex;
};

std::string Cell(const TextSpectrum& t, std::size_t i)
{
    std::string cell;
    if (i < t.bandRows) {
        const double f = i < t.centres.size() ? t.centres[i] : 0.0;
        cell = t.linear ? StrPrintf("%7.1f%11.2e", f, t.values.values[i])
                        : StrPrintf("%7.1f%10.1f", f, t.values.values[i]);
    } else {
        const char* name = t.names.At(static_cast<long>(i - t.bandRows));
        cell = t.linear ? StrPrintf("%7s%11.2e", name, t.values.values[i])
                        : StrPrintf("%7s%10.1f", name, t.values.values[i]);
    }
    if (t.linear)
        DropExponentDigit(cell);
    return cell;
}

void Add(LineList& lines, std::string line, int& widest)
{
    AddLine(lines, line, &widest);
}

std::string BlockTotalLine(double total, bool linear, std::uint16_t unitIndex)
{
    if (total == kMissingValue)
        return "Block RMS = ---- " + std::string(OctaveUnitName(unitIndex));
    std::string line = linear ? StrPrintf("Block RMS = %.2e ", total) : StrPrintf("Block RMS = %.1f ", total);
    if (linear)
        DropExponentDigit(line);
    return line + std::string(OctaveUnitName(unitIndex));
}

// The lines of one spectrum: an empty line, the title, the block total, the header between
// rules, then the rows three cells wide, filled column by column.
void WriteText(LineList& lines, int& widest, const std::string& title, std::optional<double> blockTotal,
               const TextSpectrum& t, ShownRows rows)
{
    Add(lines, "", widest);
    Add(lines, (blockTotal ? "Block of the " : "") + title, widest);
    if (blockTotal)
        Add(lines, BlockTotalLine(*blockTotal, t.linear, t.unitIndex), widest);
    const std::string rule(kRuleLength, '-');
    Add(lines, rule, widest);
    Add(lines, std::string(OctaveColumnHeader(t.unitIndex)), widest);
    Add(lines, rule, widest);
    const std::size_t count = rows.end - rows.start;
    const std::size_t perColumn = (count + 2) / 3;
    for (std::size_t m = 0; m < perColumn; ++m) {
        std::string line;
        for (std::size_t k = 0; k < 3; ++k) {
            const std::size_t i = k * perColumn + m + rows.start;
            if (i >= rows.end)
                break;
            if (k > 0)
                line += kCellGap;
            line += Cell(t, i);
        }
        Add(lines, std::move(line), widest);
    }
    Add(lines, rule, widest);
}

// Whether the document's spectra are read by these forms: current-family files, alone,
// logged or merged, and the channels of ORLU 545 and 590 files.
bool Readable(const CTmDoc& doc)
{
    return FindFileKind(doc.FileKind()).Family == KindFamily::Current && doc.HeaderDecoded();
}

bool IsFourChannel(const CTmDoc& doc)
{
    return doc.Header().model.FourChannel;
}

// Where each channel of an ORLU 545 or 590 file lies on the band axis the channels
// share: every spectrum ends at the top band (the 45th third octave, the 15th octave),
// so a channel of fewer bands starts later.
struct ChannelBands {
    std::array<int, 16> first{}; ///< position of the channel's first band on the axis
    std::array<std::uint16_t, 16> inputKind{};
    int lowest = 100;           ///< the lowest first band
    int lowestChannel = -1;
    int top = -1;               ///< the highest last band
};
constexpr int kThirdOctaveAxis = 45, kOctaveAxis = 15;

ChannelBands ChannelBandsOf(CTmDoc& doc, std::uint16_t mask, int octave)
{
    ChannelBands b;
    const int channels = std::min<int>(doc.Header().channelCount, 16);
    for (int c = 0; c < channels; ++c) {
        if (!(mask & (1u << c)))
            continue;
        doc.SelectChannelProfile(c, 0);
        const CurrentChannel& ch = doc.Channel();
        const int bands = octave == kOctaves ? ch.octaveBandCount : ch.bandCount;
        const auto at = static_cast<std::size_t>(c);
        b.first[at] = (octave == kOctaves ? kOctaveAxis : kThirdOctaveAxis) - bands;
        b.inputKind[at] = ch.inputKind;
        if (b.first[at] < b.lowest) {
            b.lowest = b.first[at];
            b.lowestChannel = c;
        }
        b.top = std::max(b.top, b.first[at] + bands - 1);
    }
    return b;
}

// The view's choices for one channel: markers on the shared axis moved onto the
// channel's own bands; nothing when the block ends before the channel's first band.
std::optional<OctaveChoices> ChoicesOfChannel(CTmDoc& doc, const SpectrumRef& ref, const OctaveChoices& choices,
                                              int octave)
{
    if (ref.channel < 0 || !choices.block)
        return choices;
    const int offset = ChannelBandOffset(doc, ref.channel, choices.request.channelMask, octave);
    OctaveChoices shifted = choices;
    shifted.markers.upper -= offset;
    if (shifted.markers.upper < 0)
        return std::nullopt;
    shifted.markers.lower = std::max(shifted.markers.lower - offset, 0);
    return shifted;
}

void TextOne(CTmDoc& doc, LineList& lines, int& widest, const SpectrumRef& ref, const OctaveChoices& viewChoices)
{
    const std::optional<OctaveChoices> channelChoices = ChoicesOfChannel(doc, ref, viewChoices, kThirdOctaves);
    if (!channelChoices)
        return;
    const OctaveChoices& choices = *channelChoices;
    std::optional<BandSpectrum> spectrum = ReadSpectrum(doc, ref, kThirdOctaves);
    if (!spectrum)
        return;
    const SpectrumLayout s = LayoutOf(doc, spectrum->count, choices.units);
    const std::size_t shown = ShownCount(s, spectrum->count);
    const ShownRows rows = RowsOf(choices, shown);
    double total = kMissingValue;
    if (choices.block)
        total = BlockTotal(spectrum->Values(), s.bands, s.centres, choices.markers, 0, s.quantity, s.channel);
    Convert(*spectrum, s);

    const int record = HasSpectrumLogger(doc) ? ref.number : 0;
    const TextSpectrum t{*spectrum, s.bandRows, s.centres, doc.Channel().totalNames, s.Linear(), s.unitIndex};
    WriteText(lines, widest, OctaveTitle(doc, kThirdOctaves, ref.channel, ref.detector, record, ref.fileIndex),
              choices.block ? std::optional<double>(total) : std::nullopt, t, rows);
}

std::vector<std::string> TotalNameList(const CTmDoc& doc)
{
    const NameTable& names = doc.Channel().totalNames;
    std::vector<std::string> list;
    for (std::uint8_t i = 0; i < names.Count; ++i)
        list.emplace_back(names.At(i));
    return list;
}

// A converted spectrum as the table forms show it.
struct TableSpectrum {
    BandSpectrum values;
    std::size_t shown = 0;        ///< values shown without a block
    std::size_t bandRows = 0;     ///< values below this are bands
    std::vector<double> centres;  ///< of the band rows
    std::uint16_t named = 0;      ///< rows named from the totals
    std::uint16_t unitIndex = 0;
    bool linear = false;
    double blockTotal = kMissingValue; ///< of the marked bands, when the choices mark a block
};
using TableReader = std::function<std::optional<TableSpectrum>(const SpectrumRef&, const OctaveChoices&)>;

std::vector<double> FrequencyColumn(const TableSpectrum& t, ShownRows rows)
{
    std::vector<double> x(rows.end - rows.start, 0.0);
    for (std::size_t i = rows.start; i < rows.end; ++i)
        x[i - rows.start] = i < t.bandRows && i < t.centres.size() ? t.centres[i] : 0.0;
    return x;
}

bool TableOne(CTmDoc& doc, LineList& lines, int& widest, const SpectrumRef& ref, int octave, const TableReader& read,
              const OctaveChoices& choices, const TableOutputOptions& options)
{
    const std::optional<TableSpectrum> t = read(ref, choices);
    if (!t)
        return false;
    const ShownRows rows = RowsOf(choices, t->shown);
    const int record = HasSpectrumLogger(doc) ? ref.number : 0;
    std::string caption =
        (choices.block ? "Block of the " : "") + OctaveTitle(doc, octave, -1, ref.detector, record, ref.fileIndex);
    SpacesToUnderscores(caption);
    const std::vector<double> x = FrequencyColumn(*t, rows);
    const std::span<const double> y = t->values.Values().subspan(rows.start, rows.end - rows.start);

    const std::vector<std::string> totals = TotalNameList(doc);
    const CurrentHeader& h = doc.Header();
    ColumnTableSource source;
    source.BandKind = octave == kOctaves ? kBandKindOctave : kBandKindThirdOctave;
    source.Family515Text = h.model.Family515Text;
    source.Family515 = h.model.Family515;
    source.Family525 = h.model.Family525;
    source.Family535 = h.model.Family535;
    source.FirmwareVersion = h.firmware;
    source.InputKind = doc.Channel().inputKind;
    source.TotalNameList = totals;
    source.Ui = doc.App().Ui;
    const std::string header(OctaveColumnHeader(t->unitIndex));
    const ColumnTableFormat format{.Pairs = 3,
                                   .Caption = caption,
                                   .HeaderWords = header,
                                   .RowFormat = t->linear ? "%-10.1f%-10.2e" : "%-10.1f%-10.1f",
                                   .NameFormat = t->linear ? "%-10s%-10.2e" : "%-10s%-10.1f"};
    WriteColumnTable(lines, &widest, source, x, y, choices.block ? 0 : t->named, options, format);
    return true;
}

// Every spectrum of the list as a column of a cross table, staged in a scratch file.
bool TableMany(CTmDoc& doc, LineList& lines, int& widest, const std::vector<SpectrumRef>& list, int octave,
               const TableReader& read, const OctaveChoices& choices, const TableOutputOptions& options)
{
    // The first readable spectrum sets the rows and the title.
    std::optional<TableSpectrum> first;
    std::size_t at = 0;
    for (; at < list.size() && !first; ++at)
        first = read(list[at], choices);
    if (!first)
        return false;
    const SpectrumRef& firstRef = list[at - 1];
    const ShownRows rows = RowsOf(choices, first->shown);
    const std::size_t lineCount = rows.end - rows.start;
    const std::vector<std::string> totals = TotalNameList(doc);
    const int record = HasSpectrumLogger(doc) ? firstRef.number : 0;
    const std::string title = OctaveTitle(doc, octave, -1, firstRef.detector, record, firstRef.fileIndex);
    const std::vector<double> frequencies = FrequencyColumn(*first, rows);
    const CurrentHeader& h0 = doc.Header();
    const bool logger = HasSpectrumLogger(doc);
    const bool merged = IsCurrentMultifileKind(doc.FileKind());
    const bool namedFamily = h0.model.Family515Text || h0.model.Family515 || h0.model.Family525 ||
                             h0.model.Family530 || h0.model.Family535;

    std::optional<MultiSpectrumMatrix> matrix = MultiSpectrumMatrix::InScratchFile(lineCount);
    auto refuse = [&] {
        if (doc.App().Ui)
            doc.App().Ui->ShowMessage(kNoTemporaryFile, "", MessageButtons::Ok);
        return true;
    };
    if (!matrix)
        return refuse();
    std::vector<std::string> labels;
    std::vector<std::uint16_t> dates, times;
    std::vector<double> column(lineCount, kMissingValue);
    for (std::size_t k = at - 1; k < list.size(); ++k) {
        const std::optional<TableSpectrum> spectrum = k + 1 == at ? first : read(list[k], choices);
        // A spectrum that cannot be read keeps its column, empty.
        std::fill(column.begin(), column.end(), kMissingValue);
        if (spectrum)
            for (std::size_t i = rows.start; i < rows.end && i < spectrum->shown; ++i)
                column[i - rows.start] = spectrum->values.values[i];
        if (!matrix->AppendColumn(column))
            return refuse();
        labels.emplace_back(list[k].detector == kDetectorMin   ? "MIN"
                            : list[k].detector == kDetectorMax ? "MAX"
                                                               : "RMS");
        if (merged) {
            dates.push_back(doc.Header().date);
            times.push_back(doc.Header().time);
        }
    }

    std::vector<std::string> subfileNames;
    std::vector<std::uint16_t> contents;
    for (int n = 1; n <= doc.SubfileCount(); ++n) {
        subfileNames.push_back(doc.GetSubfileName(n));
        contents.push_back(doc.GetSubfileContents().BitsOf(n));
    }
    CrossTableSource source;
    source.NamedCurrentFamily = namedFamily;
    source.Merged = merged;
    source.TimeHistory = logger;
    source.SubfileNames = subfileNames;
    source.SubfileContents = contents;
    source.TotalNameList = totals;
    source.Ui = doc.App().Ui;
    SpectraCrossTable table;
    table.Kind = octave == kOctaves ? kBandKindOctave : kBandKindThirdOctave;
    table.UnitText = OctaveBracketedUnit(first->unitIndex);
    table.Frequencies = frequencies;
    table.TailCount = choices.block ? 0 : first->named;
    table.ValueFormat = first->linear ? "%-10.2e" : "%-10.1f";
    table.BlockMode = choices.block ? 2 : 0;
    table.FileIndex = static_cast<std::uint16_t>(std::max(choices.request.fileIndex, 0));
    if (!logger && !merged)
        table.ColumnNames = labels;
    table.Dates = dates;
    table.Times = times;
    table.CaptionOverride = title;
    WriteSpectraCrossTable2(lines, &widest, source, table, options, *matrix);
    return true;
}

// The chosen channels of an ORLU 545 or 590 file as the columns of a cross table on the
// band axis they share: only channels of the first one's input kind take part; a channel
// starting above the lowest first band has empty cells before its bands. In a marked
// block the rows are the block's bands and the block total of each channel.
bool TableChannels(CTmDoc& doc, LineList& lines, int& widest, const std::vector<SpectrumRef>& list, int octave,
                   const TableReader& read, const OctaveChoices& choices, const TableOutputOptions& options)
{
    std::uint16_t listed = 0;
    for (const SpectrumRef& ref : list)
        listed = static_cast<std::uint16_t>(listed | (1u << ref.channel));
    const ChannelBands all = ChannelBandsOf(doc, listed, octave);
    if (all.lowestChannel < 0)
        return false;
    const std::uint16_t kind = all.inputKind[static_cast<std::size_t>(list.front().channel)];
    std::uint16_t used = 0;
    for (const SpectrumRef& ref : list)
        if (all.inputKind[static_cast<std::size_t>(ref.channel)] == kind)
            used = static_cast<std::uint16_t>(used | (1u << ref.channel));
    const ChannelBands b = ChannelBandsOf(doc, used, octave);

    // Every column read first: the lowest channel names the rows and the unit.
    struct Column {
        SpectrumRef ref;
        std::optional<TableSpectrum> spectrum;
        int leadIn = 0;
    };
    std::vector<Column> columns;
    for (const SpectrumRef& ref : list) {
        if (!(used & (1u << ref.channel)))
            continue;
        Column column{ref, std::nullopt, b.first[static_cast<std::size_t>(ref.channel)] - b.lowest};
        if (const std::optional<OctaveChoices> c = ChoicesOfChannel(doc, ref, choices, octave))
            column.spectrum = read(ref, *c);
        else
            column.spectrum = read(ref, OctaveChoices{choices.request, choices.units, false, {}});
        columns.push_back(std::move(column));
    }
    const auto lowest = std::find_if(columns.begin(), columns.end(),
                                     [&](const Column& c) { return c.ref.channel == b.lowestChannel; });
    if (lowest == columns.end() || !lowest->spectrum)
        return false;
    const TableSpectrum& head = *lowest->spectrum;
    const std::size_t span = static_cast<std::size_t>(b.top - b.lowest + 1);
    ShownRows rows{0, span + head.named};
    if (choices.block) {
        const long long lower = std::max(choices.markers.lower, 0);
        const long long upper = std::min<long long>(choices.markers.upper, static_cast<long long>(span) - 1);
        if (upper < lower)
            return false;
        rows = {static_cast<std::size_t>(lower), static_cast<std::size_t>(upper) + 2};
    }
    const std::size_t lineCount = rows.end - rows.start;

    // The frequencies of the shared axis: third octaves, or every third one for octaves.
    const std::span<const double> table = ThirdOctaveCentres();
    std::vector<double> frequencies;
    for (std::size_t i = rows.start; i < rows.end; ++i) {
        const std::size_t position = static_cast<std::size_t>(b.lowest) + i;
        const std::size_t at = octave == kOctaves ? 3 * position + 1 : position;
        frequencies.push_back(i < span && at < table.size() ? table[at] : 0.0);
    }

    MultiSpectrumMatrix matrix(lineCount);
    std::vector<std::string> inputs, units, formats;
    std::vector<double> column(lineCount);
    for (const Column& c : columns) {
        // A cell of the shared axis: before the channel's first band or past its values, none.
        const auto cell = [&](std::size_t i) -> double {
            if (!c.spectrum)
                return kMissingValue;
            if (i >= span) {
                const std::size_t k = c.spectrum->bandRows + (i - span);
                return i - span < c.spectrum->named && k < c.spectrum->shown ? c.spectrum->values.values[k]
                                                                             : kMissingValue;
            }
            const auto leadIn = static_cast<std::size_t>(c.leadIn);
            if (i < leadIn || i - leadIn >= c.spectrum->bandRows)
                return kMissingValue;
            return c.spectrum->values.values[i - leadIn];
        };
        for (std::size_t i = rows.start; i < rows.end; ++i)
            column[i - rows.start] = choices.block && i + 1 == rows.end ? (c.spectrum ? c.spectrum->blockTotal
                                                                                     : kMissingValue)
                                                                       : cell(i);
        if (!matrix.AppendColumn(column))
            return false;
        const std::uint16_t input = b.inputKind[static_cast<std::size_t>(c.ref.channel)];
        inputs.emplace_back(InputShortNames[std::min<std::size_t>(input, InputShortNames.size() - 1)]);
        const bool linear = c.spectrum ? c.spectrum->linear : head.linear;
        units.emplace_back(OctaveBracketedUnit(c.spectrum ? c.spectrum->unitIndex : head.unitIndex));
        formats.emplace_back(linear ? "%-10.2e" : "%-10.1f");
    }

    const std::vector<std::string> totals = TotalNameList(doc);
    CrossTableSource source;
    source.FourChannel = true;
    source.TotalNameList = totals;
    source.Ui = doc.App().Ui;
    SpectraCrossTable spectra;
    spectra.Kind = octave == kOctaves ? kBandKindOctave : kBandKindThirdOctave;
    spectra.UnitText = OctaveBracketedUnit(head.unitIndex);
    spectra.ChannelMask = used;
    spectra.InputNames = inputs;
    spectra.UnitNames = units;
    spectra.ValueFormats = formats;
    spectra.ValueFormat = head.linear ? "%-10.2e" : "%-10.1f";
    spectra.Frequencies = frequencies;
    spectra.TailCount = choices.block ? 1 : head.named;
    spectra.BlockMode = choices.block ? 2 : 0;
    const SpectrumRef& first = columns.front().ref;
    const std::string title = OctaveTitle(doc, octave, -1, first.detector, 0, first.fileIndex);
    spectra.CaptionOverride = title;
    WriteSpectraCrossTable(lines, &widest, source, spectra, options, matrix);
    return true;
}

// The third octaves as the tables show them.
std::optional<TableSpectrum> ThirdOctaveTableSpectrum(CTmDoc& doc, const SpectrumRef& ref, const OctaveChoices& choices)
{
    std::optional<BandSpectrum> spectrum = ReadSpectrum(doc, ref, kThirdOctaves);
    if (!spectrum)
        return std::nullopt;
    const SpectrumLayout s = LayoutOf(doc, spectrum->count, choices.units);
    TableSpectrum t;
    if (choices.block)
        t.blockTotal = BlockTotal(spectrum->Values(), s.bands, s.centres, choices.markers, 0, s.quantity, s.channel);
    Convert(*spectrum, s);
    t.values = *spectrum;
    t.shown = ShownCount(s, spectrum->count);
    t.bandRows = s.bandRows;
    t.centres.assign(s.centres.begin(), s.centres.begin() + static_cast<std::ptrdiff_t>(std::min(s.bandRows, s.centres.size())));
    t.named = static_cast<std::uint16_t>(s.cutTrailing ? 1 : t.shown - std::min(t.shown, s.bandRows));
    t.unitIndex = s.unitIndex;
    t.linear = s.Linear();
    return t;
}

// The rows of the octave view by model: how many rows follow the folded octaves of
// third-octave data, and how many trailing values of octave data are named rows
// (kTrailingBefore213: the spectrum's trailing count, one before firmware 2.13;
// kTrailing: the trailing count).
constexpr int kTrailingBefore213 = -1, kTrailing = -2;
struct OctaveModelRows {
    bool (*matches)(const ModelFlags& m, std::uint16_t firmware, bool microphone);
    std::size_t foldedTrailingRows;
    int namedRows;
};

constexpr OctaveModelRows kOctaveModelRows[] = {
    {[](const ModelFlags& m, std::uint16_t, bool) { return m.Family515; }, 3, 3},
    {[](const ModelFlags& m, std::uint16_t fw, bool mic) {
         return m.Family525 || (m.Family535 && mic && fw > 301) || (m.FourChannel && mic);
     },
     3, 3},
    {[](const ModelFlags& m, std::uint16_t, bool) { return m.Family530 || m.Family535; }, 1, kTrailingBefore213},
    {[](const ModelFlags& m, std::uint16_t, bool) { return m.FourChannel; }, 1, kTrailing},
};
constexpr std::uint16_t kFirmwareNamedTotals = 213;

const OctaveModelRows* ModelRowsOf(const CTmDoc& doc)
{
    const CurrentHeader& h = doc.Header();
    for (const OctaveModelRows& row : kOctaveModelRows)
        if (row.matches(h.model, h.firmware, doc.Channel().inputKind == kInputMicrophone))
            return &row;
    return nullptr;
}

// The whole octaves of a third-octave spectrum of n bands and the third octave the first
// begins at: the ORLU 515 folds 10 octaves from firmware 2.13 (9 before) from its first
// band; the others n / 3 from the second band of 31, the third before firmware 2.13.
struct Fold {
    std::size_t octaves = 0;
    std::size_t first = 0;
};

Fold FoldOf(const CurrentHeader& h, std::size_t n, std::size_t count, bool microphone)
{
    if (h.model.Family515)
        return {h.firmware >= kFirmwareNamedTotals ? 10u : 9u, 0};
    // ORLU 545 and 590 channels: a microphone's 31 bands (20 Hz on) from the second,
    // 42 or more from the third; other inputs from the second of 33 or 34 values.
    if (h.model.FourChannel && microphone)
        return {n / 3, n / 3 == 14 ? 2u : n == 31 ? 1u : 0u};
    if (h.model.FourChannel)
        return {n / 3, count == 33 || count == 34 ? 1u : 0u};
    const bool older = h.firmware <= 200;
    const std::size_t first = older ? 0 : h.firmware < kFirmwareNamedTotals ? 2 : n == 31 ? 1 : 0;
    return {n / 3, first};
}

std::optional<OctaveSpectrum> ReadOctavesOf(CTmDoc& doc, const SpectrumRef& ref, const OctaveChoices& choices)
{
    const OctaveModelRows* model = ModelRowsOf(doc);
    const bool folded = doc.Channel().bandKind == kBandOctave13;
    std::optional<BandSpectrum> read = ReadSpectrum(doc, ref, folded ? kThirdOctaves : kOctaves);
    if (!model || !read)
        return std::nullopt;
    const CurrentHeader& h = doc.Header();
    const CurrentChannel& ch = doc.Channel();
    const LevelContext levels = doc.Levels();
    const BandChannel channel{ch.inputKind, GetChannelOffset(levels, ch), levels.nonMetric};
    const int quantity = doc.GetDisplayQuantity(choices.units);
    OctaveSpectrum o;
    o.linear = quantity != kBandDb;
    o.unitIndex = GetUnitIndex(quantity, ch.inputKind, levels.nonMetric);
    const std::span<const double> table = ThirdOctaveCentres();
    const std::size_t pointer = ch.bandTableIndex >= 0 ? static_cast<std::size_t>(ch.bandTableIndex) : table.size();
    const std::span<const double> thirds = table.subspan(std::min(pointer, table.size()));
    const std::size_t count = read->count;
    const std::size_t bands = std::min<std::size_t>(ch.bandCount, count);
    o.values = *read;
    if (folded) {
        Fold fold = FoldOf(h, bands, count, ch.inputKind == kInputMicrophone);
        while (fold.octaves > 0 && fold.first + 3 * fold.octaves > bands)
            --fold.octaves; // never past the bands
        if (choices.block)
            o.blockTotal = FoldedBlockTotal(read->Values(), thirds, fold.first, fold.octaves, choices.markers, 0,
                                            quantity, channel);
        const double grand = FoldThirdOctaves(o.values.Values(), thirds, fold.first, fold.octaves, quantity, channel);
        // The totals after the last octave follow the octaves.
        const std::size_t end = fold.first + 3 * fold.octaves;
        const std::size_t trailing = std::min(count > end ? count - end : 0, model->foldedTrailingRows);
        for (std::size_t k = 0; k < trailing; ++k) {
            const double v = read->values[end + k];
            o.values.values[fold.octaves + k] = quantity == kBandDb       ? v
                                                : quantity == kBandLinear ? channel.Total(v)
                                                                          : std::sqrt(grand);
        }
        o.bandRows = fold.octaves;
        o.rows = fold.octaves + trailing;
        for (std::size_t g = 0; g < fold.octaves; ++g)
            o.centres.push_back(fold.first + 3 * g + 1 < thirds.size() ? thirds[fold.first + 3 * g + 1] : 0.0);
    } else {
        for (std::size_t i = 0; i < bands; ++i)
            o.centres.push_back(3 * i + 1 < thirds.size() ? thirds[3 * i + 1] : 0.0);
        if (choices.block)
            o.blockTotal = BlockTotal(read->Values(), bands, o.centres, choices.markers, 0, quantity, channel);
        double sum = 0.0;
        if (quantity != kBandDb) {
            for (std::size_t i = 0; i < bands; ++i) {
                o.values.values[i] = channel.Band(read->values[i], o.centres[i], quantity);
                sum += o.values.values[i] * o.values.values[i];
            }
            for (std::size_t i = bands; i < count; ++i)
                o.values.values[i] = quantity == kBandLinear ? channel.Total(read->values[i]) : read->values[i];
            if (quantity != kBandLinear && count > bands)
                o.values.values[bands] = std::sqrt(sum);
        }
        const std::size_t trailing = count - bands;
        const std::size_t named = model->namedRows >= 0 ? static_cast<std::size_t>(model->namedRows)
                                  : model->namedRows == kTrailingBefore213 && h.firmware < kFirmwareNamedTotals ? 1
                                                                                                            : trailing;
        o.bandRows = bands;
        o.rows = bands + std::min(named, trailing);
    }
    // An accelerometer shows its first named row only.
    if (ch.inputKind == kInputAccelerometer && o.rows > o.bandRows + 1)
        o.rows = o.bandRows + 1;
    o.values.count = o.rows;
    return o;
}

} // namespace

int ChannelBandOffset(CTmDoc& doc, int channel, std::uint16_t mask, int octave)
{
    if (!IsFourChannel(doc) || channel < 0 || channel >= 16)
        return 0;
    const SubfileSelectionKeeper keeper(doc);
    const ChannelBands b = ChannelBandsOf(doc, static_cast<std::uint16_t>(mask | (1u << channel)), octave);
    return b.first[static_cast<std::size_t>(channel)] - b.lowest;
}

std::optional<OctaveSpectrum> ReadOctaves(CTmDoc& doc, const SpectrumRef& ref, const OctaveChoices& choices)
{
    return ReadOctavesOf(doc, ref, choices);
}

bool TextOctave11(CTmDoc& doc, LineList& lines, int* widest, const OctaveChoices& choices)
{
    ClearLineList(&lines);
    if (!Readable(doc))
        return false;
    const SubfileSelectionKeeper keeper(doc);
    int wide = 0;
    const bool folded = doc.Channel().bandKind == kBandOctave13;
    for (SpectrumRef ref : ListSpectra(doc, choices.request, folded ? kThirdOctaves : kOctaves)) {
        // Third octaves folded into octaves: the file's RMS spectrum is the only one.
        if (folded)
            ref.detector = kDetectorRms;
        const std::optional<OctaveChoices> shown = ChoicesOfChannel(doc, ref, choices, kOctaves);
        const std::optional<OctaveSpectrum> o = shown ? ReadOctavesOf(doc, ref, *shown) : std::nullopt;
        if (!o)
            continue;
        const TextSpectrum t{o->values, o->bandRows, o->centres, doc.Channel().totalNames, o->linear, o->unitIndex};
        const int record = HasSpectrumLogger(doc) ? ref.number : 0;
        WriteText(lines, wide, OctaveTitle(doc, kOctaves, ref.channel, ref.detector, record, ref.fileIndex),
                  choices.block ? std::optional<double>(o->blockTotal) : std::nullopt, t, RowsOf(*shown, o->rows));
    }
    if (widest)
        *widest = wide;
    return lines.Size() > 0;
}

bool TableOctave11(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const OctaveChoices& choices,
                   const TableOutputOptions& options)
{
    content = 2;
    if (!Readable(doc))
        return false;
    const SubfileSelectionKeeper keeper(doc);
    int wide = widest ? *widest : 0;
    const bool folded = doc.Channel().bandKind == kBandOctave13;
    std::vector<SpectrumRef> list = ListSpectra(doc, choices.request, folded ? kThirdOctaves : kOctaves);
    for (SpectrumRef& ref : list)
        if (folded)
            ref.detector = kDetectorRms;
    const TableReader read = [&](const SpectrumRef& ref, const OctaveChoices& c) -> std::optional<TableSpectrum> {
        std::optional<OctaveSpectrum> o = ReadOctavesOf(doc, ref, c);
        if (!o)
            return std::nullopt;
        TableSpectrum t;
        t.values = o->values;
        t.shown = o->rows;
        t.bandRows = o->bandRows;
        t.centres = o->centres;
        t.named = static_cast<std::uint16_t>(o->rows - o->bandRows);
        t.unitIndex = o->unitIndex;
        t.linear = o->linear;
        t.blockTotal = o->blockTotal;
        return t;
    };
    bool shown = false;
    if (IsFourChannel(doc) && !choices.request.allRecords && !list.empty())
        shown = TableChannels(doc, lines, wide, list, kOctaves, read, choices, options);
    else if (list.size() > 1 || (choices.request.allRecords && !list.empty()))
        shown = TableMany(doc, lines, wide, list, kOctaves, read, choices, options);
    else if (!list.empty())
        shown = TableOne(doc, lines, wide, list.front(), kOctaves, read, choices, options);
    if (widest)
        *widest = wide;
    return shown;
}

bool TextOctave13(CTmDoc& doc, LineList& lines, int* widest, const OctaveChoices& choices)
{
    ClearLineList(&lines);
    if (!Readable(doc))
        return false;
    const SubfileSelectionKeeper keeper(doc);
    int wide = 0;
    for (const SpectrumRef& ref : ListSpectra(doc, choices.request, kThirdOctaves))
        TextOne(doc, lines, wide, ref, choices);
    if (widest)
        *widest = wide;
    return lines.Size() > 0;
}

bool TableOctave13(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const OctaveChoices& choices,
                   const TableOutputOptions& options)
{
    content = 2;
    if (!Readable(doc))
        return false;
    const SubfileSelectionKeeper keeper(doc);
    int wide = widest ? *widest : 0;
    const std::vector<SpectrumRef> list = ListSpectra(doc, choices.request, kThirdOctaves);
    bool shown = false;
    const TableReader read = [&](const SpectrumRef& ref, const OctaveChoices& c) {
        return ThirdOctaveTableSpectrum(doc, ref, c);
    };
    if (IsFourChannel(doc) && !choices.request.allRecords && !list.empty())
        shown = TableChannels(doc, lines, wide, list, kThirdOctaves, read, choices, options);
    else if (list.size() > 1 || (choices.request.allRecords && !list.empty()))
        shown = TableMany(doc, lines, wide, list, kThirdOctaves, read, choices, options);
    else if (!list.empty())
        shown = TableOne(doc, lines, wide, list.front(), kThirdOctaves, read, choices, options);
    if (widest)
        *widest = wide;
    return shown;
}

} // namespace orlu
