#include "app/CRtGraphOptionsDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace orlu {

CRtGraphOptionsDlg::CRtGraphOptionsDlg(RtGraphOptionsModel& model, QWidget* parent) : QDialog(parent), m_Model(model)
{
    setWindowTitle("OPTIONS FOR GRAPHIC FORM  (reverberation time procedure)");
    auto* layout = new QVBoxLayout(this);
    auto* cursor = new QCheckBox("Plot cursor", this);
    auto* totals = new QCheckBox("Plot total(s)", this);
    cursor->setEnabled(false);
    totals->setEnabled(false);
    m_NoAutoScale = new QCheckBox("Disable autoscaling", this);
    m_NoAutoScale->setObjectName("noauto");
    auto* form = new QFormLayout;
    m_Zoom = new QSpinBox(this);
    m_Zoom->setObjectName("zoom");
    m_Zoom->setRange(1, 16);
    form->addRow("Zoom factor for printing", m_Zoom);
    for (QWidget* w : {static_cast<QWidget*>(cursor), static_cast<QWidget*>(totals), static_cast<QWidget*>(m_NoAutoScale)})
        layout->addWidget(w);
    layout->addLayout(form);
    auto* procedure = new QGroupBox("Reverb. time procedure options", this);
    auto* procedureLayout = new QVBoxLayout(procedure);
    m_StartWithTotal = new QCheckBox("start with Total ", procedure);
    m_ManualT0 = new QCheckBox("manual t0 selection", procedure);
    procedureLayout->addWidget(m_StartWithTotal);
    procedureLayout->addWidget(m_ManualT0);
    layout->addWidget(procedure);
    auto* aid = new QGroupBox("Visual aid", this);
    auto* aidLayout = new QVBoxLayout(aid);
    static constexpr const char* kMethods[] = {"   EDT", "   RT20", "   RT30", "   RTuser"};
    for (int m = 1; m <= 4; ++m) {
        auto* button = new QRadioButton(kMethods[m - 1], aid);
        button->setObjectName(QString("method%1").arg(m));
        button->setAutoExclusive(false); // the model keeps exactly one set
        aidLayout->addWidget(button);
        m_Methods[static_cast<std::size_t>(m - 1)] = button;
        connect(button, &QRadioButton::clicked, this, [this, m] {
            m_Model.ChooseMethod(m);
            Show();
        });
    }
    layout->addWidget(aid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* defaults = buttons->addButton("Defaults", QDialogButtonBox::ResetRole);
    defaults->setObjectName("defaults");
    connect(defaults, &QPushButton::clicked, this, [this] {
        m_Model.Defaults();
        Show();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    Show();
}

void CRtGraphOptionsDlg::Show()
{
    m_Zoom->setValue(m_Model.PrintZoom);
    m_NoAutoScale->setChecked(m_Model.NoAutoScaleCheck != 0);
    m_StartWithTotal->setChecked(m_Model.StartWithTotalCheck != 0);
    m_ManualT0->setChecked(m_Model.ManualT0Check != 0);
    const std::int32_t checks[] = {m_Model.EdtCheck, m_Model.Rt20Check, m_Model.Rt30Check, m_Model.RtUserCheck};
    for (std::size_t m = 0; m < m_Methods.size(); ++m)
        m_Methods[m]->setChecked(checks[m] != 0);
}

void CRtGraphOptionsDlg::accept()
{
    m_Model.PrintZoom = static_cast<std::uint8_t>(m_Zoom->value());
    m_Model.NoAutoScaleCheck = m_NoAutoScale->isChecked();
    m_Model.StartWithTotalCheck = m_StartWithTotal->isChecked();
    m_Model.ManualT0Check = m_ManualT0->isChecked();
    QDialog::accept();
}

} // namespace orlu
