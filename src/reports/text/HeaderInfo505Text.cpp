#include "reports/text/HeaderInfo505Text.h"

#include "document/container/FileKindCode.h"
#include "document/headers/CurrentHeader.h"
#include "document/headers/Setup505.h"
#include "document/rawviews/RawViewTexts.h"
#include "platform/ValueFormat.h"
#include "reports/common/HeaderItemTable.h"
#include "reports/common/HeaderLevelTexts.h"
#include "reports/common/NameTables.h"
#include "reports/common/ReportCaptionTable.h"
#include "reports/text/TextReportLayout.h"

#include <algorithm>
#include <array>
#include <vector>

namespace orlu {
namespace {

// Items of HeaderItemTable505 by what they show.
enum Item : int {
    kTime = 0,
    kDate = 1,
    kInput = 2,
    kFunction = 3,
    kRange = 4,
    kFilter = 5,
    kBand = 6,
    kCalibration = 7,
    kAveraging = 8,
    kAveragingNumber = 9,
    kSpectrumLines = 10,
    kTriggering = 12,
    kTriggerLevel = 13,
    kWindow = 14,
    kZoom = 15,
    kZoomBand = 16,
    kSpectra = 17,
    kWaveforms = 18,
    kRecordedSamples = 19,
    kOctaveFilters = 20,
    kThirdOctaveFilters = 21,
    kRmsDetector = 38,
    kAveragingTime = 39,
    kHistograms = 40,
    kClasses = 41,
    kLowestClass = 42,
    kClassWidth = 43,
    kLowPass = 45,
    kTimeStep = 46,
    kChannelInput = 50,
    kReferenceLevel = 51,
    kReferenceLevelVal = 52,
};

constexpr int kZoomLines = 13;
constexpr std::uint32_t kFirstZoomWord = 19;
constexpr std::size_t kTriggerLineWidth = 44; // the level's cell is cut to 12 characters
constexpr std::size_t kColumnLines = 16;

// Lines of the channel column block.
enum ColumnLine : std::size_t {
    kColumnRule = 0,
    kColumnHeader = 1,
    kColumnRuleBelow = 2,
    kColumnInput = 3,
    kColumnRange = 4,
    kColumnReference = 5,
    kColumnFilter = 6,
    kColumnCalibration = 7,
    kColumnLowPass = 8,
};

std::string Label(int item) { return std::string(HeaderItemTable505[static_cast<std::size_t>(item)].Label); }
const char* Format(int item) { return HeaderItemTable505[static_cast<std::size_t>(item)].Format.data(); }

// The label of an item with its value written by the item's own format.
template <typename... Args>
std::string ItemLine(int item, Args... args)
{
    return Label(item) + StrPrintf(Format(item), args...);
}

std::string TextItem(int item, std::string_view value) { return ItemLine(item, std::string(value).c_str()); }

// The function names carry a leading blank that the report leaves out.
std::string_view FunctionName(std::uint16_t function)
{
    std::string_view name = NameFor(FunctionNames505, function);
    if (!name.empty() && name.front() == ' ')
        name.remove_prefix(1);
    return name;
}

// "%.10f" without its trailing zeros, one digit kept after the point: 2.0, 0.125.
std::string TimeStepText(double seconds)
{
    std::string text = StrPrintf("%.10f", seconds);
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
        const std::size_t last = std::max(text.find_last_not_of('0'), point + 1);
        text.resize(last + 1);
    }
    return text + " s";
}

bool VibrationInput(std::uint16_t input) { return input == kInputCharge || input == kInputAccelerometer; }

class HeaderInfo505Writer {
public:
    HeaderInfo505Writer(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask, std::uint8_t unitOption)
        : m_Doc(doc), m_Lines(lines), m_Widest(widest), m_Mask(channelMask), m_UnitOption(unitOption)
    {
    }

    void WriteFile(bool merged, int file);

private:
    void Add(std::string line) { AddLine(m_Lines, line, m_Widest); }
    void AddRule() { Add(Label(kItem505Rule) + Format(kItem505Rule)); }

    // Levels show in dB or in the input's linear unit, never integrated, for the channel current now.
    int Quantity() const { return std::min<int>(m_Doc.GetDisplayQuantity(m_UnitOption), kQuantityLinear); }
    HeaderLevelContext LevelContext() const
    {
        return HeaderLevelContext{m_Doc.Levels(), m_Doc.Channel(), m_Doc.Analyzer().lineSpacingHz};
    }
    std::string RangeText() const
    {
        return FormatVibrationLevel(LevelContext(), m_Doc.Channel().rangeTopDb, Quantity());
    }
    // The reference level is the sensitivity offset in the input's linear unit.
    std::string ReferenceText() const
    {
        return FormatVibrationLevel(LevelContext(), m_Doc.Channel().sensitivityOffset / 10.0, kQuantityLinear);
    }
    std::string CalibrationText() const
    {
        return FormatTenthsLevel(m_Doc.Channel().calibration505, (Quantity() & 1) != 0);
    }
    std::string_view FilterName() const { return NameFor(FilterNames505, m_Doc.Channel().filter505); }
    std::string_view BandName(std::uint16_t code) const
    {
        return NameFor(BandNames505(m_Doc.SubKind(), m_Doc.Analyzer().storedInputKind), code);
    }

