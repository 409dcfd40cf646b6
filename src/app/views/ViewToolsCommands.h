#pragma once
// The measurement view's Tools commands, View options and More options in the
// program: each runs the view's controller with the option dialogs on screen,
// then the view shows the form the controller left.

namespace orlu {

class CTmApp;
class CTmView;

void RegisterViewToolsCommands(CTmView& view, CTmApp& app);

} // namespace orlu
