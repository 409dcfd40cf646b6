#pragma once
// The bitmap document: a device-independent bitmap captured from a graph or
// read from a .bmp file, kept as its info block and pixel rows.

#include "platform/canvas/BmpFile.h"
#include "presentation/pictures/PictureDocument.h"

#include <optional>

namespace orlu {

class BitmapDocument : public PictureDocument {
public:
    explicit BitmapDocument(PictureServices services);

    int TemplateId() const override;
    std::vector<std::uint8_t> Encode() const override { return EncodeBmpFile(m_Picture); }
    /// Takes the handed-over bitmap; false (nothing made) when none is there.
    bool NewDocument() override;

    const DibPicture& Picture() const { return m_Picture; }
    /// The decoded pixels; nothing for a kind the program cannot show.
    const std::optional<RgbImage>& Image() const { return m_Image; }

protected:
    bool Decode(std::span<const std::uint8_t> bytes, std::string* error) override;

private:
    bool Take(DibPicture picture, std::string* error);

    DibPicture m_Picture;
    std::optional<RgbImage> m_Image;
};

} // namespace orlu
