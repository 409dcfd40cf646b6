#include "platform/canvas/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(RecordingCanvas, EachCallIsOneLineWithItsEffectiveState)
{
    RecordingCanvas canvas;
    canvas.Line(10, 20, 30, 20);
    canvas.SelectPen({PenStyle::Dot, 2, {255, 0, 0}});
    canvas.SetRasterOp(RasterOp::Xor);
    canvas.LineTo(30, 40); // from the end of the last line
    canvas.SelectBrush({{0, 0, 255}, false});
    canvas.Rectangle(81, 225, 80, 43); // corners in any order
    canvas.SelectPen({PenStyle::Null, 1, kBlack});
    canvas.SelectBrush({kWhite, true});
    canvas.Ellipse(5, 5, 12, 12);
    canvas.FillRect(0, 0, 1000, 360, kWhite);
    canvas.SetPixel(120, 88, {1, 2, 3});
    canvas.SelectFont({std::string(kFixedFace), 14, 700});
    canvas.SetBackgroundColour({0, 255, 0});
    canvas.TextOut(80, 270, "Pa\xB2s");
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    canvas.TextOut(0, 0, "%");

    const std::vector<std::string> expected = {
        "line 10,20-30,20 pen=solid/1/#000000 rop=copy",
        "line 30,20-30,40 pen=dot/2/#FF0000 rop=xor",
        "rect 80,43-81,225 pen=dot/2/#FF0000 brush=#0000FF rop=xor",
        "ellipse 5,5-12,12 pen=null brush=hollow rop=xor",
        "fill 0,0-1000,360 #FFFFFF",
        "pixel 120,88 #010203",
        "text 80,270 \"Pa\xB2s\" font=Courier New/14/700 fg=#000000 bg=#00FF00",
        "text 0,0 \"%\" font=Courier New/14/700 fg=#000000 bg=transparent",
    };
    EXPECT_EQ(canvas.Lines(), expected);
}

TEST(RecordingCanvas, SelectionReturnsTheReplacedValue)
{
    RecordingCanvas canvas;
    const Pen red{PenStyle::Solid, 3, {255, 0, 0}};
    EXPECT_EQ(canvas.SelectPen(red), Pen{});
    EXPECT_EQ(canvas.SelectPen(Pen{}), red);
    EXPECT_EQ(canvas.SetRasterOp(RasterOp::Xor), RasterOp::Copy);
    EXPECT_EQ(canvas.SetTextColour({1, 1, 1}), kBlack);
    EXPECT_EQ(canvas.SetBackgroundColour({2, 2, 2}), kWhite);
    EXPECT_EQ(canvas.SelectBrush({kBlack, false}), Brush{});
}

TEST(RecordingCanvas, FixedMetricsFollowTheFontHeight)
{
    RecordingCanvas canvas;
    canvas.SelectFont({std::string(kFixedFace), 14, 400});
    EXPECT_EQ(canvas.Metrics().height, 14);
    EXPECT_EQ(canvas.Metrics().ascent, 11);
    EXPECT_EQ(canvas.Metrics().externalLeading, 0);
    EXPECT_EQ(canvas.Metrics().aveCharWidth, 8);
    EXPECT_EQ(canvas.TextExtent("Pa\xB2s").width, 32); // bytes, not UTF-8 characters
    canvas.SelectFont({"", 12, 700});
    EXPECT_EQ(canvas.Metrics().aveCharWidth, 6);
    EXPECT_EQ(canvas.TextExtent("ab").height, 12);
}

TEST(RecordingCanvas, StateBalanceNamesWhatARoutineLeftChanged)
{
    RecordingCanvas canvas;
    EXPECT_EQ(CheckStateBalance(canvas,
                                [](Canvas& c) {
                                    const Pen old = c.SelectPen({PenStyle::Dot, 1, {0, 255, 255}});
                                    const RasterOp op = c.SetRasterOp(RasterOp::Xor);
                                    c.Line(0, 0, 5, 5);
                                    c.SetRasterOp(op);
                                    c.SelectPen(old);
                                }),
              "");
    EXPECT_EQ(CheckStateBalance(canvas,
                                [](Canvas& c) {
                                    c.SetRasterOp(RasterOp::Xor);
                                    c.SetTextColour({128, 128, 128});
                                }),
              "text colour #000000 -> #808080; rop copy -> xor");
    EXPECT_EQ(CheckStateBalance(canvas, [](Canvas& c) { c.SetBackgroundMode(BackgroundMode::Transparent); }),
              "background mode opaque -> transparent");
}

} // namespace
} // namespace orlu
