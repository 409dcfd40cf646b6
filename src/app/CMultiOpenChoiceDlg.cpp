#include "app/CMultiOpenChoiceDlg.h"

#include "platform/ValueFormat.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace orlu {

CMultiOpenChoiceDlg::CMultiOpenChoiceDlg(int fileCount, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Make a choice !");
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    auto* message = new QLabel(QString::fromStdString(StrPrintf("You  have  selected  %d  files.", fileCount)), this);
    message->setObjectName("message");
    auto* separately = new QPushButton("separetly ", this);
    auto* multifile = new QPushButton("multifile ", this);
    auto* cancel = new QPushButton("cancel ", this);
    connect(separately, &QPushButton::clicked, this, [this] { m_Choice = 1; accept(); });
    connect(multifile, &QPushButton::clicked, this, [this] { m_Choice = 2; accept(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(message, 0, 1, 1, 4);
    grid->addWidget(new QLabel("Do you want to open them", this), 1, 1);
    grid->addWidget(separately, 1, 2);
    grid->addWidget(new QLabel("or merge them as a", this), 1, 3);
    grid->addWidget(multifile, 1, 4);
    grid->addWidget(new QLabel("?", this), 1, 5);
    grid->addWidget(new QLabel("Of course,  you can also ", this), 2, 1);
    grid->addWidget(cancel, 2, 2);
    grid->addWidget(new QLabel("the operation.", this), 2, 3);
}

} // namespace orlu
