#pragma once
// The program's question box: the caller's text with Yes, No and Cancel; the
// dialog ends with the QuestionAnswer of the button (Esc and the close box: Cancel).

#include "platform/UserInteraction.h"

#include <QDialog>

class QLabel;
class QGridLayout;
class QPushButton;

namespace orlu {

class CQuestionDlg : public QDialog {
    Q_OBJECT
public:
    explicit CQuestionDlg(QWidget* parent = nullptr);

    /// The message, as Windows-1252 text.
    void SetMessage(std::string_view message);
    QString Message() const;
    /// Runs the dialog modally. A loop that ends without an answer (the
    /// program is ending) counts as Cancel.
    QuestionAnswer Ask()
    {
        int code = exec();
        return code == 0 ? QuestionAnswer::Cancel : static_cast<QuestionAnswer>(code);
    }

    QPushButton* Button(QuestionAnswer answer) const;

    void reject() override { done(static_cast<int>(QuestionAnswer::Cancel)); }

protected:
    /// Adds a button that ends the dialog with its answer, at the given place of the button grid.
    QPushButton* AddButton(const QString& text, QuestionAnswer answer, int row, int column);
    QGridLayout* ButtonGrid() const { return m_Buttons; }

private:
    QLabel* m_Text;
    QGridLayout* m_Buttons;
};

/// The same box with "Yes for all" and "No for all" under "Yes" and "No".
class CQuestionAllDlg : public CQuestionDlg {
    Q_OBJECT
public:
    explicit CQuestionAllDlg(QWidget* parent = nullptr);
};

} // namespace orlu
