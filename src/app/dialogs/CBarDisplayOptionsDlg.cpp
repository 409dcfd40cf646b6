#include "app/dialogs/CBarDisplayOptionsDlg.h"

#include "app/dialogs/DialogBoxes.h"
#include "app/dialogs/DisplayBudgetBoxes.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace orlu {

CBarDisplayOptionsDlg::CBarDisplayOptionsDlg(MoreOptionsModel& model, UserInteraction& ui, QWidget* parent)
    : QDialog(parent), m_Model(model)
{
    setWindowTitle("Graphical display options");
    auto* layout = new QVBoxLayout(this);
    m_Budget = new DisplayBudgetBoxes(model.Budget, ui, false, this);
    m_Budget->SetCountFixed(model.CountFixed != 0);
    m_Budget->SetAggregationOffered(model.AggregationOffered != 0);
    layout->addWidget(m_Budget);
    m_SolidBars = new QCheckBox("Solid bars", this);
    m_SolidBars->setObjectName("solid");
    m_SolidBars->setChecked(model.SolidBarsCheck != 0);
    connect(m_SolidBars, &QCheckBox::clicked, this, [this](bool on) { m_Model.SetSolidBars(on); });
    layout->addWidget(m_SolidBars);
    // "Defaults" has no action: it is there for the look of the dialog.
    layout->addWidget(DialogButtons(this, "Cancel", "Defaults"));
}

void CBarDisplayOptionsDlg::accept()
{
    if (!m_Budget->Read())
        return;
    m_Model.Ok();
    QDialog::accept();
}

void CBarDisplayOptionsDlg::reject()
{
    m_Model.Cancel();
    QDialog::reject();
}

} // namespace orlu
