// Fuzz target of the bitmap reader: the bytes are read as a .bmp file and,
// when accepted, turned into pixels. Pixels that came out must survive the
// program's own writer: encoded as a 24-bit file and read back, they are the
// same picture.

#include "platform/canvas/BmpFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace orlu;
    const auto picture = DecodeBmpFile(std::span<const std::uint8_t>(data, size));
    if (!picture)
        return 0;
    const auto image = DibToImage(*picture);
    if (!image)
        return 0;
    const auto reread = DecodeBmpFile(EncodeBmpFile(ImageToDib(*image)));
    if (!reread)
        std::abort();
    const auto back = DibToImage(*reread);
    if (!back || *back != *image)
        std::abort();
    return 0;
}
