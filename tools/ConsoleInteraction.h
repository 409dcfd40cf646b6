#pragma once
// The user-interaction port of the command-line tools: messages go to
// standard error as UTF-8 and are kept; questions are answered No.

#include "platform/TextEncoding.h"
#include "platform/UserInteraction.h"

#include <cstdio>
#include <string>
#include <vector>

namespace orlu {

class ConsoleInteraction : public UserInteraction {
public:
    MessageResult ShowMessage(std::string_view text, std::string_view caption, MessageButtons, MessageIcon,
                              MessageResult) override
    {
        std::fprintf(stderr, "%s: %s\n", Cp1252ToUtf8(caption).c_str(), Cp1252ToUtf8(text).c_str());
        Messages.emplace_back(text);
        return MessageResult::Ok;
    }
    QuestionAnswer AskQuestion(std::string_view text) override
    {
        std::fprintf(stderr, "%s: %s (answered No)\n", std::string(kQuestionCaption).c_str(),
                     Cp1252ToUtf8(text).c_str());
        return QuestionAnswer::No;
    }
    QuestionAnswer AskQuestionAll(std::string_view text) override { return AskQuestion(text); }

    /// Every message shown so far, as the program wrote it.
    std::vector<std::string> Messages;
};

} // namespace orlu
