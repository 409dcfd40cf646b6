#pragma once
// A user interaction that records every message and answers questions from a queue.

#include "platform/UserInteraction.h"

#include <deque>
#include <string>
#include <vector>

namespace orlu::test {

class RecordingInteraction : public UserInteraction {
public:
    MessageResult ShowMessage(std::string_view text, std::string_view, MessageButtons, MessageIcon,
                              MessageResult defaultButton) override
    {
        messages.emplace_back(text);
        return defaultButton;
    }
    QuestionAnswer AskQuestion(std::string_view text) override { return Next(text); }
    QuestionAnswer AskQuestionAll(std::string_view text) override { return Next(text); }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<QuestionAnswer> answers;

private:
    QuestionAnswer Next(std::string_view text)
    {
        questions.emplace_back(text);
        if (answers.empty())
            return QuestionAnswer::Cancel;
        QuestionAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
};

} // namespace orlu::test
