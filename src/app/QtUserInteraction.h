#pragma once
// The user-interaction port of the desktop program: message boxes, the two
// question dialogs and the wait cursor.

#include "platform/FixedTextDialogs.h"
#include "platform/UserInteraction.h"

class QWidget;

namespace orlu {

class QtUserInteraction : public UserInteraction, public FixedTextPort {
public:
    /// Boxes are owned by the given window (the main frame), or free when null.
    explicit QtUserInteraction(QWidget* parent = nullptr) : m_Parent(parent) {}
    void SetParent(QWidget* parent) { m_Parent = parent; }

    MessageResult ShowMessage(std::string_view text, std::string_view caption, MessageButtons buttons,
                              MessageIcon icon, MessageResult defaultButton) override;
    QuestionAnswer AskQuestion(std::string_view text) override;
    QuestionAnswer AskQuestionAll(std::string_view text) override;
    void ShowFixedText(const FixedTextDialogInfo& info) override;
    void BeginWait() override;
    void EndWait() override;

private:
    QWidget* m_Parent;
};

} // namespace orlu
