#pragma once
// The user-interaction port for code fed damaged or random files: every
// message is counted and dismissed, every question answered No (Cancel where a
// box offers it), so that nothing waits and no answer changes what is loaded.

#include "platform/UserInteraction.h"

namespace orlu {

class QuietInteraction : public UserInteraction {
public:
    MessageResult ShowMessage(std::string_view, std::string_view, MessageButtons buttons, MessageIcon,
                              MessageResult) override
    {
        ++messages;
        return buttons == MessageButtons::Ok ? MessageResult::Ok
               : buttons == MessageButtons::OkCancel ? MessageResult::Cancel
                                                      : MessageResult::No;
    }
    QuestionAnswer AskQuestion(std::string_view) override { return QuestionAnswer::No; }
    QuestionAnswer AskQuestionAll(std::string_view) override { return QuestionAnswer::No; }

    int messages = 0;
};

} // namespace orlu
