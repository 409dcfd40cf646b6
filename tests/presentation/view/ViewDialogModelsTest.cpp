// The spectra functions dialog and the two dialogs of a marked block, pressed as a user would.

#include "presentation/view/BlockOperationsModel.h"
#include "presentation/view/SpectraFunctionsModel.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

SpectraFunctionsModel OpenFunctions(int channels, bool timeSamples, int function = 1)
{
    SpectraFunctionsModel dialog;
    dialog.ChannelCount = static_cast<std::uint16_t>(channels);
    dialog.TimeSamples = timeSamples ? 1 : 0;
    dialog.DlgFunction = static_cast<std::uint8_t>(function);
    dialog.DlgChannelA = 1;
    dialog.DlgChannelB = 2;
    dialog.Open();
    return dialog;
}

TEST(SpectraFunctionsDialog, OneChannelOffersOnlyTheSingleChannelFunctions)
{
    for (const bool timeSamples : {false, true}) {
        SpectraFunctionsModel dialog = OpenFunctions(1, timeSamples);
        dialog.DlgChannelB = 1;
        EXPECT_FALSE(dialog.ChannelAEnabled(1));
        EXPECT_FALSE(dialog.ChannelBEnabled(1));
        EXPECT_FALSE(dialog.OneSpectrumBoxEnabled());
        for (int code = 1; code <= 10; ++code) {
            const bool offered = code == 1 || (code == 3 && timeSamples);
            EXPECT_EQ(dialog.FunctionEnabled(code), offered) << code << " time samples " << timeSamples;
        }
        dialog.PressFunction(4); // disabled: nothing
        EXPECT_EQ(dialog.DlgFunction, 1);
    }
}

TEST(SpectraFunctionsDialog, ChannelsKeptFromAFileOfMoreChannelsOfferNoPair)
{
    // A and B = 1 and 2 kept from a two-channel file of a Multifile, now on a one-channel file.
    SpectraFunctionsModel dialog = OpenFunctions(1, true, 7);
    EXPECT_EQ(dialog.DlgFunction, 1);
    for (int code = 5; code <= 10; ++code)
        EXPECT_FALSE(dialog.FunctionEnabled(code)) << code;
    SpectraFunctionsModel three = OpenFunctions(3, true, 5);
    three.DlgChannelB = 4;
    three.PressChannelA(2);
    EXPECT_EQ(three.DlgFunction, 1);
}

TEST(SpectraFunctionsDialog, APairFunctionOnOneChannelFallsBackToFunctionOne)
{
    SpectraFunctionsModel dialog = OpenFunctions(3, true);
    dialog.PressFunction(5);
    EXPECT_EQ(dialog.DlgFunction, 5);
    EXPECT_TRUE(dialog.ChannelBChecked(2));
    dialog.PressChannelB(1); // A = B
    EXPECT_EQ(dialog.DlgFunction, 1);
    EXPECT_FALSE(dialog.FunctionEnabled(7));
    dialog.Ok();
    EXPECT_TRUE(dialog.Ended);
    EXPECT_EQ(dialog.DlgChannelMask, 0b001);
}

TEST(SpectraFunctionsDialog, LeavingSeveralChannelsKeepsTheLowestChosen)
{
    SpectraFunctionsModel dialog = OpenFunctions(4, true);
    dialog.ClickOneSpectrumOnly(); // several channels for single-channel functions
    dialog.PressChannelA(3);
    dialog.PressChannelA(4);
    EXPECT_EQ(dialog.DlgChannelMask, 0b1101);
    dialog.PressChannelA(1);
    dialog.PressChannelA(3);
    dialog.PressChannelA(4);
    dialog.PressChannelA(4); // the only one left stays
    EXPECT_EQ(dialog.DlgChannelMask, 0b1000);
    dialog.PressChannelA(2);
    dialog.ClickOneSpectrumOnly();
    EXPECT_EQ(dialog.DlgChannelMask, 0b0010);
    EXPECT_TRUE(dialog.ChannelAChecked(2));
}

