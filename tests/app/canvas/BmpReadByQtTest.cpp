// A bitmap file the program writes must open in other programs' readers:
// Qt's own BMP reader serves as the independent one here.

#include "platform/canvas/BmpFile.h"
#include "platform/canvas/RgbImage.h"

#include <gtest/gtest.h>

#include <QImage>

#include <string>

namespace orlu {
namespace {

TEST(BmpReadByQt, WrittenBitmapOpensWithItsSizeAndPixels)
{
    // Odd width, so every row needs padding to four bytes.
    RgbImage image(13, 7, 0xFFFFFF);
    for (int x = 0; x < 13; ++x)
        image.Set(x, 0, 0xFF0000); // top row red
    image.Set(12, 6, 0x0000FF);    // bottom-right blue
    image.Set(5, 3, 0x123456);

    const std::string path = std::string(ORLU_BINARY_DIR) + "/bmp-read-by-qt.bmp";
    std::string error;
    ASSERT_TRUE(WriteBmpFile(path, ImageToDib(image), &error)) << error;

    QImage read(QString::fromStdString(path), "BMP");
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.width(), 13);
    EXPECT_EQ(read.height(), 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            EXPECT_EQ(read.pixel(x, y) & 0xFFFFFFu, image.At(x, y)) << "pixel " << x << "," << y;
}

} // namespace
} // namespace orlu
