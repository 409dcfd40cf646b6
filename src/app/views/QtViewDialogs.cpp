#include "app/views/QtViewDialogs.h"

#include "app/CTableChannelsDlg.h"
#include "app/CTmApp.h"
#include "app/dialogs/CBlockOperationsDlg.h"
#include "app/dialogs/CSpectraFunctionsDlg.h"
#include "app/views/CTmView.h"
#include "presentation/view/ChannelSelection.h"
#include "presentation/view/TextFormLayout.h"

#include <QGuiApplication>

namespace orlu {

QtViewDialogs::QtViewDialogs(const CTmDoc& doc, QWidget* parent, DialogRunner run)
    : m_Doc(doc), m_Parent(parent), m_Run(std::move(run))
{
}

void QtViewDialogs::RunSpectraFunctions(SpectraFunctionsModel& dialog)
{
    CSpectraFunctionsDlg window(dialog, m_Parent);
    m_Run(window);
    if (!dialog.Ended)
        dialog.Cancel();
}

void QtViewDialogs::RunBlockOperations(BlockOperationsModel& dialog)
{
    CBlockOperationsDlg window(dialog, m_Run, m_Parent);
    m_Run(window);
    if (!dialog.Ended)
        dialog.Escape();
}

std::optional<std::uint16_t> QtViewDialogs::RunTableChannels(std::uint16_t offered, std::uint16_t selected)
{
    TableChannelsModel model(ChannelFactsOf(m_Doc).inputKinds, offered, selected);
    CTableChannelsDlg window(model, m_Parent);
    if (m_Run(window) != QDialog::Accepted)
        return std::nullopt;
    return model.Accept();
}

void RegisterViewDialogs(CTmView& view, CTmApp& app)
{
    view.SetDialogs(
        std::make_unique<QtViewDialogs>(view.Doc(), &view, [&app](QDialog& dialog) { return app.RunDialog(dialog); }));
    view.OnCommand(kSpectraFunctionsCommand, [&view, &app] {
        const Qt::KeyboardModifiers held = QGuiApplication::keyboardModifiers();
        const KeyModifiers keys{(held & Qt::ShiftModifier) != 0, (held & Qt::ControlModifier) != 0,
                                (held & Qt::AltModifier) != 0};
        ViewController controller(view.State(), view.Doc(), view.Builder(), app.Settings(), view.Dialogs());
        if (controller.Command(kSpectraFunctionsCommand, keys)) {
            LayOutTabColumns(view.State());
            view.UpdateTextScrollBars();
            view.viewport()->update();
        }
    });
    view.OnUpdate(kSpectraFunctionsCommand,
                  [&view](CommandUi& ui) { ui.enabled = view.State().ViewKind == kViewSpectra; });
}

} // namespace orlu
