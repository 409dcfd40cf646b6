#pragma once
// "OPTIONS FOR TABLE FORM" and, with the level panel, "OPTIONS FOR TABLE FORM
// OF STATISTICAL LEVELS": decimal point, column separator, the element pair,
// the pitch pair and the scientific format of the main results, over the
// Qt-free model. Defaults writes into the model at once, so the opener, which
// reads the model whatever closed the dialog, takes it even after Cancel.

#include "app/dialogs/NumberBox.h"
#include "presentation/view/TableOptionsModel.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;

namespace orlu {

class StatLevelsPanel;

class CTableFormOptionsDlg : public QDialog {
public:
    /// displayPitch, printPitch: the program's pitch defaults for "Defaults".
    CTableFormOptionsDlg(TableOptionsModel& model, UserInteraction& ui, std::uint8_t displayPitch,
                         std::uint8_t printPitch, QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

private:
    void Show();
    /// The controls into the model; false when a box is refused.
    bool Read();

    TableOptionsModel& m_Model;
    UserInteraction& m_Ui;
    std::uint8_t m_DefaultDisplayPitch;
    std::uint8_t m_DefaultPrintPitch;
    QComboBox* m_Decimal;
    QComboBox* m_Separator;
    QGroupBox* m_Elements;
    QCheckBox* m_Single;
    QCheckBox* m_Multi;
    NumberBox* m_DisplayPitch;
    NumberBox* m_PrintPitch;
    QCheckBox* m_Scientific = nullptr;
    StatLevelsPanel* m_Levels = nullptr;
};

} // namespace orlu
