#pragma once
// "More options" of a graph: the display budget of bars or steps (width,
// visible count, aggregation), the solid bars of the bar graphs and, for the
// step graphs, the node circles, logger markers and breaks, which are
// program settings.

#include "document/GraphGeometry.h"
#include "presentation/AppSettings.h"
#include "presentation/view/DisplayBudget.h"
#include "presentation/view/MeasurementViewState.h"

#include <cstdint>

namespace orlu {

class MoreOptionsModel {
public:
    MoreOptionsModel(bool steps, const DisplayBudget& budget) : m_Steps(steps), Budget(budget) {}

    /// The step dialog of curves and histories, else the bar dialog.
    bool Steps() const { return m_Steps; }

private:
    bool m_Steps;

public:
    DisplayBudget Budget;
    std::int32_t CountFixed = 0;          ///< octaves and levels: every band shows
    std::int32_t AggregationOffered = 0;
    std::int32_t SolidBarsCheck = 0;      ///< bars
    std::int32_t SavedSolidBars = 0;
    std::int32_t CirclesCheck = 0;        ///< steps
    std::int32_t CircleRadiusIndex = 0;
    std::int32_t CircleMinStep = 0;       ///< 0..100
    std::int32_t MarkersOffered = 0;
    std::int32_t MarkersCheck = 0;
    std::int32_t MarkerMethodIndex = 0;
    std::int32_t BreaksOffered = 0;
    std::int32_t BreaksCheck = 0;
    std::int32_t Accepted = 0;

    void SetSolidBars(bool on) { SolidBarsCheck = SavedSolidBars = on; }
    /// OK: the budget is held to its bounds whatever the boxes hold.
    void Ok()
    {
        Budget.Accept();
        Accepted = 1;
    }
    void Cancel() { Accepted = 0; }
};

class MoreOptionsDialogs {
public:
    virtual ~MoreOptionsDialogs() = default;
    virtual void RunMoreOptions(MoreOptionsModel& dialog) = 0;
};

struct MoreOptionsFacts {
    std::int32_t records = 0;     ///< records of the document
    std::int32_t bands = 0;       ///< bands or lines of a spectrum
    std::int32_t fftLength = 0;   ///< FFT block length of waveforms
    std::int32_t histClasses = 0; ///< classes of the histograms and densities
    int bandKind = 0;
    bool markers = false;         ///< the logger holds markers
    bool breaks = false;          ///< the logger holds breaks
};

enum class MoreOptionsOutcome : std::uint8_t { NotOffered, Repaint, BuildGraph };

/// Offered on a single element graph of ViewKinds 4 to 12.
bool MoreOptionsOffered(const MeasurementViewState& view);

MoreOptionsOutcome RunMoreOptions(MeasurementViewState& view, GraphGeometry& geometry, const MoreOptionsFacts& doc,
                                  AppSettings& settings, MoreOptionsDialogs& dialogs);

} // namespace orlu
