#pragma once
// Everything a measurement view knows, without a window: what it shows and in
// which form, its 22 page records, the lines of its text and table forms, the
// scroll position, the record and channel selection and the marked block.
// The window only paints these fields and turns events into calls.
//
// Field names are the view's own (they are read and written by the form
// builders, the command rules and, later, the graph engine).

#include "document/LineList.h"
#include "presentation/view/GraphControlFields.h"
#include "presentation/view/GraphFormFields.h"
#include "presentation/view/GraphFormState.h"
#include "presentation/view/SpectraViewChoices.h"
#include "presentation/view/TabColumnLayout.h"
#include "presentation/view/ToolsFields.h"
#include "presentation/view/ViewKinds.h"
#include "presentation/view/ViewPageState.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orlu {

/// OctaveIndexKind before any octave form was shown.
inline constexpr std::uint8_t kNoOctaveSet = 255;
/// The entry of UnitsByKind that holds the unit choice of Header information.
inline constexpr std::size_t kHeaderInfoUnitSlot = 1;

struct MeasurementViewState {
    MeasurementViewState();
    // CurrentRecordPtr and CurrentPage point into the object itself.
    MeasurementViewState(const MeasurementViewState&) = delete;
    MeasurementViewState& operator=(const MeasurementViewState&) = delete;

    /// Saves the live page fields into the current page, then loads the given page.
    void SwitchPageState(int page);
    /// Index of the current page, -1 before the first switch.
    int CurrentPageIndex() const { return CurrentPage ? static_cast<int>(CurrentPage - Pages.data()) : -1; }

    /// The form shown, from FormFlags.
    bool TextShown() const { return (FormFlags & form_flags::kText) != 0; }
    bool TableShown() const { return (FormFlags & form_flags::kTable) != 0; }
    bool GraphShown() const { return (FormFlags & form_flags::kGraph) != 0; }
    bool HexShown() const { return (FormFlags & form_flags::kHex) != 0; }
    bool AsciiShown() const { return (FormFlags & form_flags::kAscii) != 0; }
    /// Text, table, hex or ASCII: the forms drawn as lines.
    bool LinesShown() const { return !GraphShown() && (FormFlags & form_flags::kFormBits) != 0; }
    std::uint8_t BlockMode() const
    {
        return static_cast<std::uint8_t>(form_flags::Field(FormFlags, form_flags::kBlockModeShift, 2));
    }
    std::uint8_t TableSeparatorIndex() const
    {
        return static_cast<std::uint8_t>(form_flags::Field(FormFlags, form_flags::kSeparatorShift, 3));
    }

    /// The lines shown, copied and saved: the source when the form has one, else Lines.
    const LineSource& ShownLines() const { return Source ? *Source : static_cast<const LineSource&>(Lines); }
    /// Shows a form's own line source (and its widest line) in place of Lines, which are emptied.
    void ShowSource(std::shared_ptr<const LineSource> source, std::int32_t widest);
    /// Empties the lines for a form that fills Lines, dropping any source.
    void ClearLines();

    // Document and lines.
    LineList Lines;
    std::shared_ptr<const LineSource> Source; ///< the lines of a form made on demand or built apart; null: Lines
    std::int32_t WidestLine = 0;
    std::int32_t FirstLine = 0;
    std::int32_t FirstColumn = 0;
    std::uint8_t ViewKind = kViewNone;
    std::uint8_t ShownViewKind = kViewNone;
    std::uint32_t FormFlags = 0;
    std::uint8_t FormKind = kFormGraph;
    ViewPageState* CurrentPage = nullptr;
    std::array<ViewPageState, kPageCount> Pages;
    std::uint8_t TableVariant = 0;
    std::array<std::uint8_t, kViewKindCount> TableVariantByKind{};
    std::uint8_t TableContentKind = 0;
    std::uint8_t TableVariantStepped = 0;
    std::int32_t TextAllFiles = 0;
    std::int32_t TableAllFiles = 0;

