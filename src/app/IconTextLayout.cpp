#include "app/IconTextLayout.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace orlu {

QVBoxLayout* LayOutIconAndText(QDialog* dialog, const QPixmap& icon, QWidget* text)
{
    auto* iconLabel = new QLabel(dialog);
    iconLabel->setPixmap(icon);
    iconLabel->setAlignment(Qt::AlignTop);
    auto* top = new QHBoxLayout;
    top->addWidget(iconLabel);
    top->addWidget(text, 1);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(top);
    return layout;
}

} // namespace orlu
