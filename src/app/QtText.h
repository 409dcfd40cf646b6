#pragma once
// Between the program's Windows-1252 texts and Qt's strings.

#include "platform/UserInteraction.h"

#include <QPixmap>
#include <QString>

#include <string>
#include <string_view>

class QStyle;

namespace orlu {

/// A Windows-1252 text of the program for display.
QString ToQString(std::string_view cp1252);
/// A text that may be UTF-8 (file names) or Windows-1252 (the program's own): UTF-8 when it is valid UTF-8.
QString DisplayText(std::string_view text);
/// A path as the program keeps it (the file system's bytes).
std::string ToPath(const QString& path);
/// The standard picture of a message icon, empty for none.
QPixmap MessageIconPixmap(QStyle* style, MessageIcon icon);

} // namespace orlu
