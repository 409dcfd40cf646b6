#include "app/dialogs/NumberBox.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

namespace orlu {

NumberBox::NumberBox(const NumberField& field, QWidget* parent) : QWidget(parent), m_Field(field)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_Edit = new QLineEdit(this);
    m_Edit->setMaximumWidth(60);
    m_Edit->setObjectName(QString::number(field.controlId));
    layout->addWidget(m_Edit);
    auto* up = new QToolButton(this);
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton(this);
    down->setArrowType(Qt::DownArrow);
    layout->addWidget(up);
    layout->addWidget(down);
    connect(up, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down, &QToolButton::clicked, this, [this] { Step(-1); });
}

void NumberBox::SetValue(unsigned value) { m_Edit->setText(QString::number(value)); }

void NumberBox::SetText(const std::string& text) { m_Edit->setText(QString::fromStdString(text)); }

std::string NumberBox::Text() const { return m_Edit->text().toStdString(); }

void NumberBox::Step(int by)
{
    // The up-down control moves within the range, from wherever the text stands.
    bool ok = false;
    const long long now = m_Edit->text().trimmed().toLongLong(&ok);
    long long next = ok ? now + by : m_Field.min;
    next = std::max<long long>(m_Field.min, std::min<long long>(m_Field.max, next));
    SetValue(static_cast<unsigned>(next));
}

std::vector<std::string> BoxTexts(const std::vector<NumberBox*>& boxes)
{
    std::vector<std::string> texts;
    for (const NumberBox* box : boxes)
        texts.push_back(box->Text());
    return texts;
}

bool ExchangeBoxes(UserInteraction& ui, const std::vector<NumberBox*>& boxes,
                   const std::function<std::optional<FieldError>(const std::vector<std::string>&)>& exchange)
{
    const std::optional<FieldError> error = exchange(BoxTexts(boxes));
    if (!error)
        return true;
    ui.ShowMessage(error->message, kMessageCaption, MessageButtons::Ok, MessageIcon::Warning);
    for (NumberBox* box : boxes)
        if (box->ControlId() == error->controlId) {
            box->Edit()->setFocus();
            box->Edit()->selectAll();
            break;
        }
    return false;
}

} // namespace orlu
