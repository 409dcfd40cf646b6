#include "presentation/pictures/MetafileDocument.h"

#include "presentation/DocTemplateTable.h"

namespace orlu {

MetafileDocument::MetafileDocument(PictureServices services)
    : PictureDocument(services, " - graph (EMF view copy)")
{
}

int MetafileDocument::TemplateId() const { return kMetafileDocTemplate; }

bool MetafileDocument::NewDocument()
{
    std::optional<std::vector<std::uint8_t>> handed = std::move(Services().handOver.metafile);
    Services().handOver.metafile.reset();
    return handed && Decode(*handed, nullptr);
}

bool MetafileDocument::Decode(std::span<const std::uint8_t> bytes, std::string* error)
{
    if (!m_Player.Load(bytes, error))
        return false;
    m_Bytes.assign(bytes.begin(), bytes.end());
    return true;
}

} // namespace orlu
