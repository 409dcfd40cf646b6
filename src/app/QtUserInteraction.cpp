#include "app/QtUserInteraction.h"

#include "app/CQuestionDlg.h"
#include "app/FixedTextDialog.h"
#include "app/QtText.h"

#include <QApplication>
#include <QMessageBox>

namespace orlu {
namespace {

struct ButtonRow {
    MessageResult result;
    QMessageBox::StandardButton button;
};
const ButtonRow kButtons[] = {
    {MessageResult::Ok, QMessageBox::Ok},
    {MessageResult::Cancel, QMessageBox::Cancel},
    {MessageResult::Yes, QMessageBox::Yes},
    {MessageResult::No, QMessageBox::No},
    {MessageResult::Retry, QMessageBox::Retry},
};

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

} // namespace

MessageResult QtUserInteraction::ShowMessage(std::string_view text, std::string_view caption,
                                             MessageButtons buttons, MessageIcon icon,
                                             MessageResult defaultButton)
{
    QMessageBox box(m_Parent);
    box.setWindowTitle(ToQString(caption));
    box.setText(ToQString(text));
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(ButtonsOf(buttons));
    box.setIconPixmap(MessageIconPixmap(box.style(), icon));
    for (const ButtonRow& row : kButtons)
        if (row.result == defaultButton && (box.standardButtons() & row.button))
            box.setDefaultButton(row.button);
    int chosen = box.exec();
    for (const ButtonRow& row : kButtons)
        if (row.button == chosen)
            return row.result;
    // Closed without a button (the close box, or the program ending): the
    // answer that does nothing, Cancel where the box offers it, else No, else Ok.
    for (MessageResult fallback : {MessageResult::Cancel, MessageResult::No, MessageResult::Ok})
        for (const ButtonRow& row : kButtons)
            if (row.result == fallback && (box.standardButtons() & row.button))
                return fallback;
    return MessageResult::Ok;
}

QuestionAnswer QtUserInteraction::AskQuestion(std::string_view text)
{
    CQuestionDlg dialog(m_Parent);
    dialog.SetMessage(text);
    return dialog.Ask();
}

QuestionAnswer QtUserInteraction::AskQuestionAll(std::string_view text)
{
    CQuestionAllDlg dialog(m_Parent);
    dialog.SetMessage(text);
    return dialog.Ask();
}

void QtUserInteraction::ShowFixedText(const FixedTextDialogInfo& info)
{
    FixedTextDialog dialog(info, m_Parent);
    dialog.exec();
}

void QtUserInteraction::BeginWait() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void QtUserInteraction::EndWait() { QApplication::restoreOverrideCursor(); }

} // namespace orlu
