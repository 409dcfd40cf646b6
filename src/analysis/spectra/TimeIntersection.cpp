#include "analysis/spectra/TimeIntersection.h"

#include "analysis/spectra/BandUnits.h"
#include "analysis/spectra/FftLines.h"
#include "analysis/spectra/IntersectionSeries.h"
#include "analysis/spectra/LoggedSpectra.h"
#include "analysis/spectra/OctaveForms.h"
#include "document/units/LevelUnits.h"
#include "document/ViewComputations.h"
#include "document/channel/ChannelSelection.h"
#include "document/tables/BandTables.h"
#include "document/texts/NumberTexts.h"
#include "platform/ValueFormat.h"
#include "reports/table/ColumnTableWriter.h"
#include "reports/table/TableWriter.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

namespace orlu {
namespace {

constexpr unsigned kRuleLength = 71;

// The column headings by unit index; g, in/s and in (9 to 11) in the same layout.
std::string_view Heading(std::uint16_t unitIndex)
{
    switch (unitIndex) {
    case 1: return " Spct.No.     Lev[V]      Spct.No.     Lev[V]      Spct.No.     Lev[V] ";
    case 2: return " Spct.No.    Lev[Pa]      Spct.No.    Lev[Pa]      Spct.No.    Lev[Pa] ";
    case 3: return " Spct.No   Lev[m/s\xB2]      Spct.No   Lev[m/s\xB2]      Spct.No   Lev[m/s\xB2] ";
    case 4: return " Spct.No.   Lev[m/s]      Spct.No.   Lev[m/s]      Spct.No.   Lev[m/s] ";
    case 5: return " Spct.No.     Lev[m]      Spct.No.     Lev[m]      Spct.No.     Lev[m] ";
    case 9: return " Spct.No.     Lev[g]      Spct.No.     Lev[g]      Spct.No.     Lev[g] ";
    case 10: return " Spct.No.  Lev[in/s]      Spct.No.  Lev[in/s]      Spct.No.  Lev[in/s] ";
    case 11: return " Spct.No.    Lev[in]      Spct.No.    Lev[in]      Spct.No.    Lev[in] ";
    default: return " Spct.No.    Lev[dB]      Spct.No.    Lev[dB]      Spct.No.    Lev[dB] ";
    }
}

// Decimals of a frequency label: where the last non-zero digit of the first
// five decimals of the resolution lies (1.25 Hz: 2).
int LabelDecimals(double resolution)
{
    const std::string text = StrPrintf("%12.6f", resolution);
    const std::size_t point = text.find('.');
    int decimals = 0;
    for (int i = 1; i <= 5 && point != std::string::npos && point + static_cast<std::size_t>(i) < text.size(); ++i)
        if (text[point + static_cast<std::size_t>(i)] != '0')
            decimals = i;
    return decimals;
}

bool Fits(const Setup505& s, int bandKind)
{
    return (s.function == kFunction505Spectrum && bandKind == 2) || (s.function == kFunction505Octave && bandKind == 3) ||
           (s.function == kFunction505ThirdOctave && bandKind == 4);
}

std::string Cell(std::size_t number, double value, bool db)
{
    if (db)
        return StrPrintf("%6ld%13.1f", static_cast<long>(number), value);
    // The platform prints three exponent digits: the first goes.
    std::string cell = StrPrintf("%6ld%14.2e", static_cast<long>(number), value);
    cell.erase(17, 1);
    return cell;
}

std::string Caption(const TimeIntersectionChoice& choice, const TimeIntersection& t, int degree)
{
    std::string caption = choice.block ? "Block of the " : "";
    caption += choice.running ? "Total RMS for time intersection" : "Time intersection";
    AppendTitleSuffix(caption, choice.smoothed, choice.bandKind, static_cast<std::uint16_t>(degree), t.label);
    return caption;
}

std::vector<int> Channels(CTmDoc& doc, const TimeIntersectionChoice& choice)
{
    if (choice.channelMask == 0 || !doc.AnalyzerDecoded())
        return {choice.channel};
    std::vector<int> channels;
    for (int c = 0; c < doc.Analyzer().channelCount && c < 16; ++c)
        if (choice.channelMask & (1u << c))
            channels.push_back(c);
    return channels;
}

} // namespace

std::string FftLineLabel(int a, int lines, int totalPosition, double start, double resolution, int degree, bool graph)
{
    if ((a == 1 && totalPosition == 1) || (a == lines + 1 && totalPosition == 2))
        return graph ? "TOTAL" : "Total";
    const int e = std::max(degree, 1);
    const double f = a == 1 ? 0.0 : start + resolution + (e - 1) * resolution / 2.0 + (a - 2) * e * resolution;
    const std::string format = StrPrintf("%%.%cf Hz", static_cast<char>('0' + LabelDecimals(resolution)));
    return StrPrintf(format.c_str(), f);
}

// The label of band `index` (from 0) of centre `centre` among `bands`, or a total's name.
std::string BandLabelOf(const NameTable& totalNames, std::size_t index, std::size_t bands, double centre)
{
    if (index >= bands) {
        const long total = static_cast<long>(index - bands);
        return totalNames.At(total < totalNames.Count ? total : 0);
    }
    const std::span<const double> centres = ThirdOctaveCentres();
    const std::span<const char* const> labels = BandLabels();
    for (std::size_t k = 0; k < centres.size() && k < labels.size(); ++k)
        if (std::fabs(centres[k] - centre) <= 1e-6 * centre)
            return labels[k];
    return StrPrintf("%g Hz", centre);
}

// Group `group` (from 0) of `degree` lines of every record's spectrum, as the Spectra view
// aggregates them (power-summed, divided by the window factor), as linear values: the
// quantity's, or for a dB display the linear value of the group's level. Empty when a
// spectrum lies past the image.
std::vector<double> FftGroupSeries(const ImageReader& image, std::uint64_t firstLine, std::uint32_t stride,
                                   std::uint32_t records, const FftLines& lines, int degree, std::size_t group)
{
    const auto count = static_cast<std::uint32_t>(lines.lines);
    if (records == 0 || firstLine + std::uint64_t{stride} * (records - 1) + count >= UINT32_MAX ||
        !image.HasWords(firstLine + std::uint64_t{stride} * (records - 1), count))
        return {};
    std::vector<double> series(records), spectrum(count);
    for (std::uint32_t r = 0; r < records; ++r) {
        const auto at = static_cast<std::uint32_t>(firstLine + std::uint64_t{r} * stride);
        for (std::uint32_t i = 0; i < count; ++i)
            spectrum[i] = image.SignedWord(at + i) / 10.0;
        AggregateSpectrumLines(lines, lines.quantity, degree, spectrum);
        const double v = spectrum[group];
        series[r] = lines.quantity == kBandDb ? lines.channel.Total(v) : v;
    }
    return series;
}

// The octaves a current-family logger of third octaves folds, as the 1/1-octave view
// shows them, and the totals after them: octave or total `band` of each record.
std::optional<IntersectionSeries> ReadFoldedSeries(CTmDoc& doc, const TimeIntersectionChoice& choice)
{
    const std::optional<SpectrumWalk> walk = LoggedSpectrumWalk(doc);
    if (!walk || choice.band < 1)
        return std::nullopt;
    const auto index = static_cast<std::size_t>(choice.band - 1);
    const CurrentChannel& input = doc.Channel();
    const int quantity = doc.GetDisplayQuantity(choice.unitOption);
    OctaveChoices shown;
    shown.units = choice.unitOption;
    // The dB display reads the stored level: the offset a linear value carries is left out.
    const BandChannel unit{input.inputKind, 0, doc.NonMetric() != 0};
    IntersectionSeries result;
    result.db = quantity == kBandDb;
    result.unitIndex = GetUnitIndex(quantity, input.inputKind, doc.NonMetric() != 0);
    result.inputKind = input.inputKind;
    result.timeStep = doc.Header().timeStep;
    result.values.resize(walk->records);
    for (std::uint32_t r = 0; r < walk->records; ++r) {
        const std::optional<OctaveSpectrum> o = ReadOctaves(doc, {static_cast<int>(r) + 1, 0, kDetectorRms}, shown);
        if (!o || index >= o->rows)
            return std::nullopt;
        const double v = o->values.values[index];
        result.values[r] = result.db ? unit.Total(v) : v;
        if (r == 0)
            result.label = BandLabelOf(doc.Header().totalNames, index, o->bandRows,
                                       index < o->centres.size() ? o->centres[index] : 0.0);
    }
    return result;
}

// Where a logger keeps the FFT spectra of a channel and how their lines lie: a
// current-family FFT logger (its one channel) or an FFT channel of a four-channel logger.
struct LoggedFftLayout {
    SpectrumWalk walk;
    std::uint16_t lines = 0;
    bool extraLine = false;
    double firstHz = 0.0;
    double resolution = 1.0;
    double windowPower = 1.0;
};

std::optional<LoggedFftLayout> LoggedFftOf(CTmDoc& doc, int channel)
{
    const CurrentHeader& h = doc.Header();
    LoggedFftLayout layout;
    if (h.model.FourChannel) {
        const std::optional<SpectrumWalk> walk = FourChannelSpectrumWalk(doc, channel);
        if (!walk)
            return std::nullopt;
        doc.SelectChannelProfile(channel, 0);
        const CurrentChannel& ch = doc.Channel();
        layout.walk = *walk;
        layout.lines = ch.bandCount;
        layout.extraLine = ch.bandExtras != 0;
        layout.firstHz = ch.fftAxisStart;
        layout.resolution = ch.firstBandHz;
        layout.windowPower = ch.fftWindowPower;
        return layout;
    }
    const std::optional<SpectrumWalk> walk = LoggedSpectrumWalk(doc);
    if (!walk || LoggedBandKind(doc) != 2 || channel != 0)
        return std::nullopt;
    layout.walk = *walk;
    layout.lines = h.bandCount;
    layout.extraLine = h.fftExtraLine != 0;
    layout.firstHz = h.fftFirstHz;
    layout.resolution = h.firstFrequency;
    layout.windowPower = h.fftWindowPower;
    return layout;
}

// Line (or TOTAL) `band` of a logger's FFT spectra, or a group of lines as the Spectra
// view aggregates them (the TOTAL, when the file stores one, after the last group).
std::optional<IntersectionSeries> ReadLoggedFftSeries(CTmDoc& doc, const TimeIntersectionChoice& choice, int channel)
{
    const std::optional<LoggedFftLayout> layout = LoggedFftOf(doc, channel);
    if (!layout || choice.band < 1)
        return std::nullopt;
    const SpectrumWalk& walk = layout->walk;
    const CurrentChannel& input = doc.Channel();
    const int quantity = doc.GetDisplayQuantity(choice.unitOption);
    IntersectionSeries result;
    result.db = quantity == kBandDb;
    result.unitIndex = GetUnitIndex(quantity, input.inputKind, doc.NonMetric() != 0);
    result.inputKind = input.inputKind;
    result.timeStep = doc.Header().timeStep;
    const auto index = static_cast<std::size_t>(choice.band - 1);
    if (choice.fftDegree > 1) {
        FftLines lines;
        lines.lines = layout->lines;
        lines.start = layout->firstHz;
        lines.resolution = layout->resolution;
        lines.windowFactor = layout->windowPower > 0.0 ? layout->windowPower : 1.0;
        lines.quantity = quantity;
        lines.channel = {input.inputKind, quantity == kBandDb ? std::int16_t{0} : GetChannelOffset(doc.Levels(), input),
                         doc.NonMetric() != 0};
        const auto groups = static_cast<std::size_t>(lines.Groups(choice.fftDegree));
        if (index >= groups)
            return std::nullopt;
        result.label = FftLineLabel(choice.band, static_cast<int>(groups), 0, lines.start, lines.resolution,
                                    choice.fftDegree, false);
        result.values =
            FftGroupSeries(doc.Reader(), walk.firstValue, walk.stride, walk.records, lines, choice.fftDegree, index);
        if (result.values.empty())
            return std::nullopt;
        return result;
    }
    if (index >= walk.values)
        return std::nullopt;
    const std::uint64_t first = std::uint64_t{walk.firstValue} + index;
    const ImageReader image = doc.Reader();
    if (walk.records == 0 || first + std::uint64_t{walk.stride} * (walk.records - 1) >= UINT32_MAX ||
        !image.HasWords(first + std::uint64_t{walk.stride} * (walk.records - 1), 1))
        return std::nullopt;
    const double centre = layout->firstHz + static_cast<double>(index) * layout->resolution;
    const BandChannel unit{input.inputKind,
                           quantity == kBandDb ? std::int16_t{0} : GetChannelOffset(doc.Levels(), input),
                           doc.NonMetric() != 0};
    result.label = FftLineLabel(choice.band, layout->lines, layout->extraLine ? 2 : 0, layout->firstHz,
                                layout->resolution, 1, false);
    result.values.resize(walk.records);
    for (std::uint32_t r = 0; r < walk.records; ++r) {
        const double db = image.SignedWord(static_cast<std::uint32_t>(first + std::uint64_t{r} * walk.stride)) / 10.0;
        result.values[r] = index >= layout->lines || quantity == kBandDb ? unit.Total(db)
                                                                         : unit.AtFrequency(db, centre, quantity);
    }
    return result;
}

// A current-family logger of spectra (its one channel) or the FFT channels of a
// four-channel logger: each row's spectrum.
std::optional<IntersectionSeries> ReadLoggedSeries(CTmDoc& doc, const TimeIntersectionChoice& choice, int channel)
{
    if (choice.bandKind == 2)
        return ReadLoggedFftSeries(doc, choice, channel);
    if (choice.bandKind == 3 && LoggedBandKind(doc) == 4 && channel == 0)
        return ReadFoldedSeries(doc, choice);
    const std::optional<SpectrumWalk> walk = LoggedSpectrumWalk(doc);
    if (!walk || LoggedBandKind(doc) != choice.bandKind || channel != 0 || choice.band < 1 ||
        static_cast<std::uint32_t>(choice.band) > walk->values)
        return std::nullopt;
    const auto index = static_cast<std::size_t>(choice.band - 1);
    const std::uint64_t first = std::uint64_t{walk->firstValue} + index;
    const ImageReader image = doc.Reader();
    if (first + std::uint64_t{walk->stride} * (walk->records - 1) >= UINT32_MAX ||
        !image.HasWords(first + std::uint64_t{walk->stride} * (walk->records - 1), 1))
        return std::nullopt;
    const CurrentHeader& h = doc.Header();
    const CurrentChannel& input = doc.Channel();
    const int quantity = doc.GetDisplayQuantity(choice.unitOption);
    const std::size_t bands = choice.bandKind == 3 ? h.octaveBandsShown : h.thirdBandsShown;
    const std::span<const double> table = ThirdOctaveCentres();
    // A 1/1 band's centre is the middle one of its three thirds.
    const std::size_t at = static_cast<std::size_t>(std::max(h.bandTableIndex, 0)) +
                           (choice.bandKind == 3 ? 1 + 3 * index : index);
    const double centre = at < table.size() ? table[at] : 0.0;
    BandChannel unit{input.inputKind,
                     quantity == kBandDb ? std::int16_t{0} : GetChannelOffset(doc.Levels(), input), doc.NonMetric() != 0};

    IntersectionSeries result;
    result.db = quantity == kBandDb;
    result.unitIndex = GetUnitIndex(quantity, input.inputKind, doc.NonMetric() != 0);
    result.inputKind = input.inputKind;
    result.timeStep = h.timeStep;
    result.label = BandLabelOf(h.totalNames, index, bands, centre);
    result.values.resize(walk->records);
    for (std::uint32_t r = 0; r < walk->records; ++r) {
        const double db = image.SignedWord(static_cast<std::uint32_t>(first + std::uint64_t{r} * walk->stride)) / 10.0;
        result.values[r] = index >= bands ? unit.Total(db) : unit.Band(db, centre, std::max(quantity, 1));
    }
    return result;
}

std::optional<IntersectionSeries> ReadIntersectionSeries(CTmDoc& doc, const TimeIntersectionChoice& choice,
                                                        int channel)
{
    if (!doc.AnalyzerDecoded())
        return ReadLoggedSeries(doc, choice, channel);
    const Setup505& s = doc.Analyzer();
    const std::uint32_t records = s.timeHistory ? s.recordCount : static_cast<std::uint32_t>(std::max(s.spectraCount, 0));
    if (!Fits(s, choice.bandKind) || channel < 0 || channel >= s.channelCount || records == 0 || choice.band < 1 ||
        choice.band > s.bandEnd)
        return std::nullopt;
    const auto index = static_cast<std::size_t>(choice.band - 1);
    const std::uint32_t t = s.timeHistory ? 1 : 0;
    if (choice.bandKind == 2 && choice.fftDegree > 1) {
        // A group of lines, as the Spectra view aggregates them.
        const Channel505& input = s.channels[static_cast<std::size_t>(channel)];
        FftLines lines;
        lines.lines = s.bandEnd;
        lines.start = s.axisStartHz;
        lines.resolution = s.lineSpacingHz;
        lines.windowFactor = s.windowPower > 0.0 ? s.windowPower : 1.0;
        lines.quantity = GetDisplayQuantity(input.inputKind, choice.unitOption, s.mixedInputs);
        lines.channel = {input.inputKind, lines.quantity == kBandDb ? std::int16_t{0} : s.sensitivityOffset, false};
        const auto groups = static_cast<std::size_t>(lines.Groups(choice.fftDegree));
        if (index >= groups)
            return std::nullopt;
        IntersectionSeries result;
        result.db = lines.quantity == kBandDb;
        result.unitIndex = GetUnitIndex(lines.quantity, input.inputKind, false);
        result.inputKind = input.inputKind;
        result.timeStep = s.timeStep;
        result.label = FftLineLabel(choice.band, static_cast<int>(groups), 0, lines.start, lines.resolution,
                                    choice.fftDegree, false);
        result.values = FftGroupSeries(doc.Reader(), std::uint64_t{s.SpectrumAt(0)} + static_cast<std::uint32_t>(channel) * (s.bandEnd + t) + t,
                                       s.RecordWords(), records, lines, choice.fftDegree, index);
        if (result.values.empty())
            return std::nullopt;
        return result;
    }
    const std::uint32_t first = s.SpectrumAt(0) + static_cast<std::uint32_t>(channel) * (s.bandEnd + t) + t +
                                static_cast<std::uint32_t>(index);
    const ImageReader image = doc.Reader();
    if (!image.HasWords(first + std::uint64_t{s.RecordWords()} * (records - 1), 1))
        return std::nullopt;

    const Channel505& input = s.channels[static_cast<std::size_t>(channel)];
    const int quantity = GetDisplayQuantity(input.inputKind, choice.unitOption, s.mixedInputs);
    const bool fft = choice.bandKind == 2;
    const std::size_t bands = fft ? s.bandEnd : choice.bandKind == 3 ? s.octaveBandCount : s.thirdBandCount;
    const std::size_t at = choice.bandKind == 3 ? 1 + 3 * index : index;
    const double centre = fft ? s.axisStartHz + static_cast<double>(index) * s.lineSpacingHz
                              : at < s.bandFrequencies.size() ? s.bandFrequencies[at] : 0.0;
    // The dB display reads the stored level: the offset that a linear value
    // carries is left out, so that it cancels.
    BandChannel unit{input.inputKind, quantity == kBandDb ? std::int16_t{0} : s.sensitivityOffset, false};

    IntersectionSeries result;
    result.db = quantity == kBandDb;
    result.unitIndex = GetUnitIndex(quantity, input.inputKind, false);
    result.inputKind = input.inputKind;
    result.timeStep = s.timeStep;
    result.label = fft ? FftLineLabel(choice.band, s.bandEnd, 0, s.axisStartHz, s.lineSpacingHz, 1, false)
                       : BandLabelOf(s.totalNames, index, bands, centre);
    result.values.resize(records);
    for (std::uint32_t r = 0; r < records; ++r) {
        const double db = image.SignedWord(first + r * s.RecordWords()) / 10.0;
        double& v = result.values[r];
        if (index >= bands) {
            v = unit.Total(db);
        } else if (fft && quantity >= kBandVelocity) {
            // A line's own frequency; line 0 of a spectrum from 0 Hz has none.
            const double w = 2.0 * std::numbers::pi * centre;
            v = w > 0.0 ? unit.Total(db) / (quantity == kBandVelocity ? w : w * w) : 0.0;
        } else {
            v = unit.Band(db, centre, std::max(quantity, 1));
        }
    }
    return result;
}

std::optional<TimeIntersection> ReadTimeIntersection(CTmDoc& doc, const TimeIntersectionChoice& choice,
                                                     int channel)
{
    std::optional<IntersectionSeries> read = ReadIntersectionSeries(doc, choice, channel);
    if (!read)
        return std::nullopt;
    TimeIntersection result;
    result.db = read->db;
    result.unitIndex = read->unitIndex;
    result.label = read->label;
    result.inputKind = read->inputKind;
    std::vector<double>& series = read->values;
    if (choice.running)
        ComputeRunningLeq(series, read->timeStep, {.running = series, .exposure = {}});
    const std::size_t points = AggregateRecords(series, read->inputKind, !result.db, choice.recordDegree);
    series.resize(points);
    if (choice.smoothed)
        SmoothMovingAverage(series);
    result.points = std::move(series);
    result.count = points;
    if (choice.block) {
        // The cursors' spectra as points, kept inside the series.
        const std::size_t f = static_cast<std::size_t>(std::max(choice.recordDegree, 1));
        const std::size_t from = std::min<std::size_t>(choice.blockFirst / f, points);
        const std::size_t to = std::min<std::size_t>(choice.blockLast / f, points == 0 ? 0 : points - 1);
        result.first = from;
        result.count = to >= from && from < points ? to - from + 1 : 0;
    }
    return result;
}

IntersectionBlockStatistics BlockStatisticsOf(const IntersectionSeries& series, const TimeIntersectionChoice& choice)
{
    IntersectionBlockStatistics b;
    const std::size_t n = series.values.size();
    const auto f = static_cast<std::size_t>(std::max(choice.recordDegree, 1));
    const std::size_t c1 = std::min<std::size_t>(std::min(choice.blockFirst, choice.blockLast), n);
    // The block reaches the end of the cursors' last point, never past the data.
    const std::size_t end = std::min<std::size_t>(std::size_t{std::max(choice.blockFirst, choice.blockLast)} + f, n);
    if (!choice.block || end <= c1)
        return b;
    const std::span<const double> block = std::span(series.values).subspan(c1, end - c1);
    b.running.resize(block.size());
    b.exposure.resize(block.size());
    double low = 0.0, high = 0.0;
    ComputeRunningLeq(block, series.timeStep, {.running = b.running, .exposure = b.exposure, .minimum = &low, .maximum = &high});
    b.running.resize(AggregateRecords(b.running, series.inputKind, !series.db, choice.recordDegree));
    b.exposure.resize(AggregateExposure(b.exposure, series.inputKind, !series.db, choice.recordDegree));
    b.minimum = low;
    b.maximum = high;
    if (series.db) {
        // A single value's level, referred as the running RMS is.
        for (double* v : {&b.minimum, &b.maximum}) {
            double one = *v;
            AggregateRecords(std::span(&one, 1), series.inputKind, false, 1);
            *v = one;
        }
    }
    b.shown = true;
    return b;
}

int FormatTimeIntersectionText(LineList& lines, int* widest, CTmDoc& doc, const TimeIntersectionChoice& choice)
{
    ClearLineList(&lines);
    int wide = widest ? *widest : 0;
    auto add = [&](std::string line) { AddLine(lines, line, &wide); };
    bool any = false;
    for (int channel : Channels(doc, choice)) {
        const std::optional<TimeIntersection> t = ReadTimeIntersection(doc, choice, channel);
        if (!t)
            continue;
        any = true;
        add("");
        std::string caption = Caption(choice, *t, 1);
        if (choice.channelMask != 0)
            caption += StrPrintf("  in the Channel #%d", channel + 1);
        add(caption);
        std::string count = StrPrintf("   total number of results = %lu", static_cast<unsigned long>(t->points.size()));
        if (choice.recordDegree > 1)
            count += StrPrintf(" [aggreg.degree=%d]", choice.recordDegree);
        add(count);
        if (choice.block)
            add(StrPrintf("   number of results in the block = %lu", static_cast<unsigned long>(t->count)));
        const std::string rule(kRuleLength, '-');
        add(rule);
        add(std::string(Heading(t->unitIndex)));
        add(rule);
        const std::size_t rows = (t->count + 2) / 3;
        for (std::size_t r = 0; r < rows; ++r) {
            std::string row;
            for (std::size_t k = 0; k < 3; ++k) {
                const std::size_t i = k * rows + r;
                if (i >= t->count)
                    break;
                if (k > 0)
                    row += "      ";
                row += Cell(t->first + i + 1, t->points[t->first + i], t->db);
            }
            add(row);
        }
        add(rule);
    }
    if (widest)
        *widest = wide;
    return any ? 1 : 0;
}

int FormatTimeIntersectionTable(LineList& lines, int* widest, CTmDoc& doc, const TimeIntersectionChoice& choice,
                                const TableOutputOptions& options)
{
    const std::optional<TimeIntersection> t = ReadTimeIntersection(doc, choice, choice.channel);
    if (!t)
        return 0;
    std::string caption = Caption(choice, *t, choice.recordDegree);
    std::replace(caption.begin(), caption.end(), ' ', '_');
    std::vector<double> x(t->count);
    for (std::size_t i = 0; i < t->count; ++i)
        x[i] = static_cast<double>(t->first + i + 1);
    const std::string header(Heading(t->unitIndex));
    ColumnTableSource source;
    source.BandKind = choice.bandKind;
    source.InputKind = t->inputKind;
    const ColumnTableFormat format{.Pairs = 3,
                                   .Caption = caption,
                                   .HeaderWords = header,
                                   .RowFormat = t->db ? "%-10.0f%-10.1f" : "%-10.0f%-10.2e",
                                   .NameFormat = nullptr};
    int wide = widest ? *widest : 0;
    WriteColumnTable(lines, &wide, source, x, std::span(t->points).subspan(t->first, t->count), 0, options, format);
    if (widest)
        *widest = wide;
    return 1;
}

} // namespace orlu
