#include "presentation/pictures/BitmapDocument.h"

#include "presentation/DocTemplateTable.h"

namespace orlu {

BitmapDocument::BitmapDocument(PictureServices services) : PictureDocument(services, " - graph (BMP view copy)") {}

int BitmapDocument::TemplateId() const { return kBitmapDocTemplate; }

bool BitmapDocument::NewDocument()
{
    std::optional<DibPicture> handed = std::move(Services().handOver.bitmap);
    Services().handOver.bitmap.reset();
    return handed && Take(std::move(*handed), nullptr);
}

bool BitmapDocument::Decode(std::span<const std::uint8_t> bytes, std::string* error)
{
    std::optional<DibPicture> picture = DecodeBmpFile(bytes, error);
    return picture && Take(std::move(*picture), error);
}

bool BitmapDocument::Take(DibPicture picture, std::string* error)
{
    // A bitmap whose pixels cannot be shown would open an empty window: refused like a damaged file.
    std::optional<RgbImage> image = DibToImage(picture, error);
    if (!image)
        return false;
    m_Picture = std::move(picture);
    m_Image = std::move(image);
    return true;
}

} // namespace orlu
