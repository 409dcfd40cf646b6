#include "analysis/spectra/Octave505Forms.h"

#include "analysis/spectra/BandUnits.h"
#include "analysis/spectra/OctaveColumns.h"
#include "analysis/spectra/OctaveGraphData.h"
#include "document/MissingValue.h"
#include "document/channel/ChannelSelection.h"
#include "document/tables/BandTables.h"
#include "document/texts/NumberTexts.h"
#include "document/units/LevelUnits.h"
#include "platform/ValueFormat.h"
#include "reports/common/NameTables.h"
#include "reports/table/ColumnTableWriter.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/SpectraCrossTable.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace orlu {
namespace {

constexpr double kTenths = 10.0;
constexpr int kBandKindOctave = 3, kBandKindThirdOctave = 4;
constexpr std::size_t kRuleLength = 68;
constexpr std::string_view kCellGap = "       ";
constexpr std::string_view kTotalName = "TOTAL";
// Filter names of an ANALYZER-mode channel's filter code.
constexpr std::array<const char*, 7> kFilterNames{"UNDF", "Lin", "A", "C", "HP", "UNDF", "HP"};

bool Readable(const CTmDoc& doc)
{
    if (!doc.AnalyzerDecoded())
        return false;
    const std::uint16_t f = doc.Analyzer().function;
    return f == kFunction505Octave || f == kFunction505ThirdOctave;
}

// Octave files show 1/1 octaves (third octaves folded); only third-octave files the 1/3 view.
bool Holds(const CTmDoc& doc, int octave)
{
    return Readable(doc) && (octave == kOctaves || doc.Analyzer().function == kFunction505ThirdOctave);
}

bool IsMerged(const CTmDoc& doc)
{
    return (FindFileKind(doc.FileKind()).Traits & kKindMultifile) != 0;
}

std::uint32_t RecordCount(const Setup505& s)
{
    return s.timeHistory ? s.recordCount : static_cast<std::uint32_t>(std::max(s.spectraCount, 0));
}

// The channels a form shows: those chosen of a probe file, else the first.
std::vector<int> ChannelsOf(const CTmDoc& doc, const OctaveChoices& choices)
{
    const Setup505& s = doc.Analyzer();
    std::vector<int> channels;
    for (int c = 0; c < s.channelCount && c < 16; ++c)
        if (choices.request.channelMask & (1u << c))
            channels.push_back(c);
    if (channels.empty())
        channels.push_back(0);
    return channels;
}

// The channel a form of one column shows: the lowest chosen one.
int ChannelOf(const CTmDoc& doc, const OctaveChoices& choices)
{
    return ChannelsOf(doc, choices).front();
}

// One spectrum as the view shows it: converted, third octaves folded, a TOTAL row
// after the bands.
struct Spectrum505 {
    BandSpectrum values;
    std::size_t bandRows = 0;
    std::size_t rows = 0;
    std::vector<double> centres;
    double blockTotal = kMissingValue;
    bool linear = false;
    std::uint16_t unitIndex = 0;
    NameTable names; ///< of the rows after the bands; none: every one "TOTAL"
};

// The stored values of record `record` (from 1) of channel c, in dB; nothing past the
// records or the image, or for more values than any spectrum holds.
std::optional<BandSpectrum> ReadValues(const CTmDoc& doc, std::uint32_t record, int channel)
{
    const Setup505& s = doc.Analyzer();
    if (record < 1 || record > RecordCount(s) || channel < 0 || channel >= s.channelCount || s.bandEnd == 0 ||
        s.bandEnd > kMaxSpectrumValues)
        return std::nullopt;
    const std::uint32_t t = s.timeHistory ? 1 : 0;
    const std::uint64_t first = std::uint64_t{s.SpectrumAt(0)} + std::uint64_t{s.RecordWords()} * (record - 1) +
                                std::uint64_t(channel) * (s.bandEnd + t) + t;
    const ImageReader image = doc.Reader();
    if (first > UINT32_MAX || !image.HasWords(static_cast<std::uint32_t>(first), s.bandEnd))
        return std::nullopt;
    BandSpectrum b;
    b.count = s.bandEnd;
    for (std::size_t i = 0; i < b.count; ++i)
        b.values[i] = image.SignedWord(static_cast<std::uint32_t>(first + i)) / kTenths;
    return b;
}

// How the selected channel's values show: its levels, the quantity the choices ask for
// and that quantity's unit.
struct ChannelDisplay {
    BandChannel channel;
    int quantity = kBandDb;
    std::uint16_t unitIndex = 0;
};

ChannelDisplay DisplayOf(const CTmDoc& doc, const OctaveChoices& choices)
{
    const CurrentChannel& ch = doc.Channel();
    const LevelContext levels = doc.Levels();
    const int quantity = GetDisplayQuantity(ch.inputKind, choices.units, doc.Analyzer().mixedInputs);
    return {{ch.inputKind, GetChannelOffset(levels, ch), levels.nonMetric},
            quantity,
            GetUnitIndex(quantity, ch.inputKind, levels.nonMetric)};
}

// The 1/1-octave spectrum of the record: octave files as stored, third octaves folded
// from the first band of the first whole octave, one TOTAL row (the first trailing value).
std::optional<Spectrum505> ReadOctaves505(CTmDoc& doc, std::uint32_t record, int channel, const OctaveChoices& choices)
{
    doc.Select505Channel(channel);
    const std::optional<BandSpectrum> read = ReadValues(doc, record, channel);
    if (!read)
        return std::nullopt;
    const Setup505& s = doc.Analyzer();
    const ChannelDisplay display = DisplayOf(doc, choices);
    const BandChannel& bandChannel = display.channel;
    const int quantity = display.quantity;
    Spectrum505 o;
    o.linear = quantity != kBandDb;
    o.unitIndex = display.unitIndex;
    o.values = *read;
    const std::span<const double> thirds = s.bandFrequencies;
    const std::size_t count = read->count;
    if (s.function == kFunction505ThirdOctave) {
        const std::size_t bands = std::min<std::size_t>(s.bandCount, count);
        // The first band of the first whole octave: its centre's third octave, less one,
        // counted from the spectrum's first band (the top band is the 45th).
        const long start = 45 - static_cast<long>(s.bandCount);
        const long first = static_cast<long>(s.thirdIndexOfOctave) - 1 - start;
        std::size_t octaves = first >= 0 ? static_cast<std::size_t>(std::max(s.octaveBands, 0)) : 0;
        const auto b = static_cast<std::size_t>(std::max(first, 0L));
        while (octaves > 0 && b + 3 * octaves > bands)
            --octaves; // never past the bands
        if (choices.block)
            o.blockTotal =
                FoldedBlockTotal(read->Values(), thirds, b, octaves, choices.markers, 0, quantity, bandChannel);
        const double grand = FoldThirdOctaves(o.values.Values(), thirds, b, octaves, quantity, bandChannel);
        const bool total = count > bands;
        if (total) {
            const double v = read->values[bands];
            o.values.values[octaves] = quantity == kBandDb       ? v
                                       : quantity == kBandLinear ? bandChannel.Total(v)
                                                                 : std::sqrt(grand);
        }
        o.bandRows = octaves;
        o.rows = octaves + (total ? 1 : 0);
        for (std::size_t g = 0; g < octaves; ++g)
            o.centres.push_back(b + 3 * g + 1 < thirds.size() ? thirds[b + 3 * g + 1] : 0.0);
    } else {
        const std::size_t bands = std::min<std::size_t>(s.octaveBandCount, count);
        for (std::size_t i = 0; i < bands; ++i)
            o.centres.push_back(3 * i + 1 < thirds.size() ? thirds[3 * i + 1] : 0.0);
        if (choices.block)
            o.blockTotal = BlockTotal(read->Values(), bands, o.centres, choices.markers, 0, quantity, bandChannel);
        ConvertBandLevels(o.values.Values(), bands, o.centres, quantity, bandChannel);
        o.bandRows = bands;
        o.rows = count;
    }
    o.values.count = o.rows;
    return o;
}

// The third octaves of the record as stored, the rows after the bands named from the
// file's total names; an accelerometer shows the first of two or more trailing values.
std::optional<Spectrum505> ReadThirds505(CTmDoc& doc, std::uint32_t record, int channel, const OctaveChoices& choices)
{
    doc.Select505Channel(channel);
    const std::optional<BandSpectrum> read = ReadValues(doc, record, channel);
    if (!read)
        return std::nullopt;
    const Setup505& s = doc.Analyzer();
    const ChannelDisplay display = DisplayOf(doc, choices);
    const BandChannel& bandChannel = display.channel;
    const int quantity = display.quantity;
    Spectrum505 o;
    o.linear = quantity != kBandDb;
    o.unitIndex = display.unitIndex;
    o.values = *read;
    o.names = s.totalNames;
    const std::size_t count = read->count;
    const std::size_t trailing = std::min<std::size_t>(static_cast<std::size_t>(std::max(s.bandExtras, 0)), count);
    o.bandRows = count - trailing;
    o.rows = doc.Channel().inputKind == kInputAccelerometer && trailing >= 2 ? o.bandRows + 1 : count;
    const std::span<const double> table = s.bandFrequencies;
    for (std::size_t i = 0; i < o.bandRows; ++i)
        o.centres.push_back(i < table.size() ? table[i] : 0.0);
    if (choices.block)
        o.blockTotal = BlockTotal(read->Values(), o.bandRows, o.centres, choices.markers, 0, quantity, bandChannel);
    ConvertBandLevels(o.values.Values().first(o.rows), o.bandRows, o.centres, quantity, bandChannel);
    o.values.count = o.rows;
    return o;
}

std::optional<Spectrum505> Read505(CTmDoc& doc, std::uint32_t record, int channel, const OctaveChoices& choices,
                                   int octave)
{
    return octave == kThirdOctaves ? ReadThirds505(doc, record, channel, choices)
                                   : ReadOctaves505(doc, record, channel, choices);
}

std::string Title(const CTmDoc& doc, int octave, int channel, std::uint32_t record, bool block)
{
    // A caption over the columns of several channels names none.
    const Setup505& s = doc.Analyzer();
    const std::uint16_t filter = doc.Channel().filter505;
    std::string title = StrPrintf("%sOCTAVE 1/%d  (%s", block ? "Block of the " : "", octave,
                                  filter < kFilterNames.size() ? kFilterNames[filter] : "UNDF");
    // Spectra of a time history are numbered records; the others are RMS spectra.
    title += s.timeHistory ? ")" : ", RMS)";
    if (s.channelCount > 1 && channel >= 0)
        title += StrPrintf("  Channel #%d", channel + 1);
    if (s.timeHistory)
        title += StrPrintf("  No.%u", record);
    if (IsMerged(doc) && doc.AnalyzerSubfile() > 0)
        title += StrPrintf("  (file: %s)", doc.GetSubfileName(doc.AnalyzerSubfile()).c_str());
    return title;
}

// The platform prints three exponent digits; the forms show two.
void DropExponentDigit(std::string& text)
{
    for (std::size_t e = text.find('e'); e != std::string::npos; e = text.find('e', e + 1))
        if (text.size() >= e + 5 && text[e + 2] == '0' && text[e + 4] >= '0' && text[e + 4] <= '9')
            text.erase(e + 2, 1);
}

const char* RowName(const Spectrum505& o, std::size_t i)
{
    return o.names.Count == 0 ? kTotalName.data() : o.names.At(static_cast<long>(i - o.bandRows));
}

std::string Cell(const Spectrum505& o, std::size_t i)
{
    std::string cell = i < o.bandRows
                           ? StrPrintf(o.linear ? "%7.1f%11.2e" : "%7.1f%10.1f", o.centres[i], o.values.values[i])
                           : StrPrintf(o.linear ? "%7s%11.2e" : "%7s%10.1f", RowName(o, i), o.values.values[i]);
    if (o.linear)
        DropExponentDigit(cell);
    return cell;
}

void Add(LineList& lines, std::string line, int& widest)
{
    AddLine(lines, line, &widest);
}

// The rows shown: all, or the marked bands (clamped to the rows).
std::pair<std::size_t, std::size_t> RowsOf(const OctaveChoices& choices, std::size_t rows)
{
    if (!choices.block)
        return {0, rows};
    const long long lower = std::max(choices.markers.lower, 0);
    const long long upper = std::min<long long>(choices.markers.upper, static_cast<long long>(rows) - 1);
    if (upper < lower)
        return {0, 0};
    return {static_cast<std::size_t>(lower), static_cast<std::size_t>(upper) + 1};
}

void WriteText(LineList& lines, int& widest, const std::string& title, const Spectrum505& o,
               const OctaveChoices& choices)
{
    Add(lines, "", widest);
    Add(lines, title, widest);
    if (choices.block) {
        std::string total = o.blockTotal == kMissingValue ? std::string("Block RMS = ---- ")
                            : o.linear                    ? StrPrintf("Block RMS = %.2e ", o.blockTotal)
                                                          : StrPrintf("Block RMS = %.1f ", o.blockTotal);
        if (o.linear)
            DropExponentDigit(total);
        Add(lines, total + std::string(OctaveUnitName(o.unitIndex)), widest);
    }
    const std::string rule(kRuleLength, '-');
    Add(lines, rule, widest);
    Add(lines, std::string(OctaveColumnHeader(o.unitIndex)), widest);
    Add(lines, rule, widest);
    const auto [start, end] = RowsOf(choices, o.rows);
    const std::size_t perColumn = (end - start + 2) / 3;
    for (std::size_t m = 0; m < perColumn; ++m) {
        std::string line;
        for (std::size_t k = 0; k < 3; ++k) {
            const std::size_t i = k * perColumn + m + start;
            if (i >= end)
                break;
            if (k > 0)
                line += kCellGap;
            line += Cell(o, i);
        }
        Add(lines, std::move(line), widest);
    }
    Add(lines, rule, widest);
}

// The records a request covers: all, or the view's.
std::vector<std::uint32_t> RecordsOf(const CTmDoc& doc, const OctaveChoices& choices)
{
    std::vector<std::uint32_t> records;
    const std::uint32_t count = RecordCount(doc.Analyzer());
    if (choices.request.allRecords) {
        for (std::uint32_t r = 1; r <= count; ++r)
            records.push_back(r);
    } else if (choices.request.record >= 1 && static_cast<std::uint32_t>(choices.request.record) <= count) {
        records.push_back(static_cast<std::uint32_t>(choices.request.record));
    }
    return records;
}

// Puts back the file and channel the view had selected: a Multifile's forms decode
// each file they show.
class ChannelKeeper {
public:
    explicit ChannelKeeper(CTmDoc& doc) : m_Doc(doc), m_Subfile(doc.AnalyzerSubfile()), m_Channel(doc.Channel().channel)
    {
    }
    ~ChannelKeeper()
    {
        try {
            if (IsMerged(m_Doc) && m_Doc.AnalyzerSubfile() != m_Subfile && !m_Doc.DecodeSetup505(m_Subfile))
                return;
            m_Doc.Select505Channel(m_Channel);
        } catch (const ImageRangeError&) {
            // The file decoded before cannot be damaged now; nothing to put back otherwise.
        }
    }
    ChannelKeeper(const ChannelKeeper&) = delete;
    ChannelKeeper& operator=(const ChannelKeeper&) = delete;

private:
    CTmDoc& m_Doc;
    std::uint16_t m_Subfile;
    int m_Channel;
};

// Decodes file j of a Multifile (its first record is the one shown); false when it
// cannot be decoded or holds no octaves.
bool DecodeFile(CTmDoc& doc, int j, int octave)
{
    return doc.DecodeSetup505(static_cast<std::uint16_t>(j)) && Holds(doc, octave);
}

// The names of the rows after the bands, as the table writers take them.
std::vector<std::string> NamesOf(const Spectrum505& o)
{
    std::vector<std::string> names;
    for (std::size_t i = o.bandRows; i < o.rows; ++i)
        names.emplace_back(RowName(o, i));
    return names;
}

bool TableOne(CTmDoc& doc, LineList& lines, int& widest, std::uint32_t record, int channel,
              const OctaveChoices& choices, const TableOutputOptions& options, int octave)
{
    const std::optional<Spectrum505> o = Read505(doc, record, channel, choices, octave);
    if (!o)
        return false;
    const auto [start, end] = RowsOf(choices, o->rows);
    // The 1/1 table has a caption of its own; the 1/3 table the octave title.
    std::string caption = choices.block ? "Block of the " : "";
    if (octave == kThirdOctaves)
        caption = Title(doc, kThirdOctaves, -1, record, choices.block);
    else
        caption += doc.Analyzer().timeHistory ? StrPrintf("Octave 1/1  No.%u:", record) : std::string("Octave 1/1:");
    SpacesToUnderscores(caption);
    const std::vector<std::string> names = NamesOf(*o);
    std::vector<double> x(end - start, 0.0);
    for (std::size_t i = start; i < end; ++i)
        x[i - start] = i < o->bandRows ? o->centres[i] : 0.0;
    const std::span<const double> y = o->values.Values().subspan(start, end - start);
    ColumnTableSource source;
    source.BandKind = octave == kThirdOctaves ? kBandKindThirdOctave : kBandKindOctave;
    source.InputKind = doc.Channel().inputKind;
    source.TotalNameList = names;
    source.Ui = doc.App().Ui;
    const std::string header(OctaveColumnHeader(o->unitIndex));
    const ColumnTableFormat format{.Pairs = 3,
                                   .Caption = caption,
                                   .HeaderWords = header,
                                   .RowFormat = o->linear ? "%-10.1f%-10.2e" : "%-10.1f%-10.1f",
                                   .NameFormat = o->linear ? "%-10s%-10.2e" : "%-10s%-10.1f"};
    const std::uint16_t named = choices.block ? 0 : static_cast<std::uint16_t>(o->rows - o->bandRows);
    WriteColumnTable(lines, &widest, source, x, y, named, options, format);
    return true;
}

// One column of the rows shown; a spectrum that cannot be read keeps its column, empty.
bool AppendRows(MultiSpectrumMatrix& matrix, const std::optional<Spectrum505>& o, std::size_t start, std::size_t end)
{
    std::vector<double> column(end - start);
    for (std::size_t i = start; i < end; ++i)
        column[i - start] = o && i < o->rows ? o->values.values[i] : kMissingValue;
    return matrix.AppendColumn(column);
}

// Writes the staged columns as a cross table with the rows, unit and number format of
// the first spectrum shown; the source and table come with what is their own.
void WriteColumns(CTmDoc& doc, LineList& lines, int& widest, CrossTableSource source, SpectraCrossTable table,
                  const Spectrum505& first, const OctaveChoices& choices, const TableOutputOptions& options,
                  int octave, const MultiSpectrumMatrix& matrix)
{
    const auto [start, end] = RowsOf(choices, first.rows);
    std::vector<double> frequencies;
    for (std::size_t i = start; i < end; ++i)
        frequencies.push_back(i < first.bandRows ? first.centres[i] : 0.0);
    const std::vector<std::string> names = NamesOf(first);
    source.TotalNameList = names;
    source.Ui = doc.App().Ui;
    table.Kind = octave == kThirdOctaves ? kBandKindThirdOctave : kBandKindOctave;
    table.UnitText = OctaveBracketedUnit(first.unitIndex);
    table.Frequencies = frequencies;
    table.TailCount = choices.block ? 0 : static_cast<std::uint16_t>(first.rows - first.bandRows);
    table.ValueFormat = first.linear ? "%-10.2e" : "%-10.1f";
    table.BlockMode = choices.block ? 2 : 0;
    WriteSpectraCrossTable(lines, &widest, source, table, options, matrix);
}

// The record's spectrum of each chosen channel of a probe file as a column of a cross
// table, with the channel's input, unit and number format.
bool TableChannels(CTmDoc& doc, LineList& lines, int& widest, std::uint32_t record, const std::vector<int>& channels,
                   const OctaveChoices& choices, const TableOutputOptions& options, int octave)
{
    const std::optional<Spectrum505> first = Read505(doc, record, channels.front(), choices, octave);
    if (!first)
        return false;
    const auto [start, end] = RowsOf(choices, first->rows);
    MultiSpectrumMatrix matrix(end - start);
    std::vector<std::string> inputs, units, formats;
    std::uint16_t mask = 0;
    for (int c : channels) {
        const std::optional<Spectrum505> o = c == channels.front() ? first : Read505(doc, record, c, choices, octave);
        if (!AppendRows(matrix, o, start, end))
            return false;
        mask = static_cast<std::uint16_t>(mask | (1u << c));
        const std::uint16_t input = doc.Channel().inputKind;
        inputs.emplace_back(InputShortNames[std::min<std::size_t>(input, InputShortNames.size() - 1)]);
        const Spectrum505& shown = o ? *o : *first;
        units.emplace_back(OctaveBracketedUnit(shown.unitIndex));
        formats.emplace_back(shown.linear ? "%-10.2e" : "%-10.1f");
    }
    CrossTableSource source;
    source.ChannelMode = true;
    SpectraCrossTable table;
    table.ChannelMask = mask;
    table.InputNames = inputs;
    table.UnitNames = units;
    table.ValueFormats = formats;
    WriteColumns(doc, lines, widest, source, table, *first, choices, options, octave, matrix);
    return true;
}

// Every record as a column of a cross table, staged in memory.
bool TableAll(CTmDoc& doc, LineList& lines, int& widest, const std::vector<std::uint32_t>& records, int channel,
              const OctaveChoices& choices, const TableOutputOptions& options, int octave)
{
    const std::optional<Spectrum505> first = Read505(doc, records.front(), channel, choices, octave);
    if (!first)
        return false;
    const auto [start, end] = RowsOf(choices, first->rows);
    MultiSpectrumMatrix matrix(end - start);
    for (std::uint32_t r : records) {
        const std::optional<Spectrum505> o = r == records.front() ? first : Read505(doc, r, channel, choices, octave);
        if (!AppendRows(matrix, o, start, end))
            return false;
    }
    WriteColumns(doc, lines, widest, CrossTableSource{}, SpectraCrossTable{}, *first, choices, options, octave, matrix);
    return true;
}

// The first spectrum of every file of a Multifile as the columns of a cross table.
bool TableFiles(CTmDoc& doc, LineList& lines, int& widest, int channel, const OctaveChoices& choices,
                const TableOutputOptions& options, int octave)
{
    std::vector<std::optional<Spectrum505>> spectra;
    for (int j = 1; j <= doc.SubfileCount(); ++j)
        spectra.push_back(DecodeFile(doc, j, octave) ? Read505(doc, 1, channel, choices, octave) : std::nullopt);
    const auto shown = std::find_if(spectra.begin(), spectra.end(), [](const auto& o) { return o.has_value(); });
    if (shown == spectra.end())
        return false;
    const Spectrum505* const first = &**shown;
    // The rows of the first file that shows a spectrum.
    const auto [start, end] = RowsOf(choices, first->rows);
    MultiSpectrumMatrix matrix(end - start);
    for (const std::optional<Spectrum505>& o : spectra) {
        if (!AppendRows(matrix, o, start, end))
            return false;
    }
    std::vector<std::string> files;
    for (int j = 1; j <= doc.SubfileCount(); ++j)
        files.push_back(doc.GetSubfileName(j));
    CrossTableSource source;
    source.Merged505 = true;
    source.SubfileNames = files;
    WriteColumns(doc, lines, widest, source, SpectraCrossTable{}, *first, choices, options, octave, matrix);
    return true;
}

bool Text505(CTmDoc& doc, LineList& lines, int* widest, const OctaveChoices& choices, int octave)
{
    ClearLineList(&lines);
    if (!Holds(doc, octave))
        return false;
    const ChannelKeeper keeper(doc);
    int wide = 0;
    if (IsMerged(doc) && choices.request.allRecords) {
        // Every file of a Multifile: its first spectrum.
        for (int j = 1; j <= doc.SubfileCount(); ++j)
            if (DecodeFile(doc, j, octave))
                if (const std::optional<Spectrum505> o = Read505(doc, 1, ChannelOf(doc, choices), choices, octave))
                    WriteText(lines, wide, Title(doc, octave, ChannelOf(doc, choices), 1, choices.block), *o, choices);
    } else {
        for (std::uint32_t r : RecordsOf(doc, choices))
            for (int channel : ChannelsOf(doc, choices))
                if (const std::optional<Spectrum505> o = Read505(doc, r, channel, choices, octave))
                    WriteText(lines, wide, Title(doc, octave, channel, r, choices.block), *o, choices);
    }
    if (widest)
        *widest = wide;
    return lines.Size() > 0;
}

bool Table505(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const OctaveChoices& choices,
              const TableOutputOptions& options, int octave)
{
    content = 2;
    if (!Holds(doc, octave))
        return false;
    const ChannelKeeper keeper(doc);
    const std::vector<int> channels = ChannelsOf(doc, choices);
    const std::vector<std::uint32_t> records = RecordsOf(doc, choices);
    if (records.empty())
        return false;
    int wide = widest ? *widest : 0;
    bool shown = false;
    if (IsMerged(doc) && choices.request.allRecords)
        shown = TableFiles(doc, lines, wide, channels.front(), choices, options, octave);
    else if (choices.request.allRecords)
        shown = TableAll(doc, lines, wide, records, channels.front(), choices, options, octave);
    else if (channels.size() > 1)
        shown = TableChannels(doc, lines, wide, records.front(), channels, choices, options, octave);
    else
        shown = TableOne(doc, lines, wide, records.front(), channels.front(), choices, options, octave);
    if (widest)
        *widest = wide;
    return shown;
}

} // namespace

