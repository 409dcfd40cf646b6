#pragma once
// "Graphical display options" of the bar graphs: bar width, visible bars,
// aggregation degree and Solid bars, over the More options model.

#include "presentation/view/MoreOptionsCommand.h"

#include <QDialog>

class QCheckBox;

namespace orlu {

class DisplayBudgetBoxes;
class UserInteraction;

class CBarDisplayOptionsDlg : public QDialog {
public:
    CBarDisplayOptionsDlg(MoreOptionsModel& model, UserInteraction& ui, QWidget* parent = nullptr);

    void accept() override;
    void reject() override;
    DisplayBudgetBoxes* Budget() const { return m_Budget; }

private:
    MoreOptionsModel& m_Model;
    DisplayBudgetBoxes* m_Budget;
    QCheckBox* m_SolidBars;
};

} // namespace orlu
