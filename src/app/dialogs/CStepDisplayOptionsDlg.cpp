#include "app/dialogs/CStepDisplayOptionsDlg.h"

#include "app/dialogs/DialogBoxes.h"
#include "app/dialogs/DisplayBudgetBoxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace orlu {

CStepDisplayOptionsDlg::CStepDisplayOptionsDlg(MoreOptionsModel& model, UserInteraction& ui, QWidget* parent)
    : QDialog(parent), m_Model(model), m_Ui(ui)
{
    setWindowTitle("Graphical display options");
    auto* layout = new QVBoxLayout(this);
    m_Budget = new DisplayBudgetBoxes(model.Budget, ui, true, this);
    m_Budget->SetAggregationOffered(model.AggregationOffered != 0);
    layout->addWidget(m_Budget);

    auto* grid = new QGridLayout;
    m_Circles = new QCheckBox("Draw circles at nodes when ...", this);
    m_Circles->setObjectName("circles");
    m_Circles->setChecked(model.CirclesCheck != 0);
    grid->addWidget(m_Circles, 0, 0, 1, 2);
    m_CircleStep = new NumberBox({1082, NumberKind::Unsigned, 0, 100}, this);
    m_CircleStep->SetValue(static_cast<unsigned>(model.CircleMinStep));
    grid->addWidget(new QLabel("... step width greater than", this), 1, 0);
    grid->addWidget(m_CircleStep, 1, 1);
    m_Radius = new QComboBox(this);
    m_Radius->setObjectName("radius");
    m_Radius->addItems({"1", "2", "3"});
    m_Radius->setCurrentIndex(model.CircleRadiusIndex);
    grid->addWidget(new QLabel("Radius of a circle", this), 2, 0);
    grid->addWidget(m_Radius, 2, 1);
    m_Markers = new QCheckBox("Show markers ...", this);
    m_Markers->setObjectName("markers");
    m_Markers->setChecked(model.MarkersCheck != 0);
    m_MarkerMethod = new QComboBox(this);
    m_MarkerMethod->setObjectName("method");
    m_MarkerMethod->addItems({"1", "2"});
    m_MarkerMethod->setCurrentIndex(model.MarkerMethodIndex);
    auto* methodLabel = new QLabel("... using method", this);
    grid->addWidget(m_Markers, 3, 0, 1, 2);
    grid->addWidget(methodLabel, 4, 0);
    grid->addWidget(m_MarkerMethod, 4, 1);
    for (QWidget* w : {static_cast<QWidget*>(m_Markers), static_cast<QWidget*>(m_MarkerMethod),
                       static_cast<QWidget*>(methodLabel)})
        w->setEnabled(model.MarkersOffered != 0);
    m_Breaks = new QCheckBox("Show breaks", this);
    m_Breaks->setObjectName("breaks");
    m_Breaks->setChecked(model.BreaksCheck != 0);
    m_Breaks->setEnabled(model.BreaksOffered != 0);
    grid->addWidget(m_Breaks, 5, 0, 1, 2);
    layout->addLayout(grid);
    // "Defaults" has no action: it is there for the look of the dialog.
    layout->addWidget(DialogButtons(this, "Cancel", "Defaults"));
}

void CStepDisplayOptionsDlg::accept()
{
    std::uint32_t step = 0;
    if (!m_Budget->Read() ||
        !TakeBox(m_Ui, m_CircleStep->Edit(), ExchangeUnsigned(m_CircleStep->Text(), 0, 100), step))
        return;
    m_Model.CircleMinStep = static_cast<std::int32_t>(step);
    m_Model.CirclesCheck = m_Circles->isChecked();
    m_Model.CircleRadiusIndex = m_Radius->currentIndex();
    m_Model.MarkersCheck = m_Markers->isChecked();
    m_Model.MarkerMethodIndex = m_MarkerMethod->currentIndex();
    m_Model.BreaksCheck = m_Breaks->isChecked();
    m_Model.Ok();
    QDialog::accept();
}

void CStepDisplayOptionsDlg::reject()
{
    m_Model.Cancel();
    QDialog::reject();
}

} // namespace orlu
