#include "app/CTableChannelsDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orlu {

CTableChannelsDlg::CTableChannelsDlg(TableChannelsModel& model, QWidget* parent) : QDialog(parent), m_Model(model)
{
    setWindowTitle("Channels for Table View");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("IMPORTANT!", this));
    layout->addWidget(new QLabel("The Table must contain channels with the same input.\n\nPlease, make your choice here.", this));
    auto* group = new QGroupBox("Channels selection", this);
    auto* grid = new QGridLayout(group);
    for (int c = 1; c <= TableChannelsModel::kButtons; ++c) {
        auto* button = new QPushButton(QString::number(c), group);
        button->setObjectName(QString("channel%1").arg(c));
        button->setCheckable(true);
        grid->addWidget(button, 0, c - 1);
        grid->addWidget(new QLabel(m_Model.Label(c), group), 1, c - 1, Qt::AlignHCenter);
        m_Buttons[static_cast<std::size_t>(c - 1)] = button;
        connect(button, &QPushButton::clicked, this, [this, c] {
            m_Model.Toggle(c);
            Show();
        });
    }
    layout->addWidget(group);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_Ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    Show();
}

void CTableChannelsDlg::Show()
{
    for (int c = 1; c <= TableChannelsModel::kButtons; ++c) {
        QPushButton* button = m_Buttons[static_cast<std::size_t>(c - 1)];
        button->setEnabled(m_Model.ButtonEnabled(c));
        button->setChecked(m_Model.Checked(c));
    }
    m_Ok->setEnabled(m_Model.OkEnabled());
}

} // namespace orlu
