#pragma once
// What the option dialogs share on screen: taking one edit box through the
// exchange (a refused text gets the dialog's message and keeps the focus on
// its box), and the OK / Cancel / Defaults row.

#include "platform/UserInteraction.h"
#include "presentation/view/DialogExchange.h"

#include <QLineEdit>

class QDialog;
class QDialogButtonBox;
class QPushButton;

namespace orlu {

/// The exchange's answer for a box: the value goes to target, or the refusal
/// is shown and the box takes the focus. False when refused.
template <typename T, typename Target>
bool TakeBox(UserInteraction& ui, QLineEdit* box, const Exchanged<T>& read, Target& target)
{
    if (!read.Taken()) {
        ui.ShowMessage(read.refusal, kMessageCaption, MessageButtons::Ok, MessageIcon::Warning);
        box->setFocus();
        box->selectAll();
        return false;
    }
    target = static_cast<Target>(read.value);
    return true;
}

inline std::string BoxText(const QLineEdit* box) { return box->text().toStdString(); }

/// OK and Cancel wired to the dialog's accept and reject, with a third button
/// (named "defaults") when defaultsText is given.
QDialogButtonBox* DialogButtons(QDialog* dialog, const char* cancelText = "Cancel",
                                const char* defaultsText = nullptr, QPushButton** defaults = nullptr);

} // namespace orlu
