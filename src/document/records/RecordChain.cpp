#include "document/records/RecordChain.h"

#include <algorithm>
#include <string>

namespace orlu {

RecordView ReadRecordAt(const ImageReader& image, std::uint32_t start, const LengthRule& rule)
{
    RecordView r;
    r.image = &image;
    r.start = start;
    r.word0 = image.Word(start);
    r.length = r.HighByte();
    if ((rule.word1WhenHighByteZero && r.length == 0) || rule.alwaysWord1.Has(r.Type())) {
        r.lengthInWord1 = true;
        // A word 1 past the image gives no length: the walk ends there.
        r.length = image.HasWords(std::uint64_t{start} + 1, 1) ? image.Word(start + 1) : 0;
    }
    return r;
}

RecordChain::RecordChain(const ImageReader& image, std::uint32_t start, LengthRule rule)
    : RecordChain(image, start, image.WordCount(), rule)
{
}

RecordChain::RecordChain(const ImageReader& image, std::uint32_t start, std::uint32_t end, LengthRule rule)
    : m_Image(&image), m_Rule(rule), m_Pos(start), m_Bound(std::min(end, image.WordCount()))
{
}

void RecordChain::StopAt(std::uint32_t word)
{
    m_DataMark = word;
}

std::optional<RecordView> RecordChain::Next()
{
    if (m_End != ChainEnd::Walking)
        return std::nullopt;
    if (m_Current) {
        std::uint32_t length = m_Current->length;
        bool lengthUnreadable = m_Current->lengthInWord1 && !m_Image->HasWords(std::uint64_t{m_Pos} + 1, 1);
        m_Current.reset();
        if (length == 0) {
            m_End = lengthUnreadable ? ChainEnd::Overrun : ChainEnd::ZeroLength;
            return std::nullopt;
        }
        if (std::uint64_t{m_Pos} + length > m_Image->WordCount()) {
            m_End = ChainEnd::Overrun;
            return std::nullopt;
        }
        m_Pos += length;
    }
    if (m_Pos >= m_DataMark) {
        m_End = ChainEnd::DataMark;
        return std::nullopt;
    }
    if (m_Pos >= m_Bound) {
        m_End = ChainEnd::Bound;
        return std::nullopt;
    }
    if (m_Image->Word(m_Pos) == 0xFFFF) {
        m_End = ChainEnd::EndMark;
        return std::nullopt;
    }
    m_Current = ReadRecordAt(*m_Image, m_Pos, m_Rule);
    return m_Current;
}

void RecordChain::ThrowIfBroken() const
{
    if (m_End == ChainEnd::ZeroLength)
        throw RecordChainError("record of length 0 at word " + std::to_string(m_Pos));
    if (m_End == ChainEnd::Overrun)
        throw RecordChainError("record at word " + std::to_string(m_Pos) + " runs past the end of the file");
}

} // namespace orlu
