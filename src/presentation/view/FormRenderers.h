#pragma once
// The renderers of the text, table, hex and ASCII forms, keyed by ViewKind
// and form. The view's form builders and orlu-dump look renderers up here,
// so both produce the same lines; each report registers itself as it is
// built (RegisterReportRenderers), and tests may register their own.
//
// A renderer picks the document family's report itself and follows the
// renderer convention: a text renderer clears the lines and appends its
// own; a table renderer appends to what the builder put in the list (the
// inserted header). Either may set the record stepping of the form.

#include "document/CTmDoc.h"
#include "document/LineList.h"
#include "presentation/view/MeasurementViewState.h"
#include "presentation/view/ViewKinds.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string_view>
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

class FormRendererRegistry {
public:
    /// Registers (or replaces) the renderer of a kind and form.
    void Register(std::uint8_t viewKind, FormChoice form, FormRenderer renderer);
    /// The renderer of a kind and form, null when none is built yet.
    const FormRenderer* Find(std::uint8_t viewKind, FormChoice form) const;

private:
    std::map<std::pair<std::uint8_t, FormChoice>, FormRenderer> m_Renderers;
};

/// Registers every report renderer of the program.
void RegisterReportRenderers(FormRendererRegistry& registry);

/// The line a form shows while its report is not built.
inline constexpr std::string_view kFormNotAvailableText = "This form is not available yet.";

} // namespace orlu
