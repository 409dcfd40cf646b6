#include "app/CQuestionDlg.h"

#include "app/IconTextLayout.h"
#include "app/QtText.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace orlu {

CQuestionDlg::CQuestionDlg(QWidget* parent)
    : QDialog(parent), m_Text(new QLabel(this)), m_Buttons(new QGridLayout)
{
    setWindowTitle(ToQString(kQuestionCaption));
    m_Text->setWordWrap(true);
    m_Text->setMinimumWidth(260);
    m_Text->setTextFormat(Qt::PlainText);
    LayOutIconAndText(this, style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32), m_Text)
        ->addLayout(m_Buttons);

    // Cancel comes first in the tab order; no button is the default one.
    QPushButton* cancel = AddButton(tr("Cancel"), QuestionAnswer::Cancel, 0, 2);
    QPushButton* yes = AddButton(tr("Yes"), QuestionAnswer::Yes, 0, 0);
    QPushButton* no = AddButton(tr("No"), QuestionAnswer::No, 0, 1);
    setTabOrder(cancel, yes);
    setTabOrder(yes, no);
}

QPushButton* CQuestionDlg::AddButton(const QString& text, QuestionAnswer answer, int row, int column)
{
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setProperty("answer", static_cast<int>(answer));
    connect(button, &QPushButton::clicked, this, [this, answer] { done(static_cast<int>(answer)); });
    m_Buttons->addWidget(button, row, column);
    return button;
}

void CQuestionDlg::SetMessage(std::string_view message)
{
    m_Text->setText(ToQString(message));
}

QString CQuestionDlg::Message() const { return m_Text->text(); }

QPushButton* CQuestionDlg::Button(QuestionAnswer answer) const
{
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->property("answer").toInt() == static_cast<int>(answer))
            return b;
    return nullptr;
}

CQuestionAllDlg::CQuestionAllDlg(QWidget* parent) : CQuestionDlg(parent)
{
    AddButton(tr("Yes for all"), QuestionAnswer::YesForAll, 1, 0);
    AddButton(tr("No for all"), QuestionAnswer::NoForAll, 1, 1);
}

} // namespace orlu
