#include "app/GuiThreadInteraction.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <string>

namespace orlu {

void RunOnGuiThread(const std::function<void()>& call)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        call();
    else
        QMetaObject::invokeMethod(app, call, Qt::BlockingQueuedConnection);
}

MessageResult GuiThreadInteraction::ShowMessage(std::string_view text, std::string_view caption,
                                                MessageButtons buttons, MessageIcon icon, MessageResult defaultButton)
{
    // Copies: the views may not outlive the caller's frame on the other thread's watch.
    const std::string t(text), c(caption);
    MessageResult result = MessageResult::Ok;
    RunOnGuiThread([&] { result = m_Gui.ShowMessage(t, c, buttons, icon, defaultButton); });
    return result;
}

QuestionAnswer GuiThreadInteraction::AskQuestion(std::string_view text)
{
    const std::string t(text);
    QuestionAnswer answer = QuestionAnswer::Cancel;
    RunOnGuiThread([&] { answer = m_Gui.AskQuestion(t); });
    return answer;
}

QuestionAnswer GuiThreadInteraction::AskQuestionAll(std::string_view text)
{
    const std::string t(text);
    QuestionAnswer answer = QuestionAnswer::Cancel;
    RunOnGuiThread([&] { answer = m_Gui.AskQuestionAll(t); });
    return answer;
}

void GuiThreadInteraction::ShowFixedText(const FixedTextDialogInfo& info)
{
    RunOnGuiThread([&] { orlu::ShowFixedText(m_Gui, info); });
}

void GuiThreadInteraction::BeginWait()
{
    RunOnGuiThread([&] { m_Gui.BeginWait(); });
}

void GuiThreadInteraction::EndWait()
{
    RunOnGuiThread([&] { m_Gui.EndWait(); });
}

} // namespace orlu
