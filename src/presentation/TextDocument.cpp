#include "presentation/TextDocument.h"

#include "presentation/CommandTable.h"

namespace orlu {

TextDocument::TextDocument(UserInteraction& ui, TextDocOrigin origin)
    : DocumentHandle(std::make_unique<CTmDoc1>(ui, origin))
{
    OnCommand(kIdFileSaveAs, [this] {
        if (Doc().SaveAs)
            Doc().SaveAs(Doc());
    });
    // A text that came from a file is never changed: only a new one has anything to save.
    OnCommand(kIdFileSave, [this] {
        if (Doc().NotFromDisk() && Doc().SaveAs)
            Doc().SaveAs(Doc());
    });
}

} // namespace orlu
