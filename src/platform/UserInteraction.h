#pragma once
// The program's way of talking to the user from core code: message boxes,
// the question boxes and the wait cursor. The desktop program implements it
// with dialogs; tests use a scripted implementation.
//
// Every text handed to the port is Windows-1252, as the program builds its
// texts; the implementation converts for display.

#include <string>
#include <string_view>

namespace orlu {

/// What a question box returns: the values the question dialogs end with.
enum class QuestionAnswer : int {
    Yes = 1,
    No = 2,
    Cancel = 3,
    YesForAll = 10,
    NoForAll = 20,
};

enum class MessageIcon { None, Information, Warning, Stop, Question };

/// The buttons of a plain message box and the one chosen.
enum class MessageButtons { Ok, YesNo, YesNoCancel, OkCancel, RetryCancel };
enum class MessageResult { Ok, Cancel, Yes, No, Retry };

class UserInteraction {
public:
    virtual ~UserInteraction() = default;

    /// A message box with the given caption, buttons and icon.
    virtual MessageResult ShowMessage(std::string_view text, std::string_view caption,
                                      MessageButtons buttons = MessageButtons::Ok,
                                      MessageIcon icon = MessageIcon::None,
                                      MessageResult defaultButton = MessageResult::Ok) = 0;

    /// The question box titled "OrluPC question" with Yes, No and Cancel.
    virtual QuestionAnswer AskQuestion(std::string_view text) = 0;

    /// The same box with Yes, Yes for all, No, No for all and Cancel.
    virtual QuestionAnswer AskQuestionAll(std::string_view text) = 0;

    /// The wait cursor: nested begin/end pairs.
    virtual void BeginWait() {}
    virtual void EndWait() {}
};

/// Holds the wait cursor for a scope.
class WaitCursor {
public:
    explicit WaitCursor(UserInteraction& ui) : m_Ui(ui) { m_Ui.BeginWait(); }
    ~WaitCursor() { m_Ui.EndWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UserInteraction& m_Ui;
};

/// The caption of the program's own message boxes.
inline constexpr std::string_view kMessageCaption = "OrluPC message";
inline constexpr std::string_view kQuestionCaption = "OrluPC question";

} // namespace orlu
