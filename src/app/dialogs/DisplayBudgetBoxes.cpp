#include "app/dialogs/DisplayBudgetBoxes.h"

#include "app/dialogs/DialogBoxes.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace orlu {

DisplayBudgetBoxes::DisplayBudgetBoxes(DisplayBudget& budget, UserInteraction& ui, bool steps, QWidget* parent)
    : QWidget(parent), m_Budget(budget), m_Ui(ui)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    m_Width = new NumberBox({1049, NumberKind::Unsigned, 1, 50}, this);
    m_Count = new NumberBox({1055, NumberKind::Unsigned, 1, 800}, this);
    m_Aggregation = new NumberBox({1079, NumberKind::Unsigned, 1, 20}, this);
    m_CountLabel = new QLabel(steps ? "Visible steps" : "Visible bars", this);
    m_AggregationLabel = new QLabel("Aggregation degree", this);
    grid->addWidget(new QLabel(steps ? "Step width (pixels)" : "Bar width (pixels)", this), 0, 0);
    grid->addWidget(m_Width, 0, 1);
    grid->addWidget(m_CountLabel, 1, 0);
    grid->addWidget(m_Count, 1, 1);
    grid->addWidget(m_AggregationLabel, 2, 0);
    grid->addWidget(m_Aggregation, 2, 1);
    connect(m_Width->Edit(), &QLineEdit::editingFinished, this, [this] { Left(Box::Width); });
    connect(m_Count->Edit(), &QLineEdit::editingFinished, this, [this] { Left(Box::Count); });
    connect(m_Aggregation->Edit(), &QLineEdit::editingFinished, this, [this] { Left(Box::Aggregation); });
    Show();
}

void DisplayBudgetBoxes::SetCountFixed(bool fixed)
{
    m_CountLabel->setEnabled(!fixed);
    m_Count->setEnabled(!fixed);
}

void DisplayBudgetBoxes::SetAggregationOffered(bool offered)
{
    m_AggregationLabel->setEnabled(offered);
    m_Aggregation->setEnabled(offered);
}

bool DisplayBudgetBoxes::Left(Box box)
{
    if (m_Reading)
        return false;
    m_Reading = true;
    NumberBox* edit = box == Box::Width ? m_Width : box == Box::Count ? m_Count : m_Aggregation;
    std::int32_t value = 0;
    const bool taken = TakeBox(m_Ui, edit->Edit(), ExchangeInteger(edit->Text()), value);
    if (taken) {
        switch (box) {
        case Box::Width: m_Budget.WidthLeft(value); break;
        case Box::Count: m_Budget.CountLeft(value); break;
        case Box::Aggregation: m_Budget.AggregationLeft(value); break;
        }
        Show();
    }
    m_Reading = false;
    return taken;
}

bool DisplayBudgetBoxes::Read()
{
    // All three texts first: holding one box to the budget must not overwrite what the others hold.
    std::int32_t width = 0, count = 0, aggregation = m_Budget.Aggregation();
    if (!TakeBox(m_Ui, m_Width->Edit(), ExchangeInteger(m_Width->Text()), width) ||
        !TakeBox(m_Ui, m_Count->Edit(), ExchangeInteger(m_Count->Text()), count) ||
        (m_Aggregation->isEnabled() &&
         !TakeBox(m_Ui, m_Aggregation->Edit(), ExchangeInteger(m_Aggregation->Text()), aggregation)))
        return false;
    m_Budget.WidthLeft(width);
    m_Budget.CountLeft(count);
    m_Budget.AggregationLeft(aggregation);
    Show();
    return true;
}

void DisplayBudgetBoxes::Show()
{
    m_Width->SetRange(DisplayBudget::kWidthMin, DisplayBudget::kWidthLimit);
    m_Count->SetRange(1, static_cast<unsigned>(m_Budget.CountMax()));
    m_Aggregation->SetRange(1, static_cast<unsigned>(m_Budget.AggregationMax()));
    m_Width->SetValue(static_cast<unsigned>(m_Budget.Width()));
    m_Count->SetValue(static_cast<unsigned>(m_Budget.Count()));
    m_Aggregation->SetValue(static_cast<unsigned>(m_Budget.Aggregation()));
}

} // namespace orlu
