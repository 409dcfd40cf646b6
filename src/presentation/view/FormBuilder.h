#pragma once
// The form builders of a measurement view: they set the view's form flags
// from the settings, call the renderer of the current ViewKind and form
// through the registry, and put the view back at the top of the new lines.
// The View commands choose a kind through SelectViewKind.
//
// A form with a line source shows it as it is (its lines are made when
// painted); a long form is built through the builder's runner, into the line
// source it gives or else into packed lines, and a cancelled one leaves a
// line saying so.

#include "presentation/AppSettings.h"
#include "presentation/view/FormRenderers.h"
#include "presentation/view/LongFormRunner.h"
#include "presentation/view/MeasurementViewState.h"

namespace orlu {

class FormBuilder {
public:
    /// Long forms are built by `runner`, or in place when none is given.
    FormBuilder(const FormRendererRegistry& renderers, const AppSettings& settings, LongFormRunner* runner = nullptr)
        : m_Renderers(renderers), m_Settings(settings), m_Runner(runner ? runner : &m_InPlace)
    {
    }

    /// Rebuilds the current form of the current ViewKind.
    void UpdateForm(MeasurementViewState& view, CTmDoc& doc) const;
    /// Builds the text form (the Text button).
    void BuildTextForm(MeasurementViewState& view, CTmDoc& doc) const;
    /// The Table button: on a shown table form it steps the table layout first.
    void OnTableForm(MeasurementViewState& view, CTmDoc& doc) const;
    /// Builds the table form.
    void BuildTableForm(MeasurementViewState& view, CTmDoc& doc) const;
    /// The Plot button: builds the graph form, or on a shown graph steps its
    /// size (backwards with Shift, Ctrl or Alt). True when the view repaints.
    bool OnGraphForm(MeasurementViewState& view, CTmDoc& doc, bool modifierHeld) const;
    /// Builds the hex or ASCII form of the whole file.
    void BuildFileForm(MeasurementViewState& view, CTmDoc& doc, FormChoice form) const;
    /// A View command: saves the page of the kind shown, loads the page of
    /// the chosen kind and shows it in that page's form.
    void SelectViewKind(MeasurementViewState& view, CTmDoc& doc, const ViewCommand& command) const;

    /// The first form of a new view: the header information when the document
    /// can show it, the settings text for an instrument-settings document, else
    /// the hex dump. A report that is not built yet gives way to the Main
    /// results, and those to the hex dump, so a new window never opens on a
    /// form that shows nothing.
    void OpenFirstForm(MeasurementViewState& view, CTmDoc& doc) const;

    /// Shows a kind in the given form, as the View command of the kind
    /// followed by the form's button would (the first command of a kind with several).
    void ShowKindInForm(MeasurementViewState& view, CTmDoc& doc, std::uint8_t viewKind, FormChoice form) const;
    /// As ShowKindInForm for a long form, whose lines go into `out` as they are
    /// made instead of into the view; false, with nothing done, when the kind
    /// and form have no long form.
    bool StreamLongForm(MeasurementViewState& view, CTmDoc& doc, std::uint8_t viewKind, FormChoice form,
                        LineSink& out) const;

    /// Fills the plot data of the kind shown: its graph-data renderer runs once
    /// per panel, for each of the channels 0 to 4 selected (once, as panel 0,
    /// when none is). Returns the mask of the panels filled; 0 when the kind has
    /// no graph data for the document's family. A panel whose data meet the
    /// end of a damaged file is left out.
    std::uint8_t BuildGraphData(MeasurementViewState& view, CTmDoc& doc, PlotData& data) const;

private:
    void SelectKind(MeasurementViewState& view, CTmDoc& doc, std::uint8_t viewKind) const;
    /// What a View command sets before it builds: the kind's page, the kind, its
    /// statistics variant and the channels it offers and selects.
    static void EnterKind(MeasurementViewState& view, CTmDoc& doc, const ViewCommand& command);
    /// Runs a long form into `out` through `runner`; false when it was cancelled.
    static bool RunLongForm(const LongFormRenderer& render, CTmDoc& doc, LineSink& out, LongFormRunner& runner);
    void BeginBuild(MeasurementViewState& view, std::uint32_t formBit) const;
    void InsertHeaderInfo(MeasurementViewState& view, CTmDoc& doc) const;
    bool Render(MeasurementViewState& view, CTmDoc& doc, FormChoice form, const TableOutputOptions& options) const;
    static void EndBuild(MeasurementViewState& view);

    const FormRendererRegistry& m_Renderers;
    const AppSettings& m_Settings;
    mutable InPlaceFormRunner m_InPlace;
    LongFormRunner* m_Runner;
};

/// Rewrites header-information lines for the top of a table: blanks, and
/// dots in the first 32 columns, become '_'; a line starting with '-' becomes
/// all '_'; later dots become ',' with the decimal comma; line 5 is cut to 44
/// characters.
void RewriteHeaderForTable(LineList& header, std::uint8_t decimalIndex, LineList& out, std::int32_t* widest);

/// The header a table starts with when the header is inserted: the Header
/// info text of the view's channels, rewritten for the table, then an empty
/// line. Appended to out; nothing without a Header info renderer.
void InsertHeaderLines(const FormRendererRegistry& renderers, MeasurementViewState& view, CTmDoc& doc,
                       std::uint8_t decimalIndex, LineList& out, std::int32_t* widest);

/// The table-form ViewKinds: Settings, Hexa, Header info, ASCII and User's filters have none.
bool KindHasTableForm(std::uint8_t viewKind);

} // namespace orlu
