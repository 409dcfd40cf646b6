#pragma once
// What the graph engine asks of the document it paints: which channel a
// panel shows, that channel's range and input, the time base and the marker
// and break lists of time histories, the band layout of band plots. The
// measurement document answers it, and so does a plot-state file, so that
// every plot can be painted without a measurement file.

#include "document/LoggerSplit.h"

#include <cstdint>
#include <span>

namespace orlu {

/// Time base of time histories.
struct GraphTiming {
    std::int16_t timeStepCode = -1;  ///< index into the tick-base table, negative: step in seconds only
    double recordStep = 1.0;         ///< seconds per record
    std::uint8_t timeDecimals = 0;   ///< fraction digits of clock labels
    std::uint16_t timeUnit = 0;      ///< axis unit: 0 seconds, 1 minutes, 2 hours
    std::uint16_t startTime = 0;     ///< start of the measurement in 2-second units
    std::uint16_t startDate = 0;     ///< (year - 2000) x 512 + month x 32 + day
    std::uint32_t recordsPerChannel = 0; ///< stride of the per-panel series in the data arrays
};

/// The band axis of a channel's own octave spectrum: its PlotKind and the
/// positions it has (bands and trailing totals); a negative kind: the view's.
struct ChannelBandAxis {
    int plotKind = -1;
    int points = 0;
};

/// The document as the graph engine sees it.
class GraphDocument {
public:
    virtual ~GraphDocument() = default;

    virtual int ChannelCount() const = 0;
    /// The four-channel analyzers (five panels: four channels and the rotation).
    virtual bool IsFourChannelFamily() const = 0;
    virtual bool Is505File() const = 0;
    /// Levels are read through the legacy slot masks (legacy and 505 files).
    virtual bool HasSlotChannels() const = 0;

    /// The buffer carries a rotation (RPM) series.
    virtual bool HasRpmSeries() const = 0;
    /// Four-channel family: the rotation channel is recorded.
    virtual bool RpmChannelFlag() const = 0;
    /// Four-channel family: the rotation panel can take the fifth channel's place.
    virtual bool RpmChoiceFlag() const = 0;
    /// The buffer holds waveform samples rather than levels.
    virtual bool HasWaveformSamples() const = 0;
    /// Spectra of 505-family files: channel-mode field set.
    virtual bool ChannelModeSet() const = 0;

    /// Makes a panel's channel (or profile) the current one.
    virtual void SelectChannel(int panel) = 0;
    /// Total kind of the shown result of a panel (0 none).
    virtual int TotalKind(int panel, int resultIndex) const = 0;

    // Current channel.
    virtual double RangeTop() const = 0;
    virtual int InputKind() const = 0;
    virtual int Filter() const = 0;
    virtual int Function() const = 0;
    virtual int BandKind() const = 0;
    virtual int BandCount() const = 0;
    /// First band and band count of the current channel's octave layout.
    virtual int FirstBand(bool oneOne) const = 0;
    virtual int OctaveBandCount(bool oneOne) const = 0;
    virtual bool MicDbOnly() const = 0;
    /// The current channel's own axis of 1/1- or 1/3-octave spectra (four-channel
    /// analyzers keep a band layout per channel).
    virtual ChannelBandAxis OctaveAxis(bool oneOne) const
    {
        (void)oneOne;
        return {};
    }

    /// The current channel's own axis of statistical levels per 1/1- or 1/3-octave band.
    virtual ChannelBandAxis LevelsAxis(bool oneOne) const
    {
        (void)oneOne;
        return {};
    }

    virtual double RpmRangeTop() const = 0;
    virtual GraphTiming Timing() const = 0;
    virtual std::uint32_t IntersectionLength() const = 0;
    /// Markers and breaks in ascending record order.
    virtual std::span<const LoggerMarker> Markers() const = 0;
    virtual std::span<const LoggerBreak> Breaks() const = 0;

    /// The reverberation record (120 bytes) of the band the decay panel shows;
    /// empty when the document keeps none.
    virtual std::span<const std::uint8_t> ShownRtBandRecord() const { return {}; }
    /// Stores the end of the user interval in the shown band's record; the
    /// document's reverberation data then differ from the saved ones.
    virtual void StoreUserIntervalEnd(std::int32_t record, double level)
    {
        (void)record;
        (void)level;
    }
};

} // namespace orlu
