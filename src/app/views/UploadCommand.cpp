#include "app/views/UploadCommand.h"

#include "app/CTmApp.h"
#include "app/UnitFilesCommand.h"
#include "app/views/CTmView.h"
#include "document/CTmDoc.h"
#include "presentation/view/ToolsCommands.h"
#include "presentation/view/UploadOffer.h"

namespace orlu {

void RegisterUploadCommand(CTmView& view, CTmApp& app)
{
    // No wait cursor: the name dialog and the progress window are the feedback.
    view.OnCommand(kUploadCommand, [&view, &app] { app.UnitFiles().Upload(view.Doc(), &view); });
    view.OnUpdate(kUploadCommand, [&view, &app](CommandUi& ui) {
        ui.enabled = UploadOffered(view.Doc(), app.Settings());
    });
}

} // namespace orlu
