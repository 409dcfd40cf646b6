#pragma once
// The measurement view's commands that turn its form into a file or change
// how it is copied: Save current view of the text, table, hex and ASCII
// forms, Edit options and the spectrum peaks options.

namespace orlu {

class CTmApp;
class CTmView;

void RegisterViewOutputCommands(CTmView& view, CTmApp& app);

} // namespace orlu
