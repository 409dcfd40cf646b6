#include "app/dialogs/DialogBoxes.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace orlu {

QDialogButtonBox* DialogButtons(QDialog* dialog, const char* cancelText, const char* defaultsText,
                                QPushButton** defaults)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
    QPushButton* cancel = buttons->addButton(cancelText, QDialogButtonBox::RejectRole);
    cancel->setObjectName("cancel");
    buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    if (defaultsText) {
        QPushButton* button = buttons->addButton(defaultsText, QDialogButtonBox::ResetRole);
        button->setObjectName("defaults");
        button->setAutoDefault(false);
        if (defaults)
            *defaults = button;
    }
    return buttons;
}

} // namespace orlu
