#include "app/views/ViewOutputCommands.h"

#include "app/CTmApp.h"
#include "app/FixedTextDialog.h"
#include "app/PictureCommands.h"
#include "app/dialogs/OptionDialogs.h"
#include "app/views/CTmView.h"
#include "document/ViewKind.h"
#include "platform/FileIo.h"
#include "presentation/DocTemplateTable.h"
#include "presentation/pictures/ViewExport.h"

#include <memory>

namespace orlu {
namespace {

constexpr int kSaveCurrentViewCommand = 32833;
constexpr int kEditOptionsCommand = 32860;
constexpr int kPeakOptionsCommand = 32873;

} // namespace

void RegisterViewOutputCommands(CTmView& view, CTmApp& app)
{
    view.OnCommand(kSaveCurrentViewCommand, [&view, &app] {
        // The lines go straight to the file the Save As dialog names; no window opens.
        const LineSource& lines = view.State().ShownLines();
        app.Pictures().SaveAs().SaveAs(kTextDocTemplate, {}, "View",
                                       [&lines](const std::filesystem::path& target, std::string* error) {
                                           return WriteFileAtomically(target, EncodeFormLines(lines), error);
                                       });
    });
    view.OnUpdate(kSaveCurrentViewCommand, [&view](CommandUi& ui) { ui.enabled = view.State().LinesShown(); });

    view.OnCommand(kEditOptionsCommand, [&view, &app] {
        RunEditOptions(
            view.State().FormFlags, app.Settings(),
            [&view, &app](EditOptionsValues& values) {
                CEditOptionsDlg dialog(values, &view);
                app.RunDialog(dialog);
            },
            [&view, &app] {
                CCommaConflictDlg conflict(&view);
                app.RunDialog(conflict);
            });
    });
    view.OnUpdate(kEditOptionsCommand, [&view](CommandUi& ui) { ui.enabled = view.State().LinesShown(); });

    auto keepDefault = std::make_shared<bool>(false);
    view.OnCommand(kPeakOptionsCommand, [&view, &app, keepDefault] {
        SpectraViewChoices& spectra = view.State().Spectra;
        SpectrumPeaksValues values = PresetSpectrumPeaks(spectra.PeaksNum, spectra.PeakNeighbourDiff, *keepDefault,
                                                         view.State().UnitsByKind[0] != 0);
        CSpectrumPeaksDlg dialog(values, app.Ui(), &view);
        app.RunDialog(dialog);
        int count = spectra.PeaksNum;
        if (ApplySpectrumPeaks(values, count, spectra.PeakNeighbourDiff, *keepDefault, app.Settings(),
                               spectra.PeaksShown != 0)) {
            spectra.PeaksNum = static_cast<std::uint8_t>(count);
            view.RebuildForm();
        }
        spectra.PeaksNum = static_cast<std::uint8_t>(count);
    });
    view.OnUpdate(kPeakOptionsCommand, [&view](CommandUi& ui) { ui.enabled = view.State().ViewKind == kViewSpectra; });
}

} // namespace orlu
