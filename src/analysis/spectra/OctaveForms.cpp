#include "analysis/spectra/OctaveForms.h"

#include "analysis/spectra/BandUnits.h"
#include "analysis/spectra/OctaveColumns.h"
#include "document/MissingValue.h"
#include "document/tables/BandTables.h"
#include "document/texts/NumberTexts.h"
#include "platform/ValueFormat.h"
#include "reports/table/ColumnTableWriter.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/SpectraCrossTable.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

namespace orlu {
namespace {

constexpr std::size_t kRuleLength = 68;
constexpr std::string_view kCellGap = "       ";
constexpr std::string_view kNoTemporaryFile = "Could not create temporary file.";
constexpr int kBandKindThirdOctave = 4;

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

// The platform prints three exponent digits; report texts show two, so the field is
// one character narrower than its format ("1.23e-003" becomes "1.23e-03").
void DropExponentDigit(std::string& text)
{
    const std::size_t e = text.find('e');
    if (e == std::string::npos || text.size() < e + 5)
        return;
    // "e-003": sign, then three digits of which the first is the zero to drop.
    if (text[e + 2] == '0' && std::isdigit(static_cast<unsigned char>(text[e + 4])))
        text.erase(e + 2, 1);
}

std::string Cell(const BandSpectrum& spectrum, const SpectrumLayout& s, std::size_t i, const NameTable& names)
{
    std::string cell;
    if (i < s.bandRows) {
        const double f = i < s.centres.size() ? s.centres[i] : 0.0;
        cell = s.Linear() ? StrPrintf("%7.1f%11.2e", f, spectrum.values[i])
                          : StrPrintf("%7.1f%10.1f", f, spectrum.values[i]);
    } else {
        const char* name = names.At(static_cast<long>(i - s.bandRows));
        cell = s.Linear() ? StrPrintf("%7s%11.2e", name, spectrum.values[i])
                          : StrPrintf("%7s%10.1f", name, spectrum.values[i]);
    }
    if (s.Linear())
        DropExponentDigit(cell);
    return cell;
}

void Add(LineList& lines, std::string line, int& widest)
{
    AddLine(lines, line, &widest);
}

std::string BlockTotalLine(double total, const SpectrumLayout& s)
{
    if (total == kMissingValue)
        return "Block RMS = ---- " + std::string(OctaveUnitName(s.unitIndex));
    std::string line = s.Linear() ? StrPrintf("Block RMS = %.2e ", total) : StrPrintf("Block RMS = %.1f ", total);
    if (s.Linear())
        DropExponentDigit(line);
    return line + std::string(OctaveUnitName(s.unitIndex));
}

// Whether the document's spectra are read by these forms: current-family files of one
// channel, alone, logged or merged.
bool Readable(const CTmDoc& doc)
{
    return FindFileKind(doc.FileKind()).Family == KindFamily::Current && doc.HeaderDecoded() &&
           !doc.Header().model.FourChannel;
}

void TextOne(CTmDoc& doc, LineList& lines, int& widest, const SpectrumRef& ref, const OctaveChoices& choices)
{
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

    Add(lines, "", widest);
    const int record = HasSpectrumLogger(doc) ? ref.number : 0;
    Add(lines,
        (choices.block ? "Block of the " : "") + OctaveTitle(doc, kThirdOctaves, -1, ref.detector, record, ref.fileIndex),
        widest);
    if (choices.block)
        Add(lines, BlockTotalLine(total, s), widest);
    const std::string rule(kRuleLength, '-');
    Add(lines, rule, widest);
    Add(lines, std::string(OctaveColumnHeader(s.unitIndex)), widest);
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
            line += Cell(*spectrum, s, i, doc.Channel().totalNames);
        }
        Add(lines, std::move(line), widest);
    }
    Add(lines, rule, widest);
}

std::vector<std::string> TotalNameList(const CTmDoc& doc)
{
    const NameTable& names = doc.Channel().totalNames;
    std::vector<std::string> list;
    for (std::uint8_t i = 0; i < names.Count; ++i)
        list.emplace_back(names.At(i));
    return list;
}

bool TableOne(CTmDoc& doc, LineList& lines, int& widest, const SpectrumRef& ref, const OctaveChoices& choices,
              const TableOutputOptions& options)
{
    std::optional<BandSpectrum> spectrum = ReadSpectrum(doc, ref, kThirdOctaves);
    if (!spectrum)
        return false;
    const SpectrumLayout s = LayoutOf(doc, spectrum->count, choices.units);
    const std::size_t shown = ShownCount(s, spectrum->count);
    const ShownRows rows = RowsOf(choices, shown);
    if (choices.block)
        BlockTotal(spectrum->Values(), s.bands, s.centres, choices.markers, 0, s.quantity, s.channel);
    Convert(*spectrum, s);

    const int record = HasSpectrumLogger(doc) ? ref.number : 0;
    std::string caption = (choices.block ? "Block of the " : "") +
                          OctaveTitle(doc, kThirdOctaves, -1, ref.detector, record, ref.fileIndex);
    SpacesToUnderscores(caption);
    std::vector<double> x(rows.end - rows.start, 0.0);
    for (std::size_t i = rows.start; i < rows.end; ++i)
        x[i - rows.start] = i < s.centres.size() && i < s.bandRows ? s.centres[i] : 0.0;
    const std::span<const double> y = spectrum->Values().subspan(rows.start, rows.end - rows.start);
    const std::uint16_t named =
        choices.block ? 0 : static_cast<std::uint16_t>(s.cutTrailing ? 1 : shown - std::min(shown, s.bandRows));

    const std::vector<std::string> totals = TotalNameList(doc);
    const CurrentHeader& h = doc.Header();
    ColumnTableSource source;
    source.BandKind = kBandKindThirdOctave;
    source.Family515Text = h.model.Family515Text;
    source.Family515 = h.model.Family515;
    source.Family525 = h.model.Family525;
    source.Family535 = h.model.Family535;
    source.FirmwareVersion = h.firmware;
    source.InputKind = doc.Channel().inputKind;
    source.TotalNameList = totals;
    source.Ui = doc.App().Ui;
    const std::string header(OctaveColumnHeader(s.unitIndex));
    const ColumnTableFormat format{.Pairs = 3,
                                   .Caption = caption,
                                   .HeaderWords = header,
                                   .RowFormat = s.Linear() ? "%-10.1f%-10.2e" : "%-10.1f%-10.1f",
                                   .NameFormat = s.Linear() ? "%-10s%-10.2e" : "%-10s%-10.1f"};
    WriteColumnTable(lines, &widest, source, x, y, named, options, format);
    return true;
}

