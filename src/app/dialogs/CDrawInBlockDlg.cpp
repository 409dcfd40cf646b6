#include "app/dialogs/CDrawInBlockDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace orlu {

CDrawInBlockDlg::CDrawInBlockDlg(DrawInBlockModel& model, QWidget* parent) : QDialog(parent), m_Model(model)
{
    setWindowTitle("Draw in the block");
    auto* layout = new QVBoxLayout(this);
    static constexpr const char* kCaptions[] = {"RMS / LEQ", "Lmax", "Lmin", "SEL"};
    for (int i = 0; i < 4; ++i) {
        auto* box = new QCheckBox(kCaptions[i], this);
        box->setObjectName(QString("draw%1").arg(i));
        layout->addWidget(box);
        m_Boxes[static_cast<std::size_t>(i)] = box;
        connect(box, &QCheckBox::clicked, this, [this, i] {
            m_Model.ClickBox(i);
            Show();
        });
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    Show();
}

void CDrawInBlockDlg::Show()
{
    for (int i = 0; i < 4; ++i) {
        QCheckBox* box = m_Boxes[static_cast<std::size_t>(i)];
        box->setVisible(m_Model.BoxShown(i));
        box->setEnabled(m_Model.BoxEnabled(i));
        box->setChecked(m_Model.m_DrawChecks[static_cast<std::size_t>(i)] != 0);
    }
}

void CDrawInBlockDlg::accept()
{
    m_Model.Ok();
    QDialog::accept();
}

} // namespace orlu
