#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orlu {
namespace {

const char* KindName(ScriptedInteraction::BoxKind kind)
{
    switch (kind) {
    case ScriptedInteraction::BoxKind::Message:
        return "message box";
    case ScriptedInteraction::BoxKind::Question:
        return "question";
    case ScriptedInteraction::BoxKind::QuestionAll:
        return "question with \"for all\" buttons";
    }
    return "box";
}

bool HasButton(MessageButtons buttons, MessageResult result)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return result == MessageResult::Ok;
    case MessageButtons::YesNo:
        return result == MessageResult::Yes || result == MessageResult::No;
    case MessageButtons::YesNoCancel:
        return result == MessageResult::Yes || result == MessageResult::No || result == MessageResult::Cancel;
    case MessageButtons::OkCancel:
        return result == MessageResult::Ok || result == MessageResult::Cancel;
    case MessageButtons::RetryCancel:
        return result == MessageResult::Retry || result == MessageResult::Cancel;
    }
    return false;
}

// What a box nobody expected returns: the choice that changes the least.
MessageResult SafeChoice(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageResult::Ok;
    case MessageButtons::YesNo:
        return MessageResult::No;
    case MessageButtons::YesNoCancel:
    case MessageButtons::OkCancel:
    case MessageButtons::RetryCancel:
        return MessageResult::Cancel;
    }
    return MessageResult::Cancel;
}

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

} // namespace

ScriptedInteraction::~ScriptedInteraction()
{
    if (!m_Verified)
        Verify();
}

ScriptedInteraction& ScriptedInteraction::ExpectQuestion(std::string text, QuestionAnswer answer)
{
    m_Script.push_back({.kind = BoxKind::Question, .text = std::move(text), .answer = answer});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::ExpectQuestionAll(std::string text, QuestionAnswer answer)
{
    m_Script.push_back({.kind = BoxKind::QuestionAll, .text = std::move(text), .answer = answer});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::AnswerNext(QuestionAnswer answer)
{
    m_Script.push_back({.kind = BoxKind::Question, .text = std::nullopt, .eitherQuestion = true, .answer = answer});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::ExpectMessage(std::string text, MessageResult result)
{
    m_Script.push_back({.kind = BoxKind::Message, .text = std::move(text), .result = result});
    return *this;
}

void ScriptedInteraction::Verify()
{
    m_Verified = true;
    for (const Step& step : m_Script)
        ADD_FAILURE() << "expected " << KindName(step.kind) << " " << Quoted(step.text.value_or("(any text)"))
                      << " was never shown";
    m_Script.clear();
    if (m_WaitDepth != 0)
        ADD_FAILURE() << "wait cursor left on (" << m_WaitDepth << " begun and not ended)";
}

std::vector<std::string> ScriptedInteraction::Messages() const
{
    std::vector<std::string> texts;
    for (const ShownBox& box : m_Shown)
        if (box.kind == BoxKind::Message)
            texts.push_back(box.text);
    return texts;
}

std::vector<std::string> ScriptedInteraction::Questions() const
{
    std::vector<std::string> texts;
    for (const ShownBox& box : m_Shown)
        if (box.kind != BoxKind::Message)
            texts.push_back(box.text);
    return texts;
}

std::optional<ScriptedInteraction::Step> ScriptedInteraction::TakeStep(BoxKind kind, std::string_view text)
{
    if (m_Script.empty()) {
        ADD_FAILURE() << "unexpected " << KindName(kind) << " " << Quoted(text);
        return std::nullopt;
    }
    const Step& next = m_Script.front();
    bool kindFits = next.kind == kind || (next.eitherQuestion && kind != BoxKind::Message);
    if (!kindFits) {
        ADD_FAILURE() << "unexpected " << KindName(kind) << " " << Quoted(text) << "; expected "
                      << KindName(next.kind) << " " << Quoted(next.text.value_or("(any text)"));
        return std::nullopt;
    }
    Step step = next;
    m_Script.pop_front();
    if (step.text && *step.text != text)
        ADD_FAILURE() << KindName(kind) << " shown " << Quoted(text) << "; expected " << Quoted(*step.text);
    return step;
}

MessageResult ScriptedInteraction::ShowMessage(std::string_view text, std::string_view caption,
                                               MessageButtons buttons, MessageIcon icon, MessageResult)
{
    m_Shown.push_back({BoxKind::Message, std::string(text), std::string(caption), buttons, icon});
    if (buttons == MessageButtons::Ok)
        return MessageResult::Ok;
    std::optional<Step> step = TakeStep(BoxKind::Message, text);
    if (!step)
        return SafeChoice(buttons);
    if (!HasButton(buttons, step->result)) {
        ADD_FAILURE() << "the scripted choice is not a button of message box " << Quoted(text);
        return SafeChoice(buttons);
    }
    return step->result;
}

QuestionAnswer ScriptedInteraction::Ask(BoxKind kind, std::string_view text)
{
    m_Shown.push_back({kind, std::string(text), std::string(kQuestionCaption)});
    std::optional<Step> step = TakeStep(kind, text);
    if (!step)
        return QuestionAnswer::Cancel;
    bool forAll = step->answer == QuestionAnswer::YesForAll || step->answer == QuestionAnswer::NoForAll;
    if (forAll && kind == BoxKind::Question) {
        ADD_FAILURE() << "question " << Quoted(text) << " has no \"for all\" buttons to answer with";
        return QuestionAnswer::Cancel;
    }
    return step->answer;
}

QuestionAnswer ScriptedInteraction::AskQuestion(std::string_view text)
{
    return Ask(BoxKind::Question, text);
}

QuestionAnswer ScriptedInteraction::AskQuestionAll(std::string_view text)
{
    return Ask(BoxKind::QuestionAll, text);
}

void ScriptedInteraction::BeginWait()
{
    ++m_WaitCount;
    ++m_WaitDepth;
    m_MaxWaitDepth = std::max(m_MaxWaitDepth, m_WaitDepth);
}

void ScriptedInteraction::EndWait()
{
    if (m_WaitDepth == 0) {
        ADD_FAILURE() << "wait cursor ended more often than begun";
        return;
    }
    --m_WaitDepth;
}

} // namespace orlu
