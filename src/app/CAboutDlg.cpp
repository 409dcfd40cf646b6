#include "app/CAboutDlg.h"

#include "app/IconTextLayout.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace orlu {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("About OrluPC"));
    auto* text = new QLabel(tr("OrluPC Version %1").arg(QString::fromUtf8(ORLU_VERSION)), this);
    text->setObjectName("versionText");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    LayOutIconAndText(this, QApplication::windowIcon().pixmap(32, 32), text)->addWidget(buttons);
}

} // namespace orlu
