#pragma once
// "Graphical display options" of the step and curve graphs: step width,
// visible steps, aggregation degree, and the node circles, logger markers
// and breaks, over the More options model.

#include "app/dialogs/NumberBox.h"
#include "presentation/view/MoreOptionsCommand.h"

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace orlu {

class DisplayBudgetBoxes;

class CStepDisplayOptionsDlg : public QDialog {
public:
    CStepDisplayOptionsDlg(MoreOptionsModel& model, UserInteraction& ui, QWidget* parent = nullptr);

    void accept() override;
    void reject() override;
    DisplayBudgetBoxes* Budget() const { return m_Budget; }
    NumberBox* CircleStepBox() const { return m_CircleStep; }

private:
    MoreOptionsModel& m_Model;
    UserInteraction& m_Ui;
    DisplayBudgetBoxes* m_Budget;
    QCheckBox* m_Circles;
    NumberBox* m_CircleStep;
    QComboBox* m_Radius;
    QCheckBox* m_Markers;
    QComboBox* m_MarkerMethod;
    QCheckBox* m_Breaks;
};

} // namespace orlu
