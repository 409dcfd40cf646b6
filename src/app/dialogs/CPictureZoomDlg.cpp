#include "app/dialogs/CPictureZoomDlg.h"

#include "app/dialogs/DialogBoxes.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace orlu {

CPictureZoomDlg::CPictureZoomDlg(PictureZoomModel& model, UserInteraction& ui, QWidget* parent)
    : QDialog(parent), m_Model(model), m_Ui(ui)
{
    setWindowTitle("OPTIONS FOR GRAPHIC FORM");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto* displayLabel = new QLabel("Zoom factor for display", this);
    displayLabel->setEnabled(false);
    m_DisplayZoom = new QLineEdit(QString::fromStdString(model.DisplayZoomText()), this);
    m_DisplayZoom->setObjectName("displayzoom");
    m_DisplayZoom->setMaximumWidth(60);
    m_DisplayZoom->setEnabled(false);
    form->addRow(displayLabel, m_DisplayZoom);
    m_PrintZoom = new NumberBox({1055, NumberKind::Byte, 1, 16}, this);
    m_PrintZoom->SetValue(model.PrintZoom);
    form->addRow("Zoom factor for printing", m_PrintZoom);
    layout->addLayout(form);
    // "Defaults" does nothing: only the printing zoom can be changed.
    layout->addWidget(DialogButtons(this, "Cancel", "Defaults"));
}

void CPictureZoomDlg::accept()
{
    if (TakeBox(m_Ui, m_PrintZoom->Edit(), ExchangeByte(m_PrintZoom->Text(), 1, 16), m_Model.PrintZoom))
        QDialog::accept();
}

} // namespace orlu
