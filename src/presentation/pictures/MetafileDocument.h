#pragma once
// The metafile document: an enhanced metafile made from a graph or read from
// a .emf file. Its bytes are kept as they are and written back directly.

#include "platform/canvas/EmfPlayer.h"
#include "presentation/pictures/PictureDocument.h"

namespace orlu {

class MetafileDocument : public PictureDocument {
public:
    explicit MetafileDocument(PictureServices services);

    int TemplateId() const override;
    std::vector<std::uint8_t> Encode() const override { return m_Bytes; }
    /// Takes the handed-over metafile; false (nothing made) when none is there.
    bool NewDocument() override;

    /// The checked picture, ready to be played.
    const EmfPlayer& Player() const { return m_Player; }
    const std::vector<std::uint8_t>& Bytes() const { return m_Bytes; }

protected:
    bool Decode(std::span<const std::uint8_t> bytes, std::string* error) override;

private:
    std::vector<std::uint8_t> m_Bytes;
    EmfPlayer m_Player;
};

} // namespace orlu
