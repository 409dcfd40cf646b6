#pragma once
// The layout the program's message-like dialogs share.

#include <QPixmap>

class QDialog;
class QVBoxLayout;
class QWidget;

namespace orlu {

/// Lays out the dialog with the icon at the top left and the text beside it;
/// the dialog's buttons go into the returned column, under them.
QVBoxLayout* LayOutIconAndText(QDialog* dialog, const QPixmap& icon, QWidget* text);

} // namespace orlu
