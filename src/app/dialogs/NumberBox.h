#pragma once
// A number box of the option dialogs: an edit box with up and down buttons
// that step within its range. Its text is checked only when the dialog
// reads it (on OK), by the model's exchange, so that a wrong value gets the
// program's own message and keeps the focus.

#include "platform/UserInteraction.h"
#include "presentation/dialogs/NumberFields.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLineEdit;

namespace orlu {

class NumberBox : public QWidget {
    Q_OBJECT
public:
    NumberBox(const NumberField& field, QWidget* parent = nullptr);

    int ControlId() const { return m_Field.controlId; }
    void SetValue(unsigned value);
    void SetText(const std::string& text);
    /// The up-down range, where the dialog moves it with other boxes.
    void SetRange(unsigned min, unsigned max)
    {
        m_Field.min = min;
        m_Field.max = max;
    }
    std::string Text() const;
    QLineEdit* Edit() const { return m_Edit; }

private:
    void Step(int by);

    NumberField m_Field;
    QLineEdit* m_Edit;
};

/// The boxes' texts in order.
std::vector<std::string> BoxTexts(const std::vector<NumberBox*>& boxes);

/// Runs the exchange over the boxes' texts; a refused box gets the message
/// and the focus. True when every box was taken.
bool ExchangeBoxes(UserInteraction& ui, const std::vector<NumberBox*>& boxes,
                   const std::function<std::optional<FieldError>(const std::vector<std::string>&)>& exchange);

} // namespace orlu