bool TextOctave11Of505(CTmDoc& doc, LineList& lines, int* widest, const OctaveChoices& choices)
{
    return Text505(doc, lines, widest, choices, kOctaves);
}

bool TableOctave11Of505(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const OctaveChoices& choices,
                        const TableOutputOptions& options)
{
    return Table505(doc, lines, widest, content, choices, options, kOctaves);
}

bool TextOctave13Of505(CTmDoc& doc, LineList& lines, int* widest, const OctaveChoices& choices)
{
    return Text505(doc, lines, widest, choices, kThirdOctaves);
}

bool TableOctave13Of505(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const OctaveChoices& choices,
                        const TableOutputOptions& options)
{
    return Table505(doc, lines, widest, content, choices, options, kThirdOctaves);
}

bool GraphDataOctaveOf505(CTmDoc& doc, PlotData& data, int panel, const OctaveChoices& choices, int octave)
{
    if (!Readable(doc) || panel != 0 || choices.request.record < 1)
        return false;
    const ChannelKeeper keeper(doc);
    const Setup505& s = doc.Analyzer();
    const bool thirds = octave == kThirdOctaves;
    if (thirds && s.function != kFunction505ThirdOctave)
        return false;
    const int channel = ChannelOf(doc, choices);
    const auto record = static_cast<std::uint32_t>(choices.request.record);
    std::vector<double> bars, centres;
    double block = kMissingValue;
    if (thirds) {
        doc.Select505Channel(channel);
        std::optional<BandSpectrum> spectrum = ReadValues(doc, record, channel);
        if (!spectrum)
            return false;
        const ChannelDisplay display = DisplayOf(doc, choices);
        const BandChannel& bandChannel = display.channel;
        const int quantity = display.quantity;
        const std::size_t bands = std::min<std::size_t>(s.bandCount, spectrum->count);
        const std::span<const double> table = s.bandFrequencies;
        if (choices.block)
            block = BlockTotal(spectrum->Values(), bands, table, choices.markers, 0, quantity, bandChannel);
        ConvertBandLevels(spectrum->Values(), bands, table, quantity, bandChannel);
        // The last value is drawn three times: twice more behind the spectrum.
        const std::size_t n = spectrum->count;
        spectrum->values[n] = spectrum->values[n + 1] = spectrum->values[n - 1];
        bars.assign(spectrum->values.begin(), spectrum->values.begin() + static_cast<std::ptrdiff_t>(n + 2));
        centres.assign(table.begin(), table.begin() + static_cast<std::ptrdiff_t>(std::min(bands, table.size())));
    } else {
        const std::optional<Spectrum505> o = ReadOctaves505(doc, record, channel, choices);
        if (!o)
            return false;
        block = o->blockTotal;
        bars.assign(o->values.Values().begin(), o->values.Values().end());
        centres = o->centres;
    }
    data.GraphForm = 2;
    data.GraphTitle = data.PanelTitles[0] = Title(doc, octave, channel, record, false);
    data.SpectrumBlockValues[0] = choices.block ? block : kMissingValue;
    std::vector<double> values(kOctavePanelValues, kMissingValue);
    std::copy_n(bars.begin(), std::min(bars.size(), values.size()), values.begin());
    data.PlotValues.Assign(std::move(values));
    data.ClassStride = static_cast<std::int32_t>(kOctavePanelValues);
    data.FrequencyValues = std::move(centres);
    return true;
}

std::uint32_t SpectrumRecordCount505(const CTmDoc& doc)
{
    return RecordCount(doc.Analyzer());
}

} // namespace orlu
