#include "document/image/PagedFileImage.h"

#include <gtest/gtest.h>

#include <new>

namespace orlu {
namespace {

// An image of `pages` pages whose byte b holds (b * 7 + 3) & 0xFF.
struct PatternImage {
    PagePool pool;
    PagedFileImage image;

    explicit PatternImage(std::uint32_t pages)
    {
        for (std::uint32_t k = 0; k < pages; ++k) {
            std::uint8_t* page = pool.Alloc(512);
            for (std::uint32_t i = 0; i < 512; ++i)
                page[i] = static_cast<std::uint8_t>(((k * 512 + i) * 7 + 3) & 0xFF);
            image.AppendPage(page);
        }
    }
    static std::uint8_t At(std::uint32_t b) { return static_cast<std::uint8_t>((b * 7 + 3) & 0xFF); }
};

TEST(PagedFileImage, ValuesStraddlingPagesJoinTheirBytes)
{
    PatternImage p(3);
    auto le16 = [](std::uint32_t b) { return PatternImage::At(b) | (PatternImage::At(b + 1) << 8); };
    auto le32 = [&](std::uint32_t b) { return le16(b) | (static_cast<std::uint32_t>(le16(b + 2)) << 16); };

    EXPECT_EQ(ImageGetInt16At(p.image, 511), le16(511)); // byte 511 of page 0 with byte 0 of page 1
    EXPECT_EQ(ImageGetInt16At(p.image, 510), le16(510));
    EXPECT_EQ(ImageGetInt32At(p.image, 509), le32(509));
    EXPECT_EQ(ImageGetInt32AtWord(p.image, 511), le32(1022)); // last word of page 1 + first of page 2
    EXPECT_EQ(ImageGetInt32AtWord(p.image, 510), le32(1020));
    EXPECT_EQ(ImageGetWord(p.image, 300), le16(600));
    EXPECT_EQ(ImageGetByte(p.image, 1535), PatternImage::At(1535));
}

TEST(PagedFileImage, SharedPagesAreCopiedBeforeEitherImageWritesThem)
{
    // Page 1 of the pattern is page 0 of a second image, marked shared in both.
    for (bool writeTheSecond : {true, false}) {
        SCOPED_TRACE(writeTheSecond ? "the second image written" : "the first image written");
        PatternImage p(2);
        PagedFileImage second;
        second.AppendSharedPage(p.image.Page(1), p.pool);
        second.AppendPage(p.image.Page(0)); // not shared: written in place
        p.image.ShareAllPages(p.pool);
        ASSERT_TRUE(second.PageShared(0));
        ASSERT_FALSE(second.PageShared(1));

        PagedFileImage& written = writeTheSecond ? second : p.image;
        const std::uint32_t word = writeTheSecond ? 1 : 257; // byte 2 of the shared page
        const std::uint8_t* before = written.Page(word >> 8);
        ImageSetWord(written, word, 0xBEEF);
        EXPECT_NE(written.Page(word >> 8), before);
        EXPECT_FALSE(written.PageShared(word >> 8));
        EXPECT_EQ(ImageGetWord(written, word), 0xBEEF);
        // The rest of the page was copied; the other image still reads the page as it was.
        const PagedFileImage& other = writeTheSecond ? p.image : second;
        const std::uint32_t otherByte = writeTheSecond ? 514 : 2;
        EXPECT_EQ(ImageGetByte(written, 2 * word + 2), PatternImage::At(516));
        EXPECT_EQ(ImageGetByte(other, otherByte), PatternImage::At(514));
        EXPECT_EQ(ImageGetByte(other, otherByte + 1), PatternImage::At(515));
    }

    // A page that is not shared is written where it is.
    PatternImage p(1);
    PagedFileImage second;
    second.AppendSharedPage(p.image.Page(0), p.pool);
    second.AppendPage(p.pool.Alloc(512));
    const std::uint8_t* own = second.Page(1);
    ImageSetWord(second, 256, 7);
    EXPECT_EQ(second.Page(1), own);
}

TEST(PagedFileImage, SharedPageWithoutRoomForItsCopyIsNotWritten)
{
    PatternImage p(1);
    PagePool none(0);
    PagedFileImage second;
    second.AppendSharedPage(p.image.Page(0), none);
    EXPECT_THROW(ImageSetWord(second, 0, 0xBEEF), std::bad_alloc);
    EXPECT_TRUE(second.PageShared(0));
    EXPECT_EQ(ImageGetByte(p.image, 0), PatternImage::At(0));
    EXPECT_EQ(second.Page(0), p.image.Page(0));
}

TEST(PagedFileImage, AccessOutsideThePagesThrows)
{
    PatternImage p(2);
    EXPECT_THROW(ImageGetByte(p.image, 1024), ImageRangeError);
    EXPECT_THROW(ImageGetInt32AtWord(p.image, 511), ImageRangeError); // needs page 2
    EXPECT_THROW(ImageSetWord(p.image, 512, 1), ImageRangeError);
    PagedFileImage empty;
    EXPECT_THROW(ImageGetWord(empty, 0), ImageRangeError);
}

TEST(PagedFileImage, ReaderStaysInsideTheByteCount)
{
    PatternImage p(2);
    ImageReader reader(p.image, 601);
    EXPECT_EQ(reader.Byte(600), PatternImage::At(600));
    EXPECT_EQ(reader.Word(299), ImageGetWord(p.image, 299));
    EXPECT_THROW(reader.Word(300), ImageRangeError); // bytes 600 and 601: one past the count
    EXPECT_THROW(reader.Int32At(598), ImageRangeError);
    EXPECT_THROW(reader.Int32AtWord(0xFFFFFFFFu), ImageRangeError); // no wrap-around
    EXPECT_TRUE(reader.HasWords(299, 1));
    EXPECT_FALSE(reader.HasWords(299, 2));
}

TEST(PagedFileImage, SetWordGrowAppendsThePageOfTheWord)
{
    PagePool pool;
    PagedFileImage image;
    image.AppendPage(pool.Alloc(512));
    ASSERT_NE(ImageSetWordGrow(pool, image, 255, 0xBEEF), nullptr);
    EXPECT_EQ(image.PageCount(), 1u);
    std::uint8_t* page = ImageSetWordGrow(pool, image, 256, 0x1234);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(image.PageCount(), 2u);
    EXPECT_EQ(page, image.Page(1));
    EXPECT_EQ(page[0], 0x34);
    EXPECT_EQ(ImageGetWord(image, 255), 0xBEEF);

    PagePool full(1);
    PagedFileImage big;
    for (int k = 0; k < 200; ++k)
        big.AppendPage(full.Alloc(512));
    EXPECT_EQ(ImageSetWordGrow(full, big, 200 * 256, 1), nullptr); // the pool is exhausted
}

TEST(PagePool, BumpAllocationInChunks)
{
    PagePool pool;
    std::uint8_t* a = pool.Alloc(511);
    std::uint8_t* b = pool.Alloc(0);
    EXPECT_EQ(b, a + 512); // 511 rounds up to 512; 0 does not advance
    EXPECT_EQ(pool.Alloc(0), b);
    for (int i = 0; i < 512; ++i)
        ASSERT_EQ(a[i], 0);

    PagePool pages;
    std::uint8_t* first = pages.Alloc(512);
    for (int k = 1; k < 200; ++k)
        pages.Alloc(512);
    EXPECT_EQ(pages.ChunkCount(), 1u);
    std::uint8_t* p201 = pages.Alloc(512);
    EXPECT_EQ(pages.ChunkCount(), 2u);
    EXPECT_NE(p201, first + 200 * 512);

    PagePool whole;
    EXPECT_NE(whole.Alloc(102400), nullptr);
    EXPECT_EQ(whole.BytesLeft(), 0u);
    EXPECT_EQ(whole.Alloc(102401), nullptr);
    EXPECT_EQ(whole.ChunkCount(), 2u); // the fresh chunk stays, empty
    // An odd size near 4 GiB must not wrap to 0 when rounded up to even.
    EXPECT_EQ(whole.Alloc(0xFFFFFFFFu), nullptr);
    EXPECT_EQ(whole.BytesLeft(), 102400u);

    whole.FreeAll();
    EXPECT_EQ(whole.ChunkCount(), 0u);
    EXPECT_NE(whole.Alloc(2), nullptr);
    EXPECT_EQ(whole.ChunkCount(), 1u);
}

} // namespace
} // namespace orlu
