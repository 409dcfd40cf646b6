#include "app/views/ViewOutputCommands.h"

#include "app/CTmApp.h"
#include "app/FixedTextDialog.h"
#include "app/PictureCommands.h"
#include "app/canvas/GraphFormPicture.h"
#include "app/canvas/QtFontMeasure.h"
#include "app/dialogs/OptionDialogs.h"
#include "app/views/CTmView.h"
#include "app/views/ViewClipboard.h"
#include "app/views/ViewPrinting.h"
#include "document/ViewKind.h"
#include "platform/FileIo.h"
#include "presentation/CommandTable.h"
#include "presentation/DocTemplateTable.h"
#include "presentation/pictures/ViewExport.h"
#include "presentation/view/PrintPages.h"

#include <memory>

namespace orlu {
namespace {

constexpr int kSaveCurrentViewCommand = 32833;
constexpr int kEditOptionsCommand = 32860;
constexpr int kPeakOptionsCommand = 32873;

bool GraphPainted(const CTmView& view)
{
    return view.State().GraphShown() && view.State().GraphForm.Available;
}

// The graph form takes the command; the forms of lines keep the handlers the view registered.
void OnGraphOrLines(CTmView& view, int id, const std::function<void()>& graph)
{
    CommandTarget::Handler lines = view.HandlerOf(id);
    CommandTarget::UpdateHandler linesUpdate = view.UpdateHandlerOf(id);
    view.OnCommand(id, [&view, graph, lines] {
        if (GraphPainted(view))
            graph();
        else if (lines)
            lines();
    });
    view.OnUpdate(id, [&view, linesUpdate](CommandUi& ui) {
        if (GraphPainted(view))
            ui.enabled = true;
        else if (linesUpdate)
            linesUpdate(ui);
        else
            ui.enabled = false;
    });
}

// File New (visible) or Save current view (hidden) of the graph: the format choice, then the picture.
void ExportGraph(CTmView& view, CTmApp& app, bool hidden)
{
    CFormatChoiceDlg choice(&view);
    app.RunDialog(choice);
    const PictureFormat format = choice.FormatChoice();
    if (format == PictureFormat::None)
        return;
    const QtFontMeasure measure(view.viewport());
    const GraphFormSource source{view.State(), view.Doc(), app.Settings()};
    if (!MakeGraphPicture(format, GraphPictureSourceOf(source, &measure), app.Pictures().HandOver()))
        return;
    app.Pictures().NewPictureDocument(format == PictureFormat::Bitmap ? kBitmapDocTemplate : kMetafileDocTemplate,
                                      hidden);
}

void RegisterGraphOutputCommands(CTmView& view, CTmApp& app)
{
    const auto source = [&view, &app] { return GraphFormSource{view.State(), view.Doc(), app.Settings()}; };
    OnGraphOrLines(view, kIdEditCopy, [source] {
        // A graph that cannot be painted leaves the clipboard as it was.
        if (const QImage image = GraphClipboardImage(source()); !image.isNull())
            PutImageOnClipboard(image);
    });
    for (const bool preview : {false, true})
        OnGraphOrLines(view, preview ? kIdFilePrintPreview : kIdFilePrint, [&view, &app, source, preview] {
            const std::string fileName = PrintedFileName(view.Doc().PathName().string(), view.Doc().Title());
            PrintPicturePage(
                &view, fileName, [source](Canvas& canvas) { PaintGraphForm(canvas, source()); }, preview,
                [&app](QDialog& dialog) { return app.RunDialog(dialog); });
            view.viewport()->update();
        });
    view.OnCommand(kIdFileNew, [&view, &app] {
        if (GraphPainted(view))
            ExportGraph(view, app, false);
        else if (view.State().LinesShown() && view.State().ShownLines().LineCount() > 0)
            app.NewViewCopyDocument(view.State().ShownLines()); // a form without lines makes no document
    });
    view.OnUpdate(kIdFileNew,
                  [&view](CommandUi& ui) { ui.enabled = GraphPainted(view) || view.State().LinesShown(); });
}

} // namespace

void RegisterViewOutputCommands(CTmView& view, CTmApp& app)
{
    view.OnCommand(kSaveCurrentViewCommand, [&view, &app] {
        if (GraphPainted(view))
            return ExportGraph(view, app, true);
        // The lines go straight to the file the Save As dialog names; no window opens.
        const LineSource& lines = view.State().ShownLines();
        app.Pictures().SaveAs().SaveAs(kTextDocTemplate, {}, "View",
                                       [&lines](const std::filesystem::path& target, std::string* error) {
                                           return WriteFileAtomically(target, EncodeFormLines(lines), error);
                                       });
    });
    view.OnUpdate(kSaveCurrentViewCommand,
                  [&view](CommandUi& ui) { ui.enabled = view.State().LinesShown() || GraphPainted(view); });
    RegisterGraphOutputCommands(view, app);

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
