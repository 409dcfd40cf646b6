#include "reports/common/SubfileSelectionKeeper.h"

namespace orlu {

SubfileSelectionKeeper::SubfileSelectionKeeper(CTmDoc& doc)
    : m_Doc(doc), m_Legacy(doc.IsLegacyDocument()),
      m_Subfile(m_Legacy ? doc.LegacySubfile() : doc.DecodedSubfile()),
      m_Decoded(m_Legacy ? doc.LegacyDecoded() : doc.HeaderDecoded()), m_Channel(doc.Channel().channel),
      m_Profile(doc.Channel().profile)
{
}

SubfileSelectionKeeper::~SubfileSelectionKeeper()
{
    try {
        if (m_Legacy) {
            if (m_Doc.LegacySubfile() != m_Subfile || m_Doc.LegacyDecoded() != m_Decoded)
                m_Doc.DecodeLegacyHeader(m_Subfile);
            if (m_Doc.LegacyDecoded())
                m_Doc.SelectLegacyChannel(m_Channel);
            return;
        }
        if (m_Doc.DecodedSubfile() != m_Subfile || m_Doc.HeaderDecoded() != m_Decoded)
            m_Doc.DecodeFileHeader(m_Subfile);
        if (m_Doc.HeaderDecoded())
            m_Doc.SelectChannelProfile(m_Channel, m_Profile);
    } catch (const ImageRangeError&) {
        // The sub-file decoded when the report began; the image cannot have shrunk since.
    }
}

} // namespace orlu
