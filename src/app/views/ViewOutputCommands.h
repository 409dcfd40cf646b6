#pragma once
// The measurement view's commands that turn its form into a document or a
// file or change how it is copied: File New and Save current view (a text
// copy of the lines; a bitmap or metafile of the graph, as the format choice
// says), Copy, Print and Print preview of the graph form (the forms of lines
// keep the view's own), Edit options and the spectrum peaks options.

namespace orlu {

class CTmApp;
class CTmView;

void RegisterViewOutputCommands(CTmView& view, CTmApp& app);

} // namespace orlu
