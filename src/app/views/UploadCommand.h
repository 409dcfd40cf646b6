#pragma once
// The measurement view's "Upload file to ORLU" command: the document shown
// goes back into the instrument through the application's one link, under a
// name chosen in the upload-name dialog.

namespace orlu {

class CTmApp;
class CTmView;

void RegisterUploadCommand(CTmView& view, CTmApp& app);

} // namespace orlu
