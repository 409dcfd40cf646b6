#include "app/canvas/ImageConversion.h"
#include "app/canvas/QtPainterCanvas.h"
#include "platform/canvas/EmfPlayer.h"
#include "platform/canvas/EmfWriter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QFontInfo>
#include <QImage>
#include <QPrinter>

#include <memory>

namespace orlu {
namespace {

class QtPainterCanvasTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Fonts need an application object; the first test that needs one makes it.
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "orlu_app_tests";
            static char* argv[] = {name, nullptr};
            static QApplication app(argc, argv);
        }
    }

    static QImage White(int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }
    static Rgb At(const QImage& image, int x, int y)
    {
        const QRgb p = image.pixel(x, y);
        return {static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                static_cast<std::uint8_t>(qBlue(p))};
    }
};

TEST_F(QtPainterCanvasTest, ALineLeavesOutItsEndPoint)
{
    struct Case {
        int x1, y1, x2, y2;
        int lastX, lastY; // the last pixel drawn
    };
    const Case cases[] = {
        {2, 5, 10, 5, 9, 5}, {10, 5, 2, 5, 3, 5}, {4, 1, 4, 12, 4, 11}, {2, 2, 8, 8, 7, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << "-" << c.x2 << "," << c.y2);
        QImage image = White(20, 20);
        {
            QtPainterCanvas canvas(image);
            canvas.Line(c.x1, c.y1, c.x2, c.y2);
        }
        EXPECT_EQ(At(image, c.x1, c.y1), kBlack);
        EXPECT_EQ(At(image, c.lastX, c.lastY), kBlack);
        EXPECT_EQ(At(image, c.x2, c.y2), kWhite);
    }
}

TEST_F(QtPainterCanvasTest, ARectangleCoversItsHalfOpenBox)
{
    QImage image = White(12, 12);
    {
        QtPainterCanvas canvas(image);
        canvas.SelectBrush({{255, 0, 0}, false});
        canvas.Rectangle(6, 8, 2, 3); // corners in any order
        canvas.FillRect(8, 1, 10, 2, {0, 0, 255});
    }
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            const bool inside = x >= 2 && x < 6 && y >= 3 && y < 8;
            const bool edge = x == 2 || x == 5 || y == 3 || y == 7;
            const bool fill = x >= 8 && x < 10 && y == 1;
            const Rgb expected = !inside ? (fill ? Rgb{0, 0, 255} : kWhite) : edge ? kBlack : Rgb{255, 0, 0};
            EXPECT_EQ(At(image, x, y), expected);
        }
}

TEST_F(QtPainterCanvasTest, XorIsBitwiseAndDrawingTwiceRestoresEveryPixel)
{
    QImage image = White(40, 30);
    for (int x = 20; x < 40; ++x)
        for (int y = 0; y < 30; ++y)
            image.setPixel(x, y, qRgb(0, 0, 255));
    for (int i = 0; i < 30; ++i)
        image.setPixel(i, i, qRgb(i * 8, 100, 255 - i * 8));
    const QImage original = image.copy();

    const auto cursor = [](Canvas& c) {
        const Pen oldPen = c.SelectPen({PenStyle::Solid, 1, {72, 72, 72}});
        const Brush oldBrush = c.SelectBrush({{72, 72, 72}, false});
        const RasterOp op = c.SetRasterOp(RasterOp::Xor);
        c.Line(5, 0, 5, 30);
        c.Line(0, 12, 40, 12);
        c.Rectangle(15, 3, 25, 9);
        c.Ellipse(26, 15, 37, 26);
        c.SetRasterOp(op);
        c.SelectBrush(oldBrush);
        c.SelectPen(oldPen);
    };
    QtPainterCanvas canvas(image);
    cursor(canvas);
    canvas.Painter().end();
    EXPECT_EQ(At(image, 5, 20), (Rgb{183, 183, 183})); // over white
    EXPECT_EQ(At(image, 30, 12), (Rgb{72, 72, 183}));  // over blue
    EXPECT_EQ(At(image, 17, 5), (Rgb{183, 183, 183})); // rectangle interior over white

    QtPainterCanvas again(image);
    cursor(again);
    again.Painter().end();
    EXPECT_EQ(image, original);
}