    // Records, channels and units.
    std::int32_t SubFileNumber = 0;
    std::int32_t* CurrentRecordPtr = &SubFileNumber;
    std::int32_t RecordStepping = 0;
    std::int32_t FirstRecord = 1;
    std::int32_t LastRecord = 1;
    std::int32_t GraphRecord = 1;
    std::int32_t BandNumber = 1;
    std::int32_t LevelsRecord = 1;
    std::int32_t RecordNumberB = 1;
    std::int32_t GraphBandIndex = 1;
    std::int32_t BandIndex = 0;
    std::uint8_t OctaveIndexKind = kNoOctaveSet; ///< the band set BandIndex counts in: 10 (1/1) or 11 (1/3)
    std::int16_t BandKind = 0;                   ///< 2 FFT lines, 3 1/1-octave bands, 4 1/3-octave bands
    std::int16_t RecordCount = 0;                ///< records, lines or bands the stepped number runs over
    std::uint16_t AvailableChannels = 0;
    std::uint16_t SelectedChannels = 0;
    std::int16_t ChannelNumber = 1;
    std::uint16_t Profile = 1023;
    std::array<std::uint8_t, 3> UnitsByKind{}; ///< [0] Main results and the level views, [1] Header info, [2] phase
    std::string SubFileName;
    std::int32_t InsertHeaderInfo = 0;
    std::int32_t StatOctave0 = 0;
    std::int32_t StatOctave1 = 0;
    std::int32_t StatOctave2 = 0;
    std::uint8_t StatAllLevels = 0; ///< the level spectrum shows the percentage LevelsRecord, not its position

    // Text forms and marking.
    std::uint8_t DispPitch = 16;
    std::uint8_t TextMargin = 0;
    std::int32_t LineHeight = 1;
    std::int32_t CharWidth = 1;
    TabColumnLayout TabColumns; ///< screen columns of a TAB table form; empty in other forms
    ViewPoint BlockAnchor; ///< corner where marking began, pixels in document space
    ViewPoint BlockEnd;    ///< the other corner
    ViewPoint BlockStart;  ///< the block in (column, line), normalised at each paint
    ViewPoint BlockStop;
    std::int32_t BlockStartField = 0;
    std::int32_t BlockEndField = 0;
    char BlockSeparator = 0;
    std::int32_t BlockMarked = 0;
    std::int32_t CollapseBlockOnBuild = 1;

    // Graph fields kept per page.
    std::int16_t PlotKind = 0;
    const GraphGeometry* PageGeometry = nullptr;
    std::int32_t MultiElement = 0;
    ViewPoint GraphScroll;
    std::int32_t CursorOn = 1;
    std::int32_t CursorIndex = 0;
    std::int32_t WindowStart = 0;
    std::int32_t CursorAux = 0;
    std::int32_t Aggregation = 1;
    std::uint8_t MarkState = 0;
    std::array<std::int32_t, 2> MarkedRange{};
    std::int32_t MaxAggregation = 0;
    std::int32_t RunningTotal = 0; ///< time intersections: the running RMS from the first spectrum
    std::int32_t Smoothed = 0;     ///< time intersections and reverberation times: the 7-point moving average
    std::array<std::int32_t, 5> PanelCursor{};
    std::array<std::int32_t, 5> PanelBlockFirst{};
    std::array<std::int32_t, 5> PanelBlockLast{};

    // Buffer and logger choices: the text and table forms read them as the graph does.
    std::int32_t PlotTotalLine = 0;                  ///< Tools/Plot total: running totals in place of the values
    std::array<std::uint8_t, 5> PanelResultIndex{};  ///< per channel or panel: the logged result shown, from 0
    std::array<std::int32_t, 4> BlockResultSwitches{}; ///< block Leq or RMS, maximum, minimum, SEL between the markers
    std::uint8_t ImpulseMarkMode = 0;             ///< 0 not applied, 1 MAX(Imp.) - MIN(Slow), 2 MAX(Fast) - Leq
    std::vector<std::uint8_t> ImpulseMarks;       ///< per record, by the impulse mode last switched on
    // FFT spectra.
    SpectraViewChoices Spectra;
    // Graph size, point window and saved cursors of the graph form.
    GraphFormFields Graph;
    // Markers, level scale, zoom and the held mouse button of the graph controllers.
    GraphControlFields Control;
    // The graph the graph form paints, and the geometry records it keeps.
    GraphFormState GraphForm;
    // Tools switches, the reverberation procedure and the graph option boxes.
    ToolsFields Tools;
};

} // namespace orlu
