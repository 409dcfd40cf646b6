#include "analysis/statistics/LoggerColumns.h"

#include "document/Subfiles.h"
#include "document/buffer/BufferColumns.h"
#include "document/container/FileKindCode.h"
#include "document/headers/CurrentHeader.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace orlu {
namespace {

constexpr int kProfiles = 3;
constexpr std::uint16_t kRowBitsEnd = 5; // rows 0 to 3 and the pseudo row 4

std::uint16_t Bit(int row)
{
    return static_cast<std::uint16_t>(1u << row);
}

// The three result-slot masks of a four-channel file's channel.
std::array<std::uint16_t, kProfiles> ChannelMasks(const CurrentHeader& h, int channel)
{
    std::array<std::uint16_t, kProfiles> masks{};
    const ChannelSetup& setup = h.fourChannel.channels[static_cast<std::size_t>(channel)];
    for (int g = 0; g < kProfiles; ++g)
        masks[static_cast<std::size_t>(g)] = setup.profiles[static_cast<std::size_t>(g)].bufferWord;
    return masks;
}

// Results each (channel, result group) logs, 3 x channel + group.
std::vector<std::uint8_t> FourChannelCounts(const CurrentHeader& h, int channels)
{
    std::vector<std::uint8_t> counts;
    for (int c = 0; c < channels; ++c)
        for (std::uint16_t mask : ChannelMasks(h, c))
            counts.push_back(static_cast<std::uint8_t>(std::popcount(static_cast<unsigned>(mask & 0xFF))));
    return counts;
}

std::array<std::uint16_t, kProfiles> ProfileMasks(const CurrentHeader& h)
{
    return {h.profiles[0].bufferWord, h.profiles[1].bufferWord, h.profiles[2].bufferWord};
}

std::array<std::uint8_t, kProfiles> ProfileCounts(const CurrentHeader& h)
{
    std::array<std::uint8_t, kProfiles> counts{};
    for (int p = 0; p < kProfiles; ++p)
        counts[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>(h.profiles[static_cast<std::size_t>(p)].resultsInBuffer);
    return counts;
}

// The rows of the file that log anything: bit per channel or profile, bit 4 the pseudo channel.
std::uint16_t LoggedRows(const CurrentHeader& h)
{
    if (h.model.FourChannel && h.fourChannel.waveform)
        return h.fourChannel.waveformChannelMask;
    return static_cast<std::uint16_t>(h.profilesWithBuffer & (Bit(kRowBitsEnd) - 1));
}

// A column logs only where its value lies inside the row.
bool FitsRow(const LoggerPlace& place, std::int64_t offset, std::int64_t bytes, bool byteOffset)
{
    const std::int64_t start = byteOffset ? offset : 2 * offset;
    return offset >= 0 && start + bytes <= 2 * std::int64_t{place.rowWords};
}

void SetRotation(LoggerColumn& c, const LoggerPlace& place, std::int64_t offset)
{
    c.content = LoggerContent::Rotation;
    c.name = "RPM";
    c.kind = AggregationKind::Mean;
    c.column.offset = static_cast<std::int16_t>(std::clamp<std::int64_t>(offset, 0, place.rowWords));
    c.logged = place.rotation && FitsRow(place, offset, 4, false);
}

void SetLevels(LoggerColumn& c, const LoggerPlace& place, std::int64_t offset, bool logged)
{
    c.kind = GetAggregationKind(c.name);
    c.column.offset = static_cast<std::int16_t>(std::clamp<std::int64_t>(offset, 0, place.rowWords));
    c.logged = logged && FitsRow(place, offset, 2, false);
}

// The rows of the Multifile's file the header was decoded from, read only up to the file's
// end word; null when they cannot be had.
std::shared_ptr<const SubfileLoggerRows> SplitSubfileLogger(CTmDoc& doc, std::uint32_t dataStart)
{
    const CurrentHeader& h = doc.Header();
    const std::uint64_t start = doc.GetSubfileStart(doc.DecodedSubfile());
    const std::uint64_t end = std::min<std::uint64_t>(start + doc.CurrentSubfileLength() / 2, doc.Reader().WordCount());
    if (dataStart <= start || dataStart >= end)
        return nullptr;
    auto rows = std::make_shared<SubfileLoggerRows>();
    LoggerSplitInput input;
    input.variant = LoggerVariant::CurrentLogger;
    input.dataStart = dataStart;
    input.rowLength = h.rowLength;
    input.declaredCount = h.declaredCount;
    const ImageReader file(doc.Reader().Image(), static_cast<std::uint32_t>(2 * end));
    if (!SplitLogger(file, rows->pool, input, rows->split))
        return nullptr;
    return rows;
}

} // namespace

std::optional<LoggerPlace> LocateLogger(CTmDoc& doc)
{
    const std::uint8_t kind = doc.FileKind();
    if (FindFileKind(kind).Family != KindFamily::Current || !doc.HeaderDecoded())
        return std::nullopt;
    const CurrentHeader& h = doc.Header();
    // The files of a four-channel Multifile are shown without their loggers.
    const bool merged = IsCurrentMultifileKind(kind);
    if (merged && h.model.FourChannel)
        return std::nullopt;
    const bool samples = h.model.FourChannel && h.fourChannel.waveform;
    if (h.setupFile || !h.timeHistory || h.rowLength == 0 || (h.resultsPerBufferRecord == 0 && !samples))
        return std::nullopt;
    // Rows longer than a signed word can step are no logger this program reads.
    if (h.rowLength > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    LoggerPlace place;
    place.first = doc.FindBufferData(doc.DecodedSubfile());
    if (place.first == 0)
        return std::nullopt;
    place.layout = h.model.FourChannel ? LoggerLayout::FourChannel
                   : h.model.LaterModel ? LoggerLayout::Slots
                                        : LoggerLayout::SingleResult;
    place.rowWords = h.rowLength;
    place.channels = h.model.FourChannel ? std::min<int>(h.channelCount, kFourChannelMaxChannels)
                                         : std::min<int>(h.channelCount, kProfiles);
    place.samples = samples;
    place.vector = h.model.FourChannel && h.fourChannel.vector && h.fourChannel.vectorInBuffer != 0;
    place.rotation = h.model.FourChannel ? h.fourChannel.rotationInBuffer != 0 : h.rotationMeasurement != 0;
    place.loggedRows = LoggedRows(h);
    place.firmware = h.firmware;
    place.timeStep = h.timeStep;
    place.timeUnit = h.timeStepUnit;
    std::size_t declared = h.shownRecordCount;
    if (doc.RecordIndexPresent())
        declared = std::min<std::size_t>(declared, doc.GetRecordIndex().size());
    if (merged) {
        place.subfileRows = SplitSubfileLogger(doc, place.first);
        if (!place.subfileRows)
            return std::nullopt;
        place.multifileName = doc.GetSubfileName(doc.DecodedSubfile());
        declared = place.subfileRows->split.kept;
    }
    // A logger cut short, or declaring more rows than it holds, shows the rows it has.
    const TimeHistoryColumn rows{place.first, static_cast<std::int16_t>(place.rowWords), 0};
    place.records = RowsInImage(LoggerImage(doc, place), rows, 0, declared, false, 2u * place.rowWords);
    return place;
}

ImageReader LoggerImage(const CTmDoc& doc, const LoggerPlace& place)
{
    if (place.subfileRows)
        return ImageReader(place.subfileRows->split.image, place.subfileRows->split.byteCount);
    return doc.Reader();
}

void LoggerRecordNumbers(const CTmDoc& doc, const LoggerPlace& place, std::vector<std::uint32_t>& numbers)
{
    const bool own = place.subfileRows != nullptr;
    const RecordIndex& index = own ? place.subfileRows->split.index : doc.GetRecordIndex();
    numbers.resize(place.records);
    std::size_t i = own || doc.RecordIndexPresent() ? index.CopyTo(numbers) : 0;
    for (; i < place.records; ++i)
        numbers[i] = static_cast<std::uint32_t>(i + 1);
}

LoggerColumn DescribeLoggerColumn(CTmDoc& doc, const LoggerPlace& place, int row, int n)
{
    const CurrentHeader& h = doc.Header();
    LoggerColumn c;
    c.row = row;
    c.column.first = place.first;
    c.column.stride = static_cast<std::int16_t>(place.rowWords);
    const bool pseudo = row >= place.channels;

    if (place.samples) {
        const std::uint16_t mask = h.fourChannel.waveformChannelMask;
        doc.SelectChannelProfile(pseudo ? kLoggerPseudoRow : row, 0);
        if (pseudo) {
            SetRotation(c, place, CountMaskedColumns(mask, kLoggerPseudoRow) / 2);
            return c;
        }
        c.content = LoggerContent::Samples;
        c.name = "TIME";
        c.kind = AggregationKind::SampleMean;
        const int offset = CountMaskedColumns(mask, row);
        c.column.offset = static_cast<std::int16_t>(offset);
        c.logged = (mask & Bit(row)) != 0 && FitsRow(place, offset, 3, true);
        return c;
    }

    switch (place.layout) {
    case LoggerLayout::FourChannel: {
        const std::vector<std::uint8_t> counts = FourChannelCounts(h, place.channels);
        if (pseudo) {
            doc.SelectChannelProfile(kLoggerPseudoRow, 0);
            const std::int64_t after = GetBufferColumnOffset(counts, place.channels, 0, 0);
            if (n == 0 && place.vector) {
                c.content = LoggerContent::Vector;
                c.name = "RMS_Vect";
                SetLevels(c, place, after, true);
            } else {
                SetRotation(c, place, after + (h.fourChannel.vectorInBuffer != 0 ? 1 : 0));
            }
            return c;
        }
        const std::array<std::uint16_t, kProfiles> masks = ChannelMasks(h, row);
        const std::optional<SlotPosition> slot = FindLoggedResult(masks, n);
        c.profile = slot ? slot->group : 0;
        doc.SelectChannelProfile(row, c.profile);
        const std::uint16_t input = doc.Channel().inputKind;
        c.name = std::string(GetChannelResultName(masks, n, input == kInputMicrophone));
        c.total = TotalKindChannel(masks, n, input);
        SetLevels(c, place, GetBufferColumnOffset(counts, row, c.profile, n), slot.has_value());
        return c;
    }
    case LoggerLayout::Slots: {
        const std::array<std::uint8_t, kProfiles> counts = ProfileCounts(h);
        doc.SelectChannelProfile(pseudo ? kLoggerPseudoRow : row, 0);
        if (pseudo) {
            SetRotation(c, place, SumBytes(counts, kProfiles, 0));
            return c;
        }
        const std::array<std::uint16_t, kProfiles> masks = ProfileMasks(h);
        const std::uint16_t input = doc.Channel().inputKind;
        c.name = std::string(GetProfileResultName(masks, row, n, input == kInputMicrophone));
        c.total = TotalKindMasked(masks[static_cast<std::size_t>(row)], n, input);
        SetLevels(c, place, SumBytes(counts, row, static_cast<std::uint16_t>(n)), !c.name.empty());
        return c;
    }
    case LoggerLayout::SingleResult:
        break;
    }
    doc.SelectChannelProfile(pseudo ? kLoggerPseudoRow : row, 0);
    const int rank = ColumnIndexFromMask(h.profilesWithBuffer, pseudo ? kLoggerPseudoRow : row);
    if (pseudo) {
        SetRotation(c, place, rank - 1);
        return c;
    }
    const std::uint16_t code = h.profiles[static_cast<std::size_t>(row)].bufferWord;
    c.name = h.bufferResultNames.At(static_cast<long>(code) + 1);
    // The result named RMS (LEQ in the older files) carries the total, whichever code the
    // file's model and firmware give it.
    c.total = c.name == "RMS" || c.name == "LEQ" ? TotalKindOfInput(doc.Channel().inputKind) : TotalKind::None;
    SetLevels(c, place, rank - 1, rank > 0);
    return c;
}

LoggerRows ShownLoggerRows(const LoggerPlace& place, std::uint16_t mask, const std::array<std::uint8_t, 5>& results)
{
    LoggerRows shown;
    if (mask == 0) {
        shown.rows.push_back(0);
        return shown;
    }
    for (int row = 0; row < place.channels; ++row)
        if (mask & place.loggedRows & Bit(row))
            shown.rows.push_back(row);
    if (!(mask & Bit(kLoggerPseudoRow)))
        return shown;
    // The pseudo row shows the vector when it is chosen, else the rotation.
    if (place.vector && results[kLoggerPseudoRow] == 0)
        shown.rows.push_back(kLoggerPseudoRow);
    else
        shown.rotation = place.rotation;
    return shown;
}

std::string LoggerWeightingName(const CTmDoc& doc, const LoggerPlace& place)
{
    const CurrentChannel& ch = doc.Channel();
    // Profile files of firmware 2.00 and before number their filters from 1.
    const long shift = place.layout != LoggerLayout::FourChannel && place.firmware <= 200 ? 1 : 0;
    return ch.filterNames.At(static_cast<long>(ch.filter) + shift);
}

std::string LoggerDetectorName(const CTmDoc& doc)
{
    return doc.Channel().detectorNames.At(static_cast<long>(doc.Channel().detectorIndex) + 1);
}

bool CaptionNamesDetector(std::string_view resultName)
{
    return IsLevelResultName(resultName, false);
}

} // namespace orlu

#include "analysis/statistics/Aggregation.h"
#include "analysis/statistics/ChannelScale.h"
#include "analysis/statistics/LevelColumnAggregation.h"
#include "analysis/statistics/RunningTotals.h"

#include <cmath>

namespace orlu {

LoggerValues ReadLoggerValues(const CTmDoc& doc, const LoggerPlace& place, const LoggerColumn& c, bool totals,
                              bool linear, int degree)
{
    LoggerValues out;
    if (!c.logged)
        return out;
    const ImageReader image = LoggerImage(doc, place);
    // The levels as logged go through the one-pass reduction: this is what a graph
    // rebuilds at every change of the degree.
    if (!totals && (c.content == LoggerContent::Levels || c.content == LoggerContent::Vector) &&
        ReducesLevelColumn(c.kind)) {
        AggregateLevelColumn(image, c.column, kCurrentLoggerCoding, place.records, c.kind, linear,
                             ChannelLinearScale(doc), degree, out.values, out.overload);
        return out;
    }
    out.values.assign(place.records, 0.0);
    out.overload.assign(place.records, 0);
    std::size_t n = 0;
    switch (c.content) {
    case LoggerContent::Samples: {
        n = ReadSampleRun(image, c.column, 0, out.values);
        out.values.resize(n);
        n = Aggregate(AggregationKind::SampleMean, out.values, false, {}, degree);
        // A range of no known level leaves the samples as fractions of full scale.
        const double scale = doc.Channel().sampleScale;
        if (std::isfinite(scale) && scale > 0.0)
            for (std::size_t i = 0; i < n; ++i)
                out.values[i] *= scale;
        break;
    }
    case LoggerContent::Rotation:
        n = ReadRealRun(image, c.column, place.firmware, 0, out.values);
        out.values.resize(n);
        n = Aggregate(AggregationKind::Mean, out.values, false, {}, degree);
        break;
    case LoggerContent::Levels:
    case LoggerContent::Vector: {
        AggregationKind kind = c.kind;
        if (totals) {
            n = RunningTotals(image, c.column, kCurrentLoggerCoding, 0, place.records, place.timeStep,
                              RunningTotalsOut{.leq = out.values, .sel = {}, .min = nullptr, .max = nullptr});
            kind = AggregationKind::EnergyMean;
        } else {
            n = ReadLevelRun(image, c.column, kCurrentLoggerCoding, 0, out.values, out.overload);
        }
        out.values.resize(n);
        out.overload.resize(n);
        n = Aggregate(kind, out.values, linear, ChannelLinearScale(doc), degree, out.overload);
        break;
    }
    }
    out.values.resize(std::min(n, out.values.size()));
    out.overload.resize(out.values.size());
    return out;
}

} // namespace orlu
