#include "app/FixedTextDialog.h"

#include "app/QtText.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace orlu {

FixedTextDialog::FixedTextDialog(const FixedTextDialogInfo& info, QWidget* parent) : QDialog(parent), m_Info(info)
{
    setWindowTitle(ToQString(info.caption));
    auto* icon = new QLabel(this);
    icon->setPixmap(MessageIconPixmap(style(), info.icon));
    icon->setAlignment(Qt::AlignTop);
    auto* text = new QLabel(ToQString(info.text), this);
    text->setTextFormat(Qt::PlainText);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

} // namespace orlu
