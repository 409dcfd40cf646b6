#pragma once
// The width, count and aggregation boxes of the "Graphical display options"
// dialogs. Leaving a box holds the three to the display budget at once (a
// wider bar leaves room for fewer bars); the up-down ranges follow the bounds.

#include "app/dialogs/NumberBox.h"
#include "presentation/view/DisplayBudget.h"

#include <QWidget>

class QLabel;

namespace orlu {

class DisplayBudgetBoxes : public QWidget {
public:
    /// steps: the step dialog's labels, else the bar dialog's.
    DisplayBudgetBoxes(DisplayBudget& budget, UserInteraction& ui, bool steps, QWidget* parent = nullptr);

    void SetCountFixed(bool fixed);
    void SetAggregationOffered(bool offered);
    /// OK: the three boxes, each held as when it loses the focus; false when one is refused.
    bool Read();
    void Show();

    NumberBox* WidthBox() const { return m_Width; }
    NumberBox* CountBox() const { return m_Count; }
    NumberBox* AggregationBox() const { return m_Aggregation; }

private:
    enum class Box { Width, Count, Aggregation };
    /// A box lost the focus: its text is taken and the budget holds it.
    bool Left(Box box);

    DisplayBudget& m_Budget;
    UserInteraction& m_Ui;
    NumberBox* m_Width;
    NumberBox* m_Count;
    NumberBox* m_Aggregation;
    QLabel* m_CountLabel;
    QLabel* m_AggregationLabel;
    bool m_Reading = false; ///< a refusal's message takes the focus: that is no new leaving
};

} // namespace orlu
