#pragma once
// The user-interaction port of orlu-link: every message, fixed dialog and
// question on its own line of standard output, questions answered from a
// list given on the command line. A question beyond the list is unexpected
// and makes the run fail.

#include "platform/FixedTextDialogs.h"
#include "platform/TextEncoding.h"
#include "platform/UserInteraction.h"

#include <cstdio>
#include <string>

namespace orlu::tools {

class LinkConsole final : public UserInteraction, public FixedTextPort {
public:
    /// answers: y (Yes), Y (Yes for all), n (No), N (No for all), c (Cancel).
    explicit LinkConsole(std::string answers) : m_Answers(std::move(answers)) {}

    bool Unexpected() const { return m_Unexpected; }
    bool ErrorShown() const { return m_ErrorShown; }

    MessageResult ShowMessage(std::string_view text, std::string_view, MessageButtons buttons, MessageIcon icon,
                              MessageResult defaultButton) override
    {
        if (icon == MessageIcon::Stop)
            m_ErrorShown = true;
        if (buttons == MessageButtons::Ok) {
            Line("message", text);
            return MessageResult::Ok;
        }
        // A box with choices (the delete's confirmation) takes the next answer too.
        switch (Answer(text)) {
        case QuestionAnswer::Yes:
        case QuestionAnswer::YesForAll:
            return MessageResult::Yes;
        case QuestionAnswer::No:
        case QuestionAnswer::NoForAll:
            return MessageResult::No;
        case QuestionAnswer::Cancel:
            break;
        }
        return m_Unexpected ? defaultButton : MessageResult::Cancel;
    }
    void ShowFixedText(const FixedTextDialogInfo& info) override
    {
        Line("dialog " + std::to_string(info.resourceId), info.text);
        if (info.icon == MessageIcon::Stop)
            m_ErrorShown = true;
    }
    QuestionAnswer AskQuestion(std::string_view text) override { return Answer(text); }
    QuestionAnswer AskQuestionAll(std::string_view text) override { return Answer(text); }

private:
    static std::string OneLine(std::string_view text)
    {
        std::string line = Cp1252ToUtf8(text);
        for (char& c : line)
            if (c == '\n' || c == '\r')
                c = ' ';
        return line;
    }
    void Line(const std::string& kind, std::string_view text)
    {
        std::printf("%s: %s\n", kind.c_str(), OneLine(text).c_str());
        std::fflush(stdout);
    }
    QuestionAnswer Answer(std::string_view text)
    {
        if (m_Next >= m_Answers.size()) {
            std::printf("question: %s -> unexpected\n", OneLine(text).c_str());
            m_Unexpected = true;
            return QuestionAnswer::Cancel;
        }
        const char a = m_Answers[m_Next++];
        std::printf("question: %s -> %c\n", OneLine(text).c_str(), a);
        switch (a) {
        case 'y':
            return QuestionAnswer::Yes;
        case 'Y':
            return QuestionAnswer::YesForAll;
        case 'n':
            return QuestionAnswer::No;
        case 'N':
            return QuestionAnswer::NoForAll;
        default:
            return QuestionAnswer::Cancel;
        }
    }

    std::string m_Answers;
    std::size_t m_Next = 0;
    bool m_Unexpected = false;
    bool m_ErrorShown = false;
};

} // namespace orlu::tools
