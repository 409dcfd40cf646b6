#pragma once
// A document made of plain facts, as a plot-state file stores them: the
// graph engine paints from it without a measurement file.

#include "graph/GraphDocument.h"

#include <array>
#include <vector>

namespace orlu {

struct PlotChannelFacts {
    double RangeTop = 130.0;
    int InputKind = 2;
    int Filter = 0;
    int Function = 0;
    int FirstBand11 = 0;
    int BandCount11 = 0;
    int FirstBand13 = 0;
    int BandCount13 = 0;
    int TotalKind = 1;
    int SpectrumAxis11 = -1; ///< PlotKind of the channel's own 1/1-octave axis (-1: the view's)
    int SpectrumPoints11 = 0;
    int SpectrumAxis13 = -1; ///< PlotKind of the channel's own 1/3-octave axis (-1: the view's)
    int SpectrumPoints13 = 0;
    int LevelsAxis11 = -1; ///< PlotKind of the channel's own axis of 1/1-octave statistical levels (-1: the view's)
    int LevelsPoints11 = 0;
    int LevelsAxis13 = -1; ///< the same for 1/3-octave statistical levels
    int LevelsPoints13 = 0;
};

class PlotStateDocument : public GraphDocument {
public:
    int Channels = 1;
    bool FourChannelFamily = false;
    bool File505 = false;
    bool SlotChannels = false;
    bool RpmSeries = false;
    bool RpmChannel = false;
    bool RpmChoice = false;
    bool WaveformSamples = false;
    bool ChannelMode = false;
    bool MicDbOnlyFlag = false;
    int BandKindCode = 0;
    int Bands = 0;
    double RpmTop = 1.0;
    std::uint32_t IntersectionPoints = 0;
    GraphTiming TimingFacts;
    std::array<PlotChannelFacts, 5> ChannelFacts{};
    std::vector<LoggerMarker> MarkerList;
    std::vector<LoggerBreak> BreakList;
    std::vector<std::uint8_t> RtRecord; ///< the shown band's reverberation record
    bool RtModified = false;            ///< the user interval's end was stored

    /// The channels selected, in order (what the engine asked for).
    std::vector<int> Selections;

    int ChannelCount() const override { return Channels; }
    bool IsFourChannelFamily() const override { return FourChannelFamily; }
    bool Is505File() const override { return File505; }
    bool HasSlotChannels() const override { return SlotChannels; }
    bool HasRpmSeries() const override { return RpmSeries; }
    bool RpmChannelFlag() const override { return RpmChannel; }
    bool RpmChoiceFlag() const override { return RpmChoice; }
    bool HasWaveformSamples() const override { return WaveformSamples; }
    bool ChannelModeSet() const override { return ChannelMode; }
    void SelectChannel(int panel) override
    {
        m_Current = panel >= 0 && panel < 5 ? panel : 0;
        Selections.push_back(panel);
    }
    int TotalKind(int panel, int) const override { return Facts(panel).TotalKind; }
    double RangeTop() const override { return Facts(m_Current).RangeTop; }
    int InputKind() const override { return Facts(m_Current).InputKind; }
    int Filter() const override { return Facts(m_Current).Filter; }
    int Function() const override { return Facts(m_Current).Function; }
    int BandKind() const override { return BandKindCode; }
    int BandCount() const override { return Bands; }
    int FirstBand(bool oneOne) const override { return oneOne ? Facts(m_Current).FirstBand11 : Facts(m_Current).FirstBand13; }
    int OctaveBandCount(bool oneOne) const override { return oneOne ? Facts(m_Current).BandCount11 : Facts(m_Current).BandCount13; }
    bool MicDbOnly() const override { return MicDbOnlyFlag; }
    ChannelBandAxis OctaveAxis(bool oneOne) const override
    {
        const PlotChannelFacts& f = Facts(m_Current);
        return oneOne ? ChannelBandAxis{f.SpectrumAxis11, f.SpectrumPoints11}
                      : ChannelBandAxis{f.SpectrumAxis13, f.SpectrumPoints13};
    }
    ChannelBandAxis LevelsAxis(bool oneOne) const override
    {
        const PlotChannelFacts& f = Facts(m_Current);
        return oneOne ? ChannelBandAxis{f.LevelsAxis11, f.LevelsPoints11} : ChannelBandAxis{f.LevelsAxis13, f.LevelsPoints13};
    }
    double RpmRangeTop() const override { return RpmTop; }
    GraphTiming Timing() const override { return TimingFacts; }
    std::uint32_t IntersectionLength() const override { return IntersectionPoints; }
    std::span<const LoggerMarker> Markers() const override { return MarkerList; }
    std::span<const LoggerBreak> Breaks() const override { return BreakList; }
    std::span<const std::uint8_t> ShownRtBandRecord() const override { return RtRecord; }
    void StoreUserIntervalEnd(std::int32_t record, double level) override;

private:
    const PlotChannelFacts& Facts(int c) const { return ChannelFacts[static_cast<std::size_t>(c >= 0 && c < 5 ? c : 0)]; }
    int m_Current = 0;
};

} // namespace orlu
