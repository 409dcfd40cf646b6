#include "platform/canvas/BmpFile.h"
#include "platform/canvas/LittleEndian.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

namespace orlu {
namespace {

using Bytes = std::vector<std::uint8_t>;

RgbImage SampleImage(int w, int h)
{
    RgbImage image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.Set(x, y, static_cast<std::uint32_t>(x * 7 << 16 | y * 13 << 8 | (x + y) % 256));
    return image;
}

TEST(BmpFile, HeadersHaveTheDocumentedSizes)
{
    const Bytes info24 = BuildBitmapInfo(10, 2, 1, 24);
    EXPECT_EQ(info24.size(), 40u);
    EXPECT_EQ(GetLe32(info24, 20), 64u); // rows of 30 bytes padded to 32
    EXPECT_EQ(GetLe32(info24, 24), 500u);
    EXPECT_EQ(GetLe32(info24, 28), 500u);
    EXPECT_EQ(BuildBitmapInfo(10, 2, 1, 8).size(), 40u + 1024u);
    EXPECT_EQ(BuildBitmapInfo(10, 2, 1, 1).size(), 40u + 8u);
    EXPECT_EQ(GetLe16(BuildBitmapInfo(3, 3, 1, 32), 14), 32u);
    EXPECT_TRUE(BuildBitmapInfo(0, 2, 1, 24).empty());
    EXPECT_TRUE(BuildBitmapInfo(kMaxBitmapSide + 1, 2, 1, 24).empty());

    const Bytes file = EncodeBmpFile({info24, Bytes(64, 0)});
    EXPECT_EQ(file.size(), 118u);
    EXPECT_EQ(GetLe32(file, 2), 118u);
    EXPECT_EQ(GetLe32(file, 10), 54u);
}

TEST(BmpFile, WrittenPicturesReadBackTheSame)
{
    for (auto [w, h] : {std::pair{1, 1}, {10, 2}, {33, 7}}) {
        SCOPED_TRACE(w);
        const RgbImage image = SampleImage(w, h);
        const DibPicture dib = ImageToDib(image);
        std::string error;
        const auto read = DecodeBmpFile(EncodeBmpFile(dib), &error);
        ASSERT_TRUE(read) << error;
        EXPECT_EQ(*read, dib); // same info and bits sizes and contents
        const auto back = DibToImage(*read, &error);
        ASSERT_TRUE(back) << error;
        EXPECT_EQ(*back, image);
    }
}

TEST(BmpFile, AStandardReaderAcceptsTheWrittenFile)
{
    if (std::system("command -v python3 >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 is not installed";
    RgbImage image(5, 3);
    image.Set(0, 0, 0x123456); // top-left: stored in the last row of the file
    const std::string path = ORLU_BINARY_DIR "/canvas-bmp-check.bmp";
    std::string error;
    ASSERT_TRUE(WriteBmpFile(path, ImageToDib(image), &error)) << error;
    const std::string script =
        "import struct,sys\n"
        "d=open(sys.argv[1],'rb').read()\n"
        "m,size,r,off=struct.unpack('<2sIII',d[:14])\n"
        "hs,w,h,pl,bpp,comp,img,xp,yp,cu,ci=struct.unpack('<IiiHHIIiiII',d[14:54])\n"
        "assert m==b'BM' and size==len(d) and off==54 and hs==40, (m,size,off,hs)\n"
        "assert (w,h,pl,bpp,comp,img,xp,yp)==(5,3,1,24,0,48,500,500), (w,h,bpp,img)\n"
        "b,g,r=d[off+2*16:off+2*16+3]\n"
        "assert (r,g,b)==(0x12,0x34,0x56), (r,g,b)\n"
        "print('ok')\n";
    const std::string scriptPath = ORLU_BINARY_DIR "/canvas-bmp-check.py";
    FILE* f = std::fopen(scriptPath.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs(script.c_str(), f);
    std::fclose(f);
    EXPECT_EQ(std::system(("python3 '" + scriptPath + "' '" + path + "' >/dev/null").c_str()), 0);
}

TEST(BmpFile, MissingImageSizeIsComputedAndNeverShortOfTheRows)
{
    // 24 bits, 100 x 10, image size 0: ((100 + 7) / 8) x 10 x 24 = 3120 bytes,
    // more than the 3000 the rows need; the part the file lacks is zero.
    DibPicture dib = ImageToDib(SampleImage(100, 10));
    PutLe32(dib.info, 20, 0);
    std::string error;
    auto read = DecodeBmpFile(EncodeBmpFile(dib), &error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->bits.size(), 3120u);
    EXPECT_EQ(GetLe32(read->info, 20), 3120u); // a later save carries it
    EXPECT_TRUE(std::equal(dib.bits.begin(), dib.bits.end(), read->bits.begin()));
    EXPECT_EQ(read->bits[3119], 0);

    // 1 bit, 20 x 3: the size rule gives 3 x 3 bytes but the rows need 4 x 3.
    Bytes info = BuildBitmapInfo(20, 3, 1, 1);
    PutLe32(info, 20, 0);
    PutLe32(info, 44, 0xFFFFFF); // colour 1 white
    Bytes rows = {0x80, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xF0, 0};
    read = DecodeBmpFile(EncodeBmpFile({info, rows}), &error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->bits.size(), 12u);
    const auto image = DibToImage(*read, &error);
    ASSERT_TRUE(image) << error;
    EXPECT_EQ(image->At(0, 2), 0xFFFFFFu); // bottom row first in the file
    EXPECT_EQ(image->At(1, 2), 0u);
    EXPECT_EQ(image->At(19, 0), 0xFFFFFFu);
}

TEST(BmpFile, DecodesPaletteAndTopDownBitmaps)
{
    Bytes info = BuildBitmapInfo(2, 2, 1, 8);
    PutLe32(info, 40 + 4 * 3, 0x00ABCDEF);
    const Bytes rows = {3, 0, 0, 0, 0, 3, 0, 0};
    PutLe32(info, 8, static_cast<std::uint32_t>(-2)); // top-down
    std::string error;
    const auto image = DibToImage({info, rows}, &error);
    ASSERT_TRUE(image) << error;
    EXPECT_EQ(image->At(0, 0), 0xABCDEFu);
    EXPECT_EQ(image->At(1, 1), 0xABCDEFu);
    EXPECT_EQ(image->At(1, 0), 0u);

    Bytes info32 = BuildBitmapInfo(1, 1, 1, 32);
    EXPECT_EQ(DibToImage({info32, {0x56, 0x34, 0x12, 0}})->At(0, 0), 0x123456u);
}

TEST(BmpFile, MalformedFilesAreRefusedWithAReason)
{
    const Bytes good = EncodeBmpFile(ImageToDib(SampleImage(8, 4)));
    struct Case {
        const char* name;
        std::function<void(Bytes&)> damage;
        const char* reason;
    };
    const Case cases[] = {
        {"too short for the headers", [](Bytes& b) { b.resize(30); }, "truncated"},
        {"rows cut short", [](Bytes& b) { b.resize(b.size() - 1); }, "truncated"},
        {"pixel offset past the end", [](Bytes& b) { PutLe32(b, 10, 0xFFFFFFF0); }, "pixel offset"},
        {"pixel offset inside the file header", [](Bytes& b) { PutLe32(b, 10, 20); }, "pixel offset"},
        {"core header", [](Bytes& b) { PutLe32(b, 14, 12); }, "not supported"},
        {"header longer than the info", [](Bytes& b) { PutLe32(b, 14, 4000); }, "not supported"},
        {"zero width", [](Bytes& b) { PutLe32(b, 18, 0); }, "not supported"},
        {"huge width", [](Bytes& b) { PutLe32(b, 18, 0x7FFFFFFF); }, "not supported"},
        {"most negative height", [](Bytes& b) { PutLe32(b, 22, 0x80000000); }, "not supported"},
        {"too many pixels", [](Bytes& b) { PutLe32(b, 18, 30000), PutLe32(b, 22, 30000); }, "not supported"},
        {"image size past the end", [](Bytes& b) { PutLe32(b, 34, 0xFFFFFFF0); }, "truncated"},
        {"huge bit count", [](Bytes& b) { b[28] = 0xFF, b[29] = 0xFF; }, "truncated"},
        {"compressed 32768 x 2048 x 32 bits in 54 bytes without an image size",
         [](Bytes& b) {
             b.resize(54);
             PutLe32(b, 10, 54), PutLe32(b, 18, 32768), PutLe32(b, 22, 2048), b[28] = 32;
             PutLe32(b, 30, 1), PutLe32(b, 34, 0);
         },
         "no image size"},
        {"zero planes without an image size",
         [](Bytes& b) { b[26] = 0, PutLe32(b, 34, 0); }, "no image size"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = good;
        c.damage(bytes);
        std::string error;
        EXPECT_FALSE(DecodeBmpFile(bytes, &error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    for (std::size_t n = 0; n < good.size(); ++n)
        ASSERT_FALSE(DecodeBmpFile(std::span(good).first(n))) << n;
}

TEST(BmpFile, UndecodablePicturesAreRefused)
{
    std::string error;
    Bytes info = BuildBitmapInfo(4, 4, 1, 24);
    EXPECT_FALSE(DibToImage({info, Bytes(47, 0)}, &error)); // rows need 48
    EXPECT_NE(error.find("incomplete"), std::string::npos);
    Bytes wide = info;
    PutLe32(wide, 12, 0xFFFFFFFF); // planes x bits overflows an int
    EXPECT_FALSE(DibToImage({wide, Bytes(48, 0)}, &error));
    EXPECT_NE(error.find("4294836225 bits"), std::string::npos) << error;
    PutLe32(info, 16, 1); // run-length compressed
    EXPECT_FALSE(DibToImage({info, Bytes(48, 0)}, &error));
    EXPECT_NE(error.find("not supported"), std::string::npos);
    Bytes palette = BuildBitmapInfo(4, 4, 1, 8);
    palette.resize(100); // colour table cut short
    EXPECT_FALSE(DibToImage({palette, Bytes(16, 0)}, &error));
    EXPECT_NE(error.find("colour table"), std::string::npos);
}

} // namespace
} // namespace orlu
