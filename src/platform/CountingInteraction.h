#pragma once
// A user-interaction port that passes everything on to another and counts the
// messages shown, so that a caller can tell whether a step it ran has already
// told the user why it failed.

#include "platform/UserInteraction.h"

namespace orlu {

class CountingInteraction : public UserInteraction {
public:
    explicit CountingInteraction(UserInteraction& inner) : m_Inner(inner) {}

    MessageResult ShowMessage(std::string_view text, std::string_view caption, MessageButtons buttons,
                              MessageIcon icon, MessageResult defaultButton) override
    {
        ++m_Messages;
        return m_Inner.ShowMessage(text, caption, buttons, icon, defaultButton);
    }
    QuestionAnswer AskQuestion(std::string_view text) override { return m_Inner.AskQuestion(text); }
    QuestionAnswer AskQuestionAll(std::string_view text) override { return m_Inner.AskQuestionAll(text); }
    void BeginWait() override { m_Inner.BeginWait(); }
    void EndWait() override { m_Inner.EndWait(); }

    int Messages() const { return m_Messages; }

private:
    UserInteraction& m_Inner;
    int m_Messages = 0;
};

} // namespace orlu
