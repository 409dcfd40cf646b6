#include "app/CQuestionDlg.h"
#include "app/FixedTextDialog.h"
#include "app/QtUserInteraction.h"
#include "support/ScriptedInteraction.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(QuestionDialogs, ButtonsEscAndTextEndTheDialogWithTheirAnswers)
{
    struct Case {
        QuestionAnswer answer;
        bool allOnly;
    };
    for (const Case& c : {Case{QuestionAnswer::Yes, false}, Case{QuestionAnswer::No, false},
                          Case{QuestionAnswer::Cancel, false}, Case{QuestionAnswer::YesForAll, true},
                          Case{QuestionAnswer::NoForAll, true}}) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        CQuestionDlg plain;
        EXPECT_EQ(plain.Button(c.answer) != nullptr, !c.allOnly);
        CQuestionAllDlg all;
        all.show();
        QTest::mouseClick(all.Button(c.answer), Qt::LeftButton);
        EXPECT_EQ(all.result(), static_cast<int>(c.answer));
        EXPECT_FALSE(all.isVisible());
    }
    CQuestionDlg dialog;
    dialog.SetMessage("Save Pa\xB2s.orl?");
    EXPECT_EQ(dialog.Message(), QString::fromUtf8("Save Pa\xC2\xB2s.orl?"));
    EXPECT_EQ(dialog.windowTitle(), "OrluPC question");
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        EXPECT_FALSE(b->isDefault() || b->autoDefault()) << b->text().toStdString();
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), static_cast<int>(QuestionAnswer::Cancel));
    dialog.show();
    dialog.close(); // the close box
    EXPECT_EQ(dialog.result(), static_cast<int>(QuestionAnswer::Cancel));
}

TEST(QuestionDialogs, InteractionPortRunsTheDialogs)
{
    QtUserInteraction ui;
    // Answers the box that the port opens, once it is up.
    auto answerWith = [](QuestionAnswer answer) {
        QTimer::singleShot(0, [answer] {
            auto* dialog = qobject_cast<CQuestionDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->Button(answer)->click();
        });
    };
    answerWith(QuestionAnswer::YesForAll);
    EXPECT_EQ(ui.AskQuestionAll("Save Text1?"), QuestionAnswer::YesForAll);
    answerWith(QuestionAnswer::No);
    EXPECT_EQ(ui.AskQuestion("Save Text2?"), QuestionAnswer::No);

    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<FixedTextDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->Info().resourceId, 137);
        EXPECT_EQ(box->windowTitle(), "UNIT MODE");
        QTest::keyClick(box, Qt::Key_Escape);
    });
    ShowFixedText(ui, kUnitModeUnknownText);
}

TEST(FixedTextDialogs, WithoutDialogsOfItsOwnThePortShowsAMessageBox)
{
    ScriptedInteraction ui;
    ShowFixedText(ui, kNameNotFoundText);
    ASSERT_EQ(ui.Shown().size(), 1u);
    EXPECT_EQ(ui.Shown()[0].caption, "OrluPC message");
    EXPECT_EQ(ui.Shown()[0].text, "File name not found!\nCheck if the name is valid.");
    EXPECT_EQ(ui.Shown()[0].buttons, MessageButtons::Ok);
}

TEST(FixedTextDialogs, CaptionTextAndOkAsListed)
{
    CUnitModeUnknownDlg unknown;
    EXPECT_EQ(unknown.windowTitle(), "UNIT MODE");
    EXPECT_EQ(unknown.Info().resourceId, 137);
    CCommaConflictDlg comma;
    EXPECT_EQ(comma.windowTitle(), "OrluPC message");
    bool textShown = false;
    for (QLabel* l : comma.findChildren<QLabel*>())
        textShown = textShown || l->text() == "Comma used as 'decimal point'\nand colums separator!\nOne of these must be changed.";
    EXPECT_TRUE(textShown);

    CNameInvalidDlg invalid;
    invalid.show();
    auto* ok = invalid.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(invalid.isVisible());
    EXPECT_EQ(invalid.result(), QDialog::Accepted);

    CQuestionAllDlg question;
    question.SetMessage("Save Multifile1?");
    question.show();
    EXPECT_TRUE(question.grab().toImage().save(QString(ORLU_BINARY_DIR) + "/orlupc-question-all.png"));
}

} // namespace
} // namespace orlu