TEST(SpectraFunctionsDialog, CancelGivesFunctionZeroAndAcceptAtOnceClosesWithOk)
{
    SpectraFunctionsModel dialog = OpenFunctions(2, true, 3);
    dialog.PressFunction(2);
    dialog.Cancel();
    EXPECT_EQ(dialog.DlgFunction, 0);

    SpectraFunctionsModel quick = OpenFunctions(2, true);
    quick.ClickAcceptAtOnce();
    quick.PressFunction(4);
    EXPECT_TRUE(quick.Ended);
    EXPECT_EQ(quick.DlgFunction, 4);
    EXPECT_EQ(quick.DlgChannelMask, 0b10); // channel B alone
}

BlockOperationsModel OpenBlockDialog(bool editable)
{
    BlockOperationsModel dialog;
    dialog.m_RmsSelShown = 1;
    dialog.m_DeleteEnabled = dialog.m_DeleteOutsideEnabled = dialog.m_SaveEnabled = editable ? 1 : 0;
    dialog.m_DrawOffered = {1, 1, 1, 0};
    dialog.m_DrawChosen = {0, 1, 0, 1};
    dialog.m_ShowNowCheck = 1;
    dialog.Open();
    return dialog;
}

TEST(BlockOperationsDialog, ActionsEndItAndEscReturnsZeroWithTheBoxUnread)
{
    BlockOperationsModel dialog = OpenBlockDialog(true);
    dialog.ShowNowBox = 0;
    dialog.Escape();
    EXPECT_EQ(dialog.m_Action, kBlockNoAction);
    EXPECT_EQ(dialog.m_ShowNowCheck, 1);

    BlockOperationsModel chosen = OpenBlockDialog(true);
    chosen.ShowNowBox = 0;
    chosen.Press(kBlockDelete);
    EXPECT_EQ(chosen.m_Action, kBlockDelete);
    EXPECT_EQ(chosen.m_ShowNowCheck, 0);
}

TEST(BlockOperationsDialog, AMultifileBufferKeepsTheOtherThreeActions)
{
    BlockOperationsModel dialog = OpenBlockDialog(false);
    for (const std::uint8_t action : {kBlockDelete, kBlockDeleteOutside, kBlockSave})
        EXPECT_FALSE(dialog.ActionEnabled(action)) << int{action};
    dialog.Press(kBlockSave);
    EXPECT_FALSE(dialog.Ended);
    for (const std::uint8_t action : {kBlockRemoveMarkers, kBlockDoNothing, kBlockDraw})
        EXPECT_TRUE(dialog.ActionEnabled(action)) << int{action};
}

TEST(BlockOperationsDialog, DrawInTheBlockConfirmedOrCancelled)
{
    BlockOperationsModel dialog = OpenBlockDialog(true);
    DrawInBlockModel draw = dialog.DrawInBlock();
    // SEL is not offered: disabled and unchecked although it was chosen.
    EXPECT_FALSE(draw.BoxEnabled(3));
    EXPECT_EQ(draw.m_DrawChecks, (DrawSwitches{0, 1, 0, 0}));
    draw.ClickBox(3);
    draw.ClickBox(0);
    draw.Cancel();
    dialog.DrawInBlockClosed(draw);
    EXPECT_FALSE(dialog.Ended); // back in the block dialog, nothing changed
    EXPECT_EQ(dialog.m_DrawChosen, (DrawSwitches{0, 1, 0, 1}));

    DrawInBlockModel again = dialog.DrawInBlock();
    again.ClickBox(0);
    again.Ok();
    dialog.DrawInBlockClosed(again);
    EXPECT_TRUE(dialog.Ended);
    EXPECT_EQ(dialog.m_Action, kBlockDraw);
    EXPECT_EQ(dialog.m_DrawChosen, (DrawSwitches{1, 1, 0, 0}));
}

TEST(BlockOperationsDialog, WithoutTheRmsAndSelBoxesOnlyLmaxAndLminShow)
{
    DrawInBlockModel draw;
    draw.m_RmsSelShown = 0;
    EXPECT_FALSE(draw.BoxShown(0));
    EXPECT_TRUE(draw.BoxShown(1));
    EXPECT_TRUE(draw.BoxShown(2));
    EXPECT_FALSE(draw.BoxShown(3));
}

} // namespace
} // namespace orlu
