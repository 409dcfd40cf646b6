#pragma once
// The renderers of the text, table, hex and ASCII forms, keyed by ViewKind
// and form. The view's form builders and orlu-dump look renderers up here,
// so both produce the same lines; each report registers itself as it is
// built (RegisterReportRenderers), and tests may register their own.
//
// A kind and form has one of three kinds of renderer: one that fills the
// view's line list; a line source made when the form is shown, whose lines
// are made when asked for (the hex dump); or a long form, streamed line by
// line into a sink with a progress state, which the view may build on a
// worker thread and orlu-dump writes out as it comes (the ASCII form). A long
// form may give the view a line source of its own, made by the same build,
// so that the view need not keep its lines.
//
// A kind and form may have a renderer per document family (the decoder
// family of the file's kind, see FileKindCode): the family's own is taken
// first, else the one registered for every family. A renderer picks the
// report of a family it serves itself, and follows the
// renderer convention: a text renderer clears the lines and appends its
// own; a table renderer appends to what the builder put in the list (the
// inserted header). Either may set the record stepping of the form.

#include "analysis/PlotData.h"
#include "document/CTmDoc.h"
#include "document/container/FileKindCode.h"
#include "document/LineList.h"
#include "platform/ProgressState.h"
#include "presentation/view/MeasurementViewState.h"
#include "presentation/view/ViewKinds.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <tuple>
#include <utility>

namespace orlu {

/// What a renderer receives: the document, the view (its selection, units,
/// record numbers and stepping fields), the table options, and the outputs.
struct FormRequest {
    CTmDoc& Doc;
    MeasurementViewState& View;
    TableOutputOptions Options;
    LineList& Lines;
    std::int32_t& WidestLine;
    std::uint8_t& TableContentKind;
};

using FormRenderer = std::function<void(FormRequest&)>;

/// Adds the line of a form whose report is not built yet.
void SayNotAvailable(FormRequest& request);

/// The lines of a form made when asked for, and the widest of them (CR LF included).
struct SourceLines {
    std::shared_ptr<const LineSource> Lines;
    std::int32_t WidestLine = 0;
};
using LineSourceRenderer = std::function<SourceLines(CTmDoc&)>;

/// A long form: it writes its lines into the sink as it makes them, reads the
/// document only (it may run off the GUI thread while the GUI waits), shows
/// messages only through `ui`, reports progress and stops with
/// OperationCancelled when the progress state asks it to.
using LongFormRenderer = std::function<void(const CTmDoc&, LineSink&, UserInteraction& ui, ProgressState&)>;
/// What the view keeps of a long form instead of its lines, when it can: a
/// line source made by one walk through the form (built as a long form is,
/// maybe off the GUI thread), which makes the lines again when asked for.
using LongSourceRenderer = std::function<SourceLines(const CTmDoc&, UserInteraction& ui, ProgressState&)>;

/// What a graph-data renderer receives: the document, the view, the plot data
/// to fill and the panel (channel, profile or row) of this call.
struct GraphDataRequest {
    CTmDoc& Doc;
    MeasurementViewState& View;
    PlotData& Data;
    int Panel = 0;
};

/// Fills the plot data of one panel; false when the panel has nothing to draw.
using GraphDataRenderer = std::function<bool(GraphDataRequest&)>;

/// The family a renderer serves; every family when none is given.
using RendererFamily = std::optional<KindFamily>;

class FormRendererRegistry {
public:
    /// Registers (or replaces) the renderer of a kind and form; each kind of
    /// renderer replaces the others of the same kind and form.
    void Register(std::uint8_t viewKind, FormChoice form, FormRenderer renderer, RendererFamily family = {});
    void RegisterLineSource(std::uint8_t viewKind, FormChoice form, LineSourceRenderer renderer);
    /// A long form, and the line source the view keeps of it (its lines packed when none is given).
    void RegisterLongForm(std::uint8_t viewKind, FormChoice form, LongFormRenderer renderer,
                          LongSourceRenderer source = {});
    /// The graph-data renderer of a kind.
    void RegisterGraphData(std::uint8_t viewKind, GraphDataRenderer renderer, RendererFamily family = {});
    /// The renderer of a kind and form, null when it has none of that kind;
    /// with a family, that family's own before the one of every family.
    const FormRenderer* Find(std::uint8_t viewKind, FormChoice form, RendererFamily family = {}) const;
    const GraphDataRenderer* FindGraphData(std::uint8_t viewKind, RendererFamily family = {}) const;
    const LineSourceRenderer* FindLineSource(std::uint8_t viewKind, FormChoice form) const;
    const LongFormRenderer* FindLongForm(std::uint8_t viewKind, FormChoice form) const;
    const LongSourceRenderer* FindLongSource(std::uint8_t viewKind, FormChoice form) const;

private:
    struct Entry {
        FormRenderer lines;
        LineSourceRenderer source;
        LongFormRenderer longForm;
        LongSourceRenderer longSource;
    };
    // The key's last member is the family, kEveryFamily for a renderer of all of them.
    using Key = std::tuple<std::uint8_t, FormChoice, std::uint8_t>;
    static constexpr std::uint8_t kEveryFamily = 0xFF;
    static Key KeyOf(std::uint8_t viewKind, FormChoice form, RendererFamily family);
    Entry& Replace(std::uint8_t viewKind, FormChoice form, RendererFamily family = {});
    const Entry* At(std::uint8_t viewKind, FormChoice form, RendererFamily family = {}) const;

    std::map<Key, Entry> m_Renderers;
    std::map<std::pair<std::uint8_t, std::uint8_t>, GraphDataRenderer> m_GraphData;
};

/// Registers every report renderer of the program.
void RegisterReportRenderers(FormRendererRegistry& registry);

/// The line a form shows while its report is not built.
inline constexpr std::string_view kFormNotAvailableText = "This form is not available yet.";
/// The line a form shows when its report met the end of the file before its first line.
inline constexpr std::string_view kFormDamagedText = "The file ends before this form could be read: it is damaged or incomplete.";
/// The line a form shows when its report found nothing to write.
inline constexpr std::string_view kFormEmptyText =
    "The file holds nothing for this form: its records are missing or cut short.";
/// The line a long form shows when its build was cancelled.
inline constexpr std::string_view kFormCancelledText = "The form was not built: cancelled.";
/// What the progress of a long form's build says.
inline constexpr std::string_view kBuildingFormText = "Building the form...";

} // namespace orlu