// Every spectrum of the list as a column of a cross table, staged in a scratch file.
bool TableMany(CTmDoc& doc, LineList& lines, int& widest, const std::vector<SpectrumRef>& list,
               const OctaveChoices& choices, const TableOutputOptions& options)
{
    // The first readable spectrum sets the rows and the title.
    std::optional<BandSpectrum> first;
    std::size_t at = 0;
    for (; at < list.size() && !first; ++at)
        first = ReadSpectrum(doc, list[at], kThirdOctaves);
    if (!first)
        return false;
    const SpectrumRef& firstRef = list[at - 1];
    const SpectrumLayout s = LayoutOf(doc, first->count, choices.units);
    const std::size_t shown = ShownCount(s, first->count);
    const ShownRows rows = RowsOf(choices, shown);
    const std::size_t lineCount = rows.end - rows.start;
    const std::uint16_t named =
        choices.block ? 0 : static_cast<std::uint16_t>(s.cutTrailing ? 1 : shown - std::min(shown, s.bandRows));
    const std::vector<std::string> totals = TotalNameList(doc);
    const int record = HasSpectrumLogger(doc) ? firstRef.number : 0;
    const std::string title = OctaveTitle(doc, kThirdOctaves, -1, firstRef.detector, record, firstRef.fileIndex);
    std::vector<double> frequencies(lineCount, 0.0);
    for (std::size_t i = rows.start; i < rows.end; ++i)
        frequencies[i - rows.start] = i < s.centres.size() ? s.centres[i] : 0.0;
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
        std::optional<BandSpectrum> spectrum = k + 1 == at ? first : ReadSpectrum(doc, list[k], kThirdOctaves);
        // A spectrum that cannot be read keeps its column, empty.
        std::fill(column.begin(), column.end(), kMissingValue);
        if (spectrum) {
            const SpectrumLayout own = LayoutOf(doc, spectrum->count, choices.units);
            Convert(*spectrum, own);
            for (std::size_t i = rows.start; i < rows.end && i < ShownCount(own, spectrum->count); ++i)
                column[i - rows.start] = spectrum->values[i];
        }
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
    table.Kind = kBandKindThirdOctave;
    table.UnitText = OctaveBracketedUnit(s.unitIndex);
    table.Frequencies = frequencies;
    table.TailCount = named;
    table.ValueFormat = s.Linear() ? "%-10.2e" : "%-10.1f";
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

// Puts back the sub-file and channel the view had selected: the forms decode every
// file of a Multifile they show.
class SelectionKeeper {
public:
    explicit SelectionKeeper(CTmDoc& doc)
        : m_Doc(doc), m_Subfile(doc.DecodedSubfile()), m_Channel(doc.Channel().channel), m_Profile(doc.Channel().profile)
    {
    }
    ~SelectionKeeper()
    {
        try {
            if (m_Doc.DecodedSubfile() != m_Subfile && !m_Doc.DecodeFileHeader(m_Subfile))
                return;
            m_Doc.SelectChannelProfile(m_Channel, m_Profile);
        } catch (const ImageRangeError&) {
            // The sub-file decoded before cannot be damaged now; nothing to put back otherwise.
        }
    }
    SelectionKeeper(const SelectionKeeper&) = delete;
    SelectionKeeper& operator=(const SelectionKeeper&) = delete;

private:
    CTmDoc& m_Doc;
    std::uint16_t m_Subfile;
    int m_Channel;
    int m_Profile;
};

} // namespace

bool TextOctave13(CTmDoc& doc, LineList& lines, int* widest, const OctaveChoices& choices)
{
    ClearLineList(&lines);
    if (!Readable(doc))
        return false;
    const SelectionKeeper keeper(doc);
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
    const SelectionKeeper keeper(doc);
    int wide = widest ? *widest : 0;
    const std::vector<SpectrumRef> list = ListSpectra(doc, choices.request, kThirdOctaves);
    bool shown = false;
    if (list.size() > 1 || (choices.request.allRecords && !list.empty()))
        shown = TableMany(doc, lines, wide, list, choices, options);
    else if (!list.empty())
        shown = TableOne(doc, lines, wide, list.front(), choices, options);
    if (widest)
        *widest = wide;
    return shown;
}

} // namespace orlu
