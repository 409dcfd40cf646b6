#include "app/views/ViewToolsCommands.h"

#include "app/CTmApp.h"
#include "app/dialogs/QtOptionDialogs.h"
#include "app/views/CTmView.h"
#include "presentation/view/ToolsCommands.h"
#include "presentation/view/ViewController.h"

#include <QDialog>

#include <vector>

namespace orlu {
namespace {

std::vector<int> ToolsCommandIds()
{
    std::vector<int> ids{kSmoothingCommand,     kReverbTimeCommand, kClearRtDataCommand, kPlotTotalCommand,
                         kPhaseSpectrumCommand, kInsertHeaderCommand, kShowPeaksCommand, kGraphAutoScaleCommand,
                         kTonalityCommand};
    for (int id = kFftWindowFirstCommand; id <= kFftWindowLastCommand; ++id)
        ids.push_back(id);
    return ids;
}

// The controller of one command: it keeps nothing between commands that the view does not.
template <typename Body>
auto WithController(CTmView& view, CTmApp& app, Body body)
{
    QtOptionDialogs options([&app](QDialog& dialog) { return app.RunDialog(dialog); }, app.Ui(), app.Settings(),
                            &view);
    ViewController controller(view.State(), view.Doc(), view.Builder(), app.Settings(), view.Dialogs());
    controller.SetOptionDialogs(&options, &options);
    controller.SetInteraction(&app.Ui());
    return body(controller);
}

} // namespace

void RegisterViewToolsCommands(CTmView& view, CTmApp& app)
{
    for (int id : ToolsCommandIds()) {
        view.OnCommand(id, [&view, &app, id] {
            if (WithController(view, app, [id](ViewController& c) { return c.Command(id, {}); }))
                view.ShowBuiltForm();
        });
        view.OnUpdate(id, [&view, &app, id](CommandUi& ui) {
            if (auto state = WithController(view, app, [id](ViewController& c) { return c.ToolsState(id); }))
                ui = *state;
        });
    }
    for (int id : {kViewOptionsCommand, kViewOptionsMenuCommand, kMoreOptionsCommand})
        view.OnCommand(id, [&view, &app, id] {
            if (WithController(view, app, [id](ViewController& c) { return c.Command(id, {}); }))
                view.ShowBuiltForm();
        });
    view.OnUpdate(kMoreOptionsCommand, [&view](CommandUi& ui) { ui.enabled = MoreOptionsOffered(view.State()); });
}

} // namespace orlu