TEST_F(QtPainterCanvasTest, TextPaintsItsCellInTheBackgroundColour)
{
    QImage image = White(80, 40);
    image.fill(qRgb(255, 0, 0));
    TextSize size;
    {
        QtPainterCanvas canvas(image);
        canvas.SelectFont({std::string(kFixedFace), 14, 400});
        canvas.SetBackgroundColour({0, 255, 0});
        canvas.SetRasterOp(RasterOp::Xor); // text ignores it
        canvas.TextOut(4, 4, "i.");
        size = canvas.TextExtent("i.");
        canvas.SetBackgroundMode(BackgroundMode::Transparent);
        canvas.TextOut(40, 4, "i.");
    }
    ASSERT_GT(size.width, 0);
    EXPECT_EQ(size.height, 14);
    int green = 0, black = 0;
    for (int y = 4; y < 4 + size.height; ++y)
        for (int x = 4; x < 4 + size.width; ++x) {
            const Rgb p = At(image, x, y);
            green += p == Rgb{0, 255, 0};
            black += p.r < 100 && p.g < 100 && p.b < 100;
            EXPECT_NE(p, (Rgb{255, 0, 0})) << x << "," << y; // no pixel of the cell keeps the old colour
        }
    EXPECT_GT(green, size.width * size.height / 2);
    EXPECT_GT(black, 0);
    EXPECT_EQ(At(image, 4 + size.width, 4), (Rgb{255, 0, 0}));
    EXPECT_EQ(At(image, 40, 4), (Rgb{255, 0, 0})); // transparent: the cell keeps what was there
}

TEST_F(QtPainterCanvasTest, FixedFaceIsLiberationMonoWithTheAskedCellHeight)
{
    QImage image = White(10, 10);
    QtPainterCanvas canvas(image);
    const QtFontMeasure& measure = static_cast<const QtFontMeasure&>(canvas.Measure());
    EXPECT_EQ(QFontInfo(measure.QtFont({std::string(kFixedFace), 14, 700})).family(), "Liberation Mono");
    for (int height : {12, 14, 70}) {
        SCOPED_TRACE(height);
        canvas.SelectFont({std::string(kFixedFace), height, 400});
        const FontMetrics m = canvas.Metrics();
        EXPECT_LE(m.height, height);
        EXPECT_GE(m.height, height - 1);
        EXPECT_GT(m.aveCharWidth, 0);
        EXPECT_EQ(canvas.TextExtent("0123456789").width, 10 * canvas.TextExtent("0").width); // fixed pitch
    }
    canvas.SelectFont({"", 14, 400});
    EXPECT_GT(canvas.Metrics().height, 0);
}

TEST_F(QtPainterCanvasTest, MetafilePlaysOntoAnImage)
{
    EmfWriter writer;
    writer.FillRect(0, 0, 50, 40, kWhite);
    writer.SelectBrush({{0, 0, 255}, false});
    writer.Rectangle(10, 10, 20, 20);
    EmfPlayer player;
    ASSERT_TRUE(player.Load(writer.Bytes()));
    QImage image = White(100, 80);
    image.fill(Qt::black);
    {
        QtPainterCanvas canvas(image);
        player.Play(canvas, {0, 0, 100, 80}); // twice the size
    }
    EXPECT_EQ(At(image, 99, 79), kWhite);
    EXPECT_EQ(At(image, 30, 30), (Rgb{0, 0, 255}));
    EXPECT_EQ(At(image, 20, 30), kBlack); // the outline
}

TEST_F(QtPainterCanvasTest, PrinterCanvasPaintsAPdfPage)
{
    const QString path = QStringLiteral(ORLU_BINARY_DIR "/canvas-printer-check.pdf");
    QFile::remove(path);
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        QtPainterCanvas canvas(printer);
        EXPECT_EQ(canvas.Target(), CanvasTarget::Printer);
        canvas.SelectFont({std::string(kFixedFace), 14 * 8, 700});
        EXPECT_GT(canvas.Metrics().height, 100);
        canvas.Rectangle(100, 100, 2000, 1000);
        canvas.SetRasterOp(RasterOp::Xor);
        canvas.Line(100, 500, 2000, 500);
        canvas.TextOut(200, 200, "Pa\xB2s");
    }
    EXPECT_GT(QFileInfo(path).size(), 500);
}

TEST_F(QtPainterCanvasTest, RgbImagesConvertBothWays)
{
    RgbImage image(3, 2, 0x102030);
    image.Set(2, 1, 0xABCDEF);
    const QImage q = ToQImage(image);
    EXPECT_EQ(q.pixel(2, 1) & 0xFFFFFF, 0xABCDEFu);
    EXPECT_EQ(FromQImage(q), image);
}

} // namespace
} // namespace orlu