    void WriteFftSetup(const std::string& spectra);
    void WriteOctaveSetup(const std::string& spectra);
    void WriteColumns();

    CTmDoc& m_Doc;
    LineList& m_Lines;
    int* m_Widest;
    std::uint16_t m_Mask;
    std::uint8_t m_UnitOption;
};

void HeaderInfo505Writer::WriteFile(bool merged, int file)
{
    std::string title;
    bool decoded = true;
    if (merged) {
        const std::string name = m_Doc.GetSubfileName(file);
        decoded = m_Doc.DecodeSetup505(static_cast<std::uint16_t>(file));
        if (decoded && m_Doc.Analyzer().channelMode != kChannelMode505Single)
            m_Doc.Select505Channel(FirstChannel(m_Mask));
        title = StrPrintf(ReportCaptionTable[kCaptionHeaderInfoForFile].data(), file, name.c_str());
    } else {
        title = ReportCaptionTable[kCaptionHeaderInfo];
        // An edited file (kind 11) was made from the instrument's file.
        if ((FindFileKind(m_Doc.FileKind()).Traits & kKindRecordIndex) != 0)
            title += ReportCaptionTable[kCaptionFromSourceFile];
    }
    Add("");
    Add(title);
    AddRule();
    // A sub-file whose setup cannot be read shows its title and says so.
    if (!decoded) {
        Add(std::string(kImproperFileContentsLine));
        return;
    }

    const Setup505& s = m_Doc.Analyzer();
    const CurrentChannel& ch = m_Doc.Channel();
    const bool columns = s.channelMode != kChannelMode505Single;
    const int seconds = 2 * s.startTime;
    Add(ItemLine(kTime, seconds / 3600, (seconds / 60) % 60, seconds % 60));
    Add(ItemLine(kDate, (s.startDate >> 9) & 0x7F, (s.startDate >> 5) & 0x0F, s.startDate & 0x1F));
    Add(TextItem(kInput, NameFor(InputNames, s.storedInputKind)));
    Add(TextItem(kFunction, FunctionName(s.function)));
    AddRule();

    if (!columns) {
        Add(TextItem(kRange, RangeText()));
        Add(TextItem(VibrationInput(ch.inputKind) ? kReferenceLevelVal : kReferenceLevel, ReferenceText()));
        Add(TextItem(kFilter, FilterName()));
    }
    Add(TextItem(kBand, BandName(s.zoomCode)));
    if (!columns)
        Add(TextItem(kCalibration, CalibrationText()));
    Add(TextItem(kAveraging, NameFor(AveragingNames505, s.averaging)));
    if (s.function <= kFunction505Spectrum)
        Add(ItemLine(kAveragingNumber, unsigned{s.averagingValue}));
    else
        Add(ItemLine(kAveragingTime, int{s.averagingValue}));
    Add(ItemLine(s.function == kFunction505Time ? kRecordedSamples : kSpectrumLines, unsigned{s.bandEnd}));

    const unsigned spectraCount = static_cast<unsigned>(s.spectraCount);
    const std::string spectra = columns ? StrPrintf("%u*%u", spectraCount, unsigned{s.channelCount})
                                        : StrPrintf("%u", spectraCount);
    if (s.function == kFunction505Time || s.function == kFunction505Spectrum)
        WriteFftSetup(spectra);
    else
        WriteOctaveSetup(spectra);
    if (s.spectraCount > 1 && s.timeStepPresent)
        Add(TextItem(kTimeStep, TimeStepText(s.timeStep)));
    if (columns)
        WriteColumns();
    else
        AddRule();
    if (m_Doc.HoldsRtResults()) {
        Add(std::string(ReportCaptionTable[kCaptionRemark]));
        Add(std::string(ReportCaptionTable[kCaptionRtComputingData]));
    }
}

void HeaderInfo505Writer::WriteFftSetup(const std::string& spectra)
{
    const Setup505& s = m_Doc.Analyzer();
    Add(TextItem(kTriggering, NameFor(TriggeringNames505, s.triggering)));
    std::string level = ItemLine(kTriggerLevel, s.triggerLevel / 10.0);
    level.resize(std::min(level.size(), kTriggerLineWidth));
    Add(level);
    Add(TextItem(kWindow, NameFor(WindowNames505, s.window)));
    Add(TextItem(kZoom, NameFor(ZoomNames505, s.zoomFlag)));
    Add(TextItem(kZoomBand, BandName(s.zoomBandCode)));
    Add(TextItem(s.function == kFunction505Spectrum ? kSpectra : kWaveforms, spectra));
    if (s.zoomFlag != 1)
        return;
    // The zoom steps' words follow the setup words; a header cut short by the
    // end of the file lists the lines it holds.
    const ImageReader image = m_Doc.Reader();
    for (int k = 0; k < kZoomLines; ++k) {
        const std::uint32_t word = s.subfileStart + kFirstZoomWord + static_cast<std::uint32_t>(k);
        if (!image.HasWords(word, 1))
            break;
        Add(ItemLine(kItem505FirstZoomLine + k, int{image.Word(word)}));
    }
}

void HeaderInfo505Writer::WriteOctaveSetup(const std::string& spectra)
{
    const Setup505& s = m_Doc.Analyzer();
    if (m_Doc.SubKind() == 1)
        Add(TextItem(kRmsDetector, NameFor(RmsDetectorNames, s.rmsDetectorType)));
    // Only the octave functions count filters: the items beside them fit no band count.
    if (s.function == kFunction505Octave)
        Add(ItemLine(kOctaveFilters, int{s.bandCount}));
    else if (s.function == kFunction505ThirdOctave)
        Add(ItemLine(kThirdOctaveFilters, int{s.bandCount}));
    Add(TextItem(kSpectra, spectra));
    if (s.histogramFlag) {
        Add(ItemLine(kHistograms, int{s.histogram.count}));
        Add(ItemLine(kClasses, int{s.histogram.classes}));
        Add(ItemLine(kLowestClass, s.histogram.lowest / 10.0));
        Add(ItemLine(kClassWidth, s.histogram.width / 10.0));
    } else {
        Add(ItemLine(kHistograms, 0));
    }
}

void HeaderInfo505Writer::WriteColumns()
{
    const Setup505& s = m_Doc.Analyzer();
    std::array<std::string, kColumnLines> lines;
    std::size_t position = kHeaderLabelWidth;
    // Each cell starts a line with its label, or goes at the column's place.
    auto put = [&](std::size_t line, int labelItem, const std::string& cell) {
        std::string& text = lines[line];
        if (text.empty())
            text = Label(labelItem);
        text.resize(std::max(text.size(), position), ' ');
        text += cell;
    };
    auto column = [&](bool header) {
        const CurrentChannel& ch = m_Doc.Channel();
        if (header) {
            put(kColumnRule, kItem505Rule, Format(kItem505Rule));
            put(kColumnHeader, kItem505Channel, StrPrintf(Format(kItem505Channel), ch.channel + 1));
            put(kColumnRuleBelow, kItem505Rule, Format(kItem505Rule));
        }
        put(kColumnInput, kChannelInput, StrPrintf(Format(kChannelInput), NameFor(InputShortNames, ch.inputKind).data()));
        put(kColumnRange, kRange, StrPrintf(Format(kRange), RangeText().c_str()));
        put(kColumnReference, kReferenceLevel, StrPrintf(Format(kReferenceLevel), ReferenceText().c_str()));
        put(kColumnFilter, kFilter, StrPrintf(Format(kFilter), std::string(FilterName()).c_str()));
        put(kColumnCalibration, kCalibration, StrPrintf(Format(kCalibration), CalibrationText().c_str()));
        put(kColumnLowPass, kLowPass, StrPrintf(Format(kLowPass), LowPassCell505(ch.lowPassFilter).data()));
        position += kHeaderColumnWidth;
    };
    if (s.channelCount > 1) {
        for (int c = 0; c < s.channelCount; ++c)
            if (Selected(m_Mask, c)) {
                m_Doc.Select505Channel(c);
                column(true);
            }
    } else {
        column(false);
    }
    std::size_t width = 0;
    for (std::string& line : lines)
        if (!line.empty()) {
            width = std::max(width, line.size());
            Add(line);
        }
    // The closing rule runs under the columns, and is never shorter than the one above them.
    const std::string rule = Label(kItem505Rule) + Format(kItem505Rule);
    Add(std::string(std::max(width, rule.size()), '-'));
}

} // namespace

bool FormatHeaderInfo505(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask, bool allFiles,
                         int fileIndex, std::uint8_t unitOption)
{
    ClearLineList(&lines);
    *widest = 0;
    const FileKindInfo kind = FindFileKind(doc.FileKind());
    if (kind.Family != KindFamily::Setup505)
        return false;
    const bool merged = (kind.Traits & kKindMultifile) != 0;
    const int count = doc.SubfileCount();
    if (merged && count == 0)
        return false;
    // The report decodes and selects what it shows; the view gets back the sub-file and channel it had.
    const std::uint16_t shownFile = doc.AnalyzerSubfile();
    const int shownChannel = doc.Channel().channel;

    HeaderInfo505Writer writer(doc, lines, widest, channelMask, unitOption);
    if (!merged) {
        writer.WriteFile(false, 0);
    } else if (allFiles) {
        for (int file = 1; file <= count; ++file)
            writer.WriteFile(true, file);
    } else {
        writer.WriteFile(true, std::clamp(fileIndex, 1, count));
    }

    if (merged)
        doc.DecodeSetup505(shownFile);
    doc.Select505Channel(shownChannel);
    return true;
}

} // namespace orlu
