#include "app/dialogs/CPitchZoomDefaultsDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace orlu {

CPitchZoomDefaultsDlg::CPitchZoomDefaultsDlg(PitchZoomDefaultsModel& model, UserInteraction& ui, QWidget* parent)
    : QDialog(parent), m_Model(model), m_Ui(ui)
{
    setWindowTitle("PITCH SIZE & GRAPHICS ZOOM DEFAULTS");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    static const char* const kLabels[] = {"Pitch size default for display", "Left margin for text display",
                                          "Pitch size default for printing", "Zoom default for graphics printing"};
    const std::vector<NumberField> fields = PitchZoomDefaultsModel::Fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        auto* box = new NumberBox(fields[i], this);
        form->addRow(kLabels[i], box);
        m_Boxes.push_back(box);
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* defaults = buttons->addButton("Prog. defaults", QDialogButtonBox::ResetRole);
    connect(defaults, &QPushButton::clicked, this, [this] {
        m_Model.ProgramDefaults();
        Show();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &CPitchZoomDefaultsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    Show();
}

void CPitchZoomDefaultsDlg::Show()
{
    const std::vector<std::string> texts = m_Model.FieldTexts();
    for (std::size_t i = 0; i < m_Boxes.size() && i < texts.size(); ++i)
        m_Boxes[i]->SetText(texts[i]);
}

void CPitchZoomDefaultsDlg::accept()
{
    if (ExchangeBoxes(m_Ui, m_Boxes, [this](const std::vector<std::string>& t) { return m_Model.Exchange(t); }))
        QDialog::accept();
}

} // namespace orlu
