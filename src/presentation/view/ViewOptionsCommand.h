#pragma once
// The View options command of a measurement view: picks the dialog that
// fits the form and kind shown, fills it from the view, the document and the
// program settings, runs it through the dialog port and takes its answer
// back. The graph dialogs are answered only on OK; the others are read back
// whatever closed them (their Cancel leaves what a button already wrote).

#include "presentation/AppSettings.h"
#include "presentation/view/GraphOptionsModel.h"
#include "presentation/view/MeasurementViewState.h"
#include "presentation/view/RtGraphOptionsModel.h"
#include "presentation/view/TableOptionsModel.h"
#include "presentation/view/ViewOptionsRules.h"

#include <cstdint>
#include <span>

namespace orlu {

/// The text form dialogs (the plain one, its statistical-levels variant and
/// the pitch dialog of the hex and ASCII forms) as the command fills and reads them.
struct TextOptionsAnswer {
    int dialog = 157;               ///< 157, 201 or 178
    std::uint8_t DisplayPitch = 16;
    std::uint8_t PrintPitch = 16;
    std::uint8_t TextMargin = 0;    ///< 178 only
    std::int32_t SingleCheck = 1;
    std::int32_t MultiCheck = 0;
    std::int32_t ElementChoiceEnabled = 0;
    StatLevels Levels{};            ///< 201: restored by its Cancel
    std::int32_t LevelsEnabled = 0;
    std::int32_t UseAll = 0;
    std::int32_t UseAllEnabled = 0;
};

/// The dialogs the command opens.
class ViewOptionsDialogs {
public:
    virtual ~ViewOptionsDialogs() = default;
    virtual void RunGraphOptions(GraphOptionsModel& dialog) = 0;     ///< 169, and 288 in its levels variant
    virtual void RunRtGraphOptions(RtGraphOptionsModel& dialog) = 0; ///< 209
    virtual void RunTableOptions(TableOptionsModel& dialog) = 0;     ///< 150, and 204 in its levels variant
    virtual void RunTextOptions(TextOptionsAnswer& dialog) = 0;      ///< 157, 201, 178
    /// "Comma used as 'decimal point' and colums separator! ..."
    virtual void RunCommaConflict() = 0;
};

/// What the command needs of the document; levels is its StatLevelNumbers, written back.
struct ViewOptionsFacts {
    std::uint8_t fileKind = 0;
    bool rt60 = false;
    bool tonality = false;
    bool merged = false;
    bool merged505 = false;
    bool timeHistory = false;
    bool channelMode = false;
    std::uint8_t modelFamilies = 0; ///< bits 0..5: model flags F1..F6
    bool levelsInViewMask = false;  ///< ViewMask bit 2
    SpectrumBounds bounds;
    StatLevels* levels = nullptr;
    std::span<std::uint8_t> rtRecord; ///< the shown band's RT record, for the method it shows
};

/// What the view does after the dialog.
enum class ViewOptionsOutcome : std::uint8_t { Nothing, Repaint, BuildGraph, BuildText, BuildTable };

ViewOptionsOutcome RunViewOptions(MeasurementViewState& view, const ViewOptionsFacts& doc, AppSettings& settings,
                                  ViewOptionsDialogs& dialogs);

} // namespace orlu
