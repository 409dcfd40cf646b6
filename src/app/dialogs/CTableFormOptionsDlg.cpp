#include "app/dialogs/CTableFormOptionsDlg.h"

#include "app/dialogs/DialogBoxes.h"
#include "app/dialogs/StatLevelsPanel.h"
#include "presentation/dialogs/TextOptionsDialogModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace orlu {

CTableFormOptionsDlg::CTableFormOptionsDlg(TableOptionsModel& model, UserInteraction& ui, std::uint8_t displayPitch,
                                           std::uint8_t printPitch, QWidget* parent)
    : QDialog(parent), m_Model(model), m_Ui(ui), m_DefaultDisplayPitch(displayPitch), m_DefaultPrintPitch(printPitch)
{
    const bool levels = model.LevelsVariant();
    setWindowTitle(levels ? "OPTIONS FOR TABLE FORM OF STATISTICAL LEVELS" : "OPTIONS FOR TABLE FORM");
    auto* layout = new QVBoxLayout(this);
    auto* format = new QFormLayout;
    m_Decimal = new QComboBox(this);
    m_Decimal->setObjectName("decimal");
    m_Decimal->addItems({"dot  < . >", "comma  < , >"});
    m_Separator = new QComboBox(this);
    m_Separator->setObjectName("separator");
    m_Separator->addItems({"tab  < HT >", "comma  < , >", "semicolon  < ; >", "slash  < / >", "space < _ >",
                           "double space < _ _ >", "spaces to 10th  <_10>"});
    format->addRow("Decimal point", m_Decimal);
    format->addRow("Column separator", m_Separator);
    layout->addLayout(format);

    m_Elements = new QGroupBox("Table contents", this);
    auto* elements = new QVBoxLayout(m_Elements);
    m_Single = new QCheckBox("single element", m_Elements);
    m_Single->setObjectName("single");
    m_Multi = new QCheckBox("multi element", m_Elements);
    m_Multi->setObjectName("multi");
    elements->addWidget(m_Single);
    elements->addWidget(m_Multi);
    elements->addWidget(new QLabel(levels ? "( element = statistical levels for a histogram )"
                                          : "( element = hist., spectr., 1/1-3 oct.  or plot )",
                                   m_Elements));
    layout->addWidget(m_Elements);
    connect(m_Single, &QCheckBox::clicked, this, [this] {
        m_Model.ChooseMulti(false);
        Show();
    });
    connect(m_Multi, &QCheckBox::clicked, this, [this] {
        m_Model.ChooseMulti(true);
        Show();
    });

    if (levels) {
        m_Levels = new StatLevelsPanel(ui, this);
        m_Levels->onAscending = [this] {
            if (!Read())
                return;
            std::sort(m_Model.Levels.begin(), m_Model.Levels.end());
            Show();
        };
        m_Levels->onUseAll = [this](bool on) {
            if (Read())
                m_Model.UseAll = on;
            Show();
        };
        layout->addWidget(m_Levels);
    }

    auto* pitch = new QFormLayout;
    m_DisplayPitch = new NumberBox({PitchPair::kDisplayId, NumberKind::Byte, 1, 48}, this);
    m_PrintPitch = new NumberBox({PitchPair::kPrintId, NumberKind::Byte, 1, 48}, this);
    pitch->addRow("Pitch size for display", m_DisplayPitch);
    pitch->addRow("Pitch size for printing", m_PrintPitch);
    layout->addLayout(pitch);
    if (!levels) {
        m_Scientific = new QCheckBox("scientific format for Main Results in linear units", this);
        m_Scientific->setObjectName("scientific");
        connect(m_Scientific, &QCheckBox::clicked, this, [this](bool on) { m_Model.Scientific = on; });
        layout->addWidget(m_Scientific);
    }
    QPushButton* defaults = nullptr;
    layout->addWidget(DialogButtons(this, "&Cancel", "&Defaults", &defaults));
    connect(defaults, &QPushButton::clicked, this, [this] {
        m_Model.Defaults(m_DefaultDisplayPitch, m_DefaultPrintPitch);
        Show();
    });
    Show();
}

void CTableFormOptionsDlg::Show()
{
    m_Decimal->setCurrentIndex(m_Model.DecimalIndex);
    m_Separator->setCurrentIndex(m_Model.SeparatorIndex);
    m_Elements->setEnabled(m_Model.ElementChoiceEnabled != 0);
    m_Single->setChecked(m_Model.SingleCheck != 0);
    m_Multi->setChecked(m_Model.MultiCheck != 0);
    m_DisplayPitch->SetValue(m_Model.DisplayPitch);
    m_PrintPitch->SetValue(m_Model.PrintPitch);
    if (m_Scientific) {
        m_Scientific->setEnabled(m_Model.ScientificEnabled != 0);
        m_Scientific->setChecked(m_Model.Scientific != 0);
    }
    if (m_Levels)
        m_Levels->Show(m_Model.Levels, m_Model.LevelsEnabled && !m_Model.UseAll, m_Model.UseAll != 0,
                       m_Model.UseAllEnabled != 0);
}

bool CTableFormOptionsDlg::Read()
{
    std::uint8_t display = 0, print = 0;
    StatLevels levels = m_Model.Levels;
    if (!TakeBox(m_Ui, m_DisplayPitch->Edit(), ExchangeByte(m_DisplayPitch->Text(), 1, 48), display) ||
        !TakeBox(m_Ui, m_PrintPitch->Edit(), ExchangeByte(m_PrintPitch->Text(), 1, 48), print) ||
        (m_Levels && !m_Levels->Read(levels)))
        return false;
    m_Model.DecimalIndex = m_Decimal->currentIndex();
    m_Model.SeparatorIndex = m_Separator->currentIndex();
    m_Model.DisplayPitch = display;
    m_Model.PrintPitch = print;
    m_Model.Levels = levels;
    return true;
}

void CTableFormOptionsDlg::accept()
{
    if (Read())
        QDialog::accept();
}

void CTableFormOptionsDlg::reject()
{
    m_Model.Cancel();
    QDialog::reject();
}

} // namespace orlu
