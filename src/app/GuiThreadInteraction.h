#pragma once
// The user-interaction port for a transfer on a worker thread: every box is
// shown by the program's own port on the GUI thread while the worker waits
// for the answer. Called on the GUI thread itself, it shows the box at once.

#include "platform/FixedTextDialogs.h"
#include "platform/UserInteraction.h"

#include <functional>

namespace orlu {

/// Runs the call on the GUI thread and waits for it (at once when called there).
void RunOnGuiThread(const std::function<void()>& call);

class GuiThreadInteraction : public UserInteraction, public FixedTextPort {
public:
    explicit GuiThreadInteraction(UserInteraction& gui) : m_Gui(gui) {}

    MessageResult ShowMessage(std::string_view text, std::string_view caption, MessageButtons buttons,
                              MessageIcon icon, MessageResult defaultButton) override;
    QuestionAnswer AskQuestion(std::string_view text) override;
    QuestionAnswer AskQuestionAll(std::string_view text) override;
    void ShowFixedText(const FixedTextDialogInfo& info) override;
    void BeginWait() override;
    void EndWait() override;

private:
    UserInteraction& m_Gui;
};

} // namespace orlu
