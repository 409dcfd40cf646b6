#pragma once
// The program's pictures: the program icon and the toolbar's. Commands with a
// standard freedesktop icon take the desktop theme's; the others, and every
// one where the theme has none, are drawn in code.

#include <QIcon>

namespace orlu {

/// The main frame's icon.
QIcon ProgramIcon();
/// The icon of a toolbar command: the theme's standard icon where there is
/// one, else the drawn picture; null for a command without a picture.
QIcon CommandIcon(int commandId);
/// The drawn picture of a toolbar command, whatever the theme has; null when it has none.
QIcon DrawnCommandIcon(int commandId);

} // namespace orlu
