#include "app/FixedTextDialog.h"

#include "app/IconTextLayout.h"
#include "app/QtText.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace orlu {

FixedTextDialog::FixedTextDialog(const FixedTextDialogInfo& info, QWidget* parent) : QDialog(parent), m_Info(info)
{
    setWindowTitle(ToQString(info.caption));
    auto* text = new QLabel(ToQString(info.text), this);
    text->setTextFormat(Qt::PlainText);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    LayOutIconAndText(this, MessageIconPixmap(style(), info.icon), text)->addWidget(buttons);
}

} // namespace orlu
