#include "analysis/spectra/OctaveGraphData.h"

#include "analysis/spectra/BandUnits.h"
#include "analysis/spectra/MultiElementPicture.h"
#include "document/MissingValue.h"
#include "document/tables/BandTables.h"
#include "document/units/LevelUnits.h"
#include "reports/common/SubfileSelectionKeeper.h"

#include <algorithm>
#include <vector>

namespace orlu {
namespace {

constexpr std::uint8_t kBarsOfOneSpectrum = 2;
constexpr std::uint8_t kPictureOfCurrentFamily = 2;
// Picture frequency bounds of octave data (the engine labels bands, not Hz).
constexpr double kPictureFirstFrequency = 0.002;
constexpr double kPictureLastFrequency = 16.0;
constexpr std::uint16_t kFirmwareFourHundred = 400;

struct Conversion {
    std::size_t bands = 0;
    std::span<const double> centres;
    BandChannel channel;
    int quantity = kBandDb;
};

Conversion ConversionOf(const CTmDoc& doc, std::size_t count, std::uint8_t units)
{
    const CurrentChannel& ch = doc.Channel();
    const LevelContext levels = doc.Levels();
    Conversion c;
    c.bands = std::min<std::size_t>(ch.bandCount, count);
    const std::span<const double> table = ThirdOctaveCentres();
    c.centres = ch.bandTableIndex >= 0 && static_cast<std::size_t>(ch.bandTableIndex) < table.size()
                    ? table.subspan(static_cast<std::size_t>(ch.bandTableIndex))
                    : ThirdOctaveCentrePtr(static_cast<std::uint16_t>(c.bands));
    c.channel = BandChannel{ch.inputKind, GetChannelOffset(levels, ch), levels.nonMetric};
    c.quantity = doc.GetDisplayQuantity(units);
    return c;
}

// Values drawn of a spectrum of count values: an accelerometer's two further
// trailing values (of three) are no bars.
std::size_t RowLength(const CTmDoc& doc, std::size_t count)
{
    const CurrentChannel& ch = doc.Channel();
    const bool accelerometerTotals = ch.inputKind == kInputAccelerometer && count >= ch.bandCount + 3u &&
                                     count - ch.bandCount == 3;
    return accelerometerTotals ? count - 2 : count;
}

// The ORLU 530 and 535 draw their last value three times; an accelerometer of their
// firmware above 4.00 draws its first trailing value in the last two places instead.
std::size_t TrailingBars(const CTmDoc& doc, BandSpectrum& s)
{
    const CurrentHeader& h = doc.Header();
    const std::size_t n = s.count;
    if (!(h.model.Family530 || h.model.Family535) || n < 3)
        return n;
    if (doc.Channel().inputKind == kInputAccelerometer && h.firmware > kFirmwareFourHundred) {
        s.values[n - 1] = s.values[n - 2] = s.values[n - 3];
        return n;
    }
    s.values[n] = s.values[n + 1] = s.values[n - 1];
    return n + 2;
}

bool Picture(CTmDoc& doc, PlotData& data, const OctaveChoices& choices)
{
    const CurrentHeader& h = doc.Header();
    const std::optional<BandSpectrum> first = ReadSpectrum(doc, {1, 0, kDetectorRms}, kThirdOctaves);
    if (!first)
        return false;
    const std::size_t rowLength = RowLength(doc, first->count);
    const Conversion c = ConversionOf(doc, first->count, choices.units);
    data.GraphForm = kPictureOfCurrentFamily;
    data.GraphTitle = data.PanelTitles[0] = OctaveTitle(doc, kThirdOctaves, -1, 0, 0, 0);
    data.Grid.TimeStep = h.timeStep > 0 ? h.timeStep : data.Grid.TimeStep;
    FillMultiElementGrid(data.Grid, rowLength, static_cast<std::uint32_t>(h.spectrumCount),
                         [&](std::uint32_t record, std::span<double> out) {
                             std::optional<BandSpectrum> s = ReadSpectrum(doc, {static_cast<int>(record) + 1, 0, kDetectorRms},
                                                                          kThirdOctaves);
                             if (!s || s->count < out.size())
                                 return false;
                             ConvertBandLevels(s->Values(), c.bands, c.centres, c.quantity, c.channel);
                             std::copy_n(s->values.begin(), out.size(), out.begin());
                             return true;
                         });
    data.Grid.FirstFrequency = data.Grid.FirstShownFrequency = kPictureFirstFrequency;
    data.Grid.LastFrequency = data.Grid.LastShownFrequency = kPictureLastFrequency;
    data.Grid.LevelBottom = doc.Channel().rangeBottomDb;
    data.Grid.LevelTop = doc.Channel().rangeTopDb + 10.0;
    return true;
}

// The picture of a logger's octaves: a row of the model's rows per record.
bool OctavePicture(CTmDoc& doc, PlotData& data, const OctaveChoices& choices)
{
    const CurrentHeader& h = doc.Header();
    const std::optional<OctaveSpectrum> first = ReadOctaves(doc, {1, 0, kDetectorRms}, choices);
    if (!first)
        return false;
    data.GraphForm = kPictureOfCurrentFamily;
    data.GraphTitle = data.PanelTitles[0] = OctaveTitle(doc, kOctaves, -1, 0, 0, 0);
    data.Grid.TimeStep = h.timeStep > 0 ? h.timeStep : data.Grid.TimeStep;
    OctaveChoices plain = choices;
    plain.block = false;
    FillMultiElementGrid(data.Grid, first->rows, static_cast<std::uint32_t>(h.spectrumCount),
                         [&](std::uint32_t record, std::span<double> out) {
                             const std::optional<OctaveSpectrum> o =
                                 ReadOctaves(doc, {static_cast<int>(record) + 1, 0, kDetectorRms}, plain);
                             if (!o || o->rows < out.size())
                                 return false;
                             std::copy_n(o->values.values.begin(), out.size(), out.begin());
                             return true;
                         });
    data.Grid.FirstFrequency = data.Grid.FirstShownFrequency = kPictureFirstFrequency;
    data.Grid.LastFrequency = data.Grid.LastShownFrequency = kPictureLastFrequency;
    data.Grid.LevelBottom = doc.Channel().rangeBottomDb;
    data.Grid.LevelTop = doc.Channel().rangeTopDb + 10.0;
    return true;
}

// The panel's slice of the plot values: the bars, the rest missing.
void StoreBars(PlotData& data, std::size_t p, std::span<const double> bars, std::span<const double> centres)
{
    std::vector<double> values(data.PlotValues.Values().begin(), data.PlotValues.Values().end());
    values.resize(std::max(values.size(), (p + 1) * kOctavePanelValues), kMissingValue);
    std::fill_n(values.begin() + static_cast<std::ptrdiff_t>(p * kOctavePanelValues), kOctavePanelValues,
                kMissingValue);
    std::copy_n(bars.begin(), std::min(bars.size(), kOctavePanelValues),
                values.begin() + static_cast<std::ptrdiff_t>(p * kOctavePanelValues));
    data.PlotValues.Assign(std::move(values));
    data.ClassStride = static_cast<std::int32_t>(kOctavePanelValues);
    data.FrequencyValues.assign(centres.begin(), centres.end());
}

// The frequencies under the bars of a channel whose bands start `offset` bands after
// the lowest first band of the chosen channels: the panels line up on that band, so
// the axis starts there, taken from the centre table the channel's own came from.
std::vector<double> SharedAxis(std::span<const double> own, int offset, int octave)
{
    std::vector<double> axis(own.begin(), own.end());
    const std::span<const double> table = ThirdOctaveCentres();
    const auto found = own.empty() ? table.end() : std::find(table.begin(), table.end(), own.front());
    const auto step = static_cast<std::ptrdiff_t>(octave == kOctaves ? 3 : 1);
    const std::ptrdiff_t first = (found - table.begin()) - step * offset;
    if (offset <= 0 || found == table.end() || first < 0)
        return axis;
    for (std::ptrdiff_t k = offset; k > 0; --k)
        axis.insert(axis.begin(), table[static_cast<std::size_t>(first + step * (k - 1))]);
    return axis;
}

bool IsFourChannel(const CTmDoc& doc)
{
    return doc.Header().model.FourChannel;
}

// Files of one channel have one spectrum for all their profiles, drawn in panel 0; an
// ORLU 545 or 590 file draws channel n's spectrum in panel n.
bool Drawable(const CTmDoc& doc, int panel)
{
    if (FindFileKind(doc.FileKind()).Family != KindFamily::Current || !doc.HeaderDecoded())
        return false;
    return IsFourChannel(doc) ? panel >= 0 && panel < doc.Header().channelCount : panel == 0;
}

// The spectrum a panel draws: the first of the request, or the panel's channel's.
std::optional<SpectrumRef> PanelSpectrum(CTmDoc& doc, int panel, const OctaveChoices& choices, int octave)
{
    OctaveRequest request = choices.request;
    request.allRecords = false;
    if (IsFourChannel(doc))
        request.channelMask = static_cast<std::uint16_t>(1u << panel);
    const std::vector<SpectrumRef> list = ListSpectra(doc, request, octave);
    if (list.empty())
        return std::nullopt;
    return list.front();
}

} // namespace

bool GraphDataOctave11(CTmDoc& doc, PlotData& data, int panel, const OctaveChoices& choices, bool multiElement)
{
    if (!Drawable(doc, panel))
        return false;
    // The panel's channel, or a Multifile's file, is selected to be read; the view's comes back.
    const SubfileSelectionKeeper keeper(doc);
    if (multiElement && HasSpectrumLogger(doc) && !IsFourChannel(doc))
        return OctavePicture(doc, data, choices);
    const bool folded = doc.Channel().bandKind == kBandOctave13;
    const std::optional<SpectrumRef> listed = PanelSpectrum(doc, panel, choices, folded ? kThirdOctaves : kOctaves);
    if (!listed)
        return false;
    SpectrumRef ref = *listed;
    if (folded)
        ref.detector = kDetectorRms;
    // A channel's bands start on the shared axis where its offset says: the markers move
    // onto its own bands, and a block ending before them has no total.
    OctaveChoices own = choices;
    const int offset = ChannelBandOffset(doc, ref.channel, choices.request.channelMask, kOctaves);
    const bool blockMissed = choices.block && choices.markers.upper - offset < 0;
    own.markers = {std::max(choices.markers.lower - offset, 0), choices.markers.upper - offset};
    own.block = choices.block && !blockMissed;
    const std::optional<OctaveSpectrum> o = ReadOctaves(doc, ref, own);
    if (!o)
        return false;
    const auto p = static_cast<std::size_t>(panel);
    data.GraphForm = kBarsOfOneSpectrum;
    const int record = HasSpectrumLogger(doc) ? ref.number : 0;
    data.GraphTitle = data.PanelTitles[p] = OctaveTitle(doc, kOctaves, ref.channel, ref.detector, record, ref.fileIndex);
    data.SpectrumBlockValues[p] = own.block ? o->blockTotal : kMissingValue;
    StoreBars(data, p, o->values.Values(), SharedAxis(o->centres, offset, kOctaves));
    return true;
}

bool GraphDataOctave13(CTmDoc& doc, PlotData& data, int panel, const OctaveChoices& choices, bool multiElement)
{
    if (!Drawable(doc, panel))
        return false;
    const SubfileSelectionKeeper keeper(doc);
    if (multiElement && HasSpectrumLogger(doc) && !IsFourChannel(doc))
        return Picture(doc, data, choices);

    const std::optional<SpectrumRef> listed = PanelSpectrum(doc, panel, choices, kThirdOctaves);
    if (!listed)
        return false;
    const SpectrumRef& ref = *listed;
    std::optional<BandSpectrum> spectrum = ReadSpectrum(doc, ref, kThirdOctaves);
    if (!spectrum)
        return false;
    const auto p = static_cast<std::size_t>(panel);
    data.GraphForm = kBarsOfOneSpectrum;
    const int record = HasSpectrumLogger(doc) ? ref.number : 0;
    data.GraphTitle = data.PanelTitles[p] =
        OctaveTitle(doc, kThirdOctaves, ref.channel, ref.detector, record, ref.fileIndex);
    const Conversion c = ConversionOf(doc, spectrum->count, choices.units);
    const int offset = ChannelBandOffset(doc, ref.channel, choices.request.channelMask, kThirdOctaves);
    data.SpectrumBlockValues[p] =
        choices.block
            ? BlockTotal(spectrum->Values(), c.bands, c.centres, choices.markers, offset, c.quantity, c.channel)
            : kMissingValue;
    ConvertBandLevels(spectrum->Values(), c.bands, c.centres, c.quantity, c.channel);
    const std::size_t bars = TrailingBars(doc, *spectrum);

    StoreBars(data, p, std::span<const double>(spectrum->values.data(), bars),
              SharedAxis(c.centres.first(std::min(c.bands, c.centres.size())), offset, kThirdOctaves));
    return true;
}

} // namespace orlu
