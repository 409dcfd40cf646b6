#pragma once
// The user-interaction port for tests. The test writes the answers it wants
// beforehand; every box the code shows is recorded, so the test can check the
// texts. A question nobody expected, a message box with choices nobody
// expected, a text that differs from the expected one, an answer left unused
// and a wait cursor left on all fail the running test.
//
//     ScriptedInteraction ui;
//     ui.ExpectQuestion("Save a.orl?", QuestionAnswer::Yes);
//     RunCodeUnderTest(ui);
//     EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Saved"});
//     // the destructor checks that the answer was used (or call Verify())
//
// Plain OK message boxes need no script: they are recorded and return Ok.

#include "platform/UserInteraction.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace orlu {

class ScriptedInteraction : public UserInteraction {
public:
    enum class BoxKind { Message, Question, QuestionAll };

    /// One box the code showed, in the order shown.
    struct ShownBox {
        BoxKind kind = BoxKind::Message;
        std::string text;
        std::string caption;
        MessageButtons buttons = MessageButtons::Ok;
        MessageIcon icon = MessageIcon::None;
    };

    ScriptedInteraction() = default;
    ScriptedInteraction(const ScriptedInteraction&) = delete;
    ScriptedInteraction& operator=(const ScriptedInteraction&) = delete;
    /// Verifies, unless Verify() was called already.
    ~ScriptedInteraction() override;

    /// The next question must be a Yes/No/Cancel box with this text.
    ScriptedInteraction& ExpectQuestion(std::string text, QuestionAnswer answer);
    /// The next question must be the box with the "for all" buttons, with this text.
    ScriptedInteraction& ExpectQuestionAll(std::string text, QuestionAnswer answer);
    /// The next question, of either box and whatever its text, gets this answer.
    ScriptedInteraction& AnswerNext(QuestionAnswer answer);
    /// The next message box with choices (not a plain OK box) must have this text.
    ScriptedInteraction& ExpectMessage(std::string text, MessageResult result);

    /// Fails the running test for each answer left unused and for a wait cursor left on.
    void Verify();

    const std::vector<ShownBox>& Shown() const { return m_Shown; }
    /// The texts of the message boxes, in order.
    std::vector<std::string> Messages() const;
    /// The texts of the question boxes (both kinds), in order.
    std::vector<std::string> Questions() const;

    /// Wait cursors begun and not yet ended.
    int WaitDepth() const { return m_WaitDepth; }
    /// The deepest nesting of wait cursors seen.
    int MaxWaitDepth() const { return m_MaxWaitDepth; }
    /// How many times a wait cursor was begun.
    int WaitCount() const { return m_WaitCount; }

    MessageResult ShowMessage(std::string_view text, std::string_view caption,
                              MessageButtons buttons = MessageButtons::Ok, MessageIcon icon = MessageIcon::None,
                              MessageResult defaultButton = MessageResult::Ok) override;
    QuestionAnswer AskQuestion(std::string_view text) override;
    QuestionAnswer AskQuestionAll(std::string_view text) override;
    void BeginWait() override;
    void EndWait() override;

private:
    struct Step {
        BoxKind kind;
        std::optional<std::string> text; // none: any text
        bool eitherQuestion = false;
        QuestionAnswer answer = QuestionAnswer::Cancel;
        MessageResult result = MessageResult::Cancel;
    };
    QuestionAnswer Ask(BoxKind kind, std::string_view text);
    // The front step when it fits the box; reports a mismatch or a missing step.
    std::optional<Step> TakeStep(BoxKind kind, std::string_view text);

    std::deque<Step> m_Script;
    std::vector<ShownBox> m_Shown;
    int m_WaitDepth = 0;
    int m_MaxWaitDepth = 0;
    int m_WaitCount = 0;
    bool m_Verified = false;
};

} // namespace orlu
