#include "presentation/pictures/PictureViewGeometry.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(PictureViewGeometry, PictureRectanglesOnScreenAndPaper)
{
    EXPECT_EQ(MetafileScreenRect(800, 600), (CanvasRect{24, 30, 708, 588}));
    // Fractions are truncated, never rounded: 0.885 x 99 = 87.6.
    EXPECT_EQ(MetafileScreenRect(99, 99), (CanvasRect{2, 4, 87, 97}));
    EXPECT_EQ(MetafilePrintRect(8), (CanvasRect{0, 0, 4096, 2048}));
    EXPECT_EQ(BitmapPrintRect(300, 200, 8), (CanvasRect{0, 0, 2400, 1600}));
}

struct ScrollCase {
    const char* name;
    ScrollRequest request;
    int thumb;
    int startY;
    int expectedY;
};

TEST(BitmapScroller, VerticalRequestsStayBetweenTheFarEndAndZero)
{
    // A 1000-pixel-high picture in a 400-pixel window: the far end is -600.
    const ScrollCase cases[] = {
        {"line down", ScrollRequest::LineDown, 0, 0, -4},
        {"line up at the top", ScrollRequest::LineUp, 0, 0, 0},
        {"page down", ScrollRequest::PageDown, 0, -100, -150},
        {"page down at the end", ScrollRequest::PageDown, 0, -580, -600},
        {"page up", ScrollRequest::PageUp, 0, -600, -550},
        {"top", ScrollRequest::Top, 0, -300, 0},
        {"bottom goes to the far end", ScrollRequest::Bottom, 0, 0, -600},
        {"thumb", ScrollRequest::Thumb, 250, 0, -250},
        {"thumb past the end", ScrollRequest::Thumb, 900, 0, -600},
    };
    for (const ScrollCase& c : cases) {
        SCOPED_TRACE(c.name);
        BitmapScroller scroller(300, 1000);
        scroller.Resize(200, 400);
        scroller.ScrollVertical(ScrollRequest::Thumb, -c.startY);
        scroller.ScrollVertical(c.request, c.thumb);
        EXPECT_EQ(scroller.OffsetY(), c.expectedY);
    }
}

TEST(BitmapScroller, PagingDownStopsAtTheLastRow)
{
    BitmapScroller scroller(300, 1000);
    scroller.Resize(200, 400);
    for (int i = 0; i < 30; ++i)
        scroller.ScrollVertical(ScrollRequest::PageDown);
    EXPECT_EQ(scroller.OffsetY(), -600);
    // Horizontal pages are 8 pixels; 300 wide in 200 stops at -100.
    for (int i = 0; i < 20; ++i)
        scroller.ScrollHorizontal(ScrollRequest::PageDown);
    EXPECT_EQ(scroller.OffsetX(), -100);
}

TEST(BitmapScroller, APictureSmallerThanTheWindowNeverMoves)
{
    BitmapScroller scroller(100, 50);
    scroller.Resize(400, 300);
    for (ScrollRequest r : {ScrollRequest::LineDown, ScrollRequest::PageDown, ScrollRequest::Bottom}) {
        scroller.ScrollVertical(r, 40);
        scroller.ScrollHorizontal(r, 40);
        scroller.Wheel(-120);
    }
    EXPECT_EQ(scroller.OffsetX(), 0);
    EXPECT_EQ(scroller.OffsetY(), 0);
}

TEST(BitmapScroller, GrowingTheWindowPullsThePictureBack)
{
    BitmapScroller scroller(300, 1000);
    scroller.Resize(200, 400);
    scroller.ScrollVertical(ScrollRequest::Bottom);
    scroller.Resize(200, 700);
    EXPECT_EQ(scroller.OffsetY(), -300);
    scroller.Resize(200, 1200);
    EXPECT_EQ(scroller.OffsetY(), 0);
}

TEST(BitmapScroller, TheWheelScrollsVerticallyFirstThenHorizontally)
{
    BitmapScroller tall(100, 1000);
    tall.Resize(400, 400);
    tall.Wheel(-120);
    EXPECT_EQ(tall.OffsetY(), -4);
    tall.Wheel(120);
    EXPECT_EQ(tall.OffsetY(), 0);

    BitmapScroller wide(1000, 100);
    wide.Resize(400, 400);
    wide.Wheel(-120);
    EXPECT_EQ(wide.OffsetX(), -4);
    EXPECT_EQ(wide.OffsetY(), 0);
}

TEST(BitmapView, GreyFillsTheWindowRightOfAndBelowThePicture)
{
    RgbImage picture(2, 2, 0x112233);
    picture.Set(1, 1, 0xABCDEF);
    const RgbImage window = RenderBitmapView(picture, 4, 3, 0, 0);
    const std::uint32_t grey = 0xE6E6E6;
    EXPECT_EQ(window.At(0, 0), 0x112233u);
    EXPECT_EQ(window.At(1, 1), 0xABCDEFu);
    EXPECT_EQ(window.At(2, 0), grey);
    EXPECT_EQ(window.At(3, 1), grey);
    EXPECT_EQ(window.At(0, 2), grey);
    // Scrolled by one pixel each way, the picture's last pixel is at the corner.
    EXPECT_EQ(RenderBitmapView(picture, 1, 1, -1, -1).At(0, 0), 0xABCDEFu);
}

} // namespace
} // namespace orlu
