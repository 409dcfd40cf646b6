#include "support/ScriptedInteraction.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace orlu {
namespace {

using Kind = ScriptedInteraction::BoxKind;

TEST(ScriptedInteraction, AnswersInOrderAndRecordsEveryBox)
{
    ScriptedInteraction ui;
    ui.ExpectQuestion("Save a.orl?", QuestionAnswer::Yes)
        .ExpectQuestionAll("Overwrite b.orl?", QuestionAnswer::NoForAll)
        .ExpectMessage("Delete?", MessageResult::Cancel)
        .AnswerNext(QuestionAnswer::No);

    EXPECT_EQ(ui.AskQuestion("Save a.orl?"), QuestionAnswer::Yes);
    EXPECT_EQ(ui.ShowMessage("Done", kMessageCaption), MessageResult::Ok); // plain box: no script needed
    EXPECT_EQ(ui.AskQuestionAll("Overwrite b.orl?"), QuestionAnswer::NoForAll);
    EXPECT_EQ(ui.ShowMessage("Delete?", "Files", MessageButtons::OkCancel, MessageIcon::Question),
              MessageResult::Cancel);
    EXPECT_EQ(ui.AskQuestionAll("anything"), QuestionAnswer::No);
    ui.Verify();

    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"Done", "Delete?"}));
    EXPECT_EQ(ui.Questions(), (std::vector<std::string>{"Save a.orl?", "Overwrite b.orl?", "anything"}));
    ASSERT_EQ(ui.Shown().size(), 5u);
    EXPECT_EQ(ui.Shown()[0].caption, kQuestionCaption);
    EXPECT_EQ(ui.Shown()[1].caption, kMessageCaption);
    EXPECT_EQ(ui.Shown()[3].kind, Kind::Message);
    EXPECT_EQ(ui.Shown()[3].caption, "Files");
    EXPECT_EQ(ui.Shown()[3].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(ui.Shown()[3].icon, MessageIcon::Question);
    EXPECT_EQ(ui.Shown()[4].kind, Kind::QuestionAll);
}

TEST(ScriptedInteraction, UnexpectedBoxesFailAndGetTheSafeChoice)
{
    ScriptedInteraction ui;
    QuestionAnswer answer = QuestionAnswer::Yes;
    EXPECT_NONFATAL_FAILURE(answer = ui.AskQuestion("Quit?"), "unexpected question \"Quit?\"");
    EXPECT_EQ(answer, QuestionAnswer::Cancel);

    MessageResult result = MessageResult::Yes;
    EXPECT_NONFATAL_FAILURE(result = ui.ShowMessage("Go on?", "c", MessageButtons::YesNo), "unexpected message box");
    EXPECT_EQ(result, MessageResult::No);

    ui.ExpectQuestion("Save?", QuestionAnswer::Yes);
    EXPECT_NONFATAL_FAILURE(answer = ui.AskQuestionAll("Save?"), "expected question \"Save?\"");
    EXPECT_EQ(answer, QuestionAnswer::Cancel);
    EXPECT_EQ(ui.AskQuestion("Save?"), QuestionAnswer::Yes); // the step is still there
    ui.Verify();
}

TEST(ScriptedInteraction, WrongTextOrImpossibleAnswerFails)
{
    ScriptedInteraction ui;
    ui.ExpectQuestion("Save a.orl?", QuestionAnswer::No);
    QuestionAnswer answer = QuestionAnswer::Cancel;
    EXPECT_NONFATAL_FAILURE(answer = ui.AskQuestion("Save b.orl?"), "expected \"Save a.orl?\"");
    EXPECT_EQ(answer, QuestionAnswer::No);

    ui.ExpectQuestion("Save?", QuestionAnswer::YesForAll);
    EXPECT_NONFATAL_FAILURE(answer = ui.AskQuestion("Save?"), "no \"for all\" buttons");
    EXPECT_EQ(answer, QuestionAnswer::Cancel);

    ui.ExpectMessage("Retry?", MessageResult::Yes);
    MessageResult result = MessageResult::Ok;
    EXPECT_NONFATAL_FAILURE(result = ui.ShowMessage("Retry?", "c", MessageButtons::OkCancel), "not a button");
    EXPECT_EQ(result, MessageResult::Cancel);
    ui.Verify();
}

TEST(ScriptedInteraction, UnusedAnswersAndOpenWaitCursorFailAtTheEnd)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedInteraction ui;
            ui.ExpectQuestion("Save a.orl?", QuestionAnswer::Yes);
        },
        "\"Save a.orl?\" was never shown");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedInteraction ui;
            ui.ExpectMessage("Done", MessageResult::Ok);
            ui.ShowMessage("Done", kMessageCaption); // plain boxes do not take scripted steps
            ui.Verify();
        },
        "never shown");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedInteraction ui;
            ui.BeginWait();
        },
        "wait cursor left on");
}

TEST(ScriptedInteraction, CountsWaitCursorNesting)
{
    ScriptedInteraction ui;
    {
        WaitCursor outer(ui);
        {
            WaitCursor inner(ui);
            EXPECT_EQ(ui.WaitDepth(), 2);
        }
        WaitCursor again(ui);
    }
    EXPECT_EQ(ui.WaitDepth(), 0);
    EXPECT_EQ(ui.MaxWaitDepth(), 2);
    EXPECT_EQ(ui.WaitCount(), 3);
    EXPECT_NONFATAL_FAILURE(ui.EndWait(), "ended more often than begun");
}

} // namespace
} // namespace orlu
