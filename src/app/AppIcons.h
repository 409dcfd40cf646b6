#pragma once
// The program's pictures drawn in code: the program icon and the toolbar glyphs.

#include <QIcon>

namespace orlu {

/// The main frame's icon.
QIcon ProgramIcon();
/// The icon of a toolbar command: a standard picture where one fits, else its key letter.
QIcon CommandIcon(int commandId);

} // namespace orlu
