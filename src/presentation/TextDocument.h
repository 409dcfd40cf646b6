#pragma once
// The text document of the text template as the document manager holds it,
// with its Save and Save As commands.

#include "presentation/CTmDoc1.h"
#include "presentation/DocumentHandle.h"

namespace orlu {

class TextDocument : public DocumentHandle {
public:
    TextDocument(UserInteraction& ui, TextDocOrigin origin);

    CTmDoc1& Doc() const { return static_cast<CTmDoc1&>(Document()); }
};

} // namespace orlu
